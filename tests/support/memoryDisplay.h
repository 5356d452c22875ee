// Points the display record at test-owned memory: any size, mode and pitch, with guard bytes
// after the buffer so that writes past it are caught.
#pragma once

#include "raster/pixelOps.h"
#include "record/displayState.h"

#include <cstdint>
#include <cstring>
#include <vector>

struct MemoryDisplay {
    std::vector<uint8_t> back;
    std::vector<uint8_t> layer;
    std::vector<uint8_t> front;
    int32_t pitch = 0;
    int32_t height = 0;
};

// Every byte starts as fill, so that untouched bytes (the fourth byte of a 32-bit pixel, the
// bytes past a row's end) can be told from written ones.
inline void openMemoryDisplay(MemoryDisplay* memory, int32_t width, int32_t height, PixelMode mode,
                              int32_t extraPitch = 0, uint8_t fill = 0) {
    std::memset(&display, 0, sizeof display);
    memory->pitch = width * mode + extraPitch;
    memory->height = height;
    const size_t size = static_cast<size_t>(memory->pitch) * height;
    memory->back.assign(size, fill);
    memory->layer.assign(size, fill);
    memory->front.assign(size, fill);
    display.screenWidth = width;
    display.screenHeight = height;
    display.pixelMode = mode;
    display.backBuffer = memory->back.data();
    display.backPitch = memory->pitch;
    display.layerBuffer = memory->layer.data();
    display.layerPitch = memory->pitch;
    display.frontBuffer = memory->front.data();
    display.frontPitch = memory->pitch;
    selectPixelOps();
}

inline const uint8_t* pixelAt(const MemoryDisplay& memory, const std::vector<uint8_t>& buffer,
                              int32_t x, int32_t y) {
    return buffer.data() + static_cast<size_t>(y) * memory.pitch +
           static_cast<size_t>(x) * display.pixelMode;
}

inline uint32_t colourAt(const MemoryDisplay& memory, int32_t x, int32_t y) {
    const uint8_t* p = pixelAt(memory, memory.back, x, y);
    if (display.pixelMode == 1) {
        return p[0];
    }
    return p[0] | p[1] << 8 | static_cast<uint32_t>(p[2]) << 16;
}

// Pixels of the back buffer that differ from fill, as (x, y) pairs in row order.
inline std::vector<std::pair<int32_t, int32_t>> touchedPixels(const MemoryDisplay& memory,
                                                              uint8_t fill = 0) {
    std::vector<std::pair<int32_t, int32_t>> touched;
    for (int32_t y = 0; y < memory.height; ++y) {
        for (int32_t x = 0; x < display.screenWidth; ++x) {
            const uint8_t* p = pixelAt(memory, memory.back, x, y);
            for (int32_t b = 0; b < display.pixelMode; ++b) {
                if (p[b] != fill) {
                    touched.emplace_back(x, y);
                    break;
                }
            }
        }
    }
    return touched;
}
