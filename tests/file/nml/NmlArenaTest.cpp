#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "NmlTestSupport.h"
#include "file/nml/NmlArena.h"
#include "file/nml/NmlAttribute.h"
#include "file/nml/NmlNode.h"

namespace {

using Game::NmlArena;
using Game::NmlAttribute;
using Game::NmlNode;
using NmlTestSupport::written;

bool pointerAligned(const void* p) { return reinterpret_cast<std::uintptr_t>(p) % alignof(void*) == 0; }

TEST(NmlArenaTest, BlocksAreAlignedAndKeepTheirBytesAcrossChunks) {
  NmlArena arena;
  std::string expected;
  char* first = arena.copyText("abc", 3);
  for (int i = 0; i < 5000; ++i) {
    const std::size_t size = static_cast<std::size_t>(i % 13) + 1;
    auto* block = static_cast<char*>(arena.allocate(size));
    ASSERT_TRUE(pointerAligned(block)) << i;
    std::memset(block, 'x', size);
  }
  auto* big = static_cast<char*>(arena.allocate(200000));  // larger than any usual chunk
  std::memset(big, 'y', 200000);
  EXPECT_STREQ(first, "abc");
  arena.release();
  EXPECT_EQ(arena.freeSize(), 0u);
  EXPECT_STREQ(arena.copyText("again", 5), "again");
}

TEST(NmlArenaTest, MakeRoomMovesTheBytesBeingWritten) {
  NmlArena arena;
  char* start = arena.makeRoom(0, 16);
  ASSERT_GE(arena.freeSize(), 16u);
  std::memcpy(start, "partial", 7);
  const std::size_t wanted = arena.freeSize() + 100;
  char* moved = arena.makeRoom(7, wanted);
  EXPECT_GE(arena.freeSize(), wanted);
  EXPECT_EQ(std::string(moved, 7), "partial");
  EXPECT_EQ(arena.makeRoom(7, 1), moved);  // enough room: nothing moves
}

TEST(NmlArenaTest, ParsedTreesAcceptChangesAfterTheParse) {
  NmlNode root;
  ASSERT_TRUE(root.parse("a 1,2;x{#gone;b 3;}y{c;}", true));
  root.removeMarked("#gone", false);  // only the marker lines go
  NmlAttribute* a = root.findAttribute("a");
  for (int i = 3; i <= 20; ++i) {  // past the parsed line's item room, several times
    a->addInt(i);
  }
  EXPECT_EQ(a->itemCount(), 20);
  EXPECT_STREQ(a->item(19), "20");
  root.findChild("y")->findAttribute("c")->addItem("z");
  root.findChild("x")->addChild("w")->addAttribute("d", "4,,5");
  root.addAttribute("e")->addItem("6");
  std::string items;
  for (int i = 1; i <= 20; ++i) items += (i > 1 ? "," : "") + std::to_string(i);
  EXPECT_EQ(written(root, false), "a " + items + ";e 6;x{b 3;w{d 4,,5;}}y{c z;}");
  EXPECT_EQ(root.findChild("x")->findChild("w")->root(), &root);
}

TEST(NmlArenaTest, NodesAddedAfterRemovingTheLastChildFollowTheKeptOnes) {
  NmlNode root;
  ASSERT_TRUE(root.parse("p{}q{#gone;}r{#gone;}", true));
  root.removeMarked("#gone", true);
  root.addChild("s");
  EXPECT_EQ(root.childCount(), 2);
  EXPECT_EQ(written(root, false), "p{}s{}");
}

TEST(NmlArenaTest, LongTokensAndManyLinesSurviveChunkChanges) {
  const std::string longItem(300000, 'v');
  std::string text = "long " + longItem + ",end;";
  for (int i = 0; i < 3000; ++i) {
    text += "k" + std::to_string(i) + " " + std::to_string(i) + ",x;n" + std::to_string(i) + "{}";
  }
  NmlNode root;
  ASSERT_TRUE(root.parse(text.c_str(), true));
  ASSERT_EQ(root.attributeCount(), 3001);
  EXPECT_EQ(root.attribute(0)->item(0), longItem);
  EXPECT_STREQ(root.attribute(0)->item(1), "end");
  for (int i = 0; i < 3000; i += 499) {
    const NmlAttribute& line = *root.attribute(i + 1);
    EXPECT_EQ(line.key(), "k" + std::to_string(i));
    EXPECT_EQ(line.item(0), std::to_string(i));
    EXPECT_EQ(root.child(i)->name(), "n" + std::to_string(i));
  }
}

TEST(NmlArenaTest, ALineMadeOnItsOwnKeepsItsTexts) {
  NmlAttribute line;
  line.addItem("first");
  line.assignSplit("k", "a,\x83,,b");
  line.addInt(-3);
  EXPECT_STREQ(line.key(), "k");
  ASSERT_EQ(line.itemCount(), 4);
  EXPECT_STREQ(line.item(0), "a");
  EXPECT_STREQ(line.item(1), "\x83,");  // a two-byte character is never split
  EXPECT_STREQ(line.item(2), "b");
  EXPECT_STREQ(line.item(3), "-3");
  line.assign("only");
  EXPECT_EQ(line.itemCount(), 0);
}

}  // namespace
