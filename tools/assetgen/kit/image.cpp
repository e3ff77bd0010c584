// The palette, the canvas and its drawing, and the bitmap writers.
#include "image.h"

#include <algorithm>
#include <cmath>

namespace ag {

namespace {

const Rgb kPalette[P_COUNT] = {
    {0, 255, 0},       // key
    {0, 0, 0},         // black
    {255, 255, 255},   // white
    {22, 14, 34},      // ink
    // metal
    {40, 42, 58}, {78, 84, 104}, {124, 132, 152}, {176, 182, 198}, {224, 228, 238},
    // skin
    {124, 66, 56}, {188, 114, 90}, {236, 170, 138}, {252, 218, 190},
    // sky
    {24, 38, 92}, {40, 76, 156}, {70, 124, 206}, {118, 174, 232}, {186, 222, 250},
    // dusk
    {30, 20, 46}, {58, 36, 78}, {94, 56, 110}, {140, 84, 140}, {190, 128, 170},
    // leaf
    {18, 40, 36}, {30, 70, 48}, {50, 106, 56}, {96, 146, 66}, {156, 190, 98},
    // fire
    {98, 26, 18}, {170, 50, 26}, {226, 98, 34}, {250, 162, 50}, {255, 228, 132},
    // ice
    {46, 94, 146}, {94, 166, 210}, {160, 216, 242}, {226, 248, 255},
    // gold
    {112, 72, 18}, {178, 128, 34}, {232, 186, 58}, {255, 234, 132},
    // rose
    {106, 18, 44}, {178, 34, 68}, {234, 82, 114}, {255, 162, 188},
    // earth
    {48, 32, 26}, {88, 60, 42}, {136, 96, 66}, {186, 146, 106},
    // violet
    {72, 20, 96}, {136, 40, 160}, {200, 84, 220}, {244, 164, 252},
    // teal
    {16, 64, 72}, {28, 120, 120}, {56, 184, 170}, {150, 236, 214},
    // amber (horizon)
    {150, 70, 60}, {214, 118, 84}, {246, 178, 120},
};

const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// Pick from a ramp at position v in [0, n-1] with ordered dithering.
Rgb RampAt(const std::vector<Rgb>& ramp, double v, int x, int y) {
    if (ramp.empty()) return kBlack;
    int n = int(ramp.size());
    if (v <= 0) return ramp[0];
    if (v >= n - 1) return ramp[n - 1];
    int i = int(std::floor(v));
    double f = v - i;
    int level = int(f * 16.0);
    return (Bayer4(x, y) < level) ? ramp[i + 1] : ramp[i];
}

}  // namespace

TextStyle OutlinedText(int scale, int color, int shade, int outline) {
    TextStyle st;
    st.scale = scale;
    st.color = C(color);
    st.shade = C(shade);
    st.fx = TextFx::Outline;
    st.fxColor = C(outline);
    return st;
}

Rgb C(int palIndex) {
    if (palIndex < 0 || palIndex >= P_COUNT) return kBlack;
    return kPalette[palIndex];
}
int PaletteSize() { return P_COUNT; }
int PaletteIndexOf(Rgb c) {
    for (int i = 0; i < P_COUNT; ++i)
        if (kPalette[i] == c) return i;
    return -1;
}

const std::vector<int>& Ramp(std::string_view name) {
    static const std::map<std::string, std::vector<int>, std::less<>> ramps = {
        {"metal", {P_METAL0, P_METAL1, P_METAL2, P_METAL3, P_METAL4}},
        {"skin", {P_SKIN0, P_SKIN1, P_SKIN2, P_SKIN3}},
        {"sky", {P_SKY0, P_SKY1, P_SKY2, P_SKY3, P_SKY4}},
        {"dusk", {P_DUSK0, P_DUSK1, P_DUSK2, P_DUSK3, P_DUSK4}},
        {"leaf", {P_LEAF0, P_LEAF1, P_LEAF2, P_LEAF3, P_LEAF4}},
        {"fire", {P_FIRE0, P_FIRE1, P_FIRE2, P_FIRE3, P_FIRE4}},
        {"ice", {P_ICE0, P_ICE1, P_ICE2, P_ICE3}},
        {"gold", {P_GOLD0, P_GOLD1, P_GOLD2, P_GOLD3}},
        {"rose", {P_ROSE0, P_ROSE1, P_ROSE2, P_ROSE3}},
        {"earth", {P_EARTH0, P_EARTH1, P_EARTH2, P_EARTH3}},
        {"violet", {P_VIOLET0, P_VIOLET1, P_VIOLET2, P_VIOLET3}},
        {"teal", {P_TEAL0, P_TEAL1, P_TEAL2, P_TEAL3}},
        {"amber", {P_AMBER0, P_AMBER1, P_AMBER2}},
    };
    static const std::vector<int> none;
    auto it = ramps.find(name);
    if (it == ramps.end()) {
        Fail("unknown ramp " + std::string(name));
        return none;
    }
    return it->second;
}

int Bayer4(int x, int y) { return kBayer[y & 3][x & 3]; }

Canvas::Canvas(int width, int height, Rgb fill) : w(width), h(height), px(size_t(width) * height, fill) {}

void Canvas::Fill(Rgb c) { FillRect(0, 0, w, h, c); }

void Canvas::FillRect(int x, int y, int rw, int rh, Rgb c) {
    for (int j = std::max(0, y); j < std::min(h, y + rh); ++j)
        for (int i = std::max(0, x); i < std::min(w, x + rw); ++i) Set(i, j, c);
}

void Canvas::Frame(int x, int y, int rw, int rh, Rgb c) {
    if (rw <= 0 || rh <= 0) return;
    HLine(x, x + rw - 1, y, c);
    HLine(x, x + rw - 1, y + rh - 1, c);
    VLine(x, y, y + rh - 1, c);
    VLine(x + rw - 1, y, y + rh - 1, c);
}

void Canvas::HLine(int x0, int x1, int y, Rgb c) {
    if (x0 > x1) std::swap(x0, x1);
    for (int x = x0; x <= x1; ++x) Set(x, y, c);
}
void Canvas::VLine(int x, int y0, int y1, Rgb c) {
    if (y0 > y1) std::swap(y0, y1);
    for (int y = y0; y <= y1; ++y) Set(x, y, c);
}

void Canvas::Line(int x0, int y0, int x1, int y1, Rgb c) {
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::FillCircle(int cx, int cy, int r, Rgb c) {
    for (int y = -r; y <= r; ++y)
        for (int x = -r; x <= r; ++x)
            if (x * x + y * y <= r * r + r) Set(cx + x, cy + y, c);
}

void Canvas::Circle(int cx, int cy, int r, Rgb c) {
    for (int y = -r; y <= r; ++y)
        for (int x = -r; x <= r; ++x) {
            int d = x * x + y * y;
            if (d <= r * r + r && d > (r - 1) * (r - 1) + (r - 1)) Set(cx + x, cy + y, c);
        }
}

void Canvas::FillEllipse(int cx, int cy, int rx, int ry, Rgb c) {
    if (rx <= 0 || ry <= 0) return;
    double a = rx + 0.5, b = ry + 0.5;
    for (int y = -ry; y <= ry; ++y)
        for (int x = -rx; x <= rx; ++x)
            if ((x * x) / (a * a) + (y * y) / (b * b) <= 1.0) Set(cx + x, cy + y, c);
}

void Canvas::FillPolygon(const std::vector<Point>& pts, Rgb c) {
    if (pts.size() < 3) return;
    int ymin = pts[0].y, ymax = pts[0].y;
    for (auto& p : pts) {
        ymin = std::min(ymin, p.y);
        ymax = std::max(ymax, p.y);
    }
    for (int y = ymin; y <= ymax; ++y) {
        double sy = y + 0.5;
        std::vector<double> xs;
        for (size_t i = 0; i < pts.size(); ++i) {
            // points are pixel centres
            Point a = pts[i], b = pts[(i + 1) % pts.size()];
            double ay = a.y + 0.5, by = b.y + 0.5;
            if ((ay <= sy && by > sy) || (by <= sy && ay > sy))
                xs.push_back(a.x + 0.5 + (sy - ay) * double(b.x - a.x) / (by - ay));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2) {
            int x0 = int(std::ceil(xs[i] - 0.5)), x1 = int(std::floor(xs[i + 1] - 0.5));
            for (int x = x0; x <= x1; ++x) Set(x, y, c);
        }
    }
    // make sure the corner points themselves are set (thin shapes)
    for (auto& p : pts) Set(p.x, p.y, c);
}

void Canvas::Dither(int x, int y, int rw, int rh, Rgb a, Rgb b, int level) {
    for (int j = y; j < y + rh; ++j)
        for (int i = x; i < x + rw; ++i) Set(i, j, Bayer4(i, j) < level ? b : a);
}

void Canvas::GradientV(int x, int y, int rw, int rh, const std::vector<Rgb>& ramp) {
    if (rh <= 0) return;
    for (int j = 0; j < rh; ++j) {
        double v = (rh == 1) ? 0 : double(j) * (ramp.size() - 1) / (rh - 1);
        for (int i = 0; i < rw; ++i) Set(x + i, y + j, RampAt(ramp, v, x + i, y + j));
    }
}

void Canvas::GradientH(int x, int y, int rw, int rh, const std::vector<Rgb>& ramp) {
    if (rw <= 0) return;
    for (int i = 0; i < rw; ++i) {
        double v = (rw == 1) ? 0 : double(i) * (ramp.size() - 1) / (rw - 1);
        for (int j = 0; j < rh; ++j) Set(x + i, y + j, RampAt(ramp, v, x + i, y + j));
    }
}

void Canvas::ShadeBall(int cx, int cy, int r, const std::vector<int>& ramp) {
    if (ramp.empty() || r <= 0) return;
    std::vector<Rgb> cols;
    for (int i : ramp) cols.push_back(C(i));
    // light from the upper left: brightness from the distance to a highlight
    // point up-left of the centre
    double hx = cx - r * 0.4, hy = cy - r * 0.4;
    for (int y = -r; y <= r; ++y)
        for (int x = -r; x <= r; ++x) {
            if (x * x + y * y > r * r + r) continue;
            double d = std::hypot(cx + x - hx, cy + y - hy) / (r * 1.45);
            double v = (1.0 - std::min(1.0, d)) * (cols.size() - 1) + 0.35;
            Set(cx + x, cy + y, RampAt(cols, v, cx + x, cy + y));
        }
}

void Canvas::ShadeShape(const Rect& area, Rgb base, Rgb dark, Rgb light, Rgb nothing) {
    Canvas copy = *this;
    auto solid = [&](int x, int y) { return area.Contains(x, y) && copy.Get(x, y) != nothing; };
    for (int y = area.t; y < area.b; ++y)
        for (int x = area.l; x < area.r; ++x) {
            if (copy.Get(x, y) != base) continue;
            bool edgeUL = !solid(x - 1, y) || !solid(x, y - 1);
            bool edgeDR = !solid(x + 1, y) || !solid(x, y + 1) || !solid(x + 1, y + 1);
            if (edgeDR)
                Set(x, y, dark);
            else if (edgeUL)
                Set(x, y, light);
        }
}

void Canvas::Glow(int cx, int cy, double radius, const std::vector<Rgb>& coreToRim) {
    GlowEllipse(cx, cy, radius, radius, coreToRim);
}

void Canvas::GlowEllipse(int cx, int cy, double rx, double ry, const std::vector<Rgb>& coreToRim) {
    if (rx <= 0 || ry <= 0 || coreToRim.empty()) return;
    std::vector<Rgb> ramp(coreToRim.rbegin(), coreToRim.rend());
    ramp.insert(ramp.begin(), kBlack);   // rim fades to black
    int n = int(ramp.size());
    for (int y = int(-ry) - 1; y <= int(ry) + 1; ++y)
        for (int x = int(-rx) - 1; x <= int(rx) + 1; ++x) {
            double d = std::sqrt((x * x) / (rx * rx) + (y * y) / (ry * ry));
            if (d >= 1.0) continue;
            double v = (1.0 - d) * (n - 1) * 1.15;
            Rgb c = RampAt(ramp, v, cx + x, cy + y);
            if (c == kBlack) continue;
            Rgb old = Get(cx + x, cy + y);
            // keep the brighter of the two so glows stack without holes
            int so = old.r + old.g + old.b, sn = c.r + c.g + c.b;
            if (old == kKey || sn > so) Set(cx + x, cy + y, c);
        }
}

void Canvas::Outline(const Rect& area, Rgb ink, Rgb nothing, bool diagonal) {
    Canvas copy = *this;
    auto solid = [&](int x, int y) { return area.Contains(x, y) && copy.Get(x, y) != nothing; };
    for (int y = area.t; y < area.b; ++y)
        for (int x = area.l; x < area.r; ++x) {
            if (copy.Get(x, y) != nothing) continue;
            bool n = solid(x - 1, y) || solid(x + 1, y) || solid(x, y - 1) || solid(x, y + 1);
            if (!n && diagonal)
                n = solid(x - 1, y - 1) || solid(x + 1, y - 1) || solid(x - 1, y + 1) || solid(x + 1, y + 1);
            if (n) Set(x, y, ink);
        }
}

void Canvas::Noise(const Rect& area, Rgb c, int permille, uint32_t seed) {
    for (int y = area.t; y < area.b; ++y)
        for (int x = area.l; x < area.r; ++x)
            if (Hash32(seed ^ Hash32(uint32_t(x) * 73856093U ^ uint32_t(y) * 19349663U)) % 1000 <
                uint32_t(permille))
                Set(x, y, c);
}

void Canvas::NoiseOnto(const Rect& area, Rgb onto, Rgb c, int permille, uint32_t seed) {
    for (int y = area.t; y < area.b; ++y)
        for (int x = area.l; x < area.r; ++x)
            if (Get(x, y) == onto &&
                Hash32(seed ^ Hash32(uint32_t(x) * 73856093U ^ uint32_t(y) * 19349663U)) % 1000 <
                    uint32_t(permille))
                Set(x, y, c);
}

void Canvas::Replace(const Rect& area, Rgb from, Rgb to) {
    for (int y = area.t; y < area.b; ++y)
        for (int x = area.l; x < area.r; ++x)
            if (In(x, y) && Get(x, y) == from) Set(x, y, to);
}

void Canvas::Blit(const Canvas& src, int x, int y, bool keyed, Rgb key) {
    for (int j = 0; j < src.h; ++j)
        for (int i = 0; i < src.w; ++i) {
            Rgb c = src.px[size_t(j) * src.w + i];
            if (keyed && c == key) continue;
            Set(x + i, y + j, c);
        }
}

Canvas Canvas::Crop(const Rect& r) const {
    Canvas out(r.W(), r.H());
    for (int j = 0; j < r.H(); ++j)
        for (int i = 0; i < r.W(); ++i) out.Set(i, j, Get(r.l + i, r.t + j));
    return out;
}

Canvas Canvas::MirrorH() const {
    Canvas out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) out.px[size_t(j) * w + (w - 1 - i)] = px[size_t(j) * w + i];
    return out;
}

Canvas Canvas::MirrorV() const {
    Canvas out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) out.px[size_t(h - 1 - j) * w + i] = px[size_t(j) * w + i];
    return out;
}

