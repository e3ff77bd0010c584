// The whole game's boss bar: a thin gauge under the score of how many hit
// points the enemies whose end ends the fight (and a first form, with its
// second form to come) have left, against the most they have had since they
// came on screen.
#include <algorithm>

#include "core/core.h"
#include "enemy/enemy.h"
#include "video/video.h"

namespace {
int mostHp = 0;  // the fight's largest total so far (0: no boss on screen)
}

int BossHitPoints() {
    int total = 0;
    bool present = false;
    for (const TekiRecord& t : Teki) {
        // A first form counts with the second form still to come, so the
        // bar runs down once over both.
        const bool firstForm = t.type == kFirstFormType;
        if (t.active != 0 && (IsBossType(t.type) || firstForm) && t.x - t.w / 2 < 320) {
            present = true;
            total += std::max(t.hp, 0) + (firstForm ? kSecondFormHp : 0);
        }
    }
    return present ? total : -1;
}

void PutBossBar() {
    const int hp = BossHitPoints();
    if (hp < 0) {
        mostHp = 0;
        return;
    }
    mostHp = std::max(mostHp, hp);
    if (mostHp == 0) return;
    constexpr int kLeft = 60, kRight = 260, kTop = 19;
    const int filled = kLeft + 1 + (kRight - kLeft - 2) * hp / mostHp;
    PutBox(WorkSurface, kLeft, kTop, kRight, kTop + 5, 40, 150, 230);          // the HUD's gold rim
    PutBox(WorkSurface, kLeft + 1, kTop + 1, kRight - 1, kTop + 4, 40, 16, 24);  // what is gone
    if (filled > kLeft + 1) PutBox(WorkSurface, kLeft + 1, kTop + 1, filled, kTop + 4, 60, 60, 235);
}
