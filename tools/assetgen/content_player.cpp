// The player characters' sheets: every craft cell, the options, shots, charge
// marks, barriers and bursts the craft code reads, and the ten life-icon
// faces on "fix.bmp". Keyed cells sit on pure green; cells read by the
// additive copy sit on black.
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "kit.h"

using namespace ag;

namespace {

// ---------------------------------------------------------------- helpers

constexpr double kPi = 3.14159265358979323846;

enum Pose { kLevel, kUp, kDown };

Rgb Col(int p) { return C(p); }

// Glow ramps, core to rim.
std::vector<Rgb> GlowRamp(std::initializer_list<int> pal) {
    std::vector<Rgb> v;
    for (int p : pal) v.push_back(C(p));
    return v;
}

int Bright(Rgb c) { return c.r + c.g + c.b; }

// Pick from a rim-to-core ramp at v with ordered dithering.
Rgb Dithered(const std::vector<Rgb>& rimToCore, double v, int x, int y) {
    int n = int(rimToCore.size());
    if (v <= 0) return rimToCore[0];
    if (v >= n - 1) return rimToCore[n - 1];
    int i = int(std::floor(v));
    int level = int((v - i) * 16.0);
    return Bayer4(x, y) < level ? rimToCore[i + 1] : rimToCore[i];
}

// A glowing ring (ellipse line) on a black canvas, brightest on the line.
void Ring(Canvas& c, double cx, double cy, double rx, double ry, double width, const std::vector<Rgb>& coreToRim,
          double from = 0, double to = 360) {
    std::vector<Rgb> ramp(coreToRim.rbegin(), coreToRim.rend());
    ramp.insert(ramp.begin(), kBlack);
    int n = int(ramp.size());
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            double px = x + 0.5 - cx, py = y + 0.5 - cy;
            double a = std::atan2(-py, px) * 180.0 / kPi;
            if (a < 0) a += 360;
            if (from < to ? (a < from || a > to) : (a < from && a > to)) continue;
            double d = std::sqrt(px * px / (rx * rx) + py * py / (ry * ry));
            double off = std::fabs(d - 1.0) * std::min(rx, ry) / width;
            if (off >= 1.0) continue;
            Rgb col = Dithered(ramp, (1.0 - off) * (n - 1) * 1.1, x, y);
            if (Bright(col) > Bright(c.Get(x, y))) c.Set(x, y, col);
        }
}

// Adds a glow blob keeping the brighter pixel (GlowEllipse does the same).
void Blob(Canvas& c, int cx, int cy, double rx, double ry, const std::vector<Rgb>& coreToRim) {
    c.GlowEllipse(cx, cy, rx, ry, coreToRim);
}

// A four-pointed twinkle.
void Twinkle(Canvas& c, int x, int y, int arm, Rgb core, Rgb rim) {
    for (int i = 1; i <= arm; ++i) {
        Rgb k = i == arm ? rim : core;
        c.Set(x + i, y, k);
        c.Set(x - i, y, k);
        c.Set(x, y + i, k);
        c.Set(x, y - i, k);
    }
    c.Set(x, y, Col(P_WHITE));
}

// Column shear: nose up (k > 0) or down (k < 0) about the middle.
Canvas Tilt(const Canvas& s, double k) {
    Canvas o(s.w, s.h, kKey);
    int cx = s.w / 2;
    for (int x = 0; x < s.w; ++x) {
        int dy = int(std::lround((x - cx) * k));
        for (int y = 0; y < s.h; ++y) o.px[size_t(y) * s.w + x] = s.Get(x, y + dy);
    }
    return o;
}

void Finish(Canvas& s) { s.Outline(Rect{0, 0, s.w, s.h}, Col(P_INK)); }

void Shade(Canvas& s, int base, int dark, int light) {
    s.ShadeShape(Rect{0, 0, s.w, s.h}, Col(base), Col(dark), Col(light));
}

// Keyed sprite into its cell.
void PutKeyed(Canvas& sheet, const Canvas& s, const Rect& r) {
    ClipScope cs(sheet, r);
    sheet.Blit(s, r.l, r.t, true);
}

// Additive picture into its cell: black where nothing, and where another
// reading shares the pixels the brighter of the two stays.
void PutGlow(Canvas& sheet, const Canvas& g, const Rect& r) {
    ClipScope cs(sheet, r);
    for (int y = 0; y < g.h; ++y)
        for (int x = 0; x < g.w; ++x) {
            Rgb old = sheet.Get(r.l + x, r.t + y);
            if (old == kKey) old = kBlack;
            Rgb n = g.Get(x, y);
            if (n == kKey) n = kBlack;
            sheet.Set(r.l + x, r.t + y, Bright(n) > Bright(old) ? n : old);
        }
}

// Draws a sprite by a function into a fresh canvas, tilts it for the pose,
// outlines it and puts it in the cell.
void CraftInto(Canvas& sheet, const Rect& r, Pose pose, const std::function<void(Canvas&)>& draw) {
    Canvas s(r.W(), r.H(), kKey);
    draw(s);
    if (pose == kUp) s = Tilt(s, 0.22);
    if (pose == kDown) s = Tilt(s, -0.22);
    Finish(s);
    PutKeyed(sheet, s, r);
}

void SmallInto(Canvas& sheet, const Rect& r, const std::function<void(Canvas&)>& draw) {
    Canvas s(r.W(), r.H(), kKey);
    draw(s);
    Finish(s);
    PutKeyed(sheet, s, r);
}

void GlowInto(Canvas& sheet, const Rect& r, const std::function<void(Canvas&)>& draw) {
    Canvas g(r.W(), r.H(), kBlack);
    draw(g);
    PutGlow(sheet, g, r);
}

// ---------------------------------------------------------------- sheet map

struct Layout {
    std::string file, owner;
};

void Decl(const Layout& l, const std::string& name, Rect r, const std::string& what, Copy copy,
          const std::string& share = "") {
    DeclareCell(l.file, l.owner + " " + name, r, what, copy, l.owner, share);
}

// Craft cells of a 32-wide craft: idle frames at animNo x 32, moving cells.
void DeclareCraft(const Layout& l, int top, int h, int idleFrames, int up, int down, const std::string& tag,
                  const std::string& share = "") {
    for (int f = 0; f < idleFrames; ++f)
        Decl(l, tag + CellName(" idle", f), RectWH(32 * f, top, 32, h), "craft " + tag + ", level flight",
             Copy::Keyed, share);
    if (up >= 0) Decl(l, tag + " up", RectWH(up, top, 32, h), "craft " + tag + ", climbing", Copy::Keyed, share);
    if (down >= 0)
        Decl(l, tag + " down", RectWH(down, top, 32, h), "craft " + tag + ", diving", Copy::Keyed, share);
}

void DeclareFrames(const Layout& l, const std::string& name, int x, int y, int w, int h, int frames,
                   const std::string& what, Copy copy, const std::string& share = "") {
    for (int f = 0; f < frames; ++f)
        Decl(l, CellName(name, f), RectWH(x + w * f, y, w, h), what, copy, share);
}

// ---------------------------------------------------------------- the witch

