// The silver fish and the fish-shaped pastry.
//
// Every craft cell, option, shot, charge mark, barrier and burst the craft
// code reads; keyed cells on pure green, additive cells on black.
#include "draw.h"

using namespace ag;
using namespace ag::cast;

namespace {

// ---------------------------------------------------------------- the silver fish

void DrawFish(Canvas& s, int frame, int tone, int toneDark, int toneLight, int back) {
    // tail: three positions of the flick
    int t = frame == 0 ? -3 : frame == 1 ? 0 : 3;
    s.FillPolygon({{8, 16}, {1, 9 + t}, {3, 16}, {1, 23 + t}}, Col(back));
    // body
    s.FillEllipse(17, 16, 11, 6, Col(tone));
    s.FillEllipse(17, 14, 9, 3, Col(back));
    s.HLine(9, 26, 19, Col(toneLight));
    // the scute line along the side
    for (int x = 9; x <= 24; x += 2) s.Set(x, 16, Col(toneDark));
    // fins
    s.FillTriangle({14, 10}, {19, 10}, {13, 6}, Col(back));
    s.FillTriangle({15, 21}, {19, 21}, {14, 24}, Col(back));
    // eye and mouth
    s.FillCircle(24, 14, 1, Col(P_WHITE));
    s.Set(25, 14, Col(P_INK));
    s.Set(28, 17, Col(P_INK));
    Shade(s, tone, toneDark, toneLight);
}

void PaintAji(Canvas& c) {
    auto R = [&](const std::string& n) { return CellRect("c_aji.bmp", "aji " + n); };
    for (int fr = 0; fr < 3; ++fr)
        CraftInto(c, R(CellName("fly idle", fr)), kLevel,
                  [&](Canvas& s) { DrawFish(s, fr, P_METAL3, P_METAL1, P_METAL4, P_SKY1); });
    CraftInto(c, R("fly up"), kUp, [&](Canvas& s) { DrawFish(s, 0, P_METAL3, P_METAL1, P_METAL4, P_SKY1); });
    CraftInto(c, R("fly down"), kDown, [&](Canvas& s) { DrawFish(s, 2, P_METAL3, P_METAL1, P_METAL4, P_SKY1); });
    // little fish that swim along (smaller, bluer)
    for (int fr = 0; fr < 2; ++fr)
        CraftInto(c, R(CellName("option", fr)), kLevel, [&](Canvas& s) {
            Canvas big(32, 32, kKey);
            DrawFish(big, fr * 2, P_ICE1, P_ICE0, P_ICE2, P_SKY0);
            // shrink to two thirds about the middle
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) {
                    int sx = 16 + (x - 16) * 3 / 2, sy = 16 + (y - 16) * 3 / 2;
                    s.px[size_t(y) * 32 + x] = big.Get(sx, sy);
                }
        }, false);
    // bubbles
    SmallInto(c, R("bubble"), [&](Canvas& s) {
        s.FillCircle(8, 8, 5, Col(P_GOLD3));
        s.FillCircle(8, 8, 3, Col(P_GOLD2));
        s.Set(6, 6, Col(P_WHITE));
        s.Set(7, 6, Col(P_WHITE));
        s.Set(6, 7, Col(P_WHITE));
    });
    GlowInto(c, R("barrier"), [&](Canvas& g) {
        Ring(g, 24, 24, 21, 21, 2.4, GlowRamp({P_WHITE, P_ICE3, P_ICE2, P_ICE0}));
        Blob(g, 15, 14, 3, 2, GlowRamp({P_ICE3, P_ICE1}));
    });
}

// ---------------------------------------------------------------- the fish pastry

