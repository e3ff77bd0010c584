#include "player/player.h"

void EmptyPlayerPools() {}
void MovePlayer(int, int, int) {}
void MovePlayerShots() {}
void PutPlayerShots() {}
void Atari() {}
void AtariPlayer() {}
void MoveItem() {}
void PutItemLabel() {}
void PutStatus() {}
int h_Play() { return 0; }
void h_Waza() {}
