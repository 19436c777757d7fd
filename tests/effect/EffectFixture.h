#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Engine/Sound/Manager.h"
#include "effect/Cast.h"
#include "effect/bank/Piece.h"
#include "core/file/nml/NmlDocument.h"
#include "live/Unit.h"
#include "presentation/model/Model.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/resource/ResourceTestSupport.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"
#include "records/Database.h"
#include "records/database/BattlePictures.h"
#include "effect/module/Move.h"
#include "tests/Services.h"
#include "tests/running/game/GameFixture.h"
#include "tests/effect/RecordingStage.h"
#include "tests/Await.h"
#include "tests/effect/EffectTimings.h"

namespace EffectTestSupport {

// What effect tests ask of a node pool, a node or a point: the nodes in use
// that pass a test, the nodes a call made, distances and near-equal points.
using Vector3 = Engine::Math::Vector3;

inline Vector3 difference(const Vector3& a, const Vector3& b) {
  Vector3 d;
  d.setSub(a, b);
  return d;
}
inline float distance(const Vector3& a, const Vector3& b) { return difference(a, b).length(); }
inline float flatDistance(const Vector3& a, const Vector3& b) { return std::hypot(a.x - b.x, a.y - b.y); }

inline void expectNear(const Vector3& actual, const Vector3& expected, float tolerance = 1e-3f,
                       const std::string& what = "") {
  EXPECT_NEAR(actual.x, expected.x, tolerance) << what;
  EXPECT_NEAR(actual.y, expected.y, tolerance) << what;
  EXPECT_NEAR(actual.z, expected.z, tolerance) << what;
}

// The number rounded to two decimals as "%g" writes it; the vector as "x,y,z"
// of them.
inline std::string number(float x) {
  char out[24];
  std::snprintf(out, sizeof out, "%g", std::round(x * 100.f) / 100.f + 0.f);
  return out;
}
inline std::string text(const Vector3& v) { return number(v.x) + "," + number(v.y) + "," + number(v.z); }

// The node's "x,y,z turn x,y,z scale x,y,z" (the turn only when asked and
// not 0,0,0).
inline std::string pose(const Game::SceneNode& node, bool turned = true) {
  const std::string turn = turned ? text(node.rotation.value()) : "0,0,0";
  return text(node.position.value()) + (turn == "0,0,0" ? "" : " turn " + turn) + " scale " + text(node.scale.value());
}
// The node as "model at POSE time t" ("-" for no model).
inline std::string describe(const Game::SceneNode& node, bool turned = true) {
  return (node.getModel() ? node.getModel()->name() : std::string("-")) + " at " + pose(node, turned) + " time " +
         number(node.getTime());
}
// "ok" when the values lie in [low, high) (to 1e-4) with the least below
// lowest and the greatest above highest; else "least..greatest".
inline std::string spread(const std::vector<float>& values, float low, float high, float lowest, float highest) {
  const auto [least, most] = std::minmax_element(values.begin(), values.end());
  const bool inside = !values.empty() && *least >= low - 1e-4f && *most < high && *least < lowest && *most > highest;
  return inside ? "ok" : values.empty() ? "none" : number(*least) + ".." + number(*most);
}

// describe of each node.
inline std::vector<std::string> describeAll(const std::vector<Game::SceneNode*>& nodes, bool turned = true) {
  std::vector<std::string> out;
  for (const Game::SceneNode* node : nodes) {
    out.push_back(describe(*node, turned));
  }
  return out;
}

inline Vector3 velocity(const Game::SceneNode& node) {
  return {node.position.x.velocity(), node.position.y.velocity(), node.position.z.velocity()};
}
// "" for a node without a model.
inline std::string modelName(const Game::SceneNode& node) { return node.getModel() ? node.getModel()->name() : ""; }

inline Vector3 positionOf(const Game::Unit& unit) {
  Vector3 p;
  unit.getPosition(p);
  return p;
}
inline Vector3 feetOf(const Game::Unit& unit) {
  Vector3 feet;
  unit.getFrontPoint(feet);
  return feet;
}

// The nodes in use that pass the test, in slot order.
inline std::vector<Game::SceneNode*> nodesWhere(Game::SceneNodePool& pool,
                                                const std::function<bool(const Game::SceneNode&)>& test) {
  std::vector<Game::SceneNode*> found;
  for (int i = 0; i < pool.capacity(); ++i) {
    if (pool.node(i).isActive() && test(pool.node(i))) {
      found.push_back(&pool.node(i));
    }
  }
  return found;
}
inline int countWhere(Game::SceneNodePool& pool, const std::function<bool(const Game::SceneNode&)>& test) {
  return static_cast<int>(nodesWhere(pool, test).size());
}
// The nodes in use of the model, in slot order.
inline std::vector<Game::SceneNode*> nodesOf(Game::SceneNodePool& pool, const Game::Model* model) {
  return nodesWhere(pool, [model](const Game::SceneNode& node) { return node.getModel() == model; });
}
// The nodes in use of the model of that name ("" for none), in slot order.
inline std::vector<Game::SceneNode*> nodesNamed(Game::SceneNodePool& pool, const char* name) {
  return nodesWhere(pool, [name](const Game::SceneNode& node) { return modelName(node) == name; });
}

// The nodes that the call makes active, in slot order.
inline std::vector<Game::SceneNode*> nodesMadeBy(Game::SceneNodePool& pool, const std::function<void()>& call) {
  const std::vector<Game::SceneNode*> before = nodesWhere(pool, [](const Game::SceneNode&) { return true; });
  call();
  return nodesWhere(pool, [&](const Game::SceneNode& node) {
    return std::find(before.begin(), before.end(), &node) == before.end();
  });
}

// Where an effect test's pictures, sounds and databases come from.
enum class EffectData {
  // A few arts, four unit pictures and the common animation lists written
  // here; the sample pictures and sounds are not there.
  kHandMade,
  // The hand-made databases with the sample pictures and the sample effect
  // sound list.
  kSamplePictures,
  // Every set, bank file, sound list and database the build wrote.
  kSample,
};

// The battle effects are tested in, on the fake file system: the data, the
// constants, the random source, the sound device where sounds are read,
// and the recording battle whose stage hears what bank pieces miss.
class EffectTest : public ResourceTestSupport::ResourceTest, public EffectBattle {
 protected:
  // Arts whose effect names the actions take.
  static constexpr const char* kArts = R"(
ability{ name 打つ; type 攻撃; range 近; area 単; animationName dummy; }
ability{ name 見せない; type 攻撃; range 近; area 単; animationName none; }
)";
  // "Kessa" is drawn at scale 1 (size 256), "Slime" at 3/4 (size 192),
  // "Small" and "Large" at sizes 100 and 400.
  static constexpr const char* kUnitPictures =
      "Kessa figure,1;\nSlime figure,3/4;\nSmall figure,25/64;\nLarge figure,25/16;\n";
  static constexpr const char* kFigure = "model{ name stand; }\nmodel{ name down; }\nmodel{ name appear; }\n";
  static constexpr const char* kHit = "model{ name main; time 8; }\n";
  static constexpr const char* kHitParticle = "model{ name a; time 8; }\nmodel{ name b; time 8; }\n";
  static constexpr const char* kHitFlash = "animation{ name main; time 8; }\nmodel{ name main; }\n";
  // A set with "main" as model and animation, and two more models.
  static constexpr const char* kPieceSet =
      "animation{ name main; time 8; }\nmodel{ name main; time 8; }\nmodel{ name second; time 8; }\n"
      "model{ name third; time 8; }\n";

