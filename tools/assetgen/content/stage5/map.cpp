// Stage 5's scenery sheet "bg_stage5.bmp" and its map layers: a storm front over the sea toward a sky fortress.
//
// Layer 4 (a quarter of the scroll) is the storm sky over a dark sea, its
// cloud bank repeating every 1024 pixels, with the sky fortress rising out of
// the clouds where the scroll stops. Layer 3 (half the scroll, one pixel per
// frame) is the terrain the craft is pushed by: basalt stacks out of the sea,
// storm rock hanging from the clouds, then the fortress's outworks. Its solid
// cells hold only the two tiles the craft's terrain test knows (26, the stone
// body, and 90, a stone top lit from above); the stones are outlined by the
// non-solid rims drawn around them. Layers 2 and 1 are the near sea swell and
// breaking crests in front of the stacks' feet; layer 0, over the sprites, is
// sparse scud at the top edge and spray at the bottom.
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "kit.h"
#include "stage5.h"

namespace stage5 {

namespace {

using ag::C;
using ag::Canvas;
using ag::Rgb;

constexpr uint16_t kStoneBody = 26, kStoneTop = 90;   // the solid tiles of the terrain test
constexpr double kPi = 3.14159265358979323846;
constexpr const char* kSheet = "bg_stage5.bmp";

// Columns each layer needs up to the scroll's stop at 15346.
constexpr int kCols4 = 262, kCols2 = 742, kCols1 = 981, kCols0 = 981;

// ---- the terrain -----------------------------------------------------------

struct Span {
    int m0, m1;    // columns m0..m1-1
    int floor;     // top row of the floor (15: none)
    int ceil;      // lowest row of the ceiling (-1: none)
};
// Stacks, hanging rock and the fortress's outworks, left to right. Floors
// stay at row 10 or below and ceilings at row 3 or above, so the band
// between is open but for a few floating blocks. Every
// neighbouring pair of columns shares an opening at least four rows high
// (checked below), so a craft that keeps moving always has a way through.
const Span kSpans[] = {
    // low stacks out of the sea: the terrain shows what it does
    {60, 64, 12, -1},  {68, 71, 11, -1},  {75, 77, 12, -1},  {77, 79, 10, -1},  {79, 80, 12, -1},
    {85, 90, 11, -1},  {90, 92, 10, -1},   {92, 94, 11, -1},
    // storm rock hangs from the clouds
    {100, 104, 15, 1}, {104, 108, 11, 2}, {108, 112, 10, -1}, {112, 116, 15, 3}, {116, 120, 10, -1},
    {120, 124, 12, 2}, {130, 134, 10, 1}, {134, 138, 11, 3},  {138, 142, 13, 3}, {142, 146, 10, 1},
    // a cave of rock and cloud
    {150, 155, 11, 2}, {155, 160, 10, 3}, {160, 165, 12, 3},  {165, 170, 11, 3}, {170, 175, 10, 2},
    {175, 180, 10, 1}, {180, 184, 12, 3}, {184, 188, 12, 0},  {188, 194, 11, 2}, {194, 200, 13, 1},
    {200, 206, 13, -1},
    // the fortress's outworks
    {300, 306, 12, -1}, {306, 310, 10, -1}, {310, 314, 12, 1}, {314, 320, 15, 3}, {320, 324, 10, -1},
    {324, 328, 11, 2},  {328, 334, 13, 3},  {334, 338, 10, 1}, {338, 344, 13, 1}, {344, 350, 11, -1},
    {350, 354, 10, 2},   {354, 358, 11, 3},  {358, 364, 12, 2}, {364, 370, 10, 0}, {370, 376, 12, 3},
    {376, 380, 15, 3},  {380, 386, 11, -1}, {386, 392, 10, 3}, {392, 398, 12, 1}, {398, 404, 10, 0},
    {404, 410, 11, 3},  {410, 416, 13, 2},  {416, 422, 10, -1}, {422, 428, 12, 3}, {428, 434, 11, 1},
    {434, 440, 12, 3},  {440, 446, 13, 2},  {446, 452, 12, -1}, {452, 460, 13, -1},
};
struct Block {
    int m0, m1, r0, r1;   // columns m0..m1-1, rows r0..r1
};
const Block kBlocks[] = {{125, 128, 6, 7}, {185, 187, 6, 7}, {340, 342, 7, 8}, {412, 414, 7, 8}};

const Span* SpanAt(int m) {
    for (const Span& s : kSpans)
        if (m >= s.m0 && m < s.m1) return &s;
    return nullptr;
}

}  // namespace

int FloorTop(int m) {
    const Span* s = SpanAt(m);
    return s ? s->floor : 15;
}
int CeilingBottom(int m) {
    const Span* s = SpanAt(m);
    return s ? s->ceil : -1;
}
bool Solid(int m, int row) {
    if (m < 0 || m >= kTerrainColumns || row < 0 || row > 14) return false;
    if (row >= FloorTop(m) || row <= CeilingBottom(m)) return true;
    for (const Block& b : kBlocks)
        if (m >= b.m0 && m < b.m1 && row >= b.r0 && row <= b.r1) return true;
    return false;
}

namespace {

// Open runs of rows (first, last) in a column, over the rows the craft's
// centre can reach (0..12) and the one below.
std::vector<std::pair<int, int>> OpenRuns(int m) {
    std::vector<std::pair<int, int>> runs;
    int start = -1;
    for (int r = 0; r <= 13; r++) {
        bool open = r < 13 && !Solid(m, r);
        if (open && start < 0) start = r;
        if (!open && start >= 0) {
            runs.push_back({start, r - 1});
            start = -1;
        }
    }
    return runs;
}

void CheckTerrain() {
    for (int m = 0; m + 1 < kTerrainColumns; m++) {
        int best = 0;
        for (auto a : OpenRuns(m))
            for (auto b : OpenRuns(m + 1)) best = std::max(best, std::min(a.second, b.second) - std::max(a.first, b.first) + 1);
        if (best < 4) ag::Fail(ag::Format("bg_stage5.bmp: terrain columns %d and %d share no opening 4 rows high", m, m + 1));
    }
}

// ---- painting helpers ------------------------------------------------------

uint32_t Hash(uint32_t a, uint32_t b = 0) { return ag::Hash32(a * 0x9E3779B1u ^ ag::Hash32(b + 0x7F4A7C15u)); }

Rgb Mix(int a, int b, int level, int x, int y) {
    level = std::clamp(level, 0, 16);
    return ag::Bayer4(x, y) < level ? C(b) : C(a);
}

// A billow of cloud lit faintly from above, painted only where `inside`.
void Billow(Canvas& cv, int cx, int cy, int r, int body, int light, int shade, int period) {
    for (int y = cy - r; y <= cy + r; y++)
        for (int dx = -r; dx <= r; dx++) {
            int dy = y - cy;
            if (dx * dx + dy * dy > r * r + r) continue;
            double n = (-0.5 * dx - dy) / (r * 1.1);
            for (int rep = -1; rep <= 1; rep++) {
                int x = cx + dx + rep * period;
                if (x < 0 || x >= period) continue;
                Rgb c = n > 0.55 ? Mix(body, light, 6 + int((n - 0.55) * 30), x, y)
                        : n < -0.3 ? Mix(body, shade, 6 + int((-n - 0.3) * 20), x, y)
                                   : C(body);
                cv.Set(x, y, c);
            }
        }
}

// ---- layer 4: the storm sky and the far sea, 1024 pixels repeating --------

Canvas SkyPeriod() {
    const int W = 1024;
    Canvas cv(W, 240);
    // Sky from near black overhead to a pale band of light under the storm.
    cv.GradientV(0, 0, W, 176, {C(ag::P_INK), C(ag::P_DUSK0), C(ag::P_DUSK1), C(ag::P_DUSK1), C(ag::P_DUSK2)});
    // The far sea: dark, with wave lines that thin out toward the horizon.
    cv.GradientV(0, 176, W, 64, {C(ag::P_METAL0), C(ag::P_TEAL0), C(ag::P_SKY0), C(ag::P_DUSK0)});
    cv.HLine(0, W - 1, 176, C(ag::P_DUSK2));
    for (int y = 180; y < 240; y += 5 + (y - 180) / 12) {
        int len = 6 + (y - 180) / 4, gap = 40 - (y - 180) / 3;
        for (int x = (y * 13) % gap; x < W; x += gap + len) cv.HLine(x, x + len - 1, y, C(ag::P_METAL1));
    }
    // Rain curtains hanging from the cloud bank.
    for (int y = 60; y < 176; y++)
        for (int x = 0; x < W; x++) {
            double curtain = std::sin(2 * kPi * x / 512.0) + 0.6 * std::sin(2 * kPi * x / 256.0 + 1.3);
            if (curtain < 0.7) continue;
            if (((x + y / 2) & 7) == 0 && Hash(uint32_t(x), uint32_t(y)) % 3 != 0) cv.Set(x, y, C(ag::P_DUSK2));
        }
    // The storm bank: a heavy ceiling of cloud with a ragged, billowing underside.
    ag::Rng rng(5501);
    for (int x = 0; x < W; x += 1) {
        int base = 34 + int(14 * std::sin(2 * kPi * x / 1024.0 * 2 + 0.4) + 9 * std::sin(2 * kPi * x / 1024.0 * 5));
        for (int y = 0; y < base; y++) cv.Set(x, y, Mix(ag::P_INK, ag::P_DUSK0, y * 16 / std::max(1, base), x, y));
    }
    for (int i = 0; i < 70; i++) {
        int x = rng.Range(W);
        int base = 34 + int(14 * std::sin(2 * kPi * x / 1024.0 * 2 + 0.4) + 9 * std::sin(2 * kPi * x / 1024.0 * 5));
        int r = rng.Between(10, 22);
        Billow(cv, x, base + rng.Between(-6, 4), r, ag::P_DUSK0, ag::P_DUSK1, ag::P_INK, W);
    }
    // Lower, lighter clouds drifting below the bank.
    for (int k = 0; k < 9; k++) {
        int x0 = k * 114 + rng.Range(40), y0 = 110 + rng.Range(40);
        for (int j = 0; j < 5; j++)
            Billow(cv, x0 + j * 11, y0 - (j == 2 ? 6 : j % 2 * 3), 7 + (j == 2 ? 4 : rng.Range(3)), ag::P_DUSK1,
                   ag::P_DUSK2, ag::P_DUSK0, W);
    }
    return cv;
}

// The sky fortress where the scroll stops: towers on a floating rock.
void Fortress(Canvas& cv, int x0) {
    auto rock = [&](int cx, int top, int w, int depth) {
        for (int y = top; y < top + depth; y++) {
            int half = w / 2 - (y - top) * w / 2 / depth;
            for (int x = cx - half; x <= cx + half; x++)
                cv.Set(x, y, y == top ? C(ag::P_EARTH1) : Mix(ag::P_EARTH0, ag::P_INK, (y - top) * 12 / depth, x, y));
        }
    };
    rock(x0 + 100, 138, 200, 50);
    rock(x0 + 40, 150, 50, 26);
    auto tower = [&](int x, int top, int w, int roof) {
        for (int y = top; y < 140; y++)
            for (int i = 0; i < w; i++) cv.Set(x + i, y, i == 0 ? C(ag::P_METAL1) : i == w - 1 ? C(ag::P_INK) : C(ag::P_METAL0));
        for (int j = 0; j < roof; j++) {
            int half = (w / 2 + 1) * (roof - j) / roof;
            cv.HLine(x + w / 2 - half, x + w / 2 + half - 1, top - 1 - j, C(j < roof / 3 ? ag::P_DUSK1 : ag::P_DUSK2));
        }
        for (int y = top + 6; y < 132; y += 14) {   // dim windows
            cv.Set(x + w / 2, y, C(ag::P_GOLD0));
            cv.Set(x + w / 2, y + 1, C(ag::P_AMBER0));
        }
    };
    for (int x = x0 + 20; x < x0 + 182; x++)   // the curtain wall
        for (int y = 112; y < 140; y++) cv.Set(x, y, y == 112 ? C(ag::P_METAL1) : C(ag::P_DUSK0));
    for (int x = x0 + 20; x < x0 + 182; x += 6) cv.FillRect(x, 108, 3, 4, C(ag::P_DUSK0));
    tower(x0 + 18, 84, 12, 14);
    tower(x0 + 52, 70, 14, 18);
    tower(x0 + 88, 40, 24, 30);   // the keep
    tower(x0 + 130, 64, 14, 18);
    tower(x0 + 166, 88, 12, 12);
    // a faint storm light around the keep's spire
    for (int y = 0; y < 20; y++)
        for (int x = x0 + 86; x < x0 + 114; x++)
            if (cv.Get(x, y) == C(ag::P_INK) && ag::Bayer4(x, y) < 3) cv.Set(x, y, C(ag::P_VIOLET0));
}

Canvas PaintLayer4() {
    Canvas cv(kCols4 * 16, 240);
    Canvas period = SkyPeriod();
    for (int x = 0; x < cv.w; x += 1024) cv.Blit(period, x, 0, false);
    Fortress(cv, 3836 + 100);
    return cv;
}

// ---- layer 3: decoration around the solid stone --------------------------

// Tiles 26 and 90: stone courses of the basalt and the walls, lit from above.
void PaintStone(Canvas& t, bool top) {
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++) {
            int course = y / 8, bx = (x + course * 8) % 16;
            Rgb c = Mix(ag::P_EARTH1, ag::P_EARTH0, 4 + (y % 8) * 2, x, y);
            if (y % 8 == 0) c = C(ag::P_EARTH2);                 // lit upper edge of each stone
            if (y % 8 == 7 || bx == 0) c = C(ag::P_INK);        // joints
            if (bx == 1 && y % 8 != 7) c = C(ag::P_EARTH2);
            t.Set(x, y, c);
        }
    if (top) {
        t.HLine(0, 15, 0, C(ag::P_METAL2));
        t.HLine(0, 15, 1, C(ag::P_EARTH3));
        for (int x = 0; x < 16; x += 5) t.Set(x + 2, 2, C(ag::P_EARTH3));
    }
}

// A rim of the stone in the open cell beside it: a dark edge, moss on top of
// floors, drips under ceilings, so a mass reads as one solid thing.
Canvas DecorTile(int kind, int variant) {
    Canvas t(16, 16);
    switch (kind) {
    case 0:   // above a floor: a tuft of sea grass or rubble, low
        if (variant == 0) {
            for (int i = 0; i < 4; i++) t.VLine(3 + i * 3, 12 + (i & 1), 15, C(i & 1 ? ag::P_LEAF1 : ag::P_LEAF0));
        } else if (variant == 1) {
            t.FillRect(4, 13, 5, 3, C(ag::P_EARTH1));
            t.HLine(4, 8, 13, C(ag::P_EARTH2));
            t.FillRect(10, 14, 3, 2, C(ag::P_EARTH0));
        } else {   // merlons of the outworks
            t.FillRect(1, 11, 6, 5, C(ag::P_EARTH1));
            t.FillRect(9, 11, 6, 5, C(ag::P_EARTH1));
            t.HLine(1, 6, 11, C(ag::P_METAL2));
            t.HLine(9, 14, 11, C(ag::P_METAL2));
            t.VLine(6, 12, 15, C(ag::P_INK));
            t.VLine(14, 12, 15, C(ag::P_INK));
        }
        break;
    case 1:   // under a ceiling: dripping rock or hanging chains
        t.HLine(0, 15, 0, C(ag::P_INK));
        if (variant == 0) {
            t.FillTriangle({2, 0}, {7, 0}, {4, 5}, C(ag::P_EARTH0));
            t.FillTriangle({10, 0}, {14, 0}, {12, 3}, C(ag::P_EARTH0));
        } else if (variant == 1) {
            t.FillTriangle({5, 0}, {11, 0}, {8, 7}, C(ag::P_EARTH0));
            t.Set(8, 7, C(ag::P_INK));
        } else {
            for (int y = 1; y < 9; y += 3) t.Frame(7, y, 3, 3, C(ag::P_METAL1));
        }
        break;
    case 2:   // left of a stone face: its shadowed edge
        t.VLine(15, 0, 15, C(ag::P_INK));
        break;
    case 3:   // right of a stone face
        t.VLine(0, 0, 15, C(ag::P_INK));
        break;
    }
    return t;
}

// ---- layers 2, 1, 0 ----------------------------------------------------------

Canvas PaintLayer2() {   // the near sea swell in front of the stacks' feet
    Canvas cv(kCols2 * 16, 240);
    for (int x = 0; x < cv.w; x++) {
        int xm = x % 256;
        int top = 211 + int(std::lround(2.5 * std::sin(2 * kPi * xm / 64.0) + 1.5 * std::sin(2 * kPi * xm / 128.0 + 0.7)));
        for (int y = top; y < 240; y++) {
            Rgb c = Mix(ag::P_TEAL0, ag::P_METAL0, (y - top) * 2, x, y);
            if (y == top) c = C(ag::P_METAL2);
            else if (y == top + 1) c = C(ag::P_TEAL1);
            else if ((xm + y * 3) % 64 < 10 && y % 5 == 0) c = C(ag::P_TEAL1);
            cv.Set(x, y, c);
        }
    }
    return cv;
}

Canvas PaintLayer1() {   // breaking crests close by
    Canvas cv(kCols1 * 16, 240);
    for (int k = 0, x0 = 200; x0 + 96 < cv.w; k++) {
        int w = 48 + int(Hash(uint32_t(k)) % 3) * 16;
        for (int x = 0; x < w; x++) {
            double u = double(x) / w;
            int top = 222 - int(std::lround(14 * std::sin(kPi * u) * (u < 0.6 ? 1.0 : 1.0 - (u - 0.6) * 1.2)));
            for (int y = top; y < 240; y++) {
                Rgb c = Mix(ag::P_TEAL0, ag::P_SKY0, (y - top), x0 + x, y);
                if (y == top) c = C(ag::P_METAL3);
                else if (y < top + 3) c = Mix(ag::P_METAL2, ag::P_TEAL1, 8, x0 + x, y);
                cv.Set(x0 + x, y, c);
            }
        }
        x0 += w + 240 + int(Hash(uint32_t(k), 9) % 20) * 16;
    }
    return cv;
}

Canvas PaintLayer0() {   // scud racing past the top edge, spray at the bottom
    Canvas cv(kCols0 * 16, 240);
    ag::Rng rng(5510);
    for (int k = 0, x0 = 400; x0 + 160 < cv.w; k++) {
        int w = 64 + rng.Range(5) * 16;
        if (k % 3 != 2) {
            for (int x = 0; x < w; x++) {
                double u = double(x) / w;
                int bottom = int(6 + 14 * std::sin(kPi * u) + 3 * std::sin(u * 17));
                for (int y = 0; y < bottom; y++)
                    cv.Set(x0 + x, y, y == bottom - 1 ? C(ag::P_DUSK1) : Mix(ag::P_INK, ag::P_DUSK0, y * 12 / bottom, x0 + x, y));
            }
        } else {
            for (int i = 0; i < 40; i++) {
                int x = x0 + rng.Range(w), y = 228 + rng.Range(12);
                cv.Set(x, y, C(i % 4 ? ag::P_METAL1 : ag::P_METAL2));
                cv.Set(x + 1, y, C(ag::P_METAL1));
            }
        }
        x0 += w + 420 + rng.Range(20) * 16;
    }
    return cv;
}

}  // namespace

