// The palettes as the program's own copy holds them, on a run without a palette object.
#include "colour/defaultPalette.h"
#include "colour/gammaPalettes.h"
#include "colour/paletteConversion.h"
#include "colour/paletteUpload.h"
#include "record/displayState.h"
#include "support/systemReset.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

class PaletteLayoutTest : public SystemTest {
  protected:
};

::testing::AssertionResult entryIs(int index, int red, int green, int blue) {
    const PaletteEntry& entry = display.palette[index];
    if (entry.peRed == red && entry.peGreen == green && entry.peBlue == blue &&
        entry.peFlags == 4) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "entry " << index << " is (" << (int)entry.peRed << ", " << (int)entry.peGreen << ", "
           << (int)entry.peBlue << ", flags " << (int)entry.peFlags << "), not (" << red << ", "
           << green << ", " << blue << ", flags 4)";
}

bool everyFlagIsFour() {
    for (const PaletteEntry& entry : display.palette) {
        if (entry.peFlags != 4) {
            return false;
        }
    }
    return true;
}

TEST_F(PaletteLayoutTest, DefaultPaletteAtItsBoundaries) {
    buildDefaultPalette();
    EXPECT_TRUE(everyFlagIsFour());
    EXPECT_TRUE(entryIs(0, 0, 0, 0));
    EXPECT_TRUE(entryIs(1, 0, 0, 128));
    EXPECT_TRUE(entryIs(6, 128, 128, 0));
    EXPECT_TRUE(entryIs(7, 128, 128, 128));
    EXPECT_TRUE(entryIs(8, 0, 0, 0));
    EXPECT_TRUE(entryIs(9, 0, 0, 255));
    EXPECT_TRUE(entryIs(12, 255, 0, 0));
    EXPECT_TRUE(entryIs(15, 255, 255, 255));
    EXPECT_TRUE(entryIs(16, 0, 0, 0));
    EXPECT_TRUE(entryIs(17, 11, 11, 11));
    EXPECT_TRUE(entryIs(39, 253, 253, 253));
    EXPECT_TRUE(entryIs(40, 0, 0, 0));
    // Red fastest, then green, then blue.
    EXPECT_TRUE(entryIs(41, 51, 0, 0));
    EXPECT_TRUE(entryIs(45, 255, 0, 0));
    EXPECT_TRUE(entryIs(46, 0, 51, 0));
    EXPECT_TRUE(entryIs(76, 0, 0, 51));
    EXPECT_TRUE(entryIs(254, 204, 255, 255));
    EXPECT_TRUE(entryIs(255, 255, 255, 255));
}

TEST_F(PaletteLayoutTest, CubePaletteAtGammaOne) {
    setCubePalette(1.0f);
    EXPECT_TRUE(everyFlagIsFour());
    EXPECT_TRUE(entryIs(0, 0, 0, 0));
    EXPECT_TRUE(entryIs(1, 0, 0, 127));
    EXPECT_TRUE(entryIs(7, 127, 127, 127));
    EXPECT_TRUE(entryIs(8, 63, 63, 63));
    EXPECT_TRUE(entryIs(12, 255, 0, 0));
    EXPECT_TRUE(entryIs(15, 255, 255, 255));
    const int greys[24] = {0,   11,  22,  33,  44,  55,  66,  77,  88,  99,  111, 122,
                           133, 144, 155, 166, 177, 188, 199, 210, 222, 233, 244, 255};
    for (int i = 16; i < 40; i++) {
        EXPECT_TRUE(entryIs(i, greys[i - 16], greys[i - 16], greys[i - 16]));
    }
    const int levels[6] = {0, 51, 102, 153, 204, 255};
    for (int step = 0; step < 6; step++) {
        EXPECT_TRUE(entryIs(40 + step, levels[step], 0, 0));
        EXPECT_TRUE(entryIs(40 + 6 * step, 0, levels[step], 0));
        EXPECT_TRUE(entryIs(40 + 36 * step, 0, 0, levels[step]));
    }
    EXPECT_TRUE(entryIs(255, 255, 255, 255));
}

TEST_F(PaletteLayoutTest, CubePaletteAtGammaTwo) {
    setCubePalette(2.0f);
    const int levels[6] = {0, 114, 161, 197, 228, 255};
    for (int step = 0; step < 6; step++) {
        EXPECT_TRUE(entryIs(40 + step, levels[step], 0, 0));
        EXPECT_TRUE(entryIs(40 + 6 * step, 0, levels[step], 0));
        EXPECT_TRUE(entryIs(40 + 36 * step, 0, 0, levels[step]));
    }
    // sqrt(0.5) and sqrt(0.25) of 255.4, truncated.
    EXPECT_TRUE(entryIs(1, 0, 0, 180));
    EXPECT_TRUE(entryIs(8, 127, 127, 127));
}

TEST_F(PaletteLayoutTest, DefaultHasBlackAtEightWhereGammaPalettesHaveDarkGrey) {
    buildDefaultPalette();
    EXPECT_TRUE(entryIs(8, 0, 0, 0));
    setCubePalette(1.0f);
    EXPECT_TRUE(entryIs(8, 63, 63, 63));
    setHuePalette(1.0f);
    EXPECT_TRUE(entryIs(8, 63, 63, 63));
}