  explicit EffectTest(EffectData data = EffectData::kHandMade, std::uint32_t seed = 49) : mData(data), mSeed(seed) {}

  void SetUp() override {
    ResourceTest::SetUp();
    using namespace TestServices;
    if (mData != EffectData::kHandMade) {
      // Before the databases: the sample battle sounds read their waves.
      Engine::Sound::Manager::create();
    }
    if (mData == EffectData::kSample) {
      GameTestSupport::putSampleFiles(fs(), "src");
      mServices.emplace(kConstants | kSampleDatabase | kRandom, Options{.seed = mSeed});
      smallAppearance = "泥スライム";
    } else {
      mServices.emplace(kConstants | kDatabase | kRandom, Options{.seed = mSeed});
      loadHandMadeData();
      defaultArt = art("打つ");
    }
    if (mData == EffectData::kSamplePictures) {
      GameTestSupport::putSampleFiles(fs(), "src/picture/animation");
      GameTestSupport::putSampleFiles(fs(), "src/sound");
      mSoundList.load("src/sound/list.txt");
    }
    Game::Effect::Bank::reportTo(&stage);
  }
  void TearDown() override {
    Game::Effect::Bank::reportTo(nullptr);
    mEffects.clear();
    clearBattle();
    mServices.reset();
    if (mData != EffectData::kHandMade) {
      Engine::Sound::Manager::destroy();
    }
    ResourceTest::TearDown();
  }

  // The common list's "main" model.
  static Game::Model* common(const char* list) {
    return Game::Database::instance()->maps().battle.commonAnimation(list)->find("main");
  }

  void putCommonLists(const char* hit, const char* particles, const char* flash) {
    fs().put("src/picture/animation/common/hit.txt", hit);
    fs().put("src/picture/animation/common/hitparticle.txt", particles);
    fs().put("src/picture/animation/common/ヒットフラッシュ.txt", flash);
  }
  // The bank file (under src/picture/animation/bank/) or overlay with the
  // piece set.
  void putBank(const std::string& name, const char* text = kPieceSet) {
    fs().put("src/picture/animation/bank/" + name + ".txt", text);
  }
  void putOverlay(const std::string& name, const char* text = kPieceSet) {
    fs().put("src/picture/animation/animation/" + name + ".txt", text);
  }

  Game::Ability art(const char* name) { return Game::Ability(&Game::Database::instance()->findAbility(name)); }

  using EffectBattle::makeAction;
  RecordingAction& makeAction(Game::Unit& caster, std::vector<std::pair<Game::Unit*, ResultKind>> targets,
                              const char* artName) {
    return makeAction(caster, std::move(targets), art(artName));
  }

  // The effect of the name with the effect sound list in use (the sample
  // one from kSamplePictures on), bound to the action, with the camera.
  Game::Effect::Cast& play(const char* name, RecordingAction& action) {
    mEffects.push_back(Game::Effect::Cast::create(name, mData == EffectData::kSamplePictures ? &mSoundList : nullptr));
    bindTo(*mEffects.back(), action);
    return *mEffects.back();
  }
  // The same, owned by the caller; null for a name without an effect.
  std::unique_ptr<Game::Effect::Cast> makeEffect(const char* name, RecordingAction& action) {
    std::unique_ptr<Game::Effect::Cast> effect = Game::Effect::Cast::create(name);
    if (effect) {
      bindTo(*effect, action);
    }
    return effect;
  }