void DrawPastry(Canvas& s) {
    // tail fan
    s.FillPolygon({{8, 16}, {1, 8}, {4, 16}, {1, 24}}, Col(P_AMBER1));
    for (int y = 10; y <= 22; y += 3) s.Line(2, y, 7, 16, Col(P_EARTH2));
    // body
    s.FillEllipse(18, 16, 11, 8, Col(P_AMBER1));
    s.FillEllipse(17, 13, 8, 3, Col(P_AMBER2));
    // baked scales
    for (int row = 0; row < 2; ++row)
        for (int x = 11 + row * 2; x <= 22; x += 4) {
            int y = 15 + row * 3;
            s.Set(x, y, Col(P_EARTH2));
            s.Set(x + 1, y + 1, Col(P_EARTH2));
            s.Set(x + 2, y, Col(P_EARTH2));
        }
    // fins
    s.FillTriangle({14, 9}, {20, 9}, {12, 5}, Col(P_AMBER0));
    s.FillTriangle({14, 23}, {19, 23}, {12, 27}, Col(P_AMBER0));
    // eye, mouth and a peek of bean paste
    s.FillCircle(24, 13, 1, Col(P_EARTH0));
    s.Set(24, 12, Col(P_AMBER2));
    s.HLine(27, 28, 18, Col(P_EARTH0));
    s.Set(26, 19, Col(P_ROSE0));
    Shade(s, P_AMBER1, P_EARTH2, P_AMBER2);
}

void PaintTaiyaki(Canvas& c) {
    auto R = [&](const std::string& n) { return CellRect("c_taiyaki.bmp", "taiyaki " + n); };
    CraftInto(c, R("fly idle 0"), kLevel, [&](Canvas& s) { DrawPastry(s); });
    CraftInto(c, R("fly down"), kDown, [&](Canvas& s) { DrawPastry(s); });
    CraftInto(c, R("fly up"), kUp, [&](Canvas& s) { DrawPastry(s); });
    // sweet bean blobs
    for (int fr = 0; fr < 2; ++fr)
        SmallInto(c, R(CellName("bean", fr)), [&](Canvas& s) {
            s.FillEllipse(8, 8, 5 - fr, 4 + fr, Col(P_GOLD2));
            s.Set(6, 6, Col(P_WHITE));
            s.Set(10, 10, Col(P_GOLD1));
            Shade(s, P_GOLD2, P_GOLD1, P_GOLD3);
        });
    GlowInto(c, R("barrier"), [&](Canvas& g) {
        Ring(g, 24, 16, 21, 13, 2.6, GlowRamp({P_FIRE4, P_AMBER2, P_AMBER1, P_AMBER0}));
    });
}

void DeclareAji() {
    Layout l{"c_aji.bmp", "aji"};
    DeclareSheet({l.file, 160, 80, Depth::Rgb24, kKey, "character 6: the silver fish"});
    DeclareCraft(l, 0, 32, 3, 128, 96, "fly");
    DeclareFrames(l, "option", 0, 32, 32, 32, 2, "little-fish option", Copy::Keyed);
    Decl(l, "bubble", RectWH(0, 64, 16, 16), "bubble shot", Copy::Keyed);
    Decl(l, "barrier", RectWH(64, 32, 48, 48), "barrier", Copy::Additive);
    AddPainter(l.file, l.owner, PaintAji);
}

void DeclareTaiyaki() {
    Layout l{"c_taiyaki.bmp", "taiyaki"};
    DeclareSheet({l.file, 96, 80, Depth::Rgb24, kKey, "character 7: the fish pastry"});
    // The options are the craft cells themselves, one per option frame.
    DeclareCraft(l, 0, 32, 1, 64, 32, "fly");
    DeclareFrames(l, "bean", 0, 32, 16, 16, 2, "sweet-bean shot", Copy::Keyed);
    Decl(l, "barrier", RectWH(0, 48, 48, 32), "barrier", Copy::Additive);
    AddPainter(l.file, l.owner, PaintTaiyaki);
}

}  // namespace

AG_REGISTER(RegisterCastFish) {
    DeclareAji();
    DeclareTaiyaki();
}
