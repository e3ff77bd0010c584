// Stage 1's enemy sheet: the drawing of every enemy, bound to its sprite in enemies.txt.
//
// Stage 1's enemy sheet "stage1_en.bmp" (8-bit): every flyer, turret, trap,
// column and scenery piece the stage's waves use, one cell per animation
// frame. The boss cells are left free for the boss's own painter:
// (160,128)-(352,416) and (160,416)-(256,512) for the first form,
// (96,416)-(160,512) for the second, (0,114)-(32,130) for its bouncers.
#include <cmath>
#include <string>
#include <vector>

#include "../sprite_draw.h"
#include "kit.h"
#include "stage1.h"

namespace {

using namespace ag;
using namespace stagedraw;

const char* const kSheet = stage1::kEnemySheet;
const char* const kOwner = "stage1 enemies";

// ---- small drawing helpers on a cell-sized canvas ----------------------

// ---- flyers, 16 x 16 ----------------------------------------------------

void DrawPuff(Canvas& c, int) {  // type 11: a cloud imp
    // Light tones throughout: the sky behind is dusk purple.
    Tri(c, {4, 6}, {6, 1}, {8, 5}, P(P_SKY2));
    Tri(c, {8, 5}, {10, 1}, {12, 6}, P(P_SKY2));
    Ball(c, 8, 9, 5, "sky");
    Eye(c, 4, 7);
    Eye(c, 8, 7);
    c.HLine(6, 9, 12, P(P_SKY0));
    Finish(c);
}
AG_DRAWS(kSheet, "puff", DrawPuff);

void DrawBat(Canvas& c, int f) {  // type 40: a bat-winged imp
    int tip = f == 0 ? 2 : 13;
    Tri(c, {6, 8}, {0, tip}, {2, 11}, P(P_METAL2));
    Tri(c, {10, 8}, {15, tip}, {13, 11}, P(P_METAL2));
    Ball(c, 8, 9, 4, "metal");
    c.Set(6, 8, P(P_FIRE2));
    c.Set(9, 8, P(P_FIRE2));
    c.Set(5, 5, P(P_METAL4));
    c.Set(10, 5, P(P_METAL4));
    Finish(c);
}
AG_DRAWS(kSheet, "bat", DrawBat);

void DrawWisp(Canvas& c, int f) {  // type 12: a drifting ghost, drawn half transparent
    Wisp(c, f, 9, 15, P_ICE1, "ice");
    c.FillRect(4, 7, 2, 3, P(P_SKY0));
    c.FillRect(8, 7, 2, 3, P(P_SKY0));
    Finish(c);
}
AG_DRAWS(kSheet, "wisp", DrawWisp);

void DrawJelly(Canvas& c, int f) {  // type 13: a sky jelly
    c.FillEllipse(8, 7, 6, 5, P(P_ROSE2));
    c.FillRect(2, 9, 13, 4, kKey);
    c.ShadeShape(Rect{0, 0, 16, 9}, P(P_ROSE2), P(P_ROSE1), P(P_ROSE3));
    for (int i = 0; i < 4; i++) {
        int x = 4 + i * 3;
        int sway = ((i + f) & 1) ? 1 : -1;
        c.Line(x, 9, x + sway, 14, P(P_ROSE3));
    }
    c.HLine(3, 13, 8, P(P_ROSE1));
    Eye(c, 5, 4);
    Eye(c, 9, 4);
    Finish(c);
}
AG_DRAWS(kSheet, "jelly", DrawJelly);

void DrawBird(Canvas& c, int f, const char* ramp, int dark, int mid, int light) {  // types 18, 19
    Tri(c, {1, 8}, {12, 5}, {12, 11}, P(mid));
    Tri(c, {11, 8}, {15, 4}, {15, 12}, P(dark));  // tail
    if (f == 0)
        Tri(c, {5, 7}, {11, 7}, {10, 1}, P(light));
    else
        Tri(c, {5, 9}, {11, 9}, {10, 15}, P(light));
    c.ShadeShape(Rect{0, 0, 16, 16}, P(mid), P(dark), P(light));
    c.Set(4, 7, kInk);
    (void)ramp;
    Finish(c);
}
void DrawPaperBird(Canvas& c, int f) { DrawBird(c, f, "metal", P_METAL2, P_METAL3, P_METAL4); }
AG_DRAWS(kSheet, "paper bird", DrawPaperBird);
void DrawFireBird(Canvas& c, int f) { DrawBird(c, f, "fire", P_FIRE1, P_FIRE2, P_FIRE4); }
AG_DRAWS(kSheet, "fire bird", DrawFireBird);

void DrawLeaf(Canvas& c, int f) {  // type 43: a spinning leaf blade
    const double a = f * 3.14159 / 3;
    const double ca = std::cos(a), sa = std::sin(a);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++) {
            double u = (x - 7.5) * ca + (y - 7.5) * sa, v = -(x - 7.5) * sa + (y - 7.5) * ca;
            double e = (u * u) / 42.0 + (v * v) / 8.0;
            if (e <= 1.0) c.Set(x, y, P(std::abs(v) < 0.8 ? P_LEAF4 : (v < 0 ? P_LEAF3 : P_LEAF2)));
        }
    Finish(c);
}
AG_DRAWS(kSheet, "leaf", DrawLeaf);

