#include "scene/drawnArea.h"

#include "raster/clipWindow.h"
#include "record/displayState.h"

#include <cmath>
#include <vector>

namespace {

struct DrawnArea {
    bool known;
    int32_t width;
    int32_t height;
    std::vector<int32_t> first; // per row
    std::vector<int32_t> last;
};

DrawnArea area;

// A stepped position strays from the line by well under a pixel; two keep it inside.
const double stepMargin = 2.0;

} // namespace

void forgetDrawnArea() {
    area.width = display.screenWidth;
    area.height = display.screenHeight;
    area.known = area.width > 0 && area.height > 0 && !clipWindowSet;
    if (!area.known) {
        return;
    }
    area.first.assign(static_cast<size_t>(area.height), area.width);
    area.last.assign(static_cast<size_t>(area.height), -1);
}

void noteDrawnLine(float x1, float y1, float x2, float y2) {
    if (!area.known) {
        return;
    }
    if (clipWindowSet || display.screenWidth != area.width || display.screenHeight != area.height ||
        std::isnan(x1) || std::isnan(y1) || std::isnan(x2) || std::isnan(y2)) {
        area.known = false;
        return;
    }
    const double lowX = std::floor(static_cast<double>(x1 < x2 ? x1 : x2)) - stepMargin;
    const double highX = std::ceil(static_cast<double>(x1 < x2 ? x2 : x1)) + stepMargin;
    const double lowY = std::floor(static_cast<double>(y1 < y2 ? y1 : y2)) - stepMargin;
    const double highY = std::ceil(static_cast<double>(y1 < y2 ? y2 : y1)) + stepMargin;
    if (highX < 0 || highY < 0 || lowX >= area.width || lowY >= area.height) {
        return; // wholly off the screen: clipped away
    }
    const int32_t left = lowX > 0 ? static_cast<int32_t>(lowX) : 0;
    const int32_t right = highX < area.width - 1 ? static_cast<int32_t>(highX) : area.width - 1;
    const int32_t top = lowY > 0 ? static_cast<int32_t>(lowY) : 0;
    const int32_t bottom = highY < area.height - 1 ? static_cast<int32_t>(highY) : area.height - 1;
    for (int32_t y = top; y <= bottom; ++y) {
        if (left < area.first[y]) {
            area.first[y] = left;
        }
        if (right > area.last[y]) {
            area.last[y] = right;
        }
    }
}

bool drawnAreaKnown() {
    return area.known && display.screenWidth == area.width && display.screenHeight == area.height &&
           !clipWindowSet;
}

void drawnRowSpan(int32_t y, int32_t* first, int32_t* last) {
    *first = area.first[y];
    *last = area.last[y];
}
