// Lettering, shading and the cast's portraits for the front-end screens.
#include "art.h"

#include <algorithm>
#include <cmath>

namespace ag::screens {

Canvas Lettering(std::string_view text, int sx, int sy, int gap, const std::vector<Rgb>& ramp, Rgb nothing) {
    int n = int(text.size());
    int w = n * 5 * sx + std::max(0, n - 1) * gap, h = 7 * sy;
    Canvas out(std::max(1, w), h, nothing);
    for (int i = 0; i < n; ++i) {
        Canvas g(5, 7, kKey);
        TextStyle st;
        st.fx = TextFx::None;
        DrawText(g, 0, 0, text.substr(i, 1), st);
        int x0 = i * (5 * sx + gap);
        for (int gy = 0; gy < 7; ++gy)
            for (int gx = 0; gx < 5; ++gx) {
                if (g.Get(gx, gy) == kKey) continue;
                for (int j = 0; j < sy; ++j)
                    for (int k = 0; k < sx; ++k) {
                        int x = x0 + gx * sx + k, y = gy * sy + j;
                        double v = double(y) * double(ramp.size() - 1) / std::max(1, h - 1);
                        int lo = int(v);
                        int level = int((v - lo) * 16);
                        Rgb col = ramp[std::min<size_t>(lo + (Bayer4(x, y) < level ? 1 : 0), ramp.size() - 1)];
                        out.Set(x, y, col);
                    }
            }
    }
    return out;
}

Canvas Framed(const Canvas& in, Rgb ink, Rgb shadow, int dx, int dy, Rgb nothing) {
    Canvas out(in.w + 2 + dx, in.h + 2 + dy, nothing);
    // Shadow first, then the outline ring, then the letters.
    for (int y = 0; y < in.h; ++y)
        for (int x = 0; x < in.w; ++x)
            if (in.Get(x, y) != nothing)
                for (int j = -1; j <= 1; ++j)
                    for (int i = -1; i <= 1; ++i) out.Set(x + 1 + i + dx, y + 1 + j + dy, shadow);
    for (int y = 0; y < in.h; ++y)
        for (int x = 0; x < in.w; ++x)
            if (in.Get(x, y) != nothing)
                for (int j = -1; j <= 1; ++j)
                    for (int i = -1; i <= 1; ++i) out.Set(x + 1 + i, y + 1 + j, ink);
    for (int y = 0; y < in.h; ++y)
        for (int x = 0; x < in.w; ++x)
            if (in.Get(x, y) != nothing) out.Set(x + 1, y + 1, in.Get(x, y));
    return out;
}

void CelShade(Canvas& c, const Rect& area, Rgb base, Rgb dark, Rgb light) {
    Canvas copy = c;
    auto same = [&](int x, int y) { return area.Contains(x, y) && copy.Get(x, y) == base; };
    for (int y = area.t; y < area.b; ++y)
        for (int x = area.l; x < area.r; ++x) {
            if (copy.Get(x, y) != base) continue;
            int dr = 0, ul = 0;
            while (dr < 7 && same(x + dr + 1, y + dr + 1)) ++dr;
            while (ul < 4 && same(x - ul - 1, y - ul - 1)) ++ul;
            if (dr <= 1 || (dr <= 4 && Bayer4(x, y) < 8 - dr))
                c.Set(x, y, dark);
            else if (ul <= 1 || (ul <= 2 && Bayer4(x, y) < 6))
                c.Set(x, y, light);
        }
}

int Pen::X(double x) const { return ox + int(std::lround(x * s)); }
int Pen::Y(double y) const { return oy + int(std::lround(y * s)); }
int Pen::L(double v) const { return std::max(1, int(std::lround(v * s))); }
void Pen::Ellipse(double cx, double cy, double rx, double ry, int pal) {
    c.FillEllipse(X(cx), Y(cy), L(rx), L(ry), C(pal));
}
void Pen::Rect(double x, double y, double w, double h, int pal) { c.FillRect(X(x), Y(y), L(w), L(h), C(pal)); }
void Pen::Poly(const std::vector<std::pair<double, double>>& pts, int pal) {
    std::vector<Point> p;
    for (auto& q : pts) p.push_back({X(q.first), Y(q.second)});
    c.FillPolygon(p, C(pal));
}
void Pen::Line(double x0, double y0, double x1, double y1, int pal, double thick) {
    int t = L(thick);
    for (int j = 0; j < t; ++j)
        for (int i = 0; i < t; ++i) c.Line(X(x0) + i, Y(y0) + j, X(x1) + i, Y(y1) + j, C(pal));
}
void Pen::Star(double cx, double cy, double r, int pal) {
    std::vector<std::pair<double, double>> pts;
    for (int k = 0; k < 10; ++k) {
        double a = -M_PI / 2 + k * M_PI / 5;
        double rr = (k % 2 == 0) ? r : r * 0.45;
        pts.push_back({cx + rr * std::cos(a), cy + rr * std::sin(a)});
    }
    Poly(pts, pal);
}

const char* const kCastStem[kCastCount] = {"maho", "angel", "devil", "syamoji", "digiko",
                                           "aji",  "taiyaki", "aniki", "legend"};
const char* const kCastName[kCastCount] = {"MAHO", "ANGEL", "DEVIL", "SYAMOJI", "DIGIKO",
                                           "AJI",  "TAIYAKI", "ANIKI", "LEGEND"};
const Rect kFaceBox[kCastCount] = {
    {30, 48, 120, 138}, {30, 42, 120, 132}, {30, 50, 120, 140}, {30, 45, 120, 135}, {30, 40, 120, 130},
    {0, 70, 90, 160},   {0, 80, 90, 170},   {30, 50, 120, 140}, {30, 35, 120, 125},
};

std::vector<Rgb> CastRamp(int i) {
    static const char* const ramps[kCastCount] = {"violet", "sky", "rose", "earth", "teal",
                                                  "ice",    "amber", "fire", "gold"};
    std::vector<Rgb> out;
    for (int p : Ramp(ramps[i])) out.push_back(C(p));
    return out;
}

Canvas Downscale(const Canvas& in, int factor, Rgb nothing) {
    Canvas out(in.w / factor, in.h / factor, nothing);
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x) {
            // Prefer a drawn pixel of the block so thin outlines survive.
            Rgb pick = nothing;
            for (int j = 0; j < factor && pick == nothing; ++j)
                for (int i = 0; i < factor && pick == nothing; ++i) pick = in.Get(x * factor + i, y * factor + j);
            out.Set(x, y, pick);
        }
    return out;
}

