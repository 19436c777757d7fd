#pragma once

#include <ctime>
#include <initializer_list>
#include <utility>

#include "Engine/Graphics/Manager.h"
#include "Engine/Threading/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "PlatformFake/FakeBackend.h"
#include "core/config/Config.h"
#include "core/file/FileLoader.h"
#include "presentation/scene/SceneRenderer.h"

namespace BenchSupport {

// The platform fakes with the given files, the file manager, the graphics
// manager on the recording device and an 800 x 600 scene renderer: what a
// benchmark of drawn game code stands on.
class FakeRendererScene {
 public:
  FakeRendererScene(std::initializer_list<std::pair<const char*, const char*>> files) {
    for (const auto& [path, text] : files) {
      mBackend->fakeFileSystem.put(path, text);
    }
    Engine::Threading::Manager::create(0);
    Engine::FileIO::ManagerOptions options;
    options.abortOnError = false;
    Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, options);
    Game::FileLoader::create();
    Engine::Graphics::Manager::create(800, 600, false, true, false);
    Game::Config::instance().setDefaults();
    Game::SceneRenderer::create(800, 600);
  }
  ~FakeRendererScene() {
    Game::SceneRenderer::destroy();
    Engine::Graphics::Manager::destroy();
    Game::FileLoader::destroy();
    Engine::FileIO::ManagerImpl::destroy();
    Engine::Threading::Manager::destroy();
  }
  FakeRendererScene(const FakeRendererScene&) = delete;
  FakeRendererScene& operator=(const FakeRendererScene&) = delete;

  PlatformFake::FakeBackend& backend() { return *mBackend; }

 private:
  PlatformFake::ScopedFakeBackend mBackend;
};

// Seconds on the monotonic clock (<chrono> does not compile under the game's
// Shift-JIS literals: its "µs").
inline double now() {
  timespec time{};
  clock_gettime(CLOCK_MONOTONIC, &time);
  return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
}

}  // namespace BenchSupport
