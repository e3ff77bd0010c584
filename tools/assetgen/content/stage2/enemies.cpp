// Stage 2's enemy sheet: the drawing of every enemy, bound to its sprite in enemies.txt and of the Sea Gate.
//
// Stage 2's enemy sheet "stage2_en.bmp" (8-bit): the harbour town's night
// creatures and harbour machinery, one cell per animation frame, and the Sea
// Gate, the walled boss: a gate tower on a barge (type 26, an intangible
// body), its furnace heart behind iron shutters (type 27, the
// core), the stones it drops from its battlements (type 28) and the iron
// pikes it raises from the water (type 29). The boss's weapons and core sit
// at the sheet positions its code uses: pikes at (328, 0), stones at
// (344, 0), the heart at (328, 96).
#include <cmath>
#include <string>
#include <vector>

#include "../sprite_draw.h"
#include "kit.h"

namespace {

using namespace ag;
using namespace stagedraw;

const char* const kSheet = "stage2_en.bmp";
const char* const kOwner = "stage2 enemies";

// ---- flyers ------------------------------------------------------------

void DrawLantern(Canvas& c, int) {  // type 11: a paper lantern imp, 16 x 16
    c.FillRect(6, 0, 4, 2, P(P_EARTH1));
    c.FillEllipse(8, 8, 6, 6, P(P_FIRE2));
    c.ShadeShape(Rect{0, 2, 16, 15}, P(P_FIRE2), P(P_FIRE1), P(P_FIRE3));
    c.HLine(3, 12, 5, P(P_FIRE1));
    c.HLine(3, 12, 11, P(P_FIRE1));
    c.FillRect(6, 14, 4, 2, P(P_EARTH1));
    PinEye(c, 5, 7);
    PinEye(c, 9, 7);
    c.HLine(7, 8, 10, kInk);
    Finish(c);
}
AG_DRAWS(kSheet, "lantern", DrawLantern);

void DrawGull(Canvas& c, int f) {  // type 40: a night gull, wings up / down, 16 x 16
    c.FillEllipse(8, 9, 5, 3, P(P_METAL3));
    c.ShadeShape(Rect{0, 0, 16, 16}, P(P_METAL3), P(P_METAL2), P(P_METAL4));
    if (f == 0) {
        Tri(c, {6, 8}, {1, 1}, {9, 8}, P(P_METAL4));
        Tri(c, {9, 8}, {14, 2}, {11, 8}, P(P_METAL2));
    } else {
        Tri(c, {6, 10}, {0, 14}, {9, 10}, P(P_METAL4));
        Tri(c, {9, 10}, {15, 14}, {11, 10}, P(P_METAL2));
    }
    c.FillRect(1, 8, 3, 2, P(P_GOLD2));  // beak, facing left
    c.Set(5, 8, kInk);
    c.FillRect(13, 9, 2, 2, P(P_METAL1));
    Finish(c);
}
AG_DRAWS(kSheet, "gull", DrawGull);

void DrawWisp(Canvas& c, int f) {  // type 12: a will-o'-wisp, drawn half transparent
    Wisp(c, f, 8, 16, P_TEAL2, "teal");
    c.FillCircle(6, 7, 2, P(P_TEAL3));
    c.Set(5, 8, kInk);
    c.Set(8, 8, kInk);
    Finish(c);
}
AG_DRAWS(kSheet, "wisp", DrawWisp);

void DrawJelly(Canvas& c, int f) {  // type 13: a harbour jellyfish
    c.FillEllipse(8, 6, 6, 5, P(P_VIOLET2));
    c.FillRect(1, 7, 14, 9, kKey);
    c.ShadeShape(Rect{0, 0, 16, 7}, P(P_VIOLET2), P(P_VIOLET1), P(P_VIOLET3));
    c.HLine(2, 13, 6, P(P_VIOLET1));
    for (int i = 0; i < 4; i++) {
        int x = 4 + i * 3;
        int sway = ((i + f) & 1) ? 1 : -1;
        c.Line(x, 7, x + sway, 11, P(P_VIOLET3));
        c.Line(x + sway, 11, x, 14, P(P_ROSE2));
    }
    c.Set(6, 3, P(P_WHITE));
    c.Set(5, 4, kInk);
    c.Set(10, 4, kInk);
    Finish(c);
}
AG_DRAWS(kSheet, "jelly", DrawJelly);

void DrawCrow(Canvas& c, int f) {  // type 20: a crow carrying a lamp, 24 x 24; wings 0 up .. 2 down
    int tipY = f == 0 ? 1 : (f == 1 ? 9 : 20);
    Tri(c, {9, 11}, {20, tipY}, {16, 13}, P(P_VIOLET1));
    c.FillEllipse(11, 13, 7, 5, P(P_VIOLET1));
    c.ShadeShape(Rect{0, 0, 24, 24}, P(P_VIOLET1), P(P_VIOLET0), P(P_VIOLET2));
    c.FillCircle(6, 9, 4, P(P_VIOLET1));
    c.ShadeShape(Rect{0, 4, 11, 14}, P(P_VIOLET1), P(P_VIOLET0), P(P_VIOLET3));
    Tri(c, {0, 10}, {3, 8}, {3, 11}, P(P_GOLD2));  // beak
    c.FillRect(4, 8, 2, 2, P(P_GOLD3));
    c.Set(4, 8, kInk);
    Tri(c, {17, 12}, {23, 10}, {23, 16}, P(P_VIOLET0));  // tail
    // the lamp it carries
    c.VLine(11, 18, 19, kInk);
    c.FillRect(9, 20, 5, 4, P(P_GOLD2));
    c.Set(11, 21, P(P_WHITE));
    Finish(c);
}
AG_DRAWS(kSheet, "crow", DrawCrow);

// ---- hanging pieces ------------------------------------------------------

void DrawCannon(Canvas& c, int f) {  // type 14: a brass cannon lowered on chains; 0..3 charging, 4 chain
    if (f == 4) {
        Chain(c, 16, 6, 32, P_METAL3);
        Finish(c);
        return;
    }
    c.VLine(16, 0, 8, P(P_METAL2));
    c.FillRect(10, 6, 12, 4, P(P_METAL2));
    c.FillRect(6, 12, 22, 11, P(P_GOLD1));  // barrel, muzzle to the left
    c.FillRect(1, 10, 6, 15, P(P_GOLD1));
    c.ShadeShape(Rect{0, 0, 32, 32}, P(P_GOLD1), P(P_GOLD0), P(P_GOLD2));
    c.FillCircle(22, 26, 4, P(P_EARTH1));
    c.ShadeShape(Rect{16, 20, 28, 32}, P(P_EARTH1), P(P_EARTH0), P(P_EARTH2));
    static const int glow[4] = {P_EARTH0, P_FIRE1, P_FIRE2, P_WHITE};
    c.FillRect(1, 14, 3, 7, P(glow[f]));
    if (f == 3) c.FillRect(0, 16, 2, 3, P(P_GOLD3));
    c.HLine(8, 26, 17, P(P_GOLD0));
    Finish(c);
}
AG_DRAWS(kSheet, "cannon", DrawCannon);

void DrawBell(Canvas& c, int f) {  // type 15, 24 x 24: ship's bell opening 0..3, 4 chain, 5 anchor
    if (f == 4) {
        Chain(c, 12, 6, 24, P_METAL3);
    } else if (f == 5) {
        c.VLine(12, 0, 20, P(P_METAL3));
        c.VLine(11, 0, 20, P(P_METAL2));
        c.HLine(6, 17, 4, P(P_METAL3));
        for (int x = 2; x <= 22; x++) {
            double u = (x - 12) / 10.0;
            int y = 20 - int(8 * u * u);
            c.Set(x, y, P(P_METAL3));
            c.Set(x, y + 1, P(P_METAL2));
        }
        Tri(c, {1, 11}, {4, 11}, {2, 15}, P(P_METAL4));
        Tri(c, {20, 11}, {23, 11}, {22, 15}, P(P_METAL4));
        c.FillCircle(12, 2, 2, P(P_METAL1));
    } else {
        c.FillRect(10, 0, 4, 3, P(P_METAL1));
        c.FillEllipse(12, 11, 8, 9, P(P_GOLD2));
        c.FillRect(3, 14, 18, 10, kKey);  // open at the bottom
        int lip = 14 - f;
        c.FillRect(2, lip, 20, 3, P(P_GOLD1));
        c.ShadeShape(Rect{0, 0, 24, 24}, P(P_GOLD2), P(P_GOLD1), P(P_GOLD3));
        if (f > 0) {
            c.FillRect(6, lip + 3, 12, f * 2, P(P_INK));
            c.FillCircle(12, lip + 3 + f, 2, P(P_METAL2));  // the clapper, then the anchor inside
        }
        c.Set(8, 8, P(P_ROSE1));
        c.Set(15, 8, P(P_ROSE1));
    }
    Finish(c);
}
AG_DRAWS(kSheet, "bell", DrawBell);

void DrawMine(Canvas& c, int f) {  // type 22: a spiked sea mine, lamp blinking; 2 chain
    if (f == 2) {
        Chain(c, 16, 8, 32, P_METAL2);
        Finish(c);
        return;
    }
    for (int i = 0; i < 8; i++) {
        double a = i * kPi / 4;
        Point in = Polar(16, 16, a, 9), out = Polar(16, 16, a, 14);
        c.Line(in.x, in.y, out.x, out.y, P(P_METAL3));
        c.FillRect(out.x - 1, out.y - 1, 2, 2, P(P_METAL4));
    }
    Ball(c, 16, 16, 10, "metal");
    c.HLine(7, 25, 16, P(P_METAL1));
    c.FillCircle(16, 11, 3, P(f ? P_FIRE3 : P_ROSE1));
    if (f) c.Set(15, 10, P(P_WHITE));
    Finish(c);
}
AG_DRAWS(kSheet, "mine", DrawMine);

void DrawWeight(Canvas& c, int f) {  // type 41: a crane's iron weight with a hook, 1 the cable
    if (f == 1) {
        c.FillRect(14, 0, 4, 32, P(P_EARTH2));
        for (int y = 0; y < 32; y += 4) c.Line(14, y, 17, y + 2, P(P_EARTH1));
        c.VLine(14, 0, 31, P(P_EARTH3));
    } else {
        c.FillRect(14, 0, 4, 6, P(P_EARTH2));
        c.FillRect(3, 6, 26, 22, P(P_METAL1));
        c.ShadeShape(Rect{0, 0, 32, 29}, P(P_METAL1), P(P_METAL0), P(P_METAL2));
        c.FillRect(6, 12, 20, 10, P(P_METAL0));
        c.FillRect(9, 14, 14, 6, P(P_GOLD1));
        c.FillRect(11, 15, 2, 4, P(P_INK));
        c.FillRect(15, 15, 2, 4, P(P_INK));
        c.FillRect(19, 15, 2, 4, P(P_INK));
        for (int x = 4; x < 29; x += 6) Tri(c, {x, 28}, {x + 4, 28}, {x + 2, 31}, P(P_METAL3));
    }
    Finish(c);
}
AG_DRAWS(kSheet, "weight", DrawWeight);

// ---- on the ground, 32 x 32 ------------------------------------------------

void Footing(Canvas& c, int top) {  // a stone plinth on the cobbles
    c.FillRect(3, top, 26, 32 - top, P(P_METAL1));
    c.ShadeShape(Rect{0, top, 32, 32}, P(P_METAL1), P(P_METAL0), P(P_METAL2));
}

void DrawMortar(Canvas& c, int f) {  // type 23: a harbour mortar; 0 shut .. 3 wide open
    Footing(c, 24);
    c.FillEllipse(16, 22, 11, 10, P(P_EARTH2));
    c.FillRect(4, 23, 24, 1, kKey);
    c.ShadeShape(Rect{0, 0, 32, 23}, P(P_EARTH2), P(P_EARTH1), P(P_EARTH3));
    c.HLine(6, 26, 18, P(P_GOLD1));
    if (f > 0) {
        c.FillEllipse(16, 13, 2 + f * 2, 1 + f, P(P_INK));
        c.FillEllipse(16, 13, f * 2, f, P(f == 3 ? P_FIRE3 : P_FIRE1));
    } else {
        c.HLine(11, 21, 13, P(P_EARTH0));
    }
    Finish(c);
}
AG_DRAWS(kSheet, "mortar", DrawMortar);

void DrawBrazier(Canvas& c, int f) {  // type 24: an iron brazier; the fire flares to fire
    Footing(c, 26);
    c.FillRect(14, 18, 4, 8, P(P_METAL1));
    c.FillEllipse(16, 16, 10, 5, P(P_METAL2));
    c.FillRect(6, 11, 21, 5, kKey);
    c.ShadeShape(Rect{0, 14, 32, 26}, P(P_METAL2), P(P_METAL1), P(P_METAL3));
    int h = 5 + f * 4;
    for (int i = 0; i < 3; i++) {
        int x = 10 + i * 6;
        Tri(c, {x - 3, 14}, {x + 3, 14}, {x + (i - 1), 14 - h + (i == 1 ? 0 : 2)}, P(P_FIRE2));
        Tri(c, {x - 1, 14}, {x + 1, 14}, {x, 14 - h / 2}, P(P_GOLD3));
    }
    Finish(c);
}
AG_DRAWS(kSheet, "brazier", DrawBrazier);

void DrawKeg(Canvas& c, int f) {  // type 42: a powder keg turret; frame 2 vents open
    Footing(c, 27);
    c.FillEllipse(16, 17, 11, 10, P(P_EARTH2));
    c.ShadeShape(Rect{0, 0, 32, 27}, P(P_EARTH2), P(P_EARTH1), P(P_EARTH3));
    c.HLine(6, 26, 10, P(P_METAL2));
    c.HLine(5, 27, 22, P(P_METAL2));
    if (f == 2) {
        for (int i = 0; i < 3; i++) c.FillRect(9 + i * 6, 13, 3, 5, P(P_FIRE3));
    } else {
        c.FillRect(13, 14, 6, f ? 2 : 4, P(P_EARTH0));
    }
    c.Line(16, 7, 19, 2, P(P_EARTH1));
    c.Set(19, 1, P(f ? P_FIRE3 : P_GOLD2));
    Finish(c);
}
AG_DRAWS(kSheet, "keg", DrawKeg);

void DrawCrates(Canvas& c, int) {  // type 52: cargo crates and a barrel on the quay
    c.FillRect(2, 14, 16, 16, P(P_EARTH2));
    c.ShadeShape(Rect{0, 12, 19, 32}, P(P_EARTH2), P(P_EARTH1), P(P_EARTH3));
    c.Line(3, 15, 16, 28, P(P_EARTH1));
    c.Frame(2, 14, 16, 16, P(P_EARTH1));
    c.FillEllipse(24, 22, 6, 8, P(P_EARTH1));
    c.ShadeShape(Rect{18, 13, 32, 31}, P(P_EARTH1), P(P_EARTH0), P(P_EARTH2));
    c.HLine(18, 29, 17, P(P_METAL2));
    c.HLine(18, 29, 26, P(P_METAL2));
    c.FillRect(6, 2, 12, 12, P(P_EARTH3));
    c.ShadeShape(Rect{5, 0, 19, 14}, P(P_EARTH3), P(P_EARTH2), P(P_GOLD3));
    c.Frame(6, 2, 12, 12, P(P_EARTH1));
    Finish(c);
}
AG_DRAWS(kSheet, "crates", DrawCrates);

void DrawLanternGlow(Canvas& c, int) {  // type 46, additive: a drifting sky lantern's light
    c.Fill(kBlack);
    c.GlowEllipse(16, 17, 15, 15, {P(P_FIRE4), P(P_FIRE3), P(P_AMBER1), P(P_FIRE2), P(P_FIRE1)});
    c.GlowEllipse(16, 15, 5, 8, {P(P_WHITE), P(P_GOLD3), P(P_GOLD2)});
}
AG_DRAWS(kSheet, "sky lantern", DrawLanternGlow);

// ---- the Sea Gate ----------------------------------------------------------
// Body cell 192 x 240, drawn at screen x 124..316 once it stops at x = 220;
// only its right part is drawn. The heart (type 27) appears over body
// pixels (137..169, 70..134).

constexpr int kBodyX = 0, kBodyY = 144, kBodyW = 192, kBodyH = 240;
constexpr int kHeartL = 137, kHeartT = 70;

void Bricks(Canvas& c, int x0, int y0, int x1, int y1, int body, int light, int dark) {
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++) {
            int row = (y - y0) / 7, inRow = (y - y0) % 7;
            int jx = (x - x0 + (row & 1) * 7) % 14;
            Rgb col = (inRow == 6 || jx == 13) ? P(dark) : (inRow == 0 || jx == 0) ? P(light) : P(body);
            c.Set(x, y, col);
        }
}

