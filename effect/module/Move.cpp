#include "effect/module/Move.h"

#include "Engine/Base/DebugStream.h"
#include "core/math/MathHelper.h"
#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "live/unit/BattleServices.h"
#include "effect/ActionRecord.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"
#include "records/Database.h"
#include "records/database/BattlePictures.h"

namespace Game::Effect::Module {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

// Below this height the feet are on the ground.
constexpr float kGround = 1.f;
// Starts closer than this to the target's feet have no direction.
constexpr float kTinyLength = 1e-6f;

Model* dustModel() {
  Database* database = Database::instance();
  PictureList* list = database ? database->maps().battle.commonAnimation("土煙") : nullptr;
  return list ? list->find("main") : nullptr;
}

}  // namespace

Move::Move(Unit& unit, const ActionRecord& action, float height, i32 frames)
    : mUnit(unit), mFrames(frames), mHeight(height) {
  action.targetCellPosition(mDestination);
  mDestination.x = 0.f;
}

Move::Move(Unit& unit, float height, i32 frames) : mUnit(unit), mFrames(frames), mHeight(height), mHome(true) {
  unit.getHomePosition(mDestination);
}

Move::Move(Unit& unit, Unit& target, float height, i32 frames, float approach)
    : mUnit(unit), mTarget(&target), mApproach(approach), mFrames(frames), mHeight(height), mFace(true) {}

Move::Move(Unit& unit, const Vector3& point, float height, i32 frames, bool face)
    : mUnit(unit), mDestination(point), mFrames(frames), mHeight(height), mFace(face) {}

i32 Move::update() {
  if (mCounter == 0) {
    mUnit.getFrontPoint(mStart);
  }
  ++mCounter;
  if (mCounter > mFrames) {
    return kDone;
  }
  if (mTarget) {
    followTarget();
  }
  if (mFace) {
    mUnit.faceToward(mDestination);
  }
  const float t = static_cast<float>(mCounter) / static_cast<float>(mFrames);
  Vector3 at;
  MathHelper::lerpVector(&at, t, mStart, mDestination);
  at.z += (1.f - t) * t * 4.f * mHeight;
  mUnit.placeFrontAt(at);
  if (mCounter % 2 == 0 && at.z < kGround) {
    raiseDust(at);
  }
  return kHolding;
}

void Move::followTarget() {
  mTarget->getFrontPoint(mDestination);
  Vector3 back = mStart;
  back -= mDestination;
  const float length = back.length();
  if (length < kTinyLength) {
    return;
  }
  back *= (mUnit.getSize() + mTarget->getSize()) * mApproach / 2.f / length;
  mDestination += back;
}

void Move::raiseDust(const Vector3& at) const {
  SceneNodePool* pool = mUnit.battle() ? mUnit.battle()->scenePool() : nullptr;
  if (!pool) {
    return;
  }
  Model* dust = dustModel();
  if (!dust) {
    Engine::cout << "Move: the common list \"土煙\" has no model \"main\"" << Engine::endl;
    return;
  }
  Vector3 offset;
  RandomGenerator::instance()->getFlatVector(&offset, mUnit.getSize() / 4.f);
  offset += at;
  SceneNode* puff = pool->create(dust, 0);
  puff->position.setValue(offset);
  puff->scale.setValueAll(mUnit.getScale());
}

}  // namespace Game::Effect::Module
