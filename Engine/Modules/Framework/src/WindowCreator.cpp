#include "Engine/Framework/WindowCreator.h"

#include "Engine/Base/Exception.h"
#include "Framework/src/FrameworkImpl.h"
#include "Graphics/src/ManagerImpl.h"
#include "Platform/Backend.h"

namespace Engine {

namespace {

WindowCreator* gWindowCreator = nullptr;

constexpr char kFatalCaption[] = "致命的エラー";
constexpr char kStartFailure[] = "致命的な問題があり、起動できません。申し訳ありませんが終了いたします";
constexpr char kRunFailure[] = "致命的な問題があり、継続できません。申し訳ありませんが終了いたします";
constexpr u32 kSleepWhileIdleMs = 50;

void showFatal(const char* text) {
  Platform::backend().messageBox().show(text, kFatalCaption, Platform::MessageIcon::Error);
}

bool isLeadByte(u8 c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The title handed to the window system, cut to its buffer without splitting
// a two-byte character.
std::string windowTitle(const std::string& title) {
  std::size_t length = 0;
  while (length < title.size()) {
    const std::size_t step = isLeadByte(static_cast<u8>(title[length])) ? 2 : 1;
    if (length + step > WindowCreator::kMaxTitleLength || length + step > title.size()) {
      break;
    }
    length += step;
  }
  return title.substr(0, length);
}

}  // namespace

// The message loop and the frame driver, with access to the window creator's state.
class WindowCreatorLoop {
 public:
  WindowCreatorLoop(WindowCreator& creator, const GameEntry& entry) : mCreator(creator), mEntry(entry) {}

  int run();

 private:
  void configure();
  bool createWindow();
  bool startFramework();
  void handle(const Platform::WindowEvent& event);
  void frame();
  void destroyFramework();

