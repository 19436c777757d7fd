#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>
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
#include "tests/Services.h"
#include "tests/running/game/GameFixture.h"
#include "tests/effect/RecordingStage.h"
#include "tests/Await.h"

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
inline void expectNear(const Vector3& actual, const Vector3& expected, const char* what) {
  expectNear(actual, expected, 1e-3f, what);
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
// The first of them; null when there is none.
inline Game::SceneNode* firstNodeNamed(Game::SceneNodePool& pool, const char* name) {
  const std::vector<Game::SceneNode*> found = nodesNamed(pool, name);
  return found.empty() ? nullptr : found.front();
}

// The nodes that the call makes active, in slot order.
inline std::vector<Game::SceneNode*> nodesMadeBy(Game::SceneNodePool& pool, const std::function<void()>& call) {
  std::vector<bool> before(static_cast<std::size_t>(pool.capacity()));
  for (int i = 0; i < pool.capacity(); ++i) {
    before[static_cast<std::size_t>(i)] = pool.node(i).isActive();
  }
  call();
  std::vector<Game::SceneNode*> made;
  for (int i = 0; i < pool.capacity(); ++i) {
    if (!before[static_cast<std::size_t>(i)] && pool.node(i).isActive()) {
      made.push_back(&pool.node(i));
    }
  }
  return made;
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
  static Engine::Math::Vector3 centreOf(const Game::Unit& unit) { return positionOf(unit); }

  // A node of the shot model standing at the point.
  Game::SceneNode* shotAt(const Engine::Math::Vector3& point) {
    Game::SceneNode* node = stage.pool.create(shot(), 0);
    node->position.setValue(point);
    node->updateWorld();
    return node;
  }

  std::unique_ptr<Game::ResourceSet> shapes;
};

}  // namespace EffectTestSupport
