#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "pilot/pilot.h"
#include "platform/platform.h"
#include "screens/screens.h"
#include "shell/replay.h"
#include "shell/settings.h"
#include "shell/shell.h"
#include "shell/user_files.h"
#include "shell/version.h"
#include "sound/sound.h"
#include "stage/stage.h"
#include "state/play_state.h"
#include "video/video.h"

#ifndef PELLO_DEFAULT_DATA_DIR
#define PELLO_DEFAULT_DATA_DIR ""
#endif
#ifndef PELLO_GENERATOR
#define PELLO_GENERATOR "assetgen"
#endif
#ifndef PELLO_DATA_FROM_EXE
#define PELLO_DATA_FROM_EXE "../share/games/pelloquinade"
#endif

OuterLoopCalls outerLoopCalls = {h_Title, h_Charsel, GameFrame, h_StageEnd, LoadStageSlots, h_StageCaption};

namespace {

// A headless run that waits for input that never comes ends after this much
// virtual time.
constexpr long kHeadlessTimeLimitSeconds = 600;

struct RunOptions {
    plat::Options plat;
    long frames = 0;          // stop after this many play frames (0: never)
    int character = -1;       // fly this character whatever the selection says
    int shotLv = -1;          // start every run at this shot level (-1: as the rules say)
    int option = -1;          // start every run with this many options
    long timeLimit = -1;      // headless: seconds of virtual time (-1: the default)
    int stage = 0;            // every run starts at this stage, 1..5 (0: stage 1, no data check)
    bool campaign = false;    // after a stage's clear the next stage follows, up to stage 5
    std::string dataDir;
    bool installedData = false;  // the data folder is the installed one beside the executable
    std::string recordPath;   // --record
    std::string replayPath;   // --replay
    Settings cli;             // the settings the command line gives
    bool saveSettings = false;
    int pilot = 0;            // --autopilot: 1 the planner, 2 the human-like pilot
    long pilotSeed = 1;
};
RunOptions run;
Settings fileSettings;        // as read from the settings file (changes through the game go here)
std::string settingsPath;
bool playingBack = false;     // the outer loop ends with the replayed run

// Pausing is for play, not for the screens; where Escape leads back to the
// title, one pressed on a screen is dropped too.
void DropMenuMessages() {
    plat::DropMessages(plat::MsgType::Pause);
    if (plat::QuitReturnsToTitle()) plat::DropMessages(plat::MsgType::KeyEscape);
}

}  // namespace

void SetRunStages(int stage, bool campaign) {
    run.stage = stage;
    run.campaign = campaign;
}

void ShutdownGame() {
    StopMidi();
    for (int i = 0; i < 7; i++) FreeSlot(i);
    ReleaseSound();
    ReleaseDisplay();
    plat::ShowCursor(true);
    plat::Shutdown();
}

void ShutdownAndExit(int code) {
    ShutdownGame();
    std::exit(code);
}

