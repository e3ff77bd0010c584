// Blended copies onto the work surface: translucent, additive and one-colour
// sprites. The lookup tables define every result; the SSE2 kernels compute
// the same values eight pixels at a time, and the tables serve the plain
// reference path and the row tails.
#include <emmintrin.h>

#include <algorithm>

#include "platform/platform.h"
#include "video/pixel_ops.h"
#include "video/video.h"

namespace {

// Red and blue are indexed [L][s][d] with 5-bit channels; green [L][s][d]
// with 6-bit channels in RGB565 (5-bit in RGB555). Entries hold the channel
// already shifted into place.
struct BlendTables {
    uint16_t red[32][32][32];
    uint16_t blue[32][32][32];
    uint16_t green[32][64][64];
};

struct AlphaTables : BlendTables {
    explicit AlphaTables(int fmt565) {
        const int redShift = fmt565 ? 11 : 10;
        for (int L = 0; L < 32; L++)
            for (int s = 0; s < 32; s++)
                for (int d = 0; d < 32; d++) {
                    const int v = (s * L + d * (31 - L)) >> 5;
                    red[L][s][d] = static_cast<uint16_t>(v << redShift);
                    blue[L][s][d] = static_cast<uint16_t>(v);
                    if (!fmt565) green[L][s][d] = static_cast<uint16_t>(v << 5);
                }
        // RGB565 green is blended at half precision and lands at bits 6..10.
        if (fmt565)
            for (int L = 0; L < 32; L++)
                for (int s = 0; s < 64; s++)
                    for (int d = 0; d < 64; d++)
                        green[L][s][d] = static_cast<uint16_t>(((s * L + d * (31 - L)) >> 6) << 6);
    }
};

struct AddTables : BlendTables {
    explicit AddTables(int fmt565) {
        const int redShift = fmt565 ? 11 : 10;
        for (int L = 0; L < 32; L++)
            for (int s = 0; s < 32; s++)
                for (int d = 0; d < 32; d++) {
                    const int v = std::min(31, d + std::max(0, s - (31 - L)));
                    red[L][s][d] = static_cast<uint16_t>(v << redShift);
                    blue[L][s][d] = static_cast<uint16_t>(v);
                    if (!fmt565) green[L][s][d] = static_cast<uint16_t>(v << 5);
                }
        if (fmt565)
            for (int L = 0; L < 32; L++)
                for (int s = 0; s < 64; s++)
                    for (int d = 0; d < 64; d++)
                        green[L][s][d] = static_cast<uint16_t>(std::min(63, d + std::max(0, s - (62 - 2 * L))) << 5);
    }
};

// Built on first use, one set per pixel format.
const AlphaTables& AlphaFor(int fmt565) {
    if (fmt565) {
        static const AlphaTables t(1);
        return t;
    }
    static const AlphaTables t(0);
    return t;
}

const AddTables& AddFor(int fmt565) {
    if (fmt565) {
        static const AddTables t(1);
        return t;
    }
    static const AddTables t(0);
    return t;
}

struct Channels {
    int r, g, b;
};

inline Channels Split(uint16_t p, int fmt565) {
    if (fmt565) return {p >> 11, (p >> 5) & 63, p & 31};
    return {(p >> 10) & 31, (p >> 5) & 31, p & 31};
}

inline uint16_t LookUp(const BlendTables& t, int L, uint16_t s, uint16_t d, int fmt565) {
    const Channels a = Split(s, fmt565), b = Split(d, fmt565);
    return static_cast<uint16_t>(t.red[L][a.r][b.r] | t.green[L][a.g][b.g] | t.blue[L][a.b][b.b]);
}

inline __m128i Load(const uint16_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void Store(uint16_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
inline __m128i Set(int v) { return _mm_set1_epi16(static_cast<short>(v)); }

}  // namespace

namespace vid {

void PrepareBlendTables(int fmt565) {
    AlphaFor(fmt565);
    AddFor(fmt565);
}

void AlphaRowRef(uint16_t* dst, const uint16_t* src, int n, int level, int fmt565) {
    const AlphaTables& t = AlphaFor(fmt565);
    const uint16_t green = GreenMask(fmt565);
    for (int i = 0; i < n; i++)
        if (src[i] != green) dst[i] = LookUp(t, level, src[i], dst[i], fmt565);
}

void AlphaRow(uint16_t* dst, const uint16_t* src, int n, int level, int fmt565) {
    const __m128i lv = Set(level), iv = Set(31 - level), key = Set(GreenMask(fmt565));
    const __m128i m31 = Set(31);
    int i = 0;
    if (fmt565) {
        const __m128i m63 = Set(63), redMask = Set(0xF800), greenMask = Set(0xFFC0);
        for (; i + 8 <= n; i += 8) {
            const __m128i s = Load(src + i), d = Load(dst + i);
            // s * L + d * (31 - L) per channel stays below 2048: 16-bit products suffice.
            __m128i r = _mm_add_epi16(_mm_mullo_epi16(_mm_srli_epi16(s, 11), lv),
                                      _mm_mullo_epi16(_mm_srli_epi16(d, 11), iv));
            __m128i g = _mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(s, 5), m63), lv),
                                      _mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(d, 5), m63), iv));
            __m128i b = _mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(s, m31), lv),
                                      _mm_mullo_epi16(_mm_and_si128(d, m31), iv));
            r = _mm_and_si128(_mm_slli_epi16(r, 6), redMask);  // (v >> 5) << 11
            g = _mm_and_si128(g, greenMask);                   // (v >> 6) << 6
            b = _mm_srli_epi16(b, 5);
            const __m128i res = _mm_or_si128(_mm_or_si128(r, g), b);
            const __m128i m = _mm_cmpeq_epi16(s, key);
            Store(dst + i, _mm_or_si128(_mm_and_si128(m, d), _mm_andnot_si128(m, res)));
        }
    } else {
        const __m128i redMask = Set(0x7C00), greenMask = Set(0x03E0);
        for (; i + 8 <= n; i += 8) {
            const __m128i s = Load(src + i), d = Load(dst + i);
            __m128i r = _mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(s, 10), m31), lv),
                                      _mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(d, 10), m31), iv));
            __m128i g = _mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(s, 5), m31), lv),
                                      _mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(d, 5), m31), iv));
            __m128i b = _mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(s, m31), lv),
                                      _mm_mullo_epi16(_mm_and_si128(d, m31), iv));
            r = _mm_and_si128(_mm_slli_epi16(r, 5), redMask);  // (v >> 5) << 10
            g = _mm_and_si128(g, greenMask);                   // (v >> 5) << 5
            b = _mm_srli_epi16(b, 5);
            const __m128i res = _mm_or_si128(_mm_or_si128(r, g), b);
            const __m128i m = _mm_cmpeq_epi16(s, key);
            Store(dst + i, _mm_or_si128(_mm_and_si128(m, d), _mm_andnot_si128(m, res)));
        }
    }
    AlphaRowRef(dst + i, src + i, n - i, level, fmt565);
}

