#pragma once

#include "battle/BattleGrid.h"
#include "menu/Intermission.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/ui/SmoothPoint.h"

namespace Game {

class PartyMembers;

namespace IntermissionStuff {

// The fighters on their 3 × 5 cells: a cursor picks a member up and puts
// it down on another cell, trading cells with whoever stands there. The
// member under the cursor shows its sheet, whether its cell takes close
// attacks or weakens them, and what the cell's surroundings raise.
class Formation final : public Phase {
 public:
  static constexpr const char* kPictureFile = "src/picture/gui/陣形.txt";
  static constexpr Engine::i32 kRepeatRate = 4;
  static constexpr Engine::i32 kDecideKey = 5;
  static constexpr Engine::i32 kCancelKey = 6;
  static constexpr Engine::i32 kBlinkFrames = 4;
  static constexpr float kRowStep = 96.f;
  static constexpr float kColumnStep = 64.f;
  static constexpr float kLeft = 64.f;
  static constexpr float kMiddle = 96.f;
  static constexpr float kMemberLift = 16.f;
  static constexpr float kNotesX = 0.f;
  static constexpr float kNotesY = -96.f;
  static constexpr float kSheetX = -320.f;
  static constexpr float kSheetY = 240.f;

  explicit Formation(Intermission& camp);
  Engine::i32 update(GameData& game) override;
  // The tiles' pictures, which load in the background.
  ResourceSet& pictures() { return mPictures; }

  // The centre of a cell's tile: rows run left to right from the front,
  // columns bottom to top.
  static float cellX(Engine::i32 row) { return static_cast<float>(row) * kRowStep + kLeft; }
  static float cellY(Engine::i32 column) { return static_cast<float>(column - 2) * kColumnStep + kMiddle; }
  // The lines under the member on the cell: exposed or stacked, then one
  // per parameter bonus.
  static void noteLines(const BattleGrid& grid, Engine::i32 row, Engine::i32 column, std::vector<String>& out);

  Engine::i32 row() const { return mRow; }
  Engine::i32 column() const { return mColumn; }
  const PlayerGhost* held() const { return mHeld; }
  // The fighters' cells as they stand now.
  static void markCells(const PartyMembers& members, BattleGrid& grid);

 private:
  void moveCursor();
  void decide(PartyMembers& members);
  void draw(const PartyMembers& members);
  void drawTile(const BattleGrid& grid, Engine::i32 row, Engine::i32 column) const;
  void drawNotes(const PartyMembers& members, const BattleGrid& grid) const;

  Engine::i32 mRow = 0;
  Engine::i32 mColumn = 2;
  PlayerGhost* mHeld = nullptr;
  Engine::i32 mFrame = 0;
  SmoothPoint mCursor;
  ResourceSet mPictures;
};

}  // namespace IntermissionStuff
}  // namespace Game
