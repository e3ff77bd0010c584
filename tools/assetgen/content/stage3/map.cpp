// Stage 3's scenery sheet "bg_stage3.bmp" and the map layers of "men3.dat".
//
// The stage scrolls two pixels a frame over four tile layers, all drawn
// behind the sprites: layers 3 and 2 at half the scroll, layer 1 at three
// quarters and layer 0 at the full scroll. Each layer is painted as one long
// picture in its own scroll space, then cut into 16 x 16 tiles stored once
// each on the sheet.
//   layer 3: evening sky, far hills and the far forest; opaque in every cell,
//            since nothing clears the screen before it (repeats every 640 px);
//   layer 2: the autumn canopy the ground pieces stand on, two rivers and the
//            lake at the end, the stumps, rocks and logs under ground pieces;
//   layer 1: nearer crowns low along the bottom and boughs reaching down;
//   layer 0: the nearest treetops rushing past along the bottom edge.
// Everything is dimmer and greyer than the enemies and their bullets.
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <vector>

#include "kit.h"
#include "stage3.h"

namespace stage3 {
namespace {

using ag::C;
using ag::Canvas;
using ag::Rgb;

constexpr double kPi = 3.14159265358979323846;
constexpr const char* kSheet = "bg_stage3.bmp";

// Columns painted per layer: enough for the whole scroll (to 12002) plus a
// screen, at each layer's rate.
constexpr int kCols[4] = {780, 590, 400, 400};

struct Tones {
    int shade, body, light, rim;
};

Rgb Mix(int a, int b, int level, int x, int y) {
    level = std::clamp(level, 0, 16);
    return ag::Bayer4(x, y) < level ? C(b) : C(a);
}
uint32_t Hash(uint32_t a, uint32_t b = 0, uint32_t c = 0) {
    return ag::Hash32(a * 0x9E3779B1u ^ ag::Hash32(b + 0x7F4A7C15u) ^ ag::Hash32(c * 31u + 17u));
}
double Sin(double x, double p, double ph) { return std::sin(2 * kPi * (x / p + ph)); }
double Tri(double x, double p, double ph) {
    double f = x / p + ph;
    f -= std::floor(f);
    return 1.0 - std::fabs(2.0 * f - 1.0);
}

// Autumn crowns: lit from the upper left, leafy speckle inside.
const Tones kMaple{ag::P_INK, ag::P_FIRE0, ag::P_AMBER0, ag::P_FIRE1};
const Tones kBirch{ag::P_EARTH0, ag::P_GOLD0, ag::P_EARTH2, ag::P_GOLD1};
const Tones kOak{ag::P_INK, ag::P_EARTH1, ag::P_AMBER0, ag::P_EARTH2};
const Tones kBeech{ag::P_INK, ag::P_ROSE0, ag::P_FIRE0, ag::P_AMBER0};
const Tones kFir{ag::P_INK, ag::P_LEAF0, ag::P_LEAF1, ag::P_LEAF2};

// A round leafy puff painted over whatever is there.
void Crown(Canvas& cv, int cx, int cy, int r, Tones t, uint32_t seed) {
    for (int y = cy - r; y <= cy + r; y++)
        for (int x = cx - r; x <= cx + r; x++) {
            int dx = x - cx, dy = y - cy;
            int d2 = dx * dx + dy * dy;
            // ragged leafy edge
            int rr = r * r + r - int(Hash(x / 2, y / 2, seed) % 7) * r / 3;
            if (d2 > rr) continue;
            double n = (-0.6 * dx - dy) / (r * 1.17);
            Rgb c;
            if (n > 0.55)
                c = Mix(t.body, t.light, 10, x, y);
            else if (n > 0.2)
                c = Mix(t.body, t.light, int((n - 0.2) * 20), x, y);
            else if (n < -0.2)
                c = Mix(t.body, t.shade, int(4 + (-n - 0.2) * 18), x, y);
            else
                c = C(t.body);
            uint32_t h = Hash(x, y, seed + 5);
            if (n > 0.35 && h % 9 == 0) c = C(t.rim);            // sunlit leaves
            else if (h % 13 == 0) c = C(t.shade);                 // gaps between leaves
            cv.Set(x, y, c);
        }
}

// A spiky fir: stacked tiers, dark and cool among the warm crowns.
void Fir(Canvas& cv, int cx, int top, int h, int bottom) {
    int w = h / 2;
    for (int y = top; y < bottom; y++) {
        double u = double(y - top) / h;
        if (u > 1) u = 1;
        double tier = u * 4 - std::floor(u * 4);
        int half = int((w / 2.0) * (0.2 + 0.8 * u) * (0.6 + 0.4 * tier)) + 1;
        for (int x = cx - half; x <= cx + half; x++) {
            bool edge = x <= cx - half + 1;
            cv.Set(x, y, edge ? C(kFir.light) : Mix(kFir.body, kFir.shade, x > cx ? 10 : 2, x, y));
        }
    }
}

// --- layer 3: the far view, opaque, repeating every 640 pixels

void PaintFar(Canvas& cv) {
    const int sky[] = {ag::P_SKY0, ag::P_DUSK1, ag::P_DUSK2, ag::P_DUSK3, ag::P_AMBER0};
    for (int x = 0; x < cv.w; x++) {
        int px = x % 640;
        // Sky, deep blue overhead to a warm glow low down.
        for (int y = 0; y < 240; y++) {
            double v = std::min(1.0, y / 150.0);
            v = std::pow(v, 1.2) * 4;
            int i = std::min(3, int(v));
            int lv = int((v - i) * 16);
            cv.Set(x, y, Mix(sky[i], sky[i + 1], lv, px, y));
        }
        // Long thin clouds lit from below.
        static const int streaks[][3] = {{30, 40, 170}, {250, 70, 120}, {420, 30, 150}, {530, 92, 90}};
        for (auto& s : streaks) {
            int i = ((px - s[0]) % 640 + 640) % 640;
            if (i >= s[2]) continue;
            double u = double(i) / s[2];
            int half = int(2.5 * std::sqrt(std::max(0.0, 1 - (2 * u - 1) * (2 * u - 1))) + 0.5);
            for (int d = -half; d <= half; d++)
                cv.Set(x, s[1] + d, d == half ? C(ag::P_AMBER1) : Mix(ag::P_DUSK2, ag::P_DUSK3, 6, px, s[1] + d));
        }
        // Far hills, two ranges.
        int h1 = int(128 - 26 * (0.6 * Tri(px, 320, 0.1) + 0.4 * Tri(px, 128, 0.35)));
        for (int y = h1; y < 240; y++)
            cv.Set(x, y, y < h1 + 2 ? C(ag::P_DUSK3) : Mix(ag::P_DUSK2, ag::P_DUSK1, std::min(12, (y - h1) / 3), px, y));
        int h2 = int(150 - 18 * (0.55 * Tri(px + 90, 213.3333, 0.6) + 0.45 * Tri(px, 80, 0.2)));
        for (int y = h2; y < 240; y++)
            cv.Set(x, y, y < h2 + 2 ? C(ag::P_DUSK2) : Mix(ag::P_DUSK1, ag::P_DUSK0, std::min(10, (y - h2) / 3), px, y));
        // The far forest: a band of small rounded crowns.
        // rounded crowns, 12 and 40 pixels across
        double b1 = (px % 12 - 5.5) / 6.0, b2 = (px % 40 - 19.5) / 20.0;
        int ft = 168 - int(3 * std::sqrt(std::max(0.0, 1 - b1 * b1))) - int(5 * std::sqrt(std::max(0.0, 1 - b2 * b2)));
        for (int y = ft; y < 240; y++) {
            uint32_t h = Hash(px / 2, y / 2, 3);
            Rgb c = Mix(ag::P_DUSK1, ag::P_DUSK0, std::min(16, (y - ft) / 2), px, y);
            if (y < ft + 2) c = C(ag::P_AMBER0);
            else if (h % 5 == 0 && y < ft + 30) c = C(h % 3 ? ag::P_FIRE0 : ag::P_GOLD0);
            else if (h % 7 == 0) c = C(ag::P_ROSE0);
            cv.Set(x, y, c);
        }
    }
}

// --- layer 2: canopy, rivers, lake and the footings of ground pieces

// Top of the canopy at picture x (where there is canopy).
int CanopyTop(int x) {
    return 190 - int(6 * std::fabs(Sin(x, 96, 0.1))) - int(4 * Sin(x, 400, 0.3));
}


// How far x lies inside a water stretch (0 outside), for the banks.
int WaterDepthAt(int x) {
    auto inside = [](int x, int a, int b) { return std::max(0, std::min(x - a, b - x)); };
    return std::max({inside(x, kRiver1From, kRiver1To), inside(x, kRiver2From, kRiver2To), inside(x, kLakeFrom, 1 << 20)});
}

void PaintWater(Canvas& cv, int x, int top) {
    for (int y = top; y < 240; y++) {
        int d = y - top;
        Rgb c = Mix(ag::P_TEAL0, ag::P_SKY0, std::min(16, d / 2 + 4), x, y);
        // Ripples flowing along: short light dashes, denser near the surface.
        uint32_t h = Hash(x / 6, y, 41);
        if (d == 0) c = C(ag::P_TEAL1);
        else if (h % (6 + d / 3) == 0 && (x % 6) < 4) c = C(d < 10 ? ag::P_ICE0 : ag::P_TEAL1);
        // The evening glow mirrored in the water.
        else if (d > 2 && d < 8 && (Hash(x / 3, y, 43) % 5) == 0) c = C(ag::P_AMBER0);
        cv.Set(x, y, c);
    }
}

// Rocks along the river: grey stones half in the water.
void Stone(Canvas& cv, int cx, int top, int halfW, uint32_t seed) {
    int h = 14 + int(seed % 5);
    for (int y = top; y < top + h; y++)
        for (int x = cx - halfW; x <= cx + halfW; x++) {
            double u = double(x - cx) / halfW, v = double(y - top) / h;
            if (u * u + (1 - v) * (1 - v) * 0.3 > 1.0 + v * 0.2) continue;
            Rgb c = Mix(ag::P_METAL0, ag::P_METAL1, x < cx ? 9 : 2, x, y);
            if (y == top || (y == top + 1 && x < cx)) c = C(ag::P_METAL2);
            else if (x > cx + halfW - 3) c = C(ag::P_INK);
            cv.Set(x, y, c);
        }
}

// A footing with a flat top at `top`, centred at cx.
void Footing(Canvas& cv, const GroundSpot& s) {
    int cx = s.CentreX(), hw = s.halfWidth, top = s.top;
    switch (s.footing) {
    case Footing::Stump: {
        // A broken giant trunk rising out of the canopy, its cut face flat.
        for (int y = top; y < 240; y++) {
            int flare = std::max(0, (y - top - 20)) / 3;
            for (int x = cx - hw - flare; x <= cx + hw + flare; x++) {
                int rel = x - (cx - hw - flare);
                Rgb c = Mix(ag::P_EARTH0, ag::P_EARTH1, rel < 6 ? 12 : (x > cx + hw - 4 ? 0 : 5), x, y);
                if ((x * 7 + y / 5) % 11 == 0) c = C(ag::P_INK);   // bark furrows
                cv.Set(x, y, c);
            }
        }
        for (int x = cx - hw; x <= cx + hw; x++) {
            cv.Set(x, top, C(ag::P_EARTH3));
            cv.Set(x, top + 1, C(ag::P_EARTH2));
            cv.Set(x, top + 2, ((x - cx) % 5 == 0) ? C(ag::P_EARTH1) : C(ag::P_EARTH2));
        }
        break;
    }
    case Footing::Rock: {
        // A flat boulder standing in the water.
        for (int y = top; y < 240; y++) {
            int widen = std::min(6, (y - top) / 3) - std::max(0, 4 - (y - top)) * 2;   // rounded shoulders
            for (int x = cx - hw - widen; x <= cx + hw + widen; x++) {
                Rgb c = Mix(ag::P_METAL0, ag::P_METAL1, x < cx - hw / 2 ? 10 : 3, x, y);
                if (Hash(x / 3, y / 4, 9) % 9 == 0) c = C(ag::P_DUSK0);
                if (y >= kWaterTop + 4 && y > top + 10) c = Mix(ag::P_METAL0, ag::P_TEAL0, 8, x, y);  // under water
                cv.Set(x, y, c);
            }
        }
        for (int x = cx - hw + 8; x <= cx + hw - 8; x++) {
            cv.Set(x, top, C(ag::P_METAL2));
            if ((x & 3) != 1) cv.Set(x, top + 1, C(ag::P_LEAF1));   // moss
        }
        break;
    }
    case Footing::Log: {
        // A fallen trunk lying across the canopy, lit along its top, its
        // cut ends showing their rings; broken limbs prop it in the crowns.
        for (int k = 0; k < 4; k++) {
            int bx = cx - hw + 16 + k * (2 * hw - 32) / 3, lean = (k % 2) ? 1 : -1;
            for (int y = top + 12; y < 240; y++) {
                int x = bx + lean * (y - top - 12) / 4;
                cv.Set(x, y, C(ag::P_INK));
                cv.Set(x + 1, y, C(ag::P_EARTH0));
            }
        }
        for (int y = top; y < top + 14; y++) {
            int d = y - top;   // 0 top .. 13 bottom of the round
            for (int x = cx - hw + 4; x <= cx + hw - 4; x++) {
                Rgb c = d < 2 ? C(ag::P_EARTH3) : d < 5 ? Mix(ag::P_EARTH2, ag::P_EARTH3, 5, x, y)
                      : d < 10 ? Mix(ag::P_EARTH1, ag::P_EARTH2, 4, x, y) : Mix(ag::P_EARTH0, ag::P_INK, (d - 9) * 4, x, y);
                if (d > 3 && d < 11 && Hash(x / 5, y / 2, 21) % 6 == 0) c = C(ag::P_EARTH0);   // bark
                cv.Set(x, y, c);
            }
        }
        for (int k = -1; k <= 1; k += 2) {
            int ex = cx + k * (hw - 4);
            for (int y = top; y < top + 14; y++)
                for (int x = ex - 4; x <= ex + 4; x++) {
                    double u = (x - ex) / 4.5, v = (y - top - 6.5) / 7.0;
                    double r = std::sqrt(u * u + v * v);
                    if (r > 1 || (k < 0 ? x > ex : x < ex)) continue;
                    cv.Set(x, y, r > 0.8 ? C(ag::P_EARTH1) : (int(r * 6) % 2 ? C(ag::P_EARTH2) : C(ag::P_EARTH3)));
                }
        }
        for (int x = cx - hw + 12; x < cx + hw - 12; x += 23) {   // a few leaves caught on it
            cv.Set(x, top - 1, C(ag::P_FIRE1));
            cv.Set(x + 1, top - 1, C(ag::P_AMBER0));
        }
        break;
    }
    }
}

void PaintGround(Canvas& cv) {
    // Canopy crowns everywhere except over the water.
    ag::Rng rng(3033);
    const Tones* palette[] = {&kMaple, &kBirch, &kOak, &kBeech, &kMaple, &kOak};
    // Back row first (smaller, lower), then the front row over it.
    for (int row = 0; row < 2; row++) {
        for (int x = -20; x < cv.w + 20;) {
            int r = row == 0 ? rng.Between(10, 16) : rng.Between(13, 22);
            int depth = WaterDepthAt(x);
            if (depth > 0) {   // no trees over the water, a few at the very bank
                x += r;
                continue;
            }
            int cy = CanopyTop(x) + r - (row == 0 ? 2 : -4);
            const Tones& t = *palette[rng.Range(6)];
            uint32_t seed = Hash(uint32_t(x), uint32_t(row));
            if (row == 1 && rng.Range(9) == 0) {
                Fir(cv, x, cy - r - 14, 2 * r + 30, 240);
            } else {
                Crown(cv, x, cy, r, t, seed);
                Crown(cv, x + r / 2, cy + r / 2, r * 2 / 3, t, seed + 1);
                Crown(cv, x - r / 2, cy + r / 3, r * 2 / 3, t, seed + 2);
            }
            // the dark under-storey below the crowns
            for (int y = cy + r / 2; y < 240; y++)
                for (int xx = x - r; xx <= x + r; xx++)
                    if (cv.Get(xx, y) == ag::kKey) cv.Set(xx, y, Mix(ag::P_INK, ag::P_DUSK0, 5, xx, y));
            x += r + rng.Between(4, 12);
        }
    }
    // Shadowed mass below every crown, darkening downward.
    for (int x = 0; x < cv.w; x++) {
        if (WaterDepthAt(x) > 0) continue;
        for (int y = CanopyTop(x) + 24; y < 240; y++)
            if (cv.Get(x, y) == ag::kKey) cv.Set(x, y, Mix(ag::P_DUSK0, ag::P_INK, (y - 200) / 2, x, y));
    }
    // Water: rivers with earthen banks sloping down, then the lake.
    for (int x = 0; x < cv.w; x++) {
        int depth = WaterDepthAt(x);
        if (depth <= 0) continue;
        bool lake = x >= kLakeFrom;
        int surface = lake ? kLakeTop : kWaterTop;
        if (depth < 28) {
            // A bank: earth falling from the canopy to the water.
            int bankTop = CanopyTop(x) + 6 + depth;
            for (int y = bankTop; y < surface; y++)
                cv.Set(x, y, y < bankTop + 2 ? C(ag::P_EARTH2) : Mix(ag::P_EARTH1, ag::P_EARTH0, (y - bankTop) * 2, x, y));
        }
        if (lake && depth < 48) {
            // The lake shore: the forest's edge slopes into the water.
            int shore = surface + (48 - depth) * 5 / 6;
            Canvas keep = cv.Crop(ag::Rect{x, 0, x + 1, 240});
            PaintWater(cv, x, surface);
            for (int y = surface; y < shore && y < 240; y++)
                if (keep.Get(0, y) != ag::kKey) cv.Set(x, y, y + 1 >= shore ? C(ag::P_EARTH2) : keep.Get(0, y));
            continue;
        }
        PaintWater(cv, x, surface);
    }
    // Stones along the rivers.
    for (int x = kRiver1From + 40; x < kRiver1To - 40; x += 70 + int(Hash(x) % 90))
        Stone(cv, x, kWaterTop - 4, 6 + int(Hash(x, 1) % 8), Hash(x, 2));
    for (int x = kRiver2From + 40; x < kRiver2To - 40; x += 60 + int(Hash(x) % 80))
        Stone(cv, x, kWaterTop - 4, 6 + int(Hash(x, 1) % 8), Hash(x, 3));
    // Reeds on the lake shore.
    for (int x = kLakeFrom + 30; x < kLakeFrom + 500; x += 7 + int(Hash(x) % 11)) {
        int h = 6 + int(Hash(x, 4) % 10);
        int base = kLakeTop + 6 + int(Hash(x, 5) % 6);
        for (int y = base - h; y < base; y++) cv.Set(x + (base - y) / 7, y, C(y < base - h + 3 ? ag::P_GOLD0 : ag::P_EARTH0));
    }
    // The footings of the ground pieces, painted last so they stand in front.
    for (const GroundSpot& s : GroundSpots()) Footing(cv, s);
}

// --- layers 1 and 0: nearer crowns and boughs

void PaintNear(Canvas& cv, int stopX, bool nearest) {
    ag::Rng rng(nearest ? 77 : 55);
    const Tones nearT{ag::P_INK, ag::P_DUSK0, ag::P_FIRE0, ag::P_AMBER0};
    const Tones midT{ag::P_INK, ag::P_EARTH0, ag::P_ROSE0, ag::P_FIRE0};
    const Tones& t = nearest ? nearT : midT;
    // Clumps of treetops along the bottom, with open gaps between.
    for (int x = 40; x < stopX;) {
        int n = rng.Between(2, 4);
        for (int i = 0; i < n; i++) {
            int r = nearest ? rng.Between(14, 22) : rng.Between(10, 16);
            int cy = 240 - (nearest ? rng.Between(4, 12) : rng.Between(12, 20)) + r;
            Crown(cv, x, cy, r, t, Hash(uint32_t(x), nearest));
            for (int y = cy; y < 240; y++)
                for (int xx = x - r + 2; xx <= x + r - 2; xx++) cv.Set(xx, y, Mix(t.shade, t.body, 4, xx, y));
            x += r + rng.Between(2, 10);
        }
        x += nearest ? rng.Between(200, 420) : rng.Between(140, 300);
    }
}

// --- cutting the layers into tiles

ag::Scenery Build() {
    Canvas sheet(1024, 1024);
    ag::TileCutter cut(sheet, kSheet);
    for (int layer = 3; layer >= 0; layer--) {
        Canvas cv(kCols[layer] * 16, 240);
        switch (layer) {
        case 3: PaintFar(cv); break;
        case 2: PaintGround(cv); break;
        // The near layers stop where the lake opens (frame kLakeFrom at their rates).
        case 1: PaintNear(cv, kLakeFrom * 3 / 2 - 200, false); break;
        default: PaintNear(cv, kLakeFrom * 2 - 300, true); break;
        }
        cut.CutLayer(cv, layer, layer == 3);   // the deepest layer has no holes
    }
    return cut.Finish(16);
}
}  // namespace
}  // namespace stage3

AG_REGISTER(RegisterStage3Scenery) {
    using namespace ag;
    const Scenery& s = AddScenery(3, stage3::kSheet, "stage3", "stage 3 scenery: map tiles", stage3::Build);
    // Full rows of tiles, then the last, partly filled row.
    int fullRows = s.tiles / 64, rest = s.tiles % 64;
    if (fullRows > 0)
        DeclareCell(stage3::kSheet, "tiles 0", {0, 0, 1024, fullRows * 16}, "16x16 map tiles (ids by the 64-wide grid)",
                    Copy::Keyed, "stage3");
    if (rest > 0)
        DeclareCell(stage3::kSheet, "tiles 1", {0, fullRows * 16, rest * 16, fullRows * 16 + 16},
                    "16x16 map tiles, last row", Copy::Keyed, "stage3");
}