  // One frame of the battle, the pool's step a tickMade owes first.
  int step(Game::Effect::Cast& effect) {
    settle();
    return EffectBattle::step(effect);
  }
  // Frames stepped until the effect's next frame is that one.
  void runTo(Game::Effect::Cast& effect, int frame) {
    while (effect.frame() < frame) {
      step(effect);
    }
  }
  // The effect's tick on its next frame and the nodes it made, in slot
  // order, as made: the pool steps them on the next frame's call. answer
  // takes the tick's answer.
  std::vector<Game::SceneNode*> tickMade(Game::Effect::Cast& effect, int* answer = nullptr) {
    settle();
    std::vector<Game::SceneNode*> made = launched([&] {
      const int result = effect.tick();
      if (answer) {
        *answer = result;
      }
    });
    mPoolOwed = true;
    return made;
  }
  void settle() {
    if (mPoolOwed) {
      stage.pool.update();
      mPoolOwed = false;
    }
  }
  // The nodes that the call makes active, in slot order.
  std::vector<Game::SceneNode*> launched(const std::function<void()>& launch) {
    return nodesMadeBy(stage.pool, launch);
  }

  // Whether every sound of the effect found its wave (the loader reads them
  // meanwhile).
  static bool wavesLoaded(const Game::Effect::Cast& effect) {
    TestAwait::awaitTrue([&] { return effect.isSoundReady(); });
    for (int i = 0; i < effect.sounds().count(); ++i) {
      if (!effect.sounds().at(i)->wave()) {
        return false;
      }
    }
    return effect.isSoundReady();
  }

  // The databases with the arts of the text and nothing else.
  void loadArts(const char* arts) {
    mArtDocument = std::make_unique<Game::NmlDocument>();
    std::array<const Game::NmlNode*, Game::Database::kBattleFileCount> roots{};
    mEmpty = std::make_unique<Game::NmlDocument>();
    for (auto& root : roots) {
      root = mEmpty.get();
    }
    mArtDocument->loadFromText("src/data/ability.txt", arts);
    roots[Game::Database::kAbilities] = mArtDocument.get();
    Game::Database::instance()->load(roots);
  }

 private:
  void bindTo(Game::Effect::Cast& effect, RecordingAction& action) {
    effect.bind(action);
    effect.setCamera(&camera);
  }

  void loadHandMadeData() {
    loadArts(kArts);
    fs().put("src/picture/unit/figure.txt", kFigure);
    putCommonLists(kHit, kHitParticle, kHitFlash);
    fs().put("src/picture/animation/common/土煙.txt", "model{ name main; time 24; }\n");
    fs().put("src/picture/animation/common/炎.txt", "model{ name main; time 20; }\n");
    Game::NmlDocument pictures;
    pictures.loadFromText("src/picture/unit/list.txt", kUnitPictures);
    Game::Database::instance()->maps().units.read(pictures, "src/picture/unit/list.txt");
  }

  EffectData mData;
  std::uint32_t mSeed;
  std::optional<TestServices::Scoped> mServices;
  std::unique_ptr<Game::NmlDocument> mArtDocument;
  std::unique_ptr<Game::NmlDocument> mEmpty;
  std::vector<std::unique_ptr<Game::Effect::Cast>> mEffects;
  bool mPoolOwed = false;
  Game::NmlDocument mSoundList;
};

// The effects of the reactions, system actions and buffs: the sample
// pictures and effect sounds over the hand-made databases.
class SupportEffectsTest : public EffectTest {
 protected:
  SupportEffectsTest() : EffectTest(EffectData::kSamplePictures) {}
};

// The bank pieces on the hand-made data: every set the bank tests use (the
// piece set unless given), their sounds and overlays. A test ends with no
// failed lookup but those it takes off the list.
class BankTest : public EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp();
    for (const char* name : {"粒子", "粒子白", "星", "冷気", "粒子円", "粒子チャージ", "上昇粒子", "めまい", "十字光小",
                             "回転ため", "チャージ", "発光", "氷柱", "結界", "落雷", "地上衝撃波", "電気粒子",
                             "ヒット円大", "波ヒット", "射撃ヒット", "斬撃ヒット2", "斬撃ヒット", "魔法爆発", "波紋",
                             "小爆発", "吸引", "ビーム", "七色音波", "火柱", "牙", "効果線", "爆発", "リング",
                             "地面発光", "打撃", "斬る", "ナイフ"}) {
      putBank(name);
    }
    putBank("爆発大", "model{ name ring; time 8; }\nmodel{ name fire; time 8; }\n");
    fs().put("src/picture/animation/視線.txt", "model{ name main; time 8; }\nmodel{ name finish; time 8; }\n");
    fs().put("src/sound/爆発大.txt", "src/sound{ boom boom; }\n");
    fs().put("src/sound/牙.txt", "src/sound{ main bite; }\n");
    putOverlay("よろめく");
    putOverlay("点滅イエロー", "animation{ name main; time 4; }\n");
    putOverlay("発光赤", "animation{ name other; time 4; }\nanimation{ name main; time 6; }\n");
  }
  void TearDown() override {
    EXPECT_EQ(stage.failures, std::vector<std::string>{});
    EffectTest::TearDown();
  }
};

