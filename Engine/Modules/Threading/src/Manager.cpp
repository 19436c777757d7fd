#include "Engine/Threading/Manager.h"

#include <bit>
#include <system_error>

#include "Engine/Base/Assert.h"
#include "Platform/Backend.h"
#include "Threading/src/ManagerImpl.h"

namespace Engine::Threading {

namespace {

ManagerImpl* gManagerImpl = nullptr;

constexpr i32 kMaxJobCount = 0x7FFFFFFF;

}  // namespace

i32 coreNumberOfAffinityMask(u64 mask) { return 1 + std::popcount(mask & 0xFFFFFFFEu); }

i32 workerCount(i32 extraThreadNumber, i32 coreNumber) { return extraThreadNumber + coreNumber + 1; }

ManagerImpl::ManagerImpl(i32 extraThreadNumber, u64 affinityMask)
    : mJobCount(Semaphore::create(0, kMaxJobCount)),
      mLock(Mutex::create()),
      mCoreNumber(coreNumberOfAffinityMask(affinityMask)) {
  mThreadCount = workerCount(extraThreadNumber, mCoreNumber);
  mThreads.reserve(static_cast<std::size_t>(mThreadCount));
  try {
    for (i32 i = 0; i < mThreadCount; ++i) {
      mThreads.emplace_back([this] { workerLoop(); });
    }
  } catch (const std::system_error&) {
    ENGINE_HALT("Threading::Manager : a worker thread could not be started.");
  }
}

ManagerImpl::~ManagerImpl() {
  mLock.lock();
  mEndRequested = true;
  mLock.unlock();
  // One wake-up per worker; a worker busy with a job sees it when the job returns.
  mJobCount.increase(mThreadCount);
  for (std::thread& thread : mThreads) {
    thread.join();
  }
  // Jobs that never ran still report done, so no wait() blocks for ever.
  for (const Job& queued : mJobs) {
    queued.done->set();
  }
}

ManagerImpl* ManagerImpl::instance() { return gManagerImpl; }

void ManagerImpl::add(Thread* job, Event* done) {
  mLock.lock();
  mJobs.push_back({job, done});
  mLock.unlock();
  mJobCount.increase(1);
}

bool ManagerImpl::isEndRequested() {
  mLock.lock();
  const bool requested = mEndRequested;
  mLock.unlock();
  return requested;
}

void ManagerImpl::workerLoop() {
  for (;;) {
    mJobCount.decrease();
    mLock.lock();
    if (mEndRequested) {
      mLock.unlock();
      return;
    }
    const Job next = mJobs.front();
    mJobs.pop_front();
    mLock.unlock();
    (*next.job)();
    next.done->set();
  }
}

void Manager::create(i32 extraThreadNumber) {
  ENGINE_ASSERT(!gManagerImpl);
  const u64 mask = Platform::hasBackend() ? Platform::backend().processor().affinityMask() : 0;
  gManagerImpl = new ManagerImpl(extraThreadNumber, mask);
}

void Manager::destroy() {
  delete gManagerImpl;
  gManagerImpl = nullptr;
}

i32 Manager::getCoreNumber() const {
  ENGINE_ASSERT(gManagerImpl && "Threading::Manager does not exist.");
  return gManagerImpl->coreNumber();
}

}  // namespace Engine::Threading
