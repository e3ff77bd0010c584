// Stage 2, the harbour town: the enemy sheet its waves address.
#pragma once

#include <span>

#include "kit.h"

namespace stage2 {

constexpr const char* kEnemySheet = "stage2_en.bmp";
// enemies.cpp: the enemy sheet's sprite table, which the waves' templates read.
std::span<const ag::Sprite> EnemySprites();

}  // namespace stage2