// Modules on the recording battle: a set of test shapes, units whose nodes
// stand unturned with their feet at a chosen point, and the nodes a model
// left in the pool.
class ModuleTest : public EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp();
    fs().put("src/picture/animation/test.txt",
             "model{ name shot; time 200; }\nmodel{ name trail; time 200; }\nanimation{ name fade; time 16; }\n");
    shapes = std::make_unique<Game::ResourceSet>();
    shapes->load("src/picture/animation/test.txt");
  }
  void TearDown() override {
    clearBattle();
    shapes.reset();
    EffectTest::TearDown();
  }

  Game::Model* shot() { return shapes->findModel("shot"); }
  Game::Model* trail() { return shapes->findModel("trail"); }

  // The model's nodes in use, in slot order.
  std::vector<Game::SceneNode*> nodesOf(const Game::Model* model) { return EffectTestSupport::nodesOf(stage.pool, model); }

  // A unit of the side with a fresh node, unturned (its local axes the
  // world's), its feet at the point.
  Game::Unit& unitAt(const Engine::Math::Vector3& feet, const char* appearance = "Kessa", int side = 0) {
    Game::Unit& unit = makeUnit(side, 1, 2, appearance);
    unit.createSceneNode();
    unit.placeFrontAt(feet);
    return unit;
  }

  // The module updated while it holds (100 times at most): what the call
  // writes after each holding update, space apart, then "done" or
  // "running" for the answer that ended the run.
  static std::string trace(Game::Effect::Module::Module& module, const std::function<std::string()>& what) {
    using Game::Effect::Module::Module;
    std::string out;
    for (int i = 0; i < 100; ++i) {
      const Engine::i32 answer = module.update();
      if (answer != Module::kHolding) {
        return out + (answer == Module::kDone ? "done" : "running");
      }
      out += what() + " ";
    }
    return out;
  }

  // A node of the shot model standing at the point.
  Game::SceneNode* shotAt(const Engine::Math::Vector3& point) {
    Game::SceneNode* node = stage.pool.create(shot(), 0);
    node->position.setValue(point);
    node->updateWorld();
    return node;
  }

  std::unique_ptr<Game::ResourceSet> shapes;
};

// The effects' families played on the sample data: the sweep of every
// name, the timeline recorder and the probes of the pool and the sounds.


// What one play with the first target hit did, by hand from the timelines:
// what it asked of the battle, "frame:call,call,sound" with the screen and
// camera calls first, then the sounds ("key+delay" when delayed); the
// frames on which modules were added ("FxN" for N of them); the frames on
// which nodes other than dust were made ("a-b" for a run of frames); the
// frames on which the first target took on overlays; the frames on which
// the caster moved (a move of F frames added on A moves it on A .. A + F - 1).
struct TimelineRow {
  const char* name;
  const char* asked;
  const char* modules;
  const char* made;
  const char* laid;
  const char* moved;
};

// What one play with the first target hit asked of the battle, when it
// added modules, and how many nodes each tick made.
struct NodeCountRow {
  const char* name;
  const char* asked;
  const char* modules;
  const char* made;
};

// Frames in order as text, runs of three or more as "first-last".
inline std::string framesText(const std::vector<int>& frames) {
  std::string out;
  for (std::size_t i = 0; i < frames.size();) {
    std::size_t end = i;
    while (end + 1 < frames.size() && frames[end + 1] == frames[end] + 1) {
      ++end;
    }
    out += (out.empty() ? "" : " ") + std::to_string(frames[i]);
    if (end >= i + 2) {
      out += "-" + std::to_string(frames[end]);
      i = end + 1;
    } else {
      ++i;
    }
  }
  return out;
}

// framesText of the frames first, first + step, .. up to last of each run
// {first, last, step}.
inline std::string framesEvery(std::initializer_list<std::array<int, 3>> runs) {
  std::vector<int> frames;
  for (const auto& [first, last, step] : runs) {
    for (int f = first; f <= last; f += step) {
      frames.push_back(f);
    }
  }
  std::sort(frames.begin(), frames.end());
  frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
  return framesText(frames);
}

// "key,key+d,key+2d,..": count sounds of the key from the delay first on,
// step apart, each copies times over.
inline std::string soundSeries(const char* key, int first, int step, int count, int copies = 1) {
  std::string out;
  for (int i = 0; i < count; ++i) {
    const int delay = first + i * step;
    for (int c = 0; c < copies; ++c) {
      out += (out.empty() ? "" : ",") + std::string(key) + (delay ? "+" + std::to_string(delay) : "");
    }
  }
  return out;
}

// "f:what" for the frames first, first + step, .. up to last, space apart.
inline std::string callSeries(const std::string& what, int first, int last, int step) {
  std::string out;
  for (int f = first; f <= last; f += step) {
    out += (out.empty() ? "" : " ") + std::to_string(f) + ":" + what;
  }
  return out;
}

