// Small helpers shared by the screens' sources.
#pragma once

#include "video/video.h"

namespace screens {

inline constexpr RECT kScreenRect{0, 0, 320, 240};

// Copies a full-screen picture to (0, 0) without key.
inline void PutPicture(Surface* s) { PutSprite(0, 0, s, kScreenRect, 16); }

// A raw copy of the work surface into a 320 x 240 snapshot.
inline void Snapshot(Surface* dest) { CopySurfaceRect(dest, WorkSurface, kScreenRect, 0, 0); }

}  // namespace screens
