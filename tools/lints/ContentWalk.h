#pragma once

// Walks the sample content from the opening: the floors the links, jumps,
// generated floors and scripts lead to, checking every name a script or a
// floor gives on the way. Faults name the file and the line.

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Platform/TextCodec.h"
#include "field/Door.h"
#include "field/FieldScene.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlDocument.h"
#include "map/Map.h"
#include "map/MapGenerator.h"
#include "map/MapGeneratorConfig.h"
#include "core/random/RandomGenerator.h"
#include "records/Database.h"
#include "records/database/ToolData.h"
#include "records/expression/Expression.h"

namespace Game::Lint {

constexpr const char* kMapFolder = "src/data/map/";
constexpr const char* kStartSite = "オープニング";
// Scripts the code runs by itself: the continue scene's, the shop's, the
// battles' and the field's common one.
constexpr const char* kCodeScripts[] = {"src/data/script/continue.txt", "src/data/script/shop.txt",
                                        "src/data/script/battle.txt", "src/data/map/common.txt"};

using Floor = std::pair<const MapSiteData*, std::string>;

class ContentWalk {
 public:
  // Each script met is handed to readScript with its file; files are
  // looked for in the game's folder.
  ContentWalk(Database& database, std::filesystem::path gameFolder,
              std::function<void(const NmlNode&, const std::string&)> readScript)
      : mDatabase(database), mGameFolder(std::move(gameFolder)), mReadScript(std::move(readScript)) {
    mSites.load("src/data/map/list.txt");
    mTunes.load("bgm/bgm.txt");
  }

  void run() {
    enterSite(mDatabase.findSite(kStartSite), "the opening");
    for (const char* path : kCodeScripts) {
      visitFile(path, nullptr);
    }
    // The scripts items run when used.
    for (int i = 0; i < mDatabase.toolCount(); ++i) {
      if (*mDatabase.toolAt(i)->script()) {
        String path;
        mDatabase.toolAt(i)->scriptPath(path);
        visitFile(path.c_str(), nullptr);
      }
    }
    while (!mQueue.empty()) {
      const Floor floor = mQueue.front();
      mQueue.pop_front();
      visitFloor(floor);
    }
    checkEvents();
  }

  // Where a floor's cells end, in world units.
  struct Edges {
    float left = 0.f;
    float right = 0.f;
    float bottom = 0.f;
    float top = 0.f;
  };

  std::vector<std::string> faults;
  std::set<Floor> floors;
  std::set<const MapSiteData*> sites;
  std::set<std::string> metEnemies;
  std::map<Floor, Edges> edges;
  // The scenes battles stand on.
  std::set<std::string> grounds;

 private:
  using Check = void (ContentWalk::*)(const NmlNode& node, const Floor* at);
  struct Rule {
    const char* command;
    Check check;
  };

  bool exists(const std::string& path) const {
    return std::filesystem::is_regular_file(mGameFolder / Platform::sjisToUtf8(path));
  }

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
    const MapSiteData* outer = mSite;
    mSite = site;
    for (int i = 0; i < mSites.childCount(); ++i) {
      if (std::string(text(*mSites.child(i), "name")) == site->name()) {
        mFile = "src/data/map/list.txt";
        checkTune(*mSites.child(i), "BGM");
        walk(*mSites.child(i), nullptr);
      }
    }
    mSite = outer;
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
    if (!exists(floorPath(floor))) {
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
        Expression().parse(container.expression.c_str());  // read as the field reads it
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
      layOut(random, floor);
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
      const FloorSpecGrid specs = map.loadFmf(tiles.c_str());
      for (const FloorCellSpec& cell : specs.cells) {
        events.insert(cell.eventId);
      }
      map.build(specs);
      checkRamps(map, specs, tiles + ".grid");
      edges[floor] = edgesOf(map);
    }
  }

  static Edges edgesOf(const Map& map) {
    if (map.width() == 0 || map.height() == 0) return {};
    const auto low = map.cellAt(0, 0)->cornerPosition(3);
    const auto high = map.cellAt(map.width() - 1, map.height() - 1)->cornerPosition(1);
    return {low.x, high.x, low.y, high.y};
  }

