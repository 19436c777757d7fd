#pragma once

#include <vector>

#include "core/container/BitArray.h"
#include "core/game/TimedStandIn.h"
#include "core/input/KeyInput.h"

namespace Game {

class GameData;
class ToolData;

// Stand-in of the shop screen until the menu screens exist: keeps the goods
// it was opened with and whether each is available, sells nothing, and
// closes when cancel goes down (as leaving the shop does) or after its
// frames.
class Shop : public TimedStandIn {
 public:
  static constexpr Engine::i32 kCancelKey = 6;

  // One availability bit per good.
  Shop(GameData& game, const std::vector<const ToolData*>& goods, const BitArray& available,
       Engine::i32 frames = -1)
      : TimedStandIn(frames), mGame(game), mGoods(goods) {
    for (Engine::i32 i = 0; i < static_cast<Engine::i32>(goods.size()); ++i) {
      mAvailable.push_back(i < available.size() && available.get(i));
    }
  }

  // One frame; true when the player leaves.
  bool update() { return TimedStandIn::update() || KeyInput::isTriggered(kCancelKey); }

  GameData& game() const { return mGame; }
  const std::vector<const ToolData*>& goods() const { return mGoods; }
  bool isAvailable(Engine::i32 i) const { return mAvailable[static_cast<std::size_t>(i)]; }

 private:
  GameData& mGame;
  std::vector<const ToolData*> mGoods;
  std::vector<bool> mAvailable;
};

}  // namespace Game
