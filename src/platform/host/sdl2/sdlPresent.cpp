// A present: the visible surface goes into a streaming texture, as it is where the renderer
// takes its format (32 bits as 0x00RRGGBB, 24 bits as blue, green, red bytes), converted
// otherwise, and is drawn into the window by the chosen scaling. Where the layer says which
// rectangles changed, only those are converted and uploaded; the texture keeps the rest, and
// is drawn whole, so a scaled picture needs no mapping of them. A software renderer draws into
// the window's own surface: where the picture fills that surface pixel for pixel, the changed
// rectangles go straight into it and only they are put on the screen, without the texture.
#include "platform/host/sdl2/sdlFrameConversion.h"
#include "platform/host/sdl2/sdlHost.h"
#include "platform/host/sdl2/sdlLetterbox.h"
#include "platform/host/sdl2/sdlState.h"

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

// The texture format a frame of this depth is uploaded in, and whether it goes without
// conversion.
static Uint32 textureFormatFor(int bytesPerPixel, bool* direct) {
    *direct = sdlUploadsAsIs(bytesPerPixel);
    return *direct && bytesPerPixel == 3 ? SDL_PIXELFORMAT_BGR24 : SDL_PIXELFORMAT_RGB888;
}

static bool ensureTexture(int width, int height, Uint32 format) {
    if (sdlHost.texture && sdlHost.textureWidth == width && sdlHost.textureHeight == height &&
        sdlHost.textureFormat == format) {
        return true;
    }
    if (sdlHost.texture) {
        SDL_DestroyTexture(sdlHost.texture);
    }
    // Whole-number scaling keeps pixels sharp; any other scale is filtered, which thin lines
    // survive better.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY,
                sdlHost.scaling == SdlScaling::integer ? "nearest" : "linear");
    sdlHost.texture =
        SDL_CreateTexture(sdlHost.renderer, format, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (!sdlHost.texture) {
        sdlHost.textureWidth = 0;
        sdlHost.textureHeight = 0;
        std::fprintf(stderr, "SDL: no %dx%d picture: %s\n", width, height, SDL_GetError());
        return false;
    }
    sdlHost.textureWidth = width;
    sdlHost.textureHeight = height;
    sdlHost.textureFormat = format;
    return true;
}

static double secondsNow(void) {
    return static_cast<double>(SDL_GetPerformanceCounter()) /
           static_cast<double>(SDL_GetPerformanceFrequency());
}

// The renderer's present, or with surfaceRects (the picture went into the window's surface) a
// put of the window surface: whole when there are none given, else those rectangles.
static void presentPaced(const std::vector<SDL_Rect>* surfaceRects) {
    if (!sdlHost.pacingStarted) {
        SDL_DisplayMode mode;
        int refreshRate = 0;
        int index = SDL_GetWindowDisplayIndex(sdlHost.window);
        if (SDL_GetCurrentDisplayMode(index < 0 ? 0 : index, &mode) == 0) {
            refreshRate = mode.refresh_rate;
        }
        startPacing(&sdlHost.pacing, refreshRate, sdlHost.options.framesPerSecond);
        sdlHost.pacingStarted = true;
    }
    double wait = pacingWait(&sdlHost.pacing, secondsNow());
    if (wait > 0) {
        std::this_thread::sleep_for(std::chrono::duration<double>(wait));
    }
    if (!sdlHost.surfaceHoldsPicture) {
        SDL_RenderPresent(sdlHost.renderer);
    } else if (surfaceRects) {
        if (!surfaceRects->empty()) {
            SDL_UpdateWindowSurfaceRects(sdlHost.window, surfaceRects->data(),
                                         static_cast<int>(surfaceRects->size()));
        }
    } else {
        SDL_UpdateWindowSurface(sdlHost.window);
    }
    notePresentDone(&sdlHost.pacing, secondsNow());
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
                       entries,
                       nullptr,
                       0};
    sdlPresent(&frame);
}

// The frames between whole uploads, in case anything the host was not told of reached the
// texture.
static const int partialUploadsBetweenWhole = 63;

