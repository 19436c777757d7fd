#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Engine/Framework/WindowCreatorTestSupport.h"
#include "root/Application.h"
#include "core/config/Config.h"
#include "running/game/GameFlow.h"
#include "core/random/RandomGenerator.h"
#include "presentation/picture/SystemResources.h"
#include "presentation/scene/SceneRenderer.h"
#include "records/Database.h"
#include "tests/running/game/GameFixture.h"
#include "tests/records/database/DatabaseFixture.h"

namespace {

using Game::Application;
using Game::ApplicationStep;
using Platform::Key;
using Support = WindowCreatorTestSupport::Game;

constexpr std::size_t kStepCount = 14;

std::vector<ApplicationStep> gRealSteps;
std::vector<std::string> gLog;

template <std::size_t I>
void loggedCreate() {
  gLog.push_back(std::string("+") + gRealSteps[I].name);
  gRealSteps[I].create();
}

template <std::size_t I>
void loggedDestroy() {
  gLog.push_back(std::string("-") + gRealSteps[I].name);
  gRealSteps[I].destroy();
}

template <std::size_t... I>
void logSteps(std::vector<ApplicationStep>& steps, std::index_sequence<I...>) {
  ((steps[I].create = &loggedCreate<I>, steps[I].destroy = steps[I].destroy ? &loggedDestroy<I> : nullptr), ...);
}

// The real game on the fakes: its configure, and its frame function after
// the test's script for the frame. Keys held in frame n are read in frame n + 1.
class ApplicationTest : public ::testing::Test {
 protected:
  // The lists the root reads at start, empty here, and the whole sample set
  // of battle files; the title asks for its tune by name, never opened with
  // the music off.
  void SetUp() override {
    PlatformFake::FakeFileSystem& files = mFixture.platform().fakeFileSystem;
    files.put("bgm/bgm.txt", "タイトル{ file title; loop 1; }");
    files.put("config.ini", "BGM 0;");
    for (const char* name :
         {"src/system/systemsound.txt", "src/system/number.txt", "src/system/wall.txt", "src/system/cursor.txt",
          "src/system/frame.txt", "src/system/rect.txt", "src/system/gauge.txt", "src/face/face.txt",
          "src/face/batch.txt", "src/picture/gui/呪力.txt", "src/picture/gui/矢印.txt", "src/picture/gui/スポット.txt",
          "src/picture/gui/アイコン.txt", "src/picture/gui/コンパス.txt", "src/picture/title/main.txt",
          "src/picture/title/scene.txt", "src/data/map/link.txt",
          "src/data/map/container.txt", "src/picture/unit/list.txt", "src/picture/symbol/list.txt",
          "src/picture/map/object/list.txt", "src/picture/map/list.txt"}) {
      files.put(name, "");
    }
    files.put("src/data/map/list.txt", "site{name 広間;folder a;start f;encounter{none;}save file;BGM t;}");
    for (int i = 0; i < Game::Database::kBattleFileCount; ++i) {
      files.put(Game::Database::battleFilePath(i), DatabaseTestSupport::sampleFile(Game::Database::battleFilePath(i)));
    }
    // The start checks that every item's use script is there.
    GameTestSupport::putSampleFiles(files, "src/data/tool");
    mSavedSteps = Application::steps();
    Support::onConfigure = [](Engine::Framework::Configuration configuration) {
      Engine::Framework::instance().configure(configuration);
    };
  }
  void TearDown() override {
    Application::steps() = mSavedSteps;
    Game::Config::instance().setDefaults();
  }

  // Runs frames until the program ends; script(frame) runs before each frame's
  // update. The window has the focus, so that the keyboard is read.
  int run(std::function<void(int)> script) {
    Platform::WindowEvent focus;
    focus.type = Platform::WindowEventType::Activate;
    focus.active = true;
    mFixture.platform().fakeWindow.push(focus);
    Support::onUpdate = [this, script] {
      script(Support::updates);
      Engine::Framework::instance().update();
    };
    return mFixture.run();
  }

  PlatformFake::FakeKeyboard& keyboard() { return mFixture.platform().fakeKeyboard; }
  static void endAfterThisFrame() { Engine::Framework::instance().requestEnd(); }
  static Game::SceneRenderer& renderer() { return *Game::SceneRenderer::instance(); }

