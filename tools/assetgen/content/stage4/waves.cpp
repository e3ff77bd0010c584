// Stage 4's waves: templates, formations, timeline and the boss's entry in "men4.dat".
//
// Stage 4's waves: the enemy templates, formations and timeline of
// "men4.dat" (its "waves" part; the map and the boss are other parts).
//
// The stage clock here counts in 32-frame steps. The cave runs in three
// stretches: the upper cave (frames 0..1560), a dive down a shaft, the lower
// cave (frames 1900..6560), a second dive, and the deepest cave (frames
// 6940..8060), then a quiet moment before the boss rises as the scroll stops.
// Nothing is timed inside a dive. Flyers come one kind at a time and harmless
// ones first; the hanging turrets cling to the roof and the moles and geodes
// sit on the floor; where the crystal walls close in the waves thin out.
#include <initializer_list>
#include <string>

#include "kit.h"
#include "stage4.h"

namespace {

using namespace ag;
using namespace stage4;

enum Tmpl : int {
    MOTH, BAT, JELLY, WISP, DRILL, BUG, SLIME, DROPPER, BEETLE, WHEEL, FISH, GEODE, SLANT, FLOWER, MOLE,
    kTmplCount
};

const TemplateDef kTemplates[kTmplCount] = {
    {"moth", 11, 2, 1, 100},     {"bat", 40, 2, 1, 100},      {"jelly", 13, 3, 1, 150},
    {"wisp", 12, 3, 1, 150},     {"drill", 51, 4, 2, 200},    {"bug", 53, 2, 1, 100},
    {"slime", 16, 4, 1, 150},    {"dropper", 50, 3, 1, 150},  {"beetle", 21, 8, 2, 300},
    {"wheel", 30, 12, 3, 500},   {"fish", 31, 6, 2, 300},     {"geode", 45, 30, 3, 400},
    {"slant", 54, 14, 3, 500},   {"flower", 24, 16, 3, 500},  {"mole", 55, 8, 2, 400},
};

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
    // Hanging from the roof, top edge at the screen's top.
    void Hang(int frame, int tmpl, const char* note = "") { One(frame, H(tmpl) / 2, tmpl, note); }
    // Standing on the floor, bottom edge at y = 232.
    void Floor(int frame, int tmpl, const char* note = "") { One(frame, 232 - H(tmpl) / 2, tmpl, note); }
};

void Formations(Stage4Waves& w) {
    w.DefineFormation(0, {M(0, 0, BAT), M(14, 0, BAT), M(28, 0, BAT), M(42, 0, BAT), M(56, 0, BAT)}, "bat train");
    w.DefineFormation(1, {M(0, 0, WISP), M(20, 24, WISP), M(40, 48, WISP), M(60, 24, WISP), M(80, 0, WISP)},
                      "spirit chevron (they enter on even columns, so they fire)");
    w.DefineFormation(2, {M(0, 0, MOTH), M(0, 36, MOTH), M(0, 72, MOTH), M(0, 108, MOTH), M(0, 144, MOTH)},
                      "a curtain of moths");
    w.DefineFormation(3, {M(0, 0, DRILL), M(24, 0, DRILL), M(48, 0, DRILL)}, "drill fish trio");
    w.DefineFormation(4, {M(0, 0, FISH), M(24, 0, FISH), M(48, 0, FISH), M(72, 0, FISH)}, "lantern fish school");
    w.DefineFormation(5, {M(0, 0, BUG), M(8, 18, BUG), M(16, 36, BUG), M(24, 54, BUG), M(32, 72, BUG), M(40, 90, BUG)},
                      "lantern bug stair");
    w.DefineFormation(6, {M(0, 0, JELLY), M(16, 150, JELLY), M(32, 0, JELLY), M(48, 150, JELLY)},
                      "jellies from roof and floor");
    w.DefineFormation(7, {M(0, 0, BEETLE), M(20, 40, BEETLE), M(40, 80, BEETLE)}, "beetle trio");
    w.DefineFormation(8, {M(0, 0, SLIME), M(30, 0, SLIME), M(60, 0, SLIME)}, "slime train");
    w.DefineFormation(9, {M(0, 0, WHEEL), M(40, 110, WHEEL)}, "prism wheels above and below");
}

