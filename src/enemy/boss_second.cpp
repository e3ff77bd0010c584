// The second group of bosses: the cut-in boss (body 48, core 49) with its
// talking character (5), charged beam (8), bouncing pellets (7) and closing
// pillars (6); the ramming boss (56) with its spit that turns into a beam (4).
#include "enemy/teki_common.h"
#include "input/input.h"
#include "player/player.h"
#include "sound/sound.h"

using namespace teki;

namespace {

constexpr int kSpeakerFadeOut = 860;  // the scene's frame at which its character fades out

void SetBox(TekiRecord& t, int b, int kind, int left, int right, int top, int bottom) {
    t.box[b] = TekiBox{kind, left, right, top, bottom};
}

int IndexOf(const TekiRecord& t) { return static_cast<int>(&t - Teki); }

// Body and core glide in together: 3 pixels every 4 frames for 100 frames.
void GlideIn(TekiRecord& t) {
    if (t.work[0] < 100) {
        t.work[0] += 1;
        if (t.work[0] % 4 != 2) t.x -= 1;
    }
}

void MoveCutInBody(TekiRecord& t) {  // type 48
    if (t.work[0] == 0) {
        t.work[0] = 1;
        t.x = 346;
        SetTeki(t.x + 24, t.y, 49, 240, 0, 32, 48, 700, 5000, 0);
        t.box[0].kind = 1;
    }
    GlideIn(t);
}

void MoveCutInCore(TekiRecord& t) {  // type 49
    int* w = t.work;
    if (w[6] == 0) {
        w[6] = 1;
        SetTeki(200, 120, 5, 240, 192, 32, 48, 65535, 0, 0);  // the scene's speaker
    }
    GlideIn(t);
    w[6] += 1;
    if (w[6] <= 900) return;  // the scene runs first
    if (w[6] == 901) PlayMidi("boss1.mid");
    switch (w[2]) {
    case 1:  // charged beam
        if (w[3] == 0) {
            SetTeki(t.x - 24, t.y, 8, 240, 48, 32, 32, 65535, 0, 0);
            for (TekiRecord& e : Teki) {
                if (e.type != 8) continue;
                e.blend = 33;
                SetBox(e, 0, 4, 0, 0, 0, 0);
                e.box[1].kind = 0;
            }
        }
        w[3] += 1;
        if (w[3] > 119) {
            w[2] = 0;
            w[3] = 0;
        }
        break;
    case 2:  // bouncing pellets, all of one volley equally slow
        if (w[3] == 0) w[4] = GameRand() % 5 + 1;
        if (w[3] < 40 && (w[3] & 1) == 0) {
            SetTeki(t.x - 10, t.y - 2, 7, 240, 176, 8, 8, 65535, 0, 0);
            SetTeki(t.x - 10, t.y + 2, 7, 240, 176, 8, 8, 65535, 0, 0);
            for (TekiRecord& e : Teki) {
                if (e.type != 7 || e.work[3] != 0) continue;
                e.work[3] = w[4];
                e.blend = 33;
                SetBox(e, 0, 3, 0, 0, 0, 0);
                SetBox(e, 1, 2, -4, 4, -4, 4);
                e.box[2].kind = 0;
            }
        }
        w[3] += 1;
        if (w[3] > 139) {
            w[3] = 0;
            w[2] = 0;
        }
        break;
    case 3:  // pairs of closing pillars, stepping 80 pixels right
        if (w[3] == 0) w[4] = GameRand() % 200;
        if ((w[3] & 15) == 0) {
            const int x = w[4] + (w[3] >> 4) * 80;
            SetTeki(x, -60, 6, 592, 0, 32, 120, 65535, 0, 0);
            SetTeki(x, 300, 6, 592, 120, 32, 120, 65535, 0, 0);
        }
        w[3] += 1;
        if (w[3] > 63) {
            w[3] = 0;
            w[2] = 0;
        }
        break;
    default: break;
    }
    if (w[1] == 180) {
        w[1] = 0;
        w[2] = GameRand() % 3 + 1;
    }
    w[1] += 1;
}

void MoveSpeaker(TekiRecord& t) {  // type 5: the scripted scene
    int* w = t.work;
    inputOn = 0;
    t.box[0].kind = 1;
    if (w[0] == 0) {
        StopMidi();
        // In the whole game a scene the run has shown before can be skipped
        // (w[2]) with a fresh press of the first button (w[3]: the last word,
        // taken as held at the start so a button already down does not count).
        if (wholeGameRun == 1) {
            w[2] = storyScenesSeen > 0 ? 1 : 0;
            w[3] = IN_B1;
            storyScenesSeen += 1;
        }
    }
    if (w[2] == 1 && w[0] < kSpeakerFadeOut) {
        const int key = PlayerInput();
        if ((key & IN_B1) && !(w[3] & IN_B1)) w[0] = kSpeakerFadeOut;
        w[3] = key;
    }
    // The craft is led to (50, 120).
    int& px = GameState.playerX;
    int& py = GameState.playerY;
    if (px < 50) px += 1;
    if (px > 50) px -= 1;
    if (py < 120) py += 1;
    if (py > 120) py -= 1;
    if (w[0] < 32)
        t.blend = static_cast<uint8_t>(w[0] + 34);  // fades in
    else if (w[0] >= kSpeakerFadeOut)
        t.blend = static_cast<uint8_t>((924 - w[0]) & 255);  // fades out
    if (w[0] == 160) PlayWave(0, "wav\\demo_s4a.wav", 0);
    if (w[0] == 460) PlayWave(0, "wav\\demo_s4b.wav", 0);
    w[1] += 1;
    t.frame = (w[1] >> 4) % 3;
    w[0] += 1;
    if (w[0] > 889) {
        t.active = 0;
        inputOn = 1;
    }
}

void MoveChargedBeam(TekiRecord& t) {  // type 8
    int* w = t.work;
    if (w[0] < 16) {
        t.sheetY = (w[0] >> 2) * 32 + 48;  // four charge frames
    } else if (w[0] < 54) {
        t.active = 2;
    } else {
        t.active = 1;
        t.sheetX = 272;
        t.sheetY = 0;
        t.w = 320;
        t.h = 64;
        t.x = 100;
        SetBox(t, 1, 2, -160, 160, -32, 32);
        t.box[2].kind = 0;
    }
    if (w[0] > 147) t.box[0].kind = 1;  // harmless while it fades
    if (w[0] >= 128 && w[0] <= 157) t.blend = static_cast<uint8_t>(160 - w[0]);
    if (w[0] > 157) t.active = 0;
    w[0] += 1;
}

void MovePellet(TekiRecord& t) {  // type 7
    int* w = t.work;
    if (w[0] == 0) {
        w[0] = 1;
        w[1] = (t.y < 121) ? 1 : -1;
    }
    // Turns only on exactly 0 and 240: a pellet at an odd height sticks past the edge.
    if (t.y >= 1 && w[1] == -1)
        t.y -= 2;
    else if (t.y == 0 && w[1] == -1)
        w[1] = 1;
    else if (t.y < 240 && w[1] == 1)
        t.y += 2;
    else if (t.y == 240 && w[1] == 1)
        w[1] = -1;
    w[2] += 1;
    if (w[2] >= w[3]) {
        w[2] = 0;
        t.x -= 3;
    }
    if (t.x < -4) t.active = 0;
}

void MoveClosingPillar(TekiRecord& t) {  // type 6
    int* w = t.work;
    if (w[0] == 0) {
        w[0] = 1;
        w[1] = (t.y < 121) ? 3 : -3;
    }
    if (w[2] < 40)
        t.y += w[1];
    else
        t.y -= w[1];
    if (w[2] > 79) t.active = 0;
    w[2] += 1;
}

void MoveRammer(TekiRecord& t) {  // type 56
    int* w = t.work;
    if (w[0] == 0) {
        w[0] = 1;
        SetBox(t, 0, 3, -16, 80, -64, 64);
        t.box[1].kind = 0;
        PlayMidi("boss1.mid");
    }
    if (w[0] < 70) {
        w[0] += 1;
        t.x -= 1;
    }
    switch (w[1]) {
    case 1:  // ram forward with the exhaust trail, then back off
        if (w[2] < 50) {
            t.x -= 4;
            t.sheetY = 128;
            PutTekiTrail(1, IndexOf(t));
        } else if (w[2] < 150) {
            t.x += 2;
            t.sheetY = 0;
            PutTekiTrail(0, IndexOf(t));
        }
        w[2] += 1;
        if (w[2] == 150) {
            w[2] = 0;
            w[1] = 0;
        }
        break;
    case 2:  // spit
        if (w[2] < 4) {
            t.frame = 1;
        } else if (w[2] < 8) {
            t.sheetY = 128;
        } else if (w[2] < 12) {
            t.sheetY = 0;
            t.frame = 2;
        }
        if (w[2] == 12) {
            SetTeki(t.x - 70, t.y, 4, 464, 160, 32, 32, 65535, 0, 0);
            for (TekiRecord& e : Teki) {
                if (e.type != 4) continue;
                e.blend = 33;
                SetBox(e, 0, 3, 0, -4, 0, -4);  // runs backwards, yet by the overlap rule it still
                                                // catches a craft up to 4 px up-left of the centre
                e.box[1].kind = 0;
            }
        }
        w[2] += 1;
        if (w[2] >= 154) {
            t.sheetY = 0;
            t.frame = 0;
        } else if (w[2] >= 150) {
            t.sheetY = 128;
            t.frame = 1;
        }
        if (w[2] == 200) {
            w[2] = 0;
            w[1] = 0;
        }
        break;
    case 3:  // rings
        if (w[2] == 0 || w[2] == 40) RingBullets(t, 0, 30, 360, 2);
        if (w[2] == 15 || w[2] == 30) RingBullets(t, 20, 40, 360, 2);
        w[2] += 1;
        if (w[2] == 70) {
            w[2] = 0;
            w[1] = 0;
        }
        break;
    case 4:  // aimed shots
        if ((w[2] & 31) == 0) AimedBullet(t, 2);
        w[2] += 1;
        if (w[2] == 100) {
            w[2] = 0;
            w[1] = 0;
        }
        break;
    default: break;
    }
    if (w[1] == 0 && w[0] == 70) w[1] = GameRand() % 4 + 1;
}

void MoveSpit(TekiRecord& t) {  // type 4
    int* w = t.work;
    switch (w[0]) {
    case 0:  // the spat charge turns, 16 frames
        t.frame = w[1] >> 2;
        w[1] += 1;
        if ((w[1] >> 2) > 3) {
            w[0] = 1;
            w[1] = 0;
        }
        break;
    case 1:  // it swells into a glowing ball
        if (w[1] == 0) {
            t.sheetY = 192;
            t.w = t.h = 48;
            t.frame = 0;
            t.x -= 8;
            SetBox(t, 1, 2, -24, 24, -24, 24);
            t.box[2].kind = 0;
        }
        t.blend = static_cast<uint8_t>(w[1] + 2);
        w[1] += 1;
        if (w[1] > 30) {
            w[1] = 0;
            w[0] = 2;
        }
        break;
    default:  // and bursts into a beam
        if (w[1] == 0) {
            t.sheetX = 144;
            t.sheetY = 256;
            t.w = 320;
            t.h = 64;
            t.blend = 33;
            t.x -= 144;
            SetBox(t, 1, 2, -160, 160, -32, 32);
            t.box[2].kind = 0;
        }
        w[1] += 1;
        if (w[1] >= 50 && w[1] <= 80) {
            t.blend = static_cast<uint8_t>(33 - (w[1] - 50));
            if (w[1] >= 75) t.active = 2;
        }
        if (w[1] == 81) t.active = 0;
        break;
    }
}

}  // namespace

bool MoveSecondBossTeki(TekiRecord& t) {
    switch (t.type) {
    case 48: MoveCutInBody(t); return true;
    case 49: MoveCutInCore(t); return true;
    case 5: MoveSpeaker(t); return true;
    case 8: MoveChargedBeam(t); return true;
    case 7: MovePellet(t); return true;
    case 6: MoveClosingPillar(t); return true;
    case 56: MoveRammer(t); return true;
    case 4: MoveSpit(t); return true;
    default: return false;
    }
}
