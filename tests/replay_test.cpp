// Replays and settings: the file formats, the option table, key bindings, pause, and whole-program playback.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "input/input.h"
#include "platform/platform.h"
#include "shell/replay.h"
#include "shell/options.h"
#include "shell/shell.h"
#include "state/play_state.h"
#include "video/video.h"

namespace {

replay::Replay SampleReplay() {
    replay::Replay r;
    r.seed = 0xDEADBEEF;
    r.chno = 4;
    r.lives = 5;
    r.stage = 1;
    r.optShotLv = 2;
    r.optOption = 3;
    r.endReason = replay::kEndGameOver;
    r.finalHash = 0x0123456789ABCDEFull;
    r.words = {{16, 2}, {0, 300}, {21, 7}};
    r.events = {{12, replay::kEventEnd, false}, {40, replay::kEventClose, true}};
    r.layout = playstate::LayoutId();
    r.carried = playstate::Pack();
    return r;
}

TEST(ReplayFile, RoundTripsAndRejectsEveryDamagedForm) {
    const std::vector<uint8_t> bytes = replay::Encode(SampleReplay());
    replay::Replay back;
    std::string error;
    ASSERT_TRUE(replay::Decode(bytes.data(), bytes.size(), back, error)) << error;
    EXPECT_EQ(replay::Encode(back), bytes);

    // Every cut, every single flipped bit: refused with a reason, never a crash.
    for (size_t n = 0; n < bytes.size(); n++) {
        error.clear();
        EXPECT_FALSE(replay::Decode(bytes.data(), n, back, error)) << n;
        EXPECT_FALSE(error.empty());
    }
    for (size_t i = 0; i < bytes.size(); i++) {
        std::vector<uint8_t> bad = bytes;
        bad[i] ^= 0x10;
        EXPECT_FALSE(replay::Decode(bad.data(), bad.size(), back, error)) << i;
    }
    std::string foreign = "RIFF....WAVEfmt ";
    EXPECT_FALSE(replay::Decode(reinterpret_cast<const uint8_t*>(foreign.data()), foreign.size(), back, error));
    EXPECT_EQ(error, "not a replay file");

    replay::Replay newer = SampleReplay();
    std::vector<uint8_t> v4 = replay::Encode(newer);
    v4[8] = 4;  // a later format; its checksum still holds so the version is what is reported
    v4.resize(v4.size() - 4);
    const uint32_t h = replay::Checksum(v4.data(), v4.size());
    for (int i = 0; i < 4; i++) v4.push_back(static_cast<uint8_t>(h >> (8 * i)));
    EXPECT_FALSE(replay::Decode(v4.data(), v4.size(), back, error));
    EXPECT_NE(error.find("version 4"), std::string::npos) << error;

    // Whole files no run can make: a stage past the last, a starting score.
    for (auto forge : {+[](replay::Replay& r) { r.stage = 6; }, +[](replay::Replay& r) { r.score = 2147483647; }}) {
        replay::Replay r = SampleReplay();
        forge(r);
        const std::vector<uint8_t> forged = replay::Encode(r);
        EXPECT_FALSE(replay::Decode(forged.data(), forged.size(), back, error));
    }
    // Reading checks the header first: an endless file is refused at once.
    EXPECT_FALSE(replay::ReadFile("/dev/zero", back, error));
    EXPECT_EQ(error, "not a replay file");
}

TEST(SettingsFile, KeepsGoodLinesReportsBadOnesByNumber) {
    std::vector<std::string> problems;
    Settings s = ParseSettings(
        "# comment\n"
        "fullscreen = no\n"
        "music_volume = 140\n"      // 3: out of range
        "SFX_VOLUME=30\n"
        "key_shoot = Space\n"
        "key_up = NoSuchKey\n"      // 6
        "just words\n"              // 7
        "pad_pause = back\n"
        "stage = 2\n"
        "colour = blue\n"           // 10
        "key_second = Escape\n"     // 11: the game's own key
        "key_down = p\n"            // 12: already the pause key
        "key_left = space\n",       // 13: already the shoot key, bound above
        problems);
    ASSERT_EQ(problems.size(), 7u);
    EXPECT_EQ(problems[0].rfind("line 3:", 0), 0u);
    EXPECT_EQ(problems[1].rfind("line 6:", 0), 0u);
    EXPECT_EQ(problems[2].rfind("line 7:", 0), 0u);
    EXPECT_EQ(problems[3].rfind("line 10:", 0), 0u);
    EXPECT_EQ(problems[4].rfind("line 11:", 0), 0u);
    EXPECT_EQ(problems[5], "line 12: \"p\" is already the pause key");
    EXPECT_EQ(problems[6], "line 13: \"space\" is already the shoot key");
    EXPECT_FALSE(s.Has("key_second") || s.Has("key_down") || s.Has("key_left"));
    EXPECT_EQ(s.Number("fullscreen"), 0);
    EXPECT_FALSE(s.Has("music_volume"));
    EXPECT_EQ(s.Number("sfx_volume"), 30);
    EXPECT_EQ(s.Text("key_shoot"), "Space");
    EXPECT_FALSE(s.Has("key_up"));
    EXPECT_EQ(s.Text("pad_pause"), "back");
    EXPECT_EQ(s.Number("stage"), 2);

    // What the game writes reads back the same; the command line wins a merge.
    std::vector<std::string> none;
    Settings again = ParseSettings(FormatSettings(s), none);
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(FormatSettings(again), FormatSettings(s));
    Settings cli;
    cli.SetNumber("sfx_volume", 80);
    EXPECT_EQ(MergeSettings(s, cli).Number("sfx_volume"), 80);
    EXPECT_EQ(MergeSettings(s, cli).Number("fullscreen"), 0);

    // A refused binding gives its action the default key back; a binding let
    // through earlier to that key is refused too, so no key has two actions
    // and what the game writes reads back the same.
    std::vector<std::string> chain;
    Settings keys = ParseSettings("key_pause = a\nkey_up = Left\nkey_left = a\n", chain);
    ASSERT_EQ(chain.size(), 2u);
    EXPECT_EQ(chain[0], "line 3: \"a\" is already the pause key");
    EXPECT_EQ(chain[1], "line 2: \"Left\" is already the left key");
    EXPECT_EQ(FormatSettings(ParseSettings(FormatSettings(keys), none)), FormatSettings(keys));
    EXPECT_TRUE(none.empty());
}

// A row added to the table is listed by --help, read from the command line
// and the settings file, written back, and landed, with no other edit.
TEST(SettingsFile, AnOptionIsOneRow) {
    static long landed = -1;
    std::vector<OptionRow> rows(GameOptions().begin(), GameOptions().end());
    rows.push_back({.flag = "--made-up", .key = "made_up", .kind = OptionKind::Number, .lo = 2, .hi = 9,
                    .arg = "N", .help = "a made-up option 2..9", .label = "Made up",
                    .land = [](RunOptions&, const OptionValue& v) { landed = v.number; }});
    EXPECT_NE(HelpText(rows).find("  --made-up N         a made-up option 2..9\n"), std::string::npos);

    std::vector<std::string> problems;
    Settings file = ParseSettings("made_up = 7\nmade_up = 10\n", problems, rows);
    ASSERT_EQ(problems.size(), 1u);  // 10 is out of range
    EXPECT_EQ(file.Number("made_up"), 7);
    EXPECT_NE(FormatSettings(file, rows).find("made_up = 7\n"), std::string::npos);
    RunOptions run;
    LandOptions(file, run, true, rows);
    EXPECT_EQ(landed, 7);

    const char* argv[] = {"pelloquinade", "--made-up", "4"};
    Settings cli;
    EXPECT_EQ(ReadCommandLine(3, const_cast<char**>(argv), cli, rows), -1);
    LandOptions(MergeSettings(file, cli), run, true, rows);
    EXPECT_EQ(landed, 4);
}

TEST(InputBindings, BoundKeysMakeTheWordAndThePauseMessage) {
    plat::Options o;
    o.headless = true;
    o.keys[4] = "Space";
    o.keys[6] = "Return";
    ASSERT_TRUE(plat::Startup(o));
    ResetInputState();
    ASSERT_TRUE(plat::TestNamedKeyEvent("Space", true));
    ASSERT_TRUE(plat::TestNamedKeyEvent("Z", true));  // no longer bound: ignored
    EXPECT_EQ(GetInput(), IN_B1);
    plat::TestNamedKeyEvent("Space", false);
    plat::TestNamedKeyEvent("Return", true);
    plat::Message m;
    ASSERT_TRUE(plat::PeekMessage(m, true));
    EXPECT_EQ(m.type, plat::MsgType::Pause);
    EXPECT_FALSE(plat::TestNamedKeyEvent("NoSuchKey", true));
    // Rebinding while the key is held (the options screen's confirm key on
    // "reset to defaults") leaves no action held for ever.
    plat::TestNamedKeyEvent("Space", true);
    const std::string keys[8] = {"Up", "Down", "Right", "Left", "Z", "X", "P", "F12"};
    plat::SetBindings(keys, o.padButtons, o.padDeadZone);
    plat::TestNamedKeyEvent("Space", false);
    EXPECT_EQ(GetInput(), 0);

    // A binding never takes the program's own keys away: Escape still quits.
    o.keys[5] = "Escape";
    plat::Startup(o);
    plat::TestNamedKeyEvent("Escape", true);
    EXPECT_EQ(GetInput(), 0);
    ASSERT_TRUE(plat::PeekMessage(m, true));
    EXPECT_EQ(m.type, plat::MsgType::KeyEscape);
    o.keys[4] = "Z";
    o.keys[5] = "X";
    o.keys[6] = "P";
    plat::Startup(o);
}

// Pausing: no frame runs and the stage clock stands still; afterwards the
// gate goes on at its pace with no burst of frames to catch up.
std::vector<uint32_t> gates;
std::vector<int> clocks;
void PausingFrame() {
    long before = playFramesRun;
    GameFrame();
    if (playFramesRun == before) return;
    gates.push_back(plat::GetTicks());
    clocks.push_back(menFrame);
    if (gates.size() == 3) {  // hold the pause through 40 passes of its loop
        plat::PostMessage({plat::MsgType::Pause, 0});
        for (int i = 0; i < 40; i++) plat::PostMessage({plat::MsgType::Pause, 1});  // focus loss: stays paused
        plat::PostMessage({plat::MsgType::Pause, 0});
    }
    if (gates.size() == 7) quitFlag = 1;
}
int StartTitle() { return 0; }
int FirstCharacter() { return 0; }
void NoStageEnd() {}
void NoLoad() {}

TEST(ShellPause, HoldsTheFrameCounterAndStageClockThenResumesAtPace) {
    plat::Options o;
    o.headless = true;
    ASSERT_TRUE(plat::Startup(o));
    ASSERT_EQ(InitDisplay(), 0);
    OuterLoopCalls saved = outerLoopCalls;
    outerLoopCalls = {StartTitle, FirstCharacter, PausingFrame, NoStageEnd, NoLoad, nullptr};
    quitFlag = 0;
    gates.clear();
    clocks.clear();
    EXPECT_EQ(OuterLoop(), 0);
    outerLoopCalls = saved;
    quitFlag = 0;
    ASSERT_EQ(gates.size(), 7u);
    EXPECT_EQ(clocks, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_GE(gates[3] - gates[2], 40u * 15u);  // the pause
    for (size_t i = 4; i < gates.size(); i++) EXPECT_GE(gates[i] - gates[i - 1], 15u) << i;

    // A key tapped while paused does not reach the first frame after it; a key still held does.
    plat::TestKeyEvent(plat::Key::X, true);
    plat::TestKeyEvent(plat::Key::X, false);
    plat::TestKeyEvent(plat::Key::Up, true);
    plat::PostMessage({plat::MsgType::Pause, 0});
    EXPECT_TRUE(PauseUntilResumed());
    EXPECT_EQ(plat::QueryKey(plat::Key::X), 0);
    EXPECT_EQ(plat::QueryKey(plat::Key::Up), 1);
    plat::TestKeyEvent(plat::Key::Up, false);
}

// Runs the game; returns its exit code and what it wrote to stdout and stderr.
// `env`: settings for `env` to run the game with ("-u HOME XDG_CONFIG_HOME=...").
int RunGame(const std::string& args, std::string& out, const std::string& env = "") {
    std::string file = ::testing::TempDir() + "pello_replay_out_" + std::to_string(::getpid()) + ".txt";
    std::string cmd = "env " + env + " \"" + PELLO_GAME_EXE + "\" " + args + " >\"" + file + "\" 2>&1";
    int st = std::system(cmd.c_str());
    std::ifstream in(file);
    std::stringstream ss;
    ss << in.rdbuf();
    out = ss.str();
    std::remove(file.c_str());
    return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

std::string WriteTemp(const std::string& name, const std::string& text) {
    std::string path = ::testing::TempDir() + name + std::to_string(::getpid());
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

const std::string kData = std::string(" --data \"") + PELLO_TEST_DATA_DIR + "\"";

TEST(ReplayProgram, ARecordedRunPlaysBackToTheSameStateAndBadFilesFailCleanly) {
    // Title, selection, a weaving fight; Escape ends the run.
    std::string script = WriteTemp("pello_rec_script_", "z\nz\nup+z x200\ndown+right+z x250\nleft+x x90\nesc\n");
    std::string rec = ::testing::TempDir() + "pello_rec_" + std::to_string(::getpid()) + ".pqr";
    std::string out;
    ASSERT_EQ(RunGame("--headless --power 1,2 --input \"" + script + "\" --record \"" + rec + "\"" + kData, out), 0)
        << out;
    ASSERT_EQ(RunGame("--headless --replay \"" + rec + "\"" + kData, out), 0) << out;
    EXPECT_NE(out.find("(as recorded)"), std::string::npos) << out;

    std::ifstream in(rec, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const std::string& bad : {bytes.substr(0, bytes.size() / 2), std::string("not a replay at all"),
                                   std::string()}) {
        std::string path = WriteTemp("pello_bad_", bad);
        EXPECT_EQ(RunGame("--headless --replay \"" + path + "\"" + kData, out), 1);
        EXPECT_NE(out.find("cannot play"), std::string::npos) << out;
        std::remove(path.c_str());
    }

    // Other data: a changed stage file is named before playing; a replayed
    // stage whose files are missing is refused as --stage would be.
    namespace fs = std::filesystem;
    const fs::path other = fs::path(::testing::TempDir()) / ("pello_other_data_" + std::to_string(::getpid()));
    fs::remove_all(other);
    fs::create_directories(other);
    for (const auto& e : fs::directory_iterator(PELLO_TEST_DATA_DIR)) {
        const std::string name = e.path().filename().string();
        if (name == "men1.dat") {
            std::ifstream in(e.path(), std::ios::binary);
            std::string men((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            men.back() ^= 1;
            std::ofstream(other / name, std::ios::binary) << men;
        } else if (name != "men5.dat") {
            fs::create_symlink(e.path(), other / name);
        }
    }
    const std::string otherData = " --data \"" + other.string() + "\"";
    RunGame("--headless --replay \"" + rec + "\"" + otherData, out);
    EXPECT_NE(out.find("recorded with other game data"), std::string::npos) << out;
    replay::Replay stage5;
    std::string error;
    ASSERT_TRUE(replay::ReadFile(rec, stage5, error)) << error;
    stage5.stage = 5;
    const std::vector<uint8_t> forged = replay::Encode(stage5);
    const std::string forgedPath = WriteTemp("pello_stage5_", std::string(forged.begin(), forged.end()));
    EXPECT_EQ(RunGame("--headless --replay \"" + forgedPath + "\"" + otherData, out), 1);
    EXPECT_NE(out.find("stage 5 has no data"), std::string::npos) << out;
    fs::remove_all(other);
    std::remove(forgedPath.c_str());
    std::remove(rec.c_str());
    std::remove(script.c_str());
}

// A later run of a session starts from what earlier runs left behind (the
// snow, the HUD's wobble, the pools' free entries): it replays as recorded.
// A replay whose end disagrees with the recording exits with code 3.
TEST(ReplayProgram, ALaterRunOfASessionReplaysAndADifferingOneFails) {
    std::string script = WriteTemp("pello_rec2_script_",
                                   "z\nz\nup+right+x x6000\nz\nz\nup+right+x x6000\nright\n0 x100\nz\nup\nz\n"
                                   "z\ndown+z+x x300\nup+left+z x200\nesc\n");
    std::string rec = ::testing::TempDir() + "pello_rec2_" + std::to_string(::getpid()) + ".pqr";
    std::string out;
    ASSERT_EQ(RunGame("--headless --time-limit 0 --input \"" + script + "\" --record \"" + rec + "\"" + kData, out),
              0)
        << out;
    EXPECT_EQ(RunGame("--headless --replay \"" + rec + "\"" + kData, out), 0) << out;
    EXPECT_NE(out.find("(as recorded)"), std::string::npos) << out;

    std::ifstream in(rec, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 80u);
    bytes[60] ^= 1;  // the recorded final hash, with the checksum made to fit
    bytes.resize(bytes.size() - 4);
    uint32_t h = 2166136261u;
    for (char b : bytes) h = (h ^ uint8_t(b)) * 16777619u;
    for (int i = 0; i < 4; i++) bytes.push_back(char(h >> (8 * i)));
    std::string forged = WriteTemp("pello_rec2_forged_", bytes);
    EXPECT_EQ(RunGame("--headless --replay \"" + forged + "\"" + kData, out), 3) << out;
    EXPECT_NE(out.find("(differs from the recording)"), std::string::npos) << out;
    for (const std::string& f : {rec, forged, script}) std::remove(f.c_str());
}

// The human-like pilot flies a stage the same way for the same seed, through
// the input word alone: its recording replays to the same end.
TEST(ReplayProgram, AHumanLikePilotsRunRepeatsForItsSeedAndReplays) {
    const std::string rec = ::testing::TempDir() + "pello_human_" + std::to_string(::getpid()) + ".pqr";
    const std::string fly = "--headless --stage 3 --character 4 --autopilot human --pilot-seed 3" + kData;
    auto report = [](const std::string& out) {
        const size_t at = out.find("pilot: ");
        return at == std::string::npos ? std::string() : out.substr(at, out.find('\n', at) - at);
    };
    std::string first, again;
    ASSERT_EQ(RunGame(fly + " --record \"" + rec + "\"", first), 0) << first;
    ASSERT_EQ(RunGame(fly, again), 0) << again;
    ASSERT_NE(first.find("pilot: stage 3"), std::string::npos) << first;
    EXPECT_EQ(report(first), report(again));
    EXPECT_EQ(RunGame("--headless --replay \"" + rec + "\"" + kData, again), 0) << again;
    EXPECT_NE(again.find("(as recorded)"), std::string::npos) << again;
    std::remove(rec.c_str());
}

// --save-settings writes into the player's file, keeping its lines and
// order, and keeps only the window and volume options; without an absolute
// home nothing is kept and the player is told once.
TEST(SettingsProgram, SavingKeepsThePlayersLinesAndNoHomeKeepsNothing) {
    namespace fs = std::filesystem;
    const fs::path config = fs::path(::testing::TempDir()) / ("pello_config_" + std::to_string(::getpid()));
    fs::remove_all(config);
    fs::create_directories(config / "pelloquinade");
    std::ofstream(config / "pelloquinade" / "settings.ini")
        << "# my settings\nfuture_option = 3\nkey_shoot = Space\nmusic_volume = 70\n";
    std::string out;
    // No data folder: the game stops right after the settings, before any window.
    const std::string noData = " --data /nonexistent";
    EXPECT_EQ(RunGame("--save-settings --campaign --stage 3 --window --music-volume 60" + noData, out,
                      "XDG_CONFIG_HOME=\"" + config.string() + "\""),
              1);
    std::ifstream in(config / "pelloquinade" / "settings.ini");
    const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(saved, "# my settings\nfuture_option = 3\nkey_shoot = Space\nmusic_volume = 60\nfullscreen = no\n");

    EXPECT_EQ(RunGame("--window" + noData, out, "-u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_PICTURES_DIR HOME=rel"), 1);
    EXPECT_NE(out.find("settings, replays and screenshots are not kept"), std::string::npos) << out;
    EXPECT_EQ(out.find("not kept"), out.rfind("not kept")) << out;
    fs::remove_all(config);
}

// A whole-game run that enters the high-score table keeps its replay, which
// --scores names and --replay plays back to the state the run ended in. The
// planning pilot clears the last stage (its ending, the name and the table
// come after the run) and then quits at the title. Its look-ahead costs too
// much under the sanitizers.
TEST(ReplayProgram, AHighScoreEntrysReplayPlaysBackAsRecorded) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the planning pilot is too slow under the sanitizers";
#endif
    namespace fs = std::filesystem;
    const fs::path home = fs::path(::testing::TempDir()) / ("pello_scores_" + std::to_string(::getpid()));
    fs::remove_all(home);
    const std::string env = "XDG_DATA_HOME=\"" + home.string() + "\"";
    std::string out;
    ASSERT_EQ(RunGame("--headless --campaign --stage 5 --autopilot" + kData, out, env), 0) << out;
    ASSERT_EQ(RunGame("--scores", out, env), 0) << out;
    const size_t at = out.find("1. /");
    ASSERT_NE(at, std::string::npos) << out;
    const std::string kept = out.substr(at + 3, out.find('\n', at) - at - 3);
    EXPECT_EQ(RunGame("--headless --replay \"" + kept + "\"" + kData, out, env), 0) << out;
    EXPECT_NE(out.find("(as recorded)"), std::string::npos) << out;
    fs::remove_all(home);
}

// Whole runs kept with the project. Their hashes cover the whole play state,
// not the pixels: new art keeps them. A change that alters play on purpose
// makes them again with scripts/refresh-replays.sh (see README), which also
// writes the hashes checked here.
TEST(ReplayProgram, RegressionRunsEndInTheirKnownStates) {
    std::ifstream list(std::string(PELLO_TEST_REPLAY_DIR) + "/hashes.txt");
    std::string file, hash;
    int runs = 0;
    for (std::string line; std::getline(list, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream(line) >> file >> hash;
        std::string out;
        runs++;
        EXPECT_EQ(RunGame("--headless --replay \"" + std::string(PELLO_TEST_REPLAY_DIR) + "/" + file + "\"" + kData, out),
                  0)
            << file << "\n" << out;
        EXPECT_NE(out.find("replay final state hash " + hash + " (as recorded)"), std::string::npos)
            << file << "\n" << out;
    }
    EXPECT_EQ(runs, 3);
}

}  // namespace


