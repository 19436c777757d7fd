#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"

namespace Game {

struct ShapeFrame;

namespace ShapeRules {

// Whether the settings ask for low detail ("omit"): segment counts halve.
bool isLowDetail();

// value truncated toward zero and clamped to [low, high]; a value that is not
// a number gives low.
Engine::i32 truncateClamped(float value, Engine::i32 low, Engine::i32 high);

// Segments of a solid of revolution: (size.x + size.y) / 16 + 6, halved for
// low detail, 6 to 128.
Engine::i32 revolutionSegments(const ShapeFrame& frame);

// 0 ("totalSide": u runs across all side faces together) or 1 (every other
// word: each side face takes the whole width).
Engine::i32 loopUFromText(const char* text);

// The step from one sample of a belt to the next: the sampler's step, or
// time / samples when that step would take more than `samples` of them (or
// is not a positive number).
float beltStep(float time, float step, Engine::i32 samples);

// v scaled to unit length, or left as it is when it has no length.
void normalizeOrKeep(Engine::Math::Vector3& v);

}  // namespace ShapeRules
}  // namespace Game
