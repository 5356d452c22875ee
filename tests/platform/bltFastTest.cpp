// BltFast: rectangle copies between surfaces of one format, each with its own pitch, and the
// present that a blit onto the primary makes.
#include "platformFixture.h"

#include <cstring>

class BltFastTest : public DisplayTest {
  protected:
    DDSURFACEDESC lock(LPDIRECTDRAWSURFACE surface) {
        DDSURFACEDESC desc = {};
        desc.dwSize = sizeof desc;
        EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        return desc;
    }
};

TEST_F(BltFastTest, CopiesRowByRowAcrossDifferentPitches) {
    openDisplay(640, 480, 24);
    LPDIRECTDRAWSURFACE source = create(offscreenDesc(5, 4)); // pitch 16
    headlessSetExtraPitch(13);
    LPDIRECTDRAWSURFACE target = create(offscreenDesc(5, 4)); // pitch 29
    DDSURFACEDESC from = lock(source);
    BYTE* sourceBytes = static_cast<BYTE*>(from.lpSurface);
    for (int i = 0; i < from.lPitch * 4; i++) {
        sourceBytes[i] = static_cast<BYTE>(i + 1);
    }
    source->Unlock(nullptr);
    DDSURFACEDESC to = lock(target);
    std::memset(to.lpSurface, 0xEE, static_cast<size_t>(to.lPitch) * 4);
    target->Unlock(nullptr);
    RECT whole = {0, 0, 5, 4};
    ASSERT_EQ(target->BltFast(0, 0, source, &whole, DDBLTFAST_WAIT), DD_OK);
    to = lock(target);
    ASSERT_EQ(to.lPitch, 29);
    const BYTE* targetBytes = static_cast<const BYTE*>(to.lpSurface);
    for (int y = 0; y < 4; y++) {
        for (int x = 0; x < 29; x++) {
            BYTE expected = x < 15 ? static_cast<BYTE>(y * 16 + x + 1) : 0xEE;
            ASSERT_EQ(targetBytes[y * 29 + x], expected) << "row " << y << " byte " << x;
        }
    }
    target->Unlock(nullptr);
    source->Release();
    target->Release();
    directDraw->Release();
}

TEST_F(BltFastTest, CopiesAPartToAPoint) {
    openDisplay(640, 480, 8);
    LPDIRECTDRAWSURFACE source = create(offscreenDesc(8, 8));
    LPDIRECTDRAWSURFACE target = create(offscreenDesc(8, 8));
    DDSURFACEDESC from = lock(source);
    for (int y = 0; y < 8; y++) {
        for (int x = 0; x < 8; x++) {
            static_cast<BYTE*>(from.lpSurface)[y * from.lPitch + x] = static_cast<BYTE>(y * 8 + x);
        }
    }
    source->Unlock(nullptr);
    RECT part = {1, 2, 4, 4}; // 3 wide, 2 high
    ASSERT_EQ(target->BltFast(5, 6, source, &part, DDBLTFAST_WAIT), DD_OK);
    DDSURFACEDESC to = lock(target);
    const BYTE* bytes = static_cast<const BYTE*>(to.lpSurface);
    int copied = 0;
    for (int y = 0; y < 8; y++) {
        for (int x = 0; x < 8; x++) {
            bool inside = x >= 5 && y >= 6;
            BYTE expected = inside ? static_cast<BYTE>((y - 4) * 8 + (x - 4)) : 0;
            EXPECT_EQ(bytes[y * to.lPitch + x], expected) << x << "," << y;
            copied += inside;
        }
    }
    EXPECT_EQ(copied, 6);
    target->Unlock(nullptr);
    source->Release();
    target->Release();
    directDraw->Release();
}

