// A presented frame as plain red, green, blue rows, to keep and compare frames whatever the
// depth they were shown in.
#pragma once

#include "platform/host/headless/headlessHost.h"

#include <cstddef>
#include <cstdint>
#include <vector>

typedef std::vector<uint8_t> Picture;

inline Picture pictureOf(const HeadlessFrame* frame) {
    Picture picture;
    picture.reserve(static_cast<size_t>(frame->width) * frame->height * 3);
    for (int i = 0; i < frame->width * frame->height; ++i) {
        const uint8_t* pixel = frame->pixels + static_cast<size_t>(i) * frame->bytesPerPixel;
        picture.push_back(pixel[2]);
        picture.push_back(pixel[1]);
        picture.push_back(pixel[0]);
    }
    return picture;
}
