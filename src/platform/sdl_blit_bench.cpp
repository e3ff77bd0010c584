// SDL's own keyed blit, kept for the benchmarks to measure the game's sprite copies against.
#include "platform/sdl_blit_bench.h"

#include <SDL.h>

#include <cstring>

namespace plat {

struct SdlBlitAnchor {
    SDL_Surface* sheet = nullptr;
    SDL_Surface* target = nullptr;
};

SdlBlitAnchor* SdlAnchorCreate(const uint16_t* sheet, int w, int h, uint16_t key, bool rle) {
    auto* a = new SdlBlitAnchor;
    a->sheet = SDL_CreateRGBSurfaceWithFormat(0, w, h, 16, SDL_PIXELFORMAT_RGB565);
    a->target = SDL_CreateRGBSurfaceWithFormat(0, 320, 240, 16, SDL_PIXELFORMAT_RGB565);
    if (!a->sheet || !a->target) {
        SdlAnchorDestroy(a);
        return nullptr;
    }
    for (int y = 0; y < h; y++)
        std::memcpy(static_cast<uint8_t*>(a->sheet->pixels) + static_cast<size_t>(y) * a->sheet->pitch,
                    sheet + static_cast<size_t>(y) * w, static_cast<size_t>(w) * 2);
    SDL_SetColorKey(a->sheet, SDL_TRUE, key);
    SDL_SetSurfaceRLE(a->sheet, rle ? 1 : 0);
    SDL_SetSurfaceBlendMode(a->sheet, SDL_BLENDMODE_NONE);
    // The first blit prepares the blit path (and encodes the RLE form).
    SDL_Rect r{0, 0, 1, 1}, d{0, 0, 1, 1};
    SDL_BlitSurface(a->sheet, &r, a->target, &d);
    return a;
}

void SdlAnchorDestroy(SdlBlitAnchor* a) {
    if (!a) return;
    if (a->sheet) SDL_FreeSurface(a->sheet);
    if (a->target) SDL_FreeSurface(a->target);
    delete a;
}

void SdlAnchorBlit(SdlBlitAnchor* a, const SdlTileJob* jobs, int count, int size) {
    for (int i = 0; i < count; i++) {
        SDL_Rect s{jobs[i].sx, jobs[i].sy, size, size};
        SDL_Rect d{jobs[i].dx, jobs[i].dy, size, size};
        SDL_BlitSurface(a->sheet, &s, a->target, &d);
    }
}

void SdlAnchorBlitRects(SdlBlitAnchor* a, const SdlRectJob* jobs, int count) {
    for (int i = 0; i < count; i++) {
        SDL_Rect s{jobs[i].sx, jobs[i].sy, jobs[i].w, jobs[i].h};
        SDL_Rect d{jobs[i].dx, jobs[i].dy, jobs[i].w, jobs[i].h};
        SDL_BlitSurface(a->sheet, &s, a->target, &d);
    }
}

void SdlAnchorRead(SdlBlitAnchor* a, uint16_t* out) {
    for (int y = 0; y < 240; y++)
        std::memcpy(out + y * 320, static_cast<uint8_t*>(a->target->pixels) + static_cast<size_t>(y) * a->target->pitch,
                    640);
}

void SdlAnchorFill(SdlBlitAnchor* a, const uint16_t* pixels) {
    for (int y = 0; y < 240; y++)
        std::memcpy(static_cast<uint8_t*>(a->target->pixels) + static_cast<size_t>(y) * a->target->pitch,
                    pixels + y * 320, 640);
}

}  // namespace plat
