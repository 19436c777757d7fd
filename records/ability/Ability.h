#pragma once

#include <memory>

#include "Engine/Base/Types.h"
#include "core/string/String.h"
#include "records/ability/TriggerSpec.h"
#include "records/table/AbilityData.h"

namespace Game {

class AttackBlock;
class Expression;
class GhostLevel;
class NmlNode;
class SpellMemory;
class Unit;

// An art as a unit knows or uses it: at a level, with an optional trigger
// and conditions of its own. Copies share the trigger and the expressions.
class Ability {
 public:
  static constexpr float kDefaultPriority = 100.f;
  static constexpr const char* kRecallArt = "想起";

  Ability() = default;
  explicit Ability(const AbilityData* art, Engine::i32 level = 1) : mArt(art), mLevel(level) {}
  // The art of that full name; a missing one is a data error.
  static Ability fromName(const char* name);

  // Defaults first; "ability" (the art, which must exist), "level", child
  // "trigger", "expression", "targetExpression", "relationExpression",
  // "priority", "costCancel".
  void load(const NmlNode& node);
  // "ability" and "level".
  void save(NmlNode& node) const;

  const AbilityData* art() const { return mArt; }
  bool isValid() const { return mArt != nullptr; }
  Engine::i32 level() const { return mLevel; }
  void setLevel(Engine::i32 level) { mLevel = level; }
  // The level entries of the art plus 1.
  Engine::i32 maxLevel() const { return mArt ? mArt->upperCount() + 1 : 1; }
  bool canLevelUp() const { return mArt && mArt->isLeveled(); }
  // The art's record for this level (needs an art).
  const AbilityLevel& levelRecord() const { return mArt->level(mLevel); }

  float priority() const { return mPriority; }
  void setPriority(float priority) { mPriority = priority; }
  bool costCancel() const { return mCostCancel; }
  void setCostCancel(bool cancel) { mCostCancel = cancel; }
  bool isRecalled() const { return mRecalled; }

  // The level record's values; the costs read 0 with costCancel.
  const char* name() const { return levelRecord().name(); }
  const char* fullName() const { return levelRecord().fullName(); }
  const char* effectName() const { return levelRecord().animationName(); }
  Engine::i32 type() const { return levelRecord().type(); }
  Engine::i32 range() const { return levelRecord().range(); }
  Engine::i32 area() const { return levelRecord().area(); }
  Engine::i32 effectKind() const { return levelRecord().effectKind(); }
  Engine::i32 energy() const { return mCostCancel ? 0 : levelRecord().energy(); }
  Engine::i32 cost() const { return mCostCancel ? 0 : levelRecord().cost(); }
  Engine::i32 charge() const { return mCostCancel ? 0 : levelRecord().charge(); }
  Engine::i32 recoil() const { return mCostCancel ? 0 : levelRecord().recoil(); }
  Engine::i32 accuracy() const { return levelRecord().accuracy(); }
  Engine::i32 speed() const { return levelRecord().speed(); }
  const AttackBlock& attack() const { return levelRecord().attack(); }
  const AmountSpec& power() const { return levelRecord().power(); }
  const Parameters& passiveStatus() const { return levelRecord().status(); }
  const DefenseBlock& passiveDefense() const { return levelRecord().defense(); }
  const char* help() const { return levelRecord().help(); }

  // The ability's own trigger over the art level's.
  TriggerSpec trigger() const;
  Engine::i32 triggerKind() const { return trigger().kind(); }
  Engine::i32 triggerAccuracy() const { return trigger().accuracy(); }
  bool isPassive() const { return triggerKind() == TriggerSpec::kConstant; }
  bool isSelectable() const { return TriggerSpec::isSelectable(triggerKind()); }
  bool isAutoCounter() const { return TriggerSpec::isAutoCounter(triggerKind()); }
  bool isFinalAttack() const { return triggerKind() == TriggerSpec::kFinalAttack; }
  bool isFollowUp() const { return triggerKind() == TriggerSpec::kFollowUp; }
  bool isPlain() const { return triggerKind() == TriggerSpec::kPlain; }

  // The attack's flags set it off, and a draw of 0..99 is at most the
  // trigger's chance.
  bool relationHolds(const AttackBlock& attack) const;
  // The ability's condition and then the art level's, for the unit (an
  // absent one holds).
  bool conditionHolds(const Unit& unit) const;
  // The relation expression for the pair, then the ability's and the art
  // level's target conditions for the target.
  bool targetConditionHolds(const Unit& unit, const Unit& target) const;
  // Whether the art says itself which user-target pairs go together.
  bool hasRelationCondition() const { return mRelationExpression != nullptr; }

  // The level record's amount with its type, range and area.
  void computeAmount(bool& hit, Engine::i32& amount, const Unit& attacker, const AttackBlock& flags,
                     const Unit& target, bool halveTypeDefense, const Place& aimPlace) const;

  // A leveled art at level 1 grows with the ghost's level (enemies' arts).
  void scaleToGhost(const GhostLevel& ghost);
  // 想起 takes over the battle's last spell, free of cost.
  void bind(const SpellMemory& battle);

  // The name, then "Lv" and the level from level 2.
  void caption(String& out) const;
  // 想起「name」 when recalled; else the full name and 「name」, or the name
  // alone when the art has no full name of its own and is not a 符 art.
  void displayName(String& out) const;
  Engine::u32 menuColor() const;
  // The caption cut to n characters ("..." appended when it was longer).
  void shortCaption(String& out, Engine::i32 n) const;
  // The help panel at (x, y), top-left: level, help text, the attack's
  // attributes, area and the costs that are not 0 (AbilityHelp.cpp).
  void drawHelp(float x, float y, Engine::i32 flag) const;
  // The panel's lines, one per line feed.
  void helpText(String& out) const;

 private:
  const AbilityData* mArt = nullptr;
  Engine::i32 mLevel = 1;
  std::shared_ptr<const TriggerSpec> mTrigger;
  std::shared_ptr<const Expression> mExpression;
  std::shared_ptr<const Expression> mTargetExpression;
  std::shared_ptr<const Expression> mRelationExpression;
  float mPriority = kDefaultPriority;
  bool mCostCancel = false;
  bool mRecalled = false;
};

}  // namespace Game
