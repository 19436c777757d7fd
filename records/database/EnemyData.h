#pragma once

#include <memory>
#include <vector>

#include "Engine/Base/Types.h"
#include "core/string/String.h"
#include "records/ability/AbilityList.h"
#include "records/stats/AttackBlock.h"
#include "records/stats/DefenseBlock.h"
#include "records/stats/GrowthTable.h"
#include "records/stats/Parameters.h"

namespace Game {

class ArtUser;
class Expression;
class NmlNode;
class StateTable;
class ToolData;

// A node of an enemy's action tree: arts to pick from, nested actions to
// walk, and "next" actions of which one follows.
struct EnemyAction {
  Engine::i32 number = 1;
  float priority = 100.f;
  // Null when the action always holds.
  std::shared_ptr<const Expression> condition;
  AbilityList abilities;
  AbilityList arts;
  std::vector<EnemyAction> actions;
  std::vector<EnemyAction> next;

  void read(const NmlNode& node);
  bool holdsFor(const ArtUser& user) const;
};

// An enemy: an "enemy" node of the enemy table.
class EnemyData {
 public:
  static constexpr Engine::i32 kMaxLevel = 99;
  enum class DropMode { kDrop, kSteal };
  struct Drop {
    const ToolData* tool;
    float weight;
    Engine::i32 threshold;
  };
  struct Metamorphosis {
    String name;
    const EnemyData* enemy = nullptr;
    std::shared_ptr<const Expression> condition;
  };

  // "name", "equip" and "action" are required; without "status" the growth
  // table of the shell named like the enemy is copied (the first shell when
  // none is), and with no shell at all that is a data error. Tools and arts
  // named must exist.
  void read(const NmlNode& node, const StateTable& states);
  // Finds the enemies the metamorphoses name once every enemy is read; an
  // unknown one is a data error.
  void linkMetamorphoses();

  const char* name() const { return text(mName); }
  const char* fullName() const { return text(mFullName); }
  const char* face() const { return text(mFace); }
  const char* model() const { return text(mModel); }
  Engine::i32 score() const { return mScore; }
  // Money paid on defeat on top of what its parameters give; 0 unless set.
  Engine::i32 money() const { return mMoney; }
  float abp() const { return mAbp; }
  const Performance& performance() const { return mPerformance; }
  const GrowthTable& growth() const { return mGrowth; }
  float hpScale() const { return mHpScale; }
  Engine::i32 lowestLevel() const { return mLowestLevel; }
  Engine::i32 highestLevel() const { return mHighestLevel; }
  const AttackBlock& attack() const { return mAttack; }
  const DefenseBlock& defense() const { return mDefense; }
  const EnemyAction& action() const { return mAction; }
  const AbilityList& passive() const { return mPassive; }
  const std::vector<Drop>& drops() const { return mDrops; }
  const std::vector<const ToolData*>& materials() const { return mMaterials; }
  const std::vector<Metamorphosis>& metamorphoses() const { return mMetamorphoses; }

  // The level at rank r (normally 0 to 1) with a bonus, within the
  // enemy's own range and 99.
  Engine::i32 levelAt(float rank, Engine::i32 bonus) const;
  float abpBonus() const { return (mAbp - 0.5f) / 0.5f / 10.f; }
  float abpComplement() const { return 1.f - mAbp; }
  float lifeFactor() const;

  // What the enemy drops or has stolen at a level: drop draws once out of 100
  // over the candidates' weights (nothing past their total), steal picks one
  // candidate by weight. The candidates' thresholds are below the level.
  const ToolData* pickDrop(Engine::i32 level, DropMode mode) const;
  // The first metamorphosis whose condition holds; null when none does.
  const EnemyData* metamorphosis() const;

  // The unit's candidate arts for a turn, walked from the action tree.
  void collectArts(ArtUser& user) const;

 private:
  static const char* text(const String& s) { return s.c_str() ? s.c_str() : ""; }
  void readLevel(const NmlNode& node);
  void readGrowth(const NmlNode& node);
  void readLoot(const NmlNode& node);

  String mName;
  String mFullName;
  String mFace;
  String mModel;
  Engine::i32 mScore = 0;
  Engine::i32 mMoney = 0;
  float mAbp = 0.5f;
  Performance mPerformance;
  GrowthTable mGrowth;
  float mHpScale = 1.f;
  Engine::i32 mLowestLevel = 1;
  Engine::i32 mHighestLevel = kMaxLevel;
  AttackBlock mAttack;
  DefenseBlock mDefense;
  EnemyAction mAction;
  AbilityList mPassive;
  std::vector<Drop> mDrops;
  std::vector<const ToolData*> mMaterials;
  std::vector<Metamorphosis> mMetamorphoses;
};

}  // namespace Game
