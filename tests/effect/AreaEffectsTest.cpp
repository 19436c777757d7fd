// The area, weather and status attacks played on the sample data: their
// timings with every kind of action, their sounds, screen calls and overlays
// frame by frame, the vines at full depth, the nodes laid about the field's
// origin or turned to the aimed side, the stare's complete miss, the walls'
// states and the eyes' own holder files.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "presentation/model/Model.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::Effect::Cast;

class AreaEffectsTest : public EffectTestSupport::FamilySweep {
 protected:
  // The nodes the tick of the frame makes; every node laid on the way is let
  // go of once done is through with them.
  void layAndRelease(const char* name, RecordingAction& action, int frame,
              const std::function<void(const std::vector<Game::SceneNode*>&)>& done) {
    auto effect = makeEffect(name, action);
    for (Game::SceneNode* node : launched([&] {
           runTo(*effect, frame);
           done(tickMade(*effect));
         })) {
      node->release();
    }
  }
};

// By hand from the timelines, for one target hit by a caster of side 0:
// "frame:key+delay" of every sound, "frame:call" of every screen and camera
// call of the stage and camera zoom, the frames target 0 took on more
// overlays.
struct TraceRow {
  const char* name;
  const char* sounds;
  const char* calls;
  const char* overlays;
};

TEST_F(AreaEffectsTest, EachTimelineSoundsCallsAndLaysOverlaysOnItsFrames) {
  const TraceRow rows[] = {
      {"焦熱", "0:main", "", "32"},
      {"落雷", "32:main", "0:pitch 30 32:shake 8", "32"},
      {"太陽光線", "32:main", "0:pitch 30", "32"},
      {"吹雪", "16:main", "", "64"},
      {"烈風", "0:main 0:main+32 0:main+64", "0:pitch 30", "80"},
      {"異界の風", "0:main", "0:pitch 30", "64"},
      {"地響き", "32:main", "0:pitch 30 32:shake 10", "40"},
      {"豪雨", "30:main", "0:pitch 30", "64"},
      {"振動波", "30:main 96:hit", "0:pitch 30", "30 96"},
      {"クロスファイヤー", "32:main", "0:heading 30 0:zoom 1.25", "40"},
      {"クロスサンダー", "24:main", "0:heading 30 24:flash 2164260863 8 32:flashWhite", ""},
      {"毒の嵐", "30:main", "0:pitch 30", "48"},
      {"濃霧", "30:main", "0:pitch 30", ""},
      {"フラッシャー", "32:main", "0:pitch 30", ""},
      {"瘟", "64:main", "32:zoom 1.2", "96"},
      {"蔦", "16:main 16:main+20 16:main+40", "0:zoom 1.25", "48"},
      {"金縛り", "32:main", "", "64"},
      {"結界", "32:main", "", ""},
      {"結界発動", "0:main", "", ""},
      {"再生", "48:main", "", "48"},
      {"呼び声", "0:main", "", "32"},
      {"絶叫", "32:main", "0:pitch 30 32:shake 16", "32 64"},
      {"凝視", "48:main 88:hit", "16:heading 30", "88"},
      {"魔眼", "48:main 88:hit", "16:heading 30", "88"},
      {"氷の瞳", "48:main 88:hit", "16:heading 30 88:flashWhite", "88"},
      {"眠たい視線", "32:main", "", "32"},
      {"オーバードライブ",
       "32:main+4 32:main+8 32:main+12 32:main+16 32:main+20 32:main+24 32:main+28 32:main+32 32:main+36 "
       "32:main+40 32:main+44 32:main+48 32:main+52 32:main+56 32:main+60 32:main+64 80:hit",
       "32:heading 30", "80"},
      {"チェック", "0:main", "0:flashWhite 0:heading 30 0:zoom 1.25", ""},
  };
  RecordingAction& action = *standardActions(0)[0];
  for (const TraceRow& row : rows) {
    const PlayLog log = logPlay(row.name, action);
    const std::string className = classOf(row.name);
    EXPECT_EQ(log.keys, row.sounds) << className;
    EXPECT_EQ(log.calls, row.calls) << className;
    EXPECT_EQ(log.laidOn, row.overlays) << className;
  }
}

