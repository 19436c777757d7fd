#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Engine/Sound/Manager.h"
#include "data/Bag.h"
#include "data/widget/EquipPanel.h"
#include "data/widget/ItemMenu.h"
#include "effect/EffectFactory.h"
#include "field/Door.h"
#include "file/nml/NmlAttribute.h"
#include "file/nml/NmlDocument.h"
#include "map/Map.h"
#include "map/MapGeneratorConfig.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/resource/ResourceTestSupport.h"
#include "resource/Database.h"
#include "resource/constance/Constance.h"
#include "script/Script.h"
#include "script/scene/SceneCommandFactory.h"
#include "tests/core/game/GameFixture.h"

namespace Game {
namespace {

constexpr const char* kMapFolder = "src/data/map/";
constexpr const char* kStartSite = "オープニング";
// Scripts the code runs by itself: the continue scene's and the battles'.
constexpr const char* kCodeScripts[] = {"src/data/script/continue.txt", "src/data/script/shop.txt",
                                        "src/data/script/battle.txt"};

using Floor = std::pair<const MapSiteData*, std::string>;

// Walks the sample content from the opening: the floors the links, jumps,
// generated floors and scripts lead to, checking every name a script or a
// floor gives on the way. Faults name the file and the line.
class ContentWalk {
 public:
  // Each script met is handed to readScript with its file.
  ContentWalk(Database& database, std::function<void(const NmlNode&, const std::string&)> readScript)
      : mDatabase(database), mReadScript(std::move(readScript)) {
    mSites.load("src/data/map/list.txt");
    mTunes.load("bgm/bgm.txt");
  }

  void run() {
    enterSite(mDatabase.findSite(kStartSite), "the opening");
    for (const char* path : kCodeScripts) {
      visitFile(path, nullptr);
    }
    while (!mQueue.empty()) {
      const Floor floor = mQueue.front();
      mQueue.pop_front();
      visitFloor(floor);
    }
    checkEvents();
  }

  std::vector<std::string> faults;
  std::set<Floor> floors;
  std::set<const MapSiteData*> sites;
  std::set<std::string> metEnemies;

 private:
  using Check = void (ContentWalk::*)(const NmlNode& node, const Floor* at);
  struct Rule {
    const char* command;
    Check check;
  };

  void fault(const NmlNode& node, const std::string& what) {
    faults.push_back(mFile + " line " + std::to_string(node.line()) + ": " + what);
  }

  static const char* text(const NmlNode& node, const char* key, const char* fallback = "") {
    const NmlAttribute* line = node.findAttribute(key);
    return line && line->itemCount() > 0 ? line->item(0) : fallback;
  }
  // Every item of every line of that key.
  static void eachItem(const NmlNode& node, const char* key, const std::function<void(const char*)>& use) {
    for (int i = 0; const NmlAttribute* line = node.findAttribute(key, i); ++i) {
      for (int k = 0; k < line->itemCount(); ++k) {
        use(line->item(k));
      }
    }
  }

  void enterSite(const MapSiteData* site, const std::string& from) {
    if (!site) {
      faults.push_back(from + ": no such site");
      return;
    }
    if (!sites.insert(site).second) {
      return;
    }
    reach({site, site->startFile()});
    want({site, site->startFile()}, site->startPosition(),
         "src/data/map/list.txt: the start of " + std::string(site->name()));
    for (int i = 0; i < mSites.childCount(); ++i) {
      if (std::string(text(*mSites.child(i), "name")) == site->name()) {
        mFile = "src/data/map/list.txt";
        checkTune(*mSites.child(i), "BGM");
        walk(*mSites.child(i), nullptr);
      }
    }
  }

  void reach(const Floor& floor) {
    if (floors.insert(floor).second) {
      mQueue.push_back(floor);
    }
  }

  static std::string floorPath(const Floor& floor) {
    return std::string(kMapFolder) + floor.first->folder() + "/" + floor.second + ".txt";
  }

