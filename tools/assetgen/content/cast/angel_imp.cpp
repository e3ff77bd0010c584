// The winged girl and the little imp.
//
// Every craft cell, option, shot, charge mark, barrier and burst the craft
// code reads; keyed cells on pure green, additive cells on black.
#include "draw.h"

using namespace ag;
using namespace ag::cast;

namespace {

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
            Blob(g, 7 + fr, 8, 7, 5 + fr, GlowRamp({P_GOLD2, P_GOLD1, P_GOLD0}));
            Blob(g, 9, 8, 4, 3, GlowRamp({P_WHITE, P_GOLD3, P_GOLD2}));
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

}  // namespace

AG_REGISTER(RegisterCastAngelImp) {
    DeclareAngel();
    DeclareDevil();
}
