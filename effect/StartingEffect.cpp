#include "effect/StartingEffect.h"

#include <algorithm>
#include <string>

#include "live/Unit.h"
#include "live/unit/BattleServices.h"
#include "effect/Stage.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"
#include "records/Database.h"
#include "records/database/BattlePictures.h"

namespace Game::Effect::StartingEffect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

BattlePictures* battlePictures() {
  Database* database = Database::instance();
  return database ? &database->maps().battle : nullptr;
}

// The "main" model of the list; null, reported to the stage, without it.
Model* mainOf(Stage& stage, PictureList* list, const char* name) {
  Model* model = list ? list->find("main") : nullptr;
  if (!model) {
    stage.lookupFailed("model", (std::string(name) + "/main").c_str());
  }
  return model;
}

// The mark of a lead-in's picture set ("技", "術", "スペル") on the caster.
SceneNode* launchMark(Stage& stage, const Unit& caster, const char* set) {
  BattlePictures* pictures = battlePictures();
  Model* model = mainOf(stage, pictures ? pictures->stateSet(set) : nullptr, set);
  return model ? caster.createNode(model) : nullptr;
}

// Half the chain's place in the chain, plus one: 1.5 for the second action.
float chainScale(i32 index) { return static_cast<float>(index) / 2.f + 1.f; }

}  // namespace

void Action::start(Stage& stage, Unit& caster, const Vector3& position) {
  caster.faceToward(position);
  launchMark(stage, caster, "技");
}

void MagicStart::start(Stage& stage, Unit& caster, const Vector3& position) {
  caster.faceToward(position);
  launchMark(stage, caster, "術");
}

void Spell::start(Stage& stage, Unit& caster, const Vector3& position) {
  caster.faceToward(position);
  if (SceneNode* banner = launchMark(stage, caster, "スペル")) {
    banner->scale.setValueAll(1.f);
  }
  stage.startBattleSound("スペル発動", 0);
}

void Caution::start(Stage& stage, Unit& caster, const Vector3& position) {
  BattlePictures* pictures = battlePictures();
  Model* model = mainOf(stage, pictures ? &pictures->list(BattlePictures::kCaution) : nullptr, "caution");
  SceneNodePool* pool = caster.battle() ? caster.battle()->scenePool() : nullptr;
  if (model && pool) {
    pool->create(model, 0);
  }
  mSpell.start(stage, caster, position);
}

void Chain::start(Stage& stage, Unit& caster, const Vector3&) {
  BattlePictures* pictures = battlePictures();
  Model* model = mainOf(stage, pictures ? &pictures->list(BattlePictures::kLink) : nullptr, "連携");
  if (SceneNode* mark = model ? caster.createNode(model) : nullptr) {
    Vector3 feet;
    caster.getFrontPoint(feet);
    mark->position.setValue(feet);
    mark->scale.setValueAll(caster.getScale() * chainScale(mIndex));
  }
  stage.playBattleSound("連携", 0);
}

i32 Container::getMaxDuration() const {
  i32 longest = 0;
  for (const std::unique_ptr<Base>& part : mParts) {
    longest = std::max(longest, part->duration());
  }
  return longest;
}

bool Container::step() {
  if (mFrame == 0) {
    for (const std::unique_ptr<Base>& part : mParts) {
      part->start(mStage, mCaster, mPosition);
    }
  }
  ++mFrame;
  return mFrame > getMaxDuration();
}

}  // namespace Game::Effect::StartingEffect
