#pragma once

#include "Engine/Base/Types.h"
#include "data/ability/AbilityList.h"
#include "data/stats/AttackBlock.h"
#include "data/stats/DefenseBlock.h"
#include "data/stats/Parameters.h"
#include "data/unit/Life.h"
#include "data/unit/StateSet.h"

namespace Game {

class Battle;
class Ghost;

// A ghost taking part in a battle: the blocks derived from the ghost, its
// equipment and its states, its life (HP for the battle, the ghost's own
// LP) and its side and cell. Built without a battle it only derives the
// ghost's maxima and clamps its LP and AP to them.
class Unit {
 public:
  // battleGhost: the ghost was made for this battle and belongs to it.
  explicit Unit(Ghost& ghost, Battle* battle = nullptr, bool battleGhost = false);
  Unit(const Unit&) = delete;
  Unit& operator=(const Unit&) = delete;

  // HP full, turn count and weapon slot reset, every state cleared.
  void resetForBattle();
  // Derives the blocks anew from the ghost, its equipment and the states.
  void recompute();
  // Status values within their floors; life, LP and AP within the maxima.
  void clamp();

  Ghost& ghost() { return mGhost; }
  const Ghost& ghost() const { return mGhost; }
  Battle* battle() const { return mBattle; }
  bool isBattleGhost() const { return mBattleGhost; }
  Life& life() { return mLife; }
  const Life& life() const { return mLife; }
  StateSet& states() { return mStates; }
  const StateSet& states() const { return mStates; }
  const Parameters& parameters() const { return mParameters; }
  const StatusBlock& status() const { return mStatus; }
  const AttackBlock& attack() const { return mAttack; }
  const DefenseBlock& defense() const { return mDefense; }
  const AbilityList& abilities() const { return mAbilities; }
  Engine::i32 side() const { return mSide; }
  Engine::i32 row() const { return mRow; }
  Engine::i32 column() const { return mColumn; }
  Engine::i32 weaponSlot() const { return mWeaponSlot; }
  void setWeaponSlot(Engine::i32 slot) { mWeaponSlot = slot; }
  Engine::i32 turnCount() const { return mTurnCount; }

  // What expressions ask of a unit.
  Engine::i32 hp() const { return mLife.hp(); }
  Engine::i32 lp() const { return mLife.lp(); }
  Engine::i32 maxHp() const { return mParameters[Parameters::kHp]; }
  Engine::i32 maxLp() const { return mParameters[Parameters::kLp]; }
  bool isAlive() const { return mLife.isAlive(); }
  // Alive, not held, not paralysed or asleep.
  bool canAct() const;
  bool myTurn() const { return mMyTurn; }
  void setMyTurn(bool myTurn) { mMyTurn = myTurn; }
  Engine::i32 level() const;
  Engine::i32 previousTurnDamage() const { return mLife.previousTurnDamage(); }
  Engine::i32 stateLevel(const char* name) const { return mStates.levelOf(name); }
  void setStateLevel(const char* name, Engine::i32 level) { mStates.setLevelOf(name, level); }
  bool holdsGoodState() const { return mStates.holdsHarmful(false); }
  bool holdsBadState() const { return mStates.holdsHarmful(true); }
  // Whether the defence keeps the named state off.
  bool resists(const char* state) const;
  // Current boost of a parameter (index into the parameter table).
  Engine::i32 boost(Engine::i32 parameter) const {
    return parameter >= 0 && parameter < Parameters::kCount ? mStates.boosts()[parameter] : 0;
  }
  void setBoost(Engine::i32 parameter, Engine::i32 value) {
    if (parameter >= 0 && parameter < Parameters::kCount) {
      mStates.boosts()[parameter] = value;
    }
  }
  // Guard mode of the battle's record of the unit's side (0 none, 1
  // sidestep, 2 barrier); set by the battle.
  Engine::i32 sideFieldMode() const { return mSideFieldMode; }
  void setSideFieldMode(Engine::i32 mode) { mSideFieldMode = mode; }
  Engine::i32 hold() const { return mHold; }
  void setHold(Engine::i32 hold) { mHold = hold; }

 private:
  Engine::i32 applyStateRules(Engine::i32 weapon);

  StatusBlock mStatus;
  Parameters mParameters;
  AttackBlock mAttack;
  DefenseBlock mDefense;
  AbilityList mAbilities;
  Engine::i32 mTurnCount = 0;
  Life mLife;
  Engine::i32 mSide = 0;
  Engine::i32 mRow = -1;
  Engine::i32 mColumn = -1;
  bool mBattleGhost = false;
  StateSet mStates;
  Engine::i32 mWeaponSlot = -1;
  Engine::i32 mCharge = 0;
  Engine::i32 mHold = 0;
  Engine::i32 mTurnMark = 0;
  bool mMyTurn = false;
  Engine::i32 mSideFieldMode = 0;
  Ghost& mGhost;
  Battle* mBattle = nullptr;
};

}  // namespace Game
