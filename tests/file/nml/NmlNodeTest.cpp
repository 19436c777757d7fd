#include <gtest/gtest.h>

#include <string>

#include "NmlTestSupport.h"
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
