#pragma once

// The real program's game on the fakes: the build's game folder as the
// working folder, a fresh home for what the game writes, every device and
// the window faked and the disk for the game's files, for as long as it lives.

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "Platform/SystemBackend.h"
#include "PlatformFake/FakeBackend.h"

class DiskBackedFakes : public PlatformFake::FakeBackend {
 public:
  Platform::FileSystem& fileSystem() override { return mSystem->fileSystem(); }

 private:
  std::unique_ptr<Platform::SystemBackend> mSystem = Platform::createSystemBackend();
};

class GameFolderOnFakes {
 public:
  explicit GameFolderOnFakes(const std::string& name)
      : home(std::filesystem::temp_directory_path() / (name + std::to_string(::getpid()))),
        mStartFolder(std::filesystem::current_path()),
        mPrevious(Platform::hasBackend() ? &Platform::backend() : nullptr) {
    std::filesystem::create_directories(home);
    std::filesystem::current_path(MARROWDEEP_GAME_DIR);
    backend.fakeProcessor.mask = 0b11;
    // Nothing pulls the fake output, so no voice would ever end and every
    // sound played would stay queued: the game runs as without a sound device.
    backend.fakeAudioOutput.audible = false;
    Platform::setBackend(&backend);
  }
  ~GameFolderOnFakes() {
    Platform::setBackend(mPrevious);
    std::filesystem::current_path(mStartFolder);
    std::filesystem::remove_all(home);
  }
  GameFolderOnFakes(const GameFolderOnFakes&) = delete;
  GameFolderOnFakes& operator=(const GameFolderOnFakes&) = delete;

  DiskBackedFakes backend;
  const std::filesystem::path home;

 private:
  std::filesystem::path mStartFolder;
  Platform::Backend* mPrevious;
};
