#include "live/unit/UnitGlue.h"

#include <limits>

#include "live/Unit.h"
#include "records/expression/FunctionId.h"
#include "records/expression/UnitTerms.h"

namespace Game::ExpressionStuff::GlueStuff {

using Engine::i32;
using Engine::i64;
namespace F = FunctionId;

namespace {

// Parameter-table index of the first boosted parameter (腕力).
constexpr i32 kFirstBoostParameter = 5;

enum class StateAnswer { kHolds, kLevel };

struct StateFunction {
  i32 id;
  const char* state;
  StateAnswer answer;
};

constexpr StateFunction kStateFunctions[] = {
    {F::kMirage, "分身", StateAnswer::kHolds},
    {F::kGhostCast, "ゴーストキャスター", StateAnswer::kLevel},
    {F::kRegenerate, "再生", StateAnswer::kLevel},
    {F::kSwordBarrier, "GlintBlade", StateAnswer::kHolds},
    {F::kFloatingBell, "FloatingBellSplash", StateAnswer::kHolds},
    {F::kWorld, "世界", StateAnswer::kLevel},
    {F::kDrain, "吸収付加", StateAnswer::kHolds},
    {F::kAntiCounter, "カウンター無効付加", StateAnswer::kHolds},
    {F::kIceBarrier, "氷バリア", StateAnswer::kHolds},
    {F::kThermalBarrier, "サーマルバリア", StateAnswer::kHolds},
    {F::kShield, "シールド", StateAnswer::kHolds},
    {F::kConcentrate, "集中", StateAnswer::kHolds},
    {F::kBerserker, "発狂", StateAnswer::kHolds},
    {F::kHyperArmor, "CrimsonFocus", StateAnswer::kHolds},
    {F::kPoison, "毒", StateAnswer::kLevel},
    {F::kSleep, "睡眠", StateAnswer::kHolds},
    {F::kBlind, "暗闇", StateAnswer::kHolds},
    {F::kParalyze, "麻痺", StateAnswer::kHolds},
    {F::kDelay, "ディレイ", StateAnswer::kHolds},
    {F::kRevive, "リヴァイヴァ", StateAnswer::kHolds},
};

i32 truth(bool value) { return value ? 1 : 0; }

i32 clampToInt(i64 value) {
  if (value > std::numeric_limits<i32>::max()) {
    return std::numeric_limits<i32>::max();
  }
  if (value < std::numeric_limits<i32>::min()) {
    return std::numeric_limits<i32>::min();
  }
  return static_cast<i32>(value);
}

// part × 100 ÷ whole in 64 bits, so neither the product nor the sums wrap.
i32 percent(i64 part, i64 whole) { return whole > 0 ? clampToInt(part * 100 / whole) : 0; }

bool answerState(i32* out, i32 id, const ::Game::Unit& unit) {
  for (const StateFunction& function : kStateFunctions) {
    if (function.id == id) {
      const i32 level = unit.stateLevel(function.state);
      *out = function.answer == StateAnswer::kLevel ? level : truth(level > 0);
      return true;
    }
  }
  return false;
}

i32 previousTurnDamagePercent(const ::Game::Unit& unit) {
  const i64 life = static_cast<i64>(unit.hp()) + unit.lp();
  return life == 0 ? 100 : clampToInt(static_cast<i64>(unit.previousTurnDamage()) * 100 / life);
}

}  // namespace

i32 lifePercent(const ::Game::Unit& unit) {
  return percent(static_cast<i64>(unit.hp()) + unit.lp(), static_cast<i64>(unit.maxHp()) + unit.maxLp());
}

i32 lpPercent(const ::Game::Unit& unit) { return percent(unit.lp(), unit.maxLp()); }

bool Unit::resolve(i32* out, i32 id, const Arguments& arguments) {
  if (answerState(out, id, mUnit)) {
    return true;
  }
  if (id >= F::kBoostStrength && id <= F::kBoostPsycho) {
    *out = mUnit.boost(kFirstBoostParameter + (id - F::kBoostStrength));
    return true;
  }
  switch (id) {
    case F::kHp:
    case F::kLp:
      // With an argument they ask about another unit of the battle.
      if (arguments.count() != 0) {
        return false;
      }
      *out = id == F::kHp ? lifePercent(mUnit) : lpPercent(mUnit);
      return true;
    case F::kPreviousTurnDamage: *out = previousTurnDamagePercent(mUnit); return true;
    case F::kLevel: *out = mUnit.level(); return true;
    case F::kActive: *out = truth(mUnit.canAct()); return true;
    case F::kMyTurn: *out = truth(mUnit.myTurn()); return true;
    case F::kMagicBarrier:
      *out = truth((100.0f - static_cast<float>(mUnit.stateLevel("マジックバリア"))) / 100.0f < 1.0f);
      return true;
    case F::kChargeUp:
      *out = truth((static_cast<float>(mUnit.stateLevel("チャージアップ")) + 100.0f) / 100.0f > 1.0f);
      return true;
    case F::kGoodState: *out = truth(mUnit.holdsGoodState()); return true;
    case F::kBadState: *out = truth(mUnit.holdsBadState()); return true;
    case F::kBorder: *out = truth(mUnit.sideFieldMode() == 2); return true;
    case F::kInfrared: *out = truth(mUnit.sideFieldMode() == 1); return true;
    case F::kResistBerserker: *out = truth(mUnit.resists("発狂")); return true;
    default: return false;
  }
}

bool UnitRelation::resolve(i32* out, i32 id, const Arguments&) {
  if (id != F::kSameUnit) {
    return false;
  }
  *out = truth(&mUnit == &mOther);
  return true;
}

namespace {

class UnitGlueTerms final : public UnitTerms {
 public:
  bool resolve(i32* out, i32 id, const Arguments& arguments, const ::Game::Unit& unit,
               const ::Game::Unit* other) const override {
    if (other) {
      UnitRelation glue(unit, *other);
      return glue.resolve(out, id, arguments);
    }
    Unit glue(unit);
    return glue.resolve(out, id, arguments);
  }
  bool isAlive(const ::Game::Unit& unit) const override { return unit.isAlive(); }
  i32 lifePercent(const ::Game::Unit& unit) const override { return GlueStuff::lifePercent(unit); }
  i32 lpPercent(const ::Game::Unit& unit) const override { return GlueStuff::lpPercent(unit); }
};

}  // namespace

const UnitTerms& unitTerms() {
  static const UnitGlueTerms sTerms;
  return sTerms;
}

}  // namespace Game::ExpressionStuff::GlueStuff
