#include "Engine/Threading/Mutex.h"

#include <condition_variable>
#include <mutex>

#include "Engine/Base/Assert.h"
#include "Engine/Base/ReferenceType.h"
#include "Engine/Base/Types.h"

namespace Engine::Threading {

// A semaphore of at most one count: not tied to the thread that took it.
class MutexImpl : public ReferenceType {
 public:
  void lock() {
    std::unique_lock lock(mMutex);
    mCondition.wait(lock, [this] { return mCount > 0; });
    mCount = 0;
  }

  void unlock() {
    std::lock_guard lock(mMutex);
    const i32 prev = mCount;
    ENGINE_ASSERT(prev == 0 && "unlock() is called twice! Check lock-unlock pair.");
    mCount = 1;
    mCondition.notify_one();
  }

 private:
  std::mutex mMutex;
  std::condition_variable mCondition;
  i32 mCount = 1;
};

Mutex::Mutex(const Mutex& other) : mImpl(other.mImpl) { referImpl(mImpl); }

Mutex& Mutex::operator=(const Mutex& other) {
  referImpl(other.mImpl);
  releaseImpl(mImpl);
  mImpl = other.mImpl;
  return *this;
}

Mutex::~Mutex() { releaseImpl(mImpl); }

Mutex Mutex::create() { return Mutex(new MutexImpl()); }

void Mutex::lock() { mImpl->lock(); }

void Mutex::unlock() { mImpl->unlock(); }

}  // namespace Engine::Threading
