#pragma once

namespace Engine::Threading {

class MutexImpl;

// A lock that any thread may release, not only the one that took it (a
// semaphore of one count). Unlocking a lock that is not locked stops the
// program. A handle: copies share one lock.
class Mutex {
 public:
  Mutex() = default;
  Mutex(const Mutex& other);
  Mutex& operator=(const Mutex& other);
  ~Mutex();

  static Mutex create();

  // Waits without limit.
  void lock();
  void unlock();

  operator void*() const { return mImpl; }
  bool operator==(const Mutex& other) const { return mImpl == other.mImpl; }

 private:
  explicit Mutex(MutexImpl* impl) : mImpl(impl) {}

  MutexImpl* mImpl = nullptr;
};

}  // namespace Engine::Threading