  void visitFloor(const Floor& floor) {
    if (GameTestSupport::sampleFile(floorPath(floor).c_str()).empty()) {
      faults.push_back(floorPath(floor) + ": no such floor of " + floor.first->name());
      return;
    }
    visitFile(floorPath(floor), &floor);
    readFloor(floor);
    if (const MapLinkEntry* entry = mDatabase.maps().links.find(floor.first, floor.second.c_str())) {
      for (const MapConnection& way : entry->connections()) {
        const Floor to{way.site ? way.site : floor.first, way.file};
        reach(to);
        want(floor, way.from, "src/data/map/link.txt: a way from " + floor.second);
        want(to, way.position, "src/data/map/link.txt: a way to " + to.second);
      }
      for (const MapContainerData& container : entry->containers()) {
        const std::string where = "src/data/map/container.txt: the container " + container.name;
        want(floor, container.position, where);
        if (!container.tool.empty() && !mDatabase.findTool(container.tool.c_str())) {
          faults.push_back(where + ": no item " + container.tool);
        }
      }
    }
  }

  // The floor's cells through the game's own readers: the generator's
  // settings or the tile map, either of which stops the program on a fault.
  void readFloor(const Floor& floor) {
    NmlDocument document;
    document.load(floorPath(floor).c_str());
    MapPictureSet& pictures = mDatabase.maps().mapPictures;
    std::set<int>& events = mEvents[floor];
    if (document.countChildren("random") > 0) {
      const NmlNode& random = *document.findChild("random");
      (void)MapGeneratorConfig::read(random, pictures, &mDatabase, floorPath(floor).c_str());
      // The generator lays every event it is given.
      for (const char* key : {"event", "startPosition"}) {
        eachItem(random, key, [&](const char* event) { events.insert(std::atoi(event)); });
      }
      const NmlAttribute* stairs = random.findAttribute("階段");
      if (stairs && stairs->itemCount() > 1) {
        events.insert(stairs->toInt(1));
      }
    } else {
      const std::string tiles = std::string(kMapFolder) + floor.first->folder() + "/" + floor.second;
      Map map(pictures);
      for (const FloorCellSpec& cell : map.loadFmf(tiles.c_str()).cells) {
        events.insert(cell.eventId);
      }
    }
  }

  void visitFile(const std::string& path, const Floor* at) {
    NmlDocument document;
    document.load(path.c_str());
    mFile = path;
    if (at && path == floorPath(*at)) {
      for (const char* script : {"start", "script"}) {
        if (document.countChildren(script) > 0) {
          mReadScript(*document.findChild(script), path);
        }
      }
    } else {
      mReadScript(document, path);
    }
    walk(document, at);
  }

  void walk(const NmlNode& node, const Floor* at) {
    static constexpr Rule kRules[] = {
        {"changeMap", &ContentWalk::changeMap},     {"changeScene", &ContentWalk::siteByName},
        {"openScene", &ContentWalk::siteByName},    {"run", &ContentWalk::runScript},
        {"specialFloor", &ContentWalk::changeMap},  {"createEnemy", &ContentWalk::enemyByName},
        {"group", &ContentWalk::group},             {"enemy", &ContentWalk::races},
        {"getTool", &ContentWalk::tools},           {"shop", &ContentWalk::shopTools},
        {"treasure", &ContentWalk::shopTools},      {"addGhost", &ContentWalk::shell},
        {"createGhost", &ContentWalk::shell},       {"createSymbol", &ContentWalk::symbol},
        {"changeBGM", &ContentWalk::tune},          {"createDoor", &ContentWalk::door},
        {"createContainer", &ContentWalk::placed},
    };
    for (int i = 0; i < node.childCount(); ++i) {
      const NmlNode& child = *node.child(i);
      // A rule may enter a site, whose list is read under its own name.
      const std::string keep = mFile;
      for (const Rule& rule : kRules) {
        if (std::string(child.name()) == rule.command) {
          (this->*rule.check)(child, at);
          mFile = keep;
        }
      }
      walk(child, at);
      mFile = keep;
    }
  }

