// The wave helpers: templates from a sprite table and events placed by game frame and screen position.
#include "waves.h"


namespace ag {

void Templates(StageDesc& d, std::span<const Sprite> sprites, std::span<const TemplateDef> defs) {
    if (defs.size() > d.templates.size()) Fail(Format("men%d.dat: more templates than the file holds", d.stage));
    for (size_t i = 0; i < defs.size() && i < d.templates.size(); i++) {
        const TemplateDef& t = defs[i];
        Rect r = FindSprite(sprites, t.sprite);
        d.templates[i] = TemplateAt(r, t.type, t.hp, t.meter, t.score, t.sprite);
    }
}

EnemyTemplate TemplateAt(Rect r, int type, int hp, int meter, int score, const std::string& note) {
    return EnemyTemplate{true, r.l, r.t, r.W(), r.H(), hp, meter, score, type, note};
}

int AddBoss(StageDesc& d, const EnemyTemplate& t, int pos, int row, const std::string& note) {
    for (size_t i = 0; i < d.templates.size(); i++)
        if (!d.templates[i].used) {
            d.templates[i] = t;
            d.Single(pos, row, int(i), note);
            return int(i);
        }
    Fail(Format("men%d.dat: no free template for the boss", d.stage));
    return -1;
}

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

void Waves::DefineFormation(int index, std::initializer_list<FormationMember> members, const char* note) {
    Formation& f = d.formations[size_t(index)];
    if (members.size() > f.m.size()) Fail(Format("men%d.dat: formation %d has too many members", d.stage, index));
    size_t j = 0;
    for (const FormationMember& m : members)
        if (j < f.m.size()) f.m[j++] = m;
    f.note = note;
}

}  // namespace ag
