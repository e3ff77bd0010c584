// Projectiles and effects: enemy bullets, explosions, sparks and bursts.
#pragma once

// One enemy bullet. Field order is fixed.
struct TamaRecord {
    int kind;                       // 1: straight line
    int x, y;                       // centre
    int w, h;
    int adx, ady;                   // distance to the target per axis
    int sx, sy;                     // step direction per axis, +1 or -1
    int speed;                      // pixel steps per frame
    int lastFrame;
    int err;                        // line-stepping error
    int active;
    int sheetX, sheetY;             // frame 0 on "tama.bmp" (slot 4)
    int period;                     // frames per animation frame
    int animTick;
    int frame;
};

struct ExplosionRecord {
    int x, y;                       // centre
    int frame;                      // -1 free
    int tick;
    int size;                       // 0 small, otherwise large
};

struct SparkRecord {
    int x, y;                       // top-left
    int active;
    int life;                       // frames left
};

struct BurstRecord {
    int x, y;                       // centre
    int frame;                      // -1 free
    int tick;
};

constexpr int kTamaMax = 1000;
constexpr int kExplosionMax = 100;
constexpr int kSparkMax = 50;
constexpr int kBurstMax = 100;

extern TamaRecord Tama[kTamaMax];
extern ExplosionRecord Explosion[kExplosionMax];
extern SparkRecord Spark[kSparkMax];
extern BurstRecord Burst[kBurstMax];

void EmptyShotPools();              // bullets (active 0), explosions and bursts (frame -1), sparks (active 0)

// Fires one bullet from (x, y) towards (tx, ty) and beyond; reserved is ignored.
void SetTama(int kind, int x, int y, int tx, int ty, int speed, int w, int h,
             int sheetX, int sheetY, int reserved, int lastFrame, int period);
void MoveTama();                    // bullets (the play frame moves the player's shots next)
int CountTama();                    // bullets in flight
void PutTama();                     // bullets (the play frame draws the player's shots next)

void SetExplosion(int size, int x, int y);
void PutExplosion();
void SetSpark(int x, int y);
void PutSpark();
void SetBurst(int x, int y);
void PutBurst();
