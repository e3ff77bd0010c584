// The witch (characters 0 and 1 share her sheet).
//
// Every craft cell, option, shot, charge mark, barrier and burst the craft
// code reads; keyed cells on pure green, additive cells on black.
#include "draw.h"

using namespace ag;
using namespace ag::cast;

namespace {

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
    CraftInto(c, R("1 cast idle 2"), kLevel, [&](Canvas& s) { DrawWitch(s, 0, true, P_DUSK3, P_DUSK2, P_DUSK4); });
    CraftInto(c, R("1 cast down"), kDown, [&](Canvas& s) { DrawWitch(s, 1, true, P_DUSK3, P_DUSK2, P_DUSK4); });
    CraftInto(c, R("1 cast up"), kUp, [&](Canvas& s) { DrawWitch(s, 0, true, P_DUSK3, P_DUSK2, P_DUSK4); });
    CraftInto(c, R("1 up"), kUp, [&](Canvas& s) { DrawWitch(s, 1, false, P_VIOLET2, P_VIOLET1, P_VIOLET3); });
    // magic bolt, four frames: a gold orb with a turning sparkle (the
    // player's shots are warm gold and white, never an enemy bullet's hue)
    for (int fr = 0; fr < 4; ++fr)
        GlowInto(c, R(CellName("bolt", fr)), [&](Canvas& g) {
            Blob(g, 8, 8, 6.5, 5.5, GlowRamp({P_WHITE, P_GOLD3, P_GOLD2, P_GOLD1, P_GOLD0}));
            int d = fr % 2 ? 5 : 6;
            if (fr < 2) {
                g.Set(8 + d, 8, Col(P_WHITE));
                g.Set(8 - d, 8, Col(P_GOLD3));
            } else {
                g.Set(8, 8 + d - 1, Col(P_WHITE));
                g.Set(8, 8 - d + 1, Col(P_GOLD3));
            }
        });
    // little stars (also character 1's charge marks), three frames growing
    for (int fr = 0; fr < 3; ++fr)
        GlowInto(c, R(CellName("star", fr)), [&](Canvas& g) {
            Blob(g, 8, 8, 3.5 + fr, 3.5 + fr, GlowRamp({P_WHITE, P_GOLD3, P_GOLD2, P_GOLD0}));
            Twinkle(g, 8, 8, 3 + fr, Col(P_GOLD3), Col(P_GOLD1));
        });
    // character 1's big orb: its two 24 x 24 frames lie over the stars,
    // which keep their own shapes; the row below them is the orb's glow
    for (int fr = 0; fr < 2; ++fr) {
        Rect r = R(CellName("1 orb", fr));
        Rect below{r.l, r.t + 16, r.r, r.b};
        GlowInto(c, below, [&](Canvas& g) {
            Blob(g, 12, -4, 10, 10, GlowRamp({P_GOLD3, P_GOLD2, P_GOLD1, P_GOLD0}));
            Blob(g, 12, -4, 5 + fr, 5 + fr, GlowRamp({P_WHITE, P_GOLD3}));
        });
    }
    // thin beam (character 1)
    GlowInto(c, R("1 beam"), [&](Canvas& g) {
        for (int x = 0; x < 48; ++x) {
            double fade = x < 8 ? x / 8.0 : 1.0;
            for (int y = 0; y < 8; ++y) {
                double v = 1.0 - std::fabs(y - 3.5) / 4.0;
                v *= fade;
                std::vector<Rgb> ramp = {kBlack, Col(P_GOLD0), Col(P_GOLD2), Col(P_GOLD3), Col(P_WHITE)};
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

void DeclareMaho() {
    Layout l{"c_maho.bmp", "maho"};
    DeclareSheet({l.file, 160, 152, Depth::Rgb24, kKey, "characters 0 and 1: the witch"});
    // Character 0.
    DeclareCraft(l, 0, 32, 2, 64, 96, "0");
    DeclareFrames(l, "familiar", 0, 32, 32, 32, 2, "option of character 0; casting frames 0, 1 of character 1",
                  Copy::Keyed);
    DeclareFrames(l, "bolt", 0, 64, 16, 16, 4, "character 0 forward bolt", Copy::Additive);
    DeclareFrames(l, "star", 0, 80, 16, 16, 3, "character 0 spread and option shot; charge marks of character 1",
                  Copy::Additive);
    Decl(l, "0 barrier", RectWH(0, 104, 48, 48), "barrier of character 0", Copy::Additive);
    // Character 1 reads character 0's sheet: its level frame 2 and diving
    // cell are character 0's climbing and diving pictures, its orbs lie over
    // the stars.
    Decl(l, "1 idle 2", RectWH(64, 0, 32, 32), "character 1 level flight frame 2 (= character 0 climbing)",
         Copy::Keyed, "*");
    Decl(l, "1 down", RectWH(96, 0, 32, 32), "character 1 diving (= character 0 diving)", Copy::Keyed, "*");
    Decl(l, "1 up", RectWH(128, 0, 32, 32), "character 1 climbing", Copy::Keyed);
    Decl(l, "1 cast idle 2", RectWH(64, 32, 32, 32), "character 1 casting frame 2", Copy::Keyed);
    Decl(l, "1 cast down", RectWH(96, 32, 32, 32), "character 1 casting, diving", Copy::Keyed);
    Decl(l, "1 cast up", RectWH(128, 32, 32, 32), "character 1 casting, climbing", Copy::Keyed);
    DeclareFrames(l, "1 orb", 0, 80, 24, 24, 2, "character 1 level-0 orb (over the stars)", Copy::Additive, "*");
    Decl(l, "1 beam", RectWH(48, 84, 48, 8), "character 1 thin beam", Copy::Additive);
    Decl(l, "1 barrier", RectWH(96, 80, 48, 48), "barrier of character 1", Copy::Additive);
    AddPainter(l.file, l.owner, PaintMaho);
}

}  // namespace

AG_REGISTER(RegisterCastWitch) {
    DeclareMaho();
}
