#pragma once

#include "records/expression/Expression.h"
#include "records/expression/UnitTerms.h"

namespace Game::ExpressionStuff::GlueStuff {

// Answers the unit functions for one battle unit.
class Unit final : public Glue {
 public:
  explicit Unit(const ::Game::Unit& unit) : mUnit(unit) {}
  bool resolve(Engine::i32* out, Engine::i32 id, const Arguments& arguments) override;

 private:
  const ::Game::Unit& mUnit;
};

// Answers only sameUnit, for two battle units.
class UnitRelation final : public Glue {
 public:
  UnitRelation(const ::Game::Unit& unit, const ::Game::Unit& other) : mUnit(unit), mOther(other) {}
  bool resolve(Engine::i32* out, Engine::i32 id, const Arguments& arguments) override;

 private:
  const ::Game::Unit& mUnit;
  const ::Game::Unit& mOther;
};

// Life ratios in percent, truncated; 0 against maxima of 0 or below.
// The units' answers to expressions; every unit made makes them current.
const UnitTerms& unitTerms();

Engine::i32 lifePercent(const ::Game::Unit& unit);
Engine::i32 lpPercent(const ::Game::Unit& unit);

}  // namespace Game::ExpressionStuff::GlueStuff
