#pragma once

#include "Engine/Base/Types.h"

namespace Game::ExpressionStuff::FunctionId {

// The functions of expressions by id; the names are in Expression.cpp.
enum : Engine::i32 {
  kRnd,
  kInt,
  kFlag,
  kFunc,
  kTouch,
  kSymbol,
  kFloor,
  kRecordFloor,
  kTurn,
  kParty,
  kExistLastSpell,
  kInvade,
  kStep,
  kLive,
  kHp,
  kLp,
  kGhost,
  kTool,
  kTotalTool,
  kPartyNumber,
  kPreviousTurnDamage,
  kLevel,
  kActive,
  kMyTurn,
  kMirage,
  kGhostCast,
  kRegenerate,
  kSwordBarrier,
  kFloatingBell,
  kWorld,
  kDrain,
  kAntiCounter,
  kMagicBarrier,
  kIceBarrier,
  kThermalBarrier,
  kShield,
  kConcentrate,
  kChargeUp,
  kBoostStrength,
  kBoostDexterity,
  kBoostIntelligence,
  kBoostAgile,
  kBoostVitality,
  kBoostWill,
  kBoostPsycho,
  kBerserker,
  kHyperArmor,
  kPoison,
  kSleep,
  kBlind,
  kParalyze,
  kDelay,
  kRevive,
  kGoodState,
  kBadState,
  kBorder,
  kInfrared,
  kResistBerserker,
  kSameUnit,
  kCount
};

static_assert(kCount == 59);

}  // namespace Game::ExpressionStuff::FunctionId
