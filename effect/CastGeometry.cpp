// Where the caster and the targets stand, and the points and directions the
// scripts place their pictures by.

#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Cast.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

// Directions shorter than this are not turned into unit vectors.
constexpr float kTinyLength = 1e-6f;
// Below this squared distance the caster stands on the target centre.
constexpr float kSameSpot = 1.f;
const Vector3 kUp(0.f, 0.f, 1.f);
const Vector3 kOrigin(0.f, 0.f, 0.f);

// Grows a bounding box by a point.
struct Box {
  void add(const Vector3& p) {
    if (empty) {
      low = p;
      high = p;
      empty = false;
      return;
    }
    low.setMin(p);
    high.setMax(p);
  }
  Vector3 centre() const {
    Vector3 c = low;
    c += high;
    c *= 0.5f;
    return c;
  }
  Vector3 low{0.f, 0.f, 0.f};
  Vector3 high{0.f, 0.f, 0.f};
  bool empty = true;
};

// A unit vector along v; along x when v has no length.
Vector3 normalised(Vector3 v) {
  const float length = v.length();
  if (length < kTinyLength) {
    return Vector3(1.f, 0.f, 0.f);
  }
  v *= 1.f / length;
  return v;
}

}  // namespace

void Cast::getCasterPosition(Vector3& out) const {
  if (mCaster) {
    mCaster->getPosition(out);
  } else {
    out = kOrigin;
  }
}

i32 Cast::getTargetCount() const { return mAction ? mAction->targetCount() : 0; }

Unit* Cast::getTarget(i32 i) const { return i >= 0 && i < getTargetCount() ? &mAction->target(i) : nullptr; }

Unit* Cast::getFirstTarget() const { return getTarget(0); }

void Cast::getFirstTargetPosition(Vector3& out) const {
  if (Unit* first = getFirstTarget()) {
    first->getPosition(out);
  } else {
    out = mAction ? mAction->aimPoint() : kOrigin;
  }
}

void Cast::getCastCentre(Vector3& out) const {
  Box box;
  Vector3 point;
  getCasterPosition(point);
  box.add(point);
  for (i32 i = 0; i < getTargetCount(); ++i) {
    mAction->target(i).getPosition(point);
    box.add(point);
  }
  if (getTargetCount() == 0 && mAction) {
    box.add(mAction->aimPoint());
  }
  out = box.centre();
}

void Cast::getTargetCentre(Vector3& out) const {
  if (getTargetCount() == 0) {
    out = mAction ? mAction->aimPoint() : kOrigin;
    return;
  }
  Box box;
  Vector3 point;
  for (i32 i = 0; i < getTargetCount(); ++i) {
    mAction->target(i).getPosition(point);
    box.add(point);
  }
  out = box.centre();
}

float Cast::getTargetDistance() const {
  Vector3 centre;
  getTargetCentre(centre);
  Vector3 caster;
  getCasterPosition(caster);
  centre -= caster;
  return centre.length();
}

void Cast::getTargetDirection(Vector3& out) const {
  Vector3 centre;
  getTargetCentre(centre);
  Vector3 caster;
  getCasterPosition(caster);
  out.setSub(centre, caster);
  if (out.squareLength() < kSameSpot) {
    if (mCaster) {
      mCaster->getRightVector(out);
    } else {
      out.set(1.f, 0.f, 0.f);
    }
  }
  out = normalised(out);
}

void Cast::getSideDirection(Vector3& out) const {
  Vector3 direction;
  getTargetDirection(direction);
  out.setCross(direction, kUp);
}

void Cast::getUpDirection(Vector3& out) const {
  Vector3 direction;
  getTargetDirection(direction);
  Vector3 side;
  side.setCross(direction, kUp);
  out.setCross(side, direction);
}

namespace {

// from + side x x - direction x z, then y up.
Vector3 offsetFrom(const Vector3& from, const Vector3& side, const Vector3& direction, float x, float y, float z) {
  Vector3 out = from;
  Vector3 step = side;
  step *= x;
  out += step;
  step = direction;
  step *= z;
  out -= step;
  out.z += y;
  return out;
}

}  // namespace

void Cast::getPointNearCaster(Vector3& out, float x, float y, float z) const {
  Vector3 caster;
  getCasterPosition(caster);
  Vector3 direction;
  getTargetDirection(direction);
  Vector3 side;
  side.setCross(direction, kUp);
  out = offsetFrom(caster, side, direction, x, y, z);
}

void Cast::getPointNearTargets(Vector3& out, float x, float y, float z) const {
  Vector3 centre;
  getTargetCentre(centre);
  Vector3 direction;
  getTargetDirection(direction);
  Vector3 side;
  side.setCross(direction, kUp);
  out = offsetFrom(centre, side, direction, x, y, z);
}

void Cast::getPointAlongPath(Vector3& out, float x, float y, float z) const {
  getPointNearCaster(out, x, y, z * getTargetDistance());
}

void Cast::faceTargets() {
  if (!mCaster) {
    return;
  }
  Vector3 centre;
  getTargetCentre(centre);
  mCaster->faceToward(centre);
}

}  // namespace Game::Effect
