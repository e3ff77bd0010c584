#include "enemy/enemy.h"

void MoveTeki() {}