// frame: cape and bristles; cast: wand out.
void DrawWitch(Canvas& s, int frame, bool cast, int robe, int robeDark, int robeLight) {
    // broom stick and bristles
    s.Line(4, 23, 29, 20, Col(P_EARTH1));
    s.Line(4, 24, 29, 21, Col(P_EARTH2));
    int spread = frame ? 2 : 0;
    s.FillPolygon({{0, 18 - spread}, {7, 21}, {7, 25}, {0, 29 + spread}}, Col(P_GOLD1));
    s.Line(1, 20 - spread, 6, 22, Col(P_GOLD2));
    s.Line(1, 27 + spread, 6, 24, Col(P_GOLD0));
    s.VLine(7, 21, 25, Col(P_FIRE1));   // binding
    // cape streaming behind
    if (frame)
        s.FillPolygon({{15, 11}, {7, 13}, {10, 17}, {15, 19}}, Col(robeDark));
    else
        s.FillPolygon({{15, 11}, {8, 16}, {11, 19}, {15, 19}}, Col(robeDark));
    // robe, seated on the broom
    s.FillPolygon({{12, 21}, {15, 11}, {21, 11}, {23, 21}}, Col(robe));
    s.HLine(13, 22, 20, Col(robeDark));
    // boots
    s.FillRect(20, 20, 4, 2, Col(P_EARTH0));
    // head and hair
    s.FillCircle(20, 9, 3, Col(P_SKIN2));
    s.FillRect(15, 7, 3, 6, Col(P_FIRE2));
    s.Set(22, 9, Col(P_INK));
    s.Set(23, 11, Col(P_ROSE2));
    // pointed hat, tip bent back
    s.FillPolygon({{14, 7}, {25, 7}, {19, 1}}, Col(robe));
    s.FillPolygon({{19, 1}, {21, 3}, {14, 0}}, Col(robe));
    s.HLine(13, 26, 7, Col(robeDark));
    s.HLine(16, 22, 6, Col(P_GOLD2));
    if (cast) {
        s.Line(21, 13, 26, 12, Col(P_SKIN2));
        s.Line(26, 12, 30, 9, Col(P_EARTH2));
        s.Set(30, 8, Col(P_GOLD3));
        s.Set(31, 9, Col(P_GOLD3));
    } else {
        s.FillRect(22, 17, 2, 2, Col(P_SKIN2));   // hands on the broom
    }
    Shade(s, robe, robeDark, robeLight);
}

void PaintMaho(Canvas& c) {
    const std::string f = "c_maho.bmp";
    auto R = [&](const std::string& n) { return CellRect(f, "maho " + n); };
    // character 0: level frames, climbing, diving
    for (int fr = 0; fr < 2; ++fr)
        CraftInto(c, R(CellName("0 idle", fr)), kLevel,
                  [&](Canvas& s) { DrawWitch(s, fr, false, P_VIOLET2, P_VIOLET1, P_VIOLET3); });
    CraftInto(c, R("0 up"), kUp, [&](Canvas& s) { DrawWitch(s, 0, false, P_VIOLET2, P_VIOLET1, P_VIOLET3); });
    CraftInto(c, R("0 down"), kDown, [&](Canvas& s) { DrawWitch(s, 1, false, P_VIOLET2, P_VIOLET1, P_VIOLET3); });
    // familiars: doubles of the witch casting, in dusk tones (character 1's
    // casting frames read the same cells)
    for (int fr = 0; fr < 2; ++fr)
        CraftInto(c, R(CellName("familiar", fr)), kLevel,
                  [&](Canvas& s) { DrawWitch(s, fr, true, P_DUSK3, P_DUSK2, P_DUSK4); });
    // character 1's own cells: the third casting frame, casting while diving
    // and climbing, and climbing in level flight
    CraftInto(c, R("1 cast up"), kUp, [&](Canvas& s) { DrawWitch(s, 0, true, P_DUSK3, P_DUSK2, P_DUSK4); });
    CraftInto(c, R("1 up"), kUp, [&](Canvas& s) { DrawWitch(s, 1, false, P_VIOLET2, P_VIOLET1, P_VIOLET3); });
    // Character 1's casting cells that reach into character 0's barrier
    // (an additive cell): the shared corner belongs to the barrier.
    Rect barrier0 = R("0 barrier");
    auto castAround = [&](const std::string& name, Pose pose, int frame) {
        Rect r = R(name);
        Canvas s(32, 32, kKey);
        DrawWitch(s, frame, true, P_DUSK3, P_DUSK2, P_DUSK4);
        if (pose == kDown) s = Tilt(s, -0.22);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (barrier0.Contains(r.l + x, r.t + y)) s.px[size_t(y) * 32 + x] = kKey;
        Finish(s);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (barrier0.Contains(r.l + x, r.t + y)) s.px[size_t(y) * 32 + x] = kKey;
        PutKeyed(c, s, r);
    };
    castAround("1 cast idle 2", kLevel, 0);
    castAround("1 cast down", kDown, 1);
    // magic bolt, four frames: a violet orb with a turning sparkle
    for (int fr = 0; fr < 4; ++fr)
        GlowInto(c, R(CellName("bolt", fr)), [&](Canvas& g) {
            Blob(g, 8, 8, 6.5, 5.5, GlowRamp({P_WHITE, P_VIOLET3, P_VIOLET2, P_VIOLET1, P_VIOLET0}));
            int d = fr % 2 ? 5 : 6;
            if (fr < 2) {
                g.Set(8 + d, 8, Col(P_WHITE));
                g.Set(8 - d, 8, Col(P_VIOLET3));
            } else {
                g.Set(8, 8 + d - 1, Col(P_WHITE));
                g.Set(8, 8 - d + 1, Col(P_VIOLET3));
            }
        });
    // little stars (also character 1's charge marks), three frames growing
    for (int fr = 0; fr < 3; ++fr)
        GlowInto(c, R(CellName("star", fr)), [&](Canvas& g) {
            Blob(g, 8, 8, 3.5 + fr, 3.5 + fr, GlowRamp({P_WHITE, P_ROSE3, P_VIOLET2, P_VIOLET0}));
            Twinkle(g, 8, 8, 3 + fr, Col(P_ROSE3), Col(P_VIOLET2));
        });
    // character 1's big orb: its two 24 x 24 frames lie over the stars,
    // which keep their own shapes; the row below them is the orb's glow
    for (int fr = 0; fr < 2; ++fr) {
        Rect r = R(CellName("1 orb", fr));
        Rect below{r.l, r.t + 16, r.r, r.b};
        GlowInto(c, below, [&](Canvas& g) {
            Blob(g, 12, -4, 10, 10, GlowRamp({P_ROSE3, P_VIOLET2, P_VIOLET1, P_VIOLET0}));
            Blob(g, 12, -4, 5 + fr, 5 + fr, GlowRamp({P_WHITE, P_ROSE3}));
        });
    }
    // thin beam (character 1)
    GlowInto(c, R("1 beam"), [&](Canvas& g) {
        for (int x = 0; x < 48; ++x) {
            double fade = x < 8 ? x / 8.0 : 1.0;
            for (int y = 0; y < 8; ++y) {
                double v = 1.0 - std::fabs(y - 3.5) / 4.0;
                v *= fade;
                std::vector<Rgb> ramp = {kBlack, Col(P_VIOLET0), Col(P_VIOLET2), Col(P_ROSE3), Col(P_WHITE)};
                g.Set(x, y, Dithered(ramp, v * 4.4, x, y));
            }
        }
    });
    // barriers: a violet bubble with stars (character 0), a rose one (1)
    GlowInto(c, R("0 barrier"), [&](Canvas& g) {
        Ring(g, 24, 24, 21, 21, 3.0, GlowRamp({P_WHITE, P_VIOLET3, P_VIOLET2, P_VIOLET1}));
        Twinkle(g, 24, 4, 2, Col(P_VIOLET3), Col(P_VIOLET1));
        Twinkle(g, 44, 24, 2, Col(P_VIOLET3), Col(P_VIOLET1));
        Twinkle(g, 9, 38, 2, Col(P_VIOLET3), Col(P_VIOLET1));
    });
    GlowInto(c, R("1 barrier"), [&](Canvas& g) {
        Ring(g, 24, 24, 21, 21, 3.0, GlowRamp({P_WHITE, P_ROSE3, P_ROSE2, P_ROSE1}));
        Ring(g, 24, 24, 15, 15, 1.5, GlowRamp({P_ROSE2, P_ROSE0}), 20, 160);
    });
}

