#include "script/Script.h"

#include <gtest/gtest.h>

#include "script/command/Command.h"
#include "script/command/FlowCommands.h"
#include "tests/script/ScriptFixture.h"

namespace {

using Engine::i32;
using Game::Script;
using ScriptTestSupport::ScriptTest;

TEST_F(ScriptTest, AnEmptyScriptFinishesOnItsFirstStep) {
  load("");
  EXPECT_EQ(stepScript(), Script::kFinished);
  EXPECT_EQ(mScript.pc(), -1);
}

TEST_F(ScriptTest, SleepCountsExecutionsThenEndEndsInTheSameStep) {
  load("sleep{ value 3; } end{}");
  EXPECT_EQ(stepScript(), Script::kRunning);
  EXPECT_EQ(stepScript(), Script::kRunning);
  EXPECT_EQ(stepScript(), Script::kEnded);
  EXPECT_EQ(mScript.pc(), -1);
  // Ready for the next run: the counter was reset.
  EXPECT_EQ(stepScript(), Script::kRunning);
}

TEST_F(ScriptTest, SleepOfZeroOrOnePassesAtOnce) {
  load("sleep{ value 0; } sleep{ value 1; } let{ name money; value 7; }");
  EXPECT_EQ(stepScript(), Script::kFinished);
  EXPECT_EQ(integer("money"), 7);
}

// A name that is no command leaves an empty entry: the script finishes
// there, silently, and what follows never runs.
TEST_F(ScriptTest, AMisspeltKeywordEndsTheScriptThere) {
  load("increase{ name money; } increse{ name money; } increase{ name money; }");
  ASSERT_EQ(mScript.commandCount(), 3);
  EXPECT_EQ(mScript.command(1), nullptr);
  EXPECT_EQ(stepScript(), Script::kFinished);
  EXPECT_EQ(integer("money"), 1);
  EXPECT_EQ(stepScript(), Script::kFinished);
  EXPECT_EQ(integer("money"), 2);
}

TEST_F(ScriptTest, BreakInsideABranchLeavesOnlyTheBranch) {
  load("if{ 1{ break{} let{ name money; value 5; } } } let{ name floor; value 3; }");
  EXPECT_EQ(stepScript(), Script::kFinished);
  EXPECT_EQ(integer("money"), 0);
  EXPECT_EQ(integer("floor"), 3);
}

TEST_F(ScriptTest, EndInsideABranchOfARunFileEndsTheOutermostScript) {
  fs().put("inner.txt", std::string("if{ 1{ end{} } } let{ name money; value 9; }"));
  load("run{ path inner.txt; } let{ name floor; value 4; }");
  EXPECT_EQ(stepScript(), Script::kEnded);
  EXPECT_EQ(mScript.pc(), -1);
  EXPECT_EQ(integer("money"), 0);
  EXPECT_EQ(integer("floor"), 0);
}

TEST_F(ScriptTest, RunKeepsItsScriptAndStartsItAgain) {
  fs().put("inner.txt", std::string("increase{ name money; }"));
  load("run{ path inner.txt; }");
  EXPECT_EQ(stepScript(), Script::kFinished);
  const auto* run = dynamic_cast<const Game::ScriptStuff::Run*>(mScript.command(0));
  ASSERT_TRUE(run && run->script());
  const Script* loaded = run->script();
  EXPECT_EQ(stepScript(), Script::kFinished);
  EXPECT_EQ(run->script(), loaded);
  EXPECT_EQ(integer("money"), 2);
}

struct IfCase {
  const char* name;
  i32 x;
  i32 expected;
};

// Three branches on "floor": 1, 2 and else; "money" tells which ran.
TEST_F(ScriptTest, TheFirstBranchWhoseConditionHoldsRuns) {
  const IfCase cases[] = {{"one", 1, 10}, {"two", 2, 20}, {"else", 3, 30}};
  for (const IfCase& c : cases) {
    SCOPED_TRACE(c.name);
    load("if{ int(floor)==1{ let{ name money; value 10; } } int(floor)==2{ let{ name money; value 20; } }"
         " else{ let{ name money; value 30; } } }");
    game().floor() = c.x;
    EXPECT_EQ(stepScript(), Script::kFinished);
    EXPECT_EQ(integer("money"), c.expected);
  }
}

TEST_F(ScriptTest, IfFormsByTheirAttributeLines) {
  struct Form {
    const char* text;
    i32 branches;
    i32 money;
  } forms[] = {
      {"if{ int(floor)==0; let{ name money; value 1; } }", 1, 1},
      {"if{ expression int(floor)==5; other; let{ name money; value 2; } }", 0, 0},
      {"if{ expression int(floor)==0; let{ name money; value 3; } }", 1, 3},
      {"if{ 0; let{ name money; value 4; } }", 1, 0},
  };
  for (const Form& form : forms) {
    SCOPED_TRACE(form.text);
    game().money() = 0;
    load(form.text);
    const auto* command = dynamic_cast<const Game::ScriptStuff::If*>(mScript.command(0));
    ASSERT_TRUE(command);
    EXPECT_EQ(command->branchCount(), form.branches);
    // A false or missing condition goes on in the same step.
    EXPECT_EQ(stepScript(), Script::kFinished);
    EXPECT_EQ(integer("money"), form.money);
  }
}

// A waiting branch keeps the if active: the conditions are not tested
// again until the branch finishes.
TEST_F(ScriptTest, AWaitingBranchResumesWithoutTestingAgain) {
  load("if{ int(floor)==1{ sleep{ value 2; } let{ name money; value 10; } } else{ let{ name money; value 30; } } }");
  game().floor() = 1;
  EXPECT_EQ(stepScript(), Script::kRunning);
  game().floor() = 2;
  EXPECT_EQ(stepScript(), Script::kFinished);
  EXPECT_EQ(integer("money"), 10);
  EXPECT_EQ(stepScript(), Script::kFinished);
  EXPECT_EQ(integer("money"), 30);
}

TEST_F(ScriptTest, TalkYieldsAndTheDriverWaitsForAnIdleWindowBeforeLet) {
  load("talk{ L 語り手,はじめの一行。; } let{ name money; value 5; }");
  EXPECT_EQ(mScript.update(game()), Script::kRunning);
  EXPECT_EQ(mScript.pc(), 1);
  EXPECT_EQ(integer("money"), 0);
  // The line shows until decide finishes it.
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(mScript.update(game()), Script::kRunning);
  }
  EXPECT_EQ(integer("money"), 0);
  i32 result = Script::kRunning;
  for (int i = 0; i < 60 && result == Script::kRunning; ++i) {
    result = i % 2 == 0 ? frame({kDecide}) : frame();
  }
  EXPECT_EQ(result, Script::kFinished);
  EXPECT_EQ(integer("money"), 5);
}

