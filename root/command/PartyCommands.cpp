#include "root/command/PartyCommands.h"

#include <algorithm>

#include "running/game/GameData.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlNode.h"
#include "menu/PartyOrganizer.h"
#include "live/widget/ContentMenu.h"
#include "records/Database.h"
#include "running/script/command/CommandReading.h"

namespace Game::ScriptStuff {

using Engine::i32;
using Engine::i64;

namespace {

constexpr const char* kFinePrefix = "罰金 ";
constexpr const char* kFineUnit = "円";

bool contains(const std::vector<const ShellData*>& shells, const ShellData* shell) {
  return std::find(shells.begin(), shells.end(), shell) != shells.end();
}

}  // namespace

AddGhost::AddGhost(const NmlNode& element) : mShell(&knownShell(optionalText(element, "name"))) {}

i32 AddGhost::execute(GameData& game) {
  (void)game.party().recruit(*mShell);
  return kNext;
}

CreateGhost::CreateGhost(const NmlNode& element) : mShell(&knownShell(optionalText(element, "name"))) {}

i32 CreateGhost::execute(GameData& game) {
  (void)game.party().addGhost(*mShell);
  return kNext;
}

RemoveGhost::RemoveGhost(const NmlNode& element) : mName(optionalText(element, "name")) {}

i32 RemoveGhost::execute(GameData& game) {
  game.party().members().removeNamed(mName.c_str());
  return kNext;
}

RemoveGhostMenu::RemoveGhostMenu() = default;

RemoveGhostMenu::~RemoveGhostMenu() = default;

void RemoveGhostMenu::open(const GameData& game) {
  mMenu = std::make_unique<GhostMenu>();
  const PartyMembers& members = game.party().members();
  mMenu->build(members);
  mShown.clear();
  for (i32 i = 0; i < members.count(); ++i) {
    mShown.push_back(&members.memberAt(i));
  }
  mMenu->setPosition(0.f, 0.f);
}

i32 RemoveGhostMenu::finish() {
  mMenu.reset();
  mShown.clear();
  return kYield;
}

i32 RemoveGhostMenu::execute(GameData& game) {
  if (!mMenu) {
    open(game);
  }
  mMenu->draw(true);
  const i32 result = mMenu->update();
  if (result == ListMenu::kCancelled) {
    return finish();
  }
  const i32 chosen = mMenu->selectedId(0);
  // The lead in the first place stays: choosing it does nothing.
  if (result != ListMenu::kDecided || chosen <= 0 || chosen >= static_cast<i32>(mShown.size())) {
    return kStay;
  }
  PartyMembers& members = game.party().members();
  for (i32 i = 0; i < members.count(); ++i) {
    if (&members.memberAt(i) == mShown[static_cast<std::size_t>(chosen)]) {
      members.removeAt(i);
      break;
    }
  }
  return finish();
}

OrganizeParty::OrganizeParty(const NmlNode& element) {
  for (i32 i = 0; const NmlAttribute* line = element.findAttribute("shell", i); ++i) {
    mListed.push_back(&knownShell(line->item(0)));
  }
  // The lead is the game's own: a table without it leads with its first
  // shell, and with no shell at all nobody is fixed.
  if (const Database* database = Database::instance()) {
    if (const ShellData* lead = database->findShell(Party::kLeadName)) {
      mFixed.push_back(lead);
    }
  }
}

OrganizeParty::~OrganizeParty() = default;

bool OrganizeParty::isFixed(const ShellData* shell) const { return contains(mFixed, shell); }

std::vector<const ShellData*> OrganizeParty::candidates(const GameData& game) const {
  std::vector<const ShellData*> list;
  for (const ShellData* shell : mListed) {
    // A shell listed twice is offered once.
    if (!contains(list, shell)) {
      list.push_back(shell);
    }
  }
  const Database& database = *Database::instance();
  for (i32 i = 0; i < database.shellCount(); ++i) {
    const ShellData* shell = database.shellAt(i);
    if (!contains(list, shell) && game.party().hasGhostOf(shell)) {
      list.push_back(shell);
    }
  }
  list.erase(std::remove_if(list.begin(), list.end(), [this](const ShellData* shell) { return isFixed(shell); }),
             list.end());
  return list;
}

void OrganizeParty::apply(GameData& game) const {
  Party& party = game.party();
  party.members().clear();
  for (const ShellData* shell : mFixed) {
    (void)party.recruit(*shell);
  }
  for (const ShellData* shell : mOrganizer->chosen()) {
    (void)party.recruit(*shell);
  }
}

i32 OrganizeParty::execute(GameData& game) {
  if (!mOrganizer) {
    const i32 places = kPlaces - static_cast<i32>(mFixed.size());
    mOrganizer = std::make_unique<PartyOrganizer>(candidates(game), places);
  }
  if (mOrganizer->update() != PartyOrganizer::kDecided) {
    return kStay;
  }
  apply(game);
  mOrganizer.reset();
  return kYield;
}

i32 ContinuePenalty::execute(GameData& game) {
  const i32 penalty = game.party().continuePenalty();
  i32& money = game.money();
  money = static_cast<i32>(std::max<i64>(0, static_cast<i64>(money) - penalty));
  String text(kFinePrefix);
  text.appendInt(penalty);
  text.append(kFineUnit);
  game.pushMessage(text.c_str());
  return kYield;
}

Recover::Recover(const NmlNode& element) : mLp(optionalInt(element, "LP", 0)), mAp(optionalInt(element, "AP", 0)) {}

i32 Recover::execute(GameData& game) {
  game.party().addLpAll(mLp);
  game.party().addApAll(mAp);
  return kNext;
}

}  // namespace Game::ScriptStuff
