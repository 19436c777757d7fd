#include "presentation/scene/SceneNode.h"

#include <algorithm>

#include "Engine/Math/Functions.h"
#include "Engine/Math/Matrix34.h"
#include "core/math/MathHelper.h"
#include "core/random/RandomGenerator.h"
#include "presentation/model/Model.h"
#include "presentation/render/Color.h"
#include "presentation/render/Transform.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/scene/SceneNodePool.h"
#include "presentation/scene/SceneRenderer.h"

namespace Game {

using Engine::Math::Matrix34;
using Engine::Math::Vector3;

namespace {

constexpr float kWorldUnits = Transform::kWorldUnitsPerMatrixUnit;
constexpr float kFullTurn = 360.f;
// Squared horizontal distance (world units) below which a point counts as
// straight above or below.
constexpr float kSameSpot = 1e-6f;

Vector3 toMatrixUnits(const Vector3& v) {
  Vector3 out = v;
  out *= 1.f / kWorldUnits;
  return out;
}

Vector3 toWorldUnits(const Vector3& v) {
  Vector3 out = v;
  out *= kWorldUnits;
  return out;
}

}  // namespace

// The defaults of a reset, out of use; the pool restarts the id counter
// once its nodes are built.
SceneNode::SceneNode() {
  reset(nullptr);
  mActive = false;
}

void SceneNode::reset(Model* model) {
  baseState.reset();
  mActive = true;
  mVisible = true;
  mParent = nullptr;
  mWorldValid = false;
  mDetachOnParentRelease = false;
  mPositionOnly = false;
  mModel = model;
  mTime = 0.f;
  mSpeed = 1.f;
  mLifetime = -1;
  mFrameCount = 0;
  scale.reset();
  scale.setValueAll(1.f);
  position.reset();
  rotation.reset();
  transparency.reset();
  transparency.setValue(1.f);
  ambient.reset();
  ambient.setValueAll(1.f);
  diffuse.reset();
  diffuse.setValueAll(1.f);
  mLightOn = false;
  mLightColor.set(1.f, 1.f, 1.f);
  mCameraFollow = false;
  mOverlays.clear();
  mId = SceneNodePool::takeNodeId();
}

void SceneNode::copyFrom(const SceneNode& other) {
  if (&other == this) {
    mId = SceneNodePool::takeNodeId();
    return;
  }
  // Pool and slot index stay: the copy lives in this slot.
  mWorldValid = other.mWorldValid;
  mActive = other.mActive;
  mLifetime = other.mLifetime;
  mFrameCount = other.mFrameCount;
  mParent = other.mParent;
  mDetachOnParentRelease = other.mDetachOnParentRelease;
  mPositionOnly = other.mPositionOnly;
  mModel = other.mModel;
  mTime = other.mTime;
  mSpeed = other.mSpeed;
  mLightOn = other.mLightOn;
  mLightRange = other.mLightRange;
  mLightColor = other.mLightColor;
  mCameraFollow = other.mCameraFollow;
  mOverlays = other.mOverlays;
  scale = other.scale;
  position = other.position;
  rotation = other.rotation;
  ambient = other.ambient;
  diffuse = other.diffuse;
  transparency = other.transparency;
  mVisible = other.mVisible;
  baseState = other.baseState;
  mWorldState = other.mWorldState;
  mWorldPosition = other.mWorldPosition;
  mId = SceneNodePool::takeNodeId();
}

void SceneNode::release() {
  if (!mActive) {
    return;
  }
  mActive = false;
  mOverlays.clear();
  if (mPool) {
    mPool->noteReleased(static_cast<Engine::i32>(mIndex));
    mPool->releaseChildren(this);
  }
}

void SceneNode::update() {
  if (!mActive) {
    return;
  }
  ++mFrameCount;
  if (mTime >= 0.f) {
    mWorldValid = false;
    position.step();
    rotation.step();
    scale.step();
    transparency.step();
    ambient.step();
    diffuse.step();
    if (mLifetime > 0 && --mLifetime < 1) {
      release();
      return;
    }
  }
  mTime += mSpeed;
  if (mTime >= 0.f && mModel && mModel->cyclesDone(mTime) != 0) {
    release();
    return;
  }
  stepOverlays();
}

void SceneNode::stepOverlays() {
  for (Overlay& overlay : mOverlays) {
    overlay.time += mSpeed;
  }
  std::erase_if(mOverlays, [](const Overlay& overlay) {
    const AnimationBody* body = overlay.animation.body();
    return body && body->duration > 0.f && body->duration <= overlay.time;
  });
}

void SceneNode::updateWorld() {
  mWorldValid = true;
  if (mParent && !mParent->mWorldValid) {
    mParent->updateWorld();
  }
  composeState();
  const Matrix34& world = mWorldState.transform;
  mWorldPosition.set(world.m[0][3], world.m[1][3], world.m[2][3]);
  mWorldPosition *= kWorldUnits;
  SceneRenderer* renderer = SceneRenderer::instance();
  if (!renderer) {
    return;
  }
  if (mLightOn) {
    lightScene();
  }
  if (mCameraFollow) {
    renderer->camera().lookAt(mWorldPosition);
  }
}

void SceneNode::composeState() {
  mWorldState.reset();
  mWorldState.combine(baseState);
  RenderState local;
  local.colors.transparency = transparency.value();
  local.colors.ambient = ambient.value();
  local.colors.diffuse = diffuse.value();
  if (mParent) {
    if (mPositionOnly) {
      Transform atParent;
      atParent.position = mParent->mWorldPosition;
      local.applyTransform(atParent);
    } else {
      const RenderState& parentState = mParent->mWorldState;
      local.transform = parentState.transform;
      local.normalTransform = parentState.normalTransform;
      local.billboardTransform = parentState.billboardTransform;
      local.frontEnd = parentState.frontEnd;
    }
  }
  Transform own;
  own.rotation = rotation.value();
  own.scale = scale.value();
  own.position = position.value();
  local.applyTransform(own);
  mWorldState.combine(local);
}

void SceneNode::lightScene() const {
  Light& light = SceneRenderer::instance()->pointLight();
  const ColorSet& colors = mWorldState.colors;
  Vector3 color;
  color.setMul(mLightColor, colors.ambient);
  color += colors.emission;
  light.setPosition(mWorldPosition);
  light.setColor(color);
  light.setRange(mLightRange * colors.transparency);
}

void SceneNode::draw() const {
  if (!isVisible() || !mModel) {
    return;
  }
  if (mParent && !mParent->isVisible()) {
    return;
  }
  if (mOverlays.empty()) {
    mModel->draw(mWorldState, mTime);
    return;
  }
  RenderState state = mWorldState;
  for (const Overlay& overlay : mOverlays) {
    if (overlay.time >= 0.f) {
      overlay.animation.apply(state, overlay.time);
    }
  }
  mModel->draw(state, mTime);
}

void SceneNode::setParent(SceneNode* parent, bool detachOnParentRelease, bool positionOnly) {
  mParent = parent == this ? nullptr : parent;
  mDetachOnParentRelease = detachOnParentRelease;
  mPositionOnly = positionOnly;
  mWorldValid = false;
}

void SceneNode::setModel(Model* model, bool keep) {
  if (!model || (model == mModel && keep)) {
    return;
  }
  mModel = model;
  mTime = 0.f;
}

bool SceneNode::setModelByName(const char* name, bool keep) {
  if (!mModel || !mModel->owner()) {
    return false;
  }
  Model* found = mModel->owner()->findModel(name);
  if (!found) {
    return false;
  }
  setModel(found, keep);
  return true;
}

void SceneNode::setLight(float range, const Vector3& color) {
  mLightOn = true;
  mLightRange = range;
  mLightColor = color;
}

void SceneNode::setLightIntensity(float intensity) {
  if (intensity > 0.f) {
    setLight(intensity, Vector3(1.f, 1.f, 1.f));
  } else {
    mLightOn = false;
  }
}

void SceneNode::setColor(const Color& color) {
  transparency.setValue(color.alpha());
  ambient.setValue(color.red(), color.green(), color.blue());
}

void SceneNode::randomizeRotation(bool x, bool y, bool z) {
  RandomGenerator* random = RandomGenerator::instance();
  if (!random) {
    return;
  }
  Mover* axes[] = {&rotation.x, &rotation.y, &rotation.z};
  const bool flags[] = {x, y, z};
  for (int axis = 0; axis < 3; ++axis) {
    if (flags[axis]) {
      axes[axis]->setValue(random->getFloat(kFullTurn));
    }
  }
}

void SceneNode::stopMotions() {
  for (Mover3* track : {&scale, &position, &rotation, &ambient, &diffuse}) {
    track->stop();
  }
  transparency.stop();
  mSpeed = 0.f;
  mLifetime = 0;
}

void SceneNode::addOverlay(const Animation& animation, float delay) {
  if (animation) {
    mOverlays.push_back({animation, -delay});
  }
}

void SceneNode::bringWorldUpToDate() {
  if (!mWorldValid) {
    updateWorld();
  }
}

Vector3 SceneNode::inParentFrame(const Vector3& point) const {
  if (!mParent) {
    return point;
  }
  Matrix34 toParent;
  toParent.setInverse(mParent->mWorldState.transform);
  Vector3 out;
  toParent.multiply(&out, toMatrixUnits(point));
  return toWorldUnits(out);
}

void SceneNode::aimDirection(const Vector3& dir) {
  bringWorldUpToDate();
  float pitch = 0.f;
  float yaw = 0.f;
  MathHelper::anglesFromDirection(&pitch, &yaw, dir);
  rotation.x.setValue(pitch);
  rotation.y.setValue(yaw);
  mWorldValid = false;
}

void SceneNode::aimAt(const Vector3& point) {
  bringWorldUpToDate();
  // Both ends in the parent's frame, where the rotation track turns.
  Vector3 dir;
  dir.setSub(inParentFrame(point), inParentFrame(mWorldPosition));
  aimDirection(dir);
}

void SceneNode::aimAtXY(const Vector3& point) {
  bringWorldUpToDate();
  aimAt(Vector3(point.x, point.y, mWorldPosition.z));
}

void SceneNode::faceToward(const Vector3& point) {
  bringWorldUpToDate();
  Vector3 d;
  d.setSub(inParentFrame(point), inParentFrame(mWorldPosition));
  // The world position went through matrix units: a point straight above
  // or below comes back a hair off.
  if (d.x * d.x + d.y * d.y < kSameSpot) {
    return;
  }
  rotation.setValue(0.f, 0.f, Engine::Math::atan2(d.y, d.x));
  mWorldValid = false;
}

void SceneNode::localToWorldPoint(Vector3* out, const Vector3& p) {
  bringWorldUpToDate();
  Vector3 world;
  mWorldState.transform.multiply(&world, toMatrixUnits(p));
  *out = toWorldUnits(world);
}

void SceneNode::localToWorldVector(Vector3* out, const Vector3& v) {
  bringWorldUpToDate();
  Vector3 world;
  mWorldState.transform.multiply33(&world, toMatrixUnits(v));
  *out = toWorldUnits(world);
}

}  // namespace Game
