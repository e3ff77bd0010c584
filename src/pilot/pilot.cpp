// The pilots' common part: taking over the controls and the menus, the
// progress spot, and the report of each stage flown.
#include "pilot/pilot.h"

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstdlib>

#include "enemy/enemy.h"
#include "input/input.h"
#include "pilot/pilot_internal.h"
#include "platform/platform.h"
#include "player/player.h"
#include "shell/shell.h"

namespace pilot {
namespace {

constexpr long kGiveUpFrames = 30000;  // four times the longest stage

struct Flight {
    bool on = false;
    Options opt;
    OuterLoopCalls saved{};
    int (*savedInput)() = nullptr;
    int (*savedSource)() = nullptr;
    int titles = 0;
    bool playRead = false;      // the read being answered is play's
    int word = 0;               // the word for play's next read
    int menuPress = 0;          // menus: the button on every other read
    long lastFrames = -1;       // playFramesRun after the last frame seen
    int stage = -1;             // the stage being reported
    int lives = 0, barrier = 0;
    bool quitting = false;
    std::vector<StageReport> reports;
    Cost cost;
} fl;

int DirectRead() { return fl.word; }

int PlayRead() {
    fl.playRead = true;
    int w = GetInput();
    fl.playRead = false;
    return w;
}

// Answers every input read: play gets the decided word; a menu gets the
// first button on every other read (a press, then a release).
int Source() {
    if (fl.playRead) return fl.word;
    if (fl.savedSource) return fl.savedSource();
    fl.menuPress ^= 1;
    return fl.menuPress ? IN_B1 : 0;
}

void Print(const StageReport& r) {
    if (fl.opt.print) std::printf("%s\n", FormatReport(r).c_str());
    std::fflush(stdout);
}

void CloseStage() {
    if (fl.stage < 0) return;
    Print(fl.reports.back());
    fl.stage = -1;
}

// After each play frame that ran: the report, then the next decision.
void AfterFrame() {
    if (fl.stage != stageNo || menFrame == 1) {
        CloseStage();
        fl.reports.push_back(StageReport{});
        fl.reports.back().stage = stageNo;
        fl.reports.back().chno = GameState.chno;
        fl.stage = stageNo;
        fl.lives = GameState.lives;
        fl.barrier = GameState.barrier;
        if (fl.opt.kind == Kind::Planner) ResetPlanner(fl.opt.horizon, fl.opt.replan);
    }
    StageReport& r = fl.reports.back();
    r.frames = menFrame;
    if (GameState.lives < fl.lives) r.losses.push_back({menFrame, lastHarm});
    if (GameState.barrier < fl.barrier) r.barrierHits++;
    fl.lives = GameState.lives;
    fl.barrier = GameState.barrier;
    if (r.bossAt < 0 && (itemDrop == 0 || std::any_of(std::begin(Teki), std::end(Teki), [](const TekiRecord& t) {
                             return t.active == 1 && IsBossType(t.type);
                         })))
        r.bossAt = menFrame;
    if (bossDown == 1 && r.bossDownAt < 0) r.bossDownAt = menFrame;
    if (clearFlag == 1) {
        r.cleared = true;
        CloseStage();
        return;
    }
    // A game over ends a pilot's run, and so does a stage it cannot finish.
    if (gameOverFlag == 1 || menFrame > kGiveUpFrames) {
        r.gameOver = gameOverFlag == 1;
        CloseStage();
        if (fl.opt.oneRun && !fl.quitting) {
            fl.quitting = true;
            plat::PostMessage({plat::MsgType::Quit, 0});
        }
        return;
    }
    const std::clock_t t0 = std::clock();
    fl.word = fl.opt.kind == Kind::Planner ? PlannerWord() : HumanWord();
    if (fl.opt.kind == Kind::Planner) {
        double us = double(std::clock() - t0) * 1e6 / CLOCKS_PER_SEC;
        fl.cost.frames++;
        fl.cost.totalUs += us;
        fl.cost.worstUs = std::max(fl.cost.worstUs, us);
    }
}

void Frame() {
    fl.saved.gameFrame();
    if (playFramesRun != fl.lastFrames) {
        fl.lastFrames = playFramesRun;
        AfterFrame();
    }
}

int Title() {
    if (fl.opt.oneRun && ++fl.titles > 1) {
        CloseStage();
        return 1;
    }
    return fl.saved.title();
}

}  // namespace

Spot ProgressSpot(int waveX, int bossX) {
    const GameStateRecord& g = GameState;
    for (const ItemRecord& it : Item)
        if (it.active == 1 && it.x > 8) return {std::clamp(it.x, 40, 200), std::clamp(it.y, 20, 188)};
    // The nearest enemy ahead of the craft, else the nearest at all.
    const TekiRecord* aim = nullptr;
    for (const TekiRecord& t : Teki) {
        if (t.active != 1 || t.x > 330 || t.x < 0) continue;
        bool ahead = t.x > g.playerX + 24;
        bool aimAhead = aim && aim->x > g.playerX + 24;
        if (!aim || (ahead && !aimAhead) || (ahead == aimAhead && std::abs(t.x - g.playerX) < std::abs(aim->x - g.playerX)))
            aim = &t;
    }
    // In a boss fight: the enemy whose end ends the fight, else the
    // toughest one shots can hurt.
    if (itemDrop == 0) {
        const TekiRecord* boss = nullptr;
        for (const TekiRecord& t : Teki) {
            if (t.active != 1 || t.x >= 330 || t.x <= 0) continue;
            bool hurt = t.box[0].kind == 0 || t.box[0].kind == 2 ||
                        std::any_of(std::begin(t.box), std::end(t.box), [](const TekiBox& b) { return b.kind == 3; });
            if (IsBossType(t.type)) {
                boss = &t;
                break;
            }
            if (hurt && (!boss || t.hp > boss->hp)) boss = &t;
        }
        if (boss) aim = boss;
    }
    const int x = itemDrop == 0 ? bossX : waveX;
    if (!aim) return {x, 110};
    int y = aim->y, aimX = aim->x;
    if (aim->box[0].kind >= 3)  // only its boxes of kind 3 take shots
        for (const TekiBox& b : aim->box)
            if (b.kind == 3) {
                y = aim->y + (b.top + b.bottom) / 2;
                aimX = aim->x + (b.left + b.right) / 2;
                break;
            }
    return {x, std::clamp(y, 28, 180), aimX};
}

int Towards(int fromX, int fromY, int x, int y, int slack) {
    int w = 0;
    if (fromY > y + slack) w |= IN_UP;
    if (fromY < y - slack) w |= IN_DOWN;
    if (fromX < x - slack) w |= IN_RIGHT;
    if (fromX > x + slack) w |= IN_LEFT;
    return w;
}

void Install(const Options& o) {
    if (fl.on) Remove();
    fl = Flight{};
    fl.on = true;
    fl.opt = o;
    fl.saved = outerLoopCalls;
    fl.savedInput = PlayerInput;
    fl.savedSource = inputTap.source;
    fl.lastFrames = playFramesRun;
    outerLoopCalls.gameFrame = Frame;
    outerLoopCalls.title = Title;
    PlayerInput = o.menus ? PlayRead : DirectRead;
    if (o.menus) inputTap.source = Source;
    ResetPlanner(o.horizon, o.replan);
    ResetHuman(o.seed);
}

void Remove() {
    if (!fl.on) return;
    outerLoopCalls.gameFrame = fl.saved.gameFrame;
    outerLoopCalls.title = fl.saved.title;
    PlayerInput = fl.savedInput;
    inputTap.source = fl.savedSource;
    fl.on = false;
}

bool Installed() { return fl.on; }
const std::vector<StageReport>& Reports() { return fl.reports; }
Cost PlannerCost() { return fl.cost; }

std::string FormatReport(const StageReport& r) {
    static const char* const kCause[4] = {"?", "enemy", "bullet", "wall"};
    char line[160];
    std::snprintf(line, sizeof line, "pilot: stage %d character %d %s after %ld frames, lives lost %zu, barrier hits %d, "
                  "boss at %ld, boss fight %ld, losses:",
                  r.stage, r.chno, r.cleared ? "cleared" : r.gameOver ? "game over" : "left", r.frames,
                  r.losses.size(), r.barrierHits, r.bossAt,
                  r.bossAt >= 0 ? (r.bossDownAt >= 0 ? r.bossDownAt : r.frames) - r.bossAt : -1);
    std::string s = line;
    for (const Loss& l : r.losses)
        s.append(" ").append(std::to_string(l.frame)).append(":").append(kCause[l.cause >= 0 && l.cause < 4 ? l.cause : 0]);
    if (r.losses.empty()) s += " none";
    return s;
}

}  // namespace pilot