int OuterLoop(bool runSetUp) {
    // NextStage: a campaign goes on to the following stage with the run as it stands.
    enum class Entry { A, B, C, NextStage } entry = runSetUp ? Entry::C : Entry::A;
    int t = 0;
    bool newRun = false;
    for (;;) {
        if (entry == Entry::A) {
            GameState = GameStateRecord{};
            stageNo = run.stage > 0 ? run.stage : 1;
            t = outerLoopCalls.title();
            DropMenuMessages();
            if (t != 0 && plat::QuitReturnsToTitle()) continue;  // nothing to quit to: the title again
            if (t != 0) quitFlag = 1;  // straight on to the stage set-up, then out
            newRun = t == 0;
        }
        if (entry == Entry::B || (entry == Entry::A && t == 0)) {
            PlayMidi("select.mid");
            GameState.lives = 5;
            GameState.barrier = 0;
            GameState.option = 0;
            GameState.shotLv = 0;
            GameState.score = 0;
            CharselWholeCast = run.campaign ? 1 : 0;
            int s = outerLoopCalls.charsel();
            DropMenuMessages();
            GameState.chno = (s >= 1) ? s + 1 : s;
            if (run.character >= 0) GameState.chno = run.character;
            if (run.shotLv >= 0) GameState.shotLv = run.shotLv;
            if (run.option >= 0) GameState.option = run.option;
            if (newRun) replay::RunBegins(run.character, run.shotLv, run.option, run.campaign ? 1 : 0);
            newRun = false;
        }
        // C: stage set-up.
        ResetPools();
        ResetStageFlags();
        if (t == 0) {
            StopMidi();
            PlayMidi(StageMusic[stageNo]);
        }
        outerLoopCalls.loadStage();
        if (entry == Entry::NextStage && outerLoopCalls.stageCaption) outerLoopCalls.stageCaption(stageNo);

        // Message loop: messages first; play only while the queue is empty.
        for (entry = Entry::C; entry == Entry::C;) {
            plat::Message msg;
            replay::OnMessageLoop();
            if (plat::PeekMessage(msg, true)) {
                switch (msg.type) {
                    case plat::MsgType::Quit:
                        replay::RunEnds(replay::kEndQuit);
                        return msg.code;
                    case plat::MsgType::KeyEscape:
                        if (plat::QuitReturnsToTitle()) {
                            replay::RunEnds(replay::kEndQuit);
                            StopMidi();
                            entry = Entry::A;
                            break;
                        }
                        // Escape destroys the window, whose end posts the quit message.
                        plat::PostMessage({plat::MsgType::Quit, 0});
                        break;
                    case plat::MsgType::MusicEnd:
                        OnMusicEnd(msg.code);
                        break;
                    case plat::MsgType::Pause:
                        PauseUntilResumed();
                        break;
                }
                continue;
            }
            if (restartFlag == 1) {
                replay::RunEnds(replay::kEndGameOver);
                if (playingBack) return 0;
                entry = Entry::A;
            } else if (continueFlag == 1) {
                entry = Entry::B;
            } else if (quitFlag == 1) {
                plat::PostMessage({plat::MsgType::Quit, 0});
            } else {
                outerLoopCalls.gameFrame();
                if (clearFlag == 1) {
                    ClearAllScreens();
                    StopMidi();
                    if (run.campaign && stageNo < kLastStage) {
                        if (const char* missing = MissingStageFile(stageNo + 1)) {
                            std::cerr << "pelloquinade: the campaign ends after stage " << stageNo << ": stage "
                                      << stageNo + 1 << " has no data (" << missing << " is missing)\n";
                        } else {
                            stageNo += 1;
                            entry = Entry::NextStage;
                            break;
                        }
                    }
                    outerLoopCalls.stageEnd();
                    replay::RunEnds(replay::kEndClear);
                    if (playingBack) return 0;
                    entry = Entry::A;
                } else if (run.frames > 0 && playFramesRun >= run.frames) {
                    plat::PostMessage({plat::MsgType::Quit, 0});
                } else {
                    // Give the processor back until a millisecond before the next
                    // gate; the last millisecond is polled in short naps, so the
                    // gate still opens on its exact tick.
                    int32_t wait = static_cast<int32_t>(static_cast<uint32_t>(frameTick) + 15u +
                                                        static_cast<uint32_t>(frameExtra) - plat::GetTicks());
                    if (wait > 1)
                        plat::Sleep(static_cast<uint32_t>(wait - 1));
                    else
                        plat::Nap();
                }
            }
        }
    }
}

