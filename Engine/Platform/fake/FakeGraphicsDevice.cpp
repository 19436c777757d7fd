#include "PlatformFake/FakeGraphicsDevice.h"

#include <algorithm>
#include <cstdio>

namespace PlatformFake {

namespace {

const char* renderStateName(Platform::RenderState state) {
  using Platform::RenderState;
  switch (state) {
    case RenderState::DepthTest: return "DepthTest";
    case RenderState::DepthWrite: return "DepthWrite";
    case RenderState::CullMode: return "CullMode";
    case RenderState::AlphaBlendEnable: return "AlphaBlendEnable";
    case RenderState::SourceBlend: return "SourceBlend";
    case RenderState::DestinationBlend: return "DestinationBlend";
    case RenderState::AlphaTestEnable: return "AlphaTestEnable";
    case RenderState::AlphaReference: return "AlphaReference";
  }
  return "?";
}

const char* samplerStateName(Platform::SamplerState state) {
  using Platform::SamplerState;
  switch (state) {
    case SamplerState::MinFilter: return "MinFilter";
    case SamplerState::MagFilter: return "MagFilter";
    case SamplerState::MipFilter: return "MipFilter";
    case SamplerState::MaxAnisotropy: return "MaxAnisotropy";
  }
  return "?";
}

const char* primitiveName(Platform::PrimitiveType type) {
  using Platform::PrimitiveType;
  switch (type) {
    case PrimitiveType::TriangleList: return "TriangleList";
    case PrimitiveType::LineList: return "LineList";
    case PrimitiveType::PointList: return "PointList";
  }
  return "?";
}

std::string format(const char* pattern, auto... values) {
  char line[160];
  std::snprintf(line, sizeof line, pattern, values...);
  return line;
}

void storeRegisters(std::vector<float>& registers, std::uint32_t first, const float* values, std::uint32_t count) {
  registers.resize(std::max<std::size_t>(registers.size(), std::size_t{first + count} * 4), 0.0f);
  std::copy(values, values + count * 4, registers.begin() + first * 4);
}

}  // namespace

void* FakeGraphicsBuffer::lock() {
  locked = true;
  return data.data();
}

void FakeGraphicsBuffer::unlock() {
  locked = false;
  ++uploads;
}

FakeGraphicsTexture::FakeGraphicsTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels)
    : mWidth(width), mHeight(height) {
  std::uint32_t w = std::max(width, 1u);
  std::uint32_t h = std::max(height, 1u);
  for (std::uint32_t i = 0; i < std::max(levels, 1u); ++i) {
    pixels.emplace_back(std::size_t{w} * h, 0u);
    w = std::max(w / 2, 1u);
    h = std::max(h / 2, 1u);
  }
}

void* FakeGraphicsTexture::lock(std::uint32_t level, std::uint32_t& pitch) {
  if (level >= pixels.size()) {
    pitch = 0;
    return nullptr;
  }
  pitch = std::max(mWidth >> level, 1u) * 4;
  return pixels[level].data();
}

void FakeGraphicsTexture::unlock(std::uint32_t level) { unlockRows(level, 0, std::max(mHeight >> level, 1u)); }

void FakeGraphicsTexture::unlockRows(std::uint32_t, std::uint32_t, std::uint32_t rowCount) {
  ++uploads;
  uploadedRows += rowCount;
}

FakeGraphicsDevice::FakeGraphicsDevice() {
  modes = {{640, 480, 60}, {800, 600, 60}, {1024, 768, 60}, {1280, 800, 60}, {1920, 1200, 60}};
  desktop = {1920, 1200, 60};
  fakeCaps.maxMultisampleSamples = 4;
  fakeCaps.maxTextureSize = 8192;
  fakeCaps.anisotropicFilter = true;
  fakeCaps.maxAnisotropy = 16;
}

bool FakeGraphicsDevice::create(const Platform::PresentParameters& wanted) {
  calls.push_back(format("create %ux%u full=%d vsync=%d samples=%u", wanted.backBufferWidth, wanted.backBufferHeight,
                         wanted.fullScreen, wanted.vSync, wanted.multisampleSamples));
  if (failCreate) {
    return false;
  }
  parameters = wanted;
  created = true;
  return true;
}

bool FakeGraphicsDevice::reset(const Platform::PresentParameters& wanted) {
  calls.push_back(format("reset %ux%u full=%d", wanted.backBufferWidth, wanted.backBufferHeight, wanted.fullScreen));
  ++resets;
  if (failReset) {
    return false;
  }
  parameters = wanted;
  boundTexture = nullptr;
  boundVertexBuffer = nullptr;
  boundIndexBuffer = nullptr;
  return true;
}

void FakeGraphicsDevice::destroy() {
  calls.push_back("destroy");
  created = false;
}

