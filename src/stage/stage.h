// Stage map and scenery: the stage file and its tables, the parallax layers
// of each stage with the scroll position, and the stage-clear sequence.
#pragma once

#include <bit>
#include <cstdint>

#include "stage/stage_format.h"

static_assert(std::endian::native == std::endian::little,
              "stage records are copied from the little-endian file as they stand");

// --- the stage file "men%d.dat" (911840 bytes), copied into fixed tables

// One timeline entry, 8 bytes.
struct MenEventRecord {
    uint8_t kind;     // 0 empty or used, 1 one enemy from a template, 2 a formation
    uint8_t unused;
    uint16_t time;    // trigger position on the timeline
    uint16_t y;       // vertical position in units of 8 pixels
    uint16_t index;   // template (kind 1) or formation (kind 2)
};

// One enemy template, eleven 16-bit words.
struct TekiTemplateRecord {
    uint16_t unused0;
    uint16_t sx;      // sprite-sheet x / 8
    uint16_t sy;      // sprite-sheet y / 8
    uint16_t w;       // width / 8 - 1
    uint16_t h;       // height / 8 - 1
    uint16_t hp;
    uint16_t mater;   // meter gain on kill
    uint16_t score;   // score on kill
    uint16_t type;    // enemy type - 11
    uint16_t unused9, unused10;
};

// One formation, forty-one 16-bit words.
struct TekiGroupRecord {
    uint16_t unused0;
    uint16_t present[10];   // non-zero: member present
    uint16_t time[10];      // added to the entry's trigger time
    uint16_t dy[10];        // vertical offset in pixels
    uint16_t tmpl[10];      // template index
};

static_assert(sizeof(MenEventRecord) == kMenEventSize);
static_assert(sizeof(TekiTemplateRecord) == kMenTemplateSize);
static_assert(sizeof(TekiGroupRecord) == kMenGroupSize);

extern MenEventRecord MenEvent[kMenEvents];
extern uint8_t MenExtra[kMenExtra][kMenExtraSize];   // loaded, never read
extern TekiTemplateRecord TekiTemplate[kTekiTemplates];
extern TekiGroupRecord TekiGroup[kTekiGroups];
// Tile ids by column, row, layer (layer 0 foreground); 0xFFFF is an empty cell.
extern uint16_t MenMap[kMapColumns][kMapRows][kMapLayers];

static_assert(sizeof(MenMap) == kMenFileSize - kMenMapOffset);

// Reads "men%d.dat"; on a missing file shows "oh" / "mygod" and leaves the
// tables as they were. Returns 1 when the file was read.
int LoadMen(int stage);
// 1 if the file could be opened (a short file fills what it holds), 0 if not.
int LoadMenFile(const char* path);
// Zero-fills every stage table (program start state; for tests).
void ClearMenTables();

// --- scenery

// Indices of the ten MenScroll values (their meaning differs per stage):
// MenScroll[MS::scrollPos] and so on.
namespace MS {
enum Field : int {
    farX = 0,     // stage 1 far-layer x; stage 2 strip scroll (half pixels); stage 6 started
    layerOfs,     // pixel offset of the layer being drawn; stage 2 first piece index
    scrollPos,    // scroll position; stage 2: 1 once the strip stopped
    tick,         // stage 1 far-layer divider; stage 2 ground-row pixel phase
    rise,         // vertical transition progress; stage 2 ground column counter
    phase,        // stage 4 transitions done; stage 2 upper row cut-back
    cut2,         // stage 2 lower row cut-back
    drift1,       // stage 2 first drifting pair
    drift2,       // stage 2 second drifting pair
};
}  // namespace MS

// The stage's scenery behind and in front of the play (its stage-table row).
void PutMenBack(int stage);
void PutMenFront(int stage);
// Each stage's own drawing, as named in the stage table.
void MenBack1();
void MenFront1();
void MenBack2();
void MenFront2();
void MenBack3();
void MenBack4();
void MenFront4();
void MenBack5();
void MenFront5();
void MenBack6();

// Pieces of stage 2's backdrop strip and their overlays.
void PutStripPiece(int piece, int x);
void PutStripFront(int piece, int x);
int StripPieceWidth(int piece);
extern const int8_t StripSequence[33];
// Stage 2 ground row: tiles from row 12, layer 0 of the first 20 map columns.
void PutGroundRow(int y, int col0, int fine, int from, int to);
// Stage 1 falling flakes.
void MoveFlakes();
// Draws one map layer at pixel offset ofs, shifted down by dy.
void PutMapLayer(int layer, int ofs, int dy);

// Scroll-rate tables by layer, one per map stage (index = stage number).
extern const uint16_t LayerRate1[10];
extern const uint16_t LayerRate3[4];
extern const uint16_t LayerRate4[6];
extern const uint16_t LayerRate5[5];

struct FlakeRecord {
    uint8_t active, kind;
    uint8_t unused[2];   // named padding (saved and hashed state)
    int32_t x, y, dx, dy;
};
struct StreakRecord {
    uint8_t active;
    uint8_t unused[3];   // named padding (saved and hashed state)
    int32_t x, y, speed;
};
extern FlakeRecord Flake[30];
extern StreakRecord Streak[20];
extern int flakesCleared;   // 0 until the first MoveFlakes call after program start

// Boss defeat and stage clear. The two counters have program lifetime.
extern int blastTime;     // frames of the explosion shower
extern int clearTime;     // frames of the caption and the closing effects
int BossBlast(int down);
int PutStageClear(int on);

// --- stage set-up of the surfaces

// Frees the seven slots and loads them (and the stage file) for the current
// stage and character, as stage set-up does.
void LoadStageSlots();
// After the display lost its surfaces: loads the stage's slots again and
// clears the loss.
void RestoreStageSurfaces();
