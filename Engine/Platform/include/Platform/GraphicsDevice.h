#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace Platform {

struct DisplayMode {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t refreshRate = 0;
};

// What the back buffer is made of; kept by the caller for resets.
struct PresentParameters {
  std::uint32_t backBufferWidth = 0;
  std::uint32_t backBufferHeight = 0;
  bool fullScreen = false;
  bool vSync = true;
  std::uint32_t multisampleSamples = 0;  // 0: none
};

struct GraphicsCaps {
  bool pixelShader20 = true;
  bool anisotropicFilter = false;
  std::uint32_t maxAnisotropy = 1;
  std::uint32_t maxMultisampleSamples = 0;
  std::uint32_t maxTextureSize = 0;
};

// Top-left origin, in back-buffer pixels.
struct Viewport {
  std::uint32_t x = 0;
  std::uint32_t y = 0;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  float minZ = 0.0f;
  float maxZ = 1.0f;
};

// A vertex or index buffer. The device keeps a copy in main memory: lock
// hands out the copy, unlock uploads it.
class GraphicsBuffer {
 public:
  virtual ~GraphicsBuffer() = default;
  virtual std::uint32_t size() const = 0;
  virtual void* lock() = 0;
  virtual void unlock() = 0;
};

// A 32-bit texture, pixels in memory order B, G, R, A, level 0 the largest.
class GraphicsTexture {
 public:
  virtual ~GraphicsTexture() = default;
  virtual std::uint32_t width() const = 0;
  virtual std::uint32_t height() const = 0;
  virtual std::uint32_t levels() const = 0;
  // The whole level; pitch is the row distance in bytes.
  virtual void* lock(std::uint32_t level, std::uint32_t& pitch) = 0;
  virtual void unlock(std::uint32_t level) = 0;
  // Like unlock when only these rows of the level were written.
  virtual void unlockRows(std::uint32_t level, std::uint32_t /*firstRow*/, std::uint32_t /*rowCount*/) {
    unlock(level);
  }
};

enum class RenderState {
  DepthTest,         // 0 or 1; the test passes on less or equal
  DepthWrite,        // 0 or 1
  CullMode,          // CullMode
  AlphaBlendEnable,  // 0 or 1
  SourceBlend,       // BlendFactor
  DestinationBlend,  // BlendFactor
  AlphaTestEnable,   // 0 or 1; keeps fragments whose alpha >= the reference
  AlphaReference,    // 0..255
};

enum class SamplerState {
  MinFilter,  // TextureFilter
  MagFilter,
  MipFilter,
  MaxAnisotropy,
};

// Which on-screen winding is culled (the back buffer seen with y down).
enum class CullMode : std::uint32_t { None, Clockwise, CounterClockwise };

enum class BlendFactor : std::uint32_t {
  Zero,
  One,
  SourceAlpha,
  InverseSourceAlpha,
  DestinationColor,
  InverseDestinationColor,
};

enum class TextureFilter : std::uint32_t { None, Point, Linear, Anisotropic };

enum class ShaderProgram { Unlit, VertexLit, PixelLit };

enum class PrimitiveType { TriangleList, LineList, PointList };

// The one graphics device on the program's window, shaped like the device the
// framework was designed on. Every vertex is the common 40-byte vertex:
// position x, y, z, w; normal x, y, z (f32); colour 0xAARRGGBB as one u32;
// texture coordinate u, v (f32). Indices are 16 bits.
//
// Shader constants are four-float registers, as the built-in programs
// expect them: see the programs' register tables.
class GraphicsDevice {
 public:
  virtual ~GraphicsDevice() = default;

  // Creates the device on the window, which must exist. False when the system
  // cannot give a device the framework can use.
  virtual bool create(const PresentParameters& parameters) = 0;
  // Rebuilds the back buffer for new parameters; resources survive. Every
  // state returns to its default, so the caller applies its states again.
  virtual bool reset(const PresentParameters& parameters) = 0;
  virtual void destroy() = 0;
  virtual bool isCreated() const = 0;

  virtual GraphicsCaps caps() = 0;
  virtual std::vector<DisplayMode> displayModes() = 0;
  virtual DisplayMode desktopMode() = 0;

  virtual std::unique_ptr<GraphicsBuffer> createVertexBuffer(std::uint32_t bytes) = 0;
  virtual std::unique_ptr<GraphicsBuffer> createIndexBuffer(std::uint32_t bytes) = 0;
  // Null when the sides pass the device's largest texture or the device
  // cannot create it. Levels beyond the 1x1 level are not made.
  virtual std::unique_ptr<GraphicsTexture> createTexture(std::uint32_t width, std::uint32_t height,
                                                         std::uint32_t levels) = 0;

  virtual void setRenderState(RenderState state, std::uint32_t value) = 0;
  virtual void setSamplerState(SamplerState state, std::uint32_t value) = 0;
  virtual void setProgram(ShaderProgram program) = 0;
  virtual void setVertexConstants(std::uint32_t firstRegister, const float* values, std::uint32_t registers) = 0;
  virtual void setPixelConstants(std::uint32_t firstRegister, const float* values, std::uint32_t registers) = 0;

  // Null unbinds. The caller keeps the objects alive while bound.
  virtual void setTexture(GraphicsTexture* texture) = 0;
  virtual void setVertexBuffer(GraphicsBuffer* buffer) = 0;
  virtual void setIndexBuffer(GraphicsBuffer* buffer) = 0;

  virtual void setViewport(const Viewport& viewport) = 0;
  // Clears the viewport's rectangle, whatever the depth-write state.
  virtual void clear(std::uint32_t argb, float depth, std::uint32_t stencil) = 0;
  // count is the number of primitives.
  virtual void draw(PrimitiveType type, std::uint32_t startVertex, std::uint32_t count) = 0;
  virtual void drawIndexed(PrimitiveType type, std::uint32_t vertexCount, std::uint32_t startIndex,
                           std::uint32_t count) = 0;

  // Shows the back buffer; false when the device was lost.
  virtual bool present() = 0;
  // The back buffer (multisampling resolved), rows top to bottom, pixels
  // 0xFFRRGGBB.
  virtual void readBackBuffer(std::vector<std::uint32_t>& pixels, std::uint32_t& width, std::uint32_t& height) = 0;
};

}  // namespace Platform
