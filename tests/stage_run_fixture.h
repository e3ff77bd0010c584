// Shared scaffolding for the whole-stage runs: a scripted pilot flies a stage
// in the real outer loop, headless, with the generated data. Each stage's test
// keeps its own pilot, its own observations and its own checks; this holds
// what they all do the same way (the display and the hooks, the screens'
// script, the well-armed craft that nothing can hit, frame dumps).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <set>
#include <utility>
#include <string>
#include <vector>

#include "enemy/enemy.h"
#include "input/input.h"
#include "platform/platform.h"
#include "player/player.h"
#include "screens/screens.h"
#include "shell/shell.h"
#include "shot/shot.h"
#include "sound/sound.h"
#include "stage/stage.h"
#include "video/video.h"

namespace stagerun {

// Writes the work surface as a 24-bit BMP named dir/tag_NNNNNN.bmp; nothing
// when dir is empty or there is no surface yet.
inline void DumpWork(const std::string& dir, const char* tag, long frame) {
    if (dir.empty() || !WorkSurface) return;
    char name[512];
    std::snprintf(name, sizeof name, "%s/%s_%06ld.bmp", dir.c_str(), tag, frame);
    std::FILE* f = std::fopen(name, "wb");
    if (!f) return;
    const int w = 320, h = 240, row = w * 3;
    auto u16 = [&](uint32_t v) { std::fputc(v & 255, f); std::fputc((v >> 8) & 255, f); };
    auto u32 = [&](uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
    std::fputs("BM", f);
    u32(54 + row * h); u32(0); u32(54); u32(40); u32(w); u32(h); u16(1); u16(24); u32(0); u32(row * h);
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

// The fire button plus the directions that bring the craft to (targetX,
// targetY): within 4 pixels across, within slackY up and down.
inline int Steer(int targetX, int targetY, int slackY) {
    int key = IN_B1;
    if (GameState.playerY > targetY + slackY) key |= IN_UP;
    if (GameState.playerY < targetY - slackY) key |= IN_DOWN;
    if (GameState.playerX < targetX - 4) key |= IN_RIGHT;
    if (GameState.playerX > targetX + 4) key |= IN_LEFT;
    return key;
}

// One pass of the game frame for the pilot: a well-armed craft keeps the test
// short, and (test only) no bullet or enemy can hit it this frame. False when
// no play frame ran (the gate was still shut).
inline bool ArmedFrame() {
    const long before = playFramesRun;
    if (playFramesRun == 0) {
        GameState.shotLv = 2;
        GameState.option = 3;
    }
    if (invincible == 0) invincible = 1;
    GameFrame();
    return playFramesRun != before;
}


// Loads a stage's generated timeline for a replay with the craft parked at
// (craftX, 120); false when the data is not there.
inline bool LoadTimeline(int stage, int craftX = 100) {
    const std::string path = std::string(PELLO_TEST_DATA_DIR) + "/men" + std::to_string(stage) + ".dat";
    if (!std::filesystem::exists(path)) return false;
    ClearMenTables();
    ResetStageFlags();
    stageNo = stage;
    GameState.playerX = craftX;
    GameState.playerY = 120;
    return LoadMenFile(path.c_str()) == 1;
}

// What a replay of a stage's timeline saw.
struct TimelineSeen {
    std::set<int> types;   // every type that entered the pool
    int maxLive = 0, maxBullets = 0;
};

// The timeline entries that are, or were before they fired, events.
inline int TimelineEvents() {
    int n = 0;
    for (const MenEventRecord& e : MenEvent) n += e.kind == 1 || e.kind == 2 || (e.kind == 0 && e.time != 0);
    return n;
}

// Plays the loaded timeline with the craft parked, nothing drawn and nothing
// shot down. Each frame: the clock jumps at the frames in jumps ({frame,
// amount}: the scenery's dives), the timeline steps, beforeMove(frame) runs,
// then the enemies and bullets move; entered(frame, enemy) hears of every
// entry that is new since the frame began (freshly spawned, or turned into
// another type).
template <class Entered, class BeforeMove = void (*)(int)>
TimelineSeen ReplayTimeline(int frames, std::initializer_list<std::pair<int, int>> jumps, Entered entered,
                            BeforeMove beforeMove = [](int) {}) {
    TimelineSeen seen;
    for (int frame = 0; frame < frames; frame++) {
        for (const auto& [at, amount] : jumps)
            if (frame == at) menFrame += amount;
        TekiRecord was[kTekiMax];
        std::copy(std::begin(Teki), std::end(Teki), was);
        StepMenEvent(menFrame);
        menFrame += 1;
        beforeMove(frame);
        MoveTeki();
        MoveTama();
        for (int i = 0; i < kTekiMax; i++)
            if (Teki[i].active && (!was[i].active || was[i].type != Teki[i].type)) {
                seen.types.insert(Teki[i].type);
                entered(frame, Teki[i]);
            }
        seen.maxLive = std::max(seen.maxLive, CountTeki());
        seen.maxBullets = std::max(seen.maxBullets, CountTama());
    }
    return seen;
}

// A silent headless display (or a window) with the given random seed, and
// the input and screens back at their start.
inline void OpenDisplay(unsigned seed, bool headless = true, bool windowed = false) {
    plat::Options o;
    o.headless = headless;
    o.windowed = windowed;
    o.mute = true;
    ASSERT_TRUE(plat::Startup(o));
    ASSERT_EQ(InitDisplay(), 0);
    soundOk = 0;
    SetGamma(255);
    GameSrand(seed);
    ResetInputState();
    ResetScreensState();
}

// What every piloted run notes; a test's own log derives from it.
struct RunLog {
    int titles = 0, stageEnds = 0;
    int stage = 0;                          // set as the title returns (0: leave the shell's stage 1)
    long frames = 0, bossDied = -1, cleared = -1;   // play frames (-1: not yet)
    std::string dumpDir;
};
// The log of the run being flown (the hooks are plain functions).
inline RunLog* flying = nullptr;

// Starts flying with this log, dumping frames where the environment
// variable dumpEnv names a folder.
inline void Fly(RunLog& log, const char* dumpEnv) {
    flying = &log;
    if (const char* d = std::getenv(dumpEnv)) log.dumpDir = d;
}

inline void Dump(const char* tag, long frame) { DumpWork(flying->dumpDir, tag, frame); }

// A play frame for the pilot (ArmedFrame), counted, with the boss's fall and
// the clear noted; the frame's number, or -1 when the gate was still shut.
inline long CountedFrame() {
    if (!ArmedFrame()) return -1;
    RunLog& L = *flying;
    const long n = L.frames++;
    if (bossDown == 1 && L.bossDied < 0) L.bossDied = n;
    if (clearFlag == 1 && L.cleared < 0) L.cleared = n;
    return n;
}

// The title the first time (then the log's stage is set); back at the title
// after the stage, the quit that ends the test.
inline int TitleOnce() {
    if (++flying->titles > 1) return 1;
    const int item = h_Title();
    if (flying->stage > 0) stageNo = flying->stage;
    return item;
}

// The end picture, counted and dumped while it is still on the work surface.
inline void StageEndSeen() {
    flying->stageEnds++;
    h_StageEnd();
    Dump("end", flying->frames);
}

struct Hooks {
    int (*pilot)() = nullptr;
    int (*title)() = nullptr;
    void (*gameFrame)() = nullptr;
    void (*stageEnd)() = nullptr;
    int (*charsel)() = nullptr;      // left as it is when null
    void (*loadStage)() = nullptr;   // left as it is when null
};

// Puts the run's hooks into the outer loop and the pilot on the controls,
// with the screens reading the button, then nothing, over and over; Restore
// puts everything back.
class PilotedRun {
public:
    void Install(const Hooks& h) {
        saved_ = outerLoopCalls;
        savedInput_ = PlayerInput;
        outerLoopCalls.title = h.title;
        if (h.charsel) outerLoopCalls.charsel = h.charsel;
        outerLoopCalls.gameFrame = h.gameFrame;
        outerLoopCalls.stageEnd = h.stageEnd;
        if (h.loadStage) outerLoopCalls.loadStage = h.loadStage;
        PlayerInput = h.pilot;
        quitFlag = 0;
        playFramesRun = 0;
        std::vector<plat::ScriptRun> script;
        for (int i = 0; i < 3000; i++) {
            script.push_back({IN_B1, 1});
            script.push_back({0, 1});
        }
        plat::SetScriptedInput(script);
        installed_ = true;
    }
    void Restore() {
        if (!installed_) return;
        installed_ = false;
        outerLoopCalls = saved_;
        PlayerInput = savedInput_;
        plat::SetScriptedInput(std::vector<int>{});
        StopMidi();
        for (int i = 0; i < 7; i++) FreeSlot(i);
        quitFlag = 0;
    }

private:
    OuterLoopCalls saved_{};
    int (*savedInput_)() = nullptr;
    bool installed_ = false;
};

// Runs from the generated data folder; skips when the stage's timeline file
// is not there.
class StageRunTest : public ::testing::Test {
protected:
    // Call first in SetUp, and return when IsSkipped().
    void EnterData(const char* menFile) {
        namespace fs = std::filesystem;
        if (!fs::exists(fs::path(PELLO_TEST_DATA_DIR) / menFile)) GTEST_SKIP() << "no generated data";
        old_ = fs::current_path();
        fs::current_path(PELLO_TEST_DATA_DIR);
    }
    // The usual set-up of a run: the data folder, the display, the hooks.
    void StartRun(const char* menFile, unsigned seed, const Hooks& h) {
        EnterData(menFile);
        if (IsSkipped()) return;
        OpenDisplay(seed);
        if (HasFatalFailure()) return;
        run_.Install(h);
    }
    // Puts the hooks back, and resets the stage number unless told not to.
    void EndRun(bool resetStage = true) {
        run_.Restore();
        if (resetStage) stageNo = 1;
        LeaveData();
    }
    void LeaveData() {
        if (!old_.empty()) std::filesystem::current_path(old_);
    }
    PilotedRun run_;
    std::filesystem::path old_;
};

}  // namespace stagerun
