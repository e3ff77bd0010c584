// What the whole-campaign test and the benchmarks' campaign flight share:
// the enemy that ends a fight, the screens' script (the button, then
// nothing, over and over), and a simple pilot for the benchmarks (it fires
// all the time, keeps to the left and lines up with the boss, and costs the
// frame next to nothing).
#pragma once

#include <vector>

#include "enemy/enemy.h"
#include "input/input.h"
#include "platform/platform.h"
#include "shell/shell.h"

namespace campaignpilot {

// What the pilot aims at: the live enemy whose death ends the fight, else the
// boss-behaviour enemy with the most hit points (a first form).
inline const TekiRecord* LiveBoss() {
    const TekiRecord* best = nullptr;
    for (const TekiRecord& t : Teki) {
        if (t.active != 1) continue;
        if (IsBossType(t.type)) return &t;
        bool bossKind = (t.type >= 4 && t.type <= 9) || t.type == 17 || (t.type >= 26 && t.type <= 29) ||
                        (t.type >= 37 && t.type <= 39) || t.type == 48 || t.type == 56;
        if (bossKind && (!best || t.hp > best->hp)) best = &t;
    }
    return best;
}

// Fire all the time, keep to the left, line up with the boss.
inline int Pilot() {
    int key = IN_B1, targetY = 120, targetX = 70;
    if (const TekiRecord* b = LiveBoss()) targetY = b->type == 10 ? b->y - 16 : b->y;
    if (GameState.playerY > targetY + 3) key |= IN_UP;
    if (GameState.playerY < targetY - 3) key |= IN_DOWN;
    if (GameState.playerX < targetX - 4) key |= IN_RIGHT;
    if (GameState.playerX > targetX + 4) key |= IN_LEFT;
    return key;
}

// The screens read the script: the button, then nothing, over and over.
inline std::vector<plat::ScriptRun> ButtonThenNothing() {
    std::vector<plat::ScriptRun> script;
    for (int i = 0; i < 2000; i++) script.insert(script.end(), {{IN_B1, 1}, {0, 1}});
    return script;
}

}  // namespace campaignpilot
