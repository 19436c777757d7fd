#include "presentation/model/ShapeRules.h"

#include <cmath>
#include <cstring>

#include "core/config/Config.h"
#include "presentation/model/ShapeFrame.h"

namespace Game::ShapeRules {

bool isLowDetail() { return Config::instance().setting(Config::kOmit).value() != 0; }

Engine::i32 truncateClamped(float value, Engine::i32 low, Engine::i32 high) {
  if (!(value >= static_cast<float>(low))) {
    return low;
  }
  if (value >= static_cast<float>(high)) {
    return high;
  }
  return static_cast<Engine::i32>(value);
}

Engine::i32 revolutionSegments(const ShapeFrame& frame) {
  // Truncated before halving, as the count always was; the wide clamp keeps
  // the conversion defined for any size.
  Engine::i32 segments = truncateClamped((frame.size.x + frame.size.y) / 2.f / 8.f + 6.f, 0, 1 << 20);
  if (isLowDetail()) {
    segments /= 2;
  }
  return segments < 6 ? 6 : (segments > 128 ? 128 : segments);
}

Engine::i32 loopUFromText(const char* text) { return std::strcmp(text, "totalSide") == 0 ? 0 : 1; }

float beltStep(float time, float step, Engine::i32 samples) {
  // Taking more than `samples` steps is being finer than this one.
  const float finest = time / static_cast<float>(samples);
  return step > finest ? step : finest;
}

void normalizeOrKeep(Engine::Math::Vector3& v) {
  if (v.squareLength() != 0.f) {
    v.normalize();
  }
}

}  // namespace Game::ShapeRules
