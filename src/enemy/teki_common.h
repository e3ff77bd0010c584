// Shared helpers of the enemy behaviours (internal to the enemy units).
#pragma once

#include "core/core.h"
#include "enemy/enemy.h"
#include "shot/shot.h"

namespace teki {

// The common 8 x 8 bullet, two frames, from the enemy's centre unless told.
inline void SmallBullet(int x, int y, int tx, int ty, int speed) {
    SetTama(1, x, y, tx, ty, speed, 8, 8, 0, 24, 0, 1, 10);
}

inline void AimedBullet(const TekiRecord& t, int speed) {
    SmallBullet(t.x, t.y, GameState.playerX, GameState.playerY, speed);
}

// Bullets towards the directions a0, a0 + d, ... below e (0 is straight down).
inline void RingBullets(const TekiRecord& t, int a0, int d, int e, int speed) {
    for (int a = a0; a < e; a += d) SmallBullet(t.x, t.y, t.x + GetSin(a), t.y + GetSin(a + 90), speed);
}

inline void ToggleFrame(TekiRecord& t) { t.frame = (t.frame + 1) & 1; }

// Frees the entry once it is past the left edge.
inline void LeaveLeft(TekiRecord& t, int limit = -16) {
    if (t.x < limit) t.active = 0;
}

// +1 (down) when the enemy starts in the upper half, -1 otherwise.
inline int TowardMiddle(int y, bool strict) {
    return (strict ? y < 120 : y <= 120) ? 1 : -1;
}

}  // namespace teki

// One unit per family; each returns false for a type it does not handle.
bool MoveFlyingTeki(TekiRecord& t);
bool MoveGroundTeki(TekiRecord& t);
bool MoveFirstBossTeki(TekiRecord& t);
bool MoveSecondBossTeki(TekiRecord& t);
bool MoveFinalBossTeki(TekiRecord& t);

// The lowest-index entry of the type, live or free; nullptr when none.
TekiRecord* FirstTekiOfType(int type);
