#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "Engine/Threading/Event.h"
#include "Engine/Threading/Manager.h"
#include "Engine/Threading/Thread.h"
#include "PlatformFake/FakeBackend.h"
#include "Threading/src/ManagerImpl.h"

namespace {

using namespace Engine::Threading;

TEST(WorkerPoolTest, ThreadCountFollowsTheAffinityMask) {
  EXPECT_EQ(coreNumberOfAffinityMask(0b1), 1);
  EXPECT_EQ(coreNumberOfAffinityMask(0b11), 2);
  EXPECT_EQ(coreNumberOfAffinityMask(0b110), 3);  // bit 0 is counted set or not
  EXPECT_EQ(coreNumberOfAffinityMask(0), 1);      // the system could not tell
  EXPECT_EQ(coreNumberOfAffinityMask(0xFFFFFFFFFFFFFFFFu), 32);
  EXPECT_EQ(workerCount(0, coreNumberOfAffinityMask(0b1)), 2);
  EXPECT_EQ(workerCount(0, coreNumberOfAffinityMask(0b11)), 3);
  EXPECT_EQ(workerCount(0, coreNumberOfAffinityMask(0b110)), 4);
  EXPECT_EQ(workerCount(1, coreNumberOfAffinityMask(0b11)), 4);
}

TEST(WorkerPoolTest, ThePoolIsSizedFromThePlatformsMask) {
  PlatformFake::ScopedFakeBackend backend;
  backend->fakeProcessor.mask = 0b110;
  Manager::create(1);
  EXPECT_EQ(Manager::instance().getCoreNumber(), 3);
  EXPECT_EQ(ManagerImpl::instance()->threadCount(), 5);
  Manager::destroy();
  EXPECT_EQ(ManagerImpl::instance(), nullptr);
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
  void TearDown() override {
    if (ManagerImpl::instance()) {
      Manager::destroy();
    }
  }
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

TEST_F(WorkerPoolRunTest, DestroyingThePoolWaitsForARunningJob) {
  GatedJob job;
  job.start();
  job.started.wait();
  std::thread opener([&job] {
    while (!ManagerImpl::instance()->isEndRequested()) {
      std::this_thread::yield();
    }
    job.gate.set();
  });
  Manager::destroy();
  EXPECT_EQ(job.runs.load(), 1);
  opener.join();
  job.wait();
}

using WorkerPoolDeathTest = WorkerPoolRunTest;

TEST_F(WorkerPoolDeathTest, AJobDestroyedWithoutWaitStops) {
  struct Careless : Thread {
    void operator()() override {}
  };
  EXPECT_DEATH(
      {
        Careless job;
        job.start();
      },
      "!mImpl && \"You must call wait\\(\\) or isFinished\\(\\) before destruction\\.\"");
}

TEST_F(WorkerPoolRunTest, JobsDroppedAtShutdownStillReportDone) {
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
  opener.join();
  queued.wait();  // returns although the job never ran
  EXPECT_EQ(queued.runs.load(), 0);
  EXPECT_EQ(first.runs.load() + second.runs.load(), 2);
}

}  // namespace
