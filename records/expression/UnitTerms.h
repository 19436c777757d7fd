#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class Unit;

namespace ExpressionStuff {

class Arguments;

// What expressions ask of battle units. The units answer it (their glue) and
// make it current when the first unit is made; until then unit terms read
// nothing.
class UnitTerms {
 public:
  virtual ~UnitTerms() = default;
  // The term id of the unit, or of the pair when other is given; false when
  // it is not a unit term.
  virtual bool resolve(Engine::i32* out, Engine::i32 id, const Arguments& arguments, const Unit& unit,
                       const Unit* other) const = 0;
  virtual bool isAlive(const Unit& unit) const = 0;
  virtual Engine::i32 lifePercent(const Unit& unit) const = 0;
  virtual Engine::i32 lpPercent(const Unit& unit) const = 0;

  // Null when no unit was made yet.
  static const UnitTerms* current();
  static void install(const UnitTerms* terms);
};

}  // namespace ExpressionStuff
}  // namespace Game
