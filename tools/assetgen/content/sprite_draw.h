// Drawing helpers shared by the stages' enemy and boss sprites: palette shorthand, shaded balls, triangles, the outline.
#pragma once

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

}  // namespace stagedraw
