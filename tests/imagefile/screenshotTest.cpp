// Screenshots as files: the header fields, palette and rows as written, and the same file read
// back by ImageMagick, an independent BMP reader.
#include "imagefile/screenshot.h"
#include "support/testNames.h"

#include "display/presentation.h"
#include "raster/areaTestSupport.h"
#include "support/headlessFixture.h"

#include "imagefile/tempFilePath.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

uint32_t field32(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<uint32_t>(bytes[at + 3]) << 24;
}
uint32_t field16(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8;
}

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

bool toolAvailable(const char* tool) {
    const std::string command = std::string("command -v ") + tool + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

std::string runTool(const std::string& command) {
    std::string output;
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) {
        return output;
    }
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) {
        output.append(chunk, got);
    }
    pclose(pipe);
    return output;
}

// Every pixel as 0x00RRGGBB, whatever the mode: 8-bit indices are looked up in the palette.
std::vector<uint32_t> pictureColours() {
    std::vector<uint32_t> colours;
    for (int32_t y = 0; y < display.screenHeight; ++y) {
        for (int32_t x = 0; x < display.screenWidth; ++x) {
            uint32_t c = pixelOps.peek(static_cast<uint32_t>(x), static_cast<uint32_t>(y));
            if (display.pixelMode == 1) {
                const PaletteEntry& e = display.palette[c];
                c = static_cast<uint32_t>(e.peRed) << 16 | e.peGreen << 8 | e.peBlue;
            }
            colours.push_back(c);
        }
    }
    return colours;
}

class ScreenshotTest : public SystemTestWithParam<int> {
  protected:
    void TearDown() override {
        std::remove(path.c_str());
        SystemTest::TearDown();
    }

    // 8, 24 or 32 bits.
    void open(int32_t width, int32_t height, int bits, int extraPitch = 0) {
        headlessSetExtraPitch(extraPitch);
        if (bits == 8) {
            openTestDisplay8Bit(width, height);
        } else {
            if (bits == 32) {
                headlessRefuseDepth(24);
            }
            openTestDisplay(width, height);
        }
        ASSERT_EQ(display.pixelMode, bits / 8);
    }

    // Distinct values on every row and column; the 8-bit picture uses the whole palette.
    void paint() {
        for (int32_t y = 0; y < display.screenHeight; ++y) {
            for (int32_t x = 0; x < display.screenWidth; ++x) {
                const uint32_t v = static_cast<uint32_t>(x * 7 + y * 13);
                const Colour c = display.pixelMode == 1
                                     ? v & 0xFF
                                     : (v * 5 & 0xFF) << 16 | (v & 0xFF) << 8 | (y * 9 & 0xFF);
                pixelOps.plot(static_cast<uint32_t>(x), static_cast<uint32_t>(y), c);
            }
        }
    }

    std::string path = tempFilePath(".bmp");
};

// Header fields, palette, bottom-up rows padded with zeros to four bytes, and the picture as
// it was before the progress bar.
void checkFileAsWritten(const std::string& path, int32_t width, int32_t height,
                        const std::vector<uint8_t>& rowsBefore) {
    const bool palettized = display.pixelMode == 1;
    const std::vector<uint8_t> bytes = readFile(path);
    const uint32_t offset = palettized ? 1078 : 54;
    const uint32_t rowBytes = static_cast<uint32_t>(width) * (palettized ? 1 : 3);
    const uint32_t padded = (rowBytes + 3) / 4 * 4;
    ASSERT_EQ(bytes.size(), offset + padded * height);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(field32(bytes, 2), bytes.size()) << "file size";
    EXPECT_EQ(field32(bytes, 6), 0u);
    EXPECT_EQ(field32(bytes, 10), offset);
    EXPECT_EQ(field32(bytes, 14), 40u);
    EXPECT_EQ(field32(bytes, 18), static_cast<uint32_t>(width));
    EXPECT_EQ(field32(bytes, 22), static_cast<uint32_t>(height));
    EXPECT_EQ(field16(bytes, 26), 1u);
    EXPECT_EQ(field16(bytes, 28), palettized ? 8u : 24u);
    EXPECT_EQ(field32(bytes, 30), 0u);
    EXPECT_EQ(field32(bytes, 34), padded * height) << "image size";
    EXPECT_EQ(field32(bytes, 38), palettized ? 3780u : 2834u);
    EXPECT_EQ(field32(bytes, 42), palettized ? 3780u : 2834u);
    EXPECT_EQ(field32(bytes, 46), 0u);
    EXPECT_EQ(field32(bytes, 50), 0u);
    if (palettized) {
        for (int i = 0; i < 256; ++i) {
            const PaletteEntry& e = display.palette[i];
            ASSERT_EQ(std::vector<uint8_t>(bytes.begin() + 54 + 4 * i, bytes.begin() + 58 + 4 * i),
                      (std::vector<uint8_t>{e.peBlue, e.peGreen, e.peRed, 0}))
                << "palette entry " << i;
        }
    }
    for (int32_t row = 0; row < height; ++row) {
        const uint8_t* fileRow = bytes.data() + offset + row * padded;
        const uint8_t* expected = rowsBefore.data() + (height - 1 - row) * rowBytes;
        ASSERT_TRUE(std::equal(expected, expected + rowBytes, fileRow))
            << "file row " << row << " is screen row " << height - 1 - row;
        for (uint32_t b = rowBytes; b < padded; ++b) {
            ASSERT_EQ(fileRow[b], 0) << "padding of file row " << row;
        }
    }
}

