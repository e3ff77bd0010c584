// The shell: random numbers, the outer loop's passes between title, selection and play, the program's exits.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "screens/screens.h"
#include "shell/shell.h"
#include "video/video.h"

TEST(ShellRandom, KnownSeedSequence) {
    GameSrand(1);
    EXPECT_EQ(GameRand(), 41);
    EXPECT_EQ(GameRand(), 18467);
    EXPECT_EQ(GameRand(), 6334);
    GameSrand(0);
    EXPECT_EQ(GameRand(), 38);
}

TEST(ShellSine, SamplesAndWraps) {
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

// ---------------------------------------------------------------------------
// Outer loop, play-frame gate, resets, the whole program.

namespace {

// A scripted stand-in for the screens and the play frame; records the order
// of calls as letters: T title, S selection, L stage set-up, F frame, E end picture.
struct Script {
    std::string log;
    std::vector<int> titles;        // results of successive titles (then 1)
    int charsel = 0;
    void (*frame)(int n) = nullptr; // what the n-th frame (from 0) does
    int frames = 0;
    int livesAtCharsel = -1, scoreAtCharsel = -1;
};
Script sc;

int FakeTitle() {
    sc.log += 'T';
    size_t n = std::count(sc.log.begin(), sc.log.end(), 'T');
    return n <= sc.titles.size() ? sc.titles[n - 1] : 1;
}
int FakeCharsel() {
    sc.log += 'S';
    sc.livesAtCharsel = GameState.lives;
    sc.scoreAtCharsel = GameState.score;
    return sc.charsel;
}
void FakeFrame() {
    sc.log += 'F';
    if (sc.frame) sc.frame(sc.frames);
    sc.frames++;
}
void FakeStageEnd() { sc.log += 'E'; }
void FakeLoad() { sc.log += 'L'; }

class ShellLoop : public ::testing::Test {
protected:
    void SetUp() override {
        plat::Options o;
        o.headless = true;
        ASSERT_TRUE(plat::Startup(o));
        saved = outerLoopCalls;
        outerLoopCalls = {FakeTitle, FakeCharsel, FakeFrame, FakeStageEnd, FakeLoad, nullptr};
        sc = Script{};
        quitFlag = 0;
    }
    void TearDown() override {
        outerLoopCalls = saved;
        quitFlag = 0;
    }
    OuterLoopCalls saved{};
};

TEST_F(ShellLoop, OtherTitleItemQuitsAfterOneStageSetUp) {
    sc.titles = {2};
    EXPECT_EQ(OuterLoop(), 0);
    EXPECT_EQ(sc.log, "TL");
    EXPECT_EQ(GameState.chno, 0);
    EXPECT_EQ(quitFlag, 1);
}

TEST_F(ShellLoop, EscapeQuitsFromPlay) {
    sc.titles = {0};
    sc.charsel = 3;
    sc.frame = [](int n) {
        if (n == 2) plat::PostMessage({plat::MsgType::KeyEscape, 0});
    };
    EXPECT_EQ(OuterLoop(), 0);
    EXPECT_EQ(sc.log, "TSLFFF");
    EXPECT_EQ(GameState.chno, 4);  // selection s >= 1 flies character s + 1
}

TEST_F(ShellLoop, EscapeDuringTitleWaitsForTheMessageLoop) {
    sc.titles = {0};
    plat::PostMessage({plat::MsgType::KeyEscape, 0});
    EXPECT_EQ(OuterLoop(), 0);
    EXPECT_EQ(sc.log, "TSL");  // no frame is played while messages wait
}

TEST_F(ShellLoop, WhereThereIsNothingToQuitToEscapeAndQuitItemsLeadToTheTitle) {
    EXPECT_FALSE(plat::QuitReturnsToTitle());  // a desktop or headless start ends the program
    plat::TestSetQuitReturnsToTitle(true);
    sc.titles = {2, 0, 0};
    plat::PostMessage({plat::MsgType::KeyEscape, 0});  // pressed on the title: dropped
    sc.frame = [](int n) {
        if (n != 1) return;
        plat::PostMessage({plat::MsgType::KeyEscape, 0});
        plat::PostMessage({plat::MsgType::Quit, 0});  // only a closed window ends it now
    };
    EXPECT_EQ(OuterLoop(), 0);
    plat::TestSetQuitReturnsToTitle(false);
    EXPECT_EQ(sc.log, "TTSLFFTSL");
}

TEST_F(ShellLoop, RestartGoesBackToTheTitle) {
    sc.titles = {0, 0, 5};
    sc.frame = [](int n) {
        if (n == 1) {
            EXPECT_EQ(restartFlag, 0);  // cleared by the new stage set-up
            EXPECT_EQ(GameState.score, 0);
        }
        GameState.score = 900;
        restartFlag = 1;
    };
    EXPECT_EQ(OuterLoop(), 0);
    EXPECT_EQ(sc.log, "TSLFTSLFTL");
}

TEST_F(ShellLoop, ContinueGoesToSelectionWithFreshRunValues) {
    sc.titles = {0};
    sc.frame = [](int n) {
        if (n == 0) {
            GameState.lives = -1;
            GameState.score = 1234;
            GameState.shotLv = 2;
            GameState.animNo = 7;
            menFrame = 55;
            continueFlag = 1;
        }
        if (n == 1) {
            EXPECT_EQ(GameState.lives, 5);
            EXPECT_EQ(GameState.shotLv, 0);
            EXPECT_EQ(GameState.animNo, 7);  // not a run-start value: kept
            EXPECT_EQ(menFrame, 0);
            EXPECT_EQ(continueFlag, 0);
            plat::PostMessage({plat::MsgType::KeyEscape, 0});
        }
    };
    EXPECT_EQ(OuterLoop(), 0);
    EXPECT_EQ(sc.log, "TSLFSLF");
    EXPECT_EQ(sc.livesAtCharsel, 5);
    EXPECT_EQ(sc.scoreAtCharsel, 0);
}

TEST_F(ShellLoop, ClearShowsTheEndPictureThenTheTitle) {
    sc.titles = {0, 1};
    sc.frame = [](int n) {
        if (n == 1) clearFlag = 1;
    };
    EXPECT_EQ(OuterLoop(), 0);
    EXPECT_EQ(sc.log, "TSLFFETL");
    EXPECT_EQ(stageNo, 1);
}

// Frames that passed the gate, and the virtual time each passed at.
std::vector<uint32_t> gateTimes;
void TimedFrame() {
    long before = playFramesRun;
    GameFrame();
    if (playFramesRun != before) {
        gateTimes.push_back(plat::GetTicks());
        if (gateTimes.size() == 8) quitFlag = 1;
    }
}

TEST_F(ShellLoop, GateOpensAtOnceThenEvery15_15_16) {
    outerLoopCalls.gameFrame = TimedFrame;
    sc.titles = {0};
    frameTick = frameTriple = frameExtra = 0;
    gateTimes.clear();
    ASSERT_EQ(InitDisplay(), 0);
    EXPECT_EQ(OuterLoop(), 0);
    ASSERT_EQ(gateTimes.size(), 8u);
    EXPECT_LE(gateTimes[0], 1002u);  // the first frame passes at once
    std::vector<uint32_t> gaps;
    for (size_t i = 1; i < gateTimes.size(); i++) gaps.push_back(gateTimes[i] - gateTimes[i - 1]);
    EXPECT_EQ(gaps, (std::vector<uint32_t>{15, 15, 16, 15, 15, 16, 15}));
    EXPECT_EQ(plat::PresentedFrames(), 8u);
}

TEST(ShellState, ResetsSetTheirValuesAndLeaveTheRest) {
    GameState = GameStateRecord{};
    GameState.animNo = 9;
    GameState.lives = 3;
    GameState.trailX[5] = 77;
    ResetPools();
    EXPECT_EQ(GameState.playerX, 100);
    EXPECT_EQ(GameState.playerY, 100);
    EXPECT_EQ(GameState.mater, 50);
    EXPECT_EQ(GameState.materLv, 0);
    EXPECT_EQ(GameState.materRest, 0);
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(GameState.trailX[i], 100);
        EXPECT_EQ(GameState.trailY[i], 100);
    }
    EXPECT_EQ(GameState.trailX[5], 77);
    EXPECT_EQ(GameState.animNo, 9);
    EXPECT_EQ(GameState.lives, 3);

    entryOn = entryVoice = dying = wazaReq = wazaOn = wazaOn2 = invincible = 1;
    restartFlag = continueFlag = gameOverFlag = clearFlag = bossDown = 1;
    menFrame = 300;
    MenScroll[9] = 4;
    itemDrop = inputOn = 0;
    wazaCharge = 60;
    ItemAlpha[2] = 3;
    ItemX[3] = 1;
    MenuSel = 2;
    ResetStageFlags();
    EXPECT_EQ(entryOn + entryVoice + dying + wazaReq + wazaOn + wazaOn2 + invincible, 0);
    EXPECT_EQ(restartFlag + continueFlag + gameOverFlag + clearFlag + bossDown + menFrame + MenScroll[9], 0);
    EXPECT_EQ(itemDrop, 1);
    EXPECT_EQ(inputOn, 1);
    EXPECT_EQ(wazaCharge, 60);
    EXPECT_EQ(MenuSel, 2);
    EXPECT_EQ(ItemAlpha[2], 31);
    EXPECT_EQ(ItemX[0], 240);
    EXPECT_EQ(ItemX[3], 680);
    EXPECT_EQ(ItemSlide[3], 460);
    EXPECT_EQ(ItemWidth[1], 128);
}

TEST(ShellFiles, BackslashNamesOpenSubfolders) {
    EXPECT_EQ(GameFilePath("se\\se-1.wav"), "se/se-1.wav");
    EXPECT_EQ(GameFilePath("fix.bmp"), "fix.bmp");
}

// Runs the game executable with arguments; returns its exit code and, in
// `err`, what it wrote to stderr.
// noDisplay: with the display variables removed from its environment.
int RunGameExe(const std::string& args, std::string* err = nullptr, bool noDisplay = false) {
    std::string errFile = ::testing::TempDir() + "pello_err_" + std::to_string(::getpid()) + ".txt";
    std::string cmd = std::string(noDisplay ? "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER " : "") + "\"" +
                      PELLO_GAME_EXE + "\" " + args + " >/dev/null 2>\"" + errFile + "\"";
    int st = std::system(cmd.c_str());
    if (err) {
        err->clear();
        if (std::FILE* f = std::fopen(errFile.c_str(), "r")) {
            char buf[512];
            size_t n;
            while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) err->append(buf, n);
            std::fclose(f);
        }
    }
    std::remove(errFile.c_str());
    return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

// Writes a headless input script to a temporary file and returns its path.
std::string TempScript(const char* name, const char* text) {
    std::string path = ::testing::TempDir() + name + std::to_string(::getpid()) + ".txt";
    if (std::FILE* f = std::fopen(path.c_str(), "w")) {
        std::fputs(text, f);
        std::fclose(f);
    }
    return path;
}

TEST(ShellProgram, HeadlessRunOf300FramesExitsWith0) {
    // Confirm the title's first item and the first character, then play.
    std::string script = TempScript("pello_start_", "# title, then selection\nz x2\n");
    std::string err;
    EXPECT_EQ(RunGameExe("--headless --frames 300 --time-limit 120 --input \"" + script + "\" --data \"" +
                             PELLO_TEST_DATA_DIR + "\"",
                         &err),
              0);
    EXPECT_EQ(err.find("time limit"), std::string::npos) << err;  // ended by --frames
    size_t at = err.find("last frame hash ");
    ASSERT_NE(at, std::string::npos) << err;
    std::string hash = err.substr(at + 16, 16);

    // Headless runs repeat to the pixel.
    EXPECT_EQ(RunGameExe("--headless --frames 300 --input \"" + script + "\" --data \"" PELLO_TEST_DATA_DIR "\"",
                         &err),
              0);
    EXPECT_NE(err.find("last frame hash " + hash), std::string::npos) << err;
    std::remove(script.c_str());
}

TEST(ShellProgram, CloseButtonEndsTheProgramFromAScreen) {
    // The title polls input but reads no messages; the close request still
    // runs the shut-down and ends the program with 0, long before the time limit.
    std::string script = TempScript("pello_close_", "0 x20\nclose\n");
    std::string err;
    EXPECT_EQ(RunGameExe("--headless --input \"" + script + "\" --data \"" PELLO_TEST_DATA_DIR "\"", &err), 0);
    EXPECT_EQ(err.find("time limit"), std::string::npos) << err;
    EXPECT_NE(err.find("headless run ended"), std::string::npos) << err;  // the shut-down ran
    std::remove(script.c_str());
}

TEST(ShellProgram, EscapeOnTheTitleActsOncePlayStarts) {
    std::string script = TempScript("pello_esc_", "esc\nz x2\n");
    std::string err;
    EXPECT_EQ(RunGameExe("--headless --input \"" + script + "\" --data \"" PELLO_TEST_DATA_DIR "\"", &err), 0);
    EXPECT_EQ(err.find("time limit"), std::string::npos) << err;
    std::remove(script.c_str());
}

TEST(ShellProgram, NoDisplayIsAFailedStart) {
    if (::access("/dev/dri", F_OK) == 0)
        GTEST_SKIP() << "a console display driver might open the screen here";
    // With no display named SDL falls back to a driver that shows nothing.
    std::string err;
    EXPECT_EQ(RunGameExe("--window --mute --data \"" PELLO_TEST_DATA_DIR "\"", &err, true), 1);
    EXPECT_NE(err.find("Error DirectDrawInitialize"), std::string::npos) << err;
    EXPECT_NE(err.find("cannot open the game's window"), std::string::npos) << err;  // and why, in words
    EXPECT_NE(err.find("SDL says: "), std::string::npos) << err;
}

TEST(ShellProgram, OptionsAndFailuresGiveTheirCodes) {
    EXPECT_EQ(RunGameExe("--help"), 0);
    EXPECT_EQ(RunGameExe("--frames"), 2);
    EXPECT_EQ(RunGameExe("--scale 0"), 2);
    EXPECT_EQ(RunGameExe("--bogus"), 2);
    EXPECT_EQ(RunGameExe("--headless --data /nonexistent/pello"), 1);
    EXPECT_EQ(RunGameExe("--headless --input /nonexistent/script --data \"" PELLO_TEST_DATA_DIR "\""), 1);
    // A headless run that waits on a screen forever ends at its time limit.
    std::string err;
    EXPECT_EQ(RunGameExe("--headless --time-limit 5 --data \"" PELLO_TEST_DATA_DIR "\"", &err), 0);
    EXPECT_NE(err.find("time limit"), std::string::npos) << err;
}

}  // namespace
