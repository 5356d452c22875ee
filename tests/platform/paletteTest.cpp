// Palettes: entries in ranges, attachment to surfaces, and what reaches the screen.
#include "platformFixture.h"

class PaletteTest : public DisplayTest {
  protected:
    PALETTEENTRY ramp[256];
    LPDIRECTDRAWPALETTE palette = nullptr;

    void SetUp() override {
        DisplayTest::SetUp();
        for (int i = 0; i < 256; i++) {
            ramp[i] = {static_cast<BYTE>(i), static_cast<BYTE>(255 - i), 7, 4};
        }
    }
    void createPalette(DWORD flags = DDPCAPS_8BIT | DDPCAPS_ALLOW256) {
        ASSERT_EQ(directDraw->CreatePalette(flags, ramp, &palette, nullptr), DD_OK);
    }
};

TEST_F(PaletteTest, EntriesAreReadAndWrittenInRanges) {
    openDisplay(320, 200, 8);
    createPalette();
    PALETTEENTRY read[256] = {};
    ASSERT_EQ(palette->GetEntries(0, 0, 256, read), DD_OK);
    EXPECT_EQ(read[200].peRed, 200);
    EXPECT_EQ(read[200].peGreen, 55);
    EXPECT_EQ(read[200].peFlags, 4);
    PALETTEENTRY one = {1, 2, 3, 4};
    ASSERT_EQ(palette->SetEntries(0, 255, 1, &one), DD_OK);
    ASSERT_EQ(palette->GetEntries(0, 254, 2, read), DD_OK);
    EXPECT_EQ(read[0].peRed, 254);
    EXPECT_EQ(read[1].peBlue, 3);
    EXPECT_EQ(palette->SetEntries(0, 255, 2, &one), DDERR_INVALIDPARAMS);
    EXPECT_EQ(palette->GetEntries(0, 256, 1, read), DDERR_INVALIDPARAMS);
    EXPECT_EQ(palette->GetEntries(0, 1, static_cast<DWORD>(-1), read), DDERR_INVALIDPARAMS);
    EXPECT_EQ(palette->GetEntries(1, 0, 1, read), DDERR_INVALIDPARAMS);
    EXPECT_EQ(palette->SetEntries(0, 0, 1, nullptr), DDERR_INVALIDPARAMS);
    palette->Release();
    directDraw->Release();
}

TEST_F(PaletteTest, WithoutAllow256TheEndEntriesStayBlackAndWhite) {
    openDisplay(320, 200, 8);
    createPalette(DDPCAPS_8BIT);
    PALETTEENTRY read[256];
    palette->SetEntries(0, 0, 256, ramp);
    ASSERT_EQ(palette->GetEntries(0, 0, 256, read), DD_OK);
    EXPECT_EQ(read[0].peRed, 0);
    EXPECT_EQ(read[0].peGreen, 0);
    EXPECT_EQ(read[255].peGreen, 255);
    EXPECT_EQ(read[1].peGreen, 254);
    palette->Release();
    LPDIRECTDRAWPALETTE fourBit = reinterpret_cast<LPDIRECTDRAWPALETTE>(1);
    EXPECT_EQ(directDraw->CreatePalette(DDPCAPS_4BIT, ramp, &fourBit, nullptr), DDERR_UNSUPPORTED);
    EXPECT_EQ(fourBit, nullptr);
    directDraw->Release();
}

TEST_F(PaletteTest, GetPaletteNeedsOneAttachedAndCountsItsReference) {
    openDisplay(320, 200, 8);
    createPalette();
    LPDIRECTDRAWSURFACE primary = create(primaryDesc());
    LPDIRECTDRAWPALETTE attached = reinterpret_cast<LPDIRECTDRAWPALETTE>(1);
    EXPECT_EQ(primary->GetPalette(&attached), DDERR_NOPALETTEATTACHED);
    EXPECT_EQ(attached, nullptr);
    ASSERT_EQ(primary->SetPalette(palette), DD_OK);
    ASSERT_EQ(primary->GetPalette(&attached), DD_OK);
    EXPECT_EQ(attached, palette);
    // Ours, the surface's and GetPalette's.
    EXPECT_EQ(attached->Release(), 2u);
    EXPECT_EQ(palette->Release(), 1u) << "the surface keeps it alive";
    PALETTEENTRY read[1];
    EXPECT_EQ(palette->GetEntries(0, 3, 1, read), DD_OK);
    EXPECT_EQ(primary->SetPalette(nullptr), DD_OK);
    EXPECT_EQ(headlessLiveObjectCount(), 2) << "detaching released the palette";
    primary->Release();
    directDraw->Release();
}

TEST_F(PaletteTest, OnlyPalettizedSurfacesTakeAPalette) {
    openDisplay(320, 200, 32);
    createPalette();
    LPDIRECTDRAWSURFACE primary = create(primaryDesc());
    EXPECT_EQ(primary->SetPalette(palette), DDERR_INVALIDPIXELFORMAT);
    EXPECT_EQ(primary->SetPalette(reinterpret_cast<LPDIRECTDRAWPALETTE>(&ramp)),
              DDERR_INVALIDPARAMS);
    primary->Release();
    palette->Release();
    directDraw->Release();
}

TEST_F(PaletteTest, ThePrimarysPaletteIsTheScreens) {
    openDisplay(2, 1, 8);
    createPalette();
    LPDIRECTDRAWSURFACE primary = create(primaryDesc());
    LPDIRECTDRAWSURFACE back = create(offscreenDesc(2, 1));
    ASSERT_EQ(back->SetPalette(palette), DD_OK);
    EXPECT_EQ(headlessScreenPalette()[9].peRed, 0)
        << "an off-screen surface's palette is not shown";
    ASSERT_EQ(primary->SetPalette(palette), DD_OK);
    EXPECT_EQ(headlessScreenPalette()[9].peRed, 9);
    PALETTEENTRY red = {200, 0, 0, 4};
    ASSERT_EQ(palette->SetEntries(0, 9, 1, &red), DD_OK);
    EXPECT_EQ(headlessScreenPalette()[9].peRed, 200);

    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    static_cast<BYTE*>(desc.lpSurface)[1] = 9;
    back->Unlock(nullptr);
    ASSERT_EQ(primary->BltFast(0, 0, back, nullptr, DDBLTFAST_WAIT), DD_OK);
    const HeadlessFrame* frame = headlessLastFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->pixels[1], 9);
    EXPECT_EQ(frame->palette[9].peRed, 200);
    EXPECT_EQ(frame->palette[10].peGreen, 245);

    back->Release();
    primary->Release();
    palette->Release();
    directDraw->Release();
    EXPECT_EQ(headlessLiveObjectCount(), 0);
}