namespace {

// Two eyes with highlights, a mouth and blush: the faces share one style.
void Eyes(Pen& p, double cx, double cy, double spread, int iris) {
    for (int side = -1; side <= 1; side += 2) {
        double x = cx + side * spread;
        p.Ellipse(x, cy, 4.5, 6.5, P_INK);
        p.Ellipse(x, cy + 1.5, 3, 4, iris);
        p.Ellipse(x - 1.2, cy - 2.5, 1.4, 1.6, P_WHITE);
    }
}
void Blush(Pen& p, double cx, double cy, double spread) {
    p.Ellipse(cx - spread, cy, 4, 2, P_ROSE3);
    p.Ellipse(cx + spread, cy, 4, 2, P_ROSE3);
}
void Smile(Pen& p, double cx, double cy, double w) {
    for (int i = -int(w); i <= int(w); ++i) {
        double y = cy + 2.0 * (1.0 - double(i * i) / (w * w));
        p.Rect(cx + i, y, 1, 1, P_INK);
    }
}

void Shade(Canvas& c, int base, int dark, int light) {
    CelShade(c, Rect{0, 0, c.w, c.h}, C(base), C(dark), C(light));
}

void Maho(Pen& p) {
    p.Line(0, 196, 148, 150, P_EARTH1, 5);                                       // broom stick
    p.Poly({{0, 178}, {34, 184}, {36, 200}, {0, 210}}, P_GOLD2);                 // bristles
    p.Poly({{38, 210}, {52, 128}, {98, 128}, {118, 210}}, P_VIOLET1);            // robe
    p.Poly({{60, 128}, {75, 150}, {90, 128}}, P_WHITE);                          // collar
    p.Ellipse(62, 172, 7, 6, P_SKIN2);                                           // hands on the broom
    p.Ellipse(98, 160, 7, 6, P_SKIN2);
    p.Ellipse(75, 102, 38, 36, P_FIRE2);                                         // hair behind
    p.Poly({{40, 100}, {30, 140}, {52, 128}}, P_FIRE2);
    p.Poly({{110, 100}, {120, 140}, {98, 128}}, P_FIRE2);
    p.Ellipse(75, 100, 29, 29, P_SKIN2);                                         // face
    p.Poly({{46, 90}, {60, 72}, {104, 72}, {104, 92}, {90, 82}, {76, 90}, {64, 80}}, P_FIRE2);  // bangs
    Eyes(p, 75, 104, 12, P_VIOLET2);
    Blush(p, 75, 114, 17);
    Smile(p, 75, 117, 5);
    p.Ellipse(75, 72, 58, 10, P_VIOLET0);                                        // hat brim
    p.Poly({{46, 70}, {104, 70}, {96, 34}, {128, 10}, {84, 24}, {62, 40}}, P_VIOLET1);  // hat
    p.Poly({{50, 60}, {101, 60}, {103, 70}, {47, 70}}, P_GOLD2);                 // band
    p.Star(80, 46, 8, P_GOLD3);
    Shade(p.c, P_VIOLET1, P_VIOLET0, P_VIOLET2);
    Shade(p.c, P_FIRE2, P_FIRE1, P_FIRE3);
    Shade(p.c, P_SKIN2, P_SKIN1, P_SKIN3);
    Shade(p.c, P_GOLD2, P_GOLD1, P_GOLD3);
}

void Angel(Pen& p) {
    p.Ellipse(26, 140, 26, 46, P_ICE3);                                          // wings
    p.Ellipse(124, 140, 26, 46, P_ICE3);
    p.Poly({{10, 120}, {0, 170}, {30, 160}}, P_ICE2);
    p.Poly({{140, 120}, {150, 170}, {120, 160}}, P_ICE2);
    p.Poly({{42, 210}, {56, 130}, {94, 130}, {108, 210}}, P_SKY3);              // dress
    p.Poly({{60, 130}, {75, 146}, {90, 130}}, P_WHITE);
    p.Ellipse(75, 98, 38, 38, P_GOLD2);                                          // hair
    p.Poly({{40, 100}, {34, 150}, {56, 130}}, P_GOLD2);
    p.Poly({{110, 100}, {116, 150}, {94, 130}}, P_GOLD2);
    p.Ellipse(75, 98, 28, 28, P_SKIN3);
    p.Poly({{46, 88}, {62, 66}, {90, 66}, {104, 88}, {88, 80}, {75, 88}, {62, 80}}, P_GOLD2);
    Eyes(p, 75, 102, 12, P_SKY2);
    Blush(p, 75, 112, 17);
    Smile(p, 75, 115, 4);
    p.Ellipse(75, 48, 28, 8, P_GOLD3);                                           // halo
    p.Ellipse(75, 48, 20, 3, P_KEY);
    Shade(p.c, P_ICE3, P_ICE1, P_WHITE);
    Shade(p.c, P_SKY3, P_SKY2, P_SKY4);
    Shade(p.c, P_GOLD2, P_GOLD1, P_GOLD3);
    Shade(p.c, P_SKIN3, P_SKIN2, P_WHITE);
}

void Devil(Pen& p) {
    p.Poly({{60, 130}, {0, 90}, {10, 120}, {0, 140}, {18, 150}, {10, 175}, {50, 160}}, P_DUSK2);   // bat wings
    p.Poly({{90, 130}, {150, 90}, {140, 120}, {150, 140}, {132, 150}, {140, 175}, {100, 160}}, P_DUSK2);
    p.Line(100, 200, 136, 176, P_ROSE1, 3);                                      // tail
    p.Poly({{132, 170}, {146, 166}, {140, 182}}, P_ROSE1);
    p.Poly({{44, 210}, {56, 134}, {94, 134}, {106, 210}}, P_ROSE1);             // body
    p.Ellipse(75, 100, 36, 34, P_DUSK0);                                         // hair
    p.Ellipse(75, 102, 28, 28, P_SKIN3);
    p.Poly({{46, 92}, {52, 70}, {64, 82}, {75, 66}, {86, 82}, {98, 70}, {104, 92}}, P_DUSK0);
    p.Poly({{50, 74}, {38, 44}, {60, 68}}, P_FIRE3);                             // horns
    p.Poly({{100, 74}, {112, 44}, {90, 68}}, P_FIRE3);
    Eyes(p, 75, 104, 12, P_FIRE2);
    Blush(p, 75, 114, 17);
    p.Poly({{66, 116}, {84, 116}, {75, 124}}, P_INK);                            // grin
    p.Poly({{70, 116}, {73, 116}, {71, 120}}, P_WHITE);
    Shade(p.c, P_DUSK2, P_DUSK1, P_DUSK3);
    Shade(p.c, P_ROSE1, P_ROSE0, P_ROSE2);
    Shade(p.c, P_SKIN3, P_SKIN2, P_WHITE);
}

void Syamoji(Pen& p) {
    p.Poly({{20, 110}, {0, 96}, {4, 124}}, P_ICE3);                              // little wings
    p.Poly({{130, 110}, {150, 96}, {146, 124}}, P_ICE3);
    p.Rect(64, 150, 22, 60, P_EARTH2);                                           // handle
    p.Ellipse(75, 96, 50, 62, P_EARTH3);                                         // the paddle
    Rng r(HashText("syamoji rice"));
    for (int k = 0; k < 9; ++k) {                                                // rice grains
        double x = 45 + r.Range(60), y = 50 + r.Range(26);
        p.Ellipse(x, y, 3, 2, P_WHITE);
    }
    Eyes(p, 75, 104, 14, P_EARTH0);
    Blush(p, 75, 116, 20);
    Smile(p, 75, 118, 6);
    Shade(p.c, P_EARTH3, P_EARTH2, P_GOLD3);
    Shade(p.c, P_EARTH2, P_EARTH1, P_EARTH3);
}

void Digiko(Pen& p) {
    p.Rect(52, 184, 16, 26, P_METAL2);                                           // legs
    p.Rect(82, 184, 16, 26, P_METAL2);
    p.Ellipse(32, 150, 10, 24, P_METAL2);                                        // arms
    p.Ellipse(118, 150, 10, 24, P_METAL2);
    p.Rect(44, 126, 62, 62, P_METAL3);                                           // body
    p.Rect(58, 140, 34, 20, P_GOLD2);                                            // chest panel
    p.Ellipse(66, 150, 4, 4, P_FIRE3);
    p.Ellipse(84, 150, 4, 4, P_TEAL3);
    p.Line(75, 46, 75, 26, P_METAL1, 2);                                         // antenna
    p.Ellipse(75, 24, 6, 6, P_FIRE3);
    p.Rect(28, 46, 94, 76, P_METAL3);                                            // head
    p.Ellipse(26, 84, 6, 12, P_METAL1);                                          // ear bolts
    p.Ellipse(124, 84, 6, 12, P_METAL1);
    p.Rect(38, 58, 74, 52, P_TEAL0);                                             // face screen
    p.Rect(52, 70, 10, 14, P_TEAL3);
    p.Rect(88, 70, 10, 14, P_TEAL3);
    p.Rect(64, 94, 22, 4, P_TEAL2);
    Shade(p.c, P_METAL3, P_METAL2, P_METAL4);
    Shade(p.c, P_METAL2, P_METAL1, P_METAL3);
    Shade(p.c, P_GOLD2, P_GOLD1, P_GOLD3);
}

void Aji(Pen& p) {
    p.Poly({{118, 110}, {150, 76}, {142, 110}, {150, 146}}, P_METAL2);         // tail
    p.Poly({{50, 78}, {70, 50}, {96, 80}}, P_METAL2);                           // dorsal fin
    p.Ellipse(70, 112, 62, 36, P_METAL3);                                        // body
    p.Ellipse(70, 124, 54, 20, P_METAL4);                                        // belly
    p.Line(14, 100, 124, 104, P_SKY1, 2);                                        // stripe
    p.Poly({{60, 130}, {84, 128}, {70, 150}}, P_METAL2);                        // side fin
    p.Ellipse(30, 104, 9, 9, P_WHITE);                                           // eye
    p.Ellipse(28, 105, 5, 6, P_INK);
    p.Ellipse(26, 102, 2, 2, P_WHITE);
    p.Poly({{8, 118}, {20, 116}, {14, 122}}, P_ROSE1);                          // mouth
    Blush(p, 40, 118, 0);
    Shade(p.c, P_METAL3, P_METAL2, P_METAL4);
    Shade(p.c, P_METAL2, P_METAL1, P_METAL3);
    Shade(p.c, P_METAL4, P_METAL3, P_WHITE);
}

void Taiyaki(Pen& p) {
    p.Poly({{112, 124}, {150, 92}, {140, 124}, {150, 160}}, P_AMBER1);         // tail
    p.Ellipse(68, 126, 60, 42, P_AMBER1);                                        // body
    p.Poly({{44, 86}, {70, 70}, {96, 88}}, P_AMBER1);                           // fin
    for (int row = 0; row < 3; ++row)                                            // baked scales
        for (int k = 0; k < 4; ++k) {
            double x = 60 + k * 14 + (row % 2) * 7, y = 108 + row * 14;
            p.Ellipse(x, y, 5, 4, P_AMBER0);
            p.Ellipse(x - 1, y - 1, 4, 3, P_AMBER1);
        }
    p.Ellipse(28, 116, 8, 8, P_WHITE);                                           // eye
    p.Ellipse(27, 117, 5, 6, P_INK);
    p.Ellipse(25, 114, 2, 2, P_WHITE);
    Smile(p, 22, 136, 5);
    Blush(p, 40, 130, 0);
    p.Line(54, 60, 50, 44, P_WHITE, 2);                                          // steam
    p.Line(72, 56, 76, 38, P_WHITE, 2);
    Shade(p.c, P_AMBER1, P_AMBER0, P_AMBER2);
}

void Aniki(Pen& p) {
    p.Poly({{0, 210}, {10, 150}, {40, 136}, {110, 136}, {140, 150}, {150, 210}}, P_SKIN1);  // shoulders
    p.Ellipse(130, 120, 16, 30, P_SKIN1);                                        // raised arm
    p.Ellipse(132, 100, 18, 14, P_SKIN1);                                        // bicep
    p.Ellipse(128, 76, 12, 12, P_SKIN1);                                         // fist
    p.Poly({{30, 210}, {40, 150}, {56, 140}, {94, 140}, {110, 150}, {120, 210}}, P_SKY2);  // tank top
    p.Poly({{58, 140}, {75, 160}, {92, 140}}, P_SKIN1);
    p.Rect(64, 122, 22, 20, P_SKIN1);                                            // neck
    p.Ellipse(75, 98, 28, 30, P_SKIN1);                                          // head
    p.Poly({{47, 90}, {50, 70}, {75, 64}, {100, 70}, {103, 90}, {96, 78}, {54, 78}}, P_EARTH0);  // crew cut
    p.Rect(58, 90, 12, 3, P_EARTH0);                                             // brows
    p.Rect(80, 90, 12, 3, P_EARTH0);
    Eyes(p, 75, 100, 11, P_EARTH1);
    p.Rect(64, 114, 22, 6, P_WHITE);                                             // grin
    p.Rect(64, 114, 22, 1, P_INK);
    Shade(p.c, P_SKIN1, P_SKIN0, P_SKIN2);
    Shade(p.c, P_SKY2, P_SKY1, P_SKY3);
}

void Legend(Pen& p) {
    p.Line(132, 30, 132, 200, P_METAL4, 4);                                      // sword
    p.Rect(120, 150, 28, 6, P_GOLD1);
    p.Poly({{30, 210}, {40, 136}, {110, 136}, {120, 210}}, P_GOLD2);            // armour
    p.Ellipse(40, 142, 18, 12, P_GOLD2);                                         // pauldrons
    p.Ellipse(110, 142, 18, 12, P_GOLD2);
    p.Poly({{6, 150}, {46, 150}, {46, 190}, {26, 208}, {6, 190}}, P_SKY1);      // shield
    p.Star(26, 174, 10, P_GOLD3);
    p.Poly({{70, 50}, {90, 20}, {118, 24}, {96, 40}, {84, 58}}, P_FIRE2);       // plume
    p.Ellipse(75, 92, 32, 36, P_GOLD2);                                          // helmet
    p.Rect(50, 92, 50, 8, P_INK);                                                // visor slit
    p.Ellipse(64, 96, 3, 2, P_ICE3);
    p.Ellipse(86, 96, 3, 2, P_ICE3);
    p.Line(75, 60, 75, 88, P_GOLD3, 2);                                          // crest ridge
    Shade(p.c, P_GOLD2, P_GOLD1, P_GOLD3);
    Shade(p.c, P_SKY1, P_SKY0, P_SKY2);
    Shade(p.c, P_FIRE2, P_FIRE1, P_FIRE3);
}

}  // namespace

Canvas Portrait(int i, int w, int h) {
    Canvas c(w, h, kKey);
    double s = std::min(w / 150.0, h / 210.0);
    Pen p{c, s, int(std::lround((w - 150 * s) / 2)), int(std::lround(h - 210 * s))};
    switch (i) {
        case 0: Maho(p); break;
        case 1: Angel(p); break;
        case 2: Devil(p); break;
        case 3: Syamoji(p); break;
        case 4: Digiko(p); break;
        case 5: Aji(p); break;
        case 6: Taiyaki(p); break;
        case 7: Aniki(p); break;
        default: Legend(p); break;
    }
    c.Outline(Rect{0, 0, w, h}, C(P_INK), kKey, true);
    return c;
}

}  // namespace ag::screens
