// The registry, the sheet-map checks, contact sheets and the driver that writes the data folder.
#include "registry.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "sound.h"
#include "table.h"

namespace ag {

namespace {

struct PainterEntry {
    std::string file, owner;
    Painter fn;
    bool placeholder;
};
struct FileEntry {
    std::string path, owner;
    FileMaker fn;
};
struct StagePartEntry {
    int stage;
    std::string part;
    StagePart fn;
};

struct Registry {
    std::vector<SheetSpec> sheets;
    std::vector<CellSpec> cells;
    std::vector<PainterEntry> painters;
    std::vector<FileEntry> files;
    std::vector<StagePartEntry> stageParts;
};

unsigned g_cellGeneration = 0;   // changes whenever the cell list does

Registry& R() {
    static Registry r;
    return r;
}

std::vector<std::pair<std::string, RegisterFn>>& Registrars() {
    static std::vector<std::pair<std::string, RegisterFn>> list;
    return list;
}

std::string RectText(const Rect& r) { return Format("(%d, %d, %d, %d)", r.l, r.t, r.r, r.b); }

bool WriteFile(const std::string& dir, const std::string& path, const Bytes& data) {
    std::filesystem::path p = std::filesystem::path(dir) / path;
    std::error_code ec;
    std::filesystem::create_directories(p.parent_path(), ec);
    // leave an identical file untouched (keeps timestamps quiet)
    {
        std::ifstream in(p, std::ios::binary);
        if (in) {
            Bytes old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (old == data) return true;
        }
    }
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
    if (!out) {
        Fail("cannot write " + p.string());
        return false;
    }
    return true;
}

bool Wanted(const RunOptions& o, const std::string& path) { return o.only.empty() || path.find(o.only) != std::string::npos; }

}  // namespace

const char* CopyName(Copy c) {
    switch (c) {
        case Copy::Keyed: return "keyed";
        case Copy::Additive: return "additive";
        case Copy::Plain: return "plain";
        case Copy::BlackKey: return "black-keyed";
    }
    return "?";
}

void DeclareSheet(const SheetSpec& s) { R().sheets.push_back(s); }
void DeclareCell(const CellSpec& c) {
    R().cells.push_back(c);
    ++g_cellGeneration;
}
std::string CellName(const std::string& base, int i) { return base + " " + std::to_string(i); }

void AddPainter(const std::string& file, const std::string& owner, Painter fn, bool placeholder) {
    R().painters.push_back(PainterEntry{file, owner, std::move(fn), placeholder});
}
void AddFile(const std::string& path, const std::string& owner, FileMaker fn) {
    R().files.push_back(FileEntry{path, owner, std::move(fn)});
}
void AddStagePart(int stage, const std::string& part, StagePart fn) {
    R().stageParts.push_back(StagePartEntry{stage, part, std::move(fn)});
}

const CellSpec* FindCell(const std::string& file, const std::string& name) {
    // index rebuilt whenever cells were added since the last lookup
    static std::map<std::pair<std::string, std::string>, size_t> index;
    static unsigned indexed = ~0u;
    auto& cells = R().cells;
    if (indexed != g_cellGeneration) {
        index.clear();
        for (size_t i = 0; i < cells.size(); ++i) index.emplace(std::make_pair(cells[i].file, cells[i].name), i);
        indexed = g_cellGeneration;
    }
    auto it = index.find({file, name});
    return it == index.end() ? nullptr : &cells[it->second];
}

Rect CellRect(const std::string& file, const std::string& name) {
    const CellSpec* c = FindCell(file, name);
    if (!c) {
        Fail("no cell '" + name + "' on " + file);
        return Rect{};
    }
    return c->r;
}

std::vector<const CellSpec*> CellsOf(const std::string& file, const std::string& owner) {
    std::vector<const CellSpec*> out;
    for (auto& c : R().cells)
        if (c.file == file && c.owner == owner) out.push_back(&c);
    return out;
}

const SheetSpec* FindSheet(const std::string& file) {
    for (auto& s : R().sheets)
        if (s.file == file) return &s;
    return nullptr;
}

const std::vector<CellSpec>& AllCells() { return R().cells; }

Registrar::Registrar(const char* name, RegisterFn fn) { Registrars().emplace_back(name, fn); }

void ResetRegistry() {
    R() = Registry{};
    ++g_cellGeneration;
}

void RunRegistrations() {
    auto list = Registrars();
    std::sort(list.begin(), list.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 1; i < list.size(); ++i)
        if (list[i].first == list[i - 1].first) Fail("two registration functions named " + list[i].first);
    for (auto& [name, fn] : list) fn();
}

bool CheckSheetMap() {
    int before = ErrorCount();
    auto& reg = R();
    std::set<std::string> sheetNames;
    for (auto& s : reg.sheets) {
        if (!sheetNames.insert(s.file).second) Fail("sheet " + s.file + " declared twice");
        if (s.w <= 0 || s.h <= 0) Fail("sheet " + s.file + " has no size");
        if (s.depth == Depth::Indexed8 && (s.w % 4 != 0 || s.w > 1024))
            Fail(Format("sheet %s: 8-bit sheets need a width that is a multiple of 4 and at most 1024 (is %d)",
                        s.file.c_str(), s.w));
    }
    std::map<std::string, std::vector<const CellSpec*>> byFile;
    std::set<std::pair<std::string, std::string>> names;
    for (auto& c : reg.cells) {
        const SheetSpec* s = FindSheet(c.file);
        if (!s) {
            Fail("cell '" + c.name + "' is on " + c.file + ", which is not declared");
            continue;
        }
        if (!names.insert({c.file, c.name}).second) Fail("cell '" + c.name + "' declared twice on " + c.file);
        if (c.r.Empty()) Fail("cell '" + c.name + "' on " + c.file + " is empty " + RectText(c.r));
        if (c.r.l < 0 || c.r.t < 0 || c.r.r > s->w || c.r.b > s->h)
            Fail(Format("cell '%s' %s lies outside %s (%dx%d)", c.name.c_str(), RectText(c.r).c_str(),
                        c.file.c_str(), s->w, s->h));
        if (c.owner.empty()) Fail("cell '" + c.name + "' on " + c.file + " has no owner");
        byFile[c.file].push_back(&c);
    }
    for (auto& [file, cells] : byFile)
        for (size_t i = 0; i < cells.size(); ++i)
            for (size_t j = i + 1; j < cells.size(); ++j) {
                const CellSpec& a = *cells[i];
                const CellSpec& b = *cells[j];
                if (!a.r.Overlaps(b.r)) continue;
                bool ok = a.share == "*" || b.share == "*" || (!a.share.empty() && a.share == b.share);
                if (!ok)
                    Fail(Format("cells '%s' %s and '%s' %s overlap on %s (mark an allowed overlap with share)",
                                a.name.c_str(), RectText(a.r).c_str(), b.name.c_str(), RectText(b.r).c_str(),
                                file.c_str()));
            }
    // every owner of a cell needs a painter: nothing the game reads stays blank
    std::set<std::pair<std::string, std::string>> painted;
    for (auto& p : reg.painters) painted.insert({p.file, p.owner});
    for (auto& c : reg.cells)
        if (!painted.count({c.file, c.owner}))
            Fail("cell '" + c.name + "' on " + c.file + ": no painter for owner '" + c.owner + "'");
    for (auto& p : reg.painters)
        if (!FindSheet(p.file)) Fail("painter '" + p.owner + "' paints " + p.file + ", which is not declared");
    return ErrorCount() == before;
}

bool PaintSheet(const std::string& file, Canvas& out) {
    int before = ErrorCount();
    const SheetSpec* s = FindSheet(file);
    if (!s) {
        Fail("no sheet " + file);
        return false;
    }
    out = Canvas(s->w, s->h, s->background);
    auto& reg = R();
    std::set<std::string> realOwners;
    for (auto& p : reg.painters)
        if (p.file == file && !p.placeholder) realOwners.insert(p.owner);
    for (auto& p : reg.painters) {
        if (p.file != file || (p.placeholder && realOwners.count(p.owner))) continue;
        auto mine = CellsOf(file, p.owner);
        Canvas before = out;
        p.fn(out);
        out.clip = Rect{0, 0, 1 << 30, 1 << 30};
        if (out.w != s->w || out.h != s->h) {
            Fail("painter '" + p.owner + "' resized " + file);
            out = before;
            continue;
        }
        // pixels this painter may change: the union of its cells
        std::vector<uint8_t> mask(size_t(out.w) * out.h, 0);
        for (auto* c : mine)
            for (int y = std::max(0, c->r.t); y < std::min(out.h, c->r.b); ++y)
                for (int x = std::max(0, c->r.l); x < std::min(out.w, c->r.r); ++x) mask[size_t(y) * out.w + x] = 1;
        int stray = 0;
        Point first{0, 0};
        for (int y = 0; y < out.h; ++y)
            for (int x = 0; x < out.w; ++x) {
                size_t i = size_t(y) * out.w + x;
                if (out.px[i] != before.px[i] && !mask[i] && stray++ == 0) first = {x, y};
            }
        if (stray)
            Fail(Format("painter '%s' changed %d pixels of %s outside its cells (first at %d,%d)", p.owner.c_str(),
                        stray, file.c_str(), first.x, first.y));
    }
    // per-cell checks: the right "nothing", no blank cell
    for (auto& c : reg.cells) {
        if (c.file != file) continue;
        int nonNothing = 0, wrong = 0;
        Point firstWrong{0, 0};
        for (int y = std::max(0, c.r.t); y < std::min(out.h, c.r.b); ++y)
            for (int x = std::max(0, c.r.l); x < std::min(out.w, c.r.r); ++x) {
                Rgb p = out.Get(x, y);
                bool bad = false, nothing = false;
                switch (c.copy) {
                    case Copy::Keyed:
                        nothing = p == kKey;
                        bad = !nothing && NearKey(p);
                        break;
                    case Copy::Additive:
                        nothing = p.r + p.g + p.b < 24;
                        bad = NearKey(p);
                        break;
                    case Copy::BlackKey:
                        nothing = p == kBlack;
                        bad = !nothing && NearBlack(p);
                        break;
                    case Copy::Plain: nothing = p == kKey; break;
                }
                if (!nothing) ++nonNothing;
                if (bad && wrong++ == 0) firstWrong = {x, y};
            }
        if (nonNothing == 0) Fail("cell '" + c.name + "' on " + file + " is blank");
        if (wrong) {
            const char* why = c.copy == Copy::Additive ? "green in an additive cell (its nothing is black)"
                              : c.copy == Copy::BlackKey ? "near-black colours that turn into the black key"
                                                         : "near-green colours that turn into the key";
            Fail(Format("cell '%s' on %s: %d pixels of %s (first at %d,%d)", c.name.c_str(), file.c_str(), wrong,
                        why, firstWrong.x, firstWrong.y));
        }
    }
    return ErrorCount() == before;
}

Canvas ContactSheet(const std::string& file, const Canvas& sheet) {
    const int k = 2, band = 14;
    Canvas out(sheet.w * k, sheet.h * k + band, Rgb{40, 40, 48});
    Canvas big = sheet.Scaled(k);
    out.Blit(big, 0, band, false);
    const SheetSpec* s = FindSheet(file);
    std::string title = file + Format("  %dx%d", sheet.w, sheet.h);
    if (s) title += std::string("  ") + (s->depth == Depth::Indexed8 ? "8-BIT" : "24-BIT");
    auto sanitize = [](std::string t) {
        for (auto& ch : t)
            if (!GlyphKnown(ch)) ch = '-';
        return t;
    };
    DrawText(out, 3, 3, sanitize(title), TextStyle{Rgb{255, 255, 255}, 1, TextFx::None, kBlack, kBlack});
    static const Rgb cycle[] = {{255, 64, 255}, {64, 255, 255}, {255, 255, 64}, {255, 140, 40}, {255, 255, 255},
                                {255, 80, 80}};
    int idx = 0;
    for (auto& c : R().cells) {
        if (c.file != file) continue;
        Rgb col = cycle[idx++ % 6];
        out.Frame(c.r.l * k, c.r.t * k + band, c.r.W() * k, c.r.H() * k, col);
        if (c.r.W() < 12 || c.r.H() < 12) continue;   // too small to label over: see sheetmap.txt
        std::string label = sanitize(c.name);
        Canvas lab(TextWidth(label) + 2, 9, kKey);
        DrawText(lab, 1, 1, label, TextStyle{col, 1, TextFx::Outline, kBlack, kBlack});
        int maxW = std::max(0, c.r.W() * k - 2), maxH = std::max(0, c.r.H() * k - 2);
        Canvas clip = lab.Crop(Rect{0, 0, std::min(lab.w, maxW), std::min(lab.h, maxH)});
        out.Blit(clip, c.r.l * k + 1, c.r.t * k + band + 1, true, kKey);
    }
    return out;
}

int Run(const RunOptions& opt) {
    auto t0 = std::chrono::steady_clock::now();
    if (!opt.outDir.empty()) std::filesystem::create_directories(opt.outDir);
    SetContentDir(opt.contentDir);
    RunRegistrations();
    CheckSheetMap();
    auto& reg = R();

    std::set<std::string> outputs;
    auto claim = [&](const std::string& path, const std::string& who) {
        if (!outputs.insert(path).second) Fail("two producers write " + path + " (" + who + ")");
    };
    int written = 0;

    // sheets
    std::vector<std::string> sheetFiles;
    for (auto& s : reg.sheets) sheetFiles.push_back(s.file);
    std::sort(sheetFiles.begin(), sheetFiles.end());
    for (auto& f : sheetFiles) {
        claim(f, "sheet");
        if (!Wanted(opt, f)) continue;
        Canvas c;
        PaintSheet(f, c);
        const SheetSpec* s = FindSheet(f);
        Bytes data = s->depth == Depth::Indexed8 ? Bmp8(c, f) : Bmp24(c);
        if (!opt.outDir.empty() && !data.empty() && WriteFile(opt.outDir, f, data)) ++written;
        if (!opt.contactDir.empty()) {
            std::string stem = f.substr(0, f.rfind('.'));
            WriteFile(opt.contactDir, stem + ".contact.bmp", Bmp24(ContactSheet(f, c)));
        }
    }

    // stage files
    std::map<int, std::vector<const StagePartEntry*>> stages;
    for (auto& p : reg.stageParts) stages[p.stage].push_back(&p);
    for (auto& [n, parts] : stages) {
        std::string path = Format("men%d.dat", n);
        claim(path, "stage");
        if (!Wanted(opt, path)) continue;
        std::stable_sort(parts.begin(), parts.end(), [](auto* a, auto* b) { return a->part < b->part; });
        for (size_t i = 1; i < parts.size(); ++i)
            if (parts[i]->part == parts[i - 1]->part) Fail(path + ": two parts named " + parts[i]->part);
        StageDesc d;
        d.stage = n;
        for (auto* p : parts) p->fn(d);
        // templates must lie on the stage's enemy sheet when it is declared
        if (const SheetSpec* en = FindSheet(Format("stage%d_en.bmp", n)))
            for (size_t i = 0; i < d.templates.size(); ++i) {
                const auto& t = d.templates[i];
                if (t.used && (t.sheetX + t.w > en->w || t.sheetY + t.h > en->h))
                    Fail(Format("%s: template %zu (%d,%d %dx%d) lies outside %s", path.c_str(), i, t.sheetX,
                                t.sheetY, t.w, t.h, en->file.c_str()));
            }
        Bytes data = StageBytes(d);
        if (!opt.outDir.empty() && WriteFile(opt.outDir, path, data)) ++written;
    }

    // other files
    std::vector<const FileEntry*> files;
    for (auto& f : reg.files) files.push_back(&f);
    std::stable_sort(files.begin(), files.end(), [](auto* a, auto* b) { return a->path < b->path; });
    for (auto* f : files) {
        claim(f->path, f->owner);
        if (!Wanted(opt, f->path)) continue;
        Bytes data = f->fn();
        if (data.empty()) Fail(f->path + " (" + f->owner + "): empty output");
        if (!opt.outDir.empty() && WriteFile(opt.outDir, f->path, data)) ++written;
    }

    if (!opt.contactDir.empty()) {
        std::string table = "file\tname\tleft\ttop\tright\tbottom\tcopy\towner\tshare\twhat\n";
        for (auto& c : reg.cells)
            table += Format("%s\t%s\t%d\t%d\t%d\t%d\t%s\t%s\t%s\t", c.file.c_str(), c.name.c_str(), c.r.l, c.r.t,
                            c.r.r, c.r.b, CopyName(c.copy), c.owner.c_str(), c.share.c_str()) +
                     c.what + "\n";
        WriteFile(opt.contactDir, "sheetmap.txt", Bytes(table.begin(), table.end()));
    }
    std::error_code ec;
    std::filesystem::remove_all(opt.outDir.empty() ? opt.contactDir + "/.tmp" : opt.outDir + "/.tmp", ec);

    double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (ErrorCount()) {
        for (auto& e : Errors()) std::fprintf(stderr, "assetgen: error: %s\n", e.c_str());
        std::fprintf(stderr, "assetgen: %d errors; the data folder is not complete\n", ErrorCount());
        return 1;
    }
    if (!opt.quiet)
        std::printf("assetgen: %zu outputs (%d written) in %.2f s%s\n", outputs.size(), written, secs,
                    SpeechAvailable() ? "" : " (speech stand-ins: built without libespeak-ng)");
    return 0;
}

}  // namespace ag