// The rows as the file should hold them, top row first: indices, or blue, green, red.
std::vector<uint8_t> expectedRows() {
    std::vector<uint8_t> rows;
    for (int32_t y = 0; y < display.screenHeight; ++y) {
        for (int32_t x = 0; x < display.screenWidth; ++x) {
            const uint32_t c = pixelOps.peek(static_cast<uint32_t>(x), static_cast<uint32_t>(y));
            rows.push_back(static_cast<uint8_t>(c));
            if (display.pixelMode != 1) {
                rows.push_back(static_cast<uint8_t>(c >> 8));
                rows.push_back(static_cast<uint8_t>(c >> 16));
            }
        }
    }
    return rows;
}

INSTANTIATE_TEST_SUITE_P(Depths, ScreenshotTest, ::testing::Values(8, 24, 32), nameDepth);

TEST_P(ScreenshotTest, FileHoldsHeaderPaletteAndPaddedRows) {
    for (int32_t width : {37, 40, 41, 42}) {
        SCOPED_TRACE(width);
        resetSystemGlobals();
        open(width, 23, GetParam(), 12);
        paint();
        const std::vector<uint8_t> rows = expectedRows();
        ASSERT_EQ(writeScreenshot(path.c_str()), 1);
        checkFileAsWritten(path, width, 23, rows);
    }
}

// A row of 801 pixels takes 3 zero bytes in the 8-bit file and 1 in the 24-bit one.
TEST_P(ScreenshotTest, OddWidthRowsArePaddedToFourBytes) {
    open(801, 3, GetParam());
    paint();
    const std::vector<uint8_t> rows = expectedRows();
    ASSERT_EQ(writeScreenshot(path.c_str()), 1);
    checkFileAsWritten(path, 801, 3, rows);
    EXPECT_EQ(readFile(path).size(), GetParam() == 8 ? 1078u + 804 * 3 : 54u + 2404 * 3);
}

// The bar is drawn and presented after rows 49, 99, ...; the file keeps the picture from
// before it, the back buffer keeps the bar.
TEST_P(ScreenshotTest, ProgressBarEveryFiftyRowsOnTheBottomRow) {
    open(64, 120, GetParam());
    paint();
    const std::vector<uint8_t> rows = expectedRows();
    const int presentsBefore = headlessPresentCount();
    ASSERT_EQ(writeScreenshot(path.c_str()), 1);
    EXPECT_EQ(headlessPresentCount() - presentsBefore, 2);
    checkFileAsWritten(path, 64, 120, rows);
    const int32_t barEnd = 99 * 64 / 120;
    for (int32_t x = 0; x < 64; ++x) {
        EXPECT_EQ(pixelOps.peek(static_cast<uint32_t>(x), 119), x <= barEnd ? 15u : 0u) << x;
    }
    EXPECT_NE(pixelOps.peek(0, 118), 15u) << "only the bottom row";
}

