// The command line and --help, read and written through the option table,
// and the landing of chosen values where the program reads them.
#include "shell/options.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "shell/version.h"

RunOptions launch;

std::optional<long> Settings::Number(const std::string& id) const {
    auto it = values.find(id);
    if (it == values.end()) return std::nullopt;
    return it->second.number;
}

std::optional<std::string> Settings::Text(const std::string& id) const {
    auto it = values.find(id);
    if (it == values.end()) return std::nullopt;
    return it->second.text;
}

std::string OptionId(const OptionRow& row) { return row.key ? row.key : row.flag; }

std::string HelpText(std::span<const OptionRow> rows) {
    std::string text = "Usage: pelloquinade [options]\n";
    for (const OptionRow& row : rows) {
        if (!row.flag || !row.help) continue;
        std::string left = row.flag;
        if (row.arg) left += std::string(" ") + row.arg;
        char line[256];
        std::snprintf(line, sizeof line, "  %-19s %s\n", left.c_str(), row.help);
        text += line;
    }
    return text;
}

std::string AbsolutePath(const std::string& p) {
    if (p.empty()) return p;
    std::error_code ec;
    std::filesystem::path a = std::filesystem::absolute(p, ec);
    return ec ? p : a.string();
}

namespace {

const OptionRow* FindFlag(std::span<const OptionRow> rows, const std::string& a) {
    for (const OptionRow& row : rows)
        if ((row.flag && a == row.flag) || (row.alias && a == row.alias)) return &row;
    return nullptr;
}

}  // namespace

int ReadCommandLine(int argc, char** argv, Settings& values, std::span<const OptionRow> rows) {
    for (int i = 1; i < argc; i++) {
        const std::string a = argv[i];
        const OptionRow* row = FindFlag(rows, a);
        if (!row) {
            std::cerr << "pelloquinade: unknown option " << a << " (try --help)\n";
            return 2;
        }
        const char* v = nullptr;
        const OptionKind k = row->kind;
        if (k != OptionKind::Switch && k != OptionKind::OptionalWord && k != OptionKind::Help && k != OptionKind::Version) {
            if (i + 1 >= argc)
                std::cerr << "pelloquinade: " << a << " needs " << row->needs << "\n";
            else
                v = argv[++i];
        }
        OptionValue value;
        switch (row->kind) {
            case OptionKind::Help:
                std::cout << HelpText(rows);
                return 0;
            case OptionKind::Version:
                std::cout << kVersionLine << "\n";
                return 0;
            case OptionKind::Switch:
                value.number = row->flagSets;
                break;
            case OptionKind::OptionalWord:
                value.number = 1;
                if (row->word && i + 1 < argc && std::string(argv[i + 1]) == row->word) {
                    value.number = 2;
                    i++;
                }
                break;
            case OptionKind::Number: {
                if (!v) return 2;
                const long lo = row->flagLo.value_or(row->lo);
                char* end = nullptr;
                value.number = std::strtol(v, &end, 10);
                if (!*v || *end || value.number < lo || value.number > row->hi) {
                    std::cerr << "pelloquinade: " << a << " takes a number from " << lo << " to " << row->hi << "\n";
                    return 2;
                }
                break;
            }
            case OptionKind::Power: {
                int lv = -1, op = -1;
                char tail = 0;
                if (!v || std::sscanf(v, "%d,%d%c", &lv, &op, &tail) != 2 || lv < 0 || lv > 2 || op < 0 || op > 3) {
                    std::cerr << "pelloquinade: " << a << " takes LEVEL,OPTIONS with LEVEL 0..2 and OPTIONS 0..3\n";
                    return 2;
                }
                value.number = lv;
                value.second = op;
                break;
            }
            case OptionKind::Path:
            case OptionKind::Text:
            case OptionKind::KeyName:
            case OptionKind::PadButton:
                if (!v) return 2;
                // Paths are made absolute now: the program changes into the data folder.
                value.text = row->kind == OptionKind::Path ? AbsolutePath(v) : v;
                break;
        }
        values.values[OptionId(*row)] = value;
        if (const OptionRow* implied = row->implies ? FindFlag(rows, row->implies) : nullptr)
            values.SetNumber(OptionId(*implied), implied->flagSets);
    }
    return -1;
}

void LandOptions(const Settings& values, RunOptions& run, bool keyed, std::span<const OptionRow> rows) {
    for (const OptionRow& row : rows) {
        if ((row.key != nullptr) != keyed || !row.land) continue;
        auto it = values.values.find(OptionId(row));
        if (it != values.values.end()) row.land(run, it->second);
    }
}
