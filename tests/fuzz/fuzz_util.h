// Shared by the fuzz targets: each input is written to a file in a private
// folder, since the loaders under test read files by name.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace fuzz {

inline const std::filesystem::path& Folder() {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("pello_fuzz_" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

// Writes the input as `name` in the private folder and returns its path.
inline std::string WriteInput(const char* name, const uint8_t* data, size_t size) {
    const std::string path = (Folder() / name).string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
    return path;
}

}  // namespace fuzz
