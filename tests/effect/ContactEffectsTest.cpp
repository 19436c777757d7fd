// The contact attacks played on the sample data: their timings with every
// kind of action, the stamp's drop at full depth, complete misses, the
// returns home and the moments of the throw, the rips, the cross split and
// the blood drops.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "effect/Cuts.h"
#include "presentation/model/Model.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::Effect::Cast;

using ContactEffectsTest = EffectTestSupport::FamilySweep;

// The stamp's frames (its sound and overlays on 80, its move home to 139,
// the results on 96) are in the tables below and in the sweep; here where
// it stands and the dust it rings the aim point with.
TEST_F(ContactEffectsTest, StampLeapsOverTheTargetDropsOnTheAimAndRingsItWithDust) {
  RecordingAction& action = *standardActions(0)[0];
  Game::Unit& caster = action.actor();
  Vector3 target;
  action.target(0).getPosition(target);
  auto effect = makeEffect("ふみつぶす", action);

  stepThrough(*effect, 31);
  Vector3 front;
  caster.getFrontPoint(front);
  Vector3 halfway;
  Vector3 start;
  caster.getHomePosition(start);
  halfway.set((start.x + target.x) / 2.f, (start.y + target.y) / 2.f, (start.z + target.z + 256.f) / 2.f + 128.f);
  EXPECT_LT(distance(front, halfway), 1.f);  // the peak of 128 half way up
  stepThrough(*effect, 63);
  caster.getFrontPoint(front);
  EXPECT_LT(distance(front, Vector3(target.x, target.y, target.z + 256.f)), 1e-2f);
  stepThrough(*effect, 79);
  caster.getFrontPoint(front);
  EXPECT_LT(distance(front, action.aim), 1e-2f);

  const std::size_t callsBefore = stage.calls.size();
  step(*effect);  // frame 80
  std::vector<const Game::SceneNode*> ring;
  for (const Game::SceneNode* node : nodesNamed(stage.pool, "main")) {
    if (node->scale.value().x == 0.25f) {
      ring.push_back(node);
    }
  }
  // Kessa is drawn at 3/8, 96 across: 96 / 16 + 16 puffs on a circle of 48.
  ASSERT_EQ(caster.getSize(), 96.f);
  ASSERT_EQ(ring.size(), 22u);
  for (const Game::SceneNode* puff : ring) {
    EXPECT_NEAR(distance(puff->position.value(), action.aim), 48.f, 1e-2f);
  }
  EXPECT_NE(std::find(stage.calls.begin() + static_cast<long>(callsBefore), stage.calls.end(), "shake 2"),
            stage.calls.end());
  int answer = Cast::kApplied;
  while (answer != Cast::kFinished) {
    answer = step(*effect);
  }
  caster.getFrontPoint(front);
  EXPECT_LT(distance(front, start), 1e-2f);
}

// By hand from the timelines: a Move added on frame A for F frames moves
// the caster on frames A .. A + F - 1, a step of F frames on A .. A + F,
// a dash of N frames (30 of wind-up) on A + 30 .. A + N - 1.
struct MoveRow {
  const char* name;
  int firstMove;
  int nearest;
  int lastMove;
  const char* sounds;
  // The frames on which target 0 took on more overlays (flashes, staggers,
  // glows).
  const char* overlays;
};