Canvas Canvas::Scaled(int f) const {
    Canvas out(w * f, h * f);
    for (int j = 0; j < out.h; ++j)
        for (int i = 0; i < out.w; ++i) out.px[size_t(j) * out.w + i] = px[size_t(j / f) * w + i / f];
    return out;
}

Canvas Canvas::Rotated(double degrees, Rgb nothing) const {
    Canvas out(w, h, nothing);
    double a = degrees * 3.14159265358979323846 / 180.0, ca = std::cos(a), sa = std::sin(a);
    double cx = (w - 1) / 2.0, cy = (h - 1) / 2.0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // inverse mapping: where does this output pixel come from
            double dx = x - cx, dy = y - cy;
            int sx = int(std::lround(cx + dx * ca + dy * sa)), sy = int(std::lround(cy - dx * sa + dy * ca));
            if (sx >= 0 && sy >= 0 && sx < w && sy < h) out.px[size_t(y) * w + x] = px[size_t(sy) * w + sx];
        }
    return out;
}

void Canvas::Quantize(const Rect& area) {
    for (int y = std::max(0, area.t); y < std::min(h, area.b); ++y)
        for (int x = std::max(0, area.l); x < std::min(w, area.r); ++x) {
            Rgb c = Get(x, y);
            if (c == kKey || PaletteIndexOf(c) >= 0) continue;
            int best = P_BLACK, bestD = 1 << 30;
            for (int i = 1; i < P_COUNT; ++i) {
                Rgb p = kPalette[i];
                int d = (p.r - c.r) * (p.r - c.r) * 3 + (p.g - c.g) * (p.g - c.g) * 4 + (p.b - c.b) * (p.b - c.b) * 2;
                if (d < bestD) {
                    bestD = d;
                    best = i;
                }
            }
            Set(x, y, kPalette[best]);
        }
}

