// Stage 1, the sky over the clouds and the snowy valley: what its enemy sheet, boss and waves share.
#pragma once

#include <span>

#include "kit.h"

namespace stage1 {

constexpr const char* kEnemySheet = "stage1_en.bmp";
// enemies.cpp: the enemy sheet's sprite table, which the waves' templates read.
std::span<const ag::Sprite> EnemySprites();

// boss.cpp: the boss's cells on the enemy sheet (registered with the
// sheet's own), and its template and entry at the end of the waves.
void RegisterBossCells();
void AddBoss(ag::StageDesc& d);

}  // namespace stage1
