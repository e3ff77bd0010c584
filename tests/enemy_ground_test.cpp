// Ground enemy types: cannons, traps, columns, turrets, hatches and scenery pieces.
#include "boss_fixture.h"

using EnemyGround = EnemyTestBase;

TEST_F(EnemyGround, BeamCannonDropsThenFiresEveryNinetyOneFrames) {
    TekiRecord& t = Spawn(14, 300, -100, 32, 32);
    Run(41);
    EXPECT_EQ(t.y, 105);
    EXPECT_EQ(t.x, 300 - 20);  // half a pixel per frame
    EXPECT_EQ(t.chainDir, 1);
    EXPECT_EQ(t.chain[4], 5);
    EXPECT_EQ(t.chain[5], 0);
    Run(79);
    EXPECT_EQ(CountTama(), 0);
    Run(1);
    ASSERT_EQ(CountTama(), 1);
    EXPECT_EQ(Tama[0].x, t.x - 60);
    EXPECT_EQ(Tama[0].w, 128);
    EXPECT_EQ(Tama[0].speed, 4);
    EXPECT_EQ(t.frame, 3);
    Run(90);
    EXPECT_EQ(CountTama(), 1);
    Run(1);
    EXPECT_EQ(CountTama(), 2);
}

TEST_F(EnemyGround, CannonTrapAndBigBallTurretSoundOnChannelTwo) {
    // Only the type's own file is there, so a sound on channel 2 is that file.
    struct Case {
        int type;
        const char* file;
        std::vector<int> frames;
    } cases[] = {{14, "se\\se-21.wav", {106, 197}}, {15, "se\\se-20.wav", {1}}, {23, "se\\se-3.wav", {90, 260}}};
    for (const Case& c : cases) {
        EnemyTestBase::SetUp();
        SoundListener ear({c.file});
        ASSERT_TRUE(ear.ok());
        GameState.playerX = 300;  // the trap opens at once
        Spawn(c.type, 300, 40, 24, 24);
        std::vector<int> heard;
        for (int f = 1; f <= 270; f++) {
            Run(1);
            if (ear.Started(2)) heard.push_back(f);
        }
        EXPECT_EQ(heard, c.frames) << "type " << c.type;
    }
}

TEST_F(EnemyGround, ChainTrapOpensOnlyNearThePlayerAndLowersItsChain) {
    TekiRecord& t = Spawn(15, 300, 40, 24, 24);
    GameState.playerX = 100;
    Run(100);  // x 250: more than 64 away all along
    EXPECT_EQ(t.work[1], 0);
    EXPECT_EQ(t.box[0].kind, 0);
    GameState.playerX = 250 - 64;
    Run(1);
    EXPECT_EQ(t.work[1], 1);
    Run(31);
    EXPECT_EQ(t.box[0].kind, 2);
    EXPECT_EQ(t.box[0].bottom, 48);
    EXPECT_EQ(t.chain[0], 6);
    int bottoms = 48, frames = 0;
    while (t.box[0].bottom < 264 && frames < 100) {
        Run(1);
        frames++;
        if (t.box[0].bottom != bottoms) {
            EXPECT_EQ(t.box[0].bottom, bottoms + 24);
            bottoms = t.box[0].bottom;
        }
    }
    EXPECT_EQ(frames, 45);
    Run(20);
    EXPECT_EQ(t.box[0].bottom, 264);
    for (int k = 0; k < 9; k++) EXPECT_EQ(t.chain[k], 5);
    EXPECT_EQ(t.chain[9], 6);
}

TEST_F(EnemyGround, BouncerHopsHalveInHeight) {
    TekiRecord& t = Spawn(16, 1000, 200);
    int top1 = 999, top2 = 999;
    for (int i = 0; i < 181; i++) {
        Run(1);
        (i < 91 ? top1 : top2) = std::min(i < 91 ? top1 : top2, t.y);
    }
    EXPECT_EQ(top1, 200 - 126);
    EXPECT_EQ(top2, 200 - 63);
    EXPECT_EQ(t.x, 1000 - 362);
    // After 32 hops the halving would shift by the word's width: it stays flat.
    TekiRecord& far = Spawn(16, 100000, 200);
    Run(1 + 33 * 90);
    EXPECT_EQ(far.work[4], 33);
    EXPECT_EQ(far.y, 200);
}

TEST_F(EnemyGround, SwingingColumnDescendsRisesSinksAndLeavesAtTheTop) {
    TekiRecord& t = Spawn(22, 2000, 0);
    Run(161);
    EXPECT_EQ(t.y, 161);
    Run(51);
    EXPECT_EQ(t.y, 110);
    Run(51);
    EXPECT_EQ(t.y, 161);
    EXPECT_EQ(t.chain[9], 3);
    while (t.active) Run(1);
    EXPECT_EQ(t.y, -16);
}

