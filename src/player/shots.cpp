// The player's fire: the shot pool, each character's fire rhythm and volley,
// shot movement and drawing, and the options that trail the craft.
#include <cstdlib>

#include "core/core.h"
#include "enemy/enemy.h"
#include "player/player.h"
#include "shot/shot.h"
#include "video/video.h"

ShotRecord Shot[kShotCount];
PlayerWork Player;

void ResetPlayerWork() {
    Player = PlayerWork{};
    for (ShotRecord& s : Shot) s = ShotRecord{};
}

void EmptyPlayerPools() {
    for (ShotRecord& s : Shot) s.active = 0;
    EmptyItemPools();
}

void SetShot(int kind, int x0, int y0, int x1, int y1, int steps, int w, int h, int srcX, int srcY,
             int frames, int period, int damage, int draw) {
    if (kind < 0) return;
    for (ShotRecord& s : Shot) {
        if (s.active != 0) continue;
        s.kind = kind;
        s.steps = steps;
        s.w = w;
        s.h = h;
        s.srcX = srcX;
        s.srcY = srcY;
        s.frames = frames;
        s.period = period;
        s.damage = damage;
        s.draw = draw;
        s.x = x0;
        s.y = y0;
        s.acc = 0;
        s.frame = 0;
        s.locked = 0;
        s.active = 1;
        s.dx = std::abs(x1 - x0);
        s.sx = (x1 - x0 < 0) ? -1 : 1;
        s.dy = std::abs(y1 - y0);
        s.sy = (y1 - y0 < 0) ? -1 : 1;
        if (kind == 1) {
            s.target = -1;
            s.angle = 0;
        } else {
            s.target = 0;
        }
        return;
    }
}

// ---------------------------------------------------------------- volleys

namespace {

// Option wobbles: small vertical offsets that rock with optAngle.
struct Wobble {
    int w0, w1, w2;
};
Wobble OptionWobble() {
    int a = GameState.optAngle;
    return {GetSin(a) >> 5, GetSin(a + 90) >> 5, GetSin(a + 180) >> 5};
}

// Option shots that share one shape: a single shot from (TX + singleDX,
// TY + w0) and a pair from (TX, TY + w1 - spread) and (TX, TY + w2 + spread),
// aimed horizontally (forward or backward).
struct OptionVolley {
    int singleDX, singleReach;   // single: start offset, aim offset
    int pairReach;               // pair: aim offset
    int spread;
    int steps, srcY, frames, period, draw;
};

void FireOptionShots(const OptionVolley& v, int option) {
    const GameStateRecord& g = GameState;
    int tx = g.trailX[0], ty = g.trailY[0];
    Wobble w = OptionWobble();
    auto single = [&] {
        SetShot(0, tx + v.singleDX, ty + w.w0, tx + v.singleReach, ty + w.w0, v.steps, 16, 16, 0, v.srcY,
                v.frames, v.period, 1, v.draw);
    };
    auto pair = [&] {
        SetShot(0, tx, ty + w.w1 - v.spread, tx + v.pairReach, ty + w.w1 - v.spread, v.steps, 16, 16, 0, v.srcY,
                v.frames, v.period, 1, v.draw);
        SetShot(0, tx, ty + w.w2 + v.spread, tx + v.pairReach, ty + w.w2 + v.spread, v.steps, 16, 16, 0, v.srcY,
                v.frames, v.period, 1, v.draw);
    };
    if (option == 1) single();
    if (option == 2) pair();
    if (option == 3) {
        pair();
        single();
    }
}

// The witch's familiars fire backwards, the pair spreading out as it goes.
void FireWitchOptions(int option) {
    const GameStateRecord& g = GameState;
    int tx = g.trailX[0], ty = g.trailY[0];
    Wobble w = OptionWobble();
    auto single = [&] { SetShot(0, tx - 30, ty + w.w0, tx - 100, ty + w.w0, 4, 16, 16, 0, 80, 3, 10, 1, 0); };
    auto pair = [&] {
        SetShot(0, tx, ty + w.w1 - 25, tx - 320, ty + w.w1 - 35, 4, 16, 16, 0, 80, 3, 10, 1, 0);
        SetShot(0, tx, ty + w.w2 + 25, tx - 320, ty + w.w2 + 35, 4, 16, 16, 0, 80, 3, 10, 1, 0);
    };
    if (option == 1) single();
    if (option == 2) pair();
    if (option == 3) {
        pair();
        single();
    }
}

// Thin piercing beam from (a, b) towards (c, b).
void Beam(int a, int b, int c) { SetShot(3, a, b, c, b, 10, 48, 8, 48, 84, 1, 1, 1, 0); }

void FireBeamOptions(int option) {
    const GameStateRecord& g = GameState;
    int tx = g.trailX[0], ty = g.trailY[0];
    if (option == 1) Beam(tx - 40, ty, tx - 100);
    if (option == 2) {
        Beam(tx, ty - 35, tx - 320);
        Beam(tx, ty + 35, tx - 320);
    }
    if (option == 3) {
        Beam(tx - 20, ty - 35, tx - 320);
        Beam(tx - 20, ty + 35, tx - 320);
        Beam(tx - 60, ty, tx - 100);
    }
}

}  // namespace

