// The core every subsystem may include: the player's run record and the run
// flags, the game's own random numbers and integer sine, game-file names and
// paths, and the reports of damaged or missing game data.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// The player's run record. Field order is fixed.
struct GameStateRecord {
    int chno;
    int playerX, playerY;
    int lives;
    int barrier;
    int option;
    int shotLv;
    int score;
    int materLv, materRest, mater;
    int animNo;
    int prevX, prevY;
    int animTime;
    int optAngle;
    int trailX[6], trailY[6];
    int wazaVoice;
};
extern GameStateRecord GameState;

// Run flags and counters.
extern int stageNo;
extern int menFrame;
extern int MenScroll[10];
extern int quitFlag, restartFlag, continueFlag, gameOverFlag, clearFlag;
extern int bossDown;
extern int wazaReq, wazaOn, wazaOn2, wazaCharge;
extern int entryOn, entryVoice, dying, invincible;
extern int itemDrop, inputOn;
extern int soundOk;
// A run of the whole game (a campaign or a practice run; set when its
// selection opens, and from the run's kind when a replay starts): its
// continue screen takes only a fresh press, stage 4's scripted scene can be
// skipped after its first showing in the run (storyScenesSeen counts the
// showings since the run began), and the frame that ends a stage clear is not
// shown. Neither is play state: both follow from how the run was started.
extern int wholeGameRun;
extern int storyScenesSeen;

// The game's random numbers: state * 214013 + 2531011, 15-bit results.
int GameRand();
void GameSrand(uint32_t seed);
uint32_t GameRandState();          // the state the next GameRand steps from

// Integer sine over whole degrees, peak 126; cosine is GetSin(a + 90).
int GetSin(int angle);

// The characters' sprite sheets (the stages' files are in the stage table).
extern const char* const CharSheet[10];

// Opens a game file by its in-game name; '\' in the name separates folders.
std::string GameFilePath(const char* name);
std::FILE* OpenGameFile(const char* name, const char* mode);

// A game file that is missing or does not load: one line on stderr naming it
// and why, the first time only (the caller goes on without it).
void ReportDataFault(const char* name, const std::string& why);
void ForgetDataFaults();            // report every file afresh (tests)
