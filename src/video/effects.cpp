// Whole-screen and rectangle effects on the work surface (darken, whiten,
// mosaic, zoom) and raw rectangle copies between surfaces.
#include <emmintrin.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/platform.h"
#include "video/pixel_ops.h"
#include "video/video.h"

namespace {

// WhitenRect's tables (RGB565): [L][v], channel already in place.
struct WhitenTables {
    uint16_t red[32][32], blue[32][32], green[32][64];
    WhitenTables() {
        for (int L = 0; L < 32; L++) {
            for (int v = 0; v < 32; v++) {
                red[L][v] = static_cast<uint16_t>(std::min(v + L, 31) << 11);
                blue[L][v] = static_cast<uint16_t>(std::min(v + L, 31));
            }
            for (int v = 0; v < 64; v++) green[L][v] = static_cast<uint16_t>(std::min(v + 2 * L, 63) << 5);
        }
    }
};

const WhitenTables& Whiten565() {
    static const WhitenTables t;
    return t;
}

inline __m128i Load(const uint16_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void Store(uint16_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
inline __m128i Set(int v) { return _mm_set1_epi16(static_cast<short>(v)); }

std::vector<uint16_t> zoomScratch;

// A rectangle clipped to a surface, as half-open bounds.
struct Box {
    int l, t, r, b;
};

bool ClipToSurface(const RECT& rect, const Surface* s, Box& out) {
    out.l = std::max<int>(rect.left, 0);
    out.t = std::max<int>(rect.top, 0);
    out.r = std::min<int>(rect.right, s->width);
    out.b = std::min<int>(rect.bottom, s->height);
    return out.l < out.r && out.t < out.b;
}

}  // namespace

namespace vid {

void DarkenRowRef(uint16_t* p, int n, int level, int fmt565) {
    for (int i = 0; i < n; i++) {
        const unsigned v = p[i];
        if (fmt565) {
            // Green: (v * 2 * level) >> 6, which is the same as (v * level) >> 5.
            p[i] = static_cast<uint16_t>((((v >> 11) * level >> 5) << 11) |
                                         ((((v >> 5) & 63) * 2 * level >> 6) << 5) | ((v & 31) * level >> 5));
        } else {
            p[i] = static_cast<uint16_t>(((((v >> 10) & 31) * level >> 5) << 10) |
                                         ((((v >> 5) & 31) * level >> 5) << 5) | ((v & 31) * level >> 5));
        }
    }
}

void DarkenRow(uint16_t* p, int n, int level, int fmt565) {
    const __m128i lv = Set(level), m31 = Set(31);
    int i = 0;
    if (fmt565) {
        // Red in place: (r << 11) * (L << 11) >> 16 = (r * L) << 6, masked to (r * L >> 5) << 11.
        const __m128i lr = Set(level << 11), redMask = Set(0xF800), greenMask = Set(0x07E0), m63 = Set(63);
        for (; i + 8 <= n; i += 8) {
            const __m128i v = Load(p + i);
            const __m128i r = _mm_and_si128(_mm_mulhi_epu16(_mm_and_si128(v, redMask), lr), redMask);
            const __m128i g = _mm_and_si128(_mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(v, 5), m63), lv), greenMask);
            const __m128i b = _mm_srli_epi16(_mm_mullo_epi16(_mm_and_si128(v, m31), lv), 5);
            Store(p + i, _mm_or_si128(_mm_or_si128(r, g), b));
        }
    } else {
        const __m128i redMask = Set(0x7C00), greenMask = Set(0x03E0);
        for (; i + 8 <= n; i += 8) {
            const __m128i v = Load(p + i);
            const __m128i r = _mm_and_si128(
                _mm_slli_epi16(_mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(v, 10), m31), lv), 5), redMask);
            const __m128i g = _mm_and_si128(_mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(v, 5), m31), lv), greenMask);
            const __m128i b = _mm_srli_epi16(_mm_mullo_epi16(_mm_and_si128(v, m31), lv), 5);
            Store(p + i, _mm_or_si128(_mm_or_si128(r, g), b));
        }
    }
    DarkenRowRef(p + i, n - i, level, fmt565);
}

