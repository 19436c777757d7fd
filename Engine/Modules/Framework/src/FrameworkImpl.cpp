#include "Framework/src/FrameworkImpl.h"

#include "Engine/Base/Assert.h"
#include "Engine/Base/DebugStream.h"
#include "Engine/FileIO/Manager.h"
#include "Engine/Framework/WindowCreator.h"
#include "Engine/Graphics/Manager.h"
#include "Engine/Input/Manager.h"
#include "Engine/Sound/Manager.h"
#include "Engine/Threading/Manager.h"
#include "Graphics/src/ManagerImpl.h"
#include "Input/src/ManagerImpl.h"
#include "Platform/Backend.h"

namespace Engine {

namespace {

Framework::Impl* gImpl = nullptr;

u32 clockNow() { return WindowCreator::instance() ? WindowCreator::instance()->time() : Platform::backend().clock().milliseconds(); }

void createSound(Framework::Impl&) { Sound::Manager::create(); }

void createInput(Framework::Impl&) { Input::Manager::create(); }
void destroyInput() { Input::Manager::destroy(); }
// The worker pool comes first and goes last: every other manager's jobs run on it.
void createThreadingManager(Framework::Impl& framework) { Threading::Manager::create(framework.extraThreadNumber); }

void destroyThreadingManager() { Threading::Manager::destroy(); }

bool graphicsExists();

// It draws only where there is a graphics manager to draw on.
void createDebugTextLayer(Framework::Impl& framework) {
  framework.debugTextLayer = std::make_unique<DebugTextLayer>();
  if (graphicsExists()) {
    framework.debugTextLayer->createRenderer();
  }
}

// With no archives configured only loose files exist, so load mode 1 is used
// whatever was asked. The names are handed over and no longer kept.
void createFileManager(Framework::Impl& framework) {
  if (framework.archiveNumber < 1) {
    FileIO::Manager::create(nullptr, 0, 1);
    return;
  }
  std::vector<const char*> names;
  for (i32 i = 0; i < framework.archiveNumber; ++i) {
    names.push_back(framework.archiveNames[static_cast<std::size_t>(i)].c_str());
  }
  FileIO::Manager::create(names.data(), framework.archiveNumber, framework.loadMode);
  framework.archiveNames.reset();
  framework.archiveNumber = 0;
}

void destroyFileManager() { FileIO::Manager::destroy(); }

void createGraphics(Framework::Impl& framework) {
  Graphics::Manager::create(framework.width, framework.height, framework.fullScreen, framework.vSync,
                            framework.antiAlias);
}

void destroyGraphics() { Graphics::Manager::destroy(); }

bool graphicsExists() { return Graphics::ManagerImpl::instance() != nullptr; }

// The debug text layer is destroyed first of all by destroy(), not here.
void keepDebugTextLayer() {}

}  // namespace

std::vector<StartStep>& Framework::Impl::startSteps() {
  static std::vector<StartStep> steps = {
      {"threading manager", &createThreadingManager, &destroyThreadingManager},
      {"file manager", &createFileManager, &destroyFileManager},
      {"sound manager", &createSound, &Sound::Manager::destroy},
      {"input manager", &createInput, &destroyInput},
      {"graphics", &createGraphics, &destroyGraphics},
      {"debug text layer", &createDebugTextLayer, &keepDebugTextLayer},
  };
  return steps;
}

Framework::Impl::Impl() {
  const u32 now = clockNow();
  for (u32& time : frameTimes) {
    time = now;
  }
  DebugStream::create();
}

Framework::Impl::~Impl() {
  archiveNames.reset();
  debugTextLayer.reset();
  stopManagers();
  DebugStream::destroy();
}

Framework::Impl* Framework::Impl::instance() { return gImpl; }

void Framework::Impl::create() {
  ENGINE_ASSERT(!gImpl);
  gImpl = new Impl();
}

void Framework::Impl::destroyInstance() {
  delete gImpl;
  gImpl = nullptr;
}

void Framework::Impl::start() {
  const auto& steps = startSteps();
  try {
    for (const StartStep& step : steps) {
      step.create(*this);
      ++mStartedSteps;
    }
  } catch (...) {
    stopManagers();
    throw;
  }
  started = true;
}

void Framework::Impl::stopManagers() {
  const auto& steps = startSteps();
  while (mStartedSteps > 0) {
    --mStartedSteps;
    steps[mStartedSteps].destroy();
  }
  started = false;
}

void Framework::Impl::preFrame() {
  WindowCreator* window = WindowCreator::instance();
  Platform::Clock& clock = Platform::backend().clock();
  u32 now = window->time();
  while (paced && now - lastPacedTime < minFrameInterval) {
    clock.sleep(1);
    now = window->time();
  }
  lastPacedTime = now;
  frameTime = now - frameTimes[kFrameRing - 1];
  // Sixty frames inside one millisecond can only happen unpaced; count it as one.
  const u32 span = now - frameTimes[0];
  frameRate = 60000u / (span == 0 ? 1u : span);
  for (int i = 0; i < kFrameRing - 1; ++i) {
    frameTimes[i] = frameTimes[i + 1];
  }
  frameTimes[kFrameRing - 1] = now;
  if (graphicsExists()) {
    Graphics::Manager::instance().beginDraw();
  }
  updateInput();
}

void Framework::Impl::updateInput() {
  if (!Input::ManagerImpl::instance()) {
    return;
  }
  // Window pixels to logical screen pixels: the graphics manager's pointer
  // modifier, the identity without one.
  f32 pointerScale = 1.0f;
  Math::Vector2 pointerOffset(0.0f, 0.0f);
  if (graphicsExists()) {
    Graphics::Manager::instance().getPointerModifier(&pointerScale, &pointerOffset);
  }
  Input::Manager::instance().update(pointerScale, pointerOffset.x, pointerOffset.y);
}

void Framework::Impl::postFrame() {
  if (debugTextLayer) {
    debugTextLayer->draw();
  }
  if (graphicsExists()) {
    Graphics::Manager::instance().endDraw();
  }
}

void Framework::Impl::enableFullScreen(bool enable) {
  if (fullScreenForbidden) {
    return;
  }
  if (started && fullScreen != enable && WindowCreator::instance()) {
    WindowCreator::instance()->enableFullScreen(enable);
    if (graphicsExists()) {
      Graphics::Manager::instance().setFullScreen(enable);
    }
  }
  fullScreen = enable;
}

void Framework::Impl::setFrameRate(u32 fps) {
  ENGINE_ASSERT(fps >= 1 && "frame rate must be >= 1");
  minFrameInterval = 1000u / fps;
}

// The public handles: every operation goes to the global state.

namespace {
Framework::Impl& impl() {
  ENGINE_ASSERT(gImpl && "the framework does not exist.");
  return *gImpl;
}
}  // namespace

void Framework::Configuration::setWidth(u32 width) { impl().width = width; }
void Framework::Configuration::setHeight(u32 height) { impl().height = height; }
void Framework::Configuration::setTitle(const char* title) { impl().title = title ? title : ""; }
void Framework::Configuration::enableVSync(bool enable) { impl().vSync = enable; }
void Framework::Configuration::enableAntiAlias(bool enable) { impl().antiAlias = enable; }
void Framework::Configuration::forbidFullScreen(bool forbid) { impl().fullScreenForbidden = forbid; }

void Framework::Configuration::setArchiveNumber(i32 n) {
  Framework::Impl& state = impl();
  state.archiveNumber = n > 0 ? n : 0;
  state.archiveNames = state.archiveNumber > 0 ? std::make_unique<std::string[]>(static_cast<std::size_t>(n)) : nullptr;
}

void Framework::Configuration::setArchiveName(i32 index, const char* name) {
  Framework::Impl& state = impl();
  ENGINE_ASSERT(index >= 0 && index < state.archiveNumber && "archive index out of range.");
  state.archiveNames[static_cast<std::size_t>(index)] = name ? name : "";
}

void Framework::Configuration::setLoadMode(i32 mode) { impl().loadMode = (mode >= 0 && mode <= 2) ? mode : 1; }

void Framework::Configuration::setExtraThreadNumber(i32 n) {
  ENGINE_ASSERT(n >= 0 && "extraThreadNumber must be >= 0");
  impl().extraThreadNumber = n;
}

Framework Framework::instance() { return Framework(); }
void Framework::setFrameRate(u32 fps) { impl().setFrameRate(fps); }
void Framework::enablePacing(bool enable) { impl().paced = enable; }
u32 Framework::frameRate() const { return impl().frameRate; }
void Framework::enableFullScreen(bool enable) { impl().enableFullScreen(enable); }
bool Framework::isFullScreen() const { return impl().fullScreen; }
bool Framework::isFullScreenForbidden() const { return impl().fullScreenForbidden; }
bool Framework::isDragAndDropEnabled() const { return impl().dragAndDropEnabled; }
u32 Framework::width() const { return impl().width; }
u32 Framework::height() const { return impl().height; }
const char* Framework::title() const { return impl().title.c_str(); }
void Framework::requestEnd() { impl().endRequested = true; }
bool Framework::isEndRequested() const { return impl().endRequested; }

}  // namespace Engine
