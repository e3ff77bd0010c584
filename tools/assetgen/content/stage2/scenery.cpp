// Stage 2's scenery sheet "bg_stage2.bmp" and the map row its ground reads.
//
// The stage is a strip of twelve pre-drawn backdrop pieces, 240 high, that
// the game lays side by side in a fixed order: the lantern-lit harbour front
// (pieces 0, 1 and 2, 320 wide, repeating), the canal quarter (3 to 6, 96
// wide, in any order among themselves), and the approach to the fortress
// (7 to 11, 128 wide), where the strip stops with piece 11 flush against the
// right edge. Pieces 8, 10 and 11 share one picture; 10 and 11 add cells of
// their own at the bottom, and 11 a sparse foreground overlay.
//
// Seamless joins: everything that runs across a join (sky, distant roofs,
// quay, water, the fortress wall) is either the same in every column or
// repeats every 32 pixels, the common divisor of the three piece widths, and
// every dither is anchored to the piece's own left edge (widths are
// multiples of 4). Houses, towers and lights sit inside their piece, so a
// join falls in an alley between harbour houses, on the wall between two
// canal houses, or in the plain run of the fortress wall.
//
// The two cobbled ground rows are drawn by the game from tiles 1 to 20 of
// the top row (a 320-pixel cycle, map row 12, layer 0), at y = 192 along the
// harbour and at y = 206 along the canal; tile 0 is the end stone that
// drifts with the strip where a road ends or begins.
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "kit.h"

