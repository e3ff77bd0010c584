// Drawing helpers shared by the front-end screens' pictures.
//
// Shared drawing helpers of the front-end screens' pictures: lettering, a
// scaled pen for the portraits, cel shading and the cast's portraits.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "kit.h"

namespace ag::screens {

// Big lettering from the pixel font, stretched by (sx, sy), each glyph row
// coloured from `ramp` (top first, dithered), on `nothing`.
Canvas Lettering(std::string_view text, int sx, int sy, int gap, const std::vector<Rgb>& ramp, Rgb nothing);
// Adds a 1-pixel outline and a drop shadow (dx, dy) around what is drawn.
Canvas Framed(const Canvas& in, Rgb ink, Rgb shadow, int dx, int dy, Rgb nothing);

// Recolours pixels of `base` in `area` with light from the upper left: the
// lower-right rim darkens over a few pixels, the upper-left rim lightens.
void CelShade(Canvas& c, const Rect& area, Rgb base, Rgb dark, Rgb light);

// Drawing in a design space scaled by s and moved by (ox, oy).
struct Pen {
    Canvas& c;
    double s = 1.0;
    int ox = 0, oy = 0;
    int X(double x) const;
    int Y(double y) const;
    int L(double v) const;
    void Ellipse(double cx, double cy, double rx, double ry, int pal);
    void Rect(double x, double y, double w, double h, int pal);
    void Poly(const std::vector<std::pair<double, double>>& pts, int pal);
    void Line(double x0, double y0, double x1, double y1, int pal, double thick = 1);
    void Star(double cx, double cy, double r, int pal);
};

// The cast in selection order: maho, angel, devil, syamoji, digiko, aji,
// taiyaki, aniki, legend.
constexpr int kCastCount = 9;
extern const char* const kCastStem[kCastCount];
extern const char* const kCastName[kCastCount];
// Portrait of cast member i drawn in a w x h canvas on the key, bottom-aligned.
Canvas Portrait(int i, int w, int h);
// Where the face sits in a portrait's 150 x 210 design space.
extern const Rect kFaceBox[kCastCount];
// Theme ramps (dark to light) for banners.
std::vector<Rgb> CastRamp(int i);

Canvas Downscale(const Canvas& in, int factor, Rgb nothing);

}  // namespace ag::screens
