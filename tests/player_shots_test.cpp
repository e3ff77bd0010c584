// The player's fire: rhythm per character, volleys by level and options, shot paths and the pool.
#include <gtest/gtest.h>

#include <vector>

#include "core/core.h"
#include "enemy/enemy.h"
#include "player/player.h"
#include "player_test_util.h"
#include "shot/shot.h"

using namespace player_test;

namespace {

class PlayerFire : public Fixture {};
class PlayerShots : public Fixture {};
class PlayerHoming : public Fixture {};

// Frames (from 0) on which a volley left while the button was held.
std::vector<int> VolleyFrames(int chno, int frames, int key = IN_B1) {
    StageStart(chno);
    std::vector<int> out;
    for (int f = 0; f < frames; f++) {
        int before = ActiveShots();
        FirePlayer(chno, key, 0, 0);
        if (ActiveShots() > before) out.push_back(f);
        for (ShotRecord& s : Shot) s.active = 0;
    }
    return out;
}

int VolleySize(int chno, int shotLv, int option) {
    StageStart(chno);
    FireVolley(chno, option, shotLv);
    return ActiveShots();
}

}  // namespace

TEST_F(PlayerFire, HeldButtonRhythmPerCharacter) {
    EXPECT_EQ(VolleyFrames(0, 30), (std::vector<int>{0, 12, 24}));
    EXPECT_EQ(VolleyFrames(4, 30), (std::vector<int>{0, 2, 4, 12, 14, 16, 24, 26, 28}));
    EXPECT_EQ(VolleyFrames(8, 100), (std::vector<int>{0, 40, 80}));
    EXPECT_EQ(VolleyFrames(1, 130), (std::vector<int>{17, 77}));
    EXPECT_EQ(VolleyFrames(2, 80), (std::vector<int>{17, 77}));
    EXPECT_TRUE(VolleyFrames(0, 30, IN_B2).empty());
}

TEST_F(PlayerFire, ChargedVolleyIsNotRestartedByASecondPress) {
    StageStart(2);
    FirePlayer(2, IN_B1, 0, 0);
    for (int f = 1; f < 10; f++) FirePlayer(2, 0, 0, 0);
    EXPECT_EQ(Player.chargeStep, 1);
    FirePlayer(2, IN_B1, 0, 0);  // frame 10: still locked
    for (int f = 11; f < 17; f++) FirePlayer(2, 0, 0, 0);
    EXPECT_EQ(ActiveShots(), 0);
    FirePlayer(2, 0, 0, 0);      // frame 17
    EXPECT_EQ(ActiveShots(), 1);
    EXPECT_EQ(Player.chargeStep, 4);
}

TEST_F(PlayerFire, VolleySizesByLevelAndOptions) {
    //                      level 0, 1, 2      options 1, 2, 3 (at level 0)
    const int table[10][6] = {
        {1, 3, 4, 1, 2, 3}, {1, 2, 3, 1, 2, 3}, {1, 2, 3, 1, 2, 3}, {1, 1, 1, 1, 2, 3}, {1, 2, 4, 0, 0, 0},
        {1, 1, 1, 1, 2, 3}, {1, 2, 3, 1, 2, 3}, {1, 4, 8, 1, 2, 3}, {1, 1, 1, 0, 0, 0}, {1, 1, 1, 0, 0, 0},
    };
    for (int c = 0; c < 10; c++) {
        for (int lv = 0; lv < 3; lv++) EXPECT_EQ(VolleySize(c, lv, 0), table[c][lv]) << "character " << c << " level " << lv;
        for (int o = 1; o <= 3; o++)
            EXPECT_EQ(VolleySize(c, 0, o) - 1, table[c][2 + o]) << "character " << c << " option " << o;
        EXPECT_EQ(VolleySize(c, 0, 4), 1) << "character " << c << " option 4";
    }
    EXPECT_EQ(VolleySize(6, 3, 0), 0);  // no level shots outside 0..2
}

