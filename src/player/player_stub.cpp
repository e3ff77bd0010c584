#include "player/player.h"

void EmptyItemPools() {}
void Atari() {}
void AtariPlayer() {}
void MoveItem() {}
void PutItemLabel() {}
int h_Play() { return 0; }
void h_Waza() {}
