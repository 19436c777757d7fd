#pragma once

#include "Engine/Base/Types.h"

namespace Game::Experience {

constexpr Engine::i32 kMaxLevel = 99;
constexpr Engine::i32 kMaxMasterLevel = 30;

// Experience needed for a level, in single precision as the game has always
// computed it (0 below level 2).
Engine::i32 forLevel(Engine::i32 level);
// The highest level in 1..99 whose requirement the experience meets.
Engine::i32 levelOf(Engine::i32 experience);

// Master experience needed for a master level.
Engine::i32 forMasterLevel(Engine::i32 masterLevel);
// The highest master level in 0..30 that the master experience meets.
Engine::i32 masterLevelOf(Engine::i32 masterExperience);

// (level − 1) / 98: 0 at level 1, 1 at level 99.
float levelFactor(Engine::i32 level);

}  // namespace Game::Experience
