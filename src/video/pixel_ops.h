// Video internals shared by the copy routines: the sprite clip, surface
// access checks and the per-row pixel kernels. Each kernel comes in a fast
// form (SSE2, eight pixels at a time) and a plain reference form that follows
// the lookup tables and rules one pixel at a time; the tests hold the two
// against each other.
#pragma once

#include <cstdint>

#include "video/video.h"

namespace vid {

constexpr int kScreenW = 320;
constexpr int kScreenH = 240;

// A clipped copy: destination position, source top-left corner, size.
struct Clip {
    int dx, dy, sx, sy, w, h;
};

// The screen clip of PutSprite and the blended copies. False when nothing
// remains, or when the clipped source does not lie inside `src` or the
// destination inside `dst` (a copy the display would refuse).
// Inline: it runs for every one of the thousands of tiles a frame copies.
inline bool ClipSprite(int x, int y, const RECT& rect, const Surface* src, const Surface* dst, Clip& out) {
    // 64-bit arithmetic: positions and rectangles are arbitrary signed values.
    const int64_t w = static_cast<int64_t>(rect.right) - rect.left;
    const int64_t h = static_cast<int64_t>(rect.bottom) - rect.top;
    if (x >= kScreenW || y >= kScreenH) return false;
    if (x + w < 0 || y + h < 0) return false;

    int64_t nx = x, left = rect.left, right;
    if (x < 0) {
        left = rect.left - static_cast<int64_t>(x);
        nx = 0;
    }
    // The right edge is measured from rect.left, not from the clipped left edge.
    right = (nx + w > kScreenW) ? rect.left + kScreenW - nx : rect.right;

    int64_t ny = y, top = rect.top, bottom;
    if (y < 0) {
        top = rect.top - static_cast<int64_t>(y);
        ny = 0;
    }
    bottom = (ny + h > kScreenH) ? rect.top + kScreenH - ny : rect.bottom;

    const int64_t cw = right - left, ch = bottom - top;
    if (cw <= 0 || ch <= 0) return false;
    if (left < 0 || top < 0 || right > src->width || bottom > src->height) return false;
    if (nx + cw > dst->width || ny + ch > dst->height) return false;
    out = Clip{static_cast<int>(nx), static_cast<int>(ny), static_cast<int>(left),
               static_cast<int>(top), static_cast<int>(cw), static_cast<int>(ch)};
    return true;
}

// Builds the blend tables of a pixel format now: otherwise the first blended
// copy of a row tail builds them, a millisecond or two in the middle of play.
void PrepareBlendTables(int fmt565);

// A surface whose pixel store matches its size (what locking it means here).
inline bool CanLock(const Surface* s) {
    return s && s->width > 0 && s->height > 0 &&
           s->pixels.size() >= static_cast<size_t>(s->width) * static_cast<size_t>(s->height);
}

inline uint16_t* Row(Surface* s, int y) { return s->pixels.data() + static_cast<size_t>(y) * s->width; }
inline const uint16_t* Row(const Surface* s, int y) { return s->pixels.data() + static_cast<size_t>(y) * s->width; }

// Pure green of a pixel format: the green mask itself.
inline uint16_t GreenMask(int fmt565) { return fmt565 ? 0x07E0 : 0x03E0; }

// Blend levels outside 0..31 are clamped.
inline int ClampLevel(int level) { return level < 0 ? 0 : (level > 31 ? 31 : level); }

// The source rows of a clipped copy. When source and destination are the
// same surface the rows are first copied aside, so the copy behaves as if the
// whole source had been read before anything was written.
const uint16_t* SourceRowsCopied(const Surface* src, const Clip& c, int& pitch);
inline const uint16_t* SourceRows(const Surface* src, const Surface* dst, const Clip& c, int& pitch) {
    if (src == dst) return SourceRowsCopied(src, c, pitch);
    pitch = src->width;
    return src->pixels.data() + static_cast<size_t>(c.sy) * src->width + c.sx;
}

// --- row kernels (dst and src do not overlap)
void KeyedRow(uint16_t* dst, const uint16_t* src, int n, uint16_t key);
void KeyedRowRef(uint16_t* dst, const uint16_t* src, int n, uint16_t key);

void AlphaRow(uint16_t* dst, const uint16_t* src, int n, int level, int fmt565);
void AlphaRowRef(uint16_t* dst, const uint16_t* src, int n, int level, int fmt565);

void AddRow(uint16_t* dst, const uint16_t* src, int n, int level, int fmt565);
void AddRowRef(uint16_t* dst, const uint16_t* src, int n, int level, int fmt565);

void SilhouetteRow(uint16_t* dst, const uint16_t* src, int n, uint16_t key, uint16_t pixel);

void DarkenRow(uint16_t* p, int n, int level, int fmt565);
void DarkenRowRef(uint16_t* p, int n, int level, int fmt565);

void WhitenRow(uint16_t* p, int n, int level, int fmt565);
void WhitenRowRef(uint16_t* p, int n, int level, int fmt565);

}  // namespace vid
