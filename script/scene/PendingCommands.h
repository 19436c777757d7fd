#pragma once

#include "script/command/Command.h"

namespace Game::ScriptStuff {

// A command whose scene (field or battle) is not built yet:
// its element is read and its names looked up as the real command will, and
// running it says once per keyword that it is not available yet, then goes
// on with the next command.
class NotYetAvailable final : public Command {
 public:
  NotYetAvailable(const NmlNode& element, Engine::i32 keywordIndex);
  Engine::i32 execute(GameData& game) override;

  Engine::i32 keywordIndex() const { return mKeywordIndex; }

 private:
  Engine::i32 mKeywordIndex;
};

// Forgets which keywords were already reported (tests).
void forgetReportedKeywords();

}  // namespace Game::ScriptStuff
