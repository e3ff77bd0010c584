// Stage 3's boss, the Elder Hollow: the drawing of its cells, whose places are boss.txt (its template and entry are in waves.txt).
//
// Stage 3's boss on "stage3_en.bmp": the Elder Hollow, an old oak's spirit
// that circles over the lake with a crown of turning leaves, roots trailing
// and a knothole maw on its left that spits a beam of sap-fire; and its
// weapons, drawn additively on black.
//
// The body (type 37), 128 x 128, three poses side by side from (128, 0):
// frame 0 circling, frame 1 calling the pillar and lasers, frame 2 the beam;
// rows 0 and 128 alternate every 16 frames (leaves and roots sway, the eyes
// flicker). Shots hurt it only in the maw, 32..48 pixels left of its centre
// and up to 16 above it; the rest of it only hurts the player.
// Weapons: the charging glow (544, 0) 48 x 48, shared by the beam and the
// pillar; the beam (160, 288) 320 x 48; the pillar (544, 96) 120 x 240; the
// lasers (160, 256) 320 x 32.
#include <cmath>

#include "../sprite_draw.h"
#include "kit.h"
#include "stage3.h"

namespace {

using namespace ag;
using namespace stagedraw;

const char* const kSheet = stage3::kEnemySheet;
const char* const kOwner = "stage3 boss";

uint32_t Hash(uint32_t a, uint32_t b, uint32_t c) {
    return Hash32(a * 0x9E3779B1u ^ Hash32(b + 0x7F4A7C15u) ^ Hash32(c * 31u + 17u));
}

// The crown: clusters of leaves over the head, lit from the upper left.
void LeafCluster(Canvas& c, int cx, int cy, int r, int body, int shade, int light, uint32_t seed) {
    for (int y = cy - r; y <= cy + r; y++)
        for (int x = cx - r; x <= cx + r; x++) {
            int dx = x - cx, dy = y - cy;
            int rr = r * r + r - int(Hash(x / 2, y / 2, seed) % 6) * r / 3;
            if (dx * dx + dy * dy > rr) continue;
            double n = (-0.6 * dx - dy) / (r * 1.1);
            int tone = n > 0.35 ? light : (n < -0.25 ? shade : body);
            if (Hash(x, y, seed + 3) % 11 == 0) tone = shade;
            c.Set(x, y, P(tone));
        }
}

// pose: 0 circling, 1 calling the lasers, 2 beam; sway: the alternate row.
void DrawBody(Canvas& c, int pose, int sway) {
    const int cx = 72, cy = 68;   // the head's middle (the sprite's centre is 64, 64)
    // A beard of roots hanging from the chin, swaying.
    for (int k = 0; k < 7; k++) {
        int x0 = 44 + k * 8 + (k % 2) * 3, y0 = 96 + (k % 3) * 2;
        int len = 10 + (k * 7) % 16;
        for (int i = 0; i < len; i++) {
            double wave = std::sin((i + k * 3) * 0.45 + (sway ? 1.6 : 0)) * 2.0;
            int x = x0 + int(std::lround(wave)) - i / 4, y = y0 + i;
            c.FillRect(x, y, i < len / 2 ? 3 : 2, 1, P(P_EARTH0));
            c.Set(x, y, P(P_EARTH1));
        }
    }
    // Branches raised when it calls the pillar.
    if (pose == 1) {
        for (int s = -1; s <= 1; s += 2) {
            int bx = cx + s * 26;
            for (int i = 0; i < 26; i++) c.FillRect(bx + s * i / 2, 34 - i, 3, 1, P(P_EARTH1));
        }
    }
    // The trunk-head: a gnarled round of bark, and the burl on the left that holds the maw.
    c.FillEllipse(cx, cy, 38, 34, P(P_EARTH2));
    c.FillEllipse(32, 52, 18, 15, P(P_EARTH2));
    c.ShadeShape(Rect{12, 30, 112, 104}, P(P_EARTH2), P(P_EARTH1), P(P_EARTH3));
    // bark furrows, running round the head
    for (int k = 0; k < 6; k++) {
        int x = 66 + k * 8;
        for (int y = cy - 24 + (k % 2) * 6; y < cy + 30; y++)
            if (Hash(uint32_t(x), uint32_t(y / 3), 7) % 5 != 0) c.Set(x + int(2 * std::sin(y * 0.25 + k)), y, P(P_EARTH1));
    }
    for (int k = 0; k < 3; k++) c.Line(22 + k * 4, 64 + k * 2, 40 + k * 6, 72 + k * 3, P(P_EARTH1));
    // Eyes under heavy brows, glowing; white-hot when it calls the pillar.
    int eye = pose == 1 ? P_WHITE : ((sway && pose == 0) ? P_GOLD2 : P_GOLD3);
    int eyeRim = pose == 1 ? P_GOLD3 : P_FIRE2;
    for (int k = 0; k < 2; k++) {
        int ex = 48 + k * 24, ey = 44 - k * 2;
        c.FillEllipse(ex, ey, 7, 5, kInk);
        c.FillEllipse(ex, ey, 5, 3, P(eyeRim));
        c.FillEllipse(ex - 1, ey, 3, 2, P(eye));
        c.Set(ex - 2, ey - 1, P(P_WHITE));
        int tilt = pose == 2 ? 3 : 0;   // brows knit as it spits
        c.FillRect(ex - 9, ey - 8 + (k ? -tilt : tilt) / 2, 18, 3, P(P_EARTH1));
        c.HLine(ex - 9, ex + 8, ey - 9 + (k ? -tilt : tilt) / 2, P(P_EARTH3));
    }
    // The maw: a knothole at (16..36, 40..62), dim, shut or blazing.
    if (pose == 1) {
        c.FillEllipse(26, 52, 9, 3, kInk);
        c.HLine(18, 34, 52, P(P_EARTH0));
    } else {
        int open = pose == 2 ? 11 : 7;
        c.FillEllipse(26, 51, 10, open, kInk);
        c.FillEllipse(25, 51, 7, open - 3, P(pose == 2 ? P_FIRE3 : P_FIRE1));
        c.FillEllipse(24, 51, 4, std::max(1, open - 6), P(pose == 2 ? P_WHITE : P_FIRE2));
        for (int k = 0; k < 3; k++) {   // teeth of splintered wood
            c.FillTriangle({18 + k * 5, 51 - open + 1}, {22 + k * 5, 51 - open + 1}, {20 + k * 5, 51 - open + 5}, P(P_EARTH3));
            c.FillTriangle({18 + k * 5, 51 + open - 1}, {22 + k * 5, 51 + open - 1}, {20 + k * 5, 51 + open - 5}, P(P_EARTH3));
        }
    }
    // The crown of autumn leaves over the head.
    const int tones[][3] = {{P_FIRE1, P_FIRE0, P_FIRE2}, {P_GOLD1, P_GOLD0, P_GOLD2}, {P_ROSE1, P_ROSE0, P_FIRE2},
                            {P_AMBER1, P_FIRE1, P_AMBER2}};
    for (int k = 0; k < 13; k++) {
        bool inner = k >= 9;
        double a = inner ? kPi * (1.45 + 0.4 * (k - 9) / 3.0) : kPi * (1.36 + 0.70 * k / 8.0);
        int lift = pose == 1 ? 5 : 0;
        int r = inner ? 11 : 12 + (k * 5) % 4;
        double rad = inner ? 30 : 44;
        Point at = Polar(78, 62 - lift, a, rad, rad - 4);
        if (sway) at = {at.x + (k % 2 ? 2 : -1), at.y + (k % 3 == 0 ? 2 : 0)};
        const int* t = tones[(k + (sway ? 1 : 0)) % 4];
        LeafCluster(c, at.x, at.y, r, t[0], t[1], t[2], uint32_t(k * 13 + sway));
    }
    // A few leaves torn loose, drifting behind it.
    for (int k = 0; k < 4; k++) {
        int x = 110 + (k * 7) % 14 + (sway ? 3 : 0), y = 40 + k * 14 + (sway ? 2 : 0);
        c.FillRect(x, y, 3, 2, P(k % 2 ? P_FIRE2 : P_GOLD2));
    }
    Finish(c);
}

// Additive glows on black.
void DrawChargeGlow(Canvas& c) {
    c.Fill(kBlack);
    c.Glow(24, 24, 23, {P(P_WHITE), P(P_GOLD3), P(P_FIRE3), P(P_FIRE2), P(P_FIRE1), P(P_FIRE0)});
    for (int k = 0; k < 8; k++) {   // rays
        double a = k * kPi / 4 + 0.2;
        for (int i = 6; i < 22; i++) {
            Point p = Polar(24, 24, a, i);
            c.Set(p.x, p.y, P(i < 12 ? P_GOLD3 : P_FIRE2));
        }
    }
}

// A horizontal band of light: hot core, then rims fading to black.
void Band(Canvas& c, int h, int core, bool mouthEnd) {
    c.Fill(kBlack);
    const int ramp[] = {P_WHITE, P_GOLD3, P_FIRE4, P_FIRE3, P_FIRE2, P_FIRE1, P_FIRE0};
    for (int x = 0; x < c.w; x++) {
        // the edges ripple along the band
        double wob = 1.5 * std::sin(x * 0.21) + 1.0 * std::sin(x * 0.047 + 1.3);
        double half = h / 2.0 - 2 + wob * 0.5;
        for (int y = 0; y < h; y++) {
            double d = std::fabs(y + 0.5 - h / 2.0);
            if (d > half) continue;
            double u = (d - core) / std::max(1.0, half - core);   // 0 at the core's edge, 1 at the rim
            int i = d <= core ? 0 : 1 + int(u * 5.99);
            if (i > 6) i = 6;
            Rgb col = P(ramp[i]);
            if (i >= 1 && i < 6 && Bayer4(x, y) < 5) col = P(ramp[i + 1]);
            c.Set(x, y, col);
        }
    }
    if (mouthEnd) {   // the beam's root at the maw blooms
        c.Glow(c.w - 14, h / 2, 16, {P(P_WHITE), P(P_GOLD3), P(P_FIRE3), P(P_FIRE2)});
    }
}

void DrawPillar(Canvas& c) {
    c.Fill(kBlack);
    const int ramp[] = {P_WHITE, P_GOLD3, P_GOLD2, P_FIRE3, P_FIRE2, P_FIRE1, P_FIRE0};
    for (int y = 0; y < c.h; y++) {
        double wob = 3 * std::sin(y * 0.09) + 2 * std::sin(y * 0.23 + 0.7);
        double half = 56 + wob * 0.6;
        for (int x = 0; x < c.w; x++) {
            double d = std::fabs(x + 0.5 - c.w / 2.0 - wob * 0.4);
            if (d > half) continue;
            int i = d < 10 ? 0 : 1 + int((d - 10) / (half - 10) * 5.99);
            if (i > 6) i = 6;
            Rgb col = P(ramp[i]);
            if (i >= 1 && i < 6 && Bayer4(x, y) < 6) col = P(ramp[i + 1]);
            c.Set(x, y, col);
        }
    }
    // sparks of sap rising inside
    for (int k = 0; k < 26; k++) {
        int x = 30 + int(Hash(uint32_t(k), 1, 2) % 60), y = int(Hash(uint32_t(k), 3, 4) % 232);
        c.FillRect(x, y, 2, 4, P(P_WHITE));
    }
}

// Paints the i-th cell of boss.txt.
void DrawCell(Canvas& c, int i) {
    if (i < 6) DrawBody(c, i % 3, i / 3);
    else if (i == 6) DrawChargeGlow(c);
    else if (i == 7) Band(c, 32, 3, false);
    else if (i == 8) Band(c, 48, 5, true);
    else DrawPillar(c);
}

}  // namespace

void stage3::RegisterBossCells() { AddCellFile(kSheet, kOwner, "stage3/boss.txt", DrawCell, 10); }

