// States on a battle unit: applying them, their ticks at turn end, poison,
// regeneration, automatic states and defeat.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "live/unit/BattleServices.h"
#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "records/stats/StatMath.h"
#include "live/unit/Ghost.h"
#include "records/Database.h"
#include "core/file/DataError.h"

namespace Game {

using Engine::i32;
using Engine::i64;

namespace {

constexpr i32 kBoostTimer = 4;
constexpr float kBoostDecay = 0.8f;
constexpr i32 kBoostVanishPercent = 30;
constexpr i32 kMaxRegeneration = 999;
constexpr i32 kAnalysisLimit = 10001;
constexpr Engine::u32 kLpRecoveryColor = 0xFF80FFFF;
constexpr Engine::u32 kRecoveryColor = 0xFF80FF80;

i32 percentDraw() { return RandomGenerator::instance()->getInt(100); }

const StateTable& stateTable() { return Database::instance()->states(); }

// Position of a record in the state table; one from elsewhere is a data
// error that names it.
i32 stateIndexOf(const StateData& state) {
  const i32 index = stateTable().indexOf(&state);
  if (index < 0) {
    DataError::unknownName(__FILE__, __LINE__, "state", state.name());
  }
  return index;
}

bool isNamed(const StateData& state, const char* name) { return std::strcmp(state.name(), name) == 0; }

}  // namespace

void Unit::applyState(const char* name, i32 amount, bool checkResist) {
  applyState(*stateTable().at(stateTable().indexOf(name)), amount, checkResist);
}

void Unit::applyState(const StateData& state, i32 amount, bool checkResist) {
  const i32 index = stateIndexOf(state);
  if (checkResist && state.isHarmful() && (!isAlive() || mDefense.resist().isSet(index))) {
    return;
  }
  if (applyEffect(state, amount)) {
    return;
  }
  addState(state, amount);
  if (amount >= 1 && isNamed(state, "睡眠")) {
    mPlan.clear();
  }
}

// The records that act at once instead of staying on the unit; false for
// a lasting state.
bool Unit::applyEffect(const StateData& state, i32 amount) {
  const i32 other = 1 - mSide;
  if (isNamed(state, "スタン")) {
    mPlan.clear();
  } else if (isNamed(state, "呪力破壊") || isNamed(state, "呪力チャージ")) {
    if (mBattle) {
      const i32 change = isNamed(state, "呪力破壊") ? StatMath::saturate(-i64{amount}) : amount;
      mBattle->setEnergy(mSide, saturatingAdd(mBattle->energy(mSide), change));
    }
  } else if (isNamed(state, "気絶")) {
    mLife.kill();
  } else if (isNamed(state, "リフレッシュ")) {
    for (i32 i = 0; i < mStates.count(); ++i) {
      if (stateTable().at(i)->isHarmful()) {
        mStates.set(i, 0, mStates.timer(i));
      }
    }
  } else if (isNamed(state, "ディスペル")) {
    mStates.clearAll();
  } else if (isNamed(state, "ＬＰ回復")) {
    mLife.recoverLp(amount);
  } else if (isNamed(state, "結界")) {
    if (mBattle) {
      mBattle->setGuardMode(mSide, 2);
      if (amount == 1) {
        mBattle->setGuardMode(other, 2);
      }
    }
  } else if (isNamed(state, "EclipseSidestep")) {
    if (mBattle) {
      mBattle->setGuardMode(mSide, 1);
    }
  } else if (isNamed(state, "チェック")) {
    steal();
  } else if (isNamed(state, "分析")) {
    analyse();
  } else {
    return false;
  }
  return true;
}

void Unit::addState(const StateData& state, i32 amount) {
  const i32 index = stateIndexOf(state);
  if (state.type() != StateData::kOther) {
    Parameters change;
    state.applyTo(change);
    for (i32 i = 0; i < Parameters::kCount; ++i) {
      if (change[i] == 0) {
        continue;
      }
      i32& boost = mStates.boosts()[i];
      if (boost == 0) {
        mStates.boostTimers()[i] = kBoostTimer;
      }
      boost = saturatingAdd(boost, StatMath::saturate(i64{change[i]} * amount));
    }
    return;
  }
  const i32 level = mStates.level(index);
  if (amount < 0) {
    mStates.set(index, std::max(0, saturatingAdd(level, amount)), mStates.timer(index));
    return;
  }
  if (level > 0 && state.overWrite() < 1) {
    return;
  }
  mStates.set(index, state.overWrite() == 2 ? saturatingAdd(level, amount) : amount, state.timer());
}

void Unit::queueStateMessage(const StateData& state, i32 amount) {
  if (isNamed(state, "ＬＰ回復")) {
    mMessages.queueDelayedDamage(amount, kLpRecoveryColor);
  } else {
    mMessages.queueState(stateIndexOf(state), std::max(1, amount));
  }
}

void Unit::endTurn() {
  if (mCharge < 1) {
    mPlan.clear();
  }
  tickStates();
  mLife.endTurn();
  mTurnMark = 0;
  mTurnCount = saturatingAdd(mTurnCount, 1);
}

void Unit::tickStates() {
  tickBoosts();
  for (i32 i = 0; i < mStates.count(); ++i) {
    const i32 level = mStates.level(i);
    if (level <= 0) {
      continue;
    }
    const i32 timer = mStates.timer(i) - 1;
    mStates.set(i, level, timer);
    if (timer < 0 && percentDraw() < stateTable().at(i)->vanish()) {
      mStates.set(i, 0, 0);
    }
  }
}

// A boost whose time is up fades by a fifth a turn, and may vanish at once.
void Unit::tickBoosts() {
  Parameters& boosts = mStates.boosts();
  Parameters& timers = mStates.boostTimers();
  for (i32 i = 0; i < Parameters::kCount; ++i) {
    if (timers[i] != 0) {
      --timers[i];
    }
    if (timers[i] < 1) {
      boosts[i] = StatMath::truncate(static_cast<float>(boosts[i]) * kBoostDecay);
      if (percentDraw() < kBoostVanishPercent) {
        boosts[i] = 0;
      }
    }
  }
}

i32 Unit::poisonDamage() const {
  const i32 poison = stateLevel("毒");
  if (!isAlive() || poison <= 0) {
    return 0;
  }
  const float a = 1.f - getLifeRatio();
  const float f = a * a / (a * a + 0.25f);
  // The level times the maximum overflows an int for large data values.
  const float root = std::sqrt(static_cast<float>(i64{poison} * maxHp()));
  return std::max(1, StatMath::truncate(root * 5.f * f));
}

i32 Unit::regeneration() const {
  if (!isAlive()) {
    return 0;
  }
  const i64 levels = i64{mAbilities.levelOfNamed("自動回復")} + stateLevel("再生");
  const float rate = static_cast<float>(levels) / 100.f;
  const float resist = static_cast<float>(i64{mStatus[StatusBlock::kResist]} + 100);
  i32 amount = StatMath::truncate(static_cast<float>(maxHp()) * resist / 100.f * rate);
  if (rate != 0.f) {
    amount = std::max(amount, 1);
  }
  return std::min(amount, kMaxRegeneration);
}

void Unit::autoAbilities() {
  static constexpr const char* kAutoStates[][2] = {
      {"自動発狂", "発狂"}, {"自動サーマル", "サーマルバリア"}, {"自動シールド", "シールド"}};
  for (const auto& pair : kAutoStates) {
    if (mAbilities.has(pair[0])) {
      applyState(pair[1], 1, true);
    }
  }
  const i32 stun = mAbilities.levelOfNamed("自動スタン");
  if (stun > 0 && percentDraw() < stun) {
    const StateData& state = Database::instance()->findState("スタン");
    applyState(state, 1, true);
    queueStateMessage(state, 1);
  }
}

void Unit::onDefeated() {
  mLife.kill();
  if (holds("リヴァイヴァ")) {
    mLife.setHp(maxHp());
    mLife.recoverLp(1);
    clamp();
    setStateLevel("リヴァイヴァ", stateLevel("リヴァイヴァ") - 1);
    show(UnitPose::kRevive);
    mMessages.queueDamage(saturatingAdd(hp(), lp()), kRecoveryColor);
  }
  if (mGhost.metamorphose()) {
    resetForBattle();
    recompute();
    clamp();
    show(UnitPose::kAppear);
  }
  mWeaponSlot = -1;
  mCharge = 0;
  mHold = 0;
  mPlan.clear();
}

void Unit::steal() {
  if (!mBattle) {
    return;
  }
  const ToolData* item = mGhost.stealItem();
  if (!item) {
    mBattle->pushMessage("しっぱい！");
    return;
  }
  mBattle->gainItem(*item);
  String line(item->name());
  line.append("をゲット！");
  mBattle->pushMessage(line.c_str());
}

void Unit::analyse() {
  if (!mBattle) {
    return;
  }
  mBattle->pushMessage(mGhost.getName());
  String line("HP ");
  const i64 life = i64{hp()} + lp();
  if (life < kAnalysisLimit) {
    line.appendInt(static_cast<i32>(life));
    line.append(" / ");
    line.appendInt(StatMath::saturate(i64{maxHp()} + maxLp()));
  } else {
    line.append("????? / ?????");
  }
  mBattle->pushMessage(line.c_str());
  mBattle->describeResistances(*this);
  mBattle->centerCamera(*this);
}

}  // namespace Game
