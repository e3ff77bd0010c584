// Stage 4's enemy sheet: the drawing of every enemy, bound to its sprite in enemies.txt.
//
// Stage 4's enemy sheet "stage4_en.bmp" (8-bit): every flyer, turret and
// scenery piece of the crystal caverns' waves, one cell per animation frame.
// The cave is dark violet and its deadly walls glow icy blue, so the cave's
// creatures wear warm golds, ambers, roses and leaf greens.
// The boss's cells are left to its own painter: the core (240,0)-(272,48),
// the charge (240,48)-(272,176), the pellet (240,176), the speaker
// (240,192)-(336,240), the beam (272,0)-(592,64), the pillars
// (592,0)-(624,240) and the body (336,64)-(480,240).
#include <cmath>
#include <string>

#include "../sprite_draw.h"
#include "kit.h"
#include "stage4.h"

namespace {

using namespace ag;
using namespace stagedraw;

const char* const kSheet = stage4::kEnemySheet;
const char* const kOwner = "stage4 enemies";

// ---- 16 x 16 flyers ----

void DrawMoth(Canvas& c, int) {  // type 11: a glowing cave moth, wings spread
    c.FillEllipse(4, 6, 4, 5, P(P_GOLD2));
    c.FillEllipse(11, 6, 4, 5, P(P_GOLD2));
    c.FillEllipse(4, 12, 3, 3, P(P_AMBER1));
    c.FillEllipse(11, 12, 3, 3, P(P_AMBER1));
    c.ShadeShape(Rect{0, 0, 16, 16}, P(P_GOLD2), P(P_GOLD1), P(P_GOLD3));
    c.FillCircle(4, 6, 1, P(P_FIRE3));
    c.FillCircle(11, 6, 1, P(P_FIRE3));
    c.FillRect(7, 3, 2, 11, P(P_EARTH1));
    c.Set(7, 3, P(P_WHITE));
    c.Line(7, 2, 5, 0, P(P_EARTH2));
    c.Line(8, 2, 10, 0, P(P_EARTH2));
    Finish(c);
}
AG_DRAWS(kSheet, "moth", DrawMoth);

void DrawBat(Canvas& c, int f) {  // type 40: a cave bat, wings up/down
    int tip = f == 0 ? 1 : 14;
    Tri(c, {6, 8}, {0, tip}, {3, 11}, P(P_ROSE1));
    Tri(c, {10, 8}, {15, tip}, {12, 11}, P(P_ROSE1));
    if (f == 0) {
        c.Line(1, 3, 5, 8, P(P_ROSE2));
        c.Line(14, 3, 10, 8, P(P_ROSE2));
    }
    Ball(c, 8, 9, 4, "rose");
    Tri(c, {5, 6}, {6, 2}, {7, 6}, P(P_ROSE2));
    Tri(c, {9, 6}, {10, 2}, {11, 6}, P(P_ROSE2));
    c.Set(6, 8, P(P_GOLD3));
    c.Set(9, 8, P(P_GOLD3));
    c.Set(7, 11, P(P_WHITE));
    Finish(c);
}
AG_DRAWS(kSheet, "bat", DrawBat);

void DrawJelly(Canvas& c, int f) {  // type 13: a floating spore jelly
    c.FillEllipse(8, 6, 6, 5, P(P_LEAF3));
    c.FillRect(1, 8, 15, 8, kKey);
    c.ShadeShape(Rect{0, 0, 16, 8}, P(P_LEAF3), P(P_LEAF2), P(P_LEAF4));
    c.HLine(3, 13, 7, P(P_LEAF2));
    for (int i = 0; i < 4; i++) {
        int x = 4 + i * 3, sway = ((i + f) & 1) ? 1 : -1;
        c.Line(x, 8, x + sway, 14, P(P_GOLD2));
        c.Set(x + sway, 14, P(P_GOLD3));
    }
    c.Set(6, 4, P(P_WHITE));
    c.Set(10, 4, P(P_GOLD3));
    Finish(c);
}
AG_DRAWS(kSheet, "jelly", DrawJelly);

void DrawWisp(Canvas& c, int f) {  // type 12: a crystal spirit, drawn half transparent
    Wisp(c, f, 9, 15, P_VIOLET2, "violet");
    Tri(c, {5, 3}, {7, 0}, {9, 3}, P(P_VIOLET3));
    c.FillRect(4, 7, 2, 2, P(P_WHITE));
    c.FillRect(8, 7, 2, 2, P(P_WHITE));
    Finish(c);
}
AG_DRAWS(kSheet, "wisp", DrawWisp);

void DrawDrill(Canvas& c, int f) {  // type 51: a drill-nosed fish; 0 cruising, 1-2 charging
    Tri(c, {0, 8}, {6, 4}, {6, 12}, P(f ? P_METAL4 : P_METAL3));  // drill
    for (int x = 2; x < 6; x += 2) c.VLine(x + (f == 2), 8 - (x - 1) * 2 / 3, 8 + (x - 1) * 2 / 3, P(P_METAL1));
    c.FillEllipse(10, 8, 4, 4, P(P_FIRE2));
    c.ShadeShape(Rect{6, 0, 16, 16}, P(P_FIRE2), P(P_FIRE1), P(P_FIRE3));
    Tri(c, {13, 8}, {15, 3 + (f == 1)}, {15, 13 - (f == 1)}, P(P_FIRE1));
    c.Set(9, 6, P(P_WHITE));
    c.Set(9, 7, kInk);
    if (f > 0) {
        c.Set(15, 7, P(P_GOLD3));
        c.Set(15, 9, P(P_GOLD3));
    }
    Finish(c);
}
AG_DRAWS(kSheet, "drill", DrawDrill);

void DrawBug(Canvas& c, int) {  // type 53: a lantern bug with a glowing tail
    c.FillEllipse(9, 10, 4, 3, P(P_AMBER2));
    c.Set(10, 9, P(P_GOLD3));
    c.Set(11, 10, P(P_WHITE));
    c.FillEllipse(5, 8, 3, 3, P(P_EARTH2));
    c.ShadeShape(Rect{0, 0, 9, 16}, P(P_EARTH2), P(P_EARTH1), P(P_EARTH3));
    c.FillEllipse(8, 4, 4, 2, P(P_ICE2));
    c.Set(4, 7, P(P_WHITE));
    c.Line(3, 6, 1, 3, P(P_EARTH1));
    Finish(c);
}
AG_DRAWS(kSheet, "bug", DrawBug);

void DrawSlime(Canvas& c, int f) {  // type 16: a bouncing crystal slime; 1 squashed
    if (f == 0) {
        c.FillEllipse(8, 9, 6, 6, P(P_ROSE2));
        Tri(c, {6, 4}, {8, 0}, {10, 4}, P(P_ROSE3));
    } else {
        c.FillEllipse(8, 11, 7, 4, P(P_ROSE2));
        Tri(c, {6, 8}, {8, 5}, {10, 8}, P(P_ROSE3));
    }
    c.ShadeShape(Rect{0, 0, 16, 16}, P(P_ROSE2), P(P_ROSE1), P(P_ROSE3));
    int ey = f ? 10 : 8;
    c.FillRect(5, ey, 2, 2, kInk);
    c.FillRect(10, ey, 2, 2, kInk);
    c.Set(5, ey, P(P_WHITE));
    c.Set(10, ey, P(P_WHITE));
    Finish(c);
}
AG_DRAWS(kSheet, "slime", DrawSlime);

// ---- 16 x 24: the dropping stalactite (type 50)

void DrawDropper(Canvas& c, int) {
    Tri(c, {1, 0}, {14, 0}, {8, 23}, P(P_EARTH2));
    c.ShadeShape(Rect{0, 0, 16, 24}, P(P_EARTH2), P(P_EARTH1), P(P_EARTH3));
    c.FillRect(2, 0, 12, 3, P(P_EARTH1));
    // a gold vein and two eyes: it is alive
    c.Line(4, 3, 8, 16, P(P_GOLD2));
    c.FillRect(5, 6, 2, 2, P(P_FIRE3));
    c.FillRect(9, 6, 2, 2, P(P_FIRE3));
    c.Set(8, 22, P(P_GOLD3));
    Finish(c);
}
AG_DRAWS(kSheet, "dropper", DrawDropper);

// ---- 24 x 24 flyers ----

void DrawBeetle(Canvas& c, int f) {  // type 21: a gem beetle, legs paddling (0, 1, 2)
    for (int i = 0; i < 3; i++) {
        int lx = 8 + i * 5, sw = (i + f) % 3 - 1;
        c.Line(lx, 16, lx + sw * 2, 21, P(P_INK));
    }
    c.FillEllipse(13, 12, 9, 7, P(P_LEAF3));
    c.ShadeShape(Rect{0, 0, 24, 24}, P(P_LEAF3), P(P_LEAF2), P(P_LEAF4));
    c.Line(13, 5, 13, 18, P(P_LEAF1));
    // the gem on its back
    c.FillTriangle({10, 8}, {16, 8}, {13, 13}, P(P_VIOLET2));
    c.Set(11, 8, P(P_VIOLET3));
    c.Set(12, 9, P(P_WHITE));
    c.FillEllipse(4, 12, 3, 3, P(P_EARTH1));
    c.Set(3, 11, P(P_FIRE3));
    c.Line(2, 10, 0, 6 + f, P(P_EARTH1));
    Finish(c);
}
AG_DRAWS(kSheet, "beetle", DrawBeetle);

void DrawWheel(Canvas& c, int f) {  // type 30: a prism wheel; 0 spinning, 1 stopped and glowing
    const double a0 = f ? 0.0 : 0.39;
    for (int i = 0; i < 6; i++) {
        double a = a0 + i * 3.14159 / 3;
        Tri(c, Polar(12, 12, a, 11), Polar(12, 12, a + 0.5, 6), Polar(12, 12, a - 0.5, 6),
            P(i % 2 ? P_GOLD2 : P_AMBER1));
    }
    Ball(c, 12, 12, 6, f ? "fire" : "gold");
    c.FillRect(10, 10, 2, 2, P(P_WHITE));
    if (f) c.FillRect(11, 11, 3, 3, P(P_WHITE));
    Finish(c);
}
AG_DRAWS(kSheet, "wheel", DrawWheel);

void DrawFish(Canvas& c, int f) {  // type 31: a lantern fish; 0/1 swimming, 2/3 its lure flaring
    int tail = (f & 1) ? 3 : -3;
    Tri(c, {17, 12}, {23, 12 + tail - 5}, {23, 12 + tail + 5}, P(P_ROSE1));
    c.FillEllipse(11, 13, 8, 6, P(P_ROSE2));
    c.ShadeShape(Rect{0, 0, 24, 24}, P(P_ROSE2), P(P_ROSE1), P(P_ROSE3));
    c.HLine(5, 15, 16, P(P_ROSE1));
    c.FillRect(5, 11, 3, 3, P(P_WHITE));
    c.Set(5, 12, kInk);
    c.HLine(3, 7, 17, P(P_WHITE));  // teeth
    // the lure on its stalk
    c.Line(10, 7, 6, 2, P(P_EARTH2));
    c.Line(6, 2, 3, 3, P(P_EARTH2));
    if (f >= 2) {
        c.FillCircle(3, 4, 3, P(P_GOLD3));
        c.Set(3, 4, P(P_WHITE));
    } else {
        c.FillCircle(3, 4, 2, P(P_GOLD2));
    }
    Finish(c);
}
AG_DRAWS(kSheet, "fish", DrawFish);

// ---- 32 x 32 pieces ----

void DrawGeode(Canvas& c, int) {  // type 45: a crystal geode on the near floor
    c.FillEllipse(16, 24, 14, 8, P(P_EARTH1));
    c.ShadeShape(Rect{0, 0, 32, 32}, P(P_EARTH1), P(P_EARTH0), P(P_EARTH2));
    const int xs[5] = {7, 12, 17, 22, 26};
    const int hs[5] = {10, 18, 24, 15, 9};
    for (int i = 0; i < 5; i++) {
        int x = xs[i], h = hs[i];
        Tri(c, {x - 3, 24}, {x + 3, 24}, {x + (i - 2), 24 - h}, P(i % 2 ? P_VIOLET2 : P_GOLD2));
        c.Line(x - 1, 23, x + (i - 2) - 1 + 1, 25 - h, P(i % 2 ? P_VIOLET3 : P_GOLD3));
    }
    c.Set(16, 2, P(P_WHITE));
    c.HLine(6, 26, 29, P(P_EARTH0));
    Finish(c);
}
AG_DRAWS(kSheet, "geode", DrawGeode);

void DrawSlant(Canvas& c, int f) {  // type 54: a hanging crystal eye; idle, looking left, right, down
    c.FillRect(12, 0, 8, 6, P(P_METAL1));
    c.FillEllipse(16, 15, 12, 10, P(P_VIOLET1));
    c.ShadeShape(Rect{0, 0, 32, 32}, P(P_VIOLET1), P(P_VIOLET0), P(P_VIOLET2));
    for (int i = 0; i < 4; i++) Tri(c, {6 + i * 6, 22}, {10 + i * 6, 22}, {8 + i * 6, 29}, P(P_VIOLET2));
    int ex = f == 1 ? 12 : f == 2 ? 20 : 16, ey = f == 3 ? 19 : 15;
    c.FillCircle(16, 15, 6, P(P_WHITE));
    c.FillCircle(ex, ey, 3, f ? P(P_FIRE2) : P(P_GOLD2));
    c.FillRect(ex - 1, ey - 1, 2, 2, kInk);
    if (f == 0) c.HLine(10, 22, 12, P(P_VIOLET1));  // lid half closed
    Finish(c);
}
AG_DRAWS(kSheet, "slant", DrawSlant);

void DrawFlower(Canvas& c, int f) {  // type 24: a hanging crystal flower; 1-2 opening to fire
    c.FillRect(15, 0, 3, 8, P(P_LEAF1));
    int open = f * 3;
    for (int i = 0; i < 5; i++) {
        double a = 3.14159 * (0.1 + 0.2 * i);
        Tri(c, {13, 12}, {19, 12}, Polar(16, 14, a, 10 + open), P(i % 2 ? P_ROSE2 : P_ROSE3));
    }
    Ball(c, 16, 12, 6, "gold");
    if (f) c.FillCircle(16, 13, 2 + f, P(P_FIRE3));
    c.Set(14, 10, P(P_WHITE));
    Finish(c);
}
AG_DRAWS(kSheet, "flower", DrawFlower);

void DrawMole(Canvas& c, int f) {  // type 55: a mole miner; bob x3, throwing
    int bob = f < 3 ? (f == 1 ? 1 : f == 2 ? 2 : 0) : 0;
    c.FillEllipse(16, 20 + bob, 11, 10, P(P_EARTH2));
    c.FillRect(4, 28, 25, 4, kKey);
    c.ShadeShape(Rect{0, 0, 32, 28}, P(P_EARTH2), P(P_EARTH1), P(P_EARTH3));
    // helmet (a dome with a brim) and its lamp
    for (int y = 5 + bob; y <= 12 + bob; y++) {
        int half = int(std::lround(std::sqrt(std::max(0.0, 1.0 - std::pow((12.0 + bob - y) / 7.5, 2))) * 9));
        c.HLine(16 - half, 16 + half, y, P(y < 8 + bob ? P_GOLD3 : P_GOLD2));
    }
    c.HLine(5, 27, 13 + bob, P(P_GOLD1));
    c.FillRect(14, 6 + bob, 4, 3, P(P_WHITE));
    c.Set(15, 7 + bob, P(P_GOLD3));
    // face
    c.FillRect(10, 17 + bob, 3, 2, kInk);
    c.FillRect(19, 17 + bob, 3, 2, kInk);
    c.FillRect(14, 21 + bob, 4, 2, P(P_SKIN3));
    c.Set(15, 21 + bob, P(P_ROSE2));
    if (f == 3) {  // arm up, a glowing rock in the paw
        c.Line(6, 20, 2, 10, P(P_EARTH1));
        c.FillCircle(2, 8, 3, P(P_FIRE3));
        c.Set(1, 7, P(P_WHITE));
    }
    c.HLine(2, 29, 27, P(P_EARTH0));  // the rim of its burrow
    Finish(c);
}
AG_DRAWS(kSheet, "mole", DrawMole);

}  // namespace

AG_REGISTER(RegisterStage4Enemies) {
    AddSpriteFile(kSheet, kOwner, "stage4/enemies.txt");
    stage4::RegisterBossCells();   // the boss's own cells on this sheet
}
