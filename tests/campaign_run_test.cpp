// A whole campaign, headless, in the real outer loop with the generated data:
// the planning pilot flies every stage that has data, from stage 1 on (a
// well-armed craft, nothing else helped), destroys each boss, the last one
// included, losing at most a life a stage, and the run goes on from stage to
// stage carrying its character, score, lives, shot level and options, until
// the end picture and the title after the last stage with data.
//
// The presented-frame numbers of the stage changes are printed; with
// PELLO_CAMPAIGN_DUMP_FRAMES (a list as for --dump-frames) those frames are
// written to PELLO_CAMPAIGN_DUMP_DIR (default: the working folder).
//
// Hit enemies are drawn white (PELLO_FLASH_TINT=1: as the tint), and each
// boss fight's flashing is measured and printed: no flash over a quarter of
// the screen may come more than three times in a second.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "enemy/enemy.h"
#include "input/input.h"
#include "pilot/pilot.h"
#include "platform/platform.h"
#include "player/player.h"
#include "screens/screens.h"
#include "shell/shell.h"
#include "sound/sound.h"
#include "stage/stage.h"
#include "stage/stage_table.h"
#include "video/video.h"
#include "campaign_pilot.h"
#include "flash_meter.h"
#include "shell/options.h"
#include "stage_run_fixture.h"

