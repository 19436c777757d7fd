#pragma once

#include <memory>

#include "live/widget/ArtsPanel.h"
#include "live/widget/EquipPanel.h"
#include "live/widget/LearnMenu.h"
#include "live/widget/StatusScreen.h"
#include "menu/Intermission.h"
#include "presentation/widget/ListMenu.h"

namespace Game::IntermissionStuff {

// A screen about one member: the party list picks the member, the member's
// screen runs until it returns to the choice, and cancelling the choice
// finishes the screen.
class MemberPhase : public Phase {
 public:
  static constexpr float kSheetX = -320.f;
  static constexpr float kSheetY = 240.f;
  static constexpr float kBelowSheetGap = 32.f;

  Engine::i32 update(GameData& game) final;
  // Opens the member's screen, as choosing it on the party list does.
  void choose(GameData& game, PlayerGhost& ghost);
  PlayerGhost* member() const { return mGhost; }

 protected:
  explicit MemberPhase(Intermission& camp, Engine::i32 sheetMode) : mCamp(camp), mSheetMode(sheetMode) {}
  virtual void open(GameData& game, PlayerGhost& ghost) = 0;
  // One frame of the member's screen; non-zero goes back to the choice.
  virtual Engine::i32 updateMember(GameData& game, PlayerGhost& ghost) = 0;
  // The member's sheet at the screen's corner (none for mode 0).
  void drawSheet(const PlayerGhost& ghost) const;
  // Just below that sheet.
  float belowSheet(const PlayerGhost& ghost) const;

  Intermission& mCamp;

 private:
  Engine::i32 mSheetMode;
  PlayerGhost* mGhost = nullptr;
};

// The character status screen of the chosen member.
class Status final : public MemberPhase {
 public:
  explicit Status(Intermission& camp) : MemberPhase(camp, 0) {}
  const StatusScreen* screen() const { return mScreen.get(); }

 private:
  void open(GameData& game, PlayerGhost& ghost) override;
  Engine::i32 updateMember(GameData& game, PlayerGhost& ghost) override;

  std::unique_ptr<StatusScreen> mScreen;
};

// The equipment slots of the chosen member under its sheet.
class Equip final : public MemberPhase {
 public:
  explicit Equip(Intermission& camp) : MemberPhase(camp, 3) {}
  EquipPanel& panel() { return mPanel; }

 private:
  void open(GameData& game, PlayerGhost& ghost) override;
  Engine::i32 updateMember(GameData& game, PlayerGhost& ghost) override;

  EquipPanel mPanel;
};

// The arts the chosen member can learn, its arts beside them; deciding one
// spends master points on it.
class MasterSkill final : public MemberPhase {
 public:
  static constexpr float kArtsGap = 32.f;

  explicit MasterSkill(Intermission& camp) : MemberPhase(camp, 4) {}
  LearnMenu& learnList() { return mLearn; }
  const ArtsPanel& arts() const { return mArts; }

 private:
  void open(GameData& game, PlayerGhost& ghost) override;
  Engine::i32 updateMember(GameData& game, PlayerGhost& ghost) override;
  void build(PlayerGhost& ghost);

  LearnMenu mLearn;
  ArtsPanel mArts;
};

// Two members chosen on the party list change places in it; the cells
// stay where they were.
class Swap final : public Phase {
 public:
  explicit Swap(Intermission& camp);
  ~Swap() override;
  Engine::i32 update(GameData& game) override;

 private:
  Intermission& mCamp;
};

// The note that the memory save was taken; decide closes it.
class QuickSave final : public Phase {
 public:
  static constexpr Engine::i32 kDecideKey = 5;
  static constexpr Engine::i32 kRepeatRate = 4;

  QuickSave();
  Engine::i32 update(GameData& game) override;
  const ListMenu& note() const { return mNote; }

 private:
  ListMenu mNote;
};

}  // namespace Game::IntermissionStuff
