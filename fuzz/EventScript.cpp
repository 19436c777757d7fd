// Event-script text of any bytes: it reads into a script or ends in the
// data-error stop naming what is wrong, and a read script steps frame by
// frame through the driver without a crash, a hang or a stop.
//
// The stop would end the process: here it throws instead (fuzz/FuzzStop.h),
// so the harness sees the stop, checks it names the file, and goes on with
// the next input. A stop while stepping is a fault.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Engine/Threading/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "running/game/GameData.h"
#include "core/random/RandomGenerator.h"
#include "core/file/FileLoader.h"
#include "core/file/nml/NmlDocument.h"
#include "fuzz/FuzzStop.h"
#include "fuzz/SampleFile.h"
#include "fuzz/FuzzText.h"
#include "records/Database.h"
#include "records/constance/Constance.h"
#include "running/script/Script.h"
#include "root/command/SceneCommandFactory.h"

namespace {

using FuzzSupport::DataStop;
using FuzzSupport::sampleFile;

constexpr int kFrames = 64;

// The sample databases, declarations and opening site, and one script file
// that `run` can reach.
struct SetUp {
  SetUp() { FuzzSupport::setUpOrAbort([this] { load(); }); }
  void load() {
    Engine::Threading::Manager::create(0);
    Engine::FileIO::ManagerOptions options;
    options.abortOnError = false;
    Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, options);
    Game::FileLoader::create();
    for (int i = 0; i < Game::Database::kBattleFileCount; ++i) {
      const char* path = Game::Database::battleFilePath(i);
      backend.fakeFileSystem.put(path, sampleFile(path));
    }
    for (const char* path : {Game::VariableTable::kDeclarationFile, "src/data/map/common.txt"}) {
      backend.fakeFileSystem.put(path, sampleFile(path));
    }
    // The site a new game starts at, without the pictures of the others.
    backend.fakeFileSystem.put("src/data/map/list.txt",
                               std::string("site{name オープニング;folder opening;start hall,1;encounter{none;}"
                                           "save file;BGM 自宅;}"));
    Game::Constance::create();
    Game::Database::create();
    Game::Database::instance()->load();
    Game::Database::instance()->loadMaps();
    Game::RandomGenerator::create();
    // The scenes' commands too: without a field or a battle they say so and go on.
    Game::ScriptStuff::SceneCommandMaker::install(&Game::ScriptStuff::SceneCommandFactory::instance());
  }
  FuzzSupport::FuzzBackend backend{FuzzSupport::OnStop::Throw};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static SetUp setUp;
  setUp.backend.startInput();
  if (size > (1u << 16)) {
    return 0;
  }
  const std::vector<char> text = FuzzSupport::zeroTerminated(data, size);
  Game::NmlDocument document;
  if (!document.parse(text.data(), false, "fuzz.txt")) {
    return 0;
  }
  Game::GameData game;
  Game::Script script;
  try {
    script.load(document, game, "fuzz.txt");
  } catch (const DataStop& stop) {
    FuzzSupport::expectNamed(stop, "fuzz.txt");
    return 0;
  }
  try {
    for (int frame = 0; frame < kFrames; ++frame) {
      if (script.update(game) != Game::Script::kRunning) {
        break;
      }
    }
  } catch (const DataStop& stop) {
    std::fprintf(stderr, "stopped while stepping: %s\n", stop.text.c_str());
    std::abort();
  }
  return 0;
}
