// The contacts of play: the player's shots against the enemies (damage,
// kills, score, meter, item drops) and the craft against items, enemies and
// enemy bullets. Plain nested scans in index order; the order is part of the
// behaviour (which enemy a shot reaches first, which contact takes the hit).
#include <algorithm>

#include "core/core.h"
#include "enemy/enemy.h"
#include "player/player.h"
#include "shot/shot.h"
#include "sound/sound.h"

int lastHarm;

namespace {

using Box = HitRect;

// Half sizes are shifts, so odd sizes lean to one side.
Box ShotBox(const ShotRecord& s) {
    return {s.x - (s.w >> 1), s.x + s.w - (s.w >> 1), s.y - (s.h >> 1), s.y + s.h - (s.h >> 1)};
}

// The whole sprite, as the player's shots see it.
Box TekiShotBox(const TekiRecord& t) {
    return {t.x - (t.w >> 1), t.x + t.w - (t.w >> 1), t.y - (t.h >> 1), t.y + t.h - (t.h >> 1)};
}

// The sprite as the craft sees it: one pixel narrower for odd sizes.
Box TekiCraftBox(const TekiRecord& t) {
    return {t.x - (t.w >> 1), t.x + (t.w >> 1), t.y - (t.h >> 1), t.y + (t.h >> 1)};
}

Box TamaBox(const TamaRecord& t) {
    return {t.x - (t.w >> 1), t.x + (t.w >> 1), t.y - (t.h >> 1), t.y + (t.h >> 1)};
}

Box HitBox(const TekiRecord& t, int b) {
    const TekiBox& k = t.box[b];
    return {t.x + k.left, t.x + k.right, t.y + k.top, t.y + k.bottom};
}

// The craft's picture is 32 x 32; only its middle can be hit.
Box CraftBox() {
    const GameStateRecord& g = GameState;
    return {g.playerX - 4, g.playerX + 4, g.playerY - 4, g.playerY + 4};
}

// Does the shot reach the enemy, by its hit mode?
bool ShotTouches(const Box& shot, const TekiRecord& t) {
    int mode = t.box[0].kind;
    if (mode == 0 || mode == 2) return Overlap(shot, TekiShotBox(t));
    if (mode >= 3) {
        // Only boxes of kind 3 take shots; the first that overlaps counts.
        for (int b = 0; b < 3; b++) {
            if (t.box[b].kind != 3) continue;
            if (Overlap(shot, HitBox(t, b))) return true;
        }
    }
    return false;
}

// Does the enemy hurt the craft, by its hit mode?
bool TekiTouchesCraft(const Box& craft, const TekiRecord& t) {
    int mode = t.box[0].kind;
    if (mode == 0) return Overlap(craft, TekiCraftBox(t));
    if (mode >= 2) {
        for (int b = 0; b < 3; b++) {
            if (t.box[b].kind < 2) continue;
            if (Overlap(HitBox(t, b), craft)) return true;
        }
    }
    return false;
}

// An enemy whose hit points ran out: explosion, score, meter and sound,
// or the end of the fight for a boss; then the item roll.
void DestroyTeki(TekiRecord& t) {
    // Kept apart: the second form of type 17 may take this very entry.
    const int x = t.x, y = t.y, type = t.type, score = t.score, meter = t.meter;
    t.active = 0;
    if (IsBossType(type)) {
        bossDown = 1;
    } else {
        if (type == kFirstFormType) ReleaseSecondForm(x, y);
        SetExplosion(0, x, y);
        GameState.score += score;
        GameState.mater += meter;
        combatSound.se(2);
    }
    // The roll is drawn for every kill, also when drops are off.
    if (GameRand() % 20 == 0 && itemDrop == 1) SetItem(x, y, GameRand() % 4);
}

// A hit on the craft: the barrier takes it if there is one, else a life.
void HitCraft() {
    GameStateRecord& g = GameState;
    if (g.barrier > 0) {
        g.barrier -= 1;
        invincible = 128;
        return;
    }
    if (g.shotLv > 0) g.shotLv -= 1;
    if (g.option > 0) g.option -= 1;
    g.lives -= 1;
    dying = 1;
}

}  // namespace

void Atari() {
    for (ShotRecord& s : Shot) {
        if (s.active != 1) continue;
        Box shot = ShotBox(s);
        // The scan goes on after a hit, even when the shot is gone: a shot
        // that overlaps several enemies damages all of them in this frame.
        for (TekiRecord& t : Teki) {
            if (t.active != 1) continue;
            if (!ShotTouches(shot, t)) continue;
            t.hp -= s.damage;
            if (t.hp > 0) {
                SetSpark(s.x, s.y);
                t.flash = 1;
            } else {
                DestroyTeki(t);
            }
            if (s.kind != 3) s.active = 0;  // piercing shots fly on
        }
    }
}

void AtariPlayer() {
    if (wazaOn2 == 1) return;
    if (invincible < 98) PickUpItems();
    if (invincible != 0) return;
    if (entryOn != 1) return;
    Box craft = CraftBox();
    for (const TekiRecord& t : Teki) {
        if (t.active != 1) continue;
        if (TekiTouchesCraft(craft, t)) {
            lastHarm = kHarmEnemy;
            HitCraft();
            return;
        }
    }
    // Bullets stay where they are after a hit.
    for (const TamaRecord& b : Tama) {
        if (b.active != 1) continue;
        if (Overlap(craft, TamaBox(b))) {
            lastHarm = kHarmBullet;
            HitCraft();
            return;
        }
    }
}

namespace {
// Pixels between two boxes along the axis where they lie furthest apart;
// 0 when they overlap.
int Gap(const Box& a, const Box& b) {
    int gx = std::max({0, b.left - a.right, a.left - b.right});
    int gy = std::max({0, b.top - a.bottom, a.top - b.bottom});
    return std::max(gx, gy);
}
}  // namespace

int ThreatGap(int cap) {
    const Box craft = CraftBox();
    int best = cap;
    for (const TekiRecord& t : Teki) {
        if (t.active != 1) continue;
        int mode = t.box[0].kind;
        if (mode == 0) best = std::min(best, Gap(craft, TekiCraftBox(t)));
        for (int b = 0; mode >= 2 && b < 3; b++)
            if (t.box[b].kind >= 2) best = std::min(best, Gap(craft, HitBox(t, b)));
    }
    for (const TamaRecord& b : Tama)
        if (b.active == 1) best = std::min(best, Gap(craft, TamaBox(b)));
    return best;
}
