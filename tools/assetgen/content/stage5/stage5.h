// Stage 5: what its files share (the terrain's shape, the enemy sheet, the bosses' cells' registration).
//
// Stage 5 content shared between its files: the terrain's shape, which the
// scenery draws and the waves stand their ground pieces on.
#pragma once

#include "kit.h"

namespace stage5 {

// Terrain layer (map layer 3) columns, 16 pixels each; the layer scrolls one
// pixel per frame, so column m enters at the right edge on frame 16 m - 320.
constexpr int kTerrainColumns = 500;

// Top row of the floor in column m (15: no floor), lowest row of the
// ceiling (-1: no ceiling), and whether a cell is solid (floating blocks too).
int FloorTop(int m);
int CeilingBottom(int m);
bool Solid(int m, int row);

constexpr const char* kEnemySheet = "stage5_en.bmp";
// The bosses' cells on the enemy sheet, registered with the sheet's own
// (their templates and entries are in waves.txt).
void RegisterBossCells();

}  // namespace stage5
