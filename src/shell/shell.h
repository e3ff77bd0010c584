// The shell: program entry, outer loop, paced play frame, shared game state,
// the game's own random numbers and integer sine.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

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

void ResetPools();
void ResetStageFlags();

// The game's random numbers: state * 214013 + 2531011, 15-bit results.
int GameRand();
void GameSrand(uint32_t seed);
uint32_t GameRandState();          // the state the next GameRand steps from

// Integer sine over whole degrees, peak 126; cosine is GetSin(a + 90).
int GetSin(int angle);

// Play frame and its gate (the gate's state runs for the whole program).
extern int frameTick, frameTriple, frameExtra;
extern long playFramesRun;         // frames that passed the gate (for --frames)
void GameFrame();
// One play frame for looking ahead: play exactly as GameFrame runs it past
// its gate, with nothing drawn, heard or presented (the technique's opening
// flash, which only draws, is skipped). Does nothing once the game is over.
void LookAheadFrame();

// File-name tables.
extern const char* const CharSheet[10];
extern const char* const StageMusic[7];
extern const char* const BgSheet[7];     // nullptr: the stage has none
extern const char* const EnemySheet[7];

// The last stage a run can reach (stage 6 has no sheets and no boss).
constexpr int kLastStage = 5;
// The first of a stage's files (stage file, scenery sheet, enemy sheet) that
// the data folder lacks, or nullptr when the stage can be played.
const char* MissingStageFile(int stage);
// The stage every run starts at (0: stage 1) and whether a clear leads on to
// the next stage; the command line sets both (tests set them here).
void SetRunStages(int stage, bool campaign);

// Frees the seven slots and loads them (and the stage file) for the current
// stage and character, as stage set-up does.
void LoadStageSlots();

// Opens a game file by its in-game name; '\' in the name separates folders.
std::string GameFilePath(const char* name);
std::FILE* OpenGameFile(const char* name, const char* mode);

// A game file that is missing or does not load: one line on stderr naming it
// and why, the first time only (the caller goes on without it).
void ReportDataFault(const char* name, const std::string& why);
void ForgetDataFaults();            // report every file afresh (tests)
// Checks the working folder for the files a run of these stages reads and for
// files that disagree with their own headers; returns one line naming the
// problems and the remedy (reinstalling for the installed data, else the
// generator), or "" when all is well.
std::string CheckDataFolder(const std::vector<int>& stages, bool installed = false);

// Whole program: parses the command line, runs the game, returns the exit code.
int RunGame(int argc, char** argv);

// The outer loop over title, selection, stage set-up and play, from the top
// of a pass until the quit message arrives; returns the quit message's code.
// runSetUp: start at the stage set-up of a run already prepared (a replay).
// The screens and the play frame are called through OuterLoopCalls so that a
// test can stand in for them.
struct OuterLoopCalls {
    int (*title)();
    int (*charsel)();
    void (*gameFrame)();
    void (*stageEnd)();
    void (*loadStage)();            // LoadStageSlots
    void (*stageCaption)(int stage); // between two stages of a campaign (may be null)
};
extern OuterLoopCalls outerLoopCalls;
int OuterLoop(bool runSetUp = false);

// Pause: shows the last play frame darkened with its caption until the pause
// key comes again (true) or Escape or the quit message (false: the message
// is left for the message loop). Music and sounds stop meanwhile.
bool PauseUntilResumed();
// Draws the volume bar over presented frames for a moment after each change.
void InstallVolumeBar();

// Shut-down: stops the music, frees the slots, releases sound and display and
// shows the cursor again.
void ShutdownGame();
// The shut-down, then the end of the program with the given code.
[[noreturn]] void ShutdownAndExit(int code);
// A replay being played back ends the program here: it reached a close
// event, or (outOfStep) the game asked for input the replay does not hold.
// The exit code is 0 when it ended as recorded, else kExitReplayDiffers.
[[noreturn]] void EndPlayback(bool outOfStep);
constexpr int kExitReplayDiffers = 3;
