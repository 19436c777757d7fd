#include <gtest/gtest.h>

#include <string>

#include "Engine/Base/Assert.h"
#include "PlatformFake/FakeBackend.h"

namespace {

TEST(HaltDeathTest, FailedAssertionShowsFileLineAndConditionThenEnds) {
  PlatformFake::ScopedFakeBackend backend;
  const int value = 3;
  EXPECT_EXIT(ENGINE_ASSERT(value < 2 && "value too big."), ::testing::ExitedWithCode(1),
              "Critical Error!\ntests/Engine/Base/HaltTest\\.cpp:[0-9]+ : value < 2 && \"value too big\\.\"");
}

TEST(HaltDeathTest, LongTextIsCutNotOverrun) {
  PlatformFake::ScopedFakeBackend backend;
  const std::string huge(20000, 'x');
  EXPECT_EXIT(Engine::halt("file", 1, huge.c_str()), ::testing::ExitedWithCode(1), "file:1 : xxxx");
}

}  // namespace
