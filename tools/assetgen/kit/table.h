// Plain-text tables under the content folder: one entry a line, split into fields, each entry handled by its keyword.
//
// A line is a keyword followed by fields separated by spaces; a field in
// double quotes may hold spaces; '#' starts a comment that runs to the end
// of the line; blank lines are skipped. Every problem is reported as
// "file:line: what" through Fail, so a bad line fails the run instead of
// being skipped.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace ag {

// The content folder the tables are read from (the driver sets it).
void SetContentDir(const std::string& dir);

struct TableLine {
    std::string where;                 // "stage3/waves.txt:12"
    std::vector<std::string> fields;   // fields[0] is the keyword

    // Reports "where: what" and abandons the entry (ReadEntries catches it).
    [[noreturn]] void Refuse(const std::string& what) const;
    // Refuses the entry unless it has between min and max fields after its keyword.
    void Expect(size_t min, size_t max) const;
    int Int(size_t i) const;                  // a whole number, or the entry is refused
    std::string Text(size_t i) const;         // the field, or "" past the end
};

// The lines of `text`, named `name` in reports (a quote left open is reported).
std::vector<TableLine> ParseTable(const std::string& text, const std::string& name);

// Reads the table `name` (relative to the content folder) and hands each line
// to the entry of its keyword; "*" handles keywords that have no entry of
// their own, and without it an unknown keyword is reported. A missing file is
// reported; an error raised while an entry is handled names its line.
using TableEntry = std::function<void(const TableLine&)>;
void ReadEntries(const std::string& name, const std::map<std::string, TableEntry>& entries);
void ReadEntries(const std::vector<TableLine>& lines, const std::map<std::string, TableEntry>& entries);

}  // namespace ag