TEST_P(ScreenshotTest, ImageMagickReadsSizeDepthAndPixels) {
    if (!toolAvailable("convert") || !toolAvailable("identify")) {
        GTEST_SKIP() << "ImageMagick (convert, identify) is not installed";
    }
    for (int32_t width : {37, 40}) {
        SCOPED_TRACE(width);
        resetSystemGlobals();
        open(width, 21, GetParam(), 4);
        paint();
        const std::vector<uint32_t> colours = pictureColours();
        ASSERT_EQ(writeScreenshot(path.c_str()), 1);

        std::istringstream identified(runTool("identify -format '%w %h %z %r' '" + path + "'"));
        int32_t w = 0, h = 0, depth = 0;
        std::string imageClass;
        identified >> w >> h >> depth >> imageClass;
        EXPECT_EQ(w, width);
        EXPECT_EQ(h, 21);
        EXPECT_EQ(depth, 8);
        EXPECT_EQ(imageClass, GetParam() == 8 ? "PseudoClass" : "DirectClass");

        // Lines of "x,y: (...)  #RRGGBB  ...", one per pixel.
        std::istringstream text(runTool("convert '" + path + "' -depth 8 txt:-"));
        std::string line;
        int pixels = 0;
        while (std::getline(text, line)) {
            if (line.empty() || line[0] == '#') {
                continue;
            }
            int x = -1, y = -1;
            ASSERT_EQ(std::sscanf(line.c_str(), "%d,%d:", &x, &y), 2) << line;
            const size_t hash = line.find('#');
            ASSERT_NE(hash, std::string::npos) << line;
            const uint32_t rgb =
                static_cast<uint32_t>(std::stoul(line.substr(hash + 1, 6), nullptr, 16));
            ASSERT_TRUE(x >= 0 && x < width && y >= 0 && y < 21) << line;
            EXPECT_EQ(rgb, colours[y * width + x]) << "pixel " << x << ", " << y;
            ++pixels;
        }
        EXPECT_EQ(pixels, width * 21);
    }
}

// The size fields hold the real sizes, not the fixed values of a template.
TEST(ScreenshotSizeTest, FullScreenFilesHaveTheirRealSizes) {
    resetSystemGlobals();
    resetSystemGlobals();
    const std::string path = tempFilePath(".bmp");
    headlessRefuseDepth(24);
    openTestDisplay(800, 600);
    ASSERT_EQ(display.pixelMode, 4);
    const int presentsBefore = headlessPresentCount();
    ASSERT_EQ(writeScreenshot(path.c_str()), 1);
    EXPECT_EQ(headlessPresentCount() - presentsBefore, 12) << "after 49, 99, ... 599 rows";
    std::vector<uint8_t> bytes = readFile(path);
    EXPECT_EQ(bytes.size(), 1440054u);
    EXPECT_EQ(field32(bytes, 2), 1440054u);
    EXPECT_EQ(field32(bytes, 34), 1440000u);
    resetSystemGlobals();
    openTestDisplay8Bit(800, 600);
    ASSERT_EQ(writeScreenshot(path.c_str()), 1);
    bytes = readFile(path);
    EXPECT_EQ(bytes.size(), 481078u);
    EXPECT_EQ(field32(bytes, 2), 481078u);
    EXPECT_EQ(field32(bytes, 34), 480000u);
    std::remove(path.c_str());
    resetSystemGlobals();
}

// Nothing is written and nothing drawn or shown when the file cannot be created.
TEST_P(ScreenshotTest, UncreatableFileWritesAndDrawsNothing) {
    open(64, 120, GetParam());
    paint();
    const std::vector<uint8_t> rows = expectedRows();
    const int presentsBefore = headlessPresentCount();
    const std::string missing = ::testing::TempDir() + "no/such/folder/shot.bmp";
    EXPECT_EQ(writeScreenshot(missing.c_str()), 0);
    EXPECT_EQ(writeScreenshot(nullptr), 0);
    EXPECT_EQ(headlessPresentCount(), presentsBefore);
    EXPECT_EQ(expectedRows(), rows) << "no progress bar";
    FILE* file = std::fopen(missing.c_str(), "rb");
    EXPECT_EQ(file, nullptr);
    if (file != nullptr) {
        std::fclose(file);
    }
}

// Inside a clip window the file holds the window's picture, and the window stays set.
TEST_P(ScreenshotTest, ClipWindowGivesThePictureOfTheWindow) {
    open(40, 30, GetParam(), 4);
    paint();
    setClipWindow(5, 7, 26, 20);
    const std::vector<uint8_t> rows = expectedRows();
    ASSERT_EQ(writeScreenshot(path.c_str()), 1);
    checkFileAsWritten(path, 21, 13, rows);
    EXPECT_TRUE(clipWindowSet);
    EXPECT_EQ(display.screenWidth, 21);
    setClipWindow(3, 3, 3, 3);
    std::remove(path.c_str());
    EXPECT_EQ(writeScreenshot(path.c_str()), 0) << "an empty window has no picture";
    EXPECT_TRUE(readFile(path).empty());
    clearClipWindow();
}

} // namespace
