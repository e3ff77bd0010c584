// Stage 3's enemy sheet: the drawing of every enemy, bound to its sprite in enemies.txt.
//
// Stage 3's enemy sheet "stage3_en.bmp" (8-bit): every flyer, ground piece,
// column and drifting piece of the autumn forest, one cell per animation
// frame. The boss and its weapons have their own painter (boss.cpp); the
// column cells at (0, 224) are where the root knot's released columns read.
#include <cmath>
#include <string>
#include <vector>

#include "../sprite_draw.h"
#include "kit.h"
#include "stage3.h"

namespace {

using namespace ag;
using namespace stagedraw;

const char* const kSheet = stage3::kEnemySheet;
const char* const kOwner = "stage3 enemies";

// ---- flyers, 16 x 16 ----------------------------------------------------

void DrawMapleImp(Canvas& c, int f) {  // type 40: a leaf sprite, lobes beating
    int up = f == 0 ? -4 : 3;
    Tri(c, {7, 8}, {0, 4 + up}, {3, 11}, P(P_FIRE2));
    Tri(c, {9, 8}, {15, 4 + up}, {12, 11}, P(P_FIRE2));
    Tri(c, {8, 0}, {4, 7}, {12, 7}, P(P_FIRE3));
    c.ShadeBall(8, 9, 4, Ramp("fire"));
    c.VLine(8, 13, 15, P(P_EARTH1));
    PinEye(c, 5, 8);
    PinEye(c, 9, 8);
    Finish(c);
}
AG_DRAWS(kSheet, "maple imp", DrawMapleImp);

void DrawBird(Canvas& c, int f, int back, int belly, int dark, int light) {  // types 18, 19
    // Facing left: beak, head, body, tail at the right; wing up or down.
    c.FillEllipse(8, 9, 5, 3, P(back));
    c.FillEllipse(4, 7, 3, 3, P(back));
    c.FillRect(5, 10, 7, 2, P(belly));
    Tri(c, {0, 7}, {2, 6}, {2, 8}, P(P_GOLD2));        // beak
    Tri(c, {12, 8}, {15, 6}, {15, 11}, P(dark));      // tail
    if (f == 0)
        Tri(c, {6, 8}, {12, 8}, {11, 1}, P(light));
    else
        Tri(c, {6, 10}, {12, 10}, {11, 15}, P(light));
    c.Set(3, 6, kInk);
    c.Set(4, 5, P(P_WHITE));
    Finish(c);
}
void DrawKingfisher(Canvas& c, int f) { DrawBird(c, f, P_TEAL2, P_FIRE2, P_TEAL0, P_SKY3); }
AG_DRAWS(kSheet, "kingfisher", DrawKingfisher);
void DrawFinch(Canvas& c, int f) { DrawBird(c, f, P_ROSE2, P_GOLD3, P_ROSE0, P_ROSE3); }
AG_DRAWS(kSheet, "finch", DrawFinch);

void DrawSamara(Canvas& c, int f) {  // type 43: a maple seed whirling on its wing
    double a = f * kPi / 3 + 0.3;
    double ca = std::cos(a), sa = std::sin(a);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++) {
            double u = (x - 7.5) * ca + (y - 7.5) * sa, v = -(x - 7.5) * sa + (y - 7.5) * ca;
            // the wing runs out from the seed at u < 0
            if (u > -7 && u < 2 && std::fabs(v) < 2.6 - (u + 7) * 0.12 + (u < -4 ? 0.6 : 0))
                c.Set(x, y, P(v < -0.6 ? P_GOLD3 : (v > 0.9 ? P_GOLD1 : P_GOLD2)));
            if ((u - 3.5) * (u - 3.5) + v * v < 8.5) c.Set(x, y, P((u < 3.5 && v < 0) ? P_FIRE3 : P_FIRE1));
        }
    Finish(c);
}
AG_DRAWS(kSheet, "samara", DrawSamara);

void DrawDragonfly(Canvas& c, int f) {  // type 33: long body, two pairs of wings flickering
    // wings: thin blades, raised (frame 0) or swept down (frame 1), hind pair fainter
    for (int k = 0; k < 2; k++) {
        int wx = 6 + k * 4, tone = k ? P_ICE1 : P_ICE2;
        if (f == 0) {
            c.Line(wx, 6, wx + 3, 1, P(tone));
            c.Line(wx + 1, 6, wx + 4, 1, P(P_ICE3));
        } else {
            c.Line(wx, 9, wx + 3, 14, P(tone));
            c.Line(wx + 1, 9, wx + 4, 14, P(P_ICE3));
        }
    }
    c.FillRect(4, 7, 11, 2, P(P_TEAL2));   // body
    c.HLine(6, 14, 7, P(P_TEAL3));
    for (int x = 7; x < 15; x += 2) c.Set(x, 8, P(P_TEAL0));
    c.ShadeBall(3, 7, 2, Ramp("teal"));      // head and its big red eyes
    c.Set(2, 6, P(P_FIRE3));
    c.Set(2, 7, P(P_FIRE2));
    Finish(c);
}
AG_DRAWS(kSheet, "dragonfly", DrawDragonfly);

