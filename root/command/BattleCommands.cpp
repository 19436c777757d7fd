#include "root/command/BattleCommands.h"

#include "battle/Battle.h"
#include "running/game/GameData.h"
#include "core/file/nml/NmlNode.h"
#include "running/script/command/CommandReading.h"

namespace Game::ScriptStuff {

using Engine::i32;

namespace {

constexpr i32 kScriptWin = 1;
constexpr i32 kScriptGameOver = -1;
constexpr i32 kScriptBreak = 0;
constexpr i32 kNoResult = -1;

}  // namespace

OverCommand::OverCommand(const NmlNode& element) : mResult(optionalInt(element, "result", kScriptBreak)) {}

i32 OverCommand::battleResult(i32 scriptResult) {
  switch (scriptResult) {
    case kScriptWin: return Battle::kWin;
    case kScriptGameOver: return Battle::kGameOver;
    case kScriptBreak: return Battle::kBreak;
    default: return kNoResult;
  }
}

i32 OverCommand::execute(GameData& game) {
  auto* battle = dynamic_cast<Battle*>(game.battle());
  const i32 result = battleResult(mResult);
  if (battle && result != kNoResult) {
    battle->finish(result);
  }
  return kNext;
}

i32 TurnEndCommand::execute(GameData& game) {
  if (auto* battle = dynamic_cast<Battle*>(game.battle())) {
    battle->abortCast();
  }
  return kNext;
}

}  // namespace Game::ScriptStuff
