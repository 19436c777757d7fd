#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "core/container/OwnedList.h"
#include "core/string/String.h"

namespace Game {

class GameData;
class ListMenu;
class ToolData;

// What the party has just gained (money and items, with where they came
// from), turned into one message window when the game's messages are next
// updated. The gains reach the game only then, as the window shows them.
class AcquisitionNotice {
 public:
  static constexpr const char* kMoneyUnit = "円";

  explicit AcquisitionNotice(GameData& game) : mGame(game) {}
  AcquisitionNotice(const AcquisitionNotice&) = delete;
  AcquisitionNotice& operator=(const AcquisitionNotice&) = delete;

  // The heading of the next window; empty for none.
  void setSource(const char* text) { mSource.assign(text ? text : ""); }
  // A null item is ignored.
  void addItem(const ToolData* item);
  // Stops at the largest amount instead of wrapping.
  void addMoney(Engine::i32 n);

  bool isEmpty() const { return mMoney == 0 && mItems.empty(); }
  Engine::i32 money() const { return mMoney; }
  Engine::i32 itemCount() const { return static_cast<Engine::i32>(mItems.size()); }

  // When anything was gained: the money goes to the game and the items into
  // the bag, a window listing them (under the source as its heading) joins
  // the queue, and the notice starts empty again. Null when nothing was.
  ListMenu* post(OwnedList<ListMenu>& queue);

 private:
  GameData& mGame;
  String mSource{""};
  std::vector<const ToolData*> mItems;
  Engine::i32 mMoney = 0;
};

}  // namespace Game
