#include "app/cellWalk.h"

#include "record/displayState.h"
#include "scene/camera.h"
#include "scene/structureGenerator.h"
#include "util/numeric.h"

#include <cmath>

float cellSize() {
    return static_cast<float>(display.screenHeight / 3);
}

double nearestCell(float coordinate, float size) {
    return std::floor(static_cast<double>(coordinate) / static_cast<double>(size) + 0.5);
}

int32_t fogBrightness(double distance) {
    const double fog = 255.0 - 85.0 * distance;
    // The walk keeps distances within a few cells; the guard keeps the conversion defined.
    const int32_t brightness = fog > -1e9 ? static_cast<int32_t>(fog) : 0;
    return atLeastZeroInt(minInt(255, brightness));
}

namespace {

// Lattice indices the walk can count with: a camera flown for hours, or a screen less than
// three pixels high (cells of size 0), has none, and then nothing is grown.
bool countableCell(double index) {
    return std::fabs(index) < 2147483000.0;
}

} // namespace

void walkVisibleCells(CellVisitor visit) {
    const float size = cellSize();
    if (!(size > 0)) {
        return;
    }
    const int32_t halfWidth = display.screenWidth / 2;
    const int32_t halfHeight = display.screenHeight / 2;
    const double nearestX = nearestCell(camera.cameraX, size);
    const double nearestY = nearestCell(camera.cameraY, size);
    const double nearestZ = nearestCell(camera.cameraZ, size);
    if (!countableCell(nearestX) || !countableCell(nearestY) || !countableCell(nearestZ)) {
        return;
    }
    // The camera in cell units, for the fog distance; all in double.
    const double eyeX = static_cast<double>(camera.cameraX) / size;
    const double eyeY = static_cast<double>(camera.cameraY) / size;
    const double eyeZ = static_cast<double>(camera.cameraZ) / size;

    int32_t k = 0;
    for (int32_t z = static_cast<int32_t>(nearestZ - 1); z <= nearestZ + 3.0; ++z, ++k) {
        for (int32_t x = static_cast<int32_t>(nearestX - k); x <= nearestX + k; ++x) {
            for (int32_t y = static_cast<int32_t>(nearestY - k); y <= nearestY + k; ++y) {
                const double distance =
                    std::sqrt(square(eyeX - x) + square(eyeY - y) + square(eyeZ - z));
                const Colour fog = static_cast<Colour>(fogBrightness(distance)) * 0x010101;
                visit(x, y, z, x * size + halfWidth, y * size + halfHeight, z * size, fog);
            }
        }
    }
}

void growCellStructure(int32_t, int32_t, int32_t, float centreX, float centreY, float centreZ,
                       Colour fog) {
    growStructure(centreX, centreY, centreZ, fog);
}
