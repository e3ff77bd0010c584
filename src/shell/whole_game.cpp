#include "shell/whole_game.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <iostream>

#include "screens/front_end.h"
#include "screens/screens.h"
#include "shell/replay.h"
#include "shell/score_table.h"
#include "shell/shell.h"
#include "shell/user_files.h"
#include "stage/stage_table.h"

void (*IdleDemo)() = nullptr;

namespace {

constexpr int kIdleTableMs = 7000;    // the table's turn in the idle cycle
constexpr int kEntryTableMs = 15000;  // the table after a name was entered

struct WholeGame {
    int firstStage = 0;
    std::string path;                 // the score table ("": kept in memory only)
    ScoreBook book;
    int mode = replay::kModePlain;    // the run being played
    bool backToPractice = false;      // a practice run ended: its choice comes next
    void (*saveSettings)(const Settings&) = nullptr;
} whole;

std::string ReplaysDir() { return UserDataDir() + "/replays"; }

void Save() {
    if (whole.path.empty()) return;
    std::string error;
    if (!SaveScoreBook(whole.path, whole.book, error))
        std::cerr << "pelloquinade: the high-score table was not saved (the old file is kept): " << error << "\n";
}

std::string Today() {
    std::time_t now = std::time(nullptr);
    char d[16];
    std::strftime(d, sizeof d, "%Y-%m-%d", std::localtime(&now));
    return d;
}

// Keeps the finished run's replay under a name of its own; the name, or ""
// when no replay could be kept.
std::string KeepReplay() {
    const replay::Replay* r = replay::FinishedRun();
    if (!r || whole.path.empty()) return "";
    std::time_t now = std::time(nullptr);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::localtime(&now));
    std::string name = std::string("score-") + stamp + ".pqr";
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(ReplaysDir() + "/" + name, ec) && n < 100; n++)
        name = std::string("score-") + stamp + "-" + std::to_string(n) + ".pqr";
    std::string error;
    if (!WriteFileReplacing(ReplaysDir() + "/" + name, replay::Encode(*r), error)) {
        std::cerr << "pelloquinade: the run's replay was not saved: " << error << "\n";
        return "";
    }
    return name;
}

void EnterScore(int stageReached) {
    const int score = GameState.score;
    const int rank = ScoreRank(whole.book, score);
    if (rank < 0) return;
    ScoreEntry e;
    e.name = h_NameEntry(whole.book.lastName, score, stageReached);
    e.score = score;
    e.chno = std::clamp(GameState.chno, 0, 9);
    e.stage = stageReached;
    e.date = Today();
    std::string kept = KeepReplay();
    e.replay = kept.empty() ? std::string(kNoReplay) : std::move(kept);
    whole.book.lastName = e.name;
    std::vector<std::string> dropped = InsertScore(whole.book, e, rank);
    Save();
    std::error_code ec;
    for (const std::string& f : dropped)
        if (f != kNoReplay) std::filesystem::remove(ReplaysDir() + "/" + f, ec);
    h_ScoreTable(whole.book.entries, rank, kEntryTableMs);
}

void OnRunOver(int endReason) {
    const int stage = std::clamp(stageNo, 1, kLastStage);
    if (whole.mode == replay::kModeCampaign) {
        if (stage > whole.book.reached) whole.book.reached = stage;
        Save();
        EnterScore(stage);
    } else if (whole.mode == replay::kModePractice) {
        int& best = whole.book.practiceBest[stage - 1];
        if (GameState.score > best) {
            best = GameState.score;
            Save();
        }
        whole.backToPractice = true;
    }
    (void)endReason;
}

// A campaign run reaching a stage opens it for practice at once.
void (*shownCaption)(int) = nullptr;
void CaptionAndReach(int stage) {
    if (whole.mode == replay::kModeCampaign && stage > whole.book.reached && stage <= kLastStage) {
        whole.book.reached = stage;
        Save();
    }
    if (shownCaption) shownCaption(stage);
}

void IdleCycle() {
    if (h_ScoreTable(whole.book.entries, -1, kIdleTableMs)) return;
    if (IdleDemo) IdleDemo();
}

// The title and the screens behind it; returns 0 with the run to play set up,
// or 1 to quit.
int WholeGameTitle() {
    for (;;) {
        int item = 1;
        if (!whole.backToPractice) item = h_Title();
        whole.backToPractice = false;
        if (item == 0) {
            whole.mode = replay::kModeCampaign;
            SetRunStages(whole.firstStage, true, true);
            stageNo = whole.firstStage > 0 ? whole.firstStage : 1;
            return 0;
        }
        if (item == 1) {
            int stage = h_Practice(whole.book.reached, whole.book.practiceBest);
            if (stage > 0) {
                whole.mode = replay::kModePractice;
                SetRunStages(stage, false, true);
                stageNo = stage;
                return 0;
            }
        } else if (item == 2) {
            h_Options(whole.saveSettings);
        } else {
            return 1;
        }
    }
}

}  // namespace

std::string ScoresPath() {
    const std::string dir = UserDataDir();
    return dir.empty() ? "" : dir + "/scores.txt";
}

void InstallWholeGame(int firstStage, const std::string& scoresPath, void (*saveSettings)(const Settings& changed)) {
    whole = WholeGame{};
    whole.saveSettings = saveSettings;
    whole.firstStage = firstStage;
    whole.path = scoresPath;
    if (!scoresPath.empty()) {
        std::string notice;
        whole.book = LoadScoreBook(scoresPath, notice, true);
        if (!notice.empty()) std::cerr << "pelloquinade: " << notice << "\n";
    }
    TitleWholeGame = 1;
    TitleIdle = IdleCycle;
    IdleDemo = TitleDemo;
    outerLoopCalls.title = WholeGameTitle;
    if (outerLoopCalls.stageCaption != CaptionAndReach) shownCaption = outerLoopCalls.stageCaption;
    outerLoopCalls.stageCaption = CaptionAndReach;
    runOverHook = OnRunOver;
}

int PrintScores(const std::string& scoresPath) {
    if (scoresPath.empty()) {
        std::cerr << "pelloquinade: no high-score table is kept: there is no data folder (set HOME or XDG_DATA_HOME)\n";
        return 1;
    }
    std::string notice;
    ScoreBook book = LoadScoreBook(scoresPath, notice, false);
    if (!notice.empty()) std::cerr << "pelloquinade: " << notice << "\n";
    std::cout << ScoreTableText(book);
    for (size_t i = 0; i < book.entries.size(); i++)
        std::cout << (i == 0 ? "Replays (--replay FILE):\n" : "") << "  " << i + 1 << ". "
                  << (book.entries[i].replay == kNoReplay ? "(none kept)" : ReplaysDir() + "/" + book.entries[i].replay)
                  << "\n";
    return 0;
}
