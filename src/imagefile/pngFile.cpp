#include "imagefile/pngFile.h"

#include <cstdio>

#if defined(QUARNEL_PNG)
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>

namespace {

struct PngOutput {
    FILE* file;
    bool failed;
};

void writeBytes(void* context, void* data, int size) {
    PngOutput* out = static_cast<PngOutput*>(context);
    if (!out->failed &&
        std::fwrite(data, 1, static_cast<size_t>(size), out->file) != static_cast<size_t>(size)) {
        out->failed = true;
    }
}

} // namespace

bool pngSupported() {
    return true;
}

bool writePngFile(const char* path, const uint8_t* rgb, int width, int height) {
    if (width <= 0 || height <= 0 || width > 0x7FFFFFFF / 3) {
        return false;
    }
    PngOutput out{std::fopen(path, "wb"), false};
    if (out.file == nullptr) {
        return false;
    }
    const bool encoded =
        stbi_write_png_to_func(writeBytes, &out, width, height, 3, rgb, width * 3) != 0;
    const bool closed = std::fclose(out.file) == 0;
    if (!encoded || out.failed || !closed) {
        std::remove(path);
        return false;
    }
    return true;
}

#else

bool pngSupported() {
    return false;
}

bool writePngFile(const char*, const uint8_t*, int, int) {
    return false;
}

#endif
