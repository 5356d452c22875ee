// Scripted input: events wait in order until the layer polls for input; a pause holds the rest
// back until the virtual clock has moved on far enough.
#include "platform/host/headless/headlessState.h"

static void queueEvent(HostEventKind kind, int x, int y, uint32_t buttons, uint32_t key) {
    HeadlessScriptItem item = {};
    item.event = {kind, x, y, buttons, key};
    headless.script.push_back(item);
}

bool headlessTakeEvent(HostEvent* event) {
    while (!headless.script.empty()) {
        HeadlessScriptItem& item = headless.script.front();
        if (!item.isPause) {
            *event = item.event;
            headless.script.pop_front();
            return true;
        }
        if (!headless.pauseRunning) {
            headless.pauseRunning = true;
            headless.pauseEnd = headless.tickCount + item.pauseLength;
        }
        // Wrap-safe: the clock may pass 2^32 during a pause.
        if (static_cast<int32_t>(headless.tickCount - headless.pauseEnd) < 0) {
            return false;
        }
        headless.pauseRunning = false;
        headless.script.pop_front();
    }
    return false;
}

void headlessQueueMouseMoveTo(int x, int y, DWORD buttons) {
    queueEvent(HostEventKind::mouseMoveTo, x, y, buttons, 0);
}

void headlessQueueMouseMoveBy(int dx, int dy, DWORD buttons) {
    queueEvent(HostEventKind::mouseMoveBy, dx, dy, buttons, 0);
}

void headlessQueueButtonDown(DWORD button) {
    queueEvent(HostEventKind::buttonDown, 0, 0, button, 0);
}

void headlessQueueButtonUp(DWORD button) {
    queueEvent(HostEventKind::buttonUp, 0, 0, button, 0);
}

void headlessQueueKeyDown(BYTE virtualKey) {
    queueEvent(HostEventKind::keyDown, 0, 0, 0, virtualKey);
}

void headlessQueueKeyUp(BYTE virtualKey) {
    queueEvent(HostEventKind::keyUp, 0, 0, 0, virtualKey);
}

void headlessQueueMinimise(void) {
    queueEvent(HostEventKind::minimise, 0, 0, 0, 0);
}

void headlessQueueRestore(void) {
    queueEvent(HostEventKind::restore, 0, 0, 0, 0);
}

void headlessQueueClose(void) {
    queueEvent(HostEventKind::close, 0, 0, 0, 0);
}

void headlessQueueQuit(void) {
    queueEvent(HostEventKind::quit, 0, 0, 0, 0);
}

void headlessQueuePause(DWORD milliseconds) {
    HeadlessScriptItem item = {};
    item.isPause = true;
    item.pauseLength = milliseconds;
    headless.script.push_back(item);
}

int headlessPendingEvents(void) {
    int count = 0;
    for (const HeadlessScriptItem& item : headless.script) {
        count += item.isPause ? 0 : 1;
    }
    return count;
}
