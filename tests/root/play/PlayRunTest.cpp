#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Engine/Framework/WindowCreator.h"
#include "PlatformFake/FakeBackend.h"
#include "running/game/GameData.h"
#include "running/game/GameFlow.h"
#include "running/game/SaveSlot.h"
#include "live/Party.h"
#include "field/FieldScene.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlDocument.h"
#include "root/Application.h"
#include "root/FrameFunction.h"
#include "root/play/PlaySession.h"
#include "root/play/PlayTrace.h"
#include "tests/root/play/GameFolderOnFakes.h"

namespace {

namespace fs = std::filesystem;

// The session's hooks, with the test's own work inside the program after
// every step.
class StepsWith final : public Game::StepHooks {
 public:
  StepsWith(Game::StepHooks& session, std::function<void()> work) : mSession(session), mWork(std::move(work)) {
    Game::Application::setStepHooks(this);
  }
  ~StepsWith() override { Game::Application::setStepHooks(&mSession); }
  void configure(Engine::Framework::Configuration configuration) override { mSession.configure(configuration); }
  bool afterStep() override {
    mWork();
    return mSession.afterStep();
  }

 private:
  Game::StepHooks& mSession;
  std::function<void()> mWork;
};

// The scripts of the smoke test, played on the fakes over the build's game
// folder: fast, and under the sanitizers in their build.
class PlayRunTest : public ::testing::Test {
 protected:
  // The program's status for the script; its trace stays in trace().
  int play(const std::string& script, std::function<void()> afterEachStep = [] {}) {
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
    const StepsWith hooks(*session, std::move(afterEachStep));
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

  GameFolderOnFakes mFolder{"marrowdeep_play_"};
  DiskBackedFakes& mBackend = mFolder.backend;
  const fs::path& mHome = mFolder.home;
};

// A trace line's fields, each value as the line writes it (a string quoted,
// its bytes escaped).
using Fields = std::map<std::string, std::string>;

Fields fieldsOf(const std::string& line) {
  Fields fields;
  std::size_t key = line.find('"');
  while (key != std::string::npos) {
    const std::size_t keyEnd = line.find("\":", key + 1);
    if (keyEnd == std::string::npos) {
      break;
    }
    std::size_t end = keyEnd + 2;
    if (end < line.size() && line[end] == '"') {
      for (++end; end < line.size() && line[end] != '"'; ++end) {
        end += line[end] == '\\' ? 1 : 0;
      }
      end = std::min(end + 1, line.size());
    } else {
      end = std::min(line.find_first_of(",}", end), line.size());
    }
    fields[line.substr(key + 1, keyEnd - key - 1)] = line.substr(keyEnd + 2, end - keyEnd - 2);
    key = line.find('"', end);
  }
  return fields;
}

// The scene's first or last line in the trace.
Fields lineOf(const fs::path& trace, const std::string& scene, bool last) {
  std::ifstream in(trace);
  Fields found;
  for (std::string line; std::getline(in, line);) {
    if (Fields fields = fieldsOf(line); fields["scene"] == "\"" + scene + "\"") {
      found = std::move(fields);
      if (!last) {
        break;
      }
    }
  }
  return found;
}

// The fields of `line` that `like` has too, but the clock and the scene.
Fields sharedWith(const Fields& line, const Fields& like) {
  Fields shared;
  for (const auto& [name, value] : like) {
    if (name != "frame" && name != "ms" && name != "scene") {
      shared[name] = line.contains(name) ? line.at(name) : "missing";
    }
  }
  return shared;
}

// A value as the trace writes it.
std::string json(const std::string& value) {
  const std::string line = Game::Play::jsonLine({{{"", value}}});
  return line.substr(4, line.size() - 5);
}

const Game::NmlNode* childOf(const Game::NmlNode* node, const char* name) {
  return node && node->countChildren(name) > 0 ? node->findChild(name) : nullptr;
}

std::string itemOf(const Game::NmlNode* node, const char* key, int item = 0) {
  const Game::NmlAttribute* line = node ? node->findAttribute(key) : nullptr;
  return line ? line->item(item) : "missing";
}

// What the save holds of the fields the trace line shows, as the trace writes
// them: the player's site, floor and cell, the lead's experience, the named
// symbols and the variables.
Fields savedAs(const Game::NmlNode& save, const Fields& like) {
  const Game::NmlNode* field = childOf(&save, "field");
  Fields saved{{"site", json(itemOf(field, "site"))}, {"floor", json(itemOf(field, "file"))}};
  const Game::NmlNode* symbols = childOf(field, "symbol");
  for (int i = 0; symbols && i < symbols->childCount(); ++i) {
    const std::string name = itemOf(symbols->child(i), "name");
    saved[std::string(Game::Play::kSymbolPrefix) + name] = "1";
    if (name == Game::FieldScene::kPlayerName) {
      saved["cell"] = json(itemOf(symbols->child(i), "position") + "," + itemOf(symbols->child(i), "position", 1));
    }
  }
  const Game::NmlNode* party = childOf(&save, "party");
  // Saves key the lead by her full name.
  constexpr const char* kLead = "剣のケッサ";
  const bool leads = itemOf(party, "member") == kLead;
  for (int i = 0; leads && i < party->childCount(); ++i) {
    if (itemOf(party->child(i), "name") == kLead) {
      saved["experience"] = itemOf(party->child(i), "experience");
    }
  }
  const Game::NmlNode* integers = childOf(childOf(&save, "flag"), "integer");
  for (const auto& [name, value] : like) {
    if (!saved.contains(name)) {
      saved[name] = name.starts_with(Game::Play::kSymbolPrefix) ? "0" : itemOf(integers, name.c_str());
    }
  }
  return sharedWith(saved, like);
}

// The save's compact text, masked where two saves of one game differ with the
// time they are taken at: the head holds the clock's date and minute, and the
// play time counts the frames played, which go on after a load.
std::string maskedBody(const Game::NmlNode& save) {
  Game::String text;
  save.toString(text, false);
  std::string body = text.c_str() ? text.c_str() : "";
  const std::size_t count = body.find("}system{count ");
  const std::size_t countEnd = body.find(';', count);
  if (body.starts_with("head{") && count != std::string::npos && countEnd != std::string::npos) {
    body = "head{}system{count;" + body.substr(countEnd + 1);
  }
  return body;
}

// Run 1 wins the mine's first battle and saves from the camp: the save holds
// what the trace showed there. Run 2 loads it from the title and stands where
// run 1 saved; saved again on the step that loads it, before its field moves
// (the symbols count their frames too), it gives the same body.
TEST_F(PlayRunTest, ABattleWonIsSavedFromTheCampAndLoadedFromTheTitle) {
  const std::string plays = std::string(MARROWDEEP_SOURCE_DIR) + "/tests/smoke/play/";
  // Read by the game's own reader, inside the program, once the camp wrote it.
  Game::NmlDocument saved;
  bool read = false;
  const auto readOnce = [&] { read = read || (Game::SaveSlot::exists(0) && Game::SaveSlot::read(saved, 0)); };
  ASSERT_EQ(play(plays + "save.play", readOnce), 0);
  ASSERT_TRUE(read);
  std::string seen = scenes();
  std::cout << "scenes by frame: " << seen << std::endl;
  for (const char* scene : {"title@", "field@", "continue@", "field@", "battle@", "field@", "camp@", "field@", "title@"}) {
    const std::size_t at = seen.find(scene);
    ASSERT_NE(at, std::string::npos) << scene << " after the rest in " << scenes();
    seen = seen.substr(at + 1);
  }
  const fs::path trace = mHome / "trace.jsonl";
  EXPECT_EQ(lineOf(trace, "battle", true)["phase"], "\"over\"");
  const Fields camp = lineOf(trace, "camp", true);
  for (const char* name : {"site", "floor", "cell", "experience", "battleCount", "winCount", "symbol.sentry"}) {
    ASSERT_TRUE(camp.contains(name)) << name;
  }
  EXPECT_LT(std::stoi(lineOf(trace, "battle", false)["experience"]), std::stoi(camp.at("experience")));
  EXPECT_EQ(savedAs(saved, camp), sharedWith(camp, camp));

  Game::NmlDocument again;
  bool savedAgain = false;
  ASSERT_EQ(play(plays + "load.play",
                 [&] {
                   const Game::GameFlow* flow = Game::GameFlow::instance();
                   savedAgain = savedAgain || (flow && flow->game() && Game::SaveSlot::save(*flow->game(), 1) &&
                                               Game::SaveSlot::read(again, 1));
                 }),
            0);
  ASSERT_TRUE(savedAgain);
  EXPECT_EQ(scenes().substr(0, 8), "title@0 ");
  EXPECT_EQ(sharedWith(lineOf(trace, "field", false), camp), sharedWith(camp, camp));
  EXPECT_EQ(maskedBody(again), maskedBody(saved));
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
