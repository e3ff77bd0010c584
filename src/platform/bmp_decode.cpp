// Bitmap decoding through SDL's BMP reader (1, 4, 8, 16, 24 and 32-bit files,
// bit-field formats, RLE). Needs no video initialisation.
//
// SDL allocates the whole picture from the header before it reads a pixel, so
// the header is checked here first: a picture larger than the game's surfaces
// or than the file can hold is refused before SDL sees it.
#include <SDL.h>

#include <cstdio>

#include "platform/platform.h"

namespace plat {

namespace {

// Matches the largest surface the game makes.
constexpr int64_t kMaxSide = 8192;
// The largest file worth reading: a 32-bit picture of the largest size plus
// any header and colour table.
constexpr int64_t kMaxFileBytes = kMaxSide * kMaxSide * 4 + (1 << 16);

uint32_t Le16(const uint8_t* p) { return p[0] | (p[1] << 8); }
uint32_t Le32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool Fail(std::string* why, const char* text) {
    if (why) *why = text;
    return false;
}

}  // namespace

bool CheckBmpHeader(const uint8_t* data, size_t size, std::string* why) {
    if (size < 26) return Fail(why, "too short for a bitmap header");
    if (data[0] != 'B' || data[1] != 'M') return Fail(why, "not a bitmap (no BM signature)");
    const uint32_t offBits = Le32(data + 10);
    const uint32_t infoSize = Le32(data + 14);
    int64_t width, height;
    uint32_t bits, compression = 0;
    if (infoSize == 12) {  // the old core header: 16-bit sizes
        width = Le16(data + 18);
        height = Le16(data + 20);
        bits = Le16(data + 24);
    } else {
        if (infoSize < 16 || size < 34) return Fail(why, "damaged bitmap header");
        width = static_cast<int32_t>(Le32(data + 18));
        height = static_cast<int32_t>(Le32(data + 22));
        if (height < 0) height = -height;  // top-down rows
        bits = Le16(data + 28);
        if (infoSize >= 20) compression = Le32(data + 30);
    }
    if (width <= 0 || height <= 0) return Fail(why, "bitmap has no pixels");
    if (width > kMaxSide || height > kMaxSide) return Fail(why, "bitmap larger than 8192 pixels a side");
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return Fail(why, "unsupported bitmap bit depth");
    if (offBits > size) return Fail(why, "bitmap pixel data lies past the end of the file");
    const int64_t avail = static_cast<int64_t>(size) - offBits;
    const int64_t pixels = width * height;
    if (compression == 1 || compression == 2) {
        // Run-length data: a two-byte run yields at most 255 pixels.
        if (pixels > avail * 128) return Fail(why, "bitmap larger than its file can hold");
    } else {
        const int64_t rowBytes = (width * bits + 31) / 32 * 4;
        if (rowBytes * height > avail) return Fail(why, "bitmap larger than its file can hold");
    }
    return true;
}

bool DecodeBmpMemory(const uint8_t* data, size_t size, Image& out, std::string* why) {
    if (!CheckBmpHeader(data, size, why)) return false;
    SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (!rw) return Fail(why, "out of memory");
    SDL_Surface* raw = SDL_LoadBMP_RW(rw, 1);
    if (!raw) return Fail(why, "damaged bitmap");
    SDL_Surface* conv = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(raw);
    if (!conv) return Fail(why, "bitmap could not be converted");
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
    } else {
        Fail(why, "bitmap could not be converted");
    }
    SDL_FreeSurface(conv);
    return ok;
}

bool DecodeBmp(const std::string& path, Image& out, std::string* why) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return Fail(why, "missing or unreadable");
    std::vector<uint8_t> data;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(f) : -1;
    if (size < 0 || size > kMaxFileBytes) {
        ok = false;
        Fail(why, size < 0 ? "unreadable" : "file too large for a bitmap");
    } else {
        data.resize(static_cast<size_t>(size));
        ok = std::fseek(f, 0, SEEK_SET) == 0 && std::fread(data.data(), 1, data.size(), f) == data.size();
        if (!ok) Fail(why, "unreadable");
    }
    std::fclose(f);
    return ok && DecodeBmpMemory(data.data(), data.size(), out, why);
}

}  // namespace plat
