// Video: the display, the work surface and the seven slots, sprite copies,
// bitmap loading, blended copies and whole-screen effects. Surfaces hold
// 16-bit pixels in the display's format (RGB565, or RGB555).
#pragma once

#include <cstdint>
#include <vector>

struct RECT {
    int32_t left, top, right, bottom;
};

struct Surface {
    int width = 0, height = 0;
    std::vector<uint16_t> pixels;   // width * height, row-major, pitch = width
    uint16_t key = 0;               // transparent pixel value for keyed copies
    bool hasKey = false;
};

extern int PixelFormat565;          // 1: RGB565, 0: RGB555
extern Surface* WorkSurface;
extern Surface* Slot[7];
// While set, every copy, fill and effect returns at once: frames played
// ahead of time change play state only.
extern bool drawingOff;
// While set, an enemy hit in the last frame is drawn with a faint tint of
// its own colours instead of as a white silhouette (no strobing).
extern bool hitTint;

constexpr int kSurfacesLost = static_cast<int>(0x887601C2u);

// Display and surfaces.
int InitDisplay();                  // 0 on success
void ReleaseDisplay();
Surface* MakeSurface(int width, int height);
void FreeSurface(Surface*& surface);
void FreeSlot(int slot);
void SetKeyColor(Surface* surface, int key);
uint16_t PureGreen();               // the key value of the current format
void FillScreen(uint16_t pixel);
void ClearAllScreens();
int FlipScreen(bool pace = true);  // kSurfacesLost from a loss until SurfacesRestored;
                                    // pace: wait until 16 ms after the previous flip was due (screens)
// Drawn over every presented frame (not on the work surface) while it returns
// true; called with nullptr to ask, then with the frame to draw on, which is
// WorkSurface for the duration of the call.
extern bool (*FlipOverlay)(Surface* frame);
void RestoreScreens();
// The owner of the lost surfaces has loaded them again: flips stop reporting the loss.
void SurfacesRestored();
void SetGamma(int level);

// Sprite copies and clipping.
void PutSprite(int x, int y, Surface* surface, RECT rect, int flags);
void PutBox(Surface* surface, int left, int top, int right, int bottom, int blue, int green, int red);
void PutSpriteWave(int x, int y, int amplitude, int frequency, int phase, Surface* surface, RECT rect, int flags);

// Bitmap loading.
Surface* LoadBitmapSurface(const char* name);
Surface* LoadIndexedBitmap(const char* name);

// Blended copies and screen effects.
void PutSpriteAlpha(int x, int y, Surface* surface, RECT rect, int flag, int level);
void PutSpriteAdd(int x, int y, Surface* surface, RECT rect, int flag, int level);
void PutSilhouette(int x, int y, Surface* surface, RECT rect, uint16_t pixel);
// PutSpriteAdd that skips pure green: only a keyed sprite's own pixels glow.
void PutSpriteAddKeyed(int x, int y, Surface* surface, RECT rect, int level);
void DarkenScreen(int level);
void WhitenRect(RECT rect, int level);
void MosaicRect(RECT rect, int size);
void ZoomScreen(int w, int cx, int cy);
void CopySurfaceRect(Surface* dest, Surface* src, RECT rect, int x, int y);