void FireVolley(int chno, int option, int shotLv) {
    const int X = GameState.playerX, Y = GameState.playerY;
    switch (chno) {
        case 0:
            SetShot(0, X, Y, X + 320, Y, 5, 16, 16, 0, 64, 4, 5, 2, 0);
            if (shotLv >= 1) {
                SetShot(0, X, Y, X + 320, Y + 520, 4, 16, 16, 0, 80, 3, 10, 2, 0);
                SetShot(0, X, Y, X + 320, Y - 520, 4, 16, 16, 0, 80, 3, 10, 2, 0);
            }
            if (shotLv == 2) SetShot(0, X, Y, X - 320, Y, 4, 16, 16, 0, 80, 3, 10, 2, 0);
            FireWitchOptions(option);
            break;
        case 1:
        case 2:
            if (shotLv == 0) {
                if (chno == 1)
                    SetShot(3, X, Y, X + 320, Y, 2, 24, 24, 0, 80, 2, 10, 1, 0);
                else
                    Beam(X, Y, X + 320);
            } else if (shotLv == 1) {
                Beam(X, Y - 6, X + 320);
                Beam(X, Y + 6, X + 320);
            } else if (shotLv == 2) {
                Beam(X, Y, X + 320);
                Beam(X, Y - 12, X + 320);
                Beam(X, Y + 12, X + 320);
            }
            FireBeamOptions(option);
            break;
        case 3:
            SetShot(1, X, Y, X + 320, Y, 5, 16, 16, 0, 80, 2, 5, 1, 0);
            FireOptionShots({-40, -100, -320, 35, 5, 80, 2, 5, 0}, option);
            break;
        case 4:
            SetShot(0, X, Y, X + 320, Y, 7, 8, 8, 0, 40, 1, 1, 1, 1);
            if (shotLv >= 1) SetShot(0, X, Y, X - 320, Y, 7, 8, 8, 0, 40, 1, 1, 1, 1);
            if (shotLv == 2) {
                SetShot(0, X, Y, X, Y - 100, 7, 8, 8, 0, 40, 1, 1, 1, 1);
                SetShot(0, X, Y, X, Y + 100, 7, 8, 8, 0, 40, 1, 1, 1, 1);
            }
            break;
        case 5:
            SetShot(1, X, Y, X + 320, Y, 5, 16, 16, 0, 80, 2, 5, 1, 1);
            FireOptionShots({-40, 100, 320, 35, 5, 64, 2, 5, 1}, option);
            break;
        case 6: {
            auto fish = [&](int x, int y) { SetShot(0, x, y, X + 320, y, 10, 16, 16, 0, 64, 1, 1, 1, 1); };
            if (shotLv == 0) {
                fish(X, Y + 5);
            } else if (shotLv == 1) {
                fish(X, Y - 5);
                fish(X + 5, Y + 15);
            } else if (shotLv == 2) {
                fish(X, Y - 5);
                fish(X + 5, Y + 5);
                fish(X, Y + 15);
            }
            FireOptionShots({-40, -100, -320, 35, 10, 64, 1, 5, 1}, option);
            break;
        }
        case 7: {
            auto bean = [&](int x1, int y1) { SetShot(0, X, Y, x1, y1, 5, 16, 16, 0, 32, 2, 5, 1, 1); };
            bean(X + 320, Y);
            if (shotLv >= 1) {
                bean(X - 320, Y);
                bean(X, Y - 100);
                bean(X, Y + 100);
            }
            if (shotLv == 2) {
                bean(X + 320, Y + 320);
                bean(X + 320, Y - 320);
                bean(X - 320, Y + 320);
                bean(X - 320, Y - 320);
            }
            FireOptionShots({-40, 100, 320, 35, 5, 32, 2, 5, 1}, option);
            break;
        }
        case 8:
            SetShot(4, X, Y, X + 320, Y, 5, 16, 16, 48, 80, 2, 5, 10, 1);
            break;
        case 9:
            SetShot(0, X, Y, X + 320, Y, 7, 16, 16, 0, 80, 2, 5, 1, 0);
            break;
        default:
            break;
    }
}

