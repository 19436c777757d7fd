#pragma once

#include <array>
#include <deque>
#include <vector>

#include "Engine/Base/Types.h"
#include "records/table/AbilityData.h"
#include "records/database/EnemyData.h"
#include "records/database/MapTables.h"
#include "records/database/RaceData.h"
#include "records/database/ShellData.h"
#include "records/database/SkillTreeItem.h"
#include "records/table/RecordTables.h"
#include "records/table/StateTable.h"
#include "records/database/SynchroData.h"
#include "records/database/ToolData.h"
#include "records/expression/FunctionTable.h"

namespace Game {

class NmlNode;

// The resource databases: the battle tables read from their data files
// (states, arts, tools, shells, enemies, races, synchro groups, the skill
// tree), the map sites with their links and containers and the picture lists,
// and the named functions of the variable declarations; counts the releases
// of loaded pictures that the game scene asks for.
class Database final : public RecordTables {
 public:
  // The battle tables' files in load order.
  enum BattleFile : Engine::i32 { kStates, kAbilities, kTools, kShells, kEnemies, kRaces, kSynchros, kSkillTree };
  static constexpr Engine::i32 kBattleFileCount = 8;
  static const char* battleFilePath(Engine::i32 file);

  // Empty tables; load fills them.
  static void create();
  // create, then load: the application root's step.
  // The start's load: every table, then the tool scripts checked.
  static void createAndLoad();
  // A tool whose use script is missing (or empty) stops the program naming
  // the tool and the file.
  void checkToolScripts() const;
  static void destroy();
  // Null outside create and destroy.
  static Database* instance();

  // Reads the eight battle files through the file reader. A record that
  // names a state, art, tool, shell or enemy the tables lack stops the
  // program naming the file, the record and the name; so does a file of
  // states, arts, tools, shells, enemies or races without a record.
  void load();
  // The same from parsed documents, in BattleFile order (tests, fuzzing).
  void load(const std::array<const NmlNode*, kBattleFileCount>& roots);

  // States, by name or index. A missing name is a data error.
  StateTable& states() { return mStates; }
  const StateTable& states() const override { return mStates; }
  const StateData& findState(const char* name) const { return *mStates.at(mStates.indexOf(name)); }
  Engine::i32 stateIndex(const char* name) const { return mStates.indexOf(name); }
  const StateData* stateAt(Engine::i32 i) const { return mStates.at(i); }
  Engine::i32 stateIndexOf(const StateData* state) const;

  // Arts by full name; a missing one is a data error.
  const AbilityData& findAbility(const char* name) const override;
  const AbilityData* findAbilityOrNull(const char* name) const;
  Engine::i32 abilityCount() const { return static_cast<Engine::i32>(mAbilities.size()); }

  // Tools by full name; null when there is none.
  const ToolData* findTool(const char* name) const;
  Engine::i32 toolCount() const { return static_cast<Engine::i32>(mTools.size()); }
  // Item i (its item id); null outside [0, toolCount).
  const ToolData* toolAt(Engine::i32 i) const;
  // The item id of a record of the tool table; -1 for any other.
  Engine::i32 toolIndexOf(const ToolData* tool) const;
  // Records added after those read (tests).
  const ToolData* addTool(const char* name, const char* fullName);
  const ToolData* addTool(const ToolData& tool);

  // Shells by full name; the first shell for a name there is none of (null
  // only without shells).
  const ShellData* findShell(const char* name) const;
  // Null when there is no shell of that full name.
  const ShellData* findShellExactly(const char* name) const;
  Engine::i32 shellCount() const { return static_cast<Engine::i32>(mShells.size()); }
  // Shell i in file order; null outside [0, shellCount).
  const ShellData* shellAt(Engine::i32 i) const;

  // Enemies by full name; null when there is none.
  const EnemyData* findEnemy(const char* name) const;
  Engine::i32 enemyCount() const { return static_cast<Engine::i32>(mEnemies.size()); }

  // Races by name; a missing one is a data error.
  const RaceData& findRace(const char* name) const;
  // Null when there is none (names from outside: saves).
  const RaceData* findRaceOrNull(const char* name) const;
  Engine::i32 raceCount() const { return static_cast<Engine::i32>(mRaces.size()); }

  const std::deque<SynchroData>& synchros() const { return mSynchros; }
  const SkillTree& skillTree() const { return mSkillTree; }

  // Reads the map sites, their links and containers, and the picture lists.
  void loadMaps();

  // Map sites are found by their key name; null when there is none.
  const MapSiteData* findSite(const char* name) const { return mMaps.sites.find(name); }
  Engine::i32 siteCount() const { return mMaps.sites.count(); }
  // Record i in file order; null outside [0, siteCount).
  const MapSiteData* siteAt(Engine::i32 i) const { return mMaps.sites.at(i); }
  // The floors of every site together.
  Engine::i32 totalFloorCount() const { return mMaps.sites.totalFloorNumber(); }
  // Records added after those read (tests).
  const MapSiteData* addSite(const char* name, const char* print, Engine::i32 floorNumber);
  UnitPictureData* findUnitPicture(const char* name) { return mMaps.units.find(name); }
  // A new name reads its chara file once; null when there is none.
  SymbolCharaData* symbolChara(const char* name) { return mMaps.symbols.chara(name); }
  MapTables& maps() { return mMaps; }
  const MapTables& maps() const { return mMaps; }

  void releaseBattlePictures() {
    ++mBattlePictureReleases;
    mMaps.releaseBattlePictures();
  }
  void releaseSymbolCharacters() {
    ++mSymbolCharacterReleases;
    mMaps.releaseSymbolCharas();
  }
  void releaseMapPictures() {
    ++mMapPictureReleases;
    mMaps.releaseMapPictures();
  }

  Engine::i32 battlePictureReleases() const { return mBattlePictureReleases; }
  Engine::i32 symbolCharacterReleases() const { return mSymbolCharacterReleases; }
  Engine::i32 mapPictureReleases() const { return mMapPictureReleases; }

  // The named functions of the variable declarations.
  FunctionTable& functions() { return mFunctions; }
  const FunctionTable& functions() const { return mFunctions; }

 private:
  Database();

  void readAbilities(const NmlNode& root);
  void readTools(const NmlNode& root);
  void readShells(const NmlNode& root);
  static void requireRecord(Engine::i32 file, const NmlNode& root);
  void readEnemies(const NmlNode& root);
  void readRaces(const NmlNode& root);
  void readSynchros(const NmlNode& root);

  // Deques: records keep their addresses as more are added.
  StateTable mStates;
  std::deque<AbilityData> mAbilities;
  std::deque<ToolData> mTools;
  std::deque<ShellData> mShells;
  std::deque<EnemyData> mEnemies;
  std::deque<RaceData> mRaces;
  std::deque<SynchroData> mSynchros;
  SkillTree mSkillTree;
  MapTables mMaps;
  FunctionTable mFunctions;
  Engine::i32 mBattlePictureReleases = 0;
  Engine::i32 mSymbolCharacterReleases = 0;
  Engine::i32 mMapPictureReleases = 0;
};

}  // namespace Game