  WindowCreatorTestSupport::Fixture mFixture;
  std::vector<ApplicationStep> mSavedSteps;
};

TEST_F(ApplicationTest, SingletonsAreCreatedAndDestroyedInTheirOrder) {
  std::vector<ApplicationStep>& steps = Application::steps();
  ASSERT_EQ(steps.size(), kStepCount);
  gRealSteps = steps;
  gLog.clear();
  logSteps(steps, std::make_index_sequence<kStepCount>());
  bool allUp = false;
  Support::onUpdate = [&] {
    Application::create();
    allUp = Game::SceneRenderer::instance() && Game::RandomGenerator::instance() && Game::Database::instance() &&
            Game::GameFlow::instance() && Game::GameFlow::instance()->title();
    Application::destroy();
    endAfterThisFrame();
  };
  mFixture.run();
  EXPECT_TRUE(allUp);
  EXPECT_FALSE(Game::SceneRenderer::instance() || Game::Database::instance() || Game::GameFlow::instance());
  const std::vector<std::string> expected = {
      "+file loader", "+scene renderer", "+joystick", "+random generator", "+floor-build queue", "+music",
      "+sound effects", "+scene-node pool registry", "+system resources", "+face pictures", "+constant tables",
      "+interface pictures", "+databases", "+game flow",
      // The joystick handle is not released by the root.
      "-game flow", "-databases", "-interface pictures", "-constant tables", "-face pictures", "-system resources",
      "-scene-node pool registry", "-sound effects", "-music", "-floor-build queue", "-random generator",
      "-scene renderer", "-file loader"};
  EXPECT_EQ(gLog, expected);
}

// The fast-forward key, read in frames 2 and 3, acts from the frame after
// the one that read it: frames 3 and 4 run two steps and draw once.
TEST_F(ApplicationTest, FastForwardRunsTwoStepsAndDrawsOnce) {
  std::vector<int> steps;
  std::vector<int> draws;
  std::vector<int> flowFrames;
  run([&](int frame) {
    if (frame > 1) {
      steps.push_back(renderer().frameCount());
      draws.push_back(renderer().drawnFades() + renderer().drawnLayerFlushes());
      flowFrames.push_back(Game::GameFlow::instance()->frameCount());
    }
    if (frame == 1) {
      keyboard().press(Key::Control);
      Game::Config::instance().setting(Game::Config::kFps).set(1);
    }
    if (frame == 3) keyboard().release(Key::Control);
    if (frame == 5) endAfterThisFrame();
  });
  // Counts at the start of frames 2 to 5: after frames 1 to 4.
  EXPECT_EQ(steps, (std::vector<int>{1, 2, 4, 6}));
  EXPECT_EQ(flowFrames, steps);
  EXPECT_EQ(draws, (std::vector<int>{2, 4, 6, 8}));
}

// Files 0, 1 and 3 exist: the two presses write 2 and 4, one each however long
// the key is held; each plays the "saved" sound. Files are written on the
// loader thread: frames run on until the second has arrived.
TEST_F(ApplicationTest, OneScreenshotAPressOnTheNextFreeNumber) {
  PlatformFake::FakeFileSystem& files = mFixture.platform().fakeFileSystem;
  for (const char* name : {"snapshot/ss00000.bmp", "snapshot/ss00001.bmp", "snapshot/ss00003.bmp"}) {
    files.put(name, "old");
  }
  int sounds = 0;
  run([&](int frame) {
    if (frame == 1) keyboard().press(Key::Space);
    if (frame == 4) keyboard().release(Key::Space);
    if (frame == 5) keyboard().press(Key::Space);
    if (frame > 7 && (files.contents("snapshot/ss00004.bmp") || frame == 100000)) {
      sounds = Game::SystemResources::instance()->soundRequests();
      endAfterThisFrame();
    }
  });
  EXPECT_EQ(sounds, 2);
  for (const char* name : {"snapshot/ss00002.bmp", "snapshot/ss00004.bmp"}) {
    const auto written = files.contents(name);
    ASSERT_TRUE(written) << name;
    EXPECT_EQ(std::string(written->begin(), written->begin() + 2), "BM") << name;
  }
  EXPECT_FALSE(files.contents("snapshot/ss00005.bmp"));
  const auto kept = files.contents("snapshot/ss00003.bmp");
  EXPECT_EQ(std::string(kept->begin(), kept->end()), "old");
}

// With every five-digit name taken the namer stops probing instead of
// wrapping round for ever, and writes nothing.
TEST(OutputNamerTest, AllNamesTakenCapturesNothing) {
  PlatformFake::ScopedFakeBackend backend;
  char name[32];
  for (int i = 0; i <= 99999; ++i) {
    std::snprintf(name, sizeof(name), "snapshot/ss%05d.bmp", i);
    backend->fakeFileSystem.put(name, "");
  }
  Game::OutputNamer namer(false);
  EXPECT_EQ(namer.number(), 100000);
  namer.capture();
  EXPECT_EQ(namer.number(), 100000);
}

// At start the temporary files that killed writes of a save or of the
// settings left go, unless their writer (42) still runs; other names stay.
TEST_F(ApplicationTest, WhatKilledWritesLeftGoesAtStart) {
  PlatformFake::FakeFileSystem& files = mFixture.platform().fakeFileSystem;
  files.runningProcesses = {42};
  const std::pair<const char*, bool> leftovers[] = {
      {"savedata/3.sav.tmp41_0", false}, {"savedata/12.sav.tmp7_12", false}, {"config.ini.tmp41_2", false},
      {"savedata/3.sav.tmp42_1", true},  {"config.ini.tmp42_0", true},       {"savedata/0.sav.tmpx_1", true},
      {"savedata/0.sav.tmp12_", true},   {"savedata/other.tmp1_2", true},    {"savedata/.sav.tmp1_2", true},
      {"savedata/12.tmp1_2", true},      {"savedata/1.sav1_2", true},        {"savedata/config.ini.tmp1_2", true},
      {"0.sav.tmp1_2", true},            {"config.ini.tmp1", true}};
  for (const auto& [name, kept] : leftovers) files.put(name, "x");
  run([](int) { endAfterThisFrame(); });
  for (const auto& [name, kept] : leftovers) EXPECT_EQ(files.contents(name).has_value(), kept) << name;
}

TEST_F(ApplicationTest, TheQuitKeyEndsTheProgramAtTheEndOfTheFrame) {
  EXPECT_EQ(run([&](int frame) {
              if (frame == 2) keyboard().press(Key::Escape);
            }),
            0);
  EXPECT_EQ(std::tuple(Support::updates, Application::instance()), std::tuple(3, nullptr));
}

}  // namespace
