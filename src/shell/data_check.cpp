// The data folder check at start: one line when the folder lacks, or holds a
// damaged copy of, a file the run will read (the game plays on regardless).
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "shell/shell.h"
#include "stage/stage.h"
#include "stage/stage_table.h"

#ifndef PELLO_GENERATOR
#define PELLO_GENERATOR "assetgen"
#endif

namespace fs = std::filesystem;

namespace {

uint32_t Le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint32_t Be32(const unsigned char* p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

// Pictures, pieces and sounds every run reads, whatever the stage.
const char* const kCommonFiles[] = {
    "title.bmp", "vrk_logo.bmp", "title_text.bmp", "title_bg.bmp", "cs_make.bmp", "sbg.bmp", "select.bmp",
    "name.bmp", "demo_over.bmp", "pre_end.bmp", "fix.bmp", "tama.bmp", "sp_maho.bmp", "select.mid", "boss1.mid",
    "se\\se-1.wav", "se\\se-2.wav", "se\\se-3.wav", "se\\cs-1.wav", "se\\cs-2.wav", "se\\cs-3.wav",
};

// How a present file of a known kind disagrees with its own header; empty
// when it looks whole. Only the first bytes are read.
std::string Damage(const fs::path& path, uintmax_t size) {
    const std::string ext = path.extension().string();
    if (ext == ".dat") {
        if (size != static_cast<uintmax_t>(kMenFileSize))
            return std::to_string(size) + " bytes instead of " + std::to_string(kMenFileSize);
        return "";
    }
    std::vector<unsigned char> head(static_cast<size_t>(std::min<uintmax_t>(size, 4096)));
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        head.resize(std::fread(head.data(), 1, head.size(), f));
        std::fclose(f);
    } else {
        return "unreadable";
    }
    if (ext == ".bmp") {
        if (head.size() < 34 || head[0] != 'B' || head[1] != 'M') return "not a bitmap";
        if (Le32(head.data() + 2) != size)
            return std::to_string(size) + " bytes where its header says " + std::to_string(Le32(head.data() + 2));
        std::string why;
        if (!plat::CheckBmpHeader(head.data(), static_cast<size_t>(size), &why)) return why;
        return "";
    }
    if (ext == ".wav") {
        if (head.size() < 12 || std::memcmp(head.data(), "RIFF", 4) != 0 || std::memcmp(head.data() + 8, "WAVE", 4) != 0)
            return "not a WAV file";
        if (static_cast<uintmax_t>(Le32(head.data() + 4)) + 8 != size)
            return std::to_string(size) + " bytes where its header says " + std::to_string(Le32(head.data() + 4) + 8ull);
        return "";
    }
    if (ext == ".mid") {
        if (head.size() < 14 || std::memcmp(head.data(), "MThd", 4) != 0) return "not a MIDI file";
        // The header chunk and each track chunk state their lengths.
        uintmax_t at = 0;
        std::FILE* f = std::fopen(path.c_str(), "rb");
        while (f && at + 8 <= size) {
            unsigned char chunk[8];
            if (std::fseek(f, static_cast<long>(at), SEEK_SET) != 0 || std::fread(chunk, 1, 8, f) != 8) break;
            at += 8 + static_cast<uintmax_t>(Be32(chunk + 4));
        }
        if (f) std::fclose(f);
        if (at != size) return std::to_string(size) + " bytes where its chunks say " + std::to_string(at);
        return "";
    }
    return "";
}

// The in-game names of the files a run of these stages reads, sorted.
std::set<std::string> RunFiles(const std::vector<int>& stages) {
    std::set<std::string> names(std::begin(kCommonFiles), std::end(kCommonFiles));
    for (const char* sheet : CharSheet) names.insert(sheet);
    for (int s : stages) {
        if (s < 1 || s >= kStageRows) continue;
        char men[32];
        std::snprintf(men, sizeof men, "men%d.dat", s);
        names.insert(men);
        const StageInfo& row = StageTable[s];
        if (row.music) names.insert(row.music);
        if (row.sceneSheet) names.insert(row.sceneSheet);
        if (row.enemySheet) names.insert(row.enemySheet);
    }
    return names;
}
}  // namespace

std::vector<int> RunStages(int first, bool campaign) {
    std::vector<int> stages{first};
    std::error_code ec;
    for (int s = first + 1; campaign && s <= kLastStage; s++)
        if (fs::exists("men" + std::to_string(s) + ".dat", ec)) stages.push_back(s);
    return stages;
}

uint64_t DataFingerprint(const std::vector<int>& stages) {
    uint64_t h = 0xcbf29ce484222325ull;
    auto add = [&h](const unsigned char* p, size_t n) {
        for (size_t i = 0; i < n; i++) h = (h ^ p[i]) * 0x100000001b3ull;
    };
    std::vector<unsigned char> buf(1 << 16);
    for (const std::string& name : RunFiles(stages)) {
        add(reinterpret_cast<const unsigned char*>(name.c_str()), name.size() + 1);
        std::FILE* f = std::fopen(GameFilePath(name.c_str()).c_str(), "rb");
        const unsigned char absent = 0xFF;
        if (!f) {
            add(&absent, 1);
            continue;
        }
        for (size_t n; (n = std::fread(buf.data(), 1, buf.size(), f)) > 0;) add(buf.data(), n);
        std::fclose(f);
    }
    return h;
}

std::string CheckDataFolder(const std::vector<int>& stages, bool installed) {
    const std::set<std::string> names = RunFiles(stages);
    std::vector<std::string> problems;
    std::error_code ec;
    for (const std::string& name : names) {
        const std::string path = GameFilePath(name.c_str());
        if (!fs::is_regular_file(path, ec)) problems.push_back(path + " missing");
    }
    // Every file of a known kind that is present, in the folder and its
    // sound folders, is checked against its own header.
    int files = 0;
    for (const char* dir : {".", "se", "wav"}) {
        if (!fs::is_directory(dir, ec)) {
            problems.push_back(std::string(dir) + "/ missing");
            continue;
        }
        std::vector<fs::path> found;
        for (const auto& e : fs::directory_iterator(dir, ec))
            if (e.is_regular_file(ec)) found.push_back(e.path());
        std::sort(found.begin(), found.end());
        for (const fs::path& p : found) {
            const uintmax_t size = fs::file_size(p, ec);
            if (ec) continue;
            files++;
            const std::string why = Damage(p, size);
            if (!why.empty()) problems.push_back(p.lexically_normal().string() + " " + why);
        }
    }
    if (problems.empty()) return "";

    std::string line = "pelloquinade: data folder " + fs::current_path(ec).string() + ": " +
                       std::to_string(problems.size()) + (problems.size() == 1 ? " problem" : " problems") +
                       " among " + std::to_string(files) + " files (";
    for (size_t i = 0; i < problems.size() && i < 4; i++) line += (i ? "; " : "") + problems[i];
    if (problems.size() > 4) line += "; " + std::to_string(problems.size() - 4) + " more";
    if (installed)
        line += "); reinstall the game (the Debian package: apt-get install --reinstall pelloquinade)";
    else
        line += "); regenerate it with the generator: " PELLO_GENERATOR " " + fs::current_path(ec).string();
    return line;
}
