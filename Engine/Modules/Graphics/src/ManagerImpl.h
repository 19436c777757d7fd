#pragma once

#include <array>
#include <memory>
#include <string>

#include "Engine/Base/Types.h"
#include "Engine/Graphics/IndexBuffer.h"
#include "Engine/Graphics/Texture.h"
#include "Engine/Graphics/VertexBuffer.h"
#include "Graphics/src/RenderStateCache.h"
#include "Graphics/src/ScreenMapping.h"
#include "Graphics/src/ShaderConstants.h"
#include "Platform/GraphicsDevice.h"

namespace Engine::Graphics {

struct ManagerSettings {
  u32 width = 640;  // the logical screen: the size the game asked for
  u32 height = 480;
  bool fullScreen = false;
  bool vSync = true;
  bool antiAlias = true;
};

// Writes a screenshot; pixels are 32-bit, 0xFFRRGGBB, rows top to bottom.
using ImageWriter = void (*)(const char* fileName, u32 width, u32 height, u32 pitch, const void* pixels);

// The graphics device manager: the device, the frame bracket, the
// full-screen switch, screenshots, and the render states and shader
// constants the built-in programs read.
class ManagerImpl {
 public:
  ManagerImpl(Platform::GraphicsDevice& device, const ManagerSettings& settings,
              const Platform::DisplayMode& fullScreenMode);
  ~ManagerImpl();
  ManagerImpl(const ManagerImpl&) = delete;
  ManagerImpl& operator=(const ManagerImpl&) = delete;

  static ManagerImpl* instance();
  // Installs the one manager; halts when one exists.
  static void install(std::unique_ptr<ManagerImpl> manager);
  static void uninstall();
  // How screenshots are written: by default the image file of the name's
  // extension, through the file manager. Null restores the default.
  static void setImageWriter(ImageWriter writer);

  Platform::GraphicsDevice& device() { return mDevice; }
  const Platform::PresentParameters& presentParameters() const { return mPresentParameters; }

  void beginDraw();
  void endDraw();
  void restore();
  void setFullScreen(bool fullScreen);
  bool isActive() const { return mReady; }
  void getViewport(i32* x, i32* y, i32* width, i32* height) const;
  PointerModifier pointerModifier() const;
  void captureScreen(const char* fileName);
  u32 frameId() const { return mFrameCounter; }
  void skipDrawing(bool skip) { mSkipRequested = skip; }

  RenderStateCache& states() { return mStates; }
  ShaderConstants& constants() { return mConstants; }
  // 0 unlit, 1 per-vertex lit, 2 per-pixel lit.
  void setLightingMode(i32 mode);
  i32 lightingMode() const { return mLightingMode; }

  void setTexture(const Texture& texture);
  void setVertexBuffer(const VertexBuffer& buffer);
  void setIndexBuffer(const IndexBuffer& buffer);
  void draw(u32 start, u32 count, i32 primitive);
  void drawIndexed(u32 start, u32 count, i32 primitive);

 private:
  Platform::PresentParameters buildPresentParameters() const;
  void createWhiteTexture();
  void applyAllStates();
  void applyProgram();
  void prepareDraw();
  void writeScreenshot();
  bool present();

  Platform::GraphicsDevice& mDevice;
  Platform::Viewport mViewport;
  Platform::PresentParameters mPresentParameters;
  u32 mLogicalWidth;
  u32 mLogicalHeight;
  bool mFullScreen;
  bool mVSync;
  bool mPixelShader20 = true;
  i32 mLightingMode = 0;
  Platform::DisplayMode mFullScreenMode;
  u32 mFrameCounter = 0;
  bool mReady = true;
  std::unique_ptr<Platform::GraphicsTexture> mWhiteTexture;
  Texture mCurrentTexture;
  VertexBuffer mCurrentVertexBuffer;
  IndexBuffer mCurrentIndexBuffer;
  u32 mMultisampleSamples = 0;
  bool mScreenshotRequested = false;
  // Asked for the frames to come; latched by beginDraw for the whole frame.
  bool mSkipRequested = false;
  bool mSkipping = false;
  std::string mScreenshotName;

  RenderStateCache mStates;
  ShaderConstants mConstants;
  Platform::GraphicsTexture* mDeviceTexture = nullptr;  // what the device has bound
};

}  // namespace Engine::Graphics