// By hand from the timelines and the pieces, for one target hit: the nodes
// a frame lays, the earliest and the latest of their times (−delay).
struct LaunchRow {
  const char* name;
  int frame;
  int count;
  float earliest;
  float latest;
};

TEST_F(AreaEffectsTest, EachLaunchFrameLaysItsNodesWithTheirDelays) {
  const LaunchRow rows[] = {
      {"焦熱", 0, 1, 0.f, 0.f},
      {"太陽光線", 16, 1, 0.f, 0.f},
      {"太陽光線", 32, 64 / 8, -56.f, 0.f},
      {"吹雪", 0, 128, -63.f, 0.f},
      {"吹雪", 64, 12, -22.f, 0.f},
      {"烈風", 0, 4 * 48, -72.f, 0.f},
      {"異界の風", 0, 32, -32.f, -1.f},
      {"地響き", 32, 64, 0.f, 0.f},
      {"豪雨", 30, 2 * 192, -(191.f / 3.f + 6.f), 0.f},
      {"振動波", 30, 8, -28.f, 0.f},
      {"振動波", 96, 16, 0.f, 0.f},
      {"クロスファイヤー", 32, 6 * 4 * 6 + 1, -20.f, 0.f},
      {"クロスサンダー", 24, 3, 0.f, 0.f},
      {"毒の嵐", 30, 64, -63.f, 0.f},
      {"濃霧", 30, 1, 0.f, 0.f},
      {"フラッシャー", 32, 1, 0.f, 0.f},
      {"瘟", 64, 64, -63.f, 0.f},
      {"金縛り", 32, 1, 0.f, 0.f},
      {"結界", 32, 271, -27.f, 0.f},
      {"結界発動", 0, 91, -15.f, 0.f},
      {"再生", 32, 4, -24.f, 0.f},
      {"呼び声", 0, 6 + 1, -40.f, 0.f},
      {"絶叫", 32, 1, 0.f, 0.f},
      {"氷の瞳", 48, 1, 0.f, 0.f},
      {"オーバードライブ", 0, 16, -30.f, 0.f},
      {"オーバードライブ", 32, 16, -64.f, -4.f},
      {"チェック", 0, 1, 0.f, 0.f},
  };
  RecordingAction& action = *standardActions(0)[0];
  for (const LaunchRow& row : rows) {
    layAndRelease(row.name, action, row.frame, [&](const std::vector<Game::SceneNode*>& nodes) {
      const auto* timing = EffectTestSupport::findTiming(row.name);
      ASSERT_NE(timing, nullptr) << row.name;
      const std::string where = std::string(timing->className) + " frame " + std::to_string(row.frame);
      ASSERT_EQ(static_cast<int>(nodes.size()), row.count) << where;
      float earliest = 0.f;
      float latest = -1000.f;
      for (const Game::SceneNode* node : nodes) {
        earliest = std::min(earliest, node->getTime());
        latest = std::max(latest, node->getTime());
      }
      EXPECT_FLOAT_EQ(earliest, row.earliest) << where;
      EXPECT_FLOAT_EQ(latest, row.latest) << where;
    });
  }
}