// ---------------------------------------------------------------- the angel

void DrawAngel(Canvas& s, int frame, bool fire) {
    // wings: up, level, down
    std::vector<Point> wing;
    if (frame == 0) wing = {{14, 13}, {3, 1}, {6, 9}, {2, 11}, {9, 16}};
    if (frame == 1) wing = {{14, 13}, {1, 9}, {5, 13}, {1, 16}, {10, 17}};
    if (frame == 2) wing = {{14, 14}, {2, 22}, {6, 20}, {4, 26}, {11, 18}};
    s.FillPolygon(wing, Col(P_ICE3));
    s.Line(wing[0].x, wing[0].y, wing[1].x, wing[1].y, Col(P_ICE2));
    // dress and legs
    s.FillPolygon({{12, 25}, {15, 12}, {20, 12}, {23, 25}}, Col(P_ROSE2));
    s.FillRect(16, 25, 2, 4, Col(P_SKIN2));
    s.FillRect(19, 25, 2, 3, Col(P_SKIN2));
    // head, golden hair, halo
    s.FillCircle(19, 9, 4, Col(P_SKIN2));
    s.FillPolygon({{14, 6}, {19, 4}, {23, 6}, {17, 8}, {15, 14}}, Col(P_GOLD2));
    s.Set(21, 9, Col(P_INK));
    s.Set(22, 11, Col(P_ROSE2));
    s.HLine(16, 22, 1, Col(P_GOLD3));
    s.Set(15, 2, Col(P_GOLD3));
    s.Set(23, 2, Col(P_GOLD3));
    if (fire) {
        s.Line(21, 14, 27, 13, Col(P_SKIN2));
        s.FillCircle(28, 13, 2, Col(P_ICE3));
        s.Set(28, 13, Col(P_WHITE));
    } else {
        s.Line(20, 14, 22, 19, Col(P_SKIN2));
    }
    Shade(s, P_ROSE2, P_ROSE1, P_ROSE3);
    Shade(s, P_ICE3, P_ICE1, P_WHITE);
}

void PaintBeamCell(Canvas& c, const Rect& r, int a, int b, int core) {
    GlowInto(c, r, [&](Canvas& g) {
        std::vector<Rgb> ramp = {kBlack, Col(a), Col(b), Col(core), Col(P_WHITE)};
        for (int x = 0; x < g.w; ++x) {
            double fade = x < 8 ? x / 8.0 : 1.0;
            for (int y = 0; y < g.h; ++y) {
                double v = (1.0 - std::fabs(y - 3.5) / 4.0) * fade;
                g.Set(x, y, Dithered(ramp, v * 4.4, x, y));
            }
        }
    });
}

void PaintAngel(Canvas& c) {
    auto R = [&](const std::string& n) { return CellRect("c_angel.bmp", "angel " + n); };
    for (int fire = 0; fire < 2; ++fire) {
        std::string t = fire ? "cast" : "fly";
        for (int fr = 0; fr < 3; ++fr)
            CraftInto(c, R(t + CellName(" idle", fr)), kLevel, [&](Canvas& s) { DrawAngel(s, fr, fire); });
        CraftInto(c, R(t + " up"), kUp, [&](Canvas& s) { DrawAngel(s, 0, fire); });
        CraftInto(c, R(t + " down"), kDown, [&](Canvas& s) { DrawAngel(s, 2, fire); });
    }
    // feather options, glowing
    for (int fr = 0; fr < 2; ++fr)
        GlowInto(c, R(CellName("option", fr)), [&](Canvas& g) {
            Blob(g, 8, 8, 6, 6, GlowRamp({P_ICE3, P_ICE2, P_ICE1, P_ICE0}));
            for (int i = -4; i <= 4; ++i) g.Set(8 + i, 8 + (fr ? i / 2 : -i / 2), Col(P_WHITE));
            g.Set(8, 8, Col(P_GOLD3));
        });
    // charge marks: a halo growing in three steps
    for (int fr = 0; fr < 3; ++fr)
        GlowInto(c, R(CellName("charge", fr)), [&](Canvas& g) {
            Ring(g, 8, 8, 3 + 2 * fr, 2 + fr, 1.4, GlowRamp({P_WHITE, P_GOLD3, P_GOLD2, P_GOLD1}));
            Twinkle(g, 8, 8, 1 + fr, Col(P_GOLD3), Col(P_GOLD1));
        });
    PaintBeamCell(c, R("beam"), P_GOLD0, P_GOLD2, P_GOLD3);
    GlowInto(c, R("barrier"), [&](Canvas& g) {
        Ring(g, 24, 24, 21, 21, 3.0, GlowRamp({P_WHITE, P_GOLD3, P_GOLD2, P_GOLD1}));
        Ring(g, 24, 24, 17, 17, 1.2, GlowRamp({P_ICE2, P_ICE0}));
    });
}

// ---------------------------------------------------------------- the imp

void DrawImp(Canvas& s, int frame, bool fire) {
    // bat wings: three beats
    int tipY = frame == 0 ? 2 : frame == 1 ? 10 : 24;
    s.FillPolygon({{14, 14}, {2, tipY}, {5, (tipY + 18) / 2}, {3, (tipY + 22) / 2 + 2}, {10, 19}}, Col(P_DUSK1));
    s.Line(14, 14, 2, tipY, Col(P_DUSK3));
    // tail with an arrow tip
    s.Line(10, 21, 5, 25, Col(P_ROSE1));
    s.Line(5, 25, 3, 23, Col(P_ROSE1));
    s.FillTriangle({1, 21}, {4, 21}, {2, 24}, Col(P_ROSE1));
    // round body and head in one
    s.FillCircle(18, 17, 7, Col(P_ROSE1));
    s.FillRect(15, 23, 2, 4, Col(P_ROSE0));
    s.FillRect(20, 23, 2, 4, Col(P_ROSE0));
    // horns
    s.FillTriangle({13, 11}, {16, 11}, {13, 6}, Col(P_METAL4));
    s.FillTriangle({19, 11}, {22, 11}, {22, 6}, Col(P_METAL4));
    // eyes and grin
    s.Set(19, 15, Col(P_GOLD3));
    s.Set(22, 15, Col(P_GOLD3));
    if (fire) {
        s.FillRect(20, 19, 4, 2, Col(P_INK));
        s.Set(24, 19, Col(P_FIRE3));
        s.Set(25, 20, Col(P_FIRE2));
    } else {
        s.HLine(19, 23, 19, Col(P_INK));
        s.Set(21, 20, Col(P_WHITE));
    }
    Shade(s, P_ROSE1, P_ROSE0, P_ROSE2);
    Shade(s, P_DUSK1, P_DUSK0, P_DUSK2);
}

