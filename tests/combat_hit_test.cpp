// Hits: shots on enemies (modes, scores, items, boss forms) and enemies and bullets on the craft.
#include <gtest/gtest.h>

#include "combat_fixture.h"

using namespace combat_test;

namespace {

class CombatShots : public CombatTest {};
class CombatCraft : public CombatTest {};

// The first seed from `from` on whose first draw the item roll comes out as
// asked (a drop when rand() % 20 is 0).
uint32_t SeedFor(bool drop, uint32_t from = 1) {
    for (uint32_t s = from;; s++) {
        GameSrand(s);
        if ((GameRand() % 20 == 0) == drop) return s;
    }
}

}  // namespace

TEST_F(CombatShots, OverlapIncludesTheFirstEdgeOnly) {
    HitRect a{0, 10, 0, 10};
    EXPECT_TRUE(Overlap(a, HitRect{10, 20, 0, 10}));    // right edge on left edge
    EXPECT_FALSE(Overlap(HitRect{10, 20, 0, 10}, a));   // left edge on right edge
    EXPECT_TRUE(Overlap(a, HitRect{0, 10, 10, 20}));
    EXPECT_FALSE(Overlap(HitRect{0, 10, 10, 20}, a));

    // A 16 x 16 shot at x = 100 ends at 108; the 32-wide enemy at 125 starts at 109.
    int e = Enemy(125, 50);
    ShotAt(100, 50);
    Atari();
    EXPECT_EQ(Teki[e].hp, 10);
    ResetPlayerWork();
    int s = ShotAt(101, 50);
    Atari();
    EXPECT_EQ(Teki[e].hp, 9);
    EXPECT_EQ(Shot[s].active, 0);
    EXPECT_EQ(Teki[e].flash, 1);
    EXPECT_EQ(Spark[0].active, 1);  // at the shot's centre
    EXPECT_EQ(Spark[0].x, 101);
}

TEST_F(CombatShots, HitModesAndHiddenEnemies) {
    // mode 1 and hidden enemies: untouchable
    int immune = Enemy(100, 50);
    Teki[immune].box[0].kind = 1;
    int hidden = Enemy(100, 50);
    Teki[hidden].active = 2;
    ShotAt(100, 50, 16, 16, 3);
    Atari();
    EXPECT_EQ(Teki[immune].hp, 10);
    EXPECT_EQ(Teki[hidden].hp, 10);

    // mode 2: the whole sprite takes shots
    ResetPlayerWork();
    Teki[immune].active = 0;
    Teki[hidden].active = 0;
    int m2 = Enemy(100, 50);
    Teki[m2].box[0] = {2, 100, 110, 100, 110};  // far away: not used for shots
    ShotAt(85, 50);
    Atari();
    EXPECT_EQ(Teki[m2].hp, 9);

    // mode 3 and up: only boxes of kind exactly 3, the first overlap counts once
    ResetPlayerWork();
    Teki[m2].active = 0;
    int m4 = Enemy(100, 50);
    TekiRecord& t = Teki[m4];
    t.box[0] = {4, -40, -30, -5, 5};   // kind 4: no shots
    t.box[1] = {3, 0, 10, -5, 5};
    t.box[2] = {3, 0, 10, -5, 5};      // the same place: still one hit
    ShotAt(70, 50, 16, 16, 3);         // over box 0 only
    Atari();
    EXPECT_EQ(t.hp, 10);
    ResetPlayerWork();
    ShotAt(105, 50, 16, 16, 3);
    Atari();
    EXPECT_EQ(t.hp, 9);
    ResetPlayerWork();
    ShotAt(110 + 8, 50);               // shot left edge on the box's right edge
    Atari();
    EXPECT_EQ(t.hp, 9);
}

TEST_F(CombatShots, StraightShotDamagesEveryEnemyItOverlapsThenGoes) {
    int a = Enemy(100, 50), b = Enemy(110, 50), c = Enemy(300, 50);
    int s = ShotAt(105, 50, 16, 16, 0, 2);
    int p = ShotAt(100, 50, 16, 16, 3, 3);   // piercing: stays
    Atari();
    EXPECT_EQ(Shot[s].active, 0);
    EXPECT_EQ(Shot[p].active, 1);
    EXPECT_EQ(Teki[a].hp, 10 - 2 - 3);
    EXPECT_EQ(Teki[b].hp, 10 - 2 - 3);
    EXPECT_EQ(Teki[c].hp, 10);
    Atari();                                // the piercing shot hits again next frame
    EXPECT_EQ(Teki[a].hp, 2);
    EXPECT_EQ(Teki[b].hp, 2);
}

TEST_F(CombatShots, KillScoresAndRollsForAnItem) {
    uint32_t seed = SeedFor(true);
    GameSrand(seed);
    GameRand();
    int kind = GameRand() % 4;
    int after = GameRand();

    GameState.score = 1000;
    GameState.mater = 50;
    int e = Enemy(100, 50, 32, 32, 1);
    GameSrand(seed);
    ShotAt(100, 50);
    Atari();
    EXPECT_EQ(Teki[e].active, 0);
    EXPECT_EQ(GameState.score, 1100);
    EXPECT_EQ(GameState.mater, 57);
    EXPECT_EQ(ActiveExplosions(), 1);
    EXPECT_EQ(sounds, std::vector<std::string>{"se 2"});
    EXPECT_EQ(Item[0].active, 1);
    EXPECT_EQ(Item[0].kind, kind);
    EXPECT_EQ(Item[0].x, 100);
    EXPECT_EQ(Item[0].y, 50);
    EXPECT_EQ(GameRand(), after);  // two draws

    // With drops off the roll is still drawn, and nothing falls.
    itemDrop = 0;
    Enemy(100, 50, 32, 32, 1);
    GameSrand(seed);
    ResetPlayerWork();
    ShotAt(100, 50);
    Atari();
    EXPECT_EQ(ActiveItems(), 1);
    int next = GameRand();
    GameSrand(seed);
    GameRand();
    EXPECT_EQ(GameRand(), next);  // one draw
}

