// What the layer tells the host changed with each present: the part a blit or a locked
// rectangle covered, what the program declared for an unlock, and the whole frame whenever
// anything else may have changed.
#include "platformFixture.h"

#include "platform/hostWindow.h"

#include <cstring>

namespace {

class ScreenChangesTest : public DisplayTest {
  protected:
    LPDIRECTDRAWSURFACE primary = nullptr;
    LPDIRECTDRAWSURFACE back = nullptr;

    void open(int bitsPerPixel) {
        openDisplay(64, 32, bitsPerPixel);
        primary = create(primaryDesc());
        back = create(offscreenDesc(64, 32));
    }

    void blit(LONG left, LONG top, LONG right, LONG bottom) {
        RECT area = {left, top, right, bottom};
        ASSERT_EQ(primary->BltFast(static_cast<DWORD>(left), static_cast<DWORD>(top), back, &area,
                                   DDBLTFAST_WAIT),
                  DD_OK);
    }

    static bool whole() { return headlessLastFrame()->changed == nullptr; }

    static bool onlyChanged(LONG left, LONG top, LONG right, LONG bottom) {
        const HeadlessFrame* frame = headlessLastFrame();
        return frame->changed != nullptr && frame->changedCount == 1 &&
               frame->changed[0].left == left && frame->changed[0].top == top &&
               frame->changed[0].right == right && frame->changed[0].bottom == bottom;
    }

    void TearDown() override {
        back->Release();
        primary->Release();
        directDraw->Release();
        DisplayTest::TearDown();
    }
};

TEST_F(ScreenChangesTest, ABlitChangesItsRectangleAfterTheFirstFrame) {
    open(32);
    blit(3, 4, 10, 9);
    EXPECT_TRUE(whole()) << "the host has seen nothing before";
    blit(3, 4, 10, 9);
    EXPECT_TRUE(onlyChanged(3, 4, 10, 9));
    blit(0, 0, 64, 32);
    EXPECT_TRUE(whole());
}

TEST_F(ScreenChangesTest, AnUnlockChangesWhatWasLockedOrWhatTheProgramSaid) {
    open(24);
    blit(0, 0, 64, 32);
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    RECT part = {8, 2, 20, 30};
    ASSERT_EQ(primary->Lock(&part, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    ASSERT_EQ(primary->Unlock(nullptr), DD_OK);
    EXPECT_TRUE(onlyChanged(8, 2, 20, 30));

    ASSERT_EQ(primary->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    ASSERT_EQ(primary->Unlock(nullptr), DD_OK);
    EXPECT_TRUE(whole()) << "a whole lock, and nothing said";

    const HostRect said[2] = {{0, 0, 16, 4}, {32, 8, 32, 24}};
    ASSERT_EQ(primary->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    tellHostScreenChanges(said, 2);
    ASSERT_EQ(primary->Unlock(nullptr), DD_OK);
    const HeadlessFrame* frame = headlessLastFrame();
    ASSERT_NE(frame->changed, nullptr);
    ASSERT_EQ(frame->changedCount, 2);
    EXPECT_EQ(frame->changed[1].left, 32);
    EXPECT_EQ(frame->changed[1].top, 8);
    EXPECT_EQ(frame->changed[1].right, 64);
    EXPECT_EQ(frame->changed[1].bottom, 32);

    ASSERT_EQ(primary->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    tellHostScreenChanges(said, 0);
    ASSERT_EQ(primary->Unlock(nullptr), DD_OK);
    ASSERT_NE(headlessLastFrame()->changed, nullptr) << "nothing changed is not the whole frame";
    EXPECT_EQ(headlessLastFrame()->changedCount, 0);

    // What was said is for the next unlock of the screen only.
    tellHostScreenChanges(said, 2);
    blit(1, 1, 2, 2);
    EXPECT_TRUE(onlyChanged(1, 1, 2, 2));
    ASSERT_EQ(primary->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    ASSERT_EQ(primary->Unlock(nullptr), DD_OK);
    EXPECT_TRUE(whole());
}

TEST_F(ScreenChangesTest, ANewSurfaceOrPaletteIsWhole) {
    open(8);
    blit(0, 0, 64, 32);
    blit(1, 1, 5, 5);
    EXPECT_TRUE(onlyChanged(1, 1, 5, 5));
    PALETTEENTRY entries[256] = {};
    LPDIRECTDRAWPALETTE palette = nullptr;
    ASSERT_EQ(
        directDraw->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr),
        DD_OK);
    ASSERT_EQ(primary->SetPalette(palette), DD_OK);
    blit(1, 1, 5, 5);
    EXPECT_TRUE(whole()) << "after a palette change";
    blit(1, 1, 5, 5);
    EXPECT_TRUE(onlyChanged(1, 1, 5, 5));
    entries[7].peRed = 200;
    ASSERT_EQ(palette->SetEntries(0, 0, 256, entries), DD_OK);
    blit(1, 1, 5, 5);
    EXPECT_TRUE(whole()) << "after new entries";
    palette->Release();

    primary->Release();
    primary = create(primaryDesc());
    blit(1, 1, 5, 5);
    EXPECT_TRUE(whole()) << "another visible surface";
}

} // namespace