void PaintDevil(Canvas& c) {
    auto R = [&](const std::string& n) { return CellRect("c_devil.bmp", "devil " + n); };
    for (int fire = 0; fire < 2; ++fire) {
        std::string t = fire ? "cast" : "fly";
        for (int fr = 0; fr < 3; ++fr)
            CraftInto(c, R(t + CellName(" idle", fr)), kLevel, [&](Canvas& s) { DrawImp(s, fr, fire); });
        CraftInto(c, R(t + " up"), kUp, [&](Canvas& s) { DrawImp(s, 0, fire); });
        CraftInto(c, R(t + " down"), kDown, [&](Canvas& s) { DrawImp(s, 2, fire); });
    }
    // little bats
    for (int fr = 0; fr < 2; ++fr)
        SmallInto(c, R(CellName("option", fr)), [&](Canvas& s) {
            int t = fr ? 11 : 3;
            s.FillPolygon({{7, 8}, {1, t}, {4, 9}, {2, 12}, {7, 11}}, Col(P_DUSK2));
            s.FillPolygon({{9, 8}, {15, t}, {12, 9}, {14, 12}, {9, 11}}, Col(P_DUSK2));
            s.FillCircle(8, 9, 2, Col(P_DUSK1));
            s.Set(7, 8, Col(P_FIRE3));
            s.Set(9, 8, Col(P_FIRE3));
        });
    // fireballs
    for (int fr = 0; fr < 2; ++fr)
        GlowInto(c, R(CellName("fireball", fr)), [&](Canvas& g) {
            Blob(g, 7 + fr, 8, 7, 5 + fr, GlowRamp({P_FIRE2, P_FIRE1, P_FIRE0}));
            Blob(g, 9, 8, 4, 3, GlowRamp({P_WHITE, P_FIRE4, P_FIRE3}));
        });
    GlowInto(c, R("barrier"), [&](Canvas& g) {
        Ring(g, 24, 24, 21, 21, 3.0, GlowRamp({P_FIRE4, P_FIRE3, P_FIRE2, P_FIRE1}));
        for (int k = 0; k < 8; ++k) {
            double a = k * kPi / 4;
            g.Line(24 + int(18 * std::cos(a)), 24 + int(18 * std::sin(a)), 24 + int(23 * std::cos(a)),
                   24 + int(23 * std::sin(a)), Col(P_FIRE3));
        }
    });
}

// ---------------------------------------------------------------- the rice paddle

void DrawPaddle(Canvas& s, int frame) {
    // handle
    s.FillRect(1, 10, 11, 4, Col(P_EARTH3));
    s.HLine(1, 11, 13, Col(P_EARTH2));
    // blade
    s.FillEllipse(20, 12, 9, 8, Col(P_METAL4));
    s.FillEllipse(21, 13, 6, 5, Col(P_WHITE));
    // grains of rice that stick to it
    static const Point grains[3][3] = {{{17, 8}, {25, 15}, {22, 18}},
                                       {{18, 16}, {24, 8}, {15, 12}},
                                       {{23, 17}, {16, 9}, {26, 11}}};
    for (const Point& p : grains[frame % 3]) {
        s.Set(p.x, p.y, Col(P_METAL3));
        s.Set(p.x + 1, p.y, Col(P_METAL3));
    }
    // a cheerful face
    s.Set(20, 11, Col(P_INK));
    s.Set(24, 11, Col(P_INK));
    s.HLine(21, 23, 14, Col(P_INK));
    s.Set(19, 13, Col(P_ROSE3));
    s.Set(25, 13, Col(P_ROSE3));
    Shade(s, P_METAL4, P_METAL2, P_WHITE);
}

void PaintSyamoji(Canvas& c) {
    auto R = [&](const std::string& n) { return CellRect("c_syamoji.bmp", "syamoji " + n); };
    for (int fr = 0; fr < 3; ++fr)
        CraftInto(c, R(CellName("fly idle", fr)), fr == 1 ? kLevel : fr == 0 ? kUp : kDown,
                  [&](Canvas& s) { DrawPaddle(s, fr); });
    // rice balls
    for (int fr = 0; fr < 3; ++fr)
        SmallInto(c, R(CellName("option", fr)), [&](Canvas& s) {
            s.FillTriangle({8, 1}, {1, 14}, {15, 14}, Col(P_WHITE));
            s.FillCircle(8, 9, 5, Col(P_WHITE));
            s.FillRect(5, 10 + (fr == 1), 7, 4, Col(P_LEAF0));   // the seaweed band
            s.Set(4 + 2 * fr, 5, Col(P_METAL3));
            Shade(s, P_WHITE, P_METAL3, P_WHITE);
        });
    SmallInto(c, R("grain"), [&](Canvas& s) {
        s.FillEllipse(4, 4, 2, 1, Col(P_WHITE));
        s.Set(3, 3, Col(P_WHITE));
    });
    GlowInto(c, R("barrier"), [&](Canvas& g) {
        Ring(g, 24, 16, 21, 13, 2.6, GlowRamp({P_WHITE, P_GOLD3, P_EARTH3, P_EARTH2}));
    });
}

// ---------------------------------------------------------------- the pocket robot

void DrawRobot(Canvas& s, int frame, bool fire) {
    // jet flame behind
    int len = frame ? 7 : 4;
    s.FillTriangle({9, 14}, {9, 20}, {9 - len, 17}, Col(P_FIRE3));
    s.FillTriangle({9, 16}, {9, 18}, {9 - len / 2, 17}, Col(P_FIRE4));
    // body box
    s.FillRect(9, 9, 14, 14, Col(P_METAL2));
    s.FillRect(10, 22, 4, 3, Col(P_METAL1));
    s.FillRect(18, 22, 4, 3, Col(P_METAL1));
    // visor
    s.FillRect(15, 12, 8, 4, Col(P_TEAL2));
    s.HLine(16, 19, 12, Col(P_TEAL3));
    s.Set(20, 14, Col(P_WHITE));
    // antenna
    s.Line(13, 9, 11, 4, Col(P_METAL3));
    s.FillCircle(11, 3, 1, Col(frame ? P_FIRE3 : P_ROSE2));
    // arm cannon
    s.FillRect(20, 18, 8, 3, Col(P_METAL1));
    if (fire) {
        s.Set(29, 19, Col(P_GOLD3));
        s.Set(30, 19, Col(P_WHITE));
        s.Set(29, 18, Col(P_FIRE3));
        s.Set(29, 20, Col(P_FIRE3));
    }
    // a panel light
    s.Set(12, 18, Col(frame ? P_LEAF4 : P_TEAL3));
    Shade(s, P_METAL2, P_METAL1, P_METAL3);
}

