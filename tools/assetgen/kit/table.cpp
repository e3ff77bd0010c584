// The table reader: splitting lines into fields, numbers checked whole, entries dispatched by keyword.
#include "table.h"

#include <charconv>
#include <fstream>
#include <sstream>

#include "core.h"

namespace ag {

namespace {

std::string& ContentDirRef() {
    static std::string dir;
    return dir;
}

// Thrown by TableLine::Refuse once the problem is reported.
struct RefusedEntry {};

}  // namespace

void SetContentDir(const std::string& dir) { ContentDirRef() = dir; }

void TableLine::Refuse(const std::string& what) const {
    Fail(where + ": " + what);
    throw RefusedEntry{};
}

void TableLine::Expect(size_t min, size_t max) const {
    size_t n = fields.size() - 1;
    if (n < min || n > max)
        Refuse(min == max ? Format("'%s' takes %zu fields, not %zu", fields[0].c_str(), min, n)
                          : Format("'%s' takes %zu to %zu fields, not %zu", fields[0].c_str(), min, max, n));
}

int TableLine::Int(size_t i) const {
    const std::string s = Text(i);
    int v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size())
        Refuse(Format("field %zu ('%s') is not a whole number", i, s.c_str()));
    return v;
}

std::string TableLine::Text(size_t i) const { return i < fields.size() ? fields[i] : std::string(); }

std::vector<TableLine> ParseTable(const std::string& text, const std::string& name) {
    std::vector<TableLine> lines;
    std::istringstream in(text);
    std::string raw;
    for (int no = 1; std::getline(in, raw); ++no) {
        TableLine l{Format("%s:%d", name.c_str(), no), {}};
        size_t i = 0;
        bool open = false;
        while (i < raw.size()) {
            char c = raw[i];
            if (c == ' ' || c == '\t' || c == '\r') {
                ++i;
            } else if (c == '#') {
                break;
            } else if (c == '"') {
                size_t close = raw.find('"', i + 1);
                if (close == std::string::npos) {
                    open = true;
                    break;
                }
                l.fields.push_back(raw.substr(i + 1, close - i - 1));
                i = close + 1;
            } else {
                size_t j = raw.find_first_of(" \t\r#\"", i);
                if (j == std::string::npos) j = raw.size();
                l.fields.push_back(raw.substr(i, j - i));
                i = j;
            }
        }
        if (open)
            Fail(l.where + ": a quote is left open");
        else if (!l.fields.empty())
            lines.push_back(std::move(l));
    }
    return lines;
}

void ReadEntries(const std::vector<TableLine>& lines, const std::map<std::string, TableEntry>& entries) {
    auto other = entries.find("*");
    for (const TableLine& l : lines) {
        auto e = entries.find(l.fields[0]);
        if (e == entries.end()) e = other;
        if (e == entries.end()) {
            Fail(l.where + ": unknown entry '" + l.fields[0] + "'");
            continue;
        }
        int before = ErrorCount();
        try {
            e->second(l);
        } catch (const RefusedEntry&) {
            continue;
        }
        // Checks further down (a closed frame, a missing cell) do not know the line.
        PrefixErrorsSince(before, l.where + ": ");
    }
}

void ReadEntries(const std::string& name, const std::map<std::string, TableEntry>& entries) {
    std::ifstream f(ContentDirRef() + "/" + name, std::ios::binary);
    if (!f) {
        Fail("cannot read " + ContentDirRef() + "/" + name);
        return;
    }
    std::ostringstream s;
    s << f.rdbuf();
    ReadEntries(ParseTable(s.str(), name), entries);
}

}  // namespace ag
