// Small helpers shared by the screens' sources.
#pragma once

#include <algorithm>

#include "video/video.h"

namespace screens {

// The part of rect that lies on the surface: a damaged or undersized picture
// is drawn as far as it goes instead of being read past its end.
inline RECT OnSurface(const Surface* s, RECT r) {
    if (!s) return RECT{0, 0, 0, 0};
    r.right = std::min(r.right, static_cast<int32_t>(s->width));
    r.bottom = std::min(r.bottom, static_cast<int32_t>(s->height));
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

inline constexpr RECT kScreenRect{0, 0, 320, 240};

// Copies a full-screen picture to (0, 0) without key.
inline void PutPicture(Surface* s) { PutSprite(0, 0, s, OnSurface(s, kScreenRect), 16); }

// A raw copy of the work surface into a 320 x 240 snapshot.
inline void Snapshot(Surface* dest) {
    if (dest && dest->width >= 320 && dest->height >= 240) CopySurfaceRect(dest, WorkSurface, kScreenRect, 0, 0);
}

}  // namespace screens
