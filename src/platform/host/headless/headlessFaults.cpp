// Fault injection and display refusals: every fallible call of the layer asks here first.
#include "platform/host/headless/headlessState.h"

#include <cstddef>
#include <cstring>

// "Lock" matches "IDirectDrawSurface::Lock"; a qualified name matches only itself.
static bool callMatches(const std::string& wanted, const char* call) {
    if (wanted == call) {
        return true;
    }
    const char* shortName = std::strrchr(call, ':');
    return shortName && wanted == shortName + 1;
}

int32_t headlessInjectedResult(const char* call) {
    headless.callCounts[call]++;
    int32_t result = 0;
    for (size_t i = 0; i < headless.faults.size();) {
        HeadlessFault& fault = headless.faults[i];
        if (!callMatches(fault.call, call)) {
            i++;
            continue;
        }
        if (fault.every) {
            result = result ? result : fault.result;
            i++;
        } else if (fault.remaining > 0) {
            fault.remaining--;
            i++;
        } else {
            result = result ? result : fault.result;
            headless.faults.erase(headless.faults.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    return result;
}

void headlessFailCall(const char* call, int nth, HRESULT result) {
    if (!call || nth < 1) {
        return;
    }
    headless.faults.push_back({call, nth - 1, false, result});
}

void headlessFailEveryCall(const char* call, HRESULT result) {
    if (!call) {
        return;
    }
    headless.faults.push_back({call, 0, true, result});
}

int headlessCallCount(const char* call) {
    int count = 0;
    for (const auto& entry : headless.callCounts) {
        if (callMatches(call, entry.first.c_str())) {
            count += entry.second;
        }
    }
    return count;
}

bool headlessModeAllowed(int width, int height, int bitsPerPixel) {
    for (const HeadlessRefusal& refusal : headless.refusals) {
        bool sizeMatches = (refusal.width == 0 || refusal.width == width) &&
                           (refusal.height == 0 || refusal.height == height);
        if (sizeMatches && refusal.bitsPerPixel == bitsPerPixel) {
            return false;
        }
    }
    return true;
}

void headlessRefuseDepth(int bitsPerPixel) {
    headless.refusals.push_back({0, 0, bitsPerPixel});
}

void headlessRefuseMode(int width, int height, int bitsPerPixel) {
    headless.refusals.push_back({width, height, bitsPerPixel});
}

void headlessSetExtraPitch(int bytes) {
    headless.extraPitch = bytes < 0 ? 0 : bytes;
}

void headlessSetMasks16(DWORD red, DWORD green, DWORD blue) {
    headless.redMask16 = red;
    headless.greenMask16 = green;
    headless.blueMask16 = blue;
}
