// Tile cutting: distinct tiles onto the scenery sheet's grid, painted layers into a stage's tile map.
#include "tiles.h"

#include <algorithm>

#include "registry.h"

namespace ag {

namespace {

bool RowByRow(int n, int& gx, int& gy) {
    gx = n % kTileSheetColumns, gy = n / kTileSheetColumns;
    return gy < 64;
}

}  // namespace

TileCutter::TileCutter(Canvas& sheet, std::string sheetName, Layout layout, std::vector<int> reserved)
    : sheet_(sheet), name_(std::move(sheetName)), layout_(layout ? std::move(layout) : Layout(RowByRow)),
      reserved_(std::move(reserved)) {}

uint16_t TileCutter::Tile(const Canvas& layer, int x0, int y0, bool opaque) {
    std::vector<uint8_t> key;
    key.reserve(16 * 16 * 3);
    bool any = false;
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++) {
            Rgb c = layer.Get(x0 + x, y0 + y);
            if (opaque && c == kKey) Fail(Format("%s: hole in an opaque layer at %d,%d", name_.c_str(), x0 + x, y0 + y));
            any |= c != kKey;
            key.insert(key.end(), {c.r, c.g, c.b});
        }
    if (!any) return kEmptyTile;
    auto it = known_.find(key);
    if (it != known_.end()) return it->second;
    while (std::find(reserved_.begin(), reserved_.end(), next_) != reserved_.end()) next_++;
    int gx = 0, gy = 0;
    if (!layout_(next_, gx, gy)) {
        Fail(name_ + ": too many distinct scenery tiles");
        return kEmptyTile;
    }
    next_++;
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++) sheet_.Set(gx * 16 + x, gy * 16 + y, layer.Get(x0 + x, y0 + y));
    uint16_t id = MenTileAt(gx * 16, gy * 16);
    known_.emplace(std::move(key), id);
    return id;
}

void TileCutter::CutLayer(const Canvas& layer, int mapLayer, bool opaque) {
    for (int c = 0; c * 16 < layer.w && c < kMapColumns; c++)
        for (int r = 0; r < kMapRows; r++) map[MenMapIndex(c, r, mapLayer)] = Tile(layer, c * 16, r * 16, opaque);
}

int TileCutter::Bottom() const {
    int gx = 0, gy = 0;
    if (next_ == 0 || !layout_(next_ - 1, gx, gy)) return 0;
    return (gy + 1) * 16;
}

Scenery TileCutter::Finish(int minHeight) const {
    Scenery s;
    s.tiles = next_;
    s.height = std::max(minHeight, Bottom());
    s.sheet = sheet_.Crop(Rect{0, 0, sheet_.w, s.height});
    s.map = map;
    return s;
}

const Scenery& AddScenery(int stage, const std::string& sheet, const std::string& owner, const std::string& what,
                          Scenery (*build)()) {
    static std::map<int, Scenery> built;   // built once, even when registration runs again
    auto it = built.find(stage);
    if (it == built.end()) it = built.emplace(stage, build()).first;
    const Scenery& s = it->second;
    DeclareSheet({sheet, s.sheet.w, s.height, Depth::Indexed8, kKey, what});
    AddPainter(sheet, owner, [&s](Canvas& c) { c.Blit(s.sheet, 0, 0, false); });
    AddStagePart(stage, "map", [stage, &s](StageDesc& d) {
        if (s.map.size() != d.map.size()) Fail(Format("men%d.dat: the tile map has the wrong size", stage));
        else d.map = s.map;
    });
    return s;
}

}  // namespace ag
