#pragma once

#include "running/script/command/Command.h"

namespace Game::ScriptStuff {

// Decides the running battle: result 1 a win, −1 a game over, 0 a break.
// Any other result, or no battle, changes nothing.
class OverCommand final : public Command {
 public:
  explicit OverCommand(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

  // The battle's end for a script's result; −1 for none.
  static Engine::i32 battleResult(Engine::i32 scriptResult);

 private:
  Engine::i32 mResult;
};

// Ends the turn of a running cast before its next actor; nothing while no
// cast runs.
class TurnEndCommand final : public Command {
 public:
  Engine::i32 execute(GameData& game) override;
};

}  // namespace Game::ScriptStuff