void WhitenRowRef(uint16_t* p, int n, int level, int fmt565) {
    if (fmt565) {
        const WhitenTables& t = Whiten565();
        for (int i = 0; i < n; i++) {
            const unsigned v = p[i];
            p[i] = static_cast<uint16_t>(t.red[level][v >> 11] | t.green[level][(v >> 5) & 63] | t.blue[level][v & 31]);
        }
    } else {
        // RGB555: every channel is 5 bits and gains the level, saturating at 31.
        for (int i = 0; i < n; i++) {
            const unsigned v = p[i];
            const unsigned r = std::min<unsigned>(((v >> 10) & 31) + level, 31);
            const unsigned g = std::min<unsigned>(((v >> 5) & 31) + level, 31);
            const unsigned b = std::min<unsigned>((v & 31) + level, 31);
            p[i] = static_cast<uint16_t>((r << 10) | (g << 5) | b);
        }
    }
}

void WhitenRow(uint16_t* p, int n, int level, int fmt565) {
    int i = 0;
    const __m128i m31 = Set(31), lv = Set(level);
    if (fmt565) {
        // Red saturates at the top of the word; green and blue are clamped.
        const __m128i redMask = Set(0xF800), greenMask = Set(0x07E0), lr = Set(level << 11), lg = Set(2 * level << 5);
        for (; i + 8 <= n; i += 8) {
            const __m128i v = Load(p + i);
            const __m128i r = _mm_and_si128(_mm_adds_epu16(_mm_and_si128(v, redMask), lr), redMask);
            const __m128i g = _mm_min_epi16(_mm_add_epi16(_mm_and_si128(v, greenMask), lg), greenMask);
            const __m128i b = _mm_min_epi16(_mm_add_epi16(_mm_and_si128(v, m31), lv), m31);
            Store(p + i, _mm_or_si128(_mm_or_si128(r, g), b));
        }
    } else {
        for (; i + 8 <= n; i += 8) {
            const __m128i v = Load(p + i);
            const __m128i r = _mm_min_epi16(_mm_add_epi16(_mm_and_si128(_mm_srli_epi16(v, 10), m31), lv), m31);
            const __m128i g = _mm_min_epi16(_mm_add_epi16(_mm_and_si128(_mm_srli_epi16(v, 5), m31), lv), m31);
            const __m128i b = _mm_min_epi16(_mm_add_epi16(_mm_and_si128(v, m31), lv), m31);
            Store(p + i, _mm_or_si128(_mm_or_si128(_mm_slli_epi16(r, 10), _mm_slli_epi16(g, 5)), b));
        }
    }
    WhitenRowRef(p + i, n - i, level, fmt565);
}

}  // namespace vid

using namespace vid;

void DarkenScreen(int level) {
    if (drawingOff) return;
    if (level < 0 || level > 31) return;
    Surface* s = WorkSurface;
    if (!s) return;
    if (!CanLock(s)) {
        plat::MessageBox("MAHO", "MAHO");
        return;
    }
    const int w = std::min(s->width, kScreenW), h = std::min(s->height, kScreenH);
    for (int y = 0; y < h; y++) DarkenRow(Row(s, y), w, level, PixelFormat565);
}

void WhitenRect(RECT rect, int level) {
    if (drawingOff) return;
    Surface* s = WorkSurface;
    if (!CanLock(s)) return;
    Box b;
    if (!ClipToSurface(rect, s, b)) return;
    const int L = ClampLevel(level);
    for (int y = b.t; y < b.b; y++) WhitenRow(Row(s, y) + b.l, b.r - b.l, L, PixelFormat565);
}