// The distinct numbers sorted as text, runs of three or more with one step
// as "first-last" (step 1) or "first-last/step".
inline std::string runsText(std::vector<float> v) {
  std::sort(v.begin(), v.end());
  v.erase(std::unique(v.begin(), v.end()), v.end());
  const auto num = [](float x) {
    char text[24];
    std::snprintf(text, sizeof text, "%g", x);
    return std::string(text);
  };
  std::string out;
  for (std::size_t i = 0; i < v.size();) {
    std::size_t end = i;
    while (end + 1 < v.size() && std::abs(v[end + 1] - v[end] - (v[i + 1] - v[i])) < 1e-3f) {
      ++end;
    }
    end = end >= i + 2 ? end : i;
    const float step = end > i ? v[i + 1] - v[i] : 1.f;
    out += (out.empty() ? "" : " ") + num(v[i]) + (end > i ? "-" + num(v[end]) : "") + (step != 1.f ? "/" + num(step) : "");
    i = end + 1;
  }
  return out;
}

// What the tick of a frame made of a model ("" for nodes without one) with
// a caster of a side: census's text and, unless anywhere, the mean place.
struct CensusRow {
  const char* name;
  int frame;
  const char* model;
  const char* made;
  int casterSide = 0;
  Engine::Math::Vector3 centre{1e9f, 0.f, 0.f};
};

// Where the index-th node of a model that the tick of one frame made with
// a caster of a side stands after a later frame, how it stands turned
// (degrees about x, y and z) and scaled; components of 1e9 are not looked
// at. Without a model: where the caster's feet stand after the frame.
struct ProbeRow {
  const char* name;
  int madeOn;
  const char* model;
  std::size_t index;
  int frame;
  Engine::Math::Vector3 at;
  Engine::Math::Vector3 turn{1e9f, 1e9f, 1e9f};
  int casterSide = 0;
  Engine::Math::Vector3 scale{1e9f, 1e9f, 1e9f};
};

// What one play of an effect showed, frame by frame.
struct PlayRecord {
  int resultsShown = 0;
  // The frame of the first display of the results; -1: none.
  int shownOn = -1;
  // The first frame after whose tick the state was 2; -1: never.
  int finishedOn = -1;
  // The first frame whose tick answered 2; -1: not before the cap.
  int tickEndedOn = -1;
  // A node in use stood at a position that was not finite.
  bool nonFinite = false;
  // Units a move sent home that stood elsewhere when the tick answered 2.
  int awayFromHome = 0;
};

// A family of effects played on the sample data: every set, bank file and
// sound list the build wrote, and the four standard actions.
class FamilySweep : public EffectTest {
 protected:
  using Vector3 = Engine::Math::Vector3;
  using Cast = Game::Effect::Cast;

  static constexpr int kCap = 600;

  FamilySweep() : EffectTest(EffectData::kSample, 57) {}

  // Steps through the frame, the frame given included.
  void stepThrough(Game::Effect::Cast& effect, int lastFrame) { runTo(effect, lastFrame + 1); }
  // The effect sounds of the key played so far.
  int soundsOf(const std::string& key) const {
    return static_cast<int>(
        std::count_if(stage.sounds.begin(), stage.sounds.end(), [&](const auto& sound) { return sound.key == key; }));
  }

  // The class of the name in the timings table; the name itself for one
  // the table lacks.
  static std::string classOf(const char* name) {
    const EffectTiming* timing = findTiming(name);
    return timing ? timing->className : name;
  }

  // Ticks until the tick answers 2 or the cap.
  PlayRecord play(Game::Effect::Cast& effect, RecordingAction& action) {
    PlayRecord record;
    action.resultsShown = 0;
    for (int frame = 0; frame < kCap && record.tickEndedOn < 0; ++frame) {
      const int answer = step(effect);
      if (action.resultsShown > 0 && record.shownOn < 0) {
        record.shownOn = frame;
      }
      if (effect.state() == Game::Effect::Cast::kFinished && record.finishedOn < 0) {
        record.finishedOn = frame;
      }
      if (answer == Game::Effect::Cast::kFinished) {
        record.tickEndedOn = frame;
        record.awayFromHome = unitsAwayFromHome(effect);
      }
      record.nonFinite = record.nonFinite || anyNodeNonFinite();
    }
    record.resultsShown = action.resultsShown;
    return record;
  }

  // Every name with the four actions and casters on both sides: one display
  // of the results on the frame of its timing (none for a name without),
  // state 2 on its end frame, the tick's end before the cap, finite nodes
  // and no failed lookup.
  void sweep(const std::vector<const char*>& names, int tickEndCap = kCap) {
    for (int side = 0; side < 2; ++side) {
      std::vector<RecordingAction*> actions = standardActions(side);
      for (const char* name : names) {
        const EffectTiming* timing = findTiming(name);
        ASSERT_NE(timing, nullptr) << name;
        for (std::size_t a = 0; a < actions.size(); ++a) {
          RecordingAction& action = *actions[a];
          const PlayTiming expected = timingOf(*timing, action.targetCount(), anyHit(action));
          std::unique_ptr<Game::Effect::Cast> effect = makeEffect(name, action);
          ASSERT_NE(effect, nullptr) << name;
          const PlayRecord record = play(*effect, action);
          const std::string where = std::string(timing->className) + " action " + std::to_string(a);
          EXPECT_EQ(record.resultsShown, expected.applyFrame < 0 ? 0 : 1) << where;
          EXPECT_EQ(record.shownOn, expected.applyFrame) << where;
          EXPECT_EQ(record.finishedOn, expected.endFrame) << where;
          EXPECT_GE(record.tickEndedOn, record.finishedOn) << where;
          EXPECT_LT(record.tickEndedOn, tickEndCap) << where;
          EXPECT_FALSE(record.nonFinite) << where;
          EXPECT_EQ(record.awayFromHome, 0) << where;
          for (const std::string& failure : stage.failures) {
            ADD_FAILURE() << where << ": " << failure;
          }
          stage.failures.clear();
        }
      }
    }
  }

