#pragma once

#include <memory>
#include <vector>

#include "running/script/command/Command.h"
#include "records/expression/Expression.h"

namespace Game {

class Shop;
class ToolData;

namespace ScriptStuff {

// Opens the camp menu as the game's own, so that the game runs it ahead of
// the field and an item's script inside it can close it; goes on once the
// menu has finished and is gone. With a camp menu open already it opens
// none.
class IntermissionCommand final : public Command {
 public:
  Engine::i32 execute(GameData& game) override;

 private:
  // Whether this command's camp menu is open; false between uses.
  bool mOpen = false;
};

// The game's open camp menu finishes on its next update.
class CloseIntermission final : public Command {
 public:
  Engine::i32 execute(GameData& game) override;
};

// The shop screen over the "tool" goods, each available when its condition
// holds, or without one when the item is on sale.
class ShopCommand final : public Command {
 public:
  explicit ShopCommand(const NmlNode& element);
  ~ShopCommand() override;
  Engine::i32 execute(GameData& game) override;
  void drawWaiting(GameData& game) override;

  const Shop* shop() const { return mShop.get(); }

 private:
  struct Good {
    const ToolData* tool = nullptr;
    std::unique_ptr<Expression> condition;
  };
  void open(GameData& game);

  std::vector<Good> mGoods;
  std::unique_ptr<Shop> mShop;
};

}  // namespace ScriptStuff
}  // namespace Game
