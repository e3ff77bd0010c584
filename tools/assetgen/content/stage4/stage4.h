// Stage 4, the crystal caverns: what the stage's content files share.
#pragma once

#include "kit.h"

namespace stage4 {

// Scroll positions: the first dive holds the scroll at 1600 and jumps 960,
// the second holds it at 7360 and jumps 540; the scroll stops at 9409.
constexpr int kDive1 = 1600, kJump1 = 960, kDive2 = 7360, kJump2 = 540, kStop = 9409;

// The same moments in game frames (frame 0 is the stage's first play frame):
// the dives slide on frames 1600..1839 and 6639..6878; after them the stage
// clock runs 960 and then 1500 ahead of the frame count; the scroll stops on
// frame 8387.
constexpr int kDive1Frame = 1600, kDive1End = 1840, kDive2Frame = 6639, kDive2End = 6879, kStopFrame = 8387;

constexpr const char* kEnemySheet = "stage4_en.bmp";
// The boss's cells on the enemy sheet, registered with the sheet's own (its
// template, on the "colossus" cell, and its entry are in waves.txt).
void RegisterBossCells();

}  // namespace stage4
