// Techniques: the beam and the meteor rain, every character's pair, the opening flash and its cost.
#include <gtest/gtest.h>

#include "combat_fixture.h"
#include "platform/platform.h"

using namespace combat_test;

namespace {

class CombatWaza : public CombatTest {
protected:
    // A technique just started by the play frame.
    static void Start(int charge) {
        wazaCharge = charge;
        wazaOn = 1;
        wazaOn2 = 1;
    }
    // Runs h_Waza until the technique ends (at most `limit` frames); returns
    // the frames it ran.
    static int RunToEnd(int limit) {
        int n = 0;
        while (wazaOn == 1 && n < limit) {
            h_Waza();
            n++;
        }
        return n;
    }
    static int ActiveShotsOf(int kind) {
        int n = 0;
        for (const ShotRecord& s : Shot) n += s.active == 1 && s.kind == kind;
        return n;
    }
    static int ActiveMeteors() {
        int n = 0;
        for (const MeteoRecord& m : Waza.meteo) n += m.active;
        return n;
    }
};

class CombatOpening : public CombatWaza {
protected:
    void SetUp() override {
        plat::Options o;
        o.headless = true;
        ASSERT_TRUE(plat::Startup(o));
        ASSERT_EQ(InitDisplay(), 0);
        CombatWaza::SetUp();
    }
};

}  // namespace

TEST_F(CombatWaza, BeamLasts168FramesAndReleasesFivePiercingBeams) {
    Start(59);
    invincible = 0;
    for (int e = 0; e < 125; e++) h_Waza();
    EXPECT_EQ(sounds, (std::vector<std::string>{"voice 7a", "wave 3 se\\cs-3.wav"}));
    EXPECT_EQ(ActiveShotsOf(3), 0);
    h_Waza();  // e = 125: the release
    EXPECT_EQ(sounds.size(), 4u);
    EXPECT_EQ(sounds[2], "voice 7b");
    EXPECT_EQ(sounds[3], "wave 3 se\\cs-1.wav");
    ASSERT_EQ(ActiveShotsOf(3), 5);
    // The orbs have swung out to 90, 180, 135, 360 and 405 degrees.
    const int px = 100, py = 100;
    const int ang[5] = {90, 180, 135, 360, 405};
    const int startX[5] = {36, 4, 20, 4, 20}, dy[5] = {0, -32, -16, 32, 16};
    for (int n = 0; n < 5; n++) {
        const ShotRecord& s = Shot[n];
        int sx = GetSin(ang[n]) >> 3, cy = GetSin(ang[n] + 90) >> 3;
        EXPECT_EQ(s.x, px + sx + startX[n]) << n;
        EXPECT_EQ(s.y, py + cy + dy[n]) << n;
        EXPECT_EQ(s.w, 96);
        EXPECT_EQ(s.h, 24);
        EXPECT_EQ(s.damage, 2);
        EXPECT_EQ(s.draw, SHOT_ADD_WAZA);
        EXPECT_EQ(s.srcX, 800);
        EXPECT_EQ(s.srcY, 168);
    }
    // First moved by the next frame's shot movement, 10 pixels right.
    int x0 = Shot[0].x;
    MovePlayerShots();
    EXPECT_EQ(Shot[0].x, x0 + 10);
    EXPECT_EQ(Shot[0].y, py + dy[0]);

    EXPECT_EQ(RunToEnd(100), 168 - 126);
    EXPECT_EQ(wazaOn2, 0);
    EXPECT_EQ(invincible, 64);
    h_Waza();  // idle: the technique's state is cleared
    for (int v : Waza.ex) EXPECT_EQ(v, 0);
}

