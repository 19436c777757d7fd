#pragma once

#include <deque>
#include <thread>
#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Threading/Event.h"
#include "Engine/Threading/Mutex.h"
#include "Engine/Threading/Semaphore.h"
#include "Engine/Threading/Thread.h"

namespace Engine::Threading {

// One processor for bit 0 of the affinity mask, set or not, plus one per set
// bit among bits 1 to 31.
i32 coreNumberOfAffinityMask(u64 mask);
// One worker per processor, one per extra thread, and one spare: long jobs
// hold a worker for their whole life.
i32 workerCount(i32 extraThreadNumber, i32 coreNumber);

class ManagerImpl {
 public:
  ManagerImpl(i32 extraThreadNumber, u64 affinityMask);
  ~ManagerImpl();
  ManagerImpl(const ManagerImpl&) = delete;
  ManagerImpl& operator=(const ManagerImpl&) = delete;

  static ManagerImpl* instance();

  // Queues a job; done is set when it has run. Neither is owned: the job's
  // wait() keeps both alive until done is set.
  void add(Thread* job, Event* done);

  i32 coreNumber() const { return mCoreNumber; }
  i32 threadCount() const { return mThreadCount; }
  bool isEndRequested();

 private:
  struct Job {
    Thread* job;
    Event* done;
  };

  void workerLoop();

  std::vector<std::thread> mThreads;
  i32 mThreadCount;
  bool mEndRequested = false;
  Semaphore mJobCount;  // queued jobs plus wake-ups
  Mutex mLock;          // guards mJobs and mEndRequested
  std::deque<Job> mJobs;
  i32 mCoreNumber;
};

}  // namespace Engine::Threading
