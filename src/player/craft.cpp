// The player's craft: controls, movement, animation cell, trail, gauge,
// barrier, drawing, options and the terrain pushes of stages 4 and 5.
#include "core/core.h"
#include "input/input.h"
#include "player/player.h"
#include "stage/stage.h"
#include "stage/stage_table.h"
#include "video/video.h"

//                              speed lock firing cellH idle  up   down frames barrier
const CharacterInfo CharTable[10] = {
    {3, 12, 0, 32, 0, 64, 96, 2, 0, 104, 48, 48},    // 0 witch (barrier below the orbs, clear of 1's cells)
    {4, 60, 1, 32, 0, 128, 96, 3, 96, 80, 48, 48},   // 1 witch, charged beams
    {4, 60, 1, 32, 0, 128, 96, 3, 96, 64, 48, 48},   // 2 angel
    {3, 12, 1, 32, 0, 128, 96, 3, 32, 64, 48, 48},   // 3 imp
    {3, 12, 0, 24, 1, -1, -1, 4, 48, 32, 48, 32},    // 4 rice paddle
    {3, 12, 1, 32, 0, 96, 64, 2, 32, 64, 48, 48},    // 5 robot
    {3, 12, 0, 32, 1, 128, 96, 4, 64, 32, 48, 48},   // 6 fish
    {3, 12, 0, 32, 2, 64, 32, 4, 0, 48, 48, 32},     // 7 pastry
    {3, 40, 1, 32, 0, 96, 64, 2, 0, 96, 48, 48},     // 8 strongman
    {3, 12, 1, 32, 0, 96, 64, 2, 64, 64, 48, 48},    // 9 knight
};

int (*PlayerInput)() = GetInput;

namespace {

const int PingPong[4] = {0, 1, 2, 1};

void MoveCraft(const CharacterInfo& c, int key) {
    GameStateRecord& g = GameState;
    int s = c.speed;
    // Each direction on its own; a step that would cross a bound snaps to it.
    if (key & IN_UP) g.playerY = (g.playerY < 4) ? 0 : g.playerY - s;
    if (key & IN_DOWN) g.playerY = (g.playerY >= 196) ? 200 : g.playerY + s;
    if (key & IN_LEFT) g.playerX = (g.playerX < 4) ? 0 : g.playerX - s;
    if (key & IN_RIGHT) g.playerX = (g.playerX >= 296) ? 300 : g.playerX + s;
}

void AdvanceAnimation(int chno, const CharacterInfo& c) {
    GameStateRecord& g = GameState;
    int p = g.animTime++;
    if (p >= (chno == 4 ? 7 : 10)) {
        g.animNo += 1;
        // ">=" rather than "==": animNo keeps its value when a continue
        // switches to a character with fewer frames.
        if (chno == 4 ? g.animNo > 3 : g.animNo >= c.frames) g.animNo = 0;
        g.animTime = 0;
    }
}

int IdleLeft(const CharacterInfo& c) {
    int a = GameState.animNo;
    if (c.idle == 2) return 0;
    if (c.idle == 1) return PingPong[a & 3] * 32;
    return a * 32;
}

// Chooses the craft cell; advances the animation timer.
RECT CraftCell(int chno, const CharacterInfo& c) {
    GameStateRecord& g = GameState;
    int top = (c.firingRows && Player.shotLock == 1) ? 32 : 0;
    if (chno == 4) AdvanceAnimation(chno, c);
    int left;
    if (g.prevY == g.playerY || c.upLeft < 0) {
        left = IdleLeft(c);
    } else if (g.prevY > g.playerY) {
        left = c.upLeft;
    } else {
        left = c.downLeft;
    }
    RECT r{left, top, left + 32, top + c.cellH};
    g.prevX = g.playerX;
    g.prevY = g.playerY;
    if (chno != 4) AdvanceAnimation(chno, c);
    return r;
}

// Cells outside the map count as not solid.
bool Solid(int column, int row, int layer, int a, int b) {
    if (column < 0 || column >= kMapColumns || row < 0 || row >= kMapRows) return false;
    int t = MenMap[column][row][layer];
    return t == a || t == b;
}

void LoseLife() {
    GameStateRecord& g = GameState;
    lastHarm = kHarmWall;
    if (g.shotLv > 0) g.shotLv -= 1;
    if (g.option > 0) g.option -= 1;
    g.lives -= 1;
    dying = 1;
}

void Terrain() {
    GameStateRecord& g = GameState;
    int& layerOfs = MenScroll[MS::layerOfs];
    int scrollPos = MenScroll[MS::scrollPos];
    const WallLayer& wall = StageRow(stageNo).wall;
    layerOfs = WallOffset(wall, scrollPos) >> 4;
    const int layer = wall.layer, a = wall.tiles[0], b = wall.tiles[1];
    // The wall layer is drawn shifted left by its offset inside a tile too,
    // so the craft's column comes from its drawn position: k is the column
    // under the craft's centre, k + 1 the one its nose reaches into.
    int r = g.playerY >> 4;
    int k = (WallOffset(wall, scrollPos) + g.playerX) >> 4;
    if (Solid(k + 1, r, layer, a, b)) {
        g.playerX -= 4;
        if (wall.kind == WallKind::Deadly) {
            LoseLife();
        } else if (g.playerX < -8) {
            LoseLife();
            g.barrier = 0;
        }
    } else if (Solid(k - 1, r, layer, a, b)) {
        g.playerX += 4;
    } else if (Solid(k, r + 1, layer, a, b)) {
        g.playerY -= 4;
    } else if (Solid(k, r - 1, layer, a, b)) {
        g.playerY += 4;
    }
}

}  // namespace