namespace {

using campaignpilot::ButtonThenNothing;
using campaignpilot::LiveBoss;

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr int kFirstStage = 5;  // the sanitizers: the last stage only, the pilot's look-ahead is costly there
#else
constexpr int kFirstStage = 1;
#endif

struct StageLog {
    int stage = 0;
    uint64_t firstPresented = 0;    // presented-frame number of the stage's first frame
    GameStateRecord atStart{}, atClear{};
    bool sheetsLoaded = false, timelineFromFile = false;
    long frames = 0, bossArrived = -1, bossDied = -1, cleared = -1;
    int lives = 0, livesLost = 0;
    bool clearFrameShown = false;   // the frame that raised clearFlag was presented
};

struct CampaignLog {
    std::vector<StageLog> stages;
    std::vector<int> captions;
    int titles = 0, stageEnds = 0;
    bool newStage = false;
};
CampaignLog clog;
flashmeter::Meter flashes;

// The fight a frame belongs to: the stage's boss, or the last boss of all.
std::string FightOf(bool boss) {
    if (!boss) return "";
    return "stage " + std::to_string(stageNo) + (CountTeki(57) > 0 ? " last boss" : " boss");
}

bool TimelineMatchesFile(int stage) {
    char name[32];
    std::snprintf(name, sizeof name, "men%d.dat", stage);
    std::ifstream f(name, std::ios::binary);
    std::vector<char> head(sizeof MenEvent);
    return f.read(head.data(), static_cast<std::streamsize>(head.size())) &&
           std::memcmp(head.data(), MenEvent, head.size()) == 0;
}

void PilotedFrame() {
    if (clog.newStage) {
        clog.newStage = false;
        StageLog s;
        s.stage = stageNo;
        s.firstPresented = plat::PresentedFrames() + 1;
        if (clog.stages.empty()) {  // a well-armed craft keeps the test short
            GameState.shotLv = 2;
            GameState.option = 3;
        }
        s.atStart = GameState;
        s.lives = GameState.lives;
        s.sheetsLoaded = Slot[2] && Slot[3];
        s.timelineFromFile = TimelineMatchesFile(stageNo);
        clog.stages.push_back(s);
    }
    StageLog& s = clog.stages.back();
    const long before = playFramesRun;
    const uint64_t presented = plat::PresentedFrames();
    GameFrame();
    if (playFramesRun == before) return;  // the gate was still shut
    const long n = s.frames++;
    const bool boss = LiveBoss() != nullptr;
    flashes.EndFrame(FightOf(boss));
    if (boss && s.bossArrived < 0) s.bossArrived = n;
    if (bossDown == 1 && s.bossDied < 0) s.bossDied = n;
    if (clearFlag == 1 && s.cleared < 0) {
        s.cleared = n;
        s.atClear = GameState;
        s.clearFrameShown = plat::PresentedFrames() != presented;
    }
    if (GameState.lives < s.lives) s.livesLost++;
    s.lives = GameState.lives;
    if (n > 30000) quitFlag = 1;  // never reached the end: give up
}

void LoadAndNote() {
    LoadStageSlots();
    clog.newStage = true;
}
int TitleOnce() { return clog.titles++ == 0 ? h_Title() : 1; }
void CaptionSeen(int stage) {
    std::printf("campaign: the caption of stage %d is presented from frame %llu\n", stage,
                static_cast<unsigned long long>(plat::PresentedFrames() + 1));
    clog.captions.push_back(stage);
    plat::SetScriptedInput(std::vector<int>(200, 0));  // the caption runs its full length
    h_StageCaption(stage);
    plat::SetScriptedInput(ButtonThenNothing());
}
void StageEndSeen() {
    clog.stageEnds++;
    h_StageEnd();
}

TEST(CampaignRun, EveryStageWithDataIsPlayedInTurnCarryingTheRun) {
    namespace fs = std::filesystem;
    if (!fs::exists(fs::path(PELLO_TEST_DATA_DIR) / "men1.dat")) GTEST_SKIP() << "no generated data";
    fs::path old = fs::current_path();
    fs::current_path(PELLO_TEST_DATA_DIR);
    int last = kFirstStage;
    while (last < kLastStage && !MissingStageFile(last + 1)) last++;

    plat::Options o;
    o.headless = true;
    o.mute = true;
    if (const char* list = std::getenv("PELLO_CAMPAIGN_DUMP_FRAMES")) o.dumpFrames = list;
    if (const char* dir = std::getenv("PELLO_CAMPAIGN_DUMP_DIR")) o.dumpDir = dir;
    ASSERT_TRUE(plat::Startup(o));
    ASSERT_EQ(InitDisplay(), 0);
    soundOk = 0;
    SetGamma(255);
    GameSrand(1234);
    ResetInputState();
    ResetScreensState();
    OuterLoopCalls saved = outerLoopCalls;
    outerLoopCalls = {TitleOnce, h_Charsel, PilotedFrame, StageEndSeen, LoadAndNote, CaptionSeen};
    pilot::Options po;
    po.oneRun = false;
    po.menus = false;
    po.replan = stagerun::kPilotReplan;
    pilot::Install(po);
    quitFlag = 0;
    clog = CampaignLog{};
    const int savedFlashing = launch.reduceFlashing;
    const char* tint = std::getenv("PELLO_FLASH_TINT");
    const bool tinted = tint && tint[0] == '1';
    launch.reduceFlashing = tinted ? 1 : 0;
    flashes = flashmeter::Meter{};
    flashes.Install();
    SetRunStages(kFirstStage, true);
    plat::SetScriptedInput(ButtonThenNothing());

    OuterLoop();

    SetRunStages(0, false);
    flashes.Remove();
    launch.reduceFlashing = savedFlashing;
    pilot::Remove();
    outerLoopCalls = saved;
    plat::SetScriptedInput(std::vector<int>{});
    StopMidi();
    for (int i = 0; i < 7; i++) FreeSlot(i);
    quitFlag = 0;
    fs::current_path(old);

    ASSERT_EQ(static_cast<int>(clog.stages.size()), last - kFirstStage + 1);
    for (int i = 0; i < int(clog.stages.size()); i++) {
        const StageLog& s = clog.stages[i];
        SCOPED_TRACE("stage " + std::to_string(s.stage));
        std::printf("campaign stage %d: first presented frame %llu; %ld play frames; boss at %ld, down at %ld, "
                    "cleared at %ld; score %d; %d lives lost\n",
                    s.stage, static_cast<unsigned long long>(s.firstPresented), s.frames, s.bossArrived, s.bossDied,
                    s.cleared, s.atClear.score, s.livesLost);
        EXPECT_EQ(s.stage, kFirstStage + i);
        EXPECT_LE(s.livesLost, 1);
        EXPECT_TRUE(s.sheetsLoaded);
        EXPECT_TRUE(s.timelineFromFile);
        EXPECT_EQ(s.atStart.mater, 50);
        ASSERT_GE(s.cleared, 0);
        EXPECT_EQ(s.cleared - s.bossDied, 195);
        EXPECT_FALSE(s.clearFrameShown);  // the fade's last dark frame stays on screen
        if (i == 0) continue;
        const GameStateRecord& was = clog.stages[i - 1].atClear;
        EXPECT_EQ(s.atStart.chno, was.chno);
        EXPECT_EQ(s.atStart.score, was.score);
        EXPECT_EQ(s.atStart.lives, was.lives);
        EXPECT_EQ(s.atStart.shotLv, was.shotLv);
        EXPECT_EQ(s.atStart.option, was.option);
    }
    EXPECT_GT(clog.stages.back().atClear.score, 0);
    std::vector<int> captions;
    for (int n = kFirstStage + 1; n <= last; n++) captions.push_back(n);
    EXPECT_EQ(clog.captions, captions);
    EXPECT_EQ(clog.stageEnds, 1);
    EXPECT_EQ(clog.titles, 2);
    for (const auto& [fight, f] : flashes.Fights()) {
        std::printf("flashes (%s), %s: %.0f s, at most %.1f %% of the screen; %.2f a second, at most %d in a second; "
                    "over a quarter: %d, at most %d in a second\n",
                    tinted ? "tint" : "white", fight.c_str(), double(f.areas.size()) / 64, 100 * f.maxArea,
                    f.Rate(), f.worstBurst, f.large, f.worstLargeBurst);
        EXPECT_LE(f.worstLargeBurst, 3) << fight;
    }
}

}  // namespace
