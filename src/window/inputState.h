// What the window procedure and the message pump learn from the user: mouse position and
// buttons, typed characters, and the keyboard snapshot of the latest pump.
#pragma once

#include <cstdint>

const int typedTextSize = 100; // 99 characters and the terminating zero

// Mouse position of the latest mouse message, pixels from the screen's top-left corner.
extern int32_t mouseX;
extern int32_t mouseY;
// Button bits of the latest mouse message: 1 left, 2 right.
extern int32_t lastMouseButtons;
// Non-zero until a mouse message arrives with no button held, so that a button already down
// at start-up does nothing until it has been released once.
extern int32_t buttonsBlocked;
// Button bits as the application sees them.
extern int32_t mouseButtons;
// 1 when the message handled last was a typed character.
extern uint8_t charTyped;
// Typed characters, NUL-terminated.
extern char typedText[typedTextSize];

// One byte per virtual-key code, bit 7 set while the key is down; taken at every pump.
extern uint8_t keyState[256];
// keyState as it was before the latest snapshot.
extern uint8_t previousKeyState[256];
