// Stage 2 with its generated data: a whole run through the outer loop flown
// by the planning pilot (the strip stops, the Sea Gate arrives, its heart is
// destroyed, the stage clears and the end picture follows), and a replay of
// the timeline with the player parked, which must stay within the pools.
//
// With PELLO_STAGE2_DUMP_DIR set, the run writes frames of the strip, the
// waves and the fight there as 24-bit BMP files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "enemy_fixture.h"
#include "stage_run_fixture.h"

namespace {

struct Stage2Log : stagerun::RunLog {
    long stripStopped = -1, bossArrived = -1;
};
Stage2Log s2;

void Observe(long n) {
    if (MenScroll[MS::scrollPos] == 1 && s2.stripStopped < 0) s2.stripStopped = n;
    bool body = false;
    for (const TekiRecord& t : Teki) body |= t.active != 0 && t.type == 26 && t.x < 420;  // in view
    if (body && s2.bossArrived < 0) s2.bossArrived = n;
    if (s2.bossArrived < 0 ? n % 400 == 0 : (s2.bossDied < 0 ? (n - s2.bossArrived) % 50 == 0 : (n - s2.bossDied) % 65 == 0))
        stagerun::Dump("s2", n);
}

class Stage2Run : public stagerun::StageRunTest {
protected:
    void SetUp() override {
        s2 = Stage2Log{};
        s2.observe = Observe;
        FlyStage(2, 4321, s2, "PELLO_STAGE2_DUMP_DIR");
    }
    void TearDown() override { EndRun(); }
};

class Stage2Waves : public EnemyTestBase {};

}  // namespace

TEST_F(Stage2Run, TheStripStopsTheSeaGateArrivesFallsAndTheStageClears) {
    OuterLoop();
    std::printf("stage 2 run: %ld play frames; strip stopped at %ld, boss in view at %ld, down at %ld, cleared at %ld\n",
                s2.frames, s2.stripStopped, s2.bossArrived, s2.bossDied, s2.cleared);
    ASSERT_GT(s2.stripStopped, 10000);
    EXPECT_LE(std::abs(s2.bossArrived - s2.stripStopped), 30) << "the gate arrives as the strip stops";
    EXPECT_GT(s2.bossDied, s2.bossArrived);
    ExpectCleared(2, s2);
}

TEST_F(Stage2Waves, TheTimelineStaysWithinThePoolsAndLeavesTheBossItsQuiet) {
    if (!stagerun::LoadTimeline(2)) GTEST_SKIP() << "no generated men2.dat";
    int lastWave = 0, spawned = 0;
    // The gate's body releases its heart, the heart its stones and pikes.
    const stagerun::TimelineSeen seen = stagerun::ReplayTimeline(11000, {}, [&](int frame, const TekiRecord& t) {
        if (t.type >= 26 && t.type <= 29) return;  // the boss and its weapons
        lastWave = frame;
        spawned++;
    });
    stageNo = 1;
    for (int t : {11, 12, 13, 20, 40, 14, 15, 22, 23, 24, 41, 42, 52, 26, 27})
        EXPECT_TRUE(seen.types.count(t)) << "type " << t << " never appears";
    EXPECT_TRUE(seen.types.count(28) || seen.types.count(29)) << "the gate never drops a stone nor raises a pike";
    EXPECT_LT(seen.maxLive, kTekiMax - 20);
    EXPECT_LT(seen.maxBullets, kTamaMax / 4);
    EXPECT_LT(lastWave, 9800);  // the quiet before the gate
    const int events = stagerun::TimelineEvents();
    EXPECT_GE(events, 120);
    EXPECT_LE(events, 180);
    std::printf("stage 2 replay: %d enemies from %d events, at most %d enemies and %d bullets alive\n", spawned,
                events, seen.maxLive, seen.maxBullets);
}