// ---- flyers, 24 x 24 ----------------------------------------------------

void DrawSquirrel(Canvas& c, int f) {  // type 34: a flying squirrel; 0..3 gliding, 4 diving
    if (f < 4) {
        int wave = (f == 1) ? -2 : (f == 3 ? 2 : 0);
        std::vector<Point> m = {{4, 9 + wave}, {12, 7}, {21, 9 - wave}, {20, 15 - wave}, {12, 17}, {4, 15 + wave}};
        c.FillPolygon(m, P(P_EARTH2));
        c.ShadeShape(Rect{0, 0, 24, 24}, P(P_EARTH2), P(P_EARTH1), P(P_EARTH3));
        c.FillEllipse(12, 12, 4, 5, P(P_AMBER2));
        c.ShadeBall(6, 10, 3, Ramp("earth"));
        Tri(c, {20, 12}, {23, 16 + wave}, {23, 20 + wave}, P(P_EARTH3));   // tail
    } else {
        c.FillEllipse(12, 12, 5, 7, P(P_EARTH2));
        c.ShadeShape(Rect{0, 0, 24, 24}, P(P_EARTH2), P(P_EARTH1), P(P_EARTH3));
        c.FillEllipse(12, 13, 2, 4, P(P_AMBER2));
        c.ShadeBall(9, 18, 3, Ramp("earth"));
        Tri(c, {13, 5}, {17, 0}, {19, 3}, P(P_EARTH3));
    }
    PinEye(c, f < 4 ? 4 : 8, f < 4 ? 9 : 18);
    Finish(c);
}
AG_DRAWS(kSheet, "squirrel", DrawSquirrel);

void DrawHornet(Canvas& c, int f) {  // type 30: looping; frame 1 halts and glows
    int spread = f ? 4 : 0;
    c.FillEllipse(9 - spread / 2, 6 - spread / 2, 5, 3, P(P_ICE1));
    c.FillEllipse(15, 5 - spread / 2, 5, 3, P(P_ICE0));
    c.FillEllipse(14, 14, 8, 6, P(P_GOLD2));
    c.ShadeShape(Rect{0, 0, 24, 24}, P(P_GOLD2), P(P_GOLD1), P(P_GOLD3));
    for (int x = 12; x <= 20; x += 4) c.VLine(x, 9, 19, kInk);
    c.ShadeBall(6, 13, 4, Ramp("earth"));
    c.FillRect(3, 12, 2, 2, P(P_FIRE3));
    Tri(c, {21, 15}, {23, 13}, {23, 19}, P(f ? P_WHITE : P_EARTH1));   // sting
    if (f) c.FillCircle(14, 14, 2, P(P_FIRE4));
    Finish(c);
}
AG_DRAWS(kSheet, "hornet", DrawHornet);

void DrawSalmon(Canvas& c, int f) {  // type 31: 0/1 swimming, 2/3 spitting
    int tail = (f & 1) ? 3 : -3;
    Tri(c, {17, 12}, {23, 12 - 6 + tail}, {23, 12 + 6 + tail}, P(P_ROSE1));
    c.FillEllipse(11, 12, 9, 5, P(P_ROSE2));
    c.ShadeShape(Rect{0, 0, 24, 24}, P(P_ROSE2), P(P_ROSE1), P(P_ROSE3));
    c.HLine(4, 17, 15, P(P_METAL3));
    c.HLine(5, 16, 16, P(P_METAL2));
    Tri(c, {9, 8}, {15, 3}, {15, 8}, P(P_ROSE1));
    for (int x = 8; x < 16; x += 3) c.Set(x, 10, P(P_ROSE0));
    PinEye(c, 5, 10);
    if (f >= 2) {
        c.FillRect(1, 12, 4, 3, P(P_ROSE0));
        c.Set(2, 13, P(P_FIRE4));
    }
    Finish(c);
}
AG_DRAWS(kSheet, "salmon", DrawSalmon);

