#pragma once

#include "Engine/Math/Vector3.h"
#include "effect/Module.h"
#include "effect/module/TrackedNode.h"
#include "presentation/motion/Vec3Curve.h"

namespace Game {

class Model;

namespace Effect::Module {

// A node carried along a path for F + 1 updates, from where it stands when
// the path is set up: turned along the path with the aim flag, stretched
// along its z axis by its speed with the stretch flag, leaving a node of
// the trail model half a frame behind it on every update but the first.
class Transport : public Module {
 public:
  Transport(SceneNode* node, Engine::i32 frames, bool aim);

  // The path ends at end after F frames; the rest is what the motion-curve
  // builder of the same name fits. Degree 2:
  void setSpanValue(const Engine::Math::Vector3& end, float t1, const Engine::Math::Vector3& value1);
  void setSpanVelocity(const Engine::Math::Vector3& end, float t1, const Engine::Math::Vector3& velocity1);
  // Degree 3:
  void setSpan(const Engine::Math::Vector3& end, float t1, const Engine::Math::Vector3& value1, float t2,
               const Engine::Math::Vector3& velocity2);
  void setSpanValueValue(const Engine::Math::Vector3& end, float t1, const Engine::Math::Vector3& value1, float t2,
                         const Engine::Math::Vector3& value2);
  void setSpanVelocityVelocity(const Engine::Math::Vector3& end, float t1, const Engine::Math::Vector3& velocity1,
                               float t2, const Engine::Math::Vector3& velocity2);
  void setSpanVelocityAccel(const Engine::Math::Vector3& end, float t1, const Engine::Math::Vector3& velocity1,
                            float t2, const Engine::Math::Vector3& accel2);

  Engine::i32 update() override;

  const Vec3Curve& path() const { return mPath; }

  bool mStretch = false;
  Model* mTrail = nullptr;

 private:
  // Where the node stands in the world now, the path's start.
  Engine::Math::Vector3 start() const;
  void leaveTrail(const SceneNode& node, float t) const;

  TrackedNode mNode;
  Engine::i32 mFrames;
  Engine::i32 mCounter = 0;
  bool mAim;
  Vec3Curve mPath;
};

}  // namespace Effect::Module
}  // namespace Game
