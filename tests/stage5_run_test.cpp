// Stage 5 with the generated data: a whole run, headless, in the real outer
// loop, and a replay of its timeline with the craft parked.
//
// The planning pilot flies the stage through its terrain, fights the Gale Ram
// in mid-stage and the Tempest Roc at the end, through its last phase; the
// stage clears 195 frames after the Roc falls and the end picture follows.
//
// With PELLO_STAGE5_DUMP_DIR set, frames along the way, of both fights and
// of the stage clear are written there as 24-bit BMP files.
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
    long ramArrived = -1, ramDown = -1, rocArrived = -1, lastPhase = -1;
};
RunLog runLog;

const TekiRecord* Live(int type) {
    for (const TekiRecord& t : Teki)
        if (t.active == 1 && t.type == type) return &t;
    return nullptr;
}

using stagerun::Dump;

void Observe(long n) {
    if (Live(56) && runLog.ramArrived < 0) runLog.ramArrived = n;
    if (runLog.ramArrived >= 0 && runLog.ramDown < 0 && !Live(56)) runLog.ramDown = n;
    if (Live(57) && runLog.rocArrived < 0) runLog.rocArrived = n;
    if (Live(57) && Live(57)->work[2] == 3 && runLog.lastPhase < 0) runLog.lastPhase = n;
    if (n % 150 == 0) Dump("run", n);
    const bool ram = runLog.ramArrived >= 0 && runLog.ramDown < 0;
    const bool roc = runLog.rocArrived >= 0 && runLog.bossDied < 0;
    if ((ram && (n - runLog.ramArrived) % 40 == 0) || (roc && (n - runLog.rocArrived) % 40 == 0)) Dump("fight", n);
    if (runLog.bossDied >= 0 && runLog.cleared < 0 && (n - runLog.bossDied) % 16 == 0) Dump("clear", n);
}

class Stage5Run : public stagerun::StageRunTest {
protected:
    void SetUp() override {
        runLog = RunLog{};
        runLog.observe = Observe;
        FlyStage(5, 1234, runLog, "PELLO_STAGE5_DUMP_DIR");
    }
    void TearDown() override { EndRun(); }
};

}  // namespace

TEST_F(Stage5Run, PilotFightsTheRamAndTheRocThroughTheTerrainAndTheStageClears) {
    OuterLoop();
    std::printf("stage 5 run: %ld play frames; ram %ld..%ld, roc at %ld, last phase %ld, down %ld, cleared %ld\n",
                runLog.frames, runLog.ramArrived, runLog.ramDown, runLog.rocArrived, runLog.lastPhase,
                runLog.bossDied, runLog.cleared);
    ASSERT_GT(runLog.ramArrived, 3000);                 // mid-stage
    ASSERT_GT(runLog.ramDown, runLog.ramArrived);       // shot down...
    EXPECT_LT(runLog.ramDown, runLog.rocArrived);       // ...before the last boss
    ASSERT_GE(runLog.rocArrived, 7673);                 // as the scroll stops
    EXPECT_GT(runLog.lastPhase, runLog.rocArrived);
    EXPECT_GT(runLog.bossDied, runLog.lastPhase);
    ExpectCleared(5, runLog);
}

// The timeline replayed with the craft parked and nothing shot down: the
// most crowded the stage can get.
class Stage5Waves : public EnemyTestBase {};

TEST_F(Stage5Waves, TimelineStaysWithinThePoolsAndBringsItsCast) {
    if (!stagerun::LoadTimeline(5, 60)) GTEST_SKIP() << "no generated men5.dat";
    int spawned = 0, lastWave = 0;
    const stagerun::TimelineSeen seen = stagerun::ReplayTimeline(
        7730, {},
        [&](int frame, const TekiRecord& t) {
            spawned++;
            if (t.type != 56 && t.type != 57) lastWave = frame;
        },
        [](int frame) {
            // The ram stays until shot down: take it out after its fight would end.
            if (frame == 4100)
                for (TekiRecord& t : Teki)
                    if (t.type == 56 || t.type == 4) t.active = 0;
        });
    stageNo = 1;
    for (int t : {11, 40, 12, 18, 45, 47, 56, 57})
        EXPECT_TRUE(seen.types.count(t)) << "type " << t << " never appears";
    const int events = stagerun::TimelineEvents();
    EXPECT_GE(events, 120);
    EXPECT_LE(events, 180);
    EXPECT_LT(lastWave, 7400);  // a quiet stretch before the Roc
    EXPECT_LT(seen.maxLive, 80);
    EXPECT_LT(seen.maxBullets, 400);
    std::printf("stage 5: %d enemies from %d events, at most %d at once, at most %d bullets\n", spawned, events,
                seen.maxLive, seen.maxBullets);
}
