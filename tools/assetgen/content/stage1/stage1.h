// Stage 1, the sky over the clouds and the snowy valley: what its enemy sheet, boss and waves share.
#pragma once

#include "kit.h"

namespace stage1 {

constexpr const char* kEnemySheet = "stage1_en.bmp";
// boss.cpp: the boss's cells on the enemy sheet (registered with the
// sheet's own); its template and entry are in waves.txt.
void RegisterBossCells();

}  // namespace stage1
