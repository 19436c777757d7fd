#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "Engine/Framework/WindowCreator.h"
#include "Platform/SystemBackend.h"
#include "PlatformFake/FakeBackend.h"
#include "field/FieldScene.h"
#include "root/FrameFunction.h"
#include "root/play/PlaySession.h"
#include "root/play/PlayTrace.h"

namespace {

namespace fs = std::filesystem;

// The fakes for every device and the window, the disk for the game's files.
class DiskBackedFakes : public PlatformFake::FakeBackend {
 public:
  Platform::FileSystem& fileSystem() override { return mSystem->fileSystem(); }

 private:
  std::unique_ptr<Platform::SystemBackend> mSystem = Platform::createSystemBackend();
};

// The scripts of the smoke test, played on the fakes over the build's game
// folder: fast, and under the sanitizers in their build.
class PlayRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mHome = fs::temp_directory_path() / ("marrowdeep_play_" + std::to_string(::getpid()));
    fs::create_directories(mHome);
    mStartFolder = fs::current_path();
    fs::current_path(MARROWDEEP_GAME_DIR);
    mPrevious = Platform::hasBackend() ? &Platform::backend() : nullptr;
    mBackend.fakeProcessor.mask = 0b11;
    Platform::setBackend(&mBackend);
  }
  void TearDown() override {
    Platform::setBackend(mPrevious);
    fs::current_path(mStartFolder);
    fs::remove_all(mHome);
  }

  // The program's status for the script; its trace stays in trace().
  int play(const std::string& script) {
    Game::Play::PlayOptions options;
    options.script = script;
    options.trace = (mHome / "trace.jsonl").string();
    options.home = mHome.string();
    options.shots = mHome.string();
    std::string error;
    std::unique_ptr<Game::Play::PlaySession> session = Game::Play::PlaySession::open(options, error);
    EXPECT_TRUE(session) << error;
    if (!session) {
      return -1;
    }
    const int status = Engine::WindowCreator::run(Game::gameEntry());
    return status != 0 ? status : session->finish();
  }

  // The scenes one after another, with the frame each began on.
  std::string scenes() const {
    std::ifstream in(mHome / "trace.jsonl");
    std::string line;
    std::string last;
    std::string out;
    while (std::getline(in, line)) {
      const std::size_t at = line.find("\"scene\":\"") + 9;
      const std::string scene = line.substr(at, line.find('"', at) - at);
      if (scene != last) {
        out += scene + "@" + line.substr(9, line.find(',') - 9) + " ";
        last = scene;
      }
    }
    return out;
  }

  DiskBackedFakes mBackend;
  Platform::Backend* mPrevious = nullptr;
  fs::path mHome;
  fs::path mStartFolder;
};

TEST_F(PlayRunTest, ANewGameGoesFromTheTitleToTheFieldAndOutThroughTheRing) {
  ASSERT_EQ(play(std::string(MARROWDEEP_SOURCE_DIR) + "/tests/smoke/play/new_game.play"), 0);
  const std::string seen = scenes();
  std::cout << "scenes by frame: " << seen << std::endl;
  EXPECT_EQ(seen.substr(0, 8), "title@0 ");
  EXPECT_NE(seen.find(" field@"), std::string::npos);
  EXPECT_NE(seen.find(" title@", seen.find(" field@")), std::string::npos);
  // On the field the trace shows where the player stands.
  std::ifstream in(mHome / "trace.jsonl");
  std::string line;
  while (std::getline(in, line) && line.find("\"scene\":\"field\"") == std::string::npos) {
  }
  EXPECT_NE(line.find("\"floor\":\""), std::string::npos) << line;
  EXPECT_NE(line.find("\"cell\":\""), std::string::npos) << line;
  EXPECT_NE(line.find("\"experience\":"), std::string::npos) << line;
}

// A field's value ("site", "cell", "experience"...) on the last trace line of
// a scene that has it; quotes dropped.
std::string lastOf(const fs::path& trace, const std::string& scene, const std::string& field) {
  std::ifstream in(trace);
  std::string line;
  std::string value;
  while (std::getline(in, line)) {
    const std::size_t at = line.find("\"" + field + "\":");
    if (line.find("\"scene\":\"" + scene + "\"") != std::string::npos && at != std::string::npos) {
      const bool quoted = line[at + field.size() + 3] == '"';
      const std::size_t start = at + field.size() + 3 + (quoted ? 1 : 0);
      value = line.substr(start, line.find_first_of(quoted ? "\"" : ",}", start) - start);
    }
  }
  return value;
}