namespace {

void OnWindowClose() {
    if (playingBack) EndPlayback(false);
    replay::OnClose();
    ShutdownAndExit(0);
}

void PrintHelp() {
    std::cout <<
        "Usage: pelloquinade [options]\n"
        "  --window            play in a window instead of full screen (Alt+Enter toggles)\n"
        "  --scale N           window scale factor 1..16 (implies --window)\n"
        "  --rgb555            use the 15-bit RGB555 pixel format\n"
        "  --mute              no sound effects and no music\n"
        "  --soundfont FILE    General MIDI soundfont for the music\n"
        "  --character N       fly character N (0..9) whatever the selection says\n"
        "  --power L,O         start every run at shot level L (0..2) with O options (0..3)\n"
        "  --stage N           start every run at stage N (1..5)\n"
        "  --campaign          play on through the stages to stage 5; every character can be chosen\n"
        "  --data DIR          read the game data from DIR\n"
        "  --headless          no window and no sound: virtual clock, scripted input\n"
        "  --input FILE        headless: input script (see README)\n"
        "  --frames N          stop after N play frames\n"
        "  --time-limit S      headless: stop after S seconds of virtual time (default 600, 0: never)\n"
        "  --dump-frames LIST  headless: write these presented frames as BMP (e.g. 1,50-60,100-400:50 or all)\n"
        "  --dump-dir DIR      headless: folder for dumped frames (default: the working folder)\n"
        "  --music-volume N    music volume 0..100 (F5/F6 change it in play)\n"
        "  --sfx-volume N      sound effects volume 0..100 (F7/F8)\n"
        "  --save-settings     keep the window, scale and volume options in the settings file\n"
        "  --record FILE       keep each run in FILE (default: the last run in the data folder)\n"
        "  --replay FILE       play a kept run back (--headless: at full speed, printing its state hash)\n"
        "  --autopilot [human] the game flies one run itself (human: like a player, seeded by --pilot-seed N)\n"
        "  --version           print the name, the version and the commit the game was built from\n"
        "  --help              this text\n";
}

std::string Absolute(const std::string& p) {
    if (p.empty()) return p;
    std::error_code ec;
    std::filesystem::path a = std::filesystem::absolute(p, ec);
    return ec ? p : a.string();
}

// Returns -1 to go on, or an exit code.
int ParseArgs(int argc, char** argv) {
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        auto value = [&](const char* what) -> const char* {
            if (i + 1 >= argc) {
                std::cerr << "pelloquinade: " << a << " needs " << what << "\n";
                return nullptr;
            }
            return argv[++i];
        };
        auto number = [&](const char* v, long lo, long hi, long& out) {
            if (!v) return false;
            char* end = nullptr;
            long n = std::strtol(v, &end, 10);
            if (!*v || *end || n < lo || n > hi) {
                std::cerr << "pelloquinade: " << a << " takes a number from " << lo << " to " << hi << "\n";
                return false;
            }
            out = n;
            return true;
        };
        long n = 0;
        if (a == "--help" || a == "-h") {
            PrintHelp();
            return 0;
        } else if (a == "--version") {
            std::cout << kVersionLine << "\n";
            return 0;
        } else if (a == "--window") {
            run.cli.fullscreen = false;
        } else if (a == "--scale") {
            if (!number(value("a factor"), 1, 16, n)) return 2;
            run.cli.scale = static_cast<int>(n);
            run.cli.fullscreen = false;
        } else if (a == "--music-volume" || a == "--sfx-volume") {
            if (!number(value("a volume"), 0, 100, n)) return 2;
            (a == "--music-volume" ? run.cli.musicVolume : run.cli.sfxVolume) = static_cast<int>(n);
        } else if (a == "--save-settings") {
            run.saveSettings = true;
        } else if (a == "--rgb555") {
            run.plat.rgb555 = true;
        } else if (a == "--mute") {
            run.plat.mute = true;
        } else if (a == "--headless") {
            run.plat.headless = true;
        } else if (a == "--frames") {
            if (!number(value("a count"), 1, 100000000, n)) return 2;
            run.frames = n;
        } else if (a == "--time-limit") {
            if (!number(value("a number of seconds"), 0, 4000000, n)) return 2;
            run.timeLimit = n;
        } else if (a == "--power") {
            const char* v = value("a level and an option count");
            int lv = -1, op = -1;
            char tail = 0;
            if (!v || std::sscanf(v, "%d,%d%c", &lv, &op, &tail) != 2 || lv < 0 || lv > 2 || op < 0 || op > 3) {
                std::cerr << "pelloquinade: --power takes LEVEL,OPTIONS with LEVEL 0..2 and OPTIONS 0..3\n";
                return 2;
            }
            run.shotLv = lv;
            run.option = op;
        } else if (a == "--stage") {
            if (!number(value("a stage number"), 1, kLastStage, n)) return 2;
            run.stage = static_cast<int>(n);
            run.cli.stage = run.stage;
        } else if (a == "--autopilot") {
            run.pilot = 1;
            if (i + 1 < argc && std::string(argv[i + 1]) == "human") {
                run.pilot = 2;
                i++;
            }
        } else if (a == "--pilot-seed") {
            if (!number(value("a seed"), 0, 2000000000, n)) return 2;
            run.pilotSeed = n;
        } else if (a == "--campaign") {
            run.campaign = true;
            run.cli.campaign = true;
        } else if (a == "--character") {
            if (!number(value("a character number"), 0, 9, n)) return 2;
            run.character = static_cast<int>(n);
        } else if (a == "--input" || a == "--soundfont" || a == "--data" || a == "--dump-dir" ||
                   a == "--dump-frames" || a == "--record" || a == "--replay") {
            const char* v = value("a value");
            if (!v) return 2;
            // Paths are made absolute now: the program changes into the data folder.
            if (a == "--input") run.plat.inputScript = Absolute(v);
            if (a == "--soundfont") run.plat.soundfont = Absolute(v);
            if (a == "--data") run.dataDir = Absolute(v);
            if (a == "--dump-dir") run.plat.dumpDir = Absolute(v);
            if (a == "--dump-frames") run.plat.dumpFrames = v;
            if (a == "--record") run.recordPath = Absolute(v);
            if (a == "--replay") run.replayPath = Absolute(v);
        } else {
            std::cerr << "pelloquinade: unknown option " << a << " (try --help)\n";
            return 2;
        }
    }
    if (run.plat.dumpDir == ".") run.plat.dumpDir = Absolute(".");
    if (!run.replayPath.empty() && !run.plat.inputScript.empty()) {
        std::cerr << "pelloquinade: --replay and --input cannot be used together\n";
        return 2;
    }
    if (run.plat.headless) {
        // A replay or a pilot's run ends with its run; it needs no time limit unless one is asked for.
        long fallback = run.replayPath.empty() && !run.pilot ? kHeadlessTimeLimitSeconds : 0;
        long limit = run.timeLimit >= 0 ? run.timeLimit : fallback;
        run.plat.timeLimitMs = static_cast<uint32_t>(limit * 1000);
    }
    return -1;
}