TEST_F(PaletteLayoutTest, HuePaletteGreysCubeAndBlackTail) {
    setHuePalette(1.0f);
    EXPECT_TRUE(everyFlagIsFour());
    EXPECT_TRUE(entryIs(4, 127, 0, 0));
    EXPECT_TRUE(entryIs(14, 255, 255, 0));
    for (int i = 16; i < 32; i++) {
        EXPECT_TRUE(entryIs(i, 17 * (i - 16), 17 * (i - 16), 17 * (i - 16)));
    }
    const int levels[5] = {0, 63, 127, 191, 255};
    for (int step = 0; step < 5; step++) {
        EXPECT_TRUE(entryIs(128 + step, levels[step], 0, 0));
        EXPECT_TRUE(entryIs(128 + 5 * step, 0, levels[step], 0));
        EXPECT_TRUE(entryIs(128 + 25 * step, 0, 0, levels[step]));
    }
    EXPECT_TRUE(entryIs(252, 255, 255, 255));
    EXPECT_TRUE(entryIs(253, 0, 0, 0));
    EXPECT_TRUE(entryIs(254, 0, 0, 0));
    EXPECT_TRUE(entryIs(255, 0, 0, 0));
}

TEST_F(PaletteLayoutTest, HueCirclesRunThroughTheSextantsOfEachBand) {
    setHuePalette(1.0f);
    // Full colours: the first entry of each sextant.
    EXPECT_TRUE(entryIs(32, 0, 0, 255));   // blue
    EXPECT_TRUE(entryIs(36, 255, 0, 255)); // magenta
    EXPECT_TRUE(entryIs(40, 255, 0, 0));   // red
    EXPECT_TRUE(entryIs(44, 255, 255, 0)); // yellow
    EXPECT_TRUE(entryIs(48, 0, 255, 0));   // green
    EXPECT_TRUE(entryIs(52, 0, 255, 255)); // cyan
    // Within sextants: rising, then falling.
    EXPECT_TRUE(entryIs(33, 63, 0, 255));
    EXPECT_TRUE(entryIs(34, 127, 0, 255));
    EXPECT_TRUE(entryIs(35, 191, 0, 255));
    EXPECT_TRUE(entryIs(37, 255, 0, 191));
    EXPECT_TRUE(entryIs(38, 255, 0, 127));
    EXPECT_TRUE(entryIs(39, 255, 0, 63));
    EXPECT_TRUE(entryIs(55, 0, 63, 255)); // back towards blue
    // Light band (1.0, 0.5): (0.625) gives 159.
    EXPECT_TRUE(entryIs(56, 127, 127, 255));
    EXPECT_TRUE(entryIs(57, 159, 127, 255));
    EXPECT_TRUE(entryIs(64, 255, 127, 127));
    // Dark band (0.25, 0.0) and medium band (0.5, 0.0).
    EXPECT_TRUE(entryIs(80, 0, 0, 63));
    EXPECT_TRUE(entryIs(88, 63, 0, 0));
    EXPECT_TRUE(entryIs(104, 0, 0, 127));
    EXPECT_TRUE(entryIs(116, 127, 127, 0));
    EXPECT_TRUE(entryIs(127, 0, 31, 127));
}

TEST_F(PaletteLayoutTest, GammaThatIsNotPositiveChangesNothing) {
    buildDefaultPalette();
    std::vector<PaletteEntry> before(display.palette, display.palette + 256);
    setCubePalette(0.0f);
    setCubePalette(-1.0f);
    setHuePalette(std::nanf(""));
    EXPECT_EQ(std::memcmp(before.data(), display.palette, sizeof display.palette), 0);
}

TEST_F(PaletteLayoutTest, EntryIsWrittenWithFlagsFourWithoutAPaletteObject) {
    setPaletteEntry(255, 1, 2, 3);
    setPaletteEntry(0, 250, 251, 252);
    EXPECT_TRUE(entryIs(255, 1, 2, 3));
    EXPECT_TRUE(entryIs(0, 250, 251, 252));
}

TEST_F(PaletteLayoutTest, FloatsAreBytesOver256AndNeverOne) {
    setPaletteEntry(0, 255, 128, 0);
    setPaletteEntry(1, 1, 2, 3);
    setPaletteEntry(255, 0, 255, 64);
    float red[256];
    float green[256];
    float blue[256];
    paletteToFloats(red, green, blue);
    EXPECT_EQ(red[0], 0.99609375f);
    EXPECT_EQ(green[0], 0.5f);
    EXPECT_EQ(blue[0], 0.0f);
    EXPECT_EQ(red[1], 1.0f / 256.0f);
    EXPECT_EQ(blue[1], 3.0f / 256.0f);
    EXPECT_EQ(green[255], 0.99609375f);
    EXPECT_EQ(blue[255], 0.25f);
    for (int i = 0; i < 256; i++) {
        ASSERT_LT(red[i], 1.0f);
        ASSERT_LT(green[i], 1.0f);
        ASSERT_LT(blue[i], 1.0f);
    }
    float r = -1.0f;
    float g = -1.0f;
    float b = -1.0f;
    paletteEntryToFloats(255, &r, &g, &b);
    EXPECT_EQ(r, 0.0f);
    EXPECT_EQ(g, 0.99609375f);
    EXPECT_EQ(b, 0.25f);
}

} // namespace
