// The words of the named special attacks' scripts.

#include "effect/NamedSpecial.h"

#include <memory>

#include "core/math/MathHelper.h"
#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/module/Bring.h"
#include "effect/module/Fall.h"
#include "effect/module/Move.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {
const Vector3 kSpecialNoAim(0.f, 0.f, 0.f);
}

Placed& Placed::delay(float d) {
  if (mNode) {
    mNode->setTime(-d);
  }
  return *this;
}

Placed& Placed::life(i32 frames) {
  if (mNode) {
    mNode->setLifetime(frames);
  }
  return *this;
}

Placed& Placed::spinZ() {
  if (mNode) {
    mNode->randomizeRotation(false, false, true);
  }
  return *this;
}

Placed& Placed::spinXYZ() {
  if (mNode) {
    mNode->randomizeRotation(true, true, true);
  }
  return *this;
}

Placed& Placed::scale(float s) {
  if (mNode) {
    mNode->scale.setValueAll(s);
  }
  return *this;
}

Placed& Placed::rotZ(float degrees) {
  if (mNode) {
    mNode->rotation.z.setValue(degrees);
  }
  return *this;
}

Placed& Placed::aimAt(const Vector3& point) {
  if (mNode) {
    mNode->aimAt(point);
  }
  return *this;
}

Placed& Placed::aimAlong(const Vector3& direction) {
  if (mNode) {
    mNode->aimDirection(direction);
  }
  return *this;
}

Vector3 NamedSpecial::casterPoint() const {
  Vector3 out;
  getCasterPosition(out);
  return out;
}

Vector3 NamedSpecial::targetPoint() const {
  Vector3 out;
  getFirstTargetPosition(out);
  return out;
}

const Vector3& NamedSpecial::aim() const { return mAction ? mAction->aimPoint() : kSpecialNoAim; }

Vector3 NamedSpecial::targetCentre() const {
  Vector3 out;
  getTargetCentre(out);
  return out;
}

Vector3 NamedSpecial::nearTargets(float x, float y, float z) const {
  Vector3 out;
  getPointNearTargets(out, x, y, z);
  return out;
}

Vector3 NamedSpecial::nearCaster(float x, float y, float z) const {
  Vector3 out;
  getPointNearCaster(out, x, y, z);
  return out;
}

Vector3 NamedSpecial::alongPath(float x, float y, float z) const {
  Vector3 out;
  getPointAlongPath(out, x, y, z);
  return out;
}

Vector3 NamedSpecial::frontOf(const Unit& unit) {
  Vector3 out;
  unit.getFrontPoint(out);
  return out;
}

Vector3 NamedSpecial::flat(float r) {
  Vector3 out;
  RandomGenerator::instance()->getFlatVector(&out, r);
  return out;
}

Vector3 NamedSpecial::dir(float y1, float y2, float p1, float p2) {
  Vector3 out;
  RandomGenerator::instance()->getDirection(&out, y1, y2 - y1, p1, p2 - p1);
  return out;
}

float NamedSpecial::rnd(float r) { return RandomGenerator::instance()->getFloat(r); }

Vector3 NamedSpecial::ang(float yaw, float pitch) {
  Vector3 out;
  MathHelper::directionFromAngles(&out, yaw, pitch);
  return out;
}

Placed NamedSpecial::node(Model* model, const Vector3& p) {
  SceneNode* created = launchAnimation(model);
  created->position.setValue(p);
  return Placed(created);
}

Placed NamedSpecial::on(Model* model, const Unit* unit) { return Placed(unit ? unit->createNode(model) : nullptr); }

void NamedSpecial::playRow(const char* key, i32 n, i32 spacing) {
  for (i32 i = 0; i < n; ++i) {
    playSound(key, spacing * i);
  }
}

Module::Module* NamedSpecial::moveHome(float height, i32 frames) {
  return addModule(std::make_unique<Module::Move>(*mCaster, height, frames));
}

Module::Module* NamedSpecial::moveToFirstTarget(float height, i32 frames, float approach) {
  Unit* target = getFirstTarget();
  return target ? addModule(std::make_unique<Module::Move>(*mCaster, *target, height, frames, approach)) : nullptr;
}

Module::Module* NamedSpecial::moveToPoint(const Vector3& point, float height, i32 frames, bool face) {
  return addModule(std::make_unique<Module::Move>(*mCaster, point, height, frames, face));
}

Module::Module* NamedSpecial::bring(SceneNode* moved, i32 frames, const Vector3& end, float height) {
  return addModule(std::make_unique<Module::Bring>(moved, frames, end, height));
}

Module::Module* NamedSpecial::fall(Unit* unit, i32 frames, float peak, float endHeight) {
  return unit ? addModule(std::make_unique<Module::Fall>(*unit, frames, peak, endHeight)) : nullptr;
}

void NamedSpecial::after(Module::Module* module, i32 delay) {
  if (module) {
    module->mDelay = delay;
  }
}

}  // namespace Game::Effect