// The data folder: --data, else the installed data beside the executable,
// else the one the build generated, else the working folder when it holds the
// game's data. An installed game names reinstalling as the remedy for
// missing or damaged data, a build the generator.
bool EnterDataFolder() {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path built(PELLO_DEFAULT_DATA_DIR);
    const std::string exeDir = plat::ExecutableDir();
    const fs::path installed = exeDir.empty() ? fs::path() : (fs::path(exeDir) / PELLO_DATA_FROM_EXE).lexically_normal();
    // Without the build's generator at hand, reinstalling is the only remedy.
    const bool installedGame = !fs::exists(PELLO_GENERATOR, ec);
    fs::path dir;
    if (!run.dataDir.empty()) {
        dir = run.dataDir;
    } else if (!installed.empty() && fs::is_directory(installed, ec)) {
        dir = installed;
        run.installedData = true;
    } else if (!built.empty() && fs::is_directory(built, ec)) {
        dir = built;
    } else if (fs::exists("fix.bmp", ec)) {
        dir = fs::current_path(ec);
    }
    bool entered = !dir.empty() && fs::is_directory(dir, ec);
    if (entered) {
        fs::current_path(dir, ec);
        entered = !ec;
    }
    if (!entered) {
        std::cerr << "pelloquinade: no game data found"
                  << (run.dataDir.empty() ? "" : " in " + run.dataDir) << ".\n";
        if (installedGame && !installed.empty())
            std::cerr << "It belongs in " << installed.string() << ": reinstall the game "
                      << "(the Debian package: apt-get install --reinstall pelloquinade)\n";
        else
            std::cerr << "Generate it with:  scripts/play.sh   (or: cmake --build build, which runs tools/assetgen"
                         " into build/data)\n";
        std::cerr << "or pass --data DIR.\n";
        return false;
    }
    return true;
}


