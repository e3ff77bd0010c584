// The player's own folders (settings, replays, screenshots) and whole-file reads and replacing writes.
#include "shell/user_files.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {
// An XDG variable counts only when it holds an absolute path.
std::string XdgOr(const char* var, const char* fallbackUnderHome) {
    const char* v = std::getenv(var);
    if (v && v[0] == '/') return v;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/" + fallbackUnderHome;
}
}  // namespace

std::string UserConfigDir() { return XdgOr("XDG_CONFIG_HOME", ".config") + "/pelloquinade"; }
std::string UserDataDir() { return XdgOr("XDG_DATA_HOME", ".local/share") + "/pelloquinade"; }

std::string UserPicturesDir() {
    const char* v = std::getenv("XDG_PICTURES_DIR");
    if (v && v[0] == '/') return v;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/Pictures/pelloquinade";
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::strerror(errno);
        return false;
    }
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = "read error";
        return false;
    }
    return true;
}

bool WriteFileReplacing(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error) {
    std::error_code ec;
    fs::path target(path);
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    std::string tmp = path + ".part";
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fclose(f) == 0) && ok;
    if (!ok || std::rename(tmp.c_str(), path.c_str()) != 0) {
        error = path + ": " + std::strerror(errno);
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}