// Run 1 wins the mine's first battle and saves from the camp; run 2 loads
// that save from the title and stands where run 1 saved.
TEST_F(PlayRunTest, ABattleWonIsSavedFromTheCampAndLoadedFromTheTitle) {
  const std::string plays = std::string(MARROWDEEP_SOURCE_DIR) + "/tests/smoke/play/";
  ASSERT_EQ(play(plays + "save.play"), 0);
  std::string seen = scenes();
  std::cout << "scenes by frame: " << seen << std::endl;
  for (const char* scene : {"title@", "field@", "continue@", "field@", "battle@", "field@", "camp@", "field@", "title@"}) {
    const std::size_t at = seen.find(scene);
    ASSERT_NE(at, std::string::npos) << scene << " after the rest in " << scenes();
    seen = seen.substr(at + 1);
  }
  const fs::path trace = mHome / "trace.jsonl";
  EXPECT_EQ(lastOf(trace, "battle", "phase"), "over");
  EXPECT_EQ(lastOf(trace, "camp", "experience"), "16");
  ASSERT_TRUE(fs::is_regular_file(mHome / "savedata" / "0.sav"));
  const std::string saved = lastOf(trace, "field", "site") + "/" + lastOf(trace, "field", "floor") + "/" +
                            lastOf(trace, "field", "cell");
  EXPECT_EQ(saved.find("//"), std::string::npos) << saved;
  std::cout << "saved at " << saved << std::endl;
  ASSERT_EQ(play(plays + "load.play"), 0);
  EXPECT_EQ(scenes().substr(0, 8), "title@0 ");
  EXPECT_EQ(lastOf(trace, "field", "site") + "/" + lastOf(trace, "field", "floor") + "/" +
                lastOf(trace, "field", "cell"),
            saved);
}

}  // namespace

TEST_F(PlayRunTest, AWaitThatNeverComesFailsWithinItsLimit) {
  const std::string script = (mHome / "never.play").string();
  std::ofstream(script) << "idle 20\nwait scene=battle 5\n";
  testing::internal::CaptureStderr();
  EXPECT_EQ(play(script), 1);
  const std::string report = testing::internal::GetCapturedStderr();
  EXPECT_NE(report.find("never.play:2: waited 5 frames in vain for scene=battle"), std::string::npos) << report;
  // The last twelve lines.
  EXPECT_NE(report.find("{\"frame\":24,"), std::string::npos) << report;
  EXPECT_NE(report.find("{\"frame\":13,"), std::string::npos) << report;
  EXPECT_EQ(report.find("{\"frame\":12,"), std::string::npos) << report;
  EXPECT_EQ(scenes(), "title@0 ");
}

// A symbol the waits name is traced 1 while it stands on the open floor.
TEST_F(PlayRunTest, TracesWhetherANamedSymbolIsOnTheFloor) {
  const std::string script = (mHome / "symbol.play").string();
  std::ofstream(script) << "wait menu=stars 600\npress decide\nwait opening=0 120\nidle 30\npress decide\n"
                           "wait scene=field 1200\nwait symbol." << Game::FieldScene::kPlayerName
                        << "=1 1\nwait symbol.nobody=0 1\n";
  EXPECT_EQ(play(script), 0);
}

// Whole numbers bare; quotes, backslashes and bytes outside printable ASCII
// escaped.
TEST(PlayTrace, WritesOneJsonObjectALine) {
  const Game::Play::TraceState state{{{"frame", "-3"},
                                      {"a", ""},
                                      {"b", "12a"},
                                      {"q\"", "\\ ~\x7f\x1f\x83"}}};
  EXPECT_EQ(Game::Play::jsonLine(state), R"({"frame":-3,"a":"","b":"12a","q\"":"\\ ~\u007f\u001f\u0083"})");
}

// The usual variables, then those the waits name that the trace lacks.
TEST(PlayOptions, TraceTheVariablesTheWaitsName) {
  const auto script = Game::Play::parseScript("wait gold=1\nwait gold=2\nwait menu=ring\nwait winCount=1\n"
                                              "wait frame=3\nshot keys\nwait keys=1",
                                              "a.play");
  EXPECT_EQ(Game::Play::tracedVariables(script.commands),
            (std::vector<std::string>{"battleCount", "winCount", "battleResult", "gold", "keys"}));
}

// Switches from the command line win over the environment's.
TEST(PlayOptions, ReadFromTheCommandLineOrTheEnvironment) {
  struct Row {
    std::vector<const char*> arguments;
    const char* seedVariable;
    const char* expected;
  } rows[] = {
      {{"m", "--play", "a", "--trace", "t", "--home", "h", "--shots", "s", "--seed", "-7"}, nullptr, "a t h s -7"},
      {{"m"}, "12", "env env env env 12"},
      {{"m", "--play", "b"}, nullptr, "b env env env 1"},
      {{"m", "--play"}, nullptr, "unknown switch or one without its value: --play"},
      {{"m", "--seed"}, nullptr, "unknown switch or one without its value: --seed"},
      {{"m", "--fast", "1"}, nullptr, "unknown switch or one without its value: --fast"},
      {{"m", "--seed", "3x"}, nullptr, "the seed must be a whole number, not '3x'"},
      {{"m"}, "", "env env env env 1"},
  };
  for (const Row& row : rows) {
    static const char* seed;
    seed = row.seedVariable;
    auto environment = [](const char* name) -> const char* {
      return std::string(name) == "MARROWDEEP_PLAY_SEED" ? seed : "env";
    };
    Game::Play::PlayOptions options;
    std::string error;
    std::string got;
    if (Game::Play::readOptions(static_cast<int>(row.arguments.size()), row.arguments.data(), environment, options,
                                error)) {
      got = options.script + " " + options.trace + " " + options.home + " " + options.shots + " " +
            std::to_string(options.seed);
    }
    EXPECT_EQ(error.empty() ? got : error, row.expected);
  }
}
