#include <gtest/gtest.h>

#include <stdexcept>

#include "WindowCreatorTestSupport.h"

namespace {

using Platform::WindowEventType;
using WindowCreatorTestSupport::Game;
using Log = std::vector<std::string>;

class WindowCreatorTest : public ::testing::Test, public WindowCreatorTestSupport::Fixture {
 protected:
  PlatformFake::FakeWindow& window() { return platform().fakeWindow; }

  void addRecordingSteps(bool failThird = false) {
    auto& steps = Engine::Framework::Impl::startSteps();
    steps.insert(steps.begin(), {"first", [](Engine::Framework::Impl&) { Game::log.push_back("+first"); },
                                 [] { Game::log.push_back("-first"); }});
    steps.insert(steps.begin() + 1, {"second", [](Engine::Framework::Impl&) { Game::log.push_back("+second"); },
                                     [] { Game::log.push_back("-second"); }});
    if (failThird) {
      steps.insert(steps.begin() + 2, {"third", [](Engine::Framework::Impl&) { throw std::runtime_error("no device"); },
                                       [] { Game::log.push_back("-third"); }});
    }
  }
  // Runs, then checks that one fatal box with the given text was shown and
  // the started steps were torn down in reverse.
  void expectFatalEnd(const char* text) {
    EXPECT_EQ(run(), 1);
    ASSERT_EQ(platform().fakeMessageBox.shown.size(), 1u);
    EXPECT_EQ(platform().fakeMessageBox.shown[0].caption, "致命的エラー");
    EXPECT_EQ(platform().fakeMessageBox.shown[0].text, text);
    EXPECT_EQ(Game::log, (Log{"+first", "+second", "-second", "-first"}));
    EXPECT_EQ(Engine::Framework::Impl::instance(), nullptr);
  }
};

TEST_F(WindowCreatorTest, WindowTakesTheConfiguredSizeAndTitleCutWithoutSplittingACharacter) {
  // 51 two-byte characters after one byte: the cut falls after 102 bytes.
  static std::string title;
  title = "a";
  for (int i = 0; i < 51; ++i) {
    title += "\x83\x5C";
  }
  Game::onConfigure = [](Engine::Framework::Configuration configuration) {
    configuration.setWidth(800);
    configuration.setHeight(600);
    configuration.setTitle(title.c_str());
  };
  window().push(WindowEventType::CloseRequest);
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(std::pair(window().desc.width, window().desc.height), std::pair(800u, 600u));
  EXPECT_EQ(window().desc.title, title.substr(0, 103));
  title.insert(0, "b");
  window().push(WindowEventType::CloseRequest);
  run();
  EXPECT_EQ(window().desc.title, title.substr(0, 102));
}

// Each pass handles one message and runs one frame.
TEST_F(WindowCreatorTest, CloseRequestEndsTheFrameThenTearsDownInReverse) {
  addRecordingSteps();
  Game::onUpdate = [] {
    Game::log.push_back(Engine::Framework::instance().isEndRequested() ? "update:end" : "update");
  };
  window().push(WindowEventType::Wheel);
  window().push(WindowEventType::Wheel);
  window().push(WindowEventType::CloseRequest);
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(Game::log, (Log{"+first", "+second", "update", "update", "update:end", "-second", "-first"}));
  EXPECT_EQ(window().destroyCount, 1);
  EXPECT_EQ(Engine::WindowCreator::instance(), nullptr);
}

TEST_F(WindowCreatorTest, ExceptionOutOfUpdateShowsOneFatalBoxAndEndsCleanly) {
  addRecordingSteps();
  Game::onUpdate = [] {
    if (Game::updates == 2) {
      throw std::runtime_error("broken frame");
    }
  };
  expectFatalEnd("致命的な問題があり、継続できません。申し訳ありませんが終了いたします");
  EXPECT_EQ(Game::updates, 2);
  EXPECT_EQ(Game::releases, 1);
  EXPECT_EQ(window().destroyCount, 1);
}

TEST_F(WindowCreatorTest, FailedStartTearsDownOnlyWhatStartedAndRunsNoFrame) {
  addRecordingSteps(true);
  expectFatalEnd("致命的な問題があり、起動できません。申し訳ありませんが終了いたします");
  EXPECT_EQ(Game::updates, 0);
}

TEST_F(WindowCreatorTest, FailedWindowCreationEndsBeforeTheLoop) {
  window().failCreate = true;
  EXPECT_EQ(run(), 1);
  EXPECT_EQ(Game::updates, 0);
  EXPECT_EQ(Engine::Framework::Impl::instance(), nullptr);
}

TEST_F(WindowCreatorTest, MinimisedWindowSleepsInsteadOfRunningFrames) {
  Game::onUpdate = [] {
    if (Game::updates == 1) {
      auto& fake = dynamic_cast<PlatformFake::FakeWindow&>(Platform::backend().window());
      for (const auto type : {WindowEventType::Minimize, WindowEventType::Wheel, WindowEventType::Wheel,
                              WindowEventType::Restore, WindowEventType::CloseRequest}) {
        fake.push(type);
      }
    }
  };
  const auto sleptBefore = platform().fakeClock.sleptTotal;
  run();
  // Passes: minimise, wheel, wheel sleep 50 ms each; restore and close run frames.
  EXPECT_EQ(Game::updates, 3);
  EXPECT_EQ(platform().fakeClock.sleptTotal - sleptBefore, 150u);
}

TEST_F(WindowCreatorTest, CloseWhileMinimisedStillLetsTheGameRelease) {
  window().push(WindowEventType::Minimize);
  window().push(WindowEventType::CloseRequest);
  Game::onUpdate = [] { Game::log.push_back(Engine::Framework::instance().isEndRequested() ? "end" : "frame"); };
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(Game::log, Log{"end"});
}

TEST_F(WindowCreatorTest, ForbiddenFullScreenIgnoresBothSwitches) {
  Game::onConfigure = [](Engine::Framework::Configuration configuration) { configuration.forbidFullScreen(true); };
  window().push(WindowEventType::AltEnter);
  window().push(WindowEventType::MaximizeRequest);
  window().push(WindowEventType::CloseRequest);
  run();
  EXPECT_TRUE(window().fullScreenCalls.empty());
}

TEST_F(WindowCreatorTest, WheelActivationAndDrops) {
  window().push({.type = WindowEventType::Wheel, .wheelDelta = 0, .droppedPaths = {}});
  window().push({.type = WindowEventType::DropFiles, .droppedPaths = {"a.txt"}});
  window().push({.type = WindowEventType::Activate, .active = true, .droppedPaths = {}});
  window().push({.type = WindowEventType::Activate, .active = true, .minimized = true, .droppedPaths = {}});
  window().push(WindowEventType::CloseRequest);
  Game::onUpdate = [] {
    Engine::WindowCreator& creator = *Engine::WindowCreator::instance();
    if (Game::updates == 1) {
      EXPECT_EQ(creator.getAndResetMouseWheel(), -1);  // a zero step counts as down
      EXPECT_EQ(creator.getAndResetMouseWheel(), 0);
    } else if (Game::updates == 2) {
      EXPECT_EQ(creator.droppedFiles().size(), 0);  // drops are not enabled
    } else if (Game::updates == 3 || Game::updates == 4) {
      EXPECT_EQ(creator.isActive(), Game::updates == 3);  // not when activated while minimised
    }
  };
  run();
  EXPECT_EQ(Game::updates, 5);
}

using WindowCreatorDeathTest = WindowCreatorTest;

TEST_F(WindowCreatorDeathTest, ArchiveNameOutsideTheCountOrNegativeExtraThreadsHalt) {
  Game::onConfigure = [](Engine::Framework::Configuration configuration) {
    configuration.setArchiveNumber(3);
    configuration.setArchiveName(3, "extra.dat");
  };
  EXPECT_DEATH(run(), "archive index out of range");
  Game::onConfigure = [](Engine::Framework::Configuration configuration) { configuration.setExtraThreadNumber(-1); };
  EXPECT_DEATH(run(), "n >= 0 && \"extraThreadNumber must be >= 0\"");
}

}  // namespace
