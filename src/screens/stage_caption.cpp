// The caption between two stages of a campaign: "STAGE n" over the stage's
// name, from "stagename.bmp" (one 288 x 48 cell per stage, stage 1 on top).
// Two blended copies converge onto the caption as it fades in, it rests, then
// fades out: 125 frames, about two seconds. A fresh press of the first button
// ends it at once; a button already held when it opens does not.
#include "core/core.h"
#include "input/input.h"
#include "screens/screens.h"
#include "stage/stage_table.h"
#include "video/video.h"

namespace {
constexpr int kCellW = 288, kCellH = 48;
constexpr int kX = (320 - kCellW) / 2, kY = 96;
constexpr int kFadeIn = 32, kRestEnd = 93, kFrames = 125;
}  // namespace

void h_StageCaption(int stage) {
    if (stage < 1 || stage > kLastStage) return;
    Surface* pic = LoadBitmapSurface("stagename.bmp");
    SetKeyColor(pic, 0x07E0);
    const RECT cell{0, kCellH * (stage - 1), kCellW, kCellH * stage};

    int prev = GetInput();
    for (int f = 0; f < kFrames; f++) {
        FillScreen(0);
        if (f < kFadeIn) {
            int k = kFadeIn - 1 - f;
            PutSpriteAlpha(kX + k, kY, pic, cell, 17, f);
            PutSpriteAlpha(kX - k, kY, pic, cell, 17, f);
        } else if (f < kRestEnd) {
            PutSprite(kX, kY, pic, cell, 17);
        } else {
            PutSpriteAlpha(kX, kY, pic, cell, 17, kFrames - 1 - f);
        }
        FlipScreen();
        int word = GetInput();
        if (word == IN_B1 && prev != IN_B1) break;
        prev = word;
    }

    FreeSurface(pic);
    ClearAllScreens();
}
