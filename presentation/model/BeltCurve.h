#pragma once

#include <vector>

#include "Engine/Math/Vector3.h"

namespace Game {

class NmlNode;

// The curves a belt is swept along: a constant, or keys of "value" and
// "delay" joined by straight lines and looping over their length. This is as
// much of the motion-track curves as belts need until those are in place;
// keys' velocities, accelerations, degrees and "point" constraints are not
// solved here.
class BeltCurve {
 public:
  // A node without children is the constant of its "value"; otherwise its
  // unnamed children are the keys, and "offset" shifts time.
  void load(const NmlNode& node);
  void setConstant(float value) { mConstant = value; }
  void scale(float factor);

  float valueAt(float time) const;
  float velocityAt(float time) const;
  float accelAt(float) const { return 0.f; }

 private:
  // The segment holding the time, and the time within the loop.
  bool locate(float time, std::size_t& segment, float& local) const;

  std::vector<float> mKeyTimes;
  std::vector<float> mKeyValues;
  float mConstant = 0.f;
  float mOffset = 0.f;
};

// Three belt curves animating one vector.
class BeltVec3Curve {
 public:
  // "all" loads x, y and z; then "x", "y", "z" override.
  void load(const NmlNode& node);
  void setConstant(const Engine::Math::Vector3& value);
  void scale(float factor);

  Engine::Math::Vector3 valueAt(float time) const;
  Engine::Math::Vector3 velocityAt(float time) const;
  Engine::Math::Vector3 accelAt(float time) const;

 private:
  BeltCurve mX;
  BeltCurve mY;
  BeltCurve mZ;
};

}  // namespace Game