static bool uploadPart(const HostFrame& frame, bool direct, const HostRect& rect) {
    if (rect.width <= 0 || rect.height <= 0) {
        return true;
    }
    const SDL_Rect area = {rect.x, rect.y, rect.width, rect.height};
    const uint8_t* first = frame.pixels + static_cast<std::ptrdiff_t>(rect.y) * frame.pitch +
                           static_cast<std::ptrdiff_t>(rect.x) * frame.bytesPerPixel;
    sdlHost.uploadedPixels += static_cast<uint64_t>(rect.width) * rect.height;
    if (direct) {
        return SDL_UpdateTexture(sdlHost.texture, &area, first, frame.pitch) == 0;
    }
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(sdlHost.texture, &area, &pixels, &pitch) != 0) {
        return false;
    }
    HostFrame part = frame;
    part.pixels = first;
    part.width = rect.width;
    part.height = rect.height;
    convertFrame(part, sdlHost.paletteKnown ? sdlHost.palette : nullptr,
                 static_cast<uint8_t*>(pixels), pitch);
    SDL_UnlockTexture(sdlHost.texture);
    return true;
}

// The changed rectangles lie inside the frame, or the frame goes up whole.
static bool changesInside(const HostFrame& frame) {
    for (int i = 0; i < frame.changedCount; i++) {
        const HostRect& rect = frame.changed[i];
        if (rect.x < 0 || rect.y < 0 || rect.width < 0 || rect.height < 0 ||
            rect.width > frame.width - rect.x || rect.height > frame.height - rect.y) {
            return false;
        }
    }
    return true;
}

static bool upload(const HostFrame& frame) {
    bool direct = false;
    Uint32 format = textureFormatFor(frame.bytesPerPixel, &direct);
    SDL_Texture* before = sdlHost.texture;
    if (!ensureTexture(frame.width, frame.height, format)) {
        return false;
    }
    const bool partial =
        frame.changed != nullptr && sdlHost.texture == before && !sdlHost.wholeUploadNext &&
        sdlHost.partialUploads < partialUploadsBetweenWhole && changesInside(frame);
    if (partial) {
        ++sdlHost.partialUploads;
        for (int i = 0; i < frame.changedCount; i++) {
            if (!uploadPart(frame, direct, frame.changed[i])) {
                sdlHost.wholeUploadNext = true;
                return false;
            }
        }
        return true;
    }
    sdlHost.partialUploads = 0;
    sdlHost.wholeUploadNext = false;
    const HostRect whole = {0, 0, frame.width, frame.height};
    if (!uploadPart(frame, direct, whole)) {
        sdlHost.wholeUploadNext = true;
        return false;
    }
    return true;
}

// The texture into the renderer's whole output, bars black.
static void drawPicture(void) {
    int outputWidth = 1;
    int outputHeight = 1;
    SDL_GetRendererOutputSize(sdlHost.renderer, &outputWidth, &outputHeight);
    SdlLetterbox box = placePicture(outputWidth, outputHeight, sdlHost.textureWidth,
                                    sdlHost.textureHeight, sdlHost.scaling);
    SDL_Rect target = {box.x, box.y, box.width, box.height};
    // A picture that covers the whole output leaves no bar to clear: a whole-screen fill less
    // per frame, where the renderer is software.
    if (box.x > 0 || box.y > 0 || box.width < outputWidth || box.height < outputHeight) {
        SDL_SetRenderDrawColor(sdlHost.renderer, 0, 0, 0, 255);
        SDL_RenderClear(sdlHost.renderer);
    }
    SDL_RenderCopy(sdlHost.renderer, sdlHost.texture, nullptr, &target);
}

void sdlRedraw(void) {
    if (sdlHost.surfaceHoldsPicture) {
        // The surface of the same size still holds the picture; a new one waits for the next
        // frame, which the caller has made whole.
        SDL_Surface* surface = sdlHost.window ? SDL_GetWindowSurface(sdlHost.window) : nullptr;
        if (surface && surface->w == sdlHost.pictureWidth && surface->h == sdlHost.pictureHeight) {
            SDL_UpdateWindowSurface(sdlHost.window);
        }
        return;
    }
    if (!sdlHost.renderer || !sdlHost.texture) {
        return;
    }
    drawPicture();
    SDL_RenderPresent(sdlHost.renderer);
}

