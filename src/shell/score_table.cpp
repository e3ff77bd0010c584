#include "shell/score_table.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "shell/user_files.h"

namespace {

constexpr const char* kMagic = "pelloquinade-scores 1";

uint32_t Fnv32(const std::string& s) {
    uint32_t h = 2166136261u;
    for (unsigned char c : s) h = (h ^ c) * 16777619u;
    return h;
}

bool NameOk(const std::string& n) {
    if (n.empty() || n.size() > static_cast<size_t>(kNameMax)) return false;
    for (char c : n)
        if (!std::strchr(kNameCharacters, c) || c == 0) return false;
    return true;
}

bool DateOk(const std::string& d) {
    int y = 0, m = 0, day = 0;
    char tail = 0;
    return d.size() == 10 && std::sscanf(d.c_str(), "%4d-%2d-%2d%c", &y, &m, &day, &tail) == 3 && m >= 1 &&
           m <= 12 && day >= 1 && day <= 31;
}

// A replay's file name: letters, digits, '-', '_' and '.', no folders.
bool FileNameOk(const std::string& f) {
    if (f == kNoReplay) return true;
    if (f.empty() || f.size() > 64 || f[0] == '.' || f[0] == '-') return false;
    for (char c : f)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.')) return false;
    return true;
}

}  // namespace

std::string FormatScoreBook(const ScoreBook& book) {
    std::ostringstream o;
    o << kMagic << "\n";
    if (!book.lastName.empty()) o << "last_name " << book.lastName << "\n";
    o << "reached " << book.reached << "\n";
    o << "practice";
    for (int b : book.practiceBest) o << " " << b;
    o << "\n";
    for (const ScoreEntry& e : book.entries)
        o << "entry " << e.name << " " << e.score << " " << e.chno << " " << e.stage << " " << e.date << " "
          << e.replay << "\n";
    std::string body = o.str();
    char check[32];
    std::snprintf(check, sizeof check, "check %08x\n", Fnv32(body));
    return body + check;
}

bool ParseScoreBook(const std::string& text, ScoreBook& out, std::string& why) {
    if (text.compare(0, std::strlen(kMagic), kMagic) != 0 || text.size() <= std::strlen(kMagic) ||
        text[std::strlen(kMagic)] != '\n') {
        why = "it is not a score table of this game";
        return false;
    }
    size_t checkAt = text.rfind("check ");
    unsigned sum = 0;
    char tail = 0;
    if (checkAt == std::string::npos || (checkAt > 0 && text[checkAt - 1] != '\n') ||
        std::sscanf(text.c_str() + checkAt, "check %8x\n%c", &sum, &tail) != 1 ||
        text.size() != checkAt + 15 || sum != Fnv32(text.substr(0, checkAt))) {
        why = "it is damaged (its checksum does not match)";
        return false;
    }
    ScoreBook b;
    std::istringstream in(text.substr(0, checkAt));
    std::string line;
    std::getline(in, line);  // the magic
    int lineNo = 1;
    while (std::getline(in, line)) {
        lineNo++;
        std::istringstream ls(line);
        std::string kind, extra;
        ls >> kind;
        bool ok = true;
        if (kind == "last_name") {
            ok = static_cast<bool>(ls >> b.lastName) && NameOk(b.lastName);
        } else if (kind == "reached") {
            ok = static_cast<bool>(ls >> b.reached) && b.reached >= 1 && b.reached <= 5;
        } else if (kind == "practice") {
            for (int& v : b.practiceBest) ok = ok && static_cast<bool>(ls >> v) && v >= 0;
        } else if (kind == "entry") {
            ScoreEntry e;
            ok = static_cast<bool>(ls >> e.name >> e.score >> e.chno >> e.stage >> e.date >> e.replay) &&
                 NameOk(e.name) && e.score > 0 && e.chno >= 0 && e.chno <= 9 && e.stage >= 1 && e.stage <= 5 &&
                 DateOk(e.date) && FileNameOk(e.replay) && static_cast<int>(b.entries.size()) < kScoreRows &&
                 (b.entries.empty() || b.entries.back().score >= e.score);
            if (ok) b.entries.push_back(e);
        } else {
            ok = false;
        }
        if (!ok || (ls >> extra)) {
            why = "it is damaged (line " + std::to_string(lineNo) + " cannot be read)";
            return false;
        }
    }
    out = b;
    return true;
}

int ScoreRank(const ScoreBook& book, int score) {
    if (score <= 0) return -1;
    int rank = 0;
    while (rank < static_cast<int>(book.entries.size()) && book.entries[rank].score >= score) rank++;
    return rank < kScoreRows ? rank : -1;
}

std::vector<std::string> InsertScore(ScoreBook& book, const ScoreEntry& entry, int rank) {
    std::vector<std::string> dropped;
    if (rank < 0 || rank > static_cast<int>(book.entries.size())) return dropped;
    book.entries.insert(book.entries.begin() + rank, entry);
    while (static_cast<int>(book.entries.size()) > kScoreRows) {
        dropped.push_back(book.entries.back().replay);
        book.entries.pop_back();
    }
    return dropped;
}

ScoreBook LoadScoreBook(const std::string& path, std::string& notice, bool moveAside) {
    namespace fs = std::filesystem;
    ScoreBook book;
    std::error_code ec;
    if (!fs::exists(path, ec)) return book;
    std::vector<uint8_t> bytes;
    std::string why;
    // No table this game writes comes near this size; a bigger file is not ours.
    constexpr uintmax_t kLargest = 64 * 1024;
    uintmax_t size = fs::file_size(path, ec);
    if (ec || size > kLargest) {
        why = "it is not a score table of this game";
    } else if (!ReadWholeFile(path, bytes, why)) {
        why = "it cannot be read (" + why + ")";
    } else if (ParseScoreBook(std::string(bytes.begin(), bytes.end()), book, why)) {
        return book;
    }
    book = ScoreBook{};
    if (!moveAside) {
        notice = "the high-score table " + path + " cannot be used: " + why;
        return book;
    }
    std::string aside = path + ".damaged";
    for (int n = 2; fs::exists(aside, ec) && n < 1000; n++) aside = path + ".damaged-" + std::to_string(n);
    fs::rename(path, aside, ec);
    notice = "the high-score table " + path + " was not used: " + why + "; " +
             (ec ? "it could not be moved aside (" + ec.message() + ")" : "it is kept as " + aside) +
             ", and a new table starts";
    return book;
}

bool SaveScoreBook(const std::string& path, const ScoreBook& book, std::string& error) {
    std::string text = FormatScoreBook(book);
    return WriteFileReplacing(path, std::vector<uint8_t>(text.begin(), text.end()), error);
}

std::string ScoreTableText(const ScoreBook& book) {
    std::ostringstream o;
    if (book.entries.empty()) return "No high scores yet.\n";
    char line[128];
    std::snprintf(line, sizeof line, "%-4s %-8s %10s  %-9s %-5s %s\n", "RANK", "NAME", "SCORE", "CHARACTER", "STAGE",
                  "DATE");
    o << line;
    for (size_t i = 0; i < book.entries.size(); i++) {
        const ScoreEntry& e = book.entries[i];
        std::snprintf(line, sizeof line, "%-4zu %-8s %10d  %-9s %-5d %s\n", i + 1, e.name.c_str(), e.score,
                      kCharacterName[e.chno], e.stage, e.date.c_str());
        o << line;
    }
    return o.str();
}
