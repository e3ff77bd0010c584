// The last boss: its three phases and the lulls between them.
#include "boss_fixture.h"

// The last boss: glides in, fights, and at two thirds and one third of its
// hit points bursts every bullet in flight and is out of reach for a lull.
TEST_F(BossTestBase, LastBossChangesPhaseAtEachThirdWithALullOutOfReach) {
    GameState.playerX = 60;
    GameState.playerY = 120;
    TekiRecord& b = Spawn(57, 428, 120, 216, 96, 300);
    Run(1);
    EXPECT_EQ(itemDrop, 0);
    EXPECT_TRUE(IsBossType(57));
    Run(195);
    EXPECT_EQ(b.x, 232);
    EXPECT_EQ(CountTama(), 0);  // no attack while it glides in
    Run(500);
    EXPECT_GT(CountTama(), 0);
    EXPECT_EQ(b.box[0].kind, 3);
    for (int hp : {200, 100}) {
        b.hp = hp;
        Run(1);
        EXPECT_EQ(CountTama(), 0) << hp;
        EXPECT_EQ(b.box[0].kind, 1) << hp;
        Run(90);
        EXPECT_EQ(b.box[0].kind, 3) << hp;
        Run(400);
        EXPECT_GT(CountTama(), 0) << hp;
    }
    EXPECT_EQ(b.work[2], 3);
}
