// The screens that end a stage or a run: the continue choice over the dimmed
// last frame, the game-over picture fading from and to white, and the
// stage-end picture that waits for the first button.
#include "core/core.h"
#include "input/input.h"
#include "platform/platform.h"
#include "screens/picture.h"
#include "screens/screens.h"
#include "video/video.h"

using screens::kScreenRect;

int ContinueSel = 0;
int ContinueSwap = 0;

namespace {
constexpr RECT kCaptionRect{240, 0, 464, 48};
constexpr int kContinueSettleFrames = 30;  // the whole game's moment before a press counts
constexpr RECT kChoiceRect[2] = {{464, 0, 544, 48}, {544, 0, 624, 48}};

// The HUD sheet the shell keeps in slot 1 during a stage.
void PutChoice(int which, int x, int level) {
    PutSpriteAlpha(x, 160, Slot[1], kChoiceRect[which], 17, level);
}
}  // namespace

int ContinueChoice(int mode) {
    if (mode == 2) {
        if (ContinueSel == 0) return 1;
        ContinueSel = 0;
        return 0;
    }

    int shown = ContinueSel, other = 1 - ContinueSel;
    int s = ContinueSwap;
    if (s <= 31) {
        PutChoice(other, 120 + s, s);
        PutChoice(shown, 120 - s, 31);
    } else {
        PutChoice(shown, s + 58, 62 - s);
        PutChoice(other, 182 - s, 31);
    }

    if (mode == 1) ContinueSwap += 1;
    if (ContinueSwap > 62) {
        ContinueSel = 1 - ContinueSel;
        ContinueSwap = 0;
        return 1;
    }
    return 0;
}

int h_Continue() {
    // One surface for the program's life: a run may end inside this screen
    // (a replay that runs out of input), and nothing is freed then.
    static Surface* const snapshot = MakeSurface(320, 240);
    DarkenScreen(15);
    screens::Snapshot(snapshot);
    plat::Sleep(500);

    // A word passes the filter only when it differs from the filtered word of
    // the pass before, so a held key counts on every second pass. Confirmation
    // waits while a swap runs, and a press during a swap queues nothing.
    // In the whole game a word counts only as a fresh press, and only after a
    // short moment: fire held through the game over does not continue at once.
    int w = 0, swap = 0, raw = 0, settle = wholeGameRun == 1 ? kContinueSettleFrames : 0;
    for (;;) {
        int a = w;
        if (a == IN_B1 && swap == 0) break;
        if (a == IN_RIGHT || a == IN_LEFT) swap = 1;
        PutSprite(0, 0, snapshot, kScreenRect, 16);
        PutSprite(48, 60, Slot[1], kCaptionRect, 17);
        w = GetInput();
        if (wholeGameRun == 1) {
            const int fresh = (w != raw && settle == 0) ? w : 0;
            raw = w;
            if (settle > 0) settle--;
            w = fresh;
        } else if (w == a) {
            w = 0;
        }
        if (ContinueChoice(swap) == 1) {
            swap = 0;
            w = 0;
        }
        FlipScreen();
    }

    return ContinueChoice(2);
}

void h_GameOver() {
    Surface* pic = LoadBitmapSurface("demo_over.bmp");
    for (int i = 0; i < 64; i++) {
        screens::PutPicture(pic);
        WhitenRect(kScreenRect, 31 - (i >> 1));
        FlipScreen();
    }
    plat::Sleep(1000);
    for (int i = 0; i < 64; i++) {
        screens::PutPicture(pic);
        WhitenRect(kScreenRect, i >> 1);
        FlipScreen();
    }
    FreeSurface(pic);
}

void h_StageEnd() {
    Surface* pic = LoadBitmapSurface("pre_end.bmp");
    screens::PutPicture(pic);
    FlipScreen();
    plat::Sleep(1000);
    // Only the first button alone ends the picture; a millisecond's sleep per
    // poll keeps the wait from spinning the processor.
    while (GetInput() != IN_B1) plat::Sleep(1);
    FreeSurface(pic);
}
