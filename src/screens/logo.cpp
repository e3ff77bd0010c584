// Logo intro: the first piece of the lettered logo, magnified about the
// centre, shrinks while the screen brightens; the six pieces fly apart into
// place; then the studio logo dissolves in and everything fades to black.
#include "platform/platform.h"
#include "screens/picture.h"
#include "screens/screens.h"
#include "video/video.h"


const int PieceEdge[7] = {0, 50, 85, 118, 155, 200, 239};

namespace {

RECT PieceRect(int k) { return RECT{PieceEdge[k], 0, PieceEdge[k + 1], 59}; }

// The surfaces can be lost while the intro runs; it repairs the screens and
// goes on without reloading its pictures.
void Present() {
    if (FlipScreen() == kSurfacesLost) RestoreScreens();
}

void FadeStep(int level) {
    DarkenScreen(level);
    Present();
}

}  // namespace

void PutLogoPieces(int t) {
    // Piece 0 is drawn last and lies on top while the pieces are stacked.
    for (int k = 5; k >= 0; k--) PutSprite((t * PieceEdge[k]) / 50 - 2 * t + 140, 90, Slot[0], PieceRect(k), 17);
}

void h_Logo() {
    for (int i = 0; i < 3; i++) FreeSlot(i);
    Slot[0] = LoadBitmapSurface("title.bmp");
    Slot[1] = LoadBitmapSurface("vrk_logo.bmp");
    Slot[2] = MakeSurface(320, 240);
    SetKeyColor(Slot[0], 0);  // black is "nothing" on this sheet

    for (int v = 255; v >= 0; v -= 4) {
        FillScreen(1);
        PutSprite(140, 90, Slot[0], PieceRect(0), 17);
        ZoomScreen(320 - v, 160, 120);
        FadeStep(31 - (v >> 3));
        plat::Sleep(1);
    }

    for (int t = 0; t <= 50; t++) {
        FillScreen(0);
        PutLogoPieces(t);
        Present();
    }

    plat::Sleep(1000);

    screens::Snapshot(Slot[2]);
    for (int v = 31; v >= 1; v--) {
        PutSprite(0, 0, Slot[2], screens::kScreenRect, 16);
        FadeStep(v);
    }

    for (int v = 0; v <= 31; v++) {
        PutSprite(60, 60, Slot[1], RECT{0, 0, 200, 120}, 16);
        FadeStep(v);
    }

    plat::Sleep(500);

    screens::Snapshot(Slot[2]);
    for (int v = 255; v >= 1; v -= 8) {
        PutSprite(0, 0, Slot[2], screens::kScreenRect, 16);
        FadeStep(v >> 3);
    }

    ClearAllScreens();
    FreeSlot(2);
    FreeSlot(1);
    FreeSlot(0);
}