void DrawFrog(Canvas& c, int f) {  // type 25: 0/1 leaping, 2 ready, 3 spitting
    bool tucked = f == 1 || f == 2;
    if (tucked) {
        c.FillEllipse(6, 19, 4, 3, P(P_LEAF2));
        c.FillEllipse(18, 19, 4, 3, P(P_LEAF2));
    } else {
        c.Line(6, 16, 2, 23, P(P_LEAF2));
        c.Line(7, 16, 3, 23, P(P_LEAF2));
        c.Line(17, 16, 21, 23, P(P_LEAF2));
        c.Line(16, 16, 20, 23, P(P_LEAF2));
    }
    c.ShadeBall(12, 12, 8, Ramp("leaf"));
    c.FillEllipse(12, 15, 5, 3, P(P_GOLD2));
    c.ShadeBall(7, 5, 3, Ramp("leaf"));
    c.ShadeBall(17, 5, 3, Ramp("leaf"));
    c.FillRect(6, 4, 2, 2, kInk);
    c.FillRect(16, 4, 2, 2, kInk);
    if (f == 3) {
        c.FillEllipse(12, 13, 4, 3, P(P_ROSE0));
        c.FillEllipse(12, 14, 2, 1, P(P_FIRE3));
    } else {
        c.HLine(8, 16, 12, P(P_LEAF0));
    }
    Finish(c);
}
AG_DRAWS(kSheet, "frog", DrawFrog);

// ---- ground pieces, 32 x 32 ---------------------------------------------

void DrawStumpGun(Canvas& c, int f) {  // type 35: a hollow stump, its knot aimed up-left
    int back = f ? 2 : 0;
    for (int i = 0; i < 11; i++) c.FillRect(14 - i + back, 16 - i + back, 6, 6, P(P_EARTH2));
    c.FillCircle(4 + back, 6 + back, 3, kInk);
    c.FillRect(5, 14, 22, 18, P(P_EARTH2));
    c.FillEllipse(16, 14, 11, 4, P(P_EARTH3));
    c.ShadeShape(Rect{0, 0, 32, 32}, P(P_EARTH2), P(P_EARTH1), P(P_EARTH3));
    c.FillEllipse(16, 14, 8, 2, P(P_GOLD1));
    c.Set(16, 14, P(P_EARTH1));
    for (int y = 19; y < 31; y += 4) c.HLine(8, 23, y, P(P_EARTH1));
    c.FillRect(12, 22, 3, 3, P(P_FIRE3));
    c.FillRect(19, 22, 3, 3, P(P_FIRE3));
    if (f) c.FillCircle(4, 6, 3, P(P_FIRE4));
    Finish(c);
}
AG_DRAWS(kSheet, "stump gun", DrawStumpGun);

void DrawOtter(Canvas& c, int f) {  // type 55: bobs in the water, frame 3 throws
    int bob = f == 1 ? 1 : (f == 2 ? 2 : 0);
    c.FillEllipse(16, 22 + bob, 9, 9, P(P_EARTH2));
    c.ShadeBall(16, 12 + bob, 7, Ramp("earth"));
    c.FillEllipse(13, 15 + bob, 4, 2, P(P_EARTH3));
    c.FillRect(11, 9 + bob, 2, 2, kInk);
    c.FillRect(17, 9 + bob, 2, 2, kInk);
    c.Set(12, 13 + bob, kInk);
    c.FillRect(9, 5 + bob, 3, 2, P(P_EARTH1));
    c.FillRect(20, 5 + bob, 3, 2, P(P_EARTH1));
    if (f == 3) {
        c.Line(8, 20, 3, 11, P(P_EARTH2));
        c.FillCircle(3, 9, 2, P(P_METAL3));
    } else {
        c.Line(9, 24, 5, 26, P(P_EARTH2));
    }
    // ripples round the waterline
    c.HLine(2, 29, 28, P(P_TEAL2));
    c.HLine(6, 25, 29, P(P_TEAL1));
    for (int y = 30; y < 32; y++) c.HLine(0, 31, y, kKey);
    Finish(c);
}
AG_DRAWS(kSheet, "otter", DrawOtter);

void DrawLog(Canvas& c, int) {  // type 44: a log drifting down the river
    c.FillRect(2, 18, 28, 9, P(P_EARTH2));
    c.ShadeShape(Rect{0, 0, 32, 32}, P(P_EARTH2), P(P_EARTH1), P(P_EARTH3));
    c.FillEllipse(3, 22, 2, 4, P(P_GOLD1));
    c.Set(3, 22, P(P_EARTH1));
    c.Line(12, 18, 16, 11, P(P_EARTH1));   // a snag with two leaves
    c.FillEllipse(17, 10, 2, 1, P(P_FIRE2));
    c.FillEllipse(14, 13, 2, 1, P(P_GOLD2));
    c.HLine(0, 31, 27, P(P_TEAL2));
    c.HLine(4, 27, 28, P(P_TEAL1));
    Finish(c);
}
AG_DRAWS(kSheet, "log", DrawLog);

