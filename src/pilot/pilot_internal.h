// What the two pilots share inside the subsystem.
#pragma once

#include <cstdint>

namespace pilot {

// The directions a pilot chooses from: staying, then the eight moves.
constexpr int kMoves[9] = {0, 1, 2, 4, 8, 1 | 4, 1 | 8, 2 | 4, 2 | 8};

// Where the craft wants to be when nothing threatens it: an item to pick
// up, else level with the enemy it should shoot next, from the left side
// (waveX pixels from the screen's left edge while the waves come, bossX in
// a boss fight).
struct Spot {
    int x, y;
    int aimX = -1;              // where the enemy aimed at is across; -1: none
};
Spot ProgressSpot(int waveX = 70, int bossX = 140);

// The directions (input bits) that bring the craft towards (x, y), within
// slack pixels.
int Towards(int fromX, int fromY, int x, int y, int slack);

// Decisions, made between play frames for the frame that follows.
void ResetPlanner(int horizon, int replan);
int PlannerWord();
void ResetHuman(uint32_t seed);
int HumanWord();

}  // namespace pilot
