#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <utility>

#include "Engine/Threading/Event.h"
#include "Engine/Threading/Manager.h"
#include "Engine/Threading/Mutex.h"
#include "Engine/Threading/Semaphore.h"
#include "Engine/Threading/Thread.h"
#include "PlatformFake/FakeBackend.h"
#include "Threading/src/ManagerImpl.h"

namespace Engine::Threading {
namespace {

// Bit 0 is counted set or not; a mask of 0 (the system could not tell) is one core.
TEST(WorkerPoolTest, CoresFollowTheAffinityMask) {
  const std::pair<Engine::u64, int> cases[] = {{0b1, 1}, {0b11, 2}, {0b110, 3}, {0, 1}, {~0ull, 32}};
  for (const auto& [mask, cores] : cases) {
    EXPECT_EQ(coreNumberOfAffinityMask(mask), cores) << mask;
  }
}

// A job that runs until its gate opens, counting its runs.
class GatedJob : public Thread {
 public:
  GatedJob() : started(Event::create(false)), gate(Event::create(false)) {}
  ~GatedJob() override { wait(); }

  void operator()() override {
    if (++running > 1) {
      overlapped = true;
    }
    started.set();
    gate.wait();
    ++runs;
    --running;
  }

  Event started;
  Event gate;
  std::atomic<int> runs{0};
  std::atomic<int> running{0};
  std::atomic<bool> overlapped{false};
};

class CountingJob : public Thread {
 public:
  ~CountingJob() override { wait(); }
  void operator()() override { ++runs; }
  std::atomic<int> runs{0};
};

class WorkerPoolRunTest : public ::testing::Test {
 protected:
  void SetUp() override { Manager::create(0); }  // two workers on the fake's one processor
  void TearDown() override { if (ManagerImpl::instance()) Manager::destroy(); }
  PlatformFake::ScopedFakeBackend mBackend;
};

TEST_F(WorkerPoolRunTest, WaitReturnsOnceTheJobHasRun) {
  CountingJob jobs[8];
  for (CountingJob& job : jobs) {
    job.start();
  }
  for (CountingJob& job : jobs) {
    job.wait();
    EXPECT_EQ(job.runs.load(), 1);
  }
}

using WorkerPoolDeathTest = WorkerPoolRunTest;

TEST_F(WorkerPoolDeathTest, AJobDestroyedWithoutWaitStops) {
  struct Careless : Thread {
    void operator()() override {}
  };
  // Both workers are held busy so the careless job is still queued when it goes: a worker
  // reaching it mid-destruction would call a pure virtual instead.
  EXPECT_DEATH(
      {
        GatedJob first;
        GatedJob second;
        first.start();
        second.start();
        first.started.wait();
        second.started.wait();
        Careless job;
        job.start();
      },
      "!mImpl && \"You must call wait\\(\\) or isFinished\\(\\) before destruction\\.\"");
}

TEST_F(WorkerPoolRunTest, ShutdownWaitsForRunningJobsAndDropsQueuedOnesAsDone) {
  GatedJob first;
  GatedJob second;
  CountingJob queued;
  first.start();
  second.start();
  first.started.wait();
  second.started.wait();
  queued.start();  // both workers are busy: it stays queued
  std::thread opener([&] {
    while (!ManagerImpl::instance()->isEndRequested()) {
      std::this_thread::yield();
    }
    first.gate.set();
    second.gate.set();
  });
  Manager::destroy();
  EXPECT_EQ(first.runs.load() + second.runs.load(), 2);  // the running jobs were waited for
  opener.join();
  queued.wait();  // returns although the job never ran
  EXPECT_EQ(queued.runs.load(), 0);
}

TEST(EventTest, SettingFromAnotherThreadReleasesTheWaiterAndCopiesShareTheEvent) {
  Event event = Event::create(false);
  Event copy = event;
  EXPECT_FALSE(event.isSet());
  std::thread setter([&copy] { copy.set(); });  // counts are not shared across threads
  event.wait();
  setter.join();
  EXPECT_TRUE(event.isSet());
}

TEST(SemaphoreDeathTest, TheMaximumIsAtLeastTheStartCountAndBadCountsStop) {
  Semaphore semaphore = Semaphore::create(2, 1);
  semaphore.decrease();
  semaphore.decrease();
  semaphore.increase(2);  // back to 2, the maximum
  EXPECT_DEATH(semaphore.increase(1), "prev \\+ value <= mMaxCount");
  EXPECT_DEATH(semaphore.increase(0), "value > 0");
  EXPECT_DEATH(Semaphore::create(-1, 5), "startCount >= 0");
}

TEST(MutexDeathTest, AnotherThreadThanTheLockerMayUnlockButNotTwice) {
  Mutex mutex = Mutex::create();
  mutex.lock();
  std::thread other([&mutex] { mutex.unlock(); });
  other.join();
  mutex.lock();  // would block for ever had the unlock not counted
  mutex.unlock();
  EXPECT_DEATH(mutex.unlock(), "Mutex\\.cpp:[0-9]+ : prev == 0 && \"unlock\\(\\) is called twice! Check lock-unlock pair\\.\"");
}

}  // namespace
}  // namespace Engine::Threading
