#include "live/Party.h"

#include <algorithm>
#include <cstring>

#include "live/article/Article.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlNode.h"
#include "records/database/ShellData.h"
#include "records/database/ToolData.h"

namespace Game {

using Engine::i32;
using Engine::i64;

i32 Party::leadExperience() const {
  const PlayerGhost* lead = leadMember();
  return lead ? lead->experience() : 0;
}

PlayerGhost* Party::findGhost(const ShellData* shell) const {
  for (const auto& ghost : mRoster) {
    if (ghost->shell() == shell) {
      return ghost.get();
    }
  }
  return nullptr;
}

PlayerGhost* Party::findGhostByKey(const char* key) const {
  for (const auto& ghost : mRoster) {
    if (ghost->isNamed(key)) {
      return ghost.get();
    }
  }
  return nullptr;
}

PlayerGhost& Party::addGhost(const ShellData& shell) {
  if (PlayerGhost* ghost = findGhost(&shell)) {
    return *ghost;
  }
  auto ghost = std::make_unique<PlayerGhost>();
  ghost->setUp(shell, leadExperience());
  mRoster.push_back(std::move(ghost));
  return *mRoster.back();
}

PartyMembers::Entry* Party::recruit(const ShellData& shell) {
  PlayerGhost& ghost = addGhost(shell);
  return mMembers.contains(ghost) ? nullptr : mMembers.add(ghost);
}

i32 Party::continuePenalty() const {
  i64 levels = 0;
  for (i32 i = 0; i < mMembers.count(); ++i) {
    levels += mMembers.memberAt(i).getLevel();
  }
  return static_cast<i32>(std::max<i64>(1, levels * levels / 10));
}

void Party::addApAll(i32 n) {
  for (i32 i = 0; i < mMembers.count(); ++i) {
    mMembers.memberAt(i).addAp(n);
  }
}

void Party::addLpAll(i32 n) {
  for (i32 i = 0; i < mMembers.count(); ++i) {
    mMembers.memberAt(i).addLp(n);
  }
}

void Party::collectFieldAbilities() {
  AbilityList abilities;
  for (i32 i = 0; i < mMembers.count(); ++i) {
    const PlayerGhost& ghost = mMembers.memberAt(i);
    if (ghost.lp() <= 0) {
      continue;
    }
    abilities.appendFrom(ghost.abilities());
    for (i32 slot = 0; slot < PlayerGhost::kSlots; ++slot) {
      if (const Article* article = ghost.getEquipment(slot)) {
        abilities.appendFrom(article->item()->arts());
      }
    }
  }
  mFieldAbilities.read(abilities);
}

void Party::startNewCycle() {
  mMembers.clear();
  for (const auto& ghost : mRoster) {
    ghost->startNewCycle();
  }
}

void Party::clear() {
  mMembers.clear();
  mRoster.clear();
}

i32 Party::countEquippedAll(const ToolData* item) const {
  i32 n = 0;
  for (const auto& ghost : mRoster) {
    for (i32 slot = 0; item && slot < PlayerGhost::kSlots; ++slot) {
      n += ghost->slot(slot).item() == item ? 1 : 0;
    }
  }
  return n;
}

void Party::save(NmlNode& node) const {
  for (i32 i = 0; i < mMembers.count(); ++i) {
    const PartyMembers::Entry& entry = mMembers.at(i);
    NmlAttribute& line = *node.addAttribute("member", entry.ghost->getDefinitionKey());
    line.addInt(entry.row);
    line.addInt(entry.column);
  }
  for (const auto& ghost : mRoster) {
    ghost->save(*node.addChild("ghost"));
  }
}

void Party::load(const NmlNode& node) {
  clear();
  for (const NmlNode& saved : node.childrenNamed("ghost")) {
    auto ghost = std::make_unique<PlayerGhost>();
    ghost->load(saved);
    mRoster.push_back(std::move(ghost));
  }
  for (const NmlAttribute& line : node.attributesKeyed("member")) {
    PlayerGhost* ghost = findGhostByKey(line.toString(0));
    if (!ghost || mMembers.contains(*ghost)) {
      continue;
    }
    if (PartyMembers::Entry* entry = mMembers.add(*ghost)) {
      entry->row = line.toInt(1);
      entry->column = line.toInt(2);
    }
  }
  // A cell off the grid, or shared, is settled now rather than at the next
  // change of members: the battle takes cells as they stand.
  mMembers.arrange();
}

}  // namespace Game
