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
// third, as the layout field chooses. values: its branch fields 0 to 2, its layout (decision)
// field and its branch field 3 at the node.
static void growBranch(float x, float y, float z, Colour colour, const float* values) {
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

namespace {

const int32_t fieldsPerBranch = 5;

// The node's fields are pure functions of its point, so they are taken in two batches (the
// more sines together, the cheaper each): first those that decide what else is needed, then
// every other one that is.
struct NodeValues {
    float colour;
    float branchCount;
    float marker;
    float branches[2 * fieldsPerBranch];
    float markerExtras[nodeMarkerExtraFields];
};

} // namespace

void growStructure(float x, float y, float z, Colour colour) {
    const SceneParameters& fields = sceneParameters;
    NodeValues values;
    const WaveField* deciding[3] = {&fields.colourField, &fields.decisionFields[11],
                                    &fields.decisionFields[nodeMarkerDecisionField]};
    float decided[3];
    evaluateWaves(deciding, 3, x, y, z, decided);
    values.colour = decided[0];
    values.branchCount = decided[1];
    values.marker = decided[2];

    const Colour branch = branchColour(colour, values.colour);
    // A count field of exactly 1.0 would ask for a third branch, which has no fields of its
    // own; the count is capped at two.
    const int32_t count = branch != 0 ? minInt(quantiseWaveValue(values.branchCount, 2) + 1, 2) : 0;
    const bool marker = nodeMarkerChosen(z, values.marker);

    const WaveField* rest[2 * fieldsPerBranch + nodeMarkerExtraFields];
    int32_t restCount = 0;
    for (int32_t b = 0; b < count; ++b) {
        const WaveField* own = &fields.branchFields[4 * b];
        rest[restCount++] = &own[0];
        rest[restCount++] = &own[1];
        rest[restCount++] = &own[2];
        rest[restCount++] = &fields.decisionFields[b];
        rest[restCount++] = &own[3];
    }
    if (marker) {
        for (int32_t i = 0; i < nodeMarkerExtraFields; ++i) {
            rest[restCount++] = &fields.decisionFields[nodeMarkerFirstExtraField + i];
        }
    }
    float restValues[2 * fieldsPerBranch + nodeMarkerExtraFields];
    if (restCount > 0) {
        evaluateWaves(rest, restCount, x, y, z, restValues);
    }
    for (int32_t b = 0; b < count; ++b) {
        growBranch(x, y, z, branch, &restValues[fieldsPerBranch * b]);
    }
    if (marker) {
        drawChosenNodeMarker(x, y, z, colour, &restValues[fieldsPerBranch * count]);
    }
}
