#include "data/ability/Ability.h"
#include "tests/resource/database/DatabaseFixture.h"

namespace {

using SampleDatabaseTest = DatabaseTestSupport::DatabaseTest;

// The names the code looks up, and the sample's examples of each rule.
TEST_F(SampleDatabaseTest, HoldsEveryNameTheGameLooksUp) {
  loadSamples();
  const Game::Database& db = database();
  for (const char* state :
       {"毒", "睡眠", "恐怖", "麻痺", "暗闇", "呪い", "ディレイ", "封印", "再生", "分身", "マジックバリア", "氷バリア",
        "シールド", "サーマルバリア", "ゴーストキャスター", "FloatingBellSplash", "リヴァイヴァ", "GlintBlade",
        "CrimsonFocus", "薬漬け", "世界", "ElementalCrystalRing", "カウンター無効付加", "吸収付加", "発狂",
        "チャージアップ", "集中", "防御"}) {
    EXPECT_GE(db.states().find(state), 0) << state;
  }
  EXPECT_EQ(db.findState("腕力アップ").type(), Game::StateData::kStatusUp);
  EXPECT_EQ(db.findState("敏捷ダウン").type(), Game::StateData::kStatusDown);
  for (const char* art : {"身を守る", "何もしない", "逃げる", "投げる道具"}) {
    EXPECT_NE(db.findAbilityOrNull(art), nullptr) << art;
  }
  EXPECT_EQ(db.findAbility("火花の術").upperCount(), 2);
  EXPECT_TRUE(Game::Ability(&db.findAbility("鉄の心")).isPassive());
  EXPECT_TRUE(Game::Ability(&db.findAbility("返し刃")).isAutoCounter());
  for (const char* tool : {"鉄の剣", "革の鎧", "薬草", "投げナイフ", "古びた鍵", "廃棄物", "魔法鍵"}) {
    const Game::ToolData* record = db.findTool(tool);
    ASSERT_NE(record, nullptr) << tool;
    EXPECT_STRNE(record->icon(), "") << tool;
  }
  EXPECT_EQ(db.findTool("投げナイフ")->throwArt().count(), 1);
  EXPECT_STREQ(db.findShell("Kessa")->name(), "Kessa");
  EXPECT_EQ(db.findShell("Kessa")->gear().size(), 2u);
  EXPECT_EQ(db.findEnemy("骨の兵士")->metamorphoses().at(0).enemy, db.findEnemy("骨の騎士"));
  EXPECT_EQ(db.findEnemy("泥スライム")->highestLevel(), 5);
  EXPECT_EQ(db.findRace("粘体").spawnRaces().size(), 3u);
  EXPECT_EQ(db.synchros().front().number(), 2);
}

}  // namespace