void DrawWisp(Canvas& c, int) {  // type 46, additive: an ember spirit over the water
    c.Fill(kBlack);
    c.GlowEllipse(16, 18, 14, 13, {P(P_FIRE4), P(P_FIRE3), P(P_AMBER1), P(P_FIRE2), P(P_FIRE1)});
    c.GlowEllipse(16, 13, 5, 9, {P(P_WHITE), P(P_GOLD3), P(P_GOLD2)});
}
AG_DRAWS(kSheet, "ember wisp", DrawWisp);

void DrawRootKnot(Canvas& c, int f) {  // type 32, 64 x 32: the bark splits, 0 shut .. 4 open
    c.FillEllipse(32, 26, 28, 10, P(P_EARTH1));
    c.FillRect(0, 28, 64, 4, kKey);
    c.ShadeShape(Rect{0, 0, 64, 32}, P(P_EARTH1), P(P_EARTH0), P(P_EARTH2));
    for (int k = 0; k < 4; k++) c.Line(8 + k * 14, 27, 4 + k * 16, 31, P(P_EARTH2));   // roots
    int gap = f * 3;
    c.FillEllipse(32 - 7 - gap, 14, 9, 8, P(P_EARTH2));
    c.FillEllipse(32 + 7 + gap, 14, 9, 8, P(P_EARTH2));
    c.ShadeShape(Rect{0, 0, 64, 24}, P(P_EARTH2), P(P_EARTH1), P(P_EARTH3));
    if (gap > 0) {
        c.FillEllipse(32, 15, gap, 6, P(P_AMBER1));
        c.FillEllipse(32, 15, std::max(1, gap - 2), 4, P(P_GOLD3));
    }
    c.FillRect(24 - gap, 12, 2, 2, P(P_FIRE3));
    c.FillRect(38 + gap, 12, 2, 2, P(P_FIRE3));
    Finish(c);
}
AG_DRAWS(kSheet, "root knot", DrawRootKnot);

void DrawBramble(Canvas& c, int f) {  // type 36 cells: 0/1 flickering bud, 2 stem, 3 root clump
    if (f <= 1) {
        c.FillRect(14, 20, 4, 12, P(P_LEAF2));
        c.FillEllipse(16, 15, 7, 9, P(f ? P_ROSE2 : P_ROSE1));
        c.ShadeShape(Rect{0, 0, 32, 25}, P(f ? P_ROSE2 : P_ROSE1), P(P_ROSE0), P(P_ROSE3));
        for (int k = 0; k < 5; k++) Tri(c, {10 + k * 3, 8}, {12 + k * 3, 8}, {11 + k * 3, 2 + (k % 2) * 2}, P(P_ROSE2));
        c.FillRect(15, 13 + f, 2, 4, P(f ? P_WHITE : P_FIRE3));
    } else if (f == 2) {
        c.FillRect(13, 0, 6, 32, P(P_LEAF2));
        c.ShadeShape(Rect{0, 0, 32, 32}, P(P_LEAF2), P(P_LEAF1), P(P_LEAF3));
        for (int y = 3; y < 32; y += 8) {
            Tri(c, {13, y}, {13, y + 3}, {8, y}, P(P_EARTH3));
            Tri(c, {18, y + 4}, {18, y + 7}, {23, y + 4}, P(P_EARTH3));
        }
    } else {
        c.FillEllipse(16, 24, 13, 8, P(P_EARTH1));
        c.ShadeShape(Rect{0, 0, 32, 32}, P(P_EARTH1), P(P_EARTH0), P(P_EARTH2));
        c.FillRect(13, 4, 6, 16, P(P_LEAF2));
        c.ShadeShape(Rect{0, 0, 32, 20}, P(P_LEAF2), P(P_LEAF1), P(P_LEAF3));
        Tri(c, {13, 10}, {13, 13}, {8, 10}, P(P_EARTH3));
    }
    Finish(c);
}
AG_DRAWS(kSheet, "bramble", DrawBramble);

}  // namespace

AG_REGISTER(RegisterStage3Enemies) {
    AddSpriteFile(kSheet, kOwner, "stage3/enemies.txt");
    stage3::RegisterBossCells();   // the boss's own cells on this sheet
}
