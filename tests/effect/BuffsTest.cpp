// The buffs on the sample data, frame by frame.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "data/Unit.h"
#include "tests/effect/SupportEffectsFixture.h"

namespace {

using Engine::Math::Vector3;
using Game::Effect::Cast;
using Kind = Game::Effect::ActionRecord::ResultKind;

class BuffsTest : public EffectTestSupport::SupportEffectsTest {
 protected:
  static Vector3 positionOf(const Game::Unit& unit) {
    Vector3 p;
    unit.getPosition(p);
    return p;
  }
  // The nodes grouped by model, in slot order within each.
  static std::map<Game::Model*, std::vector<Game::SceneNode*>> byModel(const std::vector<Game::SceneNode*>& nodes) {
    std::map<Game::Model*, std::vector<Game::SceneNode*>> out;
    for (Game::SceneNode* node : nodes) {
      out[node->getModel()].push_back(node);
    }
    return out;
  }
  static float flatDistance(const Vector3& a, const Vector3& b) { return std::hypot(a.x - b.x, a.y - b.y); }
};

// Drop i starts 4·i frames after 32 and its ripple 32 frames after it, at
// the same place on the ground within 128 of the targets' centre.
TEST_F(BuffsTest, HealRainDropsRippleThirtyTwoFramesAfterTheyStart) {
  EffectTestSupport::RecordingAction& action = *standardActions(0)[2];
  Cast& rain = play("恵雨", action);
  runTo(rain, 32);
  const std::vector<Game::SceneNode*> made = tickMade(rain);
  ASSERT_EQ(made.size(), 64u);
  // Drop and ripple alternate: drop i, then its ripple.
  Vector3 centre(0.f, 0.f, 0.f);
  for (int i = 0; i < 3; ++i) {
    centre += positionOf(action.target(i));
  }
  for (int i = 0; i < 32; ++i) {
    const Game::SceneNode& drop = *made[static_cast<std::size_t>(2 * i)];
    const Game::SceneNode& ripple = *made[static_cast<std::size_t>(2 * i + 1)];
    EXPECT_NE(drop.getModel(), ripple.getModel());
    EXPECT_FLOAT_EQ(drop.getTime(), -4.f * static_cast<float>(i));
    EXPECT_FLOAT_EQ(ripple.getTime(), -4.f * static_cast<float>(i) - 32.f);
    EXPECT_EQ(drop.position.value().z, 0.f);
    EXPECT_EQ(ripple.position.value().x, drop.position.value().x);
    EXPECT_EQ(ripple.position.value().y, drop.position.value().y);
    EXPECT_FLOAT_EQ(ripple.scale.x.value(), 0.5f);
  }
  runTo(rain, 96);
  const std::vector<Game::SceneNode*> glows = tickMade(rain);
  ASSERT_EQ(glows.size(), 16u);
  for (int i = 0; i < 16; ++i) {
    EXPECT_FLOAT_EQ(glows[static_cast<std::size_t>(i)]->getTime(), -8.f * static_cast<float>(i));
    EXPECT_FLOAT_EQ(glows[static_cast<std::size_t>(i)]->scale.z.value(), 1.f);
  }
  runTo(rain, 128);
  EXPECT_TRUE(stage.sounds.empty());
  step(rain);
  ASSERT_EQ(stage.sounds.size(), 1u);
  EXPECT_EQ(stage.sounds[0].index, 0);
  runTo(rain, 192);
  EXPECT_EQ(action.resultsShown, 0);
  EXPECT_EQ(step(rain), Cast::kApplied);
  EXPECT_EQ(action.resultsShown, 1);
  runTo(rain, 257);
  EXPECT_EQ(step(rain), Cast::kFinished);
}

// The rain falls about the targets' centre (a box's centre of the three).
TEST_F(BuffsTest, HealRainFallsWithinItsSpreadOfTheTargetsCentre) {
  EffectTestSupport::RecordingAction& action = *standardActions(1)[0];
  Cast& rain = play("恵雨", action);
  runTo(rain, 32);
  const std::vector<Game::SceneNode*> made = tickMade(rain);
  ASSERT_EQ(made.size(), 64u);
  const Vector3 target = positionOf(action.target(0));
  float farthest = 0.f;
  for (const Game::SceneNode* node : made) {
    farthest = std::max(farthest, flatDistance(node->position.value(), target));
  }
  EXPECT_LT(farthest, 128.f);
  EXPECT_GT(farthest, 64.f);
}

// Ends on exactly 96, one frame before a script ending from 97.
TEST_F(BuffsTest, HighSpeedChargeEndsOnNinetySix) {
  EffectTestSupport::RecordingAction& action = *standardActions(0)[0];
  Cast& charge = play("ハイスピードチャージ", action);
  const std::vector<Game::SceneNode*> made = tickMade(charge);
  ASSERT_EQ(made.size(), 12u);
  for (int i = 0; i < 12; ++i) {
    EXPECT_FLOAT_EQ(made[static_cast<std::size_t>(i)]->getTime(), -static_cast<float>(i));
    EXPECT_EQ(made[static_cast<std::size_t>(i)]->position.value().x, positionOf(action.target(0)).x);
  }
  ASSERT_EQ(stage.sounds.size(), 1u);
  EXPECT_EQ(stage.sounds[0].key, "hit");
  runTo(charge, 96);
  EXPECT_EQ(charge.state(), Cast::kApplied);
  EXPECT_EQ(step(charge), Cast::kFinished);
}

// The caster steps 32 away from the targets on 0, leaving a fading copy, and
// its Move brings it home before the end.
TEST_F(BuffsTest, PhantomAvoidStepsBackAndComesHome) {
  EffectTestSupport::RecordingAction& action = *standardActions(0)[0];
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
  const Vector3 stepped = caster.node()->position.value();
  EXPECT_NEAR(stepped.x, away.x, 1e-2f);
  EXPECT_NEAR(stepped.y, away.y, 1e-2f);
  runTo(avoid, 16);
  EXPECT_EQ(avoid.modules().count(), 0);
  step(avoid);
  EXPECT_EQ(avoid.modules().count(), 1);
  runTo(avoid, 65);
  EXPECT_EQ(step(avoid), Cast::kFinished);
  const Vector3 back = positionOf(caster);
  EXPECT_NEAR(back.x, home.x, 1e-2f);
  EXPECT_NEAR(back.y, home.y, 1e-2f);
}

// 24 copies per target on 16, copy k turned 15·k and hidden 2·k frames.
TEST_F(BuffsTest, RefreshLaysARingOfTwentyFourCopiesOnEveryTarget) {
  EffectTestSupport::RecordingAction& action = *standardActions(0)[2];
  Cast& refresh = play("リフレッシュ", action);
  runTo(refresh, 16);
  const std::vector<Game::SceneNode*> made = tickMade(refresh);
  ASSERT_EQ(made.size(), 72u);
  for (int i = 0; i < 3; ++i) {
    for (int k = 0; k < 24; ++k) {
      const Game::SceneNode& copy = *made[static_cast<std::size_t>(24 * i + k)];
      EXPECT_FLOAT_EQ(copy.rotation.z.value(), 15.f * static_cast<float>(k));
      EXPECT_EQ(copy.rotation.x.value(), 0.f);
      EXPECT_FLOAT_EQ(copy.getTime(), -2.f * static_cast<float>(k));
      EXPECT_EQ(copy.position.value().x, positionOf(action.target(i)).x);
    }
  }
}

// A full miss lays no glow on its target, yet the results show.
TEST_F(BuffsTest, AFullMissLaysNothingOnTheTargetButApplies) {
  for (const char* name : {"リフレッシュ", "トランス", "エンハンス", "ダブルキャスト", "決闘歌", "護身法"}) {
    EffectTestSupport::RecordingAction& action = *standardActions(0)[1];
    Cast& buff = play(name, action);
    std::size_t spawned = 0;
    while (buff.state() == Cast::kRunning) {
      const std::vector<Game::SceneNode*> made = tickMade(buff);
      spawned += made.size();
      EXPECT_TRUE(action.target(0).node()->overlays().empty()) << name;
    }
    EXPECT_EQ(action.resultsShown, 1) << name;
    if (std::string(name) == "決闘歌" || std::string(name) == "護身法") {
      // Only the wave at the caster's front: nothing spawned on the missed.
      EXPECT_LE(spawned, 1u) << name;
    }
  }
}

// Six decoys leave the first target from rest and come to rest the target's
// size away at 60·k degrees: the share of the way at t of 64 is
// (3u² − u³) / 2 with u = t/64, so 0.3125 at t = 32 (frame 64's tick).
TEST_F(BuffsTest, PhantomDecoysSpreadFromRestToTheTargetsSizeAway) {
  EffectTestSupport::RecordingAction& action = *standardActions(0)[0];
  Cast& phantom = play("幻影", action);
  const std::vector<Game::SceneNode*> motes = tickMade(phantom);
  EXPECT_EQ(motes.size(), 32u);
  runTo(phantom, 32);
  const Vector3 centre = action.target(0).node()->position.value();
  std::vector<Game::SceneNode*> decoys = tickMade(phantom);
  ASSERT_EQ(decoys.size(), 6u);
  for (const Game::SceneNode* decoy : decoys) {
    EXPECT_EQ(decoy->getLifetime(), 64);
  }
  runTo(phantom, 65);
  const float size = action.target(0).getSize();
  ASSERT_FLOAT_EQ(size, 192.f);
  for (int k = 0; k < 6; ++k) {
    const float a = 60.f * static_cast<float>(k) * 3.14159265f / 180.f;
    const Vector3 at = decoys[static_cast<std::size_t>(k)]->position.value();
    EXPECT_NEAR(at.x, centre.x + 0.3125f * size * std::cos(a), 0.05f) << k;
    EXPECT_NEAR(at.y, centre.y + 0.3125f * size * std::sin(a), 0.05f) << k;
  }
}

// A circle of 16 pieces half the first target's size about it, 22.5 degrees
// and 4 frames apart, with a light at the target.
TEST_F(BuffsTest, MagicalHealCirclesTheFirstTarget) {
  EffectTestSupport::RecordingAction& action = *standardActions(0)[0];
  Cast& heal = play("マジカルヒール", action);
  runTo(heal, 32);
  const std::vector<Game::SceneNode*> made = tickMade(heal);
  ASSERT_EQ(made.size(), 17u);
  const Vector3 centre = positionOf(action.target(0));
  for (int k = 0; k < 16; ++k) {
    const float a = 22.5f * static_cast<float>(k) * 3.14159265f / 180.f;
    const Vector3 at = made[static_cast<std::size_t>(k)]->position.value();
    EXPECT_NEAR(at.x, centre.x + 96.f * std::cos(a), 1e-2f) << k;
    EXPECT_NEAR(at.y, centre.y + 96.f * std::sin(a), 1e-2f) << k;
    EXPECT_FLOAT_EQ(made[static_cast<std::size_t>(k)]->getTime(), -4.f * static_cast<float>(k));
  }
  EXPECT_TRUE(made[16]->hasLight());
  EXPECT_EQ(made[16]->getLifetime(), 64);
  EXPECT_EQ(made[16]->position.value().x, centre.x);
}

// Without a target nothing is laid on one; the script still applies.
TEST_F(BuffsTest, WithoutATargetTheFirstTargetsBlocksAreSkipped) {
  for (const char* name : {"ダブルキャスト", "トランス", "幻影", "マジカルヒール", "スポイル", "回復アイテム"}) {
    EffectTestSupport::RecordingAction& action = *standardActions(0)[3];
    Cast& buff = play(name, action);
    std::size_t spawned = 0;
    while (buff.state() == Cast::kRunning) {
      spawned += tickMade(buff).size();
    }
    EXPECT_EQ(action.resultsShown, 1) << name;
    // Only the heal's light at the aim point.
    EXPECT_EQ(spawned, std::string(name) == "マジカルヒール" ? 1u : 0u) << name;
  }
}

// Enhance's four layers grow by 0.01 each and start 4 frames apart.
TEST_F(BuffsTest, EnhanceLaysFourGrowingLayers) {
  EffectTestSupport::RecordingAction& action = *standardActions(0)[0];
  Cast& enhance = play("エンハンス", action);
  runTo(enhance, 16);
  const std::vector<Game::SceneNode*> made = tickMade(enhance);
  ASSERT_EQ(made.size(), 4u);
  for (int k = 0; k < 4; ++k) {
    EXPECT_FLOAT_EQ(made[static_cast<std::size_t>(k)]->scale.x.value(), 0.75f + 0.01f * static_cast<float>(k));
    EXPECT_FLOAT_EQ(made[static_cast<std::size_t>(k)]->scale.y.value(), 0.75f + 0.01f * static_cast<float>(k));
    EXPECT_FLOAT_EQ(made[static_cast<std::size_t>(k)]->scale.z.value(), 0.75f);
    EXPECT_FLOAT_EQ(made[static_cast<std::size_t>(k)]->getTime(), -4.f * static_cast<float>(k));
  }
}

// Each buff lays its glow over the hit target on its own frame alone.
struct GlowRow {
  const char* name;
  int frame;
};
constexpr GlowRow kGlowRows[] = {
    {"ダブルキャスト", 96}, {"トランス", 64}, {"決闘歌", 64},      {"エンハンス", 64},
    {"ハイスピードチャージ", 48}, {"リフレッシュ", 48}, {"マジカルヒール", 80}, {"恵雨", 128},
};

TEST_F(BuffsTest, EachGlowComesOnItsFrameAlone) {
  EffectTestSupport::RecordingAction& action = *standardActions(0)[0];
  for (const GlowRow& row : kGlowRows) {
    action.target(0).createSceneNode();
    Cast& buff = play(row.name, action);
    for (int frame = 0; frame < row.frame; ++frame) {
      step(buff);
      ASSERT_TRUE(action.target(0).node()->overlays().empty()) << row.name << " frame " << frame;
    }
    step(buff);
    EXPECT_EQ(action.target(0).node()->overlays().size(), 1u) << row.name;
    step(buff);
    EXPECT_EQ(action.target(0).node()->overlays().size(), 1u) << row.name;
  }
}

// 32 pieces on the first target on 16, piece i hidden 2·i frames, each in
// a hue of its own.
TEST_F(BuffsTest, DoubleCastSwarmsThirtyTwoColouredPiecesOnTheFirstTarget) {
  EffectTestSupport::RecordingAction& action = *standardActions(0)[2];
  Cast& swarm = play("ダブルキャスト", action);
  runTo(swarm, 16);
  const std::vector<Game::SceneNode*> made = tickMade(swarm);
  ASSERT_EQ(made.size(), 32u);
  int white = 0;
  for (int i = 0; i < 32; ++i) {
    const Game::SceneNode& piece = *made[static_cast<std::size_t>(i)];
    EXPECT_FLOAT_EQ(piece.getTime(), -2.f * static_cast<float>(i));
    EXPECT_EQ(piece.position.value().x, positionOf(action.target(0)).x);
    const Vector3 c = piece.ambient.value();
    white += c.x == 1.f && c.y == 1.f && c.z == 1.f ? 1 : 0;
    // A pure hue: one channel full, one empty.
    EXPECT_FLOAT_EQ(std::max({c.x, c.y, c.z}), 1.f);
    EXPECT_FLOAT_EQ(std::min({c.x, c.y, c.z}), 0.f);
  }
  EXPECT_EQ(white, 0);
  ASSERT_EQ(stage.sounds.size(), 1u);
  EXPECT_EQ(stage.sounds[0].index, 0);
}

// 16 copies on every hit target on 32, copy k hidden 2·k frames; none on
// the missed one.
TEST_F(BuffsTest, ImperiumBurstsSixteenCopiesOnEveryHitTarget) {
  EffectTestSupport::RecordingAction& action = *standardActions(0)[2];
  Cast& song = play("決闘歌", action);
  const std::vector<Game::SceneNode*> wave = tickMade(song);
  EXPECT_EQ(wave.size(), 1u);
  runTo(song, 32);
  const std::vector<Game::SceneNode*> made = tickMade(song);
  ASSERT_EQ(made.size(), 32u);
  for (int k = 0; k < 16; ++k) {
    for (int j = 0; j < 2; ++j) {
      const Game::SceneNode& copy = *made[static_cast<std::size_t>(2 * k + j)];
      EXPECT_FLOAT_EQ(copy.getTime(), -2.f * static_cast<float>(k));
      EXPECT_EQ(copy.position.value().x, positionOf(action.target(2 * j)).x);
    }
  }
}

// "main" on every target on 16, the results on 32.
TEST_F(BuffsTest, AttackBoostAndSetBarrierMarkEveryTarget) {
  EffectTestSupport::RecordingAction& action = *standardActions(0)[2];
  for (const char* name : {"攻撃補助", "バリア展開"}) {
    Cast& boost = play(name, action);
    runTo(boost, 16);
    const std::vector<Game::SceneNode*> made = tickMade(boost);
    ASSERT_EQ(made.size(), 3u) << name;
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(made[static_cast<std::size_t>(i)]->position.value().x, positionOf(action.target(i)).x) << name;
      EXPECT_FLOAT_EQ(made[static_cast<std::size_t>(i)]->scale.x.value(), action.target(i).getScale()) << name;
    }
  }
}

}  // namespace
