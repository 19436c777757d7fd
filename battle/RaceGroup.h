#pragma once

#include <vector>

#include "Engine/Base/Types.h"

namespace Game {

class EnemyData;
class RaceData;
class RandomGenerator;

// How a race sends a group into battle: which race of its ring comes, who
// leads, how many follow and where they stand.
namespace RaceGroup {

// The chance of a first follower; each further one is less likely.
inline constexpr float kFollowerChance = 0.5f;
// Followers come without a draw while the chance is at least this.
inline constexpr float kSureChance = 0.25f;
inline constexpr float kChanceDecay = 0.75f;
inline constexpr Engine::i32 kMaxFollowers = 14;
inline constexpr Engine::i32 kLastRow = 2;
inline constexpr Engine::i32 kLastColumn = 4;

// The group table of a race at a level: the race that comes (one of those
// its ring puts beside it, or itself when the ring does not name it), the
// leader and how far down its member list followers are drawn.
struct Table {
  const RaceData* race = nullptr;
  const EnemyData* leader = nullptr;
  // Followers are members 0 to memberLevel: the leader's place in the list,
  // which the members hold weakest first.
  Engine::i32 memberLevel = 0;
  float followerChance = kFollowerChance;
};

struct Cell {
  Engine::i32 row = 0;
  Engine::i32 column = 0;
};

// The leader is the member at level x the member count (level 0 to 1),
// within the list. A race without members is a data error naming it.
Table tableFor(const RaceData& race, float level, RandomGenerator& random);
// A follower: one of the members up to the member level.
const EnemyData& drawMember(const Table& table, RandomGenerator& random);
// How many follow at that first chance.
Engine::i32 countFollowers(float chance, RandomGenerator& random);
// The cells of the leader (first) and of the followers, centred on the
// field when asked.
std::vector<Cell> placeGroup(Engine::i32 followers, bool centre, RandomGenerator& random);

}  // namespace RaceGroup
}  // namespace Game
