// The thread's message queue. PeekMessageA looks, in this order, at posted messages (WM_CHAR
// from TranslateMessage), input messages (mouse, keys, WM_CLOSE from the host, the mouse move
// of SetCursorPos), the quit flag of PostQuitMessage, and windows waiting for WM_PAINT.
#pragma once

#include "platform/compat/windowsApi.h"

void postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Input messages; a mouse move directly after another one for the same window with the same
// buttons replaces it, as Windows coalesces mouse moves.
void queueInputMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void dropMessagesFor(HWND window);
void resetMessageQueue(void);
// Turns whatever the host has to report into queued messages and window state.
void pollHostEvents(void);