void SaveSettings(const Settings& s) {
    std::string text = FormatSettings(s), error;
    if (!WriteFileReplacing(settingsPath, std::vector<uint8_t>(text.begin(), text.end()), error))
        std::cerr << "pelloquinade: the settings were not saved: " << error << "\n";
}

void OnVolumeChange() {
    int music = 0, sfx = 0;
    plat::GetVolumes(music, sfx);
    fileSettings.musicVolume = music;
    fileSettings.sfxVolume = sfx;
    SaveSettings(fileSettings);
}

void OnFullscreenChange(bool fullscreen) {
    fileSettings.fullscreen = fullscreen;
    SaveSettings(fileSettings);
}

// Reads the settings file (a window game only: headless runs stay as their
// options say), lays the command line over it and hands the result to the
// platform options.
void ApplySettings() {
    Settings effective = run.cli;
    if (!run.plat.headless) {
        settingsPath = UserConfigDir() + "/settings.ini";
        std::vector<uint8_t> bytes;
        std::string error;
        if (ReadWholeFile(settingsPath, bytes, error)) {
            std::vector<std::string> problems;
            fileSettings = ParseSettings(std::string(bytes.begin(), bytes.end()), problems);
            for (const std::string& p : problems)
                std::cerr << "pelloquinade: " << settingsPath << " " << p << " (ignored)\n";
        }
        effective = MergeSettings(fileSettings, run.cli);
        if (run.saveSettings) {
            fileSettings = effective;
            SaveSettings(fileSettings);
        }
        plat::SetVolumeChangeHandler(OnVolumeChange);
        plat::SetFullscreenChangeHandler(OnFullscreenChange);
        run.plat.screenshotDir = UserPicturesDir();
    }
    plat::Options& o = run.plat;
    if (effective.fullscreen) o.windowed = !*effective.fullscreen;
    if (effective.scale) o.scale = *effective.scale;
    if (effective.musicVolume) o.musicVolume = *effective.musicVolume;
    if (effective.sfxVolume) o.sfxVolume = *effective.sfxVolume;
    for (int i = 0; i < 8; i++)
        if (effective.keys[i]) o.keys[i] = *effective.keys[i];
    for (int i = 0; i < 3; i++)
        if (effective.padButtons[i]) o.padButtons[i] = *effective.padButtons[i];
    if (effective.padDeadZone) o.padDeadZone = *effective.padDeadZone;
}

// Reads and checks the replay given with --replay; false after a message.
bool LoadReplay(replay::Replay& r) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadWholeFile(run.replayPath, bytes, error) || !replay::Decode(bytes.data(), bytes.size(), r, error)) {
        std::cerr << "pelloquinade: cannot play " << run.replayPath << ": " << error << "\n";
        return false;
    }
    return true;
}

// Puts the game where the replayed run began: its options, run record,
// stage and random state.
void EnterReplayedRun(const replay::Replay& r) {
    run.character = r.optCharacter;
    run.shotLv = r.optShotLv;
    run.option = r.optOption;
    playstate::Unpack(r.carried.data(), r.carried.size());  // checked when the file was read
    GameState.chno = r.chno;
    GameState.lives = r.lives;
    GameState.barrier = r.barrier;
    GameState.option = r.option;
    GameState.shotLv = r.shotLv;
    GameState.score = r.score;
    stageNo = r.stage;
    run.campaign = r.campaign != 0;
    CharselWholeCast = run.campaign ? 1 : 0;
    GameSrand(r.seed);
}

}  // namespace

void EndPlayback(bool outOfStep) {
    uint64_t hash = RunStateHash();
    ShutdownGame();
    if (outOfStep) {
        std::cerr << "pelloquinade: the replay ended before its run did: it was recorded by a game that plays "
                     "differently\n";
        std::exit(kExitReplayDiffers);
    }
    const replay::Replay& r = replay::PlaybackReplay();
    char line[96];
    std::snprintf(line, sizeof line, "replay final state hash %016llx", static_cast<unsigned long long>(hash));
    const bool same = hash == r.finalHash;
    std::cout << line << (same ? " (as recorded)" : " (differs from the recording)") << "\n";
    std::exit(same ? 0 : kExitReplayDiffers);
}

