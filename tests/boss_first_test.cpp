// The first bosses' behaviour: entries, attack patterns, forms, music.
#include "boss_fixture.h"

// ---- two-form boss

TEST_F(BossTestBase, BossTwoFormEntryStopsDropsAndStartsBossMusic) {
    TekiRecord& b = Spawn(17, 368, 124, 96, 96, 360);
    Run(1);
    EXPECT_EQ(itemDrop, 0);
    EXPECT_TRUE(MusicOpened("boss1.mid"));
    EXPECT_EQ(b.box[0].kind, 3);
    Run(200);
    EXPECT_EQ(b.x, 368 - 95);  // glided in and stopped (no lunge runs at this moment, or it returned)
}

TEST_F(BossTestBase, BossTwoFormKilledMidLungeLeavesSecondFormThereDriftingBack) {
    TekiRecord& b = Spawn(17, 273, 120, 96, 96, 360);
    b.work[3] = 95;  // already in place
    Run(1);
    b.work[5] = 2;  // lunge
    b.work[6] = 0;
    Run(30);
    EXPECT_EQ(b.sheetY, 320);
    EXPECT_EQ(b.box[1].kind, 3);  // the arm can be shot
    const int lx = b.x, ly = b.y;
    EXPECT_LT(lx, 273 - 100);
    AllTekiDamege(1000);
    TekiRecord* s = Find(10);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->x, lx);
    EXPECT_EQ(s->y, ly);
    EXPECT_EQ(s->hp, 300);
    EXPECT_EQ(s->sheetX, 96);
    EXPECT_EQ(s->w, 64);
    EXPECT_EQ(bossDown, 0);
    // Keep the second form on its ring attack so only the drift moves it.
    int prev = s->x;
    for (int i = 0; i < 200; i++) {
        MoveTeki();
        if (s->work[5] == 2) s->work[5] = 1;
        EXPECT_EQ(s->x, std::min(prev + 1, 240)) << "frame " << i;
        prev = s->x;
    }
    EXPECT_EQ(s->x, 240);
}

TEST_F(BossTestBase, BossTwoFormAttacksEndBackOnTheIdleRow) {
    TekiRecord& b = Spawn(17, 273, 120, 96, 96, 360);
    b.work[3] = 95;
    int bouncers = 0, seen[4] = {0, 0, 0, 0};
    for (int i = 0; i < 3000; i++) {
        int before = CountTeki(16);
        MoveTeki();
        bouncers += CountTeki(16) - before > 0 ? CountTeki(16) - before : 0;
        seen[b.work[5]] = 1;
        if (b.work[5] == 0) {
            EXPECT_EQ(b.sheetY, 128);
        }
        for (TekiRecord& t : Teki)  // bouncers leave at the left; keep the pool clear of them
            if (t.type == 16 && t.x < 0) t.active = 0;
    }
    EXPECT_TRUE(seen[1] && seen[2] && seen[3]);
    EXPECT_EQ(bouncers % 5, 0);
    EXPECT_GT(bouncers, 0);
    EXPECT_EQ(b.x, 273);  // every lunge returns to where it began
}

TEST_F(BossTestBase, BossSecondFormJoinsItsBobAtItsOwnHeight) {
    for (int y : {70, 100, 128, 150, 185}) {
        SetUp();
        TekiRecord& s = Spawn(10, 200, y, 64, 48, 300);
        Run(1);
        EXPECT_LE(std::abs(s.y - y), 10) << "from y = " << y;
    }
    // Outside the bob's range no phase matches: it starts at phase 0 and jumps.
    SetUp();
    TekiRecord& s = Spawn(10, 200, 20, 64, 48, 300);
    Run(1);
    EXPECT_EQ(s.work[2], 3);
    EXPECT_EQ(s.y, 120 + (GetSin(3) >> 1));
}

// ---- walled boss

TEST_F(BossTestBase, BossWallCoreVolleysOnlyForPatternsTwoAndFive) {
    for (int pattern : {0, 1, 2, 3, 4, 5}) {
        SetUp();
        wallPattern = pattern;
        Spawn(27, 277, 102, 32, 64, 400);
        Run(100);  // still hidden: the volleys use the pattern drawn before
        bool fires = pattern == 2 || pattern == 5;
        EXPECT_EQ(CountTama(), fires ? 5 + 4 + 5 + 4 + 4 : 0) << "pattern " << pattern;
    }
}