TEST_F(ScriptTest, TheDriverWaitsWhileAMessageShows) {
  load("message{ お知らせ。; } let{ name money; value 5; }");
  EXPECT_EQ(mScript.update(game()), Script::kRunning);
  EXPECT_EQ(game().messages().count(), 1);
  EXPECT_EQ(mScript.update(game()), Script::kRunning);
  EXPECT_EQ(integer("money"), 0);
  i32 result = Script::kRunning;
  for (int i = 0; i < 60 && result == Script::kRunning; ++i) {
    result = i % 2 == 0 ? frame({kDecide}) : frame();
  }
  EXPECT_EQ(result, Script::kFinished);
  EXPECT_EQ(integer("money"), 5);
}

TEST_F(ScriptTest, TheDriverClearsSceneModelsAroundARun) {
  fs().put("src/picture/event/box.txt", std::string("model{name lid;} model{name base;}"));
  Game::SceneModelSet& models = game().sceneModels();
  models.createResourceSet("src/picture/event/box.txt", "left over");
  load("sceneAddContainer{ name 箱; path src/picture/event/box.txt; }"
       " sceneAddModel{ name a; model 箱,lid; limit 60; } sleep{ value 2; }");
  EXPECT_EQ(mScript.update(game()), Script::kRunning);
  EXPECT_EQ(models.resourceSets().count(), 1);
  EXPECT_NE(models.findEntry("a"), nullptr);
  EXPECT_EQ(mScript.update(game()), Script::kFinished);
  EXPECT_EQ(models.resourceSets().count(), 0);
  EXPECT_EQ(models.entries().count(), 0);
}

using ScriptDeathTest = ScriptTest;

TEST_F(ScriptDeathTest, AMissingRequiredLineStopsTheLoadNamingFileAndCommand) {
  fs().put("bad.txt", std::string("let{ name money; value 1; } sleep{ time 3; }"));
  EXPECT_DEATH(mScript.loadFromPath("bad.txt", game()), "bad.txt, command 1 \\(sleep\\): sleep: no \"value\" line");
}

TEST_F(ScriptDeathTest, AScriptFileThatDoesNotParseStopsNamingIt) {
  fs().put("broken.txt", std::string("let{ name money; value 1; } talk{ L a,b;"));
  EXPECT_DEATH(mScript.loadFromPath("broken.txt", game()), "broken.txt");
}

TEST_F(ScriptTest, AMissingRunFileIsAnEmptyScriptWithADebugLine) {
  load("run{ path nowhere.txt; } let{ name money; value 2; }");
  EXPECT_EQ(stepScript(), Script::kFinished);
  EXPECT_EQ(integer("money"), 2);
  bool named = false;
  for (const std::string& line : debugLines()) {
    named = named || line.find("nowhere.txt") != std::string::npos;
  }
  EXPECT_TRUE(named);
}

}  // namespace
