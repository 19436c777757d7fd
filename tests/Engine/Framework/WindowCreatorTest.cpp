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
