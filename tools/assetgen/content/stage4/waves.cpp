// Stage 4's waves: reads waves.txt into "men4.dat", with the clock that jumps at the two dives, the roof and the floor.
//
// The table (templates, formations, timeline and the boss's entry) is
// waves.txt; this file adds what only this stage does: its clock counts
// 32-frame steps and jumps at each dive, where nothing may enter, and pieces
// hang from the roof or stand on the floor.
#include "kit.h"
#include "stage4.h"

namespace {

using namespace ag;
using namespace stage4;

// The stage clock counts 32-frame steps and jumps at each dive, where
// nothing may enter.
struct Stage4Waves : Waves {
    explicit Stage4Waves(StageDesc& d) : Waves(d, 5) {}
    int ClockOf(int frame) const override {
        return frame < kDive1End - 1 ? frame : frame < kDive2End - 1 ? frame + kJump1 : frame + kJump1 + kJump2;
    }
    int FrameOf(int clock) const override {
        if (clock < kDive1End - 1) return clock;
        if (clock < kDive1End - 1 + kJump1) return -1;
        if (clock < kDive2End - 1 + kJump1) return clock - kJump1;
        if (clock < kDive2End - 1 + kJump1 + kJump2) return -1;
        return clock - kJump1 - kJump2;
    }
    // The dives, with a margin either side.
    bool Closed(int frame) const override {
        return frame < 0 || (frame >= kDive1Frame - 40 && frame < kDive1End + 60) ||
               (frame >= kDive2Frame - 40 && frame < kDive2End + 60);
    }
};

}  // namespace

AG_REGISTER(RegisterStage4Waves) {
    AddStagePart(4, "waves", [](StageDesc& d) {
        Stage4Waves w(d);
        WaveFile file(w);
        // A piece hanging from the roof (top edge at the screen's top) or
        // standing on the floor (bottom edge at y = 232).
        file.Read("stage4/waves.txt", {{"hang", file.Placed([](int, int h) { return h / 2; })},
                                       {"floor", file.Placed([](int, int h) { return 232 - h / 2; })}});
    });
}
