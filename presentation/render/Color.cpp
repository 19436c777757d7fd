#include "presentation/render/Color.h"

#include <algorithm>
#include <cmath>

#include "core/math/MathHelper.h"

namespace Game {
namespace {

float clampUnit(float v) {
  // NaN compares false both ways: make it 0 rather than let it through.
  if (!(v > 0.f)) return 0.f;
  return v < 1.f ? v : 1.f;
}

Engine::u32 toByte(float v) {
  const float scaled = v * 255.f;
  if (!(scaled > 0.f)) return 0;
  if (scaled >= 255.f) return 255;
  return static_cast<Engine::u32>(scaled);
}

float hueChannel(float angle, int k) {
  float d = angle - 120.f * static_cast<float>(k);
  if (d > 180.f) d -= 360.f;
  if (d <= -180.f) d += 360.f;
  return (120.f - std::fabs(d)) / 60.f;
}

}  // namespace

void Color::set(float alpha, float red, float green, float blue) {
  mAlpha = clampUnit(alpha);
  mRed = clampUnit(red);
  mGreen = clampUnit(green);
  mBlue = clampUnit(blue);
}

void Color::setAlpha(float alpha) { mAlpha = clampUnit(alpha); }

void Color::setPacked(Engine::u32 argb) {
  set(static_cast<float>((argb >> 24) & 0xFF) / 255.f, static_cast<float>((argb >> 16) & 0xFF) / 255.f,
      static_cast<float>((argb >> 8) & 0xFF) / 255.f, static_cast<float>(argb & 0xFF) / 255.f);
}

Engine::u32 Color::toPacked() const {
  return (toByte(mAlpha) << 24) | (toByte(mRed) << 16) | (toByte(mGreen) << 8) | toByte(mBlue);
}

void Color::setHue(float degrees) {
  const float angle = MathHelper::wrap(degrees, 360.f);
  set(1.f, hueChannel(angle, 0), hueChannel(angle, 1), hueChannel(angle, 2));
}

void Color::lerp(float t, const Color& a, const Color& b) {
  set(MathHelper::lerp(t, a.mAlpha, b.mAlpha), MathHelper::lerp(t, a.mRed, b.mRed),
      MathHelper::lerp(t, a.mGreen, b.mGreen), MathHelper::lerp(t, a.mBlue, b.mBlue));
}

void Color::max(const Color& other) {
  set(std::max(mAlpha, other.mAlpha), std::max(mRed, other.mRed), std::max(mGreen, other.mGreen),
      std::max(mBlue, other.mBlue));
}

void Color::multiply(const Color& other) {
  set(mAlpha * other.mAlpha, mRed * other.mRed, mGreen * other.mGreen, mBlue * other.mBlue);
}

void Color::add(const Color& other) {
  set(mAlpha + other.mAlpha, mRed + other.mRed, mGreen + other.mGreen, mBlue + other.mBlue);
}

void Color::subtract(const Color& other) {
  set(mAlpha - other.mAlpha, mRed - other.mRed, mGreen - other.mGreen, mBlue - other.mBlue);
}

}  // namespace Game
