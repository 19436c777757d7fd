// The camp menu's top menu, a status screen, the boost list and the
// formation drawn offscreen from the sample data and kept as images.

#include <memory>

#include "core/game/GameData.h"
#include "core/random/RandomGenerator.h"
#include "data/party/PartyMembers.h"
#include "data/stats/Experience.h"
#include "data/unit/PlayerGhost.h"
#include "menu/CampPhases.h"
#include "menu/FormationPhase.h"
#include "menu/Intermission.h"
#include "menu/StatusBoost.h"
#include "render/InterfaceRender.h"
#include "resource/Database.h"
#include "resource/constance/Constance.h"

namespace RenderTest {
namespace {

namespace Camp = Game::IntermissionStuff;

class CampRender : public InterfaceRender {
 protected:
  void SetUp() override {
    InterfaceRender::SetUp();
    Game::Constance::create();
    Game::Database::createAndLoad();
    Game::RandomGenerator::create();
    game = std::make_unique<Game::GameData>();
    Game::Database& database = *Game::Database::instance();
    for (const char* shell : {"Kessa", "灯りのミオ"}) {
      game->party().recruit(*database.findShell(shell));
    }
    kessa().gainExperience(nullptr, Game::Experience::forLevel(12), Game::Experience::forMasterLevel(4));
    kessa().bonus()[Game::Parameters::kStrength] = 6;
    camp = std::make_unique<Game::Intermission>(*game, Game::Intermission::kFileSave);
  }
  void TearDown() override {
    camp.reset();
    game.reset();
    Game::RandomGenerator::destroy();
    Game::Database::destroy();
    Game::Constance::destroy();
    InterfaceRender::TearDown();
  }
  Game::PlayerGhost& kessa() { return game->party().members().memberAt(0); }
  // Two frames of a screen (what settles in the first shows in the second).
  template <class Draw>
  Image draw(Draw&& step) {
    step();
    nextFrame();
    step();
    return finishFrame();
  }

  std::unique_ptr<Game::GameData> game;
  std::unique_ptr<Game::Intermission> camp;
};

TEST_F(CampRender, TopMenuStatusBoostAndFormation) {
  const Image top = draw([&] { camp->update(); });
  keep(top, "camp_top.tga");
  EXPECT_TRUE(hasLightPixel(top, -316, 236, -220, 200)) << "the first rows";
  EXPECT_TRUE(hasLightPixel(top, -76, 236, 100, 200)) << "the party list";

  Camp::Status status(*camp);
  status.choose(*game, kessa());
  const Image screen = draw([&] { status.update(*game); });
  keep(screen, "camp_status.tga");
  EXPECT_TRUE(hasLightPixel(screen, -316, 116, -200, 80)) << "the arts";
  EXPECT_TRUE(hasLightPixel(screen, -316, -100, -200, -140)) << "the detail panels";

  Camp::StatusBoost boost(*camp);
  boost.choose(*game, kessa());
  const Image boosts = draw([&] { boost.update(*game); });
  keep(boosts, "camp_boost.tga");
  EXPECT_TRUE(hasLightPixel(boosts, -316, 236, -100, 200)) << "the sheet";

  // Kessa under the cursor, ミオ behind her.
  game->party().members().at(0).column = 2;
  game->party().members().at(1).row = 1;
  game->party().members().at(1).column = 2;
  Camp::Formation formation(*camp);
  waitForTextures(formation.pictures());
  const Image cells = draw([&] { formation.update(*game); });
  keep(cells, "camp_formation.tga");
  EXPECT_NE(at(cells, static_cast<i32>(Camp::Formation::cellX(2)), static_cast<i32>(Camp::Formation::cellY(4))),
            kBlack)
      << "an empty back cell's tile";
  EXPECT_TRUE(hasLightPixel(cells, 4, -98, 200, -116)) << "the notes";
}

}  // namespace
}  // namespace RenderTest
