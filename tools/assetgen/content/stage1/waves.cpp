// Stage 1's waves: reads waves.txt into "men1.dat", with the dive's jumping clock and the valley floor.
//
// The table (templates, formations, timeline and the boss's entry) is
// waves.txt; this file adds what only this stage does: at frame 5440 the view
// dives through the clouds and the stage clock jumps by 640, so nothing may
// enter near the dive, and ground pieces stand on the valley floor.
#include "kit.h"

namespace {

using namespace ag;

// The dive starts on this game frame; the clock then runs 640 ahead.
constexpr int kDiveFrame = 5440, kDiveJump = 640;
constexpr int kDiveEnd = kDiveFrame + 240;
// Top of the valley floor on screen, below the clouds.
constexpr int kGroundY = 208;

// The dive: nothing may enter near it, and the clock jumps over it.
struct Stage1Waves : Waves {
    using Waves::Waves;
    int ClockOf(int frame) const override { return frame < kDiveFrame ? frame : frame + kDiveJump; }
    int FrameOf(int clock) const override {
        return clock < kDiveFrame ? clock : clock < kDiveFrame + kDiveJump ? -1 : clock - kDiveJump;
    }
    bool Closed(int frame) const override { return frame < 0 || (frame >= kDiveFrame - 40 && frame < kDiveEnd + 40); }
};

}  // namespace

AG_REGISTER(RegisterStage1Waves) {
    AddStagePart(1, "waves", [](StageDesc& d) {
        Stage1Waves w(d);
        WaveFile file(w);
        file.Read("stage1/waves.txt", {{"ground", file.Placed([](int, int h) { return kGroundY - h / 2; })}});
    });
}
