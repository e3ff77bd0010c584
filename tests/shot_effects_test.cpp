#include "enemy_fixture.h"

using ShotEffects = EnemyTestBase;

namespace {
template <typename F>
int FramesUntil(F done) {
    int n = 0;
    while (!done() && n < 1000) n++;
    return n;
}
}  // namespace

TEST_F(ShotEffects, ExplosionsLastThirtyFiveAndFortyOneFrames) {
    SetExplosion(0, 10, 10);
    SetExplosion(1, 20, 20);
    EXPECT_EQ(Explosion[1].size, 1);
    int small = 0, large = 0;
    for (int f = 1; f <= 50; f++) {
        PutExplosion();
        if (Explosion[0].frame != -1) small = f;
        if (Explosion[1].frame != -1) large = f;
    }
    EXPECT_EQ(small, 35);
    EXPECT_EQ(large, 41);
    for (int i = 0; i < 101; i++) SetExplosion(0, i, 0);
    EXPECT_EQ(Explosion[99].x, 99);
}

TEST_F(ShotEffects, SparkShowsFiveAndFiveFrames) {
    SetSpark(30, 40);
    for (int i = 0; i < 9; i++) PutSpark();
    EXPECT_EQ(Spark[0].active, 1);
    EXPECT_EQ(Spark[0].life, 1);
    PutSpark();
    EXPECT_EQ(Spark[0].active, 0);
    for (int i = 0; i < 51; i++) SetSpark(i, 0);
    EXPECT_EQ(Spark[49].x, 49);
}

TEST_F(ShotEffects, BurstTakesEveryFreeEntry) {
    SetExplosion(0, 0, 0);  // other pools do not matter
    SetBurst(50, 60);
    for (const BurstRecord& b : Burst) EXPECT_EQ(b.frame, 0);
    PutBurst();
    SetBurst(1, 1);  // nothing free
    EXPECT_EQ(Burst[0].x, 50);
    int frames = 1;
    while (Burst[0].frame != -1 && frames < 100) {
        PutBurst();
        frames++;
    }
    EXPECT_EQ(frames, 18);  // drawn 5 + 6 + 6 times, freed on the 18th call
}
