#include <gtest/gtest.h>

#include <map>
#include <string>

#include "presentation/scene/SceneRenderer.h"
#include "presentation/widget/ListMenu.h"
#include "running/script/command/Command.h"
#include "running/script/command/MenuCommands.h"
#include "root/command/RunningScenes.h"
#include "running/script/command/SceneCommands.h"
#include "running/script/command/TalkCommands.h"
#include "tests/Services.h"
#include "tests/running/script/ScriptFixture.h"

namespace {

using Engine::i32;
using Game::Script;
using Platform::Key;
using ScriptTestSupport::ScriptTest;
namespace ScriptStuff = Game::ScriptStuff;

class CommandTest : public ScriptTest {
 protected:
  // Frames until the menu takes input, then one frame with the key.
  i32 pressAfterDelay(Key key) {
    for (i32 i = 0; i <= Game::ListMenu::kInputDelay; ++i) frame();
    return frame({key});
  }
};

TEST_F(CommandTest, EveryKeywordMakesACommandAndOtherNamesNone) {
  for (i32 i = 0; i < ScriptStuff::kKeywordCount; ++i) {
    const char* name = ScriptStuff::keyword(i);
    SCOPED_TRACE(name);
    // Commands that resolve their names when read need names the databases hold.
    const std::map<std::string, const char*> bodies = {
        {"numberDialog", "min 0; max 9; value 1;"}, {"openScene", "name オープニング;"},
        {"getTool", "name 薬草;"}, {"increaseTool", "name 薬草;"}, {"expendTool", "name 薬草;"},
        {"shop", "tool 薬草;"}, {"addGhost", "name Kessa;"}, {"createGhost", "name Kessa;"},
        {"organizeParty", "shell Kessa;"}, {"createContainer", "position 7;"}, {"createRace", nullptr},
        {"setState", nullptr}};
    const auto special = bodies.find(name);
    if (special != bodies.end() && !special->second) continue;
    const char* body = special != bodies.end() ? special->second : "value 1; name a; rank 100; start{}";
    load((std::string(name) + "{ " + body + " }").c_str());
    EXPECT_NE(mScript.command(0), nullptr);
  }
  load("End{} ending{} talks{}");
  for (i32 i = 0; i < 3; ++i) EXPECT_EQ(mScript.command(i), nullptr);
}

TEST_F(CommandTest, VariablesAndFlagsAndUndeclaredIntegersWithOneDebugLine) {
  load("let{ name money; value 3*4; } increase{ name money; } increase{ name money; value int(money); }"
       " createInteger{ name 一時; } increase{ name 一時; value 5; } flagOn{ name 扉; } flagOn{ name 窓; }"
       " flagOff{ name 窓; } flagOff{ name 無い; } destroyInteger{ name 無い; }"
       " let{ name floor; value 2147483647; } increase{ name floor; }");
  EXPECT_EQ(stepScript(), Script::kFinished);
  // The floor wraps rather than overflowing.
  EXPECT_EQ(std::tuple(integer("money"), integer("floor"), integer("一時"), game().variables().isFlagOn("扉"),
                       game().variables().isFlagOn("窓")),
            std::tuple(26, -2147483647 - 1, 5, true, false));
  load("destroyInteger{ name 一時; }");
  stepScript();
  EXPECT_FALSE(game().variables().hasInteger("一時"));
  EXPECT_EQ(debugLinesWith("undeclared"), 0);
  // Let and increase create an undeclared integer with one debug line.
  fs().put("名前.txt", std::string("let{ name 新顔; value int(新顔)+2; } increase{ name 二番; } increase{ name 二番; }"));
  mScript.loadFromPath("名前.txt", game());
  EXPECT_EQ(stepScript(), Script::kFinished);
  // An undeclared name reads 0 in the expression.
  EXPECT_EQ(std::tuple(integer("新顔"), integer("二番"), debugLinesWith("undeclared"), debugLinesWith("名前.txt")),
            std::tuple(2, 2, 2, 2));
}

struct ConfirmCase {
  const char* name;
  std::initializer_list<Key> moves;
  i32 answer;
};

TEST_F(CommandTest, ConfirmAndDialogSetTheAnswer) {
  const ConfirmCase cases[] = {{"yes", {}, 0}, {"no", {Key::Down}, 1}};
  for (const ConfirmCase& c : cases) {
    SCOPED_TRACE(c.name);
    game().answer() = 7;
    load("confirm{ caption よろしいですか？; } let{ name money; value 1; }");
    for (i32 i = 0; i <= Game::ListMenu::kInputDelay; ++i) frame();
    for (Key key : c.moves) {
      frame({key});
      frame();
    }
    frame({kCancel});  // a cancel does not answer
    EXPECT_EQ(integer("answer"), 7);
    frame();
    frame({kDecide});
    EXPECT_EQ(integer("answer"), c.answer);
    EXPECT_EQ(frame(), Script::kFinished);
  }
  // A dialog offers the lines whose condition holds and sets the id.
  game().floor() = 2;
  load("dialog{ line 10,北へ; line 20,南へ,int(floor)==1; line 30,東へ,int(floor)==2; }");
  pressAfterDelay(kCancel);  // a cancel does not end it
  frame();
  frame({Key::Down});  // line 20 is not offered: Down goes to 30
  frame();
  EXPECT_EQ(frame({kDecide}), Script::kRunning);
  EXPECT_EQ(integer("answer"), 30);
  // Without lines that hold it cannot be chosen.
  load("dialog{ line 1,無,0; }");
  for (i32 i = 0; i < 40; ++i) {
    EXPECT_EQ(i % 2 == 0 ? frame({kDecide}) : frame(), Script::kRunning);
  }
}

TEST_F(CommandTest, NumberDialogIgnoresACancelAndWaitKeyAnUnlistedKey) {
  load("numberDialog{ min 1; max 99; value 5*2; }");
  frame();
  frame({kCancel});
  EXPECT_EQ(frame(), Script::kRunning);
  EXPECT_EQ(frame({kDecide}), Script::kFinished);
  EXPECT_EQ(integer("answer"), 10);
  // A key wait waits for a listed key.
  load("waitKey{ key 6; key 99; }");
  for (i32 i = 0; i < 5; ++i) EXPECT_EQ(frame({kDecide}), Script::kRunning);
  frame();
  EXPECT_EQ(frame({kCancel}), Script::kFinished);
  load("waitKey{}");
  for (i32 i = 0; i < 6; ++i) EXPECT_EQ(i % 2 ? frame({kCancel}) : frame({kDecide}), Script::kRunning);
}

TEST_F(CommandTest, ScreenRecordAndSceneModelCommands) {
  const TestServices::Scoped renderer(TestServices::kRenderer);
  load("fadeOut{} log{ 第一章; } changeBGM{ name 通常戦闘; }");
  stepScript();
  EXPECT_EQ(std::tuple(Game::SceneRenderer::instance()->fadeTarget(), std::string(game().headline()),
                       std::string(game().bgmName())),
            std::tuple(255, "第一章", "通常戦闘"));
  load("fadeIn{}");
  stepScript();
  EXPECT_EQ(Game::SceneRenderer::instance()->fadeTarget(), 0);
  // Scene commands add and remove the game's scene models.
  fs().put("src/picture/event/箱.txt", std::string("model{name 蓋;} model{name 底;}"));
  load("sceneAddContainer{ name 箱; path src/picture/event/箱.txt; }"
       " sceneAddModel{ name a; container 箱; model 蓋; }"
       " sceneAddModel{ name b; model 箱,底; limit 30; }"
       " sceneAddModel{ name c; model 箱,無い; }"
       " sceneDestroyModel{ name a; }");
  EXPECT_EQ(stepScript(), Script::kFinished);
  const Game::SceneModelSet& models = game().sceneModels();
  ASSERT_NE(models.findResourceSet("箱"), nullptr);
  EXPECT_EQ(std::tuple(models.findEntry("a"), models.findEntry("c")), std::tuple(nullptr, nullptr));
  const Game::SceneModelSet::Entry* entry = models.findEntry("b");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(std::tuple(entry->model, entry->duration), std::tuple(models.findResourceSet("箱")->findModel("底"), 30.f));
}

TEST_F(CommandTest, TalkQueuesItsRecordAndCloseTalkEmptiesTheWindow) {
  load("talk{ chara false; L 左,一行目。; R 右,二行目。; skip true; } closeTalk{}");
  const auto* talk = dynamic_cast<const ScriptStuff::Talk*>(mScript.command(0));
  ASSERT_NE(talk, nullptr);
  EXPECT_EQ(std::tuple(talk->record().lines.count(), talk->record().skip), std::tuple(2, true));
  EXPECT_EQ(stepScript(), Script::kRunning);
  EXPECT_FALSE(game().messageWindow().showsFaces());
  EXPECT_FALSE(game().messageWindow().isIdle());
  EXPECT_EQ(stepScript(), Script::kFinished);
  EXPECT_EQ(game().messageWindow().queuedLines(), 0);
  // Without a game flow a reset asks nothing and stays.
  load("reset{}");
  EXPECT_EQ(stepScript(), Script::kRunning);
}

// A save keeps the slot list open; only leaving it asks whether to finish,
// and "no" goes back to the list.
TEST_F(CommandTest, SaveDialogAsksOnlyWhenTheListIsLeftAndFieldCommandsNeedAField) {
  load("saveDialog{}");
  const auto* dialog = dynamic_cast<const ScriptStuff::SaveDialog*>(mScript.command(0));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(pressAfterDelay(kDecide), Script::kRunning);
  frame();
  EXPECT_EQ(pressAfterDelay(kCancel), Script::kRunning);
  EXPECT_TRUE(dialog->isAsking());
  frame();
  pressAfterDelay(Key::Down);
  frame();
  EXPECT_EQ(frame({kDecide}), Script::kRunning);
  EXPECT_FALSE(dialog->isAsking());
  frame();
  EXPECT_EQ(pressAfterDelay(kCancel), Script::kRunning);
  frame();
  EXPECT_EQ(pressAfterDelay(kDecide), Script::kFinished);
  EXPECT_EQ(dialog->slotMenu(), nullptr);
  // Field commands without a field say so once and go on.
  ScriptStuff::forgetMissingSceneReports();
  game().setField(nullptr);
  load("completeFloorMap{} completeFloorMap{} fixAngle{ value 1; } seekContainer{} let{ name money; value 1; }");
  EXPECT_EQ(stepScript(), Script::kRunning);  // the chests' count yields the step
  EXPECT_EQ(stepScript(), Script::kFinished);
  EXPECT_EQ(std::tuple(integer("money"), debugLinesWith("\"completeFloorMap\" needs a field"),
                       debugLinesWith("\"fixAngle\" needs a field")),
            std::tuple(1, 1, 1));
}

}  // namespace
