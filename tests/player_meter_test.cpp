// The meter and the heads-up display: charging, stock, blink, score digits, lives, voices.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/core.h"
#include "player/player.h"
#include "player_test_util.h"
#include "video/video.h"

using namespace player_test;

namespace {

class PlayerGauge : public Fixture {};
class PlayerHud : public Fixture {};
class PlayerVoice : public Fixture {};

// Holds the gauge button for n frames, then releases it once.
int HoldAndRelease(int n) {
    for (int i = 0; i < n; i++) EXPECT_EQ(PutMater(IN_B2), 0);
    return PutMater(0);
}

}  // namespace

TEST_F(PlayerGauge, ChargeAndReleaseByStock) {
    StageStart(0);
    GameState.materLv = 0;
    Player.gaugeCount = 7;
    EXPECT_EQ(HoldAndRelease(40), 0);
    EXPECT_EQ(Player.gaugeCount, 7);  // no stock: untouched

    GameState.materLv = 1;
    Player.gaugeCount = 0;
    for (int i = 0; i < 40; i++) PutMater(IN_B2);
    EXPECT_EQ(Player.gaugeCount, 30);
    EXPECT_EQ(PutMater(0), 1);
    EXPECT_EQ(wazaCharge, 30);
    EXPECT_EQ(Player.gaugeCount, 0);

    GameState.materLv = 2;
    EXPECT_EQ(HoldAndRelease(29), 0);
    EXPECT_EQ(Player.gaugeCount, 0);
    EXPECT_EQ(HoldAndRelease(45), 1);
    EXPECT_EQ(wazaCharge, 45);
    EXPECT_EQ(HoldAndRelease(60), 1);
    EXPECT_EQ(wazaCharge, 60);
    EXPECT_EQ(HoldAndRelease(90), 1);
    EXPECT_EQ(wazaCharge, 60);
}

TEST_F(PlayerGauge, StockFallingWhileHeldEmptiesTheGauge) {
    StageStart(0);
    GameState.materLv = 3;
    for (int i = 0; i < 50; i++) PutMater(IN_B2);
    EXPECT_EQ(Player.gaugeCount, 50);
    GameState.materLv = 1;
    PutMater(IN_B2);
    EXPECT_EQ(Player.gaugeCount, 0);
    PutMater(IN_B2);
    EXPECT_EQ(Player.gaugeCount, 1);
    dying = 1;
    EXPECT_EQ(PutMater(IN_B2), 0);
    EXPECT_EQ(Player.gaugeCount, 0);
}

TEST_F(PlayerGauge, ReleaseThroughTheCraftRequestsTheTechnique) {
    StageStart(0);
    GameState.materLv = 1;
    scriptedKey = IN_B2;
    for (int i = 0; i < 30; i++) MovePlayer(0, 0, 0);
    scriptedKey = 0;
    MovePlayer(0, 0, 0);
    EXPECT_EQ(wazaReq, 1);
    // While a technique runs the gauge is not polled.
    wazaReq = 0;
    wazaOn = 1;
    scriptedKey = IN_B2;
    for (int i = 0; i < 31; i++) MovePlayer(0, 0, 0);
    scriptedKey = 0;
    MovePlayer(0, 0, 0);
    EXPECT_EQ(wazaReq, 0);
    EXPECT_EQ(Player.gaugeCount, 0);
}

TEST_F(PlayerHud, MeterClampsAndMakesStock) {
    StageStart(0);
    GameState.mater = 260;
    PutStatus();
    EXPECT_EQ(GameState.mater, 249);
    EXPECT_EQ(GameState.materLv, 4);
    EXPECT_EQ(GameState.materRest, 49);
    GameState.mater = 50;
    PutStatus();
    EXPECT_EQ(GameState.materLv, 1);
    EXPECT_EQ(GameState.materRest, 0);
}

TEST_F(PlayerHud, StockBlinkCycleIsSeventySevenFrames) {
    StageStart(0);
    GameState.mater = 120;
    int resets = 0, first = -1;
    for (int f = 0; f < 200; f++) {
        PutStatus();
        if (Player.stockBlink == 0) {
            resets++;
            if (first < 0) first = f;
        }
    }
    EXPECT_EQ(first, 76);
    EXPECT_EQ(resets, 2);
    GameState.mater = 10;
    PutStatus();
    EXPECT_EQ(Player.stockBlink, 0);
}

