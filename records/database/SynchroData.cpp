#include "records/database/SynchroData.h"

#include "core/file/nml/NmlNode.h"
#include "records/Database.h"
#include "core/file/DataError.h"
#include "records/table/RecordReading.h"
#include "records/database/ShellData.h"

namespace Game {

using Engine::i32;
using namespace RecordReading;

void SynchroData::read(const NmlNode& node, const StateTable& states) {
  readText(node, "name", mName);
  readText(node, "help", mHelp);
  const Database& database = *Database::instance();
  for (i32 i = 0; const NmlAttribute* line = node.findAttribute("member", i); ++i) {
    // findShell falls back to the first shell; a group of a missing
    // character is a mistake in the file.
    const ShellData* shell = database.findShellExactly(line->toString(0));
    if (!shell) {
      DataError::unknownName(__FILE__, __LINE__, "shell", line->toString(0));
    }
    mMembers.push_back(shell);
  }
  mNumber = static_cast<i32>(mMembers.size());
  readInt(node, "number", mNumber);
  readInt(node, "energySpeed", mEnergySpeed);
  readInt(node, "energyCapacity", mEnergyCapacity);
  if (const NmlNode* child = optionalChild(node, "arts")) {
    mArts.load(*child);
  }
  if (const NmlNode* child = optionalChild(node, "status")) {
    mStatus.read(*child);
  }
  if (const NmlNode* child = optionalChild(node, "attack")) {
    mAttack.read(*child);
    checkStates(mAttack, states);
  }
  if (const NmlNode* child = optionalChild(node, "defense")) {
    mDefense.read(*child, states);
  }
}

}  // namespace Game
