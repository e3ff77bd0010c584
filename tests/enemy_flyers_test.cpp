// Flying enemy types: each one's path, animation and firing frames.
#include "enemy_fixture.h"

using EnemyFlyers = EnemyTestBase;

TEST_F(EnemyFlyers, DriftersHeadForTheMiddleThenSpeedOff) {
    TekiRecord& up = Spawn(11, 300, 120);    // 120 counts as the upper half
    TekiRecord& low = Spawn(40, 300, 121);
    Run(126);
    EXPECT_EQ(up.y, 246);
    EXPECT_EQ(up.x, 174);
    EXPECT_EQ(low.y, -5);
    Run(1);
    EXPECT_EQ(up.x, 169);
    EXPECT_EQ(up.y, 246);
    Run(37);
    EXPECT_EQ(up.active, 1);  // x = -16 is still in
    Run(1);
    EXPECT_EQ(up.active, 0);
    EXPECT_EQ(low.active, 0);
}

TEST_F(EnemyFlyers, AnimatedDrifterTogglesEveryFiveFrames) {
    TekiRecord& t = Spawn(40, 300, 50);
    Run(4);
    EXPECT_EQ(t.frame, 0);
    Run(1);
    EXPECT_EQ(t.frame, 1);
    Run(5);
    EXPECT_EQ(t.frame, 0);
}

TEST_F(EnemyFlyers, TranslucentWeaverFiresOnlyFromEvenColumns) {
    TekiRecord& even = Spawn(12, 330, 100);
    Run(200);
    EXPECT_EQ(even.blend, 1);
    EXPECT_EQ(CountTama(), 2);
    EXPECT_EQ(Tama[0].x, 260);
    EXPECT_EQ(Tama[1].x, 100);
    EnemyTestBase::SetUp();
    Spawn(12, 331, 100);
    Run(200);
    EXPECT_EQ(CountTama(), 0);
}

TEST_F(EnemyFlyers, DriftingWaveSwingsAndDrifts) {
    TekiRecord& t = Spawn(13, 330, 60);
    Run(23);
    EXPECT_EQ(t.y, 60 + 63 + 11);
    EXPECT_EQ(t.x, 284);
}

TEST_F(EnemyFlyers, SwoopersTurnBackAndLeaveAfterTheirHalfSine) {
    TekiRecord& a = Spawn(18, 330, 100);
    TekiRecord& b = Spawn(19, 330, 120);
    TekiRecord& c = Spawn(43, 330, 100);
    Run(90);
    EXPECT_EQ(b.x, 330 - 315);  // the far point of the throw
    EXPECT_EQ(b.y, 30);         // strict test: 120 drifts up
    EXPECT_EQ(a.y, 190);
    Run(89);
    EXPECT_EQ(b.active, 1);
    EXPECT_EQ(c.frame, (179 % 23) >> 3);
    Run(1);
    EXPECT_EQ(b.active, 0);
    EXPECT_EQ(c.active, 0);
    Run(178);
    EXPECT_EQ(a.active, 1);
    Run(1);
    EXPECT_EQ(a.active, 0);
}

TEST_F(EnemyFlyers, PausingWeaverHoldsAndFiresTwice) {
    TekiRecord& t = Spawn(20, 400, 100);
    GameState.playerX = 50;
    GameState.playerY = 100;
    Run(51);
    int held = t.x;
    Run(18);
    EXPECT_EQ(t.x, held);
    EXPECT_EQ(CountTama(), 1);
    Run(80);
    EXPECT_EQ(CountTama(), 2);
}

TEST_F(EnemyFlyers, WeaverThatFiresOnceThenSpeedsOff) {
    TekiRecord& t = Spawn(21, 400, 100);
    Run(50);
    EXPECT_EQ(CountTama(), 1);
    int x = t.x;
    Run(10);
    EXPECT_EQ(t.x, x - 30);
    Run(100);
    EXPECT_EQ(CountTama(), 1);
}