void PaintDigiko(Canvas& c) {
    auto R = [&](const std::string& n) { return CellRect("c_digiko.bmp", "digiko " + n); };
    for (int fire = 0; fire < 2; ++fire) {
        std::string t = fire ? "cast" : "fly";
        for (int fr = 0; fr < 2; ++fr)
            CraftInto(c, R(t + CellName(" idle", fr)), kLevel, [&](Canvas& s) { DrawRobot(s, fr, fire); });
        CraftInto(c, R(t + " up"), kUp, [&](Canvas& s) { DrawRobot(s, 1, fire); });
        CraftInto(c, R(t + " down"), kDown, [&](Canvas& s) { DrawRobot(s, 0, fire); });
    }
    // drones (the options, and the shots the options fire)
    for (int fr = 0; fr < 2; ++fr)
        SmallInto(c, R(CellName("drone", fr)), [&](Canvas& s) {
            s.FillRect(3, 5, 10, 7, Col(P_METAL3));
            s.FillRect(8, 7, 4, 2, Col(P_TEAL2));
            s.HLine(2 + fr, 13 - fr, 3, Col(P_METAL1));   // rotor
            s.VLine(8, 3, 5, Col(P_METAL1));
            s.Set(4, 10, Col(fr ? P_FIRE3 : P_LEAF4));
            Shade(s, P_METAL3, P_METAL2, P_METAL4);
        });
    // homing missiles
    for (int fr = 0; fr < 2; ++fr)
        SmallInto(c, R(CellName("missile", fr)), [&](Canvas& s) {
            s.FillRect(4, 7, 8, 3, Col(P_METAL4));
            s.FillTriangle({12, 6}, {12, 10}, {15, 8}, Col(P_ROSE2));
            s.FillTriangle({4, 5}, {6, 7}, {4, 7}, Col(P_METAL2));
            s.FillTriangle({4, 10}, {6, 10}, {4, 12}, Col(P_METAL2));
            s.HLine(1, 3, 8, Col(fr ? P_FIRE4 : P_FIRE3));
            if (fr) s.Set(0, 8, Col(P_FIRE2));
        });
    GlowInto(c, R("barrier"), [&](Canvas& g) {
        // a hexagonal shield
        for (int k = 0; k < 6; ++k) {
            double a0 = k * kPi / 3, a1 = (k + 1) * kPi / 3;
            for (int w = 0; w < 3; ++w) {
                int rr = 21 - w;
                g.Line(24 + int(rr * std::cos(a0)), 24 + int(rr * std::sin(a0)), 24 + int(rr * std::cos(a1)),
                       24 + int(rr * std::sin(a1)), Col(w == 1 ? P_TEAL3 : P_TEAL1));
            }
        }
        Ring(g, 24, 24, 14, 14, 1.0, GlowRamp({P_TEAL2, P_TEAL0}));
    });
}

// ---------------------------------------------------------------- the silver fish

void DrawFish(Canvas& s, int frame, int tone, int toneDark, int toneLight, int back) {
    // tail: three positions of the flick
    int t = frame == 0 ? -3 : frame == 1 ? 0 : 3;
    s.FillPolygon({{8, 16}, {1, 9 + t}, {3, 16}, {1, 23 + t}}, Col(back));
    // body
    s.FillEllipse(17, 16, 11, 6, Col(tone));
    s.FillEllipse(17, 14, 9, 3, Col(back));
    s.HLine(9, 26, 19, Col(toneLight));
    // the scute line along the side
    for (int x = 9; x <= 24; x += 2) s.Set(x, 16, Col(toneDark));
    // fins
    s.FillTriangle({14, 10}, {19, 10}, {13, 6}, Col(back));
    s.FillTriangle({15, 21}, {19, 21}, {14, 24}, Col(back));
    // eye and mouth
    s.FillCircle(24, 14, 1, Col(P_WHITE));
    s.Set(25, 14, Col(P_INK));
    s.Set(28, 17, Col(P_INK));
    Shade(s, tone, toneDark, toneLight);
}

void PaintAji(Canvas& c) {
    auto R = [&](const std::string& n) { return CellRect("c_aji.bmp", "aji " + n); };
    for (int fr = 0; fr < 3; ++fr)
        CraftInto(c, R(CellName("fly idle", fr)), kLevel,
                  [&](Canvas& s) { DrawFish(s, fr, P_METAL3, P_METAL1, P_METAL4, P_SKY1); });
    CraftInto(c, R("fly up"), kUp, [&](Canvas& s) { DrawFish(s, 0, P_METAL3, P_METAL1, P_METAL4, P_SKY1); });
    CraftInto(c, R("fly down"), kDown, [&](Canvas& s) { DrawFish(s, 2, P_METAL3, P_METAL1, P_METAL4, P_SKY1); });
    // little fish that swim along (smaller, bluer)
    for (int fr = 0; fr < 2; ++fr)
        CraftInto(c, R(CellName("option", fr)), kLevel, [&](Canvas& s) {
            Canvas big(32, 32, kKey);
            DrawFish(big, fr * 2, P_ICE1, P_ICE0, P_ICE2, P_SKY0);
            // shrink to two thirds about the middle
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) {
                    int sx = 16 + (x - 16) * 3 / 2, sy = 16 + (y - 16) * 3 / 2;
                    s.px[size_t(y) * 32 + x] = big.Get(sx, sy);
                }
        });
    // bubbles
    SmallInto(c, R("bubble"), [&](Canvas& s) {
        s.FillCircle(8, 8, 5, Col(P_ICE2));
        s.FillCircle(8, 8, 3, Col(P_ICE1));
        s.Set(6, 6, Col(P_WHITE));
        s.Set(7, 6, Col(P_WHITE));
        s.Set(6, 7, Col(P_WHITE));
    });
    GlowInto(c, R("barrier"), [&](Canvas& g) {
        Ring(g, 24, 24, 21, 21, 2.4, GlowRamp({P_WHITE, P_ICE3, P_ICE2, P_ICE0}));
        Blob(g, 15, 14, 3, 2, GlowRamp({P_ICE3, P_ICE1}));
    });
}

// ---------------------------------------------------------------- the fish pastry

void DrawPastry(Canvas& s) {
    // tail fan
    s.FillPolygon({{8, 16}, {1, 8}, {4, 16}, {1, 24}}, Col(P_AMBER1));
    for (int y = 10; y <= 22; y += 3) s.Line(2, y, 7, 16, Col(P_EARTH2));
    // body
    s.FillEllipse(18, 16, 11, 8, Col(P_AMBER1));
    s.FillEllipse(17, 13, 8, 3, Col(P_AMBER2));
    // baked scales
    for (int row = 0; row < 2; ++row)
        for (int x = 11 + row * 2; x <= 22; x += 4) {
            int y = 15 + row * 3;
            s.Set(x, y, Col(P_EARTH2));
            s.Set(x + 1, y + 1, Col(P_EARTH2));
            s.Set(x + 2, y, Col(P_EARTH2));
        }
    // fins
    s.FillTriangle({14, 9}, {20, 9}, {12, 5}, Col(P_AMBER0));
    s.FillTriangle({14, 23}, {19, 23}, {12, 27}, Col(P_AMBER0));
    // eye, mouth and a peek of bean paste
    s.FillCircle(24, 13, 1, Col(P_EARTH0));
    s.Set(24, 12, Col(P_AMBER2));
    s.HLine(27, 28, 18, Col(P_EARTH0));
    s.Set(26, 19, Col(P_ROSE0));
    Shade(s, P_AMBER1, P_EARTH2, P_AMBER2);
}

void PaintTaiyaki(Canvas& c) {
    auto R = [&](const std::string& n) { return CellRect("c_taiyaki.bmp", "taiyaki " + n); };
    CraftInto(c, R("fly idle 0"), kLevel, [&](Canvas& s) { DrawPastry(s); });
    CraftInto(c, R("fly down"), kDown, [&](Canvas& s) { DrawPastry(s); });
    CraftInto(c, R("fly up"), kUp, [&](Canvas& s) { DrawPastry(s); });
    // sweet bean blobs
    for (int fr = 0; fr < 2; ++fr)
        SmallInto(c, R(CellName("bean", fr)), [&](Canvas& s) {
            s.FillEllipse(8, 8, 5 - fr, 4 + fr, Col(P_ROSE0));
            s.Set(6, 6, Col(P_ROSE2));
            s.Set(10, 10, Col(P_EARTH0));
            Shade(s, P_ROSE0, P_EARTH0, P_ROSE1);
        });
    GlowInto(c, R("barrier"), [&](Canvas& g) {
        Ring(g, 24, 16, 21, 13, 2.6, GlowRamp({P_FIRE4, P_AMBER2, P_AMBER1, P_AMBER0}));
    });
}

