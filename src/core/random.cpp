// The game's own random numbers (a linear congruential generator).
#include "core/core.h"

namespace {
uint32_t randState = 1;
}

void GameSrand(uint32_t seed) { randState = seed; }
uint32_t GameRandState() { return randState; }

int GameRand() {
    randState = randState * 214013u + 2531011u;
    return static_cast<int>((randState >> 16) & 0x7FFF);
}
