#pragma once

#include "Engine/Base/Types.h"

// Small numeric tools the game adds to the framework's math. Angles are
// degrees throughout.
namespace Game::MathHelper {

// a·(1 − t) + b·t
float lerp(float t, float a, float b);
// The quadratic Bézier point: lerp(t, lerp(t, p0, p1), lerp(t, p1, p2)).
float bezierScalar(float t, float p0, float p1, float p2);
// Its derivative with respect to t.
float bezierTangentScalar(float t, float p0, float p1, float p2);
// a·x / (|x| + b): with a = 1, b = 0.5 and shifted by 0.5 an S-curve 0 … 1.
float softSign(float x, float a, float b);
// value·a² / (d² + a²); value itself at d = 0.
float falloff(float a, float value, float d);

// value brought into [0, period) by whole periods. A period that is not
// positive, or a value or period that is not finite, gives value unchanged.
float wrap(float value, float period);
// 0 … 3: the quarter of the circle that the whole degrees of angle lie in.
Engine::i32 quadrant(float angle);
// (x, y) turned a quarter counter-clockwise `turns` times; negative turns
// count the other way.
void rotateQuarter(Engine::i32* outX, Engine::i32* outY, Engine::i32 x, Engine::i32 y, Engine::i32 turns);

// Characters in the decimal text of n, the minus sign included.
Engine::i32 digitCount(Engine::i32 n);
// The smallest power of two ≥ n (1 for n ≤ 1); n must not exceed 2^30.
Engine::i32 nextPowerOfTwo(Engine::i32 n);

// (x − 1)² < 0.0001
bool nearOne(float x);

}  // namespace Game::MathHelper
