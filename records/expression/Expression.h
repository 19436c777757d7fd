#pragma once

#include <memory>
#include <vector>

#include "Engine/Base/Types.h"
#include "records/expression/Arguments.h"

namespace Game {

class Unit;

namespace ExpressionStuff {

// Answers the functions of an expression that the game alone cannot: those
// of a unit, or of a pair of units.
class Glue {
 public:
  virtual ~Glue() = default;
  // True when it answered id with *out.
  virtual bool resolve(Engine::i32* out, Engine::i32 id, const Arguments& arguments) = 0;
};

}  // namespace ExpressionStuff

// A small integer expression of the data files and scripts: terms joined by
// operators and evaluated strictly left to right, without precedence
// (1+2*3 is 9). All arithmetic wraps at 32 bits and never traps: x/0 is 0,
// x%0 is x, INT_MIN/-1 is INT_MIN, shift counts are masked by 31.
class Expression {
 public:
  static constexpr Engine::i32 kFunctionCount = 59;
  // Brackets nested deeper than this read as 0, so that hostile text cannot
  // exhaust the stack.
  static constexpr Engine::i32 kMaxNesting = 64;

  Expression();
  ~Expression();
  Expression(Expression&&) noexcept;
  Expression& operator=(Expression&&) noexcept;
  Expression(const Expression&) = delete;
  Expression& operator=(const Expression&) = delete;

  // Replaces the terms by those of text, read up to the terminator (or the
  // end of the text, or a ')' that closes nothing). Returns the characters
  // read plus one for the terminator; never counts past the end of the text.
  Engine::i32 parse(const char* text, char terminator = '\0');
  // One term: the number with '+'; the form of branches that always hold.
  void setConstant(Engine::i32 value);
  void clear();
  bool isEmpty() const;
  Engine::i32 termCount() const;

  Engine::i32 evaluate() const { return evaluateWithGlue(nullptr); }
  Engine::i32 evaluateForUnit(const Unit& unit) const;
  Engine::i32 evaluateForUnits(const Unit& unit, const Unit& other) const;
  Engine::i32 evaluateWithGlue(ExpressionStuff::Glue* glue) const;

  // 0 to 58 by exact, case-sensitive name; an unknown name is 0 (rnd).
  static Engine::i32 functionId(const char* name);
  // "" outside 0 to 58.
  static const char* functionName(Engine::i32 id);
  // 0 to 17 for one or two operator characters; anything else is 0 (+).
  static Engine::i32 operatorCode(const char* text);
  static Engine::i32 apply(Engine::i32 code, Engine::i32 accumulator, Engine::i32 value);
  // The functions that need no unit, answered by the running game.
  static bool evaluateGlobal(Engine::i32* out, Engine::i32 id, const ExpressionStuff::Arguments& arguments);
  // A checker of the data may be told of every text parsed whose number
  // literal passes 32 bits (a decimal above 2147483647, or 2147483648 after a
  // lone '-'): the parser keeps its low 32 bits. Null, the game's own, tells
  // no one.
  using WideLiteralWatch = void (*)(const char* text);
  static void watchWideLiterals(WideLiteralWatch watch);

 private:
  struct Term;
  class Parser;

  Engine::i32 termValue(const Term& term, ExpressionStuff::Glue* glue) const;

  std::vector<Term> mTerms;
};

}  // namespace Game
