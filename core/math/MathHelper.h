#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"

// Small numeric tools the game adds to the framework's math. Angles are
// degrees throughout.
namespace Game::MathHelper {

// a·(1 − t) + b·t
float lerp(float t, float a, float b);
// The quadratic Bézier point: lerp(t, lerp(t, p0, p1), lerp(t, p1, p2)).
float bezierScalar(float t, float p0, float p1, float p2);
// Its derivative with respect to t.
float bezierTangentScalar(float t, float p0, float p1, float p2);
void lerpVector(Engine::Math::Vector3* out, float t, const Engine::Math::Vector3& a, const Engine::Math::Vector3& b);
void bezier(Engine::Math::Vector3* out, float t, const Engine::Math::Vector3& p0, const Engine::Math::Vector3& p1,
            const Engine::Math::Vector3& p2);
void bezierTangent(Engine::Math::Vector3* out, float t, const Engine::Math::Vector3& p0,
                   const Engine::Math::Vector3& p1, const Engine::Math::Vector3& p2);
// a·x / (|x| + b): with a = 1, b = 0.5 and shifted by 0.5 an S-curve 0 … 1.
float softSign(float x, float a, float b);
// value·a² / (d² + a²); value itself at d = 0.
float falloff(float a, float value, float d);
// top·x² / (knee² + x²): 0 at x = 0, rising to top; top itself when knee is 0.
float saturate(float x, float top, float knee);

// (cos pitch · cos yaw, cos pitch · sin yaw, sin pitch)
void directionFromAngles(Engine::Math::Vector3* out, float yaw, float pitch);
// yaw = atan2(x, z), pitch = −atan2(y, √(x² + z²)).
void anglesFromDirection(float* outPitch, float* outYaw, const Engine::Math::Vector3& direction);

// in turned by the rotation of a transform with rotation (x, y, z): the
// identity turned about y, then about x, then about z.
void rotateByAngles(Engine::Math::Vector3* out, const Engine::Math::Vector3& in, float x, float y, float z);

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
bool nearOneVector(const Engine::Math::Vector3& v);

// The unit normal of the plane through three points, by the right-hand rule
// over p0 → p1 → p2. False, with out left unnormalised, for points on a line.
bool planeNormal(Engine::Math::Vector3* out, const Engine::Math::Vector3& p0, const Engine::Math::Vector3& p1,
                 const Engine::Math::Vector3& p2);
// (p − a) · ((b − a) × (c − a)): positive on the side the normal points to.
float planeSide(const Engine::Math::Vector3& p, const Engine::Math::Vector3& a, const Engine::Math::Vector3& b,
                const Engine::Math::Vector3& c);

}  // namespace Game::MathHelper
