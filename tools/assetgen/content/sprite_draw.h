// Drawing helpers shared by the stage sprites: palette shorthand, shapes, points on a circle, chains, eyes, outline.
#pragma once

#include <algorithm>
#include <cmath>

#include "kit.h"

namespace stagedraw {

using ag::Canvas;
using ag::Point;
using ag::Rgb;

constexpr double kPi = 3.14159265358979323846;
const Rgb kInk = ag::C(ag::P_INK);

inline Rgb P(int i) { return ag::C(i); }
inline void Ball(Canvas& c, int cx, int cy, int r, const char* ramp) { c.ShadeBall(cx, cy, r, ag::Ramp(ramp)); }
inline void Tri(Canvas& c, Point a, Point b, Point d, Rgb col) { c.FillTriangle(a, b, d, col); }
// Sprites get a 1-pixel dark outline; shading comes from the light at the upper left.
inline void Finish(Canvas& c) { c.Outline(ag::Rect{0, 0, c.w, c.h}, kInk); }

// The pixel at angle a (radians, clockwise on screen from the right) on an
// ellipse of radii rx, ry around (cx, cy), rounded to the nearest pixel.
inline Point Polar(int cx, int cy, double a, double rx, double ry) {
    return {cx + int(std::lround(std::cos(a) * rx)), cy + int(std::lround(std::sin(a) * ry))};
}
inline Point Polar(int cx, int cy, double a, double r) { return Polar(cx, cy, a, r, r); }

// A vertical chain down a cell of height h: links w wide, 8 pixels apart, centred on cx.
inline void Chain(Canvas& c, int cx, int w, int h, int pal) {
    for (int y = 0; y < h; y += 8) {
        c.Frame(cx - w / 2, y + 1, w, 7, P(pal));
        c.VLine(cx, y, y + 1, P(pal));
    }
}

// A 2 x 2 eye: white, the pupil at its lower left.
inline void PinEye(Canvas& c, int x, int y) {
    c.FillRect(x, y, 2, 2, P(ag::P_WHITE));
    c.Set(x, y + 1, kInk);
}
// A 3 x 3 eye: white, a two-pixel pupil pupilDx from its middle column.
inline void Eye(Canvas& c, int x, int y, int pupilDx = -1, int iris = ag::P_INK) {
    c.FillRect(x, y, 3, 3, P(ag::P_WHITE));
    c.Set(x + 1 + pupilDx, y + 1, P(iris));
    c.Set(x + 1 + pupilDx, y + 2, P(iris));
}

// A wisp of 16 x 16: a tail wavering along columns x0 .. x1 - 1 (tapering to
// the right, its wave moving with the frame) behind a shaded head at (7, 8).
inline void Wisp(Canvas& c, int f, int x0, int x1, int tail, const char* ramp) {
    for (int x = x0; x < x1; x++) {
        int y = 8 + int(std::lround(std::sin((x + f * 3) * 0.9) * 1.5));
        c.FillRect(x, y - 2 + (x - x0) / 3, 1, std::max(1, 5 - (x - x0) / 2), P(tail));
    }
    Ball(c, 7, 8, 5, ramp);
}

}  // namespace stagedraw
