// Items: drift, animation, pick-ups and their limits, full pools, the rising label.
#include <gtest/gtest.h>

#include "combat_fixture.h"

using namespace combat_test;

namespace {

class CombatItems : public CombatTest {};

// Drops one item of `kind` on the craft and runs the pick-up.
void TakeItem(int kind) {
    SetItem(GameState.playerX, GameState.playerY, kind);
    AtariPlayer();
}

int ActiveLabels() {
    int n = 0;
    for (const ItemLabelRecord& l : ItemLabel) n += l.active == 1;
    return n;
}

}  // namespace

TEST_F(CombatItems, DriftBobAndLifetime) {
    SetItem(200, 120, 1);
    MoveItem();
    EXPECT_EQ(Item[0].baseY, 120);
    EXPECT_EQ(Item[0].y, 120 + (GetSin(5) >> 4));
    EXPECT_EQ(Item[0].x, 199);
    for (int i = 1; i < 247; i++) MoveItem();
    EXPECT_EQ(Item[0].active, 1);
    MoveItem();                         // the 248th frame: x reaches -48
    EXPECT_EQ(Item[0].active, 0);
    EXPECT_EQ(Item[0].x, -48);
}

TEST_F(CombatItems, AnimationAndDrawing) {
    // Frame f of kind k is the cell at (48k + 16f, 48); the drawn cell is
    // the one of the frame before the tick.
    for (int f = 0; f < 3; f++)
        for (int y = 48; y < 64; y++)
            for (int x = 0; x < 16; x++)
                Slot[1]->pixels[static_cast<size_t>(y) * 800 + 48 * 2 + 16 * f + x] = static_cast<uint16_t>(0x100 + f);
    FillSurface(WorkSurface, 0);
    SetItem(150, 100, 2);
    std::vector<int> frames;
    for (int i = 0; i < 31; i++) {
        MoveItem();
        frames.push_back(Item[0].frame);
    }
    EXPECT_EQ(frames[8], 0);
    EXPECT_EQ(frames[9], 1);   // after ten frames
    EXPECT_EQ(frames[19], 2);
    EXPECT_EQ(frames[29], 0);  // wraps
    const ItemRecord& it = Item[0];
    // The last draw used frame 0 (frames[29]) at (x + 1 - 8, y - 8).
    EXPECT_EQ(WorkSurface->pixels[static_cast<size_t>(it.y - 8) * 320 + it.x + 1 - 8], 0x100);
}

TEST_F(CombatItems, PickupsAndTheirLimits) {
    GameState.option = 2;
    TakeItem(0);
    EXPECT_EQ(GameState.option, 3);
    TakeItem(0);                        // at the limit: used up, labelled, silent
    EXPECT_EQ(GameState.option, 3);
    GameState.barrier = 1;
    TakeItem(1);
    EXPECT_EQ(GameState.barrier, 3);
    GameState.lives = 9;
    TakeItem(2);
    TakeItem(2);
    EXPECT_EQ(GameState.lives, 10);
    GameState.shotLv = 1;
    TakeItem(3);
    TakeItem(3);
    EXPECT_EQ(GameState.shotLv, 2);
    EXPECT_EQ(ActiveItems(), 0);
    EXPECT_EQ(ActiveLabels(), 7);
    EXPECT_EQ(sounds, (std::vector<std::string>{"voice 3a", "voice 4a", "voice 5a", "voice 2a"}));

    // Several items in one frame, at the reach's edges (craft 84..116,
    // item x - 8..x + 8: only the craft's right and bottom edges include).
    GameState.option = 0;
    SetItem(124, 100, 0);
    SetItem(77, 100, 0);
    SetItem(76, 100, 0);                // out of reach
    SetItem(100, 76, 0);                // out of reach
    AtariPlayer();
    EXPECT_EQ(GameState.option, 2);
    EXPECT_EQ(Item[0].active + Item[1].active, 0);
    EXPECT_EQ(Item[2].active + Item[3].active, 2);
    EXPECT_EQ(ActiveLabels(), 9);
}

TEST_F(CombatItems, NoPickupWhileInvincibleFrom98) {
    SetItem(100, 100, 2);
    invincible = 98;
    AtariPlayer();
    EXPECT_EQ(Item[0].active, 1);
    invincible = 97;
    AtariPlayer();
    EXPECT_EQ(Item[0].active, 0);
    EXPECT_EQ(GameState.lives, 6);
}

TEST_F(CombatItems, FullPoolsDropTheNewcomer) {
    for (int i = 0; i < 10; i++) SetItem(20 * i, 50, i % 4);
    SetItem(300, 60, 1);                // the 11th is lost
    EXPECT_EQ(ActiveItems(), 10);
    for (const ItemRecord& it : Item) EXPECT_NE(it.x, 300);
    Item[4].active = 0;
    SetItem(300, 60, 1);                // the first free entry
    EXPECT_EQ(Item[4].x, 300);

    for (int i = 0; i < 11; i++) SetItemLabel(i % 4);
    EXPECT_EQ(ActiveLabels(), 10);
    EXPECT_EQ(ItemLabel[9].kind, 1);
}

TEST_F(CombatItems, LabelRisesWithTheCraftAndFades) {
    // Label picture of a life, first of the pair (32 wide at (192, 96)).
    for (int y = 96; y < 104; y++)
        for (int x = 192; x < 256; x++) Slot[1]->pixels[static_cast<size_t>(y) * 800 + x] = 0xFFFF;
    SetItemLabel(2);
    for (int f = 0; f < 31; f++) {
        EXPECT_EQ(ItemLabel[0].active, 1);
        FillSurface(WorkSurface, 0);
        GameState.playerX = 100 + f;    // the craft moves: the label follows
        PutItemLabel();
        if (f < 16) {                   // bright enough to see; life 31 - f, f pixels up
            int row = 100 - f;
            EXPECT_NE(WorkSurface->pixels[static_cast<size_t>(row) * 320 + 100 + f - 16], 0) << f;
            EXPECT_EQ(WorkSurface->pixels[static_cast<size_t>(row) * 320 + 100 + f - 17], 0) << f;
            EXPECT_EQ(WorkSurface->pixels[static_cast<size_t>(row - 1) * 320 + 100 + f - 16], 0) << f;
        }
    }
    EXPECT_EQ(ItemLabel[0].active, 0);
}
