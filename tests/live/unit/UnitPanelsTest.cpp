// What the unit panels and the status sheet queue: frames, gauges and the
// model through the recording hook, text through the writer's layout.
// Font 1 is 20 units high and 10 wide a byte, font 0 14 and 7.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "live/Unit.h"
#include "live/unit/StatusSheet.h"
#include "live/unit/UnitPanels.h"
#include "core/file/nml/NmlNode.h"
#include "presentation/model/ModelTestSupport.h"
#include "presentation/picture/SystemResources.h"
#include "presentation/scene/SceneRenderer.h"
#include "records/Database.h"
#include "tests/Services.h"
#include "tests/live/unit/TestGhost.h"

namespace {

using Engine::i32;
using Game::Parameters;

// A draw as "batch@x,y" with its x and y scale.
struct Drawn {
  std::string batch;
  float x, y, scaleX, scaleY;
  bool operator==(const Drawn&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Drawn& d) {
  return out << d.batch << "@" << d.x << "," << d.y << " x" << d.scaleX << "," << d.scaleY;
}

class UnitPanelsTest
    : public TestServices::Test<TestServices::kConstants | TestServices::kDatabase, ModelTestSupport::ModelTest> {
 protected:
  void SetUp() override {
    Test::SetUp();
    std::string frame;
    for (int i = 0; i < 9; ++i) frame += "batch{name f" + std::to_string(i) + ";rect 0,0,2,2;}";
    fs().put("src/system/frame.txt", frame);
    fs().put("src/system/rect.txt", "batch{name rect;rect 0,0,2,2;}");
    fs().put("src/system/gauge.txt", "batch{name gauge;rect 0,0,2,2;}");
    for (const char* file : {"number", "wall", "cursor", "systemsound"})
      fs().put(std::string("src/system/") + file + ".txt", "");
    fs().put("src/picture/unit/像.txt",
             "model{name stand;batch{name standing;rect 0,0,2,2;}}model{name down;batch{name lying;rect 0,0,2,2;}}");
    ASSERT_TRUE(mStates.parse("state{name 毒;harm;}", true));
    std::array<const Game::NmlNode*, Game::Database::kBattleFileCount> roots;
    roots.fill(&mEmpty);
    roots[Game::Database::kStates] = &mStates;
    database().load(roots);
    Game::NmlNode units;
    ASSERT_TRUE(units.parse("test 像,2;", true));
    database().maps().units.read(units, "list.txt");
    Game::SceneRenderer::create(800, 600);
    Game::SystemResources::create();
  }
  void TearDown() override {
    Game::SystemResources::destroy();
    Game::SceneRenderer::destroy();
    Test::TearDown();
  }

  static Game::Database& database() { return *Game::Database::instance(); }
  static Game::TextWriter& writer() { return Game::SceneRenderer::instance()->textWriter(); }
  static std::pair<i32, i32> extent() {
    std::pair<i32, i32> e;
    writer().getExtent(&e.first, &e.second);
    return e;
  }
  static std::pair<i32, i32> origin() {
    std::pair<i32, i32> o;
    writer().getOrigin(&o.first, &o.second);
    return o;
  }
  // Positions and scales to 1/1000, past the rounding of the transform.
  static float round(float v) { return std::round(v * 1000.f) / 1000.f; }
  std::vector<Drawn> drawn() {
    std::vector<Drawn> out;
    for (const auto& draw : hook.draws) {
      const auto& t = draw.state.transform;
      out.push_back({draw.batch, round(t(0, 3) * 400.f), round(t(1, 3) * 400.f), round(t(0, 0)), round(t(1, 1))});
    }
    hook.draws.clear();
    return out;
  }

  UnitTestSupport::TestGhost ghost;

 private:
  Game::NmlNode mEmpty, mStates;
};

// The LP bar takes max LP / (max HP + max LP) of the width, filled by
// LP / max LP; the HP bar the rest, filled by HP / max HP. Width 80, height 6.
TEST_F(UnitPanelsTest, TheLifeGaugeSplitsItsWidthByTheMaxima) {
  const float h = 0.094f;  // 6 / 64
  // Maximum HP and LP, HP and LP.
  const std::tuple<i32, i32, i32, i32, std::vector<Drawn>> cases[] = {
      {300, 100, 150, 25,
       {{"gauge", 10, 20, 0.313f, h}, {"gauge", 10, 20, 0.078f, h}, {"gauge", 30, 20, 0.938f, h},
        {"gauge", 30, 20, 0.469f, h}}},
      {3, 1, 3, 1,
       {{"gauge", 10, 20, 0.313f, h}, {"gauge", 10, 20, 0.313f, h}, {"gauge", 30, 20, 0.938f, h},
        {"gauge", 30, 20, 0.938f, h}}},
      {100, 0, 50, 0, {{"gauge", 10, 20, 1.25f, h}, {"gauge", 10, 20, 0.625f, h}}},
      {0, 1, 0, 1, {{"gauge", 10, 20, 1.25f, h}, {"gauge", 10, 20, 1.25f, h}}},
      {0, 0, 0, 0, {{"gauge", 10, 20, 1.25f, h}}},
  };
  for (const auto& [maxHp, maxLp, hp, lp, draws] : cases) {
    UnitTestSupport::TestGhost g;
    g.caps[Parameters::kHp] = maxHp;
    g.caps[Parameters::kLp] = maxLp;
    Game::Unit unit(g);
    unit.life().setHp(hp);
    g.lpRef() = lp;
    hook.draws.clear();
    unit.drawLifeGauge(10.f, 20.f, 80.f, 6.f);
    EXPECT_EQ(drawn(), draws) << maxHp << " " << maxLp;
  }
}

// 10 × 4 cells of font 1 and 12 more: 112 × 92 (the status golden shows the
// frame). The gauge 26 below the top, the values 32 below: "HP" and 4
// digits, "LP" and 4 digits, "AP" and three 2-digit values joined by "/",
// 100 units wide.
TEST_F(UnitPanelsTest, TheStatusPanelPlacesGaugeAndValues) {
  ghost.ap = {12, 5, 30};
  Game::Unit(ghost).drawStatusPanel(100.f, 50.f);
  const std::vector<Drawn> draws = drawn();
  ASSERT_EQ(draws.size(), 13u);
  EXPECT_EQ(draws[9], (Drawn{"gauge", 100, 24, 0.875f, 0.094f}));
  EXPECT_EQ(std::make_pair(origin(), extent()), std::make_pair(std::make_pair(100, 18), std::make_pair(100, 60)));
  EXPECT_STREQ(writer().lastText().c_str(), "30");
}

// A name of more than the panel's ten columns is written in font 0.
TEST(UnitPanelsNameTest, ANameOverTenColumnsIsWrittenSmall) {
  const std::pair<const char*, i32> cases[] = {{"Kessa", 1}, {"灯りのミオ", 1}, {"0123456789", 1},
                                               {"盾のトヴァン", 0}, {"01234567890", 0}, {"", 1}};
  for (const auto& [name, font] : cases) EXPECT_EQ(Game::UnitPanels::statusNameFont(name), font) << name;
}

// Font 0 on one line: "武器" and 5 digits, " ", "防御" and 5 digits, " ",
// "魔防" and 5 digits: 203 units; a narrower frame widens to the line.
TEST_F(UnitPanelsTest, TheEquipmentLineOfAUnit) {
  Game::Unit unit(ghost);
  Game::UnitPanels::drawEquipmentStatus(unit, -50.f, 30.f, 100.f);
  EXPECT_EQ(drawn()[8], (Drawn{"f8", 157, 12, 0.5f, 0.5f}));
  EXPECT_EQ(extent(), std::make_pair(203, 14));
}

// The status golden shows the framed sheet; without frame and background
// only the model is drawn, 32 units in, halfway down the 100-unit table,
// turned and at its picture's scale 2.
TEST_F(UnitPanelsTest, TheSheetWithoutFrameDrawsTheModelAlone) {
  ghost.appearance = "test";
  Game::Unit(ghost).clamp();
  ghost.drawSheet(-300.f, 200.f, false, false, Game::StatusSheet::kAllRows);
  EXPECT_EQ(drawn(), (std::vector<Drawn>{{"standing", -268, 150, -2.f, -1.414f}}));
}

// "down" once LP is gone, "stand" from 1 LP; nothing without a picture.
TEST_F(UnitPanelsTest, TheModelStandsWhileLpIsLeft) {
  ghost.appearance = "test";
  for (const auto& [lp, batch] : {std::pair{1, "standing"}, std::pair{0, "lying"}}) {
    ghost.lpRef() = lp;
    ghost.drawModel(40.f, -20.f);
    EXPECT_EQ(drawn(), (std::vector<Drawn>{{batch, 40, -20, -2.f, -1.414f}})) << lp;
  }
  ghost.appearance = "nobody";
  ghost.drawModel(0.f, 0.f);
  EXPECT_TRUE(drawn().empty());
}

}  // namespace