  // A ramp meets the open cells at both its ends edge to edge: a step there
  // shows as a band of wall between them (a flat cell's slope is ".").
  void checkRamps(const Map& map, const FloorSpecGrid& specs, const std::string& grid) {
    static constexpr int kStep[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
    for (int x = 0; x < specs.width; ++x) {
      for (int y = 0; y < specs.height; ++y) {
        const int slope = specs.at(x, y).slope;
        if (slope >= FloorCellSpec::kFlat) continue;
        for (const int end : {slope % 4, (slope + 2) % 4}) {
          const Map::Cell* next = map.cellAt(x + kStep[end][0], y + kStep[end][1]);
          if (next && next->isPassable() &&
              !(meets(*map.cellAt(x, y), end, *next) && meets(*map.cellAt(x, y), end + 1, *next))) {
            faults.push_back(grid + ": the ramp in column " + std::to_string(x) + ", row " +
                             std::to_string(specs.height - 1 - y) + " meets the cell beyond it with a step");
          }
        }
      }
    }
  }
  // The cell's corner stands where the other cell's corner at its place does.
  static bool meets(const Map::Cell& cell, int corner, const Map::Cell& other) {
    const auto at = cell.cornerPosition(corner);
    for (int k = 0; k < 4; ++k) {
      const auto there = other.cornerPosition(k);
      if (there.x == at.x && there.y == at.y) return there.z == at.z;
    }
    return false;
  }

  // A generated floor lays out for any seed, its stairs on a cell; its
  // size is the same for all.
  void layOut(const NmlNode& random, const Floor& floor) {
    const std::string path = floorPath(floor);
    for (int seed = 1; seed <= 50; ++seed) {
      RandomGenerator draws(seed);
      const MapGenerator generated(
          MapGeneratorConfig::read(random, mDatabase.maps().mapPictures, &mDatabase, path.c_str()), draws);
      int x = 0;
      int y = 0;
      if (!generated.findEvent(generated.config().stairsEvent, &x, &y)) {
        faults.push_back(path + ": no stairs laid with seed " + std::to_string(seed));
      }
      if (seed == 1) {
        Map map(mDatabase.maps().mapPictures);
        map.buildFromGenerator(generated);
        edges[floor] = edgesOf(map);
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
        {"changeMap", &ContentWalk::changeMap},     {"changeScene", &ContentWalk::sceneByName},
        {"openScene", &ContentWalk::siteByName},    {"run", &ContentWalk::runScript},
        {"specialFloor", &ContentWalk::changeMap},  {"createEnemy", &ContentWalk::enemyByName},
        {"group", &ContentWalk::group},             {"enemy", &ContentWalk::races},
        {"getTool", &ContentWalk::tools},           {"shop", &ContentWalk::shopTools},
        {"treasure", &ContentWalk::shopTools},      {"addGhost", &ContentWalk::shell},
        {"createGhost", &ContentWalk::shell},       {"createSymbol", &ContentWalk::symbol},
        {"changeBGM", &ContentWalk::tune},          {"createDoor", &ContentWalk::door},
        {"createContainer", &ContentWalk::placed},  {"battle", &ContentWalk::ground},
        {"encounter", &ContentWalk::ground},
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
  // Without a name, changeScene leads to the continue scene.
  void sceneByName(const NmlNode& node, const Floor* at) {
    if (node.findAttribute("name")) {
      siteByName(node, at);
    }
  }
  void siteByName(const NmlNode& node, const Floor*) {
    const std::string where = mFile + " line " + std::to_string(node.line());
    enterSite(mDatabase.findSite(text(node, "name")), where + ": \"" + text(node, "name") + "\"");
  }
  void runScript(const NmlNode& node, const Floor* at) {
    const char* path = text(node, "path");
    if (!exists(path)) {
      fault(node, std::string("no script ") + path);
    } else {
      visitFile(path, at);
    }
  }
  void tune(const NmlNode& node, const Floor*) { checkTune(node, "name"); }
  // A battle stands on the scene it names, else on its site's; without a
  // scene file it is fought over nothing. An encounter table without groups
  // starts none.
  void ground(const NmlNode& node, const Floor* at) {
    const MapSiteData* site = at ? at->first : mSite;
    const char* scene = text(node, "scene", site ? site->scene() : "");
    if (std::string(node.name()) == "encounter" && (node.findAttribute("none") || node.countChildren("group") == 0)) {
      return;
    }
    if (!exists(std::string(FieldScene::kSceneFolder) + scene + ".txt")) {
      fault(node, std::string("a battle on no scene \"") + scene + "\"");
    } else {
      grounds.insert(scene);
    }
  }
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
  std::filesystem::path mGameFolder;
  NmlDocument mTunes;
  std::map<Floor, std::set<int>> mEvents;
  std::vector<WantedEvent> mWanted;
  std::function<void(const NmlNode&, const std::string&)> mReadScript;
  NmlDocument mSites;
  std::deque<Floor> mQueue;
  std::string mFile;
  // The site whose entry in the site list is walked.
  const MapSiteData* mSite = nullptr;
};

}  // namespace Game::Lint
