// "fix.bmp", the stage's shared sheet: the layout of every rectangle on it, and the HUD.
//
// "fix.bmp", the shared sheet of the stage: HUD, faces, items and their
// labels, explosions, sparks, flakes, the technique flash and the screen
// captions. This file lays out the whole sheet (every rectangle the game
// reads) and draws the HUD. The other owners' cells get simple first
// drawings registered as placeholders: a content file that registers a
// painter for the same owner replaces them.
#include <cmath>

#include "kit.h"

using namespace ag;

namespace {

const char* kFix = "fix.bmp";

// Gold lettering with an ink outline: the HUD's one text look.
TextStyle HudText(int scale) {
    TextStyle st;
    st.color = C(P_GOLD3);
    st.shade = C(P_GOLD2);
    st.scale = scale;
    st.fx = TextFx::Outline;
    st.fxColor = C(P_INK);
    return st;
}

void DeclareFixLayout() {
    DeclareSheet({kFix, 800, 288, Depth::Rgb24, kKey, "shared sprites of a stage: HUD, items, effects, captions"});
    auto cell = [](const std::string& name, Rect r, const std::string& what, Copy copy, const std::string& owner,
                   const std::string& share = "") { DeclareCell(kFix, name, r, what, copy, owner, share); };

    // HUD (PutStatus, PutMater)
    cell("score caption", {0, 0, 80, 16}, "caption left of the score", Copy::Keyed, "hud");
    for (int d = 0; d < 10; ++d)
        cell(CellName("digit", d), RectWH(80 + 16 * d, 0, 16, 16), "score digit", Copy::Keyed, "hud");
    cell("meter frame", {0, 16, 96, 32}, "meter frame; bar at x 36..85, y 7..12; stock digit at x 5", Copy::Keyed,
         "hud");
    for (int n = 0; n < 5; ++n)
        cell(CellName("stock", n), RectWH(96 + 16 * n, 16, 16, 16), "stock digit (0: no stock)", Copy::Keyed, "hud");
    cell("stock blink", {176, 16, 192, 32}, "blink picture of the stock digit", Copy::Keyed, "hud");
    cell("gauge frame", {192, 28, 224, 32}, "charge gauge frame under the craft; bars at x 1..30, y 1..2",
         Copy::Keyed, "hud");
    for (int c = 0; c < 10; ++c)
        cell(CellName("face", c), RectWH(16 * c, 32, 16, 16), "life icon of character " + std::to_string(c),
             Copy::Keyed, "faces");

    // items and their labels
    static const char* kinds[4] = {"option", "barrier", "life", "shot"};
    for (int k = 0; k < 4; ++k)
        for (int f = 0; f < 3; ++f)
            cell(Format("item %s %d", kinds[k], f), RectWH(48 * k + 16 * f, 48, 16, 16),
                 Format("item %s, frame %d", kinds[k], f), Copy::Keyed, "items");
    for (int b = 0; b < 2; ++b) {
        cell(CellName("label option", b), RectWH(96 + 48 * b, 96, 48, 8), "pick-up label: option", Copy::Keyed,
             "items");
        cell(CellName("label barrier", b), RectWH(48 * b, 104, 48, 8), "pick-up label: barrier", Copy::Keyed,
             "items");
        cell(CellName("label life", b), RectWH(192 + 32 * b, 96, 32, 8), "pick-up label: life", Copy::Keyed,
             "items");
        cell(CellName("label shot", b), RectWH(48 * b, 96, 48, 8), "pick-up label: shot level", Copy::Keyed,
             "items");
    }

    // effects
    for (int f = 0; f < 6; ++f)
        cell(CellName("small explosion", f), RectWH(32 * f, 64, 32, 32), "small explosion, centred", Copy::Additive,
             "effects");
    for (int f = 0; f < 7; ++f)
        cell(CellName("large explosion", f), RectWH(96 * f, 112, 96, 96),
             "large explosion; the enemy centre is at (48, 16) of the cell", Copy::Additive, "effects");
    cell("spark 0", {192, 64, 208, 80}, "hit spark, first 5 frames", Copy::Additive, "effects");
    cell("spark 1", {192, 80, 208, 96}, "hit spark, last 5 frames", Copy::Additive, "effects");
    cell("flake 1", {224, 64, 240, 80}, "stage 1 flake, kind 1 (fast)", Copy::Additive, "flakes");
    cell("flake 2", {240, 64, 256, 80}, "stage 1 flake, kind 2 (slow, near)", Copy::Additive, "flakes");
    for (int i = 0; i < 10; ++i)
        cell(CellName("flash", i), RectWH(80 * i, 208, 80, 80), "technique release flash around the craft",
             Copy::Additive, "flash");

    // screen captions
    cell("continue caption", {240, 0, 464, 48}, "continue screen caption", Copy::Keyed, "captions");
    cell("choice A", {464, 0, 544, 48}, "continue choice: yes", Copy::Keyed, "captions");
    cell("choice B", {544, 0, 624, 48}, "continue choice: no", Copy::Keyed, "captions");
    cell("stage clear", {256, 72, 480, 112}, "stage clear caption (224 x 40)", Copy::Keyed, "captions");

    // The stage-6 streak reads the sheet's top-left corner, where the HUD
    // pieces lie; it shows whatever is there (stage 6 is never played).
    cell("streak", {0, 0, 64, 64}, "stage 6 speed streak: reads the HUD corner", Copy::Keyed, "streak", "*");
}

// ---- HUD -------------------------------------------------------------

void DrawDigitCell(Canvas& c, Rect r, char d, const TextStyle& st) { DrawTextCentered(c, r, std::string(1, d), st); }

void PaintHud(Canvas& c) {
    // score caption: "SCORE" in the HUD lettering, with a small star before it
    Rect cap = CellRect(kFix, "score caption");
    TextStyle big = HudText(2);
    DrawText(c, cap.l + 14, cap.t + 1, "SCORE", big);
    auto star = SpriteFromGrid({"..#..", ".###.", "#####", ".###.", "..#.."},
                               {{'#', C(P_VIOLET3)}});
    c.Blit(star, cap.l + 3, cap.t + 5);
    c.Outline(RectWH(cap.l + 2, cap.t + 4, 7, 7), C(P_INK));

    for (int d = 0; d < 10; ++d) DrawDigitCell(c, CellRect(kFix, CellName("digit", d)), char('0' + d), big);

    // meter frame: a socket for the stock digit at the left, a trough for
    // the bar (x 36..85, y 7..12 of the cell) and gold rims
    Rect m = CellRect(kFix, "meter frame");
    int x0 = m.l, y0 = m.t;
    // plate behind everything
    c.FillRect(x0 + 2, y0 + 3, 90, 10, C(P_DUSK1));
    c.HLine(x0 + 2, x0 + 91, y0 + 3, C(P_DUSK3));
    c.HLine(x0 + 2, x0 + 91, y0 + 12, C(P_DUSK0));
    // socket circle under the stock digit (digit drawn at x 5..20)
    c.FillCircle(x0 + 12, y0 + 8, 7, C(P_DUSK2));
    c.Circle(x0 + 12, y0 + 8, 7, C(P_GOLD2));
    // a small crystal between socket and trough: the meter is magic
    {
        auto gem = SpriteFromGrid({"..a..", ".abc.", "abbcc", ".bcc.", "..c.."},
                                  {{'a', C(P_ICE3)}, {'b', C(P_ICE2)}, {'c', C(P_ICE1)}});
        c.Blit(gem, x0 + 25, y0 + 5);
    }
    // trough: dark inside, gold rim around (bar area 36..85 x 7..12)
    c.FillRect(x0 + 35, y0 + 6, 52, 8, C(P_GOLD1));
    c.FillRect(x0 + 36, y0 + 7, 50, 6, C(P_DUSK0));
    c.HLine(x0 + 35, x0 + 86, y0 + 6, C(P_GOLD3));
    // tick marks every 10 points under the trough
    for (int i = 0; i <= 5; ++i) c.VLine(x0 + 36 + 10 * i, y0 + 14, y0 + 14, C(P_GOLD2));
    c.Outline(m, C(P_INK));

    // stock digits: 0 is a dim empty socket number, 1..4 bright
    for (int n = 0; n < 5; ++n) {
        Rect r = CellRect(kFix, CellName("stock", n));
        TextStyle st = HudText(2);
        if (n == 0) {
            st.color = C(P_METAL3);
            st.shade = C(P_METAL2);
        } else {
            st.color = C(P_ICE3);
            st.shade = C(P_ICE1);
        }
        DrawDigitCell(c, r, char('0' + n), st);
    }
    // blink picture: a four-pointed sparkle that replaces the digit
    {
        Rect r = CellRect(kFix, "stock blink");
        auto sp = SpriteFromGrid({"...............",
                                  ".......w.......",
                                  ".......w.......",
                                  "......www......",
                                  "......wyw......",
                                  ".....wyyyw.....",
                                  "..wwwyyWyywww..",
                                  "wwwyyyWWWyyywww",
                                  "..wwwyyWyywww..",
                                  ".....wyyyw.....",
                                  "......wyw......",
                                  "......www......",
                                  ".......w.......",
                                  ".......w.......",
                                  "..............."},
                                 {{'w', C(P_ICE2)}, {'y', C(P_GOLD3)}, {'W', C(P_WHITE)}});
        c.Blit(sp, r.l, r.t + 1);
        c.Outline(r, C(P_INK));
    }
    // gauge frame: 32 x 4, a dark trough with light rims
    {
        Rect g = CellRect(kFix, "gauge frame");
        c.FillRect(g, C(P_INK));
        c.HLine(g.l + 1, g.r - 2, g.t, C(P_METAL3));
        c.HLine(g.l + 1, g.r - 2, g.b - 1, C(P_METAL1));
        c.FillRect(g.l + 1, g.t + 1, g.W() - 2, 2, C(P_DUSK0));
    }
}

// ---- first drawings of the other owners (placeholders) --------------

void PaintFaces(Canvas& c) {
    // a round face per character, each with its own hair colour
    static const int hair[10] = {P_VIOLET1, P_ROSE2, P_GOLD2, P_DUSK2, P_EARTH2,
                                 P_TEAL2,   P_METAL3, P_FIRE2, P_EARTH1, P_GOLD3};
    for (int i = 0; i < 10; ++i) {
        Rect r = CellRect(kFix, CellName("face", i));
        int cx = r.l + 7, cy = r.t + 8;
        c.FillCircle(cx, cy, 6, C(hair[i]));
        c.FillCircle(cx, cy + 1, 5, C(P_SKIN2));
        c.FillRect(cx - 5, cy - 5, 11, 3, C(hair[i]));
        c.Set(cx - 2, cy + 1, C(P_INK));
        c.Set(cx + 2, cy + 1, C(P_INK));
        c.Set(cx - 1, cy + 4, C(P_ROSE1));
        c.Set(cx, cy + 4, C(P_ROSE1));
        c.Set(cx - 3, cy - 2, C(P_WHITE));
        c.Outline(r, C(P_INK));
    }
}

void PaintItems(Canvas& c) {
    // a spinning gem per kind with its letter: option, barrier, life, shot
    static const char letters[4] = {'O', 'B', '1', 'P'};
    static const char* ramps[4] = {"violet", "ice", "rose", "gold"};
    static const char* kinds[4] = {"option", "barrier", "life", "shot"};
    for (int k = 0; k < 4; ++k)
        for (int f = 0; f < 3; ++f) {
            Rect r = CellRect(kFix, Format("item %s %d", kinds[k], f));
            int rx = f == 1 ? 5 : (f == 2 ? 3 : 7);   // turning: wide, narrow, edge
            const auto& ramp = Ramp(ramps[k]);
            c.FillEllipse(r.l + 8, r.t + 8, rx, 7, C(ramp[1]));
            c.FillEllipse(r.l + 8 - rx / 3, r.t + 7, std::max(1, rx - 2), 5, C(ramp[2]));
            c.Set(r.l + 8 - rx / 2, r.t + 4, C(ramp[3]));
            if (rx >= 5)
                DrawText(c, r.l + 6, r.t + 5, std::string(1, letters[k]),
                         TextStyle{C(P_WHITE), 1, TextFx::None, kBlack, C(ramp[3])});
            c.Outline(r, C(P_INK));
        }
    static const char* texts[4] = {"OPTION", "BARRIER", "1UP", "POWER"};
    static const char* names[4] = {"label option", "label barrier", "label life", "label shot"};
    for (int k = 0; k < 4; ++k)
        for (int b = 0; b < 2; ++b) {
            Rect r = CellRect(kFix, CellName(names[k], b));
            // 7-pixel letters in an 8-pixel cell: a drop shadow is the only
            // room for contrast; the two pictures alternate white and gold
            TextStyle st{b ? C(P_GOLD3) : C(P_WHITE), 1, TextFx::Shadow, C(P_INK), kBlack};
            int tw = TextWidth(texts[k]);
            DrawText(c, r.l + (r.W() - tw - 1) / 2, r.t, texts[k], st);
        }
}

std::vector<Rgb> FireRamp() { return {C(P_WHITE), C(P_FIRE4), C(P_FIRE3), C(P_FIRE2), C(P_FIRE1), C(P_FIRE0)}; }

void PaintEffects(Canvas& c) {
    // fill additive cells with their nothing (black) first
    for (auto* cell : CellsOf(kFix, "effects")) c.FillRect(cell->r, kBlack);
    auto fire = FireRamp();
    // small explosion: flash, fireball, breaking up, embers
    for (int f = 0; f < 6; ++f) {
        Rect r = CellRect(kFix, CellName("small explosion", f));
        ClipScope cs(c, r);
        int cx = r.l + 16, cy = r.t + 16;
        static const double radii[6] = {8, 10.5, 12, 13.5, 14.5, 15.5};
        double rad = radii[f];
        std::vector<Rgb> ramp(fire.begin() + std::min(f, 3), fire.end());
        c.Glow(cx, cy, rad, ramp);
        if (f == 0) c.FillCircle(cx, cy, 3, C(P_WHITE));
        if (f == 1) c.Glow(cx, cy, 6, {C(P_WHITE), C(P_FIRE4)});
        Rng rng(100 + f);
        int blobs = 3 + f;
        for (int i = 0; i < blobs; ++i) {
            double a = rng.Unit() * 6.283, d = rad * (0.5 + 0.5 * rng.Unit());
            c.Glow(cx + int(std::cos(a) * d), cy + int(std::sin(a) * d), 2 + rng.Range(3) + (f < 3 ? 1 : 0),
                   std::vector<Rgb>(ramp.begin() + std::min<int>(int(ramp.size()) - 1, f / 2), ramp.end()));
        }
        if (f >= 3)   // hollow out the centre as it burns out
            c.Glow(cx, cy, rad * 0.45 * (f - 2) / 3.0, {C(P_FIRE0)});
    }
    // large explosion: centre at (48, 16) of the cell, debris falling below
    for (int f = 0; f < 7; ++f) {
        Rect r = CellRect(kFix, CellName("large explosion", f));
        ClipScope cs(c, r);
        int cx = r.l + 48, cy = r.t + 18;
        double rad = 8 + f * 2.6;
        std::vector<Rgb> ramp(fire.begin() + std::min(f / 2, 3), fire.end());
        c.GlowEllipse(cx, cy, rad * 1.3, std::min(rad, 17.0), ramp);
        Rng rng(200 + f);
        for (int i = 0; i < 10; ++i) {
            double a = rng.Unit() * 6.283;
            double d = rad * (0.4 + 0.7 * rng.Unit());
            int bx = cx + int(std::cos(a) * d * 1.2), by = cy + int(std::sin(a) * d * 0.7);
            c.Glow(bx, std::max(r.t + 4, by), 3 + rng.Range(4), ramp);
        }
        // embers raining down, further each frame
        for (int i = 0; i < 14; ++i) {
            int ex = cx + int(rng.Signed() * (10 + 5 * f));
            int ey = cy + 6 + int(rng.Unit() * (10 + 9 * f));
            if (ey < r.b - 3) c.Glow(ex, ey, 1.6 + (f < 4), {C(P_FIRE4), C(P_FIRE2)});
        }
        if (f >= 4) c.Glow(cx, cy, rad * 0.3 * (f - 3), {C(P_FIRE0)});
    }
    // sparks: a bright cross, then a smaller fading one
    {
        Rect a = CellRect(kFix, "spark 0"), b = CellRect(kFix, "spark 1");
        c.Glow(a.l + 8, a.t + 8, 4.5, {C(P_WHITE), C(P_ICE3), C(P_ICE1)});
        c.HLine(a.l + 1, a.l + 14, a.t + 8, C(P_ICE2));
        c.VLine(a.l + 8, a.t + 1, a.t + 14, C(P_ICE2));
        c.HLine(a.l + 5, a.l + 11, a.t + 8, C(P_WHITE));
        c.VLine(a.l + 8, a.t + 5, a.t + 11, C(P_WHITE));
        c.Glow(b.l + 8, b.t + 8, 3, {C(P_ICE2), C(P_ICE1), C(P_ICE0)});
        for (int i = -4; i <= 4; i += 8) {
            c.Set(b.l + 8 + i, b.t + 8 + i, C(P_ICE1));
            c.Set(b.l + 8 + i, b.t + 8 - i, C(P_ICE1));
        }
    }
}

void PaintFlakes(Canvas& c) {
    Rect k1 = CellRect(kFix, "flake 1"), k2 = CellRect(kFix, "flake 2");
    c.FillRect(k1, kBlack);
    c.FillRect(k2, kBlack);
    // kind 1: small round flake
    c.Glow(k1.l + 8, k1.t + 8, 3.5, {C(P_WHITE), C(P_ICE2), C(P_ICE0)});
    // kind 2: a six-armed crystal
    int cx = k2.l + 7, cy = k2.t + 7;
    for (int a = 0; a < 6; ++a) {
        double ang = a * 3.14159265 / 3;
        int ex = cx + int(std::lround(std::cos(ang) * 6)), ey = cy + int(std::lround(std::sin(ang) * 6));
        c.Line(cx, cy, ex, ey, C(P_ICE2));
    }
    c.Set(cx, cy, C(P_WHITE));
    c.FillCircle(cx, cy, 1, C(P_ICE3));
}

void PaintFlash(Canvas& c) {
    // ten frames: a ring of light opening around the craft, with runes of
    // sparkles, fading at the end
    for (int i = 0; i < 10; ++i) {
        Rect r = CellRect(kFix, CellName("flash", i));
        ClipScope cs(c, r);
        c.FillRect(r, kBlack);
        int cx = r.l + 40, cy = r.t + 40;
        double rad = 8 + i * 3.4;
        int fade = i < 6 ? 0 : i - 5;
        std::vector<Rgb> ring = {C(P_WHITE), C(P_VIOLET3), C(P_VIOLET2), C(P_VIOLET1), C(P_VIOLET0)};
        ring.erase(ring.begin(), ring.begin() + std::min(fade, 3));
        // ring: draw as a thin band of glow points
        for (int a = 0; a < 360; a += 4) {
            double ang = a * 3.14159265 / 180;
            c.Glow(cx + int(std::lround(std::cos(ang) * rad)), cy + int(std::lround(std::sin(ang) * rad)), 2.5,
                   ring);
        }
        if (i < 4) c.Glow(cx, cy, 14 - i * 3, {C(P_WHITE), C(P_ICE3), C(P_ICE2)});
        // sparkles on the ring, turning each frame
        for (int s = 0; s < 6; ++s) {
            double ang = (s * 60 + i * 12) * 3.14159265 / 180;
            int sx = cx + int(std::lround(std::cos(ang) * rad)), sy = cy + int(std::lround(std::sin(ang) * rad));
            Rgb col = fade >= 3 ? C(P_VIOLET2) : C(P_WHITE);
            c.HLine(sx - 3, sx + 3, sy, col);
            c.VLine(sx, sy - 3, sy + 3, col);
        }
    }
}

void PaintCaptions(Canvas& c) {
    DrawTextCentered(c, CellRect(kFix, "continue caption"), "CONTINUE?", OutlinedText(3, P_GOLD3, P_FIRE3));
    DrawTextCentered(c, CellRect(kFix, "choice A"), "YES", OutlinedText(3, P_ICE3, P_SKY3));
    DrawTextCentered(c, CellRect(kFix, "choice B"), "NO", OutlinedText(3, P_ROSE3, P_ROSE2));
    DrawTextCentered(c, CellRect(kFix, "stage clear"), "STAGE CLEAR", OutlinedText(3, P_GOLD3, P_GOLD2));
}

}  // namespace

AG_REGISTER(RegisterFixSheet) {
    DeclareFixLayout();
    AddPainter(kFix, "hud", PaintHud);
    AddPainter(kFix, "faces", PaintFaces, true);
    AddPainter(kFix, "items", PaintItems, true);
    AddPainter(kFix, "effects", PaintEffects, true);
    AddPainter(kFix, "flakes", PaintFlakes, true);
    AddPainter(kFix, "flash", PaintFlash, true);
    AddPainter(kFix, "captions", PaintCaptions, true);
    AddPainter(kFix, "streak", [](Canvas&) {}, true);   // shares the HUD's pixels
}
