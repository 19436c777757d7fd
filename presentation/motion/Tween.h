#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"

namespace Game {

// A float that glides to a new target over a fixed number of frames: it
// leaves with its present value and velocity and arrives at rest, so a
// target changed in mid-flight bends the motion instead of restarting it.
// The motion since the last change is the cubic
//   value(e) = c0 + c1·e + c2·e²/2 + c3·e³/6  (e = frames elapsed).
class Tween {
 public:
  // The initialiser: the next target is taken without motion.
  void setDuration(float frames);
  // The next target is taken without motion again.
  void reset() { mSnap = true; }
  // A target equal to the present one changes nothing (but a pending snap
  // still places the value on it). A duration that is not positive places
  // the value at once.
  void setTarget(float v);
  // One logic frame; stops at the first whole frame at or past the duration.
  void step();
  // Stands the value on the target from now on.
  void finish();

  float value() const;
  float velocity() const;
  float target() const { return mTarget; }
  float duration() const { return mDuration; }
  Engine::i32 elapsed() const { return mElapsed; }
  bool isMoving() const { return static_cast<float>(mElapsed) < mDuration; }

 private:
  float mTarget = 0.f;
  bool mSnap = true;
  float mC0 = 0.f;
  float mC1 = 0.f;
  float mC2 = 0.f;
  float mC3 = 0.f;
  Engine::i32 mElapsed = 0;
  float mDuration = 0.f;
};

// Three tweens (x, y, z) moving one vector.
class Vec3Tween {
 public:
  void setDuration(float frames);
  void reset();
  void step();
  void finish();
  void setTarget(float x, float y, float z);
  void setTarget(const Engine::Math::Vector3& v) { setTarget(v.x, v.y, v.z); }
  Engine::Math::Vector3 value() const;
  Engine::Math::Vector3 velocity() const;
  Engine::Math::Vector3 target() const;

  Tween x;
  Tween y;
  Tween z;
};

using Tween3 = Vec3Tween;

}  // namespace Game