void AddRowRef(uint16_t* dst, const uint16_t* src, int n, int level, int fmt565) {
    const AddTables& t = AddFor(fmt565);
    for (int i = 0; i < n; i++) dst[i] = LookUp(t, level, src[i], dst[i], fmt565);
}

void AddRow(uint16_t* dst, const uint16_t* src, int n, int level, int fmt565) {
    // min(top, d + max(0, s - (top - L))) per channel; 62 - 2L for 6-bit green.
    const __m128i t5 = Set(31 - level), m31 = Set(31);
    int i = 0;
    if (fmt565) {
        const __m128i t6 = Set(62 - 2 * level), m63 = Set(63);
        for (; i + 8 <= n; i += 8) {
            const __m128i s = Load(src + i), d = Load(dst + i);
            __m128i r = _mm_add_epi16(_mm_srli_epi16(d, 11), _mm_subs_epu16(_mm_srli_epi16(s, 11), t5));
            __m128i g = _mm_add_epi16(_mm_and_si128(_mm_srli_epi16(d, 5), m63),
                                      _mm_subs_epu16(_mm_and_si128(_mm_srli_epi16(s, 5), m63), t6));
            __m128i b = _mm_add_epi16(_mm_and_si128(d, m31), _mm_subs_epu16(_mm_and_si128(s, m31), t5));
            r = _mm_slli_epi16(_mm_min_epi16(r, m31), 11);
            g = _mm_slli_epi16(_mm_min_epi16(g, m63), 5);
            b = _mm_min_epi16(b, m31);
            Store(dst + i, _mm_or_si128(_mm_or_si128(r, g), b));
        }
    } else {
        for (; i + 8 <= n; i += 8) {
            const __m128i s = Load(src + i), d = Load(dst + i);
            __m128i r = _mm_add_epi16(_mm_and_si128(_mm_srli_epi16(d, 10), m31),
                                      _mm_subs_epu16(_mm_and_si128(_mm_srli_epi16(s, 10), m31), t5));
            __m128i g = _mm_add_epi16(_mm_and_si128(_mm_srli_epi16(d, 5), m31),
                                      _mm_subs_epu16(_mm_and_si128(_mm_srli_epi16(s, 5), m31), t5));
            __m128i b = _mm_add_epi16(_mm_and_si128(d, m31), _mm_subs_epu16(_mm_and_si128(s, m31), t5));
            r = _mm_slli_epi16(_mm_min_epi16(r, m31), 10);
            g = _mm_slli_epi16(_mm_min_epi16(g, m31), 5);
            b = _mm_min_epi16(b, m31);
            Store(dst + i, _mm_or_si128(_mm_or_si128(r, g), b));
        }
    }
    AddRowRef(dst + i, src + i, n - i, level, fmt565);
}

