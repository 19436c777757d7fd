#include "resource/database/MapLinkData.h"

#include <gtest/gtest.h>

#include <memory>

#include "file/nml/NmlNode.h"
#include "resource/database/MapSiteData.h"

namespace Game {
namespace {

constexpr const char* kFile = "link.txt";

class MapLinkDataTest : public ::testing::Test {
 protected:
  MapLinkDataTest() {
    mS = mSites.add(MapSiteData("S", "S", 2));
    mT = mSites.add(MapSiteData("T", "T", 1));
  }
  const NmlNode& parse(const char* text) {
    mRoot = std::make_unique<NmlNode>();
    EXPECT_TRUE(mRoot->parse(text, true)) << text;
    return *mRoot;
  }

  MapSiteList mSites;
  const MapSiteData* mS;
  const MapSiteData* mT;
  MapLinkList mLinks;

 private:
  std::unique_ptr<NmlNode> mRoot;
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
  const MapConnection* ab = a->connectionFrom(3);
  ASSERT_NE(ab, nullptr);
  EXPECT_EQ(ab->site, mS);
  EXPECT_EQ(ab->file, "B");
  EXPECT_EQ(ab->position, 13);
  const MapConnection* ba = b->connectionFrom(5);
  ASSERT_NE(ba, nullptr);
  EXPECT_EQ(ba->file, "A");
  EXPECT_EQ(ba->position, 11);
  const MapConnection* jump = b->connectionFrom(2);
  ASSERT_NE(jump, nullptr);
  EXPECT_EQ(jump->site, mT);
  EXPECT_EQ(jump->file, "C");
  EXPECT_EQ(jump->position, 4);
  EXPECT_EQ(mLinks.find(mT, "C"), nullptr);  // no way back
  EXPECT_EQ(a->connectionFrom(5), nullptr);
  EXPECT_TRUE(a->isEscape(1));
  EXPECT_FALSE(b->isEscape(1));
  EXPECT_EQ(mLinks.count(), 2);
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
  const MapContainerData& first = a->containers()[0];
  EXPECT_EQ(first.name, "07");
  EXPECT_EQ(first.tool, "薬草");
  EXPECT_EQ(first.money, 0);
  EXPECT_EQ(first.expression, "");
  const MapContainerData& second = a->containers()[1];
  EXPECT_EQ(second.name, "隠し");
  EXPECT_EQ(second.money, 200);
  EXPECT_EQ(second.expression, "int(x)>1");
  ASSERT_NE(mLinks.find(nullptr, "A"), nullptr);
  EXPECT_EQ(mLinks.find(nullptr, "A")->containers()[0].name, "03");
}

TEST_F(MapLinkDataTest, FloorLinkLinesLeadWithinTheSite) {
  MapLinkEntry& entry = mLinks.entry(mS, "A");
  const NmlNode& floor = parse("link 4,B,2;link 6;");
  entry.addFloorLink(*floor.findAttribute("link", 0));
  entry.addFloorLink(*floor.findAttribute("link", 1));
  EXPECT_EQ(entry.connectionFrom(4)->site, mS);
  EXPECT_EQ(entry.connectionFrom(4)->file, "B");
  EXPECT_EQ(entry.connectionFrom(4)->position, 2);
  EXPECT_EQ(entry.connectionFrom(6)->file, "");
  EXPECT_EQ(entry.connectionFrom(6)->position, 0);
}

TEST_F(MapLinkDataTest, BrokenEntriesStopNamingTheFile) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const NmlNode& jump = parse("jump{begin{file B;position 2;}end{site T;file C;position 4;}}");
  EXPECT_DEATH(mLinks.readLinks(jump, mSites, kFile), "link.txt : \"jump\" has no child \"start\"");
  const NmlNode& container = parse("site{name S;map{file A;container{money 5;}}}");
  EXPECT_DEATH(mLinks.readContainers(container, mSites, "container.txt"),
               "container.txt : \"container\" has no line \"position\"");
}

}  // namespace
}  // namespace Game
