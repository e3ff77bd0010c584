// The whole game's front end: its menu paths through the real screens with
// scripted input (stand-ins play the stages), the score table's file and its
// failures, name entry and the options screen.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "input/input.h"
#include "pilot/pilot.h"
#include "platform/platform.h"
#include "screens/front_end.h"
#include "screens/screens.h"
#include "shell/replay.h"
#include "shell/score_table.h"
#include "shell/shell.h"
#include "shell/whole_game.h"
#include "stage/stage.h"
#include "state/play_state.h"
#include "video/video.h"
#include "headless_screens.h"

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteText(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

void Script(const std::string& text) {
    std::vector<plat::ScriptRun> runs;
    std::string error;
    ASSERT_TRUE(plat::ParseInputScript(text, runs, error)) << error;
    plat::SetScriptedInput(runs);
}

// What the stand-ins saw, and what the next stage's first frame does.
struct Played {
    std::string log;                // S selection, L set-up, C caption, F frame, E end picture
    std::vector<int> stages;        // the stage of each set-up
    bool clearStage1 = false;       // a campaign's first stage is cleared at once
} played;

int StubCharsel() {
    played.log += 'S';
    return 4;  // character 5
}
void StubLoad() {
    played.log += 'L';
    played.stages.push_back(stageNo);
}
void StubCaption(int) { played.log += 'C'; }
void StubStageEnd() { played.log += 'E'; }
// Every stage ends on its first frame: stage 1 of a campaign with a clear,
// every other with a game over.
void StubFrame() {
    played.log += 'F';
    GameState.score += 700;
    if (played.clearStage1 && stageNo == 1)
        clearFlag = 1;
    else
        restartFlag = 1;
}

class WholeGame : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(fs::path(PELLO_TEST_DATA_DIR) / "menu_text.bmp")) GTEST_SKIP() << "no generated data";
        old_ = fs::current_path();
        fs::current_path(PELLO_TEST_DATA_DIR);
        home_ = fs::temp_directory_path() / ("pello-whole-" + std::to_string(getpid()));
        fs::remove_all(home_);
        fs::create_directories(home_);
        setenv("XDG_DATA_HOME", home_.c_str(), 1);
        ASSERT_TRUE(StartHeadlessScreens());
        saved_ = outerLoopCalls;
        outerLoopCalls = {h_Title, StubCharsel, StubFrame, StubStageEnd, StubLoad, StubCaption};
        played = Played{};
        quitFlag = 0;
        savedPlat_ = plat::GetOptions();
    }
    void TearDown() override {
        if (old_.empty()) return;
        outerLoopCalls = saved_;
        runOverHook = nullptr;
        inputTap = InputTap{};
        SetRunStages(0, false);
        ResetScreensState();
        plat::SetScriptedInput(std::vector<int>{});
        quitFlag = 0;
        unsetenv("XDG_DATA_HOME");
        plat::Startup(savedPlat_);
        fs::current_path(old_);
        fs::remove_all(home_);
    }
    fs::path old_, home_;
    OuterLoopCalls saved_{};
    plat::Options savedPlat_;
};

TEST_F(WholeGame, PracticeKeepsItsBestOutOfTheTableAndComesBackToItsChoice) {
    InstallWholeGame(0, ScoresPath(), nullptr);
    Script("0 x3\ndown\n0\nz\n"          // title: PRACTICE
           "0 x3\ndown\n0\nz\n"          // only stage 1 is open: down reaches BACK, which goes back
           "0 x3\nz\n0 x3\nz\n"          // title: PRACTICE again; stage 1
           "0 x3\nx\n"                   // after the game over: the practice choice again; back
           "0 x3\ndown\n0\ndown\n0\nz\n");  // title: QUIT
    EXPECT_EQ(OuterLoop(), 0);
    EXPECT_EQ(played.log, "SLFL");       // the quit passes one stage set-up, as the plain game does
    EXPECT_EQ(played.stages[0], 1);
    ScoreBook book;
    std::string why;
    ASSERT_TRUE(ParseScoreBook(ReadText(ScoresPath()), book, why)) << why;
    EXPECT_EQ(book.practiceBest[0], 700);
    EXPECT_TRUE(book.entries.empty());
    EXPECT_EQ(book.reached, 1);
}