void DrawBalloon(Canvas& c, int f) {  // type 33: a bobbing balloon
    c.Line(8, 12, 8 + (f ? 2 : -2), 15, P(P_EARTH2));
    Ball(c, 8, 7, 6, "gold");
    c.Set(5, 4, P(P_WHITE));
    c.Set(6, 7, kInk);
    c.Set(9, 7, kInk);
    Finish(c);
}
AG_DRAWS(kSheet, "balloon", DrawBalloon);

void DrawAcorn(Canvas& c, int) {  // type 50: a falling acorn bomb
    c.FillEllipse(8, 9, 5, 5, P(P_GOLD1));
    c.ShadeShape(Rect{0, 0, 16, 16}, P(P_GOLD1), P(P_GOLD0), P(P_GOLD2));
    c.FillEllipse(8, 5, 6, 3, P(P_EARTH1));
    c.ShadeShape(Rect{0, 0, 16, 16}, P(P_EARTH1), P(P_EARTH0), P(P_EARTH2));
    c.VLine(8, 0, 2, P(P_EARTH0));
    c.Set(6, 10, kInk);
    c.Set(10, 10, kInk);
    Finish(c);
}
AG_DRAWS(kSheet, "acorn", DrawAcorn);

void DrawBee(Canvas& c, int) {  // type 53
    c.FillEllipse(6, 4, 3, 3, P(P_ICE3));
    c.FillEllipse(10, 4, 3, 3, P(P_ICE2));
    c.FillEllipse(8, 10, 6, 4, P(P_GOLD2));
    for (int x = 7; x <= 12; x += 3) c.VLine(x, 7, 13, kInk);
    c.Set(3, 9, kInk);
    c.Set(3, 10, P(P_WHITE));
    Finish(c);
}
AG_DRAWS(kSheet, "bee", DrawBee);

void DrawEye(Canvas& c, int f) {  // type 51: frame 0 cruising, 1 and 2 charging
    Ball(c, 8, 8, 7, "teal");
    c.FillEllipse(7, 8, 4, 3, P(P_WHITE));
    int iris = f == 0 ? P_SKY1 : (f == 1 ? P_ROSE1 : P_FIRE2);
    c.FillRect(4, 7, 3, 3, P(iris));
    c.Set(5, 8, kInk);
    if (f > 0) c.Line(11, 3, 14, 1, P(P_FIRE3));
    Finish(c);
}
AG_DRAWS(kSheet, "eye", DrawEye);

// ---- flyers, 24 x 24 ----------------------------------------------------

