// Stage 2's waves: the templates, formations and timeline of "men2.dat", and the Sea Gate's entry at the end.
//
// The strip moves one pixel every two frames and stops on game frame 10240;
// nothing in the stage moves the clock on, so a game frame is a clock value.
// Along the harbour front (frames 0..4400) the street is the upper ground row
// and the flyers come in one kind at a time, harmless ones first. Around frame
// 4416..4864 the street ends and the quay steps down to the canal: flyers
// only. Along the canal (4864..6336) the ground is the lower row; while it is
// cut back (6336..7040) and along the fortress wall, which has no ground row,
// the hanging machinery comes down from above instead. From 9700 the stage is
// quiet until the Sea Gate glides in as the strip stops.
#include <string>

#include "kit.h"
#include "stage2.h"

namespace {

using namespace ag;

constexpr int kStripStops = 10240;
constexpr int kQuietFrom = 9700;
// Ground rows: the upper street holds ground enemies spawned up to this frame
// (later ones would meet its cut end); the lower quay holds those spawned in
// this window (earlier ones would slide past its start, later ones off its end).
constexpr int kUpperUntil = 4400;
constexpr int kLowerFrom = 4864, kLowerUntil = 6336;
constexpr int kUpperTop = 192, kLowerTop = 208;   // where a ground piece's feet stand

enum Tmpl : int {
    LANTERN, GULL, WISP, JELLY, CROW, BELL, MORTAR, BRAZIER, KEG, CRATES, CANNON, MINE, WEIGHT, SKY_LANTERN,
    kTmplCount
};

const TemplateDef kTemplates[kTmplCount] = {
    {"lantern", 11, 2, 1, 100},  {"gull", 40, 2, 1, 100},    {"wisp", 12, 3, 1, 150},
    {"jelly", 13, 3, 1, 150},    {"crow", 20, 8, 2, 300},    {"bell", 15, 16, 3, 500},
    {"mortar", 23, 20, 4, 600},  {"brazier", 24, 16, 3, 500}, {"keg", 42, 16, 3, 500},
    {"crates", 52, 24, 1, 100},  {"cannon", 14, 24, 4, 700}, {"mine", 22, 20, 3, 500},
    {"weight", 41, 20, 3, 500},  {"sky lantern", 46, 16, 3, 300},
};

enum Form : int { GULL_TRAIN, WISP_CHEVRON, LANTERN_WALL, JELLY_EDGES, CROW_PAIR, GULL_V, LANTERN_STAIR, WISP_LINE,
                  JELLY_SCHOOL, CROW_TRIO };

enum class Ground { Upper, Lower };

// Nothing enters in the quiet before the boss; ground pieces stand on a row.
struct Stage2Waves : Waves {
    using Waves::Waves;
    bool Closed(int frame) const override { return frame >= kQuietFrom; }
    // A piece standing on a ground row, which must be under it all the way
    // across the screen.
    void On(Ground g, int frame, int tmpl, const char* note = "") {
        bool ok = g == Ground::Upper ? frame <= kUpperUntil : (frame >= kLowerFrom && frame <= kLowerUntil);
        if (!ok) Fail(Format("men2.dat waves: a ground piece at frame %d has no ground under it", frame));
        int top = (g == Ground::Upper ? kUpperTop : kLowerTop) - H(tmpl);
        d.Single(Pos(frame), RowForTop(top), tmpl, note);
    }
};

void Formations(Stage2Waves& w) {
    w.DefineFormation(GULL_TRAIN, {M(0, 0, GULL), M(14, 0, GULL), M(28, 0, GULL), M(42, 0, GULL), M(56, 0, GULL)},
             "gull train");
    w.DefineFormation(WISP_CHEVRON, {M(0, 0, WISP), M(20, 24, WISP), M(40, 48, WISP), M(60, 24, WISP), M(80, 0, WISP)},
             "wisp chevron (formation members enter on even columns: they fire)");
    w.DefineFormation(LANTERN_WALL, {M(0, 0, LANTERN), M(0, 50, LANTERN), M(0, 100, LANTERN), M(30, 25, GULL), M(30, 75, GULL)},
             "lantern wall with gulls");
    w.DefineFormation(JELLY_EDGES, {M(0, 0, JELLY), M(16, 150, JELLY), M(32, 0, JELLY), M(48, 150, JELLY)},
             "jellyfish from both edges");
    w.DefineFormation(CROW_PAIR, {M(0, 0, CROW), M(30, 90, CROW)}, "two lamp crows");
    w.DefineFormation(GULL_V, {M(0, 40, GULL), M(8, 20, GULL), M(8, 60, GULL), M(16, 0, GULL), M(16, 80, GULL)}, "gull V");
    w.DefineFormation(LANTERN_STAIR,
             {M(0, 0, LANTERN), M(8, 18, LANTERN), M(16, 36, LANTERN), M(24, 54, LANTERN), M(32, 72, LANTERN),
              M(40, 90, LANTERN)},
             "lantern stair");
    w.DefineFormation(WISP_LINE, {M(0, 0, WISP), M(24, 0, WISP), M(48, 0, WISP), M(72, 0, WISP)}, "wisp line");
    w.DefineFormation(JELLY_SCHOOL, {M(0, 0, JELLY), M(16, 30, JELLY), M(32, 0, JELLY), M(48, 30, JELLY)}, "jellyfish school");
    w.DefineFormation(CROW_TRIO, {M(0, 50, CROW), M(24, 0, CROW), M(48, 100, CROW)}, "three lamp crows");
}

void HarbourFront(Stage2Waves& w) {
    // Paper lanterns that never shoot: learn to move and fire.
    w.One(200, 60, LANTERN, "first lanterns: they never shoot");
    w.One(240, 120, LANTERN);
    w.One(280, 180, LANTERN);
    w.One(420, 170, LANTERN);
    w.One(450, 120, LANTERN);
    w.One(480, 70, LANTERN);
    w.Group(640, 50, GULL_TRAIN, "gull train, high");
    w.Group(820, 170, GULL_TRAIN, "gull train, low");
    w.On(Ground::Upper, 900, CRATES, "crates on the quay: the street is ground");
    w.One(960, 40, LANTERN);
    w.One(990, 200, LANTERN);
    w.On(Ground::Upper, 1060, CRATES);
    w.One(1100, 80, WISP, "single wisps never shoot");
    w.One(1140, 150, WISP);
    w.One(1180, 110, WISP);
    w.On(Ground::Upper, 1300, BRAZIER, "first turret: a brazier, five slow shots");
    w.One(1340, 60, LANTERN);
    w.One(1370, 100, LANTERN);
    w.Group(1480, 50, WISP_CHEVRON, "wisp chevron: the first aimed shots");
    w.One(1620, 60, JELLY, "jellyfish wave across the middle");
    w.One(1650, 180, JELLY);
    w.One(1700, 90, JELLY);
    w.On(Ground::Upper, 1750, CRATES);
    w.One(1770, 40, GULL);
    w.One(1790, 70, GULL);
    w.On(Ground::Upper, 1860, MORTAR, "a mortar lobs big balls");
    w.One(1920, 60, LANTERN);
    w.One(1940, 110, LANTERN);
    w.Group(2020, 40, GULL_V, "gull V");
    w.One(2120, 70, CROW, "lamp crows stop to shoot");
    w.On(Ground::Upper, 2260, BRAZIER);
    w.One(2320, 60, JELLY);
    w.On(Ground::Upper, 2420, CRATES);
    w.On(Ground::Upper, 2460, KEG, "a powder keg sprays upward");
    w.Group(2520, 30, LANTERN_STAIR, "lantern stair");
    w.One(2640, 90, LANTERN, "a breather");
    w.One(2680, 130, LANTERN);
    w.One(2760, 50, CROW);
    w.Group(2860, 40, WISP_CHEVRON);
    w.On(Ground::Upper, 2900, MORTAR);
    w.One(2960, 150, GULL);
    w.One(2975, 170, GULL);
    w.One(3060, 80, SKY_LANTERN, "a drifting sky lantern: its glow burns");
    w.Group(3120, 20, JELLY_EDGES, "jellyfish from both edges");
    w.On(Ground::Upper, 3220, BRAZIER);
    w.On(Ground::Upper, 3260, KEG);
    w.One(3340, -100, CANNON, "a brass cannon is lowered and fires a beam");
    w.One(3420, 180, GULL);
    w.One(3440, 200, GULL);
    w.On(Ground::Upper, 3500, CRATES);
    w.Group(3540, 40, LANTERN_WALL, "lantern wall");
    w.Group(3640, 40, CROW_TRIO, "three crows");
    w.On(Ground::Upper, 3720, MORTAR);
    w.Group(3780, 160, GULL_TRAIN);
    w.Group(3880, 50, JELLY_SCHOOL);
    w.On(Ground::Upper, 3920, KEG);
    w.Group(4000, 50, WISP_CHEVRON);
    w.On(Ground::Upper, 4100, BRAZIER);
    w.On(Ground::Upper, 4150, CRATES);
    w.Group(4220, 60, CROW_PAIR);
    w.Group(4300, 20, LANTERN_STAIR);
    w.On(Ground::Upper, 4380, MORTAR, "the last piece on the street");
}

void StepsDown(Stage2Waves& w) {
    // The street ends and the quay steps down: flyers only.
    w.Group(4460, 40, GULL_V, "over the steps down: flyers only");
    w.One(4560, 70, JELLY);
    w.One(4600, 160, JELLY);
    w.One(4680, 100, LANTERN);
    w.One(4700, 140, LANTERN);
    w.One(4780, 60, CROW);
}

void Canal(Stage2Waves& w) {
    w.On(Ground::Lower, 4880, CRATES, "the canal quay is the ground now");
    w.One(4960, 12, BELL, "a ship's bell drops its anchor when the player passes under");
    w.One(5060, 110, LANTERN);
    w.One(5080, 150, LANTERN);
    w.On(Ground::Lower, 5160, BRAZIER);
    w.Group(5220, 40, GULL_TRAIN);
    w.One(5320, -60, MINE, "a sea mine swings down on its chain");
    w.One(5420, 170, JELLY);
    w.On(Ground::Lower, 5480, KEG);
    w.Group(5560, 40, WISP_CHEVRON);
    w.One(5660, 12, BELL);
    w.On(Ground::Lower, 5720, MORTAR);
    w.Group(5780, 50, CROW_PAIR);
    w.One(5860, -110, WEIGHT, "a crane weight slams down and rises");
    w.One(5920, 80, LANTERN);
    w.On(Ground::Lower, 5960, CRATES);
    w.One(6010, -60, MINE);
    w.Group(6060, 40, JELLY_SCHOOL);
    w.On(Ground::Lower, 6110, BRAZIER);
    w.Group(6200, 30, LANTERN_WALL);
    w.One(6160, 90, WISP);
    w.One(6190, 130, WISP);
    w.On(Ground::Lower, 6260, KEG);
    w.Group(6320, 150, GULL_TRAIN);
}

void ToTheFortress(Stage2Waves& w) {
    // The quay is cut back, then the fortress wall: the machinery hangs from above.
    w.One(6400, -110, WEIGHT, "no ground from here: things come from above");
    w.One(6460, 150, SKY_LANTERN);
    w.Group(6520, 30, CROW_TRIO);
    w.Group(6620, 30, LANTERN_STAIR);
    w.One(6720, -60, MINE);
    w.Group(6800, 20, JELLY_EDGES);
    w.Group(6900, 40, GULL_V);
    w.One(6980, 12, BELL);
    w.Group(7040, 40, CROW_TRIO, "the fortress: crows from the battlements");
    w.One(7100, -100, CANNON, "along the fortress wall");
    w.One(7160, 170, GULL);
    w.One(7180, 190, GULL);
    w.Group(7260, 40, WISP_CHEVRON);
    w.Group(7320, 150, JELLY_SCHOOL);
    w.One(7360, 12, BELL);
    w.One(7420, 12, BELL);
    w.One(7500, -60, MINE, "two mines");
    w.One(7570, -60, MINE);
    w.Group(7660, 50, CROW_PAIR);
    w.Group(7600, 40, WISP_LINE);
    w.One(7720, -110, WEIGHT, "two weights");
    w.One(7790, -110, WEIGHT);
    w.Group(7860, 60, JELLY_SCHOOL);
    w.Group(7910, 30, GULL_V);
    w.One(7960, -100, CANNON);
    w.Group(8020, 30, LANTERN_WALL);
    w.Group(8120, 80, WISP_LINE, "a line of wisps that fire");
    w.One(8080, 170, CROW);
    w.One(8170, 40, CROW);
    w.One(8260, -60, MINE);
    w.One(8310, 12, BELL);
    w.Group(8350, 120, WISP_CHEVRON);
    w.Group(8400, 40, GULL_V);
    w.Group(8440, 20, JELLY_EDGES);
    w.One(8520, -100, CANNON);
    w.Group(8570, 40, CROW_PAIR);
    w.Group(8610, 150, JELLY_SCHOOL);
    w.One(8660, -110, WEIGHT);
    w.Group(8720, 50, WISP_CHEVRON);
    w.Group(8820, 20, LANTERN_STAIR);
    w.Group(8780, 40, CROW_TRIO);
    w.One(8900, -60, MINE);
    w.One(8960, 12, BELL);
    w.Group(9020, 30, CROW_TRIO);
    w.Group(9080, 140, WISP_LINE);
    w.Group(9120, 20, JELLY_EDGES);
    w.One(9200, -100, CANNON, "the last cannon");
    w.Group(9250, 30, GULL_V);
    w.Group(9300, 40, GULL_TRAIN);
    w.Group(9340, 180, GULL_TRAIN);
    w.One(9420, -110, WEIGHT);
    w.Group(9500, 30, LANTERN_WALL);
    w.Group(9460, 50, WISP_CHEVRON);
    w.Group(9560, 40, CROW_PAIR, "the last wave before the gate");
    w.One(9640, 90, LANTERN);
    w.One(9660, 150, LANTERN);
}

// The Sea Gate's body starts 300 pixels beyond its stop and glides in at 4
// pixels a frame, coming into view 25 frames after its spawn and stopping 75
// frames after it: spawned just before the strip stops.
constexpr int kBossFrame = kStripStops - 32;

}  // namespace

AG_REGISTER(RegisterStage2Waves) {
    AddStagePart(2, "waves", [](StageDesc& d) {
        Templates(d, stage2::EnemySprites(), kTemplates);
        Stage2Waves w(d);
        Formations(w);
        HarbourFront(w);
        StepsDown(w);
        Canal(w);
        ToTheFortress(w);
        // The Sea Gate glides in after the quiet, as the strip stops.
        Rect r = FindSprite(stage2::EnemySprites(), "sea gate");
        d.templates[size_t(kTmplCount)] = TemplateAt(r, 26, 65535, 0, 0, "the Sea Gate");
        d.Single(MenPosFor(kBossFrame, w.shift), Waves::Row(120, r.H()), kTmplCount, "the Sea Gate, as the strip stops");
    });
}
