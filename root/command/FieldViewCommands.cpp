#include "root/command/FieldViewCommands.h"

#include "field/FieldScene.h"
#include "records/Database.h"
#include "running/script/command/CommandReading.h"
#include "root/command/RunningScenes.h"

namespace Game::ScriptStuff {

using Engine::i32;

namespace {

// Unknown sites read as none.
const MapSiteData* siteNamed(const char* name) {
  const Database* database = Database::instance();
  return database ? database->findSite(name) : nullptr;
}

struct FloorAct {
  const char* keyword;
  void (*run)(FieldScene& field);
  i32 status;
};
constexpr FloorAct kFloorActs[] = {
    {"completeFloorMap", [](FieldScene& field) { field.completeFloorMap(); }, kNext},
    {"vanishEnemySymbol", [](FieldScene& field) { field.vanishEnemies(); }, kNext},
    {"freezeEnemySymbol", [](FieldScene& field) { field.freezeEnemies(); }, kNext},
    {"seekContainer", [](FieldScene& field) { (void)field.seekContainers(); }, kYield},
};

struct AngleSetting {
  const char* keyword;
  void (*set)(FieldScene& field, i32 value);
};
constexpr AngleSetting kAngleSettings[] = {
    {"setAngle", [](FieldScene& field, i32 value) { field.setAngleLevel(value); }},
    {"setVerticalAngle", [](FieldScene& field, i32 value) { field.setFloorAngle(static_cast<float>(value)); }},
    {"fixAngle", [](FieldScene& field, i32 value) { field.setAngleFixed(value != 0); }},
};

}  // namespace

ChangeMap::ChangeMap(const NmlNode& element)
    : mSite(siteNamed(optionalText(element, "site"))),
      mFloor(optionalText(element, "file")),
      mEvent(optionalInt(element, "position", 0)) {}

i32 ChangeMap::execute(GameData& game) {
  if (FieldScene* field = runningField(game, "changeMap")) {
    field->postSceneChange(SceneChangeRequest{mSite ? mSite : field->currentSite(), mFloor, mEvent});
  }
  return kNext;
}

ChangeSceneCommand::ChangeSceneCommand(const NmlNode& element) : mSite(siteNamed(optionalText(element, "name"))) {}

i32 ChangeSceneCommand::execute(GameData& game) {
  if (FieldScene* field = runningField(game, "changeScene")) {
    if (mSite) {
      field->changeScene(mSite);
    } else {
      field->requestContinueScene();
    }
  }
  return kNext;
}

i32 FloorCommand::execute(GameData& game) {
  const FloorAct& act = kFloorActs[mAct];
  if (FieldScene* field = runningField(game, act.keyword)) {
    act.run(*field);
  }
  return act.status;
}

AngleCommand::AngleCommand(const NmlNode& element, Target target)
    : mTarget(target), mValue(optionalInt(element, "value", 0)) {}

i32 AngleCommand::execute(GameData& game) {
  const AngleSetting& setting = kAngleSettings[mTarget];
  if (FieldScene* field = runningField(game, setting.keyword)) {
    setting.set(*field, mValue);
  }
  return kNext;
}

}  // namespace Game::ScriptStuff
