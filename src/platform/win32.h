// The one header through which the system reaches Win32 and DirectDraw. On Windows builds
// with the real interfaces it is <windows.h> and <ddraw.h>; everywhere else it is our own
// declaration of exactly the subset the system calls, with the same names, values and layouts.
#pragma once

#if defined(QUARNEL_REAL_DIRECTDRAW)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
// <ddraw.h> needs <windows.h> first.
#include <windows.h>

#include <ddraw.h>
#else
#include "platform/compat/windowsApi.h"

#include "platform/compat/directDrawApi.h"
#endif
