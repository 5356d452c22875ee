#include "platform/compat/keyCharacters.h"

struct KeyCharacters {
    BYTE virtualKey;
    char plain;
    char shifted;
};

static const KeyCharacters punctuation[] = {
    {VK_OEM_1, ';', ':'},     {VK_OEM_PLUS, '=', '+'},   {VK_OEM_COMMA, ',', '<'},
    {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},
    {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},      {VK_OEM_5, '\\', '|'},
    {VK_OEM_6, ']', '}'},     {VK_OEM_7, '\'', '"'},     {VK_MULTIPLY, '*', '*'},
    {VK_ADD, '+', '+'},       {VK_SUBTRACT, '-', '-'},   {VK_DECIMAL, '.', '.'},
    {VK_DIVIDE, '/', '/'},    {VK_SPACE, ' ', ' '},      {VK_RETURN, '\r', '\r'},
    {VK_BACK, '\b', '\b'},    {VK_TAB, '\t', '\t'},      {VK_ESCAPE, 0x1B, 0x1B},
};

int characterForKey(BYTE virtualKey, const BYTE* keyState) {
    bool shift = (keyState[VK_SHIFT] & 0x80) != 0;
    bool control = (keyState[VK_CONTROL] & 0x80) != 0;
    bool capsLock = (keyState[VK_CAPITAL] & 0x01) != 0;
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        if (control) {
            return virtualKey - 'A' + 1;
        }
        return shift != capsLock ? virtualKey : virtualKey + ('a' - 'A');
    }
    if (control) {
        return -1;
    }
    if (virtualKey >= '0' && virtualKey <= '9') {
        static const char shiftedDigits[] = ")!@#$%^&*(";
        return shift ? shiftedDigits[virtualKey - '0'] : virtualKey;
    }
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) {
        return '0' + (virtualKey - VK_NUMPAD0);
    }
    for (const KeyCharacters& key : punctuation) {
        if (key.virtualKey == virtualKey) {
            return shift ? key.shifted : key.plain;
        }
    }
    return -1;
}
