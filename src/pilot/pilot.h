// Pilots: the game flies itself. A pilot answers play's input reads with an
// input word, as a player's keys would, so its runs record and replay like
// any other; on the menus it presses the first button. Two kinds:
//  - the planner plays the next frames ahead from a snapshot of the play
//    state for each of a handful of inputs and takes the one that loses
//    nothing and keeps furthest from harm, preferring progress and score;
//  - the human-like pilot sees the play as it was about 200 ms ago, steers at
//    the craft's speed with some imprecision and never looks ahead.
// Each stage it flies is reported (stdout and Reports()).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pilot {

enum class Kind { Planner, Human };

struct Options {
    Kind kind = Kind::Planner;
    uint32_t seed = 1;          // the human-like pilot's own random numbers
    bool oneRun = true;         // quit at the title after the first run, and at game over
    bool print = true;          // a line on stdout for each stage flown
    // Answer the menus too, through the input word (recorded with play's
    // words); false: the pilot answers play's reads only, directly, and the
    // menus read the devices (tests with scripted screens).
    bool menus = true;
    // The planner's look-ahead: the frames it plays ahead for each input it
    // weighs, and the play frames between two decisions. Less of either
    // costs less CPU and flies less well.
    int horizon = 18, replan = 2;
};

struct Loss {
    long frame;                 // play frames into the stage
    int cause;                  // kHarmEnemy, kHarmBullet, kHarmWall (player.h)
};

struct StageReport {
    int stage = 0, chno = 0;
    bool cleared = false, gameOver = false;
    long frames = 0;            // play frames flown in the stage
    long bossAt = -1;           // the boss entered (drops stopped); -1: never
    long bossDownAt = -1;
    std::vector<Loss> losses;   // lives lost
    int barrierHits = 0;
};

// Takes over the controls and wraps the outer loop's title and play-frame
// calls (whatever they are when called); Remove puts them back.
void Install(const Options& o);
void Remove();
bool Installed();

// The stages flown since Install, the current one last.
const std::vector<StageReport>& Reports();
std::string FormatReport(const StageReport& r);

// The planner's timing: CPU microseconds spent deciding, per play frame.
struct Cost {
    long frames = 0;
    double totalUs = 0, worstUs = 0;
};
Cost PlannerCost();

}  // namespace pilot
