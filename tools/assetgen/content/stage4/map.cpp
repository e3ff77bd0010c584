// Stage 4's scenery, the crystal caverns: the sheet "bg_stage4.bmp" and the map layers of "men4.dat".
//
// Each layer is painted as one long picture in its own scroll space and cut
// into 16 x 16 tiles (identical tiles are stored once): 5 (a quarter of the
// scroll)  the cave's back wall; it covers the screen; 4 (half)
// far rock: roof, floor, stalactites, columns; 3 (a quarter)
// dim crystal clusters on the back wall; 2 (half)                     the
// glowing crystal walls that kill: every solid cell holds tile 6, which the
// craft's terrain test reads; their edges glow in the cells around them; 1
// (three quarters)           near rock along the roof and the floor; 0 (the
// scroll, drawn in front) a thin dark rim of roof and floor, on which the
// turrets hang and stand. At each dive the view slides down a shaft: in the
// view above, the floor opens between the shaft's walls; in the view below,
// the roof is open between the same walls, so the cave goes on underneath.
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <vector>

#include "kit.h"
#include "stage4.h"

namespace stage4 {
namespace {

using ag::C;
using ag::Canvas;
using ag::Rgb;

constexpr uint16_t kWallTile = 6;            // the solid value of layer 2
constexpr int kRate[6] = {4, 3, 2, 1, 2, 1}; // quarters of the scroll, by layer
constexpr const char* kSheet = "bg_stage4.bmp";

// The shaft of both dives opens between screen x 60 and 260, a little
// narrower in the far rock.
constexpr int kShaftL = 60, kShaftR = 260;

int Columns(int layer) { return (kStop * kRate[layer] / 4 + 320) / 16 + 2; }
int Offset(int layer, int p) { return (p * kRate[layer]) >> 2; }

uint32_t Hash(uint32_t a, uint32_t b = 0, uint32_t c = 0) {
    return ag::Hash32(a * 0x9E3779B1u ^ ag::Hash32(b + 0x7F4A7C15u) ^ ag::Hash32(c * 31u + 17u));
}
// Triangle wave 0..1 with period p, phase ph in 0..1.
double Tri(double x, double p, double ph) {
    double f = x / p + ph;
    f -= std::floor(f);
    return 1.0 - std::fabs(2.0 * f - 1.0);
}
Rgb Mix(int a, int b, int level, int x, int y) { return ag::Bayer4(x, y) < std::clamp(level, 0, 16) ? C(b) : C(a); }

// --- the deadly walls (layer 2), by map column

struct WallSpan {
    int c0, c1;       // columns, inclusive
    int roof, floor;  // rows above `roof` and from `floor` down are solid
};
struct WallBlock {
    int c0, c1, r0, r1;  // a floating crystal, rows r0..r1
};
// The craft meets column c at about scroll position 32 x (c - 6). Columns
// 48..100 and 217..267 stay clear: the dives and the first moments after
// each landing; from column 283 on the boss has the cave to itself.
const WallSpan kSpans[] = {
    // Upper cave: one obstacle at a time.
    {18, 20, 0, 11}, {22, 23, 4, 15}, {27, 29, 0, 9}, {31, 32, 6, 15}, {36, 38, 1, 14}, {42, 46, 4, 11},
    {47, 47, 3, 12},
    // Lower cave.
    {101, 103, 0, 10}, {106, 108, 5, 15}, {111, 113, 1, 14}, {118, 119, 7, 15}, {122, 123, 0, 8},
    {128, 135, 4, 11}, {131, 132, 6, 11}, {140, 142, 0, 15}, {145, 147, 0, 15},
    {152, 152, 0, 9}, {154, 154, 5, 15}, {156, 156, 0, 9}, {158, 158, 5, 15}, {160, 160, 0, 9},
    {171, 174, 0, 15},
    {180, 181, 1, 8}, {182, 183, 2, 9}, {184, 185, 3, 10}, {186, 187, 4, 11}, {188, 189, 5, 12}, {190, 191, 6, 13},
    {197, 199, 0, 12}, {203, 205, 1, 15}, {210, 214, 4, 10}, {215, 216, 3, 12},
    // Deepest cave, before the boss's hall.
    {268, 270, 0, 10}, {273, 275, 5, 15}, {278, 282, 3, 11},
};
const WallBlock kBlocks[] = {
    {36, 38, 7, 8}, {111, 113, 6, 8}, {140, 142, 3, 5}, {145, 147, 9, 11}, {171, 174, 5, 9},
    {197, 199, 2, 4}, {203, 205, 8, 10},
};

bool WallSolid(int c, int r) {
    if (r < 0 || r >= kMapRows) return false;
    bool s = false;
    for (const WallSpan& w : kSpans)
        if (c >= w.c0 && c <= w.c1 && (r < w.roof || r >= w.floor)) s = true;
    for (const WallBlock& b : kBlocks)
        if (c >= b.c0 && c <= b.c1 && r >= b.r0 && r <= b.r1) s = true;
    return s;
}

// Tile 6: a lattice of lit crystal facets that repeats in both directions.
Canvas WallTile() {
    Canvas t(16, 16);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++) {
            double dx = x - 7.5, dy = y - 7.5;
            double d = std::fabs(dx) + std::fabs(dy);
            Rgb c;
            if (d <= 6.5) {  // the facet diamond
                if (dx < 0 && dy < 0) c = C(ag::P_ICE2);
                else if (dx >= 0 && dy < 0) c = Mix(ag::P_ICE1, ag::P_ICE2, 5, x, y);
                else if (dx < 0) c = C(ag::P_ICE1);
                else c = Mix(ag::P_ICE0, ag::P_ICE1, 6, x, y);
                if (d > 5.5) c = (dx + dy < 0) ? C(ag::P_ICE3) : C(ag::P_TEAL1);
            } else {  // the gaps between diamonds: deeper crystal
                c = (dx + dy < 0) ? C(ag::P_TEAL2) : Mix(ag::P_TEAL1, ag::P_ICE0, 4, x, y);
            }
            t.Set(x, y, c);
        }
    t.Set(5, 5, C(ag::P_ICE3));
    return t;
}

// A crystal point growing out of a wall face: base centre (bx, by), pointing
// along (ux, uy), length len, half width hw at the base.
void Spike(Canvas& cv, int bx, int by, int ux, int uy, int len, int hw) {
    for (int i = 0; i < len; i++) {
        int half = hw * (len - i) / len;
        for (int j = -half; j <= half; j++) {
            int x = bx + ux * i + (uy != 0 ? j : 0);
            int y = by + uy * i + (ux != 0 ? j : 0);
            Rgb c = (j < 0) ? C(ag::P_ICE2) : (j == 0 ? C(ag::P_ICE1) : C(ag::P_ICE0));
            if (i == len - 1 || (i == len - 2 && j == 0)) c = C(ag::P_ICE3);
            if (std::abs(j) == half && half > 0 && i < len - 2) c = (j < 0) ? C(ag::P_ICE3) : C(ag::P_TEAL1);
            cv.Set(x, y, c);
        }
    }
}

void PaintWalls(Canvas& cv, std::vector<uint8_t>& solid, int cols) {
    const Canvas tile = WallTile();
    for (int c = 0; c < cols; c++)
        for (int r = 0; r < kMapRows; r++) {
            solid[size_t(c) * kMapRows + r] = WallSolid(c, r) ? 1 : 0;
            if (solid[size_t(c) * kMapRows + r]) cv.Blit(tile, c * 16, r * 16, false);
        }
    // The faces glow: a lit rim and crystal points in the free cells around.
    for (int c = 0; c < cols; c++)
        for (int r = 0; r < kMapRows; r++) {
            if (WallSolid(c, r)) continue;
            bool below = WallSolid(c, r + 1), above = WallSolid(c, r - 1);
            bool right = WallSolid(c + 1, r), left = WallSolid(c - 1, r);
            if (!(below || above || right || left)) continue;
            int x0 = c * 16, y0 = r * 16;
            uint32_t v = Hash(uint32_t(c), uint32_t(r), 7) % 3;
            ag::ClipScope clip(cv, ag::Rect{x0, y0, x0 + 16, y0 + 16});
            if (below) {
                cv.HLine(x0, x0 + 15, y0 + 15, C(ag::P_ICE3));
                Spike(cv, x0 + 3 + int(v), y0 + 15, 0, -1, 6 + int(v) * 2, 2);
                Spike(cv, x0 + 11 - int(v), y0 + 15, 0, -1, 4 + int(2 - v), 2);
            }
            if (above) {
                cv.HLine(x0, x0 + 15, y0, C(ag::P_TEAL2));
                Spike(cv, x0 + 5 + int(v) * 2, y0, 0, 1, 7 + int(v), 2);
                if (v != 1) Spike(cv, x0 + 12, y0, 0, 1, 4, 1);
            }
            if (right) {
                cv.VLine(x0 + 15, y0, y0 + 15, C(ag::P_ICE2));
                Spike(cv, x0 + 15, y0 + 4 + int(v) * 3, -1, 0, 5 + int(v), 2);
            }
            if (left) {
                cv.VLine(x0, y0, y0 + 15, C(ag::P_TEAL1));
                Spike(cv, x0, y0 + 10 - int(v) * 2, 1, 0, 4 + int(v), 2);
            }
        }
}

// --- rock layers: a solid mask shaded by light from the upper left

struct Tones {
    int shade, body, light, vein;
};

struct Mask {
    int w = 0;
    std::vector<uint8_t> m;
    explicit Mask(int width) : w(width), m(size_t(width) * 240, 0) {}
    bool At(int x, int y) const { return x >= 0 && x < w && y >= 0 && y < 240 && m[size_t(y) * w + x]; }
    void Put(int x, int y, bool v) {
        if (x >= 0 && x < w && y >= 0 && y < 240) m[size_t(y) * w + x] = v ? 1 : 0;
    }
};

// Rock outline of one layer: roof depth and floor top (pixels) at layer x,
// with hanging and standing points.
struct RockPlan {
    int roof, roofAmp, floor, floorAmp;
    int dripEvery, dripLen, dripHalf;    // stalactites
    int standEvery, standLen, standHalf; // stalagmites
    int columnEvery, columnHalf;         // whole columns (0: none)
    int shaft;                           // how much thicker the rock between the caves is at the dives
};

double Smooth(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

void PaintRockMask(Mask& mk, const RockPlan& p, int layer) {
    // The views of the dives: above, the floor thickens toward a hole in it;
    // below, the roof is thick around the hole the shaft comes through.
    const int views[4] = {Offset(layer, kDive1), Offset(layer, kDive1 + kJump1), Offset(layer, kDive2),
                          Offset(layer, kDive2 + kJump2)};
    for (int x = 0; x < mk.w; x++) {
        int roof = p.roof + int(p.roofAmp * (0.6 * Tri(x, 192, 0.1) + 0.4 * Tri(x, 64, 0.35)));
        int floor = p.floor - int(p.floorAmp * (0.6 * Tri(x, 384, 0.6) + 0.4 * Tri(x, 48, 0.2)));
        bool hole = false, nearDive = false;
        for (int v = 0; v < 4; v++) {
            int sx = x - views[v];
            nearDive |= sx > -4 * p.columnHalf - 8 && sx < 320 + 4 * p.columnHalf + 8;
            if (v % 2 == 0) {
                floor -= int(p.shaft * Smooth((sx + 160) / 200.0) * (sx < 320 ? 1 : 0));
                hole |= sx >= kShaftL && sx < kShaftR;
            } else {
                roof += int(p.shaft * (1 - Smooth((sx - 280) / 200.0)) * (sx >= -40 ? 1 : 0));
                hole |= sx >= kShaftL && sx < kShaftR;
            }
        }
        // Stalactites: four sizes in turn, point down.
        if (p.dripEvery > 0) {
            int k = x / p.dripEvery, dx = x % p.dripEvery - p.dripEvery / 2;
            static const int len[4] = {100, 55, 80, 35};
            int l = p.dripLen * len[k % 4] / 100, hw = p.dripHalf * (k % 2 ? 70 : 100) / 100;
            if (std::abs(dx) < hw) roof = std::max(roof, roof + l * (hw - std::abs(dx)) / hw);
        }
        if (p.standEvery > 0) {
            int k = (x + p.standEvery / 3) / p.standEvery, dx = (x + p.standEvery / 3) % p.standEvery - p.standEvery / 2;
            static const int len[3] = {100, 60, 80};
            int l = p.standLen * len[k % 3] / 100, hw = p.standHalf * (k % 2 ? 75 : 100) / 100;
            if (std::abs(dx) < hw) floor = std::min(floor, floor - l * (hw - std::abs(dx)) / hw);
        }
        for (int y = 0; y < 240; y++) {
            bool s = y < roof || y >= floor;
            // The holes open the rock between the caves: the floor of the view
            // above, the roof of the view below.
            if (hole) {
                for (int v = 0; v < 4; v++) {
                    // Ragged sides, rounded where they meet the cave.
                    bool upper = v % 2 == 0;
                    double lip = upper ? std::max(0.0, (150 - y) / 50.0) : std::max(0.0, (y - 90) / 50.0);
                    int inset = 12 + (layer == 4 ? 10 : 0) + int(6 * Tri(y + layer * 17, 40, 0.3)) - int(12 * lip * lip);
                    int sx = x - views[v];
                    if (sx < kShaftL + inset || sx >= kShaftR - inset) continue;
                    if ((upper && y >= 100) || (!upper && y < 140)) s = false;
                }
            }
            mk.Put(x, y, s);
        }
        if (p.columnEvery > 0 && !nearDive) {
            int dx = std::abs((x + p.columnEvery / 2) % p.columnEvery - p.columnEvery / 2);
            for (int y = 0; y < 240; y++) {
                double u = std::fabs(y - 120) / 120.0;   // flares toward roof and floor
                if (dx <= p.columnHalf * (0.55 + 0.9 * u * u)) mk.Put(x, y, true);
            }
        }
    }
}

// The rock is harmless, so it is drawn see-through (every other pixel left
// out, in a checkerboard) and without a lit rim: only the crystal walls,
// which kill, look solid.
void ShadeRock(Canvas& cv, const Mask& mk, const Tones& t) {
    for (int y = 0; y < 240; y++)
        for (int x = 0; x < mk.w; x++) {
            if (!mk.At(x, y) || ((x + y) & 1)) continue;
            Rgb c;
            if (!mk.At(x, y - 1) || !mk.At(x - 1, y))
                c = C(t.light);
            else if (!mk.At(x - 2, y - 2) || !mk.At(x, y - 3) || !mk.At(x - 3, y))
                c = Mix(t.body, t.light, 10, x, y);
            else if (!mk.At(x + 1, y) || !mk.At(x, y + 1) || !mk.At(x + 2, y + 2))
                c = C(t.shade);
            else {
                // Broad patches of lighter stone, repeating every 64 x 48 pixels.
                int level = int(7 * Tri(x, 64, 0.2) * Tri(y, 48, 0.6) + 3 * Tri(x + y, 32, 0.5));
                c = Mix(t.body, t.light, level - 2, x, y);
                if (!mk.At(x + 4, y + 4) || !mk.At(x + 6, y)) c = Mix(t.body, t.shade, 8, x, y);
                // Cracks and mineral veins.
                if ((x + 2 * y) % 64 == 0 || (2 * x - y + 960) % 96 == 0) c = C(t.vein);
                if ((x * 3 + y) % 80 == 1 && y % 7 < 4) c = C(t.shade);
            }
            cv.Set(x, y, c);
        }
}

// --- the back wall (layer 5) and its crystals (layer 3)

void PaintBackWall(Canvas& cv) {
    for (int y = 0; y < 240; y++)
        for (int x = 0; x < cv.w; x++) {
            // Darkest at roof and floor, a violet glow from the crystals in the
            // middle, layered strata across.
            double u = std::fabs(y - 124) / 120.0;
            int level = int((1.0 - u * u) * 30);
            Rgb c = level >= 16 ? Mix(ag::P_DUSK1, ag::P_DUSK2, (level - 16) / 3, x, y) : Mix(ag::P_DUSK0, ag::P_DUSK1, level, x, y);
            int strata = int(8 * Tri(x, 128, 0.3) + 5 * Tri(x, 64, 0.8));
            for (int s : {46, 84, 150, 192})
                if (y == s + strata - 6 || y == s - strata / 2 + 3 || y == s + strata - 5)
                    c = C(level >= 16 ? ag::P_DUSK0 : ag::P_INK);
            cv.Set(x, y, c);
        }
    // Distant glints, repeating every 128 pixels.
    for (int x0 = 0; x0 < cv.w; x0 += 128)
        for (int k = 0; k < 7; k++) {
            uint32_t h = Hash(uint32_t(k), 5, 9);
            int x = x0 + int(h % 128), y = 30 + int((h >> 8) % 180);
            bool teal = k % 2 == 0;
            cv.Set(x, y, C(teal ? ag::P_TEAL2 : ag::P_VIOLET2));
            cv.Set(x + 1, y, C(teal ? ag::P_TEAL0 : ag::P_VIOLET0));
            cv.Set(x, y + 1, C(teal ? ag::P_TEAL0 : ag::P_VIOLET0));
            cv.Set(x - 1, y, C(teal ? ag::P_TEAL0 : ag::P_VIOLET0));
            cv.Set(x, y - 1, C(teal ? ag::P_TEAL0 : ag::P_VIOLET0));
        }
}

// A dim cluster of crystals on the back wall, growing from (x, base) up
// (dir -1) or down (dir 1): points of different lengths fanning out.
void Cluster(Canvas& cv, int x, int base, int dir, int size, bool teal) {
    const int dark = teal ? ag::P_TEAL0 : ag::P_VIOLET0, mid = teal ? ag::P_TEAL1 : ag::P_VIOLET1;
    const int n = 5;
    static const int lens[n] = {45, 80, 100, 70, 40};
    static const int lean[n] = {-6, -3, 0, 3, 6};
    for (int i = 0; i < n; i++) {
        int len = size * lens[i] / 100, hw = 3 + (i == 2);
        int bx = x + (i - 2) * 4;
        for (int s = 0; s < len; s++) {
            int half = hw * (len - s) / len;
            int cx = bx + lean[i] * s / std::max(1, len);
            for (int j = -half; j <= half; j++)
                cv.Set(cx + j, base + dir * s, (j < 0) ? C(mid) : (s == len - 1 ? C(mid) : C(dark)));
        }
    }
}

void PaintCrystals(Canvas& cv) {
    // Kept away from the stretches the two views of a dive both show.
    for (int x = 24, k = 0; x + 40 < cv.w; k++) {
        bool clashes = (x > 600 && x < 760) || (x > 1800 && x < 2320);
        if (!clashes) {
            bool top = k % 3 == 1;
            Cluster(cv, x, top ? 30 : 212, top ? 1 : -1, 22 + (k % 3) * 8, k % 2 == 0);
        }
        x += 96 + (k % 4) * 32;
    }
}

}  // namespace

ag::Scenery Build() {
    Canvas sheet(1024, 1024);
    const Canvas wall = WallTile();
    sheet.Blit(wall, (kWallTile % 64) * 16, (kWallTile / 64) * 16, false);
    ag::TileCutter cut(sheet, kSheet, {}, {kWallTile});   // tile 6 is the wall's own

    // Tones from far to near: each nearer layer darker, the walls brightest.
    const Tones far{ag::P_INK, ag::P_DUSK0, ag::P_DUSK1, ag::P_TEAL0};
    const Tones nearRock{ag::P_INK, ag::P_INK, ag::P_DUSK0, ag::P_VIOLET0};
    const Tones front{ag::P_INK, ag::P_INK, ag::P_INK, ag::P_INK};
    //                roof amp floor amp  drips            stands          columns  shaft
    const RockPlan farPlan{34, 14, 204, 14, 96, 70, 16, 128, 64, 18, 768, 20, 40};
    const RockPlan nearPlan{10, 8, 226, 8, 192, 40, 14, 256, 34, 18, 0, 0, 24};
    const RockPlan frontPlan{3, 3, 234, 3, 256, 16, 6, 640, 22, 30, 0, 0, 10};

    for (int layer = 5; layer >= 0; layer--) {
        int cols = Columns(layer);
        Canvas cv(cols * 16, 240);
        std::vector<uint8_t> solid;
        switch (layer) {
        case 5: PaintBackWall(cv); break;
        case 3: PaintCrystals(cv); break;
        case 2:
            solid.assign(size_t(cols) * kMapRows, 0);
            PaintWalls(cv, solid, cols);
            break;
        default: {
            Mask mk(cv.w);
            const RockPlan& p = layer == 4 ? farPlan : layer == 1 ? nearPlan : frontPlan;
            PaintRockMask(mk, p, layer);
            ShadeRock(cv, mk, layer == 4 ? far : layer == 1 ? nearRock : front);
        }
        }
        for (int c = 0; c < cols && c < kMapColumns; c++)
            for (int r = 0; r < kMapRows; r++) {
                uint16_t id;
                if (layer == 2 && solid[size_t(c) * kMapRows + r]) {
                    id = kWallTile;
                } else {
                    id = cut.Tile(cv, c * 16, r * 16);
                    if (layer == 2 && id == kWallTile) ag::Fail("bg_stage4.bmp: a free wall cell looks solid");
                }
                cut.map[MenMapIndex(c, r, layer)] = id;
            }
    }
    return cut.Finish(16);
}
}  // namespace stage4

AG_REGISTER(RegisterStage4Scenery) {
    using namespace ag;
    const char* sheet = stage4::kSheet;
    const Scenery& s = AddScenery(4, sheet, "stage4", "stage 4 scenery: map tiles", stage4::Build);
    DeclareCell(sheet, "tiles 0", {0, 0, 96, 16}, "16x16 map tiles 0-5", Copy::Keyed, "stage4");
    DeclareCell(sheet, "wall", {96, 0, 112, 16}, "tile 6: the crystal wall that kills (layer 2)", Copy::Keyed, "stage4");
    DeclareCell(sheet, "tiles 1", {112, 0, 1024, 16}, "16x16 map tiles 7-63", Copy::Keyed, "stage4");
    if (s.height > 16)
        DeclareCell(sheet, "tiles 2", {0, 16, 1024, s.height}, "16x16 map tiles (ids by the 64-wide grid)",
                    Copy::Keyed, "stage4");
}
