// The registry: sheets, sheet-map cells, painters, files and stage-file parts, and the driver.
//
// The registry: content files register their sheets, the sheet map rows,
// painters, files and stage-file parts here through static registration; the
// driver runs them in a fixed order, checks the sheet map and writes the data
// folder (see README.md: "Adding content").
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "image.h"
#include "stage.h"

namespace ag {

// Which copy of the game reads a cell, and so what "nothing" is there.
enum class Copy {
    Keyed,      // colour-keyed copy: nothing = pure green
    Additive,   // additive copy (never keyed): nothing = black
    Plain,      // copied whole without a key (full pictures)
    BlackKey,   // keyed with black (title.bmp): nothing = black
};
const char* CopyName(Copy c);

enum class Depth { Rgb24, Indexed8 };

struct SheetSpec {
    std::string file;            // "fix.bmp", "bg_stage1.bmp" ...
    int w = 0, h = 0;
    Depth depth = Depth::Rgb24;  // Indexed8 for the sheets of the 8-bit reader
    Rgb background = kKey;       // the sheet is filled with this before painting
    std::string what;
};

// One row of the sheet map. `share` marks allowed overlaps: "" = must not
// share pixels with any other cell; "*" = may overlap anything (the artist
// draws the shared pixels to serve both); any other tag = may overlap the
// cells carrying the same tag.
struct CellSpec {
    std::string file, name;
    Rect r;
    std::string what;
    Copy copy = Copy::Keyed;
    std::string owner;           // the painter that draws it
    std::string share;
};

void DeclareSheet(const SheetSpec& s);
void DeclareCell(const CellSpec& c);
inline void DeclareCell(const std::string& file, const std::string& name, Rect r, const std::string& what, Copy copy,
                        const std::string& owner, const std::string& share = "") {
    DeclareCell(CellSpec{file, name, r, what, copy, owner, share});
}
// Cell names with an index: CellName("digit", 3) = "digit 3".
std::string CellName(const std::string& base, int i);

// A painter draws its cells of one sheet onto the whole sheet's canvas; it
// may change only pixels inside the cells whose owner it is. A placeholder
// painter is skipped when a real painter of the same (file, owner) exists.
using Painter = std::function<void(Canvas&)>;
void AddPainter(const std::string& file, const std::string& owner, Painter fn, bool placeholder = false);

// Any other output file (WAV, MIDI, ...), path relative to the data folder
// with '/' ("se/se-1.wav", "wav/v_maho1.wav", "select.mid").
using FileMaker = std::function<Bytes()>;
void AddFile(const std::string& path, const std::string& owner, FileMaker fn);

// A part of a stage file: all parts of stage n fill one StageDesc, in the
// order of their part names, and "men<n>.dat" is written from it.
using StagePart = std::function<void(StageDesc&)>;
void AddStagePart(int stage, const std::string& part, StagePart fn);

// Lookups for painters (valid once registration has run).
Rect CellRect(const std::string& file, const std::string& name);
const CellSpec* FindCell(const std::string& file, const std::string& name);
std::vector<const CellSpec*> CellsOf(const std::string& file, const std::string& owner);
const SheetSpec* FindSheet(const std::string& file);
const std::vector<CellSpec>& AllCells();

// Static registration: in a content file write
//   AG_REGISTER(RegisterMyThings) { DeclareSheet(...); AddPainter(...); ... }
// Registration functions run sorted by their names, so the order (and the
// output) never depends on link order.
using RegisterFn = void (*)();
struct Registrar {
    Registrar(const char* name, RegisterFn fn);
};
#define AG_REGISTER(fn)                                     \
    static void fn();                                       \
    static ::ag::Registrar fn##_registrar_(#fn, &fn);       \
    static void fn()

// The driver.
struct RunOptions {
    std::string outDir;       // "" = write no data (e.g. only contact sheets)
    std::string contactDir;   // "" = no contact sheets
    std::string only;         // "" = everything; else outputs whose path contains it
    std::string contentDir;   // where the content's table files (stageN/waves.txt ...) lie
    bool quiet = false;
};
int Run(const RunOptions& opt);   // 0 on success; prints every error otherwise

// Pieces of the driver, for tests.
void ResetRegistry();             // forget everything registered (keeps the static registrars)
void RunRegistrations();          // run the static registrars
bool CheckSheetMap();             // bounds, overlaps, names; false (and Fail) on a problem
// Paint one declared sheet and run the per-cell checks; false on a problem.
bool PaintSheet(const std::string& file, Canvas& out);
Canvas ContactSheet(const std::string& file, const Canvas& sheet);

}  // namespace ag
