#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "root/play/PlayRunner.h"
#include "root/play/PlayScript.h"

namespace {

using Game::Play::Command;
using Game::Play::CommandKind;
using Game::Play::PlayRunner;
using Game::Play::TraceState;

// Each command as "kind keys frames field value line".
std::string describe(const Command& c) {
  return std::to_string(static_cast<int>(c.kind)) + " " + std::to_string(c.keys) + " " + std::to_string(c.frames) +
         " " + c.field + " " + c.value + " " + std::to_string(c.line);
}

std::vector<std::string> parsed(const char* text) {
  const Game::Play::Script script = Game::Play::parseScript(text, "a.play");
  std::vector<std::string> out;
  if (!script.error.empty()) {
    out.push_back(script.error);
  }
  for (const Command& c : script.commands) {
    out.push_back(describe(c));
  }
  return out;
}

TEST(PlayScript, ReadsEachCommand) {
  struct Row {
    const char* text;
    std::vector<std::string> expected;
  } rows[] = {
      {"wait scene=title 90", {"0 0 90 scene title 1"}},
      {"wait frame=5", {"0 0 600 frame 5 1"}},
      {"  press x  # decide", {"1 32 1   1"}},
      {"press decide+down 3", {"1 36 3   1"}},
      {"hold cancel+f9 2", {"2 8388672 2   1"}},
      {"\n\nidle 7", {"3 0 7   3"}},
      {"shot az_AZ-09", {"4 0 0 az_AZ-09  1"}},
      {"end", {"5 0 0   1"}},
      {"repeat 2 {\n press up\n repeat 2 {\n  idle 1\n }\n}",
       {"1 1 1   2", "3 0 1   4", "3 0 1   4", "1 1 1   2", "3 0 1   4", "3 0 1   4"}},
      {"repeat 3 {\n}\nend", {"5 0 0   3"}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(parsed(row.text), row.expected) << row.text;
  }
}

TEST(PlayScript, NamesTheFileAndLineOfAFault) {
  const char* rows[][2] = {
      {"jump", "a.play:1: unknown command 'jump'"},
      {"\npress k", "a.play:2: unknown key 'k'"},
      {"press x+", "a.play:1: unknown key ''"},
      {"press x 0", "a.play:1: a frame count must be a number from 1 to 1000000, not '0'"},
      {"hold x", "a.play:1: 'hold' takes 2 argument(s)"},
      {"idle 1000001", "a.play:1: a frame count must be a number from 1 to 1000000, not '1000001'"},
      {"idle 5x", "a.play:1: a frame count must be a number from 1 to 1000000, not '5x'"},
      {"wait scene", "a.play:1: wait needs FIELD=VALUE, not 'scene'"},
      {"wait =x", "a.play:1: wait needs FIELD=VALUE, not '=x'"},
      {"wait a=", "a.play:1: wait needs FIELD=VALUE, not 'a='"},
      {"wait frame=z", "a.play:1: a frame must be a number from 0 to 1000000, not 'z'"},
      {"wait a=b 0", "a.play:1: a wait's limit must be a number from 1 to 1000000, not '0'"},
      {"wait a=b 1 2", "a.play:1: 'wait' takes 1 or 2 argument(s)"},
      {"shot a/b", "a.play:1: a shot's name takes letters, digits, '_' and '-' only"},
      {"end now", "a.play:1: 'end' takes 0 argument(s)"},
      {"idle", "a.play:1: 'idle' takes 1 argument(s)"},
      {"repeat 2", "a.play:1: repeat needs a count and '{'"},
      {"repeat 10001 {\n}", "a.play:1: a repeat count must be a number from 1 to 10000, not '10001'"},
      {"}", "a.play:1: '}' without its repeat"},
      {"repeat 1 {\n} x", "a.play:2: '}' without its repeat"},
      {"idle 1\nrepeat 2 {\nidle 1", "a.play:2: '{' is never closed"},
      {"repeat 1 {\nrepeat 1 {\nrepeat 1 {\nrepeat 1 {\nrepeat 1 {\nrepeat 1 {\nrepeat 1 {\nrepeat 1 {\nrepeat 1 {",
       "a.play:9: repeats nest deeper than 8"},
      {"repeat 1000 {\nrepeat 100 {\nidle 1\n}\nidle 1\n}", "a.play:6: more than 100000 commands once repeated"},
      {"repeat 10000 {\nrepeat 10 {\nidle 1\n}\n}\nidle 1", "a.play:6: more than 100000 commands once repeated"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(parsed(row[0]), std::vector<std::string>{row[1]}) << row[0];
  }
}

// Runs the script against the given scene a frame; records keys a frame and
// what the runner ended with.
std::string play(const char* text, const std::vector<const char*>& scenes) {
  PlayRunner runner(Game::Play::parseScript(text, "a.play").commands);
  std::string keys;
  for (std::size_t frame = 0; frame < scenes.size() && runner.status() == PlayRunner::Status::kRunning; ++frame) {
    keys += std::to_string(runner.nextKeys()) + " ";
    runner.observe(TraceState{{{"frame", std::to_string(frame)}, {"scene", scenes[frame]}}});
    for (const std::string& shot : runner.takeShots()) {
      keys += "[" + shot + "] ";
    }
  }
  const char* status[] = {"running", "finished", "failed"};
  return keys + status[static_cast<int>(runner.status())] + " " + runner.failure();
}

TEST(PlayRunner, StepsThroughCommandsFrameByFrame) {
  const std::vector<const char*> titleThenField = {"title", "title", "title", "field", "field", "field", "field"};
  const char* rows[][2] = {
      {"press x 2\nidle 1\nhold up 2", "32 32 0 0 1 1 finished "},
      {"wait scene=field 9\nshot f\npress z", "0 0 0 0 [f] 64 0 finished "},
      {"wait scene=field 3", "0 0 0 failed 1: waited 3 frames in vain for scene=field"},
      {"wait scene=field 4\nwait scene=field\nend\nidle 5", "0 0 0 0 finished "},
      {"wait frame=2\nhold x 9", "0 0 0 32 32 32 32 running "},
      {"wait nothing=1 2", "0 0 failed 1: waited 2 frames in vain for nothing=1"},
      {"", "finished "},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(play(row[0], titleThenField), row[1]) << row[0];
  }
  EXPECT_EQ(PlayRunner({}).nextKeys(), 0u);
}

// Before each step, 1 where a shot may follow it: the frames a scripted run
// must draw (title for three steps, then the field).
TEST(PlayRunner, DrawsOnlyTheStepsAShotMayFollow) {
  const char* rows[][2] = {
      {"idle 2\nshot a\nidle 2", "0100"},
      {"press x 2\nwait scene=field 9\nshot f", "0011"},
      {"wait scene=field 2\nidle 1", "01"},
      {"hold x 1\nwait frame=0\nshot h\npress z", "100"},
      {"idle 1\nend\nshot e", "0"},
  };
  for (const auto& row : rows) {
    PlayRunner runner(Game::Play::parseScript(row[0], "a.play").commands);
    std::string drawn;
    for (int frame = 0; runner.status() == PlayRunner::Status::kRunning; ++frame) {
      drawn += runner.mayShootAfterNextStep() ? "1" : "0";
      runner.observe(TraceState{{{"frame", std::to_string(frame)}, {"scene", frame < 3 ? "title" : "field"}}});
    }
    EXPECT_EQ(drawn, row[1]) << row[0];
  }
}

}  // namespace
