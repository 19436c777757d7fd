// The function names of expressions and the functions the game answers
// without a unit. A question about a field or a battle that is not there
// gets 0, as does an undeclared variable or function name.

#include <cstring>
#include <string>

#include "core/random/RandomGenerator.h"
#include "records/expression/Expression.h"
#include "records/expression/FunctionId.h"
#include "records/expression/FunctionTable.h"
#include "records/expression/GameResolver.h"
#include "records/expression/UnitTerms.h"

namespace Game {

using Engine::i32;
using ExpressionStuff::Arguments;
using ExpressionStuff::GameResolver;
namespace F = ExpressionStuff::FunctionId;

namespace {

constexpr const char* kFunctionNames[Expression::kFunctionCount] = {
    "rnd",          "int",           "flag",          "func",          "touch",
    "symbol",       "floor",         "recordFloor",   "turn",          "party",
    "existLastSpell", "invade",      "step",          "live",          "HP",
    "LP",           "ghost",         "tool",          "totalTool",     "partyNumber",
    "previousTurnDamage", "level",   "active",        "myTurn",        "mirage",
    "ghostCast",    "regenerate",    "swordBarrier",  "floatingBell",  "world",
    "drain",        "antiCounter",   "magicBarrier",  "iceBarrier",    "thermalBarrier",
    "shield",       "concentrate",   "chargeUp",      "boostStrength", "boostDexterity",
    "boostIntelligence", "boostAgile", "boostVitality", "boostWill",   "boostPsycho",
    "berserker",    "hyperArmor",    "poison",        "sleep",         "blind",
    "paralyze",     "delay",         "revive",        "goodState",     "badState",
    "border",       "infrared",      "resistBerserker", "sameUnit",
};

i32 truthOf(bool value) { return value ? 1 : 0; }

i32 integerOrZero(const GameResolver& game, const char* name) {
  i32 value = 0;
  return game.findInteger(name, &value) ? value : 0;
}

i32 recordFloor(const GameResolver& game) {
  if (!game.hasField()) {
    return 0;
  }
  const std::string name = std::string(game.siteName()) + ".到達階数";
  return integerOrZero(game, name.c_str());
}

const Unit* battleUnit(const GameResolver& game, const char* name) {
  return game.hasBattle() ? game.findUnit(name) : nullptr;
}

i32 liveness(const GameResolver& game, const char* name) {
  const Unit* unit = battleUnit(game, name);
  if (!unit) {
    return 0;
  }
  const ExpressionStuff::UnitTerms* terms = ExpressionStuff::UnitTerms::current();
  return terms && terms->isAlive(*unit) ? 1 : -1;
}

i32 livingCount(const GameResolver& game, i32 side) {
  return game.hasBattle() && (side == 0 || side == 1) ? game.livingCount(side) : 0;
}

// A unit's terms (or a pair's), answered by the units' own glue.
class UnitTermGlue final : public ExpressionStuff::Glue {
 public:
  UnitTermGlue(const Unit& unit, const Unit* other) : mUnit(unit), mOther(other) {}
  bool resolve(i32* out, i32 id, const Arguments& arguments) override {
    const ExpressionStuff::UnitTerms* terms = ExpressionStuff::UnitTerms::current();
    return terms && terms->resolve(out, id, arguments, mUnit, mOther);
  }

