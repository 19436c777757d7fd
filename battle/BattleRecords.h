#pragma once

#include <vector>

#include "Engine/Base/Types.h"

namespace Game {

class ToolData;

// The rank a won battle reports to the game's progress: the highest rank of
// the enemies added, less for an escape and less again for an encounter
// that marked it.
class BattleRankTracker {
 public:
  static constexpr Engine::i32 kNoRank = -256;
  static constexpr Engine::i32 kEscapePenalty = 3;
  static constexpr Engine::i32 kEncounterPenalty = 1;

  void addRank(Engine::i32 rank);
  void setEscaped() { mEscaped = true; }
  void setEncounter() { mEncounter = true; }

  Engine::i32 highest() const { return mHighest; }
  bool escaped() const { return mEscaped; }
  bool encounter() const { return mEncounter; }
  Engine::i32 value() const;

 private:
  Engine::i32 mHighest = kNoRank;
  bool mEscaped = false;
  bool mEncounter = false;
};

// What the defeated enemies leave; the win pays it out.
struct BattleSpoils {
  // Each sum stops at the int range instead of wrapping.
  void addRewards(Engine::i32 moneyGained, Engine::i32 experienceGained, Engine::i32 masterGained);

  std::vector<const ToolData*> items;
  Engine::i32 money = 0;
  Engine::i32 experience = 0;
  Engine::i32 masterExperience = 0;
};

// The multiplier of the experience a win pays: 2 for one survivor, 1 for
// five.
float rewardFactor(Engine::i32 survivors);
// value x factor, truncated toward zero and kept within the int range.
Engine::i32 scaleReward(Engine::i32 value, float factor);

// How hard the battle was on the party: every point of damage its units
// took, and a weight for each fall and each escaping member.
class PartyRecord {
 public:
  static constexpr float kPerFall = 0.05f;
  static constexpr float kPerEscapee = 0.02f;

  // Saturates at the int range.
  void addDamage(Engine::i32 amount);
  void addFall() { mWeight += kPerFall; }
  void addEscape(Engine::i32 members) { mWeight += kPerEscapee * static_cast<float>(members); }

  Engine::i32 damage() const { return mDamage; }
  float weight() const { return mWeight; }

 private:
  float mWeight = 0.f;
  Engine::i32 mDamage = 0;
};

}  // namespace Game
