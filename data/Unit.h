#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Engine/Base/Types.h"

namespace Game {

// Stand-in of a battle unit until units exist: holds, set directly, what
// expressions ask of one.
class Unit {
 public:
  Engine::i32 hp() const { return mHp; }
  Engine::i32 lp() const { return mLp; }
  Engine::i32 maxHp() const { return mMaxHp; }
  Engine::i32 maxLp() const { return mMaxLp; }
  void setLife(Engine::i32 hp, Engine::i32 lp, Engine::i32 maxHp, Engine::i32 maxLp) {
    mHp = hp;
    mLp = lp;
    mMaxHp = maxHp;
    mMaxLp = maxLp;
  }

  bool isAlive() const { return mAlive; }
  void setAlive(bool alive) { mAlive = alive; }
  // Alive, not delayed, not paralysed or asleep, not stopped by the world.
  bool canAct() const { return mCanAct; }
  void setCanAct(bool canAct) { mCanAct = canAct; }
  bool myTurn() const { return mMyTurn; }
  void setMyTurn(bool myTurn) { mMyTurn = myTurn; }
  // Level of the unit's persistent character.
  Engine::i32 level() const { return mLevel; }
  void setLevel(Engine::i32 level) { mLevel = level; }
  // Damage of the previous turn kept in the life record.
  Engine::i32 previousTurnDamage() const { return mPreviousTurnDamage; }
  void setPreviousTurnDamage(Engine::i32 damage) { mPreviousTurnDamage = damage; }

  // Level of the state of that name; 0 when not held.
  Engine::i32 stateLevel(const char* name) const {
    for (const auto& state : mStates) {
      if (state.first == name) {
        return state.second;
      }
    }
    return 0;
  }
  void setStateLevel(const char* name, Engine::i32 level) { mStates.emplace_back(name, level); }
  // Whether any state held is of the harmless, or the harmful, kind.
  bool holdsGoodState() const { return mGoodState; }
  bool holdsBadState() const { return mBadState; }
  void setStateKinds(bool good, bool bad) {
    mGoodState = good;
    mBadState = bad;
  }
  bool resists(const char* state) const {
    for (const std::string& name : mResistances) {
      if (name == state) {
        return true;
      }
    }
    return false;
  }
  void addResistance(const char* state) { mResistances.emplace_back(state); }

  // Current boost of a parameter (index into the parameter table).
  Engine::i32 boost(Engine::i32 parameter) const {
    return parameter >= 0 && parameter < kParameters ? mBoosts[parameter] : 0;
  }
  void setBoost(Engine::i32 parameter, Engine::i32 value) {
    if (parameter >= 0 && parameter < kParameters) {
      mBoosts[parameter] = value;
    }
  }
  // Field mode of the battle's record of the unit's side.
  Engine::i32 sideFieldMode() const { return mSideFieldMode; }
  void setSideFieldMode(Engine::i32 mode) { mSideFieldMode = mode; }

 private:
  static constexpr Engine::i32 kParameters = 12;

  Engine::i32 mHp = 0;
  Engine::i32 mLp = 0;
  Engine::i32 mMaxHp = 0;
  Engine::i32 mMaxLp = 0;
  bool mAlive = true;
  bool mCanAct = true;
  bool mMyTurn = false;
  Engine::i32 mLevel = 1;
  Engine::i32 mPreviousTurnDamage = 0;
  std::vector<std::pair<std::string, Engine::i32>> mStates;
  bool mGoodState = false;
  bool mBadState = false;
  std::vector<std::string> mResistances;
  Engine::i32 mBoosts[kParameters] = {};
  Engine::i32 mSideFieldMode = 0;
};

}  // namespace Game