void Merlons(Canvas& c, int x0, int x1, int top, int step, int body, int light) {
    for (int x = x0; x < x1; x++) {
        if ((x - x0) % step >= step * 2 / 3) continue;
        c.VLine(x, top, top + 8, P((x - x0) % step == 0 ? light : body));
        c.Set(x, top, P(light));
    }
}

// Only the tower that holds the heart, on its barge: the body is drawn
// white whole whenever the heart is hit, so it is kept to the tower around
// the heart (a narrow frame, open under its portcullis) and the harbour's
// own fortress wall behind it is scenery.
void DrawBody(Canvas& c) {
    constexpr int tx0 = 124, tx1 = 183, top = 40;
    // The barge the tower stands on.
    for (int y = 206; y < 234; y++) {
        int inset = std::max(0, (y - 220) * 2);
        c.HLine(tx0 - 12 + inset, tx1 + 8 - inset / 3, y, P(y < 210 ? P_EARTH2 : P_EARTH1));
    }
    for (int x = tx0 - 4; x < tx1 + 4; x += 16) c.FillCircle(x, 214, 2, P(P_EARTH0));
    c.HLine(tx0 - 12, tx1 + 8, 220, P(P_EARTH0));
    c.ShadeShape(Rect{tx0 - 12, 206, tx1 + 9, 234}, P(P_EARTH1), P(P_EARTH0), P(P_EARTH2));
    // The tower.
    Bricks(c, tx0, top + 8, tx1, 206, P_METAL2, P_METAL3, P_METAL0);
    Merlons(c, tx0 - 2, tx1 + 2, top, 10, P_METAL2, P_METAL3);
    c.HLine(tx0 - 2, tx1 + 1, top + 8, P(P_INK));
    for (int k = 0; k < 2; k++) {  // banners either side of the heart
        int bx = k ? tx1 - 9 : tx0;
        c.FillRect(bx, top + 10, 9, 26, P(P_ROSE1));
        c.VLine(bx, top + 10, top + 35, P(P_ROSE2));
        Tri(c, {bx, top + 36}, {bx + 8, top + 36}, {bx + 4, top + 42}, P(P_ROSE1));
        c.FillCircle(bx + 4, top + 20, 2, P(P_GOLD2));
    }
    // The shutters over the heart: iron doors with rivets in a stone frame.
    c.FillRect(kHeartL - 4, kHeartT - 4, 40, 72, P(P_METAL3));
    c.FillRect(kHeartL - 2, kHeartT - 2, 36, 68, P(P_INK));
    for (int d = 0; d < 2; d++) {
        int x = kHeartL + d * 16;
        c.FillRect(x, kHeartT, 15, 64, P(P_METAL1));
        c.ShadeShape(Rect{x, kHeartT, x + 15, kHeartT + 64}, P(P_METAL1), P(P_METAL0), P(P_METAL2));
        for (int y = kHeartT + 6; y < kHeartT + 64; y += 14) {
            c.HLine(x + 1, x + 13, y, P(P_METAL0));
            c.Set(x + 3, y + 2, P(P_METAL3));
            c.Set(x + 11, y + 2, P(P_METAL3));
        }
    }
    c.FillRect(kHeartL + 13, kHeartT + 28, 6, 8, P(P_GOLD1));  // the lock
    c.Set(kHeartL + 15, kHeartT + 31, P(P_INK));
    // The portcullis at the tower's foot, open to the harbour behind.
    constexpr int ax0 = tx0 + 12, ax1 = tx1 - 12, ay = 170;
    for (int x = ax0; x < ax1; x++) {
        double u = (x - ax0 + 0.5) / (ax1 - ax0);
        int archTop = ay - int(14 * std::sqrt(std::max(0.0, 1 - (2 * u - 1) * (2 * u - 1))));
        c.VLine(x, archTop, 205, kKey);
        c.Set(x, archTop - 1, P(P_METAL3));
        c.Set(x, archTop - 2, P(P_METAL2));
    }
    for (int x = ax0 + 3; x < ax1 - 1; x += 7) {
        c.VLine(x, ay - 12, 196, P(P_METAL2));
        c.VLine(x + 1, ay - 12, 196, P(P_METAL0));
        Tri(c, {x - 1, 196}, {x + 2, 196}, {x, 202}, P(P_METAL3));
    }
    for (int y = ay - 4; y < 196; y += 10) c.HLine(ax0 + 2, ax1 - 3, y, P(P_METAL1));
    c.Outline(Rect{0, 0, kBodyW, kBodyH}, kInk);
}

