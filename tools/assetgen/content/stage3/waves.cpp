// Stage 3's waves: reads waves.txt into "men3.dat", with the ground pieces on their footings and in the rivers.
//
// The table (templates, formations, timeline and the boss's entry) is
// waves.txt; this file adds what only this stage does: ground pieces move
// with the half-rate ground layer, so they enter on a multiple of 16 frames,
// and the pieces standing on a footing also tell the scenery where to paint
// it (GroundSpots).
#include "kit.h"
#include "stage3.h"

namespace {

using namespace ag;
using stage3::Footing;

const char* const kTable = "stage3/waves.txt";

// The entry frame of a ground piece, which must lie on the 16-frame grid.
int GroundFrame(const TableLine& l) {
    int frame = l.Int(1);
    if (frame % 16 != 0) l.Refuse(Format("a ground piece at frame %d is off the 16-frame grid", frame));
    return frame;
}

// "stand FRAME TEMPLATE TOP FOOTING HALF [NOTE]": the footing's kind and flat top.
stage3::GroundSpot Stand(const TableLine& l, int enemyW) {
    l.Expect(5, 6);
    static const std::map<std::string, Footing> kinds = {
        {"stump", Footing::Stump}, {"rock", Footing::Rock}, {"log", Footing::Log}};
    auto k = kinds.find(l.Text(4));
    if (k == kinds.end()) l.Refuse("footing '" + l.Text(4) + "' is none of stump, rock, log");
    return stage3::GroundSpot{GroundFrame(l), enemyW, l.Int(3), k->second, l.Int(5)};
}

}  // namespace

namespace stage3 {

const std::vector<GroundSpot>& GroundSpots() {
    static const std::vector<GroundSpot> spots = [] {
        std::vector<GroundSpot> v;
        std::map<std::string, int> widths;   // of each template's cell
        ReadEntries(kTable, {{"template", [&](const TableLine& l) { widths[l.Text(1)] = WaveFile::Cell(3, l, 2).W(); }},
                             {"stand", [&](const TableLine& l) { v.push_back(Stand(l, widths[l.Text(2)])); }},
                             {"*", [](const TableLine&) {}}});
        return v;
    }();
    return spots;
}

}  // namespace stage3

AG_REGISTER(RegisterStage3Waves) {
    AddStagePart(3, "waves", [](StageDesc& d) {
        Waves w(d);
        WaveFile file(w);
        file.Read(kTable, {{"stand", [&](const TableLine& l) {
                                int t = file.Template(l, 2);
                                stage3::GroundSpot s = Stand(l, w.d.templates[size_t(t)].w);
                                w.One(s.frame, s.top - w.H(t) / 2, t, l.Text(6).c_str());
                            }},
                           {"swim", [&](const TableLine& l) {
                                l.Expect(3, 4);
                                w.One(GroundFrame(l), l.Int(3), file.Template(l, 2), l.Text(4).c_str());
                            }}});
    });
}
