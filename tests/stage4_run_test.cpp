// Stage 4, the crystal caverns, with the generated data.
//
// The whole stage in the real outer loop: the planning pilot steers through
// the crystal walls, slides down both dives, sits through the Queen's scene,
// destroys the Colossus's heart, and the game passes through the stage clear
// and the end picture back to the title. And a replay of the timeline with
// the player parked: how crowded the pools get.
//
// With PELLO_STAGE4_DUMP_DIR set, frames of the run are written there as
// 24-bit BMP files (stage start, waves, dives, the scene, the fight, the clear).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "enemy_fixture.h"
#include "stage_run_fixture.h"

namespace {

struct RunLog : stagerun::RunLog {
    long dive[2] = {-1, -1}, landed[2] = {-1, -1};
    long bossArrived = -1, sceneEnded = -1;
};
RunLog runLog;

const TekiRecord* FirstOfType(int type) {
    for (const TekiRecord& t : Teki)
        if (t.active != 0 && t.type == type) return &t;
    return nullptr;
}

using stagerun::Dump;

void Observe(long n) {
    RunLog& L = runLog;
    for (int d = 0; d < 2; d++) {
        if (L.dive[d] < 0 && MenScroll[MS::phase] == d && MenScroll[MS::rise] > 0) L.dive[d] = n;
        if (L.landed[d] < 0 && MenScroll[MS::phase] == d + 1) L.landed[d] = n;
    }
    if (L.bossArrived < 0 && FirstOfType(48)) L.bossArrived = n;
    if (L.bossArrived >= 0 && L.sceneEnded < 0 && !FirstOfType(5) && n > L.bossArrived + 2) L.sceneEnded = n;

    const bool inDive = (L.dive[0] >= 0 && L.landed[0] < 0) || (L.dive[1] >= 0 && L.landed[1] < 0);
    if (L.bossArrived < 0 && n % 200 == 0) Dump("stage", n);
    if (inDive && n % 40 == 0) Dump("dive", n);
    if (L.bossArrived >= 0 && L.sceneEnded < 0 && (n - L.bossArrived) % 100 == 0) Dump("scene", n);
    if (L.sceneEnded >= 0 && L.bossDied < 0 && (n - L.sceneEnded) % 30 == 0) Dump("fight", n);
    if (L.bossDied >= 0 && L.cleared < 0 && (n - L.bossDied) % 40 == 0) Dump("clear", n);
}

class Stage4Run : public stagerun::StageRunTest {
protected:
    void SetUp() override {
        runLog = RunLog{};
        runLog.observe = Observe;
        FlyStage(4, 4321, runLog, "PELLO_STAGE4_DUMP_DIR");
    }
    void TearDown() override { EndRun(); }
};

class Stage4Waves : public EnemyTestBase {
protected:
    void SetUp() override {
        EnemyTestBase::SetUp();
        if (!stagerun::LoadTimeline(4)) GTEST_SKIP() << "no generated men4.dat";
    }
};

}  // namespace

TEST_F(Stage4Run, PilotSteersThroughTheWallsDivesTwiceAndDestroysTheHeart) {
    OuterLoop();
    const RunLog& L = runLog;
    std::printf("stage 4 run: %ld frames; dives %ld-%ld and %ld-%ld; boss at %ld, scene over at %ld, "
                "heart down at %ld, cleared at %ld\n",
                L.frames, L.dive[0], L.landed[0], L.dive[1], L.landed[1], L.bossArrived, L.sceneEnded, L.bossDied,
                L.cleared);
    EXPECT_GT(L.dive[0], 0);
    EXPECT_GT(L.landed[0], L.dive[0]);
    EXPECT_GT(L.dive[1], L.landed[0]);
    EXPECT_GT(L.landed[1], L.dive[1]);
    ASSERT_GE(L.bossArrived, 8387);  // as the scroll stops
    EXPECT_GT(L.bossArrived, L.landed[1]);
    EXPECT_NEAR(L.sceneEnded - L.bossArrived, 890, 2);  // the Queen speaks for 890 frames
    EXPECT_GT(L.bossDied, L.sceneEnded);
    ExpectCleared(4, L);
}

// The timeline alone with nobody shooting back, up to the end of the Queen's
// scene: every wave arrives, none is lost to a full pool.
TEST_F(Stage4Waves, TimelineReplayStaysWithinThePools) {
    int spawned = 0;
    const int events = stagerun::TimelineEvents();
    // The dives move the clock on at their ends, as the scenery does.
    const stagerun::TimelineSeen seen =
        stagerun::ReplayTimeline(9300, {{1839, 960}, {6878, 540}}, [&](int, const TekiRecord&) { spawned++; });
    stageNo = 1;
    std::printf("stage 4 replay: %d events, %d enemies, at most %d at once, at most %d bullets\n", events, spawned,
                seen.maxLive, seen.maxBullets);
    for (int t : {21, 50, 51, 53, 16, 45, 54, 55, 48, 49, 5})
        EXPECT_TRUE(seen.types.count(t)) << "type " << t << " never appears";
    EXPECT_GE(events, 120);
    EXPECT_LE(events, 180);
    EXPECT_LT(seen.maxLive, 60);
    EXPECT_LT(seen.maxBullets, 300);
}
