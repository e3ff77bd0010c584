// The integer sine: sample values and wrapping of every angle.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "core/core.h"

// The table is 127 * sin built from 3.14159: peak 126, never 127.
TEST(CoreSine, SampleEntries) {
    const int samples[][2] = {{0, 0},     {1, 2},     {2, 4},     {5, 11},    {10, 22},   {15, 32},
                              {30, 63},   {45, 89},   {60, 109},  {75, 122},  {80, 125},  {90, 126},
                              {100, 125}, {112, 117}, {120, 109}, {135, 89},  {150, 63},  {180, 0},
                              {181, -2},  {210, -63}, {270, -126}, {300, -109}, {330, -63}, {359, -2}};
    for (const auto& s : samples) EXPECT_EQ(GetSin(s[0]), s[1]) << s[0];
    for (int a = 83; a <= 97; a++) EXPECT_EQ(GetSin(a), 126) << a;
    for (int a = 263; a <= 277; a++) EXPECT_EQ(GetSin(a), -126) << a;
    for (int a = 0; a < 360; a++) EXPECT_LE(std::abs(GetSin(a)), 126);
    EXPECT_EQ(GetSin(0 + 90), 126);  // cosine of 0
}

TEST(CoreSine, EveryAngleWraps) {
    // -360..-1 behave as a single added 360; beyond that the wrap is full.
    for (int a = -360; a < 0; a++) ASSERT_EQ(GetSin(a), GetSin(a + 360)) << a;
    for (int a = -5000; a < 5000; a++) ASSERT_EQ(GetSin(a), GetSin(((a % 360) + 360) % 360)) << a;
    EXPECT_EQ(GetSin(450), 126);
    EXPECT_EQ(GetSin(720), 0);
    EXPECT_EQ(GetSin(-450), -126);
    EXPECT_EQ(GetSin(-721), GetSin(359));
    EXPECT_EQ(GetSin(INT_MIN), GetSin(((INT_MIN % 360) + 360) % 360));
    EXPECT_EQ(GetSin(INT_MAX), GetSin(INT_MAX % 360));
}
