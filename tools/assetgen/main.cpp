#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: assetgen OUTDIR\n");
        return 2;
    }
    std::filesystem::create_directories(argv[1]);
    return 0;
}
