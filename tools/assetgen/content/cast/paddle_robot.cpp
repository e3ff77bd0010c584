// The flying rice paddle and the pocket robot.
//
// Every craft cell, option, shot, charge mark, barrier and burst the craft
// code reads; keyed cells on pure green, additive cells on black.
#include "draw.h"

using namespace ag;
using namespace ag::cast;

namespace {

// ---------------------------------------------------------------- the rice paddle

void DrawPaddle(Canvas& s, int frame) {
    // handle
    s.FillRect(1, 10, 11, 4, Col(P_EARTH3));
    s.HLine(1, 11, 13, Col(P_EARTH2));
    // blade
    s.FillEllipse(20, 12, 9, 8, Col(P_METAL4));
    s.FillEllipse(21, 13, 6, 5, Col(P_WHITE));
    // grains of rice that stick to it
    static const Point grains[3][3] = {{{17, 8}, {25, 15}, {22, 18}},
                                       {{18, 16}, {24, 8}, {15, 12}},
                                       {{23, 17}, {16, 9}, {26, 11}}};
    for (const Point& p : grains[frame % 3]) {
        s.Set(p.x, p.y, Col(P_METAL3));
        s.Set(p.x + 1, p.y, Col(P_METAL3));
    }
    // a cheerful face
    s.Set(20, 11, Col(P_INK));
    s.Set(24, 11, Col(P_INK));
    s.HLine(21, 23, 14, Col(P_INK));
    s.Set(19, 13, Col(P_ROSE3));
    s.Set(25, 13, Col(P_ROSE3));
    Shade(s, P_METAL4, P_METAL2, P_WHITE);
}

void PaintSyamoji(Canvas& c) {
    auto R = [&](const std::string& n) { return CellRect("c_syamoji.bmp", "syamoji " + n); };
    for (int fr = 0; fr < 3; ++fr)
        CraftInto(c, R(CellName("fly idle", fr)), fr == 1 ? kLevel : fr == 0 ? kUp : kDown,
                  [&](Canvas& s) { DrawPaddle(s, fr); });
    // rice balls
    for (int fr = 0; fr < 3; ++fr)
        SmallInto(c, R(CellName("option", fr)), [&](Canvas& s) {
            s.FillTriangle({8, 1}, {1, 14}, {15, 14}, Col(P_WHITE));
            s.FillCircle(8, 9, 5, Col(P_WHITE));
            s.FillRect(5, 10 + (fr == 1), 7, 4, Col(P_LEAF0));   // the seaweed band
            s.Set(4 + 2 * fr, 5, Col(P_METAL3));
            Shade(s, P_WHITE, P_METAL3, P_WHITE);
        });
    SmallInto(c, R("grain"), [&](Canvas& s) {
        s.FillEllipse(4, 4, 2, 1, Col(P_WHITE));
        s.Set(3, 3, Col(P_WHITE));
    });
    GlowInto(c, R("barrier"), [&](Canvas& g) {
        Ring(g, 24, 16, 21, 13, 2.6, GlowRamp({P_WHITE, P_GOLD3, P_EARTH3, P_EARTH2}));
    });
}

// ---------------------------------------------------------------- the pocket robot

void DrawRobot(Canvas& s, int frame, bool fire) {
    // jet flame behind
    int len = frame ? 7 : 4;
    s.FillTriangle({9, 14}, {9, 20}, {9 - len, 17}, Col(P_FIRE3));
    s.FillTriangle({9, 16}, {9, 18}, {9 - len / 2, 17}, Col(P_FIRE4));
    // body box
    s.FillRect(9, 9, 14, 14, Col(P_METAL2));
    s.FillRect(10, 22, 4, 3, Col(P_METAL1));
    s.FillRect(18, 22, 4, 3, Col(P_METAL1));
    // visor
    s.FillRect(15, 12, 8, 4, Col(P_TEAL2));
    s.HLine(16, 19, 12, Col(P_TEAL3));
    s.Set(20, 14, Col(P_WHITE));
    // antenna
    s.Line(13, 9, 11, 4, Col(P_METAL3));
    s.FillCircle(11, 3, 1, Col(frame ? P_FIRE3 : P_ROSE2));
    // arm cannon
    s.FillRect(20, 18, 8, 3, Col(P_METAL1));
    if (fire) {
        s.Set(29, 19, Col(P_GOLD3));
        s.Set(30, 19, Col(P_WHITE));
        s.Set(29, 18, Col(P_FIRE3));
        s.Set(29, 20, Col(P_FIRE3));
    }
    // a panel light
    s.Set(12, 18, Col(frame ? P_LEAF4 : P_TEAL3));
    Shade(s, P_METAL2, P_METAL1, P_METAL3);
}

void PaintDigiko(Canvas& c) {
    auto R = [&](const std::string& n) { return CellRect("c_digiko.bmp", "digiko " + n); };
    for (int fire = 0; fire < 2; ++fire) {
        std::string t = fire ? "cast" : "fly";
        for (int fr = 0; fr < 2; ++fr)
            CraftInto(c, R(t + CellName(" idle", fr)), kLevel, [&](Canvas& s) { DrawRobot(s, fr, fire); });
        CraftInto(c, R(t + " up"), kUp, [&](Canvas& s) { DrawRobot(s, 1, fire); });
        CraftInto(c, R(t + " down"), kDown, [&](Canvas& s) { DrawRobot(s, 0, fire); });
    }
    // drones (the options, and the shots the options fire)
    for (int fr = 0; fr < 2; ++fr)
        SmallInto(c, R(CellName("drone", fr)), [&](Canvas& s) {
            s.FillRect(3, 5, 10, 7, Col(P_METAL3));
            s.FillRect(8, 7, 4, 2, Col(P_TEAL2));
            s.HLine(2 + fr, 13 - fr, 3, Col(P_METAL1));   // rotor
            s.VLine(8, 3, 5, Col(P_METAL1));
            s.Set(4, 10, Col(fr ? P_FIRE3 : P_LEAF4));
            Shade(s, P_METAL3, P_METAL2, P_METAL4);
        });
    // homing missiles
    for (int fr = 0; fr < 2; ++fr)
        SmallInto(c, R(CellName("missile", fr)), [&](Canvas& s) {
            s.FillRect(4, 7, 8, 3, Col(P_METAL4));
            s.FillTriangle({12, 6}, {12, 10}, {15, 8}, Col(P_GOLD2));
            s.FillTriangle({4, 5}, {6, 7}, {4, 7}, Col(P_METAL2));
            s.FillTriangle({4, 10}, {6, 10}, {4, 12}, Col(P_METAL2));
            s.HLine(1, 3, 8, Col(fr ? P_FIRE4 : P_FIRE3));
            if (fr) s.Set(0, 8, Col(P_FIRE2));
        });
    GlowInto(c, R("barrier"), [&](Canvas& g) {
        // a hexagonal shield
        for (int k = 0; k < 6; ++k) {
            double a0 = k * kPi / 3, a1 = (k + 1) * kPi / 3;
            for (int w = 0; w < 3; ++w) {
                int rr = 21 - w;
                g.Line(24 + int(rr * std::cos(a0)), 24 + int(rr * std::sin(a0)), 24 + int(rr * std::cos(a1)),
                       24 + int(rr * std::sin(a1)), Col(w == 1 ? P_TEAL3 : P_TEAL1));
            }
        }
        Ring(g, 24, 24, 14, 14, 1.0, GlowRamp({P_TEAL2, P_TEAL0}));
    });
}

void DeclareSyamoji() {
    Layout l{"c_syamoji.bmp", "syamoji"};
    DeclareSheet({l.file, 96, 64, Depth::Rgb24, kKey, "character 4: the rice paddle"});
    DeclareCraft(l, 0, 24, 3, -1, -1, "fly");
    DeclareFrames(l, "option", 0, 24, 16, 16, 3, "rice-ball option", Copy::Keyed);
    Decl(l, "grain", RectWH(0, 40, 8, 8), "rice-grain shot", Copy::Keyed);
    Decl(l, "barrier", RectWH(48, 32, 48, 32), "barrier", Copy::Additive);
    AddPainter(l.file, l.owner, PaintSyamoji);
}

void DeclareDigiko() {
    Layout l{"c_digiko.bmp", "digiko"};
    DeclareSheet({l.file, 128, 112, Depth::Rgb24, kKey, "character 5: the pocket robot"});
    DeclareFiringCraft(l, 2, 96, 64);
    DeclareFrames(l, "drone", 0, 64, 16, 16, 2, "drone option, and the shots the options fire", Copy::Keyed);
    DeclareFrames(l, "missile", 0, 80, 16, 16, 2, "homing missile", Copy::Keyed);
    Decl(l, "barrier", RectWH(32, 64, 48, 48), "barrier", Copy::Additive);
    AddPainter(l.file, l.owner, PaintDigiko);
}

}  // namespace

AG_REGISTER(RegisterCastPaddleRobot) {
    DeclareSyamoji();
    DeclareDigiko();
}
