// "tama.bmp": every enemy bullet look.
//
// Bullets are drawn with the additive copy, so the sheet's "nothing" is black
// and every bullet is a glow: a white-hot core, a saturated body and a darker
// rim.
#include <cmath>

#include "kit.h"

using namespace ag;

namespace {

const char* kTama = "tama.bmp";

// A ramp (dark to light) as a glow: white core first.
std::vector<Rgb> GlowRamp(const std::vector<int>& r) {
    std::vector<Rgb> out = {C(P_WHITE)};
    for (auto it = r.rbegin(); it != r.rend(); ++it) out.push_back(C(*it));
    return out;
}

void PaintBullets(Canvas& c) {
    // big balls: four colours, a glowing body inside a crisp rim ring. Enemy
    // bullets are red, blue-cyan or pink and never gold: the player's shots
    // and the craft's rim are warm gold and white.
    // The red ball keeps to the fire ramp's reds (its light end is yellow).
    const std::vector<int> ballRamps[4] = {{P_FIRE0, P_ROSE0, P_FIRE1, P_FIRE2}, Ramp("sky"), Ramp("teal"),
                                           Ramp("rose")};
    for (int i = 0; i < 4; ++i) {
        Rect r = CellRect(kTama, CellName("big ball", i));
        int cx = r.l + 12, cy = r.t + 12;
        c.Glow(cx, cy, 11.5, GlowRamp(ballRamps[i]));
        const auto& pr = ballRamps[i];
        c.Circle(cx, cy, 9, C(pr[pr.size() - 2]));
        c.FillCircle(cx, cy, 5, C(pr.back()));
        c.FillCircle(cx, cy, 3, C(P_WHITE));
        c.Set(cx - 2, cy - 2, C(P_WHITE));
    }
    // small bullet: red against the cool dusk, two frames that pulse
    for (int f = 0; f < 2; ++f) {
        Rect r = CellRect(kTama, CellName("small", f));
        auto s = SpriteFromGrid(f == 0 ? std::vector<std::string>{"..oooo..", ".oyyyyo.", "oyyWWyyo", "oyWWWWyo",
                                                                  "oyWWWWyo", "oyyWWyyo", ".oyyyyo.", "..oooo.."}
                                       : std::vector<std::string>{"...oo...", "..oyyo..", ".oyWWyo.", "oyWWWWyo",
                                                                  "oyWWWWyo", ".oyWWyo.", "..oyyo..", "...oo..."},
                                {{'o', C(P_FIRE1)}, {'y', C(P_FIRE2)}, {'W', C(P_WHITE)}}, kBlack);
        c.Blit(s, r.l, r.t, true, kBlack);
    }
    // dart: a small pointed needle of red fire
    {
        Rect r = CellRect(kTama, "dart");
        auto s = SpriteFromGrid({"...oo...", "..oyyo..", ".oyWWyo.", "oyWWWWyo", "oyWWWWyo", ".oyWWyo.",
                                 "..oyyo..", "...oo..."},
                                {{'o', C(P_FIRE0)}, {'y', C(P_FIRE1)}, {'W', C(P_FIRE2)}}, kBlack);
        c.Blit(s, r.l, r.t, true, kBlack);
        c.Set(r.l + 3, r.t + 3, C(P_WHITE));
        c.Set(r.l + 4, r.t + 4, C(P_WHITE));
    }
    // orb: four frames, an icy core with a spark circling it
    for (int f = 0; f < 4; ++f) {
        Rect r = CellRect(kTama, CellName("orb", f));
        int cx = r.l + 8, cy = r.t + 8;
        c.Glow(cx, cy, 7.5, GlowRamp(Ramp("ice")));
        c.FillCircle(cx, cy, 2, C(P_WHITE));
        double a = f * 3.14159265 / 2 + 0.5;
        int sx = cx + int(std::lround(std::cos(a) * 5)), sy = cy + int(std::lround(std::sin(a) * 5));
        c.FillRect(sx - 1, sy - 1, 2, 2, C(P_WHITE));
        c.Set(sx, sy, C(P_ICE3));
    }
    // beam: a long horizontal ray, two frames that shimmer
    for (int f = 0; f < 2; ++f) {
        Rect r = CellRect(kTama, CellName("beam", f));
        int cy = r.t + 8;
        for (int x = r.l; x < r.r; ++x) {
            double ph = (x - r.l) * 0.35 + f * 3.14159;
            double half = 5.5 + std::sin(ph) * 1.2;
            // taper the two ends
            int dEnd = std::min(x - r.l, r.r - 1 - x);
            if (dEnd < 6) half *= (dEnd + 1) / 7.0;
            for (int y = r.t; y < r.b; ++y) {
                double d = std::fabs(y + 0.5 - (cy)) / std::max(0.5, half);
                if (d > 1) continue;
                int tone = d < 0.25 ? 4 : d < 0.5 ? 3 : d < 0.75 ? 2 : 1;
                if (tone == 1 && Bayer4(x, y) < 6) tone = 0;
                static const int teal[5] = {P_TEAL0, P_TEAL1, P_TEAL2, P_TEAL3, P_WHITE};
                c.Set(x, y, C(teal[tone]));
            }
        }
    }
}

}  // namespace

AG_REGISTER(RegisterTamaSheet) {
    DeclareSheet({kTama, 256, 112, Depth::Rgb24, kBlack, "enemy bullets (additive)"});
    for (int i = 0; i < 4; ++i)
        DeclareCell(kTama, CellName("big ball", i), RectWH(24 * i, 0, 24, 24), "big ball bullet, 24 x 24",
                    Copy::Additive, "bullets");
    for (int f = 0; f < 2; ++f)
        DeclareCell(kTama, CellName("small", f), RectWH(8 * f, 24, 8, 8), "small bullet, 2 frames", Copy::Additive,
                    "bullets");
    for (int f = 0; f < 2; ++f)
        DeclareCell(kTama, CellName("beam", f), RectWH(128 * f, 48, 128, 16), "beam, 2 frames", Copy::Additive,
                    "bullets");
    for (int f = 0; f < 4; ++f)
        DeclareCell(kTama, CellName("orb", f), RectWH(16 * f, 64, 16, 16), "orb, 4 frames", Copy::Additive,
                    "bullets");
    DeclareCell(kTama, "dart", {0, 96, 8, 104}, "dart, 1 frame", Copy::Additive, "bullets");
    AddPainter(kTama, "bullets", PaintBullets);
}
