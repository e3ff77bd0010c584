// Stage choice and the campaign through the outer loop, with stand-ins for
// the screens and the play frame in a data folder that holds the files of
// stages 1 to 3 only; and the command line's --stage and --campaign.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "screens/screens.h"
#include "shell/shell.h"
#include "stage/stage_table.h"

namespace {

namespace fs = std::filesystem;

// What each stage saw on its first frame.
struct StageStart {
    int stage, chno, lives, score, shotLv, option, barrier, mater, menFrame;
};

struct Flow {
    std::string log;                // T title, S selection, L set-up, C caption n, F frame, E end picture
    int titles = 0;
    int selection = 8;
    std::vector<StageStart> starts;
    int framesInStage = 0;
    bool continueOnStage3 = false;
};
Flow flow;

int FlowTitle() {
    flow.log += 'T';
    return flow.titles++ == 0 ? 0 : 1;  // one game, then quit
}
int FlowCharsel() {
    flow.log += 'S';
    return flow.selection;
}
void FlowLoad() {
    flow.log += 'L';
    flow.framesInStage = 0;
}
void FlowCaption(int stage) { flow.log += "C" + std::to_string(stage); }
void FlowStageEnd() { flow.log += 'E'; }
void FlowFrame() {
    flow.log += 'F';
    GameStateRecord& g = GameState;
    if (flow.framesInStage++ == 0) {
        flow.starts.push_back({stageNo, g.chno, g.lives, g.score, g.shotLv, g.option, g.barrier, g.mater, menFrame});
        // The stage changes what a run carries on, and what a stage resets.
        g.score += 1000;
        g.lives -= 1;
        g.shotLv = 2;
        g.option = 3;
        g.barrier = 2;
        g.mater = 200;
        menFrame = 4000;
        return;
    }
    if (flow.continueOnStage3 && stageNo == 3 && flow.starts.size() == 2) {
        continueFlag = 1;
        return;
    }
    clearFlag = 1;
}

class CampaignFlow : public ::testing::Test {
protected:
    void SetUp() override {
        plat::Options o;
        o.headless = true;
        o.mute = true;
        ASSERT_TRUE(plat::Startup(o));
        old_ = fs::current_path();
        dir_ = fs::path(::testing::TempDir()) / ("pello_campaign_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        for (int n = 1; n <= 3; n++)
            for (std::string f : {"men" + std::to_string(n) + ".dat", "bg_stage" + std::to_string(n) + ".bmp",
                                  "stage" + std::to_string(n) + "_en.bmp"})
                std::ofstream(dir_ / f) << "x";
        fs::current_path(dir_);
        saved_ = outerLoopCalls;
        outerLoopCalls = {FlowTitle, FlowCharsel, FlowFrame, FlowStageEnd, FlowLoad, FlowCaption};
        flow = Flow{};
        quitFlag = 0;
    }
    void TearDown() override {
        outerLoopCalls = saved_;
        SetRunStages(0, false);
        quitFlag = 0;
        fs::current_path(old_);
        fs::remove_all(dir_);
    }
    OuterLoopCalls saved_{};
    fs::path old_, dir_;
};

TEST_F(CampaignFlow, RunGoesOnThroughEveryStageWithDataThenEndsAtTheTitle) {
    SetRunStages(0, true);
    EXPECT_EQ(OuterLoop(), 0);
    // Stage 4 has no files: the campaign ends after stage 3 with the end picture.
    EXPECT_EQ(flow.log, "TSLFF" "LC2FF" "LC3FF" "ETL");
    ASSERT_EQ(flow.starts.size(), 3u);
    for (int i = 0; i < 3; i++) {
        const StageStart& s = flow.starts[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(s.stage, i + 1);
        EXPECT_EQ(s.chno, 9);  // selection 8
        EXPECT_EQ(s.lives, 5 - i);
        EXPECT_EQ(s.score, 1000 * i);
        EXPECT_EQ(s.shotLv, i ? 2 : 0);
        EXPECT_EQ(s.option, i ? 3 : 0);
        EXPECT_EQ(s.barrier, i ? 2 : 0);
        EXPECT_EQ(s.mater, 50);     // a stage's own values start afresh
        EXPECT_EQ(s.menFrame, 0);
    }
}

TEST_F(CampaignFlow, StartStageAndContinueRestartTheStageReached) {
    SetRunStages(2, true);
    flow.continueOnStage3 = true;
    EXPECT_EQ(OuterLoop(), 0);
    EXPECT_EQ(flow.log, "TSLFF" "LC3FF" "SLFF" "ETL");
    ASSERT_EQ(flow.starts.size(), 3u);
    EXPECT_EQ(flow.starts[0].stage, 2);
    EXPECT_EQ(flow.starts[2].stage, 3);  // the continue stays on stage 3, with a fresh run
    EXPECT_EQ(flow.starts[2].lives, 5);
    EXPECT_EQ(flow.starts[2].score, 0);

    // Without the campaign a run that starts at stage 2 ends after it, and the
    // selection takes only the first character.
    flow = Flow{};
    quitFlag = 0;
    SetRunStages(2, false);
    EXPECT_EQ(OuterLoop(), 0);
    EXPECT_EQ(flow.log, "TSLFFETL");
    EXPECT_EQ(CharselWholeCast, 0);
    EXPECT_EQ(stageNo, 2);
}

// --- the command line

int RunGameExe(const std::string& args, std::string* err) {
    std::string errFile = ::testing::TempDir() + "pello_stage_err_" + std::to_string(::getpid()) + ".txt";
    std::string cmd = std::string("\"") + PELLO_GAME_EXE + "\" " + args + " >/dev/null 2>\"" + errFile + "\"";
    int st = std::system(cmd.c_str());
    err->clear();
    std::ifstream in(errFile);
    err->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::remove(errFile.c_str());
    return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

TEST(CampaignOptions, StageOutsideOneToFiveOrWithoutDataIsRefused) {
    std::string err;
    for (const char* bad : {"0", "6", "-1", "2x", ""}) {
        EXPECT_EQ(RunGameExe(std::string("--headless --stage \"") + bad + "\"", &err), 2) << bad;
        EXPECT_NE(err.find("--stage takes a number from 1 to 5"), std::string::npos) << err;
    }
    EXPECT_EQ(RunGameExe("--headless --stage", &err), 2);

    // A data folder without a stage's files: the stage is refused before the game starts.
    fs::path empty = fs::path(::testing::TempDir()) / ("pello_nostage_" + std::to_string(::getpid()));
    fs::create_directories(empty);
    EXPECT_EQ(RunGameExe("--headless --stage 4 --data \"" + empty.string() + "\"", &err), 1);
    EXPECT_NE(err.find("stage 4 has no data (men4.dat is missing"), std::string::npos) << err;
    EXPECT_EQ(RunGameExe("--headless --campaign --data \"" + empty.string() + "\"", &err), 1);
    EXPECT_NE(err.find("stage 1 has no data"), std::string::npos) << err;
    fs::remove_all(empty);
}

TEST(CampaignOptions, EveryStageWithGeneratedDataStartsAndTheOthersAreRefused) {
    if (!fs::exists(fs::path(PELLO_TEST_DATA_DIR) / "men1.dat")) GTEST_SKIP() << "no generated data";
    std::string script = ::testing::TempDir() + "pello_stage_in_" + std::to_string(::getpid()) + ".txt";
    std::ofstream(script) << "z x2\n";
    fs::path old = fs::current_path();
    fs::current_path(PELLO_TEST_DATA_DIR);
    for (int n = 1; n <= 5; n++) {
        const bool hasData = MissingStageFile(n) == nullptr;
        std::string err;
        int rc = RunGameExe("--headless --stage " + std::to_string(n) + " --frames 60 --input \"" + script +
                                "\" --data \"" PELLO_TEST_DATA_DIR "\"",
                            &err);
        EXPECT_EQ(rc, hasData ? 0 : 1) << "stage " << n << ": " << err;
        if (hasData) EXPECT_EQ(err.find("time limit"), std::string::npos) << err;  // ended by --frames
        else EXPECT_NE(err.find("has no data"), std::string::npos) << err;
    }
    fs::current_path(old);
    std::remove(script.c_str());
}

}  // namespace
