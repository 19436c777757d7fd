#include "presentation/ui/UiDraw.h"

#include <gtest/gtest.h>

#include <string>

#include "presentation/Near.h"
#include "presentation/model/ModelTestSupport.h"
#include "presentation/picture/SystemResources.h"
#include "presentation/render/RenderState.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/widget/NumberInput.h"

namespace Game {
namespace {

using Engine::i32;

// The interface drawings as the draw hook sees them, over system pictures of
// named pieces: nine frame pieces f0..f8, a wall, a cursor, a rect and a gauge.
class UiDrawTest : public ModelTestSupport::ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    std::string frame;
    for (i32 i = 0; i < 9; ++i) frame += "batch{name f" + std::to_string(i) + ";rect 0,0,64,64;}";
    fs().put("src/system/frame.txt", frame);
    fs().put("src/system/wall.txt", "model{name wall;batch{name wall;rect 0,0,64,64;}}");
    fs().put("src/system/cursor.txt", "batch{name cursor;rect 0,0,32,32;}");
    fs().put("src/system/gauge.txt", "batch{name gauge;rect 0,0,64,8;}");
    fs().put("src/system/rect.txt", "batch{name rect;rect 0,0,32,32;}");
    for (const char* file : {"number", "systemsound"}) fs().put(std::string("src/system/") + file + ".txt", "");
    SceneRenderer::create(800, 600);
    SystemResources::create();
  }
  void TearDown() override {
    SystemResources::destroy();
    SceneRenderer::destroy();
    ModelTest::TearDown();
  }
};

// A frame around the box from (-100, 50), 200 by 100: its picture spans the
// box, a 2-unit margin and the 2-unit border around it, (-104, 54) 208 by
// 108; corners at half size, edges and centre stretched over the 64-unit
// pieces, front-end at depth 490.
TEST_F(UiDrawTest, AFrameLaysItsNinePiecesOverItsBox) {
  UiDraw::drawFrame(-100.f, 50.f, 200.f, 100.f, 0xFF336699u, false);
  ASSERT_EQ(hook.draws.size(), 9u);
  // By column and by row: the place and the scale.
  const char* const xs[] = {"-104", "0", "104"};
  const char* const ys[] = {"54", "0", "-54"};
  const char* const widths[] = {"0.5", "3.25", "0.5"};
  const char* const heights[] = {"0.5", "1.688", "0.5"};
  for (i32 i = 0; i < 9; ++i) {
    const RenderState& state = hook.draws[static_cast<std::size_t>(i)].state;
    EXPECT_EQ(hook.draws[static_cast<std::size_t>(i)].batch + " " + PresentationTest::placeOf(state) + " scale " +
                  PresentationTest::digits(state.transform(0, 0)) + "," +
                  PresentationTest::digits(state.transform(1, 1)) + " amb " +
                  PresentationTest::digits(state.colors.ambient.x),
              "f" + std::to_string(i) + " " + xs[i % 3] + "," + ys[i / 3] + ",490 scale " + widths[i % 3] + "," +
                  heights[i / 3] + " amb 0.2");
    EXPECT_TRUE(state.frontEnd);
  }
  // Without a game flow the frame count is 0: the pulse's glow is
  // (sin 0 + 1) / 4 = 0.25 added to the colour.
  hook.draws.clear();
  UiDraw::drawFrame(0.f, 0.f, 64.f, 64.f, 0xFF336699u, true);
  ASSERT_EQ(hook.draws.size(), 9u);
  EXPECT_EQ(PresentationTest::digits(hook.draws[4].state.colors.ambient), "0.45,0.65,0.85");
}

// "ab" in font 1 (20 units a line, 10 a byte) from (-100, 50): a frame of 20
// by 20, its margin and border around that; an empty text has no width and gets none.
TEST_F(UiDrawTest, ATextFrameCoversWhatWasPrinted) {
  TextWriter& writer = SceneRenderer::instance()->textWriter();
  writer.setFont(1);
  writer.setPosition(-100, 50);
  writer.print("");
  UiDraw::drawTextFrame(0xFFFFFFFFu);
  EXPECT_TRUE(hook.draws.empty());
  writer.setPosition(-100, 50);
  writer.print("ab");
  UiDraw::drawTextFrame(0xFFFFFFFFu);
  ASSERT_EQ(hook.draws.size(), 9u);
  EXPECT_EQ(PresentationTest::placeOf(hook.draws[8].state), "-76,26,490");
}

// The background is drawn for any colour but 0, the fill only when some of
// it shows, cut to its fraction of the width.
TEST_F(UiDrawTest, AGaugeDrawsItsBackgroundThenItsFraction) {
  const struct {
    float fraction;
    Engine::u32 back;
    const char* draws;
  } cases[] = {{0.5f, 0x00000001u, "back fill"}, {0.5f, 0u, "fill"}, {0.f, 0xFF000000u, "back"}, {0.f, 0u, ""}};
  for (const auto& c : cases) {
    hook.draws.clear();
    UiDraw::drawGaugeBar(c.fraction, 0xFFFF0000u, c.back, RenderState());
    std::string seen;
    for (const auto& draw : hook.draws) {
      const bool fill = draw.state.colors.ambient.x == 1.f;
      seen += seen.empty() ? "" : " ";
      seen += fill ? "fill" : "back";
      if (fill) {
        EXPECT_FLOAT_EQ(draw.state.transform(0, 0), c.fraction);
      }
    }
    EXPECT_EQ(seen, c.draws) << c.fraction << " " << c.back;
  }
}

// The cursor mark stands over the frames, and the wall covers whatever was
// drawn before it: neither tests or writes depth; a filled rectangle is
// translucent (blend 1) over the frames' depth. A number entry's mark points
// down at its digit from over the box: for the ones of 0..999 about (0, 0)
// (39 by 26, top 13) its tip at (13, 13 + 4 + 1), the picture turned a
// quarter clockwise about (13 + 10, 18 - 2).
TEST_F(UiDrawTest, TheCursorMarkAndTheWallDrawWithoutDepth) {
  UiDraw::drawCursorMark(-320.f, 240.f);
  UiDraw::drawWall();
  UiDraw::drawRect(-10.f, 20.f, 64.f, 32.f, 0x80FFFFFFu);
  NumberInput(5, 0, 999).draw();
  ASSERT_EQ(hook.draws.size(), 13u);
  std::string seen;
  for (const auto& draw : {hook.draws[0], hook.draws[1], hook.draws[2], hook.draws[12]}) {
    seen += draw.batch + " " + PresentationTest::placeOf(draw.state) + " " + PresentationTest::flagsOf(draw.state) +
            " turn " + PresentationTest::digits(draw.state.transform(0, 1)) + "; ";
  }
  const std::string flags = " test 0 write 0 cull 3 lights 0 bg 0 fe 1 neg 0 rev 000 inv 0 turn ";
  EXPECT_EQ(seen, "cursor -320,240,510 blend 6" + flags + "0; wall 0,0,0 blend 6" + flags + "0; rect -10,20,490 blend 1" +
                      flags + "0; cursor 23,16,510 blend 6" + flags + "1; ");
}

}  // namespace
}  // namespace Game
