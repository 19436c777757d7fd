// Where the reactions, system actions and buffs turn the camera.

#include <gtest/gtest.h>

#include <vector>

#include "effect/CastCamera.h"
#include "tests/effect/SupportEffectsFixture.h"

namespace {

using namespace EffectTestSupport;

using Game::Effect::Cast;

using SupportEffectsSweepTest = EffectTestSupport::SupportEffectsTest;

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
