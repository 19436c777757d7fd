#include <gtest/gtest.h>

#include <stdexcept>

#include "WindowCreatorTestSupport.h"

namespace {

using Platform::WindowEventType;
using WindowCreatorTestSupport::Game;

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
};

TEST_F(WindowCreatorTest, WindowTakesTheConfiguredSizeAndTitle) {
  Game::onConfigure = [](Engine::Framework::Configuration configuration) {
    configuration.setWidth(800);
    configuration.setHeight(600);
    configuration.setTitle("Marrowdeep ver1.02");
  };
  window().push(WindowEventType::CloseRequest);
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(window().desc.width, 800u);
  EXPECT_EQ(window().desc.height, 600u);
  EXPECT_EQ(window().desc.title, "Marrowdeep ver1.02");
  EXPECT_FALSE(window().desc.fullScreen);
}

TEST_F(WindowCreatorTest, LongTitleIsCutWithoutSplittingACharacter) {
  // 51 two-byte characters and one more byte: the cut falls after 102 bytes.
  static std::string title;
  title = "a" + std::string(51 * 2, '\0');
  for (std::size_t i = 1; i < title.size(); i += 2) {
    title[i] = '\x83';
    title[i + 1] = '\x5C';
  }
  Game::onConfigure = [](Engine::Framework::Configuration configuration) { configuration.setTitle(title.c_str()); };
  window().push(WindowEventType::CloseRequest);
  run();
  EXPECT_EQ(window().desc.title.size(), 103u);
  title.insert(0, "b");
  window().push(WindowEventType::CloseRequest);
  run();
  EXPECT_EQ(window().desc.title.size(), 102u);
}

TEST_F(WindowCreatorTest, CloseRequestEndsTheFrameThenTearsDownInReverse) {
  addRecordingSteps();
  Game::onUpdate = [] {
    Game::log.push_back(Engine::Framework::instance().isEndRequested() ? "update:end" : "update");
  };
  window().push(WindowEventType::Wheel);
  window().push(WindowEventType::CloseRequest);
  EXPECT_EQ(run(), 0);
  const std::vector<std::string> expected = {"+first", "+second", "update", "update:end", "-second", "-first"};
  EXPECT_EQ(Game::log, expected);
  EXPECT_EQ(window().destroyCount, 1);
  EXPECT_EQ(Engine::Framework::Impl::instance(), nullptr);
  EXPECT_EQ(Engine::WindowCreator::instance(), nullptr);
}

TEST_F(WindowCreatorTest, ExceptionOutOfUpdateShowsOneFatalBoxAndEndsCleanly) {
  addRecordingSteps();
  Game::onUpdate = [] {
    if (Game::updates == 2) {
      throw std::runtime_error("broken frame");
    }
  };
  EXPECT_EQ(run(), 1);
  ASSERT_EQ(platform().fakeMessageBox.shown.size(), 1u);
  EXPECT_EQ(platform().fakeMessageBox.shown[0].caption, "致命的エラー");
  EXPECT_EQ(platform().fakeMessageBox.shown[0].text, "致命的な問題があり、継続できません。申し訳ありませんが終了いたします");
  EXPECT_EQ(Game::updates, 2);
  EXPECT_EQ(Game::releases, 1);
  const std::vector<std::string> expected = {"+first", "+second", "-second", "-first"};
  EXPECT_EQ(Game::log, expected);
  EXPECT_EQ(window().destroyCount, 1);
}

TEST_F(WindowCreatorTest, FailedStartTearsDownOnlyWhatStartedAndRunsNoFrame) {
  addRecordingSteps(true);
  EXPECT_EQ(run(), 1);
  const std::vector<std::string> expected = {"+first", "+second", "-second", "-first"};
  EXPECT_EQ(Game::log, expected);
  EXPECT_EQ(Game::updates, 0);
  ASSERT_EQ(platform().fakeMessageBox.shown.size(), 1u);
  EXPECT_EQ(platform().fakeMessageBox.shown[0].text, "致命的な問題があり、起動できません。申し訳ありませんが終了いたします");
  EXPECT_EQ(Engine::Framework::Impl::instance(), nullptr);
}

TEST_F(WindowCreatorTest, FailedWindowCreationEndsBeforeTheLoop) {
  window().failCreate = true;
  EXPECT_EQ(run(), 1);
  EXPECT_EQ(Game::updates, 0);
  EXPECT_EQ(Engine::Framework::Impl::instance(), nullptr);
}

TEST_F(WindowCreatorTest, EachPassHandlesOneMessageAndRunsOneFrame) {
  for (int i = 0; i < 5; ++i) {
    window().push(WindowEventType::Wheel);
  }
  window().push(WindowEventType::CloseRequest);
  run();
  EXPECT_EQ(Game::updates, 6);
}

TEST_F(WindowCreatorTest, MinimisedWindowSleepsInsteadOfRunningFrames) {
  Game::onUpdate = [] {
    if (Game::updates == 1) {
      auto& fake = dynamic_cast<PlatformFake::FakeWindow&>(Platform::backend().window());
      fake.push(WindowEventType::Minimize);
      fake.push(WindowEventType::Wheel);
      fake.push(WindowEventType::Wheel);
      fake.push(WindowEventType::Restore);
      fake.push(WindowEventType::CloseRequest);
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
  EXPECT_EQ(Game::log, std::vector<std::string>{"end"});
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
  Platform::WindowEvent zeroWheel;
  zeroWheel.type = WindowEventType::Wheel;
  zeroWheel.wheelDelta = 0;
  window().push(zeroWheel);
  Platform::WindowEvent drop;
  drop.type = WindowEventType::DropFiles;
  drop.droppedPaths = {"a.txt"};
  window().push(drop);
  Platform::WindowEvent focus;
  focus.type = WindowEventType::Activate;
  focus.active = true;
  window().push(focus);
  focus.minimized = true;
  window().push(focus);
  window().push(WindowEventType::CloseRequest);
  Game::onUpdate = [] {
    Engine::WindowCreator& creator = *Engine::WindowCreator::instance();
    if (Game::updates == 1) {
      EXPECT_EQ(creator.getAndResetMouseWheel(), -1);  // a zero step counts as down
      EXPECT_EQ(creator.getAndResetMouseWheel(), 0);
    } else if (Game::updates == 2) {
      EXPECT_EQ(creator.droppedFiles().size(), 0);  // drops are not enabled
    } else if (Game::updates == 3) {
      EXPECT_TRUE(creator.isActive());
    } else if (Game::updates == 4) {
      EXPECT_FALSE(creator.isActive());  // activated while minimised
    }
  };
  run();
  EXPECT_EQ(Game::updates, 5);
}

using WindowCreatorDeathTest = WindowCreatorTest;

TEST_F(WindowCreatorDeathTest, ArchiveNameOutsideTheCountHalts) {
  Game::onConfigure = [](Engine::Framework::Configuration configuration) {
    configuration.setArchiveNumber(3);
    configuration.setArchiveName(3, "extra.dat");
  };
  EXPECT_DEATH(run(), "archive index out of range");
}

TEST_F(WindowCreatorDeathTest, NegativeExtraThreadNumberHalts) {
  Game::onConfigure = [](Engine::Framework::Configuration configuration) { configuration.setExtraThreadNumber(-1); };
  EXPECT_DEATH(run(), "n >= 0 && \"extraThreadNumber must be >= 0\"");
}

}  // namespace
