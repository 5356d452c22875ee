// A small arrow pointing up and to the left, its tip on (mouseX, mouseY).
#pragma once

// White: palette index 15 in 8-bit mode, 0xFFFFFF in true colour.
void drawMousePointer();
