// SDL key codes as Win32 virtual-key codes.
#pragma once

#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <cstdint>

// The virtual-key code of a key, or 0 for a key Windows has no code for. Letters and digits are
// their upper-case ASCII codes, as on Windows; both halves of shift, control and alt give the
// generic VK_SHIFT, VK_CONTROL and VK_MENU.
uint32_t virtualKeyOf(SDL_Keycode key);

// Which modifier half a key is (one bit each for left and right shift, control and alt), or 0.
uint32_t modifierBitOf(SDL_Keycode key);
// The bits of `modifierBitOf` that share the key's virtual-key code (both halves of it).
uint32_t modifierPairOf(SDL_Keycode key);
