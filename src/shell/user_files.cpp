// The player's own folders (settings, replays, screenshots) and whole-file reads and replacing writes.
#include "shell/user_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "platform/platform.h"
#include "shell/shell.h"

namespace fs = std::filesystem;

namespace {
// An XDG variable counts only when it holds an absolute path, and so does HOME.
std::string UnderHome(const char* sub) {
    const char* home = std::getenv("HOME");
    return home && home[0] == '/' ? std::string(home) + "/" + sub : "";
}
std::string XdgOr(const char* var, const char* fallbackUnderHome) {
    const char* v = std::getenv(var);
    return v && v[0] == '/' ? v : UnderHome(fallbackUnderHome);
}

std::string Under(const std::string& base, const char* name) { return base.empty() ? "" : base + name; }

// Follows symbolic links from `path` to the file they finally name (which
// need not exist yet); a loop gives up and writes the link itself.
fs::path FinalTarget(fs::path path) {
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, ec)); hops++) {
        fs::path to = fs::read_symlink(path, ec);
        if (ec) break;
        path = to.is_absolute() ? to : path.parent_path() / to;
    }
    return path;
}
}  // namespace

std::string UserConfigDir() { return Under(XdgOr("XDG_CONFIG_HOME", ".config"), "/pelloquinade"); }
std::string UserDataDir() { return Under(XdgOr("XDG_DATA_HOME", ".local/share"), "/pelloquinade"); }

std::string UserPicturesDir() { return XdgOr("XDG_PICTURES_DIR", "Pictures/pelloquinade"); }

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
    const fs::path target = FinalTarget(path);
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    const std::string final = target.string(), tmp = final + ".part";
    auto fail = [&](bool removeTmp) {
        error = path + ": " + std::strerror(errno);
        if (removeTmp) std::remove(tmp.c_str());
        return false;
    };
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) return fail(false);
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = ok && std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0;
    const int savedErrno = errno;
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) {
        if (errno == 0) errno = savedErrno;
        return fail(true);
    }
    if (std::rename(tmp.c_str(), final.c_str()) != 0) return fail(true);
    // The rename itself reaches the disk with the folder.
    if (int dir = ::open(target.has_parent_path() ? target.parent_path().c_str() : ".", O_RDONLY); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool SaveScreenshot(const std::string& dir) {
    if (dir.empty()) return false;
    std::vector<uint8_t> png;
    std::string error;
    std::time_t now = std::time(nullptr);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", std::localtime(&now));
    std::string path = dir + "/pelloquinade_" + stamp + ".png";
    std::error_code ec;
    for (int n = 2; fs::exists(path, ec) && n < 100; n++)
        path = dir + "/pelloquinade_" + stamp + "_" + std::to_string(n) + ".png";
    if (!plat::EncodeFramePng(png, error)) error = path + ": " + error;
    if (!png.empty() && !WriteFileReplacing(path, png, error)) png.clear();
    if (png.empty()) {
        std::cerr << "pelloquinade: screenshot not saved: " << error << std::endl;
        ShowNotice(Notice::ScreenshotNotSaved);
        return false;
    }
    std::cout << "pelloquinade: screenshot saved to " << path << std::endl;
    plat::OfferSavedFile(path, "image/png");
    ShowNotice(Notice::ScreenshotSaved);
    return true;
}

namespace {
std::string screenshotDir;
void OnScreenshotKey() { SaveScreenshot(screenshotDir); }
}  // namespace

void KeepScreenshotsIn(const std::string& dir) {
    screenshotDir = dir;
    plat::SetScreenshotHandler(dir.empty() ? nullptr : OnScreenshotKey);
}
