#include "effect/Contact.h"

#include "effect/ActionRecord.h"
#include "effect/module/Move.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {
const Vector3 kNoAim(0.f, 0.f, 0.f);
}

void Contact::moveHome(float height, i32 frames) {
  addModule(std::make_unique<Module::Move>(*mCaster, height, frames));
}

void Contact::moveToFirstTarget(float height, i32 frames, float approach) {
  if (Unit* target = getFirstTarget()) {
    addModule(std::make_unique<Module::Move>(*mCaster, *target, height, frames, approach));
  }
}

void Contact::moveToPoint(const Vector3& point, float height, i32 frames, bool face) {
  addModule(std::make_unique<Module::Move>(*mCaster, point, height, frames, face));
}

void Contact::sparkAndSoundOnHit() {
  if (isAnyTargetHit()) {
    launchSparksOnTargets(kSparks);
    playSoundAt(0);
  }
}

Vector3 Contact::firstTargetPosition() const {
  Vector3 out;
  getFirstTargetPosition(out);
  return out;
}

Vector3 Contact::casterPosition() const {
  Vector3 out;
  getCasterPosition(out);
  return out;
}

const Vector3& Contact::aimPoint() const { return mAction ? mAction->aimPoint() : kNoAim; }

}  // namespace Game::Effect
