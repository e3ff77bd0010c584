// Stage 5's two bosses on "stage5_en.bmp": the drawing of their cells, whose places are bosses.txt.
//
// The Gale Ram (type 56), mid-stage: a storm-blue sky ram in brass armour,
// 144 x 128, its mouth at the far left (where it spits) and its armoured
// bulk and twin exhausts on the right (where shots hurt it). Row 0: idle,
// mouth opening, spitting; row 128: charging, eyes and exhausts blazing. Its
// exhaust puff, the spat charge turning, the swelling ball and the lightning
// beam are additive cells on black.
//
// The Tempest Roc (type 57), the last boss: a giant storm bird with
// lightning plumes, 216 x 96, its body (the target) right of centre: row 128
// wing beat, row 224 calling lightning for its rings and spirals, row 320 the
// beak thrust out along the top left (its fans, and the lunge's extra
// target), row 416 frame 0 rearing back (curtains, and the lull between its
// three phases). Between its patterns of the
// second phase it throws hailstone imps (16 x 16) that hop along the bottom.
#include <algorithm>
#include <cmath>
#include <vector>

#include "../sprite_draw.h"
#include "kit.h"
#include "stage5.h"

namespace {

using namespace ag;
using namespace stagedraw;

const char* const kSheet = stage5::kEnemySheet;
const char* const kOwner = "stage5 bosses";

void Thick(Canvas& c, int x0, int y0, int x1, int y1, int r, Rgb col) {
    int n = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= n; i++) {
        int x = x0 + (n ? (x1 - x0) * i / n : 0), y = y0 + (n ? (y1 - y0) * i / n : 0);
        c.FillCircle(x, y, r, col);
    }
}

// A jagged bolt from (x0, y0) to (x1, y1).
void Bolt(Canvas& c, int x0, int y0, int x1, int y1, uint32_t seed, Rgb col, Rgb core) {
    Rng r(seed);
    int px = x0, py = y0;
    const int steps = 6;
    for (int i = 1; i <= steps; i++) {
        int x = x0 + (x1 - x0) * i / steps + (i < steps ? r.Between(-5, 5) : 0);
        int y = y0 + (y1 - y0) * i / steps + (i < steps ? r.Between(-5, 5) : 0);
        c.Line(px, py, x, y, col);
        c.Line(px + 1, py, x + 1, y, col);
        c.Line(px, py, x, y, core);
        px = x, py = y;
    }
}

// ---- the Gale Ram ------------------------------------------------------------

// An ellipse shaded by light from the upper left through a dark-to-light ramp.
void ShadeEllipse(Canvas& c, int cx, int cy, int rx, int ry, const std::vector<int>& ramp) {
    for (int y = -ry; y <= ry; y++)
        for (int x = -rx; x <= rx; x++) {
            double d = double(x * x) / (rx * rx) + double(y * y) / (ry * ry);
            if (d > 1.0) continue;
            double nx = double(x) / rx, ny = double(y) / ry;
            double lit = 0.55 - 0.45 * nx - 0.55 * ny - 0.25 * d;   // 0 dark .. 1 light
            double v = std::clamp(lit, 0.0, 0.999) * (ramp.size() - 1);
            int i = int(v);
            int level = int((v - i) * 16);
            c.Set(cx + x, cy + y, Bayer4(cx + x, cy + y) < level ? P(ramp[size_t(i + 1 < int(ramp.size()) ? i + 1 : i)]) : P(ramp[size_t(i)]));
        }
}

