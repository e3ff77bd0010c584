#include "enemy/enemy.h"

// Boss behaviours: replaced by their own unit.
bool MoveBossTeki(TekiRecord&) { return false; }
