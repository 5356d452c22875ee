#include "scene/structureGenerator.h"
#include "platform/host/headless/headlessHost.h"
#include "raster/lines.h"
#include "sceneTestSupport.h"

#include <algorithm>
#include <limits>
#include <set>

namespace {

typedef std::set<std::pair<int32_t, int32_t>> PixelSet;

PixelSet litSet(const MemoryScreen& screen) {
    const auto lit = litPixels(screen);
    return PixelSet(lit.begin(), lit.end());
}

PixelSet litIn(const MemoryScreen& screen, int32_t cx, int32_t cy, int32_t radius) {
    PixelSet lit;
    for (int32_t y = cy - radius; y <= cy + radius; ++y) {
        for (int32_t x = cx - radius; x <= cx + radius; ++x) {
            if (screenColour(screen, x, y) != 0) {
                lit.insert({x - cx, y - cy});
            }
        }
    }
    return lit;
}

const PixelSet ringOffsets = {
    {-3, -1}, {-3, 0}, {-3, 1}, {3, -1}, {3, 0},   {3, 1},  {-1, -3}, {0, -3},
    {1, -3},  {-1, 3}, {0, 3},  {1, 3},  {-2, -2}, {-2, 2}, {2, -2},  {2, 2},
};

PixelSet withOffsets(PixelSet set, std::initializer_list<std::pair<int32_t, int32_t>> more) {
    set.insert(more.begin(), more.end());
    return set;
}

uint8_t blendChannel(uint8_t d, uint8_t c) {
    return static_cast<uint8_t>((((d ^ 255) * (c ^ 255)) >> 8) ^ 255);
}

Colour blend(Colour d, Colour c) {
    if (c == 0) {
        return d;
    }
    Colour out = 0;
    for (int32_t shift = 0; shift <= 16; shift += 8) {
        out |= static_cast<Colour>(blendChannel((d >> shift) & 255, (c >> shift) & 255)) << shift;
    }
    return out;
}

class StructureGeneratorTest : public SceneTest {
  protected:
    void SetUp() override {
        SceneTest::SetUp();
        openMemoryScreen(&screen, 800, 600, 3);
        resetCamera();
    }
    MemoryScreen screen;
};

// All fields at 0.5: no rotation, two branches of layout 1, branch ends on their nodes.
TEST_F(StructureGeneratorTest, ZeroBranchFieldsGiveZeroLengthSegmentsAndTheRecursionEnds) {
    growStructure(400.0f, 300.0f, 0.0f, 60 * 0x010101);
    EXPECT_EQ(litSet(screen), withOffsets(
                                  [] {
                                      PixelSet s;
                                      for (const auto& o : ringOffsets) {
                                          s.insert({400 + o.first, 300 + o.second});
                                      }
                                      return s;
                                  }(),
                                  {{400, 300}}));
}

TEST_F(StructureGeneratorTest, WhiteChainEndsAfterTwentyLevelsThroughTheColour) {
    // One branch per node, each end about 20 units to the right of its node.
    sceneParameters.decisionFields[11] = troughField();
    sceneParameters.branchFields[0] = constantField(0.6);
    const float z = 700.0f;
    growStructure(100.0f, 300.0f, z, 0xFFFFFF);

    float x = 100.0f;
    Colour colour = 0xFFFFFF;
    for (int32_t level = 1; level <= 21; ++level) {
        float sx;
        float sy;
        projectPoint(x, 300.0f, z, &sx, &sy);
        ASSERT_EQ(sy, 300.0f);
        const uint32_t ringX = toPixelCoordinate(sx - 3.0f);
        if (level <= 20) {
            EXPECT_EQ(screenColour(screen, ringX, 299), blend(0, colour)) << level;
            colour = branchColour(colour, 0.5f);
        } else {
            EXPECT_EQ(colour, 0u);
            EXPECT_EQ(screenColour(screen, ringX, 299), 0u) << level;
        }
        x = x + 200.0f * evaluateWave(sceneParameters.branchFields[0], x, 300.0f, z) - 100.0f;
    }
}

TEST_F(StructureGeneratorTest, DarkGreysGrowNoBranches) {
    sceneParameters.branchFields[0] = peakField();
    sceneParameters.branchFields[1] = peakField();
    sceneParameters.branchFields[4] = troughField();
    growStructure(400.0f, 300.0f, 0.0f, 13 * 0x010101);
    EXPECT_EQ(litSet(screen).size(), ringOffsets.size());
    // One step brighter the branches appear.
    growStructure(400.0f, 300.0f, 0.0f, 14 * 0x010101);
    EXPECT_GT(litSet(screen).size(), 100u);
}

// Branch 0 ends 100 right and 100 down, branch 1 100 left and 100 up, both bending halfway;
// layout 1 goes down (up) first, then across. Grey 14 gives branches of blue 1 whose own
// branches are black, so there is exactly one generation.
TEST_F(StructureGeneratorTest, DecisionFieldsAtOneHalfGiveTwoBranchesOfLayoutOne) {
    sceneParameters.branchFields[0] = peakField();
    sceneParameters.branchFields[1] = peakField();
    sceneParameters.branchFields[4] = troughField();
    sceneParameters.branchFields[5] = troughField();
    growStructure(400.0f, 300.0f, 0.0f, 14 * 0x010101);

    const Colour branch = blend(0, 1);
    EXPECT_EQ(screenColour(screen, 400, 340), branch);
    EXPECT_EQ(screenColour(screen, 400, 399), branch);
    EXPECT_EQ(screenColour(screen, 450, 400), branch);
    EXPECT_EQ(screenColour(screen, 400, 260), branch);
    EXPECT_EQ(screenColour(screen, 400, 201), branch);
    EXPECT_EQ(screenColour(screen, 350, 200), branch);
    // Where layouts 0 and 2 would run.
    EXPECT_EQ(screenColour(screen, 450, 350), 0u);
    EXPECT_EQ(screenColour(screen, 450, 300), 0u);
    EXPECT_EQ(screenColour(screen, 500, 350), 0u);
    EXPECT_EQ(screenColour(screen, 350, 250), 0u);
    EXPECT_EQ(screenColour(screen, 300, 250), 0u);

    // Rings without extras: the root's crossed by its vertical branch paths, the first end's
    // by the path arriving from the left.
    PixelSet rootExpected = ringOffsets;
    PixelSet endExpected = ringOffsets;
    for (int32_t d = -3; d <= 3; ++d) {
        rootExpected.insert({0, d});
        if (d <= 0) {
            endExpected.insert({d, 0});
        }
    }
    EXPECT_EQ(litIn(screen, 400, 300, 3), rootExpected);
    EXPECT_EQ(litIn(screen, 500, 400, 3), endExpected);
    EXPECT_EQ(screenColour(screen, 503, 400), blend(0, 1));
    EXPECT_EQ(screenColour(screen, 397, 300), blend(0, 14 * 0x010101));
}

TEST_F(StructureGeneratorTest, LayoutsZeroAndTwoRunTheirOwnPaths) {
    sceneParameters.branchFields[0] = peakField();
    sceneParameters.branchFields[1] = peakField();
    sceneParameters.decisionFields[11] = troughField();

    sceneParameters.decisionFields[0] = troughField();
    growStructure(400.0f, 300.0f, 0.0f, 14 * 0x010101);
    // Across halfway, down, across the rest.
    EXPECT_NE(screenColour(screen, 425, 300), 0u);
    EXPECT_NE(screenColour(screen, 450, 350), 0u);
    EXPECT_NE(screenColour(screen, 475, 400), 0u);
    EXPECT_EQ(screenColour(screen, 400, 350), 0u);
    EXPECT_EQ(screenColour(screen, 500, 350), 0u);

    openMemoryScreen(&screen, 800, 600, 3);
    sceneParameters.decisionFields[0] = constantField(0.9);
    growStructure(400.0f, 300.0f, 0.0f, 14 * 0x010101);
    // In depth halfway (nothing moves on the screen at z = 0 and qz = 0), across, down.
    EXPECT_NE(screenColour(screen, 450, 300), 0u);
    EXPECT_NE(screenColour(screen, 500, 350), 0u);
    EXPECT_EQ(screenColour(screen, 450, 350), 0u);
    EXPECT_EQ(screenColour(screen, 400, 350), 0u);

    // A layout value of exactly 1.0 runs as layout 2.
    const std::vector<uint8_t> layoutTwo = screen.bytes;
    openMemoryScreen(&screen, 800, 600, 3);
    sceneParameters.decisionFields[0] = peakField();
    growStructure(400.0f, 300.0f, 0.0f, 14 * 0x010101);
    EXPECT_EQ(screen.bytes, layoutTwo);
}

// The bend point is a float sum of float products. For these fields it is exactly 464 in
// float and 463.99997 when taken in double, so the column of layout 0's second segment tells.
TEST_F(StructureGeneratorTest, BendPointIsSinglePrecision) {
    const float endPhase = 1.69800007f;
    sceneParameters.branchFields[0] = WaveField{0.0f, 0.0f, 0.0f, endPhase, endPhase, endPhase};
    sceneParameters.branchFields[1] = peakField();
    sceneParameters.branchFields[3] = WaveField{0.0f, 0.0f, 0.0f, 0.945499957f, 0.0f, 0.0f};
    sceneParameters.decisionFields[0] = troughField();
    sceneParameters.decisionFields[11] = troughField();
    growStructure(401.0f, 300.0f, 0.0f, 14 * 0x010101);
    EXPECT_NE(screenColour(screen, 464, 350), 0u);
    EXPECT_EQ(screenColour(screen, 463, 350), 0u);
}

// With zero fields every node sits on the same point, so every marker blends into the same
// ring pixels; the screen blend's rounding makes the order visible.
TEST_F(StructureGeneratorTest, ANodesMarkerIsDrawnAfterAllItsDescendantsMarkers) {
    const Colour start = 40 * 0x010101;
    growStructure(400.0f, 300.0f, 0.0f, start);

    struct Order {
        static void descendantsFirst(Colour c, Colour* pixel) {
            const Colour next = branchColour(c, 0.5f);
            if (next != 0) {
                descendantsFirst(next, pixel);
                descendantsFirst(next, pixel);
            }
            *pixel = blend(*pixel, c);
        }
        static void nodeFirst(Colour c, Colour* pixel) {
            *pixel = blend(*pixel, c);
            const Colour next = branchColour(c, 0.5f);
            if (next != 0) {
                nodeFirst(next, pixel);
                nodeFirst(next, pixel);
            }
        }
    };
    Colour expected = 0;
    Order::descendantsFirst(start, &expected);
    Colour otherOrder = 0;
    Order::nodeFirst(start, &otherOrder);
    ASSERT_NE(expected, otherOrder);
    EXPECT_EQ(screenColour(screen, 397, 300), expected);
    EXPECT_EQ(screenColour(screen, 402, 302), expected);
}

TEST_F(StructureGeneratorTest, BranchCountIsCappedAtTwo) {
    headlessSetTickCount(777);
    initSceneParameters();
    resetCamera();
    sceneParameters.decisionFields[11] = peakField();
    growStructure(400.0f, 300.0f, -600.0f, 170 * 0x010101);
    const std::vector<uint8_t> capped = screen.bytes;

    openMemoryScreen(&screen, 800, 600, 3);
    sceneParameters.decisionFields[11] = halfField();
    growStructure(400.0f, 300.0f, -600.0f, 170 * 0x010101);
    EXPECT_EQ(screen.bytes, capped);

    openMemoryScreen(&screen, 800, 600, 3);
    sceneParameters.decisionFields[11] = troughField();
    growStructure(400.0f, 300.0f, -600.0f, 170 * 0x010101);
    EXPECT_NE(screen.bytes, capped);
}

// A structure grown from a fixed tick count is a fixed picture, the same in 24 and 32 bits.
// The cell is the one straight ahead, one cell in front of the camera's own, in the first
// frame at 800 × 600.
TEST_F(StructureGeneratorTest, CellGrownFromAFixedTickCountGivesAPinnedPicture) {
    headlessSetTickCount(20020);
    initSceneParameters();
    resetCamera();
    const Colour fog = 170 * 0x010101;

    growStructure(400.0f, 300.0f, -600.0f, fog);
    const uint64_t checksum24 = pictureChecksum(screen);
    const size_t lit = litPixels(screen).size();
    EXPECT_GT(lit, 1000u);
    EXPECT_EQ(checksum24, 0x9e9d8bdb6e71da28ull)
        << std::hex << checksum24 << std::dec << " lit " << lit;
    for (int32_t y = 0; y < screen.height; ++y) {
        for (int32_t x = 800 * 3; x < screen.pitch; ++x) {
            ASSERT_EQ(screen.bytes[static_cast<size_t>(y) * screen.pitch + x], 0u);
        }
    }

    MemoryScreen wide;
    openMemoryScreen(&wide, 800, 600, 4, 36, 0xA5);
    for (int32_t y = 0; y < 600; ++y) {
        for (int32_t x = 0; x < 800; ++x) {
            uint8_t* p = wide.bytes.data() + static_cast<size_t>(y) * wide.pitch + x * 4;
            p[0] = p[1] = p[2] = 0;
        }
    }
    growStructure(400.0f, 300.0f, -600.0f, fog);
    EXPECT_EQ(pictureChecksum(wide), checksum24);
    for (int32_t y = 0; y < 600; ++y) {
        for (int32_t x = 0; x < 800; ++x) {
            ASSERT_EQ(screenColour(wide, x, y), screenColour(screen, x, y)) << x << "," << y;
            ASSERT_EQ(wide.bytes[static_cast<size_t>(y) * wide.pitch + x * 4 + 3], 0xA5);
        }
    }

    // The same again: nothing of one growth leaks into the next.
    openMemoryScreen(&screen, 800, 600, 3);
    growStructure(400.0f, 300.0f, -600.0f, fog);
    EXPECT_EQ(pictureChecksum(screen), checksum24);
}

// The first frame of a run: the camera at rest, the phases drifted once at the default speed,
// all 165 cells. Many more nodes than one cell, so single-precision roundings anywhere in the
// generator show up in the picture.
TEST_F(StructureGeneratorTest, FirstFrameFromAFixedTickCountGivesAPinnedPicture) {
    headlessSetTickCount(20020);
    initSceneParameters();
    resetCamera();
    driftWavePhases(static_cast<float>(0.0001 * 20.0));
    growVisibleCells();
    const uint64_t checksum = pictureChecksum(screen);
    EXPECT_EQ(checksum, 0x5703906e4a568552ull)
        << std::hex << checksum << std::dec << " lit " << litPixels(screen).size();
}

// The largest speed a preferences file can give drives the drifting phases to infinity after
// some 10,500 frames, and the waves to NaN. Every conversion to an integer is defined for them
// (under UBSan any other way stops the test), and the branching still ends.
TEST_F(StructureGeneratorTest, TwoHundredThousandFramesAtTheLargestSpeedStayDefined) {
    openMemoryScreen(&screen, 160, 120, 4);
    headlessSetTickCount(20020);
    initSceneParameters();
    resetCamera();
    const float speed = std::numeric_limits<float>::max();
    size_t lit = 0;
    for (int32_t frame = 1; frame <= 200000; ++frame) {
        driftWavePhases(static_cast<float>(0.0001 * speed));
        if (frame % 20000 == 0 || frame == 10000) {
            std::fill(screen.bytes.begin(), screen.bytes.end(), 0);
            growVisibleCells();
            lit = litPixels(screen).size();
        }
    }
    EXPECT_TRUE(std::isinf(sceneParameters.branchFields[1].phaseY));
    EXPECT_TRUE(std::isnan(evaluateWave(sceneParameters.branchFields[1], 1.0f, 2.0f, 3.0f)));
    EXPECT_EQ(quantiseWave(sceneParameters.branchFields[1], 1.0f, 2.0f, 3.0f, 3), INT32_MIN);
    EXPECT_EQ(branchColour(0xFFFFFF, std::numeric_limits<float>::quiet_NaN()), 0u);
    // The cells' own nodes still have their markers.
    EXPECT_GT(lit, 0u);
}

} // namespace
