// Stage files "men%d.dat", written from a readable description.
//
// Stage files "men%d.dat": written from a readable description of the
// timeline, the enemy templates, the formations and the tile map.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core.h"
#include "stage/stage_format.h"

namespace ag {

// One timeline entry. kind 1: one enemy from template `index`; kind 2: the
// formation `index`. `pos` is the trigger position (in steps of 16 frames,
// 32 in stage 4), `row` the vertical position in 8-pixel rows counted from
// 120 pixels above the screen top (row 15 = screen top).
struct StageEvent {
    uint8_t kind = 0;
    uint16_t pos = 0, row = 0, index = 0;
    std::string note;   // what this wave is for (not written)
};

// An enemy template in plain units: sheet position and size in pixels
// (multiples of 8, size at least 8), the enemy type (11 or more).
struct EnemyTemplate {
    bool used = false;
    int sheetX = 0, sheetY = 0, w = 8, h = 8;
    int hp = 1, meter = 0, score = 0, type = 11;
    std::string note;
};

struct FormationMember {
    bool present = false;
    int dt = 0;        // frames after the event's time
    int dy = 0;        // pixels below the event's row
    int tmpl = 0;      // template index
};
struct Formation {
    std::array<FormationMember, 10> m{};
    std::string note;
};

struct StageDesc {
    int stage = 1;
    std::vector<StageEvent> events;                 // at most kMenEvents, written in this order
    std::array<EnemyTemplate, kTekiTemplates> templates{};
    std::array<Formation, kTekiGroups> formations{};
    std::vector<uint16_t> map;                      // 3000 x 15 x 10 tile ids, kEmptyTile = empty

    StageDesc();
    uint16_t& Tile(int col, int row, int layer);    // col 0..2999, row 0..14, layer 0..9
    uint16_t Tile(int col, int row, int layer) const;
    void SetTile(int col, int row, int layer, uint16_t tile);   // ignored outside the map
    // Tile id of the 16x16 cell at sheet pixel (x, y) of the scenery sheet.
    static uint16_t TileAt(int sheetX, int sheetY) { return MenTileAt(sheetX, sheetY); }

    // Convenience for the waves: add a single enemy / a formation event.
    void Single(int pos, int row, int tmpl, const std::string& note = "");
    void Group(int pos, int row, int formation, const std::string& note = "");
};

// Checks (reported through Fail) and the kMenFileSize bytes of the file.
Bytes StageBytes(const StageDesc& d);

}  // namespace ag
