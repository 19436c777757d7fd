#include "effect/bank/ParticleBase.h"

#include "core/math/MathHelper.h"
#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game::Effect::Bank {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr float kParticleFullTurn = 360.f;

}  // namespace

void tiltToward(BurstShape& shape, const Vector3& direction) {
  MathHelper::anglesFromDirection(&shape.tiltX, &shape.tiltY, direction);
}

void ParticleBase::burst(SceneNodePool& pool, float scale, const Vector3& p, const BurstShape& shape) const {
  if (shape.count <= 0) {
    return;
  }
  Model* model = mSet.model(0);
  for (i32 i = 0; i < shape.count; ++i) {
    throwOne(pool, model, scale, p, shape, i);
  }
}

void ParticleBase::throwOne(SceneNodePool& pool, Model* model, float scale, const Vector3& p,
                            const BurstShape& shape, i32 i) const {
  SceneNode* node = spawn(pool, model, p, shape.delayStep * static_cast<float>(i));
  node->scale.setValueAll(scale);
  const float pitch = shape.pitchMin + draw(shape.pitchMax - shape.pitchMin);
  const float yaw = draw(kParticleFullTurn);
  Vector3 flat;
  MathHelper::directionFromAngles(&flat, yaw, pitch);
  Vector3 d;
  MathHelper::rotateByAngles(&d, flat, shape.tiltX, shape.tiltY, 0.f);
  node->aimDirection(d);
  node->randomizeRotation(false, false, true);
  const float speed = (shape.speedMin + draw(shape.speedMax - shape.speedMin)) * scale;
  node->position.setVelocity(scaled(d, speed));
  node->position.setAcceleration(0.f, 0.f, shape.gravity * scale);
  node->position.setDampingAll(shape.damping);
  Color colour;
  colour.setHue(mHueMin + draw(mHueMax - mHueMin));
  colour.add(mColor);
  node->setColor(colour);
}

void ParticleBase::burstOnTargets(const ActionRecord& action, bool scaleByUnit, const BurstShape& shape) const {
  for (i32 i = 0; i < action.targetCount(); ++i) {
    const Unit& target = action.target(i);
    SceneNodePool* pool = poolOf(target);
    if (!pool) {
      continue;
    }
    Vector3 position;
    target.getPosition(position);
    burst(*pool, scaleByUnit ? target.getScale() : 1.f, position, shape);
  }
}

void ParticleBase::atUnit(const Unit& unit, const BurstShape& shape) const {
  if (SceneNodePool* pool = poolOf(unit)) {
    Vector3 position;
    unit.getPosition(position);
    burst(*pool, 1.f, position, shape);
  }
}

#define MARROWDEEP_PARTICLE(Class, file) \
  Class::Class() { load("src/picture/animation/bank/" file ".txt"); }

MARROWDEEP_PARTICLE(Particle, "粒子")
MARROWDEEP_PARTICLE(ParticleBlue, "粒子青")
MARROWDEEP_PARTICLE(ElectroParticle, "電気粒子")
MARROWDEEP_PARTICLE(WaterSplash, "しぶき")
MARROWDEEP_PARTICLE(Sparks, "火の粉")
MARROWDEEP_PARTICLE(Burned, "黒煙")
MARROWDEEP_PARTICLE(Blood, "血しぶき")
MARROWDEEP_PARTICLE(Cold, "冷気")
MARROWDEEP_PARTICLE(RingParticle, "粒子円")
MARROWDEEP_PARTICLE(ChargeParticle, "粒子チャージ")

#undef MARROWDEEP_PARTICLE

ParticlePrism::ParticlePrism() {
  load("src/picture/animation/bank/粒子白.txt");
  showHues();
}

Star::Star() {
  load("src/picture/animation/bank/星.txt");
  showHues();
}

}  // namespace Game::Effect::Bank
