#include "presentation/picture/GuiPictures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "presentation/model/ModelTestSupport.h"

namespace Game {
namespace {

// The interface pictures over small files; each pip's draw is recorded as
// "model@x,y" with its scale.
class GuiPicturesTest : public ModelTestSupport::ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    fs().put("src/picture/gui/呪力.txt",
             "model{name active;batch{name a;rect 0,0,2,2;}}model{name invalid;batch{name i;rect 0,0,2,2;}}"
             "model{name empty;batch{name e;rect 0,0,2,2;}}");
    fs().put("src/picture/gui/矢印.txt", "model{name arrow;batch{name arrow;rect 0,0,2,2;}}");
    fs().put("src/picture/gui/スポット.txt", "");
    fs().put("src/picture/gui/アイコン.txt", "model{name 剣;batch{name sword;rect 0,0,2,2;}}");
    fs().put("src/picture/gui/コンパス.txt",
             "batch{name cell;rect 0,0,2,2;}model{name compass;batch{name ring;rect 0,0,2,2;}}");
    GuiPictures::create();
  }
  void TearDown() override {
    GuiPictures::destroy();
    ModelTest::TearDown();
  }

  static GuiPictures& pictures() { return *GuiPictures::instance(); }
  // Each draw as "batch@x,y" (interface units, rounded).
  std::vector<std::string> pips() {
    std::vector<std::string> out;
    for (const auto& draw : hook.draws) {
      EXPECT_TRUE(draw.state.frontEnd);
      const auto at = [&](int row) { return std::to_string(static_cast<int>(draw.state.transform(row, 3) * 400.f + 100.5f) - 100); };
      out.push_back(draw.batch + "@" + at(0) + "," + at(1));
    }
    hook.draws.clear();
    return out;
  }
};

TEST_F(GuiPicturesTest, MoreFilledThanTotalFillsEveryPip) {
  pictures().drawGauge(0.f, 0.f, 1.f, false, 9, 2, "invalid");
  EXPECT_EQ(pips(), (std::vector<std::string>{"i@0,0", "i@16,0"}));
  pictures().drawGauge(0.f, 0.f, 1.f, false, 3, 0, "active");
  EXPECT_TRUE(pips().empty());
}

TEST_F(GuiPicturesTest, AFlippedRowRunsLeftwardAndIsScaledUniformly) {
  pictures().drawGauge(100.f, 0.f, 2.f, true, 2, 2, "active");
  ASSERT_EQ(hook.draws.size(), 2u);
  const RenderState& second = hook.draws[1].state;
  // Turned half round about y: x and z mirrored, y kept, all by the scale.
  EXPECT_NEAR(second.transform(0, 0), -2.f, 1e-4f);
  EXPECT_NEAR(second.transform(1, 1), 2.f, 1e-4f);
  EXPECT_EQ(pips(), (std::vector<std::string>{"a@100,0", "a@68,0"}));
}

TEST_F(GuiPicturesTest, AStackAddsSmallerRowsOfActiveAndInvalidPipsBelow) {
  pictures().drawGaugeStack(0.f, 100.f, 2.f, false, 1, 2, 1, 2);
  EXPECT_EQ(pips(), (std::vector<std::string>{"a@0,100", "e@32,100", "a@0,52", "i@0,4", "i@24,4"}));
}

TEST_F(GuiPicturesTest, IconsAreFoundByNameAndTheCompassByPosition) {
  EXPECT_NE(GuiPictures::icon("剣"), nullptr);
  EXPECT_EQ(GuiPictures::icon("盾"), nullptr);
  EXPECT_EQ(GuiPictures::icon(nullptr), nullptr);
  EXPECT_STREQ(pictures().compassModel()->name(), "compass");
  EXPECT_STREQ(pictures().arrowModel()->name(), "arrow");
  EXPECT_EQ(pictures().compassBatch("ring"), pictures().compass().findBatch("ring"));
  EXPECT_EQ(pictures().compassBatch("cursor"), nullptr);
  GuiPictures::destroy();
  EXPECT_EQ(GuiPictures::icon("剣"), nullptr);
}

}  // namespace
}  // namespace Game
