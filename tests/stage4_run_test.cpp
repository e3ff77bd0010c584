// Stage 4, the crystal caverns, with the generated data.
//
// The whole stage in the real outer loop: a scripted pilot steers through the
// crystal walls (bullets and enemies cannot touch it, the walls can), slides
// down both dives, sits through the Queen's scene, destroys the Colossus's
// heart, and the game passes through the stage clear and the end picture
// back to the title. And a replay of the timeline with the player parked:
// how crowded the pools get.
//
// With PELLO_STAGE4_DUMP_DIR set, frames of the run are written there as
// 24-bit BMP files (stage start, waves, dives, the scene, the fight, the clear);
// with PELLO_STAGE4_WINDOW set, the run plays in a window at the game's pace.
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
    int deaths = 0, maxLive = 0, maxBullets = 0;  // while the waves run
    int maxLiveFight = 0;  // the heart's pellets can fill the enemy pool; the code drops what does not fit
    std::string deathsAt;  // frame, scroll position and craft position of each lost life
    std::string dumpDir;
};
RunLog runLog;

const TekiRecord* FirstOfType(int type) {
    for (const TekiRecord& t : Teki)
        if (t.active != 0 && t.type == type) return &t;
    return nullptr;
}

bool Wall(int col, int row) {
    if (row < 0 || row >= kMapRows || col < 0 || col >= kMapColumns) return false;
    return MenMap[col][row][2] == 6;
}

// Row the craft should fly in: the nearest row that stays clear, with a row
// of room above and below, over the columns it is in and a few ahead, and
// that it can reach without crossing a wall in the column just ahead.
int RouteRow(int col, int row) {
    auto pathClear = [&](int to) {
        for (int r = std::min(row, to); r <= std::max(row, to); r++)
            if (Wall(col + 1, r)) return false;
        return true;
    };
    for (int ahead = 3; ahead >= 0; ahead--) {
        int best = -1;
        for (int r = 0; r <= 12; r++) {
            bool clear = pathClear(r);
            for (int c = col; c <= col + 1 + ahead && clear; c++)
                clear = !Wall(c, r) && !Wall(c, r - 1) && !Wall(c, r + 1);
            if (clear && (best < 0 || std::abs(r - row) < std::abs(best - row))) best = r;
        }
        if (best >= 0) return best;
    }
    return row;
}

// Fire all the time; keep to the left, steer through the walls (read where
// layer 2 draws them), and line up with the heart once it is there.
int Pilot() {
    int targetY;
    if (const TekiRecord* heart = FirstOfType(49)) {
        targetY = heart->y;
    } else {
        int col = (((MenScroll[MS::scrollPos] * 2) >> 2) + GameState.playerX) >> 4;
        targetY = RouteRow(col, GameState.playerY >> 4) * 16 + 8;
    }
    return stagerun::Steer(70, targetY, 2);
}

using stagerun::Dump;

