// The ten life-icon faces on "fix.bmp", and the witch's face as the window's icon.
#include "draw.h"

using namespace ag;
using namespace ag::cast;

namespace {

// ---------------------------------------------------------------- faces on fix.bmp

void PaintFaces(Canvas& c) {
    std::function<void(Canvas&)> faces[10] = {
        [](Canvas& s) {   // the witch: violet hat
            s.FillCircle(8, 10, 4, Col(P_SKIN2));
            s.FillRect(3, 8, 2, 5, Col(P_FIRE2));
            s.FillTriangle({2, 7}, {14, 7}, {6, 0}, Col(P_VIOLET1));
            s.HLine(1, 14, 7, Col(P_VIOLET0));
            s.Set(7, 10, Col(P_INK));
            s.Set(10, 10, Col(P_INK));
            s.Set(9, 13, Col(P_ROSE2));
        },
        [](Canvas& s) {   // the witch charging: dusk hat, a wand star
            s.FillCircle(8, 10, 4, Col(P_SKIN2));
            s.FillRect(3, 8, 2, 5, Col(P_FIRE2));
            s.FillTriangle({2, 7}, {14, 7}, {6, 0}, Col(P_DUSK2));
            s.HLine(1, 14, 7, Col(P_DUSK1));
            s.Set(7, 10, Col(P_INK));
            s.Set(10, 10, Col(P_INK));
            s.Set(13, 2, Col(P_GOLD3));
            s.Set(12, 2, Col(P_GOLD2));
            s.Set(13, 1, Col(P_GOLD2));
        },
        [](Canvas& s) {   // the angel: halo and golden hair
            s.FillCircle(8, 9, 5, Col(P_GOLD2));
            s.FillCircle(8, 10, 4, Col(P_SKIN2));
            s.HLine(4, 12, 7, Col(P_GOLD2));
            s.HLine(5, 11, 1, Col(P_GOLD3));
            s.Set(6, 10, Col(P_INK));
            s.Set(10, 10, Col(P_INK));
        },
        [](Canvas& s) {   // the imp: horns and red skin
            s.FillCircle(8, 9, 5, Col(P_ROSE1));
            s.FillTriangle({3, 6}, {6, 5}, {2, 1}, Col(P_METAL4));
            s.FillTriangle({10, 5}, {13, 6}, {14, 1}, Col(P_METAL4));
            s.Set(6, 9, Col(P_GOLD3));
            s.Set(10, 9, Col(P_GOLD3));
            s.HLine(6, 10, 12, Col(P_INK));
        },
        [](Canvas& s) {   // the paddle
            s.FillEllipse(8, 7, 5, 5, Col(P_WHITE));
            s.FillRect(7, 12, 3, 4, Col(P_EARTH3));
            s.Set(6, 7, Col(P_INK));
            s.Set(10, 7, Col(P_INK));
            s.Set(5, 9, Col(P_ROSE3));
            s.Set(11, 9, Col(P_ROSE3));
        },
        [](Canvas& s) {   // the robot
            s.FillRect(3, 4, 11, 10, Col(P_METAL2));
            s.FillRect(5, 7, 7, 3, Col(P_TEAL2));
            s.VLine(8, 1, 3, Col(P_METAL3));
            s.Set(8, 0, Col(P_FIRE3));
            s.Set(10, 8, Col(P_WHITE));
        },
        [](Canvas& s) {   // the fish
            s.FillEllipse(9, 8, 6, 4, Col(P_METAL3));
            s.FillTriangle({3, 8}, {0, 4}, {0, 12}, Col(P_SKY1));
            s.HLine(4, 13, 6, Col(P_SKY1));
            s.Set(12, 7, Col(P_INK));
        },
        [](Canvas& s) {   // the pastry
            s.FillEllipse(9, 8, 6, 5, Col(P_AMBER1));
            s.FillTriangle({3, 8}, {0, 3}, {0, 13}, Col(P_AMBER1));
            s.Set(12, 6, Col(P_EARTH0));
            s.Set(8, 9, Col(P_EARTH2));
            s.Set(6, 8, Col(P_EARTH2));
        },
        [](Canvas& s) {   // the strongman: flat-top and a grin
            s.FillCircle(8, 9, 5, Col(P_SKIN1));
            s.FillRect(3, 2, 11, 4, Col(P_EARTH0));
            s.Set(6, 9, Col(P_INK));
            s.Set(10, 9, Col(P_INK));
            s.HLine(6, 10, 12, Col(P_WHITE));
        },
        [](Canvas& s) {   // the knight: helmet and plume
            s.FillCircle(8, 9, 5, Col(P_GOLD2));
            s.FillPolygon({{6, 4}, {2, 0}, {1, 3}, {5, 6}}, Col(P_FIRE2));
            s.HLine(5, 12, 9, Col(P_INK));
            s.Set(8, 12, Col(P_GOLD1));
        },
    };
    for (int i = 0; i < 10; ++i) {
        Rect r = CellRect("fix.bmp", CellName("face", i));
        Canvas s(16, 16, kKey);
        faces[i](s);
        s.ShadeShape(Rect{0, 0, 16, 16}, Col(P_SKIN2), Col(P_SKIN1), Col(P_SKIN3));
        Finish(s);
        PutKeyed(c, s, r);
    }
}

// ---------------------------------------------------------------- window icon

// The witch's face again, at 32 x 32, for the game's window.
void PaintIcon(Canvas& c) {
    Canvas s(32, 32, kKey);
    s.FillCircle(16, 21, 9, Col(P_FIRE2));  // hair framing the face
    s.FillRect(6, 20, 5, 10, Col(P_FIRE2));
    s.FillRect(21, 20, 5, 10, Col(P_FIRE2));
    s.FillCircle(16, 21, 7, Col(P_SKIN2));
    s.FillTriangle({5, 13}, {27, 13}, {20, 0}, Col(P_VIOLET1));  // the hat leans back
    s.FillRect(1, 12, 30, 3, Col(P_VIOLET0));                     // its brim
    s.HLine(8, 24, 11, Col(P_GOLD2));                             // and band
    s.HLine(11, 21, 15, Col(P_FIRE2));                            // fringe under the brim
    for (int x : {12, 19}) {
        s.FillRect(x, 19, 2, 3, Col(P_INK));
        s.Set(x, 19, Col(P_WHITE));
    }
    s.Set(10, 23, Col(P_ROSE3));
    s.Set(22, 23, Col(P_ROSE3));
    s.HLine(15, 17, 25, Col(P_ROSE2));
    s.ShadeShape(Rect{0, 0, 32, 32}, Col(P_SKIN2), Col(P_SKIN1), Col(P_SKIN3));
    Finish(s);
    PutKeyed(c, s, CellRect("icon.bmp", "face"));
}

}  // namespace

AG_REGISTER(RegisterCastFaces) {
    AddPainter("fix.bmp", "faces", PaintFaces);
    DeclareSheet({"icon.bmp", 32, 32, Depth::Rgb24, kKey, "the window's icon"});
    DeclareCell("icon.bmp", "face", Rect{0, 0, 32, 32}, "the witch's face", Copy::Keyed, "icon");
    AddPainter("icon.bmp", "icon", PaintIcon);
}
