// Bitmap decoding through SDL's BMP reader (1, 4, 8, 16, 24 and 32-bit files,
// bit-field formats, RLE). Needs no video initialisation.
#include <SDL.h>

#include "platform/platform.h"

namespace plat {

bool DecodeBmp(const std::string& path, Image& out) {
    SDL_Surface* raw = SDL_LoadBMP(path.c_str());
    if (!raw) return false;
    SDL_Surface* conv = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(raw);
    if (!conv) return false;
    bool ok = conv->w > 0 && conv->h > 0 && (!SDL_MUSTLOCK(conv) || SDL_LockSurface(conv) == 0);
    if (ok) {
        out.width = conv->w;
        out.height = conv->h;
        out.rgb.resize(static_cast<size_t>(conv->w) * conv->h);
        for (int y = 0; y < conv->h; y++) {
            const uint32_t* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(conv->pixels) +
                                                                    static_cast<size_t>(y) * conv->pitch);
            for (int x = 0; x < conv->w; x++) out.rgb[static_cast<size_t>(y) * conv->w + x] = row[x] & 0xFFFFFFu;
        }
        if (SDL_MUSTLOCK(conv)) SDL_UnlockSurface(conv);
    }
    SDL_FreeSurface(conv);
    return ok;
}

}  // namespace plat
