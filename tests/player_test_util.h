// Shared set-up for the player tests: a clean stage start with the entry
// swoop already flown, and scripted controls.
#pragma once

#include <gtest/gtest.h>

#include "input/input.h"

#include "player/player.h"
#include "shell/shell.h"

namespace player_test {

inline int scriptedKey = 0;
inline int inputCalls = 0;
inline int ScriptedInput() {
    inputCalls++;
    return scriptedKey;
}

// Fresh stage start; with flown = true the entry swoop is already over.
inline void StageStart(int chno, bool flown = true) {
    GameState = GameStateRecord{};
    GameState.chno = chno;
    GameState.lives = 5;
    ResetPlayerWork();
    stageNo = 1;
    ResetPools();
    ResetStageFlags();
    GameSrand(12345);
    PlayerInput = ScriptedInput;
    scriptedKey = 0;
    inputCalls = 0;
    if (flown) {
        entryOn = 1;
        entryVoice = 1;
        Player.entryAngle = 120;
    }
}

inline int ActiveShots() {
    int n = 0;
    for (const ShotRecord& s : Shot) n += s.active == 1;
    return n;
}

// Puts the real controls back and forgets the player's state after each test.
class Fixture : public ::testing::Test {
protected:
    void TearDown() override {
        PlayerInput = GetInput;
        ResetPlayerWork();
    }
};

}  // namespace player_test
