#include "tests/resource/database/DatabaseFixture.h"

namespace {

using SampleDatabaseTest = DatabaseTestSupport::DatabaseTest;

// The names the code looks up.
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
  for (const char* art : {"身を守る", "何もしない", "逃げる", "投げる道具"}) {
    EXPECT_NE(db.findAbilityOrNull(art), nullptr) << art;
  }
  for (const char* tool : {"鉄の剣", "革の鎧", "薬草", "投げナイフ", "古びた鍵", "廃棄物", "魔法鍵"}) {
    const Game::ToolData* record = db.findTool(tool);
    ASSERT_NE(record, nullptr) << tool;
    EXPECT_STRNE(record->icon(), "") << tool;
  }
  EXPECT_NE(db.findShellExactly("Kessa"), nullptr);
  for (const char* enemy : {"骨の兵士", "骨の騎士", "泥スライム"}) EXPECT_NE(db.findEnemy(enemy), nullptr) << enemy;
}

}  // namespace
