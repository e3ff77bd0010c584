// The display: key colour by pixel format, the slots and their reload, clear and flip.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "shell/shell.h"
#include "video/video.h"

namespace {

void StartDisplay(bool rgb555) {
    plat::Options o;
    o.headless = true;
    o.rgb555 = rgb555;
    ASSERT_TRUE(plat::Startup(o));
    ASSERT_EQ(InitDisplay(), 0);
}

TEST(DisplaySurfaces, KeyColourFollowsThePixelFormat) {
    for (bool rgb555 : {false, true}) {
        StartDisplay(rgb555);
        EXPECT_EQ(PixelFormat565, rgb555 ? 0 : 1);
        Surface* s = MakeSurface(8, 4);
        ASSERT_NE(s, nullptr);
        EXPECT_FALSE(s->hasKey);
        SetKeyColor(s, 0x07E0);
        EXPECT_TRUE(s->hasKey);
        EXPECT_EQ(s->key, rgb555 ? 0x03E0 : 0x07E0);
        SetKeyColor(s, 0);  // black becomes transparent, not nothing
        EXPECT_TRUE(s->hasKey);
        EXPECT_EQ(s->key, 0);
        FreeSurface(s);
        EXPECT_EQ(s, nullptr);
        ReleaseDisplay();
    }
    StartDisplay(false);
}

TEST(DisplaySurfaces, SlotsFreeAndReloadWithTheStage) {
    StartDisplay(false);
    for (int i = 0; i < 7; i++) {
        FreeSlot(i);
        Slot[i] = MakeSurface(4, 4);
    }
    FreeSlot(3);
    EXPECT_EQ(Slot[3], nullptr);
    FreeSlot(3);  // freeing an empty slot does nothing
    FreeSlot(7);
    EXPECT_EQ(MakeSurface(0, 5), nullptr);

    // Lost surfaces: the next play frame reloads every slot, even when a
    // screen's flip heard of the loss first. With no bitmaps in the working
    // folder the bitmap slots stay empty; slot 5 is a fresh, unkeyed 320 x 240
    // snapshot surface.
    frameTick = static_cast<int>(plat::GetTicks()) - 100;
    stageNo = 1;
    GameState.chno = 0;
    gameOverFlag = wazaReq = 0;
    plat::TestLoseSurfaces();
    EXPECT_EQ(FlipScreen(), kSurfacesLost);
    GameFrame();
    ASSERT_NE(Slot[5], nullptr);
    EXPECT_EQ(Slot[5]->width, 320);
    EXPECT_EQ(Slot[5]->height, 240);
    EXPECT_FALSE(Slot[5]->hasKey);
    for (int i : {0, 1, 2, 3, 4, 6}) {
        if (Slot[i]) {
            EXPECT_TRUE(Slot[i]->hasKey);
        }
    }
    Slot[5]->pixels[0] = 7;  // repaired once: the next frame keeps the slots
    frameTick -= 100;
    GameFrame();
    ASSERT_NE(Slot[5], nullptr);
    EXPECT_EQ(Slot[5]->pixels[0], 7);
    EXPECT_EQ(FlipScreen(false), 0);
    for (int i = 0; i < 7; i++) FreeSlot(i);
}

TEST(DisplaySurfaces, ClearAndFlipPresentTheWorkSurface) {
    StartDisplay(false);
    uint64_t before = plat::PresentedFrames();
    FillScreen(0x1234);
    EXPECT_EQ(FlipScreen(false), 0);
    EXPECT_EQ(plat::LastFrame()[100], 0x1234);
    ClearAllScreens();
    EXPECT_EQ(WorkSurface->pixels[100], 0);
    EXPECT_EQ(plat::LastFrame()[100], 0);
    EXPECT_GT(plat::PresentedFrames(), before);

    // Screens' flips come 16 ms after the previous one was due, however long
    // the drawing took: a flip 5 ms late is caught up on the next; one late by
    // a whole frame starts the count afresh. The play frame's flip never waits.
    uint32_t t0 = plat::GetTicks();
    FlipScreen(true);
    EXPECT_EQ(plat::GetTicks() - t0, 16u);
    plat::Sleep(21);
    FlipScreen(true);
    EXPECT_EQ(plat::GetTicks() - t0, 37u);
    FlipScreen(true);
    EXPECT_EQ(plat::GetTicks() - t0, 48u);
    plat::Sleep(40);
    t0 = plat::GetTicks();
    FlipScreen(true);
    EXPECT_EQ(plat::GetTicks(), t0);
    FlipScreen(true);
    EXPECT_EQ(plat::GetTicks() - t0, 16u);
    t0 = plat::GetTicks();
    FlipScreen(false);
    EXPECT_EQ(plat::GetTicks(), t0);
}

}  // namespace
