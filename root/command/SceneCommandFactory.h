#pragma once

#include "running/script/command/Command.h"

namespace Game::ScriptStuff {

// The commands of the camp menu, shop, party screens, field and battle.
class SceneCommandFactory final : public SceneCommandMaker {
 public:
  Command* make(const NmlNode& element, GameData& game, Engine::i32 keywordIndex) const override;
  static const SceneCommandFactory& instance();
};

}  // namespace Game::ScriptStuff
