#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "Engine/FileIO/ArchiveBuilder.h"
#include "Engine/FileIO/InFile.h"
#include "Engine/Threading/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "Framework/src/FrameworkImpl.h"
#include "PlatformFake/FakeBackend.h"
#include "Threading/src/ManagerImpl.h"
#include "WindowCreatorTestSupport.h"

namespace {

using Platform::WindowEventType;
using WindowCreatorTestSupport::Game;

// Frame starts as the framework clock saw them, and the measured rates.
struct Trace {
  static inline std::vector<Engine::u32> starts;
  static inline std::vector<Engine::u32> rates;
  static inline int framesToRun = 0;
};

class FramePacingTest : public ::testing::Test, public WindowCreatorTestSupport::Fixture {
 protected:
  void SetUp() override {
    Trace::starts.clear();
    Trace::rates.clear();
    Game::onUpdate = [] {
      Trace::starts.push_back(Engine::WindowCreator::instance()->time());
      Trace::rates.push_back(Engine::Framework::instance().frameRate());
      if (Game::updates == Trace::framesToRun) {
        Engine::Framework::instance().requestEnd();
      }
    };
  }

  void runFrames(int frames, Engine::u32 fps) {
    Trace::framesToRun = frames;
    Game::onConfigure = [fps](Engine::Framework::Configuration) {
      if (fps > 0) {
        Engine::Framework::instance().setFrameRate(fps);
      }
    };
    run();
  }
};

TEST_F(FramePacingTest, SixtyFramesPerSecondMeansSixteenMillisecondsAcrossTheWrap) {
  // 5000 frames of 16 ms are 80 s of framework time: the clock wraps after 60 s.
  runFrames(5000, 60);
  ASSERT_EQ(Trace::starts.size(), 5000u);
  EXPECT_EQ(Trace::starts.front(), 4294907295u);  // the clock starts a minute before its wrap
  EXPECT_GT(Trace::starts.front(), Trace::starts.back());
  for (std::size_t i = 1; i < Trace::starts.size(); ++i) {
    ASSERT_EQ(Trace::starts[i] - Trace::starts[i - 1], 16u) << "frame " << i;
  }
  EXPECT_EQ(Trace::rates.back(), 60000u / (60u * 16u));
}

TEST_F(FramePacingTest, FirstSixtyFramesMeasureAgainstTheConstructionTime) {
  runFrames(70, 60);
  // The ring starts filled with the construction time, and the first frame is
  // let through at once.
  const Engine::u32 constructed = Trace::starts[0];
  for (std::size_t k = 1; k < 60; ++k) {
    EXPECT_EQ(Trace::rates[k], 60000u / (Trace::starts[k] - constructed)) << "frame " << k;
  }
  EXPECT_EQ(Trace::rates[65], 60000u / (60u * 16u));
}

TEST_F(FramePacingTest, UnpacedFramesInOneMillisecondDoNotDivideByZero) {
  runFrames(200, 0);
  EXPECT_EQ(Trace::starts.front(), Trace::starts.back());
  EXPECT_EQ(Trace::rates.back(), 60000u);
  EXPECT_EQ(platform().fakeClock.sleepCalls, 0u);
}

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

using Engine::Framework;
using Engine::FileIO::ManagerImpl;

class FileManagerStartTest : public ::testing::Test {
 protected:
  void TearDown() override { Framework::Impl::destroyInstance(); }
  PlatformFake::ScopedFakeBackend backend;
};

TEST_F(FileManagerStartTest, ConfiguredArchivesAreHandedOverInOrder) {
  backend->fakeFileSystem.put("data.arc", TestSupport::ArchiveBuilder().addStored("a.txt", "archived").build());
  Framework::Impl::create();
  Framework::Configuration config;
  config.setArchiveNumber(2);
  config.setArchiveName(0, "data.arc");
  config.setArchiveName(1, "more.arc");
  config.setLoadMode(2);
  Framework::Impl::instance()->start();

  ASSERT_TRUE(ManagerImpl::instance());
  const auto& sources = ManagerImpl::instance()->sources();
  ASSERT_EQ(sources.size(), 2u);
  const Framework::Impl& framework = *Framework::Impl::instance();  // the names handed over and forgotten
  const bool namesForgotten = !framework.archiveNames;
  EXPECT_EQ(std::tuple(sources[0]->entryCount(), sources[1]->isDirect(), framework.archiveNumber, namesForgotten),
            std::tuple(1, false, 0, true));
}

// Without archives only loose files can be read: whatever mode was asked,
// even "archives only", the manager reads them, so the game starts on them.
TEST_F(FileManagerStartTest, WithoutArchivesLooseFilesAreReadInAnyMode) {
  backend->fakeFileSystem.put("data/loose.txt", "loose");
  for (const Engine::i32 mode : {2, 0, 1}) {
    SCOPED_TRACE(mode);
    Framework::Impl::create();
    Framework::Configuration config;
    config.setLoadMode(mode);
    if (mode == 0) {
      config.setArchiveNumber(0);
    }
    Framework::Impl::instance()->start();

    ASSERT_TRUE(ManagerImpl::instance());
    const auto& sources = ManagerImpl::instance()->sources();
    ASSERT_EQ(sources.size(), 1u);
    EXPECT_TRUE(sources[0]->isDirect());
    {
      Engine::FileIO::InFile file = Engine::FileIO::InFile::create("data/loose.txt");
      while (!file.isFinished()) {
        std::this_thread::yield();
      }
      ASSERT_FALSE(file.isError());
      EXPECT_EQ(std::string(file.data(), file.size()), "loose");
    }
    Framework::Impl::destroyInstance();
  }
}

}  // namespace
