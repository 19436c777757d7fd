#pragma once

#include "Engine/Base/Types.h"
#include "presentation/ui/SmoothPoint.h"

namespace Game {

// Digit-wise entry of a number between min and max: up and down change the
// selected digit's place, right and left pick the digit.
class NumberInput {
 public:
  NumberInput(Engine::i32 value, Engine::i32 min, Engine::i32 max);

  void setCentre(float x, float y);
  // Once per frame: 0 nothing, 1 confirmed, 2 cancelled.
  Engine::i32 update();
  void draw();

  Engine::i32 value() const { return mValue; }
  Engine::i32 digits() const { return mDigits; }
  // 0 is the ones.
  Engine::i32 digit() const { return mDigit; }
  const SmoothPoint& cursor() const { return mCursor; }

 private:
  void aimCursor();

  Engine::i32 mValue;
  Engine::i32 mDigits;
  Engine::i32 mMax;
  Engine::i32 mMin;
  Engine::i32 mDigit = 0;
  SmoothPoint mCursor;
  float mWidth = 0.f;
  float mHeight = 0.f;
  float mLeft = 0.f;
  float mTop = 0.f;
};

}  // namespace Game
