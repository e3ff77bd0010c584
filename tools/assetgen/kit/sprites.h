// Sprite tables: declare a sheet's cells from one table and paint each on its own canvas.
#pragma once

#include <span>
#include <string>

#include "registry.h"

namespace ag {

// A row of animation frames: `frames` cells of w x h side by side from
// (x, y), named "name 0", "name 1", ...; draw(cell, frame) paints one frame
// on a canvas of the cell's size, filled with the cell's "nothing" colour.
struct Sprite {
    const char* name;
    int x, y, w, h, frames;
    void (*draw)(Canvas&, int);
    const char* what;
    Copy copy = Copy::Keyed;
};

// A single named cell; draw(cell, i) paints the i-th cell of its table.
struct NamedCell {
    const char* name;
    int x, y, w, h;
    const char* what;
    Copy copy = Copy::Keyed;
};

// Declare the cells of `owner` on `sheet` and add its painter, which draws
// every cell on its own canvas, copies it in and snaps it to the palette.
void AddSprites(const std::string& sheet, const std::string& owner, std::span<const Sprite> sprites);
void AddCells(const std::string& sheet, const std::string& owner, std::span<const NamedCell> cells,
              void (*draw)(Canvas&, int));

}  // namespace ag