namespace stage2 {
namespace {

using namespace ag;

constexpr const char* kSheet = "bg_stage2.bmp";
constexpr const char* kOwner = "stage2";
constexpr int kH = 240;
constexpr int kUpperRow = 192;   // the harbour street (upper ground row)
constexpr int kLowerRow = 206;   // the canal quay (lower ground row)
constexpr int kFarBase = 160;    // the distant roofs meet every join at this height

struct PieceSpec {
    const char* name;
    int width;
    Rect rect;
    const char* what;
};
const PieceSpec kPieces[] = {
    {"piece 0", 320, {0, 32, 320, 272}, "harbour front: boats and a festoon of lanterns"},
    {"piece 1", 320, {0, 272, 320, 512}, "harbour front: the clock tower"},
    {"piece 2", 320, {0, 512, 320, 752}, "harbour front: the crane and the warehouse"},
    {"piece 3", 96, {320, 32, 416, 272}, "steps down to the canal"},
    {"piece 4", 96, {416, 32, 512, 272}, "canal houses, a lantern sign"},
    {"piece 5", 96, {320, 272, 416, 512}, "an archway over the canal"},
    {"piece 6", 96, {320, 512, 416, 752}, "a tall canal house with a balcony"},
    {"piece 7", 128, {512, 32, 640, 272}, "the last house and the fortress corner tower"},
    {"piece 8, 10, 11", 128, {416, 272, 544, 512}, "the fortress wall with a torch (pieces 8, 10 and 11)"},
    {"piece 9", 128, {544, 272, 672, 512}, "a fortress wall tower"},
};
const Rect kPiece10Extra{416, 512, 512, 560};
const Rect kPiece11Extra{416, 560, 464, 608};
const Rect kPiece11Front{512, 512, 608, 752};

uint32_t Hash(uint32_t a, uint32_t b = 0, uint32_t c = 0) {
    return Hash32(a * 0x9E3779B1u ^ Hash32(b + 0x7F4A7C15u) ^ Hash32(c * 31u + 17u));
}

Rgb Mix(int a, int b, int level, int x, int y) { return Bayer4(x, y) < std::clamp(level, 0, 16) ? C(b) : C(a); }

// A warmer, lighter neighbour of a dark colour: what lantern light does to it.
Rgb Lighten(Rgb c) {
    static const int from[] = {P_BLACK, P_INK,    P_DUSK0,  P_DUSK1,  P_DUSK2, P_SKY0,  P_SKY1,  P_METAL0,
                               P_METAL1, P_EARTH0, P_EARTH1, P_EARTH2, P_TEAL0, P_LEAF0, P_AMBER0, P_ROSE0};
    static const int to[] = {P_INK,    P_DUSK0,  P_EARTH0, P_AMBER0, P_AMBER0, P_DUSK1, P_DUSK2,  P_EARTH1,
                             P_EARTH2, P_EARTH1, P_EARTH2, P_EARTH3, P_DUSK1,  P_EARTH0, P_AMBER1, P_AMBER0};
    int i = PaletteIndexOf(c);
    for (size_t k = 0; k < std::size(from); k++)
        if (from[k] == i) return C(to[k]);
    return c;
}

// A soft pool of lantern light: dithered, strongest in the middle.
void Halo(Canvas& c, int cx, int cy, int r, int strength = 9) {
    for (int y = cy - r; y <= cy + r; y++)
        for (int x = cx - r; x <= cx + r; x++) {
            double d = std::sqrt(double((x - cx) * (x - cx) + (y - cy) * (y - cy)));
            if (d > r) continue;
            int level = int(strength * (1.0 - d / r) + 0.5);
            if (Bayer4(x, y) < level && c.In(x, y)) c.Set(x, y, Lighten(c.Get(x, y)));
        }
}

// --- layers that run across the joins ------------------------------------

Rgb SkyAt(int x, int y) {
    struct Stop {
        int y, pal;
    };
    static const Stop stops[] = {{0, P_INK}, {70, P_DUSK0}, {130, P_SKY0}, {175, P_DUSK1}, {240, P_DUSK1}};
    for (size_t i = 0; i + 1 < std::size(stops); i++)
        if (y < stops[i + 1].y)
            return Mix(stops[i].pal, stops[i + 1].pal, (y - stops[i].y) * 16 / (stops[i + 1].y - stops[i].y), x, y);
    return C(P_DUSK1);
}

void Sky(Canvas& c, uint32_t seed) {
    for (int y = 0; y < kH; y++)
        for (int x = 0; x < c.w; x++) c.Set(x, y, SkyAt(x, y));
    // Stars, fewer toward the glow of the town; never on a join.
    for (int y = 2; y < 120; y++)
        for (int x = 3; x < c.w - 3; x++) {
            uint32_t h = Hash(seed, x, y);
            int chance = 2 + (120 - y) / 24;
            if (int(h % 1000) >= chance) continue;
            bool bright = (h >> 12) % 9 == 0;
            c.Set(x, y, C(bright ? P_METAL3 : ((h >> 16) & 1) ? P_METAL2 : P_DUSK3));
            if (bright) {
                c.Set(x - 1, y, C(P_DUSK2));
                c.Set(x + 1, y, C(P_DUSK2));
                c.Set(x, y - 1, C(P_DUSK2));
                c.Set(x, y + 1, C(P_DUSK2));
            }
        }
}

// Distant roofs across the bay: flat at kFarBase near the joins, rising in
// blocks inside the piece, with a few tiny lit windows.
void FarRoofs(Canvas& c, uint32_t seed, int bottom) {
    std::vector<int> top(size_t(c.w), kFarBase);
    Rng r(seed);
    for (int x = 8; x < c.w - 16;) {
        int w = r.Between(8, 20);
        if (x + w > c.w - 8) break;
        int h = r.Between(6, 26);
        bool gable = r.Range(3) == 0;
        for (int i = 0; i < w; i++) {
            int t = kFarBase - h;
            if (gable) t -= std::min(i, w - 1 - i) / 2;
            top[size_t(x + i)] = std::min(top[size_t(x + i)], t);
        }
        if (r.Range(5) == 0) {  // a steeple
            int sx = x + w / 2;
            for (int i = -1; i <= 1; i++) top[size_t(sx + i)] = std::min(top[size_t(sx + i)], kFarBase - h - 12 + std::abs(i) * 4);
        }
        x += w + r.Between(0, 6);
    }
    for (int x = 0; x < c.w; x++)
        for (int y = top[size_t(x)]; y < bottom; y++) {
            Rgb col = y == top[size_t(x)] ? C(P_DUSK1) : Mix(P_DUSK0, P_INK, (y - kFarBase) / 3 + 4, x, y);
            c.Set(x, y, col);
        }
    for (int x = 4; x < c.w - 4; x++)
        for (int y = kFarBase - 24; y < kFarBase + 14; y += 3)
            if (y > top[size_t(x)] + 1 && Hash(seed + 7, x, y) % 47 == 0) c.Set(x, y, C(P_AMBER0));
}

// Dressed stone blocks, rows 8 high, joints every 16 staggered: repeats
// every 32 pixels.
void Stones(Canvas& c, int y0, int y1, int body, int light, int dark, uint32_t seed) {
    for (int y = y0; y < y1; y++)
        for (int x = 0; x < c.w; x++) {
            int row = (y - y0) >> 3, inRow = (y - y0) & 7;
            int jx = (x + (row & 1) * 8) & 15;
            uint32_t h = Hash(seed, ((x + (row & 1) * 8) >> 4) & 1, row);
            Rgb col;
            if (inRow == 7 || jx == 15)
                col = C(P_INK);
            else if (inRow == 0 || jx == 0)
                col = C(light);
            else
                col = (h & 3) == 0 ? Mix(body, dark, 6, x, y) : C(body);
            c.Set(x, y, col);
        }
}

// Night water: dark under the quay, ripples that repeat every 32 pixels.
void Water(Canvas& c, int y0) {
    for (int y = y0; y < kH; y++)
        for (int x = 0; x < c.w; x++) {
            int d = y - y0;
            Rgb col = d < 3 ? C(P_INK) : Mix(P_INK, P_TEAL0, std::min(12, 2 + d / 2), x, y);
            uint32_t h = Hash(91, x & 31, y);
            if (d > 3 && h % 23 == 0) col = C(P_SKY0);
            if (d > 5 && h % 97 == 1) col = C(P_DUSK2);
            c.Set(x, y, col);
        }
    // Ripple dashes, also periodic.
    for (int y = y0 + 4; y < kH; y += 3)
        for (int x = 0; x < c.w; x++) {
            uint32_t h = Hash(17, (x >> 2) & 7, y);
            if (h % 5 == 0 && (x & 3) != 3) c.Set(x, y, C(P_SKY0));
        }
}

// A lantern's wobbling reflection on the water below it.
void Reflection(Canvas& c, int x, int y0, int len) {
    for (int y = y0; y < std::min(kH, y0 + len); y++) {
        if ((y - y0) % 2 == 1) continue;
        int wob = int(std::lround(std::sin(y * 0.9) * 1.5));
        int half = 1 + ((y - y0) % 6 == 0);
        for (int i = -half; i <= half; i++) {
            int xx = x + wob + i;
            if (xx < 2 || xx >= c.w - 2) continue;
            c.Set(xx, y, C(std::abs(i) == half ? P_AMBER0 : ((y - y0) < len / 2 ? P_GOLD1 : P_AMBER0)));
        }
    }
}

// --- things inside a piece -------------------------------------------------

struct WallTones {
    int body, light, dark, roof, roofLight;
};
const WallTones kWalls[] = {
    {P_METAL0, P_METAL1, P_INK, P_DUSK1, P_DUSK2},
    {P_EARTH0, P_EARTH1, P_INK, P_INK, P_DUSK1},
    {P_DUSK0, P_DUSK1, P_INK, P_EARTH0, P_EARTH1},
    {P_TEAL0, P_METAL1, P_INK, P_INK, P_METAL0},
};

void Window(Canvas& c, int x, int y, int w, int h, bool lit) {
    c.FillRect(x - 1, y - 1, w + 2, h + 2, C(P_INK));
    if (lit) {
        c.FillRect(x, y, w, h, C(P_GOLD1));
        c.FillRect(x, y + h - 1, w, 1, C(P_AMBER0));
        c.Set(x, y, C(P_GOLD2));
        if (w >= 4) c.VLine(x + w / 2, y, y + h - 1, C(P_EARTH1));   // the glazing bar
    } else {
        c.FillRect(x, y, w, h, C(P_DUSK0));
        c.Set(x, y, C(P_DUSK1));
    }
}

// A hanging lantern: bracket, cage and flame, with its pool of light.
void Lantern(Canvas& c, int x, int y, bool halo = true) {
    if (halo) Halo(c, x + 1, y + 3, 9);
    c.FillRect(x - 1, y, 5, 1, C(P_INK));
    c.FillRect(x - 1, y + 1, 5, 5, C(P_EARTH0));
    c.FillRect(x, y + 2, 3, 3, C(P_GOLD2));
    c.Set(x + 1, y + 3, C(P_GOLD3));
    c.FillRect(x, y + 6, 3, 1, C(P_INK));
}

// A street lamp on a post standing at (x, base).
void LampPost(Canvas& c, int x, int base) {
    Halo(c, x, base - 24, 12, 8);
    c.FillRect(x, base - 22, 2, 22, C(P_INK));
    c.FillRect(x - 2, base - 2, 6, 2, C(P_INK));
    c.Set(x, base - 22, C(P_METAL0));
    Lantern(c, x - 1, base - 29, false);
    if (base == kUpperRow) Reflection(c, x, 210, 24);   // on the harbour water below the quay
}

// A house front from `top` down to `base`, lit from the upper left.
void House(Canvas& c, int x, int w, int top, int base, int roof, uint32_t seed) {
    Rng r(seed);
    const WallTones& t = kWalls[r.Range(int(std::size(kWalls)))];
    // Roof first (it reaches above the wall).
    if (roof == 0) {  // gable
        int rh = w / 2 - 2;
        for (int i = 0; i < rh; i++) {
            int l = x - 1 + i, rr = x + w - i;
            if (l > rr) break;
            c.HLine(l, rr, top - 1 - i, C(t.roof));
            c.Set(l, top - 1 - i, C(t.roofLight));
        }
        c.HLine(x - 2, x + w + 1, top, C(t.roofLight));
    } else if (roof == 1) {  // flat with a cornice and a chimney
        c.HLine(x - 1, x + w, top, C(t.roofLight));
        c.HLine(x - 1, x + w, top + 1, C(P_INK));
        int cx = x + 3 + r.Range(std::max(1, w - 10));
        c.FillRect(cx, top - 7, 4, 7, C(t.roof));
        c.VLine(cx, top - 7, top - 1, C(t.roofLight));
        c.HLine(cx - 1, cx + 4, top - 8, C(P_INK));
    } else {  // steep slate with a dormer
        int rh = 10;
        for (int i = 0; i < rh; i++) {
            c.HLine(x - 1 + i / 2, x + w - i / 2, top - 1 - i, C(t.roof));
            c.Set(x - 1 + i / 2, top - 1 - i, C(t.roofLight));
        }
        int dx = x + w / 2 - 3;
        c.FillRect(dx, top - 8, 7, 7, C(t.body));
        Window(c, dx + 2, top - 6, 3, 4, r.Range(2) == 0);
    }
    // Wall with shading and plaster texture.
    for (int y = top + 1; y < base; y++)
        for (int xx = x; xx < x + w; xx++) {
            Rgb col = C(t.body);
            if (xx == x) col = C(t.light);
            else if (xx == x + w - 1) col = C(t.dark);
            else if (Hash(seed, xx, y) % 29 == 0) col = C(t.light);
            else if (y > base - 6) col = Mix(t.body, P_INK, 6, xx, y);
            c.Set(xx, y, col);
        }
    // Windows in a grid; the ground floor has the door.
    int cols = std::max(1, (w - 6) / 12);
    int gap = (w - cols * 4) / (cols + 1);
    for (int wy = top + 7; wy + 6 < base - 18; wy += 17)
        for (int i = 0; i < cols; i++) Window(c, x + gap + i * (4 + gap), wy, 4, 6, r.Range(100) < 38);
    int door = x + w / 2 - 3 + r.Between(-w / 5, w / 5);
    c.FillRect(door - 1, base - 13, 8, 13, C(P_INK));
    c.FillRect(door, base - 12, 6, 12, C(P_EARTH0));
    c.HLine(door + 1, door + 4, base - 13, C(P_INK));
    c.Set(door + 4, base - 6, C(P_GOLD1));
    if (r.Range(2) == 0) {
        Window(c, door - 8 < x + 2 ? door + 9 : door - 8, base - 12, 5, 6, true);
    }
}

// Bunting of small lanterns hung between two points, sagging.
void Festoon(Canvas& c, int x0, int y0, int x1, int y1, int sag) {
    int prev = -1;
    for (int x = x0; x <= x1; x++) {
        double u = double(x - x0) / std::max(1, x1 - x0);
        int y = int(std::lround(y0 + (y1 - y0) * u + sag * 4 * u * (1 - u)));
        c.Set(x, y, C(P_INK));
        if ((x - x0) % 9 == 4 && x < x1 - 2) {
            int col = ((x - x0) / 9) % 3;
            static const int lamp[3] = {P_GOLD1, P_AMBER1, P_ROSE1};
            c.FillRect(x - 1, y + 1, 3, 3, C(lamp[col]));
            c.Set(x - 1, y + 1, C(P_GOLD2));
            c.Set(x, y + 4, C(P_INK));
        }
        prev = y;
    }
    (void)prev;
}

// A rowing boat on the water with a lantern on a pole.
void Boat(Canvas& c, int x, int y, int w) {
    for (int i = 0; i < 6; i++) c.HLine(x + i, x + w - 1 - i / 2, y + i, C(i == 0 ? P_EARTH2 : (i < 3 ? P_EARTH1 : P_EARTH0)));
    c.HLine(x + 2, x + w - 3, y + 2, C(P_INK));
    c.VLine(x + w - 8, y - 12, y, C(P_INK));
    Lantern(c, x + w - 9, y - 16);
    Reflection(c, x + w - 8, y + 7, 26);
}

// The stone face of the quay under the harbour street.
void Quay(Canvas& c, int y0, int y1) { Stones(c, y0, y1, P_METAL0, P_METAL1, P_DUSK0, 5); }

// Battlements and stone of the fortress wall, top at `top`, periodic.
void FortWall(Canvas& c, int x0, int x1, int top, int base) {
    for (int y = top; y < base; y++)
        for (int x = x0; x < x1; x++) {
            int row = (y - top) >> 3, inRow = (y - top) & 7;
            int jx = (x + (row & 1) * 8) & 15;
            Rgb col;
            if (y < top + 8) {  // merlons: 18 of every 32 pixels
                int m = x & 31;
                if (m >= 18) continue;
                col = m == 0 || y == top ? C(P_METAL1) : (m == 17 ? C(P_INK) : C(P_METAL0));
            } else if (inRow == 7 || jx == 15) {
                col = C(P_INK);
            } else if (inRow == 0 || jx == 0) {
                col = C(P_METAL1);
            } else {
                col = (Hash(3, ((x + (row & 1) * 8) >> 4) & 1, row) & 3) == 0 ? Mix(P_METAL0, P_DUSK0, 8, x, y)
                                                                             : C(P_METAL0);
            }
            c.Set(x, y, col);
        }
    // Shadow under the wall-walk.
    c.HLine(x0, x1 - 1, top + 8, C(P_INK));
}

void ArrowSlit(Canvas& c, int x, int y) {
    c.FillRect(x, y, 3, 11, C(P_INK));
    c.FillRect(x - 2, y + 4, 7, 2, C(P_INK));
    c.Set(x, y, C(P_METAL1));
}

void Torch(Canvas& c, int x, int y) {
    Halo(c, x + 1, y - 2, 14, 9);
    c.FillRect(x, y, 3, 6, C(P_EARTH0));
    c.FillRect(x - 1, y, 5, 1, C(P_INK));
    c.FillRect(x, y - 4, 3, 4, C(P_FIRE2));
    c.Set(x + 1, y - 5, C(P_GOLD2));
    c.Set(x + 1, y - 3, C(P_GOLD3));
}

// The causeway along the fortress (no ground row there): cobbles like the
// harbour street, then the moat.
void Causeway(Canvas& c, int x0, int x1) {
    for (int y = kLowerRow; y < kLowerRow + 16; y++)
        for (int x = x0; x < x1; x++) {
            int d = y - kLowerRow;
            Rgb col;
            if (d == 0) col = C(P_METAL1);
            else if (d == 15) col = C(P_INK);
            else {
                int cx = (x + (d / 5) * 5) % 10, cy = d % 5;
                col = (cx == 0 || cy == 0) ? C(P_INK) : ((Hash(8, (x >> 3) & 3, d / 5) & 1) ? C(P_METAL0) : C(P_EARTH0));
                if (cy == 1 && cx == 1) col = C(P_METAL1);
            }
            c.Set(x, y, col);
        }
}

// --- the pieces -------------------------------------------------------------

// Harbour front: sky, distant roofs, the houses along the street, the quay
// and the water. Houses sit between x = 10 and w - 10.
void HarbourBase(Canvas& c, uint32_t seed) {
    Sky(c, seed);
    FarRoofs(c, seed + 1, kUpperRow);
    Quay(c, kUpperRow, 208);
    Water(c, 208);
}

void Piece0(Canvas& c) {
    HarbourBase(c, 100);
    House(c, 12, 44, 122, kUpperRow, 0, 11);
    House(c, 60, 36, 106, kUpperRow, 1, 12);
    House(c, 100, 52, 128, kUpperRow, 2, 13);
    LampPost(c, 162, kUpperRow);
    House(c, 176, 40, 112, kUpperRow, 0, 14);
    House(c, 220, 30, 134, kUpperRow, 1, 15);
    House(c, 254, 52, 118, kUpperRow, 0, 16);
    Festoon(c, 178, 124, 216, 120, 12);
    Festoon(c, 60, 114, 96, 114, 10);
    Boat(c, 40, 216, 40);
    Boat(c, 208, 220, 34);
}

void ClockTower(Canvas& c, int x, int w, int top) {
    House(c, x, w, top, kUpperRow, 1, 21);
    // the belfry and spire above
    for (int i = 0; i < 26; i++) c.HLine(x + w / 2 - 1 - i / 3, x + w / 2 + i / 3, top - 30 + i, C(i < 2 ? P_DUSK2 : P_DUSK1));
    for (int i = 0; i < 26; i++) c.Set(x + w / 2 - 1 - i / 3, top - 30 + i, C(P_DUSK2));
    c.FillRect(x + 2, top - 6, w - 4, 6, C(P_METAL0));
    c.FillRect(x + w / 2 - 3, top - 5, 6, 5, C(P_INK));
    // clock face, faintly lit from inside
    int cx = x + w / 2, cy = top + 14;
    c.FillCircle(cx, cy, 8, C(P_INK));
    c.FillCircle(cx, cy, 7, C(P_GOLD0));
    c.FillCircle(cx, cy, 6, C(P_GOLD1));
    for (int k = 0; k < 12; k++) {
        double a = k * 3.14159265 / 6;
        c.Set(cx + int(std::lround(std::sin(a) * 5)), cy - int(std::lround(std::cos(a) * 5)), C(P_EARTH0));
    }
    c.Line(cx, cy, cx, cy - 4, C(P_INK));
    c.Line(cx, cy, cx + 3, cy + 1, C(P_INK));
    Halo(c, cx, cy, 14, 6);
}

void Piece1(Canvas& c) {
    HarbourBase(c, 200);
    House(c, 14, 40, 126, kUpperRow, 2, 31);
    House(c, 58, 44, 110, kUpperRow, 0, 32);
    ClockTower(c, 112, 36, 62);
    LampPost(c, 154, kUpperRow);
    House(c, 164, 48, 120, kUpperRow, 1, 34);
    House(c, 216, 38, 104, kUpperRow, 0, 35);
    House(c, 258, 48, 130, kUpperRow, 2, 36);
    LampPost(c, 102, kUpperRow);
    Boat(c, 120, 218, 38);
    Boat(c, 262, 214, 30);
}

void Crane(Canvas& c, int x, int base) {
    // a timber harbour crane: mast, jib and hanging hook
    c.FillRect(x, base - 84, 4, 84, C(P_EARTH0));
    c.VLine(x, base - 84, base - 1, C(P_EARTH1));
    c.Line(x + 2, base - 84, x + 56, base - 96, C(P_EARTH0));
    c.Line(x + 2, base - 83, x + 56, base - 95, C(P_EARTH0));
    c.Line(x + 3, base - 60, x + 40, base - 92, C(P_INK));
    c.VLine(x + 54, base - 95, base - 52, C(P_INK));
    c.FillRect(x + 50, base - 52, 9, 8, C(P_EARTH0));   // a hanging crate
    c.Frame(x + 50, base - 52, 9, 8, C(P_INK));
    c.Line(x + 50, base - 52, x + 58, base - 45, C(P_INK));
}

void Piece2(Canvas& c) {
    HarbourBase(c, 300);
    House(c, 12, 38, 118, kUpperRow, 0, 41);
    // the warehouse: wide, low, big doors
    House(c, 56, 76, 132, kUpperRow, 1, 42);
    c.FillRect(76, 160, 34, 32, C(P_INK));
    c.FillRect(78, 162, 30, 30, C(P_EARTH0));
    for (int x = 80; x < 108; x += 6) c.VLine(x, 163, 191, C(P_INK));
    Lantern(c, 92, 150);
    Crane(c, 140, kUpperRow);
    House(c, 204, 44, 110, kUpperRow, 2, 44);
    LampPost(c, 254, kUpperRow);
    House(c, 264, 44, 124, kUpperRow, 0, 45);
    Festoon(c, 16, 128, 50, 128, 10);
    Boat(c, 150, 222, 44);
}

// Canal quarter: tall houses shoulder to shoulder down to the canal quay.
void CanalBase(Canvas& c, uint32_t seed) {
    Sky(c, seed);
    FarRoofs(c, seed + 1, kLowerRow);
    Stones(c, kLowerRow, kLowerRow + 16, P_METAL0, P_METAL1, P_DUSK0, 6);
    Water(c, kLowerRow + 16);
}

void Piece3(Canvas& c) {
    // The harbour quay and water run in from the left edge as on every
    // harbour piece; the steps go down to the canal quay.
    Sky(c, 400);
    FarRoofs(c, 401, kUpperRow);
    Quay(c, kUpperRow, 208);
    Water(c, 208);
    Canvas canal(96, kH);
    Stones(canal, kLowerRow, kLowerRow + 16, P_METAL0, P_METAL1, P_DUSK0, 6);
    Water(canal, kLowerRow + 16);
    for (int y = kUpperRow; y < kH; y++)
        for (int x = 16; x < 96; x++) c.Set(x, y, y < kLowerRow ? Mix(P_DUSK0, P_INK, 8, x, y) : canal.Get(x, y));
    for (int s = 0; s < 3; s++) {
        int y = kUpperRow + 2 + s * 4, x = 4 + s * 4;
        c.FillRect(x, y, 20 - s * 4, kLowerRow + 16 - y, C(P_METAL0));
        c.HLine(x, x + 19 - s * 4, y, C(P_METAL1));
        c.VLine(x, y, kLowerRow + 15, C(P_INK));
    }
    House(c, 28, 66, 96, kLowerRow, 2, 51);
    Lantern(c, 22, 160);
}

void Piece4(Canvas& c) {
    CanalBase(c, 500);
    House(c, 0, 46, 60, kLowerRow, 0, 61);
    House(c, 46, 50, 84, kLowerRow, 1, 62);
    // a hanging sign with a lantern under it
    c.HLine(54, 70, 112, C(P_INK));
    c.FillRect(60, 113, 14, 9, C(P_EARTH1));
    c.Frame(60, 113, 14, 9, C(P_INK));
    c.FillCircle(66, 117, 2, C(P_GOLD0));
    Lantern(c, 40, 150);
    Reflection(c, 41, kLowerRow + 18, 18);
}

void Piece5(Canvas& c) {
    CanalBase(c, 600);
    House(c, 0, 30, 76, kLowerRow, 1, 71);
    House(c, 66, 30, 66, kLowerRow, 0, 72);
    // the arch between them, a room over the passage
    c.FillRect(30, 96, 36, 34, C(P_EARTH0));
    c.HLine(30, 65, 96, C(P_EARTH1));
    Window(c, 36, 104, 5, 6, true);
    Window(c, 55, 104, 5, 6, false);
    for (int x = 30; x < 66; x++) {
        double u = (x - 29.5) / 36.0;
        int y = 130 + int(10 * std::sqrt(std::max(0.0, 1 - (2 * u - 1) * (2 * u - 1))));
        c.VLine(x, 126, y - 1, C(P_EARTH0));
        c.Set(x, y, C(P_INK));
    }
    Lantern(c, 46, 142);
    Reflection(c, 47, kLowerRow + 18, 18);
}

void Piece6(Canvas& c) {
    CanalBase(c, 700);
    House(c, 0, 58, 40, kLowerRow, 2, 81);
    House(c, 58, 38, 92, kLowerRow, 0, 82);
    // the balcony with washing on a line
    c.HLine(4, 54, 132, C(P_INK));
    for (int x = 6; x < 54; x += 4) c.VLine(x, 126, 131, C(P_INK));
    c.HLine(4, 54, 125, C(P_METAL1));
    c.Line(58, 100, 92, 104, C(P_METAL1));
    c.FillRect(66, 102, 5, 7, C(P_DUSK2));
    c.FillRect(78, 103, 6, 6, C(P_METAL1));
    Lantern(c, 30, 136);
}

void FortressBase(Canvas& c, uint32_t seed) {
    Sky(c, seed);
    FarRoofs(c, seed + 1, kLowerRow);
    FortWall(c, 0, c.w, 72, kLowerRow);
    Causeway(c, 0, c.w);
    Water(c, kLowerRow + 16);
}

void Tower(Canvas& c, int x, int w, int top) {
    for (int y = top + 8; y < kLowerRow; y++)
        for (int xx = x; xx < x + w; xx++) {
            int row = (y - top) >> 3, inRow = (y - top) & 7;
            int jx = (xx - x + (row & 1) * 6) % 12;
            Rgb col = (inRow == 7 || jx == 11) ? C(P_INK) : (xx == x || inRow == 0) ? C(P_METAL1) : C(P_METAL0);
            if (xx == x + w - 1) col = C(P_INK);
            c.Set(xx, y, col);
        }
    for (int xx = x - 2; xx < x + w + 2; xx++) {
        int m = (xx - x + 2) % 10;
        if (m >= 6) continue;
        c.VLine(xx, top, top + 7, C(m == 0 ? P_METAL1 : P_METAL0));
        c.Set(xx, top, C(P_METAL1));
    }
    c.HLine(x - 2, x + w + 1, top + 8, C(P_INK));
    Window(c, x + w / 2 - 3, top + 26, 6, 9, true);
    ArrowSlit(c, x + w / 2 - 1, top + 60);
    ArrowSlit(c, x + w / 2 - 1, top + 96);
}

void Piece7(Canvas& c) {
    Sky(c, 800);
    FarRoofs(c, 801, kLowerRow);
    Stones(c, kLowerRow, kLowerRow + 16, P_METAL0, P_METAL1, P_DUSK0, 6);
    Water(c, kLowerRow + 16);
    House(c, 0, 34, 64, kLowerRow, 0, 91);
    FortWall(c, 64, 128, 72, kLowerRow);
    Tower(c, 40, 28, 36);
    Causeway(c, 34, 128);
    Torch(c, 96, 120);
}

void Piece8(Canvas& c) {
    FortressBase(c, 900);
    ArrowSlit(c, 30, 110);
    ArrowSlit(c, 94, 110);
    Torch(c, 62, 128);
    // a faded banner
    c.FillRect(56, 84, 14, 26, C(P_ROSE0));
    c.VLine(56, 84, 109, C(P_AMBER0));
    for (int i = 0; i < 4; i++) c.Set(58 + i * 3, 110, C(P_ROSE0));
    c.FillRect(61, 92, 4, 4, C(P_GOLD0));
}

void Piece9(Canvas& c) {
    FortressBase(c, 1000);
    Tower(c, 36, 56, 28);
    Torch(c, 18, 130);
    Torch(c, 108, 130);
}

// Piece 10's water gate: a grating in the quay and a moored skiff (96 x 48
// at y = 208, the lower 16 rows below the screen).
void Piece10Extra(Canvas& c) {
    c.FillRect(8, 0, 80, 14, C(P_INK));
    for (int x = 10; x < 86; x += 5) c.VLine(x, 1, 13, C(P_METAL1));
    c.HLine(8, 87, 0, C(P_METAL1));
    for (int i = 0; i < 6; i++) c.HLine(20 + i, 70 - i / 2, 20 + i, C(i == 0 ? P_EARTH2 : (i < 3 ? P_EARTH1 : P_EARTH0)));
    c.VLine(60, 8, 19, C(P_INK));
    Lantern(c, 59, 6);
    for (int y = 26; y < 48; y += 2) c.HLine(26 + (y % 4), 64 - (y % 4), y, C(P_SKY0));
}

// Piece 11's chain barrier: a bollard and a sagging chain, three in a row.
void Piece11Extra(Canvas& c) {
    c.FillRect(4, 2, 10, 30, C(P_METAL0));
    c.VLine(4, 2, 31, C(P_METAL1));
    c.VLine(13, 2, 31, C(P_INK));
    c.FillRect(3, 0, 12, 3, C(P_METAL1));
    c.HLine(3, 14, 3, C(P_INK));
    for (int x = 14; x < 48; x++) {
        double u = (x - 14) / 38.0;
        int y = 6 + int(10 * 4 * u * (1 - u));
        c.Set(x, y, C((x & 1) ? P_METAL1 : P_INK));
        c.Set(x, y + 1, C(P_INK));
    }
    for (int y = 32; y < 48; y++) c.HLine(5, 12, y, C(P_METAL0));
}

// Piece 11's foreground: the gate arch's iron chains and a hanging lamp,
// thin so that bullets stay visible behind them.
void Piece11Front(Canvas& c) {
    for (int y = 0; y < 150; y++) {
        c.Set(8 + ((y / 3) & 1), y, C(((y / 3) & 1) ? P_METAL1 : P_METAL0));
        if (y % 3 == 0) c.Set(8 + ((y / 3 + 1) & 1), y, C(P_INK));
    }
    for (int y = 0; y < 96; y++) {
        c.Set(86 + ((y / 3) & 1), y, C(((y / 3) & 1) ? P_METAL1 : P_METAL0));
        if (y % 3 == 0) c.Set(86 + ((y / 3 + 1) & 1), y, C(P_INK));
    }
    c.FillRect(4, 150, 10, 3, C(P_INK));
    c.FillRect(5, 153, 8, 8, C(P_EARTH0));
    c.FillRect(6, 154, 6, 6, C(P_GOLD1));
    c.Set(8, 156, C(P_GOLD3));
    c.FillRect(5, 161, 8, 2, C(P_INK));
    c.FillRect(82, 96, 10, 6, C(P_INK));
    c.Line(84, 102, 89, 108, C(P_INK));
    // the top of the arch: a keystone and ivy
    c.FillRect(0, 0, 96, 4, C(P_INK));
    c.FillRect(38, 0, 20, 8, C(P_METAL0));
    c.Frame(38, 0, 20, 8, C(P_INK));
    for (int i = 0; i < 14; i++) {
        int x = 20 + (int(Hash(5, i) % 56)), y = 4 + int(Hash(6, i) % 10);
        c.Set(x, y, C(P_LEAF1));
        c.Set(x + 1, y, C(P_LEAF0));
        c.Set(x, y + 1, C(P_LEAF0));
    }
}

// --- the ground tiles ---------------------------------------------------

// The 320-pixel cycle of the cobbled street (tiles 1..20): a curb along the
// top, rounded setts below it, a drain now and then.
void GroundCycle(Canvas& c, int x0, int y0) {
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 320; x++) {
            Rgb col;
            if (y == 0) col = C(P_METAL2);
            else if (y == 1) col = C(P_METAL1);
            else if (y == 2) col = C(P_INK);
            else if (y == 15) col = C(P_INK);
            else {
                int row = (y - 3) / 4, ry = (y - 3) % 4;
                int w = 7;
                int cx = (x + row * 3 + int(Hash(44, row) % 5)) % w;
                uint32_t h = Hash(45, (x + row * 3) / w, row);
                int tone = int(h % 4);
                static const int tones[4] = {P_METAL0, P_METAL1, P_EARTH0, P_METAL0};
                if (cx == 0 || ry == 3) col = C(P_INK);
                else if (ry == 0 || cx == 1) col = Lighten(C(tones[tone]));
                else col = C(tones[tone]);
                if (tone == 1 && ry == 0 && cx == 1) col = C(P_METAL2);
            }
            c.Set(x0 + x, y0 + y, col);
        }
    // Drains and puddles that catch the lamplight.
    for (int k = 0; k < 3; k++) {
        int x = x0 + 36 + k * 112;
        c.FillRect(x, y0 + 5, 10, 6, C(P_INK));
        for (int i = 1; i < 10; i += 2) c.VLine(x + i, y0 + 6, y0 + 9, C(P_METAL1));
        int px = x0 + 80 + k * 100;
        c.FillRect(px, y0 + 8, 12, 3, C(P_DUSK1));
        c.HLine(px + 2, px + 6, y0 + 9, C(P_AMBER0));
    }
}

// The end stone where a road stops: a squared block with an iron ring.
void EndStone(Canvas& c, int x0, int y0) {
    c.FillRect(x0, y0, 16, 16, C(P_METAL0));
    c.HLine(x0, x0 + 15, y0, C(P_METAL2));
    c.VLine(x0, y0, y0 + 15, C(P_METAL1));
    c.VLine(x0 + 15, y0, y0 + 15, C(P_INK));
    c.HLine(x0, x0 + 15, y0 + 15, C(P_INK));
    c.HLine(x0 + 1, x0 + 14, y0 + 7, C(P_INK));
    c.VLine(x0 + 8, y0 + 1, y0 + 6, C(P_INK));
    c.Set(x0 + 1, y0 + 1, C(P_METAL3));
    c.Circle(x0 + 8, y0 + 11, 2, C(P_EARTH2));
    c.Set(x0 + 8, y0 + 8, C(P_EARTH1));
}

void PaintStripSheet(Canvas& sheet) {
    using Paint = void (*)(Canvas&);
    static const Paint paints[] = {Piece0, Piece1, Piece2, Piece3, Piece4, Piece5, Piece6, Piece7, Piece8, Piece9};
    for (size_t i = 0; i < std::size(kPieces); i++) {
        const PieceSpec& p = kPieces[i];
        Canvas c(p.width, kH, C(P_INK));
        paints[i](c);
        sheet.Blit(c, p.rect.l, p.rect.t, false);
    }
    Canvas extra10(kPiece10Extra.W(), kPiece10Extra.H());
    Piece10Extra(extra10);
    sheet.Blit(extra10, kPiece10Extra.l, kPiece10Extra.t, false);
    Canvas extra11(kPiece11Extra.W(), kPiece11Extra.H());
    Piece11Extra(extra11);
    sheet.Blit(extra11, kPiece11Extra.l, kPiece11Extra.t, false);
    Canvas front(kPiece11Front.W(), kPiece11Front.H());
    Piece11Front(front);
    sheet.Blit(front, kPiece11Front.l, kPiece11Front.t, false);
    EndStone(sheet, 0, 0);
    GroundCycle(sheet, 16, 0);
    sheet.Quantize(Rect{0, 0, sheet.w, sheet.h});
}

}  // namespace
}  // namespace stage2

