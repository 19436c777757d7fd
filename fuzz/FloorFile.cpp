// A floor file of the sample mine, as the field opens it: read, its map laid
// out (a tile map, or its "random" node through the generator), its symbols,
// scripts, links, tables and scene models read, the player placed, a special
// floor applied, and the field's node saved. A data-error stop that names the
// floor file is an outcome; any other stop is a fault (fuzz/FuzzStop.h).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "running/game/GameData.h"
#include "field/FieldScene.h"
#include "core/file/nml/NmlDocument.h"
#include "fuzz/FuzzGame.h"
#include "records/Database.h"

namespace {

constexpr const char* kSite = "灰の坑道";
constexpr const char* kFloor = "fuzz";
constexpr const char* kFloorFile = "src/data/map/mine/fuzz.txt";
constexpr const char* kTileMapFile = "src/data/map/mine/fuzz.fmf";
constexpr const char* kSampleTileMap = "src/data/map/mine/b1.fmf";
constexpr std::size_t kMaxInput = 1u << 15;

// The sample game with the first floor's tile map beside the floor file, for
// floors that are not generated.
FuzzSupport::SampleGame& sampleGame() {
  static FuzzSupport::SampleGame* sample = [] {
    auto* made = new FuzzSupport::SampleGame(FuzzSupport::OnStop::Throw);
    made->backend.fakeFileSystem.put(kTileMapFile, *made->backend.fakeFileSystem.contents(kSampleTileMap));
    return made;
  }();
  return *sample;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzSupport::SampleGame& sample = sampleGame();
  if (size > kMaxInput) {
    return 0;
  }
  sample.startInput();
  sample.backend.fakeFileSystem.put(kFloorFile, std::vector<std::uint8_t>(data, data + size));
  Game::GameData game;
  auto& field = *static_cast<Game::FieldScene*>(game.field());
  try {
    field.applySceneChange(Game::Database::instance()->findSite(kSite), kFloor, 1);
    Game::NmlDocument saved;
    field.save(saved);
  } catch (const FuzzSupport::DataStop& stop) {
    // The floor file, or a tile map or a file it names beside it.
    FuzzSupport::expectNamed(stop, "mine/");
  }
  Game::Database::instance()->releaseMapPictures();
  Game::Database::instance()->releaseSymbolCharacters();
  return 0;
}
