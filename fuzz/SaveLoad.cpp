// A save file of arbitrary bytes in a slot, as the save list and the load
// read it: it lists as invalid, or it loads into a game that saves to a
// valid file and loads again to the same body. Nothing in it may halt.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Engine/Threading/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "PlatformFake/FakeBackend.h"
#include "core/game/GameData.h"
#include "core/game/SaveSlot.h"
#include "core/game/SaveSlotList.h"
#include "core/random/RandomGenerator.h"
#include "file/FileLoader.h"
#include "file/nml/NmlDocument.h"
#include "resource/Database.h"

namespace {

// Enough declarations for every variable the game reads.
constexpr const char* kDeclarations =
    "int progress; int floor; int money; int answer; int encounter; int stealth; int mapSeed;"
    "int battleCount; int winCount; int escapeCount; int loseCount; int invadeCount;"
    "int totalFloorCount; int battleResult; int requestLoseEvent; int currentItem; int clear;"
    "class{ inheritable; int clearCount; } str BGM;";
constexpr int kSlot = 0;
constexpr int kCheckSlot = 1;

struct SaveSetUp {
  SaveSetUp() {
    Engine::Threading::Manager::create(0);
    Engine::FileIO::ManagerOptions options;
    options.abortOnError = false;
    Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, options);
    Game::FileLoader::create();
    // The site a new game starts at.
    backend->fakeFileSystem.put("src/data/map/list.txt",
                                std::string("site{name オープニング;folder opening;start hall,1;encounter{none;}"
                                            "save file;BGM 自宅;}"));
    Game::Database::create();
    Game::Database::instance()->loadMaps();
    Game::RandomGenerator::create();
    backend->fakeFileSystem.put(Game::VariableTable::kDeclarationFile, std::string(kDeclarations));
  }
  ~SaveSetUp() {
    Game::RandomGenerator::destroy();
    Game::Database::destroy();
    Game::FileLoader::destroy();
    Engine::FileIO::ManagerImpl::destroy();
    Engine::Threading::Manager::destroy();
  }
  PlatformFake::ScopedFakeBackend backend;
};

std::string body(const Game::GameData& game) {
  Game::NmlDocument document;
  game.write(document);
  Game::String text;
  document.toString(text, false);
  return text.c_str() ? text.c_str() : "";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static SaveSetUp setUp;
  if (size > (1u << 18)) {
    return 0;
  }
  setUp.backend->fakeFileSystem.put(Game::SaveSlot::path(kSlot).c_str(), std::vector<std::uint8_t>(data, data + size));
  Game::SaveSlotList list;
  list.build();
  std::unique_ptr<Game::GameData> game(Game::SaveSlot::load(kSlot));
  if (list.row(kSlot).valid != (game != nullptr)) {
    std::abort();
  }
  if (!game) {
    return 0;
  }
  if (!Game::SaveSlot::save(*game, kCheckSlot)) {
    std::abort();
  }
  std::unique_ptr<Game::GameData> again(Game::SaveSlot::load(kCheckSlot));
  if (!again || body(*again) != body(*game)) {
    std::abort();
  }
  return 0;
}
