#include "root/command/RunningScenes.h"

#include <set>
#include <string>

#include "Engine/Base/DebugStream.h"
#include "battle/Battle.h"
#include "running/game/GameData.h"
#include "field/FieldScene.h"

namespace Game::ScriptStuff {

namespace {

std::set<std::string> gReported;

void reportOnce(const char* keyword, const char* scene) {
  if (gReported.insert(keyword).second) {
    Engine::cout << "script command \"" << keyword << "\" needs a " << scene << "; there is none" << Engine::endl;
  }
}

}  // namespace

Battle* runningBattle(GameData& game, const char* keyword) {
  auto* battle = dynamic_cast<Battle*>(game.battle());
  if (!battle) {
    reportOnce(keyword, "battle");
  }
  return battle;
}

FieldScene* runningField(GameData& game, const char* keyword) {
  auto* field = dynamic_cast<FieldScene*>(game.field());
  if (!field) {
    reportOnce(keyword, "field");
  }
  return field;
}

void forgetMissingSceneReports() { gReported.clear(); }

}  // namespace Game::ScriptStuff
