// The craft: bounds, controls, trail, animation cells, walls, the entry swoop and falls.
#include <gtest/gtest.h>

#include <utility>

#include "core/core.h"
#include "input/input.h"
#include "player/player.h"
#include "player_test_util.h"
#include "stage/stage.h"

using namespace player_test;

namespace {

// One frame of steering with the given key from (x, y).
void Steer(int chno, int key, int& x, int& y) {
    GameState.playerX = x;
    GameState.playerY = y;
    scriptedKey = key;
    MovePlayer(chno, 0, 0);
    x = GameState.playerX;
    y = GameState.playerY;
}

}  // namespace

class PlayerCraft : public Fixture {};
class PlayerEntry : public Fixture {};

TEST_F(PlayerCraft, BoundsSnapTheCraft) {
    StageStart(1);  // speed 4
    int x = 100, y = 2;
    Steer(1, IN_UP | IN_DOWN, x, y);
    EXPECT_EQ(y, 4);  // up snaps to 0, down adds the speed
    x = 100, y = 195;
    Steer(1, IN_DOWN, x, y);
    EXPECT_EQ(y, 199);
    Steer(1, IN_DOWN, x, y);
    EXPECT_EQ(y, 200);

    StageStart(0);  // speed 3
    x = 100, y = 199;
    Steer(0, IN_UP | IN_DOWN, x, y);
    EXPECT_EQ(y, 200);
    x = 100, y = 196;
    Steer(0, IN_DOWN, x, y);
    EXPECT_EQ(y, 200);  // a 4-pixel jump
    x = 3, y = 100;
    Steer(0, IN_LEFT, x, y);
    EXPECT_EQ(x, 0);
    x = 295;
    Steer(0, IN_RIGHT, x, y);
    EXPECT_EQ(x, 298);
    Steer(0, IN_RIGHT, x, y);
    EXPECT_EQ(x, 300);
    Steer(0, IN_LEFT | IN_RIGHT, x, y);
    EXPECT_EQ(x, 300);
}

TEST_F(PlayerCraft, ControlsAreOffDuringSwoopFallAndWhenDisabled) {
    StageStart(0, false);
    scriptedKey = IN_B1 | IN_RIGHT;
    for (int i = 0; i < 40; i++) MovePlayer(0, 0, 0);
    EXPECT_EQ(inputCalls, 0);
    EXPECT_EQ(ActiveShots(), 0);
    MovePlayer(0, 0, 0);  // the 41st frame reads the controls
    EXPECT_EQ(inputCalls, 1);
    EXPECT_EQ(ActiveShots(), 1);

    inputOn = 0;
    MovePlayer(0, 0, 0);
    EXPECT_EQ(inputCalls, 1);
    inputOn = 1;
    dying = 1;
    MovePlayer(0, 0, 0);
    EXPECT_EQ(inputCalls, 1);
}

TEST_F(PlayerCraft, TrailKeepsSixPositionsAndCellFollowsMotion) {
    StageStart(0);
    GameState.playerX = 50;
    GameState.playerY = 100;
    scriptedKey = IN_DOWN;
    for (int i = 0; i < 6; i++) MovePlayer(0, 0, 0);
    EXPECT_EQ(GameState.trailY[5], 118);
    EXPECT_EQ(GameState.trailY[0], 103);  // five frames back
    EXPECT_EQ(GameState.prevY, 118);
}

TEST_F(PlayerCraft, AnimationFramesLastElevenFramesAndEightForThePaddle) {
    StageStart(0);
    int changes = 0, last = GameState.animNo;
    for (int i = 0; i < 44; i++) {
        MovePlayer(0, 0, 0);
        if (GameState.animNo != last) changes++;
        last = GameState.animNo;
    }
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(GameState.animNo, 0);  // two frames: wrapped twice

    StageStart(4);
    for (int i = 0; i < 8 * 4; i++) MovePlayer(4, 0, 0);
    EXPECT_EQ(GameState.animNo, 0);  // 0 1 2 3 and round again
    for (int i = 0; i < 8 * 3; i++) MovePlayer(4, 0, 0);
    EXPECT_EQ(GameState.animNo, 3);
}

// After a continue the animation counters keep the last character's values;
// a character with fewer frames must still wrap them.
TEST_F(PlayerCraft, CountersFromACharacterWithMoreFramesWrap) {
    StageStart(0);
    GameState.animNo = 3;      // left over from the fish (four frames)
    GameState.animTime = 10;
    Player.optFrame = 3;       // left over from the dumbbells (four frames)
    Player.optTime = 9;
    MovePlayer(0, 1, 0);
    EXPECT_EQ(GameState.animNo, 0);
    EXPECT_EQ(Player.optFrame, 0);
}

