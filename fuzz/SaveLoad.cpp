// A save file in a slot, as the save list and the load read it: it lists as
// invalid, or it loads into a game that saves to a valid file and loads again
// to the same body. The input is the save's body: it is packed with the save
// codec first, so mutations reach the save reader instead of failing the
// trailer check (SaveUnpack fuzzes the codec). A save is the player's file:
// any data-error stop is a finding (fuzz/FuzzStop.h), and so is any file
// opened outside the game's folder.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Engine/Threading/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "running/game/GameData.h"
#include "running/game/SaveSlot.h"
#include "running/game/SaveSlotList.h"
#include "core/random/RandomGenerator.h"
#include "core/file/FileLoader.h"
#include "core/file/SaveCodec.h"
#include "core/file/nml/NmlDocument.h"
#include "records/Database.h"
#include "records/database/MapLinkData.h"
#include "records/database/MapPictureSet.h"
#include "records/database/SymbolCharaData.h"
#include "records/database/UnitPictureData.h"
#include "fuzz/FuzzStop.h"
#include "fuzz/SampleFile.h"
#include "records/constance/Constance.h"

namespace {

// Enough declarations for every variable the game reads.
constexpr const char* kDeclarations =
    "int progress; int floor; int money; int answer; int encounter; int stealth; int mapSeed;"
    "int battleCount; int winCount; int escapeCount; int loseCount; int invadeCount;"
    "int totalFloorCount; int battleResult; int requestLoseEvent; int currentItem; int clear;"
    "class{ inheritable; int clearCount; } str BGM;";
constexpr int kSlot = 0;

using FuzzSupport::sampleFile;

constexpr int kCheckSlot = 1;

struct SaveSetUp {
  SaveSetUp() {
    Engine::Threading::Manager::create(0);
    // As the game runs: a file that cannot be read halts, a finding here.
    Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, Engine::FileIO::ManagerOptions());
    Game::FileLoader::create();
    // The sample databases, so that saves with a real party load, and the
    // site a new game starts at.
    for (int i = 0; i < Game::Database::kBattleFileCount; ++i) {
      const char* path = Game::Database::battleFilePath(i);
      backend.fakeFileSystem.put(path, sampleFile(path));
    }
    backend.fakeFileSystem.put("src/data/map/list.txt",
                                std::string("site{name オープニング;folder opening;start hall,1;encounter{none;}"
                                            "save file;BGM 自宅;}"));
    // The other lists the map tables read are there and empty: no pictures,
    // links or containers.
    for (const char* list : {Game::UnitPictureList::kFile, Game::SymbolCharaList::kFile, Game::MapPictureSet::kTileFile,
                             Game::MapPictureSet::kObjectFile, Game::MapLinkList::kLinkFile,
                             Game::MapLinkList::kContainerFile}) {
      backend.fakeFileSystem.put(list, std::string());
    }
    Game::Constance::create();
    Game::Database::create();
    Game::Database::instance()->load();
    Game::Database::instance()->loadMaps();
    Game::RandomGenerator::create();
    backend.fakeFileSystem.put(Game::VariableTable::kDeclarationFile, std::string(kDeclarations));
    // A file beside the game's folder that a floor or chara name climbing out
    // of its folder would find (seeds climb_floor, climb_chara).
    backend.fakeFileSystem.put("../outside.txt", std::string("fmf hall; file kessa;"));
    // Floors that are not there or cannot be read (seeds missing_floor,
    // fifo_floor, folder_floor).
    backend.fakeFileSystem.putUnopenable("src/data/map/opening/fifo.txt");
    backend.fakeFileSystem.makeDirectories("src/data/map/opening/folder.txt");
  }
  ~SaveSetUp() {
    Game::RandomGenerator::destroy();
    Game::Database::destroy();
    Game::Constance::destroy();
    Game::FileLoader::destroy();
    Engine::FileIO::ManagerImpl::destroy();
    Engine::Threading::Manager::destroy();
  }
  FuzzSupport::FuzzBackend backend{FuzzSupport::OnStop::Abort};
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
  setUp.backend.startInput();
  std::vector<std::uint8_t> packed;
  if (size > (1u << 18) || Game::SaveCodec::pack(packed, data, static_cast<int>(size)) < 0) {
    return 0;
  }
  setUp.backend.fakeFileSystem.put(Game::SaveSlot::path(kSlot).c_str(), packed);
  Game::SaveSlotList list;
  list.build();
  std::unique_ptr<Game::GameData> game(Game::SaveSlot::load(kSlot));
  setUp.backend.expectNothingOpenedOutside();
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
