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
bool ClipSprite(int x, int y, const RECT& rect, const Surface* src, const Surface* dst, Clip& out);

// A surface whose pixel store matches its size (what locking it means here).
bool CanLock(const Surface* s);

inline uint16_t* Row(Surface* s, int y) { return s->pixels.data() + static_cast<size_t>(y) * s->width; }
inline const uint16_t* Row(const Surface* s, int y) { return s->pixels.data() + static_cast<size_t>(y) * s->width; }

// Pure green of a pixel format: the green mask itself.
inline uint16_t GreenMask(int fmt565) { return fmt565 ? 0x07E0 : 0x03E0; }

// Blend levels outside 0..31 are clamped.
inline int ClampLevel(int level) { return level < 0 ? 0 : (level > 31 ? 31 : level); }

// The source rows of a clipped copy. When source and destination are the
// same surface the rows are first copied aside, so the copy behaves as if the
// whole source had been read before anything was written.
const uint16_t* SourceRows(const Surface* src, const Surface* dst, const Clip& c, int& pitch);

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
