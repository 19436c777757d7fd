#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Framework/Framework.h"
#include "root/OutputNamer.h"

namespace Game {

// What a scripted run does around the root's steps.
class StepHooks {
 public:
  virtual ~StepHooks() = default;
  // After the game's own configuration, before the window opens.
  virtual void configure(Engine::Framework::Configuration configuration) = 0;
  // After each logic step; false ends the program.
  virtual bool afterStep() = 0;
};

// One game-wide singleton the root creates, and how it goes; destroy is null
// for what is not taken down by the root.
struct ApplicationStep {
  const char* name;
  void (*create)();
  void (*destroy)();
};

// The game's root: creates every game-wide singleton in a fixed order on the
// first frame, destroys them in the reverse order at the end, and runs one
// or two logic steps a frame with the screenshot, fast-forward, frame-rate
// display and quit keys.
class Application {
 public:
  static void create();
  static void destroy();
  // Null outside create and destroy.
  static Application* instance();

  // The singletons in order of creation.
  static std::vector<ApplicationStep>& steps();
  // Null: a normal run.
  static void setStepHooks(StepHooks* hooks);
  static StepHooks* stepHooks();

  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // One frame; false ends the program.
  bool update();

  const OutputNamer& outputNamer() const { return mNamer; }
  bool isFastForward() const { return mFastForward; }
  Engine::i32 frameCount() const { return mFrameCount; }

 private:
  Application();

  void destroySingletons();
  // One logic step; false when the game flow asked to quit.
  bool runStep();
  void captureIfAsked();
  void showFrameRate(Engine::u32 rateSum);

  OutputNamer mNamer{false};
  bool mRecordMode = false;
  bool mFastForward = false;
  Engine::i32 mFrameCount = 0;
  bool mQuit = false;
  std::size_t mCreatedSteps = 0;
};

}  // namespace Game
