// Game-file names and paths: the character sheet table and how an in-game
// name becomes a path in the data folder.
#include "core/core.h"

const char* const CharSheet[10] = {"c_maho.bmp",     "c_maho.bmp",  "c_angel.bmp",   "c_devil.bmp",
                                   "c_syamoji.bmp",  "c_digiko.bmp", "c_aji.bmp",    "c_taiyaki.bmp",
                                   "c_aniki.bmp",    "c_legend.bmp"};

std::string GameFilePath(const char* name) {
    std::string path = name ? name : "";
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

std::FILE* OpenGameFile(const char* name, const char* mode) {
    return std::fopen(GameFilePath(name).c_str(), mode);
}
