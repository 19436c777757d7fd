#pragma once

#include "Engine/Base/Types.h"

namespace Engine::Threading {

class SemaphoreImpl;

// A counting semaphore with a maximum count. A handle: copies share one semaphore.
class Semaphore {
 public:
  Semaphore() = default;
  Semaphore(const Semaphore& other);
  Semaphore& operator=(const Semaphore& other);
  ~Semaphore();

  // startCount must not be negative; the maximum is at least startCount.
  static Semaphore create(i32 startCount, i32 maxCount);

  // Waits without limit for a count and takes it.
  void decrease();
  // Gives back value (> 0) counts; exceeding the maximum stops the program.
  void increase(i32 value = 1);

  operator void*() const { return mImpl; }
  bool operator==(const Semaphore& other) const { return mImpl == other.mImpl; }

 private:
  explicit Semaphore(SemaphoreImpl* impl) : mImpl(impl) {}

  SemaphoreImpl* mImpl = nullptr;
};

}  // namespace Engine::Threading
