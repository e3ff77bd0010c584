// Stage set-up: empties every pool and puts the run flags back to their
// start values before each stage.
#include "enemy/enemy.h"
#include "player/player.h"
#include "screens/screens.h"
#include "shell/shell.h"
#include "shot/shot.h"

void ResetPools() {
    EmptyShotPools();
    EmptyTekiPool();
    EmptyPlayerPools();
    GameState.playerX = 100;
    GameState.playerY = 100;
    GameState.materLv = 0;
    GameState.materRest = 0;
    GameState.mater = 50;
    for (int i = 0; i < 5; i++) {
        GameState.trailX[i] = 100;
        GameState.trailY[i] = 100;
    }
}

void ResetStageFlags() {
    entryOn = entryVoice = dying = 0;
    wazaReq = wazaOn = wazaOn2 = 0;
    restartFlag = continueFlag = gameOverFlag = 0;
    for (int& s : MenScroll) s = 0;
    invincible = 0;
    bossDown = 0;
    clearFlag = 0;
    menFrame = 0;
    itemDrop = 1;
    inputOn = 1;
    ResetTitleTables();
}
