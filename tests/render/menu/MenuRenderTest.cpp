// The party organiser's ring of the sample characters drawn offscreen and
// kept as an image (the camp's and the shop's screens are the smoke tier's
// goldens).

#include "menu/PartyOrganizer.h"
#include "render/InterfaceRender.h"
#include "records/Database.h"
#include "Services.h"

namespace RenderTest {
namespace {

using MenuRender = TestServices::Test<TestServices::kConstants | TestServices::kGuiPictures |
                                          TestServices::kSampleDatabase,
                                      InterfaceRender>;

TEST_F(MenuRender, OrganiserRingOfTheCandidates) {
  const Game::Database& database = *Game::Database::instance();
  Game::PartyOrganizer organizer({database.findShellExactly("Kessa"), database.findShellExactly("灯りのミオ")}, 2);
  for (int frame = 0; frame < 80; ++frame) {
    nextFrame();
    organizer.update();
  }
  const Image image = finishFrame();
  keep(image, "party_organizer.tga");
  EXPECT_TRUE(hasLightPixel(image, -316, 238, -200, 200)) << "the panel";
  int lit = 0;
  for (i32 y = 200; y > -250; y -= 5) {
    for (i32 x = -150; x < 150; x += 5) lit += at(image, x, y) != kBlack;
  }
  EXPECT_GT(lit, 20) << "the models on the ring";
}

}  // namespace
}  // namespace RenderTest
