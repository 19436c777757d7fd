// A battle unit's scene node: where the unit stands, which way it faces and
// which motion it plays.

#include "Engine/Base/DebugStream.h"
#include "live/Unit.h"
#include "live/unit/BattleServices.h"
#include "live/unit/Ghost.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"
#include "records/Database.h"
#include "records/database/UnitPictureData.h"

namespace Game {

using Engine::Math::Vector3;

namespace {

constexpr float kPictureSize = 256.f;
// The cell the units of a side face: the other side's centre.
constexpr Engine::i32 kFacedRow = 2;
constexpr Engine::i32 kFacedColumn = 2;
// Directions shorter than this have no heading.
constexpr float kTinyLength = 1e-6f;

const Vector3 kFront(0.f, 0.f, -1.f);
const Vector3 kRight(1.f, 0.f, 0.f);

}  // namespace

Unit::~Unit() { releaseSceneNode(); }

SceneNode* Unit::node() const {
  if (mNode && mNode->isActive() && mNode->getId() == mNodeId) {
    return mNode;
  }
  return nullptr;
}

UnitPictureData* Unit::picture() const {
  Database* database = Database::instance();
  const char* name = mGhost.getAppearance();
  if (!database || !name || !*name) {
    return nullptr;
  }
  return database->findUnitPicture(name);
}

void Unit::createSceneNode() {
  releaseSceneNode();
  SceneNodePool* pool = mBattle ? mBattle->scenePool() : nullptr;
  if (!pool) {
    return;
  }
  UnitPictureData* data = picture();
  Model* stand = data ? data->standMotion() : nullptr;
  if (!stand) {
    Engine::cout << "Unit: \"" << mGhost.getName() << "\" has no stand motion of the picture \""
                 << mGhost.getAppearance() << "\"; its node shows nothing" << Engine::endl;
  }
  mNode = pool->create(stand, 0);
  mNodeId = mNode->getId();
  const float scale = getScale();
  mNode->scale.setValueAll(scale);
}

void Unit::releaseSceneNode() {
  if (SceneNode* own = node()) {
    own->release();
  }
  mNode = nullptr;
  mNodeId = 0;
}

void Unit::show(UnitPose pose) {
  if (!mBattle) {
    return;
  }
  if (pose == UnitPose::kAppear || !node()) {
    createSceneNode();
  }
  Vector3 home;
  getHomePosition(home);
  placeFrontAt(home);
  Vector3 faced;
  cellPosition(faced, 1 - mSide, kFacedRow, kFacedColumn);
  faced.z = home.z;
  faceToward(faced);
  if (pose == UnitPose::kAppear) {
    playAppear();
  } else if (pose == UnitPose::kDown) {
    playDown();
  } else {
    playStand();
  }
  mBattle->unitShown(*this, pose);
}

void Unit::getPosition(Vector3& out) const {
  if (SceneNode* own = node()) {
    own->updateWorld();
    out = *own->worldPosition();
    return;
  }
  getHomePosition(out);
  out.z += getSize() / 2.f;
}

void Unit::faceToward(const Vector3& point) {
  if (SceneNode* own = node()) {
    own->faceToward(point);
  }
}

void Unit::pointAlong(Vector3& out, const Vector3& direction) const {
  getPosition(out);
  Vector3 turned = direction;
  if (SceneNode* own = node()) {
    own->localToWorldVector(&turned, direction);
  }
  const float turnedLength = turned.length();
  if (turnedLength < kTinyLength) {
    return;
  }
  // The node's scale is the unit's: the size alone sets the distance.
  turned *= direction.length() * getSize() / 2.f / turnedLength;
  out += turned;
}

void Unit::getFrontPoint(Vector3& out) const { pointAlong(out, kFront); }

void Unit::getRightVector(Vector3& out) const {
  out = kRight;
  SceneNode* own = node();
  if (!own) {
    return;
  }
  Vector3 turned;
  own->localToWorldVector(&turned, kRight);
  const float length = turned.length();
  if (length >= kTinyLength) {
    turned *= 1.f / length;
    out = turned;
  }
}

void Unit::getApproachOffset(Vector3& out) const {
  Vector3 position;
  getPosition(position);
  Vector3 home;
  getHomePosition(home);
  getFrontPoint(out);
  out -= position;
  out += home;
}

void Unit::placeFrontAt(const Vector3& point) {
  SceneNode* own = node();
  if (!own) {
    return;
  }
  Vector3 position;
  getPosition(position);
  Vector3 front;
  getFrontPoint(front);
  Vector3 target = point;
  target -= front;
  target += position;
  own->position.setValue(target);
  own->updateWorld();
}

float Unit::getSize() const {
  const UnitPictureData* data = picture();
  return data ? kPictureSize * data->scale() : kPictureSize;
}

float Unit::getScale() const { return getSize() / kPictureSize; }

SceneNode* Unit::createNode(Model* model) const {
  SceneNodePool* pool = mBattle ? mBattle->scenePool() : nullptr;
  if (!pool) {
    return nullptr;
  }
  Vector3 centre;
  getPosition(centre);
  SceneNode* created = pool->create(model, 0);
  created->position.setValue(centre);
  if (SceneNode* own = node()) {
    created->rotation.setValue(own->rotation.value());
  }
  created->scale.setValueAll(getScale());
  return created;
}

void Unit::playMotion(Model* model, bool keep) {
  SceneNode* own = node();
  if (own && model) {
    own->setModel(model, keep);
  }
}

void Unit::playStand() {
  UnitPictureData* data = picture();
  playMotion(data ? data->standMotion() : nullptr, true);
}

void Unit::playDown() {
  UnitPictureData* data = picture();
  playMotion(data ? data->downMotion() : nullptr, false);
}

void Unit::playAppear() {
  UnitPictureData* data = picture();
  playMotion(data ? data->appearMotion() : nullptr, false);
}

bool Unit::playNamedMotion(const char* name, float time) {
  UnitPictureData* data = picture();
  Model* model = data ? data->motion(name) : nullptr;
  SceneNode* own = node();
  if (!own || !model) {
    return false;
  }
  own->setModel(model, false);
  own->setTime(time);
  return true;
}

void Unit::centerCamera() const {
  if (mBattle) {
    mBattle->centerCamera(*this);
  }
}

}  // namespace Game
