// Every reaction, system action and buff, and the plain effect, played on
// the sample data with the four actions from both sides.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "effect/CastCamera.h"
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

// Where each script turns the camera, and on which frame: the caster's
// node, the single target's node or the point between caster and target;
// its zoom and pitch. The next frame leaves the camera alone.
enum class Aim { kCaster, kTargets, kCast };
struct CameraRow {
  const char* name;
  int frame;
  Aim aim;
  float zoom;
  bool pitch30;
};
constexpr CameraRow kCameraRows[] = {
    {"呼び出す", 0, Aim::kCaster, 1.25f, false},
    {"回復アイテム", 0, Aim::kTargets, 1.f, false},
    {"スポイル", 64, Aim::kCaster, 1.5f, false},
    {"祟り", 48, Aim::kTargets, 1.f, false},
    {"ポイゾナスカウンター", 48, Aim::kTargets, 1.f, false},
    {"冷凍法", 48, Aim::kTargets, 1.f, false},
    {"サーマルカウンター", 48, Aim::kTargets, 1.f, false},
    {"サーマルバリア", 16, Aim::kCast, 1.f, false},
    {"ダブルキャスト", 0, Aim::kTargets, 1.5f, false},
    {"攻撃補助", 0, Aim::kCast, 1.f, false},
    {"バリア展開", 0, Aim::kCast, 1.f, false},
    {"幻影", 0, Aim::kCast, 1.f, false},
    {"恵雨", 0, Aim::kTargets, 1.f, true},
    {"トランス", 0, Aim::kTargets, 1.5f, false},
    {"決闘歌", 0, Aim::kCast, 1.f, true},
    {"護身法", 0, Aim::kTargets, 1.f, true},
    {"エンハンス", 0, Aim::kTargets, 1.f, false},
    {"ハイスピードチャージ", 0, Aim::kCast, 1.f, false},
    {"リフレッシュ", 0, Aim::kCast, 1.f, false},
    {"マジカルヒール", 0, Aim::kTargets, 1.5f, false},
};

TEST_F(SupportEffectsSweepTest, EachScriptTurnsTheCameraOnItsFrame) {
  const std::vector<EffectTestSupport::RecordingAction*> actions = standardActions(0);
  EffectTestSupport::RecordingAction& action = *actions[0];
  Engine::Math::Vector3 caster;
  action.actor().getPosition(caster);
  Engine::Math::Vector3 target;
  action.target(0).getPosition(target);
  const Engine::Math::Vector3 between((caster.x + target.x) / 2.f, (caster.y + target.y) / 2.f,
                                      (caster.z + target.z) / 2.f);
  const Engine::Math::Vector3 untouched(-1.f, -2.f, -3.f);
  for (const CameraRow& row : kCameraRows) {
    Cast& effect = play(row.name, action);
    runTo(effect, row.frame);
    camera = Game::Effect::CastCamera();
    camera.focus = untouched;
    stage.calls.clear();
    step(effect);
    switch (row.aim) {
      case Aim::kCaster:
        EXPECT_EQ(camera.followed(), action.actor().node()) << row.name;
        break;
      case Aim::kTargets:
        EXPECT_EQ(camera.followed(), action.target(0).node()) << row.name;
        break;
      case Aim::kCast:
        EXPECT_EQ(camera.followed(), nullptr) << row.name;
        EXPECT_NEAR(camera.focus.x, between.x, 1e-3f) << row.name;
        EXPECT_NEAR(camera.focus.y, between.y, 1e-3f) << row.name;
        break;
    }
    EXPECT_FLOAT_EQ(camera.zoom, row.zoom) << row.name;
    EXPECT_EQ(stage.count("pitch 30"), row.pitch30 ? 1 : 0) << row.name;
    camera = Game::Effect::CastCamera();
    camera.focus = untouched;
    stage.calls.clear();
    step(effect);
    EXPECT_EQ(camera.followed(), nullptr) << row.name;
    EXPECT_EQ(camera.focus.x, untouched.x) << row.name;
    EXPECT_EQ(camera.zoom, 1.f) << row.name;
    EXPECT_TRUE(stage.calls.empty()) << row.name;
  }
}

}  // namespace