TEST_F(BossTestBase, BossWallRevealReleasesTheDrawnWallAndTheBodyFlashesWithTheCore) {
    TekiRecord& body = Spawn(26, 400, 120, 160, 240, 65535);
    Run(76);  // 520 down to 220 at 4 a frame, then the core
    EXPECT_EQ(body.x, 220);
    EXPECT_EQ(itemDrop, 0);
    TekiRecord* core = Find(27);
    ASSERT_NE(core, nullptr);
    EXPECT_EQ(core->hp, 400);
    for (int i = 0; i < 4; i++) {  // four reveals
        while (core->work[0] != 101) MoveTeki();
        EXPECT_EQ(core->active, 2);
        int rocks = CountTeki(28), spikes = CountTeki(29);
        MoveTeki();
        EXPECT_EQ(core->active, 1);
        int p = wallPattern;
        EXPECT_EQ(CountTeki(28) - rocks, (p == 0 || p == 3) ? 5 : 0);
        EXPECT_EQ(CountTeki(29) - spikes, (p == 1 || p == 4) ? 5 : 0);
    }
    core->flash = 1;
    MoveTeki();
    EXPECT_EQ(body.flash, 1);
    EXPECT_EQ(body.box[0].kind, 1);
}

TEST_F(BossTestBase, BossRockFallsThreeHundredTwentyAndSpikeRisesAndSinks) {
    TekiRecord& r = Spawn(28, 32, 0, 24, 24, 3);
    int last = 0, frames = 0;
    while (r.active) {
        last = r.y;
        MoveTeki();
        frames++;
    }
    EXPECT_GE(last, 250);
    EXPECT_LE(frames, 90);
    TekiRecord& s = Spawn(29, 32, 320, 16, 96, 65535);
    int top = 320;
    frames = 0;
    while (s.active) {
        MoveTeki();
        top = std::min(top, s.y);
        frames++;
    }
    EXPECT_EQ(top, 320 - 126);
    EXPECT_EQ(frames, 180);
}

// ---- circling boss

TEST_F(BossTestBase, BossCirclingNeverOverlapsAttacksAndLasersFreezeIt) {
    TekiRecord& b = Spawn(37, 384, 120, 128, 128, 5000);
    int prevAttack = 0, frozen = 0, lasers = 0;
    for (int i = 0; i < 4000; i++) {
        int px = b.x, py = b.y, counter = b.work[6];
        MoveTeki();
        if (b.work[1] != prevAttack && b.work[1] != 0) {
            EXPECT_EQ(prevAttack, 0) << "frame " << i;
            EXPECT_EQ(counter, 0) << "frame " << i;
        }
        if (prevAttack == 3) {  // every frame of the laser attack
            EXPECT_EQ(b.x, px);
            EXPECT_EQ(b.y, py);
            frozen++;
        }
        if (b.work[1] == 3 && b.work[6] == 21) {
            lasers++;
            EXPECT_EQ(CountTeki(9), 4);
            EXPECT_EQ(CountTeki(39), 1);
        }
        prevAttack = b.work[1];
    }
    EXPECT_GT(lasers, 0);
    EXPECT_GT(frozen, (lasers - 1) * 150);
    EXPECT_LE(frozen, lasers * 150);
}

TEST_F(BossTestBase, BossCirclingBeamAndPillarOutliveTheBossWhereTheyWere) {
    TekiRecord& b = Spawn(37, 384, 120, 128, 128, 5000);
    Run(200);
    b.work[1] = 2;  // mouth beam
    b.work[6] = 0;
    Run(60);
    TekiRecord* beam = Find(38);
    ASSERT_NE(beam, nullptr);
    EXPECT_EQ(beam->box[0].kind, 4);
    EXPECT_EQ(beam->w, 320);  // firing by now
    b.active = 0;  // the boss dies; its entry still holds its last place
    const int bx = beam->x, by = beam->y;
    int life = 0;
    while (beam->active) {
        MoveTeki();
        if (beam->active) {
            EXPECT_EQ(beam->x, bx);
            EXPECT_EQ(beam->y, by);
        }
        life++;
    }
    EXPECT_GT(life, 50);
    // The pillar stands over x = 160..280 whatever the boss does.
    SetUp();
    TekiRecord& c = Spawn(37, 384, 120, 128, 128, 5000);
    Run(10);
    c.work[1] = 3;
    c.work[6] = 0;
    Run(60);
    TekiRecord* pillar = Find(39);
    ASSERT_NE(pillar, nullptr);
    c.active = 0;
    Run(10);
    EXPECT_EQ(pillar->x, 220);
    EXPECT_EQ(pillar->y, 120);
    EXPECT_EQ(pillar->box[1].kind, 2);
    EXPECT_EQ(pillar->box[1].left, -60);
    EXPECT_EQ(CountTeki(9), 4);
    for (TekiRecord& t : Teki) {
        if (t.type == 9 && t.active != 0) {
            EXPECT_EQ(t.active, 1);  // shown by now
        }
    }
}
