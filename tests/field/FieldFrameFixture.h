#pragma once

// The field's frame on the sample data, driven by scripted logical keys.

#include <initializer_list>
#include <memory>
#include <utility>

#include "core/map/MapBuildQueue.h"
#include "field/FieldScene.h"
#include "FileIO/src/ManagerImpl.h"
#include "presentation/picture/FaceSet.h"
#include "presentation/scene/SceneRenderer.h"
#include "tests/Services.h"
#include "tests/running/game/KeyedGameFixture.h"
#include "tests/field/SampleFloors.h"
#include "tests/records/expression/FakeGameResolver.h"

namespace Game {

// The floor's expressions ask the game under test about flags, symbols,
// cells and items; the faces are known, the shade's among them.
struct FieldAnswers final : ::GameTest::FakeGameResolver {
  explicit FieldAnswers(const GameData& played) : game(played) { FaceSet::create(); }
  ~FieldAnswers() override { FaceSet::destroy(); }
  bool isFlagOn(const char* name) const override { return game.variables().isFlagOn(name); }
  bool hasField() const override { return true; }
  bool hasFloorEvent(const char* a, const char* b) const override { return game.field()->hasFloorEvent(a, b); }
  bool hasSymbol(const char* name) const override { return game.field()->hasSymbol(name); }
  bool isSymbolOnCell(const char* name, Engine::i32 cell, bool entering) const override {
    return game.field()->isSymbolOnCell(name, cell, entering);
  }
  Engine::i32 countTool(const char* name) const override { return game.countTool(Database::instance()->findTool(name)); }
  const GameData& game;
};

using FieldServices = TestServices::Test<TestServices::kGraphics | TestServices::kRenderer | TestServices::kSound,
                                         GameTestSupport::KeyedGameTest>;

class FieldFrameTest : public FieldServices {
 protected:
  void SetUp() override {
    FieldServices::SetUp();
    GameTestSupport::putSampleFiles(fs(), "src");
    FieldTestSupport::loadSampleFloors();
    game = std::make_unique<GameData>();
  }
  void TearDown() override {
    game.reset();
    MapBuildQueue::destroy();
    FieldServices::TearDown();
  }
  FieldScene& field() { return *static_cast<FieldScene*>(game->field()); }
  // A site entered afresh at an event of a floor, without its opening
  // script, past the field's first (busy) frame.
  Field::Symbol& enter(const char* site, const char* floor, Engine::i32 event) {
    field().changeScene(nullptr);
    field().loadFloor(database().findSite(site), floor, true);
    Field::Symbol& player = *field().placePlayer(event);
    frames(1);
    return player;
  }
  void frames(int n, std::initializer_list<Platform::Key> held = {}) {
    for (int i = 0; i < n; ++i) {
      step(held);
      game->update();
    }
  }
  std::pair<Engine::i32, Engine::i32> cell() { return {field().player()->x(), field().player()->y()}; }
  // The player steps by each (dx, dy) in turn, the field running until its
  // lines are read.
  void walk(std::initializer_list<std::pair<Engine::i32, Engine::i32>> steps) {
    for (const auto& [dx, dy] : steps) {
      field().player()->move("move", 8, dx, dy);
      field().player()->move("delete", 0);
      for (int i = 1; i < 300 && (i < 12 || !game->messageWindow().isIdle()); ++i) i % 8 ? frames(1) : frames(1, {kDecide});
    }
  }
  Camera& camera() { return SceneRenderer::instance()->camera(); }
  // From here on a read that fails halts, as in the game, ending the run:
  // the manager, the databases and the game are made again.
  void haltOnFailedReads() {
    game.reset();
    MapBuildQueue::destroy();
    Database::destroy();
    FileLoader::destroy();
    Engine::FileIO::ManagerImpl::destroy();
    Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, {});
    FieldTestSupport::loadSampleFloors();
    game = std::make_unique<GameData>();
  }

  std::unique_ptr<GameData> game;
};

}  // namespace Game
