// Benchmark anchor: SDL's own colour-keyed blit on RGB565 surfaces, so the
// game's copies can be measured against it in the same run.
#pragma once

#include <cstdint>

namespace plat {

struct SdlTileJob {
    int sx, sy, dx, dy;   // source corner on the sheet, destination corner
};

struct SdlRectJob {
    int sx, sy, w, h, dx, dy;  // source rectangle, destination corner
};

struct SdlBlitAnchor;

// An RGB565 sheet holding a copy of `sheet` (w x h, pitch = w) keyed on `key`,
// with or without RLE acceleration, and a 320 x 240 RGB565 target.
SdlBlitAnchor* SdlAnchorCreate(const uint16_t* sheet, int w, int h, uint16_t key, bool rle);
void SdlAnchorDestroy(SdlBlitAnchor* a);
// Copies size x size tiles with SDL_BlitSurface.
void SdlAnchorBlit(SdlBlitAnchor* a, const SdlTileJob* jobs, int count, int size);
// Copies rectangles of any size with SDL_BlitSurface.
void SdlAnchorBlitRects(SdlBlitAnchor* a, const SdlRectJob* jobs, int count);
// The target's pixels, 320 x 240, row-major without padding.
void SdlAnchorRead(SdlBlitAnchor* a, uint16_t* out);
void SdlAnchorFill(SdlBlitAnchor* a, const uint16_t* pixels);

}  // namespace plat
