#include <gtest/gtest.h>

#include "shell/shell.h"

TEST(Random, KnownSeedSequence) {
    GameSrand(1);
    EXPECT_EQ(GameRand(), 41);
    EXPECT_EQ(GameRand(), 18467);
    EXPECT_EQ(GameRand(), 6334);
    GameSrand(0);
    EXPECT_EQ(GameRand(), 38);
}

TEST(Sine, SamplesAndWraps) {
    EXPECT_EQ(GetSin(0), 0);
    EXPECT_EQ(GetSin(1), 2);
    EXPECT_EQ(GetSin(45), 89);
    EXPECT_EQ(GetSin(90), 126);
    EXPECT_EQ(GetSin(270), -126);
    EXPECT_EQ(GetSin(359), -2);
    EXPECT_EQ(GetSin(-90), -126);
    EXPECT_EQ(GetSin(-360), 0);
    EXPECT_EQ(GetSin(450), 126);
    EXPECT_EQ(GetSin(-450), -126);  // beyond one wrap still lands in the table
    for (int a = 0; a < 360; a++) EXPECT_LE(std::abs(GetSin(a)), 126);
}
