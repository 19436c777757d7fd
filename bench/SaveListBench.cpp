// Checking and loading a large valid save, and listing 24 of them, against
// the peer of reading the same file into its tree alone (unpacking and
// parsing, which every use of a save pays first). Three saves of 512 KiB: one
// whose player holds a queue of move commands, one whose lead holds a long
// list of arts, one whose bag holds many worn pieces. The ratio says what the
// check and the load add to the parse.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/FakeRendererScene.h"
#include "bench/SampleFiles.h"
#include "core/file/FileSystem.h"
#include "core/file/SaveCodec.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlDocument.h"
#include "core/random/RandomGenerator.h"
#include "field/FieldScene.h"
#include "live/article/Article.h"
#include "records/Database.h"
#include "records/constance/Constance.h"
#include "root/command/SceneCommandFactory.h"
#include "running/game/GameData.h"
#include "running/game/SaveSlot.h"
#include "running/game/SaveSlotList.h"

namespace save_list_bench {

using BenchSupport::now;
using Engine::i32;

// The largest save the packing takes is just below 512 KiB; the saves stop
// growing within a few KiB of it.
constexpr std::size_t kPayloadBytes = Game::SaveCodec::kUnpackedLimit - 4 * 1024;
constexpr const char* kMoveKeywords[] = {"go", "hop"};
constexpr const char* kSword = "鉄の剣";

enum Kind { kMoves, kArts, kBag };

std::size_t textSize(const Game::NmlDocument& document) {
  Game::String text;
  document.toString(text, false);
  return static_cast<std::size_t>(text.length()) + 1;
}

// Move commands on the first symbol's queue until the save's text reaches
// its size; lines go in batches, as each size check writes the whole text.
i32 growMoves(Game::NmlDocument& document) {
  Game::NmlNode& symbol = *document.findChild("field")->findChild("symbol")->findChild("symbol");
  Game::NmlNode& queue = *symbol.findChild("command");
  for (i32 i = 0; textSize(document) < kPayloadBytes;) {
    for (const i32 end = i + 64; i < end; ++i) {
      Game::NmlAttribute& line = *queue.addAttribute("command", kMoveKeywords[i % 2]);
      line.addInt(8 + i % 2);
      for (i32 p = 0; p < 4; ++p) line.addInt((i >> p) & 1);
    }
  }
  return queue.countAttributes("command");
}

// Arts of the lead's own, repeated, until the save's text reaches its size.
i32 growArts(Game::NmlDocument& document) {
  Game::NmlNode& arts = *document.findChild("party")->findChild("ghost")->findChild("artsList");
  std::vector<std::string> names;
  for (const Game::NmlNode& art : arts.childrenNamed("arts")) {
    names.emplace_back(art.findAttribute("ability")->item(0));
  }
  for (std::size_t i = 0; textSize(document) < kPayloadBytes;) {
    for (const std::size_t end = i + 64; i < end; ++i) {
      arts.addChild("arts")->addAttribute("ability", names[i % names.size()].c_str());
    }
  }
  return arts.countChildren("arts");
}

// Worn pieces of one sword, each of its own uses and condition, until the
// save's text reaches its size. Each piece is stronger, or as strong with
// more uses, than those before it, so the bag's load compares it with all of
// them before it goes last: the bag's worst order.
i32 growBag(Game::NmlDocument& document) {
  Game::NmlNode& bag = *document.findChild("bag");
  constexpr i32 kConditions = Game::Article::kFullCondition + 1;
  constexpr i32 kUses = 80;
  for (i32 i = 0; textSize(document) < kPayloadBytes;) {
    for (const i32 end = i + 64; i < end; ++i) {
      Game::NmlNode& item = *bag.addChild("item");
      Game::NmlNode& article = *item.addChild("article");
      article.addAttribute("tool", kSword);
      article.addInt("energy", 1 + i % kUses);
      article.addInt("defensePerformance", i / kUses % kConditions);
      item.addInt("number", 1);
    }
  }
  return bag.countChildren("item");
}

// The sample game on the fakes, with the large save of one kind written to
// every slot.
class SaveScene {
 public:
  explicit SaveScene(Kind kind) {
    BenchSupport::putSampleFiles(mFakes.backend().fakeFileSystem);
    Game::Constance::create();
    Game::Database::createAndLoad();
    Game::Database::instance()->loadMaps();
    Game::RandomGenerator::create();
    Game::RandomGenerator::instance()->setSeed(7);
    Game::GameData::setFieldMaker(
        [](Game::GameData& game) -> Game::FieldSubScene* { return new Game::FieldScene(game); });
    Game::ScriptStuff::SceneCommandMaker::install(&Game::ScriptStuff::SceneCommandFactory::instance());
    Game::GameData game;
    game.party().recruit(*Game::Database::instance()->findShell("Kessa"));
    Game::NmlDocument document;
    Game::SaveSlot::writeHead(document, game, {2024, 5, 6, 7, 8});
    mEntries = kind == kMoves ? growMoves(document) : kind == kArts ? growArts(document) : growBag(document);
    mPayloadBytes = textSize(document);
    for (i32 slot = 0; slot < Game::SaveSlot::kCount; ++slot) {
      Game::SaveSlot::write(document, slot);
    }
  }
  ~SaveScene() {
    Game::ScriptStuff::SceneCommandMaker::install(nullptr);
    Game::GameData::setFieldMaker(nullptr);
    Game::RandomGenerator::destroy();
    Game::Database::destroy();
    Game::Constance::destroy();
  }
  SaveScene(const SaveScene&) = delete;
  SaveScene& operator=(const SaveScene&) = delete;

