// Every reaction, system action and buff, and the plain effect, played on
// the sample data with the four actions from both sides.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "effect/EffectFactory.h"
#include "tests/effect/EffectTimings.h"
#include "tests/effect/SupportEffectsFixture.h"

namespace {

using Game::Effect::Cast;
using EffectTestSupport::PlayTiming;

constexpr const char* kNames[] = {
    "シールド回避", "スポイル", "祟り", "ポイゾナスカウンター", "冷凍法", "サーマルカウンター", "サーマルバリア",
    "呼び出す", "回復アイテム", "ダブルキャスト", "攻撃補助", "バリア展開", "分身", "幻影", "恵雨", "トランス",
    "決闘歌", "護身法", "エンハンス", "ハイスピードチャージ", "リフレッシュ", "マジカルヒール", "dummy",
};
constexpr int kFrameCap = 400;

using SupportEffectsSweepTest = EffectTestSupport::SupportEffectsTest;

TEST_F(SupportEffectsSweepTest, EveryNameIsBuiltByItsOwnClass) {
  for (const char* name : kNames) {
    const Game::Effect::FactoryRow* row = Game::Effect::findFactoryRow(name);
    ASSERT_NE(row, nullptr) << name;
    EXPECT_FALSE(row->isStandIn()) << name;
  }
}

// One display of the results on the frame of its timing, the state that
// display gives, the end on the end frame well before the cap, every node
// finite, nothing missing and every wave found.
TEST_F(SupportEffectsSweepTest, EveryNamePlaysToItsTimingsWithAllItNeeds) {
  for (int side = 0; side < 2; ++side) {
    const std::vector<EffectTestSupport::RecordingAction*> actions = standardActions(side);
    for (const char* name : kNames) {
      const EffectTestSupport::EffectTiming* timing = EffectTestSupport::findTiming(name);
      ASSERT_NE(timing, nullptr) << name;
      for (EffectTestSupport::RecordingAction* action : actions) {
        bool anyHit = false;
        for (int i = 0; i < action->targetCount(); ++i) {
          anyHit = anyHit || action->isHit(i);
        }
        const PlayTiming expected = EffectTestSupport::timingOf(*timing, action->targetCount(), anyHit);
        Cast& effect = play(name, *action);
        EXPECT_TRUE(wavesLoaded(effect)) << name;
        action->resultsShown = 0;
        int shownOn = -1;
        int answer = Cast::kRunning;
        int frame = 0;
        for (; frame < kFrameCap && answer != Cast::kFinished; ++frame) {
          answer = step(effect);
          if (action->resultsShown > 0 && shownOn < 0) {
            shownOn = frame;
          }
          if (answer != Cast::kFinished) {
            const bool applied = shownOn >= 0 && expected.applyChangesState;
            ASSERT_EQ(answer, applied ? Cast::kApplied : Cast::kRunning) << name << " frame " << frame;
          }
        }
        const std::string play = std::string(name) + " side " + std::to_string(side) + " targets " +
                                 std::to_string(action->targetCount());
        EXPECT_EQ(answer, Cast::kFinished) << play;
        EXPECT_EQ(action->resultsShown, 1) << play;
        EXPECT_EQ(shownOn, expected.applyFrame) << play;
        EXPECT_EQ(frame - 1, expected.endFrame) << play;
        for (int i = 0; i < stage.pool.capacity(); ++i) {
          const Engine::Math::Vector3 at = stage.pool.node(i).position.value();
          ASSERT_TRUE(std::isfinite(at.x) && std::isfinite(at.y) && std::isfinite(at.z)) << play << " node " << i;
        }
      }
    }
  }
  EXPECT_TRUE(stage.failures.empty()) << stage.failures.front();
  for (const auto& sound : stage.sounds) {
    EXPECT_GE(sound.index, 0) << sound.key;
  }
}

}  // namespace
