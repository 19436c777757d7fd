// Checks the sample data as the game reads it: every site, floor and enemy
// is reached from the opening by names that exist, every floor of a dungeon
// records its depth, every effect, model, icon and starting gear a record
// names exists, no character's panel lists an art twice, every name the code
// looks up (LookedUpNames) is in the data,
// and every picture and sound list loads with what it names, the
// interface's as the program starts them; a hand-made floor's ramps meet
// the cells at their ends, a site's scene lies within each of its floors,
// every battle stands on a scene, no line the player reads names a compass
// point, every talk line shows a text or a face, and no number of an
// expression passes 32 bits.
//   contentcheck GAME_FOLDER [SCRIPT...]
// GAME_FOLDER is the build's Shift-JIS copy of game/; each SCRIPT, a UTF-8
// file, is checked as a script of the data besides (the tests' bad lines).
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "ContentWalk.h"
#include "Engine/Graphics/Manager.h"
#include "Engine/Sound/Manager.h"
#include "Engine/Threading/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "LookedUpNames.h"
#include "PlatformFake/FakeBackend.h"
#include "core/config/Config.h"
#include "running/game/GameData.h"
#include "core/sound/SoundEffectList.h"
#include "core/sound/SoundEffectManager.h"
#include "core/string/ShiftJis.h"
#include "core/variable/VariableTable.h"
#include "live/Bag.h"
#include "live/unit/PlayerGhost.h"
#include "live/widget/EquipPanel.h"
#include "live/widget/ItemMenu.h"
#include "map/SceneModelSet.h"
#include "effect/EffectFactory.h"
#include "core/file/FileLoader.h"
#include "presentation/model/MinMaxTracker.h"
#include "presentation/model/Model.h"
#include "presentation/picture/FaceSet.h"
#include "presentation/picture/GuiPictures.h"
#include "presentation/picture/SystemResources.h"
#include "presentation/render/Transform.h"
#include "presentation/resource/Batch.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/resource/Texture.h"
#include "presentation/scene/SceneRenderer.h"
#include "records/constance/Constance.h"
#include "records/expression/Expression.h"
#include "running/script/Script.h"
#include "root/command/SceneCommandFactory.h"

namespace Game::Lint {
namespace {

namespace fs = std::filesystem;
using Faults = std::vector<std::string>;

// The fakes, whose message box prints a data error before the program ends.
class Fakes : public PlatformFake::FakeBackend {
 public:
  Fakes() { Platform::setBackend(this); }
  Platform::MessageBox& messageBox() override { return mPrinting; }