void DrawOwl(Canvas& c, int f, const char* ramp, int dark, int light) {  // types 20, 21
    int spread = f == 0 ? 0 : (f == 1 ? 3 : 6);
    Tri(c, {6, 12}, {0, 8 + 6 - spread}, {4, 20}, P(dark));
    Tri(c, {18, 12}, {23, 8 + 6 - spread}, {20, 20}, P(dark));
    c.FillEllipse(12, 14, 7, 8, P(light));
    Ball(c, 12, 13, 7, ramp);
    Tri(c, {6, 7}, {7, 1}, {10, 6}, P(dark));
    Tri(c, {14, 6}, {17, 1}, {18, 7}, P(dark));
    c.FillEllipse(9, 11, 3, 3, P(P_GOLD3));
    c.FillEllipse(15, 11, 3, 3, P(P_GOLD3));
    c.FillRect(8, 10, 2, 2, kInk);
    c.FillRect(14, 10, 2, 2, kInk);
    Tri(c, {11, 14}, {13, 14}, {12, 16}, P(P_AMBER1));
    Finish(c);
}
void DrawOwlViolet(Canvas& c, int f) { DrawOwl(c, f, "violet", P_VIOLET0, P_VIOLET2); }
AG_DRAWS(kSheet, "owl", DrawOwlViolet);
void DrawOwlRose(Canvas& c, int f) { DrawOwl(c, f, "rose", P_ROSE0, P_ROSE2); }
AG_DRAWS(kSheet, "rose owl", DrawOwlRose);

void DrawHopper(Canvas& c, int f) {  // type 25: 0/1 hopping, 2 ready, 3 spitting
    bool tucked = f == 1 || f == 2;
    if (tucked) {
        c.FillEllipse(6, 19, 4, 3, P(P_TEAL1));
        c.FillEllipse(18, 19, 4, 3, P(P_TEAL1));
    } else {
        c.Line(6, 16, 2, 23, P(P_TEAL1));
        c.Line(7, 16, 3, 23, P(P_TEAL1));
        c.Line(17, 16, 21, 23, P(P_TEAL1));
        c.Line(16, 16, 20, 23, P(P_TEAL1));
    }
    Ball(c, 12, 12, 8, "teal");
    Eye(c, 6, 4);
    Eye(c, 14, 4);
    if (f == 3) {
        c.FillEllipse(12, 15, 4, 3, P(P_ROSE0));
        c.FillEllipse(12, 16, 2, 1, P(P_FIRE3));
    } else {
        c.HLine(8, 16, 14, P(P_TEAL0));
    }
    Finish(c);
}
AG_DRAWS(kSheet, "hopper", DrawHopper);

void DrawStar(Canvas& c, int f) {  // type 30: a spinning star wheel; frame 1 stops and glows
    std::vector<Point> pts;
    double rot = f == 0 ? 0.0 : 0.31;
    for (int i = 0; i < 10; i++) {
        double a = rot + i * 3.14159 / 5 - 3.14159 / 2;
        double r = (i & 1) ? 4.5 : 11.0;
        pts.push_back({int(std::lround(12 + r * std::cos(a))), int(std::lround(12 + r * std::sin(a)))});
    }
    c.FillPolygon(pts, P(P_GOLD2));
    c.ShadeShape(Rect{0, 0, 24, 24}, P(P_GOLD2), P(P_GOLD1), P(P_GOLD3));
    c.FillCircle(12, 12, 3, P(f == 0 ? P_AMBER1 : P_WHITE));
    Finish(c);
}
AG_DRAWS(kSheet, "star", DrawStar);

void DrawKiteFish(Canvas& c, int f) {  // type 31: 0/1 swimming, 2/3 firing
    int tail = (f & 1) ? 3 : -3;
    Tri(c, {17, 12}, {23, 12 - 6 + tail}, {23, 12 + 6 + tail}, P(P_SKY1));
    c.FillEllipse(11, 12, 9, 6, P(P_SKY3));
    c.ShadeShape(Rect{0, 0, 24, 24}, P(P_SKY3), P(P_SKY2), P(P_SKY4));
    Tri(c, {9, 7}, {15, 2}, {15, 7}, P(P_SKY2));
    c.HLine(6, 16, 14, P(P_SKY2));
    Eye(c, 5, 9);
    if (f >= 2) {
        c.FillRect(1, 12, 4, 3, P(P_ROSE0));
        c.Set(2, 13, P(P_FIRE3));
    }
    Finish(c);
}
AG_DRAWS(kSheet, "kite fish", DrawKiteFish);