std::unique_ptr<Platform::GraphicsBuffer> FakeGraphicsDevice::createVertexBuffer(std::uint32_t bytes) {
  calls.push_back(format("createVertexBuffer %u", bytes));
  return std::make_unique<FakeGraphicsBuffer>(bytes);
}

std::unique_ptr<Platform::GraphicsBuffer> FakeGraphicsDevice::createIndexBuffer(std::uint32_t bytes) {
  calls.push_back(format("createIndexBuffer %u", bytes));
  return std::make_unique<FakeGraphicsBuffer>(bytes);
}

std::unique_ptr<Platform::GraphicsTexture> FakeGraphicsDevice::createTexture(std::uint32_t width,
                                                                             std::uint32_t height,
                                                                             std::uint32_t levels) {
  calls.push_back(format("createTexture %ux%u levels=%u", width, height, levels));
  if (failCreateTexture || width > fakeCaps.maxTextureSize || height > fakeCaps.maxTextureSize) {
    return nullptr;
  }
  return std::make_unique<FakeGraphicsTexture>(width, height, levels);
}

void FakeGraphicsDevice::setRenderState(Platform::RenderState state, std::uint32_t value) {
  calls.push_back(format("setRenderState %s %u", renderStateName(state), value));
}

void FakeGraphicsDevice::setSamplerState(Platform::SamplerState state, std::uint32_t value) {
  calls.push_back(format("setSamplerState %s %u", samplerStateName(state), value));
}

void FakeGraphicsDevice::setProgram(Platform::ShaderProgram program) {
  calls.push_back(format("setProgram %d", static_cast<int>(program)));
}

void FakeGraphicsDevice::setVertexConstants(std::uint32_t first, const float* values, std::uint32_t registers) {
  calls.push_back(format("setVertexConstants %u %u", first, registers));
  storeRegisters(vertexConstants, first, values, registers);
}

void FakeGraphicsDevice::setPixelConstants(std::uint32_t first, const float* values, std::uint32_t registers) {
  calls.push_back(format("setPixelConstants %u %u", first, registers));
  storeRegisters(pixelConstants, first, values, registers);
}

void FakeGraphicsDevice::setTexture(Platform::GraphicsTexture* texture) {
  calls.push_back(texture ? "setTexture" : "setTexture null");
  boundTexture = texture;
}

void FakeGraphicsDevice::setVertexBuffer(Platform::GraphicsBuffer* buffer) {
  calls.push_back(buffer ? "setVertexBuffer" : "setVertexBuffer null");
  boundVertexBuffer = buffer;
}

void FakeGraphicsDevice::setIndexBuffer(Platform::GraphicsBuffer* buffer) {
  calls.push_back(buffer ? "setIndexBuffer" : "setIndexBuffer null");
  boundIndexBuffer = buffer;
}

void FakeGraphicsDevice::setViewport(const Platform::Viewport& wanted) {
  calls.push_back(format("setViewport %u %u %u %u", wanted.x, wanted.y, wanted.width, wanted.height));
  viewport = wanted;
}

void FakeGraphicsDevice::clear(std::uint32_t argb, float depth, std::uint32_t stencil) {
  calls.push_back(format("clear %08x %g %u", argb, static_cast<double>(depth), stencil));
  lastClearColor = argb;
}

void FakeGraphicsDevice::draw(Platform::PrimitiveType type, std::uint32_t startVertex, std::uint32_t count) {
  calls.push_back(format("draw %s %u %u", primitiveName(type), startVertex, count));
}

void FakeGraphicsDevice::drawIndexed(Platform::PrimitiveType type, std::uint32_t vertexCount,
                                     std::uint32_t startIndex, std::uint32_t count) {
  calls.push_back(format("drawIndexed %s %u %u %u", primitiveName(type), vertexCount, startIndex, count));
}

bool FakeGraphicsDevice::present() {
  calls.push_back("present");
  ++presents;
  return !failPresent;
}

void FakeGraphicsDevice::readBackBuffer(std::vector<std::uint32_t>& pixels, std::uint32_t& width,
                                        std::uint32_t& height) {
  calls.push_back("readBackBuffer");
  width = parameters.backBufferWidth;
  height = parameters.backBufferHeight;
  pixels.assign(std::size_t{width} * height, lastClearColor | 0xFF000000u);
}

std::vector<std::string> FakeGraphicsDevice::takeCalls() {
  std::vector<std::string> taken;
  taken.swap(calls);
  return taken;
}

std::vector<std::string> FakeGraphicsDevice::callsStartingWith(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& call : calls) {
    if (call.rfind(prefix, 0) == 0) {
      found.push_back(call);
    }
  }
  return found;
}

}  // namespace PlatformFake
