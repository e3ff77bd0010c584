// Program start: the command line, the data folder and its check, the
// display and sound, then the outer loop or a replay.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "pilot/pilot.h"
#include "platform/platform.h"
#include "screens/screens.h"
#include "shell/options.h"
#include "shell/replay.h"
#include "shell/shell.h"
#include "shell/user_files.h"
#include "shell/whole_game.h"
#include "sound/sound.h"
#include "stage/stage_table.h"
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

namespace {

// A headless run that waits for input that never comes ends after this much
// virtual time.
constexpr long kHeadlessTimeLimitSeconds = 600;

void OnWindowClose() {
    if (playingBack) EndPlayback(false);
    replay::OnClose();
    ShutdownAndExit(0);
}

// Returns -1 to go on, or an exit code.
int ParseArgs(int argc, char** argv) {
    if (int rc = ReadCommandLine(argc, argv, launch.cli); rc >= 0) return rc;
    // The command line's own options land now; those the settings file also
    // holds land once it is read.
    LandOptions(launch.cli, launch, false);
    if (launch.printScores) return PrintScores(ScoresPath());
    if (launch.plat.dumpDir == ".") launch.plat.dumpDir = AbsolutePath(".");
    if (!launch.replayPath.empty() && !launch.plat.inputScript.empty()) {
        std::cerr << "pelloquinade: --replay and --input cannot be used together\n";
        return 2;
    }
    if (launch.plat.headless) {
        // A replay or a pilot's run ends with its run; it needs no time limit unless one is asked for.
        long fallback = launch.replayPath.empty() && !launch.pilot ? kHeadlessTimeLimitSeconds : 0;
        long limit = launch.timeLimit >= 0 ? launch.timeLimit : fallback;
        launch.plat.timeLimitMs = static_cast<uint32_t>(limit * 1000);
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
    if (!launch.dataDir.empty()) {
        dir = launch.dataDir;
    } else if (!installed.empty() && fs::is_directory(installed, ec)) {
        dir = installed;
        launch.installedData = true;
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
                  << (launch.dataDir.empty() ? "" : " in " + launch.dataDir) << ".\n";
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
}  // namespace

int RunGame(int argc, char** argv) {
    int rc = ParseArgs(argc, argv);
    if (rc >= 0) return rc;
    replay::Replay replayed;
    if (!launch.replayPath.empty() && !LoadReplay(replayed)) return 1;
    ApplySettings();
    // Like every user path, resolved before the game changes folder ("": none).
    const std::string lastRun = UserDataDir().empty() ? "" : UserDataDir() + "/replays/last.pqr";
    if (!EnterDataFolder()) return 1;
    if (!launch.replayPath.empty() && !ReplayFitsData(replayed)) return 1;
    // A stage the settings file chose (and the command line did not) that
    // has no data is passed over.
    if (StageFromSettingsFile()) {
        if (const char* missing = MissingStageFile(launch.stage)) {
            std::cerr << "pelloquinade: " << SettingsPath() << ": stage " << launch.stage << " has no data ("
                      << missing << " is missing; ignored)\n";
            launch.stage = 0;
        }
    }
    if (launch.stage > 0 || launch.campaign) {
        // Only runs that ask for a stage check it: the plain game starts as it always has.
        int first = launch.stage > 0 ? launch.stage : 1;
        if (const char* missing = MissingStageFile(first)) {
            std::cerr << "pelloquinade: stage " << first << " has no data (" << missing
                      << " is missing from the data folder); it cannot be played\n";
            return 1;
        }
    }
    {
        const std::string damaged =
            CheckDataFolder(RunStages(launch.stage > 0 ? launch.stage : 1, launch.campaign), launch.installedData);
        if (!damaged.empty()) std::cerr << damaged << "\n";
    }
    if (!plat::Startup(launch.plat)) return 1;
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
    if (!launch.replayPath.empty()) {
        SetGamma(255);
        PlayBack(replayed);
    }
    // Every run is kept: in --record's file, else (in a window) as the last run.
    if (!launch.recordPath.empty())
        replay::StartRecorder(launch.recordPath);
    else if (!launch.plat.headless && !lastRun.empty())
        replay::StartRecorder(lastRun);
    else if (launch.campaign)
        replay::StartRecorder("");  // a high-score entry keeps its run's replay
    if (launch.campaign) InstallWholeGame(launch.stage, ScoresPath(), SaveChangedSettings);
    if (launch.pilot) {
        pilot::Options po;
        po.kind = launch.pilot == 2 ? pilot::Kind::Human : pilot::Kind::Planner;
        po.seed = static_cast<uint32_t>(launch.pilotSeed);
        pilot::Install(po);
    }
    h_Logo();
    SetGamma(255);

    int code = OuterLoop();
    if (launch.pilot == 1) {
        pilot::Cost c = pilot::PlannerCost();
        std::printf("pilot: planner CPU per play frame %.0f us on average, %.0f us at most, over %ld frames\n",
                    c.frames ? c.totalUs / double(c.frames) : 0.0, c.worstUs, c.frames);
    }
    ShutdownGame();
    return code;
}