void UpperCave(Stage4Waves& w) {
    w.One(60, 60, MOTH, "first drifters: they never shoot");
    w.One(90, 100, MOTH);
    w.One(120, 140, MOTH);
    w.One(180, 200, MOTH);
    w.One(250, 180, MOTH);
    w.One(270, 140, MOTH);
    w.One(290, 100, MOTH);
    w.One(340, 40, MOTH);
    w.Group(420, 60, 0, "bat train, high (the first crystal walls close in)");
    w.One(560, 60, JELLY, "jellies drift across the middle");
    w.One(600, 180, JELLY);
    w.Hang(700, DROPPER, "living stalactites drop when the player passes under");
    w.Hang(740, DROPPER);
    w.Hang(780, DROPPER);
    w.Group(860, 40, 2, "a curtain of moths");
    w.One(980, 80, WISP, "spirits that never shoot");
    w.One(1010, 160, WISP);
    w.One(1080, 40, BUG, "lantern bugs dip and climb");
    w.One(1100, 60, BUG);
    w.Floor(1160, MOLE, "a mole pops up, throws and ducks");
    w.Group(1220, 170, 0, "bat train, low");
    w.One(1260, 60, JELLY);
    w.Hang(1300, SLANT, "a hanging eye sprays darts below it");
    w.One(1380, 100, JELLY);
    w.One(1420, 60, MOTH);
    w.One(1450, 180, MOTH);
    w.One(1500, 120, MOTH, "last drifter before the first dive");
}

void LowerCave(Stage4Waves& w) {
    w.One(1920, 80, MOTH, "the lower cave");
    w.One(1940, 160, MOTH);
    w.Group(2000, 120, 0, "bat train");
    w.One(2040, 40, MOTH);
    w.Group(2100, 40, 3, "drill fish lock on when level with the player");
    w.One(2150, 200, BAT);
    w.Hang(2200, DROPPER);
    w.Hang(2230, DROPPER);
    w.Group(2260, 200, 8, "crystal slimes bounce along the floor");
    w.One(2380, 60, JELLY);
    w.Floor(2450, GEODE, "geodes on the near floor: shoot them or fly over");
    w.Group(2520, 20, 5, "lantern bug stair");
    w.One(2600, 70, BEETLE, "gem beetles fire once and speed off");
    w.One(2630, 150, BEETLE);
    w.Hang(2700, SLANT);
    w.One(2760, 40, MOTH);
    w.One(2780, 200, MOTH);
    w.Floor(2850, MOLE);
    w.Group(2920, 50, 1, "spirit chevron: aimed shots");
    w.One(3000, 200, MOTH);
    w.Hang(3040, FLOWER, "a crystal flower fires five ways");
    w.One(3100, 20, DRILL);
    w.One(3140, 20, DRILL);
    w.Group(3200, 100, 0, "bats down the crystal corridor");
    w.Floor(3300, GEODE);
    w.One(3420, 30, BAT);
    w.Group(3360, 20, 6, "jellies from roof and floor");
    w.Group(3460, 60, 4, "lantern fish: one orb each");
    w.Hang(3560, DROPPER, "stalactites over the high passage");
    w.Hang(3600, DROPPER);
    w.Hang(3640, DROPPER);
    w.One(3700, 120, BEETLE);
    w.Group(3780, 40, 2, "a curtain of moths");
    w.Floor(3860, MOLE);
    w.Floor(3900, MOLE);
    w.One(3960, 40, BUG, "light traffic through the crystal garden");
    w.One(4000, 200, BUG);
    w.One(4040, 40, BUG);
    w.One(4100, 110, WISP);
    w.One(4150, 130, WISP);
    w.One(4200, 40, JELLY);
    w.Group(4240, 60, 9, "prism wheels loop and ring");
    w.Group(4380, 200, 8, "slime train");
    w.Hang(4440, SLANT);
    w.Floor(4480, GEODE);
    w.Group(4560, 170, 4, "lantern fish, low");
    w.One(4620, 200, BAT);
    w.Group(4660, 30, 3, "drill fish trio");
    w.Hang(4760, FLOWER);
    w.One(4800, 60, JELLY);
    w.One(4830, 180, JELLY);
    w.Group(4900, 90, 0, "bats down the sloping corridor");
    w.One(5000, 110, BEETLE);
    w.One(5060, 150, MOTH);
    w.One(5080, 170, MOTH);
    w.Floor(5140, MOLE);
    w.Group(5200, 120, 1, "spirit chevron");
    w.One(5240, 40, MOTH);
    w.One(5280, 60, WHEEL);
    w.Hang(5330, DROPPER);
    w.Hang(5360, DROPPER);
    w.Group(5440, 20, 5, "lantern bug stair");
    w.Floor(5520, GEODE);
    w.One(5600, 60, FISH);
    w.One(5640, 180, FISH);
    w.One(5660, 110, BAT);
    w.Hang(5700, SLANT);
    w.Group(5760, 40, 7, "beetle trio");
    w.One(5850, 100, MOTH);
    w.One(5880, 130, MOTH);
    w.One(5960, 20, DRILL);
    w.One(5990, 20, DRILL);
    w.One(6000, 120, JELLY);
    w.Floor(6060, MOLE);
    w.Floor(6100, MOLE);
    w.One(6140, 180, WHEEL);
    w.One(6200, 60, WHEEL);
    w.Group(6260, 60, 0, "bat train");
    w.Group(6300, 20, 6, "jellies from roof and floor");
    w.Hang(6380, FLOWER);
    w.One(6420, 200, SLIME);
    w.One(6440, 40, BUG);
    w.One(6480, 100, MOTH, "last drifters before the second dive");
    w.One(6500, 140, MOTH);
}

