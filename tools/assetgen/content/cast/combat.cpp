// Technique art on "sp_maho.bmp", and the items, their labels and the technique flash on "fix.bmp".
//
// The technique sheet "sp_maho.bmp" (light pillars, charge circles, the
// orb, the beam shot, meteor glows and bodies) and, on "fix.bmp", the items,
// their pick-up labels and the flash that opens a technique.
//
// Everything the additive copy reads lies on black; the meteor bodies are
// keyed copies and lie on green.
#include <algorithm>
#include <cmath>

#include "kit.h"

using namespace ag;

namespace {

const char* kMaho = "sp_maho.bmp";
const char* kFix = "fix.bmp";
constexpr double kPi = 3.14159265358979;

// Light ramps for additive pictures, black first, white last.
std::vector<Rgb> VioletLight() {
    return {kBlack, C(P_VIOLET0), C(P_VIOLET1), C(P_VIOLET2), C(P_VIOLET3), C(P_WHITE)};
}
// The technique's own shots are warm gold, as every player shot is.
std::vector<Rgb> GoldLight() { return {kBlack, C(P_GOLD0), C(P_GOLD1), C(P_GOLD2), C(P_GOLD3), C(P_WHITE)}; }
std::vector<Rgb> IceLight() { return {kBlack, C(P_SKY0), C(P_ICE0), C(P_ICE1), C(P_ICE2), C(P_ICE3), C(P_WHITE)}; }
std::vector<Rgb> FireLight() {
    return {kBlack, C(P_FIRE0), C(P_FIRE1), C(P_FIRE2), C(P_FIRE3), C(P_FIRE4), C(P_WHITE)};
}

// A ramp colour at brightness v in 0..1, ordered-dithered between tones.
Rgb Light(const std::vector<Rgb>& ramp, double v, int x, int y) {
    int n = int(ramp.size());
    double p = std::clamp(v, 0.0, 1.0) * (n - 1);
    int i = int(std::floor(p));
    if (i >= n - 1) return ramp[n - 1];
    int level = int((p - i) * 16.0);
    return Bayer4(x, y) < level ? ramp[i + 1] : ramp[i];
}

// Adds light: keeps the brighter of what is there and the new colour.
void AddLight(Canvas& c, int x, int y, Rgb col) {
    if (col == kBlack) return;
    Rgb old = c.Get(x, y);
    if (old == kKey || col.r + col.g + col.b > old.r + old.g + old.b) c.Set(x, y, col);
}

// A four-pointed twinkle of light.
void Twinkle(Canvas& c, int x, int y, int arm, Rgb core, Rgb rim) {
    for (int d = 1; d <= arm; ++d) {
        Rgb col = d <= arm / 2 ? core : rim;
        AddLight(c, x + d, y, col);
        AddLight(c, x - d, y, col);
        AddLight(c, x, y + d, col);
        AddLight(c, x, y - d, col);
    }
    AddLight(c, x, y, C(P_WHITE));
}

// ---- sp_maho.bmp --------------------------------------------------------

const int kStripLeft[6] = {0, 160, 320, 400, 480, 640};
const int kStripWidth[6] = {160, 160, 80, 80, 160, 160};

void DeclareMaho() {
    DeclareSheet({kMaho, 896, 320, Depth::Rgb24, kBlack, "technique pictures: pillars, charge, orbs, beam, meteors"});
    for (int k = 0; k < 6; ++k)
        DeclareCell(kMaho, CellName("pillar", k), RectWH(kStripLeft[k], 0, kStripWidth[k], 240),
                    "beam technique opening: light pillar rising from the craft (bottom at craft + 16)",
                    Copy::Additive, "waza");
    for (int n = 0; n < 3; ++n)
        DeclareCell(kMaho, CellName("charge", n), RectWH(800, 48 * n, 48, 48),
                    "beam technique charge around the craft", Copy::Additive, "waza");
    DeclareCell(kMaho, "orb", RectWH(800, 144, 24, 24), "beam technique orb", Copy::Additive, "waza");
    DeclareCell(kMaho, "beam shot", RectWH(800, 168, 96, 24), "beam technique shot, flying right", Copy::Additive,
                "waza");
    DeclareCell(kMaho, "meteor glow 0", {0, 240, 80, 320}, "large meteor: glow and tail", Copy::Additive, "waza");
    DeclareCell(kMaho, "meteor glow 1", {80, 240, 144, 304}, "medium meteor: glow and tail", Copy::Additive, "waza");
    DeclareCell(kMaho, "meteor glow 2", {144, 240, 176, 268}, "small meteor: glow and tail", Copy::Additive, "waza");
    DeclareCell(kMaho, "meteor body 2", {176, 240, 200, 264}, "small meteor rock (glow + 3)", Copy::Keyed, "waza");
    DeclareCell(kMaho, "meteor body 1", {200, 240, 248, 288}, "medium meteor rock (glow + 5)", Copy::Keyed, "waza");
    DeclareCell(kMaho, "meteor body 0", {248, 240, 312, 304}, "large meteor rock (glow + 8)", Copy::Keyed, "waza");
}

// A pillar of light: a white core line in a soft column that is brightest
// near the craft (the bottom) and thins out upward in rippling bands, with
// twinkles climbing it.
void PaintPillar(Canvas& c, int k) {
    Rect r = CellRect(kMaho, CellName("pillar", k));
    ClipScope cs(c, r);
    const bool wide = r.W() == 160;
    const auto ramp = (k % 2 == 0) ? VioletLight() : IceLight();
    const double cx = r.l + r.W() / 2.0 - 0.5;
    const double half = wide ? 30.0 : 15.0;
    for (int y = r.t; y < r.b; ++y) {
        double up = double(r.b - 1 - y) / (r.H() - 1);        // 0 bottom .. 1 top
        double fall = 1.0 - 0.75 * up;                         // fades upward
        double band = 0.85 + 0.15 * std::sin(up * 40.0 + k);   // rising ripples
        double width = half * (1.0 - 0.35 * up) * (0.92 + 0.08 * std::sin(up * 23.0 + 2 * k));
        for (int x = r.l; x < r.r; ++x) {
            double d = std::fabs(x - cx) / width;
            if (d >= 1.0) continue;
            double v = (1.0 - d) * (1.0 - d) * fall * band * 1.1;
            if (d < 0.12) v = std::max(v, 0.95 * fall + 0.05);  // the core line
            AddLight(c, x, y, Light(ramp, v, x, y));
        }
    }
    // a flare where the pillar leaves the craft
    c.GlowEllipse(int(cx), r.b - 10, half * 1.6, 12, {C(P_WHITE), ramp[ramp.size() - 2], ramp[2], ramp[1]});
    // twinkles on and around the column
    Rng rng(900 + k);
    int count = wide ? 18 : 9;
    for (int i = 0; i < count; ++i) {
        int ty = r.t + 8 + rng.Range(r.H() - 30);
        int tx = int(cx + rng.Signed() * half * 1.5);
        Twinkle(c, tx, ty, 2 + rng.Range(3), ramp[ramp.size() - 2], ramp[2]);
    }
}

// The charge: a circle of light drawing itself around the craft, then a
// star inside it, then the whole figure blazing.
void PaintCharge(Canvas& c, int n) {
    Rect r = CellRect(kMaho, CellName("charge", n));
    ClipScope cs(c, r);
    const int cx = r.l + 24, cy = r.t + 24;
    const auto ramp = VioletLight();
    // ring: arc length grows with n
    double sweep = n == 0 ? 0.55 : 1.0;
    int radius = 18 + (n == 2 ? 2 : 0);
    for (int a = 0; a < 720; ++a) {
        double t = a / 720.0;
        if (t > sweep) break;
        double ang = t * 2 * kPi - kPi / 2;
        int x = cx + int(std::lround(std::cos(ang) * radius)), y = cy + int(std::lround(std::sin(ang) * radius));
        AddLight(c, x, y, n == 2 ? C(P_WHITE) : C(P_VIOLET3));
        int x2 = cx + int(std::lround(std::cos(ang) * (radius + 1))),
            y2 = cy + int(std::lround(std::sin(ang) * (radius + 1)));
        AddLight(c, x2, y2, C(P_VIOLET1));
        int x3 = cx + int(std::lround(std::cos(ang) * (radius - 1))),
            y3 = cy + int(std::lround(std::sin(ang) * (radius - 1)));
        AddLight(c, x3, y3, C(P_VIOLET2));
    }
    // rune dots on the inner ring
    for (int i = 0; i < 12; ++i) {
        if (n == 0 && i > 6) break;
        double ang = i * kPi / 6 - kPi / 2;
        int x = cx + int(std::lround(std::cos(ang) * (radius - 5))),
            y = cy + int(std::lround(std::sin(ang) * (radius - 5)));
        AddLight(c, x, y, C(P_ICE3));
        AddLight(c, x + 1, y, C(P_ICE1));
    }
    if (n >= 1) {
        // two squares, one turned by 45 degrees: an eight-pointed star
        std::vector<Point> pts;
        for (int i = 0; i < 8; ++i) {
            double ang = i * kPi / 4 - kPi / 2;
            pts.push_back({cx + int(std::lround(std::cos(ang) * (radius - 3))),
                           cy + int(std::lround(std::sin(ang) * (radius - 3)))});
        }
        for (int i = 0; i < 8; ++i) {
            Point a = pts[i], b = pts[(i + 2) % 8];
            c.Line(a.x, a.y, b.x, b.y, n == 2 ? C(P_VIOLET3) : C(P_VIOLET2));
        }
    }
    // the core: small at first, blazing at the end
    double core = n == 0 ? 4 : (n == 1 ? 6 : 10);
    c.Glow(cx, cy, core, {C(P_WHITE), ramp[4], ramp[3], ramp[2]});
    if (n == 2)
        for (int i = 0; i < 4; ++i) {
            double ang = i * kPi / 2 + kPi / 4;
            Twinkle(c, cx + int(std::cos(ang) * 16), cy + int(std::sin(ang) * 16), 3, C(P_ICE3), C(P_ICE1));
        }
}

void PaintOrb(Canvas& c) {
    Rect r = CellRect(kMaho, "orb");
    ClipScope cs(c, r);
    int cx = r.l + 12, cy = r.t + 12;
    c.Glow(cx, cy, 11.5, {C(P_WHITE), C(P_GOLD3), C(P_GOLD2), C(P_GOLD1), C(P_GOLD0)});
    c.FillCircle(cx, cy, 3, C(P_WHITE));
    c.Set(cx - 4, cy - 4, C(P_GOLD3));
    c.Set(cx - 3, cy - 5, C(P_GOLD2));
}

void PaintBeamShot(Canvas& c) {
    Rect r = CellRect(kMaho, "beam shot");
    ClipScope cs(c, r);
    const auto ramp = GoldLight();
    const double cy = r.t + 11.5;
    for (int x = r.l; x < r.r; ++x) {
        double t = double(x - r.l) / (r.W() - 1);             // 0 tail .. 1 head
        double half = 2.0 + 9.0 * std::pow(t, 0.6);            // widens towards the head
        if (t > 0.9) half *= std::sqrt(std::max(0.0, 1.0 - (t - 0.9) / 0.1)) * 0.5 + 0.5;
        double ripple = 0.9 + 0.1 * std::sin(t * 30.0);
        for (int y = r.t; y < r.b; ++y) {
            double d = std::fabs(y - cy) / half;
            if (d >= 1.0) continue;
            double v = (1.0 - d * d) * (0.35 + 0.65 * t) * ripple;
            if (d < 0.25 && t > 0.15) v = std::max(v, 0.9);
            AddLight(c, x, y, Light(ramp, v, x, y));
        }
    }
    c.Glow(r.r - 12, int(cy), 9, {C(P_WHITE), C(P_GOLD3), C(P_GOLD2), C(P_GOLD0)});
    Twinkle(c, r.l + 30, int(cy) - 5, 2, C(P_GOLD3), C(P_GOLD1));
    Twinkle(c, r.l + 55, int(cy) + 6, 2, C(P_GOLD3), C(P_GOLD1));
}

// Meteors fall down and to the right: the glow is a halo round the rock
// with a fiery tail streaming back to the upper left.
void PaintMeteorGlow(Canvas& c, int kind) {
    Rect r = CellRect(kMaho, CellName("meteor glow", kind));
    ClipScope cs(c, r);
    static const int bodyOffset[3] = {8, 5, 3};
    static const int bodySize[3] = {64, 48, 24};
    double bx = r.l + bodyOffset[kind] + bodySize[kind] / 2.0;   // the rock's centre
    double by = r.t + bodyOffset[kind] + bodySize[kind] / 2.0;
    double rock = bodySize[kind] * 0.32;
    const auto ramp = FireLight();
    for (int y = r.t; y < r.b; ++y)
        for (int x = r.l; x < r.r; ++x) {
            double dx = x + 0.5 - bx, dy = y + 0.5 - by;
            double d = std::sqrt(dx * dx + dy * dy);
            // halo: hot at the rock's rim, gone a third of its radius out
            double halo = std::clamp(1.0 - (d - rock) / (rock * 0.45), 0.0, 1.0);
            double v = d < rock ? 0.8 : halo * halo * 0.7;
            // tail: along the up-left diagonal, narrowing with distance
            double along = -(dx + dy) / std::sqrt(2.0);   // > 0 behind the rock
            double across = std::fabs(dx - dy) / std::sqrt(2.0);
            if (along > 0) {
                double len = rock * 3.2;
                double w = rock * 1.05 * (1.0 - 0.7 * along / len);
                if (along < len && across < w) {
                    double tv = (1.0 - across / w) * (1.0 - along / len);
                    v = std::max(v, std::sqrt(tv) * 0.85);
                }
            }
            if (v <= 0.02) continue;
            AddLight(c, x, y, Light(ramp, v, x, y));
        }
    // embers in the tail
    Rng rng(700 + kind);
    for (int i = 0; i < 4 + 3 * (2 - kind); ++i) {
        double t = 0.3 + rng.Unit() * 0.6;
        double along = rock * 3.0 * t;
        int ex = int(bx - along / std::sqrt(2.0) + rng.Signed() * rock * 0.5);
        int ey = int(by - along / std::sqrt(2.0) + rng.Signed() * rock * 0.5);
        AddLight(c, ex, ey, C(P_FIRE4));
        if (kind == 0) AddLight(c, ex + 1, ey, C(P_FIRE3));
    }
}

// A lumpy rock lit from the upper left, its leading edge (lower right)
// glowing hot, with craters and an ink outline.
void PaintMeteorBody(Canvas& c, int kind) {
    Rect r = CellRect(kMaho, CellName("meteor body", kind));
    ClipScope cs(c, r);
    c.FillRect(r, kKey);
    double cx = r.l + r.W() / 2.0, cy = r.t + r.H() / 2.0;
    double rad = r.W() * 0.32;
    Rng rng(800 + kind);
    double bump[8];
    for (double& b : bump) b = 0.85 + 0.25 * rng.Unit();
    auto radiusAt = [&](double ang) {
        double p = (ang + kPi) / (2 * kPi) * 8.0;
        int i = int(p) % 8;
        double f = p - std::floor(p);
        return rad * (bump[i] * (1 - f) + bump[(i + 1) % 8] * f);
    };
    const std::vector<Rgb> rockRamp = {C(P_EARTH0), C(P_EARTH1), C(P_EARTH2), C(P_EARTH3)};
    for (int y = r.t; y < r.b; ++y)
        for (int x = r.l; x < r.r; ++x) {
            double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            double d = std::sqrt(dx * dx + dy * dy);
            double rr = radiusAt(std::atan2(dy, dx));
            if (d > rr) continue;
            // light from the upper left
            double lit = 0.5 + 0.5 * (-(dx + dy) / std::sqrt(2.0)) / rr;
            Rgb col = Light(rockRamp, std::clamp(lit, 0.0, 1.0) * 0.999, x, y);
            // molten front
            double front = ((dx + dy) / std::sqrt(2.0)) / rr;
            if (front > 0.55 && d > rr * 0.6) col = front > 0.8 ? C(P_FIRE4) : C(P_FIRE2);
            c.Set(x, y, col);
        }
    // craters
    int craters = kind == 0 ? 4 : (kind == 1 ? 3 : 1);
    for (int i = 0; i < craters; ++i) {
        double a = rng.Unit() * 2 * kPi, dd = rad * 0.45 * rng.Unit();
        int x = int(cx + std::cos(a) * dd), y = int(cy + std::sin(a) * dd);
        int cr = std::max(1, int(rad * (0.12 + 0.1 * rng.Unit())));
        c.FillCircle(x, y, cr, C(P_EARTH0));
        c.Set(x - cr / 2, y - cr / 2 - 1, C(P_EARTH3));
    }
    c.Outline(r, C(P_INK));
}

void PaintMaho(Canvas& c) {
    for (int k = 0; k < 6; ++k) PaintPillar(c, k);
    for (int n = 0; n < 3; ++n) PaintCharge(c, n);
    PaintOrb(c);
    PaintBeamShot(c);
    for (int k = 0; k < 3; ++k) {
        PaintMeteorGlow(c, k);
        PaintMeteorBody(c, k);
    }
}

// ---- fix.bmp: items, labels, the technique flash ------------------------

const char* kItemKind[4] = {"option", "barrier", "life", "shot"};

// Option: a leaf-green ball girdled by a pale ring, a spark circling it
// (green and ringed: it reads on the dusk purple and is no bullet's shape).
void PaintOptionItem(Canvas& c, Rect r, int f) {
    int cx = r.l + 7, cy = r.t + 8;
    c.ShadeBall(cx, cy, 4, Ramp("leaf"));
    for (int dx = -7; dx <= 7; ++dx) {
        const int dy = int(std::lround(2.0 * std::sqrt(1.0 - dx * dx / 49.0)));
        c.Set(cx + dx, cy + dy, C(std::abs(dx) < 5 ? P_LEAF4 : P_WHITE));
        if (std::abs(dx) > 4) c.Set(cx + dx, cy - dy, C(P_LEAF4));
    }
    c.Set(cx - 2, cy - 2, C(P_WHITE));
    static const int sx[3] = {5, -1, -6}, sy[3] = {-5, 6, -2};
    int x = cx + sx[f], y = cy + sy[f];
    c.Set(x, y, C(P_WHITE));
    c.Set(x + 1, y, C(P_ICE2));
    c.Set(x - 1, y, C(P_ICE2));
    c.Set(x, y + 1, C(P_ICE2));
    c.Set(x, y - 1, C(P_ICE2));
}

// Barrier: an ice shield, a shine sweeping across it.
void PaintBarrierItem(Canvas& c, Rect r, int f) {
    auto s = SpriteFromGrid({"..aaaaaaaaa..",
                             ".abbbbbbbbba.",
                             ".abccccccccba",
                             ".abccccccccba",
                             ".abccccccccba",
                             ".abcccdcccba.",
                             "..abccdccba..",
                             "..abcccccba..",
                             "...abcccba...",
                             "....abcba....",
                             ".....aba.....",
                             "......a......"},
                            {{'a', C(P_ICE0)}, {'b', C(P_ICE2)}, {'c', C(P_ICE1)}, {'d', C(P_WHITE)}});
    c.Blit(s, r.l + 1, r.t + 2);
    // the shine: a diagonal light band at three places
    static const int shine[3] = {3, 6, 9};
    for (int y = 0; y < 8; ++y) {
        int x = r.l + 1 + shine[f] - y / 2;
        for (int dx = 0; dx < 2; ++dx) {
            Rgb old = c.Get(x + dx, r.t + 3 + y);
            if (old == C(P_ICE1)) c.Set(x + dx, r.t + 3 + y, C(P_ICE3));
        }
    }
}

// Life: a beating heart.
void PaintLifeItem(Canvas& c, Rect r, int f) {
    std::vector<std::string> small = {"..aa...aa..", ".abba.abba.", "abbbbabbbba", "abbbbbbbbba", "abbbbbbbbba",
                                      ".abbbbbbba.", "..abbbbba..", "...abbba...", "....aba....", ".....a....."};
    std::vector<std::string> big = {".aaa...aaa..", "abbba.abbba.", "abbbbabbbbba", "abbbbbbbbbba",
                                    "abbbbbbbbbba", "abbbbbbbbbba", ".abbbbbbbba.", "..abbbbbba..",
                                    "...abbbba...", "....abba....", ".....aa....."};
    auto s = SpriteFromGrid(f == 1 ? big : small, {{'a', C(P_ROSE1)}, {'b', C(P_ROSE2)}});
    int ox = f == 1 ? 2 : 2, oy = f == 1 ? 2 : 3;
    c.Blit(s, r.l + ox, r.t + oy);
    c.Set(r.l + ox + 2, r.t + oy + 2, C(P_ROSE3));
    c.Set(r.l + ox + 3, r.t + oy + 2, C(P_WHITE));
    if (f == 2) c.Set(r.l + ox + 8, r.t + oy + 2, C(P_WHITE));
}

// Shot level: a golden star turning about its upright axis.
void PaintShotItem(Canvas& c, Rect r, int f) {
    static const double squeeze[3] = {1.0, 0.6, 0.25};
    int cx = r.l + 7, cy = r.t + 8;
    std::vector<Point> pts;
    for (int i = 0; i < 10; ++i) {
        double ang = i * kPi / 5 - kPi / 2;
        double rr = i % 2 == 0 ? 7.0 : 3.0;
        pts.push_back({cx + int(std::lround(std::cos(ang) * rr * squeeze[f])), cy + int(std::lround(std::sin(ang) * rr))});
    }
    c.FillPolygon(pts, C(P_GOLD2));
    c.ShadeShape(RectWH(r.l, r.t, 15, 16), C(P_GOLD2), C(P_GOLD1), C(P_GOLD3));
    c.Set(cx, cy, C(P_WHITE));
    if (f == 0) c.Set(cx - 1, cy - 1, C(P_GOLD3));
}

void PaintItems(Canvas& c) {
    for (int k = 0; k < 4; ++k)
        for (int f = 0; f < 3; ++f) {
            Rect r = CellRect(kFix, Format("item %s %d", kItemKind[k], f));
            ClipScope cs(c, r);
            c.FillRect(r, kKey);
            switch (k) {
                case 0: PaintOptionItem(c, r, f); break;
                case 1: PaintBarrierItem(c, r, f); break;
                case 2: PaintLifeItem(c, r, f); break;
                default: PaintShotItem(c, r, f); break;
            }
            c.Outline(r, C(P_INK));
        }
    // labels: the item's own colour and white take turns
    static const char* names[4] = {"label option", "label barrier", "label life", "label shot"};
    static const char* texts[4] = {"OPTION", "BARRIER", "1UP", "POWER"};
    static const int tone[4] = {P_VIOLET3, P_ICE2, P_ROSE3, P_GOLD3};
    for (int k = 0; k < 4; ++k)
        for (int b = 0; b < 2; ++b) {
            Rect r = CellRect(kFix, CellName(names[k], b));
            ClipScope cs(c, r);
            c.FillRect(r, kKey);
            TextStyle st{b ? C(P_WHITE) : C(tone[k]), 1, TextFx::Shadow, C(P_INK), kBlack};
            int tw = TextWidth(texts[k]);
            DrawText(c, r.l + (r.W() - tw - 1) / 2, r.t, texts[k], st);
        }
}

// The flash: a burst of rays and a rune circle that open around the craft,
// turn, and fade in the last frames.
void PaintFlash(Canvas& c) {
    for (int i = 0; i < 10; ++i) {
        Rect r = CellRect(kFix, CellName("flash", i));
        ClipScope cs(c, r);
        c.FillRect(r, kBlack);
        const int cx = r.l + 40, cy = r.t + 40;
        double fade = i < 5 ? 1.0 : 1.0 - (i - 4) * 0.17;   // 1.0 .. 0.15
        const auto violet = VioletLight();
        // rays: eight long and eight short, growing then thinning
        double len = 14 + i * 3.2;
        for (int ray = 0; ray < 16; ++ray) {
            double ang = ray * kPi / 8 + i * 0.06;
            double rl = ray % 2 == 0 ? len : len * 0.6;
            for (double t = 0; t < rl; t += 0.5) {
                int x = cx + int(std::lround(std::cos(ang) * t)), y = cy + int(std::lround(std::sin(ang) * t));
                double v = (1.0 - t / rl) * fade;
                AddLight(c, x, y, Light(violet, v * 1.05, x, y));
            }
        }
        // the rune circle
        double rad = 10 + i * 2.8;
        const auto ice = IceLight();
        for (int a = 0; a < 360; ++a) {
            double ang = a * kPi / 180;
            int x = cx + int(std::lround(std::cos(ang) * rad)), y = cy + int(std::lround(std::sin(ang) * rad));
            AddLight(c, x, y, Light(ice, 0.85 * fade, x, y));
            int x2 = cx + int(std::lround(std::cos(ang) * (rad - 3))), y2 = cy + int(std::lround(std::sin(ang) * (rad - 3)));
            if (a % 30 < 18) AddLight(c, x2, y2, Light(violet, 0.7 * fade, x2, y2));
        }
        // glyph dots on the ring, turning
        for (int g = 0; g < 8; ++g) {
            double ang = g * kPi / 4 - i * 0.12;
            int x = cx + int(std::lround(std::cos(ang) * (rad + 4))), y = cy + int(std::lround(std::sin(ang) * (rad + 4)));
            if (fade > 0.4) Twinkle(c, x, y, 2, C(P_ICE3), C(P_VIOLET2));
        }
        // the core: a white-hot blaze that shrinks
        double core = std::max(2.0, 16.0 - i * 1.6);
        c.Glow(cx, cy, core * fade + 1, {C(P_WHITE), C(P_ICE3), C(P_VIOLET3), C(P_VIOLET1)});
    }
}

}  // namespace

AG_REGISTER(RegisterCombat) {
    DeclareMaho();
    AddPainter(kMaho, "waza", PaintMaho);
    AddPainter(kFix, "items", PaintItems);
    AddPainter(kFix, "flash", PaintFlash);
}
