// Any file as a stage file, then whole play frames on it: scenery, timeline,
// enemies and bosses, bullets, hit tests, the craft and its techniques, the
// HUD. A four-byte header before the file picks the stage (1..5), where on
// the timeline play starts (byte 1 of 256 parts of the last event's time:
// bosses come last), how the pilot flies and the character.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "enemy/enemy.h"
#include "fuzz_util.h"
#include "input/input.h"
#include "platform/platform.h"
#include "player/player.h"
#include "shell/shell.h"
#include "shot/shot.h"
#include "sound/sound.h"
#include "stage/stage.h"
#include "stage/stage_table.h"
#include "video/video.h"

namespace {
constexpr int kFrames = 600;
constexpr int kStages = 5;
constexpr size_t kHeader = 4;
Surface* stageSheets[kStages + 1][2];
Surface* characters[10];

int pilot = 0, pilotFrame = 0;
// Fires all the time, changes direction every 12 reads and, when the
// pilot's lowest bit says so, holds the second button to charge techniques.
int PilotWord() {
    static const int kDirs[9] = {0, IN_UP, IN_DOWN, IN_LEFT, IN_RIGHT, IN_UP | IN_LEFT, IN_UP | IN_RIGHT,
                                 IN_DOWN | IN_LEFT, IN_DOWN | IN_RIGHT};
    const int f = pilotFrame++;
    const uint32_t x = (static_cast<uint32_t>(f / 12) + 1) * 2654435761u ^ static_cast<uint32_t>(pilot) * 40503u;
    int word = IN_B1 | kDirs[(x >> 16) % 9];
    if ((pilot & 1) && f % 128 < 40) word |= IN_B2;
    return word;
}

Surface* Keyed(Surface* s) {
    if (s) SetKeyColor(s, 0x07E0);
    return s;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* given = std::getenv("PELLO_FUZZ_DATA");
    const std::filesystem::path data = given && *given ? given : PELLO_DATA_DIR;
    plat::Options o;
    o.headless = o.mute = true;
    plat::Startup(o);
    InitDisplay();
    soundOk = 0;
    for (int s = 1; s <= kStages; s++)
        for (int k = 0; k < 2; k++) {
            const char* name = k == 0 ? StageRow(s).sceneSheet : StageRow(s).enemySheet;
            stageSheets[s][k] = name ? Keyed(LoadIndexedBitmap((data / name).c_str())) : nullptr;
        }
    for (int c = 0; c < 10; c++) characters[c] = Keyed(LoadBitmapSurface((data / CharSheet[c]).c_str()));
    Slot[1] = Keyed(LoadBitmapSurface((data / "fix.bmp").c_str()));
    Slot[4] = Keyed(LoadBitmapSurface((data / "tama.bmp").c_str()));
    Slot[5] = MakeSurface(320, 240);
    Slot[6] = Keyed(LoadBitmapSurface((data / "sp_maho.bmp").c_str()));
    inputTap.source = PilotWord;
    std::filesystem::current_path(fuzz::Folder());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kHeader) return 0;
    const int stage = 1 + data[0] % kStages;
    const std::string name = "men" + std::to_string(stage) + ".dat";
    fuzz::WriteInput(name.c_str(), data + kHeader, size - kHeader);
    ClearMenTables();
    GameState = GameStateRecord{};
    GameState.chno = data[3] % 10;
    GameState.lives = 5;
    GameState.shotLv = (data[2] >> 1) % 3;
    GameState.option = (data[2] >> 3) % 4;
    stageNo = stage;
    Slot[0] = characters[GameState.chno];
    Slot[2] = stageSheets[stage][0];
    Slot[3] = stageSheets[stage][1];
    ResetPools();
    ResetStageFlags();
    GameSrand(1);
    LoadMen(stage);
    pilot = data[2];
    pilotFrame = 0;

    // Play starts at a part of the timeline; the events before it are spent.
    int last = 0;
    for (const MenEventRecord& e : MenEvent)
        if (e.kind != 0) last = std::max<int>(last, e.time);
    const int start = last * data[1] / 256;
    for (MenEventRecord& e : MenEvent)
        if (e.time < start) e.kind = 0;
    menFrame = std::max(0, (start << StageRow(stage).menShift) - 320);

    for (int f = 0; f < kFrames && gameOverFlag == 0 && clearFlag == 0; f++) {
        plat::AdvanceClock(16);  // the frame gate is open every time
        GameFrame();
    }
    return 0;
}