void PilotedFrame() {
    const int wasDying = dying;  // bullets and enemies cannot hit the craft, the walls can
    const long n = stagerun::CountedFrame();
    if (n < 0) return;
    RunLog& L = runLog;
    if (dying == 1 && wasDying == 0) {  // only the walls can do that
        L.deaths++;
        char at[96];
        std::snprintf(at, sizeof at, " frame %ld scroll %d craft (%d, %d);", n, MenScroll[MS::scrollPos],
                      GameState.playerX, GameState.playerY);
        L.deathsAt += at;
    }
    for (int d = 0; d < 2; d++) {
        if (L.dive[d] < 0 && MenScroll[MS::phase] == d && MenScroll[MS::rise] > 0) L.dive[d] = n;
        if (L.landed[d] < 0 && MenScroll[MS::phase] == d + 1) L.landed[d] = n;
    }
    if (L.bossArrived < 0 && FirstOfType(48)) L.bossArrived = n;
    if (L.bossArrived >= 0 && L.sceneEnded < 0 && !FirstOfType(5) && n > L.bossArrived + 2) L.sceneEnded = n;
    if (L.bossArrived < 0) {
        L.maxLive = std::max(L.maxLive, CountTeki());
        L.maxBullets = std::max(L.maxBullets, CountTama());
    } else {
        L.maxLiveFight = std::max(L.maxLiveFight, CountTeki());
    }

    const bool inDive = (L.dive[0] >= 0 && L.landed[0] < 0) || (L.dive[1] >= 0 && L.landed[1] < 0);
    if (L.bossArrived < 0 && n % 200 == 0) Dump("stage", n);
    if (inDive && n % 40 == 0) Dump("dive", n);
    if (L.bossArrived >= 0 && L.sceneEnded < 0 && (n - L.bossArrived) % 100 == 0) Dump("scene", n);
    if (L.sceneEnded >= 0 && L.bossDied < 0 && (n - L.sceneEnded) % 30 == 0) Dump("fight", n);
    if (L.bossDied >= 0 && L.cleared < 0 && (n - L.bossDied) % 40 == 0) Dump("clear", n);
    if (n > 16000) quitFlag = 1;  // never reached the end: give up
}

int TitleOnce() {
    runLog.titles++;
    stageNo = 4;  // the shell starts every run at stage 1; this run is stage 4's
    return runLog.titles == 1 ? 0 : 1;  // back at the title after the stage: the end of the test
}

class Stage4 : public stagerun::StageRunTest {
protected:
    void SetUp() override { EnterData("men4.dat"); }
    void TearDown() override { LeaveData(); }
};

class Stage4Waves : public EnemyTestBase {
protected:
    void SetUp() override {
        EnemyTestBase::SetUp();
        if (!stagerun::LoadTimeline(4)) GTEST_SKIP() << "no generated men4.dat";
    }
};

}  // namespace

TEST_F(Stage4, PilotSteersThroughTheWallsDivesTwiceAndDestroysTheHeart) {
    // Set PELLO_STAGE4_WINDOW to watch the run in a window.
    stagerun::OpenDisplay(4321, std::getenv("PELLO_STAGE4_WINDOW") == nullptr, true);
    if (HasFatalFailure()) return;
    runLog = RunLog{};
    stagerun::Fly(runLog, "PELLO_STAGE4_DUMP_DIR");
    run_.Install({Pilot, TitleOnce, PilotedFrame, stagerun::StageEndSeen});
    OuterLoop();
    run_.Restore();
    stageNo = 1;

    const RunLog& L = runLog;
    std::printf("stage 4 run: %ld frames; dives %ld-%ld and %ld-%ld; boss at %ld, scene over at %ld, "
                "heart down at %ld, cleared at %ld; %d lives lost; waves: at most %d enemies, %d bullets; "
                "fight: at most %d enemies\n",
                L.frames, L.dive[0], L.landed[0], L.dive[1], L.landed[1], L.bossArrived, L.sceneEnded, L.bossDied,
                L.cleared, L.deaths, L.maxLive, L.maxBullets, L.maxLiveFight);
    EXPECT_EQ(L.deaths, 0) << "the pilot touched a crystal wall:" << L.deathsAt;
    EXPECT_EQ(L.dive[0], 1600);
    EXPECT_EQ(L.landed[0], 1839);
    EXPECT_EQ(L.dive[1], 6639);
    EXPECT_EQ(L.landed[1], 6878);
    ASSERT_GE(L.bossArrived, 8387);  // as the scroll stops
    EXPECT_NEAR(L.sceneEnded - L.bossArrived, 890, 2);  // the Queen speaks for 890 frames
    ASSERT_GT(L.bossDied, L.sceneEnded);
    EXPECT_EQ(L.cleared - L.bossDied, 195);
    EXPECT_EQ(L.stageEnds, 1);
    EXPECT_EQ(L.titles, 2);
    EXPECT_LT(L.maxLive, kTekiMax);
    EXPECT_LT(L.maxBullets, kTamaMax);
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
