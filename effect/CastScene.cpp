// What effects place in the scene: the camera's targets, nodes, hit marks,
// sparks and flashes.

#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Cast.h"
#include "effect/CastCamera.h"
#include "effect/Stage.h"
#include "presentation/model/Animation.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"
#include "records/Database.h"
#include "records/database/BattlePictures.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr i32 kSparkModels = 2;
constexpr const char* kMain = "main";

// One of the common animation lists: "hit", "hitparticle",
// "ヒットフラッシュ"...; null without the databases.
PictureList* commonList(const char* name) {
  Database* database = Database::instance();
  return database ? database->maps().battle.commonAnimation(name) : nullptr;
}

}  // namespace

void Cast::setCameraFollow(SceneNode* node) {
  if (mCamera) {
    mCamera->follow(node);
  }
}

void Cast::setCameraPoint(const Vector3& point) {
  if (mCamera) {
    mCamera->follow(nullptr);
    mCamera->focus = point;
  }
}

void Cast::setCameraOnCaster() { setCameraFollow(mCaster ? mCaster->node() : nullptr); }

void Cast::setCameraOnTargets() {
  if (getTargetCount() == 1) {
    setCameraFollow(getFirstTarget()->node());
    return;
  }
  Vector3 centre;
  getTargetCentre(centre);
  setCameraPoint(centre);
}

void Cast::setCameraOnCast() {
  Vector3 centre;
  getCastCentre(centre);
  setCameraPoint(centre);
}

void Cast::setCameraScale(float zoom) {
  if (mCamera) {
    mCamera->zoom = zoom;
  }
}

void Cast::setCameraOffsetZ(float z) {
  if (mBattle) {
    mBattle->setCameraShake(z);
  }
}

void Cast::setCameraPitch(float degrees) {
  if (mBattle) {
    mBattle->setCameraPitch(degrees);
  }
}

void Cast::setCameraYawBySide(float degrees) {
  if (!mBattle || !mCaster) {
    return;
  }
  if (mCaster->side() == 0) {
    mBattle->setCameraHeading(degrees);
  } else if (mCaster->side() == 1) {
    mBattle->setCameraHeading(-degrees);
  }
}

SceneNodePool& Cast::getScenePool() const { return mBattle->scenePool(); }

SceneNode* Cast::launchAnimation(Model* model) { return getScenePool().create(model, 0); }

void Cast::launchHitMark(Unit& unit) {
  PictureList* list = commonList("hit");
  Model* mark = list ? list->find(kMain) : nullptr;
  if (!mark) {
    reportMissing("model", "hit/main");
    return;
  }
  unit.createNode(mark);
}

void Cast::launchHitMarks() {
  for (i32 i = 0; i < getTargetCount(); ++i) {
    launchHitMark(mAction->target(i));
  }
}

void Cast::launchSparks(Unit& unit, i32 count) {
  PictureList* list = commonList("hitparticle");
  Vector3 position;
  unit.getPosition(position);
  for (i32 model = 0; model < kSparkModels; ++model) {
    Model* spark = list ? list->set().getModel(model) : nullptr;
    if (!spark) {
      reportMissing("model", model == 0 ? "hitparticle/0" : "hitparticle/1");
      continue;
    }
    for (i32 i = 0; i < count / 2; ++i) {
      SceneNode* node = launchAnimation(spark);
      node->position.setValue(position);
      node->randomizeRotation(true, true, true);
    }
  }
}

void Cast::launchSparksOnTargets(i32 count) {
  for (i32 i = 0; i < getTargetCount(); ++i) {
    launchSparks(mAction->target(i), count);
  }
}

void Cast::flashHitTargets() {
  PictureList* list = commonList("ヒットフラッシュ");
  const Animation flash = list ? list->set().findAnimation(kMain) : Animation();
  for (i32 i = 0; i < getTargetCount(); ++i) {
    if (mAction->resultKind(i) != ActionRecord::kDamage) {
      continue;
    }
    if (!flash) {
      reportMissing("animation", "ヒットフラッシュ/main");
      return;
    }
    if (SceneNode* node = mAction->target(i).node()) {
      node->addOverlay(flash, 0.f);
    }
  }
}

bool Cast::isAnyTargetHit() const {
  for (i32 i = 0; i < getTargetCount(); ++i) {
    if (mAction->isHit(i)) {
      return true;
    }
  }
  return false;
}

}  // namespace Game::Effect