void FirePlayer(int chno, int key, int option, int shotLv) {
    PlayerWork& p = Player;
    bool press = (key & 0x10) != 0 && p.shotLock == 0;
    if (chno == 4) {
        // Three bursts two frames apart, the first on the frame of the press.
        if (press) {
            p.shotLock = 1;
            p.shotCount = 0;
        }
        if (p.shotLock == 1) {
            p.shotCount += 1;
            if (p.shotCount == 1 || p.shotCount == 3 || p.shotCount == 5) FireVolley(chno, option, shotLv);
            if (p.shotCount == 12) {
                p.shotLock = 0;
                p.shotCount = 0;
            }
        }
    } else if (chno == 1 || chno == 2) {
        // Charged volley: three charge marks, then the volley 17 frames in.
        if (press) {
            p.shotLock = 1;
            p.chargeTick = 0;
            p.chargeStep = 0;
            p.shotCount = 0;
        }
        if (p.shotLock == 1) {
            p.shotCount += 1;
            if (p.shotCount == 60) {
                p.shotLock = 0;
                p.shotCount = 0;
            }
            int t = p.chargeTick++;
            if (t == 5) {
                p.chargeTick = 0;
                p.chargeStep += 1;
            }
            if (p.chargeStep == 3) {
                p.chargeStep = 4;
                FireVolley(chno, option, shotLv);
            }
            if (p.chargeStep < 3) {
                RECT mark{16 * p.chargeStep, 80, 16 * p.chargeStep + 16, 96};
                PutSpriteAdd(GameState.playerX + 10, GameState.playerY - 8, Slot[0], mark, 0, 31);
            }
        }
    } else {
        int lock = (chno >= 0 && chno <= 9) ? CharTable[chno].lockTime : 12;
        if (press) {
            p.shotLock = 1;
            FireVolley(chno, option, shotLv);
            p.shotCount = 0;
        }
        if (p.shotLock == 1) {
            p.shotCount += 1;
            if (p.shotCount == lock) {
                p.shotLock = 0;
                p.shotCount = 0;
            }
        }
    }
}

// ---------------------------------------------------------------- movement

namespace {

void StepLine(ShotRecord& s) {
    if (s.dx >= s.dy) {
        for (int i = 0; i < s.steps; i++) {
            s.x += s.sx;
            s.acc += s.dy;
            if (s.acc >= s.dx) {
                s.y += s.sy;
                s.acc -= s.dx;
            }
        }
    } else {
        for (int i = 0; i < s.steps; i++) {
            s.y += s.sy;
            s.acc += s.dx;
            if (s.acc >= s.dy) {
                s.x += s.sx;
                s.acc -= s.dy;
            }
        }
    }
}

bool Targeted(int k) {
    for (const ShotRecord& o : Shot)
        if (o.active == 1 && o.locked == 1 && o.target == k) return true;
    return false;
}

// The first live enemy no other shot follows; else the last live one.
void PickTarget(ShotRecord& s) {
    int fallback = -1;
    for (int k = 0; k < kTekiMax; k++) {
        if (Teki[k].active != 1) continue;
        fallback = k;
        if (!Targeted(k)) {
            s.locked = 1;
            s.target = k;
            return;
        }
    }
    if (fallback >= 0) {
        s.locked = 1;
        s.target = fallback;
    }
}

void StepHoming(ShotRecord& s) {
    if (s.locked == 0) PickTarget(s);
    if (s.locked == 1 && s.target >= 0 && s.target < kTekiMax) {
        const TekiRecord& t = Teki[s.target];
        if (t.active == 0) {
            s.locked = 0;
        } else {
            int a = s.angle;
            bool right = t.x >= s.x;
            bool above = t.y < s.y;
            int turn;
            if (right && above)
                turn = (a > 45 && a < 225) ? -5 : 5;
            else if (!right && above)
                turn = (a > 135 && a < 315) ? -5 : 5;
            else if (!right)
                turn = (a > 225 || a < 45) ? -5 : 5;
            else
                turn = (a > 315 || a < 135) ? -5 : 5;
            a += turn;
            if (a < 0) a += 360;
            s.angle = a % 360;
        }
    }
    s.y -= GetSin(s.angle) / 30;
    s.x += GetSin(s.angle + 90) / 30;
}

void StepBurst(ShotRecord& s) {
    if (s.locked < 40) {
        s.x += 1;
        s.locked += 1;
    } else if (s.locked == 40) {
        s.locked = 41;
        SetBurst(s.x, s.y);
    } else {
        s.locked += 1;
        s.x += s.steps;
    }
}

}  // namespace

