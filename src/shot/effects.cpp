// Short-lived effects: explosions, sparks and bursts, all drawn additively.
#include "shot/shot.h"
#include "video/video.h"

ExplosionRecord Explosion[kExplosionMax];
SparkRecord Spark[kSparkMax];
BurstRecord Burst[kBurstMax];

void EmptyShotPools() {
    for (TamaRecord& t : Tama) t.active = 0;
    for (ExplosionRecord& e : Explosion) e.frame = -1;
    for (BurstRecord& b : Burst) b.frame = -1;
    for (SparkRecord& s : Spark) s.active = 0;
}

void SetExplosion(int size, int x, int y) {
    for (ExplosionRecord& e : Explosion) {
        if (e.frame != -1) continue;
        e.size = size;
        e.x = x;
        e.y = y;
        e.frame = 0;
        e.tick = 0;
        return;
    }
}

void PutExplosion() {
    for (ExplosionRecord& e : Explosion) {
        if (e.frame == -1) continue;
        int t = e.tick;
        e.tick += 1;
        if (t == 5) { e.frame += 1; e.tick = 0; }
        if (e.size == 0) {
            if (e.frame < 6)
                PutSpriteAdd(e.x - 16, e.y - 16, Slot[1],
                             RECT{32 * e.frame, 64, 32 * e.frame + 32, 96}, 0, 31);
            else
                e.frame = -1;
        } else {
            // The large picture sits 16 above the centre, not 48.
            if (e.frame < 7)
                PutSpriteAdd(e.x - 48, e.y - 16, Slot[1],
                             RECT{96 * e.frame, 112, 96 * e.frame + 96, 208}, 0, 31);
            else
                e.frame = -1;
        }
    }
}

void SetSpark(int x, int y) {
    for (SparkRecord& s : Spark) {
        if (s.active != 0) continue;
        s.active = 1;
        s.life = 10;
        s.x = x;
        s.y = y;
        return;
    }
}

void PutSpark() {
    for (SparkRecord& s : Spark) {
        if (s.active == 0) continue;
        s.life -= 1;
        if (s.life == 0) s.active = 0;  // still drawn this frame
        RECT r = (s.life >= 5) ? RECT{192, 64, 208, 80} : RECT{192, 80, 208, 96};
        PutSpriteAdd(s.x, s.y, Slot[1], r, 0, 31);
    }
}

void SetBurst(int x, int y) {
    // Every free entry starts at once: the copies add up to a white flash.
    for (BurstRecord& b : Burst) {
        if (b.frame != -1) continue;
        b.x = x;
        b.y = y;
        b.frame = 0;
        b.tick = 0;
    }
}

void PutBurst() {
    for (BurstRecord& b : Burst) {
        if (b.frame < 0) continue;
        int t = b.tick;
        b.tick += 1;
        if (t == 5) { b.frame += 1; b.tick = 0; }
        if (b.frame == 3) {
            b.frame = -1;
            continue;
        }
        PutSpriteAdd(b.x - 8, b.y - 8, Slot[0], RECT{16 * b.frame, 80, 16 * b.frame + 16, 96}, 0, 25);
    }
}
