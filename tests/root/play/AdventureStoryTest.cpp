// The sample adventure's story on the field's frame: who talks, who joins
// and when, and what the floors count; the whole adventure's tuning is
// AdventureRunTest's. The field's own rules are pinned in tests/field.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "live/widget/ItemMenu.h"
#include "menu/ContinueScene.h"
#include "presentation/widget/NumberInput.h"
#include "running/game/GameFlow.h"
#include "records/database/MapSiteData.h"
#include "records/expression/GameResolver.h"
#include "tests/field/FieldFrameFixture.h"

namespace Game {
namespace {

using Engine::i32;
using AdventureStoryTest = FieldFrameTest;

// The librarian talks when the party walks up to her desk (round the middle
// shelf); the first time, her word puts the charm on sale.
TEST_F(AdventureStoryTest, TheLibrarianTalksAtHerDeskAndPutsTheCharmOnSale) {
  const FieldAnswers answers(*game);
  Field::Symbol& player = enter("沈黙の書庫", "b1", 3);
  game->stealth() = 100;  // no battles on the way
  // The steps, once: they would start over.
  for (const auto& [dx, dy, steps] : {std::tuple{-1, 0, 1}, {0, 1, 5}, {1, 0, 1}}) {
    for (int i = 0; i < steps; ++i) player.move("move", 4, dx, dy);
  }
  player.move("delete", 0);
  bool talked = false;
  for (int i = 0; i < 600 && !game->variables().isFlagOn("司書と話した"); ++i) {
    const char* speaker = game->messageWindow().speakerName().c_str();
    talked = talked || (speaker && std::string(speaker) == "司書");
    i % 8 ? frames(1) : frames(1, {kDecide});
  }
  EXPECT_EQ(std::tuple(cell(), talked, game->variables().getInteger("onSale.清めの護符")),
            std::tuple(std::pair(4, 7), true, 1));
}

// Down the floors, the bands kept away: the first floor's way down (event 2,
// above 0a) counts like the stairs and makes b2 the second, where Tovan
// joins once; its stairs (event 2) lead a floor deeper, where Rinna joins,
// and from the third to the hall. The mine's tune plays on its floors.
TEST_F(AdventureStoryTest, TheWaysDownCountTheFloorsAndEachRecruitJoinsOnce) {
  FaceSet::create();
  const auto answers = GameFlow::resolverOf(*game);
  ExpressionStuff::GameResolver::install(answers.get());
  game->party().recruit(*database().findShell("Kessa"));
  game->floor() = 1;
  const auto settle = [this] {
    for (int i = 1; i < 400 && (field().startScript() || field().isChangingScene() || !game->messageWindow().isIdle());
         ++i) {
      i % 8 ? frames(1) : frames(1, {kDecide});
      std::vector<std::string> bands;
      for (const auto& symbol : field().symbols()) {
        if (symbol->isEnemy()) bands.push_back(symbol->name());
      }
      for (const std::string& band : bands) field().removeSymbolsNamed(band.c_str());
    }
  };
  for (const auto& [floor, members, file] : {std::tuple{2, 2, "b2"}, {3, 3, "b2"}, {4, 3, "b4"}}) {
    game->variables().integer("stealth") = 100;
    if (floor == 2) {
      field().applySceneChange(database().findSite("灰の坑道"), "b1", 10);
      walk({{0, 1}});
    } else {
      field().placePlayer(2);
      frames(2);
    }
    settle();
    EXPECT_EQ(std::tuple(game->floor(), game->totalFloorCount(), game->party().activeCount(),
                         std::string(field().floorName())),
              std::tuple(floor, floor - 1, members, std::string(file)));
  }
  // Each floor reached, chosen in the continue scene, is where the party
  // starts (the site's start, b1, sends it on); no one joins twice.
  GameData::setContinueMaker([](GameData& g) -> SubScene* { return new ContinueScene(g); });
  game->openScene(*database().findSite("灰の坑道"));
  for (const auto& [floor, file] : {std::tuple{2, "b2"}, {3, "b2"}, {4, "b4"}}) {
    game->field()->requestContinueScene();
    for (int i = 0; i < 1200 && (game->shop() || i < 40 || std::string(field().floorName()) != file); ++i) {
      const auto* scene = dynamic_cast<ContinueScene*>(game->shop());
      const bool lower = scene && scene->floorInput() && scene->floorInput()->value() > floor;
      i % 2 ? frames(1) : frames(1, {lower ? Platform::Key::Down : kDecide});
    }
    settle();
    EXPECT_EQ(std::tuple(game->floor(), std::string(field().floorName()), game->party().activeCount(),
                         std::string(game->variables().string("BGM"))),
              std::tuple(floor, std::string(file), 3, std::string("坑道")));
  }
  GameData::setContinueMaker(nullptr);
  ExpressionStuff::GameResolver::install(nullptr);
  FaceSet::destroy();
}

// The mine's first floor entered afresh: its locked door (6) stays shut to a
// party without the key from the key room's chest and opens with it, each
// moment told on screen; Mio joins on the first arrival in her room (event
// 11) only.
TEST_F(AdventureStoryTest, TheMinesLockedDoorWantsItsKeyAndMioJoinsOnce) {
  const FieldAnswers answers(*game);
  const MapSiteData* mine = database().findSite("灰の坑道");
  field().applySceneChange(mine, "b1", 10);
  walk({{-1, 0}, {-1, 0}, {-1, 0}, {0, -1}});
  EXPECT_EQ(std::tuple(cell(), field().hasSymbol("door6")), std::tuple(std::pair(9, 9), true));
  bool taken = false;
  field().findSymbol("Container_b1_鍵")->touch(taken);
  for (int i = 0; i < 60; ++i) i % 8 ? frames(1) : frames(1, {kDecide});  // its lines read
  walk({{0, -1}, {0, -1}, {0, -1}});
  // Taking the key and passing the door it opened were each told.
  const auto told = [this](const char* moment) { return game->variables().isFlagOn(moment); };
  EXPECT_EQ(std::tuple(cell(), field().hasSymbol("door6"), told("坑道の鍵入手"), told("坑道の扉開放")),
            std::tuple(std::pair(9, 7), false, true, true));
  // The key is listed among the camp's items, whose use tells where its door is.
  ItemMenu usable;
  usable.buildForUse(game->bag());
  ASSERT_EQ(usable.list().itemCount(), 1);
  ASSERT_NE(usable.selectedItem(), nullptr);
  EXPECT_STREQ(usable.selectedItem()->name(), "坑道の鍵");

  const i32 members = game->party().members().count();
  field().applySceneChange(mine, "b1", 7);
  walk({{-1, 0}, {-1, 0}, {0, -1}, {0, 1}});
  EXPECT_EQ(game->party().members().count(), members + 1);
  field().player()->move("move", 8, 0, -1);
  field().player()->move("delete", 0);
  frames(12);
  EXPECT_EQ(std::tuple(cell(), game->messageWindow().isIdle()), std::tuple(std::pair(10, 2), true));
}

// The old miner beside the hall's start only talks to a lone lead; once a
// companion has joined, walking into him lets the party be chosen anew (here
// with Mio, who waited in the roster, taken along).
TEST_F(AdventureStoryTest, TheOldMinerLetsThePartyBeChosenOnceSomeoneHasJoined) {
  const FieldAnswers answers(*game);
  game->variables().flagOn("開幕");
  game->party().recruit(*database().findShell("Kessa"));
  game->party().addGhost(*database().findShell("灯りのミオ"));
  for (const bool joined : {false, true}) {
    if (joined) game->variables().flagOn("ミオ加入");
    enter("オープニング", "hall", 2);
    frames(2);
    walk({{0, 1}, {1, 0}});
    for (int i = 0; i < 200; ++i) i % 8 ? frames(1) : frames(1, {kDecide});
    EXPECT_EQ(game->party().members().count(), joined ? 2 : 1) << joined;
  }
}

}  // namespace
}  // namespace Game
