#include <string>
#include <tuple>
#include <vector>

#include "records/stats/Parameters.h"
#include "records/table/StateTable.h"
#include "records/database/ToolData.h"
#include "tests/live/StatsFixture.h"

namespace {

using Game::StateData;

class RecordsTest : public StatsTestSupport::StatsTest {};

TEST_F(RecordsTest, StatesReadWithDefaults) {
  Game::StateTable table;
  // Children of other names are no states.
  table.read(parse("state{name 毒;timer 5;vanish 30;overWrite 1;harm;critical;}"
                   "state{name 攻撃アップ;type statusUp;parameter 5;}"
                   "group{name 群;}"
                   "state{name 守り;parameter 9;}"
                   "state{name 鈍足;type statusDown;parameter 8;}"
                   "state{name 活力;type statusUp;parameter 0;}"
                   "state{name 枠外;type statusDown;parameter 12;}"));
  ASSERT_EQ(table.count(), 6);
  const StateData& poison = *table.at(0);
  EXPECT_EQ(std::tuple(poison.timer(), poison.vanish(), poison.overWrite(), poison.type()),
            std::tuple(5, 30, 1, StateData::kOther));
  EXPECT_TRUE(poison.isHarmful() && poison.isCritical());
  // Without "type" the parameter line is not read.
  EXPECT_EQ(std::tuple(table.at(2)->type(), table.at(2)->parameter()), std::tuple(StateData::kOther, 0));
  const StateData foreign("毒");
  EXPECT_EQ(std::vector<int>({table.find("鈍足"), table.find("麻痺"), table.indexOf(table.at(0)), table.indexOf(&foreign),
                              table.at(5) != nullptr, table.at(6) != nullptr, table.at(-1) != nullptr}),
            std::vector<int>({3, -1, 0, -1, 1, 0, 0}));
}

TEST_F(RecordsTest, ToolReadsItsBlocks) {
  Game::ToolData tool;
  tool.read(parse("name ナイフ;icon knife;price 7;energy 5;slot ぶき,うで;artsSystem 武器;shell アリス;"
                  "equip{weapon 6;protector 1,2;}status{腕力 3;}attack{element 斬撃;}"
                  "defense{element{打撃 4;}}"),
            database().states());
  EXPECT_EQ(std::string(tool.fullName()) + " " + tool.icon(), "ナイフ knife");
  EXPECT_EQ(tool.performance(), (Game::Performance{6, 1, 2}));
  EXPECT_EQ(std::vector<int>({tool.slotMask(), tool.artsSystem().isSet(1), tool.status()[Game::Parameters::kStrength],
                              tool.attack().types().isSet(0), tool.defense().typeDefense(1), tool.isUsableBy("アリス"),
                              tool.isUsableBy("ボブ")}),
            std::vector<int>({3, 1, 3, 1, 4, 1, 0}));

  Game::ToolData plain;
  plain.read(parse("name 薬;fullName 上薬;icon herb;price 40;"), database().states());
  EXPECT_STREQ(plain.fullName(), "上薬");
  EXPECT_TRUE(plain.isUsableBy("ボブ"));
}

TEST_F(RecordsTest, AStateOutsideTheTableStopsNamingIt) {
  EXPECT_DEATH(Game::StateTable().indexOf("幻"), "幻");
}

}  // namespace
