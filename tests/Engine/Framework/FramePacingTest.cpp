#include <gtest/gtest.h>

#include <vector>

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
    static Engine::u32 rate;
    rate = fps;
    Game::onConfigure = [](Engine::Framework::Configuration) {
      if (rate > 0) {
        Engine::Framework::instance().setFrameRate(rate);
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

}  // namespace
