// Projectiles and effects: enemy bullets, explosions, sparks and bursts.
#pragma once

void EmptyShotPools();              // bullets (active 0), explosions and bursts (frame -1), sparks (active 0)

void MoveTama();
void PutTama();
void PutExplosion();
void PutSpark();
void PutBurst();
