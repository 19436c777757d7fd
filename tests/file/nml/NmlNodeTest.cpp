#include <gtest/gtest.h>

#include <string>

#include "NmlTestSupport.h"
#include "file/DataError.h"
#include "file/nml/NmlDocument.h"
#include "file/nml/NmlNode.h"

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
  EXPECT_EQ(root.countAttributes("a"), 2);
  EXPECT_EQ(root.countAttributes("z"), 0);
  EXPECT_STREQ(root.findAttribute("a", 1)->item(0), "3");
  EXPECT_EQ(root.findAttribute("a", 2), nullptr);
  EXPECT_EQ(root.findAttribute("z"), nullptr);
  EXPECT_EQ(root.countChildren("x"), 2);
  EXPECT_EQ(root.findChild("x", 1)->countAttributes("c"), 1);
  EXPECT_EQ(root.findChild("y"), root.child(1));
  EXPECT_DEATH(root.findChild("x", 2), "node \"root\" has no child \"x\"");
}

// A number of a data file is finite: a quotient by zero stops naming the
// file, the line and the key; a tree without a file is named by the reader's
// scope.
TEST(NmlNodeTest, ANumberThatIsNotFiniteStopsNamingFileLineAndKey) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  NmlDocument document;
  document.loadFromText("data.txt", "a 1/2;\nnode{\n  b 3,1/0;\n  c 0/0; }");
  EXPECT_EQ(document.findAttribute("a")->toFloat(0), 0.5f);
  const Game::NmlAttribute& b = *document.findChild("node")->findAttribute("b");
  EXPECT_EQ(b.toFloat(0), 3.f);
  EXPECT_FALSE(b.allFinite());
  EXPECT_DEATH(b.toFloat(1), "data.txt line 3: \"b\" item 2 \"1/0\" is not a finite number");
  EXPECT_DEATH(document.findChild("node")->findAttribute("c")->toFloat(0), "data.txt line 4: \"c\" item 1");
  NmlNode unnamed;
  ASSERT_TRUE(unnamed.parse("d /;", true));
  EXPECT_EQ(unnamed.sourceName(), nullptr);
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
  EXPECT_EQ(written(document, true), "");
}

}  // namespace
