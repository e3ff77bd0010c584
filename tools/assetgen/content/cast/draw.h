// Drawing helpers and sheet-map shorthands shared by the character sheets.
#pragma once

#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "kit.h"

namespace ag::cast {


constexpr double kPi = 3.14159265358979323846;

enum Pose { kLevel, kUp, kDown };

inline Rgb Col(int p) { return C(p); }

// Glow ramps, core to rim.
inline std::vector<Rgb> GlowRamp(std::initializer_list<int> pal) {
    std::vector<Rgb> v;
    for (int p : pal) v.push_back(C(p));
    return v;
}

inline int Bright(Rgb c) { return c.r + c.g + c.b; }

// Pick from a rim-to-core ramp at v with ordered dithering.
inline Rgb Dithered(const std::vector<Rgb>& rimToCore, double v, int x, int y) {
    int n = int(rimToCore.size());
    if (v <= 0) return rimToCore[0];
    if (v >= n - 1) return rimToCore[n - 1];
    int i = int(std::floor(v));
    int level = int((v - i) * 16.0);
    return Bayer4(x, y) < level ? rimToCore[i + 1] : rimToCore[i];
}

// A glowing ring (ellipse line) on a black canvas, brightest on the line.
inline void Ring(Canvas& c, double cx, double cy, double rx, double ry, double width, const std::vector<Rgb>& coreToRim,
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
inline void Blob(Canvas& c, int cx, int cy, double rx, double ry, const std::vector<Rgb>& coreToRim) {
    c.GlowEllipse(cx, cy, rx, ry, coreToRim);
}

// A four-pointed twinkle.
inline void Twinkle(Canvas& c, int x, int y, int arm, Rgb core, Rgb rim) {
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
inline Canvas Tilt(const Canvas& s, double k) {
    Canvas o(s.w, s.h, kKey);
    int cx = s.w / 2;
    for (int x = 0; x < s.w; ++x) {
        int dy = int(std::lround((x - cx) * k));
        for (int y = 0; y < s.h; ++y) o.px[size_t(y) * s.w + x] = s.Get(x, y + dy);
    }
    return o;
}

inline void Finish(Canvas& s) { s.Outline(Rect{0, 0, s.w, s.h}, Col(P_INK)); }

// The craft's rim: a pale gold line around the ink outline, so the craft reads
// on every stage's scenery, dark or light (no scenery uses it near the play
// band, and only the player's own shots share its warm hue).
inline void Rim(Canvas& s) {
    std::vector<Point> rim;
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x) {
            if (s.Get(x, y) != kKey) continue;
            bool edge = false;
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                const int nx = x + dx, ny = y + dy;
                edge |= nx >= 0 && ny >= 0 && nx < s.w && ny < s.h && s.Get(nx, ny) == Col(P_INK);
            }
            if (edge) rim.push_back({x, y});
        }
    for (const Point& p : rim) s.Set(p.x, p.y, Col(P_GOLD3));
}

inline void Shade(Canvas& s, int base, int dark, int light) {
    s.ShadeShape(Rect{0, 0, s.w, s.h}, Col(base), Col(dark), Col(light));
}

// Keyed sprite into its cell.
inline void PutKeyed(Canvas& sheet, const Canvas& s, const Rect& r) {
    ClipScope cs(sheet, r);
    sheet.Blit(s, r.l, r.t, true);
}

// Additive picture into its cell: black where nothing, and where another
// reading shares the pixels the brighter of the two stays.
inline void PutGlow(Canvas& sheet, const Canvas& g, const Rect& r) {
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
// outlines it (a craft cell also gets its rim) and puts it in the cell.
inline void CraftInto(Canvas& sheet, const Rect& r, Pose pose, const std::function<void(Canvas&)>& draw,
                      bool rim = true) {
    Canvas s(r.W(), r.H(), kKey);
    draw(s);
    if (pose == kUp) s = Tilt(s, 0.22);
    if (pose == kDown) s = Tilt(s, -0.22);
    Finish(s);
    if (rim) Rim(s);
    PutKeyed(sheet, s, r);
}

inline void SmallInto(Canvas& sheet, const Rect& r, const std::function<void(Canvas&)>& draw) {
    Canvas s(r.W(), r.H(), kKey);
    draw(s);
    Finish(s);
    PutKeyed(sheet, s, r);
}

inline void GlowInto(Canvas& sheet, const Rect& r, const std::function<void(Canvas&)>& draw) {
    Canvas g(r.W(), r.H(), kBlack);
    draw(g);
    PutGlow(sheet, g, r);
}

// ---------------------------------------------------------------- sheet map

struct Layout {
    std::string file, owner;
};

inline void Decl(const Layout& l, const std::string& name, Rect r, const std::string& what, Copy copy,
          const std::string& share = "") {
    DeclareCell(l.file, l.owner + " " + name, r, what, copy, l.owner, share);
}

// Craft cells of a 32-wide craft: idle frames at animNo x 32, moving cells.
inline void DeclareCraft(const Layout& l, int top, int h, int idleFrames, int up, int down, const std::string& tag,
                  const std::string& share = "") {
    for (int f = 0; f < idleFrames; ++f)
        Decl(l, tag + CellName(" idle", f), RectWH(32 * f, top, 32, h), "craft " + tag + ", level flight",
             Copy::Keyed, share);
    if (up >= 0) Decl(l, tag + " up", RectWH(up, top, 32, h), "craft " + tag + ", climbing", Copy::Keyed, share);
    if (down >= 0)
        Decl(l, tag + " down", RectWH(down, top, 32, h), "craft " + tag + ", diving", Copy::Keyed, share);
}

inline void DeclareFrames(const Layout& l, const std::string& name, int x, int y, int w, int h, int frames,
                   const std::string& what, Copy copy, const std::string& share = "") {
    for (int f = 0; f < frames; ++f)
        Decl(l, CellName(name, f), RectWH(x + w * f, y, w, h), what, copy, share);
}

// Sheets whose craft has firing rows: level rows 0..32, firing rows 32..64.
inline void DeclareFiringCraft(const Layout& l, int frames, int up, int down) {
    DeclareCraft(l, 0, 32, frames, up, down, "fly");
    DeclareCraft(l, 32, 32, frames, up, down, "cast");
}

}  // namespace ag::cast
