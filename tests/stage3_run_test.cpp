// Stage 3 with its generated data: the timeline replayed with the player
// parked (what arrives, how crowded the pools get), and a whole run through
// the outer loop in which the planning pilot flies the stage, destroys the
// circling boss and sees the stage clear and the end picture.
//
// With PELLO_STAGE3_DUMP_DIR set, the run writes frames of the flight, the
// fight and the stage clear there as 24-bit BMP files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "enemy_fixture.h"
#include "stage_run_fixture.h"

namespace {

constexpr int kBoss = 37;

bool IsBossPart(int type) { return type == kBoss || type == 38 || type == 39 || type == 9; }

class Stage3Waves : public EnemyTestBase {
protected:
    void SetUp() override {
        EnemyTestBase::SetUp();
        if (!stagerun::LoadTimeline(3)) GTEST_SKIP() << "no generated men3.dat";
    }
};

// --- the whole run

struct RunLog : stagerun::RunLog {
    long bossArrived = -1;
};
RunLog runLog;

const TekiRecord* LiveBoss() {
    for (const TekiRecord& t : Teki)
        if (t.active == 1 && t.type == kBoss) return &t;
    return nullptr;
}

using stagerun::Dump;

void Observe(long n) {
    if (LiveBoss() && runLog.bossArrived < 0) runLog.bossArrived = n;
    const bool fight = runLog.bossArrived >= 0 && runLog.bossDied < 0;
    if (!fight && runLog.bossArrived < 0 && n % 200 == 0) Dump("flight", n);
    if (fight && (n - runLog.bossArrived) % 30 == 0) Dump("fight", n);
    for (const TekiRecord& t : Teki)   // the beam and the pillar at full strength
        if (fight && t.active && (t.type == 38 || t.type == 39) && t.work[2] == 60) Dump(t.type == 38 ? "beam" : "pillar", n);
    if (runLog.bossDied >= 0 && runLog.cleared < 0 && (n - runLog.bossDied) % 16 == 0) Dump("clear", n);
}

class Stage3Run : public stagerun::StageRunTest {
protected:
    void SetUp() override {
        runLog = RunLog{};
        runLog.observe = Observe;
        FlyStage(3, 1234, runLog, "PELLO_STAGE3_DUMP_DIR");
    }
    void TearDown() override { EndRun(); }
};

}  // namespace

TEST_F(Stage3Waves, TimelineStaysInThePoolsUsesItsTypesAndLeavesTheBossAQuietLake) {
    int lastSpawn = 0, spawned = 0, bossAt = -1;
    const stagerun::TimelineSeen seen = stagerun::ReplayTimeline(6600, {}, [&](int frame, const TekiRecord& t) {
        if (t.type == kBoss && bossAt < 0) bossAt = frame;
        if (IsBossPart(t.type) || t.type == 36) return;
        lastSpawn = frame;
        spawned++;
    });
    for (int t : {18, 19, 43, 25, 30, 31, 33, 34, 32, 36, 35, 44, 46, 38, 39, 9})
        EXPECT_TRUE(seen.types.count(t)) << "type " << t << " never appears";
    EXPECT_LT(seen.maxLive, 80);
    EXPECT_LT(seen.maxBullets, 400);
    ASSERT_GE(bossAt, 5800);               // as the scroll comes to its stop (frame 6000)
    EXPECT_LT(lastSpawn, bossAt - 300);    // a quiet moment before it
    const int events = stagerun::TimelineEvents();
    EXPECT_GE(events, 120);
    EXPECT_LE(events, 180);
    std::printf("stage 3: %d enemies from %d events, at most %d at once, at most %d bullets, boss on frame %d\n",
                spawned, events, seen.maxLive, seen.maxBullets, bossAt);
}

TEST_F(Stage3Run, PilotFliesTheStageDestroysTheCirclingBossAndSeesTheEndPicture) {
    OuterLoop();
    std::printf("stage 3 run: %ld play frames; boss at %ld, down at %ld, cleared at %ld\n", runLog.frames,
                runLog.bossArrived, runLog.bossDied, runLog.cleared);
    ASSERT_GE(runLog.bossArrived, 5800);
    EXPECT_GT(runLog.bossDied, runLog.bossArrived);
    ExpectCleared(3, runLog);
}
