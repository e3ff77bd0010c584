#include "shell/shell.h"

std::string GameFilePath(const char* name) {
    std::string path = name ? name : "";
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

std::FILE* OpenGameFile(const char* name, const char* mode) {
    return std::fopen(GameFilePath(name).c_str(), mode);
}
