#include "running/script/command/ItemCommands.h"

#include "running/game/GameData.h"
#include "live/article/Article.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlNode.h"
#include "running/script/command/CommandReading.h"

namespace Game::ScriptStuff {

using Engine::i32;

namespace {

constexpr const char* kNoticeTitle = "アイテムゲット";
constexpr const char* kCurrentItem = "currentItem";

}  // namespace

GetTool::GetTool(const NmlNode& element) {
  for (i32 i = 0; const NmlAttribute* line = element.findAttribute("name", i); ++i) {
    mTools.push_back(&knownTool(line->item(0)));
  }
}

i32 GetTool::execute(GameData& game) {
  // Without tools the title would head the next notice, whatever it holds.
  if (mTools.empty()) {
    return kYield;
  }
  for (const ToolData* tool : mTools) {
    game.notice().addItem(tool);
  }
  game.notice().setSource(kNoticeTitle);
  return kYield;
}

IncreaseTool::IncreaseTool(const NmlNode& element) : mTool(&knownTool(optionalText(element, "name"))) {}

i32 IncreaseTool::execute(GameData& game) {
  game.bag().add(Article::fromItem(mTool), 1);
  return kNext;
}

ExpendTool::ExpendTool(const NmlNode& element) : mTool(&knownTool(optionalText(element, "name"))) {}

i32 ExpendTool::execute(GameData& game) {
  (void)game.expendTool(mTool);
  return kNext;
}

i32 ExpendCurrentItem::execute(GameData& game) {
  // The variable lives only while an item's script runs: elsewhere there is
  // no item being used.
  if (game.variables().hasInteger(kCurrentItem)) {
    game.expendCurrentItem();
  }
  return kNext;
}

}  // namespace Game::ScriptStuff