void DrawHeart(Canvas& c) {  // 32 x 64: the shutters thrown open, the furnace heart
    c.Fill(P(P_INK));
    c.FillRect(0, 0, 3, 64, P(P_METAL1));   // the opened doors, seen edge-on
    c.FillRect(29, 0, 3, 64, P(P_METAL1));
    c.VLine(0, 0, 63, P(P_METAL2));
    c.GlowEllipse(16, 32, 13, 28, {P(P_WHITE), P(P_GOLD3), P(P_FIRE3), P(P_FIRE2), P(P_FIRE1), P(P_FIRE0)});
    c.FillEllipse(16, 32, 6, 12, P(P_FIRE4));
    c.FillEllipse(16, 30, 3, 6, P(P_WHITE));
    // an iron cage around it
    for (int y = 6; y < 60; y += 9) c.HLine(4, 27, y, P(P_METAL0));
    c.VLine(16, 2, 61, P(P_METAL0));
    for (int x = 0; x < 32; x++)
        for (int y = 0; y < 64; y++)
            if (c.Get(x, y) == kBlack) c.Set(x, y, P(P_INK));
}

void DrawStone(Canvas& c, int) {  // type 28: a block of masonry falling from the battlements
    std::vector<Point> pts = {{3, 5}, {10, 1}, {21, 3}, {22, 16}, {17, 22}, {4, 20}, {1, 12}};
    c.FillPolygon(pts, P(P_METAL2));
    c.ShadeShape(Rect{0, 0, 24, 24}, P(P_METAL2), P(P_METAL1), P(P_METAL3));
    c.Line(6, 10, 14, 8, P(P_METAL1));
    c.Line(12, 14, 18, 17, P(P_METAL1));
    c.Set(7, 5, P(P_METAL4));
    c.Outline(Rect{0, 0, 24, 24}, kInk);
}
AG_DRAWS(kSheet, "stone", DrawStone);

