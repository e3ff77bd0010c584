#include "enemy/enemy.h"

void EmptyTekiPool() {}
void StepMenEvent(int) {}
void MoveTeki() {}
void PutTeki() {}
