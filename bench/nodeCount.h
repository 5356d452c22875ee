// The benchmarks' count of a structure's nodes: growStructure's branching decisions without
// the drawing.
#pragma once

#include "record/colour.h"
#include "scene/sceneParameters.h"
#include "scene/structureGenerator.h"
#include "scene/waveField.h"
#include "util/numeric.h"

#include <cstdint>

inline int64_t countNodes(float x, float y, float z, Colour colour) {
    const SceneParameters& p = sceneParameters;
    const Colour branch = branchColour(colour, evaluateWave(p.colourField, x, y, z));
    int64_t nodes = 1;
    if (branch == 0) {
        return nodes;
    }
    const int32_t count = minInt(quantiseWave(p.decisionFields[11], x, y, z, 2) + 1, 2);
    for (int32_t b = 0; b < count; ++b) {
        const WaveField* f = &p.branchFields[4 * b];
        const float qx = x + 200.0f * evaluateWave(f[0], x, y, z) - 100.0f;
        const float qy = y + 200.0f * evaluateWave(f[1], x, y, z) - 100.0f;
        const float qz = z + 200.0f * evaluateWave(f[2], x, y, z) - 100.0f;
        nodes += countNodes(qx, qy, qz, branch);
    }
    return nodes;
}