TEST_F(EnemyGround, TurretsFireTheirPatternsOnTheirFrames) {
    TekiRecord& big = Spawn(23, 300, 200);
    Run(89);
    EXPECT_EQ(CountTama(), 0);
    EXPECT_EQ(big.frame, 2);
    Run(1);
    ASSERT_EQ(CountTama(), 5);
    EXPECT_EQ(Tama[0].y, 190);
    EXPECT_EQ(Tama[0].sheetX, 0);
    EXPECT_EQ(Tama[1].sheetX, 24);
    EXPECT_EQ(Tama[2].sheetX, 24);
    EXPECT_EQ(Tama[2].sx, 1);
    EXPECT_EQ(Tama[4].sheetX, 72);
    EXPECT_EQ(Tama[4].w, 24);

    EnemyTestBase::SetUp();
    Spawn(24, 300, 200);
    Run(74);
    EXPECT_EQ(CountTama(), 0);
    Run(1);
    EXPECT_EQ(CountTama(), 5);
    Run(90);
    EXPECT_EQ(CountTama(), 10);

    EnemyTestBase::SetUp();
    TekiRecord& three = Spawn(35, 300, 200);
    Run(61);
    ASSERT_EQ(CountTama(), 3);
    EXPECT_EQ(three.frame, 1);
    EXPECT_EQ(Tama[2].ady, 320);

    EnemyTestBase::SetUp();
    Spawn(42, 300, 200);
    Run(41);
    ASSERT_EQ(CountTama(), 5);
    EXPECT_EQ(Tama[0].y, 190);
    Run(80);
    EXPECT_EQ(CountTama(), 10);
}

TEST_F(EnemyGround, HatchReleasesTwoColumnsOnceThatMoveInTheSamePass) {
    Spawn(32, 300, 200, 64, 32);
    Run(24);
    EXPECT_EQ(CountTeki(), 1);
    Run(1);
    ASSERT_EQ(CountTeki(), 3);
    EXPECT_EQ(Teki[1].type, 36);
    EXPECT_EQ(Teki[2].x - Teki[1].x, 96);
    EXPECT_EQ(Teki[1].x, 300 - 24 - 48 - 1);  // already moved in the pass that made it
    EXPECT_EQ(Teki[1].hp, 65535);
    EXPECT_EQ(Teki[1].sheetY, 224);
    Run(200);
    EXPECT_EQ(CountTeki(), 3);
}

TEST_F(EnemyGround, GrowingColumnHurtsAlongItsHeightAndEmptiesAtTheEnd) {
    TekiRecord& t = Spawn(36, 3000, 200, 32, 32);
    Run(8);
    EXPECT_EQ(t.box[0].kind, 2);
    EXPECT_EQ(t.box[0].top, -32);
    EXPECT_EQ(t.chain[0], 3);
    EXPECT_EQ(t.chain[1], 1);  // the tip flickers between frames 0 and 1
    Run(8);
    EXPECT_EQ(t.chain[2], 2);
    Run(56);
    EXPECT_EQ(t.box[0].top, -32 * 9);
    EXPECT_EQ(t.chain[8], 3);
    Run(80);
    EXPECT_EQ(t.box[0].top, 32);  // height -1: top below bottom, hurts nothing
    for (int c : t.chain) EXPECT_EQ(c, 0);
    Run(8);
    EXPECT_EQ(t.box[0].top, 0);
    EXPECT_GT(t.chain[0], 0);
}

TEST_F(EnemyGround, RisingColumnMovesThreePixelsInFour) {
    TekiRecord& t = Spawn(41, 300, 0);
    Run(36);
    EXPECT_EQ(t.y, 216);
    EXPECT_EQ(t.chain[9], 2);
    Run(4);
    EXPECT_EQ(t.y, 208);
    EXPECT_EQ(t.x, 300 - 30);
}

TEST_F(EnemyGround, SlantTurretBurstsTwentyDartsAfterAHundredFrames) {
    GameState.playerX = 0;
    TekiRecord& t = Spawn(54, 300, 100);
    Run(100);
    EXPECT_EQ(CountTama(), 0);
    Run(1);
    EXPECT_EQ(t.frame, 1);
    EXPECT_EQ(Tama[0].sx, -1);
    EXPECT_EQ(Tama[0].sheetY, 96);
    Run(19);
    EXPECT_EQ(CountTama(), 20);
    EXPECT_EQ(t.frame, 0);
    GameState.playerX = 2000;
    Run(99);  // 99 quiet frames
    EXPECT_EQ(CountTama(), 20);
    Run(1);
    EXPECT_EQ(t.frame, 2);
    EXPECT_EQ(Tama[20].sx, 1);
}

TEST_F(EnemyGround, PopUpGunnerFiresThenHidesForForty) {
    GameState.playerX = 0;
    GameState.playerY = 0;
    TekiRecord& t = Spawn(55, 300, 100);
    Run(56);
    EXPECT_EQ(CountTama(), 1);
    Run(64);
    EXPECT_EQ(t.active, 1);
    Run(1);
    EXPECT_EQ(t.active, 2);
    AllTekiDamege(50);  // hidden: out of reach
    EXPECT_EQ(t.hp, 10);
    Run(39);
    EXPECT_EQ(t.active, 1);
}

TEST_F(EnemyGround, SceneryPieces) {
    TekiRecord& slow = Spawn(44, 10, 100);
    TekiRecord& still = Spawn(45, 10, 100);
    TekiRecord& glow = Spawn(46, 0, 100);
    TekiRecord& plain = Spawn(52, 0, 100);
    Run(40);
    EXPECT_EQ(slow.x, -20);
    EXPECT_EQ(still.active, 1);  // stands still, so never leaves, in stage 1
    EXPECT_EQ(still.x, 10);
    EXPECT_EQ(glow.blend, 33);
    EXPECT_EQ(glow.active, 1);   // never freed by itself
    EXPECT_EQ(glow.x, -40);
    EXPECT_EQ(plain.active, 0);
    stageNo = 5;
    Run(34);
    EXPECT_EQ(still.active, 1);
    Run(1);
    EXPECT_EQ(still.active, 0);
}
