#pragma once

#include <array>
#include <cstdint>

#include "GlFunctions.h"
#include "Platform/GraphicsDevice.h"

namespace Platform::Sdl {

// The three built-in programs. Their constants are four-float registers:
// vertex registers in the array vc, pixel registers in pc, numbered as the
// programs' register tables number them.
class GlPrograms {
 public:
  static constexpr std::uint32_t kVertexRegisters = 19;
  static constexpr std::uint32_t kPixelRegisters = 11;

  bool build();
  void release();

  // Makes the program current and brings its uniforms up to date.
  void use(ShaderProgram program, const float* vertexConstants, const float* pixelConstants,
           std::uint64_t constantsVersion, float pixelOffsetX, float pixelOffsetY, float alphaReference);

 private:
  struct Program {
    GLuint name = 0;
    GLint vertexConstants = -1;
    GLint pixelConstants = -1;
    GLint pixelOffset = -1;
    GLint alphaReference = -1;
    std::uint64_t uploadedVersion = ~std::uint64_t{0};
    float pixelOffsetX = 0.0f;
    float pixelOffsetY = 0.0f;
    float alphaReferenceValue = -1.0f;
  };

  static bool link(Program& program, const char* vertexSource, const char* fragmentSource);

  std::array<Program, 3> mPrograms{};
  GLuint mCurrent = 0;
};

}  // namespace Platform::Sdl
