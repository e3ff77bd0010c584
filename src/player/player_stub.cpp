#include "player/player.h"

ShotRecord Shot[kShotCount];
PlayerWork Player;
const CharacterInfo CharTable[10] = {};

void ResetPlayerWork() {}
void EmptyPlayerPools() {}
void SetShot(int, int, int, int, int, int, int, int, int, int, int, int, int, int) {}
void MovePlayer(int, int, int) {}
void FirePlayer(int, int, int, int) {}
void FireVolley(int, int, int) {}
void PutOption(int, int) {}
void MovePlayerShots() {}
void PutPlayerShots() {}

void EmptyItemPools() {}
void Atari() {}
void AtariPlayer() {}
void MoveItem() {}
void PutItemLabel() {}
int h_Play() { return 0; }
void h_Waza() {}
