#pragma once

#include <vector>

#include "core/string/String.h"

namespace Game {

class DefenseBlock;

// Describes a defence for the player ("熱に強い", "電気に弱い"...): every
// damage type with a type defence, then the elements 水 音 精神攻撃
// レーザー 凝視 電気 whose factor is not 1. Appends to the lines.
void ItemDefenseLines(const DefenseBlock& defense, std::vector<String>& lines);

}  // namespace Game