// mouth: 0 shut, 1 opening, 2 wide; charging: the ram pose of row 128.
void DrawRam(Canvas& c, int mouth, bool charging, int f) {
    // sail along the back
    std::vector<Point> sail = {{72, 28}, {98, 4}, {112, 2}, {122, 14}, {138, 26}, {128, 34}};
    c.FillPolygon(sail, P(P_VIOLET1));
    for (int i = 0; i < 4; i++) c.Line(78 + i * 12, 28, 100 + i * 7, 6 + i * 4, P(P_VIOLET2));
    c.Line(98, 4, 138, 26, P(P_VIOLET3));
    // exhaust pods on the right, where the trail streams from
    for (int k = 0; k < 2; k++) {
        int y = k ? 96 : 70;
        c.FillRect(110, y - 8, 32, 16, P(P_METAL2));
        c.ShadeShape(Rect{110, y - 8, 142, y + 8}, P(P_METAL2), P(P_METAL1), P(P_METAL3));
        c.FillRect(137, y - 7, 5, 14, P(P_METAL1));
        c.FillRect(140, y - 5, 4, 10, P(charging ? P_FIRE4 : (f == 1 ? P_FIRE2 : P_FIRE1)));
        if (charging) c.FillRect(142, y - 3, 2, 6, P(P_WHITE));
        c.HLine(112, 134, y - 2, P(P_GOLD2));
    }
    // legs tucked under, hooves
    for (int k = 0; k < 2; k++) {
        int x = 70 + k * 38;
        c.FillRect(x, 100, 9, 18, P(P_SKY0));
        c.FillRect(x - 1, 116, 11, 7, P(P_METAL1));
        c.HLine(x - 1, x + 9, 116, P(P_METAL3));
    }
    // the body, shaded, with curved brass bands
    ShadeEllipse(c, 92, 62, 46, 44, {P_SKY0, P_SKY1, P_SKY2, P_SKY3});
    for (int i = 0; i < 3; i++) {
        int x0 = 80 + i * 18;
        for (int y = 22; y < 104; y++) {
            double v = (y - 62) / 44.0;
            int x = x0 - int(std::lround(10 * (1 - v * v))) + i * 3;
            if (c.Get(x, y) == kKey || c.Get(x, y) == P(P_VIOLET1)) continue;
            c.Set(x - 1, y, P(P_GOLD3));
            c.Set(x, y, P(P_GOLD2));
            c.Set(x + 1, y, P(P_GOLD1));
            if (y % 9 == 0) c.Set(x, y, P(P_WHITE));   // rivets
        }
    }
    c.FillEllipse(96, 96, 30, 9, P(P_GOLD1));   // belly plate
    c.ShadeShape(Rect{66, 87, 127, 106}, P(P_GOLD1), P(P_GOLD0), P(P_GOLD2));
    for (int x = 72; x < 124; x += 8) c.VLine(x, 90, 102, P(P_GOLD0));
    // the head, lowered when charging
    int hy = charging ? 66 : 58;
    ShadeEllipse(c, 32, hy, 24, 22, {P_SKY1, P_SKY2, P_SKY3, P_SKY4});
    // a heavy muzzle and the beard under the chin
    c.FillTriangle({20, hy + 18}, {32, hy + 18}, {25, hy + 32}, P(P_METAL3));
    c.Line(25, hy + 20, 25, hy + 30, P(P_METAL2));
    ShadeEllipse(c, 15, hy + 8, 14, 11, {P_SKY1, P_SKY2, P_SKY3, P_SKY4});
    int open = mouth * 5;
    int my = hy + 6;   // at rest the mouth is level with the centre, where the spit comes from
    if (open > 0) {
        c.FillEllipse(9, my, 9, 1 + open / 2, P(P_ROSE0));
        c.FillEllipse(8, my, 6, open / 3, P(P_INK));
        for (int x = 3; x < 16; x += 4) {
            c.Set(x, my - open / 2, P(P_WHITE));
            c.Set(x + 1, my + open / 2, P(P_WHITE));
        }
        if (mouth == 2) c.FillCircle(4, my, 3, P(P_VIOLET3));
    } else {
        c.HLine(2, 16, my, P(P_SKY0));
        c.Set(16, my - 1, P(P_SKY0));
    }
    c.FillRect(3, hy + 1, 2, 2, kInk);   // nostril
    // brass brow plate and a goat's eye with a bar pupil
    c.FillRect(22, hy - 17, 24, 6, P(P_GOLD2));
    c.ShadeShape(Rect{22, hy - 17, 46, hy - 11}, P(P_GOLD2), P(P_GOLD1), P(P_GOLD3));
    c.FillEllipse(32, hy - 5, 5, 4, P(charging ? P_WHITE : P_GOLD3));
    c.FillRect(29, hy - 6, 7, 2, charging ? P(P_FIRE3) : kInk);
    // the great curled horn
    int hx = 54, hyy = hy - 20;
    for (int a = 200; a < 200 + 330; a += 3) {
        double t = (a - 200) / 330.0;
        double rad = 22 - t * 14;
        Point p = Polar(hx, hyy, a * kPi / 180, rad);
        int th = int(std::lround(6 - t * 4));
        c.FillCircle(p.x, p.y, th, P(P_METAL3));
        if (a % 24 == 8) c.FillCircle(p.x, p.y, std::max(1, th - 2), P(P_METAL2));
    }
    c.ShadeShape(Rect{20, 0, 90, 60}, P(P_METAL3), P(P_METAL2), P(P_METAL4));
    if (charging) {   // lightning crackles from the horn down to the brow
        Bolt(c, 44, 10, 20, hy - 20, 77u + unsigned(f), P(P_ICE2), P(P_WHITE));
        Bolt(c, 70, 20, 50, hy - 8, 91u + unsigned(f), P(P_ICE2), P(P_WHITE));
    }
    Finish(c);
}

