// The per-frame dispatcher over the enemy pool and the flying enemies.
#include "enemy/teki_common.h"

using namespace teki;

namespace {

void MoveDrifter(TekiRecord& t) {  // types 11 and 40
    int* w = t.work;
    if (w[1] == 0) {
        w[1] = 1;
        w[2] = TowardMiddle(t.y, false);
    }
    if (w[0] <= 125) {
        t.y += w[2];
        t.x -= 1;
    } else {
        t.x -= 5;  // speeds off
    }
    w[0] += 1;
    if (t.type == 40) {
        w[4] += 1;
        if (w[4] == 5) {
            w[4] = 0;
            ToggleFrame(t);
        }
    }
    LeaveLeft(t);
}

void MoveTranslucentWeaver(TekiRecord& t) {  // type 12
    int* w = t.work;
    t.blend = 1;
    t.x -= 2;
    if (w[2] == 0) {
        w[2] = 1;
        w[0] = t.y;
    }
    w[3] += 5;
    w[1] = GetSin(w[3]) >> 3;
    t.y = w[0] + w[1];
    w[4] += 1;
    if (w[4] == 5) {
        w[4] = 0;
        ToggleFrame(t);
    }
    // Only an enemy on even columns passes these two.
    if (t.x == 260 || t.x == 100) AimedBullet(t, 2);
    LeaveLeft(t);
}

void MoveDriftingWave(TekiRecord& t) {  // type 13
    int* w = t.work;
    t.x -= 2;
    if (w[2] == 0) {
        w[2] = 1;
        w[0] = t.y;
        w[7] = TowardMiddle(t.y, false);
    }
    w[3] += 4;
    w[1] = GetSin(w[3]) >> 1;
    t.y = w[1] + w[0] + (w[8] >> 1);
    w[8] += w[7];
    w[4] += 1;
    if (w[4] == 10) {
        w[4] = 0;
        ToggleFrame(t);
    }
    LeaveLeft(t);
}

void MoveSwooper(TekiRecord& t) {  // types 18, 19 and 43
    int* w = t.work;
    if (w[7] == 0) {
        w[7] = 1;
        w[6] = TowardMiddle(t.y, true);
    }
    t.y += w[6];
    if (w[2] == 0) {
        w[2] = 1;
        w[0] = t.x;
    }
    w[4] = static_cast<int>(GetSin(w[1]) * 2.5);
    if (t.type == 18) {
        w[5] += 1;
        if (w[5] & 1) w[1] += 1;  // half speed
    } else {
        w[1] += 1;
    }
    t.x = w[0] - w[4];
    w[3] += 1;
    if (t.type == 43) {
        if (w[3] == 23) w[3] = 0;
        t.frame = w[3] >> 3;
    } else if (w[3] == 10) {
        w[3] = 0;
        ToggleFrame(t);
    }
    if (t.x > 359 || w[1] > 179) t.active = 0;
}

void MovePausingWeaver(TekiRecord& t) {  // types 20 and 21
    static const int kFrames[4] = {0, 1, 2, 1};
    int* w = t.work;
    if (w[4] == 0) w[5] = t.y;
    w[4] += 1;
    w[1] += 1;
    if (t.type == 20) {
        // Holds still in 51..69 and 121..139, firing in the middle of each.
        if (w[1] <= 50 || (w[1] >= 70 && w[1] <= 120) || w[1] >= 140) {
            t.x -= 2;
            w[2] = GetSin(w[3]) >> 2;
            w[3] += 5;
        }
        if (w[1] == 60 || w[1] == 130) AimedBullet(t, 2);
    } else {
        if (w[1] <= 50) {
            t.x -= 2;
            w[2] = GetSin(w[3]) >> 2;
            w[3] += 5;
        } else {
            t.x -= 3;  // the wobble freezes where it was
        }
        if (w[1] == 50) AimedBullet(t, 2);
    }
    t.y = w[5] + w[2];
    t.frame = kFrames[w[0] >> 3];
    w[0] += 1;
    if (w[0] > 31) w[0] = 0;
    LeaveLeft(t);
}

void MoveHopper(TekiRecord& t) {  // type 25
    int* w = t.work;
    if (w[3] == 0) {
        w[3] = 1;
        w[4] = t.y;
    }
    w[1] = static_cast<int>(GetSin(w[0]) * 1.8);
    if (w[0] == 90) {
        // Hangs at the top; w[2] counts the hang and stays 1 between hops.
        if (w[2] == 20) {
            w[2] = 0;
            w[0] += 1;
        }
        w[2] += 1;
    } else {
        w[0] += 2;
    }
    w[5] += 1;
    if (w[5] == 10) {
        ToggleFrame(t);
        w[5] = 0;
    }
    if ((w[2] >= 1 && w[2] <= 5) || (w[2] >= 16 && w[2] <= 20))
        t.frame = 2;
    else if (w[2] >= 6 && w[2] <= 15)
        t.frame = 3;
    t.x -= 1;
    t.y = w[4] - w[1];
    if (w[2] == 10) {
        SmallBullet(t.x, t.y, t.x + 150, t.y + 100, 2);
        SmallBullet(t.x, t.y, t.x - 150, t.y + 100, 2);
        SmallBullet(t.x, t.y, t.x, t.y + 100, 2);
    }
    if (w[0] >= 180) w[0] = 0;
    LeaveLeft(t);
}

void MoveLoopingRing(TekiRecord& t) {  // type 30
    int* w = t.work;
    if (w[0] == 0) {
        w[0] = 1;
        w[3] = t.x;
        w[4] = t.y;
        w[1] = TowardMiddle(t.y, false);
    }
    if (w[5] <= 0) {
        t.frame = 0;
        w[2] += 3;
        if (w[2] > 360) {
            w[5] = 10;  // a full turn: stop and fire
            w[2] -= 360;
        }
        t.x = w[3] + (GetSin(w[2]) >> 1);
        t.y = w[4] + (GetSin(w[2] + 90) >> 1);
        w[3] -= 1;
        w[4] += w[1];
    } else {
        t.frame = 1;
        w[5] -= 1;
        if (w[5] == 5) RingBullets(t, 0, 45, 360, 2);
    }
    if (t.x < -16) t.active = 0;
    if (w[1] == -1 && t.y < -16) t.active = 0;
    if (w[1] == 1 && t.y > 240) t.active = 0;
}

void MoveWaveShooter(TekiRecord& t) {  // type 31
    int* w = t.work;
    if (w[0] == 0) {
        w[0] = 1;
        w[1] = t.y;
        w[2] = (t.y <= 120) ? 2 : -2;
    }
    w[3] += w[2];
    t.x -= 2;
    t.y = w[1] + (GetSin(w[3]) >> 1);
    t.frame = (w[4] >> 4) & 1;
    // The angle is never wrapped, so this fires once: at the wave's far point.
    if ((w[3] == 90 && w[2] == 2) || (w[3] == -90 && w[2] == -2))
        SetTama(1, t.x, t.y, t.x - 320, t.y, 3, 16, 16, 0, 64, 0, 3, 10);
    if ((w[2] == 2 && w[3] >= 80 && w[3] <= 99) || (w[2] == -2 && w[3] >= -99 && w[3] <= -80))
        t.frame = ((w[4] >> 4) & 1) + 2;
    w[4] += 1;
    LeaveLeft(t);
}

void MoveBobber(TekiRecord& t) {  // type 33
    int* w = t.work;
    if (w[0] < 40)
        t.y -= 5;
    else
        t.y += 5;
    if (w[0] > 79) w[0] = 0;
    t.frame = (w[0] >> 4) & 1;
    t.x -= 1;
    LeaveLeft(t);
    w[0] += 1;
}

void MoveDipper(TekiRecord& t) {  // type 34
    static const int kFrames[6] = {0, 1, 2, 3, 2, 1};
    int* w = t.work;
    if (w[0] == 0) {
        w[0] = 1;
        w[1] = t.y;
    }
    if (w[2] < 180) {
        w[2] += 2;
        w[3] = GetSin(w[2]);
        t.frame = kFrames[(w[2] >> 3) % 6];
    } else {
        t.x -= 3;  // dives away down and left
        w[3] += 2;
        t.frame = 4;
    }
    t.x -= 1;
    t.y = w[1] + w[3];
    LeaveLeft(t);
}

void MoveDropper(TekiRecord& t) {  // type 50
    int* w = t.work;
    if (t.x - 60 < GameState.playerX && w[0] == 0) w[0] = 90;
    t.x -= 1;
    if (w[0] >= 1) {
        t.y += GetSin(w[0]) >> 4;
        w[0] += 1;
    }
    if (t.y >= 256 || t.x < -16) t.active = 0;
}

void MoveLockOn(TekiRecord& t) {  // type 51
    int* w = t.work;
    if (w[0] == 0) {
        t.y += 2;
        if (GameState.playerY <= t.y + 10 && t.y - 10 <= GameState.playerY) {
            w[1] = t.y;
            w[0] = 1;
        }
    }
    if (w[0] >= 1) {
        w[0] += 1;
        t.frame = ((w[0] >> 4) & 1) + 1;
        t.y = w[1] + (GetSin(w[0] * 16) >> 4);
        t.x -= 2;
    }
    t.x -= 1;
    LeaveLeft(t);
}

void MoveDipAndClimb(TekiRecord& t) {  // type 53
    int* w = t.work;
    t.x -= 1;
    if (w[0] >= 0 && w[0] <= 29)
        t.y += 3;
    else if (w[0] <= 119)
        t.y -= 1;
    w[0] += 1;
    if (w[0] > 119) w[0] = 0;
    LeaveLeft(t);
}

}  // namespace

