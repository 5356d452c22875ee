// SDL's events as the host events of the seam: motion in display-mode pixels (relative while
// the cursor is hidden, through the letterbox otherwise), the two buttons, keys as virtual-key
// codes, minimise and restore, and closing.
#include "platform/host/sdl2/sdlKeyCodes.h"
#include "platform/host/sdl2/sdlLetterbox.h"
#include "platform/host/sdl2/sdlState.h"
#include "platform/host/sdl2/sdlWindowSight.h"
#include "platform/host/sdl2/sdlXErrors.h"

static uint32_t buttonBitsOf(uint32_t sdlState) {
    uint32_t bits = 0;
    if (sdlState & SDL_BUTTON_LMASK) {
        bits |= 1;
    }
    if (sdlState & SDL_BUTTON_RMASK) {
        bits |= 2;
    }
    return bits;
}

static bool translateMotion(const SDL_MouseMotionEvent& motion, HostEvent* event) {
    // Mouse coordinates come in window points, which need not be the renderer's pixels.
    SdlLetterbox box = sdlPictureInPoints();
    event->buttons = buttonBitsOf(motion.state);
    if (sdlHost.relativeMouse) {
        event->kind = HostEventKind::mouseMoveBy;
        event->x =
            scaleMotion(motion.xrel, box.width, sdlHost.pictureWidth, &sdlHost.relativeRemainderX);
        event->y = scaleMotion(motion.yrel, box.height, sdlHost.pictureHeight,
                               &sdlHost.relativeRemainderY);
        // Less than a display pixel so far: nothing to tell yet.
        return event->x != 0 || event->y != 0;
    }
    event->kind = HostEventKind::mouseMoveTo;
    if (sdlHost.warpEchoPending && motion.x == sdlHost.warpWindowX &&
        motion.y == sdlHost.warpWindowY) {
        // Our own warp coming back: the point the program asked for, not its rounded image.
        sdlHost.warpEchoPending = false;
        event->x = sdlHost.warpPictureX;
        event->y = sdlHost.warpPictureY;
        return true;
    }
    windowToPicture(box, sdlHost.pictureWidth, sdlHost.pictureHeight, motion.x, motion.y, &event->x,
                    &event->y);
    return true;
}

static bool translateButton(const SDL_MouseButtonEvent& button, HostEvent* event) {
    if (button.button == SDL_BUTTON_LEFT) {
        event->buttons = 1;
    } else if (button.button == SDL_BUTTON_RIGHT) {
        event->buttons = 2;
    } else {
        return false;
    }
    event->kind = button.state == SDL_PRESSED ? HostEventKind::buttonDown : HostEventKind::buttonUp;
    return true;
}

// Alt+Enter switches between full screen and a window; the program never sees that Enter.
static bool toggledWindow(const SDL_KeyboardEvent& key) {
    SDL_Keycode code = key.keysym.sym;
    if ((code != SDLK_RETURN && code != SDLK_KP_ENTER) || !(key.keysym.mod & KMOD_ALT)) {
        return false;
    }
    if (key.state == SDL_PRESSED && !key.repeat) {
        sdlSetWindowed(!sdlHost.windowed);
    }
    return true;
}

static bool translateKey(const SDL_KeyboardEvent& key, HostEvent* event) {
    if (toggledWindow(key)) {
        return false;
    }
    SDL_Keycode code = key.keysym.sym;
    event->key = virtualKeyOf(code);
    if (event->key == 0) {
        return false;
    }
    bool down = key.state == SDL_PRESSED;
    event->kind = down ? HostEventKind::keyDown : HostEventKind::keyUp;
    if (uint32_t bit = modifierBitOf(code)) {
        // Both halves share one code: it is up only when neither half is held.
        if (down) {
            sdlHost.modifiersHeld |= bit;
        } else {
            sdlHost.modifiersHeld &= ~bit;
            if (sdlHost.modifiersHeld & modifierPairOf(code)) {
                return false;
            }
        }
    }
    return true;
}

static bool translateWindowEvent(const SDL_WindowEvent& window, HostEvent* event) {
    switch (window.event) {
    // A hidden window (unmapped by its window manager or a screensaver daemon) is as unseen as
    // a minimised one: the program suspends its display and sleeps until it shows again.
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN:
        event->kind = HostEventKind::minimise;
        return true;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SHOWN:
        event->kind = HostEventKind::restore;
        return true;
    case SDL_WINDOWEVENT_CLOSE:
        event->kind = HostEventKind::close;
        return true;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_EXPOSED:
        // The picture at the new size at once, not only with the program's next frame; and
        // the next frame whole, in case the texture did not survive.
        sdlHost.wholeUploadNext = true;
        sdlRedraw();
        return false;
    default:
        return false;
    }
}

static bool translate(const SDL_Event& sdlEvent, HostEvent* event) {
    switch (sdlEvent.type) {
    case SDL_MOUSEMOTION:
        return translateMotion(sdlEvent.motion, event);
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        return translateButton(sdlEvent.button, event);
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return translateKey(sdlEvent.key, event);
    case SDL_WINDOWEVENT:
        return translateWindowEvent(sdlEvent.window, event);
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
        sdlHost.wholeUploadNext = true;
        return false;
    case SDL_QUIT:
        // An interrupt or the desktop's quit command (closing the window itself comes as a
        // window event only): the window is asked to close, as its close button would.
        event->kind = HostEventKind::close;
        return true;
    default:
        return false;
    }
}

bool sdlPollEvent(HostEvent* event) {
    if (!sdlHost.videoStarted) {
        return false;
    }
    if (sdlTakeSaverWindowGone()) {
        // As when the window's owner asks it to close: the program ends as it always does.
        *event = HostEvent{HostEventKind::close, 0, 0, 0, 0};
        return true;
    }
    SDL_Event sdlEvent;
    while (SDL_PollEvent(&sdlEvent)) {
        *event = HostEvent{HostEventKind::quit, 0, 0, 0, 0};
        if (translate(sdlEvent, event)) {
            return true;
        }
    }
    return sdlTakeSightChange(event);
}