namespace {
[[noreturn]] void PlayBack(const replay::Replay& r) {
    playingBack = true;
    replay::StartPlayback(r);
    EnterReplayedRun(r);
    OuterLoop(true);
    EndPlayback(false);
}
}  // namespace

int RunGame(int argc, char** argv) {
    int rc = ParseArgs(argc, argv);
    if (rc >= 0) return rc;
    replay::Replay replayed;
    if (!run.replayPath.empty() && !LoadReplay(replayed)) return 1;
    ApplySettings();
    if (!EnterDataFolder()) return 1;
    // The settings file's stage and campaign, unless the command line chose.
    Settings effective = MergeSettings(fileSettings, run.cli);
    if (effective.campaign) run.campaign = *effective.campaign;
    if (effective.stage && !run.cli.stage) {
        if (const char* missing = MissingStageFile(*effective.stage))
            std::cerr << "pelloquinade: " << settingsPath << ": stage " << *effective.stage << " has no data ("
                      << missing << " is missing; ignored)\n";
        else
            run.stage = *effective.stage;
    }
    if (run.stage > 0 || run.campaign) {
        // Only runs that ask for a stage check it: the plain game starts as it always has.
        int first = run.stage > 0 ? run.stage : 1;
        if (const char* missing = MissingStageFile(first)) {
            std::cerr << "pelloquinade: stage " << first << " has no data (" << missing
                      << " is missing from the data folder); it cannot be played\n";
            return 1;
        }
    }
    {
        // The stages this run reads: the one asked for, else stage 1, and the
        // later stages of a campaign that have a stage file (a campaign ends
        // quietly where the generated stages end).
        std::vector<int> stages{run.stage > 0 ? run.stage : 1};
        std::error_code ec;
        for (int s = stages[0] + 1; run.campaign && s <= kLastStage; s++)
            if (std::filesystem::exists("men" + std::to_string(s) + ".dat", ec)) stages.push_back(s);
        const std::string damaged = CheckDataFolder(stages, run.installedData);
        if (!damaged.empty()) std::cerr << damaged << "\n";
    }
    if (!plat::Startup(run.plat)) return 1;
    plat::SetCloseHandler(OnWindowClose);

    if (InitDisplay() != 0) {
        plat::MessageBox("Error DirectDrawInitialize", "Error");
        plat::Shutdown();
        return 1;  // a failed start is not a success
    }
    GameSrand(plat::SystemTicks());
    soundOk = InitSound();
    // The window's renderer and the music's soundfont are made while the second runs.
    if (!plat::FinishStartup(1000)) {
        plat::MessageBox("Error DirectDrawInitialize", "Error");
        ShutdownGame();
        return 1;
    }
    plat::ShowCursor(false);
    InstallVolumeBar();
    if (!run.replayPath.empty()) {
        SetGamma(255);
        PlayBack(replayed);
    }
    // Every run is kept: in --record's file, else (in a window) as the last run.
    if (!run.recordPath.empty())
        replay::StartRecorder(run.recordPath);
    else if (!run.plat.headless)
        replay::StartRecorder(UserDataDir() + "/replays/last.pqr");
    if (run.pilot) {
        pilot::Options po;
        po.kind = run.pilot == 2 ? pilot::Kind::Human : pilot::Kind::Planner;
        po.seed = static_cast<uint32_t>(run.pilotSeed);
        pilot::Install(po);
    }
    h_Logo();
    SetGamma(255);

    int code = OuterLoop();
    if (run.pilot == 1) {
        pilot::Cost c = pilot::PlannerCost();
        std::printf("pilot: planner CPU per play frame %.0f us on average, %.0f us at most, over %ld frames\n",
                    c.frames ? c.totalUs / double(c.frames) : 0.0, c.worstUs, c.frames);
    }
    ShutdownGame();
    return code;
}