// ---------------------------------------------------------------- the strongman

void DrawStrongman(Canvas& s, int frame, bool fire) {
    // legs trailing behind, kicking
    int k = frame ? 2 : 0;
    s.FillPolygon({{11, 15}, {1, 14 - k}, {1, 18 - k}, {11, 20}}, Col(P_METAL0));
    s.FillRect(0, 13 - k, 2, 6, Col(P_EARTH1));
    // torso in a white tank top, bare shoulders
    s.FillEllipse(16, 17, 7, 5, Col(P_WHITE));
    s.FillCircle(21, 14, 3, Col(P_SKIN1));
    s.FillCircle(13, 14, 2, Col(P_SKIN1));
    // head with a flat-top
    s.FillCircle(25, 10, 4, Col(P_SKIN1));
    s.FillRect(22, 5, 7, 3, Col(P_EARTH0));
    s.Set(27, 10, Col(P_INK));
    s.HLine(26, 28, 13, Col(P_SKIN0));
    // fist forward
    if (fire) {
        s.FillRect(22, 17, 7, 3, Col(P_SKIN1));
        s.FillCircle(29, 18, 2, Col(P_SKIN2));
        s.Set(31, 16, Col(P_WHITE));
        s.Set(31, 20, Col(P_WHITE));
    } else {
        s.FillRect(21, 17, 5, 3, Col(P_SKIN1));
        s.FillCircle(26, 18, 2, Col(P_SKIN2));
    }
    s.Set(17, 15, Col(P_METAL3));   // a crease in the shirt
    Shade(s, P_WHITE, P_METAL3, P_WHITE);
    Shade(s, P_SKIN1, P_SKIN0, P_SKIN2);
}

void PaintAniki(Canvas& c) {
    auto R = [&](const std::string& n) { return CellRect("c_aniki.bmp", "aniki " + n); };
    for (int fire = 0; fire < 2; ++fire) {
        std::string t = fire ? "cast" : "fly";
        for (int fr = 0; fr < 2; ++fr)
            CraftInto(c, R(t + CellName(" idle", fr)), kLevel, [&](Canvas& s) { DrawStrongman(s, fr, fire); });
        CraftInto(c, R(t + " up"), kUp, [&](Canvas& s) { DrawStrongman(s, 0, fire); });
        CraftInto(c, R(t + " down"), kDown, [&](Canvas& s) { DrawStrongman(s, 1, fire); });
    }
    // dumbbells turning over
    for (int fr = 0; fr < 4; ++fr)
        SmallInto(c, R(CellName("option", fr)), [&](Canvas& s) {
            double a = fr * kPi / 4;
            int dx = int(std::lround(5 * std::cos(a))), dy = int(std::lround(5 * std::sin(a)));
            s.Line(8 - dx, 8 - dy, 8 + dx, 8 + dy, Col(P_METAL3));
            s.FillCircle(8 - dx, 8 - dy, 2, Col(P_METAL1));
            s.FillCircle(8 + dx, 8 + dy, 2, Col(P_METAL1));
        });
    // flying fists
    for (int fr = 0; fr < 2; ++fr)
        SmallInto(c, R(CellName("fist", fr)), [&](Canvas& s) {
            s.FillCircle(10, 8, 4, Col(P_SKIN1));
            s.FillRect(4, 6, 5, 5, Col(P_SKIN1));
            for (int i = 0; i < 3; ++i) s.Set(12, 6 + 2 * i, Col(P_SKIN0));
            s.HLine(0, 2 + fr, 5, Col(P_WHITE));
            s.HLine(0, 3 - fr, 11, Col(P_WHITE));
            Shade(s, P_SKIN1, P_SKIN0, P_SKIN2);
        });
    // the burst: a flash that spreads and thins
    for (int fr = 0; fr < 3; ++fr)
        GlowInto(c, R(CellName("burst", fr)), [&](Canvas& g) {
            if (fr == 0) Blob(g, 8, 8, 5, 5, GlowRamp({P_WHITE, P_FIRE4, P_FIRE3, P_FIRE1}));
            if (fr == 1) {
                Blob(g, 8, 8, 7, 7, GlowRamp({P_FIRE4, P_FIRE3, P_FIRE2}));
                Twinkle(g, 8, 8, 7, Col(P_FIRE4), Col(P_FIRE2));
            }
            if (fr == 2) Ring(g, 8, 8, 6.5, 6.5, 1.5, GlowRamp({P_FIRE3, P_FIRE2, P_FIRE0}));
        });
    GlowInto(c, R("barrier"), [&](Canvas& g) {
        // an aura of flame licks
        Ring(g, 24, 24, 20, 20, 2.5, GlowRamp({P_FIRE4, P_FIRE3, P_FIRE2, P_FIRE0}));
        for (int k = 0; k < 12; ++k) {
            double a = k * kPi / 6 + 0.2;
            Blob(g, 24 + int(21 * std::cos(a)), 24 + int(21 * std::sin(a)), 2.5, 2.5,
                 GlowRamp({P_FIRE4, P_FIRE2}));
        }
    });
}

// ---------------------------------------------------------------- the golden knight

void DrawKnight(Canvas& s, int frame, bool fire) {
    // cape flapping behind
    if (frame)
        s.FillPolygon({{14, 11}, {2, 13}, {5, 17}, {2, 21}, {13, 20}}, Col(P_ROSE1));
    else
        s.FillPolygon({{14, 11}, {3, 9}, {6, 14}, {3, 19}, {13, 20}}, Col(P_ROSE1));
    // armoured body
    s.FillEllipse(17, 17, 6, 6, Col(P_GOLD2));
    s.FillRect(14, 22, 3, 5, Col(P_GOLD1));
    s.FillRect(19, 22, 3, 4, Col(P_GOLD1));
    // helmet with a plume and a visor slit
    s.FillCircle(20, 9, 4, Col(P_GOLD2));
    s.FillPolygon({{18, 5}, {13, 1}, {11, 4}, {17, 7}}, Col(P_FIRE2));
    s.HLine(20, 24, 9, Col(P_INK));
    // lance
    s.Line(16, 19, 31, 16, Col(P_METAL3));
    s.Line(16, 20, 30, 17, Col(P_METAL2));
    s.FillTriangle({13, 17}, {17, 16}, {17, 22}, Col(P_METAL1));   // guard
    if (fire) {
        s.Set(31, 15, Col(P_WHITE));
        s.Set(30, 14, Col(P_GOLD3));
    }
    Shade(s, P_GOLD2, P_GOLD1, P_GOLD3);
    Shade(s, P_ROSE1, P_ROSE0, P_ROSE2);
}

