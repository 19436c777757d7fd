#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <tuple>

#include "core/file/nml/NmlDocument.h"
#include "presentation/widget/MessageWindow.h"
#include "menu/Shop.h"
#include "records/Database.h"
#include "root/command/CampCommands.h"
#include "tests/running/script/ScriptFixture.h"

namespace {

using Engine::i32;
using Game::Script;
using ScriptTestSupport::ScriptTest;

constexpr const char* kOpeningFloor = "src/data/map/opening/hall.txt";

class SampleScriptsTest : public ScriptTest {
 protected:
  void SetUp() override {
    ScriptTest::SetUp();
    GameTestSupport::putSampleFiles(fs(), "src/data/script");
    GameTestSupport::putSampleFiles(fs(), "src/data/tool");
  }

  // Runs the script to its end as its scene would, tapping decide every
  // fourth frame; its result.
  i32 runToEnd() {
    i32 result = Script::kRunning;
    for (i32 i = 0; i < 2000 && result == Script::kRunning; ++i) {
      result = i % 4 == 0 ? frame({kDecide}) : frame();
    }
    return result;
  }
  // The party, the bag and the records the opening leaves.
  static std::string opening(const Game::GameData& game) {
    const Game::VariableTable& variables = game.variables();
    std::ostringstream out;
    out << "members " << game.party().members().count() << " lead "
        << (game.party().members().count() ? game.party().members().memberAt(0).getName() : "-") << " roster "
        << game.party().rosterCount() << " herbs "
        << game.bag().countItem(Game::Database::instance()->findTool("薬草")) << " items " << game.bag().count()
        << " progress " << variables.getInteger("progress") << " outings " << variables.getInteger("invadeCount")
        << " open " << variables.getInteger("オープニング.出現") << variables.getInteger("灰の坑道.出現")
        << variables.getInteger("沈黙の書庫.出現") << " flag " << variables.isFlagOn("開幕") << " "
        << game.headline();
    return out.str();
  }
  static constexpr const char* kOpened =
      "members 1 lead 剣のケッサ roster 1 herbs 1 items 1 progress 1 outings 1 open 110 flag 1 始まりの広間";
};

// A new game's opening, decided through, leaves a party of the lead, a herb
// in the bag and the first records; a later visit to the hall gives nothing
// again; saving and loading that game keeps them.
TEST_F(SampleScriptsTest, TheOpeningRunsOnceToItsEndAndItsGameOutlivesASaveAndLoad) {
  Game::NmlDocument floor;
  floor.load(kOpeningFloor);
  ASSERT_EQ(floor.countChildren("start"), 1);
  for (int visit = 0; visit < 2; ++visit) {
    mScript.load(*floor.findChild("start"), game(), kOpeningFloor);
    ASSERT_EQ(runToEnd(), Script::kFinished);
  }
  EXPECT_EQ(std::tuple(game().messageWindow().queuedLines(), game().money(), opening(game())),
            std::tuple(0, 100, kOpened));

  Game::NmlDocument saved;
  game().write(saved);
  mScript.clear();
  mVariables.reset();
  mGame.reset();
  EXPECT_EQ(opening(Game::GameData(saved)), kOpened);
}

// Wrenfold's goods come in as the party goes deeper, the charm by the
// librarian's word, the steel sword by its materials or at floor 4; the
// first weapons are always there. Sold-out rows by floor reached and records.
TEST_F(SampleScriptsTest, TheShopsGoodsComeInWithDepthAndWord) {
  for (const auto& [reached, charm, steel, soldOut] :
       {std::tuple{0, 0, 0, 5}, {2, 1, 0, 2}, {3, 0, 1, 1}, {4, 1, 0, 0}}) {
    Game::VariableTable& variables = game().variables();
    variables.integer("灰の坑道.到達階数") = reached;
    variables.integer("onSale.清めの護符") = charm;
    variables.integer("onSale.鋼の剣") = steel;
    mScript.loadFromPath("src/data/script/shop.txt", game());
    const auto* shop = static_cast<const Game::ScriptStuff::ShopCommand*>(mScript.command(1));
    for (i32 i = 0; i < 200 && !shop->shop(); ++i) i % 4 ? frame() : frame({kDecide});
    ASSERT_NE(shop->shop(), nullptr) << reached;
    EXPECT_EQ(std::ranges::count(shop->shop()->goods(), nullptr), soldOut) << reached;
  }
}

}  // namespace