  std::size_t payloadBytes() const { return mPayloadBytes; }
  // The move commands, arts or bag entries the save holds.
  i32 entries() const { return mEntries; }

 private:
  BenchSupport::FakeRendererScene mFakes{};
  std::size_t mPayloadBytes = 0;
  i32 mEntries = 0;
};

// The peer: the slot's file read, unpacked and parsed, nothing more.
bool parseOnly(i32 slot) {
  std::vector<Engine::u8> file;
  Game::FileSystem::readBytes(Game::SaveSlot::path(slot).c_str(), file);
  const auto size = static_cast<i32>(file.size());
  std::vector<Engine::u8> payload(static_cast<std::size_t>(Game::SaveCodec::unpackCapacity(size)));
  payload.resize(static_cast<std::size_t>(
      Game::SaveCodec::unpack(payload.data(), static_cast<i32>(payload.size()), file.data(), size)));
  payload.push_back(0);
  Game::NmlDocument document;
  return document.parse(reinterpret_cast<const char*>(payload.data()), false);
}

bool checkFirstSlot() {
  Game::NmlDocument document;
  return Game::SaveSlot::read(document, 0);
}

bool loadFirstSlot() { return std::unique_ptr<Game::GameData>(Game::SaveSlot::load(0)) != nullptr; }

bool listSlots() {
  Game::SaveSlotList list;
  list.build();
  return list.row(Game::SaveSlot::kCount - 1).valid;
}

// One use of the saves against the peer over as many slots as it reads,
// timed by hand so that only the use counts as the benchmark's time.
void runAgainstParse(benchmark::State& state, bool (*use)(), i32 slots) {
  SaveScene scene(static_cast<Kind>(state.range(0)));
  double useTotal = 0.0;
  double parseTotal = 0.0;
  for (auto _ : state) {
    double start = now();
    const bool valid = use();
    const double used = now() - start;
    start = now();
    bool parsed = true;
    for (i32 slot = 0; slot < slots; ++slot) parsed = parseOnly(slot) && parsed;
    parseTotal += now() - start;
    if (!valid || !parsed) {
      state.SkipWithError("the large save does not read as valid");
      break;
    }
    state.SetIterationTime(used);
    useTotal += used;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["payload_KiB"] = static_cast<double>(scene.payloadBytes()) / 1024.0;
  state.counters["entries"] = scene.entries();
  state.counters["use_ms"] = 1000.0 * useTotal / n;
  state.counters["parse_ms"] = 1000.0 * parseTotal / n;
  state.counters["use_over_parse"] = useTotal / parseTotal;
}

void BM_CheckSaveOverParse(benchmark::State& state) { runAgainstParse(state, checkFirstSlot, 1); }
void BM_LoadSaveOverParse(benchmark::State& state) { runAgainstParse(state, loadFirstSlot, 1); }
void BM_ListTwentyFourSavesOverParse(benchmark::State& state) {
  runAgainstParse(state, listSlots, Game::SaveSlot::kCount);
}

// Argument 0: the save of move commands; 1: of arts; 2: of bag entries.
BENCHMARK(BM_CheckSaveOverParse)->DenseRange(kMoves, kBag)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSaveOverParse)->DenseRange(kMoves, kBag)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListTwentyFourSavesOverParse)->DenseRange(kMoves, kBag)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace save_list_bench
