// Stage 1's scenery sheet and map layers.
//
// Each map layer is first painted as one long picture in its own scroll
// space (a layer moving at 1.5 times the scroll is 1.5 times as long), then
// cut into 16 x 16 tiles; identical tiles are stored once on the sheet.
// Textures repeat with periods that are multiples of 16 pixels and objects sit
// on the tile grid, so the tile count stays small.
//
// The stage's far layer (640 x 240, repeating) is a dusk sky with mountains.
// Layer rates: 6 and 5 at half the scroll, 4 and 3 at the scroll, 2 and 1 at
// one and a half, the foreground 0 at twice. The second half of the stage
// (after the vertical transition) is drawn from further on in every layer;
// the column ranges below keep the two halves apart.
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "kit.h"
#include "props.h"

namespace stage1 {

constexpr const char* kSheet = "bg_stage1.bmp";   // 1024 wide; far layer at (0, 240)..(640, 480)

namespace {

using ag::C;
using ag::Canvas;
using ag::Rgb;

constexpr double kPi = 3.14159265358979323846;

// Columns of each layer's picture, and where the sky half ends and the valley
// half begins (the views of the transition never show both in one place).
struct LayerPlan {
    int columns;
    int skyEnd;        // sky content only in columns < skyEnd
    int valleyStart;   // valley content only in columns >= valleyStart
};
// Index: rate class 1 (half), 2 (full), 3 (one and a half), 4 (foreground).
constexpr LayerPlan kPlan[5] = {
    {0, 0, 0}, {372, 188, 190}, {722, 376, 380}, {1072, 556, 568}, {1460, 728, 758},
};
// The foreground jumps by 640 pixels between sections 18 and 19: nothing there.
constexpr int kFrontGapFrom = 812, kFrontGapTo = 912;

int RateClass(int layer) {
    static const int cls[7] = {4, 3, 3, 2, 2, 1, 1};
    return cls[layer];
}

void PaintFar(Canvas& sheet) {
    const int oy = 240;
    auto wrap = [](int x) { return ((x % 640) + 640) % 640; };
    // Sky: deep violet overhead to a low amber glow.
    const int sky[] = {ag::P_INK, ag::P_DUSK0, ag::P_DUSK1, ag::P_DUSK2, ag::P_DUSK3, ag::P_AMBER0};
    for (int y = 0; y < 240; y++) {
        double v = std::min(1.0, y / 190.0);
        v = std::pow(v, 1.3) * 5;
        int i = std::min(4, int(v));
        int lv = int((v - i) * 16);
        for (int x = 0; x < 640; x++) sheet.Set(x, oy + y, Mix(sky[i], sky[i + 1], lv, x, y));
    }
    // Stars, fewer toward the horizon.
    for (int y = 2; y < 110; y++)
        for (int x = 0; x < 640; x++) {
            uint32_t h = Hash(x, y, 77);
            if (h % 1000 < unsigned(6 - y / 22)) sheet.Set(x, oy + y, C(h % 3 ? ag::P_DUSK4 : ag::P_METAL3));
        }
    // A pale crescent moon.
    const int mx = 448, my = 46, mr = 13;
    for (int y = -mr - 6; y <= mr + 6; y++)
        for (int x = -mr - 6; x <= mr + 6; x++) {
            double d = std::sqrt(double(x * x + y * y));
            double d2 = std::sqrt(double((x + 6) * (x + 6) + (y - 3) * (y - 3)));
            if (d <= mr && d2 > mr - 1)
                sheet.Set(mx + x, oy + my + y, d > mr - 1.2 || d2 < mr + 1 ? C(ag::P_METAL2) : Mix(ag::P_METAL3, ag::P_DUSK4, 4, x, y));
            else if (d <= mr + 5 && d > mr && ag::Bayer4(x, y) < 3)
                sheet.Set(mx + x, oy + my + y, C(ag::P_DUSK2));
        }
    // Long thin clouds low in the sky, lit from below.
    const int streaks[][3] = {{40, 118, 150}, {260, 104, 120}, {420, 126, 170}, {580, 112, 110}};
    for (auto& s : streaks)
        for (int i = 0; i < s[2]; i++) {
            double u = double(i) / s[2];
            int half = int(3 * std::sqrt(std::max(0.0, 1 - (2 * u - 1) * (2 * u - 1))) + 0.5);
            for (int d = -half; d <= half; d++) {
                int x = wrap(s[0] + i), y = s[1] + d;
                sheet.Set(x, oy + y, d == half ? C(ag::P_AMBER1) : Mix(ag::P_DUSK3, ag::P_DUSK4, 4, x, y));
            }
        }
    // Two mountain ranges: the far one hazier.
    auto ridge = [](double x, double base, double amp, double ph) {
        return base - amp * (0.55 * Tri(x, 160, ph) + 0.3 * Tri(x, 64, ph * 2.7) + 0.15 * Tri(x, 32, ph * 1.3));
    };
    for (int x = 0; x < 640; x++) {
        int h1 = int(ridge(x, 176, 62, 0.13));
        // Faces turned to the low sun: the big slopes only, so the light reads as faces.
        auto rising = [](double x, double ph) { double f = x / 160 + ph; return f - std::floor(f) < 0.5; };
        bool lit1 = rising(x, 0.13);
        for (int y = h1; y < 240; y++) {
            bool litFace = lit1;
            Rgb c = Mix(ag::P_DUSK2, ag::P_DUSK3, litFace ? std::max(0, 8 - (y - h1) / 6) : 0, x, y);
            if (y < 132 && y < h1 + 6) c = litFace ? C(ag::P_DUSK4) : Mix(ag::P_DUSK3, ag::P_DUSK4, 4, x, y);
            sheet.Set(x, oy + y, c);
        }
        int h2 = int(ridge(x + 211, 206, 52, 0.61));
        bool lit2 = rising(x + 211, 0.61);
        for (int y = h2; y < 240; y++) {
            bool litFace = lit2;
            Rgb c = Mix(ag::P_DUSK1, ag::P_DUSK2, litFace ? std::max(1, 9 - (y - h2) / 5) : 1, x, y);
            if (y < 172 && y < h2 + 4) c = litFace ? C(ag::P_DUSK3) : C(ag::P_DUSK2);
            sheet.Set(x, oy + y, c);
        }
        // Haze of the cloud sea far below.
        int hc = int(218 + 3 * Sin(x, 80, 0.2) + 2 * Sin(x, 32, 0.7));
        for (int y = hc; y < 240; y++)
            sheet.Set(x, oy + y, y == hc ? C(ag::P_DUSK4) : Mix(ag::P_DUSK3, ag::P_DUSK2, std::min(16, (y - hc) * 2), x, y));
    }
}

// --- the map layers

using Solid = std::function<bool(int, int)>;

// Inner lumps of a cloud mass: rows of scallops every 16 pixels of depth.
// Returns -1 on a lump's shaded underside, 1 on its lit rim, 0 elsewhere.
int Scallop(int x, int depth, int maxDepth) {
    if (depth < 8 || depth >= maxDepth) return 0;
    int j = (depth - 8) / 16;
    int f = int(7 * std::fabs(Sin(x, 128, 0.37 * j + 0.1))) + int(2 * std::fabs(Sin(x, 64, 0.21 * j)));
    int k = (depth - 8) % 16 - (13 - f);   // 0 at the rim of the next lump
    if (k == 0 || k == 1) return 1;
    if (k >= -3 && k < 0) return -1;
    return 0;
}

// Paints a band given by a top (or bottom) profile over columns [c0, c1).
// Cloud bands get scalloped lumps inside.
void Band(Canvas& cv, int c0, int c1, const std::function<int(int)>& edge, bool fromTop, Tones t, int fadeRows,
          bool cloud = false, int scallopDepth = 56) {
    int x0 = c0 * 16, x1 = std::min(cv.w, c1 * 16);
    Solid solid = [&](int x, int y) {
        if (y < 0) return fromTop;
        if (y >= 240) return !fromTop;
        if (x < x0 || x >= x1) return true;   // the band goes on past the range
        return fromTop ? y < edge(x) : y >= edge(x);
    };
    for (int x = x0; x < x1; x++) {
        int e = edge(x);
        for (int y = fromTop ? 0 : std::max(0, e); y < (fromTop ? std::min(240, e) : 240); y++) {
            int depth = fromTop ? e - 1 - y : y - e;
            int fade = fadeRows > 0 ? std::clamp(depth * 16 / fadeRows, 0, 10) : 0;
            Rgb c;
            if (fromTop) {
                // Seen from below: the lower edge catches a faint light.
                if (depth <= 1) c = C(t.light);
                else if (depth <= 3) c = Mix(t.body, t.light, 6, x, y);
                else c = Mix(t.body, t.shade, fade, x, y);
            } else {
                c = ShadeShape(solid, x, y, t, cloud ? std::clamp(depth / 6 - 2, 0, 8) : std::clamp(depth - 24, 0, 12));
            }
            if (cloud) {
                int sc = Scallop(x, depth, scallopDepth);
                if (sc > 0) c = fromTop ? Mix(t.body, t.light, 5, x, y) : Mix(t.body, t.light, 9, x, y);
                else if (sc < 0) c = Mix(t.body, t.shade, 10, x, y);
            }
            cv.Set(x, y, c);
        }
    }
}

// Lumpy cloud-top profile repeating every 256 pixels.
int CloudTop(int x, int base, int amp, double ph) {
    return base - int(amp * (0.6 * std::fabs(Sin(x, 256, ph)) + 0.4 * std::fabs(Sin(x, 64, ph * 3))));
}

void PaintLayer6(Canvas& cv) {
    const LayerPlan& p = kPlan[1];
    // Sky half: the far edge of the cloud sea, and far islands above it.
    Band(cv, 0, p.skyEnd, [](int x) { return CloudTop(x, 168, 12, 0.1); }, false, kCloudFar, 0, true);
    const int islands[][3] = {{14, 5, 1}, {52, 4, 0}, {96, 6, 1}, {133, 3, 0}, {170, 5, 0}};
    for (auto& is : islands)
        if (is[0] + 4 <= p.skyEnd) Stamp(cv, Island(64, 48, 900 + is[0], is[2] != 0, true), is[0], is[1]);
    // Valley half: the cloud ceiling far off, and snowy mountains.
    int v0 = p.valleyStart;
    Band(cv, v0, p.columns, [v0](int x) { return 14 + int(6 * std::fabs(Sin(x, 128, 0.3))) + (x < (v0 + 30) * 16 ? 10 : 0); },
         true, kCloudUnder, 12, true);
    // Columns 190-199 are also seen, briefly, at the bottom of the sky half's
    // last view, behind the swollen cloud sea: keep the ridge low there.
    auto ridge = [](int x) {
        int y = 150 - int(48 * (0.55 * Tri(x, 320, 0.2) + 0.3 * Tri(x, 80, 0.55) + 0.15 * Tri(x, 32, 0.1)));
        int floor = x < 197 * 16 ? 124 : 124 - (x - 197 * 16) * 64 / 48;   // then rising to full height
        return std::max(y, floor);
    };
    Band(cv, v0, p.columns, ridge, false, kSnowFar, 0);
    // The castle at the end of the valley, where the stage stops.
    Stamp(cv, Castle(96, 96), 353, 3);
}

void PaintLayer5(Canvas& cv) {
    const LayerPlan& p = kPlan[1];
    // Sky half: thin lit streaks of cloud high up.
    const int streaks[][4] = {{3, 2, 96, 16}, {22, 5, 64, 16}, {40, 1, 128, 32}, {63, 4, 96, 16}, {85, 2, 64, 16},
                              {104, 6, 128, 32}, {126, 1, 96, 16}, {150, 3, 64, 16}, {168, 5, 96, 16}};
    for (auto& s : streaks)
        if (s[0] + s[2] / 16 <= p.skyEnd) Stamp(cv, Streak(s[2], s[3], 31 + s[0]), s[0], s[1]);
    // Valley half: a far pine forest at the foot of the mountains.
    int v0 = p.valleyStart;
    auto forest = [](int x) {
        int tooth = 10 - std::abs((x % 12) - 6) * 2;   // pointed tree tops
        int clump = int(8 * std::fabs(Sin(x, 128, 0.4)));
        return 178 - tooth - clump;
    };
    Tones t{ag::P_INK, ag::P_METAL0, ag::P_DUSK1, ag::P_METAL1};
    Band(cv, v0, p.columns, forest, false, t, 0);
}

void PaintLayer4(Canvas& cv) {
    const LayerPlan& p = kPlan[2];
    // Sky half: a low bank of clouds, heaped higher toward the dive.
    Band(cv, 0, p.skyEnd, [](int x) { return CloudTop(x, 200, 10, 0.45); }, false, kCloudMid, 0, true);
    for (int col = 4, k = 0; col + 12 <= p.skyEnd; k++) {
        int w = (k % 3 == 0) ? 160 : (k % 3 == 1) ? 112 : 96;
        int h = (col > 300) ? 112 : (k % 2 ? 80 : 64);
        Stamp(cv, CloudHeap(w, h, 400 + k % 5 + (col > 300 ? 10 : 0), kCloudMid), col, 14 - h / 16 + 1);
        col += w / 16 + (col > 300 ? 2 : 6 + (k * 7) % 9);
    }
    // Valley half: the ceiling's nearer edge, then snowy hills.
    int v0 = p.valleyStart;
    Band(cv, v0, p.columns, [v0](int x) {
        int thick = std::max(0, (v0 + 60) * 16 - x) / 24;   // thins out after the dive
        return std::max(0, 10 + thick + int(6 * Sin(x, 96, 0.2)) - (x > (v0 + 60) * 16 ? 16 : 0));
    }, true, kCloudUnder, 14, true);
    Band(cv, v0, p.columns, [](int x) { return 186 - int(18 * std::fabs(Sin(x, 320, 0.15))) - int(5 * Sin(x, 64, 0.6)); },
         false, kSnowMid, 0);
}

void PaintLayer3(Canvas& cv) {
    const LayerPlan& p = kPlan[2];
    // Sky half: floating islands.
    const int islands[][4] = {{18, 4, 96, 1}, {47, 2, 64, 0}, {74, 5, 128, 0}, {110, 3, 96, 1}, {139, 6, 64, 0},
                              {165, 2, 128, 1}, {201, 4, 96, 0}, {232, 3, 64, 1}, {258, 5, 128, 0},
                              {296, 2, 96, 1}, {322, 4, 64, 0}, {350, 3, 96, 0}};
    for (auto& is : islands) {
        int w = is[2], h = w * 3 / 4;
        if (is[0] + w / 16 <= p.skyEnd) Stamp(cv, Island(w, h, 100 + is[0] % 3, is[3] != 0, false), is[0], is[1]);
    }
    // Valley half: pines and cabins on the hills.
    int v0 = p.valleyStart;
    Tones pine{ag::P_INK, ag::P_LEAF0, ag::P_LEAF1, ag::P_LEAF2};
    Canvas pineA = Pine(32, 64, pine, ag::P_METAL2, ag::P_EARTH0);
    Canvas pineB = Pine(48, 96, pine, ag::P_METAL2, ag::P_EARTH0);
    Canvas cabin = Cabin(64, 48, true);
    for (int col = v0 + 24, k = 0; col + 4 <= p.columns; k++) {
        switch (k % 7) {
        case 0: case 2: case 5: Stamp(cv, pineA, col, 9); col += 2 + k % 3; break;
        case 1: case 4: Stamp(cv, pineB, col, 7); col += 3 + k % 4; break;
        case 3: Stamp(cv, cabin, col, 10); col += 6; break;
        default: col += 9; break;
        }
        if (col > 690 && col < 700) col = 700;   // open ground before the castle
    }
}

void PaintLayer2(Canvas& cv) {
    const LayerPlan& p = kPlan[3];
    // Sky half: the near cloud sea; it swells into a thick bank before the dive.
    int swellFrom = 470 * 16, skyEndX = p.skyEnd * 16;
    Band(cv, 0, p.skyEnd, [=](int x) {
        int top = CloudTop(x, 214, 12, 0.7);
        if (x > swellFrom) top -= (x - swellFrom) * 100 / (skyEndX - swellFrom);
        return top;
    }, false, kCloudNear, 0, true, 240);
    // Valley half: the thick ceiling of cloud thinning out, then snowy ground.
    int v0 = p.valleyStart;
    Band(cv, v0, p.columns, [v0](int x) {
        int d = x - v0 * 16;
        int thick = d < 1600 ? 80 - d / 40 : d < 3200 ? 40 - (d - 1600) / 60 : 12;
        return std::max(0, thick + int(8 * std::fabs(Sin(x, 128, 0.6))) + int(4 * Sin(x, 48, 0.1)));
    }, true, kCloudUnder, 20, true, 240);
    Band(cv, v0, p.columns, [](int x) { return 214 + int(4 * Sin(x, 256, 0.3)) + int(2 * Sin(x, 64, 0.8)); },
         false, kSnowNear, 0);
    // A frozen lake below the castle where the stage stops.
    for (int x = 1040 * 16; x < p.columns * 16; x++)
        for (int y = 222; y < 240; y++)
            if (cv.Get(x, y) != ag::kKey)
                cv.Set(x, y, (y == 222) ? C(ag::P_METAL2) : Mix(ag::P_DUSK1, ag::P_ICE0, (x / 8 + y) % 5 == 0 ? 10 : 4, x, y));
}

void PaintLayer1(Canvas& cv) {
    const LayerPlan& p = kPlan[3];
    // Sky half: rock spires out of the cloud sea, puffs along its top.
    for (int col = 20, k = 0; col + 4 <= p.skyEnd - 40; k++) {
        int w = k % 2 ? 32 : 48, h = k % 3 == 0 ? 144 : 112;
        Stamp(cv, Spire(w, h, 7 + k % 4), col, 15 - h / 16);
        col += 30 + (k * 13) % 28;
    }
    for (int col = 8, k = 0; col + 4 <= p.skyEnd - 30; k++) {
        Stamp(cv, CloudHeap(64, 32, 800 + k % 3, kCloudNear), col, 11);
        col += 17 + (k * 11) % 19;
    }
    // Valley half: big pines, lanterns along the way.
    int v0 = p.valleyStart;
    Tones pine{ag::P_INK, ag::P_INK, ag::P_LEAF0, ag::P_LEAF1};
    Canvas pineA = Pine(48, 128, pine, ag::P_METAL1, ag::P_INK);
    Canvas pineB = Pine(64, 160, pine, ag::P_METAL1, ag::P_INK);
    Canvas lantern = Lantern(48);
    for (int col = v0 + 30, k = 0; col + 4 <= 1030; k++) {
        if (k % 3 == 2) {
            Stamp(cv, lantern, col, 11);
            col += 9;
        } else {
            Stamp(cv, k % 2 ? pineA : pineB, col, k % 2 ? 6 : 4);
            col += 14 + (k * 5) % 17;
        }
    }
}

void PaintLayer0(Canvas& cv) {
    const LayerPlan& p = kPlan[4];
    // Sky half: rare dark tufts of cloud racing past at the edges.
    for (int col = 30, k = 0; col + 8 <= p.skyEnd; k++) {
        bool top = k % 3 == 2;
        Stamp(cv, FrontTuft(k % 2 ? 96 : 128, 32, 600 + k % 4, top), col, top ? 0 : 13);
        col += 48 + (k * 17) % 40;
    }
    // Valley half: snowy boughs from above and dark pine tops below.
    Tones pine{ag::P_INK, ag::P_INK, ag::P_DUSK0, ag::P_DUSK1};
    Canvas top = Pine(64, 64, pine, ag::P_METAL1, ag::P_INK);
    for (int col = p.valleyStart + 8, k = 0; col + 8 <= p.columns; k++) {
        if (col + 8 > kFrontGapFrom && col < kFrontGapTo) {
            col = kFrontGapTo;
            continue;
        }
        if (k % 2) Stamp(cv, Bough(96, 40, 700 + k % 3), col, 0);
        else Stamp(cv, top, col, 12);
        col += 44 + (k * 23) % 50;
    }
}

// --- cutting the layers into tiles

// Free grid cells: rows 0-14 across, then beside the far layer, then below it.
bool CellOf(int n, int& gx, int& gy) {
    if (n < 15 * 64) {
        gx = n % 64, gy = n / 64;
        return true;
    }
    n -= 15 * 64;
    if (n < 15 * 24) {
        gx = 40 + n % 24, gy = 15 + n / 24;
        return true;
    }
    n -= 15 * 24;
    gx = n % 64, gy = 30 + n / 64;
    return gy < 64;
}

}  // namespace

ag::Scenery Build() {
    Canvas sheet(1024, 1024);
    PaintFar(sheet);
    ag::TileCutter cut(sheet, kSheet, CellOf);
    void (*painters[7])(Canvas&) = {PaintLayer0, PaintLayer1, PaintLayer2, PaintLayer3,
                                    PaintLayer4, PaintLayer5, PaintLayer6};
    for (int layer = 6; layer >= 0; layer--) {
        Canvas cv(kPlan[RateClass(layer)].columns * 16, 240);
        painters[layer](cv);
        cut.CutLayer(cv, layer);
    }
    return cut.Finish(480);   // at least the far layer's rows
}

namespace {


// The tile area: rows 0-14 across the sheet, beside the far layer, and below it.
std::vector<ag::Rect> TileAreas(int height) {
    std::vector<ag::Rect> areas = {{0, 0, 1024, 240}, {640, 240, 1024, 480}};
    if (height > 480) areas.push_back({0, 480, 1024, height});
    return areas;
}

// Snow for the last part of the stage: dim, soft and small, so it never
// looks like anything that can hurt (drawn additively: black is nothing).
void PaintFlakes(Canvas& c) {
    ag::Rect k1 = ag::CellRect("fix.bmp", "flake 1"), k2 = ag::CellRect("fix.bmp", "flake 2");
    c.FillRect(k1, ag::kBlack);
    c.FillRect(k2, ag::kBlack);
    // Kind 1, far and fast: a small round flake.
    int x1 = k1.l + 7, y1 = k1.t + 7;
    c.Set(x1, y1, C(ag::P_METAL3));
    c.Set(x1 + 1, y1, C(ag::P_METAL1));
    c.Set(x1, y1 + 1, C(ag::P_METAL1));
    c.Set(x1 + 1, y1 + 1, C(ag::P_METAL0));
    c.Set(x1 - 1, y1, C(ag::P_METAL0));
    c.Set(x1, y1 - 1, C(ag::P_METAL0));
    // Kind 2, near and slow: a six-armed crystal, its tips fading.
    int cx = k2.l + 7, cy = k2.t + 7;
    for (int a = 0; a < 6; a++) {
        double ang = a * kPi / 3 + kPi / 6;
        for (int i = 1; i <= 4; i++) {
            int x = cx + int(std::lround(std::cos(ang) * i)), y = cy + int(std::lround(std::sin(ang) * i));
            c.Set(x, y, C(i <= 2 ? ag::P_METAL2 : i == 3 ? ag::P_METAL1 : ag::P_METAL0));
        }
    }
    c.Set(cx, cy, C(ag::P_METAL3));
}

}  // namespace
}  // namespace stage1

AG_REGISTER(RegisterStage1Scenery) {
    using namespace ag;
    const Scenery& s = AddScenery(1, stage1::kSheet, "stage1", "stage 1 scenery: map tiles and far layer", stage1::Build);
    DeclareCell(stage1::kSheet, "far layer", {0, 240, 640, 480}, "dusk sky and mountains, repeats every 640 px",
                Copy::Keyed, "stage1");
    auto areas = stage1::TileAreas(s.height);
    for (size_t i = 0; i < areas.size(); i++)
        DeclareCell(stage1::kSheet, CellName("tiles", int(i)), areas[i], "16x16 map tiles (ids by the 64-wide grid)",
                    Copy::Keyed, "stage1");
    AddPainter("fix.bmp", "flakes", stage1::PaintFlakes);
}