void DrawMoth(Canvas& c, int f) {  // type 34: 0..3 wing beat, 4 diving
    if (f < 4) {
        int span = (f == 0 || f == 2) ? 10 : (f == 1 ? 7 : 4);
        c.FillEllipse(12 - span / 2 - 2, 8, span / 2 + 3, 6, P(P_AMBER1));
        c.FillEllipse(12 + span / 2 + 2, 8, span / 2 + 3, 6, P(P_AMBER1));
        c.FillCircle(12 - span / 2 - 2, 8, 2, P(P_FIRE3));
        c.FillCircle(12 + span / 2 + 2, 8, 2, P(P_FIRE3));
    } else {
        Tri(c, {12, 10}, {3, 2}, {8, 14}, P(P_AMBER1));
        Tri(c, {12, 10}, {21, 2}, {16, 14}, P(P_AMBER1));
    }
    c.FillEllipse(12, 13, 3, 8, P(P_EARTH2));
    c.ShadeShape(Rect{0, 0, 24, 24}, P(P_EARTH2), P(P_EARTH1), P(P_EARTH3));
    c.Set(11, 7, P(P_WHITE));
    c.Set(13, 7, P(P_WHITE));
    c.Line(11, 5, 8, 1, P(P_EARTH1));
    c.Line(13, 5, 16, 1, P(P_EARTH1));
    Finish(c);
}
AG_DRAWS(kSheet, "moth", DrawMoth);

// ---- ground, 32 x 32 ----------------------------------------------------

void Base(Canvas& c, int top) {  // a snowy stone footing along the bottom
    c.FillRect(3, top, 26, 32 - top, P(P_METAL1));
    c.ShadeShape(Rect{0, 0, 32, 32}, P(P_METAL1), P(P_METAL0), P(P_METAL2));
    c.HLine(3, 28, top, P(P_ICE3));
}

void DrawMortar(Canvas& c, int f) {  // type 23: a dome that opens and lobs balls
    Base(c, 24);
    c.FillEllipse(16, 22, 11, 10, P(P_METAL2));
    c.FillRect(4, 23, 24, 1, kKey);
    c.ShadeShape(Rect{0, 0, 32, 23}, P(P_METAL2), P(P_METAL1), P(P_METAL4));
    int open = f;  // 0 closed .. 3 wide open
    if (open > 0) {
        c.FillEllipse(16, 13, 2 + open * 2, 1 + open, P(P_FIRE1));
        c.FillEllipse(16, 13, open * 2, open, P(P_FIRE3));
    } else {
        c.HLine(11, 21, 14, P(P_METAL0));
    }
    Finish(c);
}
AG_DRAWS(kSheet, "mortar", DrawMortar);

void DrawFlower(Canvas& c, int f) {  // type 24: a crystal flower, opening to fire
    Base(c, 26);
    int r = 5 + f * 3;
    for (int i = 0; i < 5; i++) {
        double a = -3.14159 / 2 + (i - 2) * 0.6;
        c.FillEllipse(int(16 + std::cos(a) * r), int(18 + std::sin(a) * r), 3, 3, P(P_VIOLET2));
    }
    c.ShadeShape(Rect{0, 0, 32, 26}, P(P_VIOLET2), P(P_VIOLET1), P(P_VIOLET3));
    c.FillCircle(16, 19, 4, P(f == 2 ? P_WHITE : P_GOLD2));
    c.VLine(16, 23, 25, P(P_LEAF2));
    Finish(c);
}
AG_DRAWS(kSheet, "flower", DrawFlower);

