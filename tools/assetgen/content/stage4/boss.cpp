// Stage 4's boss, the Geode Colossus, and the Cave Queen: the drawing of their cells, whose places are boss.txt.
//
// Stage 4's boss on "stage4_en.bmp": the Geode Colossus, a giant of rock and
// crystal with a singing heart, and the Cave Queen who speaks for it, at the
// rectangles the cut-in boss reads:
//   body (type 48, from its template) 144 x 176 at (336, 64), a hollow where
//     the heart sits (the heart may be drawn under or over it);
//   heart (type 49) 32 x 48 at (240, 0), an opaque gem in its socket;
//   the Queen (type 5) 32 x 48 at (240, 192), three frames as she speaks;
//   the charged beam (type 8): four charge frames 32 x 32 at (240, 48..144)
//     and the beam 320 x 64 at (272, 0), additive on black;
//   the bouncing pellet (type 7) 8 x 8 at (240, 176), additive on black;
//   the closing pillars (type 6) 32 x 120 at (592, 0) from above and
//     (592, 120) from below.
// Its entry is the last event of "men4.dat", as the scroll stops.
#include <cmath>

#include "../sprite_draw.h"
#include "kit.h"
#include "stage4.h"

namespace {

using namespace ag;
using namespace stagedraw;

const char* const kSheet = stage4::kEnemySheet;
const char* const kOwner = "stage4 boss";

// A crystal point from (bx, by) to the tip (tx, ty), half width hw at the
// base, lit on its left face.
void Crystal(Canvas& c, int bx, int by, int tx, int ty, int hw, int dark, int mid, int light) {
    double dx = tx - bx, dy = ty - by, len = std::sqrt(dx * dx + dy * dy);
    double nx = -dy / len, ny = dx / len;
    Point l{bx + int(std::lround(nx * hw)), by + int(std::lround(ny * hw))};
    Point r{bx - int(std::lround(nx * hw)), by - int(std::lround(ny * hw))};
    c.FillTriangle(l, {tx, ty}, {bx, by}, P(nx < 0 ? light : dark));
    c.FillTriangle(r, {tx, ty}, {bx, by}, P(nx < 0 ? dark : light));
    c.Line(bx, by, tx, ty, P(mid));
}

// ---- the body: a rock giant's bust, crystals on its crown and shoulders

void DrawBody(Canvas& c) {
    // Shoulders and chest: a hunched boulder of a body, lit from the upper left.
    c.ShadeBall(78, 122, 64, Ramp("earth"));
    c.FillRect(14, 150, 128, 26, kKey);
    c.ShadeBall(84, 150, 50, Ramp("earth"));
    // The left arm reaching forward, a fist of stone.
    c.ShadeBall(26, 122, 20, Ramp("earth"));
    c.ShadeBall(20, 154, 17, Ramp("earth"));
    for (int i = 0; i < 3; i++) c.HLine(8, 22, 148 + i * 6, P(P_EARTH0));  // knuckles
    // Head, sunk between the shoulders.
    c.ShadeBall(66, 42, 30, Ramp("earth"));
    // Stone texture: a few branching cracks.
    Rng rng(48);
    for (int i = 0; i < 9; i++) {
        int x = rng.Between(20, 130), y = rng.Between(76, 168);
        for (int seg = 0; seg < 3; seg++) {
            int nx = x + rng.Between(-7, 7), ny = y + rng.Between(4, 9);
            if (c.Get(nx, ny) == kKey || c.Get(x, y) == kKey) break;
            c.Line(x, y, nx, ny, P(P_EARTH0));
            c.Set(x + 1, y, P(P_EARTH2));
            x = nx;
            y = ny;
        }
    }
    // Brow, glowing eyes and a jaw of quartz teeth.
    c.FillRect(42, 30, 48, 5, P(P_EARTH0));
    c.FillRect(46, 36, 14, 7, kInk);
    c.FillRect(72, 36, 14, 7, kInk);
    c.FillRect(48, 37, 9, 4, P(P_VIOLET2));
    c.FillRect(74, 37, 9, 4, P(P_VIOLET2));
    c.FillRect(49, 38, 4, 2, P(P_VIOLET3));
    c.FillRect(75, 38, 4, 2, P(P_VIOLET3));
    c.FillRect(50, 54, 32, 6, kInk);
    for (int x = 52; x < 80; x += 5) c.FillTriangle({x, 54}, {x + 3, 54}, {x + 1, 58}, P(P_METAL4));
    // Crystal crown and shoulder spikes.
    Crystal(c, 52, 20, 40, 0, 6, P_VIOLET0, P_VIOLET2, P_VIOLET3);
    Crystal(c, 66, 14, 66, 0, 7, P_VIOLET1, P_VIOLET3, P_WHITE);
    Crystal(c, 80, 20, 94, 2, 6, P_VIOLET0, P_VIOLET2, P_VIOLET3);
    Crystal(c, 30, 80, 6, 52, 9, P_TEAL0, P_TEAL2, P_TEAL3);
    Crystal(c, 40, 72, 32, 44, 6, P_VIOLET0, P_VIOLET2, P_VIOLET3);
    Crystal(c, 118, 78, 140, 50, 10, P_TEAL0, P_TEAL2, P_TEAL3);
    Crystal(c, 104, 70, 114, 42, 6, P_VIOLET0, P_VIOLET2, P_VIOLET3);
    Crystal(c, 130, 120, 143, 104, 5, P_VIOLET0, P_VIOLET2, P_VIOLET3);
    Crystal(c, 22, 142, 4, 132, 4, P_VIOLET0, P_VIOLET2, P_VIOLET3);  // on the fist
    // The socket where the heart sits: a gold bezel around a hollow.
    c.FillRect(75, 59, 42, 58, kInk);
    c.FillRect(77, 61, 38, 54, P(P_GOLD1));
    c.HLine(77, 114, 61, P(P_GOLD3));
    c.VLine(77, 61, 114, P(P_GOLD2));
    c.FillRect(79, 63, 34, 50, kInk);
    c.FillRect(80, 64, 32, 48, kKey);
    // Veins of light running out from the socket.
    c.Line(76, 92, 56, 98, P(P_VIOLET2));
    c.Line(56, 98, 46, 114, P(P_VIOLET1));
    c.Line(116, 100, 128, 126, P(P_VIOLET1));
    c.Line(96, 117, 92, 150, P(P_VIOLET2));
    c.Line(92, 150, 98, 172, P(P_VIOLET1));
    c.Outline(Rect{0, 0, 144, 176}, kInk);
}

// ---- the heart: a faceted gem that fills its cell

void DrawHeart(Canvas& c) {
    c.FillRect(0, 0, 32, 48, P(P_INK));
    c.FillRect(1, 1, 30, 46, P(P_VIOLET0));
    c.FillRect(2, 2, 28, 44, P(P_DUSK0));
    std::vector<Point> gem = {{16, 3}, {29, 15}, {26, 36}, {16, 45}, {6, 36}, {3, 15}};
    c.FillPolygon(gem, P(P_ROSE2));
    c.FillPolygon({{16, 3}, {3, 15}, {16, 18}}, P(P_ROSE3));
    c.FillPolygon({{16, 3}, {29, 15}, {16, 18}}, P(P_ROSE2));
    c.FillPolygon({{3, 15}, {6, 36}, {16, 18}}, P(P_ROSE2));
    c.FillPolygon({{29, 15}, {26, 36}, {16, 18}}, P(P_ROSE1));
    c.FillPolygon({{6, 36}, {16, 45}, {16, 18}}, P(P_ROSE1));
    c.FillPolygon({{26, 36}, {16, 45}, {16, 18}}, P(P_ROSE0));
    c.FillCircle(16, 20, 4, P(P_VIOLET3));
    c.FillCircle(16, 20, 2, P(P_WHITE));
    c.Line(16, 3, 3, 15, P(P_WHITE));
    c.Set(9, 10, P(P_WHITE));
    c.Set(10, 9, P(P_WHITE));
}

// ---- the Queen: crowned, long hair, a robe of crystal; speaking frames

void DrawQueen(Canvas& c, int f) {
    int sway = f == 2 ? 1 : 0;
    // Robe.
    c.FillPolygon({{16, 20}, {27 + sway, 47}, {5 + sway, 47}}, P(P_VIOLET1));
    c.ShadeShape(Rect{0, 0, 32, 48}, P(P_VIOLET1), P(P_VIOLET0), P(P_VIOLET2));
    c.Line(16, 22, 12 + sway, 46, P(P_VIOLET2));
    c.Line(16, 22, 21 + sway, 46, P(P_VIOLET0));
    // Hair falling behind.
    c.FillEllipse(16, 14, 9, 9, P(P_ICE2));
    c.FillRect(7 + sway, 14, 4, 16, P(P_ICE2));
    c.FillRect(21 + sway, 14, 4, 16, P(P_ICE1));
    // Face.
    c.FillEllipse(16, 14, 6, 7, P(P_SKIN2));
    c.FillRect(10, 8, 13, 3, P(P_ICE2));  // fringe
    c.Set(13, 13, P(P_VIOLET1));
    c.Set(19, 13, P(P_VIOLET1));
    c.Set(13, 12, kInk);
    c.Set(19, 12, kInk);
    if (f == 0) c.HLine(15, 17, 18, P(P_ROSE1));
    else c.FillRect(15, 17, 3, 2 + (f == 2), P(P_ROSE0));
    // Crown of crystal points.
    for (int i = 0; i < 3; i++) c.FillTriangle({10 + i * 5, 7}, {14 + i * 5, 7}, {12 + i * 5, 1 + (i == 1 ? -1 : 1)}, P(P_TEAL3));
    c.Set(16, 3, P(P_WHITE));
    // A raised hand with a glowing shard on the last frame.
    if (f == 2) {
        c.Line(9, 24, 3, 18, P(P_SKIN2));
        c.FillTriangle({1, 17}, {5, 17}, {3, 11}, P(P_TEAL3));
        c.Set(3, 13, P(P_WHITE));
    } else {
        c.Line(10, 26, 8, 34, P(P_SKIN2));
    }
    c.Outline(Rect{0, 0, 32, 48}, kInk);
}

// ---- weapons: additive light on black

const std::vector<Rgb>& BeamRamp() {
    static const std::vector<Rgb> r = {C(P_WHITE), C(P_VIOLET3), C(P_ROSE3), C(P_VIOLET2), C(P_VIOLET1), C(P_VIOLET0)};
    return r;
}

void DrawCharge(Canvas& c, int f) {
    double r = 5 + f * 3.2;
    c.Glow(16, 16, r, BeamRamp());
    // Motes drawn in toward the heart.
    for (int i = 0; i < 6; i++) {
        double a = i * 1.047 + f * 0.4;
        int d = 14 - f * 2;
        Point p = Polar(16, 16, a, d);
        c.Set(p.x, p.y, P(P_VIOLET3));
        c.Set(p.x + 1, p.y, P(P_VIOLET1));
    }
}

void DrawBeam(Canvas& c) {
    for (int x = 0; x < 320; x++) {
        // A wavering band, fullest toward the heart on the right.
        double w = 1.0 + 0.12 * std::sin(x * 0.21) + 0.08 * std::sin(x * 0.057 + 1.3);
        double taper = x < 24 ? x / 24.0 : 1.0;
        for (int y = 0; y < 64; y++) {
            double d = std::fabs(y - 31.5) / (30.0 * w * (0.6 + 0.4 * taper));
            Rgb col;
            if (d < 0.18) col = C(P_WHITE);
            else if (d < 0.32) col = (Bayer4(x, y) < 8) ? C(P_WHITE) : C(P_VIOLET3);
            else if (d < 0.5) col = C(P_VIOLET3);
            else if (d < 0.68) col = (Bayer4(x, y) < 8) ? C(P_ROSE3) : C(P_VIOLET2);
            else if (d < 0.85) col = C(P_VIOLET1);
            else if (d < 1.0) col = (Bayer4(x, y) < 6) ? C(P_VIOLET0) : kBlack;
            else continue;
            c.Set(x, y, col);
        }
    }
    // Bright ripples along the core.
    for (int x = 6; x < 320; x += 22)
        for (int i = 0; i < 6; i++) c.Set(x + i, 24 + (i + x / 22) % 3, C(P_WHITE));
}

void DrawPellet(Canvas& c) {
    c.Glow(4, 4, 4.4, {C(P_WHITE), C(P_ROSE3), C(P_ROSE1)});
    c.Set(3, 3, C(P_WHITE));
}

void DrawPillar(Canvas& c, bool fromAbove) {
    // A column of rose crystal, its point toward the other pillar.
    for (int y = 0; y < 120; y++) {
        int t = fromAbove ? 119 - y : y;  // distance from the point
        int half = t < 22 ? 1 + t * 13 / 22 : 14;
        for (int x = 16 - half; x < 16 + half; x++) {
            Rgb col = x < 12 ? C(P_ROSE3) : x < 16 ? C(P_ROSE2) : x < 22 ? C(P_ROSE1) : C(P_ROSE0);
            if (x == 16 - half) col = C(P_WHITE);
            if ((y / 6) % 5 == 0 && x > 16 - half + 2 && x < 16 + half - 2 && t > 24) col = C(P_VIOLET1);  // bands
            c.Set(x, y, col);
        }
    }
    c.Outline(Rect{0, 0, 32, 120}, kInk);
}

// Paints the i-th cell of boss.txt.
void DrawCell(Canvas& c, int i) {
    switch (i) {
    case 0: DrawBody(c); break;
    case 1: DrawHeart(c); break;
    case 2: case 3: case 4: DrawQueen(c, i - 2); break;
    case 5: case 6: case 7: case 8: DrawCharge(c, i - 5); break;
    case 9: DrawBeam(c); break;
    case 10: DrawPellet(c); break;
    default: DrawPillar(c, i == 11); break;
    }
}

}  // namespace

void stage4::RegisterBossCells() { AddCellFile(kSheet, kOwner, "stage4/boss.txt", DrawCell, 13); }
