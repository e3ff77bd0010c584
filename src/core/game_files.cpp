// Game-file names and paths: the character, music and stage sheet tables and
// how an in-game name becomes a path in the data folder.
#include <filesystem>

#include "core/core.h"

const char* const CharSheet[10] = {"c_maho.bmp",     "c_maho.bmp",  "c_angel.bmp",   "c_devil.bmp",
                                   "c_syamoji.bmp",  "c_digiko.bmp", "c_aji.bmp",    "c_taiyaki.bmp",
                                   "c_aniki.bmp",    "c_legend.bmp"};
const char* const StageMusic[7] = {nullptr, "stg1.mid", "stg2.mid", "stg3.mid", "stg4.mid", "stg5.mid", "stg6.mid"};
const char* const BgSheet[7] = {nullptr,         "bg_stage1.bmp", "bg_stage2.bmp", "bg_stage3.bmp",
                                "bg_stage4.bmp", "bg_stage5.bmp", nullptr};
const char* const EnemySheet[7] = {nullptr,         "stage1_en.bmp", "stage2_en.bmp", "stage3_en.bmp",
                                   "stage4_en.bmp", "stage5_en.bmp", nullptr};

std::string GameFilePath(const char* name) {
    std::string path = name ? name : "";
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

std::FILE* OpenGameFile(const char* name, const char* mode) {
    return std::fopen(GameFilePath(name).c_str(), mode);
}

const char* MissingStageFile(int stage) {
    static char name[32];
    std::snprintf(name, sizeof name, "men%d.dat", stage);
    if (stage < 1 || stage > kLastStage) return name;
    const char* files[3] = {name, BgSheet[stage], EnemySheet[stage]};
    for (const char* f : files) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(GameFilePath(f), ec)) return f;
    }
    return nullptr;
}
