#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine/Threading/Manager.h"
#include "Engine/Threading/Sleep.h"
#include "FileIO/src/ManagerImpl.h"
#include "PlatformFake/FakeBackend.h"
#include "core/file/FileLoader.h"

namespace FileTestSupport {

// Returns once no file in use waits for its read: a game stepped by hand that
// calls it before each step sees every load land on the same frame each run.
inline void awaitReads() {
  while (Engine::FileIO::ManagerImpl::instance() && Engine::FileIO::ManagerImpl::instance()->isReading()) {
    Engine::Threading::sleep(1);
  }
}

// The file manager serving loose files from the fake file system on its own
// loader job, with the file loader's ring. As in the game, a file that cannot
// be read halts (failing the test); a suite over shipped data it leaves out
// may make that an error flag.
class FileManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Engine::Threading::Manager::create(0);
    Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, {.abortOnError = mLoadErrorsHalt});
    Game::FileLoader::create();
  }
  void TearDown() override {
    Game::FileLoader::destroy();
    Engine::FileIO::ManagerImpl::destroy();
    Engine::Threading::Manager::destroy();
  }

  PlatformFake::FakeFileSystem& fs() { return backend->fakeFileSystem; }
  std::vector<std::string>& debugLines() { return backend->fakeDebugOutput.lines; }

  PlatformFake::ScopedFakeBackend backend;
  bool mLoadErrorsHalt = true;
};

}  // namespace FileTestSupport
