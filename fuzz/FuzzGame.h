#pragma once

// The sample game on the fakes, for harnesses of the readers that run inside
// it (floor files, the field's save node, the lists the databases and scenes
// read): every file of the build's sample data on the fake file system, the
// file and graphics managers, the scene renderer, the constants, the
// databases and map tables loaded, a seeded random source, and the field and
// scene commands installed. Made once per run.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "Engine/Graphics/Manager.h"
#include "Engine/Threading/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "Platform/TextCodec.h"
#include "core/config/Config.h"
#include "running/game/GameData.h"
#include "core/map/MapBuildQueue.h"
#include "core/random/RandomGenerator.h"
#include "field/FieldScene.h"
#include "core/file/FileLoader.h"
#include "core/file/FileReader.h"
#include "fuzz/FuzzStop.h"
#include "fuzz/SampleFile.h"
#include "presentation/scene/SceneRenderer.h"
#include "records/Database.h"
#include "records/constance/Constance.h"
#include "root/command/SceneCommandFactory.h"

namespace FuzzSupport {

class SampleGame {
 public:
  explicit SampleGame(OnStop onStop) : backend(onStop) {
    putSampleFiles();
    setUpOrAbort([onStop] {
      Engine::Threading::Manager::create(0);
      // A harness of a player's file reads as the game does: a file that
      // cannot be read halts, a finding. Over shipped data such a file is an
      // error flag, for the stop would come on the loader's thread.
      Engine::FileIO::ManagerOptions options;
      options.abortOnError = onStop == OnStop::Abort;
      Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, options);
      Game::FileLoader::create();
      Engine::Graphics::Manager::create(640, 480, false, true, false);
      Game::Config::instance().setDefaults();
      Game::SceneRenderer::create(640, 480);
      Game::Constance::create();
      Game::Database::create();
      Game::Database::instance()->load();
      Game::Database::instance()->loadMaps();
      Game::RandomGenerator::create();
      Game::MapBuildQueue::create();
      Game::GameData::setFieldMaker([](Game::GameData& game) -> Game::FieldSubScene* {
        return new Game::FieldScene(game);
      });
      Game::ScriptStuff::SceneCommandMaker::install(&Game::ScriptStuff::SceneCommandFactory::instance());
    });
  }
  // Made with new and never destroyed: the run ends with the process, and
  // static managers must not outlive the fakes they stand on.

  // Before each input: the same random draws, and no file of an earlier
  // input held alive in the file loader's ring (a file opened again while
  // held there is not read again): files never read before take every place
  // of the ring.
  void startInput() {
    backend.startInput();
    Game::RandomGenerator::instance()->setSeed(12345);
    for (int i = 0; i < Game::FileLoader::kRingSize; ++i) {
      const std::string filler = "fuzz/filler" + std::to_string(mFillers++);
      backend.fakeFileSystem.put(filler, std::string("-"));
      Game::FileReader reader;
      reader.open(filler.c_str(), true, false, true);
      backend.fakeFileSystem.remove(filler);
    }
  }

  FuzzBackend backend;

 private:
  unsigned long long mFillers = 0;

  void putSampleFiles() {
    const std::filesystem::path game(MARROWDEEP_GAME_DIR);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(game)) {
      const std::string top = std::filesystem::relative(entry.path(), game).begin()->string();
      if (entry.is_regular_file() && (top == "src" || top == "bgm")) {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(entry.file_size()));
        std::ifstream(entry.path(), std::ios::binary)
            .read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        backend.fakeFileSystem.put(Platform::utf8ToSjis(std::filesystem::relative(entry.path(), game).generic_string()),
                                   std::move(bytes));
      }
    }
  }
};

}  // namespace FuzzSupport