TEST_F(PlayerFire, WitchVolleyOrderAndOptionShotsFromTheTrail) {
    StageStart(0);
    GameState.playerX = 150;
    GameState.playerY = 100;
    GameState.trailX[0] = 120;
    GameState.trailY[0] = 90;
    GameState.optAngle = 0;  // w0 = 0, w1 = 3, w2 = 0
    FireVolley(0, 3, 2);
    ASSERT_EQ(ActiveShots(), 7);
    EXPECT_EQ(Shot[0].srcY, 64);
    EXPECT_EQ(Shot[0].frames, 4);
    EXPECT_EQ(Shot[0].damage, 2);
    EXPECT_EQ(Shot[3].sx, -1);  // level 2 adds a shot backwards
    // Options: the pair first, then the single.
    EXPECT_EQ(Shot[4].x, 120);
    EXPECT_EQ(Shot[4].y, 90 + 3 - 25);
    EXPECT_EQ(Shot[4].dy, 10);
    EXPECT_EQ(Shot[5].y, 90 + 0 + 25);
    EXPECT_EQ(Shot[6].x, 90);
    EXPECT_EQ(Shot[6].damage, 1);
}

TEST_F(PlayerShots, PoolHoldsOneHundred) {
    StageStart(0);
    for (int i = 0; i < 101; i++) SetShot(0, 10, i, 300, i, 1, 16, 16, 0, 64, 1, 1, 1, 0);
    EXPECT_EQ(ActiveShots(), 100);
    EXPECT_EQ(Shot[99].y, 99);
    Shot[42].active = 0;
    SetShot(-1, 0, 0, 1, 1, 1, 16, 16, 0, 64, 1, 1, 1, 0);
    EXPECT_EQ(ActiveShots(), 99);
    SetShot(0, 7, 7, 300, 7, 1, 16, 16, 0, 64, 1, 1, 1, 0);
    EXPECT_EQ(Shot[42].y, 7);
}

TEST_F(PlayerShots, LinesStepStraightAndDiagonal) {
    StageStart(0);
    SetShot(0, 100, 200, 100, 100, 5, 16, 16, 0, 64, 1, 1, 1, 0);   // straight up
    SetShot(0, 100, 100, 200, 0, 4, 16, 16, 0, 64, 1, 1, 1, 0);     // 45 degrees
    SetShot(3, 100, 100, 400, 200, 3, 16, 16, 0, 64, 1, 1, 1, 0);   // shallow: y every third step
    MovePlayerShots();
    EXPECT_EQ(Shot[0].x, 100);
    EXPECT_EQ(Shot[0].y, 195);
    EXPECT_EQ(Shot[1].x, 104);
    EXPECT_EQ(Shot[1].y, 96);
    EXPECT_EQ(Shot[2].x, 103);
    EXPECT_EQ(Shot[2].y, 101);
    MovePlayerShots();
    EXPECT_EQ(Shot[2].x, 106);
    EXPECT_EQ(Shot[2].y, 102);
}

TEST_F(PlayerShots, ShotsLeaveTheScreenAndAnimate) {
    StageStart(0);
    SetShot(0, 318, 50, 400, 50, 3, 16, 16, 0, 64, 4, 5, 1, 0);  // right edge
    SetShot(0, 50, 2, 50, -100, 3, 16, 16, 0, 64, 4, 5, 1, 0);   // top edge: y < -h
    SetShot(0, 50, 100, 400, 100, 1, 16, 16, 0, 64, 3, 2, 1, 0);
    MovePlayerShots();
    EXPECT_EQ(Shot[0].active, 0);
    EXPECT_EQ(Shot[1].active, 1);   // y = -1
    for (int i = 0; i < 5; i++) MovePlayerShots();
    EXPECT_EQ(Shot[1].y, -16);
    EXPECT_EQ(Shot[1].active, 1);
    MovePlayerShots();
    EXPECT_EQ(Shot[1].active, 0);
    // Period 2, three frames: 0 0 1 1 2 2 0 ...; acc doubles as the line error.
    SetShot(0, 50, 100, 400, 100, 1, 16, 16, 0, 64, 3, 2, 1, 0);
    std::vector<int> seen;
    for (int i = 0; i < 6; i++) {
        MovePlayerShots();
        seen.push_back(Shot[0].frame);
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 1, 2, 2, 0}));
}

TEST_F(PlayerShots, BurstShotCreepsThenBurstsAndSpeedsOff) {
    StageStart(8);
    EmptyShotPools();
    SetShot(4, 100, 100, 420, 100, 5, 16, 16, 48, 80, 2, 5, 10, 1);
    for (int i = 0; i < 40; i++) MovePlayerShots();
    EXPECT_EQ(Shot[0].x, 140);
    EXPECT_EQ(Burst[0].frame, -1);
    MovePlayerShots();
    EXPECT_EQ(Shot[0].x, 140);
    EXPECT_EQ(Burst[0].frame, 0);
    EXPECT_EQ(Burst[0].x, 140);
    MovePlayerShots();
    EXPECT_EQ(Shot[0].x, 145);
}

