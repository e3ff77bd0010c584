// Tile cutting: painted scenery layers become map tiles, each distinct 16x16 tile kept once on the scenery sheet.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "image.h"
#include "stage.h"

namespace ag {

// A stage's tile map, kMapColumns x kMapRows x kMapLayers ids in file order
// (MenMapIndex); kEmptyTile where a cell is empty.
using TileMap = std::vector<uint16_t>;
inline TileMap EmptyTileMap() { return TileMap(size_t(kMapColumns) * kMapRows * kMapLayers, kEmptyTile); }

// A stage's scenery once cut: the sheet (as high as the tiles in use) and
// the map.
struct Scenery {
    Canvas sheet;
    TileMap map = EmptyTileMap();
    int tiles = 0, height = 0;
};

class TileCutter {
public:
    // Where the n-th distinct tile goes on the sheet's 64-wide grid; false
    // when the sheet has no room for it. By default row by row, 64 rows.
    using Layout = std::function<bool(int n, int& gx, int& gy)>;

    // `reserved`: grid slots kept for tiles the stage places itself.
    TileCutter(Canvas& sheet, std::string sheetName, Layout layout = {}, std::vector<int> reserved = {});

    // The id of the tile at (x0, y0) of a painted layer, copied onto the
    // sheet the first time it is seen; kEmptyTile when all of it is
    // nothing. `opaque`: nothing in it is an error (a hole in a backdrop).
    uint16_t Tile(const Canvas& layer, int x0, int y0, bool opaque = false);
    // Cuts a whole painted layer (240 pixels high, from column 0) into map
    // layer `layer`.
    void CutLayer(const Canvas& layer, int mapLayer, bool opaque = false);

    int Count() const { return next_; }   // grid slots used, reserved ones among them
    int Bottom() const;                   // bottom of the last row of the grid in use (0: none)
    // The scenery: the sheet cut off below the tiles in use (at least
    // minHeight pixels), the map and the tile count.
    Scenery Finish(int minHeight) const;

    TileMap map = EmptyTileMap();         // what CutLayer fills; a stage may place tiles itself

private:
    Canvas& sheet_;
    std::string name_;
    Layout layout_;
    std::vector<int> reserved_;
    std::map<std::vector<uint8_t>, uint16_t> known_;
    int next_ = 0;
};

// Registers a stage's scenery, built once by `build`: its 8-bit sheet, the
// painter that copies it in for `owner`, and the stage part "map". Returns
// it, for the stage to declare the sheet's cells.
const Scenery& AddScenery(int stage, const std::string& sheet, const std::string& owner, const std::string& what,
                          Scenery (*build)());

}  // namespace ag
