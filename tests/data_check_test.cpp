// The data folder check at start and the one-time reports of damaged game files.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "shell/shell.h"
#include "stage/stage_table.h"

namespace fs = std::filesystem;

namespace {

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) n++;
    return n;
}

}  // namespace

// The generated folder holds every file the stage table names for the stages
// a run reaches, each agreeing with its own header.
TEST(DamagedData, TheGeneratedFolderPassesTheCheck) {
    const fs::path here = fs::current_path();
    fs::current_path(PELLO_TEST_DATA_DIR);
    std::vector<int> stages;
    for (int s = 1; s <= kLastStage; s++) stages.push_back(s);
    const std::string line = CheckDataFolder(stages);
    fs::current_path(here);
    EXPECT_EQ(line, "");
}

TEST(DamagedData, FaultyFilesAreNamedOnceAndPlayGoesOn) {
    const fs::path dir = fs::temp_directory_path() / ("pello_damaged_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::copy(PELLO_TEST_DATA_DIR, dir, fs::copy_options::recursive);
    fs::remove(dir / "fix.bmp");
    fs::resize_file(dir / "men1.dat", 0);
    const auto sheet = fs::file_size(dir / "stage1_en.bmp");
    fs::resize_file(dir / "stage1_en.bmp", 0);
    fs::resize_file(dir / "stage1_en.bmp", sheet);  // zeroed
    fs::resize_file(dir / "se" / "se-1.wav", fs::file_size(dir / "se" / "se-1.wav") / 2);
    {
        std::ofstream(dir / "input.txt") << "z x2\n";
    }

    const std::string err = (dir / "err.txt").string();
    const std::string cmd = std::string("\"") + PELLO_GAME_EXE + "\" --headless --frames 200 --time-limit 60 --data \"" +
                            dir.string() + "\" --input \"" + (dir / "input.txt").string() + "\" 2>\"" + err + "\"";
    const int st = std::system(cmd.c_str());
    std::stringstream text;
    text << std::ifstream(err).rdbuf();
    const std::string out = text.str();
    fs::remove_all(dir);
    EXPECT_TRUE(WIFEXITED(st) && WEXITSTATUS(st) == 0) << out;

    // One line at start names the problems and the generator...
    EXPECT_EQ(Count(out, "data folder"), 1) << out;
    EXPECT_NE(out.find("4 problems"), std::string::npos) << out;
    EXPECT_NE(out.find("fix.bmp missing"), std::string::npos) << out;
    EXPECT_NE(out.find("men1.dat 0 bytes instead of 911840"), std::string::npos) << out;
    EXPECT_NE(out.find("assetgen"), std::string::npos) << out;
    // ...and each faulty file the run reads gets one line of its own.
    EXPECT_EQ(Count(out, "pelloquinade: fix.bmp: missing"), 1) << out;
    EXPECT_EQ(Count(out, "pelloquinade: men1.dat: 0 bytes"), 1) << out;
    EXPECT_EQ(Count(out, "pelloquinade: stage1_en.bmp: "), 1) << out;
}
