// Integer expressions of the kind the data files carry (conditions on game
// variables and flags, amounts), parsed and evaluated by the game's evaluator
// and by muParser's integer parser on the same expressions. The muParser
// texts are bracketed so that its precedence gives the game's left-to-right
// result; variables are muParser variables on one side and game variables
// in the game's variable table on the other. Compare the
// items-per-second figures of each pair.

#include <benchmark/benchmark.h>
#include <muParserInt.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/variable/VariableTable.h"
#include "records/expression/Expression.h"
#include "tests/records/expression/FakeGameResolver.h"

namespace expression_bench {

struct Pair {
  const char* game;
  const char* muParser;
};

constexpr Pair kExpressions[] = {
    {"int(floor)>=3", "floor>=3"},
    {"int(floor)<int(deepest)", "floor<deepest"},
    {"(int(gold)-100)*3/2", "((gold-100)*3)/2"},
    {"int(battleCount)%5=0", "(battleCount%5)==0"},
    {"(int(floor)>2)&&(int(answer)=1)", "(floor>2)&&(answer==1)"},
    {"int(progress)*100/10000", "(progress*100)/10000"},
    {"(flag(opened)=0)&&(int(floor)<=5)", "(opened==0)&&(floor<=5)"},
    {"(int(winCount)+int(escapeCount))*10>>1", "((winCount+escapeCount)*10)>>1"},
    {"1+(2*3)-(4%3)", "1+(2*3)-(4%3)"},
    {"(int(money)>=500)||(int(clearCount)>0)", "(money>=500)||(clearCount>0)"},
    {"int(answer)!=2", "answer!=2"},
    {"flag(opened)", "opened"},
};
constexpr int kCount = static_cast<int>(sizeof kExpressions / sizeof kExpressions[0]);

const std::map<std::string, int> kVariables = {
    {"floor", 4},       {"deepest", 9},    {"gold", 1234},     {"battleCount", 35}, {"answer", 1},
    {"progress", 4321}, {"winCount", 30},  {"escapeCount", 5}, {"money", 250},      {"clearCount", 0},
};

// The running game's way: variables in a variable table, which expressions
// bind their names to.
class Game final : public GameTest::FakeGameResolver {
 public:
  Game() {
    for (const auto& [name, value] : kVariables) {
      mTable.createInteger(name.c_str(), false, false);
      mTable.integer(name.c_str()) = value;
    }
    mTable.flagOn("opened");
  }
  bool findInteger(const char* name, Engine::i32* out) const override {
    if (!mTable.hasInteger(name)) return false;
    *out = mTable.getInteger(name);
    return true;
  }
  bool isFlagOn(const char* name) const override { return mTable.isFlagOn(name); }
  const ::Game::VariableTable* variableTable() const override { return &mTable; }

 private:
  ::Game::VariableTable mTable;
};

struct MuParsers {
  std::map<std::string, double> values;
  std::vector<std::unique_ptr<mu::ParserInt>> parsers;

  void define(mu::ParserInt& parser) {
    for (auto& [name, value] : values) {
      parser.DefineVar(name, &value);
    }
  }
  MuParsers() {
    for (const auto& [name, value] : kVariables) {
      values[name] = value;
    }
    values["opened"] = 1;
    for (const Pair& pair : kExpressions) {
      parsers.push_back(std::make_unique<mu::ParserInt>());
      define(*parsers.back());
      parsers.back()->SetExpr(pair.muParser);
    }
  }
};

Game& game() {
  static Game sGame;
  return sGame;
}

MuParsers& muParsers() {
  static MuParsers sParsers;
  return sParsers;
}

// Both sides must give the same numbers, or the comparison means nothing.
void checkAgreement() {
  static const bool kChecked = [] {
    game();
    for (int i = 0; i < kCount; ++i) {
      ::Game::Expression expression;
      expression.parse(kExpressions[i].game);
      const int ours = expression.evaluate();
      const int theirs = static_cast<int>(muParsers().parsers[static_cast<std::size_t>(i)]->Eval());
      if (ours != theirs) {
        std::fprintf(stderr, "%s gives %d, muParser's %s gives %d\n", kExpressions[i].game, ours,
                     kExpressions[i].muParser, theirs);
        std::abort();
      }
    }
    return true;
  }();
  (void)kChecked;
}

void BM_ExpressionParseAndEvaluate(benchmark::State& state) {
  checkAgreement();
  for (auto _ : state) {
    for (const Pair& pair : kExpressions) {
      ::Game::Expression expression;
      expression.parse(pair.game);
      benchmark::DoNotOptimize(expression.evaluate());
    }
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

void BM_MuParserParseAndEvaluate(benchmark::State& state) {
  checkAgreement();
  MuParsers& shared = muParsers();
  mu::ParserInt parser;
  shared.define(parser);
  for (auto _ : state) {
    for (const Pair& pair : kExpressions) {
      parser.SetExpr(pair.muParser);
      benchmark::DoNotOptimize(parser.Eval());
    }
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

void BM_ExpressionEvaluate(benchmark::State& state) {
  checkAgreement();
  std::vector<::Game::Expression> expressions(kCount);
  for (int i = 0; i < kCount; ++i) {
    expressions[static_cast<std::size_t>(i)].parse(kExpressions[i].game);
  }
  for (auto _ : state) {
    for (const ::Game::Expression& expression : expressions) {
      benchmark::DoNotOptimize(expression.evaluate());
    }
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

void BM_MuParserEvaluate(benchmark::State& state) {
  checkAgreement();
  for (auto _ : state) {
    for (const auto& parser : muParsers().parsers) {
      benchmark::DoNotOptimize(parser->Eval());
    }
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

BENCHMARK(BM_ExpressionParseAndEvaluate);
BENCHMARK(BM_MuParserParseAndEvaluate);
BENCHMARK(BM_ExpressionEvaluate);
BENCHMARK(BM_MuParserEvaluate);

}  // namespace expression_bench
