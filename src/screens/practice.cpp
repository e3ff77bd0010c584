// The whole game's practice choice: the five stages, those a whole-game run
// has reached open, each with its best practice score, and BACK.
#include <string>

#include "input/input.h"
#include "screens/front_end.h"
#include "screens/picture.h"
#include "video/text.h"
#include "video/video.h"

using namespace screens;

int PracticeSel = 1;

namespace {
const char* const kStageName[5] = {"CLOUD SEA", "LANTERN HARBOUR", "AUTUMN CANOPY", "CRYSTAL CAVERNS",
                                   "STORM FORTRESS"};
constexpr int kBack = 6;  // the row after the five stages
constexpr int kReleaseFrames = 65;
}  // namespace

int h_Practice(int open, const int best[5]) {
    if (open < 1) open = 1;
    if (open > 5) open = 5;
    int sel = (PracticeSel >= 1 && PracticeSel <= open) ? PracticeSel : 1;
    Backdrop back = LoadBackdrop(Heading::Practice);
    int prev = 0;
    BeginMenuInput(prev);
    int chosen = -1;
    while (chosen < 0) {
        PutBackdrop(back);
        for (int n = 1; n <= 5; n++) {
            const int y = 48 + 24 * (n - 1);
            const bool isOpen = n <= open;
            const Ink ink = !isOpen ? Ink::Dim : n == sel ? Ink::Highlight : Ink::Plain;
            if (n == sel) PutBox(WorkSurface, 20, y - 4, 300, y + 13, 70, 30, 50);
            PutText(28, y, "STAGE " + std::to_string(n), ink);
            PutText(84, y, isOpen ? kStageName[n - 1] : "LOCKED", ink);
            if (isOpen) PutTextRight(292, y, "BEST " + std::to_string(best[n - 1]), ink);
        }
        const int backY = 48 + 24 * 5 + 6;
        if (sel == kBack) PutBox(WorkSurface, 20, backY - 4, 300, backY + 13, 70, 30, 50);
        PutText(28, backY, "BACK", sel == kBack ? Ink::Highlight : Ink::Plain);
        PutTextCentered(206, "A WHOLE-GAME RUN OPENS THE STAGES IT REACHES", Ink::Dim);
        PutTextCentered(220, "PRACTICE SCORES STAY OUT OF THE TABLE", Ink::Dim);
        FlipScreen();

        MenuInput in = ReadMenuInput(prev);
        const int edge = in.fresh ? in.word : 0;
        if (edge == IN_UP) sel = (sel == kBack) ? open : (sel == 1 ? kBack : sel - 1);
        if (edge == IN_DOWN) sel = (sel == kBack) ? 1 : (sel == open ? kBack : sel + 1);
        if (edge == IN_B1) chosen = sel == kBack ? 0 : sel;
        if (edge == IN_B2 || in.escape) chosen = 0;
    }
    if (chosen > 0) PracticeSel = chosen;
    // The selection comes next and takes a held first button as its own
    // choice: the press that chose the stage is let go first (a second at most).
    for (int f = 0; chosen > 0 && f < kReleaseFrames && (GetInput() & IN_B1); f++) FlipScreen();
    FreeBackdrop(back);
    return chosen;
}
