#include "records/Database.h"

#include <iterator>
#include <vector>

#include "core/variable/VariableTable.h"
#include "core/string/String.h"
#include "core/string/StringRef.h"
#include "core/file/nml/NmlDocument.h"
#include "core/file/DataError.h"
#include "core/file/FileReader.h"

namespace Game {

using Engine::i32;

namespace {

Database* gInstance = nullptr;

constexpr const char* kBattleFiles[Database::kBattleFileCount] = {
    "src/data/state.txt", "src/data/ability.txt", "src/data/tool.txt",    "src/data/shell.txt",
    "src/data/enemy.txt", "src/data/race.txt",    "src/data/synchro.txt", "src/data/skilltree.txt",
};

template <class Record>
const Record* findByFullName(const std::deque<Record>& records, const char* name) {
  for (const Record& record : records) {
    if (StringRef(record.fullName()) == name) {
      return &record;
    }
  }
  return nullptr;
}

template <class Record>
const Record* recordAt(const std::deque<Record>& records, i32 i) {
  return i >= 0 && static_cast<std::size_t>(i) < records.size() ? &records[static_cast<std::size_t>(i)] : nullptr;
}

// The name a data error gives the record: its "name" (the last item, as
// arts write a second name first), or that of its "base"; "" without one
// (the record's line still tells it).
const char* recordName(const NmlNode& node) {
  const NmlNode* named = &node;
  if (!node.findAttribute("name") && node.countChildren("base") > 0) {
    named = node.findChild("base");
  }
  const NmlAttribute* name = named->findAttribute("name");
  return name && name->itemCount() > 0 ? name->item(name->itemCount() - 1) : "";
}

// Reads every child of that name into a new record of the table, naming
// each record and its line for data errors.
template <class Table, class Read>
void readRecords(const NmlNode& root, const char* childName, DataError::Scope& scope, Table& table, Read read) {
  const i32 n = root.countChildren(childName);
  for (i32 i = 0; i < n; ++i) {
    const NmlNode& node = *root.findChild(childName, i);
    scope.setRecord(childName, recordName(node), node.line());
    read(table.emplace_back(), node);
  }
  scope.setRecord(nullptr, nullptr);
}

// The dump's lines, collected as a list menu would take them.
struct LineCollector {
  std::vector<String>& lines;
  void addText(const char* text, Engine::u32, bool) { lines.emplace_back(text); }
};

// The "func" lines of the variable declarations become the named functions,
// which also list themselves in the variable dump.
void plugFunctionsIntoVariables(FunctionTable& functions) {
  VariableTable::setFunctionHooks({
      [&functions](const char* name, const char* expression) { functions.declare(name, expression); },
      [&functions](std::vector<String>& lines) {
        LineCollector collector{lines};
        functions.dump(collector);
      },
  });
}

}  // namespace

const char* Database::battleFilePath(i32 file) {
  return file >= 0 && file < kBattleFileCount ? kBattleFiles[file] : "";
}

void Database::create() {
  if (!gInstance) {
    gInstance = new Database();
    setInstance(gInstance);
    plugFunctionsIntoVariables(gInstance->mFunctions);
  }
}

void Database::createAndLoad() {
  create();
  gInstance->load();
  gInstance->loadMaps();
  gInstance->checkToolScripts();
}

void Database::checkToolScripts() const {
  DataError::Scope scope(kBattleFiles[kTools]);
  String path;
  for (const ToolData& tool : mTools) {
    if (tool.script()[0] == '\0') {
      continue;
    }
    tool.scriptPath(path);
    FileReader reader;
    reader.open(path.c_str(), true, false, false);
    if (reader.size() == 0) {
      scope.setRecord("tool", tool.name());
      String problem("use script \"");
      problem.append(path.c_str());
      problem.append("\" is missing or empty");
      DataError::badRecord(__FILE__, __LINE__, problem.c_str());
    }
  }
}

void Database::destroy() {
  if (gInstance) {
    VariableTable::setFunctionHooks({});
  }
  setInstance(nullptr);
  delete gInstance;
  gInstance = nullptr;
}

Database* Database::instance() { return gInstance; }

Database::Database() = default;

void Database::loadMaps() {
  mMaps.loadPictures();
  mMaps.loadSites();
  mMaps.loadLinks();
}

const MapSiteData* Database::addSite(const char* name, const char* print, i32 floorNumber) {
  return mMaps.sites.add(MapSiteData(name, print, floorNumber));
}

void Database::load() {
  std::array<NmlDocument, kBattleFileCount> documents;
  std::array<const NmlNode*, kBattleFileCount> roots{};
  for (i32 i = 0; i < kBattleFileCount; ++i) {
    documents[static_cast<std::size_t>(i)].load(kBattleFiles[i]);
    roots[static_cast<std::size_t>(i)] = &documents[static_cast<std::size_t>(i)];
    requireRecord(i, documents[static_cast<std::size_t>(i)]);
  }
  load(roots);
}

// The game cannot do without a state, an art, an item, a character, an
// enemy and a race: an empty table would stop the first file naming one.
void Database::requireRecord(i32 file, const NmlNode& root) {
  constexpr const char* kRecords[] = {"state", "ability", "tool", "shell", "enemy", "race"};
  if (file >= static_cast<i32>(std::size(kRecords)) || root.countChildren(kRecords[file]) > 0) {
    return;
  }
  DataError::Scope scope(kBattleFiles[file]);
  String problem("no \"");
  problem.append(kRecords[file]);
  problem.append("\" record: the game needs one at least");
  DataError::badRecord(__FILE__, __LINE__, problem.c_str());
}

void Database::load(const std::array<const NmlNode*, kBattleFileCount>& roots) {
  // Each table names those read before it: states, then arts, then the
  // tools, shells and enemies that grant them.
  const auto root = [&roots](i32 file) -> const NmlNode& { return *roots[static_cast<std::size_t>(file)]; };
  mStates.clear();
  {
    DataError::Scope scope(kBattleFiles[kStates]);
    mStates.read(root(kStates));
  }
  readAbilities(root(kAbilities));
  readTools(root(kTools));
  readShells(root(kShells));
  readEnemies(root(kEnemies));
  readRaces(root(kRaces));
  readSynchros(root(kSynchros));
  DataError::Scope scope(kBattleFiles[kSkillTree]);
  mSkillTree.clear();
  readRecords(root(kSkillTree), "item", scope, mSkillTree,
              [](SkillTreeItem& item, const NmlNode& node) { item.read(node); });
}

void Database::readAbilities(const NmlNode& root) {
  DataError::Scope scope(kBattleFiles[kAbilities]);
  mAbilities.clear();
  readRecords(root, "ability", scope, mAbilities,
              [this](AbilityData& art, const NmlNode& node) { art.read(node, mStates); });
}

void Database::readTools(const NmlNode& root) {
  DataError::Scope scope(kBattleFiles[kTools]);
  mTools.clear();
  readRecords(root, "tool", scope, mTools, [this](ToolData& tool, const NmlNode& node) {
    tool.read(node, mStates);
    tool.readArts(node);
  });
}

void Database::readShells(const NmlNode& root) {
  DataError::Scope scope(kBattleFiles[kShells]);
  mShells.clear();
  readRecords(root, "shell", scope, mShells,
              [this](ShellData& shell, const NmlNode& node) { shell.read(node, mStates); });
}

void Database::readEnemies(const NmlNode& root) {
  DataError::Scope scope(kBattleFiles[kEnemies]);
  mEnemies.clear();
  std::vector<i32> lines;
  readRecords(root, "enemy", scope, mEnemies, [this, &lines](EnemyData& enemy, const NmlNode& node) {
    enemy.read(node, mStates);
    lines.push_back(node.line());
  });
  // Metamorphoses name enemies of the whole file: linked once all are read.
  for (std::size_t i = 0; i < mEnemies.size(); ++i) {
    scope.setRecord("enemy", mEnemies[i].name(), lines[i]);
    mEnemies[i].linkMetamorphoses();
  }
}

void Database::readRaces(const NmlNode& root) {
  DataError::Scope scope(kBattleFiles[kRaces]);
  mRaces.clear();
  readRecords(root, "race", scope, mRaces, [](RaceData& race, const NmlNode& node) { race.read(node); });
  const NmlAttribute* ring = root.findAttribute("ring");
  const i32 n = ring ? ring->itemCount() : 0;
  scope.setRecord("ring", "");
  for (i32 i = 0; i < n; ++i) {
    RaceData& race = const_cast<RaceData&>(findRace(ring->item(i)));
    std::vector<const RaceData*> spawn;
    for (i32 k = 0; k < 3; ++k) {
      spawn.push_back(&findRace(ring->item((i + k) % n)));
    }
    race.setSpawnRaces(std::move(spawn));
  }
}

void Database::readSynchros(const NmlNode& root) {
  DataError::Scope scope(kBattleFiles[kSynchros]);
  mSynchros.clear();
  readRecords(root, "synchro", scope, mSynchros,
              [this](SynchroData& synchro, const NmlNode& node) { synchro.read(node, mStates); });
}

i32 Database::stateIndexOf(const StateData* state) const {
  const i32 index = mStates.indexOf(state);
  if (index < 0) {
    DataError::unknownName(__FILE__, __LINE__, "state", state ? state->name() : "");
  }
  return index;
}

const AbilityData& Database::findAbility(const char* name) const {
  const AbilityData* art = findAbilityOrNull(name);
  if (!art) {
    DataError::unknownName(__FILE__, __LINE__, "art", name);
  }
  return *art;
}

const AbilityData* Database::findAbilityOrNull(const char* name) const {
  return name ? findByFullName(mAbilities, name) : nullptr;
}

const ToolData* Database::findTool(const char* name) const { return name ? findByFullName(mTools, name) : nullptr; }

const ToolData* Database::toolAt(i32 i) const { return recordAt(mTools, i); }

i32 Database::toolIndexOf(const ToolData* tool) const {
  for (std::size_t i = 0; tool && i < mTools.size(); ++i) {
    if (&mTools[i] == tool) {
      return static_cast<i32>(i);
    }
  }
  return -1;
}

const ToolData* Database::addTool(const char* name, const char* fullName) {
  mTools.emplace_back(name, fullName);
  return &mTools.back();
}

const ToolData* Database::addTool(const ToolData& tool) {
  mTools.push_back(tool);
  return &mTools.back();
}

const ShellData* Database::findShell(const char* name) const {
  const ShellData* shell = findShellExactly(name);
  return shell ? shell : recordAt(mShells, 0);
}

const ShellData* Database::shellAt(i32 i) const { return recordAt(mShells, i); }

// A shell is also found by its name: the lead's key "Kessa" stays good (in
// the data, the code and older saves) beside her full name.
const ShellData* Database::findShellExactly(const char* name) const {
  if (!name) {
    return nullptr;
  }
  if (const ShellData* shell = findByFullName(mShells, name)) {
    return shell;
  }
  for (const ShellData& shell : mShells) {
    if (StringRef(shell.name()) == name) {
      return &shell;
    }
  }
  return nullptr;
}

const EnemyData* Database::findEnemy(const char* name) const {
  return name ? findByFullName(mEnemies, name) : nullptr;
}

const RaceData& Database::findRace(const char* name) const {
  if (const RaceData* race = findRaceOrNull(name)) {
    return *race;
  }
  DataError::unknownName(__FILE__, __LINE__, "race", name);
}

const RaceData* Database::findRaceOrNull(const char* name) const {
  for (const RaceData& race : mRaces) {
    if (name && StringRef(race.name()) == name) {
      return &race;
    }
  }
  return nullptr;
}

}  // namespace Game