TEST_F(ContactEffectsTest, EachTimelineMovesTheCasterAndSoundsOnItsFrames) {
  const MoveRow rows[] = {
      {"キック", 0, 19, 51, "20:0", "20"},
      {"真空飛びヒザ", 0, 43, 99, "44:0", "44"},
      {"ジャンピングフラッシュ", 30, 119, 179, "120:0", "120"},
      {"プレス", 0, 31, 95, "32:0", "32"},
      {"ふみつぶす", 0, -1, 139, "80:0", "80"},
      {"体当たり", 0, 23, 71, "24:0", "24"},
      {"突き飛ばす", 16, 47, 131, "48:0", "48"},
      {"投げる", 0, 31, 123, "32:0 80:1", "32 80"},
      {"強打", 0, 8, 8, "16:0", "16 24"},
      {"たたきつぶす", 0, 32, 87, "32:0", "32 48"},
      {"カウンター", -1, -1, -1, "32:0", "32"},
      {"ナイフ", 0, 8, 53, "16:0", "16"},
      {"ピアス", 0, 8, 53, "16:0", "24"},
      {"切り裂き", -1, -1, -1, "16:0 48:1", "32"},
      {"パリィ", -1, -1, -1, "16:0", ""},
      {"ブレード", 0, 8, 61, "24:0", "24"},
      {"クロススプリット", 30, 63, 125, "64:0 64:1+12", "80"},
      {"撃剣", -1, -1, -1, "80:0 144:1", ""},
      {"ビームソード", 48, 79, 187, "16:0 80:1", "80"},
      {"爪", 0, 8, 8, "0:0", "16"},
      {"牙", 0, 8, 8, "16:0 40:0", ""},
      {"吸血", 0, 31, 135, "32:0 48:0", "48"},
      {"冷たい手", 0, 31, 131, "48:0", "48"},
      {"自爆", -1, -1, -1, "48:0", ""},
  };
  RecordingAction& action = *standardActions(0)[0];
  for (const MoveRow& row : rows) {
    const PlayLog log = logPlay(row.name, action);
    const std::string className = classOf(row.name);
    EXPECT_EQ(log.moved.empty() ? -1 : log.moved.front(), row.firstMove) << className;
    if (row.nearest >= 0) {
      EXPECT_EQ(log.nearest, row.nearest) << className;
    }
    EXPECT_EQ(log.moved.empty() ? -1 : log.moved.back(), row.lastMove) << className;
    EXPECT_EQ(log.indexes, row.sounds) << className;
    EXPECT_EQ(log.laidOn, row.overlays) << className;
  }
}

// The knife flies from target 0 on frame 8, while the caster's step, which
// raises no dust, is still under way; the parry's spark comes with its sound
// on 16: one "main" on that frame, none before.
TEST_F(ContactEffectsTest, TheKnifeAndTheParrysSparkAppearOnTheirFrames) {
  RecordingAction& action = *standardActions(0)[0];
  for (const auto& [name, frame] : {std::pair{"ナイフ", 8}, std::pair{"パリィ", 16}}) {
    auto effect = makeEffect(name, action);
    const std::size_t before = nodesNamed(stage.pool, "main").size();
    const auto sparks = [&] { return std::to_string(nodesNamed(stage.pool, "main").size() - before); };
    EXPECT_EQ(trace(frame, [&] { step(*effect); }, sparks), "0:0 " + std::to_string(frame) + ":1") << name;
  }
}

// On a complete miss: the sounds that still play (the unguarded entries and
// the pieces' own) and whether the unguarded sparks fly; the sweep pins
// when the results show.
struct MissedBlowRow {
  const char* name;
  int sounds;
  bool sparks;
  // The unguarded white flashes of the screen.
  int flashes = 0;
};

TEST_F(ContactEffectsTest, ACompleteMissShowsNoHitOnlyPart) {
  const MissedBlowRow rows[] = {
      {"キック", 0, false}, {"真空飛びヒザ", 0, true}, {"ジャンピングフラッシュ", 0, false},
      {"プレス", 0, false}, {"ふみつぶす", 0, false}, {"体当たり", 0, false}, {"突き飛ばす", 0, false, 1},
      {"投げる", 2, false}, {"強打", 0, false}, {"たたきつぶす", 0, false}, {"カウンター", 1, false},
      {"ナイフ", 0, false}, {"ピアス", 0, true}, {"切り裂き", 0, false}, {"パリィ", 1, false},
      {"ブレード", 0, false}, {"クロススプリット", 0, false}, {"撃剣", 1, false}, {"ビームソード", 1, false},
      {"爪", 1, true}, {"牙", 1, false}, {"吸血", 1, true}, {"冷たい手", 0, false}, {"自爆", 1, false, 1}};
  RecordingAction& miss = *standardActions(1)[1];
  Game::Unit& target = miss.target(0);
  for (const MissedBlowRow& row : rows) {
    stage.sounds.clear();
    stage.calls.clear();
    auto effect = makeEffect(row.name, miss);
    const EffectTiming* timing = findTiming(row.name);
    ASSERT_NE(timing, nullptr) << row.name;
    const std::string className = timing->className;
    std::size_t overlays = 0;
    std::size_t sparks = 0;
    for (int frame = 0; frame < kCap && step(*effect) != Cast::kFinished; ++frame) {
      overlays = std::max(overlays, target.node()->overlays().size());
      sparks = std::max(sparks, nodesNamed(stage.pool, "shard").size());
    }
    EXPECT_EQ(static_cast<int>(stage.sounds.size()), row.sounds) << className;
    EXPECT_EQ(overlays, 0u) << className;
    EXPECT_EQ(sparks > 0, row.sparks) << className;
    EXPECT_EQ(std::count(stage.calls.begin(), stage.calls.end(), "flashWhite"), row.flashes) << className;
  }
}

