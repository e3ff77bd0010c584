// Stage 5's enemy sheet: the drawing of every enemy, bound to its sprite in enemies.txt (the bosses in bosses.cpp).
//
// Stage 5's enemy sheet "stage5_en.bmp" (8-bit, 1024 x 640): the storm's
// flyers, the gun emplacements on the rock, the storm mine, and both bosses
// with every pose and weapon their behaviours read (bosses in their own file).
//
// Layout: the ramming boss at (32, 0)-(464, 256) (three 144 x 128 frames in
// two rows), its exhaust, spit and swelling ball at (464, 128)-(592, 240),
// its beam at (144, 256)-(464, 320); the final boss at (592, 128)-(1024, 512),
// and its hailstones at (0, 114);
// the stage's other enemies from row 512 down.
#include <cmath>
#include <string>

#include "../sprite_draw.h"
#include "kit.h"
#include "stage5.h"

namespace {

using namespace ag;
using namespace stagedraw;

const char* const kSheet = stage5::kEnemySheet;
const char* const kOwner = "stage5 enemies";

// ---- 16 x 16 flyers --------------------------------------------------------

void DrawSquall(Canvas& c, int) {  // type 11: a little rain cloud with a grumpy face
    c.FillCircle(5, 8, 4, P(P_METAL2));
    c.FillCircle(10, 6, 5, P(P_METAL2));
    c.FillCircle(12, 9, 3, P(P_METAL2));
    c.FillRect(3, 9, 11, 3, P(P_METAL2));
    c.ShadeShape(Rect{0, 0, 16, 13}, P(P_METAL2), P(P_METAL1), P(P_METAL3));
    c.FillRect(5, 7, 2, 2, kInk);
    c.FillRect(10, 7, 2, 2, kInk);
    c.HLine(7, 9, 10, P(P_METAL1));
    for (int x = 4; x < 14; x += 3) c.VLine(x, 13, 14 + (x & 1), P(P_ICE1));
    Finish(c);
}
AG_DRAWS(kSheet, "squall", DrawSquall);

void DrawGull(Canvas& c, int f) {  // type 40: a storm gull, wings up and down
    c.FillEllipse(8, 9, 5, 3, P(P_METAL4));
    c.ShadeShape(Rect{0, 0, 16, 16}, P(P_METAL4), P(P_METAL2), P(P_WHITE));
    if (f == 0) {
        Tri(c, {6, 8}, {12, 8}, {13, 1}, P(P_METAL3));
        Tri(c, {12, 8}, {13, 1}, {15, 2}, P(P_METAL1));
    } else {
        Tri(c, {6, 10}, {12, 10}, {13, 15}, P(P_METAL3));
        Tri(c, {12, 10}, {13, 15}, {15, 14}, P(P_METAL1));
    }
    Tri(c, {0, 9}, {4, 8}, {4, 10}, P(P_GOLD2));
    c.Set(4, 8, kInk);
    Finish(c);
}
AG_DRAWS(kSheet, "gull", DrawGull);

void DrawSparkWisp(Canvas& c, int f) {  // type 12: ball lightning, drawn half transparent
    c.ShadeBall(8, 8, 6, Ramp("violet"));
    for (int i = 0; i < 4; i++) {
        double a = (i * 90 + f * 45) * kPi / 180;
        Point in = Polar(8, 8, a, 4), out = Polar(8, 8, a, 7);
        c.Line(in.x, in.y, out.x, out.y, P(P_ICE3));
    }
    c.FillRect(5, 6, 2, 3, kInk);
    c.FillRect(9, 6, 2, 3, kInk);
    c.Set(7, 4, P(P_WHITE));
    Finish(c);
}
AG_DRAWS(kSheet, "spark wisp", DrawSparkWisp);

void DrawKite(Canvas& c, int f) {  // type 18: a storm kite with a ribbon tail
    Tri(c, {1, 8}, {8, 2}, {8, 14}, P(P_ROSE2));
    Tri(c, {8, 2}, {13, 8}, {8, 14}, P(P_ROSE1));
    c.Line(1, 8, 13, 8, P(P_ROSE3));
    c.Line(8, 2, 8, 14, P(P_ROSE0));
    for (int x = 13; x < 16; x++) c.Set(x, 8 + ((x + f) & 1 ? 1 : -1), P(P_GOLD2));
    c.Set(5, 7, kInk);
    c.Set(5, 6, P(P_WHITE));
    Finish(c);
}
AG_DRAWS(kSheet, "kite", DrawKite);

void DrawVoltDart(Canvas& c, int f) {  // type 51: cruising, then charged to strike
    std::vector<Point> bolt = {{1, 8}, {7, 3}, {7, 6}, {14, 4}, {9, 9}, {9, 7}, {3, 12}};
    c.FillPolygon(bolt, P(f == 0 ? P_GOLD1 : P_GOLD2));
    c.ShadeShape(Rect{0, 0, 16, 16}, P(f == 0 ? P_GOLD1 : P_GOLD2), P(P_GOLD0), P(P_GOLD3));
    c.Set(5, 7, kInk);
    if (f > 0) {
        c.Set(14, 9 + f, P(P_ICE3));
        c.Set(13, 12 - f, P(P_ICE3));
        c.Set(6, 7, P(f == 2 ? P_WHITE : P_FIRE3));
    }
    Finish(c);
}
AG_DRAWS(kSheet, "volt dart", DrawVoltDart);

void DrawRainJelly(Canvas& c, int f) {  // type 13: a jelly of rain water
    c.FillEllipse(8, 6, 6, 5, P(P_SKY3));
    c.FillRect(2, 8, 13, 4, kKey);
    c.ShadeShape(Rect{0, 0, 16, 8}, P(P_SKY3), P(P_SKY2), P(P_SKY4));
    for (int i = 0; i < 4; i++) {
        int x = 4 + i * 3, sway = ((i + f) & 1) ? 1 : -1;
        c.Line(x, 8, x + sway, 14, P(P_SKY2));
    }
    c.HLine(3, 13, 7, P(P_SKY1));
    c.Set(6, 4, kInk);
    c.Set(10, 4, kInk);
    Finish(c);
}
AG_DRAWS(kSheet, "rain jelly", DrawRainJelly);

// ---- 24 x 24 flyers --------------------------------------------------------

void DrawThunderImp(Canvas& c, int f) {  // type 20: an imp beating a storm drum
    int arm = f == 1 ? -3 : (f == 2 ? 3 : 0);
    c.FillEllipse(12, 16, 7, 5, P(P_EARTH2));          // the drum
    c.ShadeShape(Rect{0, 0, 24, 24}, P(P_EARTH2), P(P_EARTH1), P(P_EARTH3));
    c.HLine(6, 18, 13, P(P_GOLD2));
    c.ShadeBall(12, 8, 6, Ramp("teal"));
    Tri(c, {7, 4}, {5, 0}, {9, 3}, P(P_TEAL2));
    Tri(c, {17, 4}, {19, 0}, {15, 3}, P(P_TEAL2));
    Eye(c, 8, 6);
    Eye(c, 13, 6);
    c.Line(5, 11, 3, 9 + arm, P(P_TEAL1));
    c.Line(19, 11, 21, 9 - arm, P(P_TEAL1));
    c.FillRect(2, 7 + arm, 2, 3, P(P_METAL3));
    c.FillRect(20, 7 - arm, 2, 3, P(P_METAL3));
    if (f == 2) c.Line(12, 20, 10, 23, P(P_GOLD3));
    Finish(c);
}
AG_DRAWS(kSheet, "thunder imp", DrawThunderImp);

void DrawFlyingFish(Canvas& c, int f) {  // type 31: 0/1 gliding, 2/3 firing
    int fin = (f & 1) ? 3 : -2;
    c.FillEllipse(11, 12, 9, 5, P(P_SKY2));
    c.ShadeShape(Rect{0, 0, 24, 24}, P(P_SKY2), P(P_SKY1), P(P_SKY4));
    Tri(c, {18, 12}, {23, 7}, {23, 17}, P(P_SKY1));
    Tri(c, {9, 10}, {19, 4 + fin}, {15, 11}, P(P_ICE2));   // the long glider fin
    c.HLine(5, 16, 14, P(P_ICE1));
    Eye(c, 4, 10);
    if (f >= 2) {
        c.FillRect(0, 12, 3, 3, P(P_VIOLET1));
        c.Set(1, 13, P(P_VIOLET3));
    }
    Finish(c);
}
AG_DRAWS(kSheet, "flying fish", DrawFlyingFish);

void DrawWhirl(Canvas& c, int f) {  // type 30: a whirlwind wheel; frame 1 stops and flares
    for (int k = 0; k < 3; k++) {
        double a0 = (k * 120 + f * 40) * kPi / 180;
        for (int i = 0; i < 14; i++) {
            double a = a0 + i * 0.18, r = 3 + i * 0.6;
            Point p = Polar(12, 12, a, r);
            c.FillCircle(p.x, p.y, 1, P(i < 7 ? P_ICE2 : P_SKY3));
        }
    }
    c.ShadeBall(12, 12, 4, Ramp(f ? "gold" : "ice"));
    Finish(c);
}
AG_DRAWS(kSheet, "whirl", DrawWhirl);

void DrawManta(Canvas& c, int f) {  // type 19: a sky manta, wingtips beating
    int tip = f ? 4 : -3;
    std::vector<Point> body = {{2, 12}, {10, 7}, {14, 2 + (tip > 0 ? 4 : 0)}, {18, 9}, {23, 12},
                               {18, 15}, {14, 22 - (tip > 0 ? 4 : 0)}, {10, 17}};
    c.FillPolygon(body, P(P_TEAL2));
    c.ShadeShape(Rect{0, 0, 24, 24}, P(P_TEAL2), P(P_TEAL1), P(P_TEAL3));
    c.Line(2, 12, 0, 10, P(P_TEAL1));
    c.Line(2, 12, 0, 14, P(P_TEAL1));
    c.Set(6, 11, P(P_WHITE));
    c.Set(6, 13, P(P_WHITE));
    Finish(c);
}
AG_DRAWS(kSheet, "manta", DrawManta);

// ---- 32 x 32 emplacements on the rock -------------------------------------

void Footing(Canvas& c, int top) {
    c.FillRect(4, top, 24, 32 - top, P(P_METAL1));
    c.ShadeShape(Rect{0, 0, 32, 32}, P(P_METAL1), P(P_METAL0), P(P_METAL2));
    c.HLine(4, 27, top, P(P_METAL3));
}

void DrawHarpoon(Canvas& c, int f) {  // type 35: a harpoon battery aimed up-left
    Footing(c, 24);
    int back = f ? 2 : 0;
    for (int i = 0; i < 13; i++) c.FillRect(15 - i + back, 17 - i + back, 4, 4, P(P_METAL3));
    c.ShadeShape(Rect{0, 0, 32, 24}, P(P_METAL3), P(P_METAL2), P(P_METAL4));
    c.FillEllipse(18, 20, 8, 5, P(P_ROSE1));
    c.ShadeShape(Rect{0, 0, 32, 24}, P(P_ROSE1), P(P_ROSE0), P(P_ROSE2));
    if (f) c.FillCircle(3, 4, 3, P(P_FIRE3));
    Finish(c);
}
AG_DRAWS(kSheet, "harpoon", DrawHarpoon);

void DrawRodTurret(Canvas& c, int f) {  // type 24: a lightning rod that crackles and fires five ways
    Footing(c, 26);
    c.FillRect(14, 6, 4, 20, P(P_GOLD1));
    c.ShadeShape(Rect{0, 0, 32, 26}, P(P_GOLD1), P(P_GOLD0), P(P_GOLD2));
    c.FillCircle(16, 6, 3 + f, P(f == 2 ? P_WHITE : P_GOLD3));
    for (int i = 0; i < f * 2; i++) {
        double a = (i * 70 + 200) * kPi / 180;
        Point tip = Polar(16, 6, a, 9, 7);
        c.Line(16, 6, tip.x, tip.y, P(P_ICE3));
    }
    c.HLine(10, 21, 20, P(P_METAL3));
    Finish(c);
}
AG_DRAWS(kSheet, "rod turret", DrawRodTurret);

void DrawHangingGun(Canvas& c, int f) {  // type 54: hangs from the rock; barrel down, left, right, straight
    c.FillRect(4, 0, 24, 5, P(P_METAL1));
    c.FillEllipse(16, 8, 9, 7, P(P_METAL2));
    c.ShadeShape(Rect{0, 0, 32, 32}, P(P_METAL2), P(P_METAL1), P(P_METAL3));
    int ex = f == 1 ? 7 : (f == 2 ? 25 : 16), ey = f == 0 ? 21 : 25;
    for (int i = 0; i <= 10; i++) {
        int x = 16 + (ex - 16) * i / 10, y = 12 + (ey - 12) * i / 10;
        c.FillRect(x - 2, y - 2, 4, 4, P(P_METAL0));
    }
    if (f) c.FillCircle(ex, ey + 1, 2, P(P_FIRE3));
    c.FillCircle(16, 8, 3, P(P_TEAL2));
    c.Set(15, 7, P(P_WHITE));
    Finish(c);
}
AG_DRAWS(kSheet, "hanging gun", DrawHangingGun);

void DrawPylon(Canvas& c, int) {  // type 45: a storm pylon on the rock; shoot it down or fly round
    c.FillRect(10, 26, 12, 6, P(P_METAL1));
    c.FillTriangle({12, 26}, {20, 26}, {16, 4}, P(P_METAL2));
    c.ShadeShape(Rect{0, 0, 32, 32}, P(P_METAL2), P(P_METAL1), P(P_METAL3));
    for (int y = 10; y < 26; y += 5) c.HLine(16 - (y - 4) / 6, 16 + (y - 4) / 6, y, P(P_METAL0));
    c.FillCircle(16, 4, 3, P(P_TEAL2));
    c.Set(15, 3, P(P_ICE3));
    c.HLine(10, 21, 26, P(P_METAL3));
    Finish(c);
}
AG_DRAWS(kSheet, "pylon", DrawPylon);

void DrawStormMine(Canvas& c, int) {  // type 47, 64 x 48: an anchored storm mine
    c.Line(32, 40, 32, 47, P(P_METAL2));
    c.FillCircle(32, 22, 16, P(P_METAL2));
    c.ShadeShape(Rect{0, 0, 64, 48}, P(P_METAL2), P(P_METAL1), P(P_METAL3));
    for (int i = 0; i < 8; i++) {
        double a = i * kPi / 4;
        Point in = Polar(32, 22, a, 15), out = Polar(32, 22, a, 22);
        c.Line(in.x, in.y, out.x, out.y, P(P_METAL3));
        c.FillRect(out.x - 1, out.y - 1, 3, 3, P(P_ROSE2));
    }
    c.HLine(18, 46, 22, P(P_METAL1));
    c.FillEllipse(32, 22, 6, 5, P(P_ROSE1));
    c.FillEllipse(31, 21, 3, 2, P(P_ROSE3));
    c.Set(30, 20, P(P_WHITE));
    Finish(c);
}
AG_DRAWS(kSheet, "storm mine", DrawStormMine);

}  // namespace

AG_REGISTER(RegisterStage5Enemies) {
    AddSpriteFile(kSheet, kOwner, "stage5/enemies.txt");
    stage5::RegisterBossCells();   // the boss's own cells on this sheet
}
