#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "shell/shell.h"
#include "shell/user_files.h"
#include "video/video.h"

namespace fs = std::filesystem;

namespace {

fs::path FreshDir(const std::string& name) {
    fs::path d = fs::path(::testing::TempDir()) / (name + std::to_string(::getpid()));
    fs::remove_all(d);
    fs::create_directories(d);
    return d;
}

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<fs::path> Files(const fs::path& dir) {
    std::vector<fs::path> out;
    for (const auto& e : fs::directory_iterator(dir)) out.push_back(e.path());
    return out;
}

TEST(UserFiles, ReplacingWritesThroughALinkAndLeavesNothingHalfWritten) {
    const fs::path dir = FreshDir("pello_userfiles_");
    fs::create_directories(dir / "dotfiles");
    std::ofstream(dir / "dotfiles" / "settings.ini") << "old\n";
    fs::create_symlink("dotfiles/settings.ini", dir / "settings.ini");
    std::string error;
    ASSERT_TRUE(WriteFileReplacing((dir / "settings.ini").string(), {'n', 'e', 'w', '\n'}, error)) << error;
    EXPECT_TRUE(fs::is_symlink(dir / "settings.ini"));
    EXPECT_EQ(Slurp(dir / "dotfiles" / "settings.ini"), "new\n");
    EXPECT_FALSE(fs::exists(dir / "dotfiles" / "settings.ini.part"));

    // A full disk (here: a file size limit): the old file stays whole and the failure is reported.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool wrote = WriteFileReplacing((dir / "settings.ini").string(), std::vector<uint8_t>(4096, 'x'), error);
    // The screenshot key on the same full disk: no empty picture, no "saved".
    plat::Options o;
    o.headless = true;
    ASSERT_TRUE(plat::Startup(o));
    ASSERT_EQ(InitDisplay(), 0);
    InstallVolumeBar();
    FlipScreen(false);
    const uint16_t plateBefore = plat::LastFrame()[48 * 320 + 100];
    KeepScreenshotsIn((dir / "shots").string());
    testing::internal::CaptureStdout();
    plat::TestNamedKeyEvent("F12", true);
    plat::TestNamedKeyEvent("F12", false);
    const std::string fullDiskSaid = testing::internal::GetCapturedStdout();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    // The failure shows over the next frame too (full screen hides the terminal).
    FlipScreen(false);
    EXPECT_EQ(plateBefore, 0);
    EXPECT_NE(plat::LastFrame()[48 * 320 + 100], 0);
    FlipOverlay = nullptr;
    EXPECT_FALSE(wrote);
    EXPECT_NE(error.find("settings.ini"), std::string::npos) << error;
    EXPECT_EQ(Slurp(dir / "dotfiles" / "settings.ini"), "new\n");
    EXPECT_EQ(fullDiskSaid.find("saved"), std::string::npos) << fullDiskSaid;
    EXPECT_TRUE(Files(dir / "shots").empty());

    // With room, the key keeps a whole PNG.
    plat::TestNamedKeyEvent("F12", true);
    plat::TestNamedKeyEvent("F12", false);
    KeepScreenshotsIn("");
    std::vector<fs::path> shots = Files(dir / "shots");
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(shots[0].extension(), ".png");
    EXPECT_EQ(Slurp(shots[0]).substr(0, 4), "\x89PNG");
    fs::remove_all(dir);
}

TEST(UserFiles, NoAbsoluteHomeMeansNoUserFolders) {
    const char* home = std::getenv("HOME");
    const std::string saved = home ? home : "";
    for (const char* xdg : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_PICTURES_DIR"}) ::unsetenv(xdg);
    for (const char* bad : {"", "relative/home"}) {
        ::setenv("HOME", bad, 1);
        EXPECT_EQ(UserConfigDir(), "") << bad;
        EXPECT_EQ(UserDataDir(), "") << bad;
        EXPECT_EQ(UserPicturesDir(), "") << bad;
    }
    ::unsetenv("HOME");
    EXPECT_EQ(UserConfigDir(), "");
    ::setenv("XDG_DATA_HOME", "/xdg/data", 1);
    EXPECT_EQ(UserDataDir(), "/xdg/data/pelloquinade");
    ::unsetenv("XDG_DATA_HOME");
    if (home) ::setenv("HOME", saved.c_str(), 1);
    EXPECT_EQ(UserConfigDir(), home ? saved + "/.config/pelloquinade" : "");
}

}  // namespace
