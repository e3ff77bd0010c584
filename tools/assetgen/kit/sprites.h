// Sprite tables: declare a sheet's cells from one table (in code or a table file) and paint each on its own canvas.
#pragma once

#include <span>
#include <string>

#include "registry.h"

namespace ag {

// A row of animation frames: `frames` cells of w x h side by side from
// (x, y), named "name 0", "name 1", ...; draw(cell, frame) paints one frame
// on a canvas of the cell's size, filled with the cell's "nothing" colour.
using DrawFn = void (*)(Canvas&, int);
struct Sprite {
    std::string name;
    int x, y, w, h, frames;
    DrawFn draw;
    std::string what;
    Copy copy = Copy::Keyed;
};

// Declare the cells of `owner` on `sheet` and add its painter, which draws
// every cell on its own canvas, copies it in and snaps it to the palette.
void AddSprites(const std::string& sheet, const std::string& owner, std::span<const Sprite> sprites);

// A sprite table file (content-relative, e.g. "stage1/enemies.txt"), one
// line a sprite, and the line that declares the 8-bit sheet itself:
//   sheet W H WHAT
//   sprite NAME X Y W H FRAMES WHAT [COPY]   (COPY: keyed, the default, or additive)
// Each sprite is painted by the drawing bound to its name on `sheet` with
// AG_DRAWS; a line without a drawing, and a drawing no line uses, are errors.
void AddSpriteFile(const std::string& sheet, const std::string& owner, const std::string& table);
// A cell table file, one line a single named cell:
//   cell NAME X Y W H WHAT [COPY]
// draw(cell, i) paints the cell of the i-th line, so the file must hold the
// `count` cells the drawing knows, in its order.
void AddCellFile(const std::string& sheet, const std::string& owner, const std::string& table,
                 void (*draw)(Canvas&, int), int count);

// Binds a drawing to the sprite `name` of `sheet`'s table file; written at
// file scope right after the drawing: AG_DRAWS(kSheet, "bat", DrawBat);
struct SpriteDrawing {
    SpriteDrawing(const char* sheet, const char* name, DrawFn draw);
};
#define AG_DRAWS_CAT2(a, b) a##b
#define AG_DRAWS_CAT(a, b) AG_DRAWS_CAT2(a, b)
#define AG_DRAWS(sheet, name, fn) \
    static const ::ag::SpriteDrawing AG_DRAWS_CAT(ag_draws_, __LINE__)(sheet, name, fn)

}  // namespace ag
