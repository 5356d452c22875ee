#include "colour/defaultPalette.h"
#include "colour/paletteUpload.h"
#include "colour/translationTables.h"
#include "display/displaySetup.h"
#include "display/frontBuffer.h"
#include "record/displayState.h"
#include "window/fatalError.h"

#include "support/headlessFixture.h"

#include <gtest/gtest.h>

#include <cstring>

using ::testing::ExitedWithCode;

namespace {

class TranslationTableTest : public SystemTest {
  protected:
};

void fillPalette(uint8_t red, uint8_t green, uint8_t blue) {
    for (int i = 0; i < 256; i++) {
        setPaletteEntry((uint8_t)i, red, green, blue);
    }
}

// A primary in the 16-bit layout the host is set to, locked once so that its description
// carries the pixel format.
void openSixteenBitPrimary() {
    createTestWindow(16, 8);
    ASSERT_EQ(DirectDrawCreate(nullptr, &display.directDraw, nullptr), DD_OK);
    ASSERT_EQ(
        display.directDraw->SetCooperativeLevel(mainWindow, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE),
        DD_OK);
    ASSERT_EQ(display.directDraw->SetDisplayMode(16, 8, 16), DD_OK);
    ASSERT_EQ(createPrimarySurface(), DD_OK);
    lockFrontBuffer();
    unlockFrontBuffer();
}

uint32_t sixteenBitEntry(const uint8_t* table, int index) {
    return table[2 * index] | (uint32_t)table[2 * index + 1] << 8;
}

TEST_F(TranslationTableTest, TrueColourTablesHoldBlueGreenRed) {
    buildDefaultPalette();
    setPaletteEntry(200, 0x12, 0x34, 0x56);
    const uint8_t* three = getTranslationTable(3);
    ASSERT_NE(three, nullptr);
    EXPECT_EQ(three[3 * 200], 0x56);
    EXPECT_EQ(three[3 * 200 + 1], 0x34);
    EXPECT_EQ(three[3 * 200 + 2], 0x12);
    EXPECT_EQ(three[3 * 12 + 2], 255);
    EXPECT_EQ(three[3 * 255 + 2], 255); // the last entry is inside the table
    const uint8_t* four = getTranslationTable(4);
    ASSERT_NE(four, nullptr);
    for (int i = 0; i < 256; i++) {
        ASSERT_EQ(four[4 * i], display.palette[i].peBlue) << i;
        ASSERT_EQ(four[4 * i + 1], display.palette[i].peGreen) << i;
        ASSERT_EQ(four[4 * i + 2], display.palette[i].peRed) << i;
        ASSERT_EQ(four[4 * i + 3], 0) << i;
    }
}

// Each format keeps a table of its own: a narrower one is never handed to a wider request, so
// reading a whole table of its width stays inside its memory.
TEST_F(TranslationTableTest, EveryFormatHasItsOwnTableBuiltOnce) {
    buildDefaultPalette();
    const uint8_t* four = getTranslationTable(4);
    const uint8_t* three = getTranslationTable(3);
    ASSERT_NE(four, nullptr);
    ASSERT_NE(three, nullptr);
    EXPECT_NE(three, four);
    EXPECT_EQ(three[3 * 15], 255);
    EXPECT_EQ(three[3 * 16], 0); // 3-byte entries: entry 16 starts at byte 48
    unsigned sum = 0;
    for (int i = 0; i < 1024; i++) {
        sum += four[i];
    }
    EXPECT_GT(sum, 0u);

    // Built once: later palette changes do not reach it, until the tables are freed.
    setPaletteEntry(0, 9, 9, 9);
    EXPECT_EQ(getTranslationTable(4), four);
    EXPECT_EQ(getTranslationTable(4)[0], 0);
    freeTranslationTables();
    EXPECT_EQ(getTranslationTable(4)[0], 9);
}

TEST_F(TranslationTableTest, UnknownFormatsGiveNullAndBuildNothing) {
    for (int32_t format : {0, -1, 5, 7, 1 << 30}) {
        EXPECT_EQ(getTranslationTable(format), nullptr) << format;
    }
    // Nothing was cached by those: the first real table still comes from today's palette.
    setPaletteEntry(3, 7, 8, 9);
    const uint8_t* three = getTranslationTable(3);
    ASSERT_NE(three, nullptr);
    EXPECT_EQ(three[9], 9);
    EXPECT_EQ(three[11], 7);
}

TEST_F(TranslationTableTest, SixteenBitsFiveSixFive) {
    openSixteenBitPrimary();
    setPaletteEntry(0, 255, 255, 255);
    setPaletteEntry(1, 255, 0, 0);
    setPaletteEntry(2, 0x12, 0x34, 0x56);
    setPaletteEntry(3, 0, 255, 0);
    const uint8_t* table = getTranslationTable(2);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(sixteenBitEntry(table, 0), 0xFFFFu);
    EXPECT_EQ(sixteenBitEntry(table, 1), 0xF800u);
    EXPECT_EQ(sixteenBitEntry(table, 2), 0x11AAu);
    EXPECT_EQ(table[4], 0xAA); // low byte first
    EXPECT_EQ(sixteenBitEntry(table, 3), 0x07E0u);
}

TEST_F(TranslationTableTest, SixteenBitsFiveFiveFive) {
    headlessSetMasks16(0x7C00, 0x3E0, 0x1F);
    openSixteenBitPrimary();
    setPaletteEntry(0, 255, 255, 255);
    setPaletteEntry(1, 255, 0, 0);
    setPaletteEntry(2, 0x12, 0x34, 0x56);
    setPaletteEntry(255, 0, 255, 0);
    const uint8_t* table = getTranslationTable(2);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(sixteenBitEntry(table, 0), 0x7FFFu);
    EXPECT_EQ(sixteenBitEntry(table, 1), 0x7C00u);
    EXPECT_EQ(sixteenBitEntry(table, 2), 0x08CAu);
    EXPECT_EQ(sixteenBitEntry(table, 255), 0x03E0u);
}

TEST_F(TranslationTableTest, AnyOtherSixteenBitLayoutIsFatal) {
    headlessSetMasks16(0xF00, 0xF0, 0xF);
    openSixteenBitPrimary();
    EXPECT_EXIT(getTranslationTable(2), ExitedWithCode(1),
                "^Oh sod it: Your graphics card fell off the back of a truck in Novosibirsk\\. "
                "Buy a new one or the mafia will be after you\\.\n$");
}

TEST_F(TranslationTableTest, SixteenBitsWithoutALockedPrimaryIsFatal) {
    EXPECT_EXIT(getTranslationTable(2), ExitedWithCode(1), "Novosibirsk");
}

TEST_F(TranslationTableTest, NovosibirskMessageIsExact) {
    EXPECT_STREQ(unsupportedPixelFormatMessage,
                 "Your graphics card fell off the back of a truck in Novosibirsk. Buy a new one "
                 "or the mafia will be after you.");
}

class NearestColourTest : public SystemTest {
  protected:
    void SetUp() override {
        SystemTest::SetUp();
        openTestDisplay8Bit(16, 8);
    }
};

TEST_F(NearestColourTest, PaletteWithoutDuplicatesGivesTheIdentity) {
    for (int i = 0; i < 256; i++) {
        setPaletteEntry((uint8_t)i, (uint8_t)i, (uint8_t)(255 - i), (uint8_t)(i * 7));
    }
    const uint8_t* table = getTranslationTable(1);
    ASSERT_NE(table, nullptr);
    for (int i = 0; i < 256; i++) {
        ASSERT_EQ(table[i], i);
    }
}

TEST_F(NearestColourTest, DuplicatesGoToTheLowerIndex) {
    // The default palette holds black at 0, 8, 16 and 40, white at 15 and 255, full blue at 9
    // and 220.
    const uint8_t* table = getTranslationTable(1);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table[0], 0);
    EXPECT_EQ(table[8], 0);
    EXPECT_EQ(table[16], 0);
    EXPECT_EQ(table[40], 0);
    EXPECT_EQ(table[255], 15);
    EXPECT_EQ(table[220], 9);
    EXPECT_EQ(table[7], 7);
    EXPECT_EQ(table[41], 41);
}

