// The sprite file reader on any file, offset and buffer size. Oracle: a read that fails leaves
// the buffer as it was; one that succeeds holds exactly the file's sprite at the offset and
// nothing else has changed. The buffer is allocated at exactly its size.
#include "fuzzInput.h"
#include "imagefile/spriteFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "oracle failed: %s\n", what);
        std::abort();
    }
}

const std::string& filePath() {
    static const std::string path =
        "/tmp/quarnel-fuzz-sprite-" + std::to_string(static_cast<long>(getpid())) + ".spr";
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    const uint8_t kind = takeByte(&in);
    int32_t offset = static_cast<int32_t>(takeWord(&in));
    if (kind < 192) {
        offset = static_cast<int32_t>(static_cast<uint32_t>(offset) % 64);
    }
    const uint32_t sizeWord = takeWord(&in);
    const size_t bufferSize = kind % 2 == 0 ? sizeWord % 300 : sizeWord % (2 + 255 * 255 + 8);
    const std::vector<uint8_t> file(in.data, in.data + in.size);

    FILE* out = std::fopen(filePath().c_str(), "wb");
    check(out != nullptr, "the file can be written");
    check(std::fwrite(file.data(), 1, file.size(), out) == file.size(), "the file is written");
    std::fclose(out);

    std::vector<uint8_t> buffer(bufferSize, 0xA5);
    const int result = loadSpriteFile(buffer.data(), buffer.size(), filePath().c_str(), offset);
    size_t spriteBytes = 0;
    bool fits = false;
    if (offset >= 0 && static_cast<size_t>(offset) + 2 <= file.size()) {
        spriteBytes = 2 + static_cast<size_t>(file[offset]) * file[offset + 1];
        fits =
            static_cast<size_t>(offset) + spriteBytes <= file.size() && spriteBytes <= bufferSize;
    }
    check(result == (fits ? 1 : 0), "the result says whether the whole sprite fitted");
    for (size_t i = 0; i < bufferSize; ++i) {
        const uint8_t expected =
            result == 1 && i < spriteBytes ? file[static_cast<size_t>(offset) + i] : 0xA5;
        check(buffer[i] == expected, "the buffer holds the sprite and nothing else changed");
    }
    return 0;
}
