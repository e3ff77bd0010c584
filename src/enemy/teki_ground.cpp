// Turrets, traps, columns and scenery pieces: enemies that travel with the
// scenery and act in place.
#include <algorithm>

#include "enemy/teki_common.h"
#include "sound/sound.h"
#include "stage/stage_table.h"

using namespace teki;

namespace {

void SetBox(TekiBox& b, int kind, int left, int right, int top, int bottom) {
    b.kind = kind;
    b.left = left;
    b.right = right;
    b.top = top;
    b.bottom = bottom;
}

void MoveBeamCannon(TekiRecord& t) {  // type 14
    int* w = t.work;
    w[0] += 1;
    if (w[0] == 2) {
        w[0] = 0;
        t.x -= 1;  // half a pixel per frame
    }
    if (w[1] == 0) {
        t.chainDir = 1;
        w[1] = 1;
        w[2] = t.y;
        for (int k = 0; k < 5; k++) t.chain[k] = 5;
    }
    if (w[3] <= 200) {
        w[3] += 5;  // drops into place first
    } else {
        if (w[4] <= 50)
            t.frame = 1;
        else if (w[4] <= 70)
            t.frame = 2;
        else if (w[4] <= 90)
            t.frame = 3;
        else if (w[4] <= 160)
            w[4] = 0;
        w[4] += 1;
    }
    if (w[4] == 65) PlayWave(2, "se\\se-21.wav", 0);
    if (w[4] == 80) SetTama(1, t.x - 60, t.y, t.x - 320, t.y, 4, 128, 16, 0, 48, 0, 1, 10);
    t.y = w[2] + w[3];
    LeaveLeft(t);
}

void MoveChainTrap(TekiRecord& t) {  // type 15
    int* w = t.work;
    w[0] += 1;
    if (w[0] == 2) {
        w[0] = 0;
        t.x -= 1;
    }
    if (w[1] == 0) {
        int px = GameState.playerX;
        if (t.x - 64 <= px && px <= t.x + 64) {
            w[1] = 1;
            PlayWave(2, "se\\se-20.wav", 0);
        }
    } else if (w[1] == 1) {
        w[2] += 1;
        t.frame = w[2] >> 3;
        if (w[2] >= 31) w[1] = 2;
    }
    if (w[1] >= 2) {
        // The whole chain hurts; shots still only hit the trap itself.
        SetBox(t.box[0], 2, -12, 12, -12, w[1] * 24);
        t.box[1].kind = 0;
        for (int k = 0; k <= w[1] - 3; k++) t.chain[k] = 5;
        t.chain[w[1] - 2] = 6;  // the tip
        w[3] += 1;
        if (w[3] >= 5 && w[1] <= 10) {
            w[3] = 0;
            w[1] += 1;
        }
    }
    LeaveLeft(t);
}

void MoveBouncer(TekiRecord& t) {  // type 16
    int* w = t.work;
    t.x -= 2;
    if (w[0] == 0) {
        w[1] = t.y;
        w[0] = 1;
    } else {
        // Each hop is half as high as the last; past 31 halvings it is flat.
        w[3] = GetSin(w[2]) >> std::min(w[4], 31);
        w[2] += 2;
        if (w[2] >= 180) {
            w[2] = 0;
            w[4] += 1;
        }
        t.frame = (w[2] < 11) ? 1 : 0;
    }
    t.y = w[1] - w[3];
    LeaveLeft(t);
}

void MoveSwingColumn(TekiRecord& t) {  // type 22
    int* w = t.work;
    t.chainDir = 1;
    for (int& c : t.chain) c = 3;
    w[0] += 1;
    if (w[0] == 8) {
        w[0] = 0;
        ToggleFrame(t);
    }
    t.x -= 1;
    // Phases run one after the other: a change takes effect this frame.
    if (w[2] == 0) {
        if (w[1] <= 160) {
            t.y += 1;
            w[1] += 1;
        } else {
            w[2] = 1;
            w[1] = 0;
        }
    }
    if (w[2] == 1) {
        if (w[1] <= 50) {
            t.y -= 1;
            w[1] += 1;
        } else {
            w[2] = 2;
            w[1] = 0;
        }
    }
    if (w[2] == 2) {
        if (w[1] <= 50) {
            t.y += 1;
            w[1] += 1;
        } else {
            w[2] = 3;
            w[1] = 0;
        }
    }
    if (w[2] == 3) {
        if (w[1] <= 240) {
            t.y -= 1;
            w[1] += 1;
            if (t.y <= -16) t.active = 0;
        } else {
            w[2] = 0;
            w[1] = 0;
        }
    }
    LeaveLeft(t);
}

void MoveBigBallTurret(TekiRecord& t) {  // type 23
    int* w = t.work;
    t.x -= 1;
    int c = w[0];
    if (c >= 170) w[0] = 0;
    else if (c >= 115) t.frame = 0;
    else if (c >= 110) t.frame = 1;
    else if (c >= 105) t.frame = 2;
    else if (c >= 100) t.frame = 3;
    else if (c >= 95) t.frame = 2;
    else if (c >= 90) t.frame = 3;
    else if (c >= 85) t.frame = 2;
    else if (c >= 80) t.frame = 3;
    else if (c >= 75) t.frame = 2;
    else if (c >= 60) t.frame = 1;
    w[0] += 1;
    if (w[0] == 90) {
        PlayWave(2, "se\\se-3.wav", 0);
        const int x = t.x, y = t.y - 10;
        const int targets[5][3] = {
            {0, x, t.y - 100}, {1, 0, y}, {1, 320, y}, {2, x + 100, t.y - 100}, {3, x - 100, t.y - 100}};
        for (const auto& b : targets) SetTama(1, x, y, b[1], b[2], 2, 24, 24, 24 * b[0], 0, 0, 0, 0);
    }
    LeaveLeft(t);
}

void MoveFiveWayTurret(TekiRecord& t) {  // type 24
    int* w = t.work;
    t.x -= 1;
    w[3] += 1;
    if (w[3] >= 90) {
        w[3] = 0;
        t.frame = 0;
    } else if (w[3] >= 80) {
        t.frame = 1;
    } else if (w[3] >= 70) {
        t.frame = 2;
    } else if (w[3] >= 60) {
        t.frame = 1;
    }
    if (w[3] == 75) {
        const int x = t.x, y = t.y;
        SmallBullet(x, y, x - 100, y, 2);
        SmallBullet(x, y, x + 100, y, 2);
        SmallBullet(x, y, x - 100, y + 100, 2);
        SmallBullet(x, y, x, y + 100, 2);
        SmallBullet(x, y, x + 100, y + 100, 2);
    }
    LeaveLeft(t);
}

void MoveHatch(TekiRecord& t) {  // type 32
    static const int kT[20] = {0, 1, 2, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 2, 1, 0, 0, 0, 0, 0};
    int* w = t.work;
    t.frame = kT[(w[0] >> 4) % 18];
    if (kT[(w[0] >> 3) % 20] == 3 && w[1] == 0) {
        w[1] = 1;  // the two columns come out once
        SetTeki(t.x - 48, t.y, 36, 0, 224, 32, 32, 65535, 0, 0);
        SetTeki(t.x + 48, t.y, 36, 0, 224, 32, 32, 65535, 0, 0);
    }
    w[0] += 1;
    t.x -= 1;
    LeaveLeft(t);
}

void MoveThreeWayTurret(TekiRecord& t) {  // type 35
    int* w = t.work;
    t.x -= 1;
    t.frame = (w[0] >= 50 && w[0] <= 70) ? 1 : 0;
    if (w[0] == 60) {
        SmallBullet(t.x, t.y, t.x - 320, t.y, 2);
        SmallBullet(t.x, t.y, t.x - 320, t.y - 160, 2);
        SmallBullet(t.x, t.y, t.x - 320, t.y - 320, 2);
    }
    w[0] += 1;
    if (w[0] > 119) w[0] = 0;
    LeaveLeft(t);
}

void MoveGrowingColumn(TekiRecord& t) {  // type 36
    int* w = t.work;
    t.chainDir = 1;
    t.frame = 3;
    w[3] += 1;
    if (w[3] == 8) {
        w[3] = 0;
        w[2] += 1;
        if (w[2] < 10)
            w[0] += 1;
        else if (w[2] < 20)
            w[0] -= 1;
        else
            w[0] = w[2] = 0;
    }
    const int height = w[0];  // -1 for the last 8 frames of a cycle
    for (int k = 0; k < 10; k++) t.chain[k] = (k < height) ? 3 : 0;
    // Hurts along its whole height; a height of -1 makes an empty box.
    SetBox(t.box[0], 2, -16, 16, -32 * height, 0);
    t.box[1].kind = 0;
    if (height >= 0 && height <= 9) t.chain[height] = ((w[1] >> 3) & 1) + 1;
    t.x -= 1;
    w[1] += 1;
    LeaveLeft(t);
}

void MoveRiseFallColumn(TekiRecord& t) {  // type 41
    int* w = t.work;
    if (w[0] == 0) {
        w[0] = 1;
        t.chainDir = 1;
        for (int& c : t.chain) c = 2;
    }
    if (w[1] < 36)
        t.y += 6;
    else
        t.y -= 2;
    if (w[1] > 143) w[1] = 0;
    if (w[1] % 4 != 2) t.x -= 1;
    if (t.x < -24) t.active = 0;
    w[1] += 1;
}

void MoveSpreadTurret(TekiRecord& t) {  // type 42
    int* w = t.work;
    const int phase = w[1] % 80;
    if (phase == 40) {
        const int x = t.x, y = t.y - 10;
        SmallBullet(x, y, x, t.y - 100, 2);
        SmallBullet(x, y, 0, y, 2);
        SmallBullet(x, y, 320, y, 2);
        SmallBullet(x, y, x + 100, t.y - 100, 2);
        SmallBullet(x, y, x - 100, t.y - 100, 2);
    }
    if (phase >= 35 && phase <= 44)
        t.frame = 2;
    else if (((w[1] >> 4) & 1) == 0)
        ToggleFrame(t);
    t.x -= 1;
    w[1] += 1;
    if (t.x < -24) t.active = 0;
}

void MoveSlantTurret(TekiRecord& t) {  // type 54
    int* w = t.work;
    if (w[0] > 99) {
        if (w[2] == 0) {
            // The direction is chosen once per burst from where the player is.
            w[2] = 1;
            int px = GameState.playerX;
            if (px < t.x - 10) {
                t.frame = 1;
                w[3] = 0;
            } else if (px > t.x + 10) {
                t.frame = 2;
                w[3] = 1;
            } else {
                t.frame = 3;
                w[3] = 2;
            }
        }
        static const int kDx[3] = {-16, 4, -5};
        SetTama(1, t.x, t.y, t.x + kDx[w[3]], t.y + 10, 2, 8, 8, 0, 96, 0, 0, 0);
        w[1] += 1;
        if (w[1] > 19) w[2] = w[1] = t.frame = w[0] = 0;
    }
    w[0] += 1;
    t.x -= 1;
    LeaveLeft(t);
}

void MovePopUpGunner(TekiRecord& t) {  // type 55
    static const int kFrames[3] = {0, 1, 2};
    int* w = t.work;
    t.frame = kFrames[(w[0] >> 3) % 3];
    if (w[0] >= 50 && w[0] <= 59) t.frame = 3;
    if (w[0] == 55) AimedBullet(t, 2);
    if (w[0] >= 120) t.active = 2;  // ducks: no collisions
    w[0] += 1;
    if (w[0] == 160) {
        w[0] = 0;
        t.active = 1;
    }
    t.x -= 1;
    LeaveLeft(t);
}

void MoveScenery(TekiRecord& t) {  // types 44, 45, 46, 52
    int* w = t.work;
    switch (t.type) {
    case 44:
        if (w[1] % 4 != 2) t.x -= 1;
        w[1] += 1;
        if (t.x < -24) t.active = 0;
        break;
    case 45:
        switch (StageRow(stageNo).drift) {
        case Drift::ThreeInFour:
            if (w[1] % 4 != 2) t.x -= 1;
            break;
        case Drift::Every: t.x -= 1; break;
        case Drift::Still: break;
        }
        w[1] += 1;
        if (t.x < -24) t.active = 0;
        break;
    case 46:
        // Glows additively; it keeps its entry until the stage ends.
        if (w[0] == 0) {
            w[0] = 1;
            t.blend = 33;
        }
        t.x -= 1;
        break;
    default:  // 52
        t.x -= 1;
        LeaveLeft(t);
        break;
    }
}

}  // namespace

bool MoveGroundTeki(TekiRecord& t) {
    switch (t.type) {
    case 14: MoveBeamCannon(t); return true;
    case 15: MoveChainTrap(t); return true;
    case 16: MoveBouncer(t); return true;
    case 22: MoveSwingColumn(t); return true;
    case 23: MoveBigBallTurret(t); return true;
    case 24: MoveFiveWayTurret(t); return true;
    case 32: MoveHatch(t); return true;
    case 35: MoveThreeWayTurret(t); return true;
    case 36: MoveGrowingColumn(t); return true;
    case 41: MoveRiseFallColumn(t); return true;
    case 42: MoveSpreadTurret(t); return true;
    case 44: case 45: case 46: case 52: MoveScenery(t); return true;
    case 54: MoveSlantTurret(t); return true;
    case 55: MovePopUpGunner(t); return true;
    default: return false;
    }
}
