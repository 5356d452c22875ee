#include "platform/host/sdl2/sdlKeyCodes.h"

#include <gtest/gtest.h>

TEST(KeyCodes, LettersAndDigitsAreTheirUpperCaseCodes) {
    EXPECT_EQ(virtualKeyOf(SDLK_a), uint32_t('A'));
    EXPECT_EQ(virtualKeyOf(SDLK_q), 0x51u); // the system's quit key
    EXPECT_EQ(virtualKeyOf(SDLK_z), uint32_t('Z'));
    EXPECT_EQ(virtualKeyOf(SDLK_0), uint32_t('0'));
    EXPECT_EQ(virtualKeyOf(SDLK_9), uint32_t('9'));
}

TEST(KeyCodes, ControlAndMovementKeys) {
    EXPECT_EQ(virtualKeyOf(SDLK_ESCAPE), 0x1Bu);
    EXPECT_EQ(virtualKeyOf(SDLK_RETURN), 0x0Du);
    EXPECT_EQ(virtualKeyOf(SDLK_KP_ENTER), 0x0Du);
    EXPECT_EQ(virtualKeyOf(SDLK_SPACE), 0x20u);
    EXPECT_EQ(virtualKeyOf(SDLK_BACKSPACE), 0x08u);
    EXPECT_EQ(virtualKeyOf(SDLK_TAB), 0x09u);
    EXPECT_EQ(virtualKeyOf(SDLK_LEFT), 0x25u);
    EXPECT_EQ(virtualKeyOf(SDLK_UP), 0x26u);
    EXPECT_EQ(virtualKeyOf(SDLK_RIGHT), 0x27u);
    EXPECT_EQ(virtualKeyOf(SDLK_DOWN), 0x28u);
    EXPECT_EQ(virtualKeyOf(SDLK_F1), 0x70u);
    EXPECT_EQ(virtualKeyOf(SDLK_F12), 0x7Bu);
    EXPECT_EQ(virtualKeyOf(SDLK_KP_0), 0x60u);
    EXPECT_EQ(virtualKeyOf(SDLK_KP_9), 0x69u);
    EXPECT_EQ(virtualKeyOf(SDLK_MINUS), 0xBDu);
}

TEST(KeyCodes, ModifiersAreGenericWithOneBitPerHalf) {
    EXPECT_EQ(virtualKeyOf(SDLK_LSHIFT), 0x10u);
    EXPECT_EQ(virtualKeyOf(SDLK_RSHIFT), 0x10u);
    EXPECT_EQ(virtualKeyOf(SDLK_LCTRL), 0x11u);
    EXPECT_EQ(virtualKeyOf(SDLK_RCTRL), 0x11u);
    EXPECT_EQ(virtualKeyOf(SDLK_LALT), 0x12u);
    EXPECT_EQ(virtualKeyOf(SDLK_RALT), 0x12u);
    const SDL_Keycode halves[] = {SDLK_LSHIFT, SDLK_RSHIFT, SDLK_LCTRL,
                                  SDLK_RCTRL,  SDLK_LALT,   SDLK_RALT};
    uint32_t seen = 0;
    for (SDL_Keycode key : halves) {
        uint32_t bit = modifierBitOf(key);
        EXPECT_EQ(bit & (bit - 1), 0u) << "one bit";
        EXPECT_EQ(seen & bit, 0u) << "distinct";
        EXPECT_NE(modifierPairOf(key) & bit, 0u);
        seen |= bit;
    }
    EXPECT_EQ(modifierPairOf(SDLK_LSHIFT), modifierPairOf(SDLK_RSHIFT));
    EXPECT_NE(modifierPairOf(SDLK_LSHIFT), modifierPairOf(SDLK_LCTRL));
    EXPECT_EQ(modifierBitOf(SDLK_a), 0u);
    EXPECT_EQ(modifierPairOf(SDLK_a), 0u);
}

TEST(KeyCodes, KeysWindowsHasNoCodeForGiveZero) {
    EXPECT_EQ(virtualKeyOf(SDLK_MUTE), 0u);
    EXPECT_EQ(virtualKeyOf(SDLK_UNKNOWN), 0u);
    EXPECT_EQ(virtualKeyOf(SDLK_MODE), 0u);
}