// Cloud i of the storm turned 60·i + 4·(i / 6); ring i of the wave in
// the hue 45·i a quarter of the way back to white (45: 1, 0.75, 0 → 1,
// 0.8125, 0.25; 135: 0, 1, 0.25 → 0.25, 1, 0.4375); the lights' range,
// frames and colour (0xFFFF4000, white, 0xFF8000FF); the call's shapes.
TEST_F(AreaEffectsTest, StormsTurnWavesTintAndLightsShineAsLaidDown) {
  RecordingAction& action = *standardActions(0)[0];
  const auto launch = [&](const char* name, int frame) {
    auto effect = makeEffect(name, action);
    runTo(*effect, frame);
    return tickMade(*effect);
  };
  const std::vector<Game::SceneNode*> clouds = launch("毒の嵐", 30);
  EXPECT_EQ(clouds[7]->rotation.z.value(), 424.f);
  EXPECT_EQ(clouds[13]->rotation.z.value(), 788.f);
  const std::vector<Game::SceneNode*> rings = launch("振動波", 30);
  EXPECT_LT(distance(rings[1]->ambient.value(), Vector3(1.f, 0.8125f, 0.25f)), 1e-6f);
  EXPECT_LT(distance(rings[3]->ambient.value(), Vector3(0.25f, 1.f, 0.4375f)), 1e-6f);

  const struct {
    const char* name;
    int frame;
    float range;
    int frames;
    Vector3 colour;
  } lights[] = {{"クロスファイヤー", 32, 2.f, 16, Vector3(1.f, 64.f / 255.f, 0.f)},
                {"クロスサンダー", 24, 4.f, 16, Vector3(1.f, 1.f, 1.f)},
                {"呼び声", 0, 2.f, 64, Vector3(128.f / 255.f, 0.f, 1.f)}};
  Vector3 target;
  action.target(0).getPosition(target);
  for (const auto& row : lights) {
    int shining = 0;
    for (const Game::SceneNode* node : launch(row.name, row.frame)) {
      if (!node->hasLight()) {
        continue;
      }
      ++shining;
      EXPECT_EQ(node->lightRange(), row.range) << row.name;
      EXPECT_EQ(node->getLifetime(), row.frames) << row.name;
      EXPECT_LT(distance(node->lightColor(), row.colour), 1e-6f) << row.name;
      EXPECT_LT(distance(node->position.value(), target), 1e-6f) << row.name;
    }
    EXPECT_EQ(shining, 1) << row.name;
  }
  // The call's shapes stand within half target 0's size of its feet, at its
  // scale.
  Vector3 feet;
  action.target(0).getFrontPoint(feet);
  for (const Game::SceneNode* node : launch("呼び声", 0)) {
    if (!node->hasLight()) {
      EXPECT_LE(distance(node->position.value(), feet), action.target(0).getSize() / 2.f);
      EXPECT_EQ(node->scale.x.value(), action.target(0).getScale());
    }
  }
}

// The cross of fire stands across the way to the targets: arm j of step r
// reaches 20·r along the side and up at 90·j + 45 degrees (70.71 up and
// down at r = 5) and lies 18 − 1.5·r² back along the way (19.5 ahead at
// r = 5), each flame straying up to 16 on the level.
TEST_F(AreaEffectsTest, CrossFireStandsAnXOfFlamesAcrossTheWayToTheTargets) {
  RecordingAction& action = *standardActions(0)[0];
  auto effect = makeEffect("クロスファイヤー", action);
  runTo(*effect, 32);
  const std::vector<Game::SceneNode*> made = tickMade(*effect);
  Vector3 centre;
  action.target(0).getPosition(centre);
  Vector3 caster;
  action.actor().getPosition(caster);
  Vector3 way;
  way.setSub(centre, caster);
  way *= 1.f / way.length();
  float top = -1000.f;
  float bottom = 1000.f;
  for (const Game::SceneNode* node : made) {
    if (node->hasLight()) {
      continue;
    }
    Vector3 p = node->position.value();
    p -= centre;
    top = std::max(top, p.z);
    bottom = std::min(bottom, p.z);
    if (p.z > 60.f) {
      EXPECT_NEAR(p.x * way.x + p.y * way.y, 19.5f, 16.01f);
    }
  }
  // The way dips a little from the caster's centre to the smaller target's.
  EXPECT_NEAR(top, 100.f / std::sqrt(2.f) + 19.5f * way.z, 1e-3f);
  EXPECT_NEAR(bottom, -100.f / std::sqrt(2.f) + 19.5f * way.z, 1e-3f);
}

// The guard's wall stands half the caster's size ahead of it toward the
// target, at the caster's scale (Kessa: 96, 3/8).
TEST_F(AreaEffectsTest, BorderGuardRaisesItsWallHalfTheCastersSizeAhead) {
  RecordingAction& action = *standardActions(0)[0];
  auto effect = makeEffect("結界発動", action);
  const std::vector<Game::SceneNode*> made = tickMade(*effect);
  Vector3 caster;
  action.actor().getPosition(caster);
  Vector3 ahead;
  action.target(0).getPosition(ahead);
  ahead -= caster;
  ahead *= 48.f / ahead.length();
  ahead += caster;
  const Game::SceneNode& middle = *made.front();
  EXPECT_LT(distance(middle.position.value(), ahead), 1e-3f);
  EXPECT_LT(distance(middle.scale.value(), Vector3(0.375f, 0.375f, 0.375f)), 1e-6f);
}