ag::Scenery Build() {
    CheckTerrain();
    Canvas sheet(1024, 1024);

    // The two solid stones at their fixed places.
    {
        Canvas body(16, 16), top(16, 16);
        PaintStone(body, false);
        PaintStone(top, true);
        sheet.Blit(body, (kStoneBody % 64) * 16, (kStoneBody / 64) * 16, false);
        sheet.Blit(top, (kStoneTop % 64) * 16, (kStoneTop / 64) * 16, false);
    }
    ag::TileCutter cut(sheet, kSheet, {}, {kStoneBody, kStoneTop});
    auto put = [&](int c, int r, int l, uint16_t t) { cut.map[MenMapIndex(c, r, l)] = t; };
    struct Layer {
        int index;
        Canvas (*paint)();
    };
    for (Layer L : {Layer{4, PaintLayer4}, Layer{2, PaintLayer2}, Layer{1, PaintLayer1}, Layer{0, PaintLayer0}})
        cut.CutLayer(L.paint(), L.index);
    // Layer 3: the solid stones, then the rims in the open cells beside them.
    uint16_t decor[4][3];
    for (int k = 0; k < 4; k++)
        for (int v = 0; v < 3; v++) decor[k][v] = cut.Tile(DecorTile(k, v), 0, 0);
    for (int m = 0; m < kTerrainColumns; m++)
        for (int r = 0; r < kMapRows; r++) {
            if (Solid(m, r)) {
                put(m, r, 3, (r == 0 || !Solid(m, r - 1)) ? kStoneTop : kStoneBody);
                continue;
            }
            uint32_t h = Hash(uint32_t(m), uint32_t(r));
            bool fort = m >= 300;
            if (Solid(m, r + 1) && r + 1 <= 12)
                put(m, r, 3, decor[0][fort ? 2 : h % 2]);
            else if (r > 0 && Solid(m, r - 1))
                put(m, r, 3, decor[1][fort ? (h % 2 ? 2 : 0) : h % 2]);
            else if (Solid(m + 1, r))
                put(m, r, 3, decor[2][0]);
            else if (m > 0 && Solid(m - 1, r))
                put(m, r, 3, decor[3][0]);
        }
    return cut.Finish(32);
}
}  // namespace stage5

AG_REGISTER(RegisterStage5Scenery) {
    using namespace ag;
    const Scenery& s = AddScenery(5, stage5::kSheet, "stage5", "stage 5 scenery: map tiles", stage5::Build);
    DeclareCell(stage5::kSheet, "tiles", {0, 0, 1024, s.height},
                "16x16 map tiles (ids by the 64-wide grid; 26 and 90 are solid stone)", Copy::Keyed, "stage5");
}
