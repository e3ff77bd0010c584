// Stage 1's boss, the Frost Warden: the drawing of its cells, whose places are boss.txt (its template and entry are in waves.txt).
//
// Stage 1's boss on "stage1_en.bmp": the Frost Warden, an ice-crowned
// armoured giant who carries a frost lantern, in every pose its two forms
// take; its snowball bouncers; and its entry at the end of "men1.dat".
//
// First form (type 17), 96 x 96 cells, the body on the right (where shots
// hurt it) and the lantern arm on the left:
//   row 128 idle, row 224 casting rings, row 320 lunging (the arm reaching
//   out along the top left, where it can be shot), two frames each;
//   row 416 frame 0 the wind-up before and after the lunge.
// Second form (type 10), 64 x 48: the cracked helm with its bare core at the
// upper left, at (96, 416) and (96, 464), alternating.
// Bouncers (type 16), 16 x 16 at (0, 114): rolling and squashed.
#include <cmath>

#include "../sprite_draw.h"
#include "kit.h"
#include "stage1.h"

namespace {

using namespace ag;
using namespace stagedraw;

const char* const kSheet = stage1::kEnemySheet;
const char* const kOwner = "stage1 boss";

enum class Pose { Idle, Rings, Lunge, WindUp };

// The long cape, its ragged hem swaying with the frame.
void Cape(Canvas& c, int f, int lean) {
    std::vector<Point> pts = {{52 + lean, 34}, {90, 34}, {94, 84}};
    for (int i = 0; i <= 6; i++) {
        int x = 94 - i * 7;
        int y = 84 + ((i + f) % 2 == 0 ? 8 : 2);
        pts.push_back({x, y});
    }
    pts.push_back({44 + lean, 88});
    c.FillPolygon(pts, P(P_DUSK1));
    for (int i = 0; i < 4; i++) c.Line(58 + lean + i * 9, 40, 54 + lean + i * 10, 86, P(P_DUSK0));
    c.Line(54 + lean, 36, 46 + lean, 86, P(P_DUSK2));
}

// Armoured chest and the ice crown; the visor's eyes glow.
void Body(Canvas& c, int lean, int eyeTone, int crownGlow) {
    c.FillEllipse(68 + lean, 50, 22, 24, P(P_METAL2));
    c.ShadeShape(Rect{44 + lean, 26, 92 + lean, 76}, P(P_METAL2), P(P_METAL1), P(P_METAL3));
    // breastplate ridges and a gold clasp
    c.HLine(54 + lean, 84 + lean, 58, P(P_METAL1));
    c.HLine(56 + lean, 82 + lean, 66, P(P_METAL1));
    c.FillCircle(68 + lean, 44, 4, P(P_GOLD2));
    c.Set(67 + lean, 43, P(P_GOLD3));
    // helm
    c.FillEllipse(66 + lean, 24, 15, 13, P(P_ICE1));
    c.ShadeShape(Rect{50 + lean, 10, 82 + lean, 38}, P(P_ICE1), P(P_ICE0), P(P_ICE2));
    c.FillRect(53 + lean, 22, 22, 6, P(P_INK));  // visor slit
    c.FillRect(55 + lean, 23, 4, 3, P(eyeTone));
    c.FillRect(63 + lean, 23, 4, 3, P(eyeTone));
    c.Set(55 + lean, 23, P(P_WHITE));
    c.Set(63 + lean, 23, P(P_WHITE));
    // crown of icicles
    for (int i = 0; i < 5; i++) {
        int x = 54 + lean + i * 6;
        int h = (i == 2) ? 14 : (i == 1 || i == 3) ? 10 : 7;
        c.FillTriangle({x - 3, 14}, {x + 3, 14}, {x, 14 - h}, P(crownGlow ? P_ICE3 : P_ICE2));
        c.Set(x, 13 - h / 2, P(P_WHITE));
    }
    // pauldron on the near shoulder
    c.FillEllipse(52 + lean, 38, 9, 7, P(P_METAL3));
    c.ShadeShape(Rect{43 + lean, 31, 62 + lean, 46}, P(P_METAL3), P(P_METAL2), P(P_METAL4));
}

// The frost lantern the left arm carries; `heat` 0..2 brightens it.
void Lantern(Canvas& c, int cx, int cy, int heat) {
    c.Line(cx, cy - 14, cx, cy - 9, P(P_METAL1));
    c.FillRect(cx - 7, cy - 9, 15, 3, P(P_METAL3));
    c.FillRect(cx - 7, cy + 8, 15, 3, P(P_METAL1));
    c.ShadeBall(cx, cy, 7, Ramp("ice"));
    if (heat >= 1) c.FillCircle(cx, cy, 4, P(P_ICE3));
    if (heat >= 2) c.FillCircle(cx, cy, 2, P(P_WHITE));
    c.VLine(cx - 7, cy - 6, cy + 7, P(P_METAL2));
    c.VLine(cx + 7, cy - 6, cy + 7, P(P_METAL2));
}

// Arm from the shoulder to a gauntlet at (hx, hy).
void Arm(Canvas& c, int sx, int sy, int hx, int hy) {
    for (int d = -2; d <= 2; d++) c.Line(sx, sy + d, hx, hy + d, P(P_METAL2));
    c.Line(sx, sy - 3, hx, hy - 3, P(P_METAL3));
    c.FillCircle(hx, hy, 4, P(P_METAL3));
    c.Set(hx - 1, hy - 2, P(P_METAL4));
}

// Sparks circling the raised lantern while it casts.
void Sparkles(Canvas& c, int cx, int cy, int f) {
    for (int i = 0; i < 6; i++) {
        double a = (i * 60 + f * 30) * 3.14159265 / 180;
        Point s = Polar(cx, cy, a, 15);
        c.HLine(s.x - 2, s.x + 2, s.y, P(P_ICE3));
        c.VLine(s.x, s.y - 2, s.y + 2, P(P_ICE3));
        c.Set(s.x, s.y, P(P_WHITE));
    }
}

// The icy claw at the end of the lunging arm; open or closed.
void Claw(Canvas& c, int x, int y, bool open) {
    int s = open ? 5 : 2;
    c.FillTriangle({x + 6, y - 2}, {x + 6, y + 3}, {x - 6, y - s}, P(P_ICE2));
    c.FillTriangle({x + 6, y - 1}, {x + 6, y + 4}, {x - 6, y + s + 1}, P(P_ICE1));
    c.FillTriangle({x + 6, y}, {x + 6, y + 2}, {x - 8, y + 1}, P(P_ICE3));
    c.FillCircle(x + 8, y + 1, 4, P(P_METAL3));
}

void DrawFirstForm(Canvas& c, Pose pose, int f) {
    switch (pose) {
    case Pose::Idle:
        Cape(c, f, 0);
        Arm(c, 50, 42, 26, 56 + f);
        Body(c, 0, f ? P_FIRE3 : P_FIRE4, 0);
        Lantern(c, 20, 66 + f, f);
        break;
    case Pose::Rings:
        Cape(c, f + 1, 0);
        Arm(c, 50, 40, 26, 22);
        c.GlowEllipse(22, 34, 16, 16, {P(P_ICE3), P(P_SKY3), P(P_SKY2)});  // cold light behind the lantern
        Body(c, 0, P_VIOLET3, 1);
        Lantern(c, 20, 32, 2);
        Sparkles(c, 20, 32, f);
        break;
    case Pose::Lunge:
        Cape(c, f, -6);
        // The arm reaches out along the top left: the target the player can shoot.
        Arm(c, 44, 38, 12, 10 + f);
        Claw(c, 4, 9 + f, f == 0);
        Body(c, -6, P_FIRE4, 0);
        Lantern(c, 30, 80, 0);
        break;
    case Pose::WindUp:
        Cape(c, f + 1, 4);
        Arm(c, 56, 40, 86, 30);  // drawn back over the shoulder
        Body(c, 4, P_WHITE, 1);
        Lantern(c, 26, 70, 1);
        break;
    }
    Finish(c);
}

// Second form: the cracked helm flies on alone, its core bare at the upper left.
void DrawSecondForm(Canvas& c, int f) {
    // trailing shards of the broken armour
    for (int i = 0; i < 4; i++) {
        int x = 42 + i * 6, y = 30 + ((i + f) % 2) * 6;
        c.FillTriangle({x, y}, {x + 6, y + 2}, {x + 2, y + 8}, P(i & 1 ? P_METAL2 : P_ICE1));
    }
    c.FillEllipse(34, 22, 20, 15, P(P_ICE1));
    c.ShadeShape(Rect{14, 7, 55, 38}, P(P_ICE1), P(P_ICE0), P(P_ICE2));
    for (int i = 0; i < 4; i++) {  // the crown's stumps
        int x = 26 + i * 7;
        c.FillTriangle({x - 3, 9}, {x + 3, 9}, {x, 9 - (i == 1 ? 7 : 4)}, P(P_ICE2));
    }
    c.FillRect(30, 20, 20, 5, P(P_INK));
    c.FillRect(33, 21, 4, 3, P(P_FIRE4));
    c.FillRect(41, 21, 4, 3, P(P_FIRE4));
    // cracks
    c.Line(40, 12, 46, 30, P(P_ICE0));
    c.Line(46, 30, 42, 36, P(P_ICE0));
    // the bare core, pulsing
    c.ShadeBall(16, 16, f ? 10 : 9, Ramp(f ? "violet" : "rose"));
    c.FillCircle(15, 15, f ? 4 : 3, P(P_WHITE));
    c.Set(13, 13, P(P_WHITE));
    Finish(c);
}

// A snowball imp that bounces; frame 1 squashed on landing.
void DrawBouncer(Canvas& c, int f) {
    if (f == 0) {
        c.ShadeBall(8, 8, 6, Ramp("ice"));
        c.FillRect(5, 6, 2, 2, P(P_INK));
        c.FillRect(9, 6, 2, 2, P(P_INK));
        c.HLine(6, 9, 10, P(P_FIRE2));
        c.Set(8, 1, P(P_ICE0));
    } else {
        c.FillEllipse(8, 11, 7, 4, P(P_ICE2));
        c.ShadeShape(Rect{0, 6, 16, 16}, P(P_ICE2), P(P_ICE0), P(P_ICE3));
        c.FillRect(4, 10, 2, 1, P(P_INK));
        c.FillRect(10, 10, 2, 1, P(P_INK));
        c.HLine(6, 9, 13, P(P_FIRE2));
    }
    Finish(c);
}

// Paints the i-th cell of boss.txt.
void DrawCell(Canvas& c, int i) {
    switch (i) {
    case 0: case 1: DrawFirstForm(c, Pose::Idle, i); break;
    case 2: case 3: DrawFirstForm(c, Pose::Rings, i - 2); break;
    case 4: case 5: DrawFirstForm(c, Pose::Lunge, i - 4); break;
    case 6: DrawFirstForm(c, Pose::WindUp, 0); break;
    case 7: case 8: DrawSecondForm(c, i - 7); break;
    default: DrawBouncer(c, i - 9); break;
    }
}

}  // namespace

void stage1::RegisterBossCells() { AddCellFile(kSheet, kOwner, "stage1/boss.txt", DrawCell, 11); }
