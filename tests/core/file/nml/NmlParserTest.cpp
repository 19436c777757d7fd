#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "NmlTestSupport.h"
#include "PlatformFake/FakeBackend.h"
#include "core/file/nml/NmlDocument.h"
#include "core/file/nml/NmlNode.h"

namespace {

using Game::NmlDocument;
using Game::NmlNode;
using NmlTestSupport::dump;
using NmlTestSupport::written;

TEST(NmlParserTest, ValueLinesSplitAtTheFirstBlankAndEveryComma) {
  NmlNode root;
  ASSERT_TRUE(root.parse("key;;key ;k a,,b;k2   a, b ,;k3 ,x;", true));  // an empty one makes no line
  // The blank after the second key ends it and nothing follows.
  EXPECT_EQ(dump(root), "4:root{3:key=;3:key=;1:k=1:a,0:,1:b,;2:k2=1:a,3: b ,0:,;2:k3=0:,1:x,;}");
}

TEST(NmlParserTest, CommentsStartOnlyWhereNoTokenHasBegun) {
  NmlNode root;
  ASSERT_TRUE(root.parse("// head {;}\na 1; // note\nb 1 // note;\n//x{\nc{d 2;}// tail", true));
  EXPECT_EQ(dump(root), "4:root{1:a=1:1,;1:b=9:1 // note,;1:c{1:d=1:2,;}}");
}

TEST(NmlParserTest, TwoByteCharactersNeverOpenCloseOrSplit) {
  // 0x83 0x7B, 0x83 0x7D and 0x83 0x5C are characters whose second byte is '{', '}' and '\'.
  NmlNode root;
  ASSERT_TRUE(root.parse("k \x83\x7B,\x83\x7D\x83\x5C;n\x83\x7D{x \x82\x2C;}", false));
  // Leniently, a lead byte takes a ',' with it.
  EXPECT_EQ(dump(root), "4:root{1:k=2:\x83\x7B,4:\x83\x7D\x83\x5C,;3:n\x83\x7D{1:x=2:\x82\x2C,;}}");
  // Half-width katakana stand alone, so the ';' after one still ends the line.
  ASSERT_TRUE(root.parse("h \xB1;", true));
  EXPECT_STREQ(root.findAttribute("h")->item(0), "\xB1");
}

TEST(NmlParserTest, ALeadByteBeforeTheEndIsNotReadPast) {
  const char* texts[] = {"\x82", "a \x82", "a{b \x82", "\xFF", "a \xFF", "k \x82;"};
  for (const char* text : texts) {
    NmlNode root;
    const std::string owned(text);  // exact length, so a read past the end is caught
    root.parse(owned.c_str(), false);
    EXPECT_EQ(root.attributeCount(), 0) << text;
  }
}

// The text ends at its first zero byte even right after a lead byte: what
// follows it is never read.
TEST(NmlParserTest, TheFirstZeroEndsTheTextAfterALeadByte) {
  const char text[] = "k \x82\0x;y 1;";
  NmlNode root;
  EXPECT_TRUE(root.parse(text, false));
  EXPECT_EQ(root.attributeCount(), 0);
}

TEST(NmlParserTest, LenientFailuresAndDeepNestingRefusedWithoutRecursion) {
  NmlNode root;
  EXPECT_FALSE(root.parse("a{b 1;", false));
  EXPECT_EQ(root.childCount(), 1);  // what was read stays
  const std::string deep = std::string(NmlNode::kMaxDepth, '{') + std::string(NmlNode::kMaxDepth, '}');
  const std::pair<std::string, bool> cases[] = {{"a{}}", false}, {"}", false}, {"a 1", true},  // unfinished token dropped
                                                {deep, true}, {"{" + deep + "}", false}, {std::string(1000000, '{'), false}};
  for (const auto& [text, parses] : cases) {
    EXPECT_EQ(NmlNode().parse(text.c_str(), false), parses) << text.substr(0, 20);
  }
}

// A node's line is where its name begins: after blanks, comments and line
// breaks, on the line of the '{' when the name is empty.
TEST(NmlParserTest, NodesKeepTheLineTheirNameBeginsOn) {
  NmlNode root;
  ASSERT_TRUE(root.parse("a 1;\n// x{\n  first{\n\tinner{}}\r\n\nsecond\n{ b 2; }\n{}", true));
  ASSERT_EQ(root.childCount(), 3);
  EXPECT_STREQ(root.child(0)->name(), "first");  // the blanks before a name are no part of it
  EXPECT_EQ((std::vector<int>{root.line(), root.child(0)->line(), root.child(0)->child(0)->line(),
                              root.child(1)->line(), root.child(2)->line(), root.addChild("made")->line()}),
            (std::vector<int>{0, 3, 4, 6, 8, 0}));
}

TEST(NmlParserTest, AStrayCloseFailsAParseWithoutHalting) {
  PlatformFake::ScopedFakeBackend backend;
  NmlNode root;
  EXPECT_FALSE(root.parse("a 1;\n}\nb 2;", true));
  EXPECT_EQ(root.countAttributes("b"), 0);
  EXPECT_FALSE(NmlNode().parse("}", false));
  EXPECT_EQ(backend->fakeDebugOutput.lines,
            (std::vector<std::string>{"nml : '}' closes no node ( nml text line 2 )\n",
                                      "nml : '}' closes no node ( nml text line 1 )\n"}));
}

TEST(NmlParserDeathTest, StrictFaultsNameTheFileAndTheLine) {
  NmlDocument document;
  EXPECT_DEATH(document.loadFromText("data/x.txt", "a 1;\nn{\n  b 2;\n"),
               "data/x\\.txt:4 : node \"n\" opened on line 2 is not closed \\(must close tag\\)");
  // A whole document is never read in part: the rest after a stray '}' would be lost.
  EXPECT_DEATH(document.loadFromText("data/y.txt", "a{ b 1; }\n\n  c 2; }\nd{ e 3; }"),
               "data/y\\.txt:3 : '}' closes no node: the rest of the file would be lost");
  EXPECT_DEATH(NmlNode().parse(std::string(300, '{').c_str(), true), "nml text:1 : nodes nested deeper than 256");
}

// A byte that is no text would make a name that no reference matches, and a
// lead byte would swallow the ';' or line break after it: a strict read stops
// there, where a lenient one (saves, settings) keeps the bytes. Escaped bytes
// and comments are not looked at.
TEST(NmlParserDeathTest, BytesThatAreNoTextStopAStrictReadWhereTheyStand) {
  const std::pair<std::string, const char*> cases[] = {
      {"a 1;\nstate{name \x01毒;}", "x.txt:2 : byte 0x01 is no text"},
      {"a{\n\nb \x7F;}", "x.txt:3 : byte 0x7F is no text"},
      {"a \x80;", "x.txt:1 : byte 0x80 is no text"},
      {"a \xA0;", "x.txt:1 : byte 0xA0 is no text"},
      {"a \xFE;", "x.txt:1 : byte 0xFE is no text"},
      {"a \x1F;", "x.txt:1 : byte 0x1F is no text"},
      {"name 剣\x82;\nb 2;", "x.txt:1 : 0x82 0x3B is no Shift-JIS character"},
      {"name \x82\nb 2;", "x.txt:1 : 0x82 0x0A is no Shift-JIS character"},
      {"name \xFC\x7F;", "x.txt:1 : 0xFC 0x7F is no Shift-JIS character"},
      {"name \xE0\xFD;", "x.txt:1 : 0xE0 0xFD is no Shift-JIS character"},
      {"name \x9F\x3F;", "x.txt:1 : 0x9F 0x3F is no Shift-JIS character"},
      {"name \x81", "x.txt:1 : 0x81 0x00 is no Shift-JIS character"},
  };
  for (const auto& [text, message] : cases) {
    EXPECT_DEATH(NmlDocument().loadFromText("x.txt", text.c_str()), message) << text;
    NmlNode lenient;
    EXPECT_TRUE(lenient.parse(text.c_str(), false)) << text;
  }
  NmlDocument fine;
  fine.loadFromText("x.txt", "// \x01 \x82\n\ta \xFF\x01\xFF\x82;\r\nb \x81\x40\xFC\xFC\x88\x7E\xB1;");
  EXPECT_STREQ(fine.findAttribute("a")->item(0), "\x01\x82");
  EXPECT_STREQ(fine.findAttribute("b")->item(0), "\x81\x40\xFC\xFC\x88\x7E\xB1");
}

void expectRoundTrip(const NmlNode& tree, const std::string& label) {
  for (bool pretty : {true, false}) {
    NmlNode copy;
    ASSERT_TRUE(copy.parse(written(tree, pretty).c_str(), false)) << label;
    EXPECT_EQ(dump(copy), dump(tree)) << label << (pretty ? " (pretty)" : " (compact)");
  }
}

// Values that would break the document (";", "{", ",", lead bytes) are
// escaped by one 0xFF before the byte; the random trees read them back.
TEST(NmlRoundTripTest, TheEscapeIsOne0xFFBeforeTheByte) {
  NmlNode one;
  one.addAttribute("k")->addItem("a;b,c");
  EXPECT_EQ(written(one, false), "k a\xFF;b\xFF,c;");
}

std::string randomText(std::mt19937& random, int maxLength, bool allowEmpty) {
  static const char kPool[] = " ;{},/\t\r\n\xFF\x82\x83\x7B\x7D\x5C\xB1\x40" "aZ09#-.";
  std::string text;
  const int length = std::uniform_int_distribution<int>(allowEmpty ? 0 : 1, maxLength)(random);
  for (int i = 0; i < length; ++i) {
    const bool anyByte = std::uniform_int_distribution<int>(0, 3)(random) == 0;
    text += anyByte ? static_cast<char>(std::uniform_int_distribution<int>(1, 255)(random))
                    : kPool[std::uniform_int_distribution<int>(0, sizeof kPool - 2)(random)];
  }
  return text;
}

void growRandomTree(NmlNode& node, std::mt19937& random, int depth) {
  const int lines = std::uniform_int_distribution<int>(0, 5)(random);
  for (int i = 0; i < lines; ++i) {
    Game::NmlAttribute* line = node.addAttribute(randomText(random, 6, false).c_str());
    const int count = std::uniform_int_distribution<int>(0, 4)(random);
    for (int k = 0; k < count; ++k) {
      line->addItem(randomText(random, 8, count > 1).c_str());  // a single empty item is read as none
    }
  }
  const int children = depth < 5 ? std::uniform_int_distribution<int>(0, 3)(random) : 0;
  for (int i = 0; i < children; ++i) {
    growRandomTree(*node.addChild(randomText(random, 6, true).c_str()), random, depth + 1);
  }
}

TEST(NmlRoundTripTest, RandomTrees) {
  std::mt19937 random(20261206);
  for (int round = 0; round < 300 && !HasFailure(); ++round) {
    NmlNode tree;
    growRandomTree(tree, random, 0);
    expectRoundTrip(tree, "random tree " + std::to_string(round));
  }
}

}  // namespace
