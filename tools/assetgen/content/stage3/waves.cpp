// Stage 3's waves: templates, formations and timeline of "men3.dat".
//
// Stage 3's waves: the enemy templates, formations and timeline of
// "men3.dat" (its "waves" part; the map and the boss are other parts).
//
// The scroll runs two pixels a frame and stops on frame 6000; the ground
// pieces move one pixel a frame, with the half-rate ground layer, and stand
// on footings (stumps, rocks, fallen logs) that the scenery paints where
// they will be. The stage: the canopy, where harmless flyers teach the pace;
// the first river, with leaping frogs, otters and drifting logs; the dense
// canopy with stump guns and root knots that raise bramble columns; the
// second river; a last, mixed stretch of canopy; then a quiet lake and the
// boss.
#include <string>

#include "kit.h"
#include "stage3.h"

namespace {

using namespace ag;
using stage3::Footing;

enum Tmpl : int {
    IMP, KINGFISHER, FINCH, SAMARA, DRAGONFLY, SQUIRREL, HORNET, SALMON, FROG, STUMP_GUN, LOG, WISP, OTTER, ROOT_KNOT,
    kTmplCount
};

const TemplateDef kTemplates[kTmplCount] = {
    {"maple imp", 40, 2, 1, 100},  {"kingfisher", 18, 3, 1, 200}, {"finch", 19, 3, 1, 200},
    {"samara", 43, 2, 1, 150},     {"dragonfly", 33, 3, 1, 150},  {"squirrel", 34, 5, 2, 250},
    {"hornet", 30, 12, 3, 500},    {"salmon", 31, 6, 2, 300},     {"frog", 25, 8, 3, 400},
    {"stump gun", 35, 14, 3, 400}, {"log", 44, 8, 1, 50},         {"ember wisp", 46, 20, 3, 300},
    {"otter", 55, 8, 2, 400},      {"root knot", 32, 30, 5, 800},
};

// Ground pieces: the entry frame (a multiple of 16), the template, the top
// of their footing and the footing itself. River pieces swim (no footing).
struct GroundDef {
    int frame;
    Tmpl tmpl;
    int top;
    Footing footing;
    int halfWidth;
    const char* note;
};
constexpr Footing kNone = Footing(-1);

const GroundDef kGround[] = {
    // the canopy: one stump gun to learn the ground fire
    {656, STUMP_GUN, 184, Footing::Stump, 18, "first stump gun on a broken trunk"},
    {1024, STUMP_GUN, 176, Footing::Stump, 18, ""},
    // the first river
    {1296, FROG, 220, kNone, 0, "frogs leap out of the river"},
    {1376, FROG, 220, kNone, 0, ""},
    {1456, LOG, 184, kNone, 0, "logs drift downstream"},
    {1568, OTTER, 184, kNone, 0, "otters pop up, throw and dive"},
    {1648, STUMP_GUN, 184, Footing::Rock, 20, "a stump gun on a river rock"},
    {1728, FROG, 220, kNone, 0, ""},
    {1840, LOG, 184, kNone, 0, ""},
    {1904, OTTER, 184, kNone, 0, ""},
    {2080, FROG, 220, kNone, 0, ""},
    {2112, STUMP_GUN, 184, Footing::Rock, 20, ""},
    // the dense canopy
    {2400, ROOT_KNOT, 176, Footing::Log, 80, "a root knot raises two bramble columns"},
    {2720, STUMP_GUN, 176, Footing::Stump, 18, ""},
    {2784, STUMP_GUN, 184, Footing::Stump, 18, ""},
    {3056, ROOT_KNOT, 184, Footing::Log, 80, ""},
    {3328, STUMP_GUN, 176, Footing::Stump, 18, ""},
    // the second river
    {3504, FROG, 220, kNone, 0, ""},
    {3536, FROG, 220, kNone, 0, ""},
    {3568, FROG, 220, kNone, 0, ""},
    {3632, LOG, 184, kNone, 0, ""},
    {3712, OTTER, 184, kNone, 0, ""},
    {3776, STUMP_GUN, 184, Footing::Rock, 20, ""},
    {3888, OTTER, 184, kNone, 0, ""},
    {3952, LOG, 184, kNone, 0, ""},
    {4016, FROG, 220, kNone, 0, ""},
    {4048, FROG, 220, kNone, 0, ""},
    {4160, STUMP_GUN, 184, Footing::Rock, 20, ""},
    {4224, OTTER, 184, kNone, 0, ""},
    // the last canopy
    {4496, STUMP_GUN, 184, Footing::Stump, 18, ""},
    {4640, ROOT_KNOT, 176, Footing::Log, 80, ""},
    {4928, STUMP_GUN, 176, Footing::Stump, 18, ""},
    {4976, STUMP_GUN, 184, Footing::Stump, 18, ""},
    {5184, STUMP_GUN, 184, Footing::Stump, 18, ""},
};


void Formations(Waves& w) {
    w.DefineFormation(0, {M(0, 0, IMP), M(12, 0, IMP), M(24, 0, IMP), M(36, 0, IMP), M(48, 0, IMP)}, "imp train");
    w.DefineFormation(1, {M(0, 40, IMP), M(10, 20, IMP), M(10, 60, IMP), M(20, 0, IMP), M(20, 80, IMP)}, "imp arrow");
    w.DefineFormation(2, {M(0, 0, KINGFISHER), M(14, 14, KINGFISHER), M(28, 28, KINGFISHER)}, "kingfisher stair");
    w.DefineFormation(3, {M(0, 0, FINCH), M(8, 12, FINCH), M(16, 24, FINCH), M(24, 36, FINCH)}, "finch swoop");
    w.DefineFormation(4, {M(0, 0, SAMARA), M(6, 24, SAMARA), M(12, 48, SAMARA), M(18, 72, SAMARA), M(24, 96, SAMARA)},
                      "samara flurry");
    w.DefineFormation(5, {M(0, 0, DRAGONFLY), M(16, 0, DRAGONFLY), M(32, 0, DRAGONFLY), M(48, 0, DRAGONFLY)},
                      "dragonfly chain");
    w.DefineFormation(6, {M(0, 0, SQUIRREL), M(20, 0, SQUIRREL), M(40, 0, SQUIRREL), M(60, 0, SQUIRREL)},
                      "squirrel glide");
    w.DefineFormation(7, {M(0, 0, SALMON), M(20, 0, SALMON), M(40, 0, SALMON), M(60, 0, SALMON)}, "salmon run");
    w.DefineFormation(8, {M(0, 0, HORNET), M(40, 120, HORNET)}, "hornet pair");
    w.DefineFormation(9, {M(0, 0, FINCH), M(0, 150, FINCH), M(16, 30, IMP), M(16, 120, IMP), M(32, 60, IMP), M(32, 90, IMP)},
                      "finches and imps from both edges");
}

void Flyers(Waves& w) {
    // The canopy: harmless drifters teach the pace first.
    w.One(160, 80, IMP, "first drifters: they never shoot");
    w.One(200, 150, IMP);
    w.One(240, 110, IMP);
    w.Group(320, 60, 0, "imp train high");
    w.Group(420, 170, 0, "imp train low");
    w.Group(540, 60, 1, "imp arrow");
    w.Group(720, 20, 2, "kingfishers swoop down and back");
    w.One(800, 200, IMP);
    w.Group(880, 200, 2, "kingfishers from below");
    w.One(960, 120, IMP);
    w.Group(1040, 30, 4, "samara flurry");
    w.One(1120, 60, FINCH, "a fast finch");
    w.One(1150, 170, FINCH);
    w.Group(1200, 200, 5, "dragonflies bob up and down");
    // The first river.
    w.One(1300, 60, IMP);
    w.One(1340, 100, IMP);
    w.Group(1420, 60, 7, "salmon: one orb each at the bottom of their leap");
    w.One(1500, 40, KINGFISHER);
    w.One(1540, 100, SAMARA);
    w.Group(1600, 150, 7, "salmon from below");
    w.One(1680, 60, WISP, "an ember wisp drifts over the water: touch it and burn");
    w.Group(1780, 20, 3, "finch swoop");
    w.One(1860, 200, DRAGONFLY);
    w.One(1880, 180, DRAGONFLY);
    w.Group(1940, 60, 0, "imp train");
    w.Group(2010, 40, 4);
    w.One(2060, 120, FINCH);
    w.Group(2150, 80, 9, "finches and imps from both edges");
    w.One(2230, 40, SALMON);
    // A breather at the bank, then the dense canopy.
    w.Group(2330, 24, 6, "flying squirrels dip and dive");
    w.One(2440, 110, HORNET, "a hornet loops and rings");
    w.One(2560, 60, IMP);
    w.One(2580, 150, IMP);
    w.Group(2640, 160, 6, "squirrels low");
    w.Group(2760, 20, 2);
    w.One(2860, 170, HORNET);
    w.Group(2940, 200, 5);
    w.Group(3000, 40, 3);
    w.One(3120, 80, SAMARA);
    w.One(3136, 140, SAMARA);
    w.Group(3200, 40, 8, "hornet pair");
    w.Group(3380, 80, 1);
    // The second river.
    w.Group(3460, 60, 7);
    w.One(3560, 30, KINGFISHER);
    w.One(3600, 200, KINGFISHER);
    w.Group(3680, 150, 7);
    w.One(3740, 100, WISP);
    w.Group(3820, 40, 4);
    w.One(3900, 60, HORNET);
    w.Group(3990, 24, 6);
    w.Group(4080, 20, 3);
    w.One(4120, 200, DRAGONFLY);
    w.One(4136, 190, DRAGONFLY);
    w.Group(4200, 80, 9);
    w.One(4300, 60, SALMON);
    w.One(4330, 160, SALMON);
    // The last canopy: everything at once.
    w.Group(4420, 30, 6);
    w.Group(4500, 160, 8);
    w.Group(4580, 60, 0);
    w.One(4700, 120, HORNET);
    w.Group(4760, 200, 5);
    w.Group(4800, 20, 2);
    w.Group(4860, 40, 4);
    w.One(4900, 80, FINCH);
    w.One(4916, 150, FINCH);
    w.Group(5000, 24, 6);
    w.Group(5060, 180, 7);
    w.Group(5120, 60, 9);
    w.One(5200, 90, HORNET);
    w.One(5240, 170, HORNET);
    w.Group(5300, 20, 3);
    w.Group(5360, 100, 1);
    w.One(5440, 60, SAMARA, "last wave before the lake");
    w.One(5456, 180, SAMARA);
    w.One(5500, 120, IMP);
    // Single flyers between the waves keep the stream going.
    const int extra[][3] = {{280, 130, IMP},        {470, 40, IMP},         {600, 200, IMP},       {760, 100, IMP},
                            {1180, 40, SAMARA},     {1460, 200, DRAGONFLY}, {1720, 120, IMP},      {2100, 200, SAMARA},
                            {2480, 60, FINCH},      {2700, 100, SAMARA},    {2900, 60, IMP},       {3060, 200, DRAGONFLY},
                            {3300, 140, FINCH},     {3500, 100, IMP},       {3860, 180, SAMARA},   {4040, 60, FINCH},
                            {4260, 120, IMP},       {4620, 180, SAMARA},    {4740, 40, IMP},       {5160, 200, DRAGONFLY},
                            {5400, 40, FINCH}};
    for (auto& e : extra) w.One(e[0], e[1], e[2]);
    // Then only the lake: a quiet moment before the boss.
}

void Ground(Waves& w) {
    for (const GroundDef& g : kGround) {
        if (g.frame % 16 != 0) Fail(Format("men3.dat waves: ground piece at frame %d is off the 16-frame grid", g.frame));
        int h = w.H(g.tmpl);
        // Pieces on a footing stand on its top; swimmers give their centre.
        int y = g.footing == kNone ? g.top : g.top - h / 2;
        if (g.footing == kNone && g.tmpl != FROG) y = g.top + h / 2;   // otters and logs: `top` is their cell's top
        w.One(g.frame, y, g.tmpl, g.note);
    }
}

}  // namespace

namespace stage3 {

const std::vector<GroundSpot>& GroundSpots() {
    static const std::vector<GroundSpot> spots = [] {
        std::vector<GroundSpot> v;
        for (const GroundDef& g : kGround) {
            if (g.footing == kNone) continue;
            int w = ag::FindSprite(EnemySprites(), kTemplates[g.tmpl].sprite).W();
            v.push_back(GroundSpot{g.frame, w, g.top, g.footing, g.halfWidth});
        }
        return v;
    }();
    return spots;
}

}  // namespace stage3

AG_REGISTER(RegisterStage3Waves) {
    AddStagePart(3, "waves", [](StageDesc& d) {
        Templates(d, stage3::EnemySprites(), kTemplates);
        Waves w(d);
        Formations(w);
        Flyers(w);
        Ground(w);
        stage3::AddBoss(d);
    });
}
