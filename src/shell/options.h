// The options: one table whose rows drive the command line, --help, the
// settings file and the merge of the two, and say where each value lands.
// A new option is one row (see GameOptions in options_table.cpp).
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/platform.h"

enum class OptionKind : uint8_t {
    Switch,        // a bare flag giving flagSets; in the settings file yes/no
    Number,        // a whole number
    Text,          // any text
    Path,          // a file or folder, made absolute (the program changes folder)
    KeyName,       // a key as the window back end names it (settings file)
    PadButton,     // a game controller button name (settings file)
    Power,         // LEVEL,OPTIONS: a shot level 0..2 and an option count 0..3
    OptionalWord,  // a bare flag (1), or the flag followed by its word (2)
    Help,          // prints the help and ends the program
    Version,       // prints the version line and ends the program
};

// One option's value: numbers, switches (0 or 1) and the first half of a pair
// in `number`, the second half in `second`, names and paths in `text`.
struct OptionValue {
    long number = 0;
    long second = 0;
    std::string text;
};

// Values by option, named by the row's settings key (or, for a command-line
// row without one, by its flag).
struct Settings {
    std::map<std::string, OptionValue> values;
    bool Has(const std::string& id) const { return values.count(id) != 0; }
    std::optional<long> Number(const std::string& id) const;
    std::optional<std::string> Text(const std::string& id) const;
    void SetNumber(const std::string& id, long n) { values[id].number = n; }
};

// What this start of the program was asked for: the command line, and the
// settings file laid under it.
struct RunOptions {
    plat::Options plat;
    long frames = 0;          // stop after this many play frames (0: never)
    int character = -1;       // fly this character whatever the selection says
    int shotLv = -1;          // start every run at this shot level (-1: as the rules say)
    int option = -1;          // start every run with this many options
    long timeLimit = -1;      // headless: seconds of virtual time (-1: the default)
    int stage = 0;            // every run starts at this stage, 1..5 (0: stage 1, no data check)
    bool campaign = false;    // after a stage's clear the next stage follows, up to the last stage
    bool wholeCast = false;   // the selection takes every character (also without campaign: practice)
    std::string dataDir;
    bool installedData = false;  // the data folder is the installed one beside the executable
    std::string recordPath;   // --record
    std::string replayPath;   // --replay
    Settings cli;             // the settings the command line gives
    bool saveSettings = false;
    int pilot = 0;            // --autopilot: 1 the planner, 2 the human-like pilot
    long pilotSeed = 1;
    int reduceFlashing = -1;  // 1: hits drawn as a tint, 0: as a white flash, -1: a tint in the campaign only
    bool printScores = false; // --scores: print the high-score table and end
};
extern RunOptions launch;

struct OptionRow {
    const char* flag = nullptr;     // "--scale"; nullptr: only in the settings file
    const char* key = nullptr;      // settings-file key; nullptr: only on the command line
    OptionKind kind = OptionKind::Switch;
    long lo = 0, hi = 0;            // Number: the range (the settings file's)
    std::optional<long> flagLo{};   // Number: the command line's lowest, when it differs
    long step = 1;                  // Number: how far a menu moves it
    long flagSets = 1;              // Switch: the value the bare flag gives
    const char* word = nullptr;     // OptionalWord: the word that may follow the flag
    const char* alias = nullptr;    // a second spelling of the flag ("-h")
    const char* implies = nullptr;  // the flag of a Switch row this flag gives too
    const char* arg = nullptr;      // --help: the argument ("N", "FILE")
    const char* needs = "a value";  // what a missing argument is called ("a factor")
    const char* help = nullptr;     // --help's text; nullptr: not listed
    const char* label = nullptr;    // a menu's short label; nullptr: not a menu entry
    bool saved = false;             // --save-settings keeps the command line's value in the settings file
    const char* zeroWord = nullptr; // Number: what a menu shows for 0 ("largest")
    void (*land)(RunOptions& run, const OptionValue& value) = nullptr;  // where the value goes
    OptionValue (*read)(const RunOptions& run) = nullptr;  // the value as it stands in `run` (menu entries)
};

// The game's options, in --help's and the settings file's order.
std::span<const OptionRow> GameOptions();
// A row's name in Settings: its settings key, else its flag.
std::string OptionId(const OptionRow& row);

std::string HelpText(std::span<const OptionRow> rows = GameOptions());
// Reads the command line into `values` (by OptionId); -1 to go on, 0 after
// --help (printed), 2 after a message on stderr.
int ReadCommandLine(int argc, char** argv, Settings& values, std::span<const OptionRow> rows = GameOptions());
// Hands every value of `values` to its row's land (only the rows with a
// settings key, or only those without).
void LandOptions(const Settings& values, RunOptions& run, bool keyed, std::span<const OptionRow> rows = GameOptions());

// The path made absolute (as it stands when that fails).
std::string AbsolutePath(const std::string& path);

// The settings file: "key = value" lines, '#' comments. Every entry is
// optional; what the command line gives wins over the file.
// Reads the text; each line that cannot be used is left out and described in
// `problems` ("line 3: ..."). Never fails as a whole.
Settings ParseSettings(const std::string& text, std::vector<std::string>& problems,
                       std::span<const OptionRow> rows = GameOptions());
std::string FormatSettings(const Settings& s, std::span<const OptionRow> rows = GameOptions());
// The file's text with these settings written into it: its comments, unknown
// and refused lines and its order are kept, entries whose value changed are
// rewritten where they stand and new ones added at the end. An empty file
// becomes FormatSettings(s).
std::string RewriteSettings(const std::string& original, const Settings& s,
                            std::span<const OptionRow> rows = GameOptions());
// Entries of `over` replace those of `base`.
Settings MergeSettings(const Settings& base, const Settings& over);

// Reads the settings file (a window game only: headless runs stay as their
// options say), lays the command line over it, lands the result and keeps
// the file up to date when the player changes a setting in the game.
void ApplySettings();
// Writes what the options screen changed into the settings file (window
// runs only; headless runs have none).
void SaveChangedSettings(const Settings& changed);
// The settings file chose the first stage (the command line did not).
bool StageFromSettingsFile();
const std::string& SettingsPath();