TEST_F(PlayerShots, OptionsAngleAdvancesEvenWithoutOptions) {
    StageStart(0);
    PutOption(0, 0);
    EXPECT_EQ(GameState.optAngle, 10);
    GameState.optAngle = 355;
    PutOption(3, 2);
    EXPECT_EQ(GameState.optAngle, 5);
    PutOption(1, 3);
    PutOption(2, 3);
    EXPECT_EQ(GameState.optAngle, 5);
    // The paddle's options have three frames of ten play frames each.
    StageStart(4);
    for (int i = 0; i < 30; i++) PutOption(4, 1);
    EXPECT_EQ(Player.optFrame, 0);
    for (int i = 0; i < 20; i++) PutOption(4, 1);
    EXPECT_EQ(Player.optFrame, 2);
}

namespace {
void PlaceEnemy(int k, int x, int y) {
    Teki[k] = TekiRecord{};
    Teki[k].active = 1;
    Teki[k].x = x;
    Teki[k].y = y;
}
}  // namespace

TEST_F(PlayerHoming, NoTargetFliesRightUntilOneAppears) {
    StageStart(3);
    SetShot(1, 100, 100, 420, 100, 5, 16, 16, 0, 80, 2, 5, 1, 0);
    MovePlayerShots();
    MovePlayerShots();
    EXPECT_EQ(Shot[0].x, 108);
    EXPECT_EQ(Shot[0].y, 100);
    EXPECT_EQ(Shot[0].locked, 0);
    EXPECT_EQ(Shot[0].target, -1);
    PlaceEnemy(5, 200, 40);
    MovePlayerShots();
    EXPECT_EQ(Shot[0].target, 5);
    EXPECT_EQ(Shot[0].angle, 5);  // above and right: turn up
    EmptyTekiPool();
}

TEST_F(PlayerHoming, TwoShotsPickTwoTargetsAndTurnTowardThem) {
    StageStart(5);
    PlaceEnemy(3, 200, 50);    // above right
    PlaceEnemy(7, 200, 150);   // below right
    SetShot(1, 100, 100, 420, 100, 5, 16, 16, 0, 80, 2, 5, 1, 1);
    SetShot(1, 100, 100, 420, 100, 5, 16, 16, 0, 80, 2, 5, 1, 1);
    SetShot(1, 100, 100, 420, 100, 5, 16, 16, 0, 80, 2, 5, 1, 1);
    MovePlayerShots();
    EXPECT_EQ(Shot[0].target, 3);
    EXPECT_EQ(Shot[1].target, 7);
    EXPECT_EQ(Shot[2].target, 7);  // all taken: the last live one
    EXPECT_EQ(Shot[0].angle, 5);
    EXPECT_EQ(Shot[1].angle, 355);
    EXPECT_EQ(Shot[1].x, 104);

    // A hidden target is still followed; a freed one is let go.
    Teki[3].active = 2;
    MovePlayerShots();
    EXPECT_EQ(Shot[0].locked, 1);
    EXPECT_EQ(Shot[0].angle, 10);
    Teki[3].active = 0;
    MovePlayerShots();
    EXPECT_EQ(Shot[0].angle, 10);
    EXPECT_EQ(Shot[0].locked, 0);
    EmptyTekiPool();
}

TEST_F(PlayerHoming, TurnRulesInEachQuadrant) {
    struct Case {
        int ex, ey, angle, turned;
    } cases[] = {
        {200, 50, 100, 95},    // right and above, heading left of up: back down toward it
        {0, 50, 100, 105},     // left and above: keep turning left
        {0, 50, 200, 195},     // left and above, heading past left: turn right
        {0, 150, 100, 105},    // left and below
        {0, 150, 300, 295},    // heading down-right: swing round through down
        {200, 150, 10, 5},     // right and below
        {200, 150, 200, 205},
        {100, 100, 0, 355},    // level counts as right and not above
    };
    for (const Case& c : cases) {
        StageStart(3);
        PlaceEnemy(0, c.ex, c.ey);
        SetShot(1, 100, 100, 420, 100, 5, 16, 16, 0, 80, 2, 5, 1, 0);
        Shot[0].angle = c.angle;
        MovePlayerShots();
        EXPECT_EQ(Shot[0].angle, c.turned) << c.ex << "," << c.ey << " from " << c.angle;
    }
    EmptyTekiPool();
}
