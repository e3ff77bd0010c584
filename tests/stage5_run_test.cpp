// Stage 5 with the generated data: a whole run, headless, in the real outer
// loop, and a replay of its timeline with the craft parked.
//
// The run's scripted pilot cannot be hit by bullets or enemies (test only)
// but is pushed by the terrain like any player: it keeps to an open row a
// few columns ahead, and the test proves the terrain alone never costs it a
// life. It fights the Gale Ram in mid-stage and the Tempest Roc at the end;
// the stage clears 195 frames after the Roc falls and the end picture follows.
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
    int lives = -1, livesLost = 0;
    long ramArrived = -1, ramDown = -1, rocArrived = -1, lastPhase = -1;
    int maxEnemies = 0, maxBullets = 0;
};
RunLog runLog;

const TekiRecord* Live(int type) {
    for (const TekiRecord& t : Teki)
        if (t.active == 1 && t.type == type) return &t;
    return nullptr;
}

bool Solid(int col, int row) {
    if (col < 0 || col >= kMapColumns || row < 0 || row >= kMapRows) return false;
    uint16_t t = MenMap[col][row][3];
    return t == 26 || t == 90;
}

// Fire all the time, line up with a boss's target, and keep to a row that
// stays open, with a row free above and below, over the next few columns.
int Pilot() {
    int wantY = 120, targetX = 70;
    if (Live(56) || Live(57)) targetX = 150;  // close in on a boss
    if (const TekiRecord* b = Live(56)) wantY = b->y + 40;
    if (const TekiRecord* b = Live(57)) wantY = b->y;
    const int k = (((MenScroll[MS::scrollPos] * 2) >> 2) + GameState.playerX) >> 4;
    int best = -1;
    for (int r = 1; r <= 11; r++) {
        bool open = true;
        for (int col = k - 1; col <= k + 5 && open; col++)
            for (int dr = -1; dr <= 1; dr++) open = open && !Solid(col, r + dr);
        if (open && (best < 0 || std::abs(r * 16 + 8 - wantY) < std::abs(best * 16 + 8 - wantY))) best = r;
    }
    int targetY = best < 0 ? wantY : std::clamp(wantY, best * 16 + 2, best * 16 + 13);
    return stagerun::Steer(targetX, targetY, 1);
}

using stagerun::Dump;

void PilotedFrame() {
    const long n = stagerun::CountedFrame();
    if (n < 0) return;
    if (runLog.lives >= 0 && GameState.lives < runLog.lives) runLog.livesLost++;
    runLog.lives = GameState.lives;
    if (Live(56) && runLog.ramArrived < 0) runLog.ramArrived = n;
    if (runLog.ramArrived >= 0 && runLog.ramDown < 0 && !Live(56)) runLog.ramDown = n;
    if (Live(57) && runLog.rocArrived < 0) runLog.rocArrived = n;
    if (Live(57) && Live(57)->work[2] == 3 && runLog.lastPhase < 0) runLog.lastPhase = n;
    runLog.maxEnemies = std::max(runLog.maxEnemies, CountTeki());
    runLog.maxBullets = std::max(runLog.maxBullets, CountTama());
    if (n % 150 == 0) Dump("run", n);
    const bool ram = runLog.ramArrived >= 0 && runLog.ramDown < 0;
    const bool roc = runLog.rocArrived >= 0 && runLog.bossDied < 0;
    if ((ram && (n - runLog.ramArrived) % 40 == 0) || (roc && (n - runLog.rocArrived) % 40 == 0)) Dump("fight", n);
    if (runLog.bossDied >= 0 && runLog.cleared < 0 && (n - runLog.bossDied) % 16 == 0) Dump("clear", n);
    if (n > 20000) quitFlag = 1;  // never reached the end: give up
}

int CharselStage5() {
    int s = h_Charsel();
    stageNo = 5;  // the run starts at the last stage
    return s;
}

class Stage5Run : public stagerun::StageRunTest {
protected:
    void SetUp() override {
        runLog = RunLog{};
        stagerun::Fly(runLog, "PELLO_STAGE5_DUMP_DIR");
        StartRun("men5.dat", 1234, {Pilot, stagerun::TitleOnce, PilotedFrame, stagerun::StageEndSeen, CharselStage5});
    }
    void TearDown() override { EndRun(); }
};

}  // namespace

TEST_F(Stage5Run, PilotFightsTheRamAndTheRocThroughTheTerrainAndTheStageClears) {
    OuterLoop();
    std::printf("stage 5 run: %ld play frames; ram %ld..%ld, roc at %ld, last phase %ld, down %ld, cleared %ld; "
                "at most %d enemies, %d bullets; %d lives lost\n",
                runLog.frames, runLog.ramArrived, runLog.ramDown, runLog.rocArrived, runLog.lastPhase,
                runLog.bossDied, runLog.cleared, runLog.maxEnemies, runLog.maxBullets, runLog.livesLost);
    ASSERT_GT(runLog.ramArrived, 3000);                 // mid-stage
    ASSERT_GT(runLog.ramDown, runLog.ramArrived);       // shot down...
    EXPECT_LT(runLog.ramDown, runLog.rocArrived);       // ...before the last boss
    ASSERT_GE(runLog.rocArrived, 7673);                 // as the scroll stops
    EXPECT_GT(runLog.lastPhase, runLog.rocArrived);
    ASSERT_GT(runLog.bossDied, runLog.lastPhase);
    EXPECT_EQ(runLog.cleared - runLog.bossDied, 195);
    EXPECT_EQ(runLog.stageEnds, 1);
    EXPECT_EQ(runLog.titles, 2);
    EXPECT_EQ(runLog.livesLost, 0);                     // the terrain never pushed the pilot off
    EXPECT_LT(runLog.maxEnemies, 90);
    EXPECT_LT(runLog.maxBullets, 500);
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
