#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Platform/GraphicsDevice.h"

namespace PlatformFake {

class FakeGraphicsBuffer : public Platform::GraphicsBuffer {
 public:
  explicit FakeGraphicsBuffer(std::uint32_t bytes) : data(bytes, 0) {}
  std::uint32_t size() const override { return static_cast<std::uint32_t>(data.size()); }
  void* lock() override;
  void unlock() override;

  std::vector<std::uint8_t> data;
  bool locked = false;
  int uploads = 0;
};

class FakeGraphicsTexture : public Platform::GraphicsTexture {
 public:
  FakeGraphicsTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels);
  std::uint32_t width() const override { return mWidth; }
  std::uint32_t height() const override { return mHeight; }
  std::uint32_t levels() const override { return static_cast<std::uint32_t>(pixels.size()); }
  void* lock(std::uint32_t level, std::uint32_t& pitch) override;
  void unlock(std::uint32_t level) override;
  void unlockRows(std::uint32_t level, std::uint32_t firstRow, std::uint32_t rowCount) override;

  std::vector<std::vector<std::uint32_t>> pixels;  // per level
  int uploads = 0;
  std::uint32_t uploadedRows = 0;  // rows sent by every upload so far

 private:
  std::uint32_t mWidth;
  std::uint32_t mHeight;
};

// A device that records every call as one line of text, for logic tests:
// "setRenderState DepthWrite 0", "clear ff000000 1 0", "present", ...
class FakeGraphicsDevice : public Platform::GraphicsDevice {
 public:
  FakeGraphicsDevice();

  bool create(const Platform::PresentParameters& parameters) override;
  bool reset(const Platform::PresentParameters& parameters) override;
  void destroy() override;
  bool isCreated() const override { return created; }

  Platform::GraphicsCaps caps() override { return fakeCaps; }
  std::vector<Platform::DisplayMode> displayModes() override { return modes; }
  Platform::DisplayMode desktopMode() override { return desktop; }

  std::unique_ptr<Platform::GraphicsBuffer> createVertexBuffer(std::uint32_t bytes) override;
  std::unique_ptr<Platform::GraphicsBuffer> createIndexBuffer(std::uint32_t bytes) override;
  std::unique_ptr<Platform::GraphicsTexture> createTexture(std::uint32_t width, std::uint32_t height,
                                                           std::uint32_t levels) override;

  void setRenderState(Platform::RenderState state, std::uint32_t value) override;
  void setSamplerState(Platform::SamplerState state, std::uint32_t value) override;
  void setProgram(Platform::ShaderProgram program) override;
  void setVertexConstants(std::uint32_t firstRegister, const float* values, std::uint32_t registers) override;
  void setPixelConstants(std::uint32_t firstRegister, const float* values, std::uint32_t registers) override;

  void setTexture(Platform::GraphicsTexture* texture) override;
  void setVertexBuffer(Platform::GraphicsBuffer* buffer) override;
  void setIndexBuffer(Platform::GraphicsBuffer* buffer) override;

  void setViewport(const Platform::Viewport& viewport) override;
  void clear(std::uint32_t argb, float depth, std::uint32_t stencil) override;
  void draw(Platform::PrimitiveType type, std::uint32_t startVertex, std::uint32_t count) override;
  void drawIndexed(Platform::PrimitiveType type, std::uint32_t vertexCount, std::uint32_t startIndex,
                   std::uint32_t count) override;

  bool present() override;
  // The back buffer filled with the last clear colour.
  void readBackBuffer(std::vector<std::uint32_t>& pixels, std::uint32_t& width, std::uint32_t& height) override;

  // Lines recorded since the last take, then forgotten.
  std::vector<std::string> takeCalls();
  // Recorded lines that start with the prefix.
  std::vector<std::string> callsStartingWith(const std::string& prefix) const;

  std::vector<std::string> calls;
  bool created = false;
  bool failCreate = false;
  bool failReset = false;
  bool failPresent = false;
  bool failCreateTexture = false;
  int resets = 0;
  int presents = 0;
  Platform::PresentParameters parameters;
  Platform::GraphicsCaps fakeCaps;
  std::vector<Platform::DisplayMode> modes;
  Platform::DisplayMode desktop;
  Platform::Viewport viewport;
  std::uint32_t lastClearColor = 0;
  // Registers as last set.
  std::vector<float> vertexConstants;
  std::vector<float> pixelConstants;
  Platform::GraphicsTexture* boundTexture = nullptr;
  Platform::GraphicsBuffer* boundVertexBuffer = nullptr;
  Platform::GraphicsBuffer* boundIndexBuffer = nullptr;
};

}  // namespace PlatformFake
