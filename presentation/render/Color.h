#pragma once

#include "Engine/Base/Types.h"

namespace Game {

// The game's float colour: alpha, red, green, blue in [0, 1]. Every setter
// clamps, so a colour read from data or mixed by arithmetic stays drawable.
// Packed colours are ARGB with alpha in the top byte.
class Color {
 public:
  // Opaque white.
  Color() = default;
  Color(float alpha, float red, float green, float blue) { set(alpha, red, green, blue); }
  explicit Color(Engine::u32 argb) { setPacked(argb); }

  void set(float alpha, float red, float green, float blue);
  // Red, green and blue all `rgb`.
  void set(float alpha, float rgb) { set(alpha, rgb, rgb, rgb); }
  void setAlpha(float alpha);
  // Each byte / 255.
  void setPacked(Engine::u32 argb);
  // Each component × 255 truncated toward zero, clamped to 0..255.
  Engine::u32 toPacked() const;
  // The opaque colour of a hue in degrees: 0 red, 120 green, 240 blue.
  void setHue(float degrees);

  float alpha() const { return mAlpha; }
  float red() const { return mRed; }
  float green() const { return mGreen; }
  float blue() const { return mBlue; }
  // The mean of red, green and blue.
  float rgb() const { return (mRed + mGreen + mBlue) / 3.f; }

  // Component-wise (1 − t)·a + t·b.
  void lerp(float t, const Color& a, const Color& b);
  void max(const Color& other);
  void multiply(const Color& other);
  void add(const Color& other);
  void subtract(const Color& other);

  bool operator==(const Color&) const = default;

 private:
  float mAlpha = 1.f;
  float mRed = 1.f;
  float mGreen = 1.f;
  float mBlue = 1.f;
};

}  // namespace Game
