// The sample field symbols on the sample mine's first floor, drawn
// offscreen: Kessa walking a cell, the slime, a chest and both doors
// standing. The frames are kept as images of the build tree.

#include <memory>
#include <string>
#include <vector>

#include "Engine/Math/Vector3.h"
#include "core/game/GameData.h"
#include "core/map/MapBuildQueue.h"
#include "core/random/RandomGenerator.h"
#include "data/party/FieldAbilities.h"
#include "field/Symbol.h"
#include "field/SymbolField.h"
#include "map/Map.h"
#include "map/SceneModelSet.h"
#include "presentation/render/RenderState.h"
#include "presentation/scene/SceneNodePool.h"
#include "render/InterfaceRender.h"
#include "resource/Database.h"
#include "resource/database/EncounterTable.h"
#include "Services.h"

namespace RenderTest {
namespace {

using Engine::Math::Vector3;

// The floor as the symbols see it: every cell open, nobody in the way.
class OpenFloor final : public Game::Field::SymbolField {
 public:
  OpenFloor(Game::GameData& game, Game::Map& map) : mGame(game), mMap(map) {}
  const Game::Map& map() const override { return mMap; }
  bool mayEnter(const Game::Field::Symbol&, i32, i32, bool) const override { return true; }
  Game::Field::Symbol* symbolAt(i32, i32, const Game::Field::Symbol*) override { return nullptr; }
  void reportContact(Game::Field::Symbol&, Game::Field::Symbol&) override {}
  i32 valueAt(i32, i32) const override { return 0; }
  Game::Field::Symbol* player() override { return nullptr; }
  void say(const char*, const char*) override {}
  void startEncounter(std::unique_ptr<Game::Battle>) override {}
  Game::GameData& game() override { return mGame; }
  const Game::FieldAbilities& fieldAbilities() const override { return mAbilities; }
  Game::RandomGenerator& random() override { return mRandom; }
  Game::SceneNodePool* nodes() override { return &pool; }
  const char* floorName() const override { return "b1"; }
  float floorLevel() const override { return 1.f; }
  const Game::EncounterTable& encounterTable() const override { return mTable; }

  Game::SceneNodePool pool{64};

 private:
  Game::GameData& mGame;
  Game::Map& mMap;
  Game::FieldAbilities mAbilities;
  Game::RandomGenerator mRandom{3};
  Game::EncounterTable mTable;
};

class QuarterScreen : public InterfaceRender {
 protected:
  QuarterScreen() : InterfaceRender(320, 240) {}
};

class SymbolRender : public TestServices::Test<TestServices::kConstants | TestServices::kSampleDatabase, QuarterScreen> {
 protected:
  void SetUp() override {
    Test::SetUp();
    Game::Database::instance()->loadMaps();
    Game::MapBuildQueue::create();
    game = std::make_unique<Game::GameData>();
    map = std::make_unique<Game::Map>();
    map->buildFromFmf("src/data/map/mine/b1");
    map->buildAllMeshes();
    field = std::make_unique<OpenFloor>(*game, *map);
  }
  void TearDown() override {
    symbols.clear();
    field.reset();
    map.reset();
    game.reset();
    Game::MapBuildQueue::destroy();
    Test::TearDown();
  }

  Game::Field::Symbol& place(const char* chara, i32 x, i32 y, float angle) {
    symbols.push_back(std::make_unique<Game::Field::Symbol>(
        *field, chara, Game::Database::instance()->symbolChara(chara), "stand", x, y, angle));
    return *symbols.back();
  }
  // The floor, over the site's scene when one is given, as the field draws them.
  Image frame(bool withSymbols, Game::SceneModelSet* scene = nullptr) {
    Game::Camera& camera = renderer().camera();
    camera.reset();
    camera.setPitch(55.f);
    camera.setHeading(30.f);
    camera.setZoom(2.2f);
    for (Game::Tween* tween : {&camera.zoom, &camera.heading, &camera.pitch}) {
      tween->finish();
    }
    nextFrame();
    for (auto& symbol : symbols) {
      symbol->update();
    }
    field->pool.update();
    if (scene) {
      scene->draw(Game::RenderState(), 0.f);
    }
    map->draw(0.f);
    if (withSymbols) {
      field->pool.draw();
    }
    return finishFrame();
  }
  // How many pixels two frames differ in.
  static int differing(const Image& a, const Image& b) {
    int count = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
      count += (a.pixels[i] & 0xFFFFFF) != (b.pixels[i] & 0xFFFFFF);
    }
    return count;
  }

  std::unique_ptr<Game::GameData> game;
  std::unique_ptr<Game::Map> map;
  std::unique_ptr<OpenFloor> field;
  std::vector<std::unique_ptr<Game::Field::Symbol>> symbols;
};

TEST_F(SymbolRender, TheSampleSymbolsStandAndWalkOnTheSampleFloor) {
  Game::Field::Symbol& kessa = place("Kessa", 5, 5, 0.f);
  place("スライム", 7, 7, 180.f);
  place("宝箱", 5, 7, 0.f);
  place("扉", 6, 4, 0.f);
  place("扉大", 6, 6, 90.f);
  const Image bare = frame(false);
  const Image standing = frame(true);
  keep(standing, "field_symbols_stand.tga");
  EXPECT_GT(differing(bare, standing), 400) << "five figures drawn";
  kessa.move("move", 8, 1, 0);
  kessa.move("delete", 0);
  frame(true);
  frame(true);
  frame(true);
  const Image walking = frame(true);
  keep(walking, "field_symbols_walk.tga");
  EXPECT_EQ(kessa.motion(), "walk");
  EXPECT_GT(differing(standing, walking), 20) << "Kessa is on her way";
  for (int i = 0; i < 6; ++i) {
    frame(true);
  }
  EXPECT_EQ(kessa.x(), 6);
  EXPECT_EQ(kessa.motion(), "stand");
}

// The mine's scene, the stone ground its battles stand on, is drawn under
// each of its floors: it stays hidden under the floor instead of fighting it
// for the same depth in grey triangles.
TEST_F(SymbolRender, TheSitesGroundStaysUnderTheFloor) {
  Game::SceneModelSet ground;
  ground.load("src/picture/scene/坑道.txt");
  for (Game::OwnedList<Game::SceneModelSet::NamedResourceSet>::Iterator it(ground.resourceSets()); !it.isEnd();
       it.next()) {
    waitForTextures(it.value()->set);
  }
  ASSERT_GT(ground.entries().count(), 0);
  const Image bare = frame(false);
  ASSERT_EQ(differing(bare, frame(false)), 0) << "a settled floor";
  EXPECT_EQ(differing(bare, frame(false, &ground)), 0);
}

}  // namespace
}  // namespace RenderTest
