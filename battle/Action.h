#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "core/string/String.h"
#include "records/ability/Ability.h"
#include "records/stats/AmountSpec.h"
#include "records/stats/AttackBlock.h"
#include "effect/ActionRecord.h"

namespace Game {

class Battle;
class StateData;
class ToolData;
class Unit;

// A state an action puts on a unit once its effect has played.
struct StateEntry {
  const StateData* state = nullptr;
  Engine::i32 amount = 0;
  bool checkResist = true;
};

// What an action does to one unit.
struct ActionTarget {
  Effect::ActionRecord::ResultKind kind = Effect::ActionRecord::kMiss;
  Engine::i32 amount = 0;
  // Only a counted result changes HP: a hit, never a miss.
  bool counted = false;
  std::vector<StateEntry> entries;
  Unit* unit = nullptr;
};

// What an action is built from.
struct ActionOrder {
  enum Kind : Engine::i32 { kCommanded = 0, kReaction = 1, kExtra = 2 };

  Unit* actor = nullptr;
  Ability art;
  // The art as the command chose it (the throwing art for a thrown item).
  Ability chosen;
  // The weapon taken up first; below 0 keeps the current one.
  Engine::i32 weaponSlot = -1;
  Place cell;
  // The item spent; the caller has taken it from the bag.
  const ToolData* item = nullptr;
  Engine::i32 kind = kCommanded;
  bool pays = false;
  bool withSelfEntries = true;
  // Joined a synchro chain: never misses by accuracy, halves type defence.
  bool followUp = false;
  bool main = false;
};

// One use of an art or an item in the cast phase: built with its targets'
// results and its cost paid; the effect shows the results at its hit
// frame; when the step's effects are over the results are applied and the
// action finishes (states, delay, the weapon's wear).
class Action final : public Effect::ActionRecord {
 public:
  // A unit holding less HP than the damage it takes sees it in this colour.
  static constexpr Engine::u32 kFatalColour = 0xFFFF8080;
  static constexpr Engine::u32 kPlainColour = 0xFFFFFFFF;
  static constexpr Engine::u32 kRecoveryColour = 0xFF80FF80;
  static constexpr Engine::i32 kMissValue = -1;
  // Party damage a fall weighs beside the damage itself.
  static constexpr float kFallWeight = 0.05f;
  static constexpr Engine::i32 kBlindMissAbove = 75;
  static constexpr Engine::i32 kDrainDivisor = 4;
  static constexpr float kResistBase = 10.f;

  Action(Battle& battle, const ActionOrder& order);

  // A quarter of the damage drained comes back to the actor.
  void prepare();
  void applyResults();
  void finish();

  // ActionRecord.
  Effect::Stage& stage() const override;
  Unit& actor() const override { return *mActor; }
  const Ability& ability() const override { return mArt; }
  Engine::i32 targetCount() const override { return static_cast<Engine::i32>(mResults.size()); }
  Unit& target(Engine::i32 i) const override { return *mResults[static_cast<std::size_t>(i)].unit; }
  ResultKind resultKind(Engine::i32 i) const override { return mResults[static_cast<std::size_t>(i)].kind; }
  const Engine::Math::Vector3& aimPoint() const override { return mAimPoint; }
  Place targetCell() const override { return mCell; }
  void targetCellPosition(Engine::Math::Vector3& out) const override;
  const char* caption() const override;
  void showResults() override;

  const Ability& chosenArt() const { return mChosenArt; }
  const ToolData* item() const { return mItem; }
  Engine::i32 kind() const { return mKind; }
  bool hasLeadIn() const { return mKind == ActionOrder::kCommanded; }
  bool isFollowUp() const { return mFollowUp; }
  bool isMain() const { return mMain; }
  const AttackBlock& effectRecord() const { return mEffect; }
  const std::vector<ActionTarget>& results() const { return mResults; }
  const std::vector<ActionTarget>& secondary() const { return mSecondary; }
  const std::vector<StateEntry>& selfEntries() const { return mSelfEntries; }
  bool isCaptioned() const { return mCaptioned; }
  const String& captionText() const { return mCaption; }
  void setCaption(const char* text, bool shown);
  // The chain name of the art (the final form when asked and the art has
  // one), with the item.
  void chainName(String& out, bool final) const;

  // The units on the cells the art spreads over around the cell, in unit
  // list order.
  static void listTargets(const Battle& battle, const Ability& art, const Place& cell, std::vector<Unit*>& out);

 private:
  void aim();
  ActionTarget resultFor(Unit& target) const;
  void drawEntries(ActionTarget& result) const;
  void drawSelfEntries();
  void payCost();
  void addAfterNotice();
  void wearWeapon();

  Battle& mBattle;
  Unit* mActor;
  Ability mArt;
  Ability mChosenArt;
  AttackBlock mEffect;
  Engine::Math::Vector3 mAimPoint;
  const ToolData* mItem;
  bool mCaptioned = false;
  String mCaption;
  Place mCell;
  Engine::i32 mKind;
  bool mFollowUp;
  bool mMain;
  std::vector<ActionTarget> mResults;
  std::vector<ActionTarget> mSecondary;
  std::vector<StateEntry> mSelfEntries;
};

}  // namespace Game