void DrawCannon(Canvas& c, int f) {  // type 35: barrel raised to the upper left
    Base(c, 24);
    int back = f ? 2 : 0;
    for (int i = 0; i < 14; i++) c.FillRect(16 - i + back, 18 - i + back, 5, 5, P(P_METAL2));
    c.ShadeShape(Rect{0, 0, 32, 24}, P(P_METAL2), P(P_METAL1), P(P_METAL3));
    c.FillEllipse(17, 21, 7, 5, P(P_EARTH2));
    c.ShadeShape(Rect{0, 0, 32, 24}, P(P_EARTH2), P(P_EARTH1), P(P_EARTH3));
    if (f) c.FillCircle(3, 5, 3, P(P_FIRE3));
    Finish(c);
}
AG_DRAWS(kSheet, "cannon", DrawCannon);

void DrawPod(Canvas& c, int f) {  // type 42: a snow pod; frame 2 vents open
    Base(c, 25);
    c.FillEllipse(16, 18, 11, 9, P(P_ICE2));
    c.ShadeShape(Rect{0, 0, 32, 25}, P(P_ICE2), P(P_ICE1), P(P_ICE3));
    if (f == 2) {
        for (int i = 0; i < 3; i++) c.FillRect(9 + i * 6, 11, 3, 4, P(P_ROSE1));
    } else {
        c.FillRect(12, 15, 8, f ? 1 : 3, P(P_SKY0));
    }
    Finish(c);
}
AG_DRAWS(kSheet, "pod", DrawPod);

void DrawSlant(Canvas& c, int f) {  // type 54: hangs from above; barrel down, left, right
    c.FillRect(4, 0, 24, 6, P(P_METAL1));
    c.FillEllipse(16, 8, 9, 7, P(P_METAL2));
    c.ShadeShape(Rect{0, 0, 32, 32}, P(P_METAL2), P(P_METAL1), P(P_METAL3));
    int ex = f == 1 ? 6 : (f == 2 ? 26 : 16), ey = f == 0 ? 22 : 26;
    for (int i = 0; i <= 10; i++) {
        int x = 16 + (ex - 16) * i / 10, y = 12 + (ey - 12) * i / 10;
        c.FillRect(x - 2, y - 2, 4, 4, P(P_METAL0));
    }
    if (f) c.FillCircle(ex, ey + 1, 2, P(P_FIRE3));
    c.FillCircle(16, 8, 3, P(P_ROSE2));
    Finish(c);
}
AG_DRAWS(kSheet, "slant", DrawSlant);

void DrawSnowman(Canvas& c, int f) {  // type 55: pops up and throws
    int bob = f == 1 ? 1 : (f == 2 ? 2 : 0);
    c.FillCircle(16, 24, 7, P(P_ICE3));
    c.FillCircle(16, 13 + bob, 6, P(P_ICE3));
    c.ShadeShape(Rect{0, 0, 32, 32}, P(P_ICE3), P(P_ICE1), P(P_WHITE));
    c.FillRect(10, 5 + bob, 12, 3, P(P_ROSE1));
    c.Set(13, 12 + bob, kInk);
    c.Set(18, 12 + bob, kInk);
    c.Set(15, 14 + bob, P(P_FIRE2));
    if (f == 3) {
        c.Line(9, 20, 3, 12, P(P_EARTH1));
        c.FillCircle(3, 10, 2, P(P_WHITE));
    } else {
        c.Line(9, 20, 4, 23, P(P_EARTH1));
    }
    c.Line(22, 20, 27, 23, P(P_EARTH1));
    Finish(c);
}
AG_DRAWS(kSheet, "snowman", DrawSnowman);

void DrawHatch(Canvas& c, int f) {  // type 32, 64 x 32: the doors part, 0 shut .. 4 open
    c.FillRect(2, 18, 60, 14, P(P_EARTH1));
    c.ShadeShape(Rect{0, 0, 64, 32}, P(P_EARTH1), P(P_EARTH0), P(P_EARTH2));
    c.HLine(2, 61, 18, P(P_ICE3));
    int gap = f * 5;
    c.FillRect(12, 12, 20 - gap, 8, P(P_METAL2));
    c.FillRect(32 + gap, 12, 20 - gap, 8, P(P_METAL2));
    c.ShadeShape(Rect{0, 0, 64, 20}, P(P_METAL2), P(P_METAL1), P(P_METAL3));
    if (gap > 0) c.FillRect(32 - gap, 13, gap * 2, 6, P(P_ICE0));
    c.FillCircle(6, 24, 2, P(P_GOLD2));
    c.FillCircle(57, 24, 2, P(P_GOLD2));
    Finish(c);
}
AG_DRAWS(kSheet, "hatch", DrawHatch);

