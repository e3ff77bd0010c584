// The last boss (57): one great bird that fights in three phases, each
// entered when its hit points fall past a third, with a short lull between
// them. Every attack is announced by a pose of the picture before it fires:
// wings raised for rings and spirals, the beak thrust out for the lunge,
// reared back for the curtains.
#include <algorithm>

#include "enemy/teki_common.h"
#include "sound/sound.h"

using namespace teki;

namespace {

// Cells on the enemy sheet, one row per pose (216 x 96, two frames a row).
constexpr int kIdleRow = 128, kRingsRow = 224, kLungeRow = 320, kWindUpRow = 416;
constexpr int kHomeX = 232, kMidY = 112;

// Where the shots come from, as offsets from the sprite's centre.
constexpr int kBodyDx = 20, kBodyDy = 6;        // the body and its gem: the target
constexpr int kBeakDx = -34, kBeakDy = -18;     // the beak at rest

// Patterns: what each phase draws from, how long each runs (frames) and the
// pause after it.
enum Pattern { kNone, kFans, kRings, kSpiral, kLunge, kCurtain, kTempest };
struct PhaseTable {
    Pattern pick[4];
    int rest;
    int bob;                                    // degrees of the bob per frame
};
constexpr PhaseTable kPhases[3] = {
    {{kFans, kRings, kFans, kRings}, 40, 2},
    {{kSpiral, kFans, kLunge, kSpiral}, 30, 2},
    {{kCurtain, kTempest, kLunge, kCurtain}, 22, 3},
};
constexpr int kLength[7] = {0, 170, 150, 190, 90, 170, 200};
constexpr int kLull = 90;

// Work words.
enum { kInit, kBob, kPhase, kPattern, kTimer, kRest, kAngle, kLullLeft, kTurn, kFullHp };

void SetBox(TekiRecord& t, int b, int kind, int left, int right, int top, int bottom) {
    t.box[b] = TekiBox{kind, left, right, top, bottom};
}

// The body, neck and head take shots and hurt on contact; the wings and
// tail do neither.
void BodyOnly(TekiRecord& t) {
    SetBox(t, 0, 3, kBodyDx - 36, kBodyDx + 22, kBodyDy - 36, kBodyDy + 24);
    t.box[1].kind = 0;
    t.box[2].kind = 0;
}

void Orb(int x, int y, int tx, int ty, int speed) { SetTama(1, x, y, tx, ty, speed, 16, 16, 0, 64, 0, 3, 10); }

void BigBall(int x, int y, int tx, int ty, int speed) { SetTama(1, x, y, tx, ty, speed, 24, 24, 48, 0, 0, 0, 0); }

// Towards angle a: 0 is straight down, 90 to the right, 180 up.
void Toward(int x, int y, int a, int speed, bool orb) {
    a %= 360;
    if (a < 0) a += 360;
    const int tx = x + GetSin(a), ty = y + GetSin(a + 90);
    if (orb)
        Orb(x, y, tx, ty, speed);
    else
        SmallBullet(x, y, tx, ty, speed);
}

// Five bullets fanned about the craft, wider the further it is.
void Fan(int x, int y, int speed) {
    const GameStateRecord& g = GameState;
    for (int k = -2; k <= 2; k++) SmallBullet(x, y, g.playerX, g.playerY + k * 36, speed);
}

// A column of orbs over the screen's height flying left, open for 56 pixels
// around the row it is aimed at.
void Curtain(int x, int gapY) {
    for (int y = 8; y < 240; y += 16)
        if (y < gapY - 28 || y > gapY + 28) Orb(x, y, x - 320, y, 2);
}

void StartPattern(TekiRecord& t) {
    int* w = t.work;
    const PhaseTable& p = kPhases[w[kPhase] - 1];
    w[kPattern] = p.pick[(w[kTurn] + GameRand() % 2) & 3];
    w[kTurn] += 1;
    w[kTimer] = 0;
}

void EndPattern(TekiRecord& t) {
    int* w = t.work;
    w[kPattern] = kNone;
    w[kRest] = kPhases[w[kPhase] - 1].rest;
    t.sheetY = kIdleRow;
    t.x = kHomeX;
    BodyOnly(t);
}

void RunPattern(TekiRecord& t) {
    int* w = t.work;
    const int n = w[kTimer];
    const int bx = t.x + kBodyDx, by = t.y + kBodyDy;
    const int kx = t.x + kBeakDx, ky = t.y + kBeakDy;
    const int phase = w[kPhase];
    switch (w[kPattern]) {
    case kFans:  // beak open, a fan every 36 frames, quicker in phase 2
        t.sheetY = kLungeRow;
        t.frame = 0;
        if (n >= 20 && n % 36 == 20) Fan(kx, ky, phase >= 2 ? 3 : 2);
        break;
    case kRings:  // wings raised: three rings, each turned a little
        t.sheetY = kRingsRow;
        if (n == 40 || n == 80 || n == 120) {
            for (int a = 0; a < 360; a += 24) Toward(bx, by, a + n / 4, 2, false);
        }
        break;
    case kSpiral:  // two arms of orbs turning
        t.sheetY = kRingsRow;
        if (n >= 30 && n < 180 && n % 6 == 0) {
            Toward(bx, by, w[kAngle], 2, true);
            Toward(bx, by, w[kAngle] + 180, 2, true);
            w[kAngle] += 13;
        }
        break;
    case kLunge:  // rears, thrusts the beak out along the top (a second target), returns
        if (n < 20) {
            t.sheetY = kWindUpRow;
            t.frame = 0;
        } else if (n < 70) {
            t.sheetY = kLungeRow;
            t.frame = n < 45 ? 0 : 1;
            if (n == 20) PlayWave(2, "se\\se-22.wav", 0);
            if (n < 45) t.x -= 4;
            if (n >= 50) t.x += 5;
            SetBox(t, 1, 3, -82, -50, -48, -20);  // the beak and head, shot at while out
            if (n == 45) {
                for (int a = 0; a < 360; a += 30) Toward(t.x - 58, t.y - 34, a + 15, 2, false);
            }
        } else {
            t.sheetY = kIdleRow;
            t.x = kHomeX;
            t.box[1].kind = 0;
            if (n == 72 || n == 80) Fan(kx, ky, 3);
            if (n == 76 && phase == 2)  // hailstone imps hop in along the bottom
                for (int k = 0; k < 3; k++) SetTeki(340 + k * 28, 216 - k * 12, 16, 0, 114, 16, 16, 4, 300, 2);
        }
        break;
    case kCurtain: {  // reared back: five curtains, each gap where the craft was
        t.sheetY = kWindUpRow;
        t.frame = 0;
        if (n >= 20 && n % 30 == 20 && n <= 140) Curtain(t.x + 40, std::clamp(GameState.playerY, 36, 204));
        break;
    }
    case kTempest:  // three arms of orbs and a slow great ball at the craft
        t.sheetY = kRingsRow;
        if (n >= 30 && n < 190 && n % 8 == 0) {
            for (int k = 0; k < 3; k++) Toward(bx, by, w[kAngle] + k * 120, 2, true);
            w[kAngle] += 17;
        }
        if (n >= 40 && n % 50 == 40) BigBall(bx, by, GameState.playerX, GameState.playerY, 1);
        break;
    default: break;
    }
    w[kTimer] += 1;
    if (w[kTimer] >= kLength[w[kPattern]]) EndPattern(t);
}

// A new phase: the bullets in flight burst, the bird rears back and is out
// of reach for the lull, then fights on faster.
void BeginPhase(TekiRecord& t, int phase) {
    int* w = t.work;
    w[kPhase] = phase;
    w[kLullLeft] = kLull;
    w[kPattern] = kNone;
    w[kRest] = 0;
    t.x = kHomeX;
    for (TamaRecord& b : Tama)
        if (b.active == 1) {
            b.active = 0;
            SetSpark(b.x - 2, b.y - 2);
        }
    for (int i = 0; i < 3; i++) SetExplosion(1, t.x + kBodyDx + i * 12 - 12, t.y + kBodyDy + (i & 1) * 16 - 8);
    PlayWave(2, "se\\se-30.wav", 0);
}

void MoveLastBoss(TekiRecord& t) {  // type 57
    int* w = t.work;
    if (w[kInit] == 0) {
        w[kInit] = 1;
        w[kPhase] = 1;
        w[kFullHp] = t.hp > 0 ? t.hp : 1;
        w[kRest] = 60;
        BodyOnly(t);
        itemDrop = 0;
        PlayMidi("boss1.mid");
    }
    if ((w[kBob] & 15) == 0) ToggleFrame(t);
    w[kBob] += kPhases[w[kPhase] - 1].bob;
    if (w[kBob] >= 360) w[kBob] -= 360;
    t.y = kMidY + (GetSin(w[kBob]) >> 2);
    if (t.x > kHomeX && w[kPattern] != kLunge) {  // glides in before it fights
        t.x -= 1;
        return;
    }
    const int full = w[kFullHp];
    const int due = t.hp * 3 > full * 2 ? 1 : (t.hp * 3 > full ? 2 : 3);
    if (due > w[kPhase]) BeginPhase(t, due);
    if (w[kLullLeft] > 0) {
        w[kLullLeft] -= 1;
        t.sheetY = kWindUpRow;
        t.frame = 0;
        t.box[0].kind = 1;  // out of reach
        if (w[kLullLeft] == 0) EndPattern(t);
        return;
    }
    if (w[kPattern] == kNone) {
        if (w[kRest] > 0) {
            w[kRest] -= 1;
            return;
        }
        StartPattern(t);
    }
    RunPattern(t);
}

}  // namespace

bool MoveFinalBossTeki(TekiRecord& t) {
    if (t.type != 57) return false;
    MoveLastBoss(t);
    return true;
}
