// Stage 5's waves: reads waves.txt into "men5.dat", with the emplacements standing on and hanging from the terrain.
//
// The table (templates, formations, timeline and the two bosses' entries) is
// waves.txt; this file adds what only this stage does: an emplacement is
// placed by terrain column, since the terrain moves one pixel a frame as the
// ground pieces do, and an event at position m puts a 32-pixel piece across
// columns m - 1 and m, which must both have the floor (or ceiling) it needs.
#include "kit.h"
#include "stage5.h"

namespace {

using namespace ag;

// "ground COLUMN TEMPLATE [NOTE]" and "hang COLUMN TEMPLATE [NOTE]".
struct Emplacement {
    Waves& w;
    WaveFile& file;
    bool hanging;
    void operator()(const TableLine& l) const {
        l.Expect(2, 3);
        int m = l.Int(1), t = file.Template(l, 2), top;
        if (hanging) {
            int c = stage5::CeilingBottom(m);
            if (c < 0 || stage5::CeilingBottom(m - 1) != c) l.Refuse(Format("no ceiling at column %d", m));
            top = 16 * (c + 1);
        } else {
            int f = stage5::FloorTop(m);
            if (f > 12 || stage5::FloorTop(m - 1) != f) l.Refuse(Format("no floor at column %d", m));
            top = 16 * f - w.H(t);
        }
        w.d.Single(m, Waves::RowForTop(top), t, l.Text(3));
    }
};

}  // namespace

AG_REGISTER(RegisterStage5Waves) {
    AddStagePart(5, "waves", [](StageDesc& d) {
        Waves w(d);
        WaveFile file(w);
        file.Read("stage5/waves.txt", {{"ground", Emplacement{w, file, false}}, {"hang", Emplacement{w, file, true}}});
    });
}
