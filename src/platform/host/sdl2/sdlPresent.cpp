// A present: the visible surface is converted into a streaming texture, which is drawn
// letterboxed into the window.
#include "platform/host/sdl2/sdlFrameConversion.h"
#include "platform/host/sdl2/sdlLetterbox.h"
#include "platform/host/sdl2/sdlState.h"

#include <cstddef>
#include <cstdio>
#include <cstring>

// Presents come no closer together than this even where the refresh does not hold them back
// (a virtual display, vsync switched off by the driver): the program's speeds are per frame.
static const Uint32 shortestFrameMilliseconds = 1000 / 80;

static bool ensureTexture(int width, int height) {
    if (sdlHost.texture && sdlHost.textureWidth == width && sdlHost.textureHeight == height) {
        return true;
    }
    if (sdlHost.texture) {
        SDL_DestroyTexture(sdlHost.texture);
    }
    sdlHost.texture = SDL_CreateTexture(sdlHost.renderer, SDL_PIXELFORMAT_RGB888,
                                        SDL_TEXTUREACCESS_STREAMING, width, height);
    if (!sdlHost.texture) {
        sdlHost.textureWidth = 0;
        sdlHost.textureHeight = 0;
        std::fprintf(stderr, "SDL: no %dx%d picture: %s\n", width, height, SDL_GetError());
        return false;
    }
    sdlHost.textureWidth = width;
    sdlHost.textureHeight = height;
    return true;
}

static void keepPace(void) {
    Uint32 elapsed = SDL_GetTicks() - sdlHost.lastPresentTicks;
    if (sdlHost.presentedBefore && elapsed < shortestFrameMilliseconds) {
        SDL_Delay(shortestFrameMilliseconds - elapsed);
    }
    sdlHost.lastPresentTicks = SDL_GetTicks();
    sdlHost.presentedBefore = true;
}

// Kept without padding; the buffer grows only when the picture does.
static void keepIndexedPicture(const HostFrame& frame) {
    sdlHost.lastPictureIndexed = frame.bytesPerPixel == 1;
    if (!sdlHost.lastPictureIndexed || frame.pixels == sdlHost.indexedPicture.data()) {
        return;
    }
    size_t rowBytes = static_cast<size_t>(frame.width);
    sdlHost.indexedPicture.resize(rowBytes * static_cast<size_t>(frame.height));
    for (int y = 0; y < frame.height; y++) {
        std::memcpy(&sdlHost.indexedPicture[rowBytes * static_cast<size_t>(y)],
                    frame.pixels + static_cast<std::ptrdiff_t>(y) * frame.pitch, rowBytes);
    }
    sdlHost.indexedWidth = frame.width;
    sdlHost.indexedHeight = frame.height;
}

void sdlShowPalette(const HostPaletteEntry* entries) {
    if (!sdlHost.lastPictureIndexed || sdlHost.indexedPicture.empty()) {
        return;
    }
    HostFrame frame = {sdlHost.indexedPicture.data(),
                       sdlHost.indexedWidth,
                       sdlHost.indexedHeight,
                       sdlHost.indexedWidth,
                       1,
                       entries};
    sdlPresent(&frame);
}

void sdlPresent(const HostFrame* frame) {
    if (!sdlHost.renderer || !frame || !frame->pixels || frame->width < 1 || frame->height < 1) {
        return;
    }
    if (!ensureTexture(frame->width, frame->height)) {
        return;
    }
    sdlHost.pictureWidth = frame->width;
    sdlHost.pictureHeight = frame->height;
    keepIndexedPicture(*frame);
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(sdlHost.texture, nullptr, &pixels, &pitch) != 0) {
        return;
    }
    convertFrame(*frame, sdlHost.paletteKnown ? sdlHost.palette : nullptr,
                 static_cast<uint8_t*>(pixels), pitch);
    SDL_UnlockTexture(sdlHost.texture);

    int outputWidth = 1;
    int outputHeight = 1;
    SDL_GetRendererOutputSize(sdlHost.renderer, &outputWidth, &outputHeight);
    SdlLetterbox box = fitPicture(outputWidth, outputHeight, frame->width, frame->height);
    SDL_Rect target = {box.x, box.y, box.width, box.height};
    SDL_SetRenderDrawColor(sdlHost.renderer, 0, 0, 0, 255);
    SDL_RenderClear(sdlHost.renderer);
    SDL_RenderCopy(sdlHost.renderer, sdlHost.texture, nullptr, &target);
    keepPace();
    SDL_RenderPresent(sdlHost.renderer);
}
