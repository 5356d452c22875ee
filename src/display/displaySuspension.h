// Tearing the display down around a minimised window and building it up again with the
// picture and the palette it had.
#pragma once

// Keeps the 8-bit palette and the bytes of the back buffer and the layer, then releases the
// off-screen surfaces, the primary, the palette object and the DirectDraw object.
void suspendDisplay();

// Opens the display again in the depth it had, re-creates the surfaces that existed and puts
// the kept picture and palette back.
void restoreDisplay();

// Drops what suspendDisplay kept, for a suspension that will not be restored.
void discardSuspendedDisplay();
