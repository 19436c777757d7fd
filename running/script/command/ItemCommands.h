#pragma once

#include <vector>

#include "running/script/command/Command.h"

namespace Game {

class ToolData;

namespace ScriptStuff {

// The tools of the "name" lines join the game's acquisition notice under
// "アイテムゲット"; they reach the bag when the notice is shown.
class GetTool final : public Command {
 public:
  explicit GetTool(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

  const std::vector<const ToolData*>& tools() const { return mTools; }

 private:
  std::vector<const ToolData*> mTools;
};

// One fresh piece of the tool into the bag, without a notice.
class IncreaseTool final : public Command {
 public:
  explicit IncreaseTool(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  const ToolData* mTool;
};

// Uses up one of the tool: from the bag first, else from a member's
// equipment; nothing when the party has none.
class ExpendTool final : public Command {
 public:
  explicit ExpendTool(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  const ToolData* mTool;
};

// Uses up one of the item being used ("currentItem") from the bag.
class ExpendCurrentItem final : public Command {
 public:
  Engine::i32 execute(GameData& game) override;
};

}  // namespace ScriptStuff
}  // namespace Game
