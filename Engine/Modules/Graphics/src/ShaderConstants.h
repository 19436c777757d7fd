#pragma once

#include <array>

#include "Engine/Base/Types.h"
#include "Platform/GraphicsDevice.h"

namespace Engine::Graphics {

// The light and material values and the matrices, uploaded to the built-in
// programs' registers just before a draw, and only when changed.
class ShaderConstants {
 public:
  using Float3 = std::array<f32, 3>;
  using Matrix44 = std::array<f32, 16>;  // rows; multiplies column vectors
  using Matrix34 = std::array<f32, 12>;  // rows of an affine transform

  static constexpr i32 kLightCount = 4;

  ShaderConstants();

  void setProjectionView(const Matrix44& matrix);
  void setWorld(const Matrix34& matrix);
  void setLightPosition(i32 index, const Float3& position);
  void setLightColor(i32 index, const Float3& color);
  void setLightIntensity(i32 index, f32 intensity);
  void setAmbientColor(const Float3& color);
  void setDiffuseColor(const Float3& color);
  void setTransparency(f32 transparency);
  void setSpecularColor(const Float3& color);
  void setSpecularSharpness(f32 sharpness);
  void setEmissionColor(const Float3& color);
  void setEyePosition(const Float3& position);

  void markAllDirty() { mConstantsDirty = mTransformDirty = true; }
  void markConstantsDirty() { mConstantsDirty = true; }
  // Uploads what changed since the last draw.
  void upload(Platform::GraphicsDevice& device);

 private:
  void uploadConstants(Platform::GraphicsDevice& device);
  void uploadTransform(Platform::GraphicsDevice& device);
  static bool validLight(i32 index) { return index >= 0 && index < kLightCount; }

  std::array<Float3, kLightCount> mLightPositions{};
  std::array<Float3, kLightCount> mLightColors{};
  std::array<f32, kLightCount> mLightIntensities{};
  std::array<f32, 4> mEyePosition{0.0f, 0.0f, 0.0f, 1.0f};
  Float3 mDiffuse{1.0f, 1.0f, 1.0f};
  f32 mTransparency = 1.0f;
  Float3 mSpecular{1.0f, 1.0f, 1.0f};
  f32 mSharpness = 1.0f;
  Float3 mEmission{};
  Float3 mAmbient{1.0f, 1.0f, 1.0f};
  Matrix44 mProjectionView{};
  Matrix34 mWorld{};
  bool mConstantsDirty = true;
  bool mTransformDirty = true;
};

// Helpers of the transform upload, exposed for tests.
ShaderConstants::Matrix44 multiplyAffine(const ShaderConstants::Matrix44& a, const ShaderConstants::Matrix34& b);
// The rows of the inverse of the affine matrix, transposed (w 0).
std::array<f32, 12> inverseTransposed(const ShaderConstants::Matrix34& m);

}  // namespace Engine::Graphics
