#include "records/database/MapLinkData.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "records/database/MapSiteData.h"
#include "tests/records/database/DatabaseFixture.h"

namespace Game {
namespace {

constexpr const char* kFile = "link.txt";

class MapLinkDataTest : public ::testing::Test, protected DatabaseTestSupport::ParsedText {
 protected:
  MapLinkDataTest() {
    mS = mSites.add(MapSiteData("S", "S", 2));
    mT = mSites.add(MapSiteData("T", "T", 1));
  }

  // Where a connection leads: site, file and position.
  static std::tuple<const MapSiteData*, std::string, int> to(const MapConnection* c) {
    return c ? std::tuple(c->site, c->file, c->position) : std::tuple<const MapSiteData*, std::string, int>{};
  }

  MapSiteList mSites;
  const MapSiteData* mS;
  const MapSiteData* mT;
  MapLinkList mLinks;
};

// A link arrives 8 positions after the linked one, both ways; a jump arrives
// exactly where it says, one way only.
TEST_F(MapLinkDataTest, LinksArriveEightOnAndJumpsDoNot) {
  mLinks.readLinks(parse("site{name S;link A,3,B,5;escape A,1;}"
                         "jump{begin{file B;position 2;}start{site S;}end{site T;file C;position 4;}}"),
                   mSites, kFile);
  const MapLinkEntry* a = mLinks.find(mS, "A");
  const MapLinkEntry* b = mLinks.find(mS, "B");
  ASSERT_TRUE(a && b);
  EXPECT_EQ(to(a->connectionFrom(3)), std::tuple(mS, "B", 13));
  EXPECT_EQ(to(b->connectionFrom(5)), std::tuple(mS, "A", 11));
  EXPECT_EQ(to(b->connectionFrom(2)), std::tuple(mT, "C", 4));
  EXPECT_EQ(mLinks.find(mT, "C"), nullptr);  // no way back
  EXPECT_EQ(a->connectionFrom(5), nullptr);
  EXPECT_TRUE(a->isEscape(1));
  EXPECT_FALSE(b->isEscape(1));
}

// Entries are found by the site's identity, not its name: a site record with
// the same name is another site, and a name the list lacks attaches its lines
// to no site.
TEST_F(MapLinkDataTest, EntriesMatchSitesByIdentity) {
  mLinks.readLinks(parse("site{name S;link A,1,A,2;}site{name 無い;link A,3,B,4;}"), mSites, kFile);
  const MapSiteData namesake("S", "S", 2);
  EXPECT_EQ(mLinks.find(&namesake, "A"), nullptr);
  const MapLinkEntry* own = mLinks.find(mS, "A");
  ASSERT_NE(own, nullptr);
  // A floor linked to itself holds both ends in one entry.
  EXPECT_EQ(own->connections().size(), 2u);
  EXPECT_EQ(own->connectionFrom(2)->position, 9);
  const MapLinkEntry* orphan = mLinks.find(nullptr, "A");
  ASSERT_NE(orphan, nullptr);
  EXPECT_EQ(orphan->connectionFrom(3)->site, nullptr);
  EXPECT_EQ(mLinks.find(mS, "B"), nullptr);
  // Find-or-add gives the held entry back.
  EXPECT_EQ(&mLinks.entry(mS, "A"), own);
  EXPECT_EQ(mLinks.count(), 3);
}

TEST_F(MapLinkDataTest, ContainersJoinTheirFloorsEntryAndDefaultTheirName) {
  mLinks.readLinks(parse("site{name S;link A,1,B,2;}"), mSites, kFile);
  mLinks.readContainers(parse("site{name S;map{file A;container{position 7;tool 薬草;}"
                              "container{position 12;name 隠し;money 200;expression int(x)>1;}}}"
                              "site{name 無い;map{file A;container{position 3;}}}"),
                        mSites, "container.txt");
  const MapLinkEntry* a = mLinks.find(mS, "A");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->connections().size(), 1u);
  ASSERT_EQ(a->containers().size(), 2u);
  const auto read = [](const MapContainerData& c) { return std::tuple(c.name, c.tool, c.money, c.expression); };
  // The name defaults to the position in two digits.
  EXPECT_EQ(read(a->containers()[0]), std::tuple("07", "薬草", 0, ""));
  EXPECT_EQ(read(a->containers()[1]), std::tuple("隠し", "", 200, "int(x)>1"));
  ASSERT_NE(mLinks.find(nullptr, "A"), nullptr);
  EXPECT_EQ(mLinks.find(nullptr, "A")->containers()[0].name, "03");
}

TEST_F(MapLinkDataTest, FloorLinkLinesLeadWithinTheSite) {
  MapLinkEntry& entry = mLinks.entry(mS, "A");
  const NmlNode& floor = parse("link 4,B,2;link 6;");
  entry.addFloorLink(*floor.findAttribute("link", 0));
  entry.addFloorLink(*floor.findAttribute("link", 1));
  EXPECT_EQ(to(entry.connectionFrom(4)), std::tuple(mS, "B", 2));
  EXPECT_EQ(to(entry.connectionFrom(6)), std::tuple(mS, "", 0));
}

TEST_F(MapLinkDataTest, BrokenEntriesStopNamingTheFile) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const NmlNode& jump = parse("site{name S;}\njump{begin{file B;position 2;}end{site T;file C;position 4;}}");
  EXPECT_DEATH(mLinks.readLinks(jump, mSites, kFile), "link.txt line 2, jump: no child \"start\"");
  const NmlNode& container = parse("site{name S;map{file A;\n  container{name 宝;money 5;}}}");
  EXPECT_DEATH(mLinks.readContainers(container, mSites, "container.txt"),
               "container.txt line 2, container 宝: no line \"position\"");
}

}  // namespace
}  // namespace Game