void PaintLegend(Canvas& c) {
    auto R = [&](const std::string& n) { return CellRect("c_legend.bmp", "legend " + n); };
    for (int fire = 0; fire < 2; ++fire) {
        std::string t = fire ? "cast" : "fly";
        for (int fr = 0; fr < 2; ++fr)
            CraftInto(c, R(t + CellName(" idle", fr)), kLevel, [&](Canvas& s) { DrawKnight(s, fr, fire); });
        CraftInto(c, R(t + " up"), kUp, [&](Canvas& s) { DrawKnight(s, 0, fire); });
        CraftInto(c, R(t + " down"), kDown, [&](Canvas& s) { DrawKnight(s, 1, fire); });
    }
    // glowing crests
    for (int fr = 0; fr < 2; ++fr)
        GlowInto(c, R(CellName("option", fr)), [&](Canvas& g) {
            Blob(g, 8, 8, 6, 6, GlowRamp({P_GOLD3, P_GOLD2, P_GOLD1, P_GOLD0}));
            Twinkle(g, 8, 8, 4 + fr, Col(P_WHITE), Col(P_GOLD3));
        });
    // crescent slashes of light
    for (int fr = 0; fr < 2; ++fr)
        GlowInto(c, R(CellName("slash", fr)), [&](Canvas& g) {
            Ring(g, 4 + fr, 8, 9, 7, 1.6, GlowRamp({P_WHITE, P_GOLD3, P_GOLD2, P_GOLD0}), 290, 70);
        });
    GlowInto(c, R("barrier"), [&](Canvas& g) {
        Ring(g, 24, 24, 21, 21, 3.0, GlowRamp({P_WHITE, P_GOLD3, P_GOLD2, P_GOLD0}));
        g.Line(24, 8, 24, 40, Col(P_GOLD1));
        g.Line(10, 22, 38, 22, Col(P_GOLD1));
    });
}

// ---------------------------------------------------------------- faces on fix.bmp

void PaintFaces(Canvas& c) {
    std::function<void(Canvas&)> faces[10] = {
        [](Canvas& s) {   // the witch: violet hat
            s.FillCircle(8, 10, 4, Col(P_SKIN2));
            s.FillRect(3, 8, 2, 5, Col(P_FIRE2));
            s.FillTriangle({2, 7}, {14, 7}, {6, 0}, Col(P_VIOLET1));
            s.HLine(1, 14, 7, Col(P_VIOLET0));
            s.Set(7, 10, Col(P_INK));
            s.Set(10, 10, Col(P_INK));
            s.Set(9, 13, Col(P_ROSE2));
        },
        [](Canvas& s) {   // the witch charging: dusk hat, a wand star
            s.FillCircle(8, 10, 4, Col(P_SKIN2));
            s.FillRect(3, 8, 2, 5, Col(P_FIRE2));
            s.FillTriangle({2, 7}, {14, 7}, {6, 0}, Col(P_DUSK2));
            s.HLine(1, 14, 7, Col(P_DUSK1));
            s.Set(7, 10, Col(P_INK));
            s.Set(10, 10, Col(P_INK));
            s.Set(13, 2, Col(P_GOLD3));
            s.Set(12, 2, Col(P_GOLD2));
            s.Set(13, 1, Col(P_GOLD2));
        },
        [](Canvas& s) {   // the angel: halo and golden hair
            s.FillCircle(8, 9, 5, Col(P_GOLD2));
            s.FillCircle(8, 10, 4, Col(P_SKIN2));
            s.HLine(4, 12, 7, Col(P_GOLD2));
            s.HLine(5, 11, 1, Col(P_GOLD3));
            s.Set(6, 10, Col(P_INK));
            s.Set(10, 10, Col(P_INK));
        },
        [](Canvas& s) {   // the imp: horns and red skin
            s.FillCircle(8, 9, 5, Col(P_ROSE1));
            s.FillTriangle({3, 6}, {6, 5}, {2, 1}, Col(P_METAL4));
            s.FillTriangle({10, 5}, {13, 6}, {14, 1}, Col(P_METAL4));
            s.Set(6, 9, Col(P_GOLD3));
            s.Set(10, 9, Col(P_GOLD3));
            s.HLine(6, 10, 12, Col(P_INK));
        },
        [](Canvas& s) {   // the paddle
            s.FillEllipse(8, 7, 5, 5, Col(P_WHITE));
            s.FillRect(7, 12, 3, 4, Col(P_EARTH3));
            s.Set(6, 7, Col(P_INK));
            s.Set(10, 7, Col(P_INK));
            s.Set(5, 9, Col(P_ROSE3));
            s.Set(11, 9, Col(P_ROSE3));
        },
        [](Canvas& s) {   // the robot
            s.FillRect(3, 4, 11, 10, Col(P_METAL2));
            s.FillRect(5, 7, 7, 3, Col(P_TEAL2));
            s.VLine(8, 1, 3, Col(P_METAL3));
            s.Set(8, 0, Col(P_FIRE3));
            s.Set(10, 8, Col(P_WHITE));
        },
        [](Canvas& s) {   // the fish
            s.FillEllipse(9, 8, 6, 4, Col(P_METAL3));
            s.FillTriangle({3, 8}, {0, 4}, {0, 12}, Col(P_SKY1));
            s.HLine(4, 13, 6, Col(P_SKY1));
            s.Set(12, 7, Col(P_INK));
        },
        [](Canvas& s) {   // the pastry
            s.FillEllipse(9, 8, 6, 5, Col(P_AMBER1));
            s.FillTriangle({3, 8}, {0, 3}, {0, 13}, Col(P_AMBER1));
            s.Set(12, 6, Col(P_EARTH0));
            s.Set(8, 9, Col(P_EARTH2));
            s.Set(6, 8, Col(P_EARTH2));
        },
        [](Canvas& s) {   // the strongman: flat-top and a grin
            s.FillCircle(8, 9, 5, Col(P_SKIN1));
            s.FillRect(3, 2, 11, 4, Col(P_EARTH0));
            s.Set(6, 9, Col(P_INK));
            s.Set(10, 9, Col(P_INK));
            s.HLine(6, 10, 12, Col(P_WHITE));
        },
        [](Canvas& s) {   // the knight: helmet and plume
            s.FillCircle(8, 9, 5, Col(P_GOLD2));
            s.FillPolygon({{6, 4}, {2, 0}, {1, 3}, {5, 6}}, Col(P_FIRE2));
            s.HLine(5, 12, 9, Col(P_INK));
            s.Set(8, 12, Col(P_GOLD1));
        },
    };
    for (int i = 0; i < 10; ++i) {
        Rect r = CellRect("fix.bmp", CellName("face", i));
        Canvas s(16, 16, kKey);
        faces[i](s);
        s.ShadeShape(Rect{0, 0, 16, 16}, Col(P_SKIN2), Col(P_SKIN1), Col(P_SKIN3));
        Finish(s);
        PutKeyed(c, s, r);
    }
}

// ---------------------------------------------------------------- layouts

