// Enemy bullets: their line walk, leaving the screen, animation and the pool.
#include "enemy_fixture.h"

using ShotBullets = EnemyTestBase;

TEST_F(ShotBullets, BresenhamWalksTheLineAtSpeedStepsPerFrame) {
    SetTama(1, 100, 100, 110, 104, 2, 8, 8, 0, 24, 0, 1, 10);   // mostly horizontal
    SetTama(1, 100, 100, 97, 90, 3, 8, 8, 0, 24, 0, 1, 10);     // mostly vertical, up-left
    MoveTama();
    EXPECT_EQ(Tama[0].x, 102);
    EXPECT_EQ(Tama[0].y, 100);
    EXPECT_EQ(Tama[1].y, 97);
    EXPECT_EQ(Tama[1].x, 100);
    for (int i = 0; i < 4; i++) MoveTama();
    EXPECT_EQ(Tama[0].x, 110);
    EXPECT_EQ(Tama[0].y, 104);  // on the target after ten steps
    EXPECT_EQ(Tama[1].y, 85);
    EXPECT_EQ(Tama[1].x, 96);
}

TEST_F(ShotBullets, EqualTargetGoesDownRightAndSpeedZeroStays) {
    SetTama(1, 50, 50, 50, 50, 3, 8, 8, 0, 24, 0, 1, 10);
    SetTama(1, 60, 60, 0, 0, 0, 8, 8, 0, 24, 0, 1, 10);
    for (int i = 0; i < 10; i++) MoveTama();
    EXPECT_EQ(Tama[0].x, 80);
    EXPECT_EQ(Tama[0].y, 80);
    EXPECT_EQ(Tama[1].x, 60);
    EXPECT_EQ(Tama[1].active, 1);
}

TEST_F(ShotBullets, FreedOnceOffTheScreen) {
    SetTama(1, -3, 100, -100, 100, 1, 8, 8, 0, 24, 0, 1, 10);  // -4 + 1 is still in
    SetTama(1, 318, 100, 400, 100, 1, 8, 8, 0, 24, 0, 1, 10);
    SetTama(1, 100, -2, 100, -100, 1, 8, 8, 0, 24, 0, 1, 10);
    SetTama(1, 100, 238, 100, 300, 1, 8, 8, 0, 24, 0, 1, 10);
    MoveTama();
    EXPECT_EQ(Tama[0].x, -4);
    EXPECT_EQ(Tama[0].active, 0);
    EXPECT_EQ(Tama[1].active, 1);  // x 319
    EXPECT_EQ(Tama[2].active, 1);  // y -3
    EXPECT_EQ(Tama[3].active, 1);  // y 239
    MoveTama();
    for (int i = 0; i < 4; i++) EXPECT_EQ(Tama[i].active, 0);
    SetTama(1, -3, 100, -100, 100, 1, 8, 8, 0, 24, 0, 1, 10);
    Tama[0].x = -3;
    PutTama();
    EXPECT_EQ(Tama[0].active, 1);
}

TEST_F(ShotBullets, AnimationCyclesAndPoolHoldsAThousand) {
    SetTama(1, 100, 100, 100, 100, 0, 8, 8, 0, 24, 0, 1, 10);
    SetTama(1, 100, 100, 100, 100, 0, 8, 8, 0, 96, 0, 0, 0);
    for (int i = 0; i < 9; i++) PutTama();
    EXPECT_EQ(Tama[0].frame, 0);
    PutTama();
    EXPECT_EQ(Tama[0].frame, 1);
    for (int i = 0; i < 10; i++) PutTama();
    EXPECT_EQ(Tama[0].frame, 0);
    EXPECT_EQ(Tama[1].frame, 0);
    for (int i = 2; i < 1000; i++) SetTama(1, i % 300, 10, 0, 0, 1, 8, 8, 0, 24, 0, 1, 10);
    SetTama(1, 7, 7, 0, 0, 1, 8, 8, 0, 24, 0, 1, 10);
    EXPECT_EQ(Tama[999].x, 999 % 300);
    Tama[500].active = 0;
    SetTama(1, 7, 7, 0, 0, 1, 8, 8, 0, 24, 0, 1, 10);
    EXPECT_EQ(Tama[500].x, 7);
}