 private:
  const Unit& mUnit;
  const Unit* mOther;
};

i32 randomBelow(i32 n) {
  RandomGenerator* random = RandomGenerator::instance();
  return random ? random->getInt(n) : 0;
}

i32 callFunction(const GameResolver& game, const char* name) {
  const FunctionTable* functions = game.functions();
  return functions ? functions->call(name) : 0;
}

// The field's answers; the battle's follow in answerBattle.
bool answerField(i32* out, i32 id, const Arguments& arguments, const GameResolver& game) {
  const bool field = game.hasField();
  switch (id) {
    case F::kTouch: *out = truthOf(field && game.hasFloorEvent(arguments.text(0), arguments.text(1))); return true;
    case F::kSymbol: *out = truthOf(field && game.hasSymbol(arguments.text(0))); return true;
    case F::kRecordFloor: *out = recordFloor(game); return true;
    case F::kInvade:
      *out = truthOf(field && game.isSymbolOnCell(arguments.text(0), arguments.toInt(1), true));
      return true;
    case F::kStep:
      *out = truthOf(field && game.isSymbolOnCell(arguments.text(0), arguments.toInt(1), false));
      return true;
    default: return false;
  }
}

bool answerBattle(i32* out, i32 id, const Arguments& arguments, const GameResolver& game) {
  switch (id) {
    case F::kTurn: *out = game.hasBattle() ? game.turn() : 0; return true;
    case F::kParty: *out = livingCount(game, arguments.toInt(0)); return true;
    case F::kExistLastSpell: *out = truthOf(game.hasBattle() && game.hasLastSpells()); return true;
    case F::kLive: *out = liveness(game, arguments.text(0)); return true;
    case F::kHp:
    case F::kLp: {
      // Without an argument they ask the unit resolver, which is not here.
      if (arguments.count() == 0) {
        return false;
      }
      const Unit* unit = battleUnit(game, arguments.text(0));
      const ExpressionStuff::UnitTerms* terms = ExpressionStuff::UnitTerms::current();
      *out = !unit || !terms ? 0 : id == F::kHp ? terms->lifePercent(*unit) : terms->lpPercent(*unit);
      return true;
    }
    default: return false;
  }
}

}  // namespace

i32 Expression::functionId(const char* name) {
  if (!name) {
    return 0;
  }
  for (i32 id = 0; id < kFunctionCount; ++id) {
    if (std::strcmp(name, kFunctionNames[id]) == 0) {
      return id;
    }
  }
  return F::kRnd;
}

const char* Expression::functionName(i32 id) { return id >= 0 && id < kFunctionCount ? kFunctionNames[id] : ""; }

bool Expression::evaluateGlobal(i32* out, i32 id, const Arguments& arguments) {
  const GameResolver& game = GameResolver::current();
  switch (id) {
    case F::kRnd: *out = randomBelow(arguments.toInt(0)); return true;
    case F::kInt: *out = integerOrZero(game, arguments.text(0)); return true;
    case F::kFlag: *out = truthOf(game.isFlagOn(arguments.text(0))); return true;
    case F::kFunc: *out = callFunction(game, arguments.text(0)); return true;
    case F::kFloor: *out = integerOrZero(game, "floor"); return true;
    case F::kGhost: *out = truthOf(game.isActiveMember(arguments.text(0))); return true;
    case F::kTool: *out = game.countTool(arguments.text(0)); return true;
    case F::kTotalTool: *out = game.countToolInRoster(arguments.text(0)); return true;
    case F::kPartyNumber: *out = game.activeMemberCount(); return true;
    default: return answerField(out, id, arguments, game) || answerBattle(out, id, arguments, game);
  }
}

i32 Expression::evaluateForUnit(const Unit& unit) const {
  UnitTermGlue glue(unit, nullptr);
  return evaluateWithGlue(&glue);
}

i32 Expression::evaluateForUnits(const Unit& unit, const Unit& other) const {
  UnitTermGlue glue(unit, &other);
  return evaluateWithGlue(&glue);
}

namespace ExpressionStuff {

namespace {

// Every question about an absent game gets the empty answer.
class NoGameResolver final : public GameResolver {
 public:
  bool findInteger(const char*, i32*) const override { return false; }
  bool isFlagOn(const char*) const override { return false; }
  const FunctionTable* functions() const override { return nullptr; }
  bool isActiveMember(const char*) const override { return false; }
  i32 countTool(const char*) const override { return 0; }
  i32 countToolInRoster(const char*) const override { return 0; }
  i32 activeMemberCount() const override { return 0; }
  bool hasField() const override { return false; }
  const char* siteName() const override { return ""; }
  bool hasFloorEvent(const char*, const char*) const override { return false; }
  bool hasSymbol(const char*) const override { return false; }
  bool isSymbolOnCell(const char*, i32, bool) const override { return false; }
  bool hasBattle() const override { return false; }
  i32 turn() const override { return 0; }
  i32 livingCount(i32) const override { return 0; }
  bool hasLastSpells() const override { return false; }
  const Unit* findUnit(const char*) const override { return nullptr; }
};

const NoGameResolver gNoGame;
const GameResolver* gInstalledResolver = nullptr;
const GameResolver* gDefaultResolver = nullptr;
const UnitTerms* gUnitTerms = nullptr;

}  // namespace

const GameResolver& GameResolver::current() {
  return gInstalledResolver ? *gInstalledResolver : gDefaultResolver ? *gDefaultResolver : gNoGame;
}

void GameResolver::install(const GameResolver* resolver) { gInstalledResolver = resolver; }

void GameResolver::setDefault(const GameResolver* resolver) { gDefaultResolver = resolver; }

const UnitTerms* UnitTerms::current() { return gUnitTerms; }

void UnitTerms::install(const UnitTerms* terms) { gUnitTerms = terms; }

}  // namespace ExpressionStuff

}  // namespace Game
