#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "NmlTestSupport.h"
#include "core/file/DataError.h"
#include "core/file/nml/NmlArena.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlDocument.h"
#include "core/file/nml/NmlNode.h"

namespace {

using Game::NmlDocument;
using Game::NmlNode;
using NmlTestSupport::written;

TEST(NmlNodeTest, RemovableEntriesFollowTheOmitFlag) {
  const char* text = "keep{a 1;}fine{#removable;b{#removable;c 1;}}gone{#removable;inner{}}";
  for (const int omitting : {0, 1}) {
    NmlNode root;
    ASSERT_TRUE(root.parse(text, true));
    root.removeMarked("#removable", omitting != 0);
    const std::string kept = omitting ? "keep{a 1;}" : "keep{a 1;}fine{b{c 1;}}gone{inner{}}";
    EXPECT_EQ(written(root, false), kept) << "omit " << omitting;
  }
}

TEST(NmlNodeTest, LookupsFindTheIndexedMatchInFileOrder) {
  NmlNode root;
  ASSERT_TRUE(root.parse("a 1;b 2;a 3;x{}y{}x{c 4;}", true));
  EXPECT_EQ((std::vector<int>{root.countAttributes("a"), root.countAttributes("z"), root.countChildren("x"),
                              root.findChild("x", 1)->countAttributes("c")}),
            (std::vector<int>{2, 0, 2, 1}));
  EXPECT_STREQ(root.findAttribute("a", 1)->item(0), "3");
  EXPECT_EQ(root.findAttribute("a", 2), nullptr);
  EXPECT_EQ(root.findAttribute("z"), nullptr);
  EXPECT_EQ(root.findChild("y"), root.child(1));
  EXPECT_DEATH(root.findChild("x", 2), "node \"root\" has no child \"x\"");
  EXPECT_DEATH(root.child(root.childCount()), "position out of range");
  // The walks read the same matches in the same order, the last included.
  ASSERT_TRUE(root.parse("a 5;", true));
  std::string walked;
  for (const Game::NmlAttribute& line : root.attributesKeyed("a")) walked += line.item(0);
  for (const NmlNode& child : root.childrenNamed("x")) walked += std::to_string(child.countAttributes("c"));
  for (const NmlNode& child : root.childrenNamed("z")) walked += child.name();
  EXPECT_EQ(walked, "13501");
}

// A number of a data file, a boolean's too, is finite and its literals fit 32
// bits (decimal ones signed): else it stops naming file, line and key, and a
// reader's scope the record; a tree without a file is named by the scope
// alone, never checked for width.
TEST(NmlNodeTest, ANumberThatIsNotFiniteOrTooWideStopsNamingFileLineAndKey) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  NmlDocument document;
  document.loadFromText("data.txt", "a 1/2;\nnode{\n  b 3,1/0;\n  c 0/0; }\nw -2147483648,2147483647,0xffffffff,"
                                    "b11111111111111111111111111111111,2147483648,1+0x100000000,4294967296/2;");
  const Game::NmlAttribute& w = *document.findAttribute("w");
  EXPECT_EQ(std::vector<int>({w.toInt(0), w.toInt(1), w.toInt(2), w.toInt(3)}),
            std::vector<int>({INT32_MIN, INT32_MAX, -1, -1}));
  EXPECT_TRUE(w.toBool(1) && w.toBool(3));
  for (int i = 4; i < 7; ++i) {
    EXPECT_DEATH(w.toInt(i), "data.txt line 5: \"w\" item " + std::to_string(i + 1));
    EXPECT_DEATH(w.toBool(i), "data.txt line 5: \"w\" item " + std::to_string(i + 1));
  }
  EXPECT_DEATH(
      {
        Game::DataError::Scope scope("data.txt");
        scope.setRecord("node", "n", 2);
        (void)document.findChild("node")->findAttribute("c")->toFloat(0);
      },
      "data.txt line 4, node n: \"c\" item 1");
  EXPECT_EQ(document.findAttribute("a")->toFloat(0), 0.5f);
  const Game::NmlAttribute& b = *document.findChild("node")->findAttribute("b");
  EXPECT_EQ(b.toFloat(0), 3.f);
  EXPECT_FALSE(b.allFinite());
  EXPECT_DEATH(b.toFloat(1), "data.txt line 3: \"b\" item 2 \"1/0\" is not a finite number");
  NmlNode unnamed;
  ASSERT_TRUE(unnamed.parse("d /;e 4294967296;", true));
  EXPECT_EQ(unnamed.findAttribute("e")->toInt(0), 0);
  EXPECT_FALSE(unnamed.findAttribute("e")->toBool(0));
  EXPECT_DEATH(
      {
        Game::DataError::Scope scope("list.txt");
        (void)unnamed.findAttribute("d")->toFloat(0);
      },
      "list.txt: \"d\" item 1 \"/\" is not a finite number");
}

TEST(NmlNodeTest, BuildingAndThePrettyAndCompactForms) {
  NmlDocument document;
  document.addAttribute("a", "1");
  NmlNode* x = document.addChild("x");
  x->addAttribute("b", "2,3");
  EXPECT_EQ(written(document, true), "a 1;\r\nx{\r\n\tb 2,3;\r\n}\r\n");
  EXPECT_EQ(written(document, false), "a 1;x{b 2,3;}");

  NmlNode* y = x->addChild("y");
  y->addBool("on", true);
  y->addInt("n", -12)->addInt(7);
  y->addAttribute("empty");
  y->addAttribute("t", "\x83\x2C,,")->addItem("z");
  EXPECT_EQ(written(document, true),
            "a 1;\r\nx{\r\n\tb 2,3;\r\n\ty{\r\n\t\ton true;\r\n\t\tn -12,7;\r\n\t\tempty;\r\n\t\tt \x83\x2C,,,z;\r\n"
            "\t}\r\n}\r\n");
  EXPECT_EQ(y->findAttribute("t")->itemCount(), 4);  // a two-byte character is never split

  document.clear();
  EXPECT_EQ(std::tuple(written(document, true), document.childCount(), document.attributeCount()), std::tuple("", 0, 0));
}

using Game::NmlArena;
using Game::NmlAttribute;

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
  auto* big = static_cast<char*>(arena.allocate(200001));  // larger than any usual chunk, of an odd size
  std::memset(big, 'y', 200001);
  EXPECT_TRUE(pointerAligned(arena.allocate(8)));
  EXPECT_LT(arena.freeSize(), 200000u);  // the block after it went to a new chunk, not past its end
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
  for (int i = 1; i <= 20; ++i) {
    items += (i > 1 ? "," : "") + std::to_string(i);
  }
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
  ASSERT_EQ(line.itemCount(), 4);
  // A two-byte character is never split.
  EXPECT_EQ(std::vector<std::string>({line.key(), line.item(0), line.item(1), line.item(2), line.item(3)}),
            std::vector<std::string>({"k", "a", "\x83,", "b", "-3"}));
  line.assign("only");
  EXPECT_EQ(line.itemCount(), 0);
}

}  // namespace
