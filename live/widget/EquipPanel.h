#pragma once

#include <memory>

#include "Engine/Base/Types.h"
#include "live/widget/ItemMenu.h"
#include "presentation/widget/ListMenu.h"

namespace Game {

class Bag;
class PlayerGhost;

// A character's eight equipment slots, captioned, with the bag's candidates
// opened over the chosen slot; a choice swaps the slot's article with the
// bag.
class EquipPanel {
 public:
  static constexpr Engine::i32 kSlots = 8;
  static constexpr float kSlotIndent = 48.f;

  // The slot rows of the ghost; the cursor goes back to the first slot when
  // the ghost is not the one shown before.
  void buildSlots(Bag& bag, PlayerGhost& ghost);
  // Draws, then takes input when active: 0 running, 2 closed.
  Engine::i32 update(bool active);

  // The bag categories a slot takes.
  static Engine::i32 categoryMask(Engine::i32 slot);

  ListMenu& list() { return mList; }
  const ListMenu& list() const { return mList; }
  bool isChoosing() const { return static_cast<bool>(mCandidates); }
  ItemMenu* candidates() { return mCandidates.get(); }
  void placeCentered(float x, float y) { mList.placeCentered(x, y); }

 private:
  void updateCandidates();
  void openCandidates();
  void equipChosen();

  Bag* mBag = nullptr;
  PlayerGhost* mGhost = nullptr;
  ListMenu mList;
  std::unique_ptr<ItemMenu> mCandidates;
};

}  // namespace Game
