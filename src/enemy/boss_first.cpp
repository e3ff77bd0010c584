// The first group of bosses: the two-form boss (17, then 10) with its
// bouncers, the walled boss (body 26, core 27) with rocks and spikes, and the
// circling boss (37) with its mouth beam (38), pillar (39) and lasers (9).
// Also the hook the dispatcher hands every boss type to.
#include "enemy/teki_common.h"
#include "sound/sound.h"

using namespace teki;

int wallPattern;

namespace {

// The hit boxes a behaviour writes; kind, then offsets from the centre.
void SetBox(TekiRecord& t, int b, int kind, int left, int right, int top, int bottom) {
    t.box[b] = TekiBox{kind, left, right, top, bottom};
}

// Three staggered twelve-bullet rings at speed 3, shared by 17, 10 and 37.
void BossRings(TekiRecord& t, int time) {
    if (time == 0 || time == 120) RingBullets(t, 0, 30, 360, 3);
    if (time == 40) RingBullets(t, 10, 30, 370, 3);
    if (time == 80) RingBullets(t, 20, 30, 380, 3);
}

void MoveTwoFormFirst(TekiRecord& t) {  // type 17
    int* w = t.work;
    if (w[0] == 0) {
        w[0] = 1;
        w[1] = 120;
        SetBox(t, 0, 3, -8, 48, -48, 48);
        t.box[1].kind = 0;
        itemDrop = 0;
        PlayMidi("boss1.mid");
    }
    if (w[3] < 95) {  // glides in
        w[3] += 1;
        t.x -= 1;
    }
    w[2] += 3;
    if (w[2] >= 360) w[2] -= 360;
    if ((w[4] & 15) == 0) ToggleFrame(t);
    if ((w[4] & 63) == 0 && w[5] == 0) {
        w[5] = GameRand() % 3 + 1;
        for (int i = 6; i <= 9; i++) w[i] = 0;
    }
    t.y = w[1] + (GetSin(w[2]) >> 1);
    switch (w[5]) {
    case 1:  // rings
        t.sheetY = 224;
        BossRings(t, w[6]);
        w[6] += 1;
        if (w[6] > 139) {
            t.sheetY = 128;
            w[5] = 0;
        }
        break;
    case 2:  // lunge: reaches out, with an arm that can be shot
        if (w[6] < 35) t.x -= 5;
        if (w[6] >= 40) t.x += 5;
        if (w[6] == 35) PlayWave(2, "se\\se-22.wav", 0);
        if (w[6] < 10 || w[6] > 40) {
            t.sheetY = 416;
            t.frame = 0;
            t.box[1].kind = 0;
        } else {
            t.sheetY = 320;
            SetBox(t, 1, 3, -48, 0, -48, -32);
            t.box[2].kind = 0;
        }
        w[6] += 1;
        if (w[6] > 74) {
            t.sheetY = 128;
            w[5] = 0;
        }
        break;
    case 3: {  // bouncers
        static const int kY[5] = {220, 200, 180, 220, 200};
        if (w[6] % 20 == 0 && w[6] <= 80) SetTeki(340, kY[w[6] / 20], 16, 0, 114, 16, 16, 4, 300, 2);
        w[6] += 1;
        if (w[6] > 89) {
            t.sheetY = 128;
            w[5] = 0;
        }
        break;
    }
    default: break;
    }
    w[4] += 1;
}

void MoveTwoFormSecond(TekiRecord& t) {  // type 10
    int* w = t.work;
    if (w[0] == 0) {
        w[0] = 1;
        SetBox(t, 0, 3, -32, 0, -32, 0);
        t.box[1].kind = 0;
        // Join the bob at the phase that matches the current height (rising side).
        for (int a = 0; a < 360; a++) {
            if ((GetSin(a) >> 1) + 128 <= t.y && t.y <= (GetSin(a + 1) >> 1) + 128) {
                w[2] = a;
                break;
            }
        }
        w[1] = 120;
    }
    if (t.x < 240) t.x += 1;
    if (t.x > 240) t.x -= 1;
    w[2] += 3;
    if (w[2] >= 360) w[2] -= 360;
    if ((w[3] & 15) == 0) {
        t.sheetY = (w[4] & 1) * 48 + 416;
        w[4] += 1;
    }
    if ((w[3] & 63) == 0 && w[5] == 0) {
        w[5] = GameRand() % 2 + 1;
        for (int i = 6; i <= 9; i++) w[i] = 0;
    }
    t.y = w[1] + (GetSin(w[2]) >> 1);
    if (w[5] == 1) {
        BossRings(t, w[6]);
        w[6] += 1;
        if (w[6] > 139) w[5] = 0;
    } else if (w[5] == 2) {  // charge
        if (w[6] < 45) t.x -= 6;
        if (w[6] >= 50) t.x += 6;
        w[6] += 1;
        if (w[6] > 84) w[5] = 0;
    }
    w[3] += 1;
}

void MoveWallBody(TekiRecord& t) {  // type 26
    int* w = t.work;
    if (w[0] == 0) {
        w[0] = 1;
        t.x = 520;
        t.box[0].kind = 1;
        itemDrop = 0;
        PlayMidi("boss1.mid");
    }
    if (t.x >= 221) {
        t.x -= 4;
    } else if (w[1] == 0) {  // in place: the core comes out
        SetTeki(277, 102, 27, 328, 96, 32, 64, 400, 2000, 0);
        w[1] = 1;
    }
}

void RockRow(int x0) {
    for (int i = 0; i < 5; i++) SetTeki(x0 + i * 64, (i & 1) ? -32 : 0, 28, 344, 0, 24, 24, 3, 50, 1);
}

void SpikeRow(int x0) {
    for (int i = 0; i < 5; i++) SetTeki(x0 + i * 64, 320, 29, 328, 0, 16, 96, 65535, 0, 0);
}

void MoveWallCore(TekiRecord& t) {  // type 27
    int* w = t.work;
    if (w[0] <= 100) {
        t.active = 2;
        w[1] = 0;
    } else {
        t.active = 1;
        if (w[1] == 0) {  // each reveal draws the next wall
            w[1] = 1;
            wallPattern = GameRand() % 6;
            switch (wallPattern) {
            case 0: RockRow(32); break;
            case 1: SpikeRow(32); break;
            case 3: RockRow(0); break;
            case 4: SpikeRow(0); break;
            default: break;
            }
        }
    }
    if (wallPattern == 2 || wallPattern == 5) {
        const int x = t.x, y = t.y;
        if (w[0] == 20 || w[0] == 60) {
            SmallBullet(x, y, x - 100, y, 1);
            SmallBullet(x, y, x - 100, y - 100, 1);
            SmallBullet(x, y, x - 100, y + 100, 1);
            SmallBullet(x, y, x, y - 50, 1);
            SmallBullet(x, y, x, y + 50, 1);
        }
        if (w[0] == 40 || w[0] == 80 || w[0] == 99) {
            SmallBullet(x, y, x - 100, y - 50, 1);
            SmallBullet(x, y, x - 100, y + 50, 1);
            SmallBullet(x, y, x - 100, y - 150, 1);
            SmallBullet(x, y, x - 100, y + 150, 1);
        }
    }
    if (t.flash == 1) {  // the whole boss flashes with its core
        if (TekiRecord* body = FirstTekiOfType(26)) body->flash = 1;
    }
    w[0] += 1;
    if (w[0] > 199) w[0] = 0;
}

void MoveRock(TekiRecord& t) {  // type 28
    int* w = t.work;
    if (w[2] == 0) {
        w[2] = 1;
        w[0] = 270;
        w[1] = t.y;
    }
    w[0] += 1;
    t.y = static_cast<int>(w[1] + (GetSin(w[0]) + 128) * 2.5);
    if (t.y > 259 || w[0] > 359) t.active = 0;
}

void MoveSpike(TekiRecord& t) {  // type 29
    int* w = t.work;
    if (w[0] == 0) {
        w[0] = 1;
        w[1] = t.y;
    }
    w[2] += 1;
    t.y = w[1] - GetSin(w[2]);
    if (w[2] > 179) t.active = 0;
}

// Gives every entry of the type, live or free, the look and boxes of a weapon
// that hurts only through its boxes.
void ArmWeapons(int type, int kind, int l, int r, int tp, int b) {
    for (TekiRecord& e : Teki) {
        if (e.type != type) continue;
        e.blend = 2;
        SetBox(e, 0, kind, l, r, tp, b);
        e.box[1].kind = 0;
    }
}

void MoveCircling(TekiRecord& t) {  // type 37
    int* w = t.work;
    if (w[0] == 0) {
        w[0] = 1;
        t.x = 384;
        t.y = 120;
        w[2] = 384;
        w[3] = 120;
        SetBox(t, 0, 3, -48, -32, -16, 0);  // the mouth: the only place shots hurt
        SetBox(t, 1, 2, -64, 64, -64, 64);
        t.box[2].kind = 0;
        PlayMidi("boss1.mid");
    }
    if (w[5] < 120) w[2] -= 1;
    if (w[1] != 3) {
        t.x = w[2] + (GetSin(w[4]) >> 1);
        t.y = w[3] + (GetSin(w[4] + 90) >> 1);
        w[4] += 1;
        if (w[4] >= 360) w[4] -= 360;
    }
    switch (w[1]) {
    case 3:  // lasers: the boss holds still
        t.frame = 1;
        if (w[6] == 20) {
            PlayWave(2, "se\\se-30.wav", 0);
            SetTeki(t.x - 56, t.y - 24, 39, 544, 0, 48, 48, 65535, 0, 0);
            for (int y : {12, 84, 156, 228}) SetTeki(0, y, 9, 160, 256, 320, 32, 65535, 0, 0);
            ArmWeapons(39, 4, 0, 0, 0, 0);
            ArmWeapons(9, 4, 0, 0, 0, 0);
        }
        w[6] += 1;
        if (w[6] == 150) {
            w[6] = 0;
            w[1] = 0;
            t.frame = 0;
            w[4] += 1;  // resume one degree on, so the lasers are not chosen again at once
        }
        break;
    case 1:  // rings
        BossRings(t, w[6]);
        w[6] += 1;
        if (w[6] == 140) {
            w[6] = 0;
            w[1] = 0;
        }
        break;
    case 2:  // mouth beam
        t.frame = 2;
        if (w[6] == 20) {
            PlayWave(2, "se\\se-31.wav", 0);
            SetTeki(t.x - 66, t.y - 24, 38, 544, 0, 48, 48, 65535, 0, 0);
            if (TekiRecord* beam = FirstTekiOfType(38)) {
                beam->blend = 2;
                SetBox(*beam, 0, 4, 0, 0, 0, 0);
                beam->box[1].kind = 0;
            }
        }
        w[6] += 1;
        if (w[6] == 150) {
            w[6] = 0;
            w[1] = 0;
            t.frame = 0;
        }
        break;
    default: break;
    }
    t.sheetY = ((w[5] >> 4) & 1) * 128;
    if (w[4] == 90 && w[5] >= 120 && w[6] == 0)
        w[1] = 3;
    else if ((w[4] == 270 || w[4] == 180) && w[5] >= 120 && w[6] == 0)
        w[1] = GameRand() % 2 + 1;
    w[5] += 1;
}

void MoveMouthBeam(TekiRecord& t) {  // type 38
    int* w = t.work;
    if (const TekiRecord* boss = FirstTekiOfType(37)) {  // a dead boss's entry still places it
        w[0] = boss->x - (w[2] < 31 ? 66 : 206);
        w[1] = boss->y - 24;
    }
    t.x = w[0];
    t.y = w[1];
    if (w[2] < 31) {  // charging glow
        t.blend = static_cast<uint8_t>(w[2] + 2);
        SetBox(t, 0, 4, 0, 0, 0, 0);
        SetBox(t, 1, 2, -24, 24, -24, 24);
        t.box[2].kind = 0;
    } else {
        t.blend = 33;
        t.w = 320;
        t.h = 48;
        t.sheetX = 160;
        t.sheetY = 288;
        SetBox(t, 1, 2, -160, 160, -24, 24);
        t.box[2].kind = 0;
    }
    if (w[2] >= 100 && w[2] <= 129) t.blend = static_cast<uint8_t>(33 - (w[2] - 100));
    if (w[2] > 129) t.active = 0;
    w[2] += 1;
}

// The fade shared by the pillar and the lasers, after the counter moved on.
void FadeWeapon(TekiRecord& t) {
    int* w = t.work;
    w[2] += 1;
    if (w[2] >= 100 && w[2] <= 130) t.blend = static_cast<uint8_t>(33 - (w[2] - 100));
    if (w[2] >= 131) t.active = 0;
}

void MovePillar(TekiRecord& t) {  // type 39
    int* w = t.work;
    if (const TekiRecord* boss = FirstTekiOfType(37)) {
        if (w[2] < 31) {
            w[0] = boss->x - 56;
            w[1] = boss->y - 24;
        } else {
            w[0] = 220;
            w[1] = 120;
        }
    }
    t.x = w[0];
    t.y = w[1];
    if (w[2] < 31) {
        t.blend = static_cast<uint8_t>(33 - w[2]);
        SetBox(t, 0, 4, -10, 0, -10, 0);
        SetBox(t, 1, 2, -24, 24, -24, 24);
        t.box[2].kind = 0;
    } else {  // a full-height pillar over x = 160..280
        t.blend = 33;
        t.w = 120;
        t.h = 240;
        t.sheetX = 544;
        t.sheetY = 96;
        SetBox(t, 1, 2, -60, 60, -120, 120);
        t.box[2].kind = 0;
    }
    FadeWeapon(t);
}

void MoveLaser(TekiRecord& t) {  // type 9
    if (t.work[2] < 31) {  // waits hidden and harmless
        t.active = 2;
        SetBox(t, 0, 4, -10, 0, -10, 0);
        t.box[1].kind = 0;
    } else {
        t.active = 1;
        t.blend = 33;
        SetBox(t, 1, 2, -160, 160, -16, 16);
        t.box[2].kind = 0;
    }
    FadeWeapon(t);
}

}  // namespace

TekiRecord* FirstTekiOfType(int type) {
    for (TekiRecord& e : Teki)
        if (e.type == type) return &e;
    return nullptr;
}

bool MoveFirstBossTeki(TekiRecord& t) {
    switch (t.type) {
    case 17: MoveTwoFormFirst(t); return true;
    case 10: MoveTwoFormSecond(t); return true;
    case 26: MoveWallBody(t); return true;
    case 27: MoveWallCore(t); return true;
    case 28: MoveRock(t); return true;
    case 29: MoveSpike(t); return true;
    case 37: MoveCircling(t); return true;
    case 38: MoveMouthBeam(t); return true;
    case 39: MovePillar(t); return true;
    case 9: MoveLaser(t); return true;
    default: return false;
    }
}

bool MoveBossTeki(TekiRecord& t) {
    return MoveFirstBossTeki(t) || MoveSecondBossTeki(t) || MoveFinalBossTeki(t);
}