void DeepestCave(Stage4Waves& w) {
    w.Group(6960, 120, 0, "the deepest cave");
    w.One(7000, 200, MOTH);
    w.Hang(7040, SLANT);
    w.Floor(7080, MOLE);
    w.Group(7140, 30, 3, "drill fish trio");
    w.One(7180, 180, JELLY);
    w.Group(7220, 60, 4, "lantern fish school");
    w.Floor(7300, GEODE);
    w.One(7360, 60, JELLY);
    w.One(7420, 170, BEETLE);
    w.One(7450, 70, BEETLE);
    w.One(7480, 120, BAT);
    w.Hang(7520, DROPPER);
    w.Hang(7550, DROPPER);
    w.Hang(7580, DROPPER);
    w.Group(7620, 60, 9, "prism wheels");
    w.One(7700, 40, MOTH);
    w.Group(7740, 80, 1, "spirit chevron");
    w.Group(7820, 20, 5, "lantern bug stair");
    w.One(7860, 150, WISP);
    w.Hang(7880, FLOWER);
    w.Floor(7900, MOLE);
    w.Group(7960, 200, 8, "slime train");
    w.One(8020, 80, MOTH, "last wave; then the cave falls quiet");
    w.One(8040, 160, MOTH);
}

}  // namespace

AG_REGISTER(RegisterStage4Waves) {
    AddStagePart(4, "waves", [](StageDesc& d) {
        Templates(d, stage4::EnemySprites(), kTemplates);
        Stage4Waves w(d);
        Formations(w);
        UpperCave(w);
        LowerCave(w);
        DeepestCave(w);
        // The Geode Colossus rises as the scroll stops (frame 8387), after a
        // quiet stretch; its heart and the Queen's scene come with it.
        d.templates[size_t(kTmplCount)] = TemplateAt(stage4::BossBody(), 48, 1000, 0, 0, "Geode Colossus");
        w.One(kStopFrame + 10, 120, kTmplCount, "the Geode Colossus, as the scroll stops");
    });
}