void MovePlayerShots() {
    for (ShotRecord& s : Shot) {
        if (s.active != 1) continue;
        switch (s.kind) {
            case 0:
            case 3:
                StepLine(s);
                break;
            case 1:
                StepHoming(s);
                break;
            case 4:
                StepBurst(s);
                break;
            default:
                break;
        }
        if (s.x > 320 || s.x < -s.w || s.y >= 240 || s.y < -s.h) s.active = 0;
        s.acc += 1;
        if (s.acc >= s.period) {
            s.acc = 0;
            s.frame += 1;
            if (s.frame >= s.frames) s.frame = 0;
        }
    }
}

void PutPlayerShots() {
    for (const ShotRecord& s : Shot) {
        if (s.active != 1) continue;
        RECT r{s.frame * s.w + s.srcX, s.srcY, s.frame * s.w + s.srcX + s.w, s.srcY + s.h};
        int x = s.x - (s.w >> 1), y = s.y - (s.h >> 1);
        if (s.draw == SHOT_ADD)
            PutSpriteAdd(x, y, Slot[0], r, 17, 31);
        else if (s.draw == SHOT_KEYED)
            PutSprite(x, y, Slot[0], r, 17);
        else if (s.draw == SHOT_ADD_WAZA)
            PutSpriteAdd(x, y, Slot[6], r, 17, 31);
    }
}

// ---------------------------------------------------------------- options

namespace {

struct OptionLook {
    int size;          // 32 or 16
    int cellY;         // top of the cell row; frame f starts at size * f
    int additive;
    int frames;        // 0: not animated
    int wobble;        // 1: the single and the pair rock with optAngle
    int singleDX;      // single's offset from the base point
    int pairDY;        // pair's vertical spread
};

const OptionLook OptionTable[10] = {
    {32, 32, 0, 2, 1, -30, 25},   // 0 familiars
    {0, 0, 0, 0, 0, 0, 0},        // 1 (no options)
    {16, 64, 1, 2, 0, -40, 35},   // 2
    {16, 64, 0, 2, 1, -40, 35},   // 3
    {16, 24, 0, 3, 1, -40, 35},   // 4
    {16, 64, 0, 2, 1, -40, 35},   // 5
    {32, 32, 0, 2, 1, -40, 35},   // 6
    {32, 0, 0, 0, 1, -40, 35},    // 7
    {16, 64, 0, 4, 1, -40, 35},   // 8
    {16, 64, 1, 2, 1, -40, 35},   // 9
};

}  // namespace

bool faintOptions = false;

void PutOption(int chno, int option) {
    const GameStateRecord& g = GameState;
    int bx = 0, by = 0;
    bool big = chno == 0 || chno == 6 || chno == 7;
    if (option > 0 && big) {
        bx = g.trailX[0] - 16;
        by = g.trailY[0] - 16;
    } else if (option >= 1 && chno >= 2) {
        bx = g.trailX[0] - 8;
        by = g.trailY[0] - 8;
    }
    if (chno == 1) return;
    if (chno < 0 || chno > 9) return;

    const OptionLook& o = OptionTable[chno];
    int f = Player.optFrame;
    RECT cell{o.size * f, o.cellY, o.size * f + o.size, o.cellY + o.size};
    Wobble w = o.wobble ? OptionWobble() : Wobble{0, 0, 0};
    auto put = [&](int x, int y) {
        if (o.additive)
            PutSpriteAdd(x, y, Slot[0], cell, 17, 31);
        else if (faintOptions)
            PutSpriteAlpha(x, y, Slot[0], cell, 17, 11);
        else
            PutSprite(x, y, Slot[0], cell, 17);
    };
    auto single = [&] { put(bx + o.singleDX, by + w.w0); };
    auto pair = [&] {
        put(bx, by + w.w1 - o.pairDY);
        put(bx, by + w.w2 + o.pairDY);
    };
    if (option == 1) single();
    if (option == 2) pair();
    if (option == 3) {
        single();
        pair();
    }

    if (o.frames > 0) {
        Player.optTime += 1;
        if (Player.optTime >= 10) {
            Player.optTime = 0;
            Player.optFrame += 1;
            // ">=": a continue may bring a character with fewer frames.
            if (Player.optFrame >= o.frames) Player.optFrame = 0;
        }
    }
    if (chno != 2) GameState.optAngle = (GameState.optAngle + 10) % 360;
}
