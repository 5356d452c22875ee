#include "frameFiles.h"

#include "imagefile/pngFile.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Red, green, blue of one pixel of the frame.
void pixelColour(const HeadlessFrame* frame, int x, int y, uint8_t rgb[3]) {
    const BYTE* pixel = frame->pixels + (static_cast<size_t>(y) * frame->width + x) *
                                            static_cast<size_t>(frame->bytesPerPixel);
    if (frame->bytesPerPixel == 1) {
        const PALETTEENTRY& entry = frame->palette[*pixel];
        rgb[0] = entry.peRed;
        rgb[1] = entry.peGreen;
        rgb[2] = entry.peBlue;
        return;
    }
    rgb[0] = pixel[2];
    rgb[1] = pixel[1];
    rgb[2] = pixel[0];
}

void putLittleEndian(std::vector<uint8_t>* out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out->push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

std::vector<uint8_t> encodePpm(const HeadlessFrame* frame) {
    const std::string head =
        "P6\n" + std::to_string(frame->width) + " " + std::to_string(frame->height) + "\n255\n";
    std::vector<uint8_t> out(head.begin(), head.end());
    out.reserve(out.size() + static_cast<size_t>(frame->width) * frame->height * 3);
    for (int y = 0; y < frame->height; ++y) {
        for (int x = 0; x < frame->width; ++x) {
            uint8_t rgb[3];
            pixelColour(frame, x, y, rgb);
            out.insert(out.end(), rgb, rgb + 3);
        }
    }
    return out;
}

// Red, green, blue rows, for the PNG writer.
std::vector<uint8_t> frameRgb(const HeadlessFrame* frame) {
    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(frame->width) * frame->height * 3);
    for (int y = 0; y < frame->height; ++y) {
        for (int x = 0; x < frame->width; ++x) {
            uint8_t rgb[3];
            pixelColour(frame, x, y, rgb);
            out.insert(out.end(), rgb, rgb + 3);
        }
    }
    return out;
}

std::vector<uint8_t> encodeBmp(const HeadlessFrame* frame) {
    const uint32_t rowSize = (static_cast<uint32_t>(frame->width) * 3 + 3) & ~3u;
    const uint32_t imageSize = rowSize * static_cast<uint32_t>(frame->height);
    std::vector<uint8_t> out{'B', 'M'};
    putLittleEndian(&out, 54 + imageSize, 4);
    putLittleEndian(&out, 0, 4);
    putLittleEndian(&out, 54, 4);
    putLittleEndian(&out, 40, 4);
    putLittleEndian(&out, static_cast<uint32_t>(frame->width), 4);
    putLittleEndian(&out, static_cast<uint32_t>(frame->height), 4);
    putLittleEndian(&out, 1, 2);
    putLittleEndian(&out, 24, 2);
    putLittleEndian(&out, 0, 4);
    putLittleEndian(&out, imageSize, 4);
    putLittleEndian(&out, 2834, 4);
    putLittleEndian(&out, 2834, 4);
    putLittleEndian(&out, 0, 4);
    putLittleEndian(&out, 0, 4);
    for (int y = frame->height - 1; y >= 0; --y) {
        for (int x = 0; x < frame->width; ++x) {
            uint8_t rgb[3];
            pixelColour(frame, x, y, rgb);
            out.push_back(rgb[2]);
            out.push_back(rgb[1]);
            out.push_back(rgb[0]);
        }
        out.resize(out.size() + (rowSize - static_cast<uint32_t>(frame->width) * 3), 0);
    }
    return out;
}

} // namespace

FrameFileFormat frameFileFormat(const std::string& path) {
    if (endsWith(path, ".ppm")) {
        return FrameFileFormat::ppm;
    }
    if (endsWith(path, ".bmp")) {
        return FrameFileFormat::bmp;
    }
    if (endsWith(path, ".png")) {
        return FrameFileFormat::png;
    }
    return FrameFileFormat::unknown;
}

bool writeFrameFile(const std::string& path, FrameFileFormat format, const HeadlessFrame* frame) {
    if (format == FrameFileFormat::png) {
        const std::vector<uint8_t> rgb = frameRgb(frame);
        return writePngFile(path.c_str(), rgb.data(), frame->width, frame->height);
    }
    const std::vector<uint8_t> bytes =
        format == FrameFileFormat::ppm ? encodePpm(frame) : encodeBmp(frame);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
