// Items left by destroyed enemies: they drift left with a gentle bob until
// the craft touches them (an option, the barrier, a life or a shot level) or
// they leave the screen. A small label then rises from the craft and fades.
// Every picture is a cell of the HUD sheet (slot 1).
#include "core/core.h"
#include "player/player.h"
#include "video/video.h"

ItemRecord Item[kItemCount];
ItemLabelRecord ItemLabel[kItemCount];

void EmptyItemPools() {
    for (ItemRecord& it : Item) it.active = 0;
    for (ItemLabelRecord& l : ItemLabel) l.active = 0;
}

void SetItem(int x, int y, int kind) {
    for (ItemRecord& it : Item) {
        if (it.active != 0) continue;
        it.active = 1;
        it.tick = 10;
        it.x = x;
        it.y = y;
        it.kind = kind;
        it.frame = 0;
        it.started = 0;
        return;
    }
}

void SetItemLabel(int kind) {
    for (ItemLabelRecord& l : ItemLabel) {
        if (l.active != 0) continue;
        l.active = 1;
        l.life = 31;
        l.kind = kind;
        return;
    }
}

void MoveItem() {
    for (ItemRecord& it : Item) {
        if (it.active != 1) continue;
        int left = 48 * it.kind + 16 * it.frame;
        RECT cell{left, 48, left + 16, 64};
        it.tick -= 1;
        if (it.tick == 0) {
            it.tick = 10;
            it.frame += 1;
            if (it.frame == 3) it.frame = 0;
        }
        if (it.started == 0) {
            it.started = 1;
            it.baseY = it.y;
            it.angle = 0;
        }
        it.angle += 5;
        if (it.angle >= 360) it.angle = 0;
        it.y = it.baseY + (GetSin(it.angle) >> 4);
        PutSprite(it.x - 8, it.y - 8, Slot[1], cell, 17);
        it.x -= 1;
        if (it.x <= -48) it.active = 0;
    }
}

void PickUpItems() {
    GameStateRecord& g = GameState;
    HitRect reach{g.playerX - 16, g.playerX + 16, g.playerY - 16, g.playerY + 16};
    for (ItemRecord& it : Item) {
        if (it.active != 1) continue;
        if (!Overlap(reach, HitRect{it.x - 8, it.x + 8, it.y - 8, it.y + 8})) continue;
        SetItemLabel(it.kind);
        // At its limit an item is still used up and labelled, silently.
        switch (it.kind) {
            case 0:
                if (g.option < 3) {
                    g.option += 1;
                    combatSound.voice(3);
                }
                break;
            case 1:
                g.barrier = 3;
                combatSound.voice(4);
                break;
            case 2:
                if (g.lives < 10) {
                    g.lives += 1;
                    combatSound.voice(5);
                }
                break;
            case 3:
                if (g.shotLv < 2) {
                    g.shotLv += 1;
                    combatSound.voice(2);
                }
                break;
            default:
                break;
        }
        it.active = 0;
    }
}

void PutItemLabel() {
    for (ItemLabelRecord& l : ItemLabel) {
        if (l.active != 1) continue;
        // Two pictures that take turns every 4 frames.
        int b = (l.life >> 2) & 1;
        RECT cell{};
        int half = 24;
        switch (l.kind) {
            case 0:
                cell = {96 + 48 * b, 96, 144 + 48 * b, 104};
                break;
            case 1:
                cell = {48 * b, 104, 48 * b + 48, 112};
                break;
            case 2:
                cell = {192 + 32 * b, 96, 224 + 32 * b, 104};
                half = 16;
                break;
            default:
                cell = {48 * b, 96, 48 * b + 48, 104};
                break;
        }
        // It follows the craft as it rises 30 pixels and fades out.
        PutSpriteAlpha(GameState.playerX - half, GameState.playerY - (31 - l.life), Slot[1], cell, 17, l.life);
        l.life -= 1;
        if (l.life <= 0) l.active = 0;
    }
}