// Pixel checks: a fix sheet whose every 16-pixel cell has its own colour.
TEST_F(PlayerHud, ScoreDigitsAndLivesLandWhereTheyShould) {
    Surface* savedWork = WorkSurface;
    Surface* savedFix = Slot[1];
    Surface* work = MakeSurface(320, 240);
    Surface* fix = MakeSurface(256, 128);
    ASSERT_NE(work, nullptr);
    ASSERT_NE(fix, nullptr);
    SetKeyColor(fix, PureGreen());
    for (int y = 0; y < 128; y++)
        for (int x = 0; x < 256; x++) fix->pixels[y * 256 + x] = static_cast<uint16_t>(0x1000 + (y / 16) * 16 + x / 16);
    WorkSurface = work;
    Slot[1] = fix;

    // Probe: the drawing code must be in place for this test to mean anything.
    PutSprite(0, 0, fix, RECT{0, 0, 1, 1}, 17);
    if (work->pixels[0] != 0x1000) {
        WorkSurface = savedWork;
        Slot[1] = savedFix;
        FreeSurface(work);
        FreeSurface(fix);
        GTEST_SKIP() << "sprite copies are not built yet";
    }

    StageStart(3);
    GameState.score = 1234;
    GameState.lives = 2;
    GameState.mater = 249;
    PutStatus();
    auto cellAt = [&](int x, int y) { return work->pixels[y * 320 + x] - 0x1000; };
    // Digit d is cell column 5 + d of row 0; the last digit sits at x = 220.
    EXPECT_EQ(cellAt(228, 8), 5 + 4);
    EXPECT_EQ(cellAt(212, 8), 5 + 3);
    EXPECT_EQ(cellAt(196, 8), 5 + 2);
    EXPECT_EQ(cellAt(180, 8), 5 + 1);
    EXPECT_EQ(cellAt(60, 8), 0);           // caption
    EXPECT_EQ(cellAt(213, 218), 16 + 10);  // stock digit 4: columns 160..176, row 1
    // Lives: character 3's face, cell (48, 32), two icons 16 apart.
    EXPECT_EQ(cellAt(18, 218), 32 + 3);
    EXPECT_EQ(cellAt(34, 218), 32 + 3);
    EXPECT_NE(cellAt(50, 218), 32 + 3);

    WorkSurface = savedWork;
    Slot[1] = savedFix;
    FreeSurface(work);
    FreeSurface(fix);
}

// ---------------------------------------------------------------- voices

TEST_F(PlayerVoice, FileNamesOfTheEvents) {
    StageStart(7);
    EXPECT_STREQ(VoiceName(2), "");                        // the pastry keeps quiet
    EXPECT_STREQ(VoiceName(1), "wav\\cv7_taiyaki1.wav");
    EXPECT_STREQ(VoiceName(6), "wav\\cv7_taiyaki6.wav");
    EXPECT_STREQ(VoiceName(8), "");

    StageStart(0);
    GameState.option = 3;
    EXPECT_STREQ(VoiceName(3), "wav\\cv0_maho3c.wav");
    GameState.option = 1;
    EXPECT_STREQ(VoiceName(3), "wav\\cv0_maho3a.wav");
    GameState.wazaVoice = 1;
    EXPECT_STREQ(VoiceName(7), "wav\\cv0_maho7b.wav");

    StageStart(2);
    GameState.option = 3;
    EXPECT_STREQ(VoiceName(3), "wav\\cv2_angel3.wav");
    StageStart(1);
    EXPECT_STREQ(VoiceName(5), "wav\\cv1_make5.wav");
    EXPECT_STREQ(VoiceName(8), "wav\\cv1_make8a.wav");
    StageStart(4);
    EXPECT_STREQ(VoiceName(2), "");
}

TEST_F(PlayerVoice, EntryLineDrawsTheRandomNumbers) {
    // Character 0: one draw, a on even.
    for (uint32_t seed : {1u, 2u, 3u, 4u}) {
        StageStart(0);
        GameSrand(seed);
        int r = GameRand();
        GameSrand(seed);
        std::string name = VoiceName(1);
        EXPECT_EQ(name, std::string("wav\\cv0_maho1") + (r % 2 == 0 ? "a" : "b") + ".wav");
        GameSrand(seed);
        GameRand();
        int next = GameRand();
        GameSrand(seed);
        VoiceName(1);
        EXPECT_EQ(GameRand(), next);  // exactly one draw
    }
    // Others: one draw, a b or c.
    StageStart(1);
    GameSrand(9);
    int r = GameRand();
    GameSrand(9);
    EXPECT_EQ(std::string(VoiceName(1)), std::string("wav\\cv1_make1") + char('a' + r % 3) + ".wav");
    // The pastry and the paddle draw nothing; nor does any other event.
    for (int c : {4, 7}) {
        StageStart(c);
        GameSrand(9);
        VoiceName(1);
        EXPECT_EQ(GameRand(), r) << "character " << c;
    }
    StageStart(0);
    GameSrand(9);
    for (int e = 2; e <= 8; e++) VoiceName(e);
    EXPECT_EQ(GameRand(), r);
}
