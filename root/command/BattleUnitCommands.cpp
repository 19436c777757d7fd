#include "root/command/BattleUnitCommands.h"

#include <cstring>

#include "battle/Battle.h"
#include "battle/UnitEntry.h"
#include "live/Unit.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlNode.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneRenderer.h"
#include "records/Database.h"
#include "running/script/command/CommandReading.h"
#include "root/command/RunningScenes.h"

namespace Game::ScriptStuff {

using Engine::i32;

namespace {

constexpr float kCommandPercent = 100.f;

i32 positionItem(const NmlNode& element, i32 item) {
  const NmlAttribute* position = element.findAttribute("position");
  return position && position->itemCount() > item ? position->toInt(item) : 0;
}

Unit* namedUnit(GameData& game, const char* keyword, const String& name) {
  Battle* battle = runningBattle(game, keyword);
  return battle ? battle->findUnitByName(name.c_str()) : nullptr;
}

}  // namespace

EnemyLook::EnemyLook(const NmlNode& element)
    : grade(optionalFloat(element, "grade", kCommandPercent) / kCommandPercent),
      style(defeatStyle(optionalText(element, "destroyEffect"))) {
  nickName.assign(optionalText(element, "nickName"));
}

i32 EnemyLook::defeatStyle(const char* word) {
  return *word == '\0' || std::strcmp(word, "default") == 0 ? Unit::kOrdinaryDefeat : 1;
}

void EnemyLook::applyTo(Unit& unit) const {
  if (nickName.length() > 0) {
    unit.setExtraName(nickName.c_str());
  }
  unit.setDefeatStyle(style);
}

CreateEnemy::CreateEnemy(const NmlNode& element)
    : mEnemy(Database::instance()->findEnemy(optionalText(element, "name"))),
      mRow(positionItem(element, 0)),
      mColumn(positionItem(element, 1)),
      mLevel(optionalInt(element, "level", 0)),
      mLook(element) {}

i32 CreateEnemy::execute(GameData& game) {
  Battle* battle = runningBattle(game, "createEnemy");
  if (battle && mEnemy) {
    if (Unit* unit = battle->addEnemy(*mEnemy, mRow, mColumn, mLook.grade, mLevel)) {
      mLook.applyTo(*unit);
    }
  }
  return kNext;
}

CreateRace::CreateRace(const NmlNode& element)
    : mRace(Database::instance()->findRace(optionalText(element, "name"))),
      mLevelOffset(optionalFloat(element, "rank", 0.f) / kCommandPercent),
      mFollowers(optionalBool(element, "child", false)),
      mLook(element) {}

i32 CreateRace::execute(GameData& game) {
  if (Battle* battle = runningBattle(game, "createRace")) {
    if (Unit* leader = battle->spawnRace(mRace, mLevelOffset, 0, mFollowers, mLook.grade)) {
      mLook.applyTo(*leader);
    }
  }
  return kNext;
}

CareUnit::CareUnit(const NmlNode& element) { mName.assign(optionalText(element, "name")); }

i32 CareUnit::execute(GameData& game) {
  if (Unit* unit = namedUnit(game, "careUnit", mName)) {
    unit->resetForBattle();
  }
  return kNext;
}

SetState::SetState(const NmlNode& element)
    : mState(Database::instance()->findState(optionalText(element, "state"))),
      mLevel(optionalInt(element, "level", 0)) {
  mName.assign(optionalText(element, "name"));
}

i32 SetState::execute(GameData& game) {
  if (Unit* unit = namedUnit(game, "setState", mName)) {
    unit->applyState(mState, mLevel, false);
  }
  return kNext;
}

i32 Recall::execute(GameData& game) {
  if (Battle* battle = runningBattle(game, "recall")) {
    for (i32 i = 0; i < battle->unitCount(); ++i) {
      battle->entry(i).popAll();
    }
  }
  return kNext;
}

i32 LastEscape::execute(GameData& game) {
  Battle* battle = runningBattle(game, "lastEscape");
  if (!battle) {
    return kNext;
  }
  if (SceneRenderer* renderer = SceneRenderer::instance()) {
    renderer->camera().setZoom(1.f);
  }
  if (!mLoaded) {
    mSet.load(kSetFile);
    mLoaded = true;
  }
  const Animation fade = mSet.getAnimation(0);
  i32 slot = kFirstSlot;
  for (i32 i = 0; i < battle->unitCount(); ++i) {
    if (battle->entry(i).isEmpty()) {
      continue;
    }
    Unit& unit = battle->entry(i).current();
    if (unit.hasName(kStays)) {
      continue;
    }
    if (SceneNode* node = unit.node()) {
      node->addOverlay(fade, static_cast<float>(kSpacing * slot));
    }
    ++slot;
  }
  return kNext;
}

}  // namespace Game::ScriptStuff
