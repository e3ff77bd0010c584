// Stage 1's waves: templates, formations and timeline of "men1.dat".
//
// Stage 1's waves: the enemy templates, formations and timeline of
// "men1.dat" (its "waves" part; the map is another part).
//
// The stage runs in two halves. Above the sea of clouds (game frames 0..5440)
// the flyers come in one kind at a time, harmless ones first, then the ones
// that shoot, with quiet stretches between. At frame 5440 the view dives
// through the clouds and the stage clock jumps by 640; nothing is timed in
// that window. Below, in the snowy valley, turrets, traps, columns and
// scenery pieces join the flyers on and over the ground. The last stretch is
// left empty for the boss.
#include <string>

#include "kit.h"
#include "stage1.h"

namespace {

using namespace ag;

// The dive starts on this game frame; the clock then runs 640 ahead.
constexpr int kDiveFrame = 5440, kDiveJump = 640;
constexpr int kDiveEnd = kDiveFrame + 240;
// Top of the valley floor on screen, below the clouds.
constexpr int kGroundY = 208;

enum Tmpl : int {
    PUFF, BAT, WISP, JELLY, PAPER_BIRD, FIRE_BIRD, LEAF, BALLOON, ACORN, BEE, EYE,
    OWL, ROSE_OWL, HOPPER, STAR, KITE_FISH, MOTH,
    MORTAR, FLOWER, CANNON, POD, SLANT, SNOWMAN, HATCH, PINE, ROCK, LANTERN,
    BEAM_CANNON, BELL, SPIKE_BALL, STAMPER,
    kTmplCount
};

const TemplateDef kTemplates[kTmplCount] = {
    {"puff", 11, 2, 1, 100},          {"bat", 40, 2, 1, 100},
    {"wisp", 12, 3, 1, 150},          {"jelly", 13, 3, 1, 150},
    {"paper bird", 18, 3, 1, 200},    {"fire bird", 19, 3, 1, 200},
    {"leaf", 43, 2, 1, 200},          {"balloon", 33, 4, 1, 150},
    {"acorn", 50, 2, 1, 100},         {"bee", 53, 2, 1, 100},
    {"eye", 51, 4, 2, 200},           {"owl", 20, 8, 2, 300},
    {"rose owl", 21, 8, 2, 300},      {"hopper", 25, 10, 3, 400},
    {"star", 30, 12, 3, 500},         {"kite fish", 31, 6, 2, 300},
    {"moth", 34, 5, 2, 250},          {"mortar", 23, 20, 4, 600},
    {"flower", 24, 16, 3, 500},       {"cannon", 35, 14, 3, 400},
    {"pod", 42, 16, 3, 500},          {"slant", 54, 14, 3, 500},
    {"snowman", 55, 8, 2, 400},       {"hatch", 32, 30, 5, 800},
    {"pine", 44, 6, 1, 50},           {"rock", 52, 30, 1, 100},
    {"lantern glow", 46, 20, 3, 300}, {"beam cannon", 14, 24, 4, 700},
    {"bell", 15, 16, 3, 500},         {"spike ball", 22, 20, 3, 500},
    {"stamper", 41, 20, 3, 500},
};

// The dive: nothing may enter near it, and the clock jumps over it.
struct Stage1Waves : Waves {
    using Waves::Waves;
    int ClockOf(int frame) const override { return frame < kDiveFrame ? frame : frame + kDiveJump; }
    int FrameOf(int clock) const override {
        return clock < kDiveFrame ? clock : clock < kDiveFrame + kDiveJump ? -1 : clock - kDiveJump;
    }
    bool Closed(int frame) const override { return frame < 0 || (frame >= kDiveFrame - 40 && frame < kDiveEnd + 40); }
    // A ground piece standing on the valley floor.
    void Ground(int frame, int tmpl, const char* note = "") { One(frame, kGroundY - H(tmpl) / 2, tmpl, note); }
};

void Formations(Stage1Waves& w) {
    // Trains: members follow each other along the same line.
    w.DefineFormation(0, {M(0, 0, BAT), M(14, 0, BAT), M(28, 0, BAT), M(42, 0, BAT), M(56, 0, BAT)}, "bat train");
    w.DefineFormation(1, {M(0, 0, WISP), M(20, 24, WISP), M(40, 48, WISP), M(60, 24, WISP), M(80, 0, WISP)},
                "wisp chevron (these fire: they enter on even columns)");
    w.DefineFormation(2, {M(0, 0, FIRE_BIRD), M(10, 10, FIRE_BIRD), M(20, 20, FIRE_BIRD), M(30, 30, FIRE_BIRD)},
                "fire bird swoop");
    w.DefineFormation(3, {M(0, 0, BEE), M(8, 18, BEE), M(16, 36, BEE), M(24, 54, BEE), M(32, 72, BEE), M(40, 90, BEE)},
                "bee stair");
    w.DefineFormation(4, {M(0, 0, KITE_FISH), M(24, 0, KITE_FISH), M(48, 0, KITE_FISH), M(72, 0, KITE_FISH)},
                "kite fish school");
    w.DefineFormation(5, {M(0, 0, LEAF), M(6, 20, LEAF), M(12, 40, LEAF), M(18, 60, LEAF), M(24, 80, LEAF)},
                "leaf flurry");
    w.DefineFormation(6, {M(0, 0, PUFF), M(0, 40, PUFF), M(0, 80, PUFF), M(30, 20, BAT), M(30, 60, BAT)},
                "puff wall with bats");
    w.DefineFormation(7, {M(0, 0, MOTH), M(20, 0, MOTH), M(40, 0, MOTH), M(60, 0, MOTH)}, "moth line");
    w.DefineFormation(8, {M(0, 0, PAPER_BIRD), M(16, 0, PAPER_BIRD), M(32, 0, PAPER_BIRD)}, "paper bird trio");
    w.DefineFormation(9, {M(0, 0, JELLY), M(16, 120, JELLY), M(32, 0, JELLY), M(48, 120, JELLY)},
                "jellies from both edges");
}

void AboveTheClouds(Stage1Waves& w) {
    // Harmless drifters first: learn to move and shoot.
    w.One(220, 60, PUFF, "first drifters: they never shoot");
    w.One(260, 100, PUFF);
    w.One(300, 140, PUFF);
    w.One(440, 170, PUFF);
    w.One(470, 130, PUFF);
    w.One(500, 90, PUFF);
    w.Group(660, 70, 0, "bat train, high");
    w.Group(840, 170, 0, "bat train, low");
    w.One(960, 40, PUFF);
    w.One(990, 200, PUFF);
    // Wisps: as singles they enter on odd columns and never fire...
    w.One(1040, 80, WISP, "wisps that never shoot");
    w.One(1080, 160, WISP);
    w.One(1120, 120, WISP);
    // ...in formation they do: the first aimed shots.
    w.Group(1300, 60, 1, "wisp chevron: first aimed shots");
    w.One(1500, 40, JELLY, "jellies drift across the middle");
    w.One(1530, 200, JELLY);
    w.One(1600, 70, JELLY);
    w.One(1630, 170, JELLY);
    w.One(1720, 110, BAT);
    w.One(1750, 150, BAT);
    // a breather, then swoopers
    w.Group(1850, 212, 8, "paper birds rise and turn back");
    w.Group(2000, 20, 2, "fire birds swoop down and back");
    w.Group(2140, 30, 2);
    w.Group(2300, 120, 5, "leaf flurry");
    w.Group(2420, 60, 5);
    w.One(2500, 200, BEE, "a lone bee");
    // bobbing balloons and the first hoppers out of the cloud sea
    w.One(2600, 150, BALLOON, "balloons");
    w.One(2640, 110, BALLOON);
    w.One(2680, 190, BALLOON);
    w.One(2760, 224, HOPPER, "a snow frog leaps out of the clouds");
    w.One(2880, 224, HOPPER);
    w.One(2920, 90, WISP);
    w.One(2950, 150, WISP);
    // pausing owls: stop, shoot, go on
    w.One(3060, 70, OWL, "owls stop to shoot");
    w.One(3060, 170, OWL);
    w.One(3200, 120, OWL);
    w.One(3260, 60, PUFF);
    w.One(3280, 180, PUFF);
    // droppers fall on the player from above
    w.One(3400, 20, ACORN, "acorns drop when the player passes under");
    w.One(3430, 28, ACORN);
    w.One(3460, 20, ACORN);
    w.One(3490, 28, ACORN);
    w.One(3520, 20, ACORN);
    w.One(3560, 200, BEE);
    w.Group(3620, 60, 3, "bee stair");
    // the first hanging cannon, with escorts
    w.One(3780, -100, BEAM_CANNON, "beam cannon lowers itself and fires left");
    w.One(3900, 60, BAT);
    w.One(3930, 180, BAT);
    w.One(3980, 120, BAT);
    w.Group(4050, 40, 6, "puff wall");
    w.One(4130, 200, LEAF);
    w.One(4150, 30, LEAF);
    // loopers fire rings after each turn
    w.One(4200, 80, STAR, "star wheel loops down and rings");
    w.One(4320, 170, STAR, "star wheel loops up and rings");
    w.Group(4480, 60, 4, "kite fish: one orb each at the bottom of their wave");
    w.Group(4600, 170, 4);
    w.One(4680, 110, BALLOON);
    w.One(4700, 60, BALLOON);
    w.Group(4760, 24, 7, "moths dip and dive");
    w.One(4900, 20, EYE, "eye darts sink until level with the player");
    w.One(4940, 20, EYE);
    w.One(4980, 20, EYE);
    w.One(5020, 200, JELLY);
    w.One(5080, 80, ROSE_OWL, "rose owls fire once and speed off");
    w.One(5120, 160, ROSE_OWL);
    w.One(5180, 120, ROSE_OWL);
    w.One(5260, 60, PUFF, "last drifters before the dive");
    w.One(5290, 120, PUFF);
    w.One(5320, 180, PUFF);
}

void InTheValley(Stage1Waves& w) {
    // The valley floor: scenery first, then the turrets one at a time.
    w.Ground(5760, PINE, "snowy pines along the floor");
    w.Ground(5800, ROCK);
    w.Ground(5850, PINE);
    w.Ground(5930, CANNON, "first turret: a slow three-way cannon");
    w.One(6000, 80, BAT);
    w.One(6030, 120, BAT);
    w.Ground(6060, PINE);
    w.One(6090, 60, JELLY);
    w.Ground(6140, SNOWMAN, "snowmen pop up, throw and duck");
    w.Ground(6200, SNOWMAN);
    w.Ground(6250, ROCK);
    w.Group(6300, 50, 0, "bat train over the valley");
    w.Ground(6340, PINE);
    w.Ground(6420, HATCH, "a hatch raises two ice columns");
    w.One(6460, 70, PUFF);
    w.One(6500, 110, PUFF);
    w.One(6520, 40, PUFF);
    w.Ground(6560, ROCK);
    w.Ground(6640, MORTAR, "mortars lob big balls");
    w.Group(6700, 40, 1, "wisp chevron");
    w.Ground(6780, MORTAR);
    w.Ground(6850, PINE);
    w.One(6880, 70, BEE);
    w.One(6890, 90, BEE);
    w.Ground(6920, POD, "snow pods spread upward");
    w.Group(6980, 30, 9, "jellies from both edges");
    w.Ground(7080, FLOWER, "crystal flower: five-way");
    w.Ground(7120, PINE);
    w.One(7160, 120, BAT);
    w.One(7200, 10, BELL, "bell traps drop a chain when the player comes near");
    w.One(7300, 10, BELL);
    w.One(7260, 150, LEAF);
    w.One(7330, 110, LEAF);
    w.Ground(7380, ROCK);
    w.One(7400, 100, PUFF);
    w.One(7440, -60, SPIKE_BALL, "spike balls on long chains");
    w.One(7520, -60, SPIKE_BALL);
    w.Ground(7560, SNOWMAN);
    w.Ground(7600, PINE);
    w.One(7640, -110, STAMPER, "stampers slam down and rise");
    w.One(7720, -110, STAMPER);
    w.One(7760, 150, WISP);
    w.One(7800, 12, SLANT, "hanging turrets spray darts below them");
    w.Ground(7820, PINE);
    w.Group(7900, 60, 8, "paper birds");
    w.One(7980, 12, SLANT);
    w.Ground(8060, HOPPER, "snow frogs from the valley floor");
    w.Ground(8160, HOPPER);
    w.One(8200, 100, ACORN);
    w.One(8210, 20, ACORN);
    w.One(8240, 60, LANTERN, "a drifting lantern glow: touch it and burn");
    w.Group(8300, 30, 7, "moths");
    w.Ground(8380, MORTAR);
    w.One(8420, 20, EYE);
    w.One(8460, 20, EYE);
    w.Group(8540, 150, 4, "kite fish");
    w.Ground(8600, CANNON);
    w.Ground(8660, PINE);
    w.One(8680, 120, BALLOON);
    w.One(8720, 80, STAR, "last loopers");
    w.One(8800, 160, STAR);
    w.One(8880, -100, BEAM_CANNON, "a second beam cannon");
    w.Ground(8940, POD);
    w.Ground(8970, SNOWMAN);
    w.One(9000, 70, OWL);
    w.One(9040, 150, OWL);
    w.Group(9120, 60, 3, "bee stair");
    w.Ground(9180, FLOWER);
    w.One(9200, 100, BAT);
    w.One(9220, 140, BAT);
    w.Group(9260, 40, 5, "leaf flurry");
    w.One(9340, 70, ROSE_OWL, "last wave before the boss");
    w.One(9380, 150, ROSE_OWL);
    w.Ground(9420, PINE);
    w.Ground(9480, ROCK);
}

}  // namespace

AG_REGISTER(RegisterStage1Waves) {
    AddStagePart(1, "waves", [](StageDesc& d) {
        Templates(d, stage1::EnemySprites(), kTemplates);
        Stage1Waves w(d);
        Formations(w);
        AboveTheClouds(w);
        InTheValley(w);
        stage1::AddBoss(d);
    });
}
