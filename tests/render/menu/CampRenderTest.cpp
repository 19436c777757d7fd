// The camp's formation drawn offscreen from the sample data and kept as an
// image (its top menu, status and boost screens are the smoke tier's goldens).

#include <memory>

#include "core/game/GameData.h"
#include "menu/CampPhases.h"
#include "menu/FormationPhase.h"
#include "menu/Intermission.h"
#include "render/InterfaceRender.h"
#include "resource/Database.h"
#include "Services.h"

namespace RenderTest {
namespace {

namespace Camp = Game::IntermissionStuff;

using CampRender = TestServices::Test<TestServices::kConstants | TestServices::kSampleDatabase |
                                          TestServices::kRandom,
                                      InterfaceRender>;

// Kessa under the cursor, ミオ behind her.
TEST_F(CampRender, FormationCellsAndNotes) {
  Game::GameData game;
  const Game::Database& database = *Game::Database::instance();
  for (const char* shell : {"Kessa", "灯りのミオ"}) {
    game.party().recruit(*database.findShell(shell));
  }
  Game::Intermission camp(game, Game::Intermission::kFileSave);
  game.party().members().at(0).column = 2;
  game.party().members().at(1).row = 1;
  game.party().members().at(1).column = 2;
  Camp::Formation formation(camp);
  waitForTextures(formation.pictures());
  formation.update(game);
  nextFrame();
  formation.update(game);
  const Image cells = finishFrame();
  keep(cells, "camp_formation.tga");
  EXPECT_NE(at(cells, static_cast<i32>(Camp::Formation::cellX(2)), static_cast<i32>(Camp::Formation::cellY(4))),
            kBlack)
      << "an empty back cell's tile";
  EXPECT_TRUE(hasLightPixel(cells, 4, -98, 200, -116)) << "the notes";
}

}  // namespace
}  // namespace RenderTest
