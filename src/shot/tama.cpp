// Enemy bullets: a pool of 1000 straight-line shots walked with Bresenham
// steps and drawn glowing.
#include "shot/shot.h"
#include "video/video.h"

TamaRecord Tama[kTamaMax];

int CountTama() {
    int n = 0;
    for (const TamaRecord& t : Tama) n += t.active == 1;
    return n;
}

void SetTama(int kind, int x, int y, int tx, int ty, int speed, int w, int h,
             int sheetX, int sheetY, int /*reserved*/, int lastFrame, int period) {
    for (TamaRecord& t : Tama) {
        if (t.active != 0) continue;
        t.kind = kind;
        t.x = x;
        t.y = y;
        t.w = w;
        t.h = h;
        t.speed = speed;
        t.sheetX = sheetX;
        t.sheetY = sheetY;
        t.lastFrame = lastFrame;
        t.period = period;
        t.active = 1;
        t.err = 0;
        t.animTick = 0;
        t.frame = 0;
        int dx = tx - x, dy = ty - y;
        if (dx < 0) { t.sx = -1; t.adx = -dx; } else { t.sx = 1; t.adx = dx; }
        if (dy < 0) { t.sy = -1; t.ady = -dy; } else { t.sy = 1; t.ady = dy; }
        return;
    }
}

void MoveTama() {
    for (TamaRecord& t : Tama) {
        if (t.active != 1) continue;
        if (t.kind == 1) {
            if (t.adx >= t.ady) {
                for (int i = 0; i < t.speed; i++) {
                    t.x += t.sx;
                    t.err += t.ady;
                    if (t.err >= t.adx) { t.y += t.sy; t.err -= t.adx; }
                }
            } else {
                for (int i = 0; i < t.speed; i++) {
                    t.y += t.sy;
                    t.err += t.adx;
                    if (t.err >= t.ady) { t.x += t.sx; t.err -= t.ady; }
                }
            }
        }
        if (t.x <= -(t.w >> 1) || t.x > 319 || t.y <= -(t.h >> 1) || t.y > 239) t.active = 0;
    }
}

void PutTama() {
    for (TamaRecord& t : Tama) {
        if (t.active != 1) continue;
        t.animTick += 1;
        if (t.animTick >= t.period) {
            t.animTick = 0;
            t.frame += 1;
            if (t.frame > t.lastFrame) t.frame = 0;
        }
        int left = t.sheetX + t.frame * t.w;
        PutSpriteAdd(t.x - (t.w >> 1), t.y - (t.h >> 1), Slot[4],
                     RECT{left, t.sheetY, left + t.w, t.sheetY + t.h}, 17, 31);
    }
}
