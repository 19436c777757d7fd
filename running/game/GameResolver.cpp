#include "records/expression/GameResolver.h"

#include "running/game/GameData.h"
#include "running/game/GameFlow.h"
#include "records/Database.h"

namespace Game::ExpressionStuff {

using Engine::i32;

namespace {

GameData* runningGame() {
  const GameFlow* flow = GameFlow::instance();
  return flow ? flow->game() : nullptr;
}

// An item name the tool table lacks counts nothing.
const ToolData* findItem(const char* name) {
  const Database* database = Database::instance();
  return database ? database->findTool(name) : nullptr;
}

// The running game of the game flow, or one game given; every question
// about an absent game, field or battle gets the empty answer.
class RunningGameResolver final : public GameResolver {
 public:
  explicit RunningGameResolver(GameData* fixed = nullptr) : mFixed(fixed) {}

  bool findInteger(const char* name, i32* out) const override {
    const GameData* game = runningGame();
    if (!game || !game->variables().hasInteger(name)) return false;
    *out = game->variables().getInteger(name);
    return true;
  }
  bool isFlagOn(const char* name) const override {
    const GameData* game = runningGame();
    return game && game->variables().isFlagOn(name);
  }
  const VariableTable* variableTable() const override {
    const GameData* game = runningGame();
    return game ? &game->variables() : nullptr;
  }
  const FunctionTable* functions() const override {
    const Database* database = Database::instance();
    return database ? &database->functions() : nullptr;
  }

  bool isActiveMember(const char* name) const override {
    GameData* game = runningGame();
    return game && game->party().isActiveMember(name);
  }
  i32 countTool(const char* name) const override {
    GameData* game = runningGame();
    const ToolData* item = findItem(name);
    return game && item ? game->countTool(item) : 0;
  }
  i32 countToolInRoster(const char* name) const override {
    GameData* game = runningGame();
    const ToolData* item = findItem(name);
    return game && item ? game->countToolInRoster(item) : 0;
  }
  i32 activeMemberCount() const override {
    GameData* game = runningGame();
    return game ? game->party().activeCount() : 0;
  }

  bool hasField() const override { return runningField() != nullptr; }
  const char* siteName() const override {
    const FieldSubScene* field = runningField();
    return field ? field->siteName() : "";
  }
  bool hasFloorEvent(const char* first, const char* second) const override {
    const FieldSubScene* field = runningField();
    return field && field->hasFloorEvent(first, second);
  }
  bool hasSymbol(const char* name) const override {
    const FieldSubScene* field = runningField();
    return field && field->hasSymbol(name);
  }
  bool isSymbolOnCell(const char* name, i32 cell, bool entering) const override {
    const FieldSubScene* field = runningField();
    return field && field->isSymbolOnCell(name, cell, entering);
  }

  bool hasBattle() const override { return runningBattle() != nullptr; }
  i32 turn() const override {
    const BattleSubScene* battle = runningBattle();
    return battle ? battle->turn() : 0;
  }
  i32 livingCount(i32 side) const override {
    const BattleSubScene* battle = runningBattle();
    return battle ? battle->livingCount(side) : 0;
  }
  bool hasLastSpells() const override {
    const BattleSubScene* battle = runningBattle();
    return battle && battle->hasLastSpells();
  }
  const Unit* findUnit(const char* name) const override {
    const BattleSubScene* battle = runningBattle();
    return battle ? battle->findUnit(name) : nullptr;
  }

 private:
  GameData* runningGame() const { return mFixed ? mFixed : ExpressionStuff::runningGame(); }
  FieldSubScene* runningField() const {
    GameData* game = runningGame();
    return game ? game->field() : nullptr;
  }
  BattleSubScene* runningBattle() const {
    GameData* game = runningGame();
    return game ? game->battle() : nullptr;
  }

  GameData* mFixed;
};

}  // namespace

}  // namespace Game::ExpressionStuff

namespace Game {

const ExpressionStuff::GameResolver& GameFlow::runningGameResolver() {
  static const ExpressionStuff::RunningGameResolver sRunningGame;
  return sRunningGame;
}

std::unique_ptr<ExpressionStuff::GameResolver> GameFlow::resolverOf(GameData& game) {
  return std::make_unique<ExpressionStuff::RunningGameResolver>(&game);
}

}  // namespace Game
