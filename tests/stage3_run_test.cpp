// Stage 3 with its generated data: the timeline replayed with the player
// parked (what arrives, how crowded the pools get), and a whole run through
// the outer loop in which a scripted pilot that cannot be hurt (test only)
// flies the stage, destroys the circling boss and sees the stage clear and
// the end picture.
//
// With PELLO_STAGE3_DUMP_DIR set, the run writes frames of the flight, the
// fight and the stage clear there as 24-bit BMP files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "enemy_fixture.h"
#include "stage_run_fixture.h"

namespace {

const std::string kData = PELLO_TEST_DATA_DIR;
constexpr int kBoss = 37;

bool IsBossPart(int type) { return type == kBoss || type == 38 || type == 39 || type == 9; }

class Stage3Waves : public EnemyTestBase {
protected:
    void SetUp() override {
        EnemyTestBase::SetUp();
        if (!std::filesystem::exists(kData + "/men3.dat")) GTEST_SKIP() << "no generated men3.dat";
        ClearMenTables();
        ResetStageFlags();
        stageNo = 3;
        ASSERT_EQ(LoadMenFile((kData + "/men3.dat").c_str()), 1);
        GameState.playerX = 100;
        GameState.playerY = 120;
    }
};

// --- the whole run

struct RunLog {
    int titles = 0, stageEnds = 0;
    long frames = 0, bossArrived = -1, bossDied = -1, cleared = -1;
    int maxLive = 0, maxBullets = 0;
    std::string dumpDir;
};
RunLog runLog;

const TekiRecord* LiveBoss() {
    for (const TekiRecord& t : Teki)
        if (t.active == 1 && t.type == kBoss) return &t;
    return nullptr;
}

// Fire all the time from the left of the screen, level with the boss's maw
// (the only place shots hurt it, just above its centre) once it is there.
int Pilot() {
    int targetY = 120;
    if (const TekiRecord* b = LiveBoss()) targetY = b->y - 8;
    return stagerun::Steer(60, targetY, 2);
}

void DumpWork(const char* tag, long frame) { stagerun::DumpWork(runLog.dumpDir, tag, frame); }

void PilotedFrame() {
    if (!stagerun::ArmedFrame()) return;
    const long n = runLog.frames++;
    int live = 0, bullets = 0;
    for (const TekiRecord& t : Teki) live += t.active != 0;
    for (const TamaRecord& t : Tama) bullets += t.active == 1;
    runLog.maxLive = std::max(runLog.maxLive, live);
    runLog.maxBullets = std::max(runLog.maxBullets, bullets);
    if (LiveBoss() && runLog.bossArrived < 0) runLog.bossArrived = n;
    if (bossDown == 1 && runLog.bossDied < 0) runLog.bossDied = n;
    if (clearFlag == 1 && runLog.cleared < 0) runLog.cleared = n;
    const bool fight = runLog.bossArrived >= 0 && runLog.bossDied < 0;
    if (!fight && runLog.bossArrived < 0 && n % 200 == 0) DumpWork("flight", n);
    if (fight && (n - runLog.bossArrived) % 30 == 0) DumpWork("fight", n);
    for (const TekiRecord& t : Teki)   // the beam and the pillar at full strength
        if (fight && t.active && (t.type == 38 || t.type == 39) && t.work[2] == 60) DumpWork(t.type == 38 ? "beam" : "pillar", n);
    if (runLog.bossDied >= 0 && runLog.cleared < 0 && (n - runLog.bossDied) % 16 == 0) DumpWork("clear", n);
    if (n > 14000) quitFlag = 1;  // never reached the end: give up
}

int TitleOnce() { return ++runLog.titles == 1 ? h_Title() : 1; }

void StageEndSeen() {
    runLog.stageEnds++;
    h_StageEnd();
    DumpWork("end", runLog.frames);
}

// The shell always starts at stage 1; this run starts at stage 3.
void LoadStage3() {
    stageNo = 3;
    LoadStageSlots();
}

class Stage3Run : public stagerun::StageRunTest {
protected:
    void SetUp() override {
        runLog = RunLog{};
        if (const char* d = std::getenv("PELLO_STAGE3_DUMP_DIR")) runLog.dumpDir = d;
        StartRun("men3.dat", 1234, {Pilot, TitleOnce, PilotedFrame, StageEndSeen, nullptr, LoadStage3});
    }
    void TearDown() override { EndRun(); }
};

}  // namespace

TEST_F(Stage3Waves, TimelineStaysInThePoolsUsesItsTypesAndLeavesTheBossAQuietLake) {
    std::set<int> types;
    int maxLive = 0, maxBullets = 0, lastSpawn = 0, spawned = 0, bossAt = -1;
    for (int frame = 0; frame < 6600; frame++) {
        TekiRecord before[kTekiMax];
        std::copy(std::begin(Teki), std::end(Teki), before);
        StepMenEvent(menFrame);
        menFrame += 1;
        MoveTeki();
        MoveTama();
        for (int i = 0; i < kTekiMax; i++)
            if (Teki[i].active && (!before[i].active || before[i].type != Teki[i].type)) {
                types.insert(Teki[i].type);
                if (Teki[i].type == kBoss && bossAt < 0) bossAt = frame;
                if (IsBossPart(Teki[i].type) || Teki[i].type == 36) continue;
                lastSpawn = frame;
                spawned++;
            }
        maxLive = std::max(maxLive, Live());
        maxBullets = std::max(maxBullets, Bullets());
    }
    for (int t : {18, 19, 43, 25, 30, 31, 33, 34, 32, 36, 35, 44, 46, 38, 39, 9})
        EXPECT_TRUE(types.count(t)) << "type " << t << " never appears";
    EXPECT_LT(maxLive, 80);
    EXPECT_LT(maxBullets, 400);
    ASSERT_GE(bossAt, 5800);               // as the scroll comes to its stop (frame 6000)
    EXPECT_LT(lastSpawn, bossAt - 300);    // a quiet moment before it
    int events = 0;
    for (const MenEventRecord& e : MenEvent) events += e.kind == 1 || e.kind == 2 || (e.kind == 0 && e.time != 0);
    EXPECT_GE(events, 120);
    EXPECT_LE(events, 180);
    std::printf("stage 3: %d enemies from %d events, at most %d at once, at most %d bullets, boss on frame %d\n",
                spawned, events, maxLive, maxBullets, bossAt);
}

TEST_F(Stage3Run, PilotFliesTheStageDestroysTheCirclingBossAndSeesTheEndPicture) {
    OuterLoop();
    std::printf("stage 3 run: %ld play frames; boss at %ld, down at %ld, cleared at %ld; "
                "at most %d enemies and %d bullets\n",
                runLog.frames, runLog.bossArrived, runLog.bossDied, runLog.cleared, runLog.maxLive, runLog.maxBullets);
    ASSERT_GE(runLog.bossArrived, 5800);
    ASSERT_GT(runLog.bossDied, runLog.bossArrived);
    EXPECT_EQ(runLog.cleared - runLog.bossDied, 195);
    EXPECT_EQ(runLog.stageEnds, 1);
    EXPECT_EQ(runLog.titles, 2);
    EXPECT_LT(runLog.maxBullets, 1000);
}
