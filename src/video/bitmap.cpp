// Bitmap loading: any bitmap the platform's decoder reads, and our own fast
// reader for the 8-bit palettised stage sheets.
#include <cstdio>
#include <cstring>

#include "core/core.h"
#include "platform/platform.h"
#include "video/pixel_ops.h"
#include "video/video.h"

namespace {

// Keeps the top bits of each channel, so (0, 255, 0) becomes pure green.
inline uint16_t ToDisplay(unsigned r, unsigned g, unsigned b) {
    if (PixelFormat565) return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
    return static_cast<uint16_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
}

// Sizes the indexed reader accepts: its row buffer holds 1024 pixels, and
// no sheet of the game is taller than a few screens.
constexpr int kIndexedMaxWidth = 1024;
constexpr int kIndexedMaxHeight = 4096;
constexpr long kIndexedPixelOffset = 1078;

}  // namespace

Surface* LoadBitmapSurface(const char* name) {
    if (!name) return nullptr;
    plat::Image img;
    std::string why;
    if (!plat::DecodeBmp(GameFilePath(name), img, &why)) {
        ReportDataFault(name, why);
        return nullptr;
    }
    if (img.width <= 0 || img.height <= 0 ||
        img.rgb.size() < static_cast<size_t>(img.width) * static_cast<size_t>(img.height))
        return nullptr;
    Surface* s = MakeSurface(img.width, img.height);
    if (!s) return nullptr;
    const size_t n = static_cast<size_t>(img.width) * img.height;
    for (size_t i = 0; i < n; i++) {
        const uint32_t c = img.rgb[i];
        s->pixels[i] = ToDisplay((c >> 16) & 255, (c >> 8) & 255, c & 255);
    }
    return s;
}

Surface* LoadIndexedBitmap(const char* name) {
    if (!name) return nullptr;
    std::FILE* f = OpenGameFile(name, "rb");
    if (!f) {
        ReportDataFault(name, "missing or unreadable");
        return nullptr;
    }

    // Header and colour table; whatever a short file lacks reads as zero.
    unsigned char head[kIndexedPixelOffset] = {};
    const size_t got = std::fread(head, 1, sizeof head, f);
    // Only the low 16 bits of the width and height fields are read.
    const int width = head[18] | (head[19] << 8);
    const int height = head[22] | (head[23] << 8);
    if (width <= 0 || height <= 0 || width > kIndexedMaxWidth || height > kIndexedMaxHeight) {
        ReportDataFault(name, got < 26 ? "too short for a bitmap header" : "not a sheet of at most 1024 x 4096 pixels");
        std::fclose(f);
        return nullptr;
    }

    Surface* s = MakeSurface(width, height);
    if (!s) {
        std::fclose(f);
        return nullptr;
    }
    uint16_t table[256];
    for (int i = 0; i < 256; i++) {
        const unsigned char* e = head + 54 + 4 * i;  // blue, green, red, reserved
        table[i] = ToDisplay(e[2], e[1], e[0]);
    }

    unsigned char row[kIndexedMaxWidth];
    bool atData = std::fseek(f, kIndexedPixelOffset, SEEK_SET) == 0;
    // Rows run from the bottom of the picture up, each exactly `width` bytes.
    for (int r = height - 1; r >= 0; r--) {
        const size_t n = atData ? std::fread(row, 1, static_cast<size_t>(width), f) : 0;
        if (n < static_cast<size_t>(width) && atData) {
            atData = false;
            ReportDataFault(name, "shorter than its header says: the missing rows are black");
        }
        uint16_t* out = vid::Row(s, r);
        for (size_t c = 0; c < n; c++) out[c] = table[row[c]];
        // Pixels past the end of a short file are black.
        for (size_t c = n; c < static_cast<size_t>(width); c++) out[c] = 0;
    }
    std::fclose(f);
    return s;
}
