// The shell, the top floor: program start and shut-down, the outer loop, the
// paced play frame, pause and the data folder check at start.
#pragma once

#include <string>
#include <vector>

#include "core/core.h"

// Stage set-up: empties the pools and resets the run flags.
void ResetPools();
void ResetStageFlags();

// Play frame and its gate (the gate's state runs for the whole program).
extern int frameTick, frameTriple, frameExtra;
extern long playFramesRun;         // frames that passed the gate (for --frames)
void GameFrame();
// One play frame for looking ahead: play exactly as GameFrame runs it past
// its gate, with nothing drawn, heard or presented (the technique's opening
// flash, which only draws, is skipped). Does nothing once the game is over.
void LookAheadFrame();
// Between play frames: sleeps until just before the play frame's gate opens.
void WaitTowardsGate();

// The stage every run starts at (0: stage 1), whether a clear leads on to
// the next stage and whether the selection takes every character (it does in
// a campaign); the command line sets them, the whole game's menus and tests too.
void SetRunStages(int stage, bool campaign, bool wholeCast = false);
// Called when a run has ended by a game over or a clear (not a quit), after
// its replay is finished and before the next pass of the outer loop.
extern void (*runOverHook)(int endReason);

// Checks the working folder for the files a run of these stages reads and for
// files that disagree with their own headers; returns one line naming the
// problems and the remedy (reinstalling for the installed data, else the
// generator), or "" when all is well.
std::string CheckDataFolder(const std::vector<int>& stages, bool installed = false);
// The stages a run starting at `first` reads: that one, and in a campaign
// every later stage whose stage file the data folder holds (a campaign ends
// quietly where the generated stages end).
std::vector<int> RunStages(int first, bool campaign);
// A hash of the names and bytes of every file a run of these stages reads.
uint64_t DataFingerprint(const std::vector<int>& stages);

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
    // After the last stage's clear in a campaign, once the run is over and
    // before the title (null: the end picture, as after any other clear).
    void (*epilogue)() = nullptr;
};
extern OuterLoopCalls outerLoopCalls;
int OuterLoop(bool runSetUp = false);

// Pause: shows the last play frame darkened with its caption until the pause
// key comes again (true) or Escape or the quit message (false: the message
// is left for the message loop). Music and sounds stop meanwhile.
bool PauseUntilResumed();
// Draws the volume bar over presented frames for a moment after each change,
// and the last notice for a moment after it was given.
void InstallVolumeBar();
// The player's files: a notice over the frame (full screen hides stderr).
enum class Notice { ScreenshotSaved, ScreenshotNotSaved, SettingsNotSaved, ReplayNotSaved };
void ShowNotice(Notice n);

// Shut-down: stops the music, frees the slots, releases sound and display and
// shows the cursor again.
void ShutdownGame();
// The shut-down, then the end of the program with the given code.
[[noreturn]] void ShutdownAndExit(int code);
// Replay set-up (--replay): reads the file (false after a message), and
// plays the run back, which ends the program.
namespace replay { struct Replay; }
bool LoadReplay(replay::Replay& r);
// In the data folder: a replayed stage must have its files, as for --stage
// (false after a message); a replay made with other data is played, but the
// player is told first.
bool ReplayFitsData(const replay::Replay& r);
// Puts the game where a replayed run began: its options, run record, stage
// and random state; OuterLoop(true) then plays it.
void EnterReplayedRun(const replay::Replay& r);
[[noreturn]] void PlayBack(const replay::Replay& r);
extern bool playingBack;            // the outer loop ends with the replayed run
// A replay being played back ends the program here: it reached a close
// event, or (outOfStep) the game asked for input the replay does not hold.
// The exit code is 0 when it ended as recorded, else kExitReplayDiffers.
[[noreturn]] void EndPlayback(bool outOfStep);
constexpr int kExitReplayDiffers = 3;
