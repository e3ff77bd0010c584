// Stage 3, the flight over the autumn forest: what its scenery and its waves share.
//
// Distances along the ground are in the picture space of the half-rate layers
// 2 and 3, where the picture x at the screen's left edge equals the game
// frame; ground pieces travel one pixel a frame, so they keep their picture x
// from the frame they enter.
#pragma once

#include <vector>

#include "kit.h"

namespace stage3 {

// Stretches of the ground picture (layer 2), in picture x.
constexpr int kRiver1From = 1520, kRiver1To = 2560;
constexpr int kRiver2From = 3760, kRiver2To = 4640;
constexpr int kLakeFrom = 5640;     // the forest ends at a lake, where the boss waits
constexpr int kWaterTop = 208;      // river surface on screen
constexpr int kLakeTop = 184;       // lake surface on screen

enum class Footing { Stump, Rock, Log };

// A ground piece's footing: the entry frame of its enemy (a multiple of 16),
// the enemy's width, the screen y of the flat top it stands on and what that
// top is made of. The scenery draws the footing, the waves place the enemy.
struct GroundSpot {
    int frame;
    int enemyW;
    int top;
    Footing footing;
    int halfWidth;   // of the flat top
    // Picture x of the enemy's centre (it enters at 319 + w/16 and moves with the ground).
    int CentreX() const { return frame + 319 + enemyW / 16; }
};
const std::vector<GroundSpot>& GroundSpots();

constexpr const char* kEnemySheet = "stage3_en.bmp";
// boss.cpp: the boss's cells on the enemy sheet (registered with the
// sheet's own); its template and entry are in waves.txt.
void RegisterBossCells();

}  // namespace stage3
