// Stage 1's generated waves, played through the timeline and the behaviours
// with the player parked: what arrives, how crowded it gets.
#include <filesystem>
#include <set>
#include <string>

#include "enemy_fixture.h"
#include "stage/stage.h"

namespace {
const std::string kMen1 = std::string(PELLO_TEST_DATA_DIR) + "/men1.dat";
}

class EnemyStage1 : public EnemyTestBase {
protected:
    void SetUp() override {
        EnemyTestBase::SetUp();
        if (!std::filesystem::exists(kMen1)) GTEST_SKIP() << "no generated men1.dat";
        ClearMenTables();
        ResetStageFlags();
        ASSERT_EQ(LoadMenFile(kMen1.c_str()), 1);
        GameState.playerX = 100;
        GameState.playerY = 120;
    }
};

TEST_F(EnemyStage1, WavesArriveWithoutCrowdingThePoolsAndLeaveTheEndFree) {
    std::set<int> types;
    int maxLive = 0, maxBullets = 0, lastSpawn = 0, spawned = 0;
    const int kFrames = 10600;
    for (int frame = 0; frame < kFrames; frame++) {
        // The dive through the clouds moves the clock on, as the scenery does.
        if (frame == 5440) menFrame += 640;
        TekiRecord snapshot[kTekiMax];
        std::copy(std::begin(Teki), std::end(Teki), snapshot);
        StepMenEvent(menFrame);
        menFrame += 1;
        for (int i = 0; i < kTekiMax; i++)
            if (Teki[i].active && !snapshot[i].active) {
                types.insert(Teki[i].type);
                // The boss and the bouncers it releases come after the waves.
                if (Teki[i].type == 17 || Teki[i].type == 16) continue;
                lastSpawn = frame;
                spawned++;
            }
        MoveTeki();
        MoveTama();
        maxLive = std::max(maxLive, Live());
        maxBullets = std::max(maxBullets, Bullets());
    }
    for (int t : {11, 12, 13, 18, 19, 20, 21, 25, 30, 31, 33, 34, 40, 43, 50, 51, 53})
        EXPECT_TRUE(types.count(t)) << "flying type " << t << " never appears";
    EXPECT_LT(maxLive, 60);
    EXPECT_LT(maxBullets, 200);
    EXPECT_LT(lastSpawn, 9700);  // the last stretch is the boss's
    EXPECT_TRUE(types.count(17)) << "the boss never arrives";
    EXPECT_GT(spawned, 150);
    int events = 0;
    for (const MenEventRecord& e : MenEvent) events += (e.kind == 1 || e.kind == 2 || (e.kind == 0 && e.time != 0));
    EXPECT_GE(events, 140);
    for (const MenEventRecord& e : MenEvent) {
        EXPECT_FALSE(e.time >= 361 && e.time <= 400) << "event at pos " << e.time;
    }
    std::printf("stage 1: %d enemies from %d events, at most %d at once, at most %d bullets\n", spawned, events,
                maxLive, maxBullets);
}
