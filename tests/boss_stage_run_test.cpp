// A whole stage-1 run, headless, in the real outer loop with the generated
// data: the planning pilot flies to the end of the stage, destroys the boss
// in both its forms, and the game passes through the stage-clear sequence and
// the end picture back to the title.
//
// With PELLO_BOSS_DUMP_DIR set, frames of the fight and of the stage clear
// are written there as 24-bit BMP files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "stage_run_fixture.h"

namespace {

struct RunLog : stagerun::RunLog {
    long bossArrived = -1;       // play frame on which type 17 appeared
    long secondForm = -1;        // ... type 10
};
RunLog runLog;

using stagerun::Dump;

void Observe(long n) {
    bool boss17 = false, boss10 = false;
    for (const TekiRecord& t : Teki) {
        boss17 |= t.active != 0 && t.type == 17;
        boss10 |= t.active != 0 && t.type == 10;
    }
    if (boss17 && runLog.bossArrived < 0) runLog.bossArrived = n;
    if (boss10 && runLog.secondForm < 0) runLog.secondForm = n;
    const bool fight = runLog.bossArrived >= 0 && runLog.bossDied < 0;
    if (fight && (n - runLog.bossArrived) % 60 == 0) Dump("fight", n);
    if (runLog.bossDied >= 0 && runLog.cleared < 0 && (n - runLog.bossDied) % 8 == 0) Dump("clear", n);
    if (runLog.bossDied >= 0 && n - runLog.bossDied == 195) Dump("clear", n);  // the clear's own frame: nothing darkens it
}

class BossStageRun : public stagerun::StageRunTest {
protected:
    void SetUp() override {
        savedOptions_ = plat::GetOptions();
        runLog = RunLog{};
        runLog.observe = Observe;
        FlyStage(1, 1234, runLog, "PELLO_BOSS_DUMP_DIR");
    }
    void TearDown() override {
        EndRun();
        if (!old_.empty()) {
            ASSERT_TRUE(plat::Startup(savedOptions_));  // sound on again
        }
    }
    plat::Options savedOptions_;
};

}  // namespace

TEST_F(BossStageRun, BossStageRunReachesTheBossDestroysItAndReturnsToTheTitle) {
    OuterLoop();
    std::printf("boss run: %ld play frames; boss at %ld, second form at %ld, down at %ld, cleared at %ld\n",
                runLog.frames, runLog.bossArrived, runLog.secondForm, runLog.bossDied, runLog.cleared);
    ASSERT_GE(runLog.bossArrived, 10400);  // as the scroll stops
    EXPECT_GT(runLog.secondForm, runLog.bossArrived);
    EXPECT_GT(runLog.bossDied, runLog.secondForm);
    ExpectCleared(1, runLog);
}
