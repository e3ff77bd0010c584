// Enemies: the pool of 100, the spawn timeline, every type's behaviour.
#pragma once

void EmptyTekiPool();               // active flags only

void StepMenEvent(int frame);
void MoveTeki();
void PutTeki();
