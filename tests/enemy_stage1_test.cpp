// Stage 1's generated waves, played through the timeline and the behaviours
// with the player parked: what arrives, how crowded it gets.
#include <cstdio>

#include "enemy_fixture.h"
#include "stage_run_fixture.h"

class EnemyStage1 : public EnemyTestBase {
protected:
    void SetUp() override {
        EnemyTestBase::SetUp();
        if (!stagerun::LoadTimeline(1)) GTEST_SKIP() << "no generated men1.dat";
    }
};

TEST_F(EnemyStage1, WavesArriveWithoutCrowdingThePoolsAndLeaveTheEndFree) {
    int lastSpawn = 0, spawned = 0;
    // The dive through the clouds moves the clock on, as the scenery does.
    const stagerun::TimelineSeen seen = stagerun::ReplayTimeline(10600, {{5440, 640}}, [&](int frame, const TekiRecord& t) {
        // The boss and the bouncers it releases come after the waves.
        if (t.type == 17 || t.type == 16) return;
        lastSpawn = frame;
        spawned++;
    });
    for (int t : {11, 12, 13, 18, 19, 20, 21, 25, 30, 31, 33, 34, 40, 43, 50, 51, 53})
        EXPECT_TRUE(seen.types.count(t)) << "flying type " << t << " never appears";
    EXPECT_LT(seen.maxLive, 60);
    EXPECT_LT(seen.maxBullets, 200);
    EXPECT_LT(lastSpawn, 9700);  // the last stretch is the boss's
    EXPECT_TRUE(seen.types.count(17)) << "the boss never arrives";
    EXPECT_GT(spawned, 150);
    const int events = stagerun::TimelineEvents();
    EXPECT_GE(events, 140);
    for (const MenEventRecord& e : MenEvent) {
        EXPECT_FALSE(e.time >= 361 && e.time <= 400) << "event at pos " << e.time;
    }
    std::printf("stage 1: %d enemies from %d events, at most %d at once, at most %d bullets\n", spawned, events,
                seen.maxLive, seen.maxBullets);
}
