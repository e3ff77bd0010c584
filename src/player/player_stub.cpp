#include "player/player.h"

void EmptyPlayerPools() {}
void MovePlayer(int, int, int) {}
void Atari() {}
void AtariPlayer() {}
void MoveItem() {}
void PutItemLabel() {}
void PutStatus() {}
int h_Play() { return 0; }
void h_Waza() {}
