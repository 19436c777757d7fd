#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "core/file/nml/NmlDocument.h"
#include "presentation/model/Model.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/resource/ResourceTestSupport.h"
#include "records/database/BattlePictures.h"
#include "records/database/MapPictureSet.h"
#include "records/database/MapTables.h"
#include "records/table/StateData.h"
#include "records/database/SymbolCharaData.h"
#include "records/database/UnitPictureData.h"

namespace Game {
namespace {

class PictureListsTest : public ResourceTestSupport::ResourceTest {
 protected:
  void put(const std::string& path, const std::string& text) { fs().put(path, text); }
  int reads(const std::string& path) {
    const auto opened = fs().openedForReading();
    return static_cast<int>(std::count(opened.begin(), opened.end(), path));
  }
  static NmlDocument& parsed(NmlDocument& document, const char* text) {
    document.loadFromText("list.txt", text);
    return document;
  }
};

TEST_F(PictureListsTest, ACharaFileIsReadOnceHoweverOftenItIsAskedFor) {
  put("src/picture/symbol/chara/slime.txt", "file blob;float true;");
  put("src/picture/symbol/blob.txt", "model{name stand;}");
  SymbolCharaList charas;
  SymbolCharaData* first = charas.chara("slime");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(charas.chara("slime"), first);
  EXPECT_EQ(std::vector<int>({charas.charaFileReads(), reads("src/picture/symbol/chara/slime.txt"), first->floats(),
                              first->reacts()}),
            std::vector<int>({1, 1, 1, 0}));
  // Without "collision" the symbol takes only its own cell.
  EXPECT_EQ(first->collision(), (std::vector<MapReading::CellOffset>{{0, 0}}));
  // The pictures wait for their first model request.
  EXPECT_EQ(first->picture(""), nullptr);
  EXPECT_FALSE(first->isPictureLoaded());
  EXPECT_STREQ(first->picture("stand")->name(), "stand");
  EXPECT_EQ(first->picture("walk"), nullptr);
  EXPECT_EQ(reads("src/picture/symbol/blob.txt"), 1);
}

// A chara with no file of its own is none, every time, with no read.
TEST_F(PictureListsTest, UnknownCharasAreNone) {
  SymbolCharaList charas;
  for (const char* name : {"ghost", "ghost", "", static_cast<const char*>(nullptr)}) {
    EXPECT_EQ(charas.chara(name), nullptr);
  }
  EXPECT_EQ(charas.charaFileReads(), 0);
  EXPECT_EQ(reads("src/picture/symbol/chara/ghost.txt"), 0);
  EXPECT_TRUE(debugLines().empty());
  // A name found missing is not looked for again.
  put("src/picture/symbol/blob.txt", "model{name stand;}");
  put("src/picture/symbol/chara/ghost.txt", "file blob;");
  EXPECT_EQ(charas.chara("ghost"), nullptr);
}

// Every site's scene picture must exist, the first site's too; a scene is one
// list however often it is asked for.
TEST_F(PictureListsTest, SiteScenesMustExist) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string site = "folder a;start f;encounter{none;}save file;BGM t;";
  put("src/picture/scene/洞.txt", "");
  put(MapSiteList::kFile, "site{name A;" + site + "scene 無い;}site{name B;" + site + "scene 洞;}");
  MapTables broken;
  EXPECT_DEATH(broken.loadSites(), "names src/picture/scene/無い.txt, which does not exist");
  put(MapSiteList::kFile, "site{name A;" + site + "scene 洞;}site{name B;" + site + "}");
  MapTables tables;
  tables.loadSites();
  EXPECT_EQ(tables.sites.count(), 2);
  EXPECT_EQ(tables.scenePicture("洞"), tables.scenePicture("洞"));
  EXPECT_STREQ(tables.scenePicture("洞")->path(), "src/picture/scene/洞.txt");
  EXPECT_EQ(tables.scenePicture(""), nullptr);
  EXPECT_EQ(tables.scenePicture(nullptr), nullptr);
}

TEST_F(PictureListsTest, ListedCharasKeepTheirCollisionCells) {
  put("src/picture/symbol/door.txt", "");
  NmlDocument list;
  SymbolCharaList charas;
  charas.read(parsed(list, "symbol{name 扉大;file door;collision 0,0;collision 1,0;reaction true;}"), "list.txt");
  SymbolCharaData* door = charas.chara("扉大");
  ASSERT_NE(door, nullptr);
  EXPECT_EQ(door->collision(), (std::vector<MapReading::CellOffset>{{0, 0}, {1, 0}}));
  EXPECT_TRUE(door->reacts());  // from the list alone
  EXPECT_EQ(charas.charaFileReads(), 0);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (const char* collision : {"65,0", "0,-65"}) {
    NmlDocument far;
    SymbolCharaList other;
    const std::string text = std::string("symbol{name 遠;file door;collision ") + collision + ";}";
    EXPECT_DEATH(other.read(parsed(far, text.c_str()), "list.txt"), "list.txt line 1, symbol 遠: \"collision\" must lie")
        << collision;
  }
}

TEST_F(PictureListsTest, UnitPicturesLoadOnFirstUseAndFallBackToStand) {
  put("src/picture/unit/a.txt", "model{name stand;}model{name appear;}");
  put("src/picture/unit/b.txt", "model{name stand;}model{name down;}");
  NmlDocument list;
  UnitPictureList units;
  units.read(parsed(list, "A a,3/2;B b;"), "list.txt");
  UnitPictureData* a = units.find("A");
  UnitPictureData* b = units.find("B");
  ASSERT_TRUE(a && b);
  EXPECT_FLOAT_EQ(a->scale(), 1.5f);
  EXPECT_FLOAT_EQ(b->scale(), 1.0f);  // no scale given: its own size
  EXPECT_FALSE(a->isPictureLoaded());
  EXPECT_EQ(a->downMotion(), a->standMotion());
  EXPECT_NE(a->appearMotion(), nullptr);
  EXPECT_STREQ(b->downMotion()->name(), "down");
  EXPECT_EQ(units.find("C"), nullptr);
  EXPECT_EQ(units.find(nullptr), nullptr);
}

TEST_F(PictureListsTest, MapPicturesReadObjectsWallsAndChips) {
  for (const char* file : {"src/picture/map/object/pillar.txt", "src/picture/map/wall/stone.txt",
                           "src/picture/map/chip/stone.txt", "src/picture/map/chip/sand.txt"}) {
    put(file, "model{name main;}");
  }
  NmlDocument objects;
  NmlDocument tiles;
  MapPictureSet set;
  set.readObjects(parsed(objects, "object{number 3;file pillar;keepOut 0,0;keepOut 1,0;step 0,1;lighting true;"
                                  "materials{name glow;}}object{name 柱;file pillar;}"),
                  "object/list.txt");
  set.readTiles(parsed(tiles, "chip{x 1;y 2;file stone;wall 石壁;section;water;}chip{name 砂;file sand;float;}"
                              "chip{file stone;wall 無い;}wall{name 石壁;file stone;bottom 2;}"),
                "map/list.txt");
  const MapObjectPicture* pillar = set.findObject("pillar");  // named after its file
  ASSERT_NE(pillar, nullptr);
  EXPECT_EQ(std::tuple(pillar->number, pillar->keepOut.size(), pillar->lighting), std::tuple(3, 2u, true));
  EXPECT_EQ(pillar->step, (std::vector<MapReading::CellOffset>{{0, 1}}));
  ASSERT_NE(pillar->materials, nullptr);
  EXPECT_NE(pillar->materials->findMaterial("glow"), nullptr);

  // Chips find the wall listed after them; walls and chips of one file share
  // one named picture.
  const ChipPicture* stone = set.chipAt(1, 2);
  ASSERT_NE(stone, nullptr);
  EXPECT_EQ(stone->wall, set.findWall("石壁"));
  EXPECT_EQ(set.findChip("stone"), stone);
  // Section, water, the wall's bottom, the sand's float, the named pictures, the stone picture loaded.
  EXPECT_EQ(std::vector<int>({stone->section, stone->water, set.findWall("石壁")->bottom, set.findChip("砂")->floating,
                              set.namedPictures().count(), stone->picture->isLoaded()}),
            std::vector<int>({1, 1, 2, 1, 3, 0}));
  EXPECT_NE(stone->picture, set.findWall("石壁")->picture);  // chip/ and wall/ are two paths
  EXPECT_NE(stone->picture->find("main"), nullptr);
}

TEST_F(PictureListsTest, AListNamingAMissingFileStopsNamingBoth) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  NmlDocument objects;
  parsed(objects, "object{file lost;}");
  MapPictureSet set;
  EXPECT_DEATH(set.readObjects(objects, "src/picture/map/object/list.txt"),
               "src/picture/map/object/list.txt : names src/picture/map/object/lost.txt, which does not exist");
  NmlDocument units;
  parsed(units, "A gone,1;");
  UnitPictureList list;
  EXPECT_DEATH(list.read(units, "src/picture/unit/list.txt"),
               "src/picture/unit/list.txt : names src/picture/unit/gone.txt, which does not exist");
  // A scale of no size, a negative one or one beyond 16 pictures tall.
  put("src/picture/unit/a.txt", "model{name stand;}");
  for (const char* line : {"A a,0;", "A a,-1;", "A a,17;"}) {
    NmlDocument scaled;
    EXPECT_DEATH(list.read(parsed(scaled, line), "list.txt"), "list.txt line 1, unit A: the scale must be above 0") << line;
  }
}

