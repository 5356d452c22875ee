// The random wave fields of the scene, drawn once at start-up; the phases of a few of them
// creep forward every frame, which makes the structures writhe.
#pragma once

#include "scene/waveField.h"

const int32_t branchFieldCount = 8;
const int32_t decisionFieldCount = 12;

struct SceneParameters {
    // Four per branch: entries 4b .. 4b + 2 move branch b's end along x, y, z; 4b + 3 places
    // the bend of its path.
    WaveField branchFields[branchFieldCount];
    // Discrete choices: 0 and 1 branch layouts, 2 marker shown, 3 .. 6 marker stubs,
    // 7 .. 10 marker corner blocks, 11 branch count.
    WaveField decisionFields[decisionFieldCount];
    // Direction and strength of the colour rotation from a node to its branches.
    WaveField colourField;
};

extern SceneParameters sceneParameters;
// The tick count initSceneParameters seeded the generator with.
extern uint32_t sceneSeed;

// Seeds the runtime generator with the tick count and draws every field in a fixed order.
void initSceneParameters();

// Moves the phases of branch fields 0 to 5 by amount times a fixed factor per field and
// axis; everything else keeps its start-up phases.
void driftWavePhases(float amount);
