#include "script/scene/FieldViewCommands.h"

#include "field/FieldScene.h"
#include "resource/Database.h"
#include "script/command/CommandReading.h"
#include "script/scene/RunningScenes.h"

namespace Game::ScriptStuff {

using Engine::i32;

namespace {

// Unknown sites read as none.
const MapSiteData* siteNamed(const char* name) {
  const Database* database = Database::instance();
  return database ? database->findSite(name) : nullptr;
}

constexpr const char* kFloorKeywords[] = {"completeFloorMap", "vanishEnemySymbol", "freezeEnemySymbol",
                                          "seekContainer"};
constexpr const char* kAngleKeywords[] = {"setAngle", "setVerticalAngle", "fixAngle"};

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
  FieldScene* field = runningField(game, kFloorKeywords[mAct]);
  if (!field) {
    return mAct == kSeekContainers ? kYield : kNext;
  }
  switch (mAct) {
    case kCompleteMap:
      field->completeFloorMap();
      break;
    case kVanishEnemies:
      field->vanishEnemies();
      break;
    case kFreezeEnemies:
      field->freezeEnemies();
      break;
    case kSeekContainers:
      field->seekContainers();
      return kYield;
  }
  return kNext;
}

AngleCommand::AngleCommand(const NmlNode& element, Target target)
    : mTarget(target), mValue(optionalInt(element, "value", 0)) {}

i32 AngleCommand::execute(GameData& game) {
  FieldScene* field = runningField(game, kAngleKeywords[mTarget]);
  if (!field) {
    return kNext;
  }
  switch (mTarget) {
    case kLevel:
      field->setAngleLevel(mValue);
      break;
    case kPitch:
      field->setFloorAngle(static_cast<float>(mValue));
      break;
    case kFixed:
      field->setAngleFixed(mValue != 0);
      break;
  }
  return kNext;
}

}  // namespace Game::ScriptStuff
