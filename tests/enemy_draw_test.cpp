// What PutTeki puts on the work surface: the flash, blend modes and chains.
#include "enemy_fixture.h"
#include "video_test_util.h"

class EnemyDraw : public VideoTest {
protected:
    void SetUp() override {
        VideoTest::SetUp();
        std::fill(std::begin(Teki), std::end(Teki), TekiRecord{});
        savedSheet_ = Slot[3];
        // Frame n of a 16 x 16 sprite is filled with the value 0x100 + n.
        Slot[3] = MakeSurface(64, 16);
        SetKeyColor(Slot[3], PureGreen());
        for (int x = 0; x < 64; x++)
            for (int y = 0; y < 16; y++) At(Slot[3], x, y) = static_cast<uint16_t>(0x100 + x / 16);
    }
    void TearDown() override {
        FreeSurface(Slot[3]);
        Slot[3] = savedSheet_;
        VideoTest::TearDown();
    }
    static TekiRecord& Put(int x, int y) {
        SetTeki(x, y, 99, 0, 0, 16, 16, 10, 0, 0);
        for (TekiRecord& t : Teki)
            if (t.active && t.x == x && t.y == y) return t;
        return Teki[0];
    }

private:
    Surface* savedSheet_ = nullptr;
};

TEST_F(EnemyDraw, FlashIsWhiteForOneFrameOnly) {
    TekiRecord& t = Put(100, 100);
    t.flash = 1;
    PutTeki();
    EXPECT_EQ(At(WorkSurface, 92, 92), 0xFFFF);
    EXPECT_EQ(At(WorkSurface, 107, 107), 0xFFFF);
    EXPECT_EQ(At(WorkSurface, 108, 108), 0x1234);
    PutTeki();
    EXPECT_EQ(At(WorkSurface, 92, 92), 0x100);
}

// Reduced flashing: the hit is a faint glow on the sprite, and its transparent
// box stays untouched (an additive copy would light it green).
TEST_F(EnemyDraw, TintedHitLightsOnlyTheSpritesOwnPixels) {
    At(Slot[3], 0, 0) = static_cast<uint16_t>(PureGreen());
    TekiRecord& t = Put(100, 100);
    t.flash = 1;
    hitTint = true;
    PutTeki();
    hitTint = false;
    EXPECT_EQ(At(WorkSurface, 92, 92), 0x1234);
    EXPECT_EQ(At(WorkSurface, 93, 92), 0x100);
}

TEST_F(EnemyDraw, HiddenEntryShowsOnlyItsChainAndIsNeverFlashed) {
    TekiRecord& t = Put(100, 100);
    t.active = 2;
    t.flash = 1;
    t.chainDir = 1;
    t.chain[0] = 3;  // frame 2, one cell above
    t.chain[2] = 2;  // frame 1, three cells above
    PutTeki();
    EXPECT_EQ(At(WorkSurface, 100, 100), 0x1234);
    EXPECT_EQ(At(WorkSurface, 100, 84), 0x102);
    EXPECT_EQ(At(WorkSurface, 100, 68), 0x1234);
    EXPECT_EQ(At(WorkSurface, 100, 52), 0x101);
    t.chainDir = 0;
    t.active = 1;
    t.frame = 3;
    Fill(WorkSurface, 0x1234);
    PutTeki();
    EXPECT_EQ(At(WorkSurface, 100, 100), 0x103);
    EXPECT_EQ(At(WorkSurface, 100, 116), 0x102);  // below now
}

TEST_F(EnemyDraw, BlendModesAndHiddenSprite) {
    TekiRecord& add = Put(50, 50);
    add.blend = 33;  // additive at full strength
    TekiRecord& none = Put(150, 50);
    none.blend = 66;
    TekiRecord& half = Put(250, 50);
    half.blend = 1;
    Fill(WorkSurface, 0);
    PutTeki();
    EXPECT_EQ(At(WorkSurface, 50, 50), 0x100);
    EXPECT_EQ(At(WorkSurface, 150, 50), 0);
    EXPECT_NE(At(WorkSurface, 250, 50), 0);
    EXPECT_NE(At(WorkSurface, 250, 50), 0x100);
}

// The whole game's boss bar under the score: full, then cut back to what is left.
TEST_F(EnemyDraw, BossBarShowsWhatIsLeftOfTheFight) {
    SetTeki(200, 120, 49, 0, 0, 32, 32, 200, 0, 0);
    TekiRecord& core = Teki[0];
    EXPECT_EQ(BossHitPoints(), 200);
    PutBossBar();
    EXPECT_EQ(At(WorkSurface, 250, 21), At(WorkSurface, 70, 21));  // full
    core.hp = 100;
    PutBossBar();
    EXPECT_NE(At(WorkSurface, 250, 21), At(WorkSurface, 70, 21));  // half: the right end is gone
    EXPECT_EQ(At(WorkSurface, 150, 21), At(WorkSurface, 70, 21));
    core.active = 0;
    EXPECT_EQ(BossHitPoints(), -1);
}

// The two-form boss: its first form counts with the second form to come, so
// the bar shows from its arrival and runs on without a jump as it breaks up.
TEST_F(EnemyDraw, BossBarCountsAFirstFormWithItsSecondForm) {
    SetTeki(200, 120, 17, 0, 0, 32, 32, 500, 0, 0);
    EXPECT_EQ(BossHitPoints(), 500 + kSecondFormHp);
    AllTekiDamege(500);
    EXPECT_EQ(CountTeki(10), 1);
    EXPECT_EQ(BossHitPoints(), kSecondFormHp);
}
