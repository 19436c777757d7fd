#include "records/database/ShellData.h"

#include "core/string/StringRef.h"
#include "core/file/nml/NmlNode.h"
#include "records/Database.h"
#include "core/file/DataError.h"
#include "records/table/RecordReading.h"

namespace Game {

using Engine::i32;
using namespace RecordReading;

namespace {

constexpr const char* kNoFace = "none";

}  // namespace

void ShellData::read(const NmlNode& node, const StateTable& states) {
  mName.assign(required(node, "name").toString(0));
  mFullName.assign(name());
  readText(node, "fullName", mFullName);
  mFace.assign(name());
  readText(node, "face", mFace);
  if (StringRef(face()) == kNoFace) {
    mFace.assign("");
  }
  mArts.load(node);
  mModel.assign(name());
  readText(node, "model", mModel);
  mGrowth.read(requiredChild(node, "status"));
  readSkillTree(requiredChild(node, "skill"), mSkillTree);
  if (const NmlNode* child = optionalChild(node, "equip")) {
    mPerformance.read(*child);
  }
  if (const NmlNode* child = optionalChild(node, "attack")) {
    mAttack.read(*child);
    checkStates(mAttack, states);
  }
  mDefense.read(requiredChild(node, "defense"), states);
  for (i32 i = 0; i < node.countChildren("gear"); ++i) {
    const NmlNode& gear = *node.findChild("gear", i);
    const i32 slot = required(gear, "slot").toInt(0);
    if (slot < 0 || slot >= kGearSlots) {
      DataError::badRecord(__FILE__, __LINE__, "gear slot outside 0..7");
    }
    const char* toolName = required(gear, "name").toString(0);
    const ToolData* tool = Database::instance()->findTool(toolName);
    if (!tool) {
      DataError::unknownName(__FILE__, __LINE__, "tool", toolName);
    }
    mGear.push_back({slot, tool});
  }
}

}  // namespace Game
