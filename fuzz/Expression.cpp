// Expression text from any data file or script: arbitrary bytes must parse
// and evaluate, with a game, a unit and a pair of units answering, without
// reading past the text, trapping on arithmetic or recursing without end.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "live/Unit.h"
#include "fuzz/FuzzText.h"
#include "records/expression/Expression.h"
#include "tests/records/expression/FakeGameResolver.h"
#include "fuzz/FuzzStop.h"

namespace {

void expectWithin(Engine::i32 consumed, std::size_t size, const char* what) {
  if (consumed < 0 || static_cast<std::size_t>(consumed) > size + 1) {
    std::fprintf(stderr, "%s: %d characters read of %zu\n", what, consumed, size);
    std::abort();
  }
}

GameTest::FakeGameResolver& fakeGame() {
  static GameTest::FakeGameResolver* game = [] {
    auto* made = new GameTest::FakeGameResolver();
    made->integers["a"] = 5;
    made->flags.insert("f");
    made->field = true;
    made->battle = true;
    made->units["u"].setLife(1, 0, 0, 0);
    // A body that calls itself twice spends the whole budget under each
    // outermost call: the game's 4096 calls of a long input took most of
    // each run. 64 still reaches the cap through a tree of calls.
    made->table.setNestedCallBudget(64);
    return made;
  }();
  return *game;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FuzzSupport::FuzzBackend backend(FuzzSupport::OnStop::Abort);
  backend.startInput();
  // Texts end with one zero byte; the text stops at the first zero.
  const std::vector<char> text = FuzzSupport::zeroTerminated(data, size);
  const std::size_t length = std::strlen(text.data());

  GameTest::FakeGameResolver& game = fakeGame();
  Game::Expression expression;
  expectWithin(expression.parse(text.data()), length, "whole text");
  UnitTestSupport::TestUnit subject;
  subject.setLife(0, 0, 0, 0);
  subject.unit.setStateLevel("毒", 3);
  (void)expression.evaluate();
  (void)expression.evaluateForUnit(subject.unit);
  (void)expression.evaluateForUnits(subject.unit, subject.unit);

  Game::Expression bracketed;
  expectWithin(bracketed.parse(text.data(), ')'), length, "bracketed text");
  (void)bracketed.evaluate();

  // The text as a function that may call itself or another.
  game.table.declare("x", text.data());
  game.table.declare("y", "func(x)+func(y)");
  (void)game.table.call("x");
  (void)game.table.call("y");
  // Nothing the input made outlives it: with as many frees as allocations
  // libFuzzer never stops to scan the heap for a leak after an input.
  game.table.clear();
  backend.startInput();
  return 0;
}
