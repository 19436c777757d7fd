#pragma once

#include <memory>
#include <vector>

#include "Engine/Base/Types.h"
#include "core/string/String.h"
#include "records/ability/TriggerSpec.h"
#include "records/stats/AmountSpec.h"
#include "records/stats/AttackBlock.h"
#include "records/stats/DefenseBlock.h"
#include "records/stats/Flags.h"
#include "records/stats/Parameters.h"
#include "records/expression/Expression.h"

namespace Game {

class NmlNode;
class StateTable;

// One level of an art: what it is, what it costs, what it hits and how it
// shows. A leveled art keeps one of these per level.
class AbilityLevel {
 public:
  enum EffectKind : Engine::i32 { kNoEffect = 0, kNormal = 1, kMagic = 2, kSpellCard = 3, kCaution = 4 };

  // Reads the keys present over what the record holds (an upper over its
  // base). "passive" makes a passive art and ends the reading of the node.
  // Names of states must be in the table: an unknown one is a data error.
  void read(const NmlNode& node, const StateTable& states);

  const char* name() const { return text(mName); }
  const char* secondName() const { return text(mSecondName); }
  const char* fullName() const { return text(mFullName); }
  const char* animationName() const { return text(mAnimationName); }
  const char* help() const { return text(mHelp); }
  bool isVisible() const { return mVisible; }
  const DefenseBlock& defense() const { return mDefense; }
  const Parameters& status() const { return mStatus; }
  bool isPassive() const { return mPassive; }
  const char* chainName(Engine::i32 i) const { return text(mChainName[i & 1]); }
  float chainAccuracy(Engine::i32 i) const { return mChainAccuracy[i & 1]; }
  // The line the actor shows once the art is done, by the actor's side (0
  // the party, 1 the enemies); empty for none.
  const char* afterText(Engine::i32 side) const { return text(mAfterText[side & 1]); }
  bool announces() const { return mAnnounce; }
  Engine::i32 type() const { return mType; }
  Engine::i32 range() const { return mRange; }
  Engine::i32 area() const { return mArea; }
  const AmountSpec& power() const { return mPower; }
  Engine::i32 cost() const { return mCost; }
  Engine::i32 energy() const { return mEnergy; }
  Engine::i32 speed() const { return mSpeed; }
  Engine::i32 accuracy() const { return mAccuracy; }
  Engine::i32 charge() const { return mCharge; }
  Engine::i32 recoil() const { return mRecoil; }
  // Null when the art has no such condition.
  const Expression* expression() const { return mExpression.get(); }
  const Expression* targetExpression() const { return mTargetExpression.get(); }
  const ArtsSystem& artsSystem() const { return mArtsSystem; }
  const std::vector<String>& summons() const { return mSummons; }
  const TriggerSpec& trigger() const { return mTrigger; }
  const AttackBlock& attack() const { return mAttack; }
  Engine::i32 effectKind() const { return mEffectKind; }

 private:
  static const char* text(const String& s) { return s.c_str() ? s.c_str() : ""; }
  void readActive(const NmlNode& node, const StateTable& states);

  String mName;
  String mSecondName;
  String mFullName;
  String mAnimationName;
  bool mFullNameSet = false;
  bool mAnimationNameSet = false;
  String mHelp;
  bool mVisible = true;
  DefenseBlock mDefense;
  Parameters mStatus;
  bool mPassive = false;
  String mChainName[2];
  float mChainAccuracy[2] = {0.f, 0.f};
  String mAfterText[2];
  bool mAnnounce = false;
  Engine::i32 mType = 0;
  Engine::i32 mRange = 0;
  Engine::i32 mArea = 0;
  AmountSpec mPower;
  Engine::i32 mCost = 0;
  Engine::i32 mEnergy = 0;
  Engine::i32 mSpeed = 0;
  Engine::i32 mAccuracy = 0;
  Engine::i32 mCharge = 0;
  Engine::i32 mRecoil = 0;
  // Shared by the levels built over the same base.
  std::shared_ptr<const Expression> mExpression;
  std::shared_ptr<const Expression> mTargetExpression;
  ArtsSystem mArtsSystem;
  std::vector<String> mSummons;
  TriggerSpec mTrigger;
  AttackBlock mAttack;
  Engine::i32 mEffectKind = kNoEffect;
};

// An art of the ability table. A leveled art ("base" and "upper" children)
// has its base as level 1 and one record per upper, each the base with
// uppers 1 to k read over it in order.
class AbilityData {
 public:
  static constexpr Engine::i32 kMaxSummons = 8;

  void read(const NmlNode& node, const StateTable& states);

  // Of the level-1 record: the full name finds the art.
  const char* name() const { return base().name(); }
  const char* fullName() const { return base().fullName(); }
  const AbilityLevel& base() const { return mLevels.front(); }
  // The number of upper records (level entries).
  Engine::i32 upperCount() const { return static_cast<Engine::i32>(mLevels.size()) - 1; }
  bool isLeveled() const { return upperCount() > 0; }
  // The record of a level: level 1 (and every level of an art without
  // uppers) reads the base, level L upper L − 2; a level past the table
  // reads the last record, one below 1 the base.
  const AbilityLevel& level(Engine::i32 level) const;

 private:
  std::vector<AbilityLevel> mLevels{1};
};

}  // namespace Game
