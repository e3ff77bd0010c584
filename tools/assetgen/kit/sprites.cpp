// Sprite tables: their cells on the sheet map and the painter that draws them cell by cell.
#include "sprites.h"

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "table.h"

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

// The drawings bound with AG_DRAWS, by sheet and sprite name.
std::map<std::pair<std::string, std::string>, DrawFn>& Drawings() {
    static std::map<std::pair<std::string, std::string>, DrawFn> all;
    return all;
}

// The optional copy field of a line: keyed (the default) or additive.
Copy CopyOf(const TableLine& l, size_t i) {
    if (l.Text(i).empty() || l.Text(i) == "keyed") return Copy::Keyed;
    if (l.Text(i) != "additive") l.Refuse("copy '" + l.Text(i) + "' is neither keyed nor additive");
    return Copy::Additive;
}

}  // namespace

SpriteDrawing::SpriteDrawing(const char* sheet, const char* name, DrawFn draw) {
    if (!Drawings().emplace(std::make_pair(sheet, name), draw).second)
        Fail(std::string("two drawings for sprite '") + name + "' on " + sheet);
}

void AddSpriteFile(const std::string& sheet, const std::string& owner, const std::string& table) {
    std::vector<Sprite> sprites;
    std::set<std::string> named;
    auto sprite = [&](const TableLine& l) {
        l.Expect(7, 8);
        auto d = Drawings().find({sheet, l.Text(1)});
        if (d == Drawings().end()) l.Refuse("no drawing for sprite '" + l.Text(1) + "' on " + sheet);
        if (!named.insert(l.Text(1)).second) l.Refuse("a second sprite named '" + l.Text(1) + "'");
        sprites.push_back(
            Sprite{l.Text(1), l.Int(2), l.Int(3), l.Int(4), l.Int(5), l.Int(6), d->second, l.Text(7), CopyOf(l, 8)});
    };
    auto declare = [&](const TableLine& l) {
        l.Expect(3, 3);
        DeclareSheet(SheetSpec{sheet, l.Int(1), l.Int(2), Depth::Indexed8, kKey, l.Text(3)});
    };
    ReadEntries(table, {{"sheet", declare}, {"sprite", sprite}});
    for (const auto& [key, draw] : Drawings())
        if (key.first == sheet && !named.count(key.second))
            Fail(table + ": no line for the drawing of sprite '" + key.second + "'");
    AddSprites(sheet, owner, sprites);
}

void AddCellFile(const std::string& sheet, const std::string& owner, const std::string& table,
                 void (*draw)(Canvas&, int), int count) {
    std::vector<TableCell> cells;
    ReadEntries(table, {{"cell", [&](const TableLine& l) {
                             l.Expect(6, 7);
                             int i = int(cells.size());
                             if (i >= count) l.Refuse(Format("more cells than the %d its drawing paints", count));
                             cells.push_back({CellSpec{sheet, l.Text(1), RectWH(l.Int(2), l.Int(3), l.Int(4), l.Int(5)),
                                                       l.Text(6), CopyOf(l, 7), owner, ""},
                                              [draw, i](Canvas& c) { draw(c, i); }});
                         }}});
    if (int(cells.size()) < count) Fail(Format("%s: %zu cells, but its drawing paints %d", table.c_str(), cells.size(), count));
    AddTable(sheet, owner, std::move(cells));
}

void AddSprites(const std::string& sheet, const std::string& owner, std::span<const Sprite> sprites) {
    std::vector<TableCell> cells;
    for (const Sprite& s : sprites)
        for (int f = 0; f < s.frames; f++)
            cells.push_back({CellSpec{sheet, CellName(s.name, f), RectWH(s.x + f * s.w, s.y, s.w, s.h), s.what, s.copy,
                                      owner, ""},
                             [draw = s.draw, f](Canvas& c) { draw(c, f); }});
    AddTable(sheet, owner, std::move(cells));
}

}  // namespace ag
