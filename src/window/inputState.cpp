#include "window/inputState.h"

int32_t mouseX = 0;
int32_t mouseY = 0;
int32_t lastMouseButtons = 0;
int32_t buttonsBlocked = 1;
int32_t mouseButtons = 0;
uint8_t charTyped = 0;
char typedText[typedTextSize] = {};

uint8_t keyState[256] = {};
uint8_t previousKeyState[256] = {};
