// The shop's buy list under the money line, and the party organiser's ring
// of the sample characters, drawn offscreen and kept as images.

#include <memory>
#include <vector>

#include "core/game/GameData.h"
#include "menu/PartyOrganizer.h"
#include "menu/ShopMenu.h"
#include "presentation/picture/GuiPictures.h"
#include "render/InterfaceRender.h"
#include "resource/Database.h"
#include "resource/constance/Constance.h"

namespace RenderTest {
namespace {

class MenuRender : public InterfaceRender {
 protected:
  void SetUp() override {
    InterfaceRender::SetUp();
    Game::Constance::create();
    Game::GuiPictures::create();
    Game::Database::createAndLoad();
    game = std::make_unique<Game::GameData>();
  }
  void TearDown() override {
    game.reset();
    Game::Database::destroy();
    Game::GuiPictures::destroy();
    Game::Constance::destroy();
    InterfaceRender::TearDown();
  }

  std::unique_ptr<Game::GameData> game;
};

// 250 covers the herb and the sword (red: the key); the armour is sold out.
TEST_F(MenuRender, BuyListUnderTheMoneyLine) {
  const Game::Database& database = *Game::Database::instance();
  const std::vector<const Game::ToolData*> goods = {database.findTool("薬草"), database.findTool("鉄の剣"), nullptr,
                                                    database.findTool("魔法鍵")};
  game->money() = 250;
  const bool haggled = false;
  Game::ShopMenu menu(*game, goods, haggled);
  float lineHeight = 0.f;
  for (int frame = 0; frame < 2; ++frame) {
    if (frame > 0) nextFrame();
    game->drawStatistics(-320.f, 240.f, Game::GameData::kMoney, nullptr, &lineHeight);
    menu.placeTopLeft(-320.f, 240.f - (64.f + lineHeight));
    menu.update();
  }
  const Image image = finishFrame();
  keep(image, "shop_buy_list.tga");
  EXPECT_TRUE(hasLightPixel(image, -316, 238, -100, 240 - static_cast<i32>(lineHeight))) << "the money line";
  const i32 listTop = 240 - static_cast<i32>(64.f + lineHeight);
  EXPECT_TRUE(hasLightPixel(image, -316, listTop - 4, 0, listTop - 60)) << "the header and rows";
  EXPECT_EQ(at(image, 0, -250), kBlack) << "nothing below the list";
}

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