// Segment i of vine j of a target stands at i/20 along a quadratic path
// from P + a through P + b to P − a (P its front point), turned 45·i about
// z, x and y scaled size/64, z by |velocity| × 2 / 24 / 20, its time
// i − 20·j. A quadratic's velocity at t is (p(t+h) − p(t))/h minus half its
// second difference over h; its end p(1) is p(0) + v(0) + (second
// difference)/(2h²).
TEST_F(AreaEffectsTest, VineLaysThreeVinesOfTwentySegmentsAboutEveryTarget) {
  constexpr int kSegments = 20;
  constexpr float h = 1.f / kSegments;
  RecordingAction& action = *standardActions(0)[2];
  auto effect = makeEffect("蔦", action);
  step(*effect);
  EXPECT_EQ(stage.calls, std::vector<std::string>{"pitch 30"});  // more than one target
  runTo(*effect, 16);
  const std::vector<Game::SceneNode*> segments = tickMade(*effect);
  ASSERT_EQ(segments.size(), 3u * 3u * kSegments);
  for (int target = 0; target < 3; ++target) {
    Vector3 feet;
    action.target(target).getFrontPoint(feet);
    const float size = action.target(target).getSize();
    for (int j = 0; j < 3; ++j) {
      const std::size_t first = static_cast<std::size_t>((target * 3 + j) * kSegments);
      for (int i = 0; i + 2 < kSegments; ++i) {
        const Game::SceneNode& node = *segments[first + static_cast<std::size_t>(i)];
        const Vector3 p0 = node.position.value();
        const Vector3 p1 = segments[first + static_cast<std::size_t>(i) + 1]->position.value();
        const Vector3 p2 = segments[first + static_cast<std::size_t>(i) + 2]->position.value();
        Vector3 second = p2;
        second -= p1;
        second -= p1;
        second += p0;
        Vector3 velocity = p1;
        velocity -= p0;
        velocity *= 1.f / h;
        velocity -= Game::Effect::Bank::scaled(second, 0.5f / h);
        EXPECT_EQ(node.getTime(), static_cast<float>(i - kSegments * j));
        EXPECT_EQ(node.rotation.z.value(), 45.f * static_cast<float>(i));
        EXPECT_FLOAT_EQ(node.scale.x.value(), size / 64.f);
        EXPECT_NEAR(node.scale.z.value(), velocity.length() * 2.f / 24.f / 20.f, 2e-3f);
        if (i == 0) {
          Vector3 end = p0;
          end += velocity;
          end += Game::Effect::Bank::scaled(second, 0.5f / (h * h));
          EXPECT_NEAR((p0.x + end.x) / 2.f, feet.x, 0.1f);
          EXPECT_NEAR((p0.y + end.y) / 2.f, feet.y, 0.1f);
          EXPECT_NEAR(p0.z, feet.z, 1e-3f);
          Vector3 a = p0;
          a -= feet;
          EXPECT_LE(a.length(), size / 2.f);
        }
      }
    }
  }
  ASSERT_EQ(stage.sounds.size(), 3u);
  EXPECT_EQ(stage.sounds[2].delay, 40);
  runTo(*effect, 48);
  EXPECT_TRUE(action.target(0).node()->overlays().empty());
  step(*effect);
  EXPECT_FALSE(action.target(0).node()->overlays().empty());
}

// Flakes and streaks turned by the aimed side × 180 (their counts and
// times are in the launch rows above).
TEST_F(AreaEffectsTest, BlizzardAndAbyssWindTurnEveryNodeToTheAimedSide) {
  RecordingAction& action = *standardActions(0)[0];
  for (const char* name : {"吹雪", "異界の風"}) {
    for (int side = 0; side < 2; ++side) {
      action.cell.side = side;
      auto effect = makeEffect(name, action);
      const std::vector<Game::SceneNode*> nodes = tickMade(*effect);
      ASSERT_FALSE(nodes.empty()) << name;
      for (const Game::SceneNode* node : nodes) {
        EXPECT_EQ(node->rotation.z.value(), 180.f * static_cast<float>(side)) << name;
      }
    }
  }
}

