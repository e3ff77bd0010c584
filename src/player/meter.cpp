// The meter: the technique gauge under the craft, and the heads-up display
// (score, meter bar, stock digit, life icons).
#include <cstdio>

#include "core/core.h"
#include "player/player.h"
#include "video/video.h"

namespace {
RECT Cell(int left, int top, int right, int bottom) { return RECT{left, top, right, bottom}; }
}  // namespace

int PutMater(int key) {
    GameStateRecord& g = GameState;
    if (g.materLv == 0) return 0;
    if (dying == 1) {
        Player.gaugeCount = 0;
        return 0;
    }
    Player.gaugeMax = (g.materLv == 1) ? 30 : 60;
    int& count = Player.gaugeCount;
    if (key & 0x20) {
        PutSprite(g.playerX - 16, g.playerY + 20, Slot[1], Cell(192, 28, 224, 32), 17);
        int a = count < 30 ? count : 30;
        PutBox(WorkSurface, g.playerX - 15, g.playerY + 21, g.playerX - 15 + a, g.playerY + 23, 0, 255, 255);
        int b = count > 30 ? count - 30 : 0;
        PutBox(WorkSurface, g.playerX - 15, g.playerY + 21, g.playerX - 15 + b, g.playerY + 23, 0, 0, 255);
        if (count < Player.gaugeMax) {
            count += 1;
            return 0;
        }
        if (count == Player.gaugeMax) return 0;   // full: waits for the release
        count = 0;                                // the stock fell while held
        return 0;
    }
    if (count >= 30) {
        wazaCharge = count;
        count = 0;
        return 1;
    }
    count = 0;
    return 0;
}

void PutStatus() {
    GameStateRecord& g = GameState;
    Surface* fix = Slot[1];

    PutSprite(50, 0, fix, Cell(0, 0, 80, 16), 17);

    // Score, right-aligned with its last digit at x = 220.
    char text[16];
    int n = std::snprintf(text, sizeof text, "%d", g.score);
    for (int i = 0; i < n; i++) {
        char c = text[n - 1 - i];
        if (c < '0' || c > '9') continue;         // a minus sign has no picture
        int d = c - '0';
        PutSprite(220 - 16 * i, 0, fix, Cell(80 + 16 * d, 0, 96 + 16 * d, 16), 17);
    }

    PutSprite(200, 210, fix, Cell(0, 16, 96, 32), 17);

    if (g.mater > 249) g.mater = 249;
    g.materLv = g.mater / 50;
    g.materRest = g.mater % 50;

    PutBox(WorkSurface, 236, 217, 236 + g.materRest, 223, 0, 255, 255);

    // Stock digit: 51 frames of the digit, 25 of the blink picture, 1 of the digit.
    int col;
    if (g.materLv == 0) {
        col = 96;
        Player.stockBlink = 0;
    } else {
        int p = Player.stockBlink++;
        if (p <= 50) {
            col = 96 + 16 * g.materLv;
        } else {
            int q = Player.stockBlink++;
            if (q <= 100) {
                col = 176;
            } else {
                col = 96 + 16 * g.materLv;
                Player.stockBlink = 0;
            }
        }
    }
    PutSprite(205, 210, fix, Cell(col, 16, col + 16, 32), 17);

    // Lives: the character's face, bobbing; each icon advances the wobble.
    RECT face = Cell(16 * g.chno, 32, 16 * g.chno + 16, 48);
    for (int i = 0; i < g.lives; i++) {
        Player.lifeWobble += 1;
        if (Player.lifeWobble > 360) Player.lifeWobble = 0;
        PutSprite(16 * i + 10, 210 + (GetSin(15 * i + Player.lifeWobble) >> 5), fix, face, 17);
    }
}
