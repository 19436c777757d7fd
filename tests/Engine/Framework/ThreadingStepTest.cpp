#include <gtest/gtest.h>

#include <string>

#include "Engine/Threading/Manager.h"
#include "Framework/src/FrameworkImpl.h"
#include "PlatformFake/FakeBackend.h"
#include "Threading/src/ManagerImpl.h"

namespace {

// One worker per core, one per extra thread and a spare.
TEST(FrameworkThreadingStepTest, ThePoolStartsFirstWithTheExtraThreadsAndEndsLast) {
  PlatformFake::ScopedFakeBackend backend;
  backend->fakeProcessor.mask = 0b11;
  EXPECT_EQ(std::string(Engine::Framework::Impl::startSteps().front().name), "threading manager");
  {
    Engine::Framework::Impl framework;
    framework.extraThreadNumber = 1;
    framework.start();
    ASSERT_NE(Engine::Threading::ManagerImpl::instance(), nullptr);
    EXPECT_EQ(Engine::Threading::Manager::instance().getCoreNumber(), 2);
    EXPECT_EQ(Engine::Threading::ManagerImpl::instance()->threadCount(), 4);
  }
  EXPECT_EQ(Engine::Threading::ManagerImpl::instance(), nullptr);
}

}  // namespace
