// Any file as the stage file, then a few hundred frames of scenery, timeline,
// enemies and bullets on it: bad values in the tables are read during play.
// The input's last byte picks which stage's scenery and sheets run (1..5).
#include <cstdlib>
#include <filesystem>
#include <string>

#include "enemy/enemy.h"
#include "fuzz_util.h"
#include "shell/shell.h"
#include "shot/shot.h"
#include "stage/stage.h"
#include "stage/stage_table.h"
#include "video/video.h"

namespace {
constexpr int kFrames = 300;
constexpr int kStages = 5;
Surface* sheets[kStages + 1][2];
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    WorkSurface = MakeSurface(320, 240);
    PixelFormat565 = 1;
    const char* given = std::getenv("PELLO_FUZZ_DATA");
    const std::filesystem::path data = given && *given ? given : PELLO_DATA_DIR;
    for (int s = 1; s <= kStages; s++)
        for (int k = 0; k < 2; k++) {
            const char* name = k == 0 ? StageRow(s).sceneSheet : StageRow(s).enemySheet;
            sheets[s][k] = name ? LoadIndexedBitmap((data / name).c_str()) : nullptr;
            if (sheets[s][k]) SetKeyColor(sheets[s][k], 0x07E0);
        }
    Slot[4] = LoadBitmapSurface((data / "tama.bmp").c_str());
    if (Slot[4]) SetKeyColor(Slot[4], 0x07E0);
    std::filesystem::current_path(fuzz::Folder());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int stage = size ? 1 + data[size - 1] % kStages : 1;
    const std::string name = "men" + std::to_string(stage) + ".dat";
    fuzz::WriteInput(name.c_str(), data, size);
    ClearMenTables();
    GameState = GameStateRecord{};
    stageNo = stage;
    Slot[2] = sheets[stage][0];
    Slot[3] = sheets[stage][1];
    ResetPools();
    ResetStageFlags();
    GameSrand(1);
    LoadMen(stage);
    for (int f = 0; f < kFrames; f++) {
        PutMenBack(stageNo);
        StepMenEvent(menFrame);
        menFrame += 1;
        MoveTeki();
        PutTeki();
        MoveTama();
        PutTama();
        PutExplosion();
        PutMenFront(stageNo);
    }
    return 0;
}
