// The input word: held keys, taps between reads, the joystick's dead zone and detection.
#include <gtest/gtest.h>

#include "input/input.h"
#include "platform/platform.h"

namespace {

class InputWord : public ::testing::Test {
protected:
    void SetUp() override {
        plat::Options o;
        o.headless = true;
        ASSERT_TRUE(plat::Startup(o));
        ResetInputState();
    }
    void TearDown() override {
        plat::TestSetJoystick(false, {0, 65535, 0, 65535}, 0, 0, 0);
        ResetInputState();
    }
};

TEST_F(InputWord, HeldKeysCombine) {
    plat::TestKeyEvent(plat::Key::Z, true);
    EXPECT_EQ(GetInput(), 16);
    EXPECT_EQ(GetInput(), 16);
    plat::TestKeyEvent(plat::Key::Up, true);
    EXPECT_EQ(GetInput(), 17);
    plat::TestKeyEvent(plat::Key::Up, false);
    plat::TestKeyEvent(plat::Key::Z, false);
    plat::TestKeyEvent(plat::Key::Left, true);
    plat::TestKeyEvent(plat::Key::Right, true);
    EXPECT_EQ(GetInput(), 12);  // both directions, as they are
    plat::TestKeyEvent(plat::Key::Left, false);
    plat::TestKeyEvent(plat::Key::Right, false);
    EXPECT_EQ(GetInput(), 0);
}

TEST_F(InputWord, TapBetweenQueriesShowsOnce) {
    EXPECT_EQ(GetInput(), 0);
    plat::TestKeyEvent(plat::Key::X, true);
    plat::TestKeyEvent(plat::Key::X, false);
    plat::TestKeyEvent(plat::Key::Down, true);
    plat::TestKeyEvent(plat::Key::Down, false);
    EXPECT_EQ(GetInput(), 34);
    EXPECT_EQ(GetInput(), 0);
}

TEST_F(InputWord, JoystickDeadZoneAroundHalfTheRange) {
    // Centre = (65535 - 0) / 2 = 32767.
    plat::TestSetJoystick(true, {0, 65535, 0, 65535}, 32767 + 29, 32767 - 29, 0);
    EXPECT_EQ(GetInput(), 0);
    plat::TestSetJoystick(true, {0, 65535, 0, 65535}, 32767 + 30, 32767, 0);
    EXPECT_EQ(GetInput(), 4);
    plat::TestSetJoystick(true, {0, 65535, 0, 65535}, 32767 - 30, 32767 - 30, 0);
    EXPECT_EQ(GetInput(), 8 | 1);
    plat::TestSetJoystick(true, {0, 65535, 0, 65535}, 32767, 32767 + 30, 3);
    EXPECT_EQ(GetInput(), 2 | 16 | 32);
    plat::TestKeyEvent(plat::Key::Up, true);  // keyboard and stick merge
    EXPECT_EQ(GetInput(), 1 | 2 | 16 | 32);
    plat::TestKeyEvent(plat::Key::Up, false);
}

TEST_F(InputWord, JoystickDetectedOnlyAtTheFirstQuery) {
    EXPECT_EQ(GetInput(), 0);  // nothing plugged in yet
    plat::TestSetJoystick(true, {0, 65535, 0, 65535}, 65535, 32767, 1);
    EXPECT_EQ(GetInput(), 0);  // plugged in later: not seen
    ResetInputState();
    EXPECT_EQ(GetInput(), 4 | 16);
    // A device with its own range: centre (1000 - 0) / 2 = 500.
    ResetInputState();
    plat::TestSetJoystick(true, {0, 1000, 0, 1000}, 530, 470, 0);
    EXPECT_EQ(GetInput(), 4 | 1);
}

}  // namespace