 private:
  struct Printing : Platform::MessageBox {
    void show(std::string_view text, std::string_view, Platform::MessageIcon) override {
      std::fprintf(stderr, "stopped: %.*s\n", static_cast<int>(text.size()), text.data());
    }
  } mPrinting;
};

std::string fileBytes(const fs::path& path) {
  std::string bytes(static_cast<std::size_t>(fs::file_size(path)), '\0');
  std::ifstream(path, std::ios::binary).read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

// Every file of the game folder's src/ and bgm/ on the fake file system
// under its Shift-JIS name.
void putSampleFiles(PlatformFake::FakeFileSystem& files, const fs::path& game) {
  for (const auto& entry : fs::recursive_directory_iterator(game)) {
    const std::string top = fs::relative(entry.path(), game).begin()->string();
    if (entry.is_regular_file() && (top == "src" || top == "bgm")) {
      files.put(Platform::utf8ToSjis(fs::relative(entry.path(), game).generic_string()), fileBytes(entry.path()));
    }
  }
}

Database& database() { return *Database::instance(); }

// The names the key gives in the records of a data file.
std::vector<std::string> namesIn(const char* path, const char* record, const char* key) {
  NmlDocument document;
  document.load(path);
  std::vector<std::string> names;
  for (int i = 0; i < document.childCount(); ++i) {
    if (std::string(document.child(i)->name()) == record) {
      const NmlAttribute* line = document.child(i)->findAttribute(key);
      names.emplace_back(line && line->itemCount() > 0 ? line->item(0) : "");
    }
  }
  return names;
}

// Every script read by the game's own reader, which stops on an unknown name
// and leaves an unknown command's entry empty (the script would end there);
// every site, floor and enemy reached.
void checkReach(const ContentWalk& walk, const fs::path& game, Faults& faults) {
  faults.insert(faults.end(), walk.faults.begin(), walk.faults.end());
  for (int i = 0; i < database().siteCount(); ++i) {
    const MapSiteData* site = database().siteAt(i);
    if (!walk.sites.count(site) && std::none_of(walk.floors.begin(), walk.floors.end(),
                                                [&](const Floor& floor) { return floor.first == site; })) {
      faults.push_back(std::string("site ") + site->name() + " is never reached");
    }
    for (const auto& entry : fs::directory_iterator(game / kMapFolder / site->folder())) {
      if (entry.path().extension() == ".txt" && !walk.floors.count({site, entry.path().stem().string()})) {
        faults.push_back("floor " + entry.path().string() + " is never reached");
      }
    }
  }
  for (const std::string& enemy : namesIn("src/data/enemy.txt", "enemy", "name")) {
    if (!walk.metEnemies.count(enemy)) faults.push_back("enemy " + enemy + " is never met");
  }
}

// Every floor of a dungeon the walk reaches records the depth in its start
// script, which runs on each arrival (a generated file stands for several
// floors): the continue scene offers the floors reached and the shop stocks
// by them. The mine's b1, b2 (floors 2 and 3) and b4 and the library's b1
// are the four.
void checkDepthRecords(const ContentWalk& walk, Faults& faults) {
  const std::function<bool(const NmlNode&)> records = [&](const NmlNode& node) {
    for (int i = 0; i < node.childCount(); ++i) {
      if (std::string(node.child(i)->name()) == "setRecordFloor" || records(*node.child(i))) return true;
    }
    return false;
  };
  int dungeonFloors = 0;
  for (const auto& [site, file] : walk.floors) {
    if (site->floorNumber() == 0) continue;
    ++dungeonFloors;
    NmlDocument document;
    document.load((std::string(kMapFolder) + site->folder() + "/" + file + ".txt").c_str());
    if (document.countChildren("start") == 0 || !records(*document.findChild("start"))) {
      faults.push_back(std::string(site->folder()) + "/" + file + ".txt: its start records no depth");
    }
  }
  if (dungeonFloors != 4) faults.push_back(std::to_string(dungeonFloors) + " floors of dungeons reached, not 4");
}

// Every art's effect is one the factory builds, and every model an enemy,
// race, character or item names is in its picture set. Passive arts and
// those marked "effect none" (the commands the battle plays itself) show no
// effect.
void checkEffectsAndModels(Faults& faults) {
  NmlDocument arts;
  arts.load("src/data/ability.txt");
  for (int i = 0; i < arts.childCount(); ++i) {
    const NmlNode& art = *arts.child(i);
    const NmlNode& named = art.findAttribute("name") || art.countChildren("base") == 0 ? art : *art.findChild("base");
    const NmlAttribute* effect = named.findAttribute("effect");
    if (named.findAttribute("passive") || (effect && std::string(effect->item(0)) == "none")) {
      continue;
    }
    const NmlAttribute* fullName = named.findAttribute("fullName");
    const NmlAttribute* name = fullName ? fullName : named.findAttribute("name");
    const AbilityData* record = name ? database().findAbilityOrNull(name->item(0)) : nullptr;
    const std::string where = "src/data/ability.txt line " + std::to_string(art.line());
    if (!record) {
      faults.push_back(where + ": no such art");
    } else if (!Effect::findFactoryRow(record->base().animationName())) {
      faults.push_back(where + ": art " + record->name() + " plays no effect " + record->base().animationName());
    }
  }
  for (const std::string& enemy : namesIn("src/data/enemy.txt", "enemy", "name")) {
    const EnemyData* record = database().findEnemy(enemy.c_str());
    if (!record || !database().findUnitPicture(record->model())) {
      faults.push_back("enemy " + enemy + ": no model " + (record ? record->model() : ""));
    }
  }
  for (const std::string& race : namesIn("src/data/race.txt", "race", "name")) {
    const RaceData* record = database().findRaceOrNull(race.c_str());
    SymbolCharaData* chara = record ? database().symbolChara(record->symbol()) : nullptr;
    if (!chara || !chara->picture("stand") || !chara->picture("walk")) {
      faults.push_back("race " + race + ": no symbol standing and walking " + (record ? record->symbol() : ""));
    }
  }
  for (int i = 0; i < database().shellCount(); ++i) {
    const ShellData& shell = *database().shellAt(i);
    if (!database().findUnitPicture(shell.model())) {
      faults.push_back(std::string("character ") + shell.name() + ": no model " + shell.model());
    }
  }
  ResourceSet icons;
  icons.load("src/picture/gui/アイコン.txt");
  for (int i = 0; i < database().toolCount(); ++i) {
    const ToolData& tool = *database().toolAt(i);
    if (*tool.icon() && !icons.findModel(tool.icon())) {
      faults.push_back(std::string("item ") + tool.name() + ": no icon " + tool.icon());
    }
  }
}

// Every character's starting gear is among the candidates the equip screen
// lists for its slot's categories.
void checkStartingGear(Faults& faults) {
  for (int i = 0; i < database().shellCount(); ++i) {
    for (const ShellData::Gear& gear : database().shellAt(i)->gear()) {
      Bag bag;
      bag.add(Article::fromItem(gear.tool), 1);
      ItemMenu candidates;
      candidates.build(bag, ItemMenu::kEquip, nullptr, EquipPanel::categoryMask(gear.slot));
      if (!candidates.list().findById(0)) {
        faults.push_back(std::string("character ") + database().shellAt(i)->name() + ": " + gear.tool->name() +
                         " is no candidate of slot " + std::to_string(gear.slot));
      }
    }
  }
}

// A character's panel lists an art once: knowing every art it can learn,
// with any item in its hand, the item brings none it knows of its kind.
void checkArtsListedOnce(Faults& faults) {
  for (int i = 0; i < database().shellCount(); ++i) {
    PlayerGhost ghost;
    ghost.setUp(*database().shellAt(i), 0);
    for (const SkillTree* tree : {&database().shellAt(i)->skillTree(), &database().skillTree()}) {
      for (const SkillTreeItem& item : *tree) ghost.abilities().learn(item.art());
    }
    for (int t = 0; t < database().toolCount(); ++t) {
      ghost.slot(0) = Article::fromItem(database().toolAt(t));
      AbilityList arts;
      ghost.abilitiesForSlot(arts, 0, nullptr);
      std::set<std::string> names;
      for (int k = 0; k < arts.count(); ++k) {
        if (!names.insert(arts.at(k).name()).second) {
          faults.push_back(std::string("character ") + ghost.getName() + " with " + database().toolAt(t)->name() +
                           ": " + arts.at(k).name() + " listed twice");
        }
      }
    }
  }
}

// A status strength is read in hundredths and cut: one below 100 would drop
// the art's status part without a word.
void checkStatusStrengths(Faults& faults) {
  NmlDocument arts;
  arts.load("src/data/ability.txt");
  const std::function<void(const NmlNode&)> visit = [&](const NmlNode& node) {
    const NmlAttribute* status = std::string(node.name()) == "power" ? node.findAttribute("status") : nullptr;
    if (status && (status->itemCount() != 2 || status->toFloat(1) < 100)) {
      faults.push_back("src/data/ability.txt line " + std::to_string(node.line()) + ": a status strength below 100");
    }
    for (int i = 0; i < node.childCount(); ++i) visit(*node.child(i));
  };
  visit(arts);
}

// The record, sound, tune or model each name the code looks up stands for:
// in the databases, a sound list (or a key of one effect's node of the
// effect-sound list, "list#effect"), the tune table or a picture set (every
// unit picture for a folder).
void checkLookedUpNames(Faults& faults) {
  using LookedUpNames::Kind;
  NmlDocument tunes;
  tunes.load(LookedUpNames::kTunes);
  MapTables& maps = database().maps();
  LookedUpNames::forEach([&](const LookedUpNames::Name& name) {
    const std::string source(name.source);
    const std::string what = (source.empty() ? std::string() : source + ": ") + name.name;
    const std::size_t node = source.find('#');
    bool found = true;
    switch (name.kind) {
      case Kind::kState: found = database().states().find(name.name) >= 0; break;
      case Kind::kArt: found = database().findAbilityOrNull(name.name) != nullptr; break;
      case Kind::kShell: found = database().findShellExactly(name.name) != nullptr; break;
      case Kind::kEnemy: found = database().findEnemy(name.name) != nullptr; break;
      case Kind::kTool: {
        const ToolData* record = database().findTool(name.name);
        found = record && *record->icon();
        break;
      }
      case Kind::kTune: found = tunes.findChild(name.name) != nullptr; break;
      case Kind::kSound:
        if (node != std::string::npos) {
          NmlDocument list;
          list.load(source.substr(0, node).c_str());
          const NmlNode* effect = list.findChild(source.substr(node + 1).c_str());
          found = effect && effect->findAttribute(name.name);
        } else {
          SoundEffectList sounds;
          sounds.load(name.source);
          found = sounds.find(name.name) != nullptr;
        }
        break;
      case Kind::kModel:
        if (source.back() == '/') {
          found = maps.units.count() > 0;
          for (int i = 0; i < maps.units.count(); ++i) found = found && maps.units.at(i).motion(name.name);
        } else {
          ResourceSet set;
          set.load(name.source);
          found = set.findModel(name.name) != nullptr;
        }
        break;
    }
    static const char* const kKinds[] = {"state", "art", "tool with an icon", "shell", "enemy", "sound", "tune", "model"};
    if (!found) faults.push_back(std::string("no ") + kKinds[static_cast<int>(name.kind)] + " " + what);
  });
}

// Reads the pictures and waits for their textures, whose faults would show
// on the debug stream.
void touch(PictureList& list) {
  for (OwnedList<Texture>::Iterator it(list.set().textures()); !it.isEnd(); it.next()) {
    it.value()->waitReady();
  }
}

void waitFor(const SoundEffectList& sounds, const char* what, Faults& faults) {
  for (int i = 0; i < 500 && !sounds.allReady(); ++i) {
    usleep(2000);  // the loader job reads the waves meanwhile
  }
  if (!sounds.allReady()) faults.push_back(std::string(what) + ": a wave never loads");
}

// A model that never ends would keep the node playing it for ever.
void checkEnds(const Model* model, const std::string& where, Faults& faults) {
  if (!model) {
    faults.push_back(where + ": missing");
  } else if (model->duration() <= 0.f || model->cyclesDone(model->duration()) <= 0) {
    faults.push_back(where + " " + model->name() + ": never ends");
  }
}

// Every list and every file it names loads (any fault shows on the debug
// stream): the units stand, the sample symbols stand and walk as figures
// and stop at walls and other symbols, the map's, scenes' and battle's
// pictures, the effects' and the battle's sounds.
void checkPicturesAndSounds(const std::set<std::string>& grounds, Faults& faults) {
  MapTables& maps = database().maps();
  for (int i = 0; i < maps.units.count(); ++i) {
    if (!maps.units.at(i).standMotion()) faults.push_back(std::string("unit ") + maps.units.at(i).name() + ": no stand");
  }
  for (const char* name : {"Kessa", "宝箱", "扉", "扉大", "スライム"}) {
    SymbolCharaData* chara = database().symbolChara(name);
    for (const char* motion : {"stand", "walk"}) {
      const Model* model = chara ? chara->picture(motion) : nullptr;
      if (!model || model->batches().empty()) faults.push_back(std::string("symbol ") + name + ": no figure " + motion);
    }
    if (chara && !chara->reacts()) faults.push_back(std::string("symbol ") + name + ": stops at nothing");
  }
  for (int i = 0; i < maps.mapPictures.objectCount(); ++i) {
    touch(maps.mapPictures.objectAt(i).picture);
  }
  if (!maps.mapPictures.findWall("石壁") || !maps.mapPictures.chipAt(0, 0)) {
    faults.push_back("the map pictures lack the wall 石壁 or the first chip");
    return;
  }
  touch(*maps.mapPictures.findWall("石壁")->picture);
  touch(*maps.mapPictures.chipAt(0, 0)->picture);
  for (int i = 0; i < database().siteCount(); ++i) {
    if (PictureList* scene = maps.scenePicture(database().siteAt(i)->scene())) touch(*scene);
  }
  for (const std::string& ground : grounds) touch(*maps.scenePicture(ground.c_str()));
  BattlePictures& battle = maps.battle;
  for (int i = 0; i < BattlePictures::kListCount; ++i) touch(battle.list(static_cast<BattlePictures::List>(i)));
  if (!battle.stateIcon(StateData("呪力破壊"))) faults.push_back("no state icon 呪力破壊");
  for (int i = 0; i < BattlePictures::kStateSetCount; ++i) touch(battle.stateSetAt(i));
  for (int i = 0; i < BattlePictures::kCommonAnimationCount; ++i) touch(battle.commonAnimationAt(i));
  // Every effect's node of the effect-sound list, read as the factory reads
  // it, in the list's folder.
  const NmlNode& effectSounds = battle.effectSounds();
  const NmlAttribute* folder = effectSounds.findAttribute("folder");
  SoundEffectList effectWaves;
  for (int i = 0; folder && i < effectSounds.childCount(); ++i) {
    effectWaves.readNode(*effectSounds.child(i), folder->item(0));
  }
  if (effectWaves.count() == 0) faults.push_back("the effect-sound list holds no sound (or no folder)");
  if (!battle.battleSounds().find("encounter")) faults.push_back("no battle sound encounter");
  waitFor(effectWaves, "the effect sounds", faults);
  waitFor(battle.battleSounds(), "the battle sounds", faults);
}

// The common effect lists hold what effects take, and every model of them
// ends (a node playing one is released once its model has played); the
// lead-ins' pictures each hold a "main" that ends (the warning's beside the
// state icons), and the dash's copies have their fading.
void checkEffectPictures(Faults& faults) {
  BattlePictures& battle = database().maps().battle;
  PictureList* particles = battle.commonAnimation("hitparticle");
  if (!particles || !particles->set().getModel(0) || !particles->set().getModel(1)) {
    faults.push_back("hitparticle: not two particles");
  }
  PictureList* flash = battle.commonAnimation("ヒットフラッシュ");
  if (!flash || !flash->set().findAnimation("main")) faults.push_back("ヒットフラッシュ: no animation main");
  for (const char* name : {"hit", "土煙", "炎"}) {
    PictureList* list = battle.commonAnimation(name);
    if (!list || !list->find("main")) faults.push_back(std::string(name) + ": no main");
  }
  for (int i = 0; i < BattlePictures::kCommonAnimationCount; ++i) {
    for (OwnedList<Model>::Iterator it(battle.commonAnimationAt(i).set().models()); !it.isEnd(); it.next()) {
      checkEnds(it.value(), battle.commonAnimationAt(i).path(), faults);
    }
  }
  PictureList* leadIns[] = {battle.stateSet("技"), battle.stateSet("術"), battle.stateSet("スペル"),
                            &battle.list(BattlePictures::kCaution), &battle.list(BattlePictures::kLink)};
  for (PictureList* list : leadIns) {
    if (!list) faults.push_back("a lead-in's picture set is missing");
    if (list) checkEnds(list->find("main"), std::string(list->path()) + " main", faults);
  }
  ResourceSet copies;
  copies.load("src/picture/animation/animation/残像.txt");
  if (!copies.findAnimation("main")) faults.push_back("残像: no animation main");
}

// How far the meshes of a model and the models it draws reach across the
// ground, as built (before any motion), in world units.
void spread(const Model& model, MinMaxTracker& x, MinMaxTracker& y) {
  for (const Batch* batch : model.batches()) {
    Engine::Graphics::VertexBuffer vertices = batch->vertexBuffer();
    if (!vertices) continue;
    Engine::Graphics::Vertex* at = vertices.lock();
    for (Engine::u32 i = 0; i < vertices.count(); ++i) {
      x.add(at[i].x * Transform::kWorldUnitsPerMatrixUnit, 0);
      y.add(at[i].y * Transform::kWorldUnitsPerMatrixUnit, 0);
    }
    vertices.unlock(at);
  }
  for (const Model* child : model.children()) spread(*child, x, y);
}

// A site's scene is drawn under each of its floors: a model of it that
// reaches past a floor's cells shows there as a bare slab beside the walls.
void checkSiteScenes(const ContentWalk& walk, Faults& faults) {
  for (int i = 0; i < database().siteCount(); ++i) {
    const MapSiteData* site = database().siteAt(i);
    if (!*site->scene()) continue;
    SceneModelSet scene;
    scene.load(database().maps().scenePicture(site->scene())->path());
    MinMaxTracker x(0.f);
    MinMaxTracker y(0.f);
    for (OwnedList<SceneModelSet::Entry>::Iterator it(scene.entries()); !it.isEnd(); it.next()) {
      spread(*it.value()->model, x, y);
    }
    for (const auto& [floor, edges] : walk.edges) {
      if (floor.first == site && x.count() > 0 &&
          (x.min() < edges.left || x.max() > edges.right || y.min() < edges.bottom || y.max() > edges.top)) {
        faults.push_back(std::string("the scene of ") + site->name() + " reaches past the cells of " +
                         site->folder() + "/" + floor.second);
      }
    }
  }
}

// Each site's start floor runs a "start" script when entered, and the
// site's records are declared.
void checkSiteStarts(Faults& faults) {
  VariableTable variables;
  variables.loadDeclarations();
  for (int i = 0; i < database().siteCount(); ++i) {
    const MapSiteData& site = *database().siteAt(i);
    NmlDocument floor;
    const std::string path = std::string(kMapFolder) + site.folder() + "/" + site.startFile() + ".txt";
    floor.load(path.c_str());
    if (floor.countChildren("start") != 1) faults.push_back(path + ": not one start script");
    for (const char* suffix : {".到達階数", ".出現", ".レベル", ".固定"}) {
      if (!variables.hasInteger((std::string(site.name()) + suffix).c_str())) {
        faults.push_back(std::string("no variable ") + site.name() + suffix);
      }
    }
  }
}

// The system pictures and sounds, the interface pictures and the faces,
// with every picture they name, load as the program starts them (a missing
// picture stops the program); what the game looks up in them by name is
// there.
void checkInterfacePictures(Faults& faults) {
  SoundEffectManager::create();
  SystemResources::create();
  FaceSet::create();
  GuiPictures::create();
  SystemResources& system = *SystemResources::instance();
  GuiPictures& gui = *GuiPictures::instance();
  FaceSet& faceSet = *FaceSet::instance();
  const auto need = [&](bool found, const std::string& name) {
    if (!found) faults.push_back("no interface picture or sound " + name);
  };
  for (int digit = 0; digit < 10; ++digit) need(system.numbers().digit(digit), "digit " + std::to_string(digit));
  need(system.numbers().miss(), "miss");
  for (const char* sound : {"saved", "cursorCancel"}) need(system.sounds().find(sound), sound);
  for (const char* icon : {"薬", "剣", "鎧", "小刀", "鍵", "廃棄物", "魔法鍵"}) need(gui.findIcon(icon), icon);
  for (const char* pip : {"active", "invalid", "empty"}) need(gui.gauge().findModel(pip), pip);
  for (const char* piece : {"cell", "cursor", "ring"}) need(gui.compassBatch(piece), piece);
  // The automap scales its cell to its spacing: a larger one would overlap
  // its neighbours, and the overlaps, added twice, checker the map.
  NmlDocument compass;
  compass.load("src/picture/gui/コンパス.txt");
  for (int i = 0; i < compass.countChildren("batch"); ++i) {
    const NmlNode* batch = compass.findChild("batch", i);
    const NmlAttribute* name = batch->findAttribute("name");
    const NmlAttribute* size = batch->findAttribute("size");
    if (name && std::string(name->item(0)) == "cell" &&
        !(size && size->toFloat(0) == MapGenerator::kCellPictureSide && size->toFloat(1) == size->toFloat(0))) {
      faults.push_back("src/picture/gui/コンパス.txt: the automap's cell is not 8 units square");
    }
  }
  need(gui.arrowModel() && gui.compassModel() && gui.spot().getModel(0) && faceSet.mainBatch(), "a model");
  // The wall hides all drawn before it: the device shifts pictures half a
  // pixel (0.625 units at 640 by 480, the smallest window), so the wall
  // reaches past each edge of the screen by more than that.
  constexpr float kHalfPixel = 0.625f;
  MinMaxTracker x(0.f);
  MinMaxTracker y(0.f);
  if (const Model* wall = system.wall().getModel(0)) spread(*wall, x, y);
  const float reachX = std::min(-x.min(), x.max()) - SceneRenderer::kVirtualWidth / 2.f;
  const float reachY = std::min(-y.min(), y.max()) - SceneRenderer::kVirtualHeight / 2.f;
  if (x.count() == 0 || std::min(reachX, reachY) <= kHalfPixel) {
    faults.push_back("src/system/wall.txt: the wall does not reach past the screen's edges");
  }
  for (ResourceSet* set : {&system.wall(), &system.cursor(), &system.frame(), &system.rect(), &system.gauge(),
                           &system.numbers().set(), &gui.arrow(), &gui.spot(), &gui.gauge(), &gui.icons(),
                           &gui.compass(), &faceSet.batches()}) {
    for (OwnedList<Texture>::Iterator it(set->textures()); !it.isEnd(); it.next()) {
      it.value()->waitReady();
    }
  }
  for (const char* name : {"ケッサ", "店主", "司書", "坑夫"}) {
    Face* face = faceSet.find(name);
    need(face, std::string("face ") + name);
    if (face) faceSet.texture(face)->waitReady();
  }
  GuiPictures::destroy();
  FaceSet::destroy();
  SystemResources::destroy();
  SoundEffectManager::destroy();
}

// A line the player reads names what the player sees (the water, the
// pillars, a door's colour), never a compass point, which the field shows
// only on the compass's needle.
void checkHints(const NmlNode& node, const std::string& file, Faults& faults) {
  const std::string kind = node.name();
  for (NmlNode::AttributeList::Iterator it(node.attributes()); (kind == "talk" || kind == "message") && !it.isEnd();
       it.next()) {
    std::string text = it.value()->key();
    for (int i = 0; i < it.value()->itemCount(); ++i) text += std::string(",") + it.value()->item(i);
    for (std::size_t at = 0; at < text.size(); at += static_cast<std::size_t>(ShiftJis::characterSize(&text[at]))) {
      for (const char* point : {"北", "南", "東", "西"}) {
        if (text.compare(at, 2, point) == 0) {
          faults.push_back(file + " line " + std::to_string(it.value()->line()) + ": a line names a compass point");
        }
      }
    }
  }
  for (int i = 0; i < node.childCount(); ++i) checkHints(*node.child(i), file, faults);
}

// A talk line shows a text or a known face: one that gives neither, such as
// a narration written without its side key (read as a key alone), would be
// passed over without a word.
void checkTalk(const NmlNode& node, bool isTalk, const std::set<std::string>& faces, const std::string& file,
               Faults& faults) {
  for (NmlNode::AttributeList::Iterator it(node.attributes()); isTalk && !it.isEnd(); it.next()) {
    const NmlAttribute& line = *it.value();
    const std::string key = line.key();
    const bool flag = key == "close" || key == "chara" || key == "skip";
    if (!flag && !(line.itemCount() > 1 && *line.item(1)) && !faces.count(line.item(0))) {
      faults.push_back(file + " line " + std::to_string(line.line()) + ": a talk line shows no text and no face");
    }
  }
  for (int i = 0; i < node.childCount(); ++i) {
    checkTalk(*node.child(i), std::string(node.child(i)->name()) == "talk", faces, file, faults);
  }
}

// The texts of expressions whose number literals pass 32 bits, as the
// parser met them: the game would wrap them.
std::set<std::string> gWideLiterals;

// Each such text, named by every line of the data files that gives it.
void checkWideLiterals(const std::vector<std::string>& files, Faults& faults) {
  if (gWideLiterals.empty()) return;
  for (const std::string& file : files) {
    const auto refuse = [&](const char* text, int line) {
      if (gWideLiterals.count(text)) {
        faults.push_back(file + " line " + std::to_string(line) + ": a number of \"" + text + "\" passes 32 bits");
      }
    };
    const std::function<void(const NmlNode&)> find = [&](const NmlNode& node) {
      refuse(node.name(), node.line());
      for (NmlNode::AttributeList::Iterator it(node.attributes()); !it.isEnd(); it.next()) {
        refuse(it.value()->key(), it.value()->line());
        for (int k = 0; k < it.value()->itemCount(); ++k) refuse(it.value()->item(k), it.value()->line());
      }
      for (int i = 0; i < node.childCount(); ++i) find(*node.child(i));
    };
    NmlDocument document;
    document.load(file.c_str());
    find(document);
  }
}

// What a boss says as its battle opens and closes is talk too.
void checkBossTalk(const std::set<std::string>& faces, Faults& faults) {
  const char* file = "src/data/せりふ.txt";
  NmlDocument bosses;
  bosses.load(file);
  for (int i = 0; i < bosses.childCount(); ++i) {
    const NmlNode& boss = *bosses.child(i);
    for (int k = 0; k < boss.childCount(); ++k) checkTalk(*boss.child(k), true, faces, file, faults);
  }
}

// The extra scripts and every file of the game folder's src/data/.
std::vector<std::string> dataFiles(const fs::path& game, const std::vector<std::string>& extraScripts) {
  std::vector<std::string> files = extraScripts;
  for (const auto& entry : fs::recursive_directory_iterator(game / "src/data")) {
    if (entry.path().extension() == ".txt") {
      files.push_back(Platform::utf8ToSjis(fs::relative(entry.path(), game).generic_string()));
    }
  }
  return files;
}

// Every check over the game folder's data, read as the game reads it, and
// over the extra scripts.
Faults checkGameFolder(const fs::path& game, const std::vector<std::string>& extraScripts, Fakes& fakes) {
  Faults faults;
  GameData played;
  std::set<std::string> faces;
  for (const std::string& face : namesIn("src/face/face.txt", "face", "name")) {
    if (!face.empty()) faces.insert(face);
  }
  const auto readScript = [&](const NmlNode& node, const std::string& file) {
    checkHints(node, file, faults);
    checkTalk(node, false, faces, file, faults);
    Script script;
    script.load(node, played, file.c_str());
    for (int i = 0; i < script.commandCount(); ++i) {
      if (!script.command(i)) {
        faults.push_back(file + " line " + std::to_string(node.child(i)->line()) + ": no command " +
                         node.child(i)->name());
      }
    }
  };
  ContentWalk walk(database(), game, readScript);
  walk.run();
  for (const std::string& file : extraScripts) {
    NmlDocument document;
    document.load(file.c_str());
    readScript(document, file);
  }
  checkBossTalk(faces, faults);
  checkReach(walk, game, faults);
  checkDepthRecords(walk, faults);
  checkEffectsAndModels(faults);
  checkStartingGear(faults);
  checkArtsListedOnce(faults);
  checkStatusStrengths(faults);
  checkLookedUpNames(faults);
  checkPicturesAndSounds(walk.grounds, faults);
  checkSiteScenes(walk, faults);
  checkEffectPictures(faults);
  checkSiteStarts(faults);
  checkInterfacePictures(faults);
  checkWideLiterals(dataFiles(game, extraScripts), faults);
  for (const std::string& line : fakes.fakeDebugOutput.lines) {
    faults.push_back("the game wrote: " + line);
  }
  std::cout << walk.floors.size() << " floors of " << walk.sites.size() << " sites reached\n";
  return faults;
}

}  // namespace
}  // namespace Game::Lint

int main(int argc, char** argv) {
  using namespace Game;
  using namespace Game::Lint;
  if (argc < 2) {
    std::cerr << "usage: contentcheck GAME_FOLDER\n";
    return 2;
  }
  const fs::path game(argv[1]);
  if (!fs::is_directory(game / kMapFolder)) {
    std::cerr << "contentcheck: no game data in " << argv[1] << '\n';
    return 2;
  }
  Fakes fakes;
  putSampleFiles(fakes.fakeFileSystem, game);
  std::vector<std::string> extraScripts;
  for (int i = 2; i < argc; ++i) {
    extraScripts.push_back(Platform::utf8ToSjis(fs::path(argv[i]).filename().string()));
    fakes.fakeFileSystem.put(extraScripts.back(), Platform::utf8ToSjis(fileBytes(argv[i])));
  }
  Expression::watchWideLiterals([](const char* text) { gWideLiterals.insert(text); });
  Engine::Threading::Manager::create(0);
  Engine::FileIO::ManagerOptions options;
  options.abortOnError = false;
  Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, options);
  FileLoader::create();
  Engine::Graphics::Manager::create(640, 480, false, true, false);
  Config::instance().setting(Config::kOmit).set(0);
  Engine::Sound::Manager::create();
  Constance::create();
  Database::createAndLoad();
  ScriptStuff::SceneCommandMaker::install(&ScriptStuff::SceneCommandFactory::instance());
  const Faults faults = checkGameFolder(game, extraScripts, fakes);
  ScriptStuff::SceneCommandMaker::install(nullptr);
  Expression::watchWideLiterals(nullptr);
  Database::destroy();
  Constance::destroy();
  Engine::Sound::Manager::destroy();
  Engine::Graphics::Manager::destroy();
  FileLoader::destroy();
  Engine::FileIO::ManagerImpl::destroy();
  Engine::Threading::Manager::destroy();
  for (const std::string& fault : faults) {
    std::cerr << Platform::sjisToUtf8(fault) << '\n';
  }
  if (!faults.empty()) {
    std::cerr << faults.size() << " fault(s) in the sample data\n";
    return 1;
  }
  std::cout << "every name the data and the code give is found\n";
  return 0;
}
