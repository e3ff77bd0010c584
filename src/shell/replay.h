// Replays: a run (from the stage set-up after the selection to game over,
// clear or quit) kept as what its logic reads from outside: the random state
// and run-start values, every input word, and the quit and close events at
// the step they happened on. A step is one input read or one play frame that
// passed its gate; both happen in the same order on every machine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace replay {

// Version 3 adds the fingerprint of the game data the run read; version 2
// files (without it) are still read.
constexpr uint16_t kVersion = 3;

enum EventKind : uint8_t {
    kEventEnd = 1,      // the message loop met the quit message (Escape, --frames, ...)
    kEventClose = 2,    // the window's close button: the program ended at once
};

struct Event {
    uint32_t step;      // steps completed before it
    uint8_t kind;
    bool inRead;        // noticed while an input read pumped the window's events
};

struct WordRun {
    uint8_t word;       // 0..63
    uint32_t count;
};

enum EndReason : uint8_t { kEndNone = 0, kEndGameOver = 1, kEndClear = 2, kEndQuit = 3 };

// What a run plays: its one stage with the first character (the plain game),
// the stages from its first to the last (the whole game), or one stage with
// any character (practice).
enum RunMode : int32_t { kModePlain = 0, kModeCampaign = 1, kModePractice = 2 };

struct Replay {
    uint32_t seed = 0;  // the random state at the start of the run
    int32_t chno = 0, lives = 0, barrier = 0, option = 0, shotLv = 0, score = 0;
    int32_t stage = 1, campaign = kModePlain;  // a RunMode
    // The command-line choices that apply again after a continue (-1: none).
    int32_t optCharacter = -1, optShotLv = -1, optOption = -1;
    uint8_t endReason = kEndNone;
    uint64_t finalHash = 0;  // RunStateHash when the run ended
    uint64_t dataFingerprint = 0;  // DataFingerprint of the run's stages (0: not recorded)
    // The whole play state as the run began (playstate::Pack), with the
    // layout it was saved in: what earlier runs left behind, restored before
    // playback so a later run of a session replays like the first.
    uint32_t layout = 0;
    std::vector<uint8_t> carried;
    std::vector<WordRun> words;
    std::vector<Event> events;
};

// The file format. Encode never fails; Decode checks everything and says
// what is wrong in `error` (for the player, without the file name). A run
// the game cannot have made (a stage past the last, a starting score) is
// refused like a damaged one.
std::vector<uint8_t> Encode(const Replay& r);
bool Decode(const uint8_t* data, size_t size, Replay& out, std::string& error);
// Reads and decodes a replay file, checking its header before reading on:
// never more than the longest replay can be is read.
bool ReadFile(const std::string& path, Replay& out, std::string& error);
// The checksum that ends every file, over the bytes before it.
uint32_t Checksum(const uint8_t* data, size_t size);

// --- recording and playback inside the game
// Recording: every run is recorded; at its end it is written to `path` (if
// not empty). Playback: the run's input comes from `r`.
void StartRecorder(const std::string& path);
void StartPlayback(const Replay& r);
bool Playing();
const Replay& PlaybackReplay();
// The run the recorder finished last (nullptr before the first ends).
const Replay* FinishedRun();

// Called by the shell at the run's edges.
// After the selection, before the stage set-up; the choices as in Replay.
void RunBegins(int optCharacter, int optShotLv, int optOption, int campaign);
void RunEnds(EndReason why);            // records the hash and writes the file
void OnGateStep();                      // a play frame passed its gate
void OnMessageLoop();                   // playback: delivers events due outside reads
void OnClose();                         // the close handler is about to end the program

// Playback ran past the recording: the game and the replay disagree.
bool OutOfStep();
// How playback ends: the shell's EndPlayback, which ends the program (a
// test or a fuzz target may stand in and unwind instead).
extern void (*endPlayback)(bool outOfStep);

}  // namespace replay

// The hash of the whole play state (playstate::Hash; no pixels).
uint64_t RunStateHash();
