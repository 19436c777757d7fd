// The field's node of a save, as a load meets it: the save check, and for a
// node it passes the field's restore (the floor it names, the camera, every
// symbol through readSymbol, the mapped cells). The node must list as invalid
// or load; a loaded field keeps a camera level that turns without overflow and
// saves a node the check passes again. A save is the player's file: any
// data-error stop is a finding (fuzz/FuzzStop.h), and so is any file opened
// outside the game's folder.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "running/game/GameData.h"
#include "running/game/SaveCheck.h"
#include "field/CameraAngle.h"
#include "field/FieldScene.h"
#include "core/file/nml/NmlDocument.h"
#include "fuzz/FuzzGame.h"
#include "fuzz/FuzzText.h"

namespace {

constexpr std::size_t kMaxInput = 1u << 15;

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "field node: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FuzzSupport::SampleGame& sample = *new FuzzSupport::SampleGame(FuzzSupport::OnStop::Abort);
  if (size > kMaxInput) {
    return 0;
  }
  sample.startInput();
  // A file beside the game's folder that a floor or chara name climbing out
  // of its folder would find (seeds climb_floor, climb_chara).
  sample.backend.fakeFileSystem.put("../outside.txt", std::string("fmf hall; file kessa;"));
  // A floor and a chara that are there but cannot be read (seeds fifo_floor,
  // folder_floor, fifo_chara, folder_chara).
  for (const char* folder : {"src/data/map/opening/", "src/picture/symbol/chara/"}) {
    sample.backend.fakeFileSystem.putUnopenable(std::string(folder) + "fifo.txt");
    sample.backend.fakeFileSystem.makeDirectories(std::string(folder) + "folder.txt");
  }
  const std::vector<char> text = FuzzSupport::zeroTerminated(data, size);
  Game::NmlDocument node;
  if (!node.parse(text.data(), false) || Game::SaveCheck::fieldProblem(node)) {
    sample.backend.expectNothingOpenedOutside();
    return 0;
  }
  {
    Game::GameData game;
    auto& field = *static_cast<Game::FieldScene*>(game.field());
    field.load(node);
    const int level = field.angleLevel();
    if (level < -Game::CameraAngle::kKeptLevels || level > Game::CameraAngle::kKeptLevels) {
      fail("the camera level would overflow as it turns");
    }
    Game::NmlDocument saved;
    field.save(saved);
    if (const char* problem = Game::SaveCheck::fieldProblem(saved)) {
      std::fprintf(stderr, "%s\n", problem);
      fail("the loaded field saves a node the check refuses");
    }
  }
  Game::Database::instance()->releaseMapPictures();
  Game::Database::instance()->releaseSymbolCharacters();
  sample.backend.expectNothingOpenedOutside();
  return 0;
}