// Status-up icons count from the sixth parameter and status-down icons two on;
// states raising HP, LP or AP have none rather than a negative number.
TEST_F(PictureListsTest, StatusIconNumbers) {
  const std::tuple<StateData::Type, int, int> cases[] = {
      {StateData::kStatusUp, 5, 0},    {StateData::kStatusUp, 11, 6},     {StateData::kStatusUp, 4, -1},
      {StateData::kStatusDown, 0, 2}, {StateData::kStatusDown, 11, 13}, {StateData::kOther, 7, -1}};
  for (const auto& [type, parameter, icon] : cases) {
    StateData state("s");
    state.setType(type, parameter);
    EXPECT_EQ(BattlePictures::statusIconIndex(state), icon) << type << " " << parameter;
  }
}

TEST_F(PictureListsTest, StateIconsComeFromTheStatusAndCautionLists) {
  put("src/picture/battle/status.txt", "model{name up0;}model{name up1;}model{name x;}");
  put("src/picture/battle/caution.txt", "model{name スタン;}");
  BattlePictures pictures;
  StateData up("力");
  up.setType(StateData::kStatusUp, 6);
  EXPECT_STREQ(pictures.stateIcon(up)->name(), "up1");
  EXPECT_STREQ(pictures.stateIcon(StateData("スタン"))->name(), "スタン");
  EXPECT_EQ(pictures.stateIcon(StateData("呪力破壊")), nullptr);  // not in this list
  EXPECT_EQ(pictures.stateIcon(StateData("毒")), nullptr);
  StateData far("遠");
  far.setType(StateData::kStatusDown, 11);
  EXPECT_EQ(pictures.stateIcon(far), nullptr);  // past the list's end
  EXPECT_FALSE(pictures.list(BattlePictures::kDestroy).isLoaded());
  EXPECT_EQ(pictures.stateSet("毒"), &pictures.stateSetAt(5));
  EXPECT_EQ(pictures.stateSet("元気"), nullptr);
  EXPECT_EQ(pictures.commonAnimation("炎"), &pictures.commonAnimationAt(3));
  EXPECT_STREQ(pictures.commonAnimation("hit")->path(), "src/picture/animation/common/hit.txt");
}

}  // namespace
}  // namespace Game
