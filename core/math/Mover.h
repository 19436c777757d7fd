#pragma once

namespace Game {

// A float that moves by velocity, acceleration and damping: every motion
// track of a scene node is made of these. Its value is the offset.
class Mover {
 public:
  void reset();
  // Velocity and acceleration 0; the value stays.
  void stop();

  float value() const { return mOffset; }
  void setValue(float v) { mOffset = v; }
  void translate(float d) { mOffset += d; }
  void setVelocity(float v) { mVelocity = v; }
  void setAcceleration(float a) { mAcceleration = a; }
  void setDamping(float d) { mDamping = d; }
  float velocity() const { return mVelocity; }
  float acceleration() const { return mAcceleration; }
  float damping() const { return mDamping; }

  // One frame: offset += velocity, velocity += acceleration, velocity ×= damping.
  void step();
  // Sets the acceleration that reaches target after `time` steps from the
  // present value and velocity (counting continuously).
  void accelerateTo(float time, float target);
  // Sets the velocity that reaches target after `time` steps with the
  // present acceleration.
  void moveTo(float time, float target);

 private:
  float mOffset = 0.f;
  float mVelocity = 0.f;
  float mAcceleration = 0.f;
  float mDamping = 1.f;
};

}  // namespace Game