TEST_F(BltFastTest, RefusesWhatItCannotDo) {
    openDisplay(640, 480, 32);
    LPDIRECTDRAWSURFACE source = create(offscreenDesc(8, 8));
    LPDIRECTDRAWSURFACE target = create(offscreenDesc(8, 8));
    DDSURFACEDESC sixteen = offscreenDesc(8, 8);
    sixteen.dwFlags |= DDSD_PIXELFORMAT;
    sixteen.ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
    sixteen.ddpfPixelFormat.dwFlags = DDPF_RGB;
    sixteen.ddpfPixelFormat.dwRGBBitCount = 16;
    LPDIRECTDRAWSURFACE other = create(sixteen);

    RECT tooWide = {0, 0, 9, 8};
    EXPECT_EQ(target->BltFast(0, 0, source, &tooWide, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
    EXPECT_EQ(target->BltFast(1, 0, source, nullptr, DDBLTFAST_WAIT), DDERR_INVALIDRECT)
        << "BltFast does not clip at the target's edge";
    EXPECT_EQ(target->BltFast(0, static_cast<DWORD>(-1), source, nullptr, DDBLTFAST_WAIT),
              DDERR_INVALIDRECT);
    EXPECT_EQ(target->BltFast(0, 0, other, nullptr, DDBLTFAST_WAIT), DDERR_INVALIDPIXELFORMAT);
    EXPECT_EQ(target->BltFast(0, 0, nullptr, nullptr, DDBLTFAST_WAIT), DDERR_INVALIDPARAMS);
    EXPECT_EQ(target->BltFast(0, 0, source, nullptr, DDBLTFAST_SRCCOLORKEY), DDERR_UNSUPPORTED);
    DDSURFACEDESC desc = lock(source);
    EXPECT_EQ(target->BltFast(0, 0, source, nullptr, DDBLTFAST_WAIT), DDERR_SURFACEBUSY);
    source->Unlock(nullptr);
    desc = lock(target);
    EXPECT_EQ(target->BltFast(0, 0, source, nullptr, DDBLTFAST_WAIT), DDERR_SURFACEBUSY);
    target->Unlock(nullptr);
    EXPECT_EQ(target->BltFast(0, 0, source, nullptr, DDBLTFAST_WAIT), DD_OK);
    source->Release();
    target->Release();
    other->Release();
    directDraw->Release();
}

TEST_F(BltFastTest, OverlappingCopyWithinOneSurfaceKeepsTheSource) {
    openDisplay(640, 480, 8);
    LPDIRECTDRAWSURFACE surface = create(offscreenDesc(4, 6));
    DDSURFACEDESC desc = lock(surface);
    for (int y = 0; y < 6; y++) {
        std::memset(static_cast<BYTE*>(desc.lpSurface) + y * desc.lPitch, y + 1, 4);
    }
    surface->Unlock(nullptr);
    RECT top = {0, 0, 4, 4};
    ASSERT_EQ(surface->BltFast(0, 2, surface, &top, DDBLTFAST_WAIT), DD_OK);
    desc = lock(surface);
    const BYTE expected[] = {1, 2, 1, 2, 3, 4};
    for (int y = 0; y < 6; y++) {
        EXPECT_EQ(static_cast<BYTE*>(desc.lpSurface)[y * desc.lPitch + 3], expected[y]);
    }
    surface->Unlock(nullptr);
    surface->Release();
    directDraw->Release();
}

TEST_F(BltFastTest, BlitOntoThePrimaryPresentsIt) {
    openDisplay(3, 2, 32);
    LPDIRECTDRAWSURFACE primary = create(primaryDesc());
    headlessSetExtraPitch(8);
    LPDIRECTDRAWSURFACE back = create(offscreenDesc(3, 2));
    DDSURFACEDESC desc = lock(back);
    for (int y = 0; y < 2; y++) {
        for (int x = 0; x < 12; x++) {
            static_cast<BYTE*>(desc.lpSurface)[y * desc.lPitch + x] = static_cast<BYTE>(y * 12 + x);
        }
    }
    back->Unlock(nullptr);
    int frames = 0;
    headlessSetPresentHook(
        [](const HeadlessFrame*, void* context) { ++*static_cast<int*>(context); }, &frames);
    RECT whole = {0, 0, 3, 2};
    ASSERT_EQ(primary->BltFast(0, 0, back, &whole, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(frames, 1);
    const HeadlessFrame* frame = headlessLastFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->number, 1);
    for (int i = 0; i < 24; i++) {
        EXPECT_EQ(frame->pixels[i], i) << "frames are kept without the padding";
    }
    EXPECT_EQ(back->BltFast(0, 0, primary, &whole, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(frames, 1) << "only the visible surface presents";
    back->Release();
    primary->Release();
    directDraw->Release();
}
