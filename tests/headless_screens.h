// Shared start of the tests that run screens headless: the headless, muted
// platform with the given options, the display, and clean screen and input state.
#pragma once

#include <gtest/gtest.h>

#include "input/input.h"
#include "platform/platform.h"
#include "screens/screens.h"
#include "video/video.h"

inline ::testing::AssertionResult StartHeadlessScreens(plat::Options o = {}) {
    o.headless = true;
    o.mute = true;
    if (!plat::Startup(o)) return ::testing::AssertionFailure() << "the headless platform did not start";
    if (InitDisplay() != 0) return ::testing::AssertionFailure() << "the display did not open";
    ResetScreensState();
    ResetInputState();
    return ::testing::AssertionSuccess();
}