TEST_F(EnemyFlyers, HopperPeaksHangsAndFiresAtTheTop) {
    TekiRecord& t = Spawn(25, 330, 220);
    int top = 999, atTop = 0;
    for (int i = 0; i < 120; i++) {
        Run(1);
        top = std::min(top, t.y);
        if (t.y == 220 - 226) atTop++;
    }
    EXPECT_EQ(top, 220 - 226);  // 1.8 times the sine peak of 126
    EXPECT_EQ(atTop, 21 + 7);   // the hang, and 7 frames where the sine sits at its peak
    EXPECT_EQ(CountTama(), 3);
    EXPECT_GT(Tama[0].x, 0);
}

TEST_F(EnemyFlyers, LoopingShooterRingsAfterEachTurnAndLeavesOverItsEdge) {
    TekiRecord& low = Spawn(30, 330, 200);
    Run(125);
    EXPECT_EQ(CountTama(), 0);
    Run(1);
    EXPECT_EQ(CountTama(), 8);
    int minY = 999;
    while (low.active) {
        minY = std::min(minY, low.y);
        Run(1);
    }
    EXPECT_LT(low.y, -16);
    EXPECT_GE(low.x, -16);

    TekiRecord& high = Spawn(30, 330, 40);
    while (high.active) Run(1);
    EXPECT_TRUE(high.y > 240 || high.x < -16);
}

TEST_F(EnemyFlyers, WaveShooterFiresOnceAtItsFarPoint) {
    TekiRecord& up = Spawn(31, 330, 80);
    Run(400);
    EXPECT_EQ(up.active, 0);
    ASSERT_EQ(CountTama(), 1);
    EXPECT_EQ(Tama[0].y, 80 + 63);
    EXPECT_EQ(Tama[0].w, 16);
    EXPECT_EQ(Tama[0].lastFrame, 3);
    EnemyTestBase::SetUp();
    Spawn(31, 330, 160);
    Run(400);
    ASSERT_EQ(CountTama(), 1);
    EXPECT_EQ(Tama[0].y, 160 - 63);
}

TEST_F(EnemyFlyers, BobberDipperAndDipAndClimbPaths) {
    TekiRecord& bob = Spawn(33, 330, 200);
    TekiRecord& dip = Spawn(34, 330, 50);
    TekiRecord& climb = Spawn(53, 330, 100);
    Run(40);
    EXPECT_EQ(bob.y, 0);
    Run(5);
    EXPECT_EQ(dip.y, 50 + 126);
    EXPECT_EQ(dip.frame, 1);
    Run(35);
    EXPECT_EQ(climb.y, 100 + 90 - 50);
    Run(1);
    EXPECT_EQ(bob.y, 205);  // 40 up, 41 down
    Run(9);
    EXPECT_EQ(dip.y, 50);
    EXPECT_EQ(dip.x, 240);
    Run(1);
    EXPECT_EQ(dip.frame, 4);
    EXPECT_EQ(dip.x, 236);
    Run(29);
    EXPECT_EQ(climb.y, 100);
}

TEST_F(EnemyFlyers, DropperFallsOncePlayerPassesAndIsFreedLow) {
    GameState.playerX = 200;
    TekiRecord& t = Spawn(50, 300, 100);
    Run(41);
    EXPECT_EQ(t.y, 100);
    Run(1);  // x - 60 = 199 < 200 now
    EXPECT_EQ(t.y, 100 + (GetSin(90) >> 4));
    int frames = 0;
    while (t.active && frames < 400) {
        Run(1);
        frames++;
    }
    EXPECT_GE(t.y, 256);
    EXPECT_GE(t.x, -16);
}

TEST_F(EnemyFlyers, LockOnChargerLocksWithinTenPixels) {
    GameState.playerY = 130;
    TekiRecord& t = Spawn(51, 330, 100);
    Run(9);
    EXPECT_EQ(t.work[0], 0);
    Run(1);  // y = 120: within 10
    EXPECT_EQ(t.work[0], 2);
    EXPECT_EQ(t.work[1], 120);
    EXPECT_EQ(t.x, 330 - 10 - 2);
    TekiRecord& below = Spawn(51, 330, 150);
    Run(100);
    EXPECT_EQ(below.work[0], 0);
}

TEST_F(EnemyFlyers, TypesWithoutBehaviourStayPut) {
    TekiRecord& inert = Spawn(47, 100, 100);
    Spawn(3, 120, 100);
    Run(10);
    EXPECT_EQ(inert.x, 100);
    EXPECT_EQ(Teki[1].x, 120);
}
