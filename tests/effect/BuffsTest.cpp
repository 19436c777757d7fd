// The buffs, the reactions and the counters on the sample data, frame by
// frame.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "live/Unit.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::Effect::Cast;

using BuffsTest = EffectTestSupport::SupportEffectsTest;

constexpr float kAny = -1.f;

// The copies one frame's tick lays on the targets of the mask: copy k of a
// target (in slot order) hidden k·delay frames, turned k·turn about z and,
// with a width, scaled width + k·grow across and width deep. The one sound
// heard by then, when named.
struct LayRow {
  const char* name;
  int side;
  int action;
  int frame;
  int copies;
  unsigned targets;
  float delay;
  float turn;
  float width;
  float grow;
  const char* sound;
};
constexpr LayRow kLayRows[] = {
    {"リフレッシュ", 0, 2, 16, 24, 0b111, 2.f, 15.f, kAny, 0.f, nullptr},
    {"ダブルキャスト", 0, 2, 16, 32, 0b1, 2.f, kAny, kAny, 0.f, "main"},
    {"決闘歌", 0, 2, 32, 16, 0b101, 2.f, kAny, kAny, 0.f, nullptr},
    {"エンハンス", 0, 0, 16, 4, 0b1, 4.f, kAny, 0.75f, 0.01f, nullptr},
    {"トランス", 0, 0, 16, 1, 0b1, kAny, kAny, kAny, 0.f, "main"},
    {"ハイスピードチャージ", 0, 0, 0, 12, 0b1, 1.f, kAny, kAny, 0.f, "hit"},
    {"回復アイテム", 0, 2, 16, 6, 0b1, kAny, 60.f, kAny, 0.f, "main"},
    {"スポイル", 1, 0, 0, 32, 0b1, 2.f, kAny, kAny, 0.f, nullptr},
};

TEST_F(BuffsTest, EachLayingPutsItsCopiesOnTheTargetsTurnedAndDelayedByNumber) {
  for (const LayRow& row : kLayRows) {
    RecordingAction& action = *standardActions(row.side)[static_cast<std::size_t>(row.action)];
    stage.sounds.clear();
    Cast& buff = play(row.name, action);
    runTo(buff, row.frame);
    const std::vector<Game::SceneNode*> made = tickMade(buff);
    std::vector<std::size_t> laid(3, 0);
    for (const Game::SceneNode* copy : made) {
      std::size_t on = 0;
      while (on < 3 && flatDistance(copy->position.value(), positionOf(action.target(static_cast<int>(on)))) > 1e-2f) {
        ++on;
      }
      ASSERT_LT(on, 3u) << row.name;
      ASSERT_TRUE(row.targets >> on & 1u) << row.name << " on target " << on;
      const float k = static_cast<float>(laid[on]++);
      if (row.delay != kAny) {
        EXPECT_FLOAT_EQ(copy->getTime(), -row.delay * k) << row.name;
      }
      if (row.turn != kAny) {
        EXPECT_FLOAT_EQ(copy->rotation.z.value(), row.turn * k) << row.name;
        EXPECT_EQ(copy->rotation.x.value(), 0.f) << row.name;
      }
      if (row.width != kAny) {
        EXPECT_FLOAT_EQ(copy->scale.x.value(), row.width + row.grow * k) << row.name;
        EXPECT_FLOAT_EQ(copy->scale.y.value(), row.width + row.grow * k) << row.name;
        EXPECT_FLOAT_EQ(copy->scale.z.value(), row.width) << row.name;
      }
    }
    for (std::size_t on = 0; on < 3; ++on) {
      EXPECT_EQ(laid[on], row.targets >> on & 1u ? static_cast<std::size_t>(row.copies) : 0u) << row.name << on;
    }
    if (row.sound) {
      ASSERT_EQ(stage.sounds.size(), 1u) << row.name;
      EXPECT_EQ(stage.sounds[0].key, row.sound) << row.name;
    }
  }
}

