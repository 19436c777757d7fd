#pragma once

#include <memory>

#include "records/expression/Expression.h"

namespace Game {

class VariableTable;

// A function call of an expression: its id and its argument texts.
struct ExpressionCall {
  // What a variable's name stood for in a table the last time it was read:
  // good while the table and its generation are the same.
  struct Binding {
    const VariableTable* table = nullptr;
    Engine::u64 generation = 0;
    const Engine::i32* integer = nullptr;  // null: not declared
    bool flagOn = false;
  };

  Engine::i32 id = 0;
  ExpressionStuff::Arguments arguments;
  mutable Binding binding;
};

// One term: its operator code, then a number, a bracketed sub-expression or
// a function call.
struct Expression::Term {
  enum class Kind : Engine::u8 { kNumber, kGroup, kCall };
  using Call = ExpressionCall;

  Engine::i32 op = 0;
  Kind kind = Kind::kNumber;
  Engine::i32 number = 0;
  std::unique_ptr<Expression> group;
  std::unique_ptr<Call> call;
};

}  // namespace Game
