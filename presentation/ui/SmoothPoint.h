#pragma once

namespace Game {

// A point that takes its first target at once and then closes half the
// remaining distance each step: what menu cursors glide on.
class SmoothPoint {
 public:
  // The next target is taken at once.
  void reset() { mJump = true; }
  void setTarget(float x, float y);
  void step();

  float x() const { return mX; }
  float y() const { return mY; }
  float targetX() const { return mTargetX; }
  float targetY() const { return mTargetY; }

 private:
  void jumpToTarget();

  float mX = 0.f;
  float mY = 0.f;
  float mTargetX = 0.f;
  float mTargetY = 0.f;
  bool mJump = true;
};

}  // namespace Game
