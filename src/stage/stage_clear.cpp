// The boss-defeat and stage-clear sequence, drawn over the still running
// game: a shower of explosions with a repeating blast, then the caption
// fading in and out while it drifts up and left, then the picture breaking
// into growing blocks and darkening.
#include "core/core.h"
#include "shot/shot.h"
#include "sound/sound.h"
#include "stage/stage.h"
#include "video/video.h"

int blastTime;
int clearTime;

int BossBlast(int down) {
    if (down != 1) {
        blastTime = 0;
        return 0;
    }
    if (blastTime < 120) {
        if ((blastTime & 7) == 0) PlayWave(1, "se\\se-1.wav", 0);
        if ((blastTime & 3) == 0) {
            const int y = GameRand() % 240;
            const int x = GameRand() % 320;
            const int size = GameRand() % 2;
            SetExplosion(size, x, y);
        }
        blastTime += 1;
    }
    return blastTime >= 100 ? 1 : 0;
}

int PutStageClear(int on) {
    if (on != 1) {
        clearTime = 0;
        return 0;
    }
    const int t = clearTime;
    const RECT caption{256, 72, 480, 112};
    if (t < 32) {
        PutSpriteAlpha(100 - t, 120 - t, Slot[1], caption, 17, t);
    } else if (t < 64) {
        PutSpriteAlpha(100 - t, 120 - t, Slot[1], caption, 17, 63 - t);
    } else if (t < 96) {
        MosaicRect(RECT{0, 0, 320, 240}, t - 64);
        DarkenScreen(96 - t);
    }
    if (t > 95) {
        clearTime = 0;
        return 1;
    }
    clearTime += 1;
    return 0;
}