void SilhouetteRow(uint16_t* dst, const uint16_t* src, int n, uint16_t key, uint16_t pixel) {
    const __m128i k = Set(key), p = Set(pixel);
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m128i m = _mm_cmpeq_epi16(Load(src + i), k);
        Store(dst + i, _mm_or_si128(_mm_and_si128(m, Load(dst + i)), _mm_andnot_si128(m, p)));
    }
    for (; i < n; i++)
        if (src[i] != key) dst[i] = pixel;
}

}  // namespace vid

using namespace vid;

namespace {

// The shared frame of the three sprite blends: clip as PutSprite does, take
// both surfaces (reporting a surface that cannot be taken), run the row kernel.
template <class RowFn>
void BlendCopy(int x, int y, Surface* surface, const RECT& rect, RowFn row) {
    if (drawingOff) return;
    Surface* dst = WorkSurface;
    if (!surface || !dst) return;  // an empty slot draws nothing
    Clip c;
    if (!ClipSprite(x, y, rect, surface, dst, c)) return;
    if (!CanLock(dst)) {
        plat::MessageBox("MAHO", "MAHO");
        return;
    }
    if (!CanLock(surface)) {
        plat::MessageBox("AHO", "AHO");
        return;
    }
    int pitch;
    const uint16_t* src = SourceRows(surface, dst, c, pitch);
    uint16_t* out = Row(dst, c.dy) + c.dx;
    for (int r = 0; r < c.h; r++)
        row(out + static_cast<size_t>(r) * dst->width, src + static_cast<size_t>(r) * pitch, c.w);
}

}  // namespace

void PutSpriteAlpha(int x, int y, Surface* surface, RECT rect, int /*flag: always keyed on pure green*/, int level) {
    const int L = ClampLevel(level), fmt = PixelFormat565;
    BlendCopy(x, y, surface, rect, [=](uint16_t* d, const uint16_t* s, int n) { AlphaRow(d, s, n, L, fmt); });
}

void PutSpriteAdd(int x, int y, Surface* surface, RECT rect, int /*flag: never keyed*/, int level) {
    const int L = ClampLevel(level), fmt = PixelFormat565;
    BlendCopy(x, y, surface, rect, [=](uint16_t* d, const uint16_t* s, int n) { AddRow(d, s, n, L, fmt); });
}

void PutSpriteAddKeyed(int x, int y, Surface* surface, RECT rect, int level) {
    const int L = ClampLevel(level), fmt = PixelFormat565;
    const uint16_t key = GreenMask(fmt);
    BlendCopy(x, y, surface, rect, [=](uint16_t* d, const uint16_t* s, int n) {
        for (int i = 0; i < n;) {  // each run of non-key pixels is one additive row
            while (i < n && s[i] == key) i++;
            int j = i;
            while (j < n && s[j] != key) j++;
            if (j > i) AddRow(d + i, s + i, j - i, L, fmt);
            i = j;
        }
    });
}

void PutSilhouette(int x, int y, Surface* surface, RECT rect, uint16_t pixel) {
    const uint16_t key = GreenMask(PixelFormat565);
    BlendCopy(x, y, surface, rect,
              [=](uint16_t* d, const uint16_t* s, int n) { SilhouetteRow(d, s, n, key, pixel); });
}
