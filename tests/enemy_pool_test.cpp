// The enemy pool: spawning into it, reuse, flashes, technique damage, boss forms.
#include "enemy_fixture.h"

using EnemyPool = EnemyTestBase;

TEST_F(EnemyPool, HundredFirstSpawnIsDroppedAndFreedEntryIsReused) {
    for (int i = 0; i < 100; i++) SetTeki(i, 0, 11, 0, 0, 8, 8, 1, 0, 0);
    SetTeki(999, 999, 12, 0, 0, 8, 8, 1, 0, 0);
    for (int i = 0; i < 100; i++) EXPECT_EQ(Teki[i].x, i);
    Teki[42].active = 0;
    SetTeki(7, 8, 13, 0, 0, 8, 8, 1, 0, 0);
    EXPECT_EQ(Teki[42].type, 13);
}

TEST_F(EnemyPool, SetTekiResetsStateButKeepsBoxEdges) {
    TekiRecord& t = Teki[0];
    t.box[0] = {4, -5, 5, -6, 6};
    t.box[1].kind = 3;
    t.work[9] = 7;
    t.chain[3] = 2;
    t.blend = 40;
    t.flash = 1;
    t.wazaHit = 1;
    t.frame = 3;
    SetTeki(10, 20, 30, 40, 48, 16, 24, 5, 300, 2);
    EXPECT_EQ(t.active, 1);
    EXPECT_EQ(t.sheetY, 48);
    EXPECT_EQ(t.score, 300);
    EXPECT_EQ(t.meter, 2);
    EXPECT_EQ(t.work[9], 0);
    EXPECT_EQ(t.chain[3], 0);
    EXPECT_EQ(t.blend, 0);
    EXPECT_EQ(t.flash, 0);
    EXPECT_EQ(t.wazaHit, 0);
    EXPECT_EQ(t.frame, 0);
    EXPECT_EQ(t.box[0].kind, 0);
    EXPECT_EQ(t.box[0].left, -5);  // edges survive; behaviours write them before use
    EXPECT_EQ(t.box[1].kind, 3);
}

TEST_F(EnemyPool, FlashLastsOneDrawEvenWhenHidden) {
    TekiRecord& a = Spawn(99, 100, 100);
    TekiRecord& b = Spawn(99, 150, 100);
    a.flash = 1;
    b.flash = 1;
    b.active = 2;
    PutTeki();
    EXPECT_EQ(a.flash, 0);
    EXPECT_EQ(b.flash, 0);
    EXPECT_EQ(b.active, 2);
}

TEST_F(EnemyPool, TechniqueHurtsEachEnemyOncePerTechnique) {
    TekiRecord& a = Spawn(11, 100, 100, 16, 16, 120);
    TekiRecord& immune = Spawn(11, 120, 100, 16, 16, 120);
    immune.box[0].kind = 1;
    TekiRecord& boxed = Spawn(11, 140, 100, 16, 16, 120);
    boxed.box[0].kind = 4;
    TekiRecord& hidden = Spawn(11, 160, 100, 16, 16, 120);
    hidden.active = 2;
    AllTekiDamege(50);
    AllTekiDamege(50);
    EXPECT_EQ(a.hp, 70);
    EXPECT_EQ(a.flash, 1);
    EXPECT_EQ(immune.hp, 120);
    EXPECT_EQ(boxed.hp, 70);
    EXPECT_EQ(hidden.hp, 120);
    // An enemy arriving mid-technique is hurt once too.
    TekiRecord& late = Spawn(11, 180, 100, 16, 16, 120);
    AllTekiDamege(50);
    EXPECT_EQ(late.hp, 70);
    EXPECT_EQ(a.hp, 70);
    AllTekiHukkatu();
    AllTekiDamege(50);
    EXPECT_EQ(a.hp, 20);
    EXPECT_EQ(late.hp, 20);
}

TEST_F(EnemyPool, TechniqueKillsExplodeWithoutScore) {
    TekiRecord& a = Spawn(11, 100, 90, 16, 16, 50);
    AllTekiDamege(50);
    EXPECT_EQ(a.active, 0);
    EXPECT_EQ(GameState.score, 0);
    EXPECT_EQ(GameState.mater, 0);
    EXPECT_EQ(Explosion[0].frame, 0);
    EXPECT_EQ(Explosion[0].x, 100);
    EXPECT_EQ(Explosion[0].y, 90);
    EXPECT_EQ(Explosion[0].size, 0);
    EXPECT_EQ(bossDown, 0);
}

TEST_F(EnemyPool, FirstFormBecomesSecondFormAndBossTypesEndTheFight) {
    SetTeki(200, 120, 17, 160, 128, 96, 96, 10, 5000, 0);
    GameSrand(5);
    int r1 = GameRand(), r2 = GameRand();
    GameSrand(5);
    AllTekiDamege(50);
    const TekiRecord& second = Teki[0];  // the freed entry is taken again
    EXPECT_EQ(second.type, 10);
    EXPECT_EQ(second.x, 200);
    EXPECT_EQ(second.y, 120);
    EXPECT_EQ(second.w, 64);
    EXPECT_EQ(second.h, 48);
    EXPECT_EQ(second.sheetX, 96);
    EXPECT_EQ(second.sheetY, 416);
    EXPECT_EQ(second.hp, 300);
    EXPECT_EQ(second.score, 1000);
    EXPECT_EQ(second.meter, 0);
    // Two scattered blasts (y offset drawn first), then one at the centre.
    EXPECT_EQ(Explosion[0].y, 120 + r1 % 100 - 50);
    EXPECT_EQ(Explosion[0].x, 200 + r2 % 100 - 50);
    EXPECT_EQ(Explosion[2].x, 200);
    EXPECT_EQ(Explosion[3].frame, -1);
    EXPECT_EQ(bossDown, 0);

    AllTekiHukkatu();
    Teki[0].hp = 10;
    AllTekiDamege(50);
    EXPECT_EQ(bossDown, 1);
    EXPECT_EQ(Explosion[3].frame, -1);  // a boss leaves the blast to the defeat sequence
    for (int b : {10, 27, 37, 49}) EXPECT_TRUE(IsBossType(b));
    EXPECT_FALSE(IsBossType(17));
}