void MovePlayer(int chno, int option, int shotLv) {
    GameStateRecord& g = GameState;

    // 1. Controls are live only after the swoop, outside a fall, and while
    // the enemies let them be.
    int key = 0;
    if (EnterPlayer() == 1) {
        if (FallPlayer() == 0 && inputOn == 1) key = PlayerInput();
    }

    bool known = chno >= 0 && chno <= 9;
    RECT cell{0, 0, 0, 0};
    if (known) {
        const CharacterInfo& c = CharTable[chno];
        MoveCraft(c, key);                              // 2
        FirePlayer(chno, key, option, shotLv);          // 3
        cell = CraftCell(chno, c);                      // 4
    }

    // 5. Trail: the options fly at the oldest entry, five frames back.
    for (int i = 0; i < 5; i++) {
        g.trailX[i] = g.trailX[i + 1];
        g.trailY[i] = g.trailY[i + 1];
    }
    g.trailX[5] = g.playerX;
    g.trailY[5] = g.playerY;

    // 6. Gauge.
    if (wazaOn == 0 && PutMater(key) == 1) {
        DarkenScreen(15);
        wazaReq = 1;
    }

    if (known) {
        const CharacterInfo& c = CharTable[chno];
        // 7. Barrier, brighter with more hits left.
        if (g.barrier > 0) {
            RECT r{c.barrierL, c.barrierT, c.barrierL + c.barrierW, c.barrierT + c.barrierH};
            int y = (chno == 4) ? g.playerY - 22 : g.playerY - c.barrierH / 2;
            PutSpriteAdd(g.playerX - 24, y, Slot[0], r, 17, g.barrier * 10 + 1);
        }
        // 8. Craft, fading in while invulnerable.
        if (invincible > 0) {
            PutSpriteAlpha(g.playerX - 16, g.playerY - 16, Slot[0], cell, 17, (128 - invincible) >> 2);
            invincible -= 1;
        } else {
            PutSprite(g.playerX - 16, g.playerY - 16, Slot[0], cell, 17);
        }
    } else if (invincible > 0) {
        invincible -= 1;
    }

    // 9. Options.
    PutOption(chno, option);

    // 10. Terrain of the stages with walls.
    if (StageRow(stageNo).wall.kind != WallKind::None && invincible == 0) Terrain();
}