// "main" on every target on 16 at the target's scale; the shield's at once,
// turned like the target and ending the play.
TEST_F(BuffsTest, AttackBoostSetBarrierAndShieldMarkEveryTargetAtItsScale) {
  RecordingAction& action = *standardActions(0)[2];
  action.target(1).node()->rotation.setValue(0.f, 0.f, 40.f);
  for (const char* name : {"攻撃補助", "バリア展開", "シールド回避"}) {
    const bool shield = std::string(name) == "シールド回避";
    Cast& boost = play(name, action);
    runTo(boost, shield ? 0 : 16);
    int answer = -1;
    const std::vector<Game::SceneNode*> made = tickMade(boost, &answer);
    ASSERT_EQ(made.size(), 3u) << name;
    for (int i = 0; i < 3; ++i) {
      const Game::SceneNode& mark = *made[static_cast<std::size_t>(i)];
      EXPECT_LT(flatDistance(mark.position.value(), positionOf(action.target(i))), 1e-2f) << name;
      EXPECT_FLOAT_EQ(mark.scale.x.value(), action.target(i).getScale()) << name;
    }
    if (shield) {
      EXPECT_EQ(answer, Cast::kFinished);
      EXPECT_FLOAT_EQ(made[0]->scale.y.value(), 0.75f);
      EXPECT_FLOAT_EQ(made[2]->scale.z.value(), action.target(2).getScale());
      EXPECT_FLOAT_EQ(made[1]->rotation.z.value(), 40.f);
    }
  }
}

// The glows over the hit target come on their frame alone, the counters'
// glow and flash together.
struct GlowRow {
  const char* name;
  int frame;
  std::size_t overlays;
};
constexpr GlowRow kGlowRows[] = {
    {"ダブルキャスト", 96, 1},       {"トランス", 64, 1},       {"決闘歌", 64, 1},
    {"エンハンス", 64, 1},           {"ハイスピードチャージ", 48, 1}, {"リフレッシュ", 48, 1},
    {"マジカルヒール", 80, 1},       {"恵雨", 128, 1},          {"祟り", 48, 2},
    {"ポイゾナスカウンター", 48, 2},
};

TEST_F(BuffsTest, EachGlowComesOnItsFrameAlone) {
  RecordingAction& action = *standardActions(0)[0];
  for (const GlowRow& row : kGlowRows) {
    action.target(0).createSceneNode();
    Cast& buff = play(row.name, action);
    const std::string glows = trace(row.frame + 1, [&] { step(buff); },
                                    [&] { return std::to_string(action.target(0).node()->overlays().size()); });
    EXPECT_EQ(glows, "0:0 " + std::to_string(row.frame) + ":" + std::to_string(row.overlays)) << row.name;
  }
}

// A full miss lays no glow on its target, and without a target nothing is
// laid on one (the sweep pins when the results show). The counts: what the play spawns at
// most (the wave at the caster's front, the heal's light at the aim point).
struct BuffMissRow {
  const char* name;
  int action;
  int spawned;
};
constexpr int kMany = 1 << 20;
constexpr BuffMissRow kMissRows[] = {
    {"リフレッシュ", 1, kMany},  {"トランス", 1, kMany},     {"エンハンス", 1, kMany}, {"ダブルキャスト", 1, kMany},
    {"決闘歌", 1, 1},            {"護身法", 1, 1},           {"ダブルキャスト", 3, 0}, {"トランス", 3, 0},
    {"幻影", 3, 0},              {"マジカルヒール", 3, 1},   {"スポイル", 3, 0},       {"回復アイテム", 3, 0},
};

