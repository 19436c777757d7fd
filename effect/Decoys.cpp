// The buffs that leave copies of a unit behind: the caster's dodge and the
// decoys about the first target.

#include <memory>

#include "core/math/MathHelper.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Buffs.h"
#include "effect/module/Move.h"
#include "effect/module/Transport.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

const Vector3 kBlack(0.f, 0.f, 0.f);

// A copy of the node that fades to black and is gone after the frames;
// still apart from that when asked (stopping clears the lifetime, so first).
SceneNode* fadingCopy(SceneNodePool& pool, const SceneNode& node, i32 frames, bool still) {
  SceneNode* copy = pool.clone(node);
  if (still) {
    copy->stopMotions();
  }
  copy->ambient.moveTo(static_cast<float>(frames), kBlack);
  copy->setLifetime(frames);
  return copy;
}

}  // namespace

i32 PhantomAvoid::update() {
  constexpr i32 kReturnFrame = 16;
  constexpr float kReturnHeight = 32.f;
  constexpr i32 kReturnFrames = 16;
  if (frame() == 0) {
    if (SceneNode* body = mCaster->node()) {
      fadingCopy(getScenePool(), *body, kFadeFrames, false);
      Vector3 away;
      getTargetDirection(away);
      away *= -kStep;
      body->position.translate(away);
    }
  }
  if (frame() == kReturnFrame) {
    addModule(std::make_unique<Module::Move>(*mCaster, kReturnHeight, kReturnFrames));
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

i32 Phantom::update() {
  constexpr i32 kDecoyFrame = 32;
  constexpr i32 kMotes = 64;
  if (frame() == 0) {
    setCameraOnCast();
    if (const Unit* first = getFirstTarget()) {
      mMotes.launchOn(*first, kMotes);
    }
  }
  if (frame() == kDecoyFrame) {
    launchDecoys();
    playSoundAt(0);
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

// Each decoy leaves the target from rest and comes to rest its size away,
// 60 degrees from the next.
void Phantom::launchDecoys() {
  constexpr float kTurn = 60.f;
  const Unit* first = getFirstTarget();
  SceneNode* body = first ? first->node() : nullptr;
  if (!body) {
    return;
  }
  const Vector3 centre = body->position.value();
  for (i32 k = 0; k < kDecoys; ++k) {
    SceneNode* decoy = fadingCopy(getScenePool(), *body, kDecoyFrames, true);
    Vector3 end;
    MathHelper::directionFromAngles(&end, kTurn * static_cast<float>(k), 0.f);
    end *= first->getSize();
    end += centre;
    auto transport = std::make_unique<Module::Transport>(decoy, kDecoyFrames, false);
    transport->setSpanVelocityAccel(end, 0.f, kBlack, static_cast<float>(kDecoyFrames), kBlack);
    addModule(std::move(transport));
  }
}

}  // namespace Game::Effect
