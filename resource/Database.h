#pragma once

#include "Engine/Base/Types.h"
#include "script/expression/FunctionTable.h"

namespace Game {

class MapSiteData;

// Stand-in of the resource databases: no records yet but the named functions;
// counts the releases of loaded pictures that the game scene asks for.
class Database {
 public:
  static void create();
  static void destroy();
  // Null outside create and destroy.
  static Database* instance();

  // Null: there are no map sites yet.
  const MapSiteData* findSite(const char* name) const;

  void releaseBattlePictures() { ++mBattlePictureReleases; }
  void releaseSymbolCharacters() { ++mSymbolCharacterReleases; }
  void releaseMapPictures() { ++mMapPictureReleases; }

  Engine::i32 battlePictureReleases() const { return mBattlePictureReleases; }
  Engine::i32 symbolCharacterReleases() const { return mSymbolCharacterReleases; }
  Engine::i32 mapPictureReleases() const { return mMapPictureReleases; }

  // The named functions of the variable declarations.
  FunctionTable& functions() { return mFunctions; }
  const FunctionTable& functions() const { return mFunctions; }

 private:
  Database() = default;

  Engine::i32 mBattlePictureReleases = 0;
  Engine::i32 mSymbolCharacterReleases = 0;
  Engine::i32 mMapPictureReleases = 0;
  FunctionTable mFunctions;
};

}  // namespace Game
