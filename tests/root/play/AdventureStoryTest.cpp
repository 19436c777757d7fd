// The sample adventure's story on the field's frame: who talks, who joins
// and when, what the floors count, and the boss tuned to the party a first
// play brings. The field's own rules are pinned in tests/field.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "battle/Battle.h"
#include "running/game/GameFlow.h"
#include "running/game/SaveSlotList.h"
#include "records/stats/Experience.h"
#include "records/database/MapSiteData.h"
#include "records/expression/GameResolver.h"
#include "tests/field/FieldFrameFixture.h"

namespace Game {
namespace {

using Engine::i32;
using Key = Platform::Key;
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

// Down the generated floors, the bands kept away: coming from the first
// floor makes b2 the second, where Tovan joins once; its stairs (event 2)
// lead a floor deeper, where Rinna joins, and from the third to the hall.
// The mine's tune plays on its floors.
TEST_F(AdventureStoryTest, TheStairsCountTheFloorsAndEachRecruitJoinsOnce) {
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
      field().applySceneChange(database().findSite("灰の坑道"), "b2", 9);
    } else {
      field().placePlayer(2);
      frames(2);
    }
    settle();
    EXPECT_EQ(std::tuple(game->floor(), game->party().activeCount(), std::string(field().floorName())),
              std::tuple(floor, members, std::string(file)));
  }
  game->floor() = 1;
  field().applySceneChange(database().findSite("灰の坑道"), "b2", 9);  // from b1 again: no one joins twice
  settle();
  EXPECT_EQ(std::tuple(game->floor(), game->party().activeCount(), std::string(game->variables().string("BGM"))),
            std::tuple(2, 3, std::string("坑道")));
  ExpressionStuff::GameResolver::install(nullptr);
  FaceSet::destroy();
}

// The boss of the fourth floor, met on its hall and fought through the real
// menus: the first choice each time, the next row now and then, and back out
// of a panel whose arts cannot be paid. Kessa starts at level 1 and the
// others join at the lead's experience, so all four share it; a first play
// brings them here at levels 2 to 4 (level 4 needs 1042 experience, 5 needs
// 1706) with the gear they came with. At level 4 they win within 30 turns,
// which sets the clear state and plays the ending with its save dialog (the
// round is counted when that save is loaded); a first-floor party (Kessa and
// Mio at level 1) falls and wakes in Wrenfold.
TEST_F(AdventureStoryTest, TheBossIsWonByThePartyOfTheFourthFloorAndLostByTheFirsts) {
  FaceSet::create();
  struct Row {
    std::vector<const char*> party;
    i32 level, result;
  };
  for (const Row& row : {Row{{"Kessa", "灯りのミオ", "盾のトヴァン", "水守りのリンナ"}, 4, 1}, Row{{"Kessa", "灯りのミオ"}, 1, -1}}) {
    game = std::make_unique<GameData>();
    const auto answers = GameFlow::resolverOf(*game);
    ExpressionStuff::GameResolver::install(answers.get());
    RandomGenerator::instance()->setSeed(75);
    const ShellData& lead = *database().findShell(row.party[0]);
    game->party().recruit(lead)->ghost->setUp(lead, Experience::forLevel(row.level));
    for (std::size_t m = 1; m < row.party.size(); ++m) game->party().recruit(*database().findShell(row.party[m]));
    enter("灰の坑道", "b4", 1).move("move", 4, 0, 1);  // again and again, until the shade is met
    for (int i = 1; i < 600 && !game->battle(); ++i) i % 8 ? frames(1) : frames(1, {kDecide});
    ASSERT_TRUE(game->battle());
    i32 turns = 0;
    for (int i = 1; i < 60000 && game->battle(); ++i) {
      turns = game->battle()->turn();
      i % 120 == 60 ? frames(1, {kCancel}) : i % 40 == 4 || i % 120 == 62 ? frames(1, {Key::Down}) : i % 8 ? frames(1) : frames(1, {kDecide});
    }
    EXPECT_EQ(game->battleResult(), row.result) << row.level;
    EXPECT_LE(turns, 30) << row.level;
    for (int i = 1; i < 900 && !field().isChangingScene(); ++i) i % 8 ? frames(1) : frames(1, {kDecide});
    const bool won = row.result == 1;
    EXPECT_EQ(std::tuple(game->variables().getInteger("clear"), game->clearCount(), field().continueRequests(),
                         game->variables().isFlagOn("坑道踏破"), std::string(game->variables().string("BGM"))),
              std::tuple(won ? 1 : 0, 0, won ? 0 : 1, won, std::string(won ? "エンディング" : "")))
        << row.level;
    ExpressionStuff::GameResolver::install(nullptr);
  }
  FaceSet::destroy();
  SaveSlotList::forgetCursor();  // the ending's save dialog remembers its slot
}

// The mine's first floor entered afresh: its locked door (6) stays shut to a
// party without the key from the key room's chest and opens with it; Mio
// joins on the first arrival in her room (event 11) only.
TEST_F(AdventureStoryTest, TheMinesLockedDoorWantsItsKeyAndMioJoinsOnce) {
  const FieldAnswers answers(*game);
  const MapSiteData* mine = database().findSite("灰の坑道");
  field().applySceneChange(mine, "b1", 10);
  walk({{-1, 0}, {-1, 0}, {-1, 0}, {0, -1}});
  EXPECT_EQ(std::tuple(cell(), field().hasSymbol("door6")), std::tuple(std::pair(9, 9), true));
  bool taken = false;
  field().findSymbol("Container_b1_鍵")->touch(taken);
  walk({{0, -1}, {0, -1}, {0, -1}});
  EXPECT_EQ(std::tuple(cell(), field().hasSymbol("door6")), std::tuple(std::pair(9, 7), false));

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
