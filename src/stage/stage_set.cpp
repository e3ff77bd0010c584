// The stage's surfaces: the seven slots and the stage file loaded for the
// current stage and character, and loaded again after the display lost them.
#include "core/core.h"
#include "stage/stage.h"
#include "stage/stage_table.h"
#include "video/video.h"

namespace {

const char* TableEntry(const char* const* table, int index, int size) {
    return (index >= 0 && index < size) ? table[index] : nullptr;
}

Surface* LoadKeyed(Surface* (*loader)(const char*), const char* name) {
    if (!name) return nullptr;
    Surface* s = loader(name);
    if (s) SetKeyColor(s, 0x07E0);
    return s;
}

}  // namespace

void LoadStageSlots() {
    for (int i = 0; i < 7; i++) FreeSlot(i);
    Slot[1] = LoadKeyed(LoadBitmapSurface, "fix.bmp");
    Slot[0] = LoadKeyed(LoadBitmapSurface, TableEntry(CharSheet, GameState.chno, 10));
    Slot[2] = LoadKeyed(LoadIndexedBitmap, StageRow(stageNo).sceneSheet);
    Slot[3] = LoadKeyed(LoadIndexedBitmap, StageRow(stageNo).enemySheet);
    Slot[4] = LoadKeyed(LoadBitmapSurface, "tama.bmp");
    LoadMen(stageNo);
    Slot[5] = MakeSurface(320, 240);
    Slot[6] = LoadKeyed(LoadBitmapSurface, "sp_maho.bmp");
}

void RestoreStageSurfaces() {
    RestoreScreens();
    LoadStageSlots();
    SurfacesRestored();
}