TEST_F(PlayerCraft, TerrainOnlyOnStagesFourAndFive) {
    StageStart(0);
    ClearMenTables();
    // A solid cell right ahead of the craft on stage 4's layer 2.
    GameState.playerX = 100;
    GameState.playerY = 100;
    MenMap[7][6][2] = 6;
    MovePlayer(0, 0, 0);
    EXPECT_EQ(GameState.lives, 5);  // stage 1: no terrain
    stageNo = 4;
    MovePlayer(0, 0, 0);
    EXPECT_EQ(GameState.playerX, 96);
    EXPECT_EQ(GameState.lives, 4);
    EXPECT_EQ(dying, 1);

    // Stage 5 pushes back and costs a life (and the barrier) only once the
    // craft is pushed past x = -8.
    StageStart(0);
    ClearMenTables();
    stageNo = 5;
    GameState.barrier = 2;
    GameState.playerX = 0;
    GameState.playerY = 20;
    MenMap[1][1][3] = 90;
    MenMap[0][1][3] = 26;
    MovePlayer(0, 0, 0);
    EXPECT_EQ(GameState.playerX, -4);
    MovePlayer(0, 0, 0);
    EXPECT_EQ(GameState.playerX, -8);
    EXPECT_EQ(dying, 0);
    MovePlayer(0, 0, 0);
    EXPECT_EQ(GameState.playerX, -12);
    EXPECT_EQ(dying, 1);
    EXPECT_EQ(GameState.lives, 4);
    EXPECT_EQ(GameState.barrier, 0);

    // Stage 4 reads its walls where layer 2 draws them, at half the scroll
    // and shifted by the layer's offset inside a tile: at scroll 3200 the
    // craft at x = 100 is over column 100 + 6; at 3224 the layer is 12 px into
    // column 100, so the craft is over column 107 and a wall in column 108,
    // drawn from x = 116, is at its nose.
    for (auto [scroll, wall] : {std::pair{3200, 107}, std::pair{3224, 108}}) {
        StageStart(0);
        ClearMenTables();
        stageNo = 4;
        MenScroll[MS::scrollPos] = scroll;
        GameState.playerX = 100;
        GameState.playerY = 100;
        MenMap[150 + 7][6][2] = 6;  // where three quarters of the scroll would look: not there
        MovePlayer(0, 0, 0);
        EXPECT_EQ(dying, 0) << scroll;
        MenMap[wall][6][2] = 6;
        MovePlayer(0, 0, 0);
        EXPECT_EQ(dying, 1) << scroll;
    }

    // Row -1 is off the map, not the last row of the previous column.
    StageStart(0);
    ClearMenTables();
    stageNo = 4;
    GameState.playerX = 100;
    GameState.playerY = 0;
    MenMap[5][14][2] = 6;
    MovePlayer(0, 0, 0);
    EXPECT_EQ(GameState.playerY, 0);
    ClearMenTables();
}

TEST_F(PlayerEntry, SwoopTakesFortyFramesAndEndsNearTheLeft) {
    StageStart(0, false);
    int frames = 0;
    while (EnterPlayer() == 0) {
        frames++;
        if (Player.entryAngle == 93) {
            EXPECT_EQ(GameState.playerX, 126);
            EXPECT_EQ(GameState.playerY, 123);
        }
        ASSERT_LT(frames, 100);
    }
    EXPECT_EQ(frames, 40);
    EXPECT_EQ(GameState.playerX, GetSin(117));
    EXPECT_EQ(GameState.playerY, 60 + (GetSin(117) >> 1));
    EXPECT_EQ(invincible, 128);
    EXPECT_EQ(entryVoice, 1);
}

TEST_F(PlayerEntry, FallsEndAtTheBottomOrLeftEdge) {
    StageStart(0);
    dying = 1;
    GameState.playerX = 300;
    GameState.playerY = 100;
    int frames = 0;
    while (dying == 1) {
        EXPECT_EQ(FallPlayer(), 1);
        frames++;
    }
    EXPECT_EQ(frames, 18);
    EXPECT_EQ(GameState.playerY, 244);
    EXPECT_EQ(GameState.playerX, 156);
    EXPECT_EQ(entryOn, 0);
    EXPECT_EQ(invincible, 100);
    EXPECT_EQ(FallPlayer(), 0);

    dying = 1;
    GameState.playerX = 20;
    GameState.playerY = 100;
    frames = 0;
    while (dying == 1) {
        FallPlayer();
        frames++;
    }
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(GameState.playerX, -4);
}

TEST_F(PlayerEntry, GameOverIsRaisedOnlyWhenTheFallEnds) {
    StageStart(0);
    GameState.lives = -1;
    dying = 1;
    GameState.playerX = 100;
    GameState.playerY = 208;
    for (int i = 0; i < 3; i++) {
        MovePlayer(0, 0, 0);
        EXPECT_EQ(gameOverFlag, 0);
    }
    MovePlayer(0, 0, 0);  // y reaches 240
    EXPECT_EQ(gameOverFlag, 1);
    EXPECT_EQ(dying, 0);

    // With a life left the craft swoops in again instead.
    StageStart(0);
    GameState.lives = 0;
    dying = 1;
    GameState.playerX = 4;
    MovePlayer(0, 0, 0);
    EXPECT_EQ(gameOverFlag, 0);
    EXPECT_EQ(entryOn, 0);
    MovePlayer(0, 0, 0);
    EXPECT_EQ(entryOn, 1);
    EXPECT_EQ(GameState.playerX, 0);
    EXPECT_EQ(GameState.playerY, 60);
}
