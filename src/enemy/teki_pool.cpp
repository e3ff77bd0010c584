// The enemy pool: taking entries, drawing them, and the two whole-pool
// operations the special techniques use.
#include "core/core.h"
#include "enemy/enemy.h"
#include "shot/shot.h"
#include "video/video.h"

TekiRecord Teki[kTekiMax];
void (*tekiHitDrawn)(int, int, int, int, bool) = nullptr;

namespace {
// Draws one enemy's hit look between the measuring hook's two calls.
template <class Draw>
void DrawHit(const TekiRecord& t, int sx, int sy, Draw draw) {
    if (tekiHitDrawn) tekiHitDrawn(sx, sy, t.w, t.h, false);
    draw();
    if (tekiHitDrawn) tekiHitDrawn(sx, sy, t.w, t.h, true);
}
}  // namespace

bool IsBossType(int type) {
    for (int b : BossTypes)
        if (b == type) return true;
    return false;
}

void ReleaseSecondForm(int x, int y) {
    // The first form breaks up and the second form takes its place.
    for (int i = 0; i < 2; i++) {
        int oy = GameRand() % 100 - 50;
        int ox = GameRand() % 100 - 50;
        SetExplosion(0, x + ox, y + oy);
    }
    SetTeki(x, y, 10, 96, 416, 64, 48, kSecondFormHp, 1000, 0);
}

void EmptyTekiPool() {
    for (TekiRecord& t : Teki) t.active = 0;
}

int CountTeki(int type) {
    int n = 0;
    for (const TekiRecord& t : Teki) n += t.active != 0 && (type == kAnyType || t.type == type);
    return n;
}

void SetTeki(int x, int y, int type, int sheetX, int sheetY, int w, int h, int hp, int score, int meter) {
    for (TekiRecord& t : Teki) {
        if (t.active != 0) continue;
        t.active = 1;
        t.type = type;
        t.x = x;
        t.y = y;
        t.w = w;
        t.h = h;
        t.hp = hp;
        t.sheetX = sheetX;
        t.sheetY = sheetY;
        t.score = score;
        t.meter = meter;
        t.frame = 0;
        for (int& v : t.work) v = 0;
        t.blend = 0;
        // Only the hit mode is reset: a behaviour that uses boxes writes them first.
        t.box[0].kind = 0;
        t.chainDir = 0;
        for (int& c : t.chain) c = 0;
        t.wazaHit = 0;
        t.flash = 0;
        return;
    }
}

void PutTeki() {
    Surface* sheet = Slot[3];
    for (TekiRecord& t : Teki) {
        if (t.active != 1 && t.active != 2) continue;
        int left = t.sheetX + t.frame * t.w;
        RECT src{left, t.sheetY, left + t.w, t.sheetY + t.h};
        int sx = t.x - (t.w >> 1);
        int sy = t.y - (t.h >> 1);
        const bool hit = t.flash != 0;
        t.flash = 0;
        if (hit && !hitTint) {
            if (t.active == 1) DrawHit(t, sx, sy, [&] { PutSilhouette(sx, sy, sheet, src, 0xFFFF); });
        } else if (t.active == 1) {
            int b = t.blend;
            if (b == 0)
                PutSprite(sx, sy, sheet, src, 17);
            else if (b == 1)
                PutSpriteAlpha(sx, sy, sheet, src, 17, 16);
            else if (b <= 33)
                PutSpriteAdd(sx, sy, sheet, src, 17, b - 2);
            else if (b <= 65)
                PutSpriteAlpha(sx, sy, sheet, src, 17, b - 34);
            // The tint lights the sprite's own pixels only, never its transparent box.
            if (hit) DrawHit(t, sx, sy, [&] { PutSpriteAddKeyed(sx, sy, sheet, src, 5); });
        }
        // Chain parts: stacked cells of the same row, shown even while hidden.
        if (t.chainDir != 0 && t.chainDir != 1) continue;
        for (int j = 0; j < 10; j++) {
            if (t.chain[j] <= 0) continue;
            int cl = t.sheetX + (t.chain[j] - 1) * t.w;
            RECT part{cl, t.sheetY, cl + t.w, t.sheetY + t.h};
            int cy = (t.chainDir == 0) ? sy + (j + 1) * t.h : sy - (j + 1) * t.h;
            PutSprite(sx, cy, sheet, part, 17);
        }
    }
}

void AllTekiDamege(int damege) {
    for (TekiRecord& t : Teki) {
        if (t.active != 1 || t.wazaHit != 0 || t.box[0].kind == 1) continue;
        t.wazaHit = 1;
        t.hp -= damege;
        if (t.hp > 0) {
            t.flash = 1;
            continue;
        }
        t.active = 0;
        if (IsBossType(t.type)) {
            bossDown = 1;
            continue;
        }
        if (t.type == kFirstFormType) ReleaseSecondForm(t.x, t.y);
        SetExplosion(0, t.x, t.y);
    }
}

void AllTekiHukkatu() {
    for (TekiRecord& t : Teki)
        if (t.active == 1 && t.wazaHit == 1) t.wazaHit = 0;
}
