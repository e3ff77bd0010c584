// The stage table's rows, and the check that a stage's files are present.
#include "stage/stage_table.h"

#include <cstdio>
#include <filesystem>

#include "core/core.h"
#include "stage/stage.h"

namespace {

// Stages 4 and 5 read their walls at the scroll rate of the layer that draws
// them (half the scroll), so a wall is touched where it is seen.
constexpr WallLayer kNoWalls{WallKind::None, 0, {0, 0}, 0};
constexpr WallLayer kDeadlyWalls{WallKind::Deadly, 2, {6, 6}, 2};
constexpr WallLayer kPushingWalls{WallKind::Pushing, 3, {26, 90}, 2};

}  // namespace

// Columns: tune, scenery sheet, enemy sheet, timeline shift, scenery behind
// and in front, walls, drift of the scenery pieces.
const StageInfo StageTable[kStageRows] = {
    {nullptr, nullptr, nullptr, 4, nullptr, nullptr, kNoWalls, Drift::Still},
    {"stg1.mid", "bg_stage1.bmp", "stage1_en.bmp", 4, MenBack1, MenFront1, kNoWalls, Drift::Still},
    {"stg2.mid", "bg_stage2.bmp", "stage2_en.bmp", 4, MenBack2, MenFront2, kNoWalls, Drift::Still},
    {"stg3.mid", "bg_stage3.bmp", "stage3_en.bmp", 4, MenBack3, nullptr, kNoWalls, Drift::Still},
    // Stage 4 runs its timeline at half speed.
    {"stg4.mid", "bg_stage4.bmp", "stage4_en.bmp", 5, MenBack4, MenFront4, kDeadlyWalls, Drift::ThreeInFour},
    {"stg5.mid", "bg_stage5.bmp", "stage5_en.bmp", 4, MenBack5, MenFront5, kPushingWalls, Drift::Every},
    // Stage 6: no sheets and no boss, only its speed streaks.
    {"stg6.mid", nullptr, nullptr, 4, MenBack6, nullptr, kNoWalls, Drift::Still},
};

const StageInfo& StageRow(int stage) {
    return StageTable[(stage > 0 && stage < kStageRows) ? stage : 0];
}

const char* MissingStageFile(int stage) {
    static char name[32];
    std::snprintf(name, sizeof name, "men%d.dat", stage);
    if (stage < 1 || stage > kLastStage) return name;
    const char* files[3] = {name, StageTable[stage].sceneSheet, StageTable[stage].enemySheet};
    for (const char* f : files) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(GameFilePath(f), ec)) return f;
    }
    return nullptr;
}
