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

// Nothing enters in the quiet before the boss; ground pieces stand on a row.
struct Stage2Waves : Waves {
    using Waves::Waves;
    bool Closed(int frame) const override { return frame >= kQuietFrom; }
    // A piece standing on a ground row, which must be under it all the way
    // across the screen.
    void On(Ground g, int frame, int tmpl, const std::string& note) {
        bool ok = g == Ground::Upper ? frame <= kUpperUntil : (frame >= kLowerFrom && frame <= kLowerUntil);
        if (!ok) Fail(Format("men2.dat waves: a ground piece at frame %d has no ground under it", frame));
        int top = (g == Ground::Upper ? kUpperTop : kLowerTop) - H(tmpl);
        d.Single(Pos(frame), RowForTop(top), tmpl, note);
    }
};

}  // namespace

AG_REGISTER(RegisterStage2Waves) {
    AddStagePart(2, "waves", [](StageDesc& d) {
        Stage2Waves w(d);
        WaveFile file(w);
        auto on = [&](Ground g) {
            return [&, g](const TableLine& l) {
                l.Expect(2, 3);
                w.On(g, l.Int(1), file.Template(l, 2), l.Text(3));
            };
        };
        file.Read("stage2/waves.txt", {{"upper", on(Ground::Upper)}, {"lower", on(Ground::Lower)}});
    });
}