bool MoveFlyingTeki(TekiRecord& t) {
    switch (t.type) {
    case 11: case 40: MoveDrifter(t); return true;
    case 12: MoveTranslucentWeaver(t); return true;
    case 13: MoveDriftingWave(t); return true;
    case 18: case 19: case 43: MoveSwooper(t); return true;
    case 20: case 21: MovePausingWeaver(t); return true;
    case 25: MoveHopper(t); return true;
    case 30: MoveLoopingRing(t); return true;
    case 31: MoveWaveShooter(t); return true;
    case 33: MoveBobber(t); return true;
    case 34: MoveDipper(t); return true;
    case 50: MoveDropper(t); return true;
    case 51: MoveLockOn(t); return true;
    case 53: MoveDipAndClimb(t); return true;
    default: return false;
    }
}

void MoveTeki() {
    // Index order; an entry spawned above the current index moves this pass.
    for (int i = 0; i < kTekiMax; i++) {
        TekiRecord& t = Teki[i];
        if (t.active != 1 && t.active != 2) continue;
        switch (t.type) {
        // Bosses and what they release (their own unit).
        case 4: case 5: case 6: case 7: case 8: case 9: case 10:
        case 17: case 26: case 27: case 28: case 29:
        case 37: case 38: case 39: case 48: case 49: case 56: case 57:
            MoveBossTeki(t);
            break;
        default:
            if (!MoveFlyingTeki(t)) MoveGroundTeki(t);
            break;  // any other type has no behaviour: it stays where it is
        }
    }
}
