#pragma once

#include <memory>
#include <vector>

#include "core/string/String.h"
#include "presentation/widget/MessageWindow.h"
#include "running/script/Script.h"
#include "records/expression/Expression.h"

namespace Game {

// An event of a battle: its script runs after a phase when the condition
// holds; a record that does not repeat runs at most once. The command that
// sets the battle up builds them; the battle shares them, so they outlive a
// command that is reloaded or deleted while the battle runs.
struct BattleTrigger {
  Expression condition;
  Script script;
  bool repeat = false;
};

using BattleTriggers = std::vector<std::shared_ptr<BattleTrigger>>;

// What a boss says as its battle opens and closes, kept for the scripts.
struct BattleDialogue {
  String face;
  MessageScript opening;
  MessageScript closing;
};

}  // namespace Game