void DrawIceColumn(Canvas& c, int f) {  // type 36 cells: 0/1 flickering tip, 2 link, 3 base
    if (f <= 1) {
        Tri(c, {16, 2}, {6, 31}, {26, 31}, P(f ? P_ICE3 : P_ICE2));
        c.ShadeShape(Rect{0, 0, 32, 32}, P(f ? P_ICE3 : P_ICE2), P(P_ICE1), P(P_WHITE));
        c.VLine(14, 10 + f * 3, 26, P(P_WHITE));
    } else if (f == 2) {
        c.FillRect(6, 0, 20, 32, P(P_ICE2));
        c.ShadeShape(Rect{0, 0, 32, 32}, P(P_ICE2), P(P_ICE1), P(P_ICE3));
        c.HLine(6, 25, 0, P(P_ICE1));
        c.HLine(6, 25, 15, P(P_ICE1));
        c.Line(10, 4, 13, 12, P(P_WHITE));
    } else {
        Base(c, 14);
        c.FillRect(8, 6, 16, 8, P(P_ICE1));
        c.FillRect(11, 0, 10, 6, P(P_ICE2));
    }
    Finish(c);
}
AG_DRAWS(kSheet, "ice column", DrawIceColumn);

void DrawPine(Canvas& c, int) {  // type 44: a snowy pine
    c.FillRect(14, 25, 4, 7, P(P_EARTH1));
    for (int i = 0; i < 3; i++) Tri(c, {16, 1 + i * 7}, {5 - i, 14 + i * 6}, {27 + i, 14 + i * 6}, P(P_LEAF1));
    c.ShadeShape(Rect{0, 0, 32, 32}, P(P_LEAF1), P(P_LEAF0), P(P_LEAF2));
    for (int i = 0; i < 3; i++) c.HLine(8 - i, 24 + i, 14 + i * 6, P(P_ICE3));
    c.Set(16, 1, P(P_WHITE));
    Finish(c);
}
AG_DRAWS(kSheet, "pine", DrawPine);

void DrawRock(Canvas& c, int) {  // type 52: a snowy boulder
    c.FillEllipse(16, 21, 14, 10, P(P_METAL1));
    c.ShadeShape(Rect{0, 0, 32, 32}, P(P_METAL1), P(P_METAL0), P(P_METAL2));
    c.FillEllipse(13, 13, 9, 3, P(P_ICE3));
    c.Line(18, 20, 24, 26, P(P_METAL0));
    Finish(c);
}
AG_DRAWS(kSheet, "rock", DrawRock);

void DrawLanternGlow(Canvas& c, int) {  // type 46, additive: a drifting flame
    c.Fill(kBlack);
    c.GlowEllipse(16, 17, 15, 15, {P(P_FIRE4), P(P_FIRE3), P(P_AMBER1), P(P_FIRE2), P(P_FIRE1)});
    c.GlowEllipse(16, 15, 5, 8, {P(P_WHITE), P(P_GOLD3), P(P_GOLD2)});
}
AG_DRAWS(kSheet, "lantern glow", DrawLanternGlow);

// ---- hanging pieces ---------------------------------------------------

void DrawBeamCannon(Canvas& c, int f) {  // type 14: 0..3 charging, 4 chain link
    if (f == 4) {
        Chain(c, 16, 6, 32, P_METAL3);
        Finish(c);
        return;
    }
    c.FillRect(13, 0, 6, 6, P(P_METAL1));
    c.FillEllipse(17, 17, 12, 10, P(P_GOLD1));
    c.ShadeShape(Rect{0, 0, 32, 32}, P(P_GOLD1), P(P_GOLD0), P(P_GOLD2));
    c.FillRect(1, 14, 10, 7, P(P_METAL2));
    c.ShadeShape(Rect{0, 0, 32, 32}, P(P_METAL2), P(P_METAL1), P(P_METAL3));
    static const int glow[4] = {P_ICE0, P_ICE1, P_ICE2, P_WHITE};
    c.FillCircle(19, 17, 2 + f, P(glow[f]));
    Finish(c);
}
AG_DRAWS(kSheet, "beam cannon", DrawBeamCannon);

