// Sprite tables: their cells on the sheet map and the painter that draws them cell by cell.
#include "sprites.h"

#include <functional>
#include <memory>
#include <vector>

namespace ag {

namespace {

struct TableCell {
    CellSpec spec;
    std::function<void(Canvas&)> draw;
};

void AddTable(const std::string& sheet, const std::string& owner, std::vector<TableCell> cells) {
    for (const TableCell& c : cells) DeclareCell(c.spec);
    auto shared = std::make_shared<const std::vector<TableCell>>(std::move(cells));
    AddPainter(sheet, owner, [shared](Canvas& out) {
        for (const TableCell& c : *shared) {
            const Rect& r = c.spec.r;
            Canvas cell(r.W(), r.H(), c.spec.copy == Copy::Additive ? kBlack : kKey);
            c.draw(cell);
            out.Blit(cell, r.l, r.t, false);
            out.Quantize(r);
        }
    });
}

}  // namespace

void AddSprites(const std::string& sheet, const std::string& owner, std::span<const Sprite> sprites) {
    std::vector<TableCell> cells;
    for (const Sprite& s : sprites)
        for (int f = 0; f < s.frames; f++)
            cells.push_back({CellSpec{sheet, CellName(s.name, f), RectWH(s.x + f * s.w, s.y, s.w, s.h), s.what, s.copy,
                                      owner, ""},
                             [draw = s.draw, f](Canvas& c) { draw(c, f); }});
    AddTable(sheet, owner, std::move(cells));
}

void AddCells(const std::string& sheet, const std::string& owner, std::span<const NamedCell> table,
              void (*draw)(Canvas&, int)) {
    std::vector<TableCell> cells;
    for (size_t i = 0; i < table.size(); i++) {
        const NamedCell& k = table[i];
        cells.push_back({CellSpec{sheet, k.name, RectWH(k.x, k.y, k.w, k.h), k.what, k.copy, owner, ""},
                         [draw, i](Canvas& c) { draw(c, int(i)); }});
    }
    AddTable(sheet, owner, std::move(cells));
}

}  // namespace ag
