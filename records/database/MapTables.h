#pragma once

#include "records/database/BattlePictures.h"
#include "records/database/MapLinkData.h"
#include "records/database/MapPictureSet.h"
#include "records/database/MapSiteData.h"
#include "records/database/PictureList.h"
#include "records/database/SymbolCharaData.h"
#include "records/database/UnitPictureData.h"

namespace Game {

// The map and picture tables of the databases: the sites with their links and
// containers, and the lists of map, symbol, unit, scene and battle pictures.
// Lists are read whole; the picture files they name on first use.
class MapTables {
 public:
  // The picture lists: units, symbols, map objects, walls and chips.
  void loadPictures();
  // A scene a site names must exist.
  void loadSites();
  // After the sites, which links and containers name.
  void loadLinks() { links.load(sites); }

  // The scene picture set "src/picture/scene/<name>.txt"; null for "".
  PictureList* scenePicture(const char* name);

  // Lets every loaded picture go.
  void releaseBattlePictures() { battle.release(); }
  void releaseSymbolCharas() { symbols.release(); }
  void releaseMapPictures();

  MapSiteList sites;
  MapLinkList links;
  MapPictureSet mapPictures;
  SymbolCharaList symbols;
  UnitPictureList units;
  PictureShelf scenes;
  BattlePictures battle;
};

}  // namespace Game
