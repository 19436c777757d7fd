#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "presentation/motion/Tween.h"

namespace Game {

// The scene camera: an eye orbiting an anchor point at a heading, pitch and
// distance, all eased by tweens, looking at the anchor or, while something
// asks for it every frame, gliding over to a followed point. A shake offsets
// the look-at point and dies away. eye, target and up are in matrix units
// (world units / 400); the setters take world units and degrees.
class Camera {
 public:
  Camera();

  // Every tween placed at once on its default: eye over (500, 500, 0) looking
  // at the origin, zoom 1, heading 0, pitch 30, no roll, no shake, no follow.
  void reset();

  void setZoom(float v) { zoom.setTarget(v * kZoomScale); }
  void setRoll(float degrees) { roll.setTarget(degrees); }
  // The eye stands at degrees - 90 about the anchor: 0 looks along +y, 90
  // along -x.
  void setHeading(float degrees) { heading.setTarget(degrees - kHeadingOffset); }
  void setPitch(float degrees) { pitch.setTarget(degrees); }
  // The eye stands 600 x v world units from the anchor.
  void setDistance(float v) { inverseDistance.setTarget(kDistanceScale / v); }
  // The look-at point swings by z world units up and down.
  void setShake(float z) { shake.set(0.f, 0.f, z); }
  // Looks toward a world point for this frame; called every frame the view
  // eases over to it, and back to the anchor once the calls stop.
  void lookAt(const Engine::Math::Vector3& worldPoint);

  // One logic step. frameCounter decides the shake's swing (every third).
  void step(Engine::i32 frameCounter);

  // The eye's distance from the anchor in world units.
  float distance() const;
  const Engine::Math::Vector3& eye() const { return mEye; }
  const Engine::Math::Vector3& target() const { return mTarget; }
  const Engine::Math::Vector3& up() const { return mUp; }
  const Engine::Math::Vector3& shakeOffset() const { return shake; }
  float followWeight() const { return mFollowWeight; }

  static constexpr float kZoomScale = 1.3f;
  static constexpr float kHeadingOffset = 90.f;
  static constexpr float kDistanceScale = 50.f;
  static constexpr float kInverseDistanceScale = 30000.f;

  Engine::Math::Vector3 shake;  // world units
  Tween3 followTarget;
  Tween zoom;
  Tween roll;
  Tween heading;
  Tween pitch;
  // The distance is 30000 / this value.
  Tween inverseDistance;
  // The point the eye orbits; the scenes move it by its target.
  Tween3 anchor;

 private:
  void placeEye();
  void updateFollowWeight();
  void placeTarget(Engine::i32 frameCounter);
  void placeUp();

  Engine::Math::Vector3 mUp;
  Engine::Math::Vector3 mTarget;
  Engine::Math::Vector3 mEye;
  bool mFollowRequested = false;
  float mFollowWeight = 0.f;
};

}  // namespace Game
