#include "scene/structureGenerator.h"

#include "scene/camera.h"
#include "scene/nodeMarker.h"
#include "scene/sceneParameters.h"
#include "util/numeric.h"

#include <cstdint>

Colour branchColour(Colour colour, float colourValue) {
    const int32_t r = maxInt(0, static_cast<int32_t>((colour >> 16) & 255) - 33);
    const int32_t g = maxInt(0, static_cast<int32_t>((colour >> 8) & 255) - 23);
    const int32_t b = maxInt(0, static_cast<int32_t>(colour & 255) - 13);
    // The weight is formed in double and stored as a float; the shares then mix in float.
    float k = static_cast<float>(0.75 * (colourValue - 0.5));
    const float fr = static_cast<float>(r);
    const float fg = static_cast<float>(g);
    const float fb = static_cast<float>(b);
    int32_t red;
    int32_t green;
    int32_t blue;
    if (k > 0.0f) {
        const float m = 1.0f - k;
        blue = truncateToInt32(fb * m + fg * k);
        green = truncateToInt32(fg * m + fr * k);
        red = truncateToInt32(fr * m + fb * k);
    } else {
        const float m = 1.0f + k;
        k = -k;
        red = truncateToInt32(fr * m + fg * k);
        green = truncateToInt32(fg * m + fb * k);
        blue = truncateToInt32(fb * m + fr * k);
    }
    // Channels stay within 0 to 255 for every weight a wave field gives; a weight that is not a
    // number makes them indefinite, and the mask then gives black, which ends the branching.
    return (static_cast<Colour>(red) * 65536u + static_cast<Colour>(green) * 256u +
            static_cast<Colour>(blue)) &
           0xFFFFFFu;
}

// Branch b's end lies within 100 units of the node on every axis; its path runs part of the
// way along one axis, the whole way along a second, the rest along the first, then along the
// third, as the layout field chooses.
static void growBranch(int32_t branch, float x, float y, float z, Colour colour) {
    const WaveField* fields = &sceneParameters.branchFields[4 * branch];
    const WaveField* const batch[5] = {&fields[0], &fields[1], &fields[2],
                                       &sceneParameters.decisionFields[branch], &fields[3]};
    float values[5];
    evaluateWaves(batch, 5, x, y, z, values);
    // Single-precision constants: (x + 200 × v) − 100 in float.
    const float qx = x + 200.0f * values[0] - 100.0f;
    const float qy = y + 200.0f * values[1] - 100.0f;
    const float qz = z + 200.0f * values[2] - 100.0f;
    const int32_t layout = quantiseWaveValue(values[3], 3);
    const float t = values[4];
    if (layout == 0) {
        const float mx = x + t * (qx - x);
        drawSegment3D(x, y, z, mx, y, z, colour);
        drawSegment3D(mx, y, z, mx, qy, z, colour);
        drawSegment3D(mx, qy, z, qx, qy, z, colour);
        drawSegment3D(qx, qy, z, qx, qy, qz, colour);
    } else if (layout == 1) {
        const float my = y + t * (qy - y);
        drawSegment3D(x, y, z, x, my, z, colour);
        drawSegment3D(x, my, z, x, my, qz, colour);
        drawSegment3D(x, my, qz, x, qy, qz, colour);
        drawSegment3D(x, qy, qz, qx, qy, qz, colour);
    } else {
        // Layout 3 (a layout value of exactly 1.0) runs as layout 2.
        const float mz = z + t * (qz - z);
        drawSegment3D(x, y, z, x, y, mz, colour);
        drawSegment3D(x, y, mz, qx, y, mz, colour);
        drawSegment3D(qx, y, mz, qx, y, qz, colour);
        drawSegment3D(qx, y, qz, qx, qy, qz, colour);
    }
    growStructure(qx, qy, qz, colour);
}

void growStructure(float x, float y, float z, Colour colour) {
    const float colourValue = evaluateWave(sceneParameters.colourField, x, y, z);
    const Colour branch = branchColour(colour, colourValue);
    if (branch != 0) {
        // A count field of exactly 1.0 would ask for a third branch, which has no fields of
        // its own; the count is capped at two.
        const int32_t count =
            minInt(quantiseWave(sceneParameters.decisionFields[11], x, y, z, 2) + 1, 2);
        for (int32_t b = 0; b < count; ++b) {
            growBranch(b, x, y, z, branch);
        }
    }
    drawNodeMarker(x, y, z, colour);
}
