#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

#include "Engine/Base/Types.h"

namespace Engine::FileIO {

// The idle loader's pause: at most a few milliseconds of real time, cut short
// when a request arrives or the manager ends. It waits on its own rather than
// through the platform clock, which is the game's time (a test's fake clock).
class LoaderWakeup {
 public:
  void signal() {
    std::lock_guard lock(mMutex);
    mSignalled = true;
    mChanged.notify_one();
  }

  void waitFor(u32 ms) {
    std::unique_lock lock(mMutex);
    mChanged.wait_for(lock, std::chrono::milliseconds(ms), [this] { return mSignalled; });
    mSignalled = false;
  }

 private:
  std::mutex mMutex;
  std::condition_variable mChanged;
  bool mSignalled = false;
};

}  // namespace Engine::FileIO
