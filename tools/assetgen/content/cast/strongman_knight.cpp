// The strongman and the golden knight.
//
// Every craft cell, option, shot, charge mark, barrier and burst the craft
// code reads; keyed cells on pure green, additive cells on black.
#include "draw.h"

using namespace ag;
using namespace ag::cast;

namespace {

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
            if (fr == 0) Blob(g, 8, 8, 5, 5, GlowRamp({P_WHITE, P_GOLD3, P_GOLD2, P_GOLD0}));
            if (fr == 1) {
                Blob(g, 8, 8, 7, 7, GlowRamp({P_GOLD3, P_GOLD2, P_GOLD1}));
                Twinkle(g, 8, 8, 7, Col(P_GOLD3), Col(P_GOLD1));
            }
            if (fr == 2) Ring(g, 8, 8, 6.5, 6.5, 1.5, GlowRamp({P_GOLD3, P_GOLD2, P_GOLD0}));
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

AG_REGISTER(RegisterCastStrongmanKnight) {
    DeclareAniki();
    DeclareLegend();
}
