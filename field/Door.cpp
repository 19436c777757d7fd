#include "field/Door.h"

#include "running/game/GameData.h"
#include "field/SymbolField.h"
#include "core/file/nml/NmlNode.h"
#include "records/Database.h"

namespace Game::Field {

std::unique_ptr<Door> Door::read(const NmlNode& node) {
  const NmlAttribute* key = node.findAttribute("key");
  return std::make_unique<Door>(key ? key->item(0) : "");
}

void Door::save(NmlNode& node) const { node.addChild("door")->addAttribute("key", mKey.c_str()); }

bool Door::touch(bool& remove, Symbol& symbol) {
  SymbolField& field = symbol.field();
  const ToolData* key = Database::instance()->findTool(mKey.c_str());
  if (mKey == kSystemKey || (key && field.game().countTool(key) > 0)) {
    remove = true;
  } else {
    field.say(nullptr, "扉は閉ざされている");
  }
  return true;
}

}  // namespace Game::Field