void DrawPuff(Canvas& c) {  // exhaust puff, additive
    c.Fill(kBlack);
    c.GlowEllipse(16, 16, 15, 12, {P(P_FIRE4), P(P_FIRE3), P(P_AMBER1), P(P_FIRE1), P(P_DUSK2)});
}

void DrawSpit(Canvas& c, int f) {  // the spat charge turning, additive
    c.Fill(kBlack);
    c.Glow(16, 16, 13, {P(P_VIOLET3), P(P_VIOLET2), P(P_VIOLET1), P(P_VIOLET0)});
    c.Glow(16, 16, 6, {P(P_WHITE), P(P_ICE3), P(P_VIOLET3)});
    for (int k = 0; k < 3; k++) {
        double a = (k * 120 + f * 30) * kPi / 180;
        Point tip = Polar(16, 16, a, 13);
        c.Line(16, 16, tip.x, tip.y, P(P_ICE3));
    }
}

void DrawBall(Canvas& c) {  // the swelling ball, additive
    c.Fill(kBlack);
    c.Glow(24, 24, 23, {P(P_WHITE), P(P_ICE3), P(P_VIOLET3), P(P_VIOLET2), P(P_VIOLET1), P(P_VIOLET0)});
    for (int k = 0; k < 6; k++) {
        double a = (k * 60 + 15) * kPi / 180;
        Point tip = Polar(24, 24, a, 22);
        Bolt(c, 24, 24, tip.x, tip.y, 300u + unsigned(k), P(P_ICE2), P(P_WHITE));
    }
}

void DrawBeam(Canvas& c) {  // the lightning beam, 320 x 64, additive
    c.Fill(kBlack);
    for (int x = 0; x < c.w; x++)
        for (int y = 0; y < c.h; y++) {
            double d = std::fabs(y - 31.5) / 32.0;
            double flick = 0.08 * std::sin(x * 0.21) + 0.05 * std::sin(x * 0.057 + 1.0);
            double v = 1.0 - d + flick;
            int tone = v > 0.88 ? P_WHITE : v > 0.74 ? P_ICE3 : v > 0.58 ? P_SKY4 : v > 0.42 ? P_VIOLET3 : v > 0.28 ? P_VIOLET1 : v > 0.16 ? P_VIOLET0 : -1;
            if (tone < 0) continue;
            if (v <= 0.22 && Bayer4(x, y) > 7) continue;
            c.Set(x, y, P(tone));
        }
    for (int k = 0; k < 8; k++) Bolt(c, k * 40, 10 + (k * 13) % 44, k * 40 + 44, 8 + (k * 29) % 48, 500u + unsigned(k), P(P_ICE2), P(P_WHITE));
}

// ---- the Tempest Roc ------------------------------------------------------

