// The interface drawn offscreen from the sample system pictures: a frame
// covers exactly its rectangle, gauges fill their fraction, and a scrolled
// list menu shows its scroll bar; each is kept as an image.

#include <string>

#include "presentation/picture/SystemResources.h"
#include "presentation/render/Transform.h"
#include "presentation/resource/Batch.h"
#include "presentation/ui/UiDraw.h"
#include "presentation/widget/ListMenu.h"
#include "render/InterfaceRender.h"

namespace RenderTest {
namespace {

using WidgetRender = InterfaceRender;

TEST_F(WidgetRender, AFrameCoversExactlyItsRectangleAndItsBorder) {
  ASSERT_NE(Game::SystemResources::instance()->frame().getBatch(8), nullptr);
  const i32 left = -100;
  const i32 top = 50;
  Game::UiDraw::drawFrame(static_cast<float>(left), static_cast<float>(top), 200.f, 100.f, 0xFFFFFFFF, false);
  const Image image = finishFrame();
  keep(image, "frame.tga");
  // The rectangle spans pixels left..left+199 and top..top-99, its 2-pixel
  // border around it: the last pixel of the border and the first outside
  // each edge, at the middle and near both ends; the corners themselves.
  const i32 b = 2;
  for (const i32 along : {-90, 0, 90}) {
    const i32 x = left + 100 + along;
    EXPECT_NE(at(image, x, top + b), kBlack) << along;
    EXPECT_EQ(at(image, x, top + b + 1), kBlack) << along;
    EXPECT_NE(at(image, x, top - 99 - b), kBlack) << along;
    EXPECT_EQ(at(image, x, top - 100 - b), kBlack) << along;
  }
  for (const i32 along : {-40, 0, 40}) {
    const i32 y = top - 50 + along;
    EXPECT_NE(at(image, left - b, y), kBlack) << along;
    EXPECT_EQ(at(image, left - b - 1, y), kBlack) << along;
    EXPECT_NE(at(image, left + 199 + b, y), kBlack) << along;
    EXPECT_EQ(at(image, left + 200 + b, y), kBlack) << along;
  }
  EXPECT_NE(at(image, left - b, top + b), kBlack);
  EXPECT_NE(at(image, left + 199 + b, top - 99 - b), kBlack);
  EXPECT_EQ(at(image, left - b - 1, top + b + 1), kBlack);
  EXPECT_EQ(at(image, left + 200 + b, top - 100 - b), kBlack);
  EXPECT_NE(at(image, 0, 0), kBlack) << "the fill";
}

// Three bars 200 wide and 20 high from x = -100: a quarter filled, empty
// over a background, empty without one.
TEST_F(WidgetRender, AGaugeFillsItsFractionOverItsBackground) {
  Game::UiDraw::drawPictureRect(0.25f, kRed, kBlue, -100.f, 100.f, 200.f, 20.f, 0.f);
  Game::UiDraw::drawPictureRect(0.f, kRed, kBlue, -100.f, 0.f, 200.f, 20.f, 0.f);
  Game::UiDraw::drawPictureRect(0.f, kRed, 0u, -100.f, -100.f, 200.f, 20.f, 0.f);
  const Image image = finishFrame();
  keep(image, "gauges.tga");
  const auto isRed = [](u32 c) { return ((c >> 16) & 0xFFu) > 0x80u && (c & 0xFFFFu) == 0u; };
  const auto isBlue = [](u32 c) { return (c & 0xFFu) > 0x80u && (c & 0xFFFF00u) == 0u; };
  EXPECT_TRUE(isRed(at(image, -90, 90))) << std::hex << at(image, -90, 90);
  EXPECT_TRUE(isRed(at(image, -55, 90)));
  EXPECT_TRUE(isBlue(at(image, -45, 90))) << "the fill ends at a quarter";
  EXPECT_TRUE(isBlue(at(image, 90, 90)));
  EXPECT_EQ(at(image, 110, 90), kBlack);
  EXPECT_TRUE(isBlue(at(image, -90, -10)));
  EXPECT_TRUE(isBlue(at(image, 90, -10)));
  for (const i32 x : {-90, 0, 90}) {
    EXPECT_EQ(at(image, x, -110), kBlack) << x;
  }
}

TEST_F(WidgetRender, AScrolledListMenuShowsItsScrollBar) {
  Game::ListMenu menu;
  menu.setTitle("Items", 1, 0xFFFFFF80);
  for (int i = 0; i < 12; ++i) {
    menu.addItem(("Entry " + std::to_string(i)).c_str(), i, 0xFFC0C0C0, 1);
  }
  menu.setVisibleRows(5);
  menu.growTo(200.f, menu.height());
  menu.placeCentered(-100.f, 100.f);
  menu.setCursorById(9);
  menu.draw(true);  // scrolls the cursor into view
  nextFrame();
  menu.draw(true);
  const Image image = finishFrame();
  keep(image, "list_menu.tga");
  EXPECT_GT(menu.scroll(), 0.f);
  // The track runs down the right side; the thumb covers items 5 to 9 of
  // 12, from 5/12 to 10/12 of the track.
  const float barX = menu.contentLeft() + menu.width() + 4.f;
  const auto down = [&](float fraction) {
    return at(image, static_cast<i32>(barX), static_cast<i32>(menu.contentTop() - menu.height() * fraction));
  };
  const u32 track = down(0.1f);
  EXPECT_NE(track, kBlack);
  EXPECT_TRUE(colorNear(0xFFFFFFFFu, down(0.6f))) << "the thumb";
  EXPECT_LT(track & 0xFFu, 0xC0u);
  EXPECT_EQ(down(0.9f), track);
  EXPECT_EQ(at(image, static_cast<i32>(barX + 8.f), static_cast<i32>(menu.contentTop() - 50.f)), kBlack);
}

// The wall hides whatever was drawn before it, also interface geometry that
// stands nearer (a title star that writes its depth): menus draw it first.
TEST_F(WidgetRender, TheWallHidesWhatWasDrawnBeforeItEvenNearer) {
  Game::UiDraw::drawWall();
  const u32 wall = at(finishFrame(), 0, 0);
  Game::Batch square;
  square.setQuad(0.f, 0.f, 1.f, 1.f, Game::Color(kRed), 0.f, 0.f, 0.f, 40.f, 40.f, false, false);
  Game::RenderState nearer;
  nearer.frontEnd = true;
  Game::Transform place;
  place.position.set(0.f, 0.f, 10.f);
  nearer.setTransform(place);
  square.draw(nearer);
  Game::UiDraw::drawWall();
  const Image image = finishFrame();
  keep(image, "wall_over_nearer.tga");
  EXPECT_EQ(at(image, 0, 0), wall);
}

}  // namespace
}  // namespace RenderTest
