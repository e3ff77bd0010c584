// Stage 2's waves: reads waves.txt into "men2.dat", with the quiet before the Sea Gate and the two ground rows.
//
// The table (templates, formations, timeline and the Sea Gate's entry) is
// waves.txt; this file adds what only this stage does: nothing enters from
// frame 9700 until the boss, and ground pieces stand on the street (upper
// row) or on the canal quay (lower row), each only where its row runs.
#include "kit.h"

namespace {

using namespace ag;

constexpr int kQuietFrom = 9700;
// Ground rows: the upper street holds ground enemies spawned up to this frame
// (later ones would meet its cut end); the lower quay holds those spawned in
// this window (earlier ones would slide past its start, later ones off its end).
constexpr int kUpperUntil = 4400;
constexpr int kLowerFrom = 4864, kLowerUntil = 6336;
constexpr int kUpperTop = 192, kLowerTop = 208;   // where a ground piece's feet stand

enum class Ground { Upper, Lower };

// Nothing enters in the quiet before the boss.
struct Stage2Waves : Waves {
    using Waves::Waves;
    bool Closed(int frame) const override { return frame >= kQuietFrom; }
};

// The centre of a piece of height h standing on a ground row, which must be
// under it all the way across the screen.
int OnGround(Ground g, int frame, int h) {
    bool ok = g == Ground::Upper ? frame <= kUpperUntil : (frame >= kLowerFrom && frame <= kLowerUntil);
    if (!ok) Fail(Format("men2.dat waves: a ground piece at frame %d has no ground under it", frame));
    return (g == Ground::Upper ? kUpperTop : kLowerTop) - h + h / 2;
}

}  // namespace

AG_REGISTER(RegisterStage2Waves) {
    AddStagePart(2, "waves", [](StageDesc& d) {
        Stage2Waves w(d);
        WaveFile file(w);
        file.Read("stage2/waves.txt",
                  {{"upper", file.Placed([](int frame, int h) { return OnGround(Ground::Upper, frame, h); })},
                   {"lower", file.Placed([](int frame, int h) { return OnGround(Ground::Lower, frame, h); })}});
    });
}