enum class Pose { Idle, Rings, Lunge, WindUp };

// One spread wing: a gold-armoured leading edge from the shoulder through
// the wrist to the tip, a band of light coverts along it and long flight
// feathers hanging from it, the outer ones swept outward. `side` is -1 for
// the wing on the left of the picture, +1 for the right.
void Wing(Canvas& c, Point s, Point w, Point t, int side, int droop) {
    struct Edge {
        double x, y, u;   // point on the leading edge, u = 0 at the shoulder .. 1 at the tip
    };
    std::vector<Edge> pts;
    const int n = 16;
    for (int i = 0; i <= n; i++) {
        double u = double(i) / n;
        double x, y;
        if (u < 0.45) {
            double v = u / 0.45;
            x = s.x + (w.x - s.x) * v, y = s.y + (w.y - s.y) * v;
        } else {
            double v = (u - 0.45) / 0.55;
            x = w.x + (t.x - w.x) * v, y = w.y + (t.y - w.y) * v;
        }
        pts.push_back({x, y, u});
    }
    // flight feathers, inner first so the outer ones lie over them
    for (int i = 1; i <= n; i++) {
        const Edge& e = pts[size_t(i)];
        double len = 16 + e.u * 22 + (e.u > 0.45 ? 6 : 0) - (i == n ? 10 : 0);
        double dx = side * (0.15 + e.u * 0.9) + droop * 0.02 * side, dy = 1.0;
        double l = std::hypot(dx, dy);
        dx /= l, dy /= l;
        double px = -dy, py = dx;   // across the feather
        int tone = e.u > 0.45 ? (i % 2 ? P_SKY1 : P_SKY0) : (i % 2 ? P_SKY2 : P_SKY1);
        Point a{int(std::lround(e.x + px * 3.5)), int(std::lround(e.y + py * 3.5))};
        Point b{int(std::lround(e.x - px * 3.5)), int(std::lround(e.y - py * 3.5))};
        Point tip{int(std::lround(e.x + dx * len)), int(std::lround(e.y + dy * len))};
        Point m1{int(std::lround(e.x + dx * len * 0.8 + px * 3)), int(std::lround(e.y + dy * len * 0.8 + py * 3))};
        Point m2{int(std::lround(e.x + dx * len * 0.8 - px * 3)), int(std::lround(e.y + dy * len * 0.8 - py * 3))};
        c.FillPolygon({a, m1, tip, m2, b}, P(tone));
        c.Line(int(std::lround(e.x)), int(std::lround(e.y)), tip.x, tip.y, P(e.u > 0.45 ? P_SKY2 : P_SKY3));
        c.FillCircle(tip.x, tip.y, 1, P(P_ICE2));
    }
    // coverts along the leading edge
    for (int i = 0; i < n; i++) {
        const Edge& e0 = pts[size_t(i)];
        const Edge& e1 = pts[size_t(i + 1)];
        int depth = int(12 - e0.u * 8);
        c.FillPolygon({{int(e0.x), int(e0.y)}, {int(e1.x), int(e1.y)}, {int(e1.x), int(e1.y) + depth}, {int(e0.x), int(e0.y) + depth + 2}},
                      P(i % 2 ? P_SKY3 : P_SKY2));
        c.FillCircle(int(e0.x), int(e0.y) + depth, 2, P(P_SKY3));
    }
    // the armoured leading edge
    for (int i = 0; i < n; i++) {
        const Edge& e0 = pts[size_t(i)];
        const Edge& e1 = pts[size_t(i + 1)];
        int r = e0.u < 0.5 ? 2 : 1;
        Thick(c, int(e0.x), int(e0.y), int(e1.x), int(e1.y), r, P(P_GOLD1));
        c.Line(int(e0.x), int(e0.y) - r, int(e1.x), int(e1.y) - r, P(P_GOLD3));
    }
    c.FillCircle(w.x, w.y, 3, P(P_GOLD2));
    c.Set(w.x - 1, w.y - 1, P(P_GOLD3));
}

