// Shared scaffolding for the whole-stage runs: the planning pilot flies a
// stage in the real outer loop, headless, with the generated data, through
// the same input word a player's keys use. Each stage's test keeps its own
// observations and checks; this holds what they all do the same way (the
// display and the hooks, the screens' script, the clear, frame dumps), and
// the replay of a stage's timeline with the craft parked.
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
#include "pilot/pilot.h"
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

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
// The sanitizers slow play about tenfold: there the planning pilot decides
// every fourth frame instead of every other (it still clears every stage).
constexpr int kPilotReplan = 4;
#else
constexpr int kPilotReplan = 2;
#endif

// What every piloted run notes; a test's own log derives from it and its
// observe function reads the play state after each play frame.
struct RunLog {
    int titles = 0, stageEnds = 0;
    long frames = 0, bossDied = -1, cleared = -1;   // play frames (-1: not yet)
    void (*observe)(long frame) = nullptr;
    std::string dumpDir;
};
// The log of the run being flown (the hooks are plain functions).
inline RunLog* flying = nullptr;

inline void Dump(const char* tag, long frame) { DumpWork(flying->dumpDir, tag, frame); }

// The play frame under the pilot: counted, the boss's fall and the clear
// noted, then the test's own observations; a run still going after four
// times the longest stage's frames is given up.
inline void PilotedFrame() {
    const long before = playFramesRun;
    GameFrame();
    if (playFramesRun == before) return;  // the gate was still shut
    RunLog& L = *flying;
    const long n = L.frames++;
    if (bossDown == 1 && L.bossDied < 0) L.bossDied = n;
    if (clearFlag == 1 && L.cleared < 0) L.cleared = n;
    if (L.observe) L.observe(n);
    if (n > 60000) quitFlag = 1;
}

// The title the first time; back at the title after the stage, the quit
// that ends the test.
inline int TitleOnce() { return ++flying->titles > 1 ? 1 : h_Title(); }

// The end picture, counted and dumped while it is still on the work surface.
inline void StageEndSeen() {
    flying->stageEnds++;
    h_StageEnd();
    Dump("end", flying->frames);
}

struct Hooks {
    int (*pilot)() = nullptr;        // null: the planning pilot
    int (*title)() = nullptr;
    void (*gameFrame)() = nullptr;
    void (*stageEnd)() = nullptr;
    int (*charsel)() = nullptr;      // left as it is when null
};

// Puts the run's hooks into the outer loop and a pilot on the controls,
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
        quitFlag = 0;
        playFramesRun = 0;
        if (h.pilot) {
            PlayerInput = h.pilot;
        } else {  // it wraps the hooks just set, and answers play's reads only
            pilot::Options o;
            o.oneRun = false;
            o.menus = false;
            o.replan = kPilotReplan;
            pilot::Install(o);
        }
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
        pilot::Remove();
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
    // The planning pilot flies one run that starts at the stage, as a run
    // chosen to start there does (a fresh craft, the first character), with
    // this log; frames are dumped where the environment variable dumpEnv
    // names a folder.
    void FlyStage(int stage, unsigned seed, RunLog& log, const char* dumpEnv) {
        flying = &log;
        if (const char* d = std::getenv(dumpEnv)) log.dumpDir = d;
        const std::string men = "men" + std::to_string(stage) + ".dat";
        SetRunStages(stage, false);
        StartRun(men.c_str(), seed, {nullptr, TitleOnce, PilotedFrame, StageEndSeen});
    }
    // The stage the pilot flew cleared, at most a life lost, the end picture
    // shown once, and the game back at the title.
    static void ExpectCleared(int stage, const RunLog& L) {
        const std::vector<pilot::StageReport>& flown = pilot::Reports();
        ASSERT_EQ(flown.size(), 1u);
        EXPECT_EQ(flown[0].stage, stage);
        EXPECT_TRUE(flown[0].cleared) << pilot::FormatReport(flown[0]);
        EXPECT_LE(flown[0].losses.size(), 1u) << pilot::FormatReport(flown[0]);
        ASSERT_GE(L.bossDied, 0);
        EXPECT_EQ(L.cleared - L.bossDied, 195);
        EXPECT_EQ(L.stageEnds, 1);
        EXPECT_EQ(L.titles, 2);
    }
    // Puts the hooks back, and the runs' start at stage 1.
    void EndRun() {
        run_.Restore();
        SetRunStages(0, false);
        stageNo = 1;
        LeaveData();
    }
    void LeaveData() {
        if (!old_.empty()) std::filesystem::current_path(old_);
    }
    PilotedRun run_;
    std::filesystem::path old_;
};

}  // namespace stagerun
