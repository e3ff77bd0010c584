// The player's record of whole-game runs, kept in the data folder next to the
// replays: the ten best runs (each with its replay), the last name entered,
// the furthest stage a whole-game run has reached and the best practice score
// of each stage. A text file closed by a checksum of everything before it.
#pragma once

#include <string>
#include <vector>

#include "screens/front_end.h"

struct ScoreBook {
    std::vector<ScoreEntry> entries;  // best first, at most kScoreRows
    std::string lastName;
    int reached = 1;                  // 1..5
    int practiceBest[5] = {};
};

std::string FormatScoreBook(const ScoreBook& book);
// False with the reason when the text is not a score table this game wrote or
// has been changed since.
bool ParseScoreBook(const std::string& text, ScoreBook& out, std::string& why);
// Where a score would enter (0..kScoreRows-1), or -1 when it does not.
int ScoreRank(const ScoreBook& book, int score);
// Puts the entry in its place; returns the replay file names that fell off.
std::vector<std::string> InsertScore(ScoreBook& book, const ScoreEntry& entry, int rank);

// The replay name of an entry whose replay could not be kept.
inline constexpr const char* kNoReplay = "-";

// Reads the book at `path`. A missing file is an empty book. A file that is not
// a readable table gives an empty book and `notice` says why; with moveAside
// the file is renamed aside first (to PATH.damaged, or .damaged-2, ...).
ScoreBook LoadScoreBook(const std::string& path, std::string& notice, bool moveAside);
// Writes through a temporary file, so a failed write leaves the old file.
bool SaveScoreBook(const std::string& path, const ScoreBook& book, std::string& error);
// The table as lines of text, for --scores.
std::string ScoreTableText(const ScoreBook& book);