void DrawBell(Canvas& c, int f) {  // type 15, 24 x 24: 0..3 opening, 4 link, 5 spiked tip
    if (f == 4) {
        Chain(c, 12, 6, 24, P_METAL3);
    } else if (f == 5) {
        Ball(c, 12, 12, 6, "metal");
        for (int i = 0; i < 8; i++) {
            double a = i * 3.14159 / 4;
            Point in = Polar(12, 12, a, 6), out = Polar(12, 12, a, 10);
            c.Line(in.x, in.y, out.x, out.y, P(P_METAL4));
        }
    } else {
        c.FillRect(10, 0, 4, 4, P(P_METAL1));
        c.FillEllipse(12, 12, 9, 9, P(P_ROSE1));
        c.FillRect(2, 15, 20, 9, kKey);  // a bell: the lower half is open
        int lip = 14 - f;
        c.FillRect(2, lip, 20, 3, P(P_GOLD2));
        c.ShadeShape(Rect{0, 0, 24, 24}, P(P_ROSE1), P(P_ROSE0), P(P_ROSE2));
        if (f > 0) c.FillRect(6, lip + 3, 12, f * 2, P(P_DUSK0));
        c.Set(8, 8, P(P_FIRE3));
        c.Set(15, 8, P(P_FIRE3));
    }
    Finish(c);
}
AG_DRAWS(kSheet, "bell", DrawBell);

void DrawSpikeBall(Canvas& c, int f) {  // type 22: 0/1 spiked head turning, 2 link
    if (f == 2) {
        Chain(c, 16, 8, 32, P_METAL2);
        Finish(c);
        return;
    }
    for (int i = 0; i < 8; i++) {
        double a = i * 3.14159 / 4 + f * 3.14159 / 8;
        Tri(c, Polar(16, 16, a, 14), Polar(16, 16, a + 0.4, 8), Polar(16, 16, a - 0.4, 8), P(P_METAL3));
    }
    Ball(c, 16, 16, 9, "rose");
    c.FillRect(12, 13, 3, 3, P(P_GOLD3));
    c.FillRect(18, 13, 3, 3, P(P_GOLD3));
    Finish(c);
}
AG_DRAWS(kSheet, "spike ball", DrawSpikeBall);

void DrawStamper(Canvas& c, int f) {  // type 41: 0 stamping head, 1 rod
    if (f == 1) {
        c.FillRect(12, 0, 8, 32, P(P_METAL2));
        c.ShadeShape(Rect{0, 0, 32, 32}, P(P_METAL2), P(P_METAL1), P(P_METAL3));
        c.HLine(12, 19, 16, P(P_METAL1));
    } else {
        c.FillRect(12, 0, 8, 10, P(P_METAL2));
        c.FillRect(2, 10, 28, 20, P(P_EARTH2));
        c.ShadeShape(Rect{0, 0, 32, 32}, P(P_EARTH2), P(P_EARTH1), P(P_EARTH3));
        c.ShadeShape(Rect{0, 0, 32, 32}, P(P_METAL2), P(P_METAL1), P(P_METAL3));
        for (int x = 4; x < 29; x += 6) Tri(c, {x, 29}, {x + 4, 29}, {x + 2, 31}, P(P_METAL4));
        c.FillRect(9, 16, 4, 3, P(P_FIRE3));
        c.FillRect(19, 16, 4, 3, P(P_FIRE3));
    }
    Finish(c);
}
AG_DRAWS(kSheet, "stamper", DrawStamper);

}  // namespace

AG_REGISTER(RegisterStage1Enemies) {
    AddSpriteFile(kSheet, kOwner, "stage1/enemies.txt");
    stage1::RegisterBossCells();   // the boss's own cells on this sheet
}
