#include "platform/host/sdl2/sdlKeyCodes.h"

// Win32 virtual-key codes; the host sees no Windows headers.
enum : uint32_t {
    vkBack = 0x08,
    vkTab = 0x09,
    vkReturn = 0x0D,
    vkShift = 0x10,
    vkControl = 0x11,
    vkMenu = 0x12,
    vkPause = 0x13,
    vkCapital = 0x14,
    vkEscape = 0x1B,
    vkSpace = 0x20,
    vkPrior = 0x21,
    vkNext = 0x22,
    vkEnd = 0x23,
    vkHome = 0x24,
    vkLeft = 0x25,
    vkUp = 0x26,
    vkRight = 0x27,
    vkDown = 0x28,
    vkSnapshot = 0x2C,
    vkInsert = 0x2D,
    vkDelete = 0x2E,
    vkLeftWindows = 0x5B,
    vkRightWindows = 0x5C,
    vkApps = 0x5D,
    vkNumpad0 = 0x60,
    vkMultiply = 0x6A,
    vkAdd = 0x6B,
    vkSubtract = 0x6D,
    vkDecimal = 0x6E,
    vkDivide = 0x6F,
    vkF1 = 0x70,
    vkNumLock = 0x90,
    vkScroll = 0x91,
    vkOemSemicolon = 0xBA,
    vkOemPlus = 0xBB,
    vkOemComma = 0xBC,
    vkOemMinus = 0xBD,
    vkOemPeriod = 0xBE,
    vkOemSlash = 0xBF,
    vkOemBackquote = 0xC0,
    vkOemOpenBracket = 0xDB,
    vkOemBackslash = 0xDC,
    vkOemCloseBracket = 0xDD,
    vkOemQuote = 0xDE,
};

uint32_t virtualKeyOf(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) {
        return static_cast<uint32_t>('A' + (key - SDLK_a));
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return static_cast<uint32_t>('0' + (key - SDLK_0));
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return vkF1 + static_cast<uint32_t>(key - SDLK_F1);
    }
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) {
        return vkNumpad0 + 1 + static_cast<uint32_t>(key - SDLK_KP_1);
    }
    switch (key) {
    case SDLK_BACKSPACE:
        return vkBack;
    case SDLK_TAB:
        return vkTab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return vkReturn;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return vkShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return vkControl;
    case SDLK_LALT:
    case SDLK_RALT:
        return vkMenu;
    case SDLK_PAUSE:
        return vkPause;
    case SDLK_CAPSLOCK:
        return vkCapital;
    case SDLK_ESCAPE:
        return vkEscape;
    case SDLK_SPACE:
        return vkSpace;
    case SDLK_PAGEUP:
        return vkPrior;
    case SDLK_PAGEDOWN:
        return vkNext;
    case SDLK_END:
        return vkEnd;
    case SDLK_HOME:
        return vkHome;
    case SDLK_LEFT:
        return vkLeft;
    case SDLK_UP:
        return vkUp;
    case SDLK_RIGHT:
        return vkRight;
    case SDLK_DOWN:
        return vkDown;
    case SDLK_PRINTSCREEN:
        return vkSnapshot;
    case SDLK_INSERT:
        return vkInsert;
    case SDLK_DELETE:
        return vkDelete;
    case SDLK_LGUI:
        return vkLeftWindows;
    case SDLK_RGUI:
        return vkRightWindows;
    case SDLK_APPLICATION:
        return vkApps;
    case SDLK_KP_0:
        return vkNumpad0;
    case SDLK_KP_MULTIPLY:
        return vkMultiply;
    case SDLK_KP_PLUS:
        return vkAdd;
    case SDLK_KP_MINUS:
        return vkSubtract;
    case SDLK_KP_PERIOD:
        return vkDecimal;
    case SDLK_KP_DIVIDE:
        return vkDivide;
    case SDLK_NUMLOCKCLEAR:
        return vkNumLock;
    case SDLK_SCROLLLOCK:
        return vkScroll;
    case SDLK_SEMICOLON:
        return vkOemSemicolon;
    case SDLK_EQUALS:
        return vkOemPlus;
    case SDLK_COMMA:
        return vkOemComma;
    case SDLK_MINUS:
        return vkOemMinus;
    case SDLK_PERIOD:
        return vkOemPeriod;
    case SDLK_SLASH:
        return vkOemSlash;
    case SDLK_BACKQUOTE:
        return vkOemBackquote;
    case SDLK_LEFTBRACKET:
        return vkOemOpenBracket;
    case SDLK_BACKSLASH:
        return vkOemBackslash;
    case SDLK_RIGHTBRACKET:
        return vkOemCloseBracket;
    case SDLK_QUOTE:
        return vkOemQuote;
    default:
        return 0;
    }
}

uint32_t modifierBitOf(SDL_Keycode key) {
    switch (key) {
    case SDLK_LSHIFT:
        return 0x01;
    case SDLK_RSHIFT:
        return 0x02;
    case SDLK_LCTRL:
        return 0x04;
    case SDLK_RCTRL:
        return 0x08;
    case SDLK_LALT:
        return 0x10;
    case SDLK_RALT:
        return 0x20;
    default:
        return 0;
    }
}

uint32_t modifierPairOf(SDL_Keycode key) {
    uint32_t bit = modifierBitOf(key);
    if (bit & 0x03) {
        return 0x03;
    }
    if (bit & 0x0C) {
        return 0x0C;
    }
    return bit & 0x30 ? 0x30 : 0;
}
