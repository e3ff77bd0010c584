// The data generator's command line.
//
// assetgen OUTDIR [--contact DIR] [--only TEXT]
// assetgen --contact DIR [--only TEXT]
// Writes the game's data folder (bitmaps, WAV, MIDI, stage files) into
// OUTDIR; --contact writes a labelled 2x picture of every sheet and the
// sheet map table; --only limits the run to outputs whose path contains TEXT.
#include <cstdio>
#include <string>

#include "kit.h"

int main(int argc, char** argv) {
    ag::RunOptions opt;
    opt.contentDir = AG_CONTENT_DIR;   // the source tree's content folder, set by the build
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--contact" && i + 1 < argc) {
            opt.contactDir = argv[++i];
        } else if (a == "--only" && i + 1 < argc) {
            opt.only = argv[++i];
        } else if (a == "--quiet") {
            opt.quiet = true;
        } else if (!a.empty() && a[0] != '-' && opt.outDir.empty()) {
            opt.outDir = a;
        } else {
            std::fprintf(stderr, "usage: assetgen OUTDIR [--contact DIR] [--only TEXT] [--quiet]\n");
            return 2;
        }
    }
    if (opt.outDir.empty() && opt.contactDir.empty()) {
        std::fprintf(stderr, "usage: assetgen OUTDIR [--contact DIR] [--only TEXT] [--quiet]\n");
        return 2;
    }
    return ag::Run(opt);
}