  // The units of the effect's home moves that stand away from their cells.
  static int unitsAwayFromHome(const Game::Effect::Cast& effect) {
    int away = 0;
    for (int i = 0; i < effect.modules().count(); ++i) {
      const auto* move = dynamic_cast<const Game::Effect::Module::Move*>(&effect.modules().at(i));
      if (move && move->sentHome()) {
        Engine::Math::Vector3 home;
        Engine::Math::Vector3 feet;
        move->sentHome()->getHomePosition(home);
        move->sentHome()->getFrontPoint(feet);
        feet -= home;
        away += feet.length() > 1e-2f ? 1 : 0;
      }
    }
    return away;
  }

  static bool anyHit(const RecordingAction& action) {
    for (int i = 0; i < action.targetCount(); ++i) {
      if (action.isHit(i)) {
        return true;
      }
    }
    return false;
  }

  bool anyNodeNonFinite() {
    return countWhere(stage.pool, [](const Game::SceneNode& node) {
             const Engine::Math::Vector3 at = node.position.value();
             return !(std::isfinite(at.x) && std::isfinite(at.y) && std::isfinite(at.z));
           }) > 0;
  }

  // The nodes in use that are newer than every node of the earlier list.
  std::vector<const Game::SceneNode*> newNodes(std::set<Engine::u32>& seen) {
    const std::vector<Game::SceneNode*> found =
        nodesWhere(stage.pool, [&](const Game::SceneNode& node) { return seen.insert(node.getId()).second; });
    return {found.begin(), found.end()};
  }
  // The first node in use of the model of that name; null when there is none.
  const Game::SceneNode* firstNodeOf(const char* name) {
    const std::vector<Game::SceneNode*> found = nodesNamed(stage.pool, name);
    return found.empty() ? nullptr : found.front();
  }
  // What one play of the name with the first target hit did, in the rows'
  // forms: asked, modules, laid and moved as TimelineRow writes them; made
  // both as TimelineRow's frames and, per tick before the pool's step with
  // bank pieces and dust included, as "frame:count" and its sum. Until the
  // state is 2 only: each sound as "frame:key+delay" and "frame:index+delay",
  // each call and change of zoom as "frame:call" (a screen wobble noted
  // once), the frames target 0 took on overlays, the camera's changes of
  // view (caster, target, another node or a point) and the frame after
  // which the moving caster stood nearest target 0's place.
  struct PlayLog {
    std::string asked;
    std::string modules;
    std::vector<int> madeOn;
    std::string laid;
    std::vector<int> moved;
    std::string counts;
    int total = 0;
    int last = -1;
    std::string keys;
    std::string indexes;
    std::string calls;
    std::string laidOn;
    std::string views;
    int nearest = -1;
  };
  static void note(std::string& text, int frame, const std::string& item) {
    text += (text.empty() ? "" : " ") + std::to_string(frame) + ":" + item;
  }
  std::string viewOf(const RecordingAction& action) const {
    const Game::SceneNode* followed = camera.followed();
    return !followed                           ? "point"
           : followed == action.actor().node() ? "caster"
           : followed == action.target(0).node() ? "target"
                                                 : "node";
  }
  PlayLog logPlay(const char* name, RecordingAction& action) {
    const Game::Model* dust = Game::Database::instance()->maps().battle.commonAnimation("土煙")->find("main");
    stage.calls.clear();
    stage.sounds.clear();
    camera = Game::Effect::CastCamera();
    auto effect = makeEffect(name, action);
    PlayLog log;
    Vector3 was = positionOf(action.actor());
    const Vector3 target = positionOf(action.target(0));
    float nearest = distance(was, target);
    std::string view = viewOf(action);
    Vector3 focus = camera.focus;
    float zoom = camera.zoom;
    std::set<Engine::u32> seen;
    newNodes(seen);
    for (int frame = 0; frame < kCap; ++frame) {
      const bool live = effect->state() != Cast::kFinished;
      const std::size_t calls = stage.calls.size();
      const std::size_t sounds = stage.sounds.size();
      const int added = effect->modules().count();
      const std::size_t overlays = action.target(0).node()->overlays().size();
      const int answer = effect->tick();
      std::vector<const Game::SceneNode*> made = newNodes(seen);
      const int ticked = static_cast<int>(made.size());
      stage.pool.update();
      for (const Game::SceneNode* node : newNodes(seen)) {
        made.push_back(node);
      }
      if (std::any_of(made.begin(), made.end(), [&](auto* node) { return node->getModel() != dust; })) {
        log.madeOn.push_back(frame);
      }
      const Vector3 now = positionOf(action.actor());
      if (distance(now, was) > 1e-3f) {
        log.moved.push_back(frame);
        if (live && distance(now, target) < nearest - 1e-3f) {
          nearest = distance(now, target);
          log.nearest = frame;
        }
      }
      was = now;
      const std::size_t laid = action.target(0).node()->overlays().size();
      addFrame(log.laid, frame, "", static_cast<int>(laid - overlays));
      addFrame(log.asked, frame, askedSince(calls, sounds));
      addFrame(log.modules, frame, "", effect->modules().count() - added);
      addFrame(log.counts, frame, ticked > 0 ? ":" + std::to_string(ticked) : "");
      log.total += ticked;
      log.last = ticked > 0 ? frame : log.last;
      if (live) {
        for (std::size_t i = sounds; i < stage.sounds.size(); ++i) {
          const auto& sound = stage.sounds[i];
          const std::string delay = sound.delay ? "+" + std::to_string(sound.delay) : "";
          note(log.keys, frame, sound.key + delay);
          note(log.indexes, frame, std::to_string(sound.index) + delay);
        }
        for (std::size_t i = calls; i < stage.calls.size(); ++i) {
          const bool wobble = stage.calls[i].rfind("aspect", 0) == 0;
          if (!wobble || log.calls.find("aspect") == std::string::npos) {
            note(log.calls, frame, wobble ? "aspect" : stage.calls[i]);
          }
        }
        if (camera.zoom != zoom) {
          char text[24];
          std::snprintf(text, sizeof text, "zoom %g", camera.zoom);
          note(log.calls, frame, text);
        }
        if (laid > overlays) {
          log.laidOn += (log.laidOn.empty() ? "" : " ") + std::to_string(frame);
        }
        if (viewOf(action) != view || distance(camera.focus, focus) > 1e-3f) {
          view = viewOf(action);
          focus = camera.focus;
          note(log.views, frame, view);
        }
      }
      zoom = camera.zoom;
      if (answer == Cast::kFinished) {
        break;
      }
    }
    return log;
  }
  void expectTimelines(const std::vector<TimelineRow>& rows) {
    RecordingAction& action = *standardActions(0)[0];
    for (const TimelineRow& row : rows) {
      const PlayLog log = logPlay(row.name, action);
      EXPECT_EQ(log.asked, row.asked) << row.name;
      EXPECT_EQ(log.modules, row.modules) << row.name;
      EXPECT_EQ(framesText(log.madeOn), row.made) << row.name;
      EXPECT_EQ(log.laid, row.laid) << row.name;
      EXPECT_EQ(framesText(log.moved), row.moved) << row.name;
    }
  }
  // How many nodes came into use since the last call.
  int freshNodes() { return static_cast<int>(madeNodes().size()); }
  // The nodes that came into use since the last call, oldest first.
  std::vector<const Game::SceneNode*> madeNodes() {
    std::vector<const Game::SceneNode*> out = newNodes(mSeen);
    std::sort(out.begin(), out.end(), [](auto* a, auto* b) { return a->getId() < b->getId(); });
    return out;
  }
  // The nodes the tick of that frame made, before the pool's step.
  std::vector<const Game::SceneNode*> madeOn(Cast& effect, int frame) {
    runTo(effect, frame);
    madeNodes();
    effect.tick();
    return madeNodes();
  }
  // The nodes of the model ("" for none) that the tick of the frame made.
  std::vector<const Game::SceneNode*> madeOf(Cast& effect, int frame, const char* model) {
    std::vector<const Game::SceneNode*> out = madeOn(effect, frame);
    std::erase_if(out, [&](auto* node) { return std::strcmp(node->getModel() ? node->getModel()->name() : "", model) != 0; });
    return out;
  }
  // The same for the asked, the modules and the nodes each tick made, or
  // for a long play only "total N last F", the nodes made in all and the
  // last frame that made any.
  void expectNodeCounts(const std::vector<NodeCountRow>& rows) {
    RecordingAction& action = *standardActions(0)[0];
    for (const NodeCountRow& row : rows) {
      const PlayLog log = logPlay(row.name, action);
      EXPECT_EQ(log.asked, row.asked) << row.name;
      EXPECT_EQ(log.modules, row.modules) << row.name;
      const bool summed = std::strncmp(row.made, "total ", 6) == 0;
      EXPECT_EQ(summed ? "total " + std::to_string(log.total) + " last " + std::to_string(log.last) : log.counts, row.made)
          << row.name;
    }
  }
  // Plays each row's effect with the first target hit and compares with the
  // row whom the camera follows (C the caster, T the first target, P a
  // point) and its zoom when not 1, "frame:who" from each frame on which
  // that changes.
  void expectCameraTurns(const std::vector<std::pair<const char*, const char*>>& rows) {
    RecordingAction& action = *standardActions(0)[0];
    for (const auto& [name, expected] : rows) {
      camera = Game::Effect::CastCamera();
      auto effect = makeEffect(name, action);
      std::string seen;
      std::string was = "P";
      Vector3 focus = camera.focus;
      for (int frame = 0; frame < kCap && step(*effect) != Cast::kFinished; ++frame) {
        const Game::SceneNode* followed = camera.followed();
        std::string now = followed == action.actor().node() ? "C" : followed == action.target(0).node() ? "T" : "P";
        char zoom[16];
        std::snprintf(zoom, sizeof zoom, " %g", camera.zoom);
        now += camera.zoom != 1.f ? zoom : "";
        if (now != was || (!followed && distance(camera.focus, focus) > 1e-3f)) {
          seen += (seen.empty() ? "" : " ") + std::to_string(frame) + ":" + now;
        }
        was = now;
        focus = camera.focus;
      }
      EXPECT_EQ(seen, expected) << name;
    }
  }
  // The stage's calls and sounds since those counts: "call,call,key+delay".
  std::string askedSince(std::size_t calls, std::size_t sounds) const {
    std::string now;
    for (std::size_t i = calls; i < stage.calls.size(); ++i) {
      now += (now.empty() ? "" : ",") + stage.calls[i];
    }
    for (std::size_t i = sounds; i < stage.sounds.size(); ++i) {
      const auto& sound = stage.sounds[i];
      now += (now.empty() ? "" : ",") + sound.key + (sound.delay ? "+" + std::to_string(sound.delay) : "");
    }
    return now.empty() ? now : ":" + now;
  }
  // " frame" and what, unless what is empty and n is 0: "frame" alone for
  // n = 1, "framexN" for more.
  static void addFrame(std::string& text, int frame, const std::string& what, int n = 0) {
    if (what.empty() && n <= 0) {
      return;
    }
    text += (text.empty() ? "" : " ") + std::to_string(frame) + what + (n > 1 ? "x" + std::to_string(n) : "");
  }

