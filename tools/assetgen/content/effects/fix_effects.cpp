// Explosions and sparks on "fix.bmp".
//
// All are drawn with the additive copy, so their "nothing" is black and
// brightness is what they add.
#include <cmath>

#include "kit.h"

namespace {

using namespace ag;

const char* const kFix = "fix.bmp";
const char* const kOwner = "effects";

constexpr int kSmallFrames = 6, kLargeFrames = 7;  // as the game plays them


// One explosion frame: a hot core that swells and cools, with flying
// embers; t runs 0..1 over the animation. The large one is drawn only 16
// pixels above the enemy's centre, so its fireball sits near the top of the
// cell and its smoke and debris fall below.
void Blast(Canvas& c, const Rect& r, double t, uint32_t seed, bool large) {
    c.FillRect(r, kBlack);
    Canvas cell(r.W(), r.H(), kBlack);
    const int cx = r.W() / 2;
    const int cy = large ? 16 + int(t * 30) : r.H() / 2;
    const double R = large ? 22 + 16 * t : r.W() / 2.0 - 1;
    std::vector<Rgb> hot = {C(P_WHITE), C(P_FIRE4), C(P_FIRE3), C(P_FIRE2), C(P_FIRE1)};
    std::vector<Rgb> warm = {C(P_FIRE4), C(P_FIRE3), C(P_FIRE2), C(P_FIRE1), C(P_FIRE0)};
    std::vector<Rgb> cool = {C(P_FIRE2), C(P_FIRE1), C(P_FIRE0), C(P_ROSE0)};
    const auto& ramp = t < 0.35 ? hot : (t < 0.7 ? warm : cool);
    double body = R * (0.5 + 0.45 * std::sqrt(t));
    // the fireball breaks up into puffs as it cools
    Rng rng(seed);
    int puffs = 3 + int(t * 6);
    for (int i = 0; i < puffs; i++) {
        double a = rng.Unit() * 6.28318, d = body * 0.55 * rng.Unit();
        double pr = body * (0.55 + 0.3 * rng.Unit()) * (1.0 - 0.3 * t);
        cell.Glow(cx + int(std::cos(a) * d), cy + int(std::sin(a) * d), pr, ramp);
    }
    if (t < 0.5) cell.Glow(cx, cy, body * (0.6 - t), {C(P_WHITE), C(P_FIRE4), C(P_FIRE3)});
    // embers thrown outward
    int embers = 6 + int(R / 4);
    for (int i = 0; i < embers; i++) {
        double a = rng.Unit() * 6.28318;
        double d = R * (0.3 + 0.7 * t) * (0.7 + 0.3 * rng.Unit());
        int ex = cx + int(std::cos(a) * d), ey = cy + int(std::sin(a) * d);
        if (large) ey += int(t * t * 30 * rng.Unit());  // debris falls
        cell.Set(ex, ey, t < 0.6 ? C(P_FIRE4) : C(P_FIRE2));
    }
    c.Blit(cell, r.l, r.t, false);
}

// A spark: a four-pointed glint.
void Glint(Canvas& c, const Rect& r, int arm, const std::vector<Rgb>& ramp) {
    c.FillRect(r, kBlack);
    const int cx = r.l + 8, cy = r.t + 8;
    for (int i = 1; i <= arm; i++) {
        Rgb col = ramp[size_t(std::min<int>(int(ramp.size()) - 1, (arm - i) * int(ramp.size()) / arm))];
        c.Set(cx + i, cy, col);
        c.Set(cx - i, cy, col);
        c.Set(cx, cy + i, col);
        c.Set(cx, cy - i, col);
    }
    c.FillRect(cx - 1, cy - 1, 3, 3, ramp.back());
    c.Set(cx, cy, C(P_WHITE));
}

}  // namespace

AG_REGISTER(RegisterFixEffects) {
    // The cells are laid out with the rest of fix.bmp; this paints them.
    AddPainter(kFix, kOwner, [](Canvas& c) {
        for (int f = 0; f < kSmallFrames; f++)
            Blast(c, CellRect(kFix, CellName("small explosion", f)), f / double(kSmallFrames - 1), 0x5ca11u, false);
        for (int f = 0; f < kLargeFrames; f++)
            Blast(c, CellRect(kFix, CellName("large explosion", f)), f / double(kLargeFrames - 1), 0x1a26eu, true);
        Glint(c, CellRect(kFix, "spark 0"), 6, {C(P_GOLD1), C(P_GOLD2), C(P_GOLD3), C(P_WHITE)});
        Glint(c, CellRect(kFix, "spark 1"), 3, {C(P_FIRE1), C(P_FIRE2), C(P_FIRE3)});
    });
}
