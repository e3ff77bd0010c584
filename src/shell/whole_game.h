// The whole game's front end (--campaign, or campaign = yes in the settings):
// its title menu with START GAME, PRACTICE, OPTIONS and QUIT, the idle cycle,
// practice runs, and the high-score table with a name for each run that
// enters it.
#pragma once

#include <string>

#include "shell/options.h"

// Takes over the title and the ends of runs. firstStage: the stage START GAME
// begins at (0: stage 1). scoresPath: the score table's file ("": none kept).
// saveSettings: keeps what the options screen changed (nullptr: nothing kept).
void InstallWholeGame(int firstStage, const std::string& scoresPath, void (*saveSettings)(const Settings& changed));
// The score table's file in the user's data folder.
std::string ScoresPath();
// --scores: prints the table (and where each run's replay is); the exit code.
int PrintScores(const std::string& scoresPath);

// The options screen: the settings a player changes in the game, in force at
// once; on leaving, `save` gets the entries that changed (nullptr: none kept).
void h_Options(void (*save)(const Settings& changed));
// The values the options screen shows: the launch's, with what the platform
// now holds (window, volumes, bindings).
RunOptions OptionsInForce();

// The idle cycle's demo, after the high-score table (set by whoever provides
// one; nullptr: none). It returns when a key ends it or it has run its course,
// and may use the surface slots: the title reloads its own afterwards.
extern void (*IdleDemo)();
// The whole game's demo: the planning pilot flies a random stage with data
// and a random character for 40 s with DEMO on screen; any key ends it. The
// play state is as before afterwards, and no run of it is recorded.
void TitleDemo();
