// user32's message queue: PeekMessageA, TranslateMessage, DispatchMessageA, PostQuitMessage.
#include "platform/compat/messageQueue.h"
#include "platform/compat/inputDevices.h"
#include "platform/compat/keyCharacters.h"
#include "platform/compat/windowRegistry.h"
#include "platform/host/host.h"

#include <deque>

static std::deque<MSG> postedMessages;
static std::deque<MSG> inputMessages;
static bool quitPosted;
static int quitCode;

static MSG makeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG made = {};
    made.hwnd = window;
    made.message = message;
    made.wParam = wParam;
    made.lParam = lParam;
    made.time = activeHost.tickCount();
    made.pt = input.cursor;
    return made;
}

void postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    postedMessages.push_back(makeMessage(window, message, wParam, lParam));
}

void queueInputMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEMOVE && !inputMessages.empty()) {
        MSG& last = inputMessages.back();
        if (last.message == WM_MOUSEMOVE && last.hwnd == window && last.wParam == wParam) {
            last = makeMessage(window, message, wParam, lParam);
            return;
        }
    }
    inputMessages.push_back(makeMessage(window, message, wParam, lParam));
}

void dropMessagesFor(HWND window) {
    for (std::deque<MSG>* queue : {&postedMessages, &inputMessages}) {
        for (auto message = queue->begin(); message != queue->end();) {
            message = message->hwnd == window ? queue->erase(message) : message + 1;
        }
    }
}

void resetMessageQueue(void) {
    postedMessages.clear();
    inputMessages.clear();
    quitPosted = false;
    quitCode = 0;
}

// (HWND)-1 asks for thread messages only; null for every message of the thread.
static bool windowMatches(HWND filter, HWND window) {
    if (filter == reinterpret_cast<HWND>(-1)) {
        return window == nullptr;
    }
    return filter == nullptr || filter == window;
}

static bool rangeMatches(UINT filterMin, UINT filterMax, UINT message) {
    if (filterMin == 0 && filterMax == 0) {
        return true;
    }
    return message >= filterMin && message <= filterMax;
}

static bool takeFrom(std::deque<MSG>& queue, LPMSG message, HWND window, UINT filterMin,
                     UINT filterMax, UINT remove) {
    for (auto queued = queue.begin(); queued != queue.end(); ++queued) {
        if (windowMatches(window, queued->hwnd) &&
            rangeMatches(filterMin, filterMax, queued->message)) {
            *message = *queued;
            if (remove & PM_REMOVE) {
                queue.erase(queued);
                noteMessageTaken(message);
            }
            return true;
        }
    }
    return false;
}

BOOL WINAPI PeekMessageA(LPMSG message, HWND window, UINT filterMin, UINT filterMax, UINT remove) {
    if (!message) {
        return FALSE;
    }
    pollHostEvents();
    if (takeFrom(postedMessages, message, window, filterMin, filterMax, remove) ||
        takeFrom(inputMessages, message, window, filterMin, filterMax, remove)) {
        return TRUE;
    }
    bool threadWide = window == nullptr || window == reinterpret_cast<HWND>(-1);
    if (quitPosted && threadWide && rangeMatches(filterMin, filterMax, WM_QUIT)) {
        *message = makeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(quitCode), 0);
        if (remove & PM_REMOVE) {
            quitPosted = false;
        }
        return TRUE;
    }
    if (rangeMatches(filterMin, filterMax, WM_PAINT)) {
        if (WindowRecord* record = windowNeedingPaint(window)) {
            *message = makeMessage(record->handle, WM_PAINT, 0, 0);
            // Windows repeats WM_PAINT until the window is validated; here it comes once per
            // invalidation, so a procedure that ignores it cannot stall a message loop.
            if (remove & PM_REMOVE) {
                record->needsPaint = false;
            }
            return TRUE;
        }
    }
    return FALSE;
}

BOOL WINAPI TranslateMessage(const MSG* message) {
    if (!message || (message->message != WM_KEYDOWN && message->message != WM_KEYUP)) {
        return FALSE;
    }
    if (message->message == WM_KEYDOWN) {
        int character = characterForKey(static_cast<BYTE>(message->wParam), input.keyState);
        if (character >= 0) {
            postMessage(message->hwnd, WM_CHAR, static_cast<WPARAM>(character), message->lParam);
        }
    }
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* message) {
    if (!message) {
        return 0;
    }
    const WindowRecord* record = findWindow(message->hwnd);
    if (!record) {
        return 0;
    }
    WNDPROC procedure = record->procedure;
    return procedure(message->hwnd, message->message, message->wParam, message->lParam);
}

void WINAPI PostQuitMessage(int exitCode) {
    quitPosted = true;
    quitCode = exitCode;
}