  // What the tick of the frame made of the model ("" for nodes without
  // one), before the pool's step: "count", then " wait" and the frames the
  // nodes wait unless none does, " life" and their lifetimes unless none
  // has one, " mods" and what the modules the tick added still wait after
  // it (one frame less than given, 0 for none), when any; each list
  // distinct and sorted. The nodes' mean place goes to
  // centre.
  std::string census(Cast& effect, int frame, const char* model, Vector3& centre) {
    stepThrough(effect, frame - 1);
    const int before = effect.modules().count();
    std::vector<float> waits;
    std::vector<float> lives;
    centre = Vector3(0.f, 0.f, 0.f);
    for (const Game::SceneNode* node : madeOf(effect, frame, model)) {
      waits.push_back(0.f - node->getTime());
      if (node->getLifetime() >= 0) {
        lives.push_back(static_cast<float>(node->getLifetime()));
      }
      centre += node->position.value();
    }
    centre *= waits.empty() ? 0.f : 1.f / static_cast<float>(waits.size());
    std::vector<float> delays;
    for (int i = before; i < effect.modules().count(); ++i) {
      delays.push_back(static_cast<float>(effect.modules().at(i).mDelay));
    }
    const bool waiting = std::any_of(waits.begin(), waits.end(), [](float w) { return w != 0.f; });
    return std::to_string(waits.size()) + (waiting ? " wait " + runsText(waits) : "") +
           (lives.empty() ? "" : " life " + runsText(lives)) + (delays.empty() ? "" : " mods " + runsText(delays));
  }
  void expectCensus(const std::vector<CensusRow>& rows) {
    const std::vector<RecordingAction*> actions[2] = {standardActions(0), standardActions(1)};
    for (const CensusRow& row : rows) {
      auto effect = makeEffect(row.name, *actions[row.casterSide][0]);
      Vector3 centre;
      const std::string where = std::string(row.name) + " " + std::to_string(row.frame) + " " + row.model;
      EXPECT_EQ(census(*effect, row.frame, row.model, centre), row.made) << where;
      if (row.centre.x < 1e8f) {
        EXPECT_LT(distance(centre, row.centre), 0.5f) << where;
      }
      stage.pool.releaseAll();
    }
  }

