// The ramming boss's exhaust trail: 30 additive puffs left behind while it
// charges, each fading over 31 frames. Updated and drawn in one call from the
// boss's behaviour, so the trail lies beneath every enemy sprite.
#include "core/core.h"
#include "enemy/enemy.h"
#include "video/video.h"

TrailPuff TekiTrail[kTrailPuffs];
int trailLastOn;

void ResetTekiTrail() {
    for (TrailPuff& p : TekiTrail) p = TrailPuff{};
    trailLastOn = 0;
}

void PutTekiTrail(int on, int index) {
    if (on == 1 && trailLastOn == 0) {  // a new charge starts a fresh trail
        for (TrailPuff& p : TekiTrail) p.kind = 0;
    }
    trailLastOn = on;
    if (on == 1 && index >= 0 && index < kTekiMax) {
        const TekiRecord& e = Teki[index];
        for (TrailPuff& p : TekiTrail) {
            if (p.kind != 0) continue;
            p.kind = GameRand() % 2 + 1;
            p.x = e.x + GameRand() % 5 + 32;
            p.y = e.y + GameRand() % 5 + (p.kind == 1 ? 16 : -8);
            p.level = 31;
            break;
        }
    }
    const RECT puff{464, 128, 496, 160};
    for (TrailPuff& p : TekiTrail) {
        if (p.kind == 0) continue;
        PutSpriteAdd(p.x, p.y, Slot[3], puff, 17, p.level);
        p.level -= 1;
        if (p.level == 0) p.kind = 0;
    }
}