void DrawRoc(Canvas& c, Pose pose, int f) {
    const int bx = 128, by = 54;   // body centre: the part shots hurt
    bool up = (pose == Pose::Idle && f == 0) || pose == Pose::Rings || pose == Pose::WindUp;
    // tail fan below the body
    for (int i = -3; i <= 3; i++) {
        Point base{bx + i * 2, by + 16};
        Point tip{bx + i * 9, 95};
        c.FillPolygon({{base.x - 3, base.y}, {base.x + 3, base.y}, {tip.x + 4, tip.y - 2}, {tip.x, tip.y}, {tip.x - 4, tip.y - 2}},
                      P(i % 2 ? P_VIOLET1 : P_VIOLET2));
        c.FillRect(tip.x - 2, tip.y - 3, 4, 2, P(P_ICE3));
    }
    // wings
    Point sl{bx - 12, by - 16}, sr{bx + 12, by - 16};
    if (pose == Pose::Lunge) {
        Wing(c, sl, {bx - 40, by - 30}, {bx - 86, by - 50}, -1, 8);
        Wing(c, sr, {bx + 40, by - 34}, {bx + 84, by - 52}, +1, 8);
    } else if (pose == Pose::WindUp) {
        Wing(c, sl, {bx - 30, by - 50}, {bx - 70, by - 54}, -1, 0);
        Wing(c, sr, {bx + 34, by - 50}, {bx + 80, by - 54}, +1, 0);
    } else if (up) {
        Wing(c, sl, {bx - 50, by - 42}, {bx - 124, by - 52}, -1, 0);
        Wing(c, sr, {bx + 44, by - 42}, {bx + 86, by - 52}, +1, 0);
    } else {
        Wing(c, sl, {bx - 52, by - 10}, {bx - 124, by + 6}, -1, 10);
        Wing(c, sr, {bx + 44, by - 10}, {bx + 86, by + 4}, +1, 10);
    }
    // talons
    for (int k = 0; k < 2; k++) {
        int x = bx - 9 + k * 14;
        c.FillRect(x, by + 18, 4, 8, P(P_GOLD1));
        c.FillTriangle({x - 3, by + 26}, {x + 7, by + 26}, {x - 5, by + 31}, P(P_GOLD2));
    }
    // body and its armour
    c.FillEllipse(bx, by, 20, 24, P(P_SKY1));
    c.ShadeShape(Rect{bx - 21, by - 25, bx + 21, by + 25}, P(P_SKY1), P(P_SKY0), P(P_SKY2));
    c.FillEllipse(bx - 3, by + 4, 13, 16, P(P_GOLD1));
    c.ShadeShape(Rect{bx - 17, by - 13, bx + 11, by + 21}, P(P_GOLD1), P(P_GOLD0), P(P_GOLD2));
    for (int y = by - 6; y < by + 18; y += 6) c.HLine(bx - 12, bx + 6, y, P(P_GOLD0));
    c.FillCircle(bx - 3, by + 2, 5, P(f ? P_VIOLET3 : P_VIOLET2));   // the storm gem
    c.FillCircle(bx - 4, by + 1, 2, P(P_WHITE));
    // neck and head, facing left
    Point h{bx - 26, by - 26};
    if (pose == Pose::Lunge) h = {70, 12};
    if (pose == Pose::WindUp) h = {bx - 8, by - 34};
    Thick(c, bx - 6, by - 18, h.x + 6, h.y + 4, 6, P(P_SKY2));
    c.FillCircle(h.x, h.y, 11, P(P_SKY2));
    c.ShadeShape(Rect{h.x - 12, h.y - 12, h.x + 12, h.y + 12}, P(P_SKY2), P(P_SKY1), P(P_SKY3));
    // crest of lightning plumes streaming back
    for (int i = 0; i < 4; i++) {
        int x0 = h.x + 2 + i * 3, y0 = h.y - 8 + i * 2;
        int x1 = x0 + 22 + i * 3, y1 = y0 - 12 + i * 5 + (f ? 3 : 0);
        int mx = (x0 + x1) / 2, my = (y0 + y1) / 2;
        c.FillPolygon({{x0, y0}, {mx - 2, my - 4}, {mx + 3, my - 1}, {x1, y1}, {mx + 1, my + 3}, {mx - 4, my + 1}},
                      P(i % 2 ? P_GOLD3 : P_ICE2));
    }
    // the hooked beak
    bool open = (pose == Pose::Lunge && f == 0) || pose == Pose::Rings;
    c.FillPolygon({{h.x - 8, h.y - 6}, {h.x - 26, h.y - 2}, {h.x - 28, h.y + 4}, {h.x - 23, h.y + 2}, {h.x - 8, h.y + 2}}, P(P_GOLD2));
    c.FillPolygon({{h.x - 8, h.y + 4}, {h.x - 21, h.y + (open ? 13 : 6)}, {h.x - 8, h.y + 8}}, P(P_GOLD1));
    if (open) c.FillPolygon({{h.x - 9, h.y + 3}, {h.x - 20, h.y + 5}, {h.x - 20, h.y + 10}}, P(P_ROSE0));
    c.HLine(h.x - 22, h.x - 9, h.y - 3, P(P_GOLD3));
    int eye = pose == Pose::WindUp ? P_WHITE : (pose == Pose::Rings ? P_ICE3 : P_FIRE3);
    c.FillEllipse(h.x - 3, h.y - 3, 3, 2, P(eye));
    c.Set(h.x - 4, h.y - 3, kInk);
    c.HLine(h.x - 7, h.x, h.y - 7, P(P_SKY0));   // a fierce brow
    if (pose == Pose::Rings) {   // lightning crackling between the raised wingtips and the crest
        Bolt(c, 8, 4, h.x - 10, h.y - 10, 900u + unsigned(f), P(P_ICE2), P(P_WHITE));
        Bolt(c, 212, 4, h.x + 26, h.y - 16, 910u + unsigned(f), P(P_ICE2), P(P_WHITE));
        Bolt(c, 14, 12, 4, 60 + f * 10, 920u + unsigned(f), P(P_ICE2), P(P_WHITE));
    }
    Finish(c);
}

