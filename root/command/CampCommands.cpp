#include "root/command/CampCommands.h"

#include "core/container/BitArray.h"
#include "running/game/GameData.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlNode.h"
#include "menu/Intermission.h"
#include "menu/Shop.h"
#include "running/script/command/CommandReading.h"

namespace Game::ScriptStuff {

using Engine::i32;

i32 IntermissionCommand::execute(GameData& game) {
  if (!mOpen) {
    // A script run from inside the camp menu (an item's) must not replace
    // the menu that runs it: there is one open already.
    if (game.intermission()) {
      return kNext;
    }
    // A camp opened by a script saves as the field where it stands would.
    const FieldSubScene* field = game.field();
    game.setIntermission(new Intermission(game, field ? field->saveMode() : Intermission::kNoSave));
    mOpen = true;
  }
  auto* menu = static_cast<Intermission*>(game.intermission());
  // The game ran it to its end on one of its own frames.
  if (!menu) {
    mOpen = false;
    return kNext;
  }
  if (!menu->update()) {
    return kStay;
  }
  game.setIntermission(nullptr);
  game.party().collectFieldAbilities();
  mOpen = false;
  return kNext;
}

i32 CloseIntermission::execute(GameData& game) {
  if (auto* menu = static_cast<Intermission*>(game.intermission())) {
    menu->close();
  }
  return kNext;
}

ShopCommand::ShopCommand(const NmlNode& element) {
  for (i32 i = 0; const NmlAttribute* line = element.findAttribute("tool", i); ++i) {
    Good good;
    good.tool = &knownTool(line->item(0));
    if (line->itemCount() > 1) {
      good.condition = std::make_unique<Expression>();
      good.condition->parse(line->item(1));
    }
    mGoods.push_back(std::move(good));
  }
}

ShopCommand::~ShopCommand() = default;

void ShopCommand::open(GameData& game) {
  std::vector<const ToolData*> tools;
  BitArray available;
  available.setSize(static_cast<i32>(mGoods.size()));
  for (i32 i = 0; i < static_cast<i32>(mGoods.size()); ++i) {
    const Good& good = mGoods[static_cast<std::size_t>(i)];
    tools.push_back(good.tool);
    available.set(i, good.condition ? good.condition->evaluate() != 0 : game.isOnSale(*good.tool));
  }
  mShop = std::make_unique<Shop>(game, tools, available);
}

i32 ShopCommand::execute(GameData& game) {
  if (!mShop) {
    open(game);
  }
  if (!mShop->update()) {
    return kStay;
  }
  mShop.reset();
  return kYield;
}

void ShopCommand::drawWaiting(GameData&) {
  if (mShop) {
    mShop->drawBeneath();
  }
}

}  // namespace Game::ScriptStuff
