#include "core/math/Mover3.h"

namespace Game {

using Engine::Math::Vector3;

void Mover3::reset() {
  x.reset();
  y.reset();
  z.reset();
}

void Mover3::stop() {
  x.stop();
  y.stop();
  z.stop();
}

void Mover3::step() {
  x.step();
  y.step();
  z.step();
}

void Mover3::setValue(float vx, float vy, float vz) {
  x.setValue(vx);
  y.setValue(vy);
  z.setValue(vz);
}

void Mover3::translate(const Vector3& d) {
  x.translate(d.x);
  y.translate(d.y);
  z.translate(d.z);
}

void Mover3::setVelocity(float vx, float vy, float vz) {
  x.setVelocity(vx);
  y.setVelocity(vy);
  z.setVelocity(vz);
}

void Mover3::setAcceleration(float ax, float ay, float az) {
  x.setAcceleration(ax);
  y.setAcceleration(ay);
  z.setAcceleration(az);
}

void Mover3::setDampingAll(float d) {
  x.setDamping(d);
  y.setDamping(d);
  z.setDamping(d);
}

void Mover3::moveTo(float time, const Vector3& target) {
  x.moveTo(time, target.x);
  y.moveTo(time, target.y);
  z.moveTo(time, target.z);
}

void Mover3::accelerateTo(float time, const Vector3& target) {
  x.accelerateTo(time, target.x);
  y.accelerateTo(time, target.y);
  z.accelerateTo(time, target.z);
}

}  // namespace Game
