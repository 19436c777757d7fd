// A character's status sheet, a sale list of the sample bag and a battle
// status window drawn offscreen from the sample data and kept as an image.

#include "core/random/RandomGenerator.h"
#include "data/Bag.h"
#include "data/Unit.h"
#include "data/stats/Experience.h"
#include "data/unit/PlayerGhost.h"
#include "data/unit/StatusSheet.h"
#include "data/widget/ItemMenu.h"
#include "render/InterfaceRender.h"
#include "resource/Database.h"
#include "tests/Services.h"

namespace RenderTest {
namespace {

class StatusSheetRender
    : public TestServices::Test<TestServices::kConstants | TestServices::kSampleDatabase | TestServices::kRandom,
                                InterfaceRender> {};

TEST_F(StatusSheetRender, SheetSaleListAndBattleWindow) {
  Game::Database& database = *Game::Database::instance();
  Game::PlayerGhost ghost;
  ghost.setUp(*database.findShell("Kessa"), Game::Experience::forLevel(99));
  Game::Bag bag;
  for (const char* name : {"薬草", "鉄の剣", "投げナイフ", "古びた鍵", "廃棄物"}) {
    bag.add(Game::Article::fromItem(database.findTool(name)), 2);
  }
  Game::ItemMenu menu;
  menu.buildForSale(bag);
  menu.placeCentered(-320.f, 40.f);
  Game::Unit unit(ghost);
  unit.life().fill();
  unit.clamp();
  float sheetWidth = 0.f;
  float sheetHeight = 0.f;
  ghost.measureSheet(&sheetWidth, &sheetHeight, Game::StatusSheet::kAllRows);
  for (int frame = 0; frame < 2; ++frame) {
    if (frame > 0) nextFrame();
    ghost.drawSheet(-320.f, 240.f, true, true, Game::StatusSheet::kAllRows);
    menu.drawWithDetail(true);
    unit.drawStatusPanel(160.f, -180.f);
  }
  const Image image = finishFrame();
  keep(image, "status_sheet_item_menu.tga");
  // The sheet's table starts 64 units right of its corner; its translucent
  // white background lights the model's strip.
  const i32 bottom = 240 - static_cast<i32>(sheetHeight);
  EXPECT_TRUE(hasLightPixel(image, -256, 238, -256 + static_cast<i32>(sheetWidth) - 64, bottom));
  EXPECT_NE(at(image, -300, 240 - static_cast<i32>(sheetHeight) / 2), kBlack) << "the background";
  EXPECT_TRUE(hasLightPixel(image, -316, 36, -200, 0)) << "the sale list";
  EXPECT_TRUE(hasLightPixel(image, 164, -182, 260, -198)) << "the battle window";
  EXPECT_EQ(at(image, 0, -100), kBlack) << "nothing between them";
}

}  // namespace
}  // namespace RenderTest