AG_REGISTER(RegisterStage2Scenery) {
    using namespace ag;
    using namespace stage2;
    DeclareSheet({kSheet, 672, 752, Depth::Indexed8, kKey, "stage 2 scenery: backdrop pieces and ground tiles"});
    DeclareCell(kSheet, "end stone", {0, 0, 16, 16}, "tile 0: the end stone drifting where a road ends", Copy::Keyed, kOwner);
    DeclareCell(kSheet, "street", {16, 0, 336, 16}, "tiles 1-20: the cobbled street, a 320-pixel cycle", Copy::Keyed,
                kOwner);
    for (const PieceSpec& p : kPieces) DeclareCell(kSheet, p.name, p.rect, p.what, Copy::Keyed, kOwner);
    DeclareCell(kSheet, "piece 10 water gate", kPiece10Extra, "piece 10: grating and moored skiff at y 208",
                Copy::Keyed, kOwner);
    DeclareCell(kSheet, "piece 11 barrier", kPiece11Extra, "piece 11: bollard and chain, three times at y 208",
                Copy::Keyed, kOwner);
    DeclareCell(kSheet, "piece 11 front", kPiece11Front, "piece 11 foreground: chains and a lamp, over the sprites",
                Copy::Keyed, kOwner);
    AddPainter(kSheet, kOwner, PaintStripSheet);
    AddStagePart(2, "map", [](StageDesc& d) {
        for (int col = 0; col < 20; col++) d.SetTile(col, 12, 0, StageDesc::TileAt(16 + col * 16, 0));
    });
}
