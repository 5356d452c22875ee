// Bounded random test of the sprite reader: random files, offsets and buffer sizes, each
// buffer allocated at exactly its size so that AddressSanitizer sees any write past it. The
// result and the buffer are checked against what the file holds.
#include "imagefile/spriteFile.h"

#include "imagefile/tempFilePath.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

TEST(SpriteFileFuzz, RandomFilesNeverOverrunAndReportShortReads) {
    const std::string path = tempFilePath(".spr");
    std::mt19937 random(20261207);
    auto between = [&random](int64_t low, int64_t high) {
        return std::uniform_int_distribution<int64_t>(low, high)(random);
    };
    for (int round = 0; round < 400; ++round) {
        // Small sizes mostly, so that sprites often end exactly at, just before or just past
        // the end of the file.
        std::vector<uint8_t> file(
            static_cast<size_t>(between(0, 2) ? between(0, 40) : between(0, 3000)));
        for (auto& b : file) {
            b = static_cast<uint8_t>(between(0, 2) ? between(0, 12) : between(0, 255));
        }
        FILE* out = std::fopen(path.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        if (!file.empty()) {
            std::fwrite(file.data(), 1, file.size(), out);
        }
        std::fclose(out);

        const int64_t size = static_cast<int64_t>(file.size());
        for (int attempt = 0; attempt < 8; ++attempt) {
            int32_t offset;
            switch (between(0, 5)) {
            case 0:
                offset = static_cast<int32_t>(between(INT_MIN, INT_MAX));
                break;
            case 1:
                offset = static_cast<int32_t>(size + between(-3, 3));
                break;
            default:
                offset = static_cast<int32_t>(between(-2, size + 2));
                break;
            }
            // What the file holds at the offset, if a whole sprite is there.
            int64_t need = -1;
            if (offset >= 0 && offset + 2 <= size) {
                need = 2 + static_cast<int64_t>(file[offset]) * file[offset + 1];
            }
            const size_t bufferSize = static_cast<size_t>(
                need >= 0 && between(0, 1) ? need + between(-2, 2) : between(0, 200));
            std::unique_ptr<uint8_t[]> buffer(new uint8_t[bufferSize]);
            std::vector<uint8_t> before(bufferSize);
            for (size_t i = 0; i < bufferSize; ++i) {
                before[i] = buffer[i] = static_cast<uint8_t>(between(0, 255));
            }
            const int result = loadSpriteFile(buffer.get(), bufferSize, path.c_str(), offset);
            const bool whole =
                need >= 0 && offset + need <= size && need <= static_cast<int64_t>(bufferSize);
            ASSERT_EQ(result, whole ? 1 : 0) << "round " << round << ", offset " << offset
                                             << ", file " << size << ", buffer " << bufferSize;
            for (size_t i = 0; i < bufferSize; ++i) {
                const uint8_t expected = whole && static_cast<int64_t>(i) < need
                                             ? file[static_cast<size_t>(offset) + i]
                                             : before[i];
                ASSERT_EQ(buffer[i], expected) << "byte " << i << ", round " << round;
            }
        }
    }
    std::remove(path.c_str());
}

} // namespace