void DrawPike(Canvas& c, int) {  // type 29: an iron pike rising from the water, 16 x 96
    Tri(c, {8, 0}, {3, 16}, {12, 16}, P(P_METAL3));
    c.VLine(7, 1, 15, P(P_METAL4));
    Tri(c, {3, 16}, {0, 22}, {6, 18}, P(P_METAL2));
    Tri(c, {12, 16}, {15, 22}, {9, 18}, P(P_METAL2));
    c.FillRect(5, 16, 6, 80, P(P_METAL1));
    c.VLine(5, 16, 95, P(P_METAL2));
    for (int y = 24; y < 96; y += 12) c.HLine(4, 11, y, P(P_EARTH1));
    c.FillRect(4, 17, 8, 3, P(P_ROSE1));
    c.Outline(Rect{0, 0, 16, 96}, kInk);
}
AG_DRAWS(kSheet, "pike", DrawPike);

void BodyCell(Canvas& c, int) { DrawBody(c); }
void HeartCell(Canvas& c, int) { DrawHeart(c); }
AG_DRAWS(kSheet, "heart", HeartCell);

// The Sea Gate's body: its size is its drawing's own, so its row stays here.
const Sprite kBody[] = {
    {"sea gate", kBodyX, kBodyY, kBodyW, kBodyH, 1, BodyCell, "the Sea Gate, body (type 26)"},
};

}  // namespace

AG_REGISTER(RegisterStage2Enemies) {
    AddSpriteFile(kSheet, kOwner, "stage2/enemies.txt");
    AddSprites(kSheet, kOwner, kBody);
}