void MosaicRect(RECT rect, int size) {
    if (drawingOff) return;
    if (size <= 1) return;
    Surface* s = WorkSurface;
    if (!CanLock(s)) return;
    Box b;
    if (!ClipToSurface(rect, s, b)) return;
    // The block grid is anchored at the rectangle's own corner; a block cut by
    // the surface edge takes its first visible pixel.
    for (int i = b.t; i < b.b; i++) {
        const int64_t by = rect.top + size * ((static_cast<int64_t>(i) - rect.top) / size);
        const int sampleRow = static_cast<int>(std::max<int64_t>(by, b.t));
        uint16_t* row = Row(s, i);
        if (sampleRow != i) {
            // Every row of a block repeats the block's first row, already done.
            std::memcpy(row + b.l, Row(s, sampleRow) + b.l, static_cast<size_t>(b.r - b.l) * 2);
            continue;
        }
        for (int j = b.l; j < b.r;) {
            const int64_t bx = rect.left + size * ((static_cast<int64_t>(j) - rect.left) / size);
            const int end = static_cast<int>(std::min<int64_t>(bx + size, b.r));
            std::fill(row + j, row + end, row[j]);
            j = end;
        }
    }
}

void ZoomScreen(int w, int cx, int cy) {
    if (drawingOff) return;
    if (w >= kScreenW || cx >= kScreenW || cy >= kScreenH || cx < 0 || cy < 0) return;
    const int h = static_cast<int>((static_cast<int64_t>(w) * kScreenH) / kScreenW);
    const int left = std::max(cx - w / 2, 0), top = std::max(cy - h / 2, 0);
    // A region that is empty or leaves the screen is refused, not moved back.
    if (w <= 0 || h <= 0 || left + w > kScreenW || top + h > kScreenH) return;
    Surface* s = WorkSurface;
    if (!CanLock(s) || s->width < kScreenW || s->height < kScreenH) return;

    // Nearest neighbour from a copy of the region as it was before.
    zoomScratch.resize(static_cast<size_t>(w) * h);
    for (int r = 0; r < h; r++)
        std::memcpy(&zoomScratch[static_cast<size_t>(r) * w], Row(s, top + r) + left, static_cast<size_t>(w) * 2);
    int xmap[kScreenW];
    for (int x = 0; x < kScreenW; x++) xmap[x] = x * w / kScreenW;
    int prevSy = -1;
    for (int y = 0; y < kScreenH; y++) {
        const int sy = y * h / kScreenH;
        uint16_t* out = Row(s, y);
        if (sy == prevSy) {
            std::memcpy(out, Row(s, y - 1), kScreenW * 2);
            continue;
        }
        const uint16_t* src = &zoomScratch[static_cast<size_t>(sy) * w];
        for (int x = 0; x < kScreenW; x++) out[x] = src[xmap[x]];
        prevSy = sy;
    }
}

void CopySurfaceRect(Surface* dest, Surface* src, RECT rect, int x, int y) {
    if (drawingOff) return;
    if (!CanLock(dest) || !CanLock(src)) return;
    // Clipped to both surfaces: only pixels whose source and destination both
    // exist are copied.
    const int64_t w = static_cast<int64_t>(rect.right) - rect.left;
    const int64_t h = static_cast<int64_t>(rect.bottom) - rect.top;
    const int64_t c0 = std::max<int64_t>({0, -static_cast<int64_t>(rect.left), -static_cast<int64_t>(x)});
    const int64_t c1 = std::min<int64_t>({w, src->width - static_cast<int64_t>(rect.left), dest->width - static_cast<int64_t>(x)});
    const int64_t r0 = std::max<int64_t>({0, -static_cast<int64_t>(rect.top), -static_cast<int64_t>(y)});
    const int64_t r1 = std::min<int64_t>({h, src->height - static_cast<int64_t>(rect.top), dest->height - static_cast<int64_t>(y)});
    if (c0 >= c1 || r0 >= r1) return;
    const size_t bytes = static_cast<size_t>(c1 - c0) * 2;
    auto copyRow = [&](int64_t r) {
        std::memmove(Row(dest, static_cast<int>(y + r)) + (x + c0), Row(src, static_cast<int>(rect.top + r)) + (rect.left + c0),
                     bytes);
    };
    // Within one surface, rows run in the order that reads each before it is overwritten.
    if (dest == src && y > rect.top) {
        for (int64_t r = r1 - 1; r >= r0; r--) copyRow(r);
    } else {
        for (int64_t r = r0; r < r1; r++) copyRow(r);
    }
}
