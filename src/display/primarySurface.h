// The visible surface, made the same way by every display set-up.
#pragma once

#include "platform/win32.h"

// Creates display.primarySurface from a fresh display.primaryDesc; the caller checks the
// result with its own site code.
HRESULT createPrimarySurface();