// The selection takes a held first button as its choice: the press that
// picked the stage (held a few frames, as a person presses) is not one.
TEST_F(WholeGame, ThePressThatPicksAPracticeStageDoesNotPickTheCharacterToo) {
    const int best[5] = {};
    Script("0 x3\nz x10\n0 x3\nup\n0\nz\n");
    EXPECT_EQ(h_Practice(1, best), 1);
    CharselWholeCast = 1;
    EXPECT_EQ(h_Charsel(), 1);
}

TEST_F(WholeGame, ACampaignRunEntersTheTableWithATypedNameAndItsReplay) {
    replay::StartRecorder("");
    played.clearStage1 = true;
    InstallWholeGame(0, ScoresPath(), nullptr);
    Script("0 x3\nz\n"                             // START GAME; stage 1 cleared, stage 2 lost
           "0 x3\nkey d\nkey z\nkey backspace\nkey a\nkey return\n"  // "DA": Z typed, not taken twice
           "0 x3\nz\n"                             // the table with the new line; any key ends it
           "0 x3\nup\n0\nz\n");                    // QUIT
    EXPECT_EQ(OuterLoop(), 0);
    EXPECT_EQ(played.log, "SLFLCFL");
    ScoreBook book;
    std::string why;
    ASSERT_TRUE(ParseScoreBook(ReadText(ScoresPath()), book, why)) << why;
    ASSERT_EQ(book.entries.size(), 1u);
    const ScoreEntry& e = book.entries[0];
    EXPECT_EQ(e.name, "DA");
    EXPECT_EQ(e.score, 1400);
    EXPECT_EQ(e.chno, 5);
    EXPECT_EQ(e.stage, 2);
    EXPECT_EQ(book.lastName, "DA");
    EXPECT_EQ(book.reached, 2);  // stage 2 opens for practice
    // The entry's replay is the run's, whole: from stage 1 to the game over.
    std::string bytes = ReadText(home_ / "pelloquinade" / "replays" / e.replay);
    replay::Replay r;
    ASSERT_TRUE(replay::Decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), r, why)) << why;
    EXPECT_EQ(r.stage, 1);
    EXPECT_EQ(r.campaign, replay::kModeCampaign);
    EXPECT_EQ(r.endReason, replay::kEndGameOver);
}

TEST_F(WholeGame, IdleTitleShowsTheTableAndAnyKeyBringsTheMenuBack) {
    static int idles = 0;
    idles = 0;
    TitleWholeGame = 1;
    TitleIdle = [] { idles++; };
    // 20 s of virtual time pass at about 16 ms a frame; then a key resets the wait.
    Script("0 x1300\nup\n0 x600\nz\n");
    EXPECT_EQ(h_Title(), 3);
    EXPECT_EQ(idles, 1);
    // The whole table screen ends at once on a key and on its own after its time.
    Script("0 x2\nkey q\n");
    EXPECT_TRUE(h_ScoreTable({}, -1, 60000));
    uint32_t t0 = plat::GetTicks();
    Script("");
    EXPECT_FALSE(h_ScoreTable({}, -1, 2000));
    EXPECT_GE(plat::GetTicks() - t0, 2000u);
}

// After the table the idle cycle shows a demo the planning pilot flies; a key
// ends it, and it leaves no run recorded and the play state as it was.
TEST_F(WholeGame, IdleCycleEndsInADemoThatAKeyEnds) {
    replay::StartRecorder("");
    outerLoopCalls.gameFrame = GameFrame;
    outerLoopCalls.loadStage = LoadStageSlots;
    InstallWholeGame(0, ScoresPath(), nullptr);
    const uint64_t state = playstate::Hash();
    const long frames = playFramesRun;
    // 20 s idle, the table's 7 s, about 10 s of demo, a key; then QUIT.
    Script("0 x2350\nkey q\n0 x3\nup\n0\nz\n");
    EXPECT_EQ(h_Title(), 3);
    EXPECT_GT(playFramesRun - frames, 400);
    EXPECT_LT(playFramesRun - frames, 1500);  // the key ended it, well before its 40 s
    EXPECT_EQ(playstate::Hash(), state);
    EXPECT_EQ(replay::FinishedRun(), nullptr);
    EXPECT_FALSE(pilot::Installed());
}