Canvas SpriteFromGrid(const std::vector<std::string>& rows, const std::map<char, Rgb>& legend, Rgb nothing) {
    int gw = 0;
    for (auto& r : rows) gw = std::max(gw, int(r.size()));
    Canvas out(gw, int(rows.size()), nothing);
    for (int y = 0; y < int(rows.size()); ++y)
        for (int x = 0; x < int(rows[y].size()); ++x) {
            char ch = rows[y][x];
            auto it = legend.find(ch);
            if (it != legend.end())
                out.Set(x, y, it->second);
            else if (ch != '.' && ch != ' ')
                Fail(Format("sprite grid: no colour for '%c'", ch));
        }
    return out;
}

// File header and 40-byte info header of an uncompressed, bottom-up bitmap.
static void PutBmpHeaders(Bytes& b, int w, int h, int bits, uint32_t dataOffset, uint32_t dataSize,
                          uint32_t colours) {
    PutText(b, "BM");
    PutLe32(b, dataOffset + dataSize);
    PutLe32(b, 0);
    PutLe32(b, dataOffset);
    PutLe32(b, 40);
    PutLe32(b, uint32_t(w));
    PutLe32(b, uint32_t(h));
    PutLe16(b, 1);
    PutLe16(b, uint16_t(bits));
    PutLe32(b, 0);
    PutLe32(b, dataSize);
    PutLe32(b, 2835);  // 72 dpi
    PutLe32(b, 2835);
    PutLe32(b, colours);
    PutLe32(b, 0);
}

