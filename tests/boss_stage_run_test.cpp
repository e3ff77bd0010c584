// A whole stage-1 run, headless, in the real outer loop with the generated
// data: a scripted pilot flies to the end of the stage, destroys the boss in
// both its forms, and the game passes through the stage-clear sequence and
// the end picture back to the title. The pilot cannot be hurt (test only).
//
// With PELLO_BOSS_DUMP_DIR set, frames of the fight and of the stage clear
// are written there as 24-bit BMP files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "enemy/enemy.h"
#include "input/input.h"
#include "platform/platform.h"
#include "player/player.h"
#include "screens/screens.h"
#include "shell/shell.h"
#include "sound/sound.h"
#include "stage/stage.h"
#include "video/video.h"

namespace {

struct RunLog {
    int titles = 0;
    int stageEnds = 0;
    long frames = 0;
    long bossArrived = -1;       // play frame on which type 17 appeared
    long secondForm = -1;        // ... type 10
    long bossDied = -1;          // ... bossDown went to 1
    long cleared = -1;           // ... clearFlag went to 1
    std::string dumpDir;
};
RunLog runLog;

const TekiRecord* LiveBoss() {
    for (const TekiRecord& t : Teki)
        if (t.active == 1 && (t.type == 17 || t.type == 10)) return &t;
    return nullptr;
}

// Fire all the time; line up with the boss (its second form's core sits
// above its centre) and keep to the left of the screen.
int Pilot() {
    int key = IN_B1;
    int targetY = 120, targetX = 70;
    if (const TekiRecord* b = LiveBoss()) targetY = b->type == 10 ? b->y - 16 : b->y;
    if (GameState.playerY > targetY + 3) key |= IN_UP;
    if (GameState.playerY < targetY - 3) key |= IN_DOWN;
    if (GameState.playerX < targetX - 4) key |= IN_RIGHT;
    if (GameState.playerX > targetX + 4) key |= IN_LEFT;
    return key;
}

void DumpWork(const char* tag, long frame) {
    if (runLog.dumpDir.empty() || !WorkSurface) return;
    char name[512];
    std::snprintf(name, sizeof name, "%s/%s_%06ld.bmp", runLog.dumpDir.c_str(), tag, frame);
    std::FILE* f = std::fopen(name, "wb");
    if (!f) return;
    const int w = 320, h = 240, row = w * 3;
    const uint32_t size = 54 + row * h;
    auto u16 = [&](uint32_t v) { std::fputc(v & 255, f); std::fputc((v >> 8) & 255, f); };
    auto u32 = [&](uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
    std::fputs("BM", f);
    u32(size); u32(0); u32(54); u32(40); u32(w); u32(h); u16(1); u16(24); u32(0); u32(row * h);
    u32(2835); u32(2835); u32(0); u32(0);
    for (int y = h - 1; y >= 0; y--)
        for (int x = 0; x < w; x++) {
            uint16_t p = WorkSurface->pixels[size_t(y * w + x)];
            int r = PixelFormat565 ? (p >> 11) : ((p >> 10) & 31);
            int g = PixelFormat565 ? ((p >> 5) & 63) : (((p >> 5) & 31) << 1);
            int b = p & 31;
            std::fputc(b << 3 | b >> 2, f);
            std::fputc(g << 2 | g >> 4, f);
            std::fputc(r << 3 | r >> 2, f);
        }
    std::fclose(f);
}

void PilotedFrame() {
    const long before = playFramesRun;
    if (playFramesRun == 0) {  // a well-armed pilot keeps the test short
        GameState.shotLv = 2;
        GameState.option = 3;
    }
    if (invincible == 0) invincible = 1;  // test only: nothing can hit the craft this frame
    GameFrame();
    if (playFramesRun == before) return;  // the gate was still shut
    const long n = runLog.frames++;
    bool boss17 = false, boss10 = false;
    for (const TekiRecord& t : Teki) {
        boss17 |= t.active != 0 && t.type == 17;
        boss10 |= t.active != 0 && t.type == 10;
    }
    if (boss17 && runLog.bossArrived < 0) runLog.bossArrived = n;
    if (boss10 && runLog.secondForm < 0) runLog.secondForm = n;
    if (bossDown == 1 && runLog.bossDied < 0) runLog.bossDied = n;
    if (clearFlag == 1 && runLog.cleared < 0) runLog.cleared = n;
    const bool fight = runLog.bossArrived >= 0 && runLog.bossDied < 0;
    if (fight && (n - runLog.bossArrived) % 60 == 0) DumpWork("fight", n);
    if (runLog.bossDied >= 0 && runLog.cleared < 0 && (n - runLog.bossDied) % 8 == 0) DumpWork("clear", n);
    if (runLog.bossDied >= 0 && n - runLog.bossDied == 195) DumpWork("clear", n);  // the clear's own frame: nothing darkens it
    if (n > 16000) quitFlag = 1;  // never reached the end: give up
}

int TitleOnce() {
    runLog.titles++;
    if (runLog.titles == 1) return h_Title();
    return 1;  // back at the title after the stage: that is the end of the test
}

void StageEndSeen() {
    runLog.stageEnds++;
    h_StageEnd();
    DumpWork("end", runLog.frames);  // the end picture is still on the work surface
}

class BossStageRun : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        if (!fs::exists(fs::path(PELLO_TEST_DATA_DIR) / "men1.dat")) GTEST_SKIP() << "no generated data";
        old_ = fs::current_path();
        fs::current_path(PELLO_TEST_DATA_DIR);
        savedOptions_ = plat::GetOptions();
        plat::Options o;
        o.headless = true;
        o.mute = true;
        ASSERT_TRUE(plat::Startup(o));
        ASSERT_EQ(InitDisplay(), 0);
        soundOk = 0;
        SetGamma(255);
        GameSrand(1234);
        ResetInputState();
        ResetScreensState();
        saved_ = outerLoopCalls;
        savedInput_ = PlayerInput;
        outerLoopCalls.title = TitleOnce;
        outerLoopCalls.gameFrame = PilotedFrame;
        outerLoopCalls.stageEnd = StageEndSeen;
        PlayerInput = Pilot;
        quitFlag = 0;
        runLog = RunLog{};
        if (const char* d = std::getenv("PELLO_BOSS_DUMP_DIR")) runLog.dumpDir = d;
        playFramesRun = 0;
        // The screens read the script: the button, then nothing, over and over.
        std::vector<plat::ScriptRun> script;
        for (int i = 0; i < 3000; i++) {
            script.push_back({IN_B1, 1});
            script.push_back({0, 1});
        }
        plat::SetScriptedInput(script);
    }
    void TearDown() override {
        outerLoopCalls = saved_;
        PlayerInput = savedInput_;
        plat::SetScriptedInput(std::vector<int>{});
        StopMidi();
        for (int i = 0; i < 7; i++) FreeSlot(i);
        quitFlag = 0;
        if (!old_.empty()) {
            std::filesystem::current_path(old_);
            ASSERT_TRUE(plat::Startup(savedOptions_));  // sound on again
        }
    }
    plat::Options savedOptions_;
    OuterLoopCalls saved_{};
    int (*savedInput_)() = nullptr;
    std::filesystem::path old_;
};

}  // namespace

TEST_F(BossStageRun, BossStageRunReachesTheBossDestroysItAndReturnsToTheTitle) {
    OuterLoop();
    std::printf("boss run: %ld play frames; boss at %ld, second form at %ld, down at %ld, cleared at %ld\n",
                runLog.frames, runLog.bossArrived, runLog.secondForm, runLog.bossDied, runLog.cleared);
    ASSERT_GE(runLog.bossArrived, 10400);  // as the scroll stops
    EXPECT_GT(runLog.secondForm, runLog.bossArrived);
    ASSERT_GT(runLog.bossDied, runLog.secondForm);
    EXPECT_EQ(runLog.cleared - runLog.bossDied, 195);
    EXPECT_EQ(runLog.stageEnds, 1);
    EXPECT_EQ(runLog.titles, 2);
}