  void changeMap(const NmlNode& node, const Floor* at) {
    const char* siteName = text(node, "site");
    const MapSiteData* site = *siteName ? mDatabase.findSite(siteName) : (at ? at->first : nullptr);
    if (!site) {
      fault(node, std::string("no site \"") + siteName + "\" to change to");
    } else {
      const Floor to{site, text(node, "file", site->startFile())};
      reach(to);
      const int event = std::atoi(text(node, node.findAttribute("position") ? "position" : "startPosition", "0"));
      if (event > 0) {
        want(to, event, mFile + " line " + std::to_string(node.line()));
      }
    }
  }
  void siteByName(const NmlNode& node, const Floor*) {
    const std::string where = mFile + " line " + std::to_string(node.line());
    enterSite(mDatabase.findSite(text(node, "name")), where + ": \"" + text(node, "name") + "\"");
  }
  void runScript(const NmlNode& node, const Floor* at) {
    const char* path = text(node, "path");
    if (GameTestSupport::sampleFile(path).empty()) {
      fault(node, std::string("no script ") + path);
    } else {
      visitFile(path, at);
    }
  }
  void tune(const NmlNode& node, const Floor*) { checkTune(node, "name"); }
  void meet(const NmlNode& node, const char* enemy) {
    if (!mDatabase.findEnemy(enemy)) {
      fault(node, std::string("no enemy ") + enemy);
    }
    metEnemies.insert(enemy);
  }
  void enemyByName(const NmlNode& node, const Floor*) { meet(node, text(node, "name")); }
  void meetRace(const NmlNode& node, const char* name) {
    const RaceData* race = mDatabase.findRaceOrNull(name);
    if (!race) {
      fault(node, std::string("no race ") + name);
      return;
    }
    // A spawn brings this race or one its ring puts beside it.
    for (const RaceData* comes : race->spawnRaces()) {
      for (const EnemyData* member : comes->members()) {
        metEnemies.insert(member->fullName());
      }
    }
    for (const EnemyData* member : race->members()) {
      metEnemies.insert(member->fullName());
    }
  }
  void group(const NmlNode& node, const Floor*) {
    eachItem(node, "race", [&](const char* race) { meetRace(node, race); });
    for (int i = 0; const NmlAttribute* line = node.findAttribute("member", i); ++i) {
      meet(node, line->item(0));
    }
  }
  void races(const NmlNode& node, const Floor*) {
    eachItem(node, "race", [&](const char* race) { meetRace(node, race); });
  }
  void tools(const NmlNode& node, const Floor*) {
    eachItem(node, "name", [&](const char* tool) { knownTool(node, tool); });
  }
  // A tool line names the tool first; a shop's may add its condition.
  void shopTools(const NmlNode& node, const Floor*) {
    for (int i = 0; const NmlAttribute* line = node.findAttribute("tool", i); ++i) {
      knownTool(node, line->itemCount() > 0 ? line->item(0) : "");
    }
  }
  void knownTool(const NmlNode& node, const char* tool) {
    if (!mDatabase.findTool(tool)) {
      fault(node, std::string("no item ") + tool);
    }
  }
  void shell(const NmlNode& node, const Floor*) {
    if (!mDatabase.findShellExactly(text(node, "name"))) {
      fault(node, std::string("no character ") + text(node, "name"));
    }
  }
  void placed(const NmlNode& node, const Floor* at) {
    if (at && node.findAttribute("position")) {
      want(*at, std::atoi(text(node, "position")), mFile + " line " + std::to_string(node.line()));
    }
  }
  void door(const NmlNode& node, const Floor* at) {
    placed(node, at);
    if (std::string(text(node, "key")) != Field::Door::kSystemKey) {
      knownTool(node, text(node, "key"));
    }
  }
  void symbol(const NmlNode& node, const Floor* at) {
    placed(node, at);
    const char* chara = text(node, "type", text(node, "name"));
    if (!mDatabase.symbolChara(chara)) {
      fault(node, std::string("no symbol picture ") + chara);
    }
  }

