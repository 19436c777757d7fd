#pragma once

#include <SDL.h>

#include <array>
#include <memory>

#include "GlFunctions.h"
#include "GlPrograms.h"
#include "GlResources.h"
#include "Platform/GraphicsDevice.h"
#include "SdlWindow.h"

namespace Platform::Sdl {

// The graphics device on OpenGL 3.3 core. The back buffer is a framebuffer
// of its own (multisampled when asked), so its size is the one the caller
// chose whatever the window's; present scales it onto the window.
class GlDevice : public GraphicsDevice {
 public:
  explicit GlDevice(SdlWindow& window) : mWindow(window) {}
  ~GlDevice() override;
  GlDevice(const GlDevice&) = delete;
  GlDevice& operator=(const GlDevice&) = delete;

  bool create(const PresentParameters& parameters) override;
  bool reset(const PresentParameters& parameters) override;
  void destroy() override;
  bool isCreated() const override { return mContext != nullptr; }

  GraphicsCaps caps() override { return mCaps; }
  std::vector<DisplayMode> displayModes() override;
  DisplayMode desktopMode() override;

  std::unique_ptr<GraphicsBuffer> createVertexBuffer(std::uint32_t bytes) override;
  std::unique_ptr<GraphicsBuffer> createIndexBuffer(std::uint32_t bytes) override;
  std::unique_ptr<GraphicsTexture> createTexture(std::uint32_t width, std::uint32_t height,
                                                 std::uint32_t levels) override;

  void setRenderState(RenderState state, std::uint32_t value) override;
  void setSamplerState(SamplerState state, std::uint32_t value) override;
  void setProgram(ShaderProgram program) override { mProgram = program; }
  void setVertexConstants(std::uint32_t firstRegister, const float* values, std::uint32_t registers) override;
  void setPixelConstants(std::uint32_t firstRegister, const float* values, std::uint32_t registers) override;

  void setTexture(GraphicsTexture* texture) override;
  void setVertexBuffer(GraphicsBuffer* buffer) override;
  void setIndexBuffer(GraphicsBuffer* buffer) override;

  void setViewport(const Viewport& viewport) override;
  void clear(std::uint32_t argb, float depth, std::uint32_t stencil) override;
  void draw(PrimitiveType type, std::uint32_t startVertex, std::uint32_t count) override;
  void drawIndexed(PrimitiveType type, std::uint32_t vertexCount, std::uint32_t startIndex,
                   std::uint32_t count) override;

  bool present() override;
  void readBackBuffer(std::vector<std::uint32_t>& pixels, std::uint32_t& width, std::uint32_t& height) override;

 private:
  struct BackBuffer {
    GLuint framebuffer = 0;
    GLuint color = 0;
    GLuint depthStencil = 0;
    GLuint resolveFramebuffer = 0;  // only when multisampled
    GLuint resolveColor = 0;
  };

  bool createContext();
  void readCaps();
  bool createBackBuffer(const PresentParameters& parameters);
  void releaseBackBuffer();
  void applyDefaultStates();
  void applyVSync(bool vSync);
  void applySampler();
  void applyBlend();
  void applyCull();
  GLuint resolvedFramebuffer();
  // Writes every pending OpenGL error to stderr; true when there was one.
  bool reportGlErrors(const char* when);
  void prepareDraw();

  SdlWindow& mWindow;
  SDL_GLContext mContext = nullptr;
  std::shared_ptr<GlContextLife> mLife;
  PresentParameters mParameters;
  GraphicsCaps mCaps;
  BackBuffer mBackBuffer;
  GLuint mVertexArray = 0;
  GLuint mSampler = 0;
  GlPrograms mPrograms;

  ShaderProgram mProgram = ShaderProgram::Unlit;
  std::array<float, GlPrograms::kVertexRegisters * 4> mVertexConstants{};
  std::array<float, GlPrograms::kPixelRegisters * 4> mPixelConstants{};
  std::uint64_t mConstantsVersion = 0;
  Viewport mViewport;
  bool mDepthWrite = true;
  CullMode mCullMode = CullMode::CounterClockwise;
  BlendFactor mSourceBlend = BlendFactor::One;
  BlendFactor mDestinationBlend = BlendFactor::Zero;
  bool mAlphaTest = false;
  std::uint32_t mAlphaReference = 0;
  std::array<std::uint32_t, 4> mSamplerStates{};
  GlTexture* mTexture = nullptr;
};

}  // namespace Platform::Sdl