  void expectProbes(const std::vector<ProbeRow>& rows) {
    const std::vector<RecordingAction*> actions[2] = {standardActions(0), standardActions(1)};
    for (const ProbeRow& row : rows) {
      auto effect = makeEffect(row.name, *actions[row.casterSide][0]);
      const std::string where = std::string(row.name) + " " + std::to_string(row.frame) + " side " + std::to_string(row.casterSide);
      if (!row.model) {
        RecordingAction& action = *standardActions(row.casterSide)[0];
        auto moving = makeEffect(row.name, action);
        stepThrough(*moving, row.frame);
        Vector3 feet;
        action.actor().getFrontPoint(feet);
        EXPECT_LT(distance(feet, row.at), 1e-2f) << where;
        continue;
      }
      const std::vector<const Game::SceneNode*> made = madeOf(*effect, row.madeOn, row.model);
      stage.pool.update();
      ASSERT_GT(made.size(), row.index) << where;
      const Game::SceneNode& node = *made[row.index];
      stepThrough(*effect, row.frame);
      const Vector3 got[3] = {node.position.value(), node.rotation.value(), node.scale.value()};
      const Vector3 want[3] = {row.at, row.turn, row.scale};
      for (int i = 0; i < 9; ++i) {
        const float wanted = i % 3 == 0 ? want[i / 3].x : i % 3 == 1 ? want[i / 3].y : want[i / 3].z;
        const float seen = i % 3 == 0 ? got[i / 3].x : i % 3 == 1 ? got[i / 3].y : got[i / 3].z;
        if (wanted < 1e8f) {
          EXPECT_NEAR(seen, wanted, 0.5f) << where << " vector " << i / 3 << " axis " << i % 3;
        }
      }
      stage.pool.releaseAll();
    }
  }

  std::set<Engine::u32> mSeen;
};

}  // namespace EffectTestSupport