// With every unit moved 3000 away, the nodes of the frame still stand
// within the field's box about the origin: the flare at it, the flakes in
// ±128, ±256 (287 out at most), rocks and drops in ±256, ±256 (363), the
// wall's ten rings of cells 32·√3 apart (ring 9's corners 9·55.43 = 499),
// the wind's streaks on a line of ±128.
TEST_F(AreaEffectsTest, FieldAttacksLayTheirNodesAboutTheOriginWhereverTheUnitsStand) {
  const struct {
    const char* name;
    int frame;
    int count;
    float reach;
  } rows[] = {{"焦熱", 0, 1, 0.f},     {"吹雪", 0, 128, 287.f}, {"地響き", 32, 64, 363.f},
              {"豪雨", 30, 384, 363.f}, {"結界", 32, 1 + 3 * 9 * 10, 499.f}, {"異界の風", 0, 32, 128.f}};
  RecordingAction& action = *standardActions(0)[0];
  for (Game::Unit* unit : battle.units) {
    unit->node()->position.translate(Vector3(3000.f, 3000.f, 0.f));
    unit->node()->updateWorld();
  }
  action.aim.set(3000.f, 3000.f, 0.f);
  for (const auto& row : rows) {
    layAndRelease(row.name, action, row.frame, [&](const std::vector<Game::SceneNode*>& nodes) {
      EXPECT_EQ(static_cast<int>(nodes.size()), row.count) << row.name;
      for (const Game::SceneNode* node : nodes) {
        EXPECT_LE(node->position.value().length(), row.reach + 0.01f) << row.name;
      }
    });
  }
}

// A complete miss: the look stands its size / 2 + 32 above target 0, and
// nothing of the hit follows (the sweep pins the results on 104).
TEST_F(AreaEffectsTest, IceEyeOnACompleteMissShowsOnlyItsLook) {
  RecordingAction& miss = *standardActions(0)[1];
  Game::Unit& target = miss.target(0);
  auto effect = makeEffect("氷の瞳", miss);
  runTo(*effect, 48);
  const std::vector<Game::SceneNode*> look = launched([&] { step(*effect); });
  ASSERT_EQ(look.size(), 1u);
  Vector3 above;
  target.getPosition(above);
  above.z += target.getSize() / 2.f + 32.f;
  EXPECT_EQ(look[0]->position.value().z, above.z);
  EXPECT_EQ(look[0]->position.value().x, above.x);
  EXPECT_TRUE(launched([&] { runTo(*effect, 104); }).empty());
  EXPECT_TRUE(target.node()->overlays().empty());
  EXPECT_EQ(stage.count("flashWhite"), 0);
  EXPECT_EQ(stage.sounds.size(), 1u);
}

// Each name's holder reads its own file and none of the others, and its
// eye converges (128 motes and the look) on frame 16.
TEST_F(AreaEffectsTest, EachEyeConvergesWithItsOwnHolderFile) {
  const struct {
    const char* name;
    const char* file;
  } eyes[] = {{"眠たい視線", "src/picture/animation/視線睡眠.txt"},
              {"危ない視線", "src/picture/animation/視線発狂.txt"},
              {"イレーザーサイト", "src/picture/animation/視線イレーザー.txt"}};
  RecordingAction& action = *standardActions(0)[0];
  for (const auto& eye : eyes) {
    fs().forgetAccesses();
    auto effect = makeEffect(eye.name, action);
    const std::vector<std::string> opened = fs().openedForReading();
    for (const auto& other : eyes) {
      EXPECT_EQ(std::count(opened.begin(), opened.end(), std::string(other.file)), other.file == eye.file ? 1 : 0)
          << eye.name;
    }
    runTo(*effect, 16);
    EXPECT_EQ(tickMade(*effect).size(), 129u) << eye.name;
  }
}

}  // namespace
