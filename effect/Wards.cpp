// Named special arts built around the caster or shown on the targets
// without a blow.

#include "effect/Wards.h"

#include "live/Unit.h"
#include "effect/ActionRecord.h"

namespace Game::Effect {

using Engine::i32;

SilkVeilDeflect::SilkVeilDeflect() : mSet("src/picture/animation/SilkVeilDeflect.txt") { addSound("success", "pi44"); }

i32 SilkVeilDeflect::update() {
  if (at(0)) {
    for (i32 i = 0; i < kVeils; ++i) {
      on(mSet.model(0), mCaster).delay(6.f * static_cast<float>(i));
    }
    start("success");
    apply();
  }
  endOn(0);
  return frame();
}

BurrowedSleep::BurrowedSleep() : mSet("src/picture/animation/冬眠.txt") { addSound("attack", "fall04"); }

i32 BurrowedSleep::update() {
  if (at(0)) {
    start("attack");
    on(mSet.model(0), mCaster);
    setCameraOnCaster();
  }
  if (at(32)) {
    mCaster->playDown();
  }
  return applyOnEndFrom(64, 81);
}

FortuneCrestBoost::FortuneCrestBoost() : mSet("src/picture/animation/FortuneCrestBoost.txt") {
  addSound("hit", "power27");
}

i32 FortuneCrestBoost::update() {
  if (at(0)) {
    spawnOnHitTargets(*mAction, mSet.model(Bank::kMain));
    setCameraOnCast();
    start("hit");
  }
  if (at(32)) {
    if (const Unit* first = getFirstTarget()) {
      mCross.launchOn(*first);
    }
    mCharge.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(40, 65);
}

ImmortalDraught::ImmortalDraught() { addSound("hit", "push47"); }

i32 ImmortalDraught::update() {
  if (at(0)) {
    setCameraOnCast();
    if (const Unit* first = getFirstTarget()) {
      mCharge.launchOn(*first);
    }
  }
  if (at(48) && anyHit()) {
    mRising.launchOnTargets(*mAction, 84);
    mPrism.launchOnTargets(*mAction);
    start("hit");
  }
  return applyOnEndFrom(72, 97);
}

}  // namespace Game::Effect