// The window's surface, where the renderer is software and the picture fills the surface pixel
// for pixel in the format pictures are converted to; else null.
static SDL_Surface* surfaceOneToOne(const HostFrame& frame) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(sdlHost.renderer, &info) != 0 ||
        (info.flags & SDL_RENDERER_SOFTWARE) == 0) {
        return nullptr;
    }
    SDL_Surface* surface = SDL_GetWindowSurface(sdlHost.window);
    if (!surface || surface->w != frame.width || surface->h != frame.height ||
        surface->format->format != SDL_PIXELFORMAT_RGB888 || SDL_MUSTLOCK(surface)) {
        return nullptr;
    }
    return surface;
}

static void copyIntoSurface(const HostFrame& frame, const HostRect& rect, SDL_Surface* surface) {
    const uint8_t* first = frame.pixels + static_cast<std::ptrdiff_t>(rect.y) * frame.pitch +
                           static_cast<std::ptrdiff_t>(rect.x) * frame.bytesPerPixel;
    uint8_t* target = static_cast<uint8_t*>(surface->pixels) +
                      static_cast<std::ptrdiff_t>(rect.y) * surface->pitch +
                      static_cast<std::ptrdiff_t>(rect.x) * 4;
    sdlHost.uploadedPixels += static_cast<uint64_t>(rect.width) * rect.height;
    if (frame.bytesPerPixel == 4 && sdlHost.uploadAsIsAllowed) {
        for (int y = 0; y < rect.height; y++) {
            std::memcpy(target + static_cast<std::ptrdiff_t>(y) * surface->pitch,
                        first + static_cast<std::ptrdiff_t>(y) * frame.pitch,
                        static_cast<size_t>(rect.width) * 4);
        }
        return;
    }
    HostFrame part = frame;
    part.pixels = first;
    part.width = rect.width;
    part.height = rect.height;
    convertFrame(part, sdlHost.paletteKnown ? sdlHost.palette : nullptr, target, surface->pitch);
}

static void presentIntoSurface(const HostFrame& frame, SDL_Surface* surface) {
    const bool partial =
        frame.changed != nullptr && sdlHost.surfaceHoldsPicture && !sdlHost.wholeUploadNext &&
        sdlHost.partialUploads < partialUploadsBetweenWhole && changesInside(frame);
    // The texture is left behind: should the renderer draw again, it is filled whole first.
    sdlHost.surfaceHoldsPicture = true;
    sdlHost.textureBehind = true;
    if (!partial) {
        sdlHost.partialUploads = 0;
        sdlHost.wholeUploadNext = false;
        copyIntoSurface(frame, HostRect{0, 0, frame.width, frame.height}, surface);
        presentPaced(nullptr);
        return;
    }
    ++sdlHost.partialUploads;
    sdlHost.surfaceRects.clear();
    for (int i = 0; i < frame.changedCount; i++) {
        const HostRect& rect = frame.changed[i];
        if (rect.width > 0 && rect.height > 0) {
            copyIntoSurface(frame, rect, surface);
            sdlHost.surfaceRects.push_back(SDL_Rect{rect.x, rect.y, rect.width, rect.height});
        }
    }
    presentPaced(&sdlHost.surfaceRects);
}

void sdlPresent(const HostFrame* frame) {
    if (!sdlHost.renderer || !frame || !frame->pixels || frame->width < 1 || frame->height < 1) {
        return;
    }
    sdlFollowForeignWindowSize();
    if (SDL_Surface* surface = surfaceOneToOne(*frame)) {
        sdlHost.pictureWidth = frame->width;
        sdlHost.pictureHeight = frame->height;
        keepIndexedPicture(*frame);
        presentIntoSurface(*frame, surface);
        return;
    }
    sdlHost.surfaceHoldsPicture = false;
    if (sdlHost.textureBehind) {
        sdlHost.textureBehind = false;
        sdlHost.wholeUploadNext = true;
    }
    if (!upload(*frame)) {
        return;
    }
    sdlHost.pictureWidth = frame->width;
    sdlHost.pictureHeight = frame->height;
    keepIndexedPicture(*frame);
    drawPicture();
    presentPaced(nullptr);
}
