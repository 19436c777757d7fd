#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class RandomGenerator;

// The numbers of a generated floor's placement: how many chests and enemy
// bands it gets, what a chest holds and how hard its lock is. Counts and
// amounts stop at the largest integer rather than wrap.
namespace FloorRules {

// Chests whose money is multiplied up to this from a [0, 1) draw.
constexpr float kMoneyScale = 65536.f;
// Each further chest after the first is this much less likely.
constexpr float kFrequencyFalloff = 0.8f;
// Enemy bands stand farther than this (in steps) from the start.
constexpr Engine::i32 kStartClearance = 2;
// The band count varies by up to half either way.
constexpr float kEnemyJitter = 0.5f;

// 1 + luck, then one more each time a draw of [0, 1) falls below p, p
// shrinking by kFrequencyFalloff after each; never more than limit.
Engine::i32 treasureCount(Engine::i32 luck, float frequency, Engine::i32 limit, RandomGenerator& random);
// The money of a chest without an article: the whole part of draw × level ×
// levelValue × kMoneyScale, plus 1.
Engine::i32 containerMoney(float draw, float floorLevel, float levelValue);
// The bound of a lock level draw: the whole part of (pickMax + 1) × level +
// 0.5, plus 1.
Engine::i32 lockBound(Engine::i32 pickMax, float floorLevel);
// The whole part of (jitter + 1) × cells × frequency.
Engine::i32 enemyCount(float jitter, Engine::i32 cells, float frequency);
// Whether (x, y) lies within kStartClearance steps of the start.
bool isNearStart(Engine::i32 x, Engine::i32 y, Engine::i32 startX, Engine::i32 startY);

}  // namespace FloorRules
}  // namespace Game
