#pragma once

#include <memory>
#include <vector>

#include "core/string/String.h"
#include "running/script/command/Command.h"

namespace Game {

class GhostMenu;
class PartyOrganizer;
class PlayerGhost;
class ShellData;

namespace ScriptStuff {

// The character joins the active party, recruited first when the roster
// lacks it; nothing more once six travel.
class AddGhost final : public Command {
 public:
  explicit AddGhost(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  const ShellData* mShell;
};

// The character joins the roster only.
class CreateGhost final : public Command {
 public:
  explicit CreateGhost(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  const ShellData* mShell;
};

// The first active member of that name leaves the party; a name no member
// has changes nothing.
class RemoveGhost final : public Command {
 public:
  explicit RemoveGhost(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  String mName;
};

// A list of the active members, a character row each: the one chosen
// leaves the party, except the lead in the first place; a cancel leaves it
// as it is.
class RemoveGhostMenu final : public Command {
 public:
  RemoveGhostMenu();
  ~RemoveGhostMenu() override;
  Engine::i32 execute(GameData& game) override;

  const GhostMenu* menu() const { return mMenu.get(); }

 private:
  void open(const GameData& game);
  Engine::i32 finish();

  std::unique_ptr<GhostMenu> mMenu;
  // The members as the list shows them.
  std::vector<PlayerGhost*> mShown;
};

// The party organisation screen over the listed characters and every other
// one of the roster; the lead always travels, first.
class OrganizeParty final : public Command {
 public:
  // The places there are besides the fixed members.
  static constexpr Engine::i32 kPlaces = 6;

  explicit OrganizeParty(const NmlNode& element);
  ~OrganizeParty() override;
  Engine::i32 execute(GameData& game) override;

 private:
  std::vector<const ShellData*> candidates(const GameData& game) const;
  bool isFixed(const ShellData* shell) const;
  void apply(GameData& game) const;

  std::vector<const ShellData*> mListed;
  std::vector<const ShellData*> mFixed;
  std::unique_ptr<PartyOrganizer> mOrganizer;
};

// The fine of a lost outing, max(1, levels² / 10), out of the money (never
// below 0), with a message saying how much.
class ContinuePenalty final : public Command {
 public:
  Engine::i32 execute(GameData& game) override;
};

// Every member gains LP, then every member gains AP.
class Recover final : public Command {
 public:
  explicit Recover(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  Engine::i32 mLp;
  Engine::i32 mAp;
};

}  // namespace ScriptStuff
}  // namespace Game
