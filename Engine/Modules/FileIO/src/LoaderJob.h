#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

#include "Engine/Base/Types.h"

namespace Engine::FileIO {

// The loader's own thread, its lock and its stop signal. They stand in for
// the framework's worker pool job, Mutex and Event with the same operations
// (start/wait, lock/unlock, set/isSet), so the loader can move onto the pool
// by changing only this header.

class LoaderJob {
 public:
  LoaderJob() = default;
  LoaderJob(const LoaderJob&) = delete;
  LoaderJob& operator=(const LoaderJob&) = delete;
  virtual ~LoaderJob() { wait(); }

  virtual void operator()() = 0;

  // Runs operator() on the job's thread, after any previous run has ended.
  void start() {
    wait();
    mThread = std::thread([this] { (*this)(); });
  }
  void wait() {
    if (mThread.joinable()) {
      mThread.join();
    }
  }

 private:
  std::thread mThread;
};

class LoaderMutex {
 public:
  void lock() { mMutex.lock(); }
  void unlock() { mMutex.unlock(); }

 private:
  std::mutex mMutex;
};

// Set once; stays set. waitFor ends early when it is set.
class LoaderEvent {
 public:
  void set() {
    {
      std::lock_guard lock(mMutex);
      mSet = true;
    }
    mChanged.notify_all();
  }
  bool isSet() {
    std::lock_guard lock(mMutex);
    return mSet;
  }
  void waitFor(u32 ms) {
    std::unique_lock lock(mMutex);
    mChanged.wait_for(lock, std::chrono::milliseconds(ms), [this] { return mSet; });
  }

 private:
  std::mutex mMutex;
  std::condition_variable mChanged;
  bool mSet = false;
};

}  // namespace Engine::FileIO
