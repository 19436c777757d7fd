#include "running/script/command/RecordCommands.h"

#include <limits>

#include "running/game/GameData.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlNode.h"
#include "running/script/command/CommandReading.h"

namespace Game::ScriptStuff {

using Engine::i32;

Progress::Progress(const NmlNode& element) : mValue(requiredLine(element, "value").toInt(0)) {}

i32 Progress::execute(GameData& game) {
  game.addProgress(mValue);
  return kNext;
}

SetRecordFloor::SetRecordFloor(const NmlNode& element) : mOffset(optionalInt(element, "offset", 0)) {}

i32 SetRecordFloor::execute(GameData& game) {
  const MapSiteData* site = game.field() ? game.field()->currentSite() : nullptr;
  if (site) {
    game.recordFloorReached(*site, mOffset);
  }
  return kNext;
}

OpenScene::OpenScene(const NmlNode& element) : mSite(&knownSite(optionalText(element, "name"))) {}

i32 OpenScene::execute(GameData& game) {
  game.openScene(*mSite);
  return kNext;
}

i32 FixSceneLevel::execute(GameData& game) {
  game.fixSceneLevel();
  return kNext;
}

i32 NextFloor::execute(GameData& game) {
  // A loaded floor may be anything: it stops at the largest instead of
  // wrapping to a negative floor.
  i32& floor = game.floor();
  if (floor < std::numeric_limits<i32>::max()) {
    ++floor;
  }
  game.addTotalFloorCount();
  return kNext;
}

}  // namespace Game::ScriptStuff
