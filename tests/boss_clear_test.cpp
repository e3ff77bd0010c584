// Boss defeat and stage clear: the explosion shower, the clear flag's frame, the caption and the closing effects.
#include "boss_fixture.h"
#include "stage/stage.h"

class BossClear : public BossTestBase {
protected:
    void SetUp() override {
        BossTestBase::SetUp();
        blastTime = 0;
        clearTime = 0;
    }
    void TearDown() override {
        FreeSurface(WorkSurface);
        FreeSlot(1);
    }
    static int LiveExplosions() {
        int n = 0;
        for (const ExplosionRecord& e : Explosion) n += e.frame != -1;
        return n;
    }
};

TEST_F(BossClear, BossClearBlastSoundsEveryEighthAndExplodesEveryFourthFrame) {
    SoundListener ear({"se\\se-1.wav"});
    ASSERT_TRUE(ear.ok());
    std::vector<int> sounds, blasts, returned;
    for (int f = 0; f < 140; f++) {
        int before = LiveExplosions();
        int r = BossBlast(1);
        if (ear.Started(1)) sounds.push_back(f);
        if (LiveExplosions() > before) blasts.push_back(f);
        if (r == 1 && returned.empty()) returned.push_back(f);
    }
    ASSERT_EQ(sounds.size(), 15u);
    EXPECT_EQ(sounds.front(), 0);
    EXPECT_EQ(sounds.back(), 112);
    ASSERT_EQ(blasts.size(), 30u);
    for (size_t i = 0; i < blasts.size(); i++) EXPECT_EQ(blasts[i], int(i) * 4);
    EXPECT_EQ(returned.at(0), 99);
    // The flag going back to 0 resets the shower.
    EXPECT_EQ(BossBlast(0), 0);
    EXPECT_EQ(blastTime, 0);
}

TEST_F(BossClear, BossClearFlagComesOnFrame195CountingTheBossDeath) {
    int clearAt = -1;
    for (int f = 0; f < 300 && clearAt < 0; f++) {
        // frame f of the play step; the flag stays raised like bossDown does
        if (BossBlast(1) == 1 && PutStageClear(1) == 1) clearAt = f;
    }
    EXPECT_EQ(clearAt, 195);
    EXPECT_EQ(clearTime, 0);
}

TEST_F(BossClear, BossClearCaptionDriftsFromItsStartAndTheScreenBreaksUpAndDarkens) {
    WorkSurface = MakeSurface(320, 240);
    Slot[1] = MakeSurface(480, 112);
    SetKeyColor(Slot[1], PureGreen());
    std::fill(Slot[1]->pixels.begin(), Slot[1]->pixels.end(), 0xFFFF);
    auto pixel = [](int x, int y) { return WorkSurface->pixels[size_t(y * 320 + x)]; };
    auto clear = [] { std::fill(WorkSurface->pixels.begin(), WorkSurface->pixels.end(), 0); };
    for (int t = 0; t < 64; t++) {
        clear();
        EXPECT_EQ(PutStageClear(1), 0);
        const int x = 100 - t, y = 120 - t;
        const int level = t < 32 ? t : 63 - t;  // 0 at both ends, full in the middle
        if (level == 0 || level >= 8) {
            EXPECT_EQ(pixel(x, y) != 0, level != 0) << "t = " << t;
            EXPECT_EQ(pixel(x + 223, y + 39) != 0, level != 0) << "t = " << t;
        }
        EXPECT_EQ(pixel(x - 1, y), 0) << "t = " << t;
        EXPECT_EQ(pixel(x + 224, y), 0) << "t = " << t;
        EXPECT_EQ(pixel(x, y + 40), 0) << "t = " << t;
    }
    EXPECT_EQ(clearTime, 64);
    // Phase three: first unchanged (no mosaic, darkened 32/32), then darker.
    auto stripes = [&] {
        for (int y = 0; y < 240; y++)
            for (int x = 0; x < 320; x++) WorkSurface->pixels[size_t(y * 320 + x)] = (x & 1) ? 0xFFFF : 0x0000;
    };
    stripes();
    PutStageClear(1);
    EXPECT_EQ(pixel(1, 0), 0xFFFF);
    EXPECT_EQ(pixel(0, 0), 0x0000);
    stripes();
    PutStageClear(1);
    EXPECT_LT(pixel(1, 0), 0xFFFF);  // 31/32
    EXPECT_EQ(pixel(0, 0), 0x0000);  // blocks of 1 leave the picture as it is
    stripes();
    PutStageClear(1);
    EXPECT_EQ(pixel(0, 0), pixel(1, 0));  // blocks of 2
    for (int t = 67; t < 96; t++) EXPECT_EQ(PutStageClear(1), 0);
    EXPECT_EQ(PutStageClear(1), 1);
}

TEST_F(BossClear, BossClearCountersRestWhileNoBossHasFallen) {
    for (int i = 0; i < 10; i++) EXPECT_EQ(BossBlast(0), 0);
    EXPECT_EQ(LiveExplosions(), 0);
    for (int i = 0; i < 10; i++) BossBlast(1);
    EXPECT_EQ(PutStageClear(0), 0);
    EXPECT_EQ(clearTime, 0);
    EXPECT_EQ(BossBlast(0), 0);
    EXPECT_EQ(blastTime, 0);
}