  WindowCreator& mCreator;
  const GameEntry& mEntry;
  Platform::Window& mWindow = Platform::backend().window();
  bool mFailed = false;
};

int WindowCreatorLoop::run() {
  configure();
  if (!createWindow()) {
    destroyFramework();
    return 1;
  }
  if (!startFramework()) {
    return 1;
  }
  mCreator.mStarted = true;
  for (;;) {
    Platform::WindowEvent event;
    const bool gotEvent = mWindow.pollEvent(event);
    if (gotEvent && event.type == Platform::WindowEventType::Quit) {
      break;
    }
    if (gotEvent) {
      handle(event);
    }
    if (mCreator.mEndRequested) {
      if (!mCreator.mWindowExists) {
        if (!gotEvent) {
          break;  // the window is gone and nothing more will come
        }
        continue;
      }
      mWindow.destroy();
      mCreator.mWindowExists = false;
      continue;
    }
    try {
      frame();
    } catch (const Exception& exception) {
      mFailed = true;
      if (exception.value() == 1) {
        showFatal(kRunFailure);
      }
    }
  }
  return mFailed ? 1 : 0;
}

void WindowCreatorLoop::configure() {
  Framework::Impl::create();
  mEntry.configure(Framework::Configuration());
  const Framework::Impl& framework = *Framework::Impl::instance();
  mCreator.setWidth(framework.width);
  mCreator.setHeight(framework.height);
  mCreator.setTitle(framework.title.c_str());
  mCreator.enableFullScreen(framework.fullScreen);
  mCreator.forbidFullScreen(framework.fullScreenForbidden);
  mCreator.enableDragAndDrop(framework.dragAndDropEnabled);
}

bool WindowCreatorLoop::createWindow() {
  Platform::WindowDesc desc;
  desc.width = mCreator.mWidth;
  desc.height = mCreator.mHeight;
  desc.title = windowTitle(mCreator.mTitle);
  desc.fullScreen = mCreator.mFullScreen;
  desc.acceptDrops = mCreator.mDragAndDropEnabled;
  mCreator.mWindowExists = mWindow.create(desc);
  return mCreator.mWindowExists;
}

bool WindowCreatorLoop::startFramework() {
  try {
    Framework::Impl::instance()->start();
    return true;
  } catch (...) {
    // The managers that did start are already down; the game never ran a
    // frame, so there is nothing of its own to release.
    showFatal(kStartFailure);
    destroyFramework();
    mWindow.destroy();
    mCreator.mWindowExists = false;
    return false;
  }
}

void WindowCreatorLoop::handle(const Platform::WindowEvent& event) {
  using Type = Platform::WindowEventType;
  switch (event.type) {
    case Type::MaximizeRequest:
      if (!mCreator.mFullScreenForbidden) {
        mCreator.enableFullScreen(true);
      }
      break;
    case Type::Minimize:
      mCreator.mMinimized = true;
      mCreator.mActive = false;
      break;
    case Type::Restore:
      mCreator.mMinimized = false;
      mCreator.mActive = true;
      break;
    case Type::AltEnter:
      if (!mCreator.mFullScreenForbidden) {
        mCreator.enableFullScreen(!mCreator.mFullScreen);
      }
      break;
    case Type::Wheel:
      mCreator.mWheel = event.wheelDelta > 0 ? 1 : -1;
      break;
    case Type::DropFiles:
      if (mCreator.mDragAndDropEnabled) {
        mCreator.mDroppedFiles.clear();
        mCreator.mDroppedFiles.setSize(static_cast<i32>(event.droppedPaths.size()));
        for (std::size_t i = 0; i < event.droppedPaths.size(); ++i) {
          mCreator.mDroppedFiles[static_cast<i32>(i)] = event.droppedPaths[i];
        }
      }
      break;
    case Type::Activate:
      mCreator.mActive = !event.minimized && event.active;
      break;
    case Type::CloseRequest:
      mCreator.mCloseRequested = true;
      break;
    case Type::Quit:
      break;
  }
}

void WindowCreatorLoop::frame() {
  Framework::Impl& framework = *Framework::Impl::instance();
  bool sleeping = mCreator.mMinimized;
  Graphics::ManagerImpl* graphics = Graphics::ManagerImpl::instance();
  if (graphics && !graphics->isActive()) {
    graphics->restore();
    sleeping = true;
  }
  // A close while minimised still runs one frame, so the game releases what
  // it holds before the framework goes.
  sleeping = sleeping && !mCreator.mCloseRequested;
  if (framework.fullScreen != mCreator.mFullScreen) {
    framework.enableFullScreen(mCreator.mFullScreen);
  }
  if (!sleeping) {
    framework.preFrame();
  }
  if (mCreator.mCloseRequested) {
    framework.endRequested = true;
  }
  if (sleeping) {
    Platform::backend().clock().sleep(kSleepWhileIdleMs);
  } else {
    try {
      mEntry.update();
    } catch (...) {
      framework.postFrame();
      if (mEntry.release) {
        mEntry.release();
      }
      destroyFramework();
      mCreator.mEndRequested = true;
      throw Exception(1);
    }
    framework.postFrame();
  }
  if (framework.endRequested) {
    destroyFramework();
    mCreator.mEndRequested = true;
  }
}

void WindowCreatorLoop::destroyFramework() { Framework::Impl::destroyInstance(); }

WindowCreator::WindowCreator() {
  gWindowCreator = this;
  mTimeBias = ~Platform::backend().clock().milliseconds() - 60000u;
}

WindowCreator::~WindowCreator() {
  if (gWindowCreator == this) {
    gWindowCreator = nullptr;
  }
}

int WindowCreator::run(const GameEntry& entry) {
  WindowCreator creator;
  WindowCreatorLoop loop(creator, entry);
  return loop.run();
}

WindowCreator* WindowCreator::instance() { return gWindowCreator; }

void WindowCreator::enableFullScreen(bool enable) {
  if (enable == mFullScreen) {
    return;
  }
  if (mStarted && mWindowExists) {
    Platform::backend().window().setFullScreen(enable);
  }
  mFullScreen = enable;
}

i32 WindowCreator::getAndResetMouseWheel() {
  const i32 wheel = mWheel;
  mWheel = 0;
  return wheel;
}

u32 WindowCreator::time() const { return Platform::backend().clock().milliseconds() + mTimeBias; }

}  // namespace Engine
