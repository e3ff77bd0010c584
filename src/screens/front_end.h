// The whole game's own screens, reached from its title menu: the high-score
// table, name entry, the practice choice and the options; and what they show.
#pragma once

#include <string>
#include <vector>

// One line of the high-score table.
struct ScoreEntry {
    std::string name;               // 1..8 characters of kNameCharacters
    int score = 0;
    int chno = 0;                   // character index 0..9
    int stage = 1;                  // the stage the run reached, 1..5
    std::string date;               // YYYY-MM-DD
    std::string replay;             // file name of the run's replay (in the replays folder)
};
constexpr int kScoreRows = 10;
// The characters' names as their plates show them, by character index.
extern const char* const kCharacterName[10];
constexpr int kNameMax = 8;
// What a name may hold, in the order up and down step through it.
inline constexpr char kNameCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.-!";

// The table over the title's darkened background, `highlight` (-1: none)
// in gold. Ends after `ms` of its own time, or at once on a fresh press of
// any input or key (true).
bool h_ScoreTable(const std::vector<ScoreEntry>& table, int highlight, int ms);

// Name entry for a score that enters the table: up and down step through the
// characters, the first button takes one (or ends on END), the second button
// takes one back; keys type and Backspace and Return work as on a keyboard.
// Starts with `offered` (the last name). Returns the name, never empty.
std::string h_NameEntry(const std::string& offered, int score, int stage);
// One step of name entry, for tests: the name so far, the character on offer
// (an index into kNameCharacters, or kNameEnd) and whether it is finished.
constexpr int kNameEnd = static_cast<int>(sizeof kNameCharacters) - 1;
struct NameEntryState {
    std::string name;
    int offer = 0;
    bool done = false;
};
NameEntryState StartNameEntry(const std::string& offered);
// `edge`: the input word when it differs from the read before (else 0);
// `typed`: key names pressed in this read.
void StepNameEntry(NameEntryState& s, int edge, const std::vector<std::string>& typed);

// The practice choice: stages 1..5, those up to `open` playable, each with
// its best practice score. Returns the stage, or 0 for back.
int h_Practice(int open, const int best[5]);
extern int PracticeSel;             // the stage last chosen, 1..5
