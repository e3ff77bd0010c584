// The run record and the run flags that every part of play reads and sets.
#include "core/core.h"

GameStateRecord GameState;

int stageNo;
int menFrame;
int MenScroll[10];
int quitFlag, restartFlag, continueFlag, gameOverFlag, clearFlag;
int bossDown;
int wazaReq, wazaOn, wazaOn2, wazaCharge;
int entryOn, entryVoice, dying, invincible;
int itemDrop, inputOn;
int soundOk;
int wholeGameRun;
int storyScenesSeen;
