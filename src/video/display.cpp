// The display and its surfaces: opening and closing, the work surface and the
// seven slots, flipping with its pacing, and the gamma ramp.
#include <algorithm>

#include "platform/platform.h"
#include "video/pixel_ops.h"
#include "video/video.h"

int PixelFormat565 = 1;
Surface* WorkSurface = nullptr;
bool drawingOff = false;
bool hitTint = false;
Surface* Slot[7] = {};
bool (*FlipOverlay)(Surface* frame) = nullptr;

namespace {
bool displayOpen = false;
bool gammaSet = false;
uint16_t keyGreen = 0x07E0;  // read from the display's format on first use
bool keyGreenRead = false;
uint32_t lastFlipDue = 0;     // when the previous flip was due (made, for an unpaced one)
bool flippedOnce = false;
bool surfacesLost = false;    // a loss the play frame has not yet repaired
}  // namespace

int InitDisplay() {
    PixelFormat565 = plat::GetOptions().rgb555 ? 0 : 1;
    if (!plat::OpenDisplay(PixelFormat565 == 1)) return 1;
    vid::PrepareBlendTables(PixelFormat565);
    displayOpen = true;
    surfacesLost = false;
    gammaSet = true;
    keyGreenRead = false;
    if (!WorkSurface) WorkSurface = MakeSurface(320, 240);
    return 0;
}

void ReleaseDisplay() {
    if (displayOpen) plat::CloseDisplay();
    displayOpen = false;
}

Surface* MakeSurface(int width, int height) {
    if (width <= 0 || height <= 0 || width > 8192 || height > 8192) return nullptr;
    Surface* s = new Surface;
    s->width = width;
    s->height = height;
    s->pixels.assign(static_cast<size_t>(width) * height, 0);
    return s;
}

void FreeSurface(Surface*& surface) {
    delete surface;
    surface = nullptr;
}

void FreeSlot(int slot) {
    if (slot >= 0 && slot < 7) FreeSurface(Slot[slot]);
}

uint16_t PureGreen() {
    if (!keyGreenRead && displayOpen) {
        keyGreen = PixelFormat565 ? 0x07E0 : 0x03E0;
        keyGreenRead = true;
    }
    return keyGreen;
}

void SetKeyColor(Surface* surface, int key) {
    if (!surface) return;
    surface->key = key ? PureGreen() : 0;
    surface->hasKey = true;
}

void FillScreen(uint16_t pixel) {
    if (drawingOff) return;
    if (WorkSurface) std::fill(WorkSurface->pixels.begin(), WorkSurface->pixels.end(), pixel);
}

void ClearAllScreens() {
    FillScreen(0);
    // The primary and back buffer are the platform's: presenting black clears them.
    if (displayOpen && WorkSurface) plat::Present(WorkSurface->pixels.data(), 320, PixelFormat565 == 1);
}

int FlipScreen(bool pace) {
    if (!WorkSurface || !displayOpen) return 0;
    uint32_t now = plat::GetTicks();
    if (pace && flippedOnce) {
        // Screens flip in loops of their own, one flip every 16 ms. The count
        // runs from the previous flip's due time, so the time spent drawing and
        // presenting does not stretch the frame; a flip late by a whole frame
        // or more starts the count afresh rather than hurrying the next ones.
        uint32_t due = lastFlipDue + 16;
        for (int32_t early; (early = static_cast<int32_t>(due - now)) > 0; now = plat::GetTicks())
            plat::Sleep(static_cast<uint32_t>(early));
        lastFlipDue = static_cast<int32_t>(now - due) >= 16 ? now : due;
    } else {
        lastFlipDue = now;
    }
    const Surface* shown = WorkSurface;
    static Surface overlaid;
    if (FlipOverlay && FlipOverlay(nullptr)) {
        overlaid = *WorkSurface;
        Surface* work = WorkSurface;
        WorkSurface = &overlaid;
        FlipOverlay(&overlaid);
        WorkSurface = work;
        shown = &overlaid;
    }
    // The display reports a loss once; keep it until the play frame has
    // reloaded its surfaces, whichever screen's flip heard of it.
    if (plat::Present(shown->pixels.data(), shown->width, PixelFormat565 == 1)) surfacesLost = true;
    flippedOnce = true;
    return surfacesLost ? kSurfacesLost : 0;
}

void RestoreScreens() {
    // Surfaces live in system memory here; only the display's own targets can
    // be lost, and the platform re-creates those itself.
}

void SurfacesRestored() { surfacesLost = false; }

void SetGamma(int level) {
    if (!gammaSet) return;
    uint16_t ramp[256];
    for (int i = 0; i < 256; i++) ramp[i] = static_cast<uint16_t>(level * i);
    plat::SetGammaRamp(ramp);
}
