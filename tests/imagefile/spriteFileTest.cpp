#include "imagefile/spriteFile.h"

#include "raster/sprites.h"

#include "imagefile/tempFilePath.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const uint8_t untouched = 0xEE;

class SpriteFileTest : public ::testing::Test {
  protected:
    void SetUp() override { buffer.assign(largestIndexedSprite, untouched); }
    void TearDown() override { std::remove(path.c_str()); }

    void writeFile(const std::vector<uint8_t>& bytes) {
        FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        if (!bytes.empty()) {
            ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
        }
        std::fclose(file);
    }

    int load(int32_t offset) {
        return loadSpriteFile(buffer.data(), buffer.size(), path.c_str(), offset);
    }

    bool bufferUntouchedFrom(size_t first) const {
        for (size_t i = first; i < buffer.size(); ++i) {
            if (buffer[i] != untouched) {
                return false;
            }
        }
        return true;
    }

    std::string path = tempFilePath(".spr");
    std::vector<uint8_t> buffer;
};

TEST_F(SpriteFileTest, ReadsSizesAndPixelsAtTheOffset) {
    writeFile({2, 1, 7, 9});
    EXPECT_EQ(load(0), 1);
    EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + 4),
              (std::vector<uint8_t>{2, 1, 7, 9}));
    EXPECT_TRUE(bufferUntouchedFrom(4));
}

TEST_F(SpriteFileTest, SeveralSpritesInOneFile) {
    writeFile({0xAA, 0xBB, 0xCC, 1, 1, 42, 2, 2, 1, 2, 3, 4, 0xDD});
    EXPECT_EQ(load(3), 1);
    EXPECT_EQ(buffer[2], 42);
    EXPECT_EQ(buffer[3], untouched);
    EXPECT_EQ(load(6), 1);
    EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + 6),
              (std::vector<uint8_t>{2, 2, 1, 2, 3, 4}));
    EXPECT_TRUE(bufferUntouchedFrom(6));
}

TEST_F(SpriteFileTest, EmptySpriteStoresOnlyItsSizes) {
    writeFile({0, 9, 5, 5, 3, 0, 5});
    EXPECT_EQ(load(0), 1);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(buffer[1], 9);
    EXPECT_TRUE(bufferUntouchedFrom(2));
    EXPECT_EQ(load(4), 1);
    EXPECT_EQ(buffer[0], 3);
    EXPECT_EQ(buffer[1], 0);
    EXPECT_TRUE(bufferUntouchedFrom(2));
}

TEST_F(SpriteFileTest, LargestSpriteFitsTheDocumentedSize) {
    std::vector<uint8_t> bytes = {255, 255};
    for (int i = 0; i < 255 * 255; ++i) {
        bytes.push_back(static_cast<uint8_t>(i * 31));
    }
    writeFile(bytes);
    EXPECT_EQ(load(0), 1);
    EXPECT_EQ(buffer, bytes);
}

TEST_F(SpriteFileTest, MissingFileIsAFailureAndLeavesTheBuffer) {
    path = ::testing::TempDir() + "no/such/folder/sprite.spr";
    EXPECT_EQ(load(0), 0);
    EXPECT_TRUE(bufferUntouchedFrom(0));
}

// A file that ends inside the sprite is a failure; nothing of it reaches the buffer.
TEST_F(SpriteFileTest, TruncatedFilesAreFailuresAndLeaveTheBuffer) {
    const std::vector<std::vector<uint8_t>> files = {{}, {4}, {2, 2, 1, 2, 3}, {255, 255, 1}};
    for (const auto& bytes : files) {
        writeFile(bytes);
        EXPECT_EQ(load(0), 0) << bytes.size() << " bytes";
        EXPECT_TRUE(bufferUntouchedFrom(0)) << bytes.size() << " bytes";
    }
    writeFile({9, 9, 2, 1, 7});
    EXPECT_EQ(load(2), 0) << "one pixel short at the offset";
    EXPECT_TRUE(bufferUntouchedFrom(0));
}

TEST_F(SpriteFileTest, OffsetsBeforeTheStartOrAtTheEndAreFailures) {
    writeFile({2, 1, 7, 9});
    EXPECT_EQ(load(-1), 0);
    EXPECT_EQ(load(INT32_MIN), 0);
    EXPECT_EQ(load(4), 0);
    EXPECT_EQ(load(3), 0);
    EXPECT_EQ(load(INT32_MAX), 0);
    EXPECT_TRUE(bufferUntouchedFrom(0));
}

TEST_F(SpriteFileTest, SpriteLargerThanTheBufferIsAFailure) {
    writeFile({2, 1, 7, 9});
    std::vector<uint8_t> small(3, untouched);
    EXPECT_EQ(loadSpriteFile(small.data(), small.size(), path.c_str(), 0), 0);
    EXPECT_EQ(small, std::vector<uint8_t>(3, untouched));
    std::vector<uint8_t> exact(4, untouched);
    EXPECT_EQ(loadSpriteFile(exact.data(), exact.size(), path.c_str(), 0), 1);
    EXPECT_EQ(exact, (std::vector<uint8_t>{2, 1, 7, 9}));
    EXPECT_EQ(loadSpriteFile(nullptr, 10, path.c_str(), 0), 0);
    EXPECT_EQ(loadSpriteFile(exact.data(), exact.size(), nullptr, 0), 0);
}

} // namespace
