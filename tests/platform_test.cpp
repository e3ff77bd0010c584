// The headless platform: virtual clock, input scripts, close handler, time limit, captured frames.
#include <gtest/gtest.h>

#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/core.h"
#include "input/input.h"
#include "platform/platform.h"
#include "video/video.h"

namespace {

plat::Options Headless() {
    plat::Options o;
    o.headless = true;
    return o;
}

int closeCalls = 0;
void CountClose() { closeCalls++; }

class PlatformHeadless : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(plat::Startup(Headless()));
        plat::SetCloseHandler(nullptr);
        ResetInputState();
        closeCalls = 0;
    }
    void TearDown() override {
        plat::SetCloseHandler(nullptr);
        ASSERT_TRUE(plat::Startup(Headless()));
    }
};

TEST_F(PlatformHeadless, ClockMovesOnlyBySleepsAndEmptyPolls) {
    EXPECT_EQ(plat::GetTicks(), 1000u);
    EXPECT_EQ(plat::GetTicks(), 1000u);  // reading never moves it
    plat::Sleep(7);
    EXPECT_EQ(plat::GetTicks(), 1007u);
    plat::Message m{};
    EXPECT_FALSE(plat::PeekMessage(m, true));
    EXPECT_EQ(plat::GetTicks(), 1008u);

    plat::PostMessage({plat::MsgType::MusicEnd, 3});
    plat::PostMessage({plat::MsgType::KeyEscape, 0});
    ASSERT_TRUE(plat::PeekMessage(m, false));  // a waiting message costs no time
    EXPECT_EQ(m.type, plat::MsgType::MusicEnd);
    ASSERT_TRUE(plat::PeekMessage(m, true));
    EXPECT_EQ(m.code, 3);
    ASSERT_TRUE(plat::PeekMessage(m, true));
    EXPECT_EQ(m.type, plat::MsgType::KeyEscape);
    EXPECT_EQ(plat::GetTicks(), 1008u);
    EXPECT_FALSE(plat::PeekMessage(m, true));
    EXPECT_EQ(plat::GetTicks(), 1009u);
}

TEST_F(PlatformHeadless, SeedClockCountsFromSystemStart) {
    EXPECT_EQ(plat::SystemTicks(), plat::GetTicks());  // headless: the virtual clock, so runs repeat
    plat::Options o;
    o.headless = false;  // the SDL backend starts without a display
    if (!plat::Startup(o)) GTEST_SKIP() << "SDL cannot start here";
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    uint32_t sinceBoot = static_cast<uint32_t>(ts.tv_sec * 1000 + ts.tv_nsec / 1000000);
    EXPECT_LE(plat::SystemTicks() - sinceBoot, 1000u);
}

// The start-up's wait lasts its time from the call (headless: exactly, on
// the virtual clock) and leaves the window ready to draw in (SDL's dummy
// video driver).
TEST_F(PlatformHeadless, StartupWaitMakesTheRendererWithinItsTime) {
    uint32_t t0 = plat::GetTicks();
    EXPECT_TRUE(plat::FinishStartup(1000));
    EXPECT_EQ(plat::GetTicks() - t0, 1000u);

    const char* was = std::getenv("SDL_VIDEODRIVER");
    const std::string saved = was ? was : "";
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    plat::Options o;
    o.headless = false;
    o.windowed = true;
    o.mute = true;
    bool up = plat::Startup(o) && plat::OpenDisplay(true);
    if (up) {
        // In a window the wait counts from the platform's start, where its
        // ticks begin, however long opening the display took.
        EXPECT_TRUE(plat::FinishStartup(200));
        EXPECT_GE(plat::GetTicks(), 200u);
        std::vector<uint16_t> px(320 * 240, 0x1234);
        EXPECT_FALSE(plat::Present(px.data(), 320, true));
        plat::CloseDisplay();
    }
    plat::Shutdown();
    if (saved.empty())
        unsetenv("SDL_VIDEODRIVER");
    else
        setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
    ASSERT_TRUE(plat::Startup(Headless()));
    if (!up) GTEST_SKIP() << "SDL's dummy video driver is not available";
}

TEST_F(PlatformHeadless, ScriptFormat) {
    std::vector<plat::ScriptRun> runs;
    std::string err;
    ASSERT_TRUE(plat::ParseInputScript("# title\n"
                                       "0 x65   # wait a second\n"
                                       "\n"
                                       "Z\n"
                                       "up+z x3\n"
                                       "0x21\n"
                                       "- x2\n"
                                       "esc\n"
                                       "x x2\n"
                                       "close\n"
                                       "010\n"
                                       "08\n",
                                       runs, err))
        << err;
    ASSERT_EQ(runs.size(), 10u);
    EXPECT_EQ(runs[0].word, 0);
    EXPECT_EQ(runs[0].count, 65);
    EXPECT_EQ(runs[1].word, 16);
    EXPECT_EQ(runs[2].word, 17);
    EXPECT_EQ(runs[2].count, 3);
    EXPECT_EQ(runs[3].word, 33);
    EXPECT_EQ(runs[4].word, 0);
    EXPECT_EQ(runs[5].word, plat::kScriptEscape);
    EXPECT_EQ(runs[6].word, 32);
    EXPECT_EQ(runs[6].count, 2);
    EXPECT_EQ(runs[7].word, plat::kScriptClose);
    EXPECT_EQ(runs[8].word, 10);  // a leading zero is still decimal
    EXPECT_EQ(runs[9].word, 8);

    for (const char* bad :
         {"64\n", "up+fire\n", "z x0\n", "z 3\n", "z x3 x4\n", "esc x2\n", "-1\n", "0x40\n", "0x\n"}) {
        EXPECT_FALSE(plat::ParseInputScript(bad, runs, err)) << bad;
        EXPECT_NE(err.find("line 1"), std::string::npos) << bad;
    }
}

