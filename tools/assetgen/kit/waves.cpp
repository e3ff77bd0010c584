// The wave helpers: events placed by game frame and screen position, and the reader of a stage's waves file.
#include "waves.h"

#include "registry.h"


namespace ag {

namespace {

// A template for the enemy drawn in the sheet rectangle r.
EnemyTemplate TemplateAt(Rect r, int type, int hp, int meter, int score, const std::string& note) {
    return EnemyTemplate{true, r.l, r.t, r.W(), r.H(), hp, meter, score, type, note};
}

}  // namespace

void Waves::Refuse(const char* what, int frame) const {
    Fail(Format("men%d.dat waves: %s placed at frame %d enters where nothing may", d.stage, what, frame));
}

int Waves::Pos(int frame) const {
    int pos = MenPosFor(ClockOf(frame), shift);
    // It fires on the frame or up to one step later: neither may be closed.
    if (Closed(frame) || Closed(FrameOf(MenClockOf(pos, shift)))) Refuse("an event", frame);
    return pos;
}

void Waves::One(int frame, int y, int tmpl, const char* note) { d.Single(Pos(frame), Row(y, H(tmpl)), tmpl, note); }

void Waves::Group(int frame, int y, int formation, const char* note) {
    const Formation& f = d.formations[size_t(formation)];
    int pos = Pos(frame);
    for (const FormationMember& m : f.m)
        if (m.present && Closed(FrameOf(MenClockOf(pos, shift) + m.dt)))
            Refuse(Format("a member of formation %d", formation).c_str(), frame);
    d.Group(pos, Row(y, H(f.m[0].tmpl)), formation, note);
}

void Waves::DefineFormation(int index, const std::vector<FormationMember>& members, const std::string& note) {
    Formation& f = d.formations[size_t(index)];
    if (members.size() > f.m.size()) Fail(Format("men%d.dat: formation %d has too many members", d.stage, index));
    size_t j = 0;
    for (const FormationMember& m : members)
        if (j < f.m.size()) f.m[j++] = m;
    f.note = note;
}

int WaveFile::Template(const TableLine& l, size_t i) const {
    auto t = templates.find(l.Text(i));
    if (t == templates.end()) l.Refuse("no template named '" + l.Text(i) + "'");
    return t->second;
}

TableEntry WaveFile::Placed(std::function<int(int, int)> y) {
    return [this, y](const TableLine& l) {
        l.Expect(2, 3);
        int frame = l.Int(1), t = Template(l, 2);
        w.One(frame, y(frame, w.H(t)), t, l.Text(3).c_str());
    };
}

Rect WaveFile::Cell(int n, const TableLine& l, size_t i) {
    const std::string sheet = Format("stage%d_en.bmp", n);
    const CellSpec* c = FindCell(sheet, l.Text(i));
    if (!c) c = FindCell(sheet, CellName(l.Text(i), 0));
    if (!c) l.Refuse("no cell '" + l.Text(i) + "' on " + sheet);
    return c->r;
}

void WaveFile::Read(const std::string& name, const std::map<std::string, TableEntry>& own) {
    std::map<std::string, TableEntry> entries = own;
    entries["template"] = [this](const TableLine& l) {
        l.Expect(6, 6);
        Rect r = Cell(w.d.stage, l, 2);
        size_t slot = templates.size();
        if (slot >= w.d.templates.size()) l.Refuse("more templates than the stage file holds");
        if (!templates.emplace(l.Text(1), int(slot)).second) l.Refuse("a second template named '" + l.Text(1) + "'");
        w.d.templates[slot] = TemplateAt(r, l.Int(3), l.Int(4), l.Int(5), l.Int(6), l.Text(2));
    };
    entries["formation"] = [this](const TableLine& l) {
        l.Expect(3, 2 + w.d.formations[0].m.size());
        size_t slot = formations.size();
        if (slot >= w.d.formations.size()) l.Refuse("more formations than the stage file holds");
        std::vector<FormationMember> members;
        for (size_t i = 3; i < l.fields.size(); i++) {
            const std::string& m = l.fields[i];
            size_t a = m.find(':'), b = m.find(':', a == std::string::npos ? a : a + 1);
            if (b == std::string::npos) l.Refuse("member '" + m + "' is not TEMPLATE:DT:DY");
            TableLine parts{l.where, {m.substr(0, a), m.substr(a + 1, b - a - 1), m.substr(b + 1)}};
            members.push_back(FormationMember{true, parts.Int(1), parts.Int(2), Template(parts, 0)});
        }
        if (!formations.emplace(l.Text(1), int(slot)).second) l.Refuse("a second formation named '" + l.Text(1) + "'");
        w.DefineFormation(int(slot), members, l.Text(2));
    };
    entries["one"] = [this](const TableLine& l) {
        l.Expect(3, 4);
        w.One(l.Int(1), l.Int(2), Template(l, 3), l.Text(4).c_str());
    };
    entries["group"] = [this](const TableLine& l) {
        l.Expect(3, 4);
        auto f = formations.find(l.Text(3));
        if (f == formations.end()) l.Refuse("no formation named '" + l.Text(3) + "'");
        w.Group(l.Int(1), l.Int(2), f->second, l.Text(4).c_str());
    };
    entries["boss"] = [this](const TableLine& l) {
        l.Expect(3, 4);
        int t = Template(l, 3);
        w.d.Single(MenPosFor(w.ClockOf(l.Int(1)), w.shift), Waves::Row(l.Int(2), w.H(t)), t, l.Text(4));
    };
    ReadEntries(name, entries);
}

}  // namespace ag