Bytes Bmp24(const Canvas& c) {
    int rowBytes = (c.w * 3 + 3) & ~3;
    uint32_t dataSize = uint32_t(rowBytes) * c.h;
    Bytes b;
    b.reserve(54 + dataSize);
    PutBmpHeaders(b, c.w, c.h, 24, 54, dataSize, 0);
    for (int y = c.h - 1; y >= 0; --y) {
        for (int x = 0; x < c.w; ++x) {
            Rgb p = c.px[size_t(y) * c.w + x];
            b.push_back(p.b);
            b.push_back(p.g);
            b.push_back(p.r);
        }
        for (int i = c.w * 3; i < rowBytes; ++i) b.push_back(0);
    }
    return b;
}

Bytes Bmp8(const Canvas& c, const std::string& name) {
    if (c.w % 4 != 0 || c.w > 1024 || c.w <= 0 || c.h <= 0) {
        Fail(Format("%s: 8-bit sheet must be 4..1024 wide in steps of 4 (is %dx%d)", name.c_str(), c.w, c.h));
        return {};
    }
    uint32_t dataSize = uint32_t(c.w) * c.h;
    Bytes b;
    b.reserve(1078 + dataSize);
    PutBmpHeaders(b, c.w, c.h, 8, 1078, dataSize, 256);
    for (int i = 0; i < 256; ++i) {
        Rgb p = i < P_COUNT ? C(i) : kBlack;
        b.push_back(p.b);
        b.push_back(p.g);
        b.push_back(p.r);
        b.push_back(0);
    }
    // one lookup cache: the palette is small, a linear search per new colour
    std::map<uint32_t, int> cache;
    int bad = 0;
    Point firstBad{0, 0};
    for (int y = c.h - 1; y >= 0; --y)
        for (int x = 0; x < c.w; ++x) {
            Rgb p = c.px[size_t(y) * c.w + x];
            uint32_t k = (uint32_t(p.r) << 16) | (uint32_t(p.g) << 8) | p.b;
            auto it = cache.find(k);
            int idx;
            if (it != cache.end()) {
                idx = it->second;
            } else {
                idx = PaletteIndexOf(p);
                cache[k] = idx;
            }
            if (idx < 0) {
                if (bad++ == 0) firstBad = {x, y};
                idx = 0;
            }
            b.push_back(uint8_t(idx));
        }
    if (bad)
        Fail(Format("%s: %d pixels are not palette colours (first at %d,%d)", name.c_str(), bad, firstBad.x,
                    firstBad.y));
    return b;
}

}  // namespace ag
