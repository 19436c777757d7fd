#include <gtest/gtest.h>

#include <thread>

#include "Engine/Threading/Event.h"
#include "Engine/Threading/Mutex.h"
#include "Engine/Threading/Semaphore.h"

namespace {

using namespace Engine::Threading;

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
