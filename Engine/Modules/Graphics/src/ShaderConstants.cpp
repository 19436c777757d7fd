#include "Graphics/src/ShaderConstants.h"

#include <cmath>

namespace Engine::Graphics {

namespace {

constexpr f32 kInverseTwoPi = 0.15915494f;

using Register = std::array<f32, 4>;

Register perLight(const std::array<ShaderConstants::Float3, ShaderConstants::kLightCount>& values, int axis) {
  return {values[0][axis], values[1][axis], values[2][axis], values[3][axis]};
}

}  // namespace

ShaderConstants::ShaderConstants() {
  for (int i = 0; i < 4; ++i) {
    mProjectionView[i * 5] = 1.0f;
  }
  mWorld[0] = mWorld[5] = mWorld[10] = 1.0f;
}

void ShaderConstants::setProjectionView(const Matrix44& matrix) {
  if (matrix != mProjectionView) {
    mProjectionView = matrix;
    mTransformDirty = true;
  }
}

void ShaderConstants::setWorld(const Matrix34& matrix) {
  if (matrix != mWorld) {
    mWorld = matrix;
    mTransformDirty = true;
  }
}

void ShaderConstants::setLightPosition(i32 index, const Float3& position) {
  if (validLight(index)) {
    mLightPositions[static_cast<std::size_t>(index)] = position;
  }
  mConstantsDirty = true;
}

void ShaderConstants::setLightColor(i32 index, const Float3& color) {
  if (validLight(index)) {
    mLightColors[static_cast<std::size_t>(index)] = color;
  }
  mConstantsDirty = true;
}

void ShaderConstants::setLightIntensity(i32 index, f32 intensity) {
  if (validLight(index)) {
    mLightIntensities[static_cast<std::size_t>(index)] = intensity;
  }
  mConstantsDirty = true;
}

void ShaderConstants::setAmbientColor(const Float3& color) {
  mAmbient = color;
  mConstantsDirty = true;
}

void ShaderConstants::setDiffuseColor(const Float3& color) {
  mDiffuse = color;
  mConstantsDirty = true;
}

void ShaderConstants::setTransparency(f32 transparency) {
  mTransparency = transparency;
  mConstantsDirty = true;
}

void ShaderConstants::setSpecularColor(const Float3& color) {
  mSpecular = color;
  mConstantsDirty = true;
}

void ShaderConstants::setSpecularSharpness(f32 sharpness) {
  mSharpness = sharpness;
  mConstantsDirty = true;
}

void ShaderConstants::setEmissionColor(const Float3& color) {
  mEmission = color;
  mConstantsDirty = true;
}

void ShaderConstants::setEyePosition(const Float3& position) {
  mEyePosition = {position[0], position[1], position[2], 1.0f};
  mConstantsDirty = true;
}

void ShaderConstants::upload(Platform::GraphicsDevice& device) {
  if (mConstantsDirty) {
    uploadConstants(device);
    mConstantsDirty = false;
  }
  if (mTransformDirty) {
    uploadTransform(device);
    mTransformDirty = false;
  }
}

void ShaderConstants::uploadConstants(Platform::GraphicsDevice& device) {
  std::array<Register, kLightCount> lightColors;
  for (std::size_t i = 0; i < kLightCount; ++i) {
    const f32 intensity = mLightIntensities[i];
    lightColors[i] = {mLightColors[i][0] * intensity, mLightColors[i][1] * intensity, mLightColors[i][2] * intensity,
                      0.0f};
  }
  const Register diffuse = {mDiffuse[0], mDiffuse[1], mDiffuse[2], mTransparency};
  device.setVertexConstants(10, diffuse.data(), 1);

  const Register ambient = {mAmbient[0], mAmbient[1], mAmbient[2], 0.0f};
  const f32 specularScale = (mSharpness + 2.0f) * kInverseTwoPi;
  std::array<Register, 11> pixel = {
      ambient,
      perLight(mLightPositions, 0),
      perLight(mLightPositions, 1),
      perLight(mLightPositions, 2),
      mEyePosition,
      {mSpecular[0] * specularScale, mSpecular[1] * specularScale, mSpecular[2] * specularScale, mSharpness},
      lightColors[0],
      lightColors[1],
      lightColors[2],
      lightColors[3],
      {mEmission[0], mEmission[1], mEmission[2], 0.0f},
  };
  device.setPixelConstants(0, pixel[0].data(), static_cast<u32>(pixel.size()));

  std::array<Register, 8> vertex = {
      ambient,        perLight(mLightPositions, 0), perLight(mLightPositions, 1), perLight(mLightPositions, 2),
      lightColors[0], lightColors[1],               lightColors[2],               lightColors[3],
  };
  device.setVertexConstants(11, vertex[0].data(), static_cast<u32>(vertex.size()));
}

void ShaderConstants::uploadTransform(Platform::GraphicsDevice& device) {
  const Matrix44 transform = multiplyAffine(mProjectionView, mWorld);
  device.setVertexConstants(0, transform.data(), 4);
  device.setVertexConstants(4, mWorld.data(), 3);
  const std::array<f32, 12> normalMatrix = inverseTransposed(mWorld);
  device.setVertexConstants(7, normalMatrix.data(), 3);
}

ShaderConstants::Matrix44 multiplyAffine(const ShaderConstants::Matrix44& a, const ShaderConstants::Matrix34& b) {
  ShaderConstants::Matrix44 result{};
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      f32 sum = column == 3 ? a[row * 4 + 3] : 0.0f;  // b's last row is (0, 0, 0, 1)
      for (int k = 0; k < 3; ++k) {
        sum += a[row * 4 + k] * b[k * 4 + column];
      }
      result[row * 4 + column] = sum;
    }
  }
  return result;
}

std::array<f32, 12> inverseTransposed(const ShaderConstants::Matrix34& m) {
  const auto at = [&m](int row, int column) { return m[row * 4 + column]; };
  // Cofactors of the 3x3 part: the inverse's transpose is cofactors / determinant.
  f32 cofactor[3][3];
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      const int r1 = (row + 1) % 3;
      const int r2 = (row + 2) % 3;
      const int c1 = (column + 1) % 3;
      const int c2 = (column + 2) % 3;
      cofactor[row][column] = at(r1, c1) * at(r2, c2) - at(r1, c2) * at(r2, c1);
    }
  }
  const f32 determinant = at(0, 0) * cofactor[0][0] + at(0, 1) * cofactor[0][1] + at(0, 2) * cofactor[0][2];
  const f32 inverse = determinant != 0.0f ? 1.0f / determinant : 0.0f;
  std::array<f32, 12> result{};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      result[row * 4 + column] = cofactor[row][column] * inverse;
    }
  }
  return result;
}

}  // namespace Engine::Graphics