TEST(ScoreTable, KeepsTheTenBestAndRefusesEveryChangedFile) {
    ScoreBook book;
    for (int i = 1; i <= 12; i++) {
        ScoreEntry e{"P" + std::to_string(i), i * 100, i % 10, 1 + i % 5, "2026-12-08", "r" + std::to_string(i) + ".pqr"};
        int rank = ScoreRank(book, e.score);
        std::vector<std::string> dropped = InsertScore(book, e, rank);
        EXPECT_EQ(rank, 0);
        if (i > 10) {
            EXPECT_EQ(dropped, std::vector<std::string>{"r" + std::to_string(i - 10) + ".pqr"});
        }
    }
    EXPECT_EQ(ScoreRank(book, 300), -1);   // below the tenth
    EXPECT_EQ(ScoreRank(book, 1150), 1);   // a tie stays below the older line
    EXPECT_EQ(ScoreRank(ScoreBook{}, 0), -1);
    book.lastName = "ADA";
    book.reached = 4;
    book.practiceBest[2] = 999;
    const std::string text = FormatScoreBook(book);
    ScoreBook back;
    std::string why;
    ASSERT_TRUE(ParseScoreBook(text, back, why)) << why;
    EXPECT_EQ(FormatScoreBook(back), text);
    EXPECT_EQ(back.entries.front().name, "P12");

    std::string changed = text;
    changed[text.find("1200")] = '9';
    std::string cut = text.substr(0, text.size() / 2);
    ScoreBook tmp;  // a replay name the game never writes, checksum made good
    tmp.entries = {ScoreEntry{"X", 1, 0, 1, "2026-12-08", "../../etc"}};
    for (const std::string& bad : {changed, cut, std::string("\x89PNG\r\n"), std::string(""),
                                   FormatScoreBook(tmp)}) {
        EXPECT_FALSE(ParseScoreBook(bad, back, why)) << bad;
        EXPECT_FALSE(why.empty());
    }
}