void DrawHail(Canvas& c, int f) {  // hailstone imp; frame 1 squashed on landing
    if (f == 0) {
        c.ShadeBall(8, 8, 6, Ramp("ice"));
        c.FillRect(4, 6, 2, 2, kInk);
        c.FillRect(9, 6, 2, 2, kInk);
        c.Line(4, 5, 6, 6, kInk);
        c.Line(11, 5, 9, 6, kInk);
        c.HLine(6, 9, 11, P(P_SKY0));
    } else {
        c.FillEllipse(8, 11, 7, 4, P(P_ICE2));
        c.ShadeShape(Rect{0, 6, 16, 16}, P(P_ICE2), P(P_ICE0), P(P_ICE3));
        c.FillRect(4, 10, 2, 1, kInk);
        c.FillRect(10, 10, 2, 1, kInk);
    }
    Finish(c);
}

// Paints the i-th cell of bosses.txt.
void DrawCell(Canvas& c, int i) {
    switch (i) {
    case 0: case 1: case 2: DrawRam(c, i, false, 0); break;
    case 3: case 4: case 5: DrawRam(c, i - 3, true, i - 3); break;
    case 6: DrawPuff(c); break;
    case 7: case 8: case 9: case 10: DrawSpit(c, i - 7); break;
    case 11: DrawBall(c); break;
    case 12: DrawBeam(c); break;
    case 13: case 14: DrawRoc(c, Pose::Idle, i - 13); break;
    case 15: case 16: DrawRoc(c, Pose::Rings, i - 15); break;
    case 17: case 18: DrawRoc(c, Pose::Lunge, i - 17); break;
    case 19: DrawRoc(c, Pose::WindUp, 0); break;
    default: DrawHail(c, i - 20); break;
    }
}

}  // namespace

void stage5::RegisterBossCells() { AddCellFile(kSheet, kOwner, "stage5/bosses.txt", DrawCell, 22); }
