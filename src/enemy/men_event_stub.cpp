#include "enemy/enemy.h"

// The spawn timeline waits for the stage file tables.
void StepMenEvent(int) {}
