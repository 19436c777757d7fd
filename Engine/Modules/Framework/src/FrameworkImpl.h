#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Framework/Framework.h"
#include "Framework/src/DebugTextLayer.h"

namespace Engine {

// One manager the framework starts, in order, and tears down in reverse.
struct StartStep {
  const char* name;
  void (*create)(Framework::Impl& framework);
  void (*destroy)();
};

class Framework::Impl {
 public:
  static constexpr int kFrameRing = 60;

  Impl();
  ~Impl();
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  static Impl* instance();
  // Creates the global state and runs the game's configure on it.
  static void create();
  static void destroyInstance();

  // Creates the managers in order; on an exception the ones already started
  // are torn down in reverse order before it passes on.
  void start();
  void preFrame();
  void postFrame();

  void enableFullScreen(bool enable);
  void setFrameRate(u32 fps);

  // The managers start runs, in order.
  static std::vector<StartStep>& startSteps();

  u32 width = 640;
  u32 height = 480;
  bool fullScreen = false;
  bool fullScreenForbidden = false;
  bool dragAndDropEnabled = false;
  bool vSync = true;
  bool antiAlias = true;
  std::string title = "An Engine Framework Application";
  std::unique_ptr<std::string[]> archiveNames;
  i32 archiveNumber = 0;
  i32 loadMode = 1;
  i32 extraThreadNumber = 0;
  u32 frameTimes[kFrameRing];
  u32 frameTime = 0;
  u32 lastPacedTime = 0;
  u32 frameRate = 0;
  u32 minFrameInterval = 0;
  bool paced = true;
  bool endRequested = false;
  bool started = false;

  std::unique_ptr<DebugTextLayer> debugTextLayer;

 private:
  void stopManagers();
  void updateInput();

  size_t mStartedSteps = 0;
};

}  // namespace Engine
