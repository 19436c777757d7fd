#include "field/FieldScene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "battle/Battle.h"
#include "running/game/GameData.h"
#include "running/game/SaveCheck.h"
#include "field/Container.h"
#include "field/FloorRules.h"
#include "core/file/nml/NmlDocument.h"
#include "map/MapGenerator.h"
#include "records/database/MapSiteData.h"
#include "records/database/SymbolCharaData.h"
#include "tests/running/game/GameHelpers.h"
#include "tests/field/FieldFrameFixture.h"

namespace Game {
namespace {

using Engine::i32;

// A generated floor whose chests come from luck alone.
constexpr const char* kLuckFloor =
    "random{ size 20,16; roomMin 3; roomMax 7; separatorProbability 90; passageNumber 1/2;"
    " room{ chip 石床; height 0; } wall{ chip 石壁床; height 2; } startPosition 1; 階段 下,2;"
    " treasure{ tool 薬草; probability 10; floor 0; } treasureFrequency 0; }";

// The sample data, a game on it and its field, with a floor of our own.
class FloorTest : public FieldFrameTest {
 protected:
  void SetUp() override {
    FieldFrameTest::SetUp();
    fs().put("src/data/map/mine/luck.txt", kLuckFloor);
  }

  const MapSiteData* mine() { return database().findSite("灰の坑道"); }
  i32 countNamed(const char* prefix) {
    i32 n = 0;
    for (const auto& symbol : field().symbols()) {
      n += symbol->name().rfind(prefix, 0) == 0;
    }
    return n;
  }
  std::string saved() {
    NmlDocument document;
    field().save(document);
    return GameTestSupport::compactText(document);
  }
};

TEST_F(FloorTest, EverySampleFloorLoadsWithItsKeys) {
  // Start script, generated, links, models, save mode, angle and own table; every floor has a map and puts
  // the followed player on its entry event (the changing floors are entered at 9).
  for (const auto& [site, floor, entry, keys] :
       {std::tuple{"オープニング", "hall", 1, "start fixed links 1 models 0 save 2 angle 0 site's"},
        {"灰の坑道", "b1", 1, "start fixed links 1 models 0 save 2 angle -10 site's"},
        {"灰の坑道", "b2", 9, "start generated links 0 models 0 save 1 angle -10 own"},
        {"灰の坑道", "b4", 1, "start fixed links 1 models 1 save 2 angle 10 own"},
        {"沈黙の書庫", "b1", 1, "start fixed links 1 models 0 save 1 angle 0 site's"}}) {
    field().applySceneChange(database().findSite(site), floor, entry);
    std::ostringstream out;
    out << (field().startScript() ? "start" : "none") << (field().generator() ? " generated" : " fixed")
        << " links " << field().floorLinks().connections().size() << " models " << field().floorModels().size()
        << " save " << field().saveMode() << " angle " << field().floorAngle()
        << (field().hasOwnEncounterTable() ? " own" : " site's");
    EXPECT_EQ(out.str(), keys) << floor;
    ASSERT_TRUE(field().player() && field().map().width() > 0);
    EXPECT_EQ(field().followed(), field().player());
    EXPECT_EQ(field().map().cellAt(field().player()->x(), field().player()->y())->eventId, entry) << floor;
  }
  // The floor's own table replaces the site's; a link without a target leads out.
  EXPECT_NE(&field().encounterTable(), &mine()->encounter());
  EXPECT_TRUE(field().floorLinks().connections()[0].file.empty());
}

// Each symbol stands on its cell's centre with the idle motion "stand".
TEST_F(FloorTest, SymbolsArePlacedByKindWithTheirNamesCharasAndAngles) {
  field().applySceneChange(mine(), "b1", 1);
  Field::Symbol& chest = field().placeRandomContainer(2, 3, Article(), 40, 2);
  Field::Symbol& band = field().placeEnemy(database().findRace("粘体"), 3, 1);
  struct Row { const Field::Symbol* symbol; const char *name, *chara; float angle; };
  for (const Row& row : {Row{field().player(), "player", "Kessa", 0.f}, Row{&chest, "ranodomTreasure_2.3", "宝箱", 0.f},
                         Row{&band, "enemy_3.1", database().findRace("粘体").symbol(), band.angle()}}) {
    ASSERT_TRUE(row.symbol) << row.name;
    EXPECT_EQ(row.symbol->name(), row.name);
    EXPECT_STREQ(row.symbol->chara() ? row.symbol->chara()->name() : "", row.chara) << row.name;
    EXPECT_EQ(row.symbol->angle(), row.angle) << row.name;
    EXPECT_EQ(row.symbol->idleMotion(), "stand");
    EXPECT_EQ(row.symbol->position().x, field().map().cellAt(row.symbol->x(), row.symbol->y())->centre().x);
  }
  EXPECT_TRUE(band.isEnemy() && band.angle() >= 0.f && band.angle() < 360.f) << band.angle();
  auto* lock = static_cast<Field::Container*>(chest.parameter());
  EXPECT_EQ(std::tuple(lock->money(), lock->lockLevel(), lock->isUnique()), std::tuple(40, 2, false));
  // The sample's fixed chest: a herb, its own name, no lock.
  Field::Symbol* fixed = field().findSymbol("Container_b1_07");
  ASSERT_TRUE(fixed);
  auto* herb = static_cast<Field::Container*>(fixed->parameter());
  EXPECT_EQ(std::tuple(herb->isUnique(), herb->article().item(), field().map().cellAt(fixed->x(), fixed->y())->eventId),
            std::tuple(true, database().findTool("薬草"), 7));
}

// What the floor answers its symbols and the game, on the mine's 14 x 12
// first floor: the entry (event 1) at (6, 1) with rock at (4, 1), the way
// down (event 2) at (12, 10).
TEST_F(FloorTest, TheFloorAnswersItsSymbolsAndTheGame) {
  // Off any floor the change comes at once.
  field().changeScene(nullptr);
  field().changeScene(mine());
  EXPECT_STREQ(game->variables().string("site"), "灰の坑道");
  EXPECT_STREQ(field().siteName(), "灰の坑道");
  Field::Symbol& player = *field().player();
  Field::Symbol& ghost = field().addSymbol("ghost", "", 2, 2, 0.f);
  Field::Symbol& raised = field().addSymbol("raised", "Kessa", 6, 2, 0.f);
  field().floorMap().cellAt(6, 2)->height = 2;
  field().floorMap().cellAt(7, 1)->height = 3;
  field().floorMap().cellAt(6, 3)->height = 3;
  // A walk rises or falls at most 2: from 0 to 2 and from 2 to 3, not 0 to 3.
  struct Step { const Field::Symbol* symbol; i32 x, y; bool hop, may; };
  for (const Step& row : {Step{&player, 6, 2, false, true}, Step{&player, 4, 1, true, false},
                          Step{&player, 6, -1, true, false}, Step{&player, 7, 1, false, false},
                          Step{&player, 7, 1, true, true}, Step{&raised, 6, 3, false, true},
                          Step{&ghost, -1, 0, false, true}}) {
    EXPECT_EQ(field().mayEnter(*row.symbol, row.x, row.y, row.hop), row.may) << row.x << "," << row.y;
  }
  // A large door turned a quarter covers the cell beyond its own in +y.
  Field::Symbol& door = *field().placeDoor(2, 1, true, "鍵");
  for (const auto& [x, y, found] : {std::tuple{12, 10, &door}, {12, 11, &door}, {13, 10, nullptr}, {2, 2, &ghost}}) {
    EXPECT_EQ(field().symbolAt(x, y, nullptr), found) << x << "," << y;
  }
  EXPECT_EQ(field().symbolAt(2, 2, &ghost), nullptr);
  field().reportContact(player, door);
  field().reportContact(door, player);
  field().reportContact(ghost, player);
  EXPECT_EQ(field().touchQueue(), std::vector<Field::Symbol*>{&door});
  EXPECT_EQ(std::tuple(field().hasFloorEvent("player", "door2"), field().hasFloorEvent("door2", "ghost")),
            std::tuple(true, false));
  EXPECT_EQ(std::tuple(field().isSymbolOnCell("player", 1, false), field().isSymbolOnCell("player", 1, true),
                       field().isSymbolOnCell("player", 2, false)),
            std::tuple(true, false, false));
  // Values fall by each cell's cost (1 on a tile map) from 257 at the player.
  EXPECT_EQ(field().valueAt(6, 1), 0);
  field().refreshValueGrid();
  struct Value { i32 x, y, value; };
  for (const Value& row : {Value{6, 1, 257}, Value{6, 2, 256}, Value{4, 1, 255}, Value{13, 11, 240}, Value{6, 0, 256},
                           Value{-1, 0, 0}, Value{14, 0, 0}, Value{0, 12, 0}, Value{6, -1, 0}}) {
    EXPECT_EQ(field().valueAt(row.x, row.y), row.value) << row.x << "," << row.y;
  }
  EXPECT_EQ(&field().encounterTable(), &mine()->encounter());
  EXPECT_FLOAT_EQ(field().level(), game->progressLevel());
  // Floor 2 of 4 lies halfway between the ranks 0 and 0.04.
  game->floor() = 2;
  field().applySceneChange(mine(), "b2", 9);
  EXPECT_FLOAT_EQ(field().level(), 0.02f);
  // The battle waits for the way into it.
  field().startEncounter(std::make_unique<Battle>(*game, BattleSettings{}));
  EXPECT_TRUE(field().transition() && !game->battle());
  field().changeScene(nullptr);
  EXPECT_EQ(std::tuple(field().currentSite(), field().symbols().size()), std::tuple(nullptr, std::size_t{0}));
}

// A fresh seed is drawn from the global source and kept in "mapSeed";
// restoring rebuilds the same grid from it, draws nothing and places only
// what was saved; saving again writes the same node.
TEST_F(FloorTest, AGeneratedFloorRestoresFromItsSeedAndSymbols) {
  RandomGenerator::instance()->setSeed(77);
  RandomGenerator copy(77);
  field().applySceneChange(mine(), "b2", 9);
  const i32 seed = game->mapSeed();
  EXPECT_EQ(seed, copy.getInt(0x70ffffff));
  EXPECT_GT(countNamed(FieldScene::kRandomContainerPrefix), 0);
  // Cell (1, 0) mapped: the first row reads "0100…".
  field().mappedCells()[static_cast<std::size_t>(field().map().height())] = 1;
  // Each cell's kind, checking its cost on the value grid.
  const auto kindsAndCosts = [this] {
    std::vector<i32> kinds;
    for (i32 x = 0; x < field().generator()->width(); ++x) {
      for (i32 y = 0; y < field().generator()->height(); ++y) {
        kinds.push_back(field().generator()->cell(x, y).kind);
        const float cost = field().generator()->isOpen(x, y) ? FieldScene::kOpenCost : FieldScene::kRockCost;
        EXPECT_EQ(field().valueGrid().cost(x, y), cost);
      }
    }
    return kinds;
  };
  const std::vector<i32> kinds = kindsAndCosts();
  const std::string first = saved();
  EXPECT_NE(first.find("mappedCell{v 01" + std::string(static_cast<std::size_t>(field().map().width() - 2), '0') + ";v 0"),
            std::string::npos)
      << first.substr(first.find("mappedCell"), 80);
  NmlDocument node;
  node.loadFromText("field.txt", first.c_str());
  game->setField(new FieldScene(*game));
  RandomGenerator::instance()->setSeed(5);
  field().load(node);
  EXPECT_EQ(RandomGenerator::instance()->getInt(1 << 30), RandomGenerator(5).getInt(1 << 30));
  EXPECT_EQ(std::tuple(game->mapSeed(), kindsAndCosts(), saved()), std::tuple(seed, kinds, first));
  EXPECT_EQ(std::tuple(field().player(), field().startScript()), std::tuple(field().findSymbol("player"), nullptr));
}

TEST_F(FloorTest, GeneratedFloorsKeepBandsOffTheStartAndChestsFollowLuck) {
  i32 bands = 0;
  for (i32 seed = 1; seed <= 25; ++seed) {
    RandomGenerator::instance()->setSeed(seed);
    field().loadFloor(mine(), "b2", false);
    i32 sx = 0;
    i32 sy = 0;
    ASSERT_TRUE(field().generator()->findEvent(field().generator()->config().startPosition, &sx, &sy));
    for (const auto& symbol : field().symbols()) {
      if (symbol->isEnemy()) {
        ++bands;
        EXPECT_FALSE(FloorRules::isNearStart(symbol->x(), symbol->y(), sx, sy)) << seed << " " << symbol->name();
      }
    }
    field().loadFloor(mine(), "luck", false);
    EXPECT_EQ(countNamed(FieldScene::kRandomContainerPrefix), 1 + game->party().fieldAbilities().luck) << seed;
  }
  EXPECT_GT(bands, 0);
}

// What a restore meets: rows of any length mark what they cover; a node
// without a site (saved at the shop) leads to the continue scene.
TEST_F(FloorTest, RestoresMarkWhatFitsAndASiteLessNodeOpensTheContinueScene) {
  RandomGenerator::instance()->setSeed(3);
  field().applySceneChange(mine(), "b2", 9);
  NmlDocument node;
  const std::string text = saved();
  node.loadFromText("field.txt",
                    (text.substr(0, text.find("mappedCell")) + "mappedCell{ v 11; v 0111111111111111111111111111111; }")
                        .c_str());
  field().load(node);
  const i32 h = field().map().height();
  const std::vector<Engine::u8>& mapped = field().mappedCells();
  EXPECT_EQ(std::vector<Engine::u8>({mapped[0], mapped[static_cast<std::size_t>(h)], mapped[1],
                                     mapped[static_cast<std::size_t>(h) + 1], mapped[2 * static_cast<std::size_t>(h)]}),
            std::vector<Engine::u8>({1, 1, 0, 1, 0}));
  // A row past the map's last marks nothing.
  std::string rows;
  for (i32 y = 0; y < h; ++y) rows += "v 0;";
  NmlDocument longer;
  longer.loadFromText("field.txt", (text.substr(0, text.find("mappedCell")) + "mappedCell{" + rows + "v 1;}").c_str());
  field().load(longer);
  EXPECT_EQ(std::count(mapped.begin(), mapped.end(), 1), 0);
  game->setField(nullptr);
  NmlDocument root;
  game->write(root);
  EXPECT_EQ(SaveCheck::problem(root, false), nullptr);
  GameData loaded(root);
  auto& restored = *static_cast<FieldScene*>(loaded.field());
  EXPECT_EQ(std::tuple(restored.continueRequests(), restored.currentSite(), restored.symbols().size()),
            std::tuple(1, nullptr, 0u));
}

TEST_F(FloorTest, TheSaveCheckRefusesFieldNodesThatWouldNotLoadWholeButNotAWoundCamera) {
  const std::string floor = "site 灰の坑道; file b1; angle 6; ";
  fs().put("src/data/map/mine/one.txt", ";");
  struct Row { std::string node; const char* fault; };
  for (const Row& row : {
           Row{"", nullptr},
           Row{floor + "symbol{ symbol{ name a; position 1,1; symbol Kessa; enemy{ race 粘体; pattern 0; }"
                          " command{ command move,8,1,0,0,0; position 0; } move{ goal 1,2; count 3; } } }",
               nullptr},
           Row{"site 無い; file b1;", "unknown site \"無い\""},
           Row{"site 灰の坑道; file zz;", "floor \"zz\""},
           Row{"site 灰の坑道; file one;", nullptr},  // a floor file of one byte
           Row{"site 灰の坑道; file b1; angle x;", "camera angle"},
           Row{floor + "symbol{ symbol{ name e; position 1,1; enemy{ race 無い; } } }", "enemy symbol \"e\""},
           Row{floor + "symbol{ symbol{ name u; position 1,1; symbol 無い; } }", "\"u\" names no known chara \"無い\""},
           Row{floor + "symbol{ symbol{ name c; position 1,1; container{ article{ tool 無い; } } } }",
               "container symbol \"c\""},
           Row{floor + "symbol{ symbol{ name m; position 1,1; container{ money x; } } }", "container symbol \"m\""},
           Row{floor + "symbol{ symbol{ name l; position 1,1; container{ lockLevel x; } } }", "container symbol \"l\""},
           Row{floor + "symbol{ symbol{ name o; position 1,1; } x{} symbol{ name p; position 1; } }",
               "field symbol \"p\""},
           Row{floor + "symbol{ symbol{ name q; position 1,1; command{ command go,1,0,0,0,0; position 0;"
                          " command move,8,1; } } }",
               "field symbol \"q\""},
           Row{floor + "symbol{ symbol{ name r; position 1,1; move{ goal 1,x; } } }", "field symbol \"r\""},
           Row{floor + "symbol{ symbol{ name t; position 1,1; move{ time x; } } }", "field symbol \"t\""},
       }) {
    NmlDocument node;
    node.loadFromText("field.txt", row.node.c_str());
    const char* fault = SaveCheck::fieldProblem(node);
    if (!row.fault) {
      EXPECT_EQ(fault, nullptr) << row.node << ": " << fault;
    } else {
      EXPECT_NE(std::string(fault ? fault : "").find(row.fault), std::string::npos) << row.node;
    }
  }
  // A saved camera level beyond a thousand turns (a damaged save) passes the
  // check and loads facing the same way within one turn: 2147483647 = 12 x
  // 178956970 + 7.
  for (const auto& [saved, loaded] : {std::pair<const char*, i32>{"40", 40}, {"-12000", -12000}, {"12001", 1},
                                      {"-12001", -1}, {"2147483647", 7}, {"-2147483648", -8}}) {
    NmlDocument node;
    node.loadFromText("field.txt", (std::string("site 灰の坑道; file b1; angle ") + saved + ";").c_str());
    EXPECT_EQ(SaveCheck::fieldProblem(node), nullptr) << saved;
    field().load(node);
    EXPECT_EQ(field().angleLevel(), loaded) << saved;
  }
}

// A floor's and a site's camera pitch offsets stay within a quarter turn; a
// missing floor file names its site and floor.
TEST_F(FloorTest, AFloorOrSiteAngleBeyondAQuarterTurnOrAMissingFloorIsADataError) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  fs().put("src/data/map/mine/tilt.txt", "fmf b1;\nangle 91;");
  EXPECT_DEATH(field().loadFloor(mine(), "tilt", false), "mine/tilt.txt line 2: \"angle\" must be from -90 to 90");
  // The floor's save kind and scripts are named by its file too.
  fs().put("src/data/map/mine/kind.txt", "fmf b1;\nsave 無い;");
  EXPECT_DEATH(field().loadFloor(mine(), "kind", false), "mine/kind.txt line 2: unknown save kind \"無い\"");
  fs().put("src/data/map/mine/shell.txt", "fmf b1;\nstart{ addGhost{ name 無い; } }");
  EXPECT_DEATH(field().loadFloor(mine(), "shell", false), "mine/shell.txt line 2, command 0 \\(addGhost\\).*unknown shell");
  for (const char* line : {"angle -91;", "angle 1/0;", "floorNumber -1;", "floorNumber 1000;"}) {
    MapSiteList sites;
    fs().put("sites.txt", std::string("site{ name s; folder f; start a,1; encounter{ none; } save file; BGM b; ") +
                              line + " }");
    EXPECT_DEATH(sites.load("sites.txt"), std::string("sites.txt line 1, site s: \"") + std::string(line, 5)) << line;
  }
  fs().put("src/data/map/mine/zz.txt", "");
  EXPECT_DEATH(field().loadFloor(mine(), "zz", false), "mine/zz.txt.*floor \"zz\" of the site \"灰の坑道\" is missing");
}

}  // namespace
}  // namespace Game
