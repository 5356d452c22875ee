#include "scene/nodeMarker.h"
#include "raster/lines.h"
#include "scene/structureGenerator.h"
#include "sceneTestSupport.h"

#include <algorithm>
#include <set>

namespace {

typedef std::set<std::pair<int32_t, int32_t>> PixelSet;

const PixelSet ringOffsets = {
    {-3, -1}, {-3, 0}, {-3, 1}, {3, -1}, {3, 0},   {3, 1},  {-1, -3}, {0, -3},
    {1, -3},  {-1, 3}, {0, 3},  {1, 3},  {-2, -2}, {-2, 2}, {2, -2},  {2, 2},
};

PixelSet around(int32_t cx, int32_t cy, const PixelSet& offsets) {
    PixelSet pixels;
    for (const auto& o : offsets) {
        pixels.insert({cx + o.first, cy + o.second});
    }
    return pixels;
}

PixelSet litSet(const MemoryScreen& screen) {
    const auto lit = litPixels(screen);
    return PixelSet(lit.begin(), lit.end());
}

// A node too dark to branch, at the screen centre line of sight, so only its marker shows.
class NodeMarkerTest : public SceneTest {
  protected:
    void SetUp() override {
        SceneTest::SetUp();
        openMemoryScreen(&screen, 800, 600, 3);
        resetCamera();
    }
    MemoryScreen screen;
    const Colour darkGrey = 10 * 0x010101;
};

TEST_F(NodeMarkerTest, RingIsFourShortLinesAndFourDotsInTheIncomingColour) {
    growStructure(400.0f, 300.0f, 0.0f, darkGrey);
    EXPECT_EQ(litSet(screen), around(400, 300, ringOffsets));
    EXPECT_EQ(screenColour(screen, 397, 300), 0x0B0B0Bu);
    EXPECT_EQ(screenColour(screen, 402, 302), 0x0B0B0Bu);
}

TEST_F(NodeMarkerTest, DecisionFieldTwoChoosesTheMarker) {
    sceneParameters.decisionFields[2] = troughField();
    growStructure(400.0f, 300.0f, 0.0f, darkGrey);
    EXPECT_TRUE(litPixels(screen).empty());
    // Only a value below one fifth hides it.
    sceneParameters.decisionFields[2] = constantField(0.21);
    growStructure(400.0f, 300.0f, 0.0f, darkGrey);
    EXPECT_EQ(litSet(screen), around(400, 300, ringOffsets));
}

TEST_F(NodeMarkerTest, DepthWindowExcludesBothLimits) {
    const float nearLimit = camera.cameraZ + 1.0f;
    growStructure(400.0f, 300.0f, nearLimit, darkGrey);
    EXPECT_TRUE(litPixels(screen).empty());
    growStructure(400.0f, 300.0f, camera.cameraZ - 50.0f, darkGrey);
    EXPECT_TRUE(litPixels(screen).empty());
    growStructure(400.0f, 300.0f, camera.cameraZ + 1600.0f, darkGrey);
    EXPECT_TRUE(litPixels(screen).empty());

    growStructure(400.0f, 300.0f, camera.cameraZ + 1.5f, darkGrey);
    EXPECT_EQ(litSet(screen), around(400, 300, ringOffsets));
    openMemoryScreen(&screen, 800, 600, 3);
    growStructure(400.0f, 300.0f, camera.cameraZ + 1599.0f, darkGrey);
    EXPECT_EQ(litSet(screen), around(400, 300, ringOffsets));
}

TEST_F(NodeMarkerTest, MarkerSitsOnTheProjectedNode) {
    camera.cameraZ = 0.0f;
    camera.cameraX = 40.0f;
    // Depth 400 doubles distances from the line of sight x = 440, y = 300.
    growStructure(500.0f, 250.0f, 400.0f, darkGrey);
    EXPECT_EQ(litSet(screen), around(520, 200, ringOffsets));
}

struct ExtraCase {
    int32_t entry;
    PixelSet offsets;
};

const ExtraCase extraCases[] = {
    {3, {{0, 0}, {1, 0}, {2, 0}}},
    {4, {{0, 0}, {-1, 0}, {-2, 0}}},
    {5, {{0, 0}, {0, 1}, {0, 2}}},
    {6, {{0, 0}, {0, -1}, {0, -2}}},
    {7, {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}}},
    {8, {{0, 0}, {1, 0}, {2, 0}, {0, -1}, {1, -1}, {2, -1}, {0, -2}, {1, -2}}},
    {9, {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}, {2, 0}, {2, 1}}},
    {10, {{0, 0}, {0, 1}, {0, 2}, {-1, 0}, {-1, 1}, {-1, 2}, {-2, 0}, {-2, 1}}},
};

TEST_F(NodeMarkerTest, EachExtraIsDrawnOnlyWhenItsFieldIsInTheLowestShare) {
    for (const ExtraCase& extra : extraCases) {
        openMemoryScreen(&screen, 800, 600, 3);
        std::memset(&sceneParameters, 0, sizeof sceneParameters);
        sceneParameters.decisionFields[extra.entry] = troughField();
        growStructure(400.0f, 300.0f, 0.0f, darkGrey);
        PixelSet expected = around(400, 300, ringOffsets);
        const PixelSet extraPixels = around(400, 300, extra.offsets);
        expected.insert(extraPixels.begin(), extraPixels.end());
        EXPECT_EQ(litSet(screen), expected) << "entry " << extra.entry;
    }
}

// Stubs are chosen below one quarter, blocks below one eighth.
TEST_F(NodeMarkerTest, ExtrasUseTheirOwnNumberOfChoices) {
    for (int32_t entry = 3; entry <= 10; ++entry) {
        sceneParameters.decisionFields[entry] = constantField(0.2);
    }
    growStructure(400.0f, 300.0f, 0.0f, darkGrey);
    PixelSet expected = around(400, 300, ringOffsets);
    for (int32_t i = 0; i < 4; ++i) {
        const PixelSet stub = around(400, 300, extraCases[i].offsets);
        expected.insert(stub.begin(), stub.end());
    }
    EXPECT_EQ(litSet(screen), expected);
}

TEST_F(NodeMarkerTest, MarkersNearTheEdgesAreClipped) {
    growStructure(1.0f, 1.0f, 0.0f, darkGrey);
    growStructure(799.0f, 599.0f, 0.0f, darkGrey);
    PixelSet expected;
    for (const auto& p : around(1, 1, ringOffsets)) {
        if (p.first >= 0 && p.second >= 0) {
            expected.insert(p);
        }
    }
    for (const auto& p : around(799, 599, ringOffsets)) {
        if (p.first < 800 && p.second < 600) {
            expected.insert(p);
        }
    }
    EXPECT_EQ(litSet(screen), expected);
}

} // namespace
