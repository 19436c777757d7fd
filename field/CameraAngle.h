#pragma once

#include "Engine/Base/Types.h"

namespace Game::CameraAngle {

// The camera turns in levels of 30 degrees: 12 make a whole turn.
inline constexpr Engine::i32 kLevelsPerTurn = 12;
// Levels kept as they are: a thousand turns either way. Turning one level
// at a time never leaves them in a play; a level from outside (a damaged
// save, a script) beyond them would overflow as the camera turns on.
inline constexpr Engine::i32 kKeptLevels = kLevelsPerTurn * 1000;

// The level, or one facing the same way within a turn when it lies beyond the
// kept range.
inline constexpr Engine::i32 bounded(Engine::i32 level) {
  return level >= -kKeptLevels && level <= kKeptLevels ? level : level % kLevelsPerTurn;
}

}  // namespace Game::CameraAngle
