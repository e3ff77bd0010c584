#include "shot/shot.h"

void EmptyShotPools() {}
void MoveTama() {}
void PutTama() {}
void PutExplosion() {}
void PutSpark() {}
void PutBurst() {}
