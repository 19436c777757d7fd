#pragma once

#include "Engine/Base/Types.h"
#include "live/Unit.h"
#include "live/widget/ArtsPanel.h"
#include "live/widget/EquipPanel.h"

namespace Game {

class Bag;
class PlayerGhost;

// A character's status screen: a unit made for it outside battle (derived
// and clamped), its full sheet, its equipment slots, its arts with their
// energy and AP costs, the detail panels of the unit's numbers and its
// face. The arts list takes the keys; cancel leaves.
class StatusScreen {
 public:
  // Top-left corners: the sheet across the top, the arts and the slots
  // side by side under it, the detail panels at the bottom.
  static constexpr float kSheetX = -160.f;
  static constexpr float kSheetY = 280.f;
  static constexpr float kArtsX = -320.f;
  static constexpr float kArtsY = 120.f;
  static constexpr float kSlotsX = -96.f;
  static constexpr float kSlotsY = 120.f;
  static constexpr float kPanelsX = -320.f;
  static constexpr float kPanelsY = -72.f;
  static constexpr Engine::i32 kFaceSide = 1;

  StatusScreen(PlayerGhost& ghost, Bag& bag);

  // Draws; then the arts list's input: 0 running, 2 once cancelled.
  Engine::i32 update();

  const Unit& unit() const { return mUnit; }
  const ArtsPanel& arts() const { return mArts; }
  const EquipPanel& slots() const { return mSlots; }

 private:
  void draw();

  PlayerGhost& mGhost;
  Unit mUnit;
  EquipPanel mSlots;
  ArtsPanel mArts;
};

}  // namespace Game
