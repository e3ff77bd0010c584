// Stage 1's scenery props (see props.h).
#include "props.h"

#include <algorithm>
#include <cmath>

namespace stage1 {

namespace {
constexpr double kPi = 3.14159265358979323846;
}  // namespace

Rgb Mix(int a, int b, int level, int x, int y) {
    level = std::clamp(level, 0, 16);
    return ag::Bayer4(x, y) < level ? C(b) : C(a);
}

uint32_t Hash(uint32_t a, uint32_t b, uint32_t c) {
    return ag::Hash32(a * 0x9E3779B1u ^ ag::Hash32(b + 0x7F4A7C15u) ^ ag::Hash32(c * 31u + 17u));
}

// Triangle wave 0..1 with period p (pixels), phase ph in 0..1.
double Tri(double x, double p, double ph) {
    double f = x / p + ph;
    f -= std::floor(f);
    return 1.0 - std::fabs(2.0 * f - 1.0);
}
double Sin(double x, double p, double ph) { return std::sin(2 * kPi * (x / p + ph)); }

// Colour of one solid pixel of a shape lit from the upper left; solid(x, y)
// says which pixels belong to the shape.
Rgb ShadeShape(const std::function<bool(int, int)>& solid, int x, int y, Tones t, int bottomFade) {
    if (!solid(x - 1, y) || !solid(x, y - 1)) return (!solid(x, y - 1) && solid(x - 1, y)) ? C(t.rim) : C(t.light);
    if (!solid(x - 2, y - 2) || !solid(x - 1, y - 3)) return Mix(t.body, t.light, 10, x, y);
    if (!solid(x + 1, y) || !solid(x, y + 1) || !solid(x + 1, y + 1)) return C(t.shade);
    if (!solid(x + 3, y + 2) || !solid(x + 2, y + 3)) return Mix(t.body, t.shade, 8, x, y);
    if (bottomFade > 0) return Mix(t.body, t.shade, bottomFade, x, y);
    return C(t.body);
}

// A round puff lit from the upper left, painted over whatever is there.
void Puff(Canvas& cv, int cx, int cy, int r, Tones t) {
    for (int y = cy - r; y <= cy + r; y++)
        for (int x = cx - r; x <= cx + r; x++) {
            int dx = x - cx, dy = y - cy;
            int d2 = dx * dx + dy * dy;
            if (d2 > r * r + r) continue;
            double d = std::sqrt(double(d2));
            double n = (-0.6 * dx - dy) / (r * 1.17);   // toward the light, mostly from above
            Rgb c;
            if (d > r - 1.3 && n > 0.25)
                c = C(t.light);
            else if (n > 0.3)
                c = Mix(t.body, t.light, int(4 + (n - 0.3) * 24), x, y);
            else if (n < -0.15)
                c = Mix(t.body, t.shade, int(2 + (-n - 0.15) * 22), x, y);
            else
                c = C(t.body);
            cv.Set(x, y, c);
        }
}

// --- stamps: small pictures placed on the tile grid

Canvas CloudHeap(int w, int h, uint32_t seed, Tones t) {
    Canvas cv(w, h);
    ag::Rng rng(seed);
    // A dome of puffs: back row low and wide, then smaller puffs climbing to
    // the crown, each painted over the ones behind it.
    int rMax = std::min(h / 3, 18);
    int n = w / 9 + 2;
    for (int pass = 0; pass < 2; pass++)
        for (int i = 0; i < n; i++) {
            int r = rng.Between(std::max(5, rMax / 2), rMax);
            int cx = rng.Between(r, w - r - 1);
            double u = (cx + 0.5) / w;
            double dome = (h - 2 * r - 2) * std::sqrt(std::max(0.0, 1 - (2 * u - 1) * (2 * u - 1)));
            int cy = h - r - int(dome * (pass == 0 ? rng.Between(30, 70) : rng.Between(75, 100)) / 100);
            Puff(cv, cx, cy, r, t);
        }
    // Flat base so it sits on the band below.
    for (int x = 0; x < w; x++)
        for (int y = h - 6; y < h; y++)
            if (cv.Get(x, y) == ag::kKey && x > 6 && x < w - 7) cv.Set(x, y, Mix(t.body, t.shade, 8, x, y));
    // The low sun catches the heap's outer top edge only.
    for (int y = h - 1; y > 0; y--)
        for (int x = 1; x < w; x++)
            if (cv.Get(x, y) != ag::kKey && cv.Get(x, y - 1) == ag::kKey && (x < w * 2 / 3 || cv.Get(x - 1, y) == ag::kKey))
                cv.Set(x, y, C(t.rim));
    return cv;
}

// Thin evening cloud lit from below by the low sun.
Canvas Streak(int w, int h, uint32_t seed) {
    Canvas cv(w, h);
    ag::Rng rng(seed);
    double cy = h / 2.0;
    for (int x = 0; x < w; x++) {
        double u = (x + 0.5) / w;
        double half = (h / 2.0 - 1) * std::sqrt(std::max(0.0, 1 - (2 * u - 1) * (2 * u - 1))) *
                      (0.75 + 0.25 * Sin(x, w / 2.0, rng.Unit() * 0 + seed % 7 / 7.0));
        for (int y = 0; y < h; y++) {
            double d = y - cy;
            if (std::fabs(d) > half) continue;
            Rgb c;
            if (d > half - 1.5)
                c = C(ag::P_AMBER0);   // underside glow
            else if (d < -half + 1.2)
                c = C(ag::P_DUSK3);
            else
                c = Mix(ag::P_DUSK2, ag::P_DUSK3, 6, x, y);
            cv.Set(x, y, c);
        }
    }
    return cv;
}

// A floating island: grassy top, rock tapering down, roots; maybe a ruin.
Canvas Island(int w, int h, uint32_t seed, bool ruin, bool far) {
    Canvas cv(w, h);
    ag::Rng rng(seed);
    int top = ruin ? h / 2 : h / 3;   // room above for a tower or tree
    auto rockHalf = [&](int y) {
        double u = double(y - top) / (h - top);
        return (w / 2.0 - 2) * std::pow(std::max(0.0, 1 - u), 0.8);
    };
    std::vector<int> jag(w);
    for (int x = 0; x < w; x++) jag[x] = int(3 * Tri(x, 9, seed % 5 / 5.0) + 2 * Tri(x, 5, 0.3));
    auto solid = [&](int x, int y) {
        if (x < 0 || x >= w || y < top || y >= h) return false;
        double half = rockHalf(y);
        double dx = std::fabs(x - w / 2.0 + 0.5);
        if (dx > half) return false;
        if (y > top + 4 && y > h - 2 - jag[x] - int((half - dx) / 2)) return false;
        return true;
    };
    Tones rock = far ? Tones{ag::P_DUSK1, ag::P_DUSK2, ag::P_DUSK3, ag::P_DUSK4} : kRock;
    for (int y = top; y < h; y++)
        for (int x = 0; x < w; x++)
            if (solid(x, y)) {
                int fade = std::clamp((y - top) * 16 / std::max(1, h - top) - 4, 0, 14);
                Rgb c = ShadeShape(solid, x, y, rock, fade);
                if (y < top + 3) c = (y == top) ? C(far ? ag::P_DUSK3 : ag::P_LEAF2) : C(far ? ag::P_DUSK2 : ag::P_LEAF1);
                if (!far && y >= top + 3 && (Hash(x, y, seed) % 23) == 0) c = C(ag::P_EARTH0);
                cv.Set(x, y, c);
            }
    // Hanging roots.
    if (!far)
        for (int k = 0; k < w / 12; k++) {
            int x = rng.Between(w / 4, w * 3 / 4);
            int y0 = top + 4;
            while (y0 < h && solid(x, y0)) y0++;
            int len = rng.Between(3, 9);
            for (int i = 0; i < len && y0 + i < h; i++) cv.Set(x + (i > len / 2 ? 1 : 0), y0 + i, C(ag::P_EARTH0));
        }
    if (ruin) {
        // A broken tower with one lit window.
        int tw = std::max(8, w / 6), tx = w / 2 - tw / 2 - w / 8, th = top - 4;
        Tones stone = far ? Tones{ag::P_DUSK1, ag::P_DUSK2, ag::P_DUSK3, ag::P_DUSK3}
                          : Tones{ag::P_INK, ag::P_METAL0, ag::P_METAL1, ag::P_AMBER0};
        auto tower = [&](int x, int y) {
            if (x < tx || x >= tx + tw || y >= top + 1) return false;
            int broken = 4 + int(3 * Tri(x, 7, 0.2));
            return y >= top - th + (x > tx + tw / 2 ? broken : 0) + 2;
        };
        for (int y = 0; y <= top; y++)
            for (int x = tx; x < tx + tw; x++)
                if (tower(x, y)) cv.Set(x, y, ShadeShape(tower, x, y, stone, 0));
        int wy = top - th / 2;
        cv.FillRect(tx + tw / 2 - 1, wy, 2, 3, C(far ? ag::P_DUSK4 : ag::P_AMBER1));
    } else {
        // A round tree on top.
        int r = std::max(5, w / 10);
        int cx = w / 2 + rng.Between(-w / 8, w / 8);
        cv.FillRect(cx - 1, top - r, 2, r, C(ag::P_EARTH0));
        Puff(cv, cx, top - r - 2, r, far ? Tones{ag::P_DUSK1, ag::P_DUSK2, ag::P_DUSK3, ag::P_DUSK3}
                                         : Tones{ag::P_INK, ag::P_LEAF0, ag::P_LEAF1, ag::P_AMBER0});
    }
    return cv;
}

// A pine of stacked tiers; snow on the tiers' upper edges.
Canvas Pine(int w, int h, Tones t, int snow, int trunk) {
    Canvas cv(w, h);
    int trunkH = std::max(3, h / 10);
    int crownH = h - trunkH;
    int tiers = std::max(2, crownH / 14);
    auto solid = [&](int x, int y) {
        if (x < 0 || x >= w || y < 0 || y >= crownH) return false;
        double u = double(y) / crownH;                       // 0 top .. 1 bottom
        double tierPos = u * tiers - std::floor(u * tiers);  // 0 at each tier's top
        double half = (w / 2.0 - 1) * (0.25 + 0.75 * u) * (0.55 + 0.45 * tierPos);
        if (y < 2) half = 1;
        return std::fabs(x - w / 2.0 + 0.5) <= half;
    };
    for (int y = 0; y < crownH; y++)
        for (int x = 0; x < w; x++) {
            if (!solid(x, y)) continue;
            Rgb c = ShadeShape(solid, x, y, t, 0);
            // Snow lies where the tier above leaves an upper edge, on the lit side.
            bool onEdge = !solid(x, y - 1) || !solid(x, y - 2);
            if (onEdge && x < w / 2 + 2) c = C(snow);
            else if (onEdge) c = Mix(t.body, snow, 6, x, y);
            cv.Set(x, y, c);
        }
    cv.FillRect(w / 2 - 1, crownH, 3, trunkH, C(trunk));
    return cv;
}

// A rock pillar rising out of the cloud sea.
Canvas Spire(int w, int h, uint32_t seed) {
    Canvas cv(w, h);
    auto half = [&](int y) {
        double u = double(y) / h;
        return (w / 2.0 - 1) * (0.35 + 0.65 * std::sqrt(u)) * std::min(1.0, (y + 1) / 18.0) +
               1.5 * Sin(y, 23, seed % 10 / 10.0);
    };
    auto solid = [&](int x, int y) {
        if (x < 0 || x >= w || y < 0 || y >= h) return y >= h && x >= 0 && x < w && std::fabs(x - w / 2.0) < w / 2.0 - 1;
        return std::fabs(x - w / 2.0 + 0.5) <= half(y);
    };
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            if (solid(x, y)) {
                Rgb c = ShadeShape(solid, x, y, kRock, 0);
                if ((Hash(x / 3, y / 5, seed) % 11) == 0 && c == C(kRock.body)) c = C(ag::P_INK);   // cracks
                cv.Set(x, y, c);
            }
    // A faint violet crystal glinting on the summit.
    cv.Set(w / 2, 5, C(ag::P_VIOLET1));
    cv.Set(w / 2 - 1, 6, C(ag::P_VIOLET0));
    cv.Set(w / 2, 6, C(ag::P_VIOLET1));
    return cv;
}

// A log cabin under snow with a warm window.
Canvas Cabin(int w, int h, bool lamp) {
    Canvas cv(w, h);
    int roofTop = h / 3, wallTop = h / 2 + 2;
    for (int y = wallTop; y < h; y++)
        for (int x = 6; x < w - 6; x++)
            cv.Set(x, y, ((y - wallTop) % 4 == 3) ? C(ag::P_INK) : Mix(ag::P_EARTH0, ag::P_EARTH1, x < w / 2 ? 6 : 2, x, y));
    for (int y = roofTop; y < wallTop + 2; y++) {
        int inset = (wallTop + 2 - y) * (w / 2 - 2) / (wallTop + 2 - roofTop);
        for (int x = 2 + (w / 2 - 2 - inset); x < w - 2 - (w / 2 - 2 - inset); x++) {
            bool lit = x < w / 2;
            cv.Set(x, y, y <= roofTop + 1 ? C(ag::P_METAL2) : lit ? Mix(ag::P_METAL1, ag::P_METAL2, 6, x, y) : C(ag::P_METAL0));
        }
    }
    cv.FillRect(w - 14, roofTop - 6, 4, 10, C(ag::P_INK));   // chimney
    cv.FillRect(w - 14, roofTop - 7, 4, 1, C(ag::P_METAL1));
    int wx = w / 2 - 4, wy = wallTop + 4;
    cv.FillRect(wx - 1, wy - 1, 8, 7, C(ag::P_INK));
    cv.FillRect(wx, wy, 6, 5, C(ag::P_AMBER1));
    cv.FillRect(wx, wy, 3, 2, C(ag::P_AMBER2));
    if (lamp) {
        cv.FillRect(7, wallTop + 2, 2, 2, C(ag::P_AMBER2));
    }
    return cv;
}

// A lantern post by the path.
Canvas Lantern(int h) {
    Canvas cv(16, h);
    cv.FillRect(7, 6, 2, h - 6, C(ag::P_INK));
    cv.FillRect(5, 2, 6, 6, C(ag::P_INK));
    cv.FillRect(6, 3, 4, 4, C(ag::P_AMBER1));
    cv.FillRect(6, 3, 2, 2, C(ag::P_AMBER2));
    cv.FillRect(4, 1, 8, 1, C(ag::P_METAL1));
    return cv;
}

// A distant castle of ice on the ridge at the end of the valley.
Canvas Castle(int w, int h) {
    Canvas cv(w, h);
    struct Tower { int x, width, top; };
    const Tower towers[] = {{8, 12, 40}, {26, 10, 22}, {42, 16, 4}, {64, 10, 26}, {80, 12, 44}};
    auto solid = [&](int x, int y) {
        if (x < 0 || x >= w || y < 0) return false;
        if (y >= h) return x >= 4 && x < w - 4;
        if (y >= h - 22 && x >= 4 && x < w - 4) return true;   // the wall
        for (const Tower& t : towers) {
            int cx = t.x + t.width / 2;
            if (x < t.x || x >= t.x + t.width) continue;
            if (y >= t.top + t.width) return true;
            // Pointed roof.
            int rise = std::abs(x - cx) * 2;
            if (y >= t.top + rise) return true;
        }
        return false;
    };
    Tones ice{ag::P_DUSK1, ag::P_DUSK2, ag::P_ICE0, ag::P_METAL2};
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            if (solid(x, y)) cv.Set(x, y, ShadeShape(solid, x, y, ice, 0));
    for (const Tower& t : towers) cv.FillRect(t.x + t.width / 2 - 1, t.top + t.width + 6, 2, 3, C(ag::P_ICE1));
    cv.FillRect(w / 2 - 3, h - 12, 6, 12, C(ag::P_INK));   // gate
    return cv;
}

// Dark tuft of cloud for the foreground (the sky half).
Canvas FrontTuft(int w, int h, uint32_t seed, bool hanging) {
    Canvas cv = CloudHeap(w, h, seed, kFront);
    if (hanging) cv = cv.MirrorV();
    return cv;
}

// Snow-laden branch reaching in from the top (the valley's foreground).
Canvas Bough(int w, int h, uint32_t seed) {
    Canvas cv(w, h);
    ag::Rng rng(seed);
    auto limbY = [&](int x) { return 3 + x * (h / 2 - 4) / w; };
    // Sprays of needles hanging from the limb, widest near the limb.
    for (int k = 0; k < w / 5; k++) {
        int x0 = rng.Between(4, w - 4);
        int len = rng.Between(h / 4, h / 2 + (w - x0) * (h / 3) / w);
        int y0 = limbY(x0);
        for (int i = 0; i < len && y0 + i < h; i++) {
            int half = std::max(1, (len - i) / 5);
            for (int dx = -half; dx <= half; dx++) {
                int x = x0 + dx + i / 6;
                cv.Set(x, y0 + i, C((dx + i) % 3 == 0 ? ag::P_DUSK0 : ag::P_INK));
            }
        }
    }
    // The limb, 3 pixels thick, snow along its top.
    for (int x = 0; x < w; x++) {
        int y = limbY(x);
        cv.FillRect(x, y - 1, 1, 3, C(ag::P_INK));
        if (x % 9 != 4) cv.Set(x, y - 2, C(ag::P_METAL1));
        if (x % 5 == 1) cv.Set(x, y - 3, C(ag::P_METAL2));
    }
    return cv;
}

// Places a stamp with its top-left on the grid (column, row) of a layer.
void Stamp(Canvas& layer, const Canvas& s, int col, int row) { layer.Blit(s, col * 16, row * 16); }

// --- the far layer: 640 x 240, repeating every 640 pixels


}  // namespace stage1
