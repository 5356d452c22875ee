// What TranslateMessage makes of a key press: the character of a US keyboard layout, or -1
// for keys that type nothing (arrows, function keys, modifiers).
#pragma once

#include "platform/compat/windowsApi.h"

int characterForKey(BYTE virtualKey, const BYTE* keyState);
