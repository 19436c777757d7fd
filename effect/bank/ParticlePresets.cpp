// The particle bursts effects use by name: splashes, sprays, jets, twinkles,
// gathering and ring bursts, and the chill, blood and smoke on targets.

#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/bank/ParticleBase.h"

namespace Game::Effect::Bank {

using Engine::Math::Vector3;

namespace {

// Ten fields: count, speed max, speed min, gravity, damping, tilt x, tilt y,
// pitch min, pitch max, delay step.
constexpr BurstShape kGather{64, 0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 90.f, 90.f, 0.2f};
constexpr float kRandomJetYawRange = 360.f;
constexpr float kRandomJetPitchRange = 180.f;

BurstShape tilted(BurstShape shape, const Vector3& from, const Vector3& to) {
  Vector3 direction = to;
  direction -= from;
  tiltToward(shape, direction);
  return shape;
}

}  // namespace

const BurstShape ParticleBase::kSplash{64, 6.f, 6.f, -0.3f, 1.f, 0.f, 0.f, 90.f, 0.f, 0.f};
const BurstShape ParticleBase::kSpray{64, 16.f, 16.f, 0.f, 0.9f, 0.f, 0.f, 90.f, -90.f, 0.f};
const BurstShape ParticleBase::kJet{32, 16.f, 16.f, 0.f, 0.9f, 0.f, 0.f, 0.f, 0.f, 0.f};
const BurstShape ParticleBase::kTwinkle{8, 8.f, 8.f, 0.f, 0.9f, 0.f, 0.f, 90.f, -90.f, 0.f};
const BurstShape ParticleBase::kRing{32, 0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 90.f, 90.f, 0.f};
const BurstShape ParticleBase::kChill{16, 4.f, 2.f, 0.f, 1.f, 0.f, 0.f, 0.f, -90.f, 0.f};
const BurstShape ParticleBase::kSplatter{16, 2.f, 1.f, 0.f, 0.99f, 0.f, 0.f, 90.f, 0.f, 0.f};

void ParticleBase::splash(SceneNodePool& pool, const Vector3& p) const { burst(pool, 1.f, p, kSplash); }
void ParticleBase::splashAt(const Unit& unit) const { atUnit(unit, kSplash); }
void ParticleBase::splashOnTargets(const ActionRecord& action) const { burstOnTargets(action, false, kSplash); }

void ParticleBase::spray(SceneNodePool& pool, const Vector3& p) const { burst(pool, 1.f, p, kSpray); }
void ParticleBase::sprayAt(const Unit& unit) const { atUnit(unit, kSpray); }
void ParticleBase::sprayOnTargets(const ActionRecord& action) const { burstOnTargets(action, false, kSpray); }

void ParticleBase::jet(SceneNodePool& pool, const Vector3& from, const Vector3& to, float pitchMin,
                       float pitchMax) const {
  BurstShape shape = tilted(kJet, from, to);
  shape.pitchMin = pitchMin;
  shape.pitchMax = pitchMax;
  burst(pool, 1.f, from, shape);
}

void ParticleBase::randomJet(SceneNodePool& pool, const Vector3& p) const {
  Vector3 direction;
  random().getCenteredDirection(&direction, kRandomJetYawRange, kRandomJetPitchRange);
  BurstShape shape = kJet;
  tiltToward(shape, direction);
  burst(pool, 1.f, p, shape);
}

void ParticleBase::twinkle(SceneNodePool& pool, const Vector3& p) const { burst(pool, 1.f, p, kTwinkle); }
void ParticleBase::twinkleAt(const Unit& unit) const { atUnit(unit, kTwinkle); }
void ParticleBase::twinkleOnTargets(const ActionRecord& action) const { burstOnTargets(action, false, kTwinkle); }

void ParticleBase::gather(SceneNodePool& pool, const Vector3& from, const Vector3& to, float spread) const {
  BurstShape shape = tilted(kGather, from, to);
  shape.pitchMax = kGather.pitchMin - spread;
  burst(pool, 1.f, from, shape);
}

void ParticleBase::ring(SceneNodePool& pool, const Vector3& from, const Vector3& to) const {
  burst(pool, 1.f, from, tilted(kRing, from, to));
}

void ParticleBase::flatRing(SceneNodePool& pool, const Vector3& from, const Vector3& to) const {
  const Vector3 level(to.x, to.y, from.z);
  ring(pool, from, level);
}

void ParticleBase::chillTargets(const ActionRecord& action) const { burstOnTargets(action, true, kChill); }
void ParticleBase::splatterTargets(const ActionRecord& action) const { burstOnTargets(action, false, kSplatter); }
void ParticleBase::smokeTargets(const ActionRecord& action) const { burstOnTargets(action, false, kSplatter); }

}  // namespace Game::Effect::Bank