  // An event a record leads to on a floor, checked once every floor is read.
  struct WantedEvent {
    Floor floor;
    int event;
    std::string where;
  };
  void want(const Floor& floor, int event, const std::string& where) {
    mWanted.push_back({floor, event, where + ": event " + std::to_string(event) + " of " + floor.second});
  }
  void checkEvents() {
    for (const WantedEvent& wanted : mWanted) {
      const auto events = mEvents.find(wanted.floor);
      if (events != mEvents.end() && !events->second.count(wanted.event)) {
        faults.push_back(wanted.where + " is on no cell");
      }
    }
  }
  void checkTune(const NmlNode& node, const char* key) {
    const char* tune = text(node, key);
    if (*tune && mTunes.countChildren(tune) == 0) {
      fault(node, std::string("no tune ") + tune);
    }
  }

  Database& mDatabase;
  NmlDocument mTunes;
  std::map<Floor, std::set<int>> mEvents;
  std::vector<WantedEvent> mWanted;
  std::function<void(const NmlNode&, const std::string&)> mReadScript;
  NmlDocument mSites;
  std::deque<Floor> mQueue;
  std::string mFile;
};

// The whole sample set on the fake file system with the graphics and sound
// managers and the databases read from it: what the game holds once started.
class ContentGraphTest : public ResourceTestSupport::ResourceTest {
 protected:
  void SetUp() override {
    ResourceTest::SetUp();
    Engine::Sound::Manager::create();
    GameTestSupport::putSampleFiles(fs(), "src");
    GameTestSupport::putSampleFiles(fs(), "bgm");
    Constance::create();
    Database::createAndLoad();
    ScriptStuff::SceneCommandMaker::install(&ScriptStuff::SceneCommandFactory::instance());
  }
  void TearDown() override {
    ScriptStuff::SceneCommandMaker::install(nullptr);
    Database::destroy();
    Constance::destroy();
    Engine::Sound::Manager::destroy();
    ResourceTest::TearDown();
  }
  static Database& database() { return *Database::instance(); }

