// The eight battle files of the databases, any of them damaged: loading ends
// in a clean load or in the data-error stop (Engine::halt), never in a crash.
// The input is the files in load order (state, ability, tool, shell, enemy,
// race, synchro, skilltree) separated by zero bytes; missing ones are empty.
//
// The stop would end the process: here it throws instead (fuzz/FuzzStop.h),
// so the harness sees the stop, checks it names one of the files, and
// carries on with the next input.

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/random/RandomGenerator.h"
#include "core/file/nml/NmlDocument.h"
#include "fuzz/FuzzStop.h"
#include "records/Database.h"
#include "records/constance/Constance.h"

namespace {

using FuzzSupport::DataStop;

struct SetUp {
  SetUp() {
    FuzzSupport::setUpOrAbort([] {
      Game::Constance::create();
      Game::RandomGenerator::create();
    });
  }
  FuzzSupport::FuzzBackend backend{FuzzSupport::OnStop::Throw};
};

// A stop must say which of the files is wrong.
void expectNamesAFile(const DataStop& stop) {
  for (int i = 0; i < Game::Database::kBattleFileCount; ++i) {
    if (stop.text.find(Game::Database::battleFilePath(i)) != std::string::npos) {
      return;
    }
  }
  std::fprintf(stderr, "a stop that names none of the files: %s\n", stop.text.c_str());
  std::abort();
}

using Texts = std::array<std::string, Game::Database::kBattleFileCount>;

Texts split(const std::uint8_t* data, std::size_t size) {
  Texts texts;
  std::size_t file = 0;
  for (std::size_t i = 0; i < size && file < texts.size(); ++i) {
    if (data[i] == 0) {
      ++file;
    } else {
      texts[file].push_back(static_cast<char>(data[i]));
    }
  }
  return texts;
}

void load(const Texts& texts) {
  std::array<Game::NmlDocument, Game::Database::kBattleFileCount> documents;
  std::array<const Game::NmlNode*, Game::Database::kBattleFileCount> roots{};
  for (std::size_t i = 0; i < texts.size(); ++i) {
    documents[i].loadFromText(Game::Database::battleFilePath(static_cast<int>(i)), texts[i].c_str());
    roots[i] = &documents[i];
  }
  Game::Database::instance()->load(roots);
}

// What a loaded table gives the game without expressions: levels, drops.
void touch(const Game::Database& database) {
  for (int i = 0; i < database.toolCount(); ++i) {
    database.findTool(database.toolAt(i)->fullName());
  }
  if (const Game::ShellData* shell = database.findShell("")) {
    shell->growth().evaluate(0.5f);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static SetUp setUp;
  setUp.backend.startInput();
  if (size > (1u << 18)) {
    return 0;
  }
  const Texts texts = split(data, size);
  Game::Database::create();
  try {
    load(texts);
    touch(*Game::Database::instance());
  } catch (const DataStop& stop) {
    expectNamesAFile(stop);
  }
  Game::Database::destroy();
  return 0;
}