TEST_F(CombatWaza, MeteorRainPausesThenHitsEachEnemyOnce) {
    Start(60);
    int tough = Enemy(200, 100, 32, 32, 120);
    FillSurface(WorkSurface, 0x0841);
    FillSurface(Slot[6], 0xFFFF);
    for (int f = 0; f < 179; f++) h_Waza();
    // A silent pause: nothing drawn, nobody hurt, only the first line spoken.
    EXPECT_EQ(std::count(WorkSurface->pixels.begin(), WorkSurface->pixels.end(), 0x0841),
              static_cast<long>(WorkSurface->pixels.size()));
    EXPECT_EQ(Teki[tough].hp, 120);
    EXPECT_EQ(sounds, std::vector<std::string>{"voice 8a"});
    EXPECT_EQ(ActiveMeteors(), 0);

    h_Waza();  // the rain begins
    EXPECT_EQ(ActiveMeteors(), 1);
    EXPECT_EQ(Waza.rpt, 1);
    EXPECT_EQ(Teki[tough].hp, 70);
    EXPECT_EQ(sounds, (std::vector<std::string>{"voice 8a", "voice 8b", "wave 3 se\\cs-2.wav"}));

    for (int f = 0; f < 30; f++) h_Waza();
    int late = Enemy(250, 150, 32, 32, 80);  // arrives during the rain
    int frames = 180 + 30 + RunToEnd(5000);
    EXPECT_EQ(wazaOn, 0);
    EXPECT_EQ(wazaOn2, 0);
    EXPECT_EQ(invincible, 64);
    EXPECT_EQ(Waza.rpt, 100);
    EXPECT_GE(frames, 180 + 100);
    EXPECT_EQ(Teki[tough].hp, 70);   // once only
    EXPECT_EQ(Teki[late].hp, 30);
    EXPECT_EQ(Teki[tough].wazaHit, 0);  // revived for the next technique
    EXPECT_EQ(sounds.size(), 3u);
}

TEST_F(CombatWaza, EveryCharacterHasBothTechniques) {
    for (int chno : {1, 4, 9}) {
        GameState.chno = chno;
        Start(45);
        EXPECT_EQ(RunToEnd(1000), 168) << chno;
        h_Waza();
        Start(60);
        EXPECT_LT(RunToEnd(5000), 5000) << chno;
        EXPECT_EQ(wazaOn2, 0);
        h_Waza();
        ResetPlayerWork();
    }
}

TEST_F(CombatOpening, CostsAndTheBlockingFlash) {
    for (int i = 0; i < 7; i++) {
        if (!Slot[i]) Slot[i] = MakeSurface(16, 16);
    }
    FillSurface(Slot[1], 0);
    for (int y = 208; y < 288; y++)
        for (int x = 0; x < 800; x++) Slot[1]->pixels[static_cast<size_t>(y) * 800 + x] = 0x001F;

    // h_Play on its own: snapshot in slot 5, eleven frames 30 ms apart, the
    // last one the scene alone.
    FillSurface(WorkSurface, 0x4208);
    uint64_t shown = plat::PresentedFrames();
    uint32_t t0 = plat::GetTicks();
    EXPECT_EQ(h_Play(), 0);
    EXPECT_EQ(plat::PresentedFrames() - shown, 11u);
    EXPECT_GE(plat::GetTicks() - t0, 330u);
    EXPECT_EQ(Slot[5]->pixels[0], 0x4208);
    EXPECT_EQ(plat::LastFrame()[100 * 320 + 100], WorkSurface->pixels[100 * 320 + 100]);
    EXPECT_EQ(WorkSurface->pixels[100 * 320 + 100], 0x4208);

    // Through the play frame: the cost is taken before the flash.
    for (int charge : {59, 60}) {
        GameState.mater = 200;
        wazaReq = 1;
        wazaCharge = charge;
        wazaOn = wazaOn2 = 0;
        frameTick = static_cast<int>(plat::GetTicks()) - 100;
        shown = plat::PresentedFrames();
        GameFrame();
        EXPECT_EQ(GameState.mater, charge == 60 ? 100 : 150);
        EXPECT_EQ(wazaReq, 0);
        EXPECT_EQ(wazaOn, 1);
        EXPECT_EQ(wazaOn2, 1);
        EXPECT_EQ(plat::PresentedFrames() - shown, 12u);
    }
}