void DeclareMaho() {
    Layout l{"c_maho.bmp", "maho"};
    DeclareSheet({l.file, 160, 128, Depth::Rgb24, kKey, "characters 0 and 1: the witch"});
    // Character 0.
    DeclareCraft(l, 0, 32, 2, 64, 96, "0");
    DeclareFrames(l, "familiar", 0, 32, 32, 32, 2, "option of character 0; casting frames 0, 1 of character 1",
                  Copy::Keyed);
    DeclareFrames(l, "bolt", 0, 64, 16, 16, 4, "character 0 forward bolt", Copy::Additive);
    DeclareFrames(l, "star", 0, 80, 16, 16, 3, "character 0 spread and option shot; charge marks of character 1",
                  Copy::Additive);
    Decl(l, "0 barrier", RectWH(64, 48, 48, 48), "barrier of character 0", Copy::Additive);
    // Character 1 reads character 0's sheet: most of its cells are character
    // 0's pictures, so every one of them may overlap.
    Decl(l, "1 idle 2", RectWH(64, 0, 32, 32), "character 1 level flight frame 2 (= character 0 climbing)",
         Copy::Keyed, "*");
    Decl(l, "1 down", RectWH(96, 0, 32, 32), "character 1 diving (= character 0 diving)", Copy::Keyed, "*");
    Decl(l, "1 up", RectWH(128, 0, 32, 32), "character 1 climbing", Copy::Keyed);
    Decl(l, "1 cast idle 2", RectWH(64, 32, 32, 32),
         "character 1 casting frame 2; its lower half is the corner of character 0's barrier", Copy::Keyed, "*");
    Decl(l, "1 cast down", RectWH(96, 32, 32, 32),
         "character 1 casting, diving; its lower left corner is character 0's barrier", Copy::Keyed, "*");
    Decl(l, "1 cast up", RectWH(128, 32, 32, 32), "character 1 casting, climbing", Copy::Keyed);
    DeclareFrames(l, "1 orb", 0, 80, 24, 24, 2, "character 1 level-0 orb (over the stars)", Copy::Additive, "*");
    Decl(l, "1 beam", RectWH(48, 84, 48, 8), "character 1 thin beam (crosses character 0's barrier)",
         Copy::Additive, "*");
    Decl(l, "1 barrier", RectWH(96, 80, 48, 48), "barrier of character 1", Copy::Additive, "*");
    AddPainter(l.file, l.owner, PaintMaho);
}

// Sheets whose craft has firing rows: level rows 0..32, firing rows 32..64.
void DeclareFiringCraft(const Layout& l, int frames, int up, int down) {
    DeclareCraft(l, 0, 32, frames, up, down, "fly");
    DeclareCraft(l, 32, 32, frames, up, down, "cast");
}

void DeclareAngel() {
    Layout l{"c_angel.bmp", "angel"};
    DeclareSheet({l.file, 160, 112, Depth::Rgb24, kKey, "character 2: the angel"});
    DeclareFiringCraft(l, 3, 128, 96);
    DeclareFrames(l, "option", 0, 64, 16, 16, 2, "feather option", Copy::Additive);
    DeclareFrames(l, "charge", 0, 80, 16, 16, 3, "charge marks", Copy::Additive);
    Decl(l, "beam", RectWH(48, 84, 48, 8), "thin beam", Copy::Additive);
    Decl(l, "barrier", RectWH(96, 64, 48, 48), "barrier", Copy::Additive);
    AddPainter(l.file, l.owner, PaintAngel);
}

void DeclareDevil() {
    Layout l{"c_devil.bmp", "devil"};
    DeclareSheet({l.file, 160, 112, Depth::Rgb24, kKey, "character 3: the imp"});
    DeclareFiringCraft(l, 3, 128, 96);
    DeclareFrames(l, "option", 0, 64, 16, 16, 2, "bat option", Copy::Keyed);
    DeclareFrames(l, "fireball", 0, 80, 16, 16, 2, "homing and option shot", Copy::Additive);
    Decl(l, "barrier", RectWH(32, 64, 48, 48), "barrier", Copy::Additive);
    AddPainter(l.file, l.owner, PaintDevil);
}

void DeclareSyamoji() {
    Layout l{"c_syamoji.bmp", "syamoji"};
    DeclareSheet({l.file, 96, 64, Depth::Rgb24, kKey, "character 4: the rice paddle"});
    DeclareCraft(l, 0, 24, 3, -1, -1, "fly");
    DeclareFrames(l, "option", 0, 24, 16, 16, 3, "rice-ball option", Copy::Keyed);
    Decl(l, "grain", RectWH(0, 40, 8, 8), "rice-grain shot", Copy::Keyed);
    Decl(l, "barrier", RectWH(48, 32, 48, 32), "barrier", Copy::Additive);
    AddPainter(l.file, l.owner, PaintSyamoji);
}

void DeclareDigiko() {
    Layout l{"c_digiko.bmp", "digiko"};
    DeclareSheet({l.file, 128, 112, Depth::Rgb24, kKey, "character 5: the pocket robot"});
    DeclareFiringCraft(l, 2, 96, 64);
    DeclareFrames(l, "drone", 0, 64, 16, 16, 2, "drone option, and the shots the options fire", Copy::Keyed);
    DeclareFrames(l, "missile", 0, 80, 16, 16, 2, "homing missile", Copy::Keyed);
    Decl(l, "barrier", RectWH(32, 64, 48, 48), "barrier", Copy::Additive);
    AddPainter(l.file, l.owner, PaintDigiko);
}

void DeclareAji() {
    Layout l{"c_aji.bmp", "aji"};
    DeclareSheet({l.file, 160, 80, Depth::Rgb24, kKey, "character 6: the silver fish"});
    DeclareCraft(l, 0, 32, 3, 128, 96, "fly");
    DeclareFrames(l, "option", 0, 32, 32, 32, 2, "little-fish option", Copy::Keyed);
    Decl(l, "bubble", RectWH(0, 64, 16, 16), "bubble shot", Copy::Keyed);
    Decl(l, "barrier", RectWH(64, 32, 48, 48), "barrier", Copy::Additive);
    AddPainter(l.file, l.owner, PaintAji);
}

void DeclareTaiyaki() {
    Layout l{"c_taiyaki.bmp", "taiyaki"};
    DeclareSheet({l.file, 96, 80, Depth::Rgb24, kKey, "character 7: the fish pastry"});
    // The options are the craft cells themselves, one per option frame.
    DeclareCraft(l, 0, 32, 1, 64, 32, "fly");
    DeclareFrames(l, "bean", 0, 32, 16, 16, 2, "sweet-bean shot", Copy::Keyed);
    Decl(l, "barrier", RectWH(0, 48, 48, 32), "barrier", Copy::Additive);
    AddPainter(l.file, l.owner, PaintTaiyaki);
}

void DeclareAniki() {
    Layout l{"c_aniki.bmp", "aniki"};
    DeclareSheet({l.file, 128, 144, Depth::Rgb24, kKey, "character 8: the strongman"});
    DeclareFiringCraft(l, 2, 96, 64);
    DeclareFrames(l, "option", 0, 64, 16, 16, 4, "dumbbell option", Copy::Keyed);
    DeclareFrames(l, "burst", 0, 80, 16, 16, 3, "burst of the delayed shot", Copy::Additive);
    DeclareFrames(l, "fist", 48, 80, 16, 16, 2, "delayed-burst shot", Copy::Keyed);
    Decl(l, "barrier", RectWH(0, 96, 48, 48), "barrier", Copy::Additive);
    AddPainter(l.file, l.owner, PaintAniki);
}

void DeclareLegend() {
    Layout l{"c_legend.bmp", "legend"};
    DeclareSheet({l.file, 128, 112, Depth::Rgb24, kKey, "character 9: the golden knight"});
    DeclareFiringCraft(l, 2, 96, 64);
    DeclareFrames(l, "option", 0, 64, 16, 16, 2, "crest option", Copy::Additive);
    DeclareFrames(l, "slash", 0, 80, 16, 16, 2, "slash shot", Copy::Additive);
    Decl(l, "barrier", RectWH(64, 64, 48, 48), "barrier", Copy::Additive);
    AddPainter(l.file, l.owner, PaintLegend);
}

}  // namespace

AG_REGISTER(RegisterPlayerCharacters) {
    DeclareMaho();
    DeclareAngel();
    DeclareDevil();
    DeclareSyamoji();
    DeclareDigiko();
    DeclareAji();
    DeclareTaiyaki();
    DeclareAniki();
    DeclareLegend();
    AddPainter("fix.bmp", "faces", PaintFaces);
}
