// Shared set-up for the enemy and bullet tests: empty pools, player parked.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "enemy/enemy.h"
#include "shell/shell.h"
#include "shot/shot.h"

class EnemyTestBase : public ::testing::Test {
protected:
    void SetUp() override {
        std::fill(std::begin(Teki), std::end(Teki), TekiRecord{});
        std::fill(std::begin(Tama), std::end(Tama), TamaRecord{});
        EmptyShotPools();
        GameState = GameStateRecord{};
        GameState.playerX = -1000;  // far away unless a test moves it
        GameState.playerY = -1000;
        stageNo = 1;
        bossDown = 0;
        GameSrand(1);
    }

    // Spawns one enemy and returns its entry.
    static TekiRecord& Spawn(int type, int x, int y, int w = 16, int h = 16, int hp = 10) {
        for (int i = 0; i < kTekiMax; i++) {
            if (Teki[i].active == 0) {
                SetTeki(x, y, type, 0, 0, w, h, hp, 100, 3);
                return Teki[i];
            }
        }
        return Teki[0];
    }

    static void Run(int frames) {
        for (int i = 0; i < frames; i++) MoveTeki();
    }
};
