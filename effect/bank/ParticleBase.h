#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "effect/bank/Piece.h"
#include "presentation/render/Color.h"

namespace Game {

class SceneNodePool;
class Unit;

namespace Effect {

class ActionRecord;

namespace Bank {

// How a burst throws its particles: pitch drawn in [pitchMin, pitchMax)
// (downward from pitchMin when the range is negative), yaw in [0, 360); that
// direction turned by (tiltX, tiltY, 0); speed in [speedMin, speedMax).
struct BurstShape {
  Engine::i32 count = 0;
  float speedMax = 0.f;
  float speedMin = 0.f;
  float gravity = 0.f;
  float damping = 1.f;
  float tiltX = 0.f;
  float tiltY = 0.f;
  float pitchMin = 0.f;
  float pitchMax = 0.f;
  float delayStep = 0.f;
};

// The tilt that turns a burst's +z onto the direction.
void tiltToward(BurstShape& shape, const Engine::Math::Vector3& direction);

// Particles of model 0 thrown out from a point, each coloured by a hue drawn
// in [hue minimum, hue maximum) plus the piece's colour: white by default.
class ParticleBase {
 public:
  ParticleBase() = default;
  virtual ~ParticleBase() = default;

  // count particles at p; speeds and gravity times scale, delays step·i.
  void burst(SceneNodePool& pool, float scale, const Engine::Math::Vector3& p, const BurstShape& shape) const;
  // The burst at every target, scaled by the target when asked.
  void burstOnTargets(const ActionRecord& action, bool scaleByUnit, const BurstShape& shape) const;

  // Presets.
  void splash(SceneNodePool& pool, const Engine::Math::Vector3& p) const;
  void splashAt(const Unit& unit) const;
  void splashOnTargets(const ActionRecord& action) const;
  void spray(SceneNodePool& pool, const Engine::Math::Vector3& p) const;
  void sprayAt(const Unit& unit) const;
  void sprayOnTargets(const ActionRecord& action) const;
  void jet(SceneNodePool& pool, const Engine::Math::Vector3& from, const Engine::Math::Vector3& to, float pitchMin,
           float pitchMax) const;
  void randomJet(SceneNodePool& pool, const Engine::Math::Vector3& p) const;
  void twinkle(SceneNodePool& pool, const Engine::Math::Vector3& p) const;
  void twinkleAt(const Unit& unit) const;
  void twinkleOnTargets(const ActionRecord& action) const;
  void gather(SceneNodePool& pool, const Engine::Math::Vector3& from, const Engine::Math::Vector3& to,
              float spread) const;
  void ring(SceneNodePool& pool, const Engine::Math::Vector3& from, const Engine::Math::Vector3& to) const;
  // The ring with to brought to from's height.
  void flatRing(SceneNodePool& pool, const Engine::Math::Vector3& from, const Engine::Math::Vector3& to) const;
  void chillTargets(const ActionRecord& action) const;
  void splatterTargets(const ActionRecord& action) const;
  void smokeTargets(const ActionRecord& action) const;

  // Every particle from now on in the one pure hue.
  void setSingleHue(float degrees) {
    showHues();
    mHueMin = degrees;
    mHueMax = degrees;
  }

  static const BurstShape kSplash;
  static const BurstShape kSpray;
  static const BurstShape kJet;
  static const BurstShape kTwinkle;
  static const BurstShape kRing;
  static const BurstShape kChill;
  static const BurstShape kSplatter;

 protected:
  void load(const char* path) { mSet.load(path); }
  // Pure hues: red alone added, so the hue shows through.
  void showHues() { mColor.set(1.f, 0.f, 0.f, 0.f); }

 private:
  void throwOne(SceneNodePool& pool, Model* model, float scale, const Engine::Math::Vector3& p,
                const BurstShape& shape, Engine::i32 i) const;
  void atUnit(const Unit& unit, const BurstShape& shape) const;

  float mHueMin = 0.f;
  float mHueMax = 360.f;
  Color mColor;
  PieceSet mSet;
};

class Particle final : public ParticleBase {
 public:
  Particle();
};
class ParticleBlue final : public ParticleBase {
 public:
  ParticleBlue();
};
class ParticlePrism final : public ParticleBase {
 public:
  ParticlePrism();
};
class ElectroParticle final : public ParticleBase {
 public:
  ElectroParticle();
};
class WaterSplash final : public ParticleBase {
 public:
  WaterSplash();
};
class Sparks final : public ParticleBase {
 public:
  Sparks();
};
class Burned final : public ParticleBase {
 public:
  Burned();
};
class Blood final : public ParticleBase {
 public:
  Blood();
};
class Cold final : public ParticleBase {
 public:
  Cold();
};
class RingParticle final : public ParticleBase {
 public:
  RingParticle();
};
class ChargeParticle final : public ParticleBase {
 public:
  ChargeParticle();
};
class Star final : public ParticleBase {
 public:
  Star();
};

}  // namespace Bank
}  // namespace Effect
}  // namespace Game
