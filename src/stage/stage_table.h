// The stage table: one row per stage, indexed by stage number, holding all
// that tells one stage from another (files, tune, timeline pace, scenery
// drawing, walls, drifting scenery). A new stage is a new row here plus its
// content folder in the generator.
#pragma once

#include <cstdint>

// What the map's wall tiles do to the craft.
enum class WallKind : uint8_t {
    None,      // the stage has no walls
    Deadly,    // touching one costs a life at once
    Pushing,   // it pushes the craft back; pushed past the left edge costs a life and the barrier
};

// The wall layer: which map layer and tiles are solid, and how the scroll
// position becomes the map column under x = 0.
struct WallLayer {
    WallKind kind = WallKind::None;
    int layer = 0;                // map layer holding the walls
    uint16_t tiles[2] = {0, 0};   // tile ids that are solid
    int rate = 0;                 // the layer's scroll rate: it is drawn (scrollPos * rate) >> 2 pixels on
};

// How the drifting scenery pieces (enemy type 45) move.
enum class Drift : uint8_t {
    Still,         // stays where it was placed
    ThreeInFour,   // one pixel left on every frame but the third of each four
    Every,         // one pixel left every frame
};

struct StageInfo {
    const char* music = nullptr;        // the stage's tune
    const char* sceneSheet = nullptr;   // scenery sheet (slot 2); nullptr: none
    const char* enemySheet = nullptr;   // enemy sheet (slot 3); nullptr: none
    int menShift = 4;                   // timeline position p falls due at clock p << menShift
    void (*back)() = nullptr;           // scenery behind the play; moves the scroll on
    void (*front)() = nullptr;          // scenery in front of the play
    WallLayer wall;
    Drift drift = Drift::Still;
};

// Rows 1..6; row 0 is blank and stands for any number outside the table.
constexpr int kStageRows = 7;
extern const StageInfo StageTable[kStageRows];
const StageInfo& StageRow(int stage);

// The last stage a run reaches (stage 6 has no sheets and no boss).
constexpr int kLastStage = 5;

// The first of a stage's files (stage file, scenery sheet, enemy sheet) that
// the data folder lacks, or nullptr when the stage can be played.
const char* MissingStageFile(int stage);

// How far the wall layer has scrolled, in pixels, at a scroll position, and
// whether a tile is one of the stage's wall tiles.
inline int WallOffset(const WallLayer& w, int scrollPos) { return (scrollPos * w.rate) >> 2; }
inline bool IsWallTile(const WallLayer& w, int tile) { return tile == w.tiles[0] || tile == w.tiles[1]; }
