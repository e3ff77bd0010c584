// Stage 5's waves: templates, formations and the timeline of "men5.dat".
//
// The stage scrolls two pixels a frame and stops on frame 7673; its terrain
// moves one pixel a frame, as the ground pieces do, so an emplacement put on
// terrain column m stands on it: a single event at position m puts a 32-pixel
// piece across columns m - 1 and m. Flyers teach first over the open sea,
// the rock then adds pylons, harpoons and hanging guns, a cave squeezes the
// flyers into its passage, the Gale Ram fights over open sea in the middle
// of the stage (with quiet before it), the fortress's outworks bristle with
// guns, and after a last quiet stretch the Tempest Roc arrives as the scroll
// stops, with a few flights of escorts if the fight drags on.
#include <string>

#include "kit.h"
#include "stage5.h"

namespace {

using namespace ag;

enum Tmpl : int {
    SQUALL, GULL, WISP, KITE, DART, JELLY, IMP, FISH, WHIRL, MANTA, HARPOON, ROD, GUN, PYLON, MINE,
    RAM, ROC, kTmplCount
};

const TemplateDef kTemplates[kTmplCount - 2] = {
    {"squall", 11, 2, 1, 100},     {"gull", 40, 2, 1, 100},        {"spark wisp", 12, 3, 1, 150},
    {"kite", 18, 3, 1, 200},       {"volt dart", 51, 4, 2, 200},   {"rain jelly", 13, 3, 1, 150},
    {"thunder imp", 20, 8, 2, 300}, {"flying fish", 31, 6, 2, 300}, {"whirl", 30, 12, 3, 500},
    {"manta", 19, 4, 1, 200},      {"harpoon", 35, 14, 3, 400},    {"rod turret", 24, 16, 3, 500},
    {"hanging gun", 54, 14, 3, 500}, {"pylon", 45, 12, 1, 150},    {"storm mine", 47, 20, 3, 600},
};

// The Gale Ram's and the Tempest Roc's templates.
constexpr int kRamHp = 300, kRocHp = 700;
constexpr int kRamFrame = 3350;     // over open sea, after a quiet stretch
constexpr int kRocPos = 502;        // on frame 7712, as the scroll stops at 7673

// Emplacements stand on the terrain: an event at position m puts a
// 32-pixel piece across terrain columns m - 1 and m.
struct Stage5Waves : Waves {
    using Waves::Waves;
    // On the floor of columns m - 1 and m.
    void Ground(int m, int tmpl, const char* note = "") {
        int f = stage5::FloorTop(m);
        if (f > 12 || stage5::FloorTop(m - 1) != f) {
            Fail(Format("men5.dat: no floor for a ground piece at column %d", m));
            return;
        }
        d.Single(m, RowForTop(16 * f - H(tmpl)), tmpl, note);
    }
    // Hanging from the ceiling of columns m - 1 and m.
    void Hang(int m, int tmpl, const char* note = "") {
        int c = stage5::CeilingBottom(m);
        if (c < 0 || stage5::CeilingBottom(m - 1) != c) {
            Fail(Format("men5.dat: no ceiling for a hanging piece at column %d", m));
            return;
        }
        d.Single(m, RowForTop(16 * (c + 1)), tmpl, note);
    }
};

void Formations(Stage5Waves& w) {
    w.DefineFormation(0, {M(0, 0, GULL), M(14, 0, GULL), M(28, 0, GULL), M(42, 0, GULL), M(56, 0, GULL)}, "gull train");
    w.DefineFormation(1, {M(0, 0, WISP), M(20, 24, WISP), M(40, 48, WISP), M(60, 24, WISP), M(80, 0, WISP)},
                      "spark wisp chevron (these fire: they enter on even columns)");
    w.DefineFormation(2, {M(0, 0, KITE), M(10, 10, KITE), M(20, 20, KITE), M(30, 30, KITE)}, "kite swoop");
    w.DefineFormation(3, {M(0, 0, FISH), M(24, 0, FISH), M(48, 0, FISH), M(72, 0, FISH)}, "flying fish school");
    w.DefineFormation(4, {M(0, 0, MANTA), M(12, 14, MANTA), M(24, 28, MANTA), M(36, 42, MANTA)}, "manta stair");
    w.DefineFormation(5, {M(0, 0, JELLY), M(16, 120, JELLY), M(32, 0, JELLY), M(48, 120, JELLY)},
                      "rain jellies from both edges");
    w.DefineFormation(6, {M(0, 0, SQUALL), M(0, 40, SQUALL), M(0, 80, SQUALL), M(30, 20, GULL), M(30, 60, GULL)},
                      "squall wall with gulls");
    w.DefineFormation(7, {M(0, 0, DART), M(20, 0, DART), M(40, 0, DART)}, "volt dart trio");
    w.DefineFormation(8, {M(0, 0, MANTA), M(12, 70, MANTA), M(24, 0, MANTA), M(36, 70, MANTA)}, "mantas high and low");
}

void OverTheSea(Stage5Waves& w) {
    w.One(200, 70, SQUALL, "first drifters: rain clouds that never shoot");
    w.One(240, 120, SQUALL);
    w.One(280, 170, SQUALL);
    w.One(400, 90, SQUALL);
    w.One(420, 150, SQUALL);
    w.Group(500, 80, 0, "gull train");
    w.One(620, 110, MINE, "a storm mine anchored at the right edge: shoot it down");
    w.Group(720, 150, 0, "gull train, low");
    w.One(560, 200, SQUALL);
    w.One(580, 40, SQUALL);
}

void TheStacks(Stage5Waves& w) {
    w.Ground(62, PYLON, "pylons stand on the first stacks");
    w.Ground(70, PYLON);
    w.One(820, 70, WISP, "spark wisps that never shoot");
    w.One(860, 130, WISP);
    w.Ground(78, PYLON);
    w.Ground(87, HARPOON, "the first gun: a harpoon battery");
    w.Group(1000, 50, 1, "spark wisp chevron: the first aimed shots");
    w.Ground(91, PYLON);
    w.One(1120, 40, SQUALL);
    w.One(1150, 90, SQUALL);
    w.Group(1220, 40, 5, "rain jellies from both edges");
    w.One(900, 40, GULL);
    w.One(930, 60, GULL);
    w.One(1080, 150, KITE, "a lone kite swoops and turns back");
}

void TheHangingRock(Stage5Waves& w) {
    w.Hang(102, GUN, "a gun hangs from the storm rock");
    w.Group(1330, 50, 2, "kites swoop in and back");
    w.Ground(106, HARPOON);
    w.Ground(110, PYLON);
    w.Hang(114, GUN);
    w.Group(1560, 100, 0, "gull train through the gap");
    w.Ground(118, ROD, "a lightning rod fires five ways");
    w.One(1680, 90, IMP, "drum imps stop to shoot");
    w.One(1700, 150, IMP);
    w.Hang(132, GUN);
    w.Ground(132, HARPOON);
    w.Group(1820, 20, 7, "volt darts sink until level with the craft");
    w.Ground(136, ROD);
    w.One(1960, 110, JELLY);
    w.One(1990, 140, JELLY);
    w.Ground(144, PYLON);
    w.Group(2010, 80, 2, "kites");
    w.One(1420, 60, SQUALL);
    w.One(1450, 140, SQUALL);
    w.One(1880, 110, WISP);
}

void TheCave(Stage5Waves& w) {
    w.One(2100, 100, SQUALL, "into the cave: drifters in the passage");
    w.One(2130, 130, SQUALL);
    w.Hang(157, GUN);
    w.Group(2230, 80, 1, "spark wisp chevron in the passage");
    w.Ground(162, ROD);
    w.One(2380, 120, IMP);
    w.Hang(172, GUN);
    w.Group(2480, 100, 3, "flying fish: one orb each at the bottom of their wave");
    w.Ground(178, PYLON);
    w.One(2600, 60, GULL);
    w.One(2620, 90, GULL);
    w.Ground(183, HARPOON);
    w.Hang(190, GUN);
    w.Ground(191, HARPOON);
    w.Group(2780, 60, 0, "gull train");
    w.One(2860, 100, IMP);
    w.Group(2960, 70, 6, "out of the cave: squall wall");
    w.One(3060, 60, SQUALL, "last drifters before the ram");
    w.One(3080, 160, SQUALL);
    w.One(2300, 140, JELLY);
    w.One(2700, 100, WISP);
    w.Ground(182, PYLON);
}

void TheRam(Stage5Waves& w) {
    w.d.Single(w.Pos(kRamFrame), 22, RAM, "the Gale Ram, over open sea");
    w.One(4150, 70, GULL, "after the ram: a breather");
    w.One(4180, 160, GULL);
    w.One(4300, 130, MINE, "a second storm mine");
    w.Group(4400, 40, 0, "gull train");
    w.One(4250, 110, SQUALL);
    w.One(4270, 60, SQUALL);
    w.Group(4500, 160, 5, "rain jellies");
}

void TheFortress(Stage5Waves& w) {
    w.Ground(303, PYLON, "the fortress's outworks");
    w.Ground(308, HARPOON);
    w.Hang(312, GUN);
    w.Group(4650, 60, 4, "manta stair");
    w.Hang(317, GUN);
    w.Ground(322, ROD);
    w.One(4860, 80, WHIRL, "a whirlwind wheel loops down and rings");
    w.Ground(326, HARPOON);
    w.Group(5000, 80, 7, "volt darts");
    w.Ground(336, ROD);
    w.One(5180, 150, WHIRL, "a whirlwind wheel loops up and rings");
    w.Ground(347, PYLON);
    w.Group(5300, 70, 3, "flying fish");
    w.Hang(352, GUN);
    w.Ground(356, HARPOON);
    w.One(5450, 110, IMP);
    w.Ground(361, PYLON);
    w.Group(5560, 60, 8, "mantas high and low");
    w.Ground(367, ROD);
    w.Hang(373, GUN);
    w.One(5700, 100, KITE);
    w.One(5720, 130, KITE);
    w.Hang(378, GUN);
    w.One(5850, 120, MINE, "a third storm mine");
    w.Ground(383, HARPOON);
    w.Group(5950, 90, 1, "spark wisp chevron");
    w.Hang(389, GUN);
    w.Ground(389, ROD);
    w.Ground(395, PYLON);
    w.One(6100, 60, WHIRL);
    w.Ground(401, ROD);
    w.Group(6250, 70, 2, "kites");
    w.Hang(407, GUN);
    w.One(6380, 120, IMP);
    w.One(6400, 90, IMP);
    w.Ground(419, HARPOON);
    w.Group(6500, 50, 4, "manta stair");
    w.Hang(425, GUN);
    w.One(6640, 100, FISH);
    w.Ground(431, ROD);
    w.Group(6760, 30, 7, "volt darts");
    w.Hang(437, GUN);
    w.One(6900, 150, WHIRL);
    w.Ground(449, PYLON);
    w.Group(7050, 80, 6, "squall wall");
    w.One(7150, 60, GULL, "last flyers before the Roc");
    w.One(7170, 170, GULL);
    w.One(4780, 120, GULL);
    w.One(5120, 60, SQUALL);
    w.One(5140, 110, SQUALL);
    w.One(5600, 100, DART);
    w.One(6020, 150, JELLY);
    w.One(6160, 100, KITE);
    w.One(6700, 60, WISP);
    w.One(6980, 120, SQUALL);
    w.One(7250, 100, SQUALL);
}

void TheRoc(Stage5Waves& w) {
    w.d.Single(kRocPos, 24, ROC, "the Tempest Roc, as the scroll stops");
    w.Group(8150, 60, 0, "escorts if the fight drags on");
    w.Group(8650, 20, 7, "volt darts");
    w.Group(9150, 80, 2, "kites");
    w.Group(9650, 50, 1, "spark wisps");
}

}  // namespace

AG_REGISTER(RegisterStage5Waves) {
    AddStagePart(5, "waves", [](StageDesc& d) {
        Templates(d, stage5::EnemySprites(), kTemplates);
        d.templates[RAM] = TemplateAt(stage5::BossCell("ram 0"), 56, kRamHp, 30, 20000, "Gale Ram");
        d.templates[ROC] = TemplateAt(stage5::BossCell("roc idle 0"), 57, kRocHp, 0, 30000, "Tempest Roc");
        Stage5Waves w(d);
        Formations(w);
        OverTheSea(w);
        TheStacks(w);
        TheHangingRock(w);
        TheCave(w);
        TheRam(w);
        TheFortress(w);
        TheRoc(w);
    });
}