  // The names the key gives in the records of a data file.
  static std::vector<std::string> namesIn(const char* path, const char* record, const char* key) {
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
};

TEST_F(ContentGraphTest, EverySiteFloorAndEnemyIsReachedFromTheOpeningByNamesThatExist) {
  // Every script read by the game's own reader, which stops on an unknown
  // name and leaves an unknown command's entry empty (the script would end
  // there).
  GameData game;
  ContentWalk walk(database(), [&](const NmlNode& node, const std::string& file) {
    Script script;
    script.load(node, game, file.c_str());
    for (int i = 0; i < script.commandCount(); ++i) {
      EXPECT_NE(script.command(i), nullptr) << file << " line " << node.child(i)->line() << ": no command "
                                            << node.child(i)->name();
    }
  });
  walk.run();
  for (const std::string& fault : walk.faults) {
    ADD_FAILURE() << fault;
  }
  for (int i = 0; i < database().siteCount(); ++i) {
    const MapSiteData* site = database().siteAt(i);
    EXPECT_TRUE(walk.sites.count(site) || std::any_of(walk.floors.begin(), walk.floors.end(),
                                                     [&](const Floor& floor) { return floor.first == site; }))
        << "site " << site->name() << " is never reached";
    const std::filesystem::path folder = std::filesystem::path(MARROWDEEP_GAME_DIR) / kMapFolder / site->folder();
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (entry.path().extension() == ".txt") {
        EXPECT_TRUE(walk.floors.count({site, entry.path().stem().string()}))
            << "floor " << entry.path() << " is never reached";
      }
    }
  }
  for (const std::string& enemy : namesIn("src/data/enemy.txt", "enemy", "name")) {
    EXPECT_TRUE(walk.metEnemies.count(enemy)) << "enemy " << enemy << " is never met";
  }
  EXPECT_TRUE(debugLines().empty()) << debugLines().front();
}

// Every floor of a dungeon the walk reaches records the depth in its start
// script, which runs on each arrival (a generated file stands for several
// floors): the continue scene offers the floors reached and the shop stocks
// by them.
TEST_F(ContentGraphTest, EveryFloorOfADungeonRecordsItsDepth) {
  ContentWalk walk(database(), [](const NmlNode&, const std::string&) {});
  walk.run();
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
    EXPECT_TRUE(document.countChildren("start") > 0 && records(*document.findChild("start")))
        << site->folder() << "/" << file << ".txt: its start records no depth";
  }
  EXPECT_EQ(dungeonFloors, 4);  // the mine's b1, b2 (floors 2 and 3) and b4, the library's b1
}

// Every art's effect is one the factory builds, and every model an enemy,
// race, character or item names is in its picture set.
TEST_F(ContentGraphTest, EveryEffectAndModelARecordNamesExists) {
  // Passive arts and those marked "effect none" (the commands the battle
  // plays itself) show no effect.
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
    const AbilityData* record =
        database().findAbilityOrNull((fullName ? fullName : named.findAttribute("name"))->item(0));
    ASSERT_NE(record, nullptr) << "src/data/ability.txt line " << art.line();
    EXPECT_NE(Effect::findFactoryRow(record->base().animationName()), nullptr)
        << "src/data/ability.txt line " << art.line() << ": art " << record->name() << " plays no effect "
        << record->base().animationName();
  }
  for (const std::string& enemy : namesIn("src/data/enemy.txt", "enemy", "name")) {
    const EnemyData* record = database().findEnemy(enemy.c_str());
    ASSERT_NE(record, nullptr) << enemy;
    EXPECT_NE(database().findUnitPicture(record->model()), nullptr)
        << "enemy " << enemy << ": no model " << record->model();
  }
  for (const std::string& race : namesIn("src/data/race.txt", "race", "name")) {
    const RaceData* record = database().findRaceOrNull(race.c_str());
    ASSERT_NE(record, nullptr) << race;
    SymbolCharaData* chara = database().symbolChara(record->symbol());
    EXPECT_TRUE(chara && chara->picture("stand") && chara->picture("walk"))
        << "race " << race << ": no symbol standing and walking " << record->symbol();
  }
  for (int i = 0; i < database().shellCount(); ++i) {
    const ShellData& shell = *database().shellAt(i);
    EXPECT_NE(database().findUnitPicture(shell.model()), nullptr)
        << "character " << shell.name() << ": no model " << shell.model();
  }
  ResourceSet icons;
  icons.load("src/picture/gui/アイコン.txt");
  for (int i = 0; i < database().toolCount(); ++i) {
    const ToolData& tool = *database().toolAt(i);
    if (!*tool.icon()) {
      continue;
    }
    EXPECT_NE(icons.findModel(tool.icon()), nullptr) << "item " << tool.name() << ": no icon " << tool.icon();
  }
  EXPECT_TRUE(debugLines().empty()) << debugLines().front();
}

// Every character's starting gear is among the candidates the equip screen
// lists for its slot's categories.
TEST_F(ContentGraphTest, EveryStartingGearIsACandidateOfItsSlot) {
  for (int i = 0; i < database().shellCount(); ++i) {
    for (const ShellData::Gear& gear : database().shellAt(i)->gear()) {
      Bag bag;
      bag.add(Article::fromItem(gear.tool), 1);
      ItemMenu candidates;
      candidates.build(bag, ItemMenu::kEquip, nullptr, EquipPanel::categoryMask(gear.slot));
      EXPECT_NE(candidates.list().findById(0), nullptr)
          << "character " << database().shellAt(i)->name() << ": " << gear.tool->name() << " in slot " << gear.slot;
    }
  }
}

// A status strength is read in hundredths and cut: one below 100 would drop
// the art's status part without a word.
TEST_F(ContentGraphTest, EveryArtsStatusStrengthCounts) {
  NmlDocument arts;
  arts.load("src/data/ability.txt");
  const std::function<void(const NmlNode&)> visit = [&](const NmlNode& node) {
    const NmlAttribute* status = std::string(node.name()) == "power" ? node.findAttribute("status") : nullptr;
    EXPECT_TRUE(!status || (status->itemCount() == 2 && status->toFloat(1) >= 100))
        << "src/data/ability.txt line " << node.line() << ": a status strength below 100";
    for (int i = 0; i < node.childCount(); ++i) visit(*node.child(i));
  };
  visit(arts);
}

}  // namespace
}  // namespace Game
