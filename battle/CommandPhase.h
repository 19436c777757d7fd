#pragma once

#include <memory>
#include <vector>

#include "Engine/Base/Types.h"
#include "battle/BattlePhase.h"
#include "records/ability/AbilityHosts.h"
#include "records/ability/AbilityList.h"

namespace Game {

class CommandMenu;
class Unit;

// What an enemy's action tree asks of the battle unit choosing its arts:
// what it can use and pay, whether an art finds anyone to aim at.
class UnitArtUser final : public ArtUser {
 public:
  explicit UnitArtUser(Unit& unit) : mUnit(unit) {}
  const Unit& unit() const override { return mUnit; }
  bool canUse(const Ability& ability) const override;
  bool hasTargets(const Ability& ability) const override;
  AbilityList& candidateArts() override { return mArts; }
  void bindCandidateArts() override;

 private:
  Unit& mUnit;
  AbilityList mArts;
};

namespace BattleStuff {

// The turn's commands: after an opening pause, a menu for each party unit
// that takes commands, one after another (cancel goes back one); then the
// commit: the party's plans, the enemies' choices, and the cast.
class Command final : public Phase {
 public:
  static constexpr Engine::i32 kIntroFrames = 60;
  // The frame of the opening at which the units stand on their cells anew.
  static constexpr Engine::i32 kReplaceFrame = 15;
  static constexpr const char* kEscapeArt = "逃げる";
  // The flag of a planned action that pays its art's cost when cast: the
  // turn's commands (the player's and the enemies') carry it, actions
  // planned otherwise do not.
  static constexpr Engine::i32 kPays = 1;

  explicit Command(Battle& battle);
  ~Command() override;
  Engine::i32 update() override;
  const char* name() const override { return "command"; }

  // What every menu's chosen art takes from the party's pool.
  Engine::i32 pendingCost() const;
  Engine::i32 menuCount() const { return static_cast<Engine::i32>(mMenus.size()); }
  CommandMenu& menu(Engine::i32 i) const { return *mMenus[static_cast<std::size_t>(i)]; }
  Engine::i32 current() const { return mCurrent; }
  Engine::i32 introFrames() const { return mIntroFrames; }

 private:
  Engine::i32 runMenu();
  void commit();
  void planEnemies();

  Engine::i32 mIntroFrames = kIntroFrames;
  Engine::i32 mCurrent = 0;
  std::vector<std::unique_ptr<CommandMenu>> mMenus;
};

}  // namespace BattleStuff
}  // namespace Game
