#pragma once

#include <deque>

#include "Engine/Base/Types.h"
#include "resource/database/MapTables.h"
#include "resource/database/StateTable.h"
#include "resource/database/ToolData.h"
#include "script/expression/FunctionTable.h"

namespace Game {

// Stand-in of the resource databases: the sample items in place of those read
// from the data files, the state table (empty until its file is read), the
// map and picture tables read from theirs, and the named functions of the
// variable declarations; counts the releases of loaded pictures that the game
// scene asks for.
class Database {
 public:
  static void create();
  static void destroy();
  // Null outside create and destroy.
  static Database* instance();

  // Records are found by their key name; null when there is none.
  const MapSiteData* findSite(const char* name) const { return mMaps.sites.find(name); }
  Engine::i32 siteCount() const { return mMaps.sites.count(); }
  // Record i in file order; null outside [0, siteCount).
  const MapSiteData* siteAt(Engine::i32 i) const { return mMaps.sites.at(i); }
  // The floors of every site together.
  Engine::i32 totalFloorCount() const { return mMaps.sites.totalFloorNumber(); }
  UnitPictureData* findUnitPicture(const char* name) { return mMaps.units.find(name); }
  // A new name reads its chara file once; null when there is none.
  SymbolCharaData* symbolChara(const char* name) { return mMaps.symbols.chara(name); }
  MapTables& maps() { return mMaps; }
  const MapTables& maps() const { return mMaps; }

  // Tools are found by their full name.
  const ToolData* findTool(const char* name) const;
  Engine::i32 toolCount() const { return static_cast<Engine::i32>(mTools.size()); }
  // Item i (its item id); null outside [0, toolCount).
  const ToolData* toolAt(Engine::i32 i) const;

  // Records added after the sample ones (tests).
  const MapSiteData* addSite(const char* name, const char* print, Engine::i32 floorNumber);
  const ToolData* addTool(const char* name, const char* fullName);
  const ToolData* addTool(const ToolData& tool);

  StateTable& states() { return mStates; }
  const StateTable& states() const { return mStates; }

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

  // Deques: records keep their addresses as more are added.
  std::deque<ToolData> mTools;
  MapTables mMaps;
  StateTable mStates;
  Engine::i32 mBattlePictureReleases = 0;
  Engine::i32 mSymbolCharacterReleases = 0;
  Engine::i32 mMapPictureReleases = 0;
  FunctionTable mFunctions;
};

}  // namespace Game
