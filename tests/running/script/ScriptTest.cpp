#include "running/script/Script.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "running/script/command/Command.h"
#include "running/script/command/FlowCommands.h"
#include "tests/running/script/ScriptFixture.h"

namespace {

using Engine::i32;
using Game::Script;
using ScriptTestSupport::ScriptTest;

constexpr i32 kRun = Script::kRunning;
constexpr i32 kFin = Script::kFinished;
constexpr i32 kEnd = Script::kEnded;

// Each script is stepped through the results listed; "money" tells what ran.
TEST_F(ScriptTest, StepsFinishEndOrYieldAndRunsNestPastTheCapEndWithAMessage) {
  fs().put("inner.txt", std::string("if{ 1{ end{} } } let{ name money; value 9; }"));
  fs().put("count.txt", std::string("increase{ name money; }"));
  fs().put("nowhere.txt", "");  // empty: a missing script halts at its read
  const struct {
    const char* text;
    std::vector<i32> results;
    i32 money;
  } cases[] = {
      {"", {kFin}, 0},
      // The sleep counter is reset for the next run.
      {"sleep{ value 3; } end{}", {kRun, kRun, kEnd, kRun}, 0},
      {"sleep{ value 0; } sleep{ value 1; } let{ name money; value 7; }", {kFin}, 7},
      // A name that is no command ends the script there, silently.
      {"increase{ name money; } increse{ name money; } increase{ name money; }", {kFin, kFin}, 2},
      {"if{ 1{ break{} let{ name money; value 5; } } } increase{ name money; }", {kFin}, 1},
      // An end inside a branch of a run file ends the outermost script.
      {"run{ path inner.txt; } let{ name money; value 4; }", {kEnd}, 0},
      {"run{ path count.txt; }", {kFin, kFin}, 2},
      {"run{ path nowhere.txt; } let{ name money; value 2; }", {kFin}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    game().money() = 0;
    load(c.text);
    for (i32 result : c.results) EXPECT_EQ(stepScript(), result);
    if (c.results.back() != kRun) {
      EXPECT_EQ(mScript.pc(), -1);
    }
    EXPECT_EQ(integer("money"), c.money);
  }
  EXPECT_EQ(debugLinesWith("script nowhere.txt: no such file or an empty one"), 1);
  EXPECT_EQ(debugLinesWith("script inner.txt"), 0);
  // Runs nest up to the cap; one more ends every enclosing script with a
  // message naming the file and the script that runs it, where a script that
  // runs itself, or two that run each other, would exhaust the stack.
  static_assert(Game::ScriptStuff::Run::kMaxDepth == 32);
  fs().put("self.txt", std::string("increase{ name money; } run{ path self.txt; }"));
  fs().put("a.txt", std::string("run{ path b.txt; }"));
  fs().put("b.txt", std::string("increase{ name money; } run{ path a.txt; }"));
  fs().put("count32.txt", std::string("increase{ name money; } if{ int(money)<32{ run{ path count32.txt; } } }"));
  fs().put("count33.txt", std::string("increase{ name money; } if{ int(money)<33{ run{ path count33.txt; } } }"));
  const struct {
    const char* text;
    i32 result;
    i32 money;  // how many runs went in
    const char* message;
  } nests[] = {
      // Each run of self.txt counts one before it runs itself again.
      {"run{ path self.txt; } let{ name money; value 99; }", kEnd, 32, "run : self.txt in self.txt"},
      // b.txt counts at every second depth.
      {"run{ path a.txt; }", kEnd, 16, "run : a.txt in b.txt"},
      // Recursion that stops by itself is allowed right up to the cap.
      {"run{ path count32.txt; } increase{ name money; }", kFin, 33, nullptr},
      {"run{ path count33.txt; } increase{ name money; }", kEnd, 32, "run : count33.txt in count33.txt"},
  };
  for (const auto& c : nests) {
    SCOPED_TRACE(c.text);
    game().money() = 0;
    const int before = debugLinesWith("run : ");
    load(c.text);
    EXPECT_EQ(stepScript(), c.result);
    EXPECT_EQ(std::tuple(integer("money"), mScript.pc(), debugLinesWith("run : ")),
              std::tuple(c.money, -1, before + (c.message ? 1 : 0)));
    if (c.message) {
      EXPECT_EQ(debugLinesWith(c.message), 1);
    }
  }
  // Stepped again, the loaded scripts are reused and stop at the same depth.
  game().money() = 0;
  load("run{ path self.txt; }");
  EXPECT_EQ(stepScript(), kEnd);
  EXPECT_EQ(stepScript(), kEnd);
  EXPECT_EQ(integer("money"), 64);
}

TEST_F(ScriptTest, ClearLeavesNoCommandsARunKeepsItsScriptAndIfRunsTheBranchThatHolds) {
  load("sleep{ value 3; } end{}");
  EXPECT_EQ(stepScript(), kRun);
  EXPECT_EQ(mScript.pc(), 0);
  mScript.clear();
  EXPECT_EQ(std::tuple(mScript.pc(), mScript.commandCount()), std::tuple(-1, 0));
  EXPECT_EQ(stepScript(), kFin);
  // A run keeps its script between runs.
  fs().put("inner.txt", std::string("increase{ name money; }"));
  load("run{ path inner.txt; }");
  stepScript();
  const auto* run = dynamic_cast<const Game::ScriptStuff::Run*>(mScript.command(0));
  ASSERT_TRUE(run && run->script());
  const Script* loaded = run->script();
  stepScript();
  EXPECT_EQ(run->script(), loaded);
  // A false or missing condition goes on in the same step; the first branch
  // that holds runs.
  const char* three =
      "if{ int(floor)==1{ let{ name money; value 10; } } int(floor)==2{ let{ name money; value 20; } }"
      " else{ let{ name money; value 30; } } }";
  const struct {
    const char* text;
    i32 floor;
    i32 branches;
    i32 money;
  } cases[] = {
      {three, 1, 3, 10},
      {three, 2, 3, 20},
      {three, 3, 3, 30},
      {"if{ int(floor)==0; let{ name money; value 1; } }", 0, 1, 1},
      {"if{ expression int(floor)==5; other; let{ name money; value 2; } }", 0, 0, 0},
      {"if{ expression int(floor)==0; let{ name money; value 3; } }", 0, 1, 3},
      {"if{ 0; let{ name money; value 4; } }", 0, 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.text << " floor " << c.floor);
    game().money() = 0;
    game().floor() = c.floor;
    load(c.text);
    const auto* command = dynamic_cast<const Game::ScriptStuff::If*>(mScript.command(0));
    ASSERT_TRUE(command);
    EXPECT_EQ(command->branchCount(), c.branches);
    EXPECT_EQ(stepScript(), kFin);
    EXPECT_EQ(integer("money"), c.money);
  }
  // A waiting branch keeps the if active: the conditions are not tested
  // again until the branch finishes.
  load("if{ int(floor)==1{ sleep{ value 2; } let{ name money; value 10; } } else{ let{ name money; value 30; } } }");
  game().floor() = 1;
  EXPECT_EQ(stepScript(), kRun);
  game().floor() = 2;
  EXPECT_EQ(stepScript(), kFin);
  EXPECT_EQ(integer("money"), 10);
  EXPECT_EQ(stepScript(), kFin);
  EXPECT_EQ(integer("money"), 30);
}

// The driver goes on only once the talk window is idle and no message shows;
// a name that is no command after the message ends the run there.
TEST_F(ScriptTest, TheDriverWaitsForTalkAndMessagesAndClearsSceneModelsAroundARun) {
  const std::tuple<const char*, int, int> cases[] = {
      {"talk{ L 語り手,はじめの一行。; }", 6, 5}, {"message{ お知らせ。; }", 2, 5}, {"message{ お知らせ。; } nosuch{}", 2, 0}};
  for (const auto& [shown, waits, money] : cases) {
    SCOPED_TRACE(shown);
    game().money() = 0;
    load((std::string(shown) + " let{ name money; value 5; }").c_str());
    step({});
    for (int i = 0; i < waits; ++i) {
      EXPECT_EQ(mScript.update(game()), kRun);
      EXPECT_EQ(mScript.pc(), 1);
    }
    i32 result = kRun;
    for (int i = 0; i < 60 && result == kRun; ++i) {
      result = i % 2 == 0 ? frame({kDecide}) : frame();
    }
    EXPECT_EQ(std::tuple(result, integer("money")), std::tuple(kFin, money));
  }
  // It clears the scene models around a run.
  fs().put("src/picture/event/box.txt", std::string("model{name lid;} model{name base;}"));
  Game::SceneModelSet& models = game().sceneModels();
  models.createResourceSet("src/picture/event/box.txt", "left over");
  load("sceneAddContainer{ name 箱; path src/picture/event/box.txt; }"
       " sceneAddModel{ name a; model 箱,lid; limit 60; } sleep{ value 2; }");
  EXPECT_EQ(mScript.update(game()), kRun);
  EXPECT_EQ(models.resourceSets().count(), 1);
  EXPECT_NE(models.findEntry("a"), nullptr);
  EXPECT_EQ(mScript.update(game()), kFin);
  EXPECT_EQ(std::tuple(models.resourceSets().count(), models.entries().count()), std::tuple(0, 0));
}

using ScriptDeathTest = ScriptTest;

TEST_F(ScriptDeathTest, BadScriptFilesStopTheLoadNamingFileAndCommand) {
  fs().put("bad.txt", std::string("let{ name money; value 1; }\r\nsleep{ time 3; }"));
  EXPECT_DEATH(mScript.loadFromPath("bad.txt", game()),
               "bad.txt line 2, command 1 \\(sleep\\): sleep: no \"value\" line");
  fs().put("broken.txt", std::string("let{ name money; value 1; } talk{ L a,b;"));
  EXPECT_DEATH(mScript.loadFromPath("broken.txt", game()), "broken.txt");
  // A stray '}' would leave the rest of the script unread: the load stops
  // naming the file and the line.
  fs().put("stray.txt", std::string("let{ name money; value 1; }\n}\nlet{ name money; value 2; }"));
  EXPECT_DEATH(mScript.loadFromPath("stray.txt", game()), "stray\\.txt:2 : '}' closes no node");
  load("run{ path stray.txt; }");
  EXPECT_DEATH(stepScript(), "stray\\.txt:2 : '}' closes no node");
}

}  // namespace
