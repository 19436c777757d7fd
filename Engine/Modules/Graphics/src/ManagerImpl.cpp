#include "Graphics/src/ManagerImpl.h"

#include <vector>

#include "Engine/Base/Assert.h"
#include "Engine/Base/DebugStream.h"
#include "Engine/FileIO/Manager.h"
#include "Engine/Graphics/ImageFile.h"
#include "FileIO/src/ManagerImpl.h"
#include "Platform/Backend.h"
#include "Threading/src/ManagerImpl.h"

namespace Engine::Graphics {

namespace {

// The image file by the name's extension, handed whole to the file manager.
void writeImageFile(const char* fileName, u32 width, u32 height, u32 pitch, const void* pixels) {
  const PixelSource source{pixels, static_cast<i32>(width), static_cast<i32>(height), static_cast<i32>(pitch)};
  const std::vector<u8> file = encodeImageFile(fileName, source);
  if (file.empty()) {
    return;
  }
  if (!FileIO::ManagerImpl::instance()) {
    cout << "Graphics : no file manager; screenshot " << fileName << " not written" << endl;
    return;
  }
  FileIO::Manager::instance().write(fileName, file.data(), static_cast<i32>(file.size()));
}

std::unique_ptr<ManagerImpl> gManagerImpl;
ImageWriter gImageWriter = &writeImageFile;

constexpr u32 kWhite = 0xFFFFFFFFu;
constexpr u32 kClearColor = 0xFF000000u;
// Multisampling when asked: four samples where the device has them.
constexpr u32 kWantedSamples = 4;

}  // namespace

ManagerImpl::ManagerImpl(Platform::GraphicsDevice& device, const ManagerSettings& settings,
                         const Platform::DisplayMode& fullScreenMode)
    : mDevice(device),
      mLogicalWidth(settings.width),
      mLogicalHeight(settings.height),
      mFullScreen(settings.fullScreen),
      mVSync(settings.vSync),
      mFullScreenMode(fullScreenMode),
      mStates(device) {
  ENGINE_ASSERT(settings.width > 0 && settings.height > 0 && "screen size must not be 0.");
  mViewport = Platform::Viewport{0, 0, mLogicalWidth, mLogicalHeight, 0.0f, 1.0f};
  if (settings.antiAlias) {
    // The device's caps are known only once it exists; ask for what it can.
    mMultisampleSamples = kWantedSamples;
  }
  mPresentParameters = buildPresentParameters();
  const bool created = mDevice.create(mPresentParameters);
  ENGINE_ASSERT(created && "CreateDevice : NOT AVAILABLE");
  const Platform::GraphicsCaps caps = mDevice.caps();
  mPixelShader20 = caps.pixelShader20;
  mStates.setCaps(caps);
  if (mMultisampleSamples > caps.maxMultisampleSamples) {
    mMultisampleSamples = caps.maxMultisampleSamples >= 2 ? caps.maxMultisampleSamples : 0;
    mPresentParameters = buildPresentParameters();
    const bool reset = mDevice.reset(mPresentParameters);
    ENGINE_ASSERT(reset && "CreateDevice : NOT AVAILABLE");
  }
  createWhiteTexture();
  applyAllStates();
}

ManagerImpl::~ManagerImpl() {
  mDevice.setTexture(nullptr);
  mDevice.setVertexBuffer(nullptr);
  mDevice.setIndexBuffer(nullptr);
  mCurrentTexture.release();
  mCurrentVertexBuffer.release();
  mCurrentIndexBuffer.release();
  mDeviceTexture = nullptr;
  mWhiteTexture.reset();
  mDevice.destroy();
}

ManagerImpl* ManagerImpl::instance() { return gManagerImpl.get(); }

void ManagerImpl::install(std::unique_ptr<ManagerImpl> manager) {
  ENGINE_ASSERT(!gManagerImpl);
  gManagerImpl = std::move(manager);
}

void ManagerImpl::uninstall() { gManagerImpl.reset(); }

void ManagerImpl::setImageWriter(ImageWriter writer) { gImageWriter = writer ? writer : &writeImageFile; }

// Full screen: the chosen display mode's size; a window: the logical size.
Platform::PresentParameters ManagerImpl::buildPresentParameters() const {
  Platform::PresentParameters parameters;
  parameters.fullScreen = mFullScreen;
  parameters.backBufferWidth = mFullScreen ? mFullScreenMode.width : mLogicalWidth;
  parameters.backBufferHeight = mFullScreen ? mFullScreenMode.height : mLogicalHeight;
  parameters.vSync = mVSync;
  parameters.multisampleSamples = mMultisampleSamples;
  return parameters;
}

void ManagerImpl::createWhiteTexture() {
  mWhiteTexture = mDevice.createTexture(1, 1, 1);
  ENGINE_ASSERT(mWhiteTexture && "the device cannot create textures.");
  u32 pitch = 0;
  auto* pixel = static_cast<u32*>(mWhiteTexture->lock(0, pitch));
  *pixel = kWhite;
  mWhiteTexture->unlock(0);
}

void ManagerImpl::beginDraw() {
  mSkipping = mSkipRequested;
  if (mSkipping) {
    return;
  }
  const u32 width = mPresentParameters.backBufferWidth;
  const u32 height = mPresentParameters.backBufferHeight;
  mDevice.setViewport(Platform::Viewport{0, 0, width, height, 0.0f, 1.0f});
  mDevice.clear(kClearColor, 1.0f, 0);
  mDevice.setViewport(mapViewport(width, height, mLogicalWidth, mLogicalHeight, mViewport));
}

// A skipped frame keeps a screenshot asked for until a frame is drawn.
void ManagerImpl::endDraw() {
  ++mFrameCounter;
  if (mSkipping) {
    return;
  }
  if (mScreenshotRequested && !mScreenshotName.empty()) {
    writeScreenshot();
  }
  if (!present()) {
    mReady = false;
  }
}

// On a single processor a present that returns at once would starve every
// other thread; give up a millisecond then.
bool ManagerImpl::present() {
  const Threading::ManagerImpl* threading = Threading::ManagerImpl::instance();
  if (!threading || threading->coreNumber() != 1) {
    return mDevice.present();
  }
  Platform::Clock& clock = Platform::backend().clock();
  const u32 before = clock.milliseconds();
  const bool presented = mDevice.present();
  if (clock.milliseconds() == before) {
    clock.sleep(1);
  }
  return presented;
}

void ManagerImpl::restore() {
  if (mReady) {
    return;
  }
  mPresentParameters = buildPresentParameters();
  if (mDevice.reset(mPresentParameters)) {
    mDeviceTexture = nullptr;
    applyAllStates();
    mReady = true;
    cout << "Graphics-restore() : Direct3D Device Reset Succeeded" << endl;
  } else {
    cout << "Graphics-restore() : Direct3D Device Reset Failed" << endl;
  }
}

void ManagerImpl::setFullScreen(bool fullScreen) {
  if (fullScreen != mFullScreen) {
    mFullScreen = fullScreen;
    mReady = false;
  }
}

void ManagerImpl::getViewport(i32* x, i32* y, i32* width, i32* height) const {
  if (x) *x = static_cast<i32>(mViewport.x);
  if (y) *y = static_cast<i32>(mViewport.y);
  if (width) *width = static_cast<i32>(mViewport.width);
  if (height) *height = static_cast<i32>(mViewport.height);
}

// The back buffer is shown stretched over the window; a window whose size
// differs from it (full screen) scales the pointer the same way.
PointerModifier ManagerImpl::pointerModifier() const {
  const u32 width = mPresentParameters.backBufferWidth;
  const u32 height = mPresentParameters.backBufferHeight;
  PointerModifier modifier = Graphics::pointerModifier(width, height, mLogicalWidth, mLogicalHeight);
  u32 windowWidth = 0;
  u32 windowHeight = 0;
  Platform::backend().window().drawableSize(windowWidth, windowHeight);
  if (windowWidth > 0 && windowHeight > 0 && windowWidth != width) {
    const f32 windowPerBuffer = static_cast<f32>(windowWidth) / static_cast<f32>(width);
    modifier.scale /= windowPerBuffer;
    modifier.offsetX *= windowPerBuffer;
    modifier.offsetY *= windowPerBuffer;
  }
  return modifier;
}

void ManagerImpl::captureScreen(const char* fileName) {
  mScreenshotName = fileName ? fileName : "";
  mScreenshotRequested = true;
}

void ManagerImpl::writeScreenshot() {
  std::vector<u32> pixels;
  u32 width = 0;
  u32 height = 0;
  mDevice.readBackBuffer(pixels, width, height);
  gImageWriter(mScreenshotName.c_str(), width, height, width * 4, pixels.data());
  mScreenshotRequested = false;
}

}  // namespace Engine::Graphics