TEST_F(BuffsTest, AMissedOrMissingTargetTakesNothing) {
  const std::vector<RecordingAction*> actions = standardActions(0);
  for (const BuffMissRow& row : kMissRows) {
    RecordingAction& action = *actions[static_cast<std::size_t>(row.action)];
    Cast& buff = play(row.name, action);
    int spawned = 0;
    while (buff.state() == Cast::kRunning) {
      spawned += static_cast<int>(tickMade(buff).size());
      if (row.action == 1) {
        EXPECT_TRUE(action.target(0).node()->overlays().empty()) << row.name;
      }
    }
    EXPECT_LE(spawned, row.spawned) << row.name;
    if (row.action == 3) {
      EXPECT_EQ(spawned, row.spawned) << row.name;
    }
  }
}

// Drop i starts 4·i frames after 32 and its ripple 32 frames after it, at
// the same place on the ground within 128 of the centre of the targets' box
// (whose corners targets 0 and 2 stand on).
TEST_F(BuffsTest, HealRainDropsRippleThirtyTwoFramesAfterTheyStart) {
  RecordingAction& action = *standardActions(0)[2];
  Cast& rain = play("恵雨", action);
  runTo(rain, 32);
  const std::vector<Game::SceneNode*> made = tickMade(rain);
  ASSERT_EQ(made.size(), 64u);
  Vector3 centre = positionOf(action.target(0));
  centre += positionOf(action.target(2));
  centre *= 0.5f;
  float farthest = 0.f;
  for (int i = 0; i < 32; ++i) {
    const Game::SceneNode& drop = *made[static_cast<std::size_t>(2 * i)];
    const Game::SceneNode& ripple = *made[static_cast<std::size_t>(2 * i + 1)];
    EXPECT_NE(drop.getModel(), ripple.getModel());
    EXPECT_FLOAT_EQ(drop.getTime(), -4.f * static_cast<float>(i));
    EXPECT_FLOAT_EQ(ripple.getTime(), -4.f * static_cast<float>(i) - 32.f);
    EXPECT_EQ(drop.position.value().z, 0.f);
    EXPECT_EQ(flatDistance(ripple.position.value(), drop.position.value()), 0.f);
    EXPECT_FLOAT_EQ(ripple.scale.x.value(), 0.5f);
    farthest = std::max(farthest, flatDistance(drop.position.value(), centre));
  }
  EXPECT_LT(farthest, 128.f);
  EXPECT_GT(farthest, 64.f);
  runTo(rain, 96);
  const std::vector<Game::SceneNode*> glows = tickMade(rain);
  ASSERT_EQ(glows.size(), 16u);
  for (int i = 0; i < 16; ++i) {
    EXPECT_FLOAT_EQ(glows[static_cast<std::size_t>(i)]->getTime(), -8.f * static_cast<float>(i));
    EXPECT_FLOAT_EQ(glows[static_cast<std::size_t>(i)]->scale.z.value(), 1.f);
  }
}

// Silent until the frame, then sound entry 0.
TEST_F(BuffsTest, TheRainAndTheDrainSoundFirstOnTheirFrame) {
  for (const auto& [name, side, action, frame] : {std::tuple{"恵雨", 0, 2, 128}, std::tuple{"スポイル", 1, 0, 64}}) {
    stage.sounds.clear();
    Cast& effect = play(name, *standardActions(side)[static_cast<std::size_t>(action)]);
    const auto sounds = [&] {
      const std::string entry = stage.sounds.empty() ? "" : " entry " + std::to_string(stage.sounds[0].index);
      return std::to_string(stage.sounds.size()) + entry;
    };
    EXPECT_EQ(trace(frame, [&] { step(effect); }, sounds), "0:0 " + std::to_string(frame) + ":1 entry 0") << name;
  }
}

