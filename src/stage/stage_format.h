// The stage file "men%d.dat": its layout and how its timeline turns into enemies (shared by the game and the generator).
#pragma once

#include <cstddef>
#include <cstdint>

// --- layout: the file is read as it stands, little-endian 16-bit words

constexpr int kMenEvents = 200;        // timeline entries, 8 bytes each, from offset 0
constexpr int kMenExtra = 10;          // records the game loads and never reads
constexpr int kMenExtraSize = 14;
constexpr int kTekiTemplates = 50;     // enemy templates, eleven words each
constexpr int kTekiGroups = 10;        // formations, forty-one words each
constexpr int kMapColumns = 3000;      // the tile map: column by column, row by row, layers adjacent
constexpr int kMapRows = 15;
constexpr int kMapLayers = 10;
constexpr uint16_t kEmptyTile = 0xFFFF;

constexpr long kMenEventSize = 8, kMenTemplateSize = 22, kMenGroupSize = 82;
constexpr long kMenExtraOffset = kMenEvents * kMenEventSize;                          // 1600
constexpr long kMenTemplateOffset = kMenExtraOffset + kMenExtra * kMenExtraSize;     // 1740
constexpr long kMenGroupOffset = kMenTemplateOffset + kTekiTemplates * kMenTemplateSize;  // 2840
constexpr long kMenMapOffset = 11840;  // 3660..11839 is skipped by the reader
constexpr long kMenFileSize = kMenMapOffset + 2L * kMapColumns * kMapRows * kMapLayers;  // 911840

// Index of a tile in the map, in file order.
constexpr size_t MenMapIndex(int col, int row, int layer) {
    return (size_t(col) * kMapRows + size_t(row)) * kMapLayers + size_t(layer);
}

// The tile id of the 16x16 tile at pixel (x, y) of a scenery sheet: tiles are
// numbered row by row on a grid 64 tiles wide.
constexpr int kTileSheetColumns = 64;
constexpr uint16_t MenTileAt(int sheetX, int sheetY) {
    return uint16_t((sheetY / 16) * kTileSheetColumns + sheetX / 16);
}

// --- the spawn arithmetic
//
// A timeline position counts steps of 2^shift clock values (shift 4 on most
// stages). An entry at position pos fires once clock + kMenLead reaches
// pos << shift, so a single enemy enters at the right edge on the frame its
// position names; a formation member fires exactly when clock + kMenLead
// equals (pos << shift) + its delay. Rows are 8 pixels, counted from 120
// pixels above the screen's top; a sprite of height h on row r has its
// centre at MenCentreY(r, h) (plus a member's dy).

constexpr int kMenLead = 320;

constexpr int MenDue(int pos, int shift) { return pos << shift; }
constexpr bool MenSingleFires(int clock, int pos, int shift) { return clock + kMenLead >= MenDue(pos, shift); }
constexpr int MenCentreY(int row, int h) { return row * 8 + h / 2 - 120; }

// The inverses the stage author works with: the first position that fires on
// or after a clock value, and the row whose sprite has its top / centre
// nearest to y (rows are 8 pixels apart).
constexpr int MenPosFor(int clock, int shift) { return (clock + kMenLead + (1 << shift) - 1) / (1 << shift); }
constexpr int MenClockOf(int pos, int shift) { return MenDue(pos, shift) - kMenLead; }
constexpr int MenRowForTop(int top) { return (top + 120 + 4) / 8; }
constexpr int MenRowFor(int centreY, int h) { return MenRowForTop(centreY - h / 2); }

static_assert(kMenTemplateOffset == 1740 && kMenGroupOffset == 2840 && kMenFileSize == 911840);
static_assert(MenCentreY(MenRowFor(104, 16), 16) == 104 && MenCentreY(MenRowFor(101, 16), 16) == 104 &&
              MenSingleFires(MenClockOf(7, 4), 7, 4));