TEST(ScoreTable, ADamagedFileIsKeptAsideAndAFailedWriteKeepsTheOldFile) {
    fs::path dir = fs::temp_directory_path() / ("pello-scores-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string path = (dir / "scores.txt").string();
    std::string notice;
    EXPECT_TRUE(LoadScoreBook(path, notice, true).entries.empty());  // no file yet: an empty table
    EXPECT_TRUE(notice.empty());

    WriteText(path, "pelloquinade-scores 1\nentry AB 5 0 1 2026-12-08 a.pqr\ncheck 00000000\n");
    EXPECT_TRUE(LoadScoreBook(path, notice, false).entries.empty());
    EXPECT_TRUE(fs::exists(path));       // --scores only reports
    ScoreBook book = LoadScoreBook(path, notice, true);
    EXPECT_TRUE(book.entries.empty());
    EXPECT_NE(notice.find("damaged"), std::string::npos) << notice;
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(fs::exists(path + ".damaged"));
    WriteText(path, "GIF89a");
    LoadScoreBook(path, notice, true);
    EXPECT_NE(notice.find("not a score table"), std::string::npos) << notice;
    EXPECT_TRUE(fs::exists(path + ".damaged-2"));

    // A full disk: the temporary file is the device that is always full.
    book.entries = {ScoreEntry{"ADA", 500, 2, 3, "2026-12-08", "a.pqr"}};
    std::string error;
    ASSERT_TRUE(SaveScoreBook(path, book, error)) << error;
    const std::string kept = ReadText(path);
    book.entries[0].score = 900;
    fs::create_symlink("/dev/full", path + ".part");
    EXPECT_FALSE(SaveScoreBook(path, book, error));
    EXPECT_NE(error.find("space"), std::string::npos) << error;
    EXPECT_EQ(ReadText(path), kept);
    fs::remove_all(dir);
}

TEST(NameEntry, ButtonsAndTypingBuildOneNameOfAtMostEight) {
    NameEntryState s = StartNameEntry("ADA");
    EXPECT_EQ(s.offer, kNameEnd);        // the offered name is taken with one press
    StepNameEntry(s, IN_B1, {});
    EXPECT_TRUE(s.done);
    EXPECT_EQ(s.name, "ADA");

    s = StartNameEntry("");
    StepNameEntry(s, IN_UP, {});         // from A up to END, which is refused while the name is empty
    StepNameEntry(s, IN_B1, {});
    EXPECT_FALSE(s.done);
    StepNameEntry(s, IN_UP, {});         // up again to '!'
    StepNameEntry(s, IN_B1, {});
    StepNameEntry(s, IN_DOWN, {});
    StepNameEntry(s, IN_DOWN, {});       // 'A'
    StepNameEntry(s, IN_B1, {});
    EXPECT_EQ(s.name, "!A");
    StepNameEntry(s, IN_B2, {});
    StepNameEntry(s, IN_B1, {"x", "Left Shift", "7"});  // typing wins over the button it is bound to
    EXPECT_EQ(s.name, "!X7");
    for (int i = 0; i < 9; i++) StepNameEntry(s, 0, {"Q"});
    EXPECT_EQ(s.name, "!X7QQQQQ");
    EXPECT_EQ(s.offer, kNameEnd);
    StepNameEntry(s, 0, {"Backspace", "Return"});
    EXPECT_TRUE(s.done);
    EXPECT_EQ(s.name, "!X7QQQQ");
}

Settings savedByOptions;
void KeepOptions(const Settings& s) { savedByOptions = s; }

TEST_F(WholeGame, OptionsChangeAtOnceRefuseReservedKeysAndSaveOnlyWhatChanged) {
    savedByOptions = Settings{};
    Script("0 x3\nright\n0\n"                      // full screen: no (a window)
           "down\n0\nright\n0\n"                   // scale 0 -> 1
           "down\n0\nleft\n0\ndown\n0\n"           // music 100 -> 90; effects as they are
           "down\n0\nz\n0\nesc\n0\nkey f12\n0\nkey w\n0\n"  // key up: Escape and F12 refused, W taken
           "down\n0\nz\n0\nkey w\n0\n"             // key down: W, so up takes Down in exchange
           "down\n0\nz\n0\nkey p\n0 x700\n"      // key right: P pauses; nobody answers for 10 s, given up
           "down\n0\ndown\n0\ndown\n0\ndown\n0\nright\n0\n"  // pad shoot: a -> b
           "down\n0\ndown\n0\ndown\n0\nleft\n0\n"  // dead zone 25 -> 20
           "x\n");
    h_Options(KeepOptions);
    const plat::Options& o = plat::GetOptions();
    const Settings& saved = savedByOptions;
    EXPECT_EQ(saved.Number("music_volume"), 90);
    EXPECT_FALSE(saved.Has("sfx_volume"));
    EXPECT_EQ(saved.Number("fullscreen"), 0);
    EXPECT_EQ(saved.Number("scale"), 1);
    EXPECT_EQ(saved.Text("key_up"), "Down");
    EXPECT_EQ(saved.Text("key_down"), "W");
    EXPECT_FALSE(saved.Has("key_right"));
    EXPECT_EQ(saved.Text("pad_shoot"), "b");
    EXPECT_EQ(saved.Number("pad_dead_zone"), 20);
    EXPECT_EQ(o.keys[1], "W");
    EXPECT_TRUE(o.windowed);
    int music = 0, sfx = 0;
    plat::GetVolumes(music, sfx);
    EXPECT_EQ(music, 90);
    // The bound key moves the craft at once.
    plat::TestNamedKeyEvent("W", true);
    EXPECT_EQ(plat::QueryKey(plat::Key::Down) & 1, 1);
    plat::TestNamedKeyEvent("W", false);

    // Reset to defaults (second row from the end) puts every value back.
    savedByOptions = Settings{};
    Script("0 x3\nup\n0\nup\n0\nz\n0\nx\n");
    h_Options(KeepOptions);
    EXPECT_EQ(savedByOptions.Number("music_volume"), 100);
    EXPECT_EQ(savedByOptions.Text("key_up"), "Up");
    EXPECT_EQ(savedByOptions.Number("fullscreen"), 1);
    EXPECT_EQ(plat::GetOptions().padDeadZone, 25);

    // The full screen row follows Alt+Enter, so right on it goes back to full
    // screen; leaving with nothing changed saves nothing.
    Script("0 x3\nkey alt+return\n0\nright\n0\nx\n");
    h_Options(KeepOptions);
    EXPECT_FALSE(plat::GetOptions().windowed);
    EXPECT_EQ(savedByOptions.values.size(), 1u);
    EXPECT_EQ(savedByOptions.Number("fullscreen"), 1);
    savedByOptions.SetNumber("scale", 7);  // a save with nothing in it would replace this
    Script("0 x3\nx\n");
    h_Options(KeepOptions);
    EXPECT_EQ(savedByOptions.Number("scale"), 7);
}

// Every row changed through the screen is written, read back from the
// settings file's text at the next start and shown again as it was left.
TEST_F(WholeGame, EveryOptionsRowIsKeptThroughTheSettingsFile) {
    const RunOptions savedLaunch = launch;
    launch = RunOptions{};
    launch.campaign = true;
    launch.plat = plat::GetOptions();
    savedByOptions = Settings{};
    Script("0 x3\nright\n0\n"                                   // full screen: no
           "down\n0\nright\n0\ndown\n0\nleft\n0\ndown\n0\nleft\n0\n"  // scale 1, music 90, effects 90
           "down\n0\nz\n0\nkey w\n0\ndown\n0\nz\n0\nkey s\n0\ndown\n0\nz\n0\nkey d\n0\n"  // up, down, right
           "down\n0\nz\n0\nkey a\n0\ndown\n0\nz\n0\nkey j\n0\ndown\n0\nz\n0\nkey k\n0\n"  // left, shoot, second
           "down\n0\nright\n0\ndown\n0\nright\n0\ndown\n0\nright\n0\n"  // the pad's three buttons
           "down\n0\nleft\n0\ndown\n0\nright\n0\n"             // dead zone 20; reduce flashing: no
           "x\n");
    const RunOptions defaults = OptionsInForce();
    h_Options(KeepOptions);
    const RunOptions left = OptionsInForce();
    EXPECT_EQ(launch.reduceFlashing, 0);  // in force from the next stage on

    // The next start: the file's text read back over the defaults.
    std::vector<std::string> problems;
    const Settings reread = ParseSettings(FormatSettings(savedByOptions), problems);
    EXPECT_TRUE(problems.empty());
    launch = RunOptions{};
    launch.campaign = true;
    launch.plat = savedPlat_;
    LandOptions(reread, launch, true);
    ASSERT_TRUE(StartHeadlessScreens(launch.plat));
    const RunOptions shown = OptionsInForce();
    int rows = 0;
    for (const OptionRow& row : GameOptions()) {
        if (!row.label || !row.read) continue;
        rows++;
        SCOPED_TRACE(row.key);
        EXPECT_TRUE(savedByOptions.Has(row.key));
        EXPECT_FALSE(row.read(left).number == row.read(defaults).number && row.read(left).text == row.read(defaults).text);
        EXPECT_EQ(row.read(shown).number, row.read(left).number);
        EXPECT_EQ(row.read(shown).text, row.read(left).text);
    }
    EXPECT_EQ(rows, 15);
    launch = savedLaunch;
}

}  // namespace