TEST_F(PlatformHeadless, ScriptFeedsOneWordPerQueryThenZero) {
    std::vector<plat::ScriptRun> runs;
    std::string err;
    ASSERT_TRUE(plat::ParseInputScript("z x2\nesc\nleft\n", runs, err));
    plat::SetScriptedInput(runs);
    EXPECT_EQ(GetInput(), 16);
    EXPECT_EQ(GetInput(), 16);
    plat::Message m{};
    EXPECT_FALSE(plat::PeekMessage(m, true));  // Escape comes with the query that follows
    EXPECT_EQ(GetInput(), 8);
    ASSERT_TRUE(plat::PeekMessage(m, true));
    EXPECT_EQ(m.type, plat::MsgType::KeyEscape);
    EXPECT_EQ(GetInput(), 0);
    EXPECT_EQ(GetInput(), 0);
}

TEST_F(PlatformHeadless, CloseRunsTheHandlerFromAnInputQuery) {
    plat::SetCloseHandler(CountClose);
    plat::SetScriptedInput(std::vector<int>{1, plat::kScriptClose, 2});
    EXPECT_EQ(GetInput(), 1);
    EXPECT_EQ(closeCalls, 0);
    EXPECT_EQ(GetInput(), 2);
    EXPECT_EQ(closeCalls, 1);
    // Without a handler the close request becomes a quit message.
    plat::SetCloseHandler(nullptr);
    plat::SetScriptedInput(std::vector<int>{plat::kScriptClose});
    GetInput();
    plat::Message m{};
    ASSERT_TRUE(plat::PeekMessage(m, true));
    EXPECT_EQ(m.type, plat::MsgType::Quit);
}

TEST_F(PlatformHeadless, TimeLimitEndsTheRunOnce) {
    plat::Options o = Headless();
    o.timeLimitMs = 100;
    ASSERT_TRUE(plat::Startup(o));
    plat::SetCloseHandler(CountClose);
    plat::Sleep(99);
    EXPECT_EQ(closeCalls, 0);
    plat::Message m{};
    plat::PeekMessage(m, true);
    EXPECT_EQ(closeCalls, 1);
    plat::Sleep(1000);
    EXPECT_EQ(closeCalls, 1);
}

TEST_F(PlatformHeadless, PresentCapturesHashesAndDumpsChosenFrames) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("pello_dump_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    plat::Options o = Headless();
    o.dumpFrames = "2,4-8:2";
    o.dumpDir = dir.string();
    ASSERT_TRUE(plat::Startup(o));

    std::vector<uint16_t> px(320 * 240, 0);
    uint64_t hashes[8];
    for (int f = 0; f < 8; f++) {
        px[0] = static_cast<uint16_t>(f == 3 ? 0 : f);  // frames 1 and 4 are identical
        px[319] = 0xF800;                               // top-right pixel pure red
        EXPECT_FALSE(plat::Present(px.data(), 320, true));
        hashes[f] = plat::LastFrameHash();
    }
    EXPECT_EQ(plat::PresentedFrames(), 8u);
    EXPECT_EQ(hashes[0], hashes[3]);
    EXPECT_NE(hashes[0], hashes[1]);
    EXPECT_EQ(plat::LastFrame()[319], 0xF800);

    std::vector<std::string> names;
    for (auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names, (std::vector<std::string>{"frame_000002.bmp", "frame_000004.bmp", "frame_000006.bmp",
                                               "frame_000008.bmp"}));
    std::ifstream f(dir / "frame_000002.bmp", std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    ASSERT_EQ(b.size(), 54u + 320 * 240 * 3);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[28], 24);  // bits per pixel
    // Bottom-up rows: the top row is the last; its last pixel is red (B, G, R order).
    size_t topRight = 54 + 239 * 960 + 319 * 3;
    EXPECT_EQ(b[topRight], 0);
    EXPECT_EQ(b[topRight + 1], 0);
    EXPECT_EQ(b[topRight + 2], 255);
    fs::remove_all(dir);

    o.dumpFrames = "3-1";
    EXPECT_FALSE(plat::Startup(o));
}

TEST_F(PlatformHeadless, SurfaceLossIsReportedOnce) {
    std::vector<uint16_t> px(320 * 240, 0);
    plat::TestLoseSurfaces();
    EXPECT_TRUE(plat::Present(px.data(), 320, true));
    EXPECT_FALSE(plat::Present(px.data(), 320, true));
}

TEST_F(PlatformHeadless, GammaRampAppliedWhenPresenting) {
    std::vector<uint16_t> px(320 * 240, 0xFFFF);
    px[1] = 0x8410;  // mid grey in RGB565
    uint16_t ramp[256];
    for (int i = 0; i < 256; i++) ramp[i] = static_cast<uint16_t>(255 * i);
    plat::SetGammaRamp(ramp);
    plat::Present(px.data(), 320, true);
    EXPECT_EQ(plat::LastFrame()[0], 0xFFFF);  // level 255 leaves colours alone
    EXPECT_EQ(plat::LastFrame()[1], 0x8410);
    for (int i = 0; i < 256; i++) ramp[i] = 0;
    plat::SetGammaRamp(ramp);
    plat::Present(px.data(), 320, true);
    EXPECT_EQ(plat::LastFrame()[0], 0);
    for (int i = 0; i < 256; i++) ramp[i] = static_cast<uint16_t>(255 * (i / 2));
    plat::SetGammaRamp(ramp);
    plat::Present(px.data(), 320, false);  // RGB555 white halves to 0x3DEF
    EXPECT_EQ(plat::LastFrame()[2], (15 << 10) | (15 << 5) | 15);
}

}  // namespace
