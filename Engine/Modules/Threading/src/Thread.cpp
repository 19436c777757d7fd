#include "Engine/Threading/Thread.h"

#include "Engine/Base/Assert.h"
#include "Engine/Threading/Event.h"
#include "Threading/src/ManagerImpl.h"

namespace Engine::Threading {

Thread::~Thread() { ENGINE_ASSERT(!mImpl && "You must call wait() or isFinished() before destruction."); }

void Thread::start() {
  wait();
  ManagerImpl* pool = ManagerImpl::instance();
  ENGINE_ASSERT(pool && "Threading::Manager does not exist.");
  mImpl = new Event(Event::create(false));
  pool->add(this, mImpl);
}

void Thread::wait() {
  if (!mImpl) {
    return;
  }
  mImpl->wait();
  delete mImpl;
  mImpl = nullptr;
}

}  // namespace Engine::Threading