// The caster steps 32 away from the targets on 0, leaving a fading copy, and
// its Move brings it home before the end.
TEST_F(BuffsTest, PhantomAvoidStepsBackAndComesHome) {
  RecordingAction& action = *standardActions(0)[0];
  Game::Unit& caster = action.actor();
  const Vector3 home = positionOf(caster);
  Vector3 away = home;
  away -= positionOf(action.target(0));
  away *= 32.f / away.length();
  away += home;
  Cast& avoid = play("分身", action);
  const std::vector<Game::SceneNode*> made = tickMade(avoid);
  ASSERT_EQ(made.size(), 1u);
  EXPECT_EQ(made[0]->getLifetime(), 32);
  EXPECT_LT(flatDistance(caster.node()->position.value(), away), 1e-2f);
  runTo(avoid, 16);
  EXPECT_EQ(avoid.modules().count(), 0);
  step(avoid);
  EXPECT_EQ(avoid.modules().count(), 1);
  runTo(avoid, 65);
  EXPECT_EQ(step(avoid), Cast::kFinished);
  EXPECT_LT(flatDistance(positionOf(caster), home), 1e-2f);
}

// Six decoys leave the first target from rest and come to rest the target's
// size away at 60·k degrees: the share of the way at t of 64 is
// (3u² − u³) / 2 with u = t/64, so 0.3125 at t = 32 (frame 64's tick).
// The heal: a circle of 16 pieces half the target's size about it, 22.5
// degrees and 4 frames apart, and a light at the target.
TEST_F(BuffsTest, PhantomDecoysSpreadAndMagicalHealCirclesAboutTheFirstTarget) {
  RecordingAction& action = *standardActions(0)[0];
  const float size = action.target(0).getSize();
  ASSERT_FLOAT_EQ(size, 192.f);
  const Vector3 centre = positionOf(action.target(0));
  const auto expectOnCircle = [&](const std::vector<Game::SceneNode*>& nodes, float step, float radius, float tol) {
    for (std::size_t k = 0; k < nodes.size(); ++k) {
      const float a = step * static_cast<float>(k) * 3.14159265f / 180.f;
      const Vector3 at = nodes[k]->position.value();
      EXPECT_NEAR(at.x, centre.x + radius * std::cos(a), tol) << k;
      EXPECT_NEAR(at.y, centre.y + radius * std::sin(a), tol) << k;
    }
  };
  Cast& phantom = play("幻影", action);
  EXPECT_EQ(tickMade(phantom).size(), 32u);
  runTo(phantom, 32);
  const std::vector<Game::SceneNode*> decoys = tickMade(phantom);
  ASSERT_EQ(decoys.size(), 6u);
  for (const Game::SceneNode* decoy : decoys) {
    EXPECT_EQ(decoy->getLifetime(), 64);
  }
  runTo(phantom, 65);
  expectOnCircle(decoys, 60.f, 0.3125f * size, 0.05f);

  Cast& heal = play("マジカルヒール", action);
  runTo(heal, 32);
  std::vector<Game::SceneNode*> made = tickMade(heal);
  ASSERT_EQ(made.size(), 17u);
  const Game::SceneNode& light = *made.back();
  EXPECT_TRUE(light.hasLight());
  EXPECT_EQ(light.getLifetime(), 64);
  EXPECT_EQ(light.position.value().x, centre.x);
  made.pop_back();
  expectOnCircle(made, 22.5f, size / 2.f, 1e-2f);
  for (std::size_t k = 0; k < made.size(); ++k) {
    EXPECT_FLOAT_EQ(made[k]->getTime(), -4.f * static_cast<float>(k));
  }
}

// Each piece of the double cast in a pure hue of its own, never white.
TEST_F(BuffsTest, DoubleCastColoursEveryPieceInAPureHue) {
  Cast& swarm = play("ダブルキャスト", *standardActions(0)[2]);
  runTo(swarm, 16);
  for (const Game::SceneNode* piece : tickMade(swarm)) {
    const Vector3 c = piece->ambient.value();
    EXPECT_FLOAT_EQ(std::max({c.x, c.y, c.z}), 1.f);
    EXPECT_FLOAT_EQ(std::min({c.x, c.y, c.z}), 0.f);
  }
}

}  // namespace