TEST_F(NearestColourTest, GreenWeighsThreeRedTwoBlueOne) {
    fillPalette(255, 255, 255);
    setPaletteEntry(3, 20, 10, 10);
    setPaletteEntry(4, 10, 20, 10);
    setPaletteEntry(5, 10, 10, 20);
    // In the program's copy only, not on screen.
    display.palette[100] = PaletteEntry{10, 10, 10, 4};
    const uint8_t* table = getTranslationTable(1);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table[100], 5);
    EXPECT_EQ(table[4], 4);

    freeTranslationTables();
    setPaletteEntry(5, 255, 255, 255);
    display.palette[100] = PaletteEntry{10, 10, 10, 4};
    EXPECT_EQ(getTranslationTable(1)[100], 3);
}

TEST_F(NearestColourTest, InexactTiesGoToTheLowerIndex) {
    fillPalette(255, 255, 255);
    setPaletteEntry(200, 0, 10, 10);
    setPaletteEntry(30, 20, 10, 10);
    display.palette[100] = PaletteEntry{10, 10, 10, 4};
    EXPECT_EQ(getTranslationTable(1)[100], 30);
}

TEST_F(NearestColourTest, FarthestColourStillFindsAMatch) {
    fillPalette(255, 255, 255);
    display.palette[7] = PaletteEntry{0, 0, 0, 4};
    EXPECT_EQ(getTranslationTable(1)[7], 0);
}

TEST_F(NearestColourTest, ScreenPaletteReferenceIsGivenBack) {
    int live = headlessLiveObjectCount();
    getTranslationTable(1);
    EXPECT_EQ(headlessLiveObjectCount(), live);
    releaseDisplayObjects();
    EXPECT_EQ(headlessLiveObjectCount(), 0);
}

TEST_F(NearestColourTest, FailingPaletteReadEndsAtSite2006) {
    headlessFailCall("GetEntries", 1, DDERR_GENERIC);
    EXPECT_EXIT(
        {
            std::atexit(reportFatalAftermath);
            getTranslationTable(1);
        },
        ExitedWithCode(1), "^Oh sod it: DirectDraw error 80004005 @ 2006\n.*live 0\n$");
}

TEST_F(NearestColourTest, FailingGetPaletteEndsAtSite2005) {
    headlessFailCall("GetPalette", 1, DDERR_GENERIC);
    EXPECT_EXIT(getTranslationTable(1), ExitedWithCode(1), "DirectDraw error 80004005 @ 2005");
}

TEST_F(TranslationTableTest, NearestColourOnTrueColourEndsAtSite2005) {
    openTestDisplay(16, 8);
    EXPECT_EXIT(getTranslationTable(1), ExitedWithCode(1), "DirectDraw error 8876023C @ 2005");
}

TEST_F(TranslationTableTest, NearestColourWithoutADisplayEndsAtSite2005) {
    EXPECT_EXIT(getTranslationTable(1), ExitedWithCode(1), "DirectDraw error 8876023C @ 2005");
}

} // namespace
