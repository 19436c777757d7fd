#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Engine/Framework/Framework.h"
#include "Engine/Framework/WindowCreator.h"
#include "Framework/src/FrameworkImpl.h"
#include "PlatformFake/FakeBackend.h"

namespace WindowCreatorTestSupport {

// The game's side of a test run: what configure sets and what each frame does.
struct Game {
  static inline std::function<void(Engine::Framework::Configuration)> onConfigure;
  static inline std::function<void()> onUpdate;
  static inline std::vector<std::string> log;
  static inline int updates = 0;
  static inline int releases = 0;

  static Engine::GameEntry entry() {
    Engine::GameEntry entry;
    entry.configure = [](Engine::Framework::Configuration configuration) {
      if (onConfigure) {
        onConfigure(configuration);
      }
    };
    entry.update = [] {
      ++updates;
      if (onUpdate) {
        onUpdate();
      }
    };
    entry.release = [] { ++releases; };
    return entry;
  }
};

// Installs the fakes and resets the game's side; restores the framework's
// start steps afterwards.
class Fixture {
 public:
  Fixture() : mSavedSteps(Engine::Framework::Impl::startSteps()) {
    Game::onConfigure = nullptr;
    Game::onUpdate = nullptr;
    Game::log.clear();
    Game::updates = 0;
    Game::releases = 0;
    // Two processors: on one, the graphics manager gives up a millisecond
    // after each present, which these tests would count as sleeping.
    mBackend->fakeProcessor.mask = 0b11;
  }
  ~Fixture() { Engine::Framework::Impl::startSteps() = mSavedSteps; }
  Fixture(const Fixture&) = delete;
  Fixture& operator=(const Fixture&) = delete;

  PlatformFake::FakeBackend& platform() { return *mBackend; }
  int run() { return Engine::WindowCreator::run(Game::entry()); }

 private:
  PlatformFake::ScopedFakeBackend mBackend;
  std::vector<Engine::StartStep> mSavedSteps;
};

}  // namespace WindowCreatorTestSupport