// The throw spins target 0 from 32 and lands it on 80 (its landing sound is
// in the table above); the rip flashes the screen on each cut.
TEST_F(ContactEffectsTest, ThrowSpinsTargetZeroFromThirtyTwoAndRipFlashesOnEachCut) {
  RecordingAction& action = *standardActions(0)[0];
  Game::SceneNode& node = *action.target(0).node();
  auto effect = makeEffect("投げる", action);
  EXPECT_EQ(trace(100, [&] { step(*effect); }, [&] { return numText(node.rotation.z.velocity()); }),
            "0:0 32:7.5 80:0");
  auto rip = makeEffect("切り裂き", action);
  stage.calls.clear();
  stepThrough(*rip, 48);
  EXPECT_EQ(std::count(stage.calls.begin(), stage.calls.end(), "flashWhite"), 2);
}

// Rip's line through the target, measured on a bare effect.
class RipLine : public Game::Effect::Rip {
 public:
  using Rip::slashLine;
};

// The way from the caster (64, 32, 48) to the target (-64, -32, 40) is
// (-128, -64, -8); its side, way x up, (-64, 128, 0): the second rip runs
// 128 along it, the first against it. With the target straight overhead
// there is no side direction: the caster's right.
TEST_F(ContactEffectsTest, RipsLineIsTheSideOfTheReachAndTheCastersRightWhenTheTargetIsOverhead) {
  RecordingAction& action = *standardActions(0)[0];
  RipLine rip;
  rip.bind(action);
  const auto text = [](const Vector3& v) {
    // + 0 writes -0 as 0.
    return numText(std::round(v.x * 10.f) / 10.f + 0.f) + " " + numText(std::round(v.y * 10.f) / 10.f + 0.f) + " " +
           numText(std::round(v.z * 10.f) / 10.f + 0.f);
  };
  EXPECT_EQ(text(rip.slashLine(0)) + ", " + text(rip.slashLine(1)), "57.2 -114.5 0, -57.2 114.5 0");
  const Vector3 caster = positionOf(action.actor());
  action.target(0).node()->position.setValue(caster.x, caster.y, caster.z + 300.f);
  action.target(0).node()->updateWorld();
  Vector3 right;
  action.actor().getRightVector(right);
  EXPECT_EQ(text(rip.slashLine(1)), text(Game::Effect::Bank::scaled(right, 128.f)));
}

TEST_F(ContactEffectsTest, CrossSplitsSecondCutIsTurned) {
  RecordingAction& action = *standardActions(0)[0];
  auto effect = makeEffect("クロススプリット", action);
  stepThrough(*effect, 63);
  const std::size_t cutsBefore = nodesNamed(stage.pool, "main").size();
  step(*effect);
  int turned = 0;
  for (const Game::SceneNode* node : nodesNamed(stage.pool, "main")) {
    turned += node->rotation.value().x == -90.f && node->getTime() < 0.f ? 1 : 0;
  }
  EXPECT_EQ(turned, 1);
  EXPECT_GE(nodesNamed(stage.pool, "main").size(), cutsBefore + 2);
}

TEST_F(ContactEffectsTest, BloodStealsFourDropsStartOnFortyEightFiftyTwoFiftySixAndSixty) {
  RecordingAction& action = *standardActions(0)[0];
  auto effect = makeEffect("吸血", action);
  stepThrough(*effect, 47);
  EXPECT_TRUE(nodesNamed(stage.pool, "top").empty());
  const int modulesBefore = effect->modules().count();
  step(*effect);
  // A flight and a trail per drop; the list spends a delay a tick, and
  // the first drop's modules ran on this one.
  std::vector<int> starts;
  for (int i = modulesBefore; i < effect->modules().count(); ++i) {
    const int delay = effect->modules().at(i).mDelay;
    starts.push_back(delay == 0 ? 48 : 48 + delay + 1);
  }
  EXPECT_EQ(starts, (std::vector<int>{48, 48, 52, 52, 56, 56, 60, 60}));
  EXPECT_FALSE(nodesNamed(stage.pool, "top").empty());
}

}  // namespace