TEST_F(CombatShots, BossKillAddsNoScoreButMayDropAnItem) {
    uint32_t seed = SeedFor(true);
    int boss = Enemy(100, 50, 64, 48, 2, 27);
    GameState.score = 500;
    GameState.mater = 50;
    GameSrand(seed);
    ShotAt(100, 50, 16, 16, 0, 5);
    Atari();
    EXPECT_EQ(Teki[boss].active, 0);
    EXPECT_EQ(bossDown, 1);
    EXPECT_EQ(GameState.score, 500);
    EXPECT_EQ(GameState.mater, 50);
    EXPECT_EQ(ActiveExplosions(), 0);
    EXPECT_TRUE(sounds.empty());
    EXPECT_EQ(ActiveItems(), 1);
}

TEST_F(CombatShots, FirstFormOfTheSecondBossBreaksIntoTheSecondForm) {
    const uint32_t seed = 3;
    int first = Enemy(150, 80, 64, 64, 1, 17);
    Teki[first].score = 2000;
    GameSrand(seed);
    ShotAt(150, 80);
    Atari();
    // The new form takes the freed entry; the destroyed form's score counts.
    EXPECT_EQ(Teki[first].active, 1);
    EXPECT_EQ(Teki[first].type, 10);
    EXPECT_EQ(Teki[first].hp, 300);
    EXPECT_EQ(GameState.score, 2000);
    EXPECT_EQ(ActiveExplosions(), 3);
    EXPECT_EQ(bossDown, 0);
    // Offsets: y drawn before x, for each of the two small explosions.
    GameSrand(seed);
    int oy = GameRand() % 100 - 50, ox = GameRand() % 100 - 50;
    EXPECT_EQ(Explosion[0].x, 150 + ox);
    EXPECT_EQ(Explosion[0].y, 80 + oy);
    EXPECT_EQ(Explosion[2].x, 150);
}

TEST_F(CombatCraft, BarrierThenLifeWithShotLevelAndOptions) {
    GameState.barrier = 1;
    GameState.shotLv = 2;
    GameState.option = 0;
    int b = Bullet(102, 103);
    AtariPlayer();
    EXPECT_EQ(GameState.barrier, 0);
    EXPECT_EQ(invincible, 128);
    EXPECT_EQ(GameState.lives, 5);
    EXPECT_EQ(Tama[b].active, 1);  // the bullet flies on
    AtariPlayer();                 // invincible: nothing
    EXPECT_EQ(GameState.lives, 5);

    invincible = 0;
    AtariPlayer();
    EXPECT_EQ(GameState.lives, 4);
    EXPECT_EQ(GameState.shotLv, 1);
    EXPECT_EQ(GameState.option, 0);
    EXPECT_EQ(dying, 1);

    // lives 0 goes to -1; one hit per frame even with two contacts
    GameState.lives = 0;
    GameState.option = 3;
    Bullet(98, 97);
    Enemy(100, 100, 16, 16);
    AtariPlayer();
    EXPECT_EQ(GameState.lives, -1);
    EXPECT_EQ(GameState.option, 2);

    // before the entry has begun nothing hurts
    GameState.lives = 3;
    entryOn = 0;
    AtariPlayer();
    EXPECT_EQ(GameState.lives, 3);
}

TEST_F(CombatCraft, EnemyContactByHitMode) {
    // The craft box is 96..104; an odd-sized sprite is one pixel narrower
    // for the craft than for shots.
    int e = Enemy(88, 100, 17, 17);      // right edge 96: no contact
    AtariPlayer();
    EXPECT_EQ(GameState.lives, 5);
    Teki[e].x = 89;                       // right edge 97
    AtariPlayer();
    EXPECT_EQ(GameState.lives, 4);

    // mode 1 and hidden enemies are harmless; mode 2 hurts only by its boxes
    GameState.lives = 5;
    Teki[e].box[0].kind = 1;
    AtariPlayer();
    Teki[e].box[0].kind = 0;
    Teki[e].active = 2;
    AtariPlayer();
    EXPECT_EQ(GameState.lives, 5);
    Teki[e].active = 1;
    Teki[e].x = 100;
    Teki[e].box[0] = {2, 30, 40, 0, 5};
    Teki[e].box[1] = {1, -5, 5, -5, 5};   // over the craft, but kind 1
    AtariPlayer();
    EXPECT_EQ(GameState.lives, 5);
    Teki[e].box[2] = {3, -30, -4, -5, 5};  // right edge 96 on the craft's left edge
    AtariPlayer();
    EXPECT_EQ(GameState.lives, 4);
}

TEST_F(CombatCraft, TechniqueMakesTheCraftUntouchable) {
    wazaOn2 = 1;
    Bullet(100, 100);
    Enemy(100, 100);
    SetItem(100, 100, 2);
    AtariPlayer();
    EXPECT_EQ(GameState.lives, 5);
    EXPECT_EQ(Item[0].active, 1);
    EXPECT_EQ(dying, 0);
}
