#pragma once

#include "Engine/Math/Vector3.h"
#include "core/math/Mover.h"

namespace Game {

// Three Movers (x, y, z); every operation applies per component.
class Mover3 {
 public:
  void reset();
  void stop();
  void step();

  Engine::Math::Vector3 value() const { return Engine::Math::Vector3(x.value(), y.value(), z.value()); }
  void setValue(float vx, float vy, float vz);
  void setValue(const Engine::Math::Vector3& v) { setValue(v.x, v.y, v.z); }
  void setValueAll(float v) { setValue(v, v, v); }
  void translate(const Engine::Math::Vector3& d);
  void setVelocity(float vx, float vy, float vz);
  void setVelocity(const Engine::Math::Vector3& v) { setVelocity(v.x, v.y, v.z); }
  void setVelocityAll(float v) { setVelocity(v, v, v); }
  void setAcceleration(float ax, float ay, float az);
  void setAcceleration(const Engine::Math::Vector3& a) { setAcceleration(a.x, a.y, a.z); }
  void setAccelerationAll(float a) { setAcceleration(a, a, a); }
  void setDampingAll(float d);
  void moveTo(float time, const Engine::Math::Vector3& target);
  void accelerateTo(float time, const Engine::Math::Vector3& target);

  Mover x;
  Mover y;
  Mover z;
};

}  // namespace Game
