#include "Engine/Threading/Semaphore.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>

#include "Engine/Base/Assert.h"
#include "Engine/Base/ReferenceType.h"

namespace Engine::Threading {

class SemaphoreImpl : public ReferenceType {
 public:
  SemaphoreImpl(i32 startCount, i32 maxCount) : mCount(startCount), mMaxCount(maxCount) {}

  void decrease() {
    std::unique_lock lock(mMutex);
    mCondition.wait(lock, [this] { return mCount > 0; });
    --mCount;
  }

  void increase(i32 value) {
    std::lock_guard lock(mMutex);
    const i64 prev = mCount;
    ENGINE_ASSERT(prev + value <= mMaxCount);
    mCount += value;
    mCondition.notify_all();
  }

 private:
  std::mutex mMutex;
  std::condition_variable mCondition;
  i32 mCount;
  i32 mMaxCount;
};

Semaphore::Semaphore(const Semaphore& other) : mImpl(other.mImpl) { referImpl(mImpl); }

Semaphore& Semaphore::operator=(const Semaphore& other) {
  referImpl(other.mImpl);
  releaseImpl(mImpl);
  mImpl = other.mImpl;
  return *this;
}

Semaphore::~Semaphore() { releaseImpl(mImpl); }

Semaphore Semaphore::create(i32 startCount, i32 maxCount) {
  ENGINE_ASSERT(startCount >= 0);
  return Semaphore(new SemaphoreImpl(startCount, std::max(maxCount, startCount)));
}

void Semaphore::decrease() { mImpl->decrease(); }

void Semaphore::increase(i32 value) {
  ENGINE_ASSERT(value > 0);
  mImpl->increase(value);
}

}  // namespace Engine::Threading
