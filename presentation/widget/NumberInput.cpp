#include "presentation/widget/NumberInput.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "core/input/KeyInput.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/ui/UiDraw.h"

namespace Game {

using Engine::i32;

namespace {

constexpr i32 kFont = 2;
constexpr i32 kInputRepeatRate = 4;
// Between the frame's top and the tip of the mark over the selected digit.
constexpr float kMarkGap = 1.f;

i32 powerOfTen(i32 exponent) {
  i32 value = 1;
  for (i32 i = 0; i < exponent; ++i) {
    value *= 10;
  }
  return value;
}

// Saturating, so that holding up at the top of the range never overflows.
i32 clampedSum(i32 a, i32 b) {
  const std::int64_t sum = static_cast<std::int64_t>(a) + b;
  return static_cast<i32>(std::clamp<std::int64_t>(sum, INT32_MIN, INT32_MAX));
}

}  // namespace

NumberInput::NumberInput(i32 value, i32 min, i32 max)
    : mValue(value), mDigits(static_cast<i32>(std::to_string(max).size())), mMax(max), mMin(min) {
  i32 w = 0;
  i32 h = 0;
  TextWriter::measureCells(&w, &h, mDigits, 1, kFont);
  mWidth = static_cast<float>(w);
  mHeight = static_cast<float>(h);
  setCentre(0.f, 0.f);
  aimCursor();
}

void NumberInput::setCentre(float x, float y) {
  mLeft = x - mWidth / 2.f;
  mTop = y + mHeight / 2.f;
}

void NumberInput::aimCursor() {
  const float cell = mWidth / static_cast<float>(mDigits);
  const i32 k = mDigits - mDigit - 1;
  mCursor.setTarget(mLeft + static_cast<float>(k) * cell + cell / 2.f, mTop - mHeight / 2.f);
}

i32 NumberInput::update() {
  mCursor.step();
  if (KeyInput::isRepeated(KeyInput::kUp, kInputRepeatRate)) {
    mValue = clampedSum(mValue, powerOfTen(mDigit));
  }
  if (KeyInput::isRepeated(KeyInput::kDown, kInputRepeatRate)) {
    mValue = clampedSum(mValue, -powerOfTen(mDigit));
  }
  mValue = std::max(std::min(mValue, mMax), mMin);
  if (KeyInput::isRepeated(KeyInput::kRight, kInputRepeatRate)) {
    --mDigit;
  }
  if (KeyInput::isRepeated(KeyInput::kLeft, kInputRepeatRate)) {
    ++mDigit;
  }
  mDigit = std::clamp(mDigit, 0, mDigits - 1);
  aimCursor();
  if (KeyInput::isTriggered(5)) {
    return 1;
  }
  return KeyInput::isTriggered(6) ? 2 : 0;
}

void NumberInput::draw() {
  UiDraw::flushAndDrawFrame(mLeft, mTop, mWidth, mHeight, 0xFFFFFFFF, false);
  if (SceneRenderer* renderer = SceneRenderer::instance()) {
    TextWriter& writer = renderer->textWriter();
    writer.setColor(0xFFC0C0C0);
    writer.setFont(kFont);
    writer.setPosition(static_cast<i32>(mLeft), static_cast<i32>(mTop));
    writer.printNumber(mValue, mDigits, true);
  }
  // The arrow beside a digit would cover the digit before it and the
  // frame's border: it points down at the digit from over the box instead.
  UiDraw::drawCursorMarkDown(mCursor.x(), mTop + UiDraw::kFrameOutset + kMarkGap);
}

}  // namespace Game
