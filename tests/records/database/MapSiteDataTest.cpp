#include "records/database/MapSiteData.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "records/database/EncounterTable.h"
#include "tests/records/database/DatabaseFixture.h"

namespace Game {
namespace {

constexpr const char* kSiteListFile = "src/data/map/list.txt";

class MapSiteDataTest : public ::testing::Test, protected DatabaseTestSupport::ParsedText {};

TEST_F(MapSiteDataTest, SitesReadEveryKeyWithTheirDefaults) {
  MapSiteList sites;
  sites.read(parse("site{name A;folder a;start f1,3;encounter{none;}save file;BGM t;}"
                   "site{name B;folder b;start g;encounter{}save memory;BGM u;spotLight true;scene s;"
                   "angle 45;print 表示名;floorNumber 4;}"),
             kSiteListFile);
  ASSERT_EQ(sites.count(), 2);
  // Print is the name when absent.
  const auto read = [](const MapSiteData& s) {
    return std::tuple(std::string(s.folder()), std::string(s.startFile()), s.startPosition(), s.save(),
                      std::string(s.bgm()), s.hasSpotLight(), std::string(s.scene()), s.angle(),
                      std::string(s.print()), s.floorNumber());
  };
  EXPECT_EQ(read(*sites.at(0)), std::tuple("a", "f1", 3, 2, "t", false, "", 0.0f, "A", 0));
  EXPECT_EQ(read(*sites.at(1)), std::tuple("b", "g", 0, 1, "u", true, "s", 45.0f, "表示名", 4));
  EXPECT_EQ(sites.totalFloorNumber(), 4);
}

// Sites are held by identity: the same record for every lookup, none for an
// unknown or null name, and no moves as more are added.
TEST_F(MapSiteDataTest, LookupsGiveTheRecordsThemselves) {
  MapSiteList sites;
  sites.read(parse("site{name A;folder a;start f;encounter{none;}save file;BGM t;}"), kSiteListFile);
  const MapSiteData* a = sites.find("A");
  ASSERT_NE(a, nullptr);
  for (int i = 0; i < 100; ++i) {
    sites.add(MapSiteData("x", "x", 1));
  }
  // "x" finds the first of that name.
  EXPECT_EQ((std::vector<const MapSiteData*>{sites.find("A"), sites.find("x"), sites.find("B"), sites.find(nullptr),
                                             sites.at(-1), sites.at(sites.count())}),
            (std::vector<const MapSiteData*>{a, sites.at(1), nullptr, nullptr, nullptr, nullptr}));
}

TEST_F(MapSiteDataTest, MissingRequiredKeysStopNamingFileAndKey) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"site{folder a;start f;encounter{none;}save file;BGM t;}", "list.txt line 1, site: no line \"name\""},
      {"site{name A;start f;encounter{none;}save file;BGM t;}", "list.txt line 1, site A: no line \"folder\""},
      {"site{name A;folder a;start f;save file;BGM t;}", "site A: no child \"encounter\""},
      {"\nsite{name A;folder a;start f;encounter{none;}BGM t;}", "list.txt line 2, site A: no line \"save\""},
      {"site{name A;folder a;start f;encounter{none;}save file;BGM t;}\n\n"
       "site{name B;folder a;start f;encounter{none;}save disk;BGM t;}",
       "\"WRONGE SAVE\" \\(src/data/map/list.txt line 3, site B: unknown save kind \"disk\"\\)"},
      {"// no site yet\nname A;", "src/data/map/list.txt: no \"site\" record"},
  };
  for (const auto& c : cases) {
    const NmlNode& root = parse(c.text);
    MapSiteList sites;
    EXPECT_DEATH(sites.read(root, kSiteListFile), c.message) << c.text;
  }
}

TEST_F(MapSiteDataTest, EncounterTablesReadGroupsInOrderWithPercentages) {
  EncounterTable table;
  table.load(parse("frequency 150;scene 坑道;"
                   "group{race A,B;race C;member E1,0,2;member E2,1,4;priority 50;rank 10;backAttack 30;forestall 200;}"
                   "group{}"));
  EXPECT_FLOAT_EQ(table.frequency(), 1.5f);
  EXPECT_STREQ(table.scene(), "坑道");
  ASSERT_EQ(table.groups().size(), 2u);
  const EncounterGroup& first = table.groups()[0];
  EXPECT_EQ(first.races, (std::vector<std::string>{"A", "B", "C"}));
  ASSERT_EQ(first.members.size(), 2u);
  EXPECT_EQ(std::tuple(first.members[0].enemy, first.members[1].enemy, first.members[1].row, first.members[1].column),
            std::tuple("E1", "E2", 1, 4));
  const auto expectRates = [](const EncounterGroup& g, std::array<float, 4> rates) {
    const float read[] = {g.priority, g.rank, g.backAttack, g.forestall};
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(read[i], rates[static_cast<std::size_t>(i)]) << i;
  };
  expectRates(first, {50.0f, 0.1f, 0.3f, 2.0f});
  const EncounterGroup& plain = table.groups()[1];
  EXPECT_TRUE(plain.races.empty() && plain.members.empty());
  expectRates(plain, {100.0f, 0.0f, 1.0f, 1.0f});
}

// "none" keeps the table empty whatever follows; loading again starts afresh.
TEST_F(MapSiteDataTest, EncounterTablesWithNoneOrNoGroupsStayEmpty) {
  EncounterTable table;
  table.load(parse("group{race A;}"));
  EXPECT_FALSE(table.isEmpty());
  table.load(parse("none;group{race A;}"));
  EXPECT_EQ(std::pair(table.isEmpty(), table.frequency()), std::pair(true, 1.0f));
  table.load(parse("frequency 50;"));
  EXPECT_EQ(std::pair(table.isEmpty(), table.frequency()), std::pair(true, 0.5f));
}

}  // namespace
}  // namespace Game
