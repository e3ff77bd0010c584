// Sprite copies onto the work surface: the screen clip, plain and keyed
// copies, solid boxes and the wavy row-by-row copy.
#include <emmintrin.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/core.h"
#include "video/pixel_ops.h"
#include "video/video.h"

namespace vid {

void KeyedRowRef(uint16_t* dst, const uint16_t* src, int n, uint16_t key) {
    for (int i = 0; i < n; i++)
        if (src[i] != key) dst[i] = src[i];
}

void KeyedRow(uint16_t* dst, const uint16_t* src, int n, uint16_t key) {
    const __m128i k = _mm_set1_epi16(static_cast<short>(key));
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        __m128i m = _mm_cmpeq_epi16(s, k);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i),
                         _mm_or_si128(_mm_and_si128(m, d), _mm_andnot_si128(m, s)));
    }
    for (; i < n; i++)
        if (src[i] != key) dst[i] = src[i];
}

namespace {
std::vector<uint16_t> overlapScratch;  // source rows of a copy within one surface
}  // namespace

const uint16_t* SourceRowsCopied(const Surface* src, const Clip& c, int& pitch) {
    const uint16_t* p = Row(src, c.sy) + c.sx;
    pitch = src->width;
    overlapScratch.resize(static_cast<size_t>(c.w) * c.h);
    for (int r = 0; r < c.h; r++)
        std::memcpy(&overlapScratch[static_cast<size_t>(r) * c.w], p + static_cast<size_t>(r) * pitch,
                    static_cast<size_t>(c.w) * 2);
    pitch = c.w;
    return overlapScratch.data();
}

}  // namespace vid

using namespace vid;

namespace {

// A 16-pixel-wide keyed copy, the scenery's tile: two vectors a row,
// selected without branches.
void KeyedTile16(uint16_t* dst, int dstPitch, const uint16_t* src, int srcPitch, int h, uint16_t key) {
    const __m128i k = _mm_set1_epi16(static_cast<short>(key));
#pragma GCC unroll 16
    for (int r = 0; r < h; r++, dst += dstPitch, src += srcPitch) {
        const __m128i s0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
        const __m128i s1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 8));
        const __m128i d0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst));
        const __m128i d1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + 8));
        const __m128i m0 = _mm_cmpeq_epi16(s0, k), m1 = _mm_cmpeq_epi16(s1, k);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst),
                         _mm_or_si128(_mm_and_si128(m0, d0), _mm_andnot_si128(m0, s0)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 8),
                         _mm_or_si128(_mm_and_si128(m1, d1), _mm_andnot_si128(m1, s1)));
    }
}

}  // namespace

void PutSprite(int x, int y, Surface* surface, RECT rect, int flags) {
    if (drawingOff) return;
    Surface* dst = WorkSurface;
    if (!CanLock(surface) || !CanLock(dst)) return;
    Clip c;
    if (!ClipSprite(x, y, rect, surface, dst, c)) return;

    const bool keyed = (flags & 1) && surface->hasKey;
    const uint16_t key = surface->key;
    int srcPitch;
    const uint16_t* src = SourceRows(surface, dst, c, srcPitch);
    uint16_t* out = Row(dst, c.dy) + c.dx;
    const int dstPitch = dst->width;
    if (!keyed) {
        for (int r = 0; r < c.h; r++)
            std::memcpy(out + static_cast<size_t>(r) * dstPitch, src + static_cast<size_t>(r) * srcPitch,
                        static_cast<size_t>(c.w) * 2);
    } else if (c.w == 16) {
        KeyedTile16(out, dstPitch, src, srcPitch, c.h, key);
    } else {
        for (int r = 0; r < c.h; r++)
            KeyedRow(out + static_cast<size_t>(r) * dstPitch, src + static_cast<size_t>(r) * srcPitch, c.w, key);
    }
}

void PutBox(Surface* surface, int left, int top, int right, int bottom, int blue, int green, int red) {
    if (drawingOff) return;
    if (!CanLock(surface)) return;
    const uint16_t pixel = PixelFormat565
        ? static_cast<uint16_t>((((red & 255) >> 3) << 11) | (((green & 255) >> 2) << 5) | ((blue & 255) >> 3))
        : static_cast<uint16_t>((((red & 255) >> 3) << 10) | (((green & 255) >> 3) << 5) | ((blue & 255) >> 3));
    if (left >= kScreenW || top >= kScreenH || right < 0 || bottom < 0) return;
    // As with sprites, the far edge is measured from the box's own left/top.
    const int64_t x = left < 0 ? 0 : left;
    const int64_t r = (x + (static_cast<int64_t>(right) - left) > kScreenW) ? left - x + kScreenW : right;
    const int64_t y = top < 0 ? 0 : top;
    const int64_t b = (y + (static_cast<int64_t>(bottom) - top) > kScreenH) ? top - y + kScreenH : bottom;
    if (r <= x || b <= y) return;
    if (r > surface->width || b > surface->height) return;  // a fill the display would refuse
    for (int64_t row = y; row < b; row++) {
        uint16_t* p = Row(surface, static_cast<int>(row));
        std::fill(p + x, p + r, pixel);
    }
}

void PutSpriteWave(int x, int y, int amplitude, int frequency, int phase, Surface* surface, RECT rect, int flags) {
    if (drawingOff) return;
    for (int i = rect.top; i < rect.bottom; i++) {
        // Reduced modulo 360 first so extreme arguments cannot overflow.
        const int s = GetSin(static_cast<int>((static_cast<int64_t>(frequency) * i + phase) % 360));
        const int dx = static_cast<int>((static_cast<int64_t>(amplitude) * s) / 100);
        PutSprite(x + dx, y + i, surface, RECT{rect.left, i, rect.right, i + 1}, flags);
    }
}
