#include "imagefile/spriteFile.h"

#include "raster/sprites.h"

#include <cstdio>
#include <cstring>

namespace {

// Byte by byte through the runtime library's buffering; false at the end of the file.
bool readBytes(FILE* file, uint8_t* destination, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const int c = std::fgetc(file);
        if (c == EOF) {
            return false;
        }
        destination[i] = static_cast<uint8_t>(c);
    }
    return true;
}

} // namespace

int loadSpriteFile(uint8_t* buffer, size_t bufferSize, const char* path, int32_t offset) {
    if (buffer == nullptr || path == nullptr) {
        return 0;
    }
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return 0;
    }
    // Read whole into a scratch sprite first, so that a short file leaves the buffer alone.
    static uint8_t sprite[largestIndexedSprite];
    bool complete =
        offset >= 0 && std::fseek(file, offset, SEEK_SET) == 0 && readBytes(file, sprite, 2);
    size_t size = 0;
    if (complete) {
        size = 2 + static_cast<size_t>(sprite[0]) * sprite[1];
        complete = size <= bufferSize && readBytes(file, sprite + 2, size - 2);
    }
    std::fclose(file);
    if (!complete) {
        return 0;
    }
    std::memcpy(buffer, sprite, size);
    return 1;
}
