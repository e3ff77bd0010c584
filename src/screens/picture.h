// Small helpers shared by the screens' sources.
#pragma once

#include <string>
#include <vector>

#include "video/video.h"

namespace screens {

inline constexpr RECT kScreenRect{0, 0, 320, 240};

// Copies a full-screen picture to (0, 0) without key.
inline void PutPicture(Surface* s) { PutSprite(0, 0, s, kScreenRect, 16); }

// A raw copy of the work surface into a 320 x 240 snapshot.
inline void Snapshot(Surface* dest) { CopySurfaceRect(dest, WorkSurface, kScreenRect, 0, 0); }

// The whole game's own screens stand on the title's background, darkened,
// under one of the headings of "menu_text.bmp".
enum class Heading { Scores = 0, Practice = 1, Options = 2, Name = 3 };
struct Backdrop {
    Surface* picture = nullptr;     // composed once: background, darkening, heading
};
Backdrop LoadBackdrop(Heading heading);
void FreeBackdrop(Backdrop& b);
inline void PutBackdrop(const Backdrop& b) {
    if (b.picture)
        PutPicture(b.picture);
    else
        FillScreen(0);
}

// Input for the whole game's screens: the word of this read, the bits newly
// pressed since the read before, the key strokes and an Escape press.
struct MenuInput {
    int word = 0, fresh = 0;
    std::vector<std::string> typed;     // names of keys pressed in this read
    std::vector<std::string> released;  // and of keys released
    bool escape = false;
    bool Any() const { return fresh != 0 || !typed.empty() || escape; }
};
// Starts a screen's reading: forgets strokes and Escape presses from before
// and takes the word held now as already seen.
void BeginMenuInput(int& prevWord);
// One frame's input; a piece of music that ended meanwhile starts again.
MenuInput ReadMenuInput(int& prevWord);

}  // namespace screens
