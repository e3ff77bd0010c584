// Replay set-up: reads the file given with --replay, puts the game where the
// replayed run began, plays it back and ends the program with its verdict.
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "screens/screens.h"
#include "shell/options.h"
#include "shell/replay.h"
#include "shell/shell.h"
#include "shell/user_files.h"
#include "stage/stage_table.h"
#include "state/play_state.h"

bool playingBack = false;

// Reads and checks the replay given with --replay; false after a message.
bool LoadReplay(replay::Replay& r) {
    std::string error;
    if (!replay::ReadFile(launch.replayPath, r, error)) {
        std::cerr << "pelloquinade: cannot play " << launch.replayPath << ": " << error << "\n";
        return false;
    }
    return true;
}

bool ReplayFitsData(const replay::Replay& r) {
    if (const char* missing = MissingStageFile(r.stage)) {
        std::cerr << "pelloquinade: cannot play " << launch.replayPath << ": stage " << r.stage << " has no data ("
                  << missing << " is missing from the data folder)\n";
        return false;
    }
    if (r.dataFingerprint != 0 && r.dataFingerprint != DataFingerprint(RunStages(r.stage, r.campaign != 0)))
        std::cerr << "pelloquinade: " << launch.replayPath
                  << " was recorded with other game data: it may play differently\n";
    return true;
}

void EnterReplayedRun(const replay::Replay& r) {
    launch.character = r.optCharacter;
    launch.shotLv = r.optShotLv;
    launch.option = r.optOption;
    playstate::Unpack(r.carried.data(), r.carried.size());  // checked when the file was read
    GameState.chno = r.chno;
    GameState.lives = r.lives;
    GameState.barrier = r.barrier;
    GameState.option = r.option;
    GameState.shotLv = r.shotLv;
    GameState.score = r.score;
    stageNo = r.stage;
    launch.campaign = r.campaign == replay::kModeCampaign;
    launch.wholeCast = r.campaign != replay::kModePlain;
    CharselWholeCast = launch.wholeCast ? 1 : 0;
    wholeGameRun = CharselWholeCast;
    storyScenesSeen = 0;
    GameSrand(r.seed);
}

void EndPlayback(bool outOfStep) {
    uint64_t hash = RunStateHash();
    ShutdownGame();
    if (outOfStep) {
        std::cerr << "pelloquinade: the replay ended before its run did: it was recorded by a game that plays "
                     "differently\n";
        std::exit(kExitReplayDiffers);
    }
    const replay::Replay& r = replay::PlaybackReplay();
    char line[96];
    std::snprintf(line, sizeof line, "replay final state hash %016llx", static_cast<unsigned long long>(hash));
    const bool same = hash == r.finalHash;
    std::cout << line << (same ? " (as recorded)" : " (differs from the recording)") << "\n";
    std::exit(same ? 0 : kExitReplayDiffers);
}

void PlayBack(const replay::Replay& r) {
    playingBack = true;
    replay::StartPlayback(r);
    EnterReplayedRun(r);
    OuterLoop(true);
    EndPlayback(false);
}
