// The whole game's ending through the real outer loop and the generated data,
// with stand-ins for the title, the selection and the play: the last clear of
// a campaign leads through the epilogue to the end of the run (the
// high-score entry) and the title; the first button held
// runs it four times as fast and skips nothing the first time; a later
// showing ends at a fresh press; a run outside the campaign keeps the end
// picture. With PELLO_ENDING_DUMP_FRAMES (a list as for --dump-frames) those
// presented frames are written to PELLO_ENDING_DUMP_DIR (default: the data folder).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "input/input.h"
#include "platform/platform.h"
#include "screens/screens.h"
#include "shell/shell.h"
#include "video/video.h"
#include "headless_screens.h"

namespace {

struct EndingFlow {
    std::string log;  // T title, S selection, L set-up, F frame, E end picture, P epilogue, H run over
    int titles = 0;
    uint64_t epilogueFrames = 0;    // presented, the cleared screen after it included
    int chno = -1;
};
EndingFlow endFlow;

int OneGameThenQuit() {
    endFlow.log += 'T';
    return endFlow.titles++ == 0 ? 0 : 1;
}
int SelectStrongman() {
    endFlow.log += 'S';
    return 7;  // character 8
}
void Load() { endFlow.log += 'L'; }
void ClearAtOnce() {
    endFlow.log += 'F';
    clearFlag = 1;
}
void EndPicture() { endFlow.log += 'E'; }
void Caption(int) { endFlow.log += 'C'; }
void RunOver(int) { endFlow.log += 'H'; }
void Epilogue() {
    endFlow.log += 'P';
    endFlow.chno = GameState.chno;
    const uint64_t before = plat::PresentedFrames();
    h_Epilogue();
    endFlow.epilogueFrames = plat::PresentedFrames() - before;
}

class Ending : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        if (!fs::exists(fs::path(PELLO_TEST_DATA_DIR) / "ending.bmp")) GTEST_SKIP() << "no generated data";
        old_ = fs::current_path();
        fs::current_path(PELLO_TEST_DATA_DIR);
        plat::Options o;
        if (const char* list = std::getenv("PELLO_ENDING_DUMP_FRAMES")) o.dumpFrames = list;
        if (const char* dir = std::getenv("PELLO_ENDING_DUMP_DIR")) o.dumpDir = dir;
        ASSERT_TRUE(StartHeadlessScreens(o));
        saved_ = outerLoopCalls;
        outerLoopCalls = {OneGameThenQuit, SelectStrongman, ClearAtOnce, EndPicture, Load, Caption, Epilogue};
        savedRunOver_ = runOverHook;
        runOverHook = RunOver;
        quitFlag = 0;
    }
    void TearDown() override {
        if (old_.empty()) return;
        outerLoopCalls = saved_;
        runOverHook = savedRunOver_;
        SetRunStages(0, false);
        plat::SetScriptedInput(std::vector<int>{});
        for (int i = 0; i < 7; i++) FreeSlot(i);
        quitFlag = 0;
        std::filesystem::current_path(old_);
    }
    // One run from the title to the quit, with this input script.
    void Run(int firstStage, bool campaign, const std::vector<plat::ScriptRun>& script) {
        endFlow = EndingFlow{};
        quitFlag = 0;
        SetRunStages(firstStage, campaign);
        plat::SetScriptedInput(script);
        EXPECT_EQ(OuterLoop(), 0);
    }
    OuterLoopCalls saved_{};
    void (*savedRunOver_)(int) = nullptr;
    std::filesystem::path old_;
};

TEST_F(Ending, TheLastClearOfACampaignPlaysTheEpilogueThenTheScoreEntryAndTheTitle) {
    const int steps = EpilogueSteps(8);
    ASSERT_GT(steps, 1500);  // long enough to read

    // First showing: a press and then the button held. Nothing skips it; held,
    // it runs four times as fast.
    Run(5, true, {{0, 2}, {IN_B1, 1}, {0, 20}, {IN_B1, 100000}});
    EXPECT_EQ(endFlow.log, "TSLFPHTL");  // the second title quits through a set-up
    EXPECT_EQ(endFlow.chno, 8);
    // 22 frames read 0, the press and 20 more: 25 steps; then four a frame.
    EXPECT_EQ(static_cast<int>(endFlow.epilogueFrames), 23 + (steps - 25 + 3) / 4);
    EXPECT_TRUE(epilogueState.seen);

    // Seen once: a button held from the clear does not end it, a fresh press does.
    Run(5, true, {{IN_B1, 40}, {0, 10}, {IN_B2, 1}});
    EXPECT_EQ(endFlow.log, "TSLFPHTL");
    EXPECT_EQ(endFlow.epilogueFrames, 51u);

    // Outside the campaign a clear shows the end picture.
    Run(5, false, {});
    EXPECT_EQ(endFlow.log, "TSLFEHTL");
}

}  // namespace
