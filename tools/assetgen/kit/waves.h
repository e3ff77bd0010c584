// Writing a stage's waves in game frames and screen pixels, and reading them from the stage's waves file.
//
// Waves turns "this enemy enters on frame f with its centre at y" into the
// stage file's timeline position and row, with the game's own spawn
// arithmetic (stage/stage_format.h). A stage whose clock jumps, or that must
// leave stretches empty, derives from Waves and overrides ClockOf, FrameOf
// and Closed; its own placement helpers (standing on the ground, hanging
// from a roof) go in the same derived class.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core.h"
#include "stage.h"
#include "table.h"

namespace ag {

// A formation member: dt frames after the event, dy pixels below its row.
inline FormationMember M(int dt, int dy, int tmpl) { return FormationMember{true, dt, dy, tmpl}; }

class Waves {
public:
    explicit Waves(StageDesc& d, int shift = 4) : d(d), shift(shift) {}
    virtual ~Waves() = default;

    StageDesc& d;
    const int shift;   // a timeline position is 2^shift clock values

    // The stage clock on a game frame, and back (-1 for a clock value the
    // stage jumps over). Both are the identity unless the clock jumps.
    virtual int ClockOf(int frame) const { return frame; }
    virtual int FrameOf(int clock) const { return clock; }
    // Frames on which nothing may enter (a dive, the quiet before a boss).
    virtual bool Closed(int /*frame*/) const { return false; }

    int H(int tmpl) const { return d.templates[size_t(tmpl)].h; }
    // The first timeline position that fires on or after a game frame;
    // an error when either lies where nothing may enter.
    int Pos(int frame) const;
    static int Row(int y, int h) { return MenRowFor(y, h); }
    static int RowForTop(int top) { return MenRowForTop(top); }

    // One enemy entering on a frame with its centre at y.
    void One(int frame, int y, int tmpl, const char* note = "");
    // A formation, its rows counted for its first member's template; every
    // member must enter on a frame that is open.
    void Group(int frame, int y, int formation, const char* note = "");
    void DefineFormation(int index, const std::vector<FormationMember>& members, const std::string& note);

protected:
    void Refuse(const char* what, int frame) const;
};

// A stage's waves file ("stageN/waves.txt"), read into the stage file in the
// order its lines stand:
//   template NAME CELL TYPE HP METER SCORE   the next template slot, drawn by
//                                            CELL (or "CELL 0") of the stage's enemy sheet
//   formation NAME NOTE MEMBER...            the next formation; MEMBER is
//                                            TEMPLATE:DT:DY (frames after, pixels below)
//   one FRAME Y TEMPLATE [NOTE]              one enemy entering on FRAME, centre at Y
//   group FRAME Y FORMATION [NOTE]           a formation, its first member's centre at Y
//   boss FRAME Y TEMPLATE [NOTE]             as `one`, also where waves may not enter
// A stage's own kinds of entry (pieces standing on its ground, ...) come
// in `own`; they find their template with Template().
class WaveFile {
public:
    explicit WaveFile(Waves& w) : w(w) {}
    void Read(const std::string& name, const std::map<std::string, TableEntry>& own = {});
    // An entry "KEYWORD FRAME TEMPLATE [NOTE]": a piece entering on FRAME with
    // its centre at y(FRAME, h), h its template's height (standing on a
    // ground, hanging from a roof).
    TableEntry Placed(std::function<int(int frame, int h)> y);
    // The slot of the template named in field i of the line.
    int Template(const TableLine& l, size_t i) const;
    // The rectangle of the cell named in field i of a line (or of its
    // "NAME 0") on the enemy sheet of stage n.
    static Rect Cell(int n, const TableLine& l, size_t i);

private:
    Waves& w;
    std::map<std::string, int> templates, formations;
};

}  // namespace ag
