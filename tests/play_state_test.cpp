// Snapshots of the play state: at points along each stage (a pilot that
// cannot be hurt, test only, flies it in the real outer loop), save the whole
// play state and the frame, play N frames, restore, play the same N again:
// the same frames and state hashes. The same N frames played ahead (nothing
// drawn) end in the same state too.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "stage_run_fixture.h"
#include "state/play_state.h"

namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr long kStageFrames = 1500, kEvery = 75;  // the sanitizers: the first part of each stage
#else
constexpr long kStageFrames = 8600, kEvery = 320;
#endif
constexpr int kSpan = 24;

struct Log {
    int stage = 0, titles = 0;
    long frames = 0;
    int points = 0, techniques = 0;
    double saveUs = 0, restoreUs = 0;
};
Log slog;

// One pass of the game frame: a well-armed craft, and (test only) no bullet
// or enemy can hit it this frame. False when no play frame ran (the gate was
// still shut).
bool ArmedFrame() {
    const long before = playFramesRun;
    if (playFramesRun == 0) {
        GameState.shotLv = 2;
        GameState.option = 3;
    }
    if (invincible == 0) invincible = 1;
    GameFrame();
    return playFramesRun != before;
}

// Towards the first live enemy's row, the gauge held in long stretches so
// techniques are released along the way.
int Pilot() {
    int y = 120;
    for (const TekiRecord& t : Teki)
        if (t.active == 1) {
            y = t.y;
            break;
        }
    y = std::clamp(y, 40, 200);
    int key = IN_B1;
    if (GameState.playerY > y + 2) key |= IN_UP;
    if (GameState.playerY < y - 2) key |= IN_DOWN;
    if (GameState.playerX < 76) key |= IN_RIGHT;
    if (GameState.playerX > 84) key |= IN_LEFT;
    if ((menFrame / 90) % 3 != 0) key |= IN_B2;
    return key;
}

uint64_t PixelHash() {
    uint64_t h = 0xcbf29ce484222325ull;
    for (uint16_t p : WorkSurface->pixels) h = (h ^ p) * 0x100000001b3ull;
    return h;
}

struct Trace {
    std::vector<uint64_t> state, pixels;
};

// N frames as the game runs them (the gate opened by a virtual 16 ms), or
// played ahead; stops where the game is over, as play does.
Trace Play(bool shown) {
    Trace t;
    for (int i = 0; i < kSpan && gameOverFlag == 0; i++) {
        if (invincible == 0) invincible = 1;
        if (shown) {
            plat::Sleep(16);
            GameFrame();
            t.pixels.push_back(PixelHash());
        } else {
            LookAheadFrame();
        }
        t.state.push_back(playstate::Hash());
    }
    return t;
}

void CheckPoint() {
    using Clock = std::chrono::steady_clock;
    playstate::Snapshot s;
    auto t0 = Clock::now();
    playstate::Save(s, true);
    auto t1 = Clock::now();
    const int waza = wazaOn;
    Trace first = Play(true);
    auto t2 = Clock::now();
    playstate::Restore(s);
    auto t3 = Clock::now();
    Trace again = Play(true);
    playstate::Restore(s);
    Trace ahead = Play(false);
    playstate::Restore(s);
    slog.techniques += waza;
    slog.saveUs += std::chrono::duration<double, std::micro>(t1 - t0).count();
    slog.restoreUs += std::chrono::duration<double, std::micro>(t3 - t2).count();
    slog.points++;
    EXPECT_EQ(first.pixels, again.pixels) << "stage " << slog.stage << " frame " << slog.frames;
    EXPECT_EQ(first.state, again.state) << "stage " << slog.stage << " frame " << slog.frames;
    EXPECT_EQ(first.state, ahead.state) << "stage " << slog.stage << " frame " << slog.frames;
}

void SnapFrame() {
    if (!ArmedFrame()) return;
    const long n = ++slog.frames;
    if (n % kEvery == 0 && gameOverFlag == 0 && clearFlag == 0) CheckPoint();
    if (n >= kStageFrames) quitFlag = 1;
}

int TitleOnce() { return ++slog.titles == 1 ? 0 : 1; }
int CharselAt() {
    stageNo = slog.stage;
    return 0;
}
void NoStageEnd() {}

class PlayStateSnapshots : public stagerun::StageRunTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        slog = Log{};
        slog.stage = GetParam();
        char men[16];
        std::snprintf(men, sizeof men, "men%d.dat", slog.stage);
        StartRun(men, 77u + unsigned(slog.stage), {Pilot, TitleOnce, SnapFrame, NoStageEnd, CharselAt});
    }
    void TearDown() override { EndRun(); }
};

TEST_P(PlayStateSnapshots, PlayingOnFromASnapshotRepeatsFramesAndState) {
    OuterLoop();
    std::printf("stage %d: %d snapshot points over %ld frames (a technique running at %d); %zu bytes, "
                "save %.1f us, restore %.1f us\n",
                slog.stage, slog.points, slog.frames, slog.techniques, playstate::TotalBytes(),
                slog.saveUs / std::max(1, slog.points), slog.restoreUs / std::max(1, slog.points));
    EXPECT_GE(slog.points, int(kStageFrames / kEvery) - 2);
}

INSTANTIATE_TEST_SUITE_P(Stages, PlayStateSnapshots, ::testing::Values(1, 2, 3, 4, 5));

}  // namespace
