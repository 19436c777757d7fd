// The small lists of the sample game, each read as the game reads it: the
// first input byte picks the list (modulo their number), the rest of the input
// takes the place of its file, and the list's reader runs over it beside the
// other sample files. Lists: map sites, links, tile and object picture sets,
// symbol characters (the list and a chara file), unit pictures, an encounter
// table, a scene model set, the face set, message lines, the variable
// declarations, the boss's battle lines, the tune table, the sound lists and
// the effect sound list. A data-error stop that names the list's file is an
// outcome; any other stop is a fault (fuzz/FuzzStop.h).

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "running/game/GameData.h"
#include "core/sound/BGM.h"
#include "core/sound/MusicMixing.h"
#include "core/sound/SoundEffectList.h"
#include "core/variable/VariableTable.h"
#include "core/file/nml/NmlDocument.h"
#include "fuzz/FuzzGame.h"
#include "map/SceneModelSet.h"
#include "presentation/picture/FaceSet.h"
#include "presentation/widget/MessageWindow.h"
#include "records/database/BattlePictures.h"
#include "records/database/EncounterTable.h"
#include "records/database/MapLinkData.h"
#include "records/database/MapPictureSet.h"
#include "records/database/MapSiteData.h"
#include "records/database/SymbolCharaData.h"
#include "records/database/UnitPictureData.h"
#include "root/command/BattleSetup.h"

namespace {

using Game::NmlDocument;

constexpr std::size_t kMaxInput = 1u << 15;
constexpr const char* kChara = "スライム";
// The boss whose face names its lines in the battle lines file.
constexpr const char* kBossBattle = "battle{ rank 100; start{ createEnemy{ name 影法師; position 0,2; } } }";

// A tune table read as the music reads it, with the level of every tune at
// every volume the settings give.
void readTunes(const char* path) {
  NmlDocument table;
  table.load(path);
  Game::DummyBGM bgm(table, path);
  for (int i = 0; i < table.childCount(); ++i) {
    if (const Game::BGM::Tune* tune = bgm.findTune(table.child(i)->name())) {
      for (int volume = 0; volume <= 100; volume += 25) {
        (void)Game::MusicMixing::attenuation(volume, tune->mVolume);
      }
    }
  }
}

// The effect sound list as a cast reads it: each named set in the list's
// folder.
void readEffectSounds(const char* path) {
  NmlDocument list;
  list.load(path);
  const Game::NmlAttribute* folder = list.findAttribute("folder");
  for (int i = 0; i < list.childCount(); ++i) {
    Game::SoundEffectList sounds;
    sounds.readNode(*list.child(i), folder && folder->itemCount() > 0 ? folder->item(0) : nullptr);
  }
}

void readNode(const char* path, void (*read)(const Game::NmlNode&)) {
  NmlDocument document;
  document.load(path);
  read(document);
}

struct List {
  const char* path;
  void (*read)(const char* path);
};

const List kLists[] = {
    {Game::MapSiteList::kFile, [](const char* path) { Game::MapSiteList().load(path); }},
    {Game::MapLinkList::kLinkFile,
     [](const char*) {
       Game::MapSiteList sites;
       sites.load();
       Game::MapLinkList().load(sites);
     }},
    {Game::MapPictureSet::kTileFile, [](const char*) { Game::MapPictureSet().load(); }},
    {Game::MapPictureSet::kObjectFile, [](const char*) { Game::MapPictureSet().load(); }},
    {Game::SymbolCharaList::kFile,
     [](const char*) {
       Game::SymbolCharaList charas;
       charas.load();
       (void)charas.chara(kChara);
     }},
    {"src/picture/symbol/chara/スライム.txt",
     [](const char*) {
       Game::SymbolCharaList charas;
       charas.load();
       (void)charas.chara(kChara);
     }},
    {Game::UnitPictureList::kFile, [](const char*) { Game::UnitPictureList().load(); }},
    {"src/data/map/fuzz.txt",
     [](const char* path) {
       readNode(path, [](const Game::NmlNode& root) {
         Game::EncounterTable table;
         table.load(root);
       });
     }},
    {"src/picture/scene/fuzz.txt", [](const char* path) { Game::SceneModelSet().load(path); }},
    {"src/face/face.txt",
     [](const char*) {
       Game::FaceSet::destroy();
       Game::FaceSet::create();
     }},
    {"src/face/batch.txt",
     [](const char*) {
       Game::FaceSet::destroy();
       Game::FaceSet::create();
     }},
    {"src/data/script/fuzz.txt",
     [](const char* path) {
       readNode(path, [](const Game::NmlNode& root) {
         Game::MessageScript lines;
         lines.load(root);
       });
     }},
    {Game::VariableTable::kDeclarationFile, [](const char*) { Game::VariableTable().loadDeclarations(); }},
    {"src/data/せりふ.txt",
     [](const char*) {
       NmlDocument element;
       element.loadFromText("fuzz/battle.txt", kBossBattle);
       Game::GameData game;
       Game::ScriptStuff::BattleCommand battle(*element.findChild("battle"), game);
     }},
    {Game::BGM::kTableFile, readTunes},
    {Game::BattlePictures::kBattleSoundFile, [](const char* path) { Game::SoundEffectList().load(path); }},
    {"src/system/systemsound.txt", [](const char* path) { Game::SoundEffectList().load(path); }},
    {Game::BattlePictures::kSoundFile, readEffectSounds},
};
constexpr std::size_t kListCount = sizeof kLists / sizeof kLists[0];

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FuzzSupport::SampleGame& sample = *new FuzzSupport::SampleGame(FuzzSupport::OnStop::Throw);
  static bool facesMade = (FuzzSupport::setUpOrAbort([] { Game::FaceSet::create(); }), true);
  (void)facesMade;
  if (size == 0 || size > kMaxInput) {
    return 0;
  }
  sample.startInput();
  const List& list = kLists[data[0] % kListCount];
  PlatformFake::FakeFileSystem& files = sample.backend.fakeFileSystem;
  const auto original = files.contents(list.path);
  files.put(list.path, std::vector<std::uint8_t>(data + 1, data + size));
  try {
    list.read(list.path);
  } catch (const FuzzSupport::DataStop& stop) {
    FuzzSupport::expectNamed(stop, list.path);
  }
  if (original) {
    files.put(list.path, *original);
  } else {
    files.remove(list.path);
  }
  // The face set as the sample gives it, for the battle lines.
  if (Game::FaceSet::instance() == nullptr || std::string(list.path).rfind("src/face/", 0) == 0) {
    sample.startInput();
    FuzzSupport::setUpOrAbort([] {
      Game::FaceSet::destroy();
      Game::FaceSet::create();
    });
  }
  return 0;
}
