#include "Engine/Threading/Event.h"

#include <condition_variable>
#include <mutex>

#include "Engine/Base/ReferenceType.h"

namespace Engine::Threading {

class EventImpl : public ReferenceType {
 public:
  explicit EventImpl(bool initiallySet) : mSet(initiallySet) {}

  void set() {
    // Notified under the lock: a waiter may release the event as soon as it
    // sees it set.
    std::lock_guard lock(mMutex);
    mSet = true;
    mCondition.notify_all();
  }

  bool isSet() {
    std::lock_guard lock(mMutex);
    return mSet;
  }

  void wait() {
    std::unique_lock lock(mMutex);
    mCondition.wait(lock, [this] { return mSet; });
  }

 private:
  std::mutex mMutex;
  std::condition_variable mCondition;
  bool mSet;
};

Event::Event(const Event& other) : mImpl(other.mImpl) { referImpl(mImpl); }

Event& Event::operator=(const Event& other) {
  referImpl(other.mImpl);
  releaseImpl(mImpl);
  mImpl = other.mImpl;
  return *this;
}

Event::~Event() { releaseImpl(mImpl); }

Event Event::create(bool initiallySet) { return Event(new EventImpl(initiallySet)); }

void Event::set() { mImpl->set(); }

bool Event::isSet() const { return mImpl->isSet(); }

void Event::wait() const { mImpl->wait(); }

}  // namespace Engine::Threading
