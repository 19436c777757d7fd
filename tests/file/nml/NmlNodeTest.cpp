#include <gtest/gtest.h>

#include <string>

#include "NmlTestSupport.h"
#include "file/nml/NmlDocument.h"
#include "file/nml/NmlNode.h"

namespace {

using Game::NmlAttribute;
using Game::NmlDocument;
using Game::NmlNode;
using NmlTestSupport::written;

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

// The number grammar itself is the string class's; here only the item lookup.
TEST(NmlNodeTest, ItemConversions) {
  NmlNode root;
  ASSERT_TRUE(root.parse("n 0x1f,3+4*2;b true,false,2,0,yes;f 1/4;v 1,2,3;s 5;", true));
  const NmlAttribute& n = *root.findAttribute("n");
  EXPECT_EQ(n.toInt(1), 14);
  EXPECT_EQ(n.toInt(-1), 31);
  EXPECT_STREQ(n.item(9), "");  // past the end: an empty item
  EXPECT_EQ(n.toInt(9), 0);
  EXPECT_TRUE(root.findAttribute("b")->toBool(2));
  EXPECT_FALSE(root.findAttribute("b")->toBool(4));
  EXPECT_FLOAT_EQ(root.findAttribute("f")->toFloat(0), 0.25f);
  EXPECT_STREQ(root.findAttribute("s")->toString(-1), "5");

  struct Vec {
    float x = -1, y = -1, z = -1;
  } v;
  root.findAttribute("v")->toVector(v);
  EXPECT_EQ(v.x + v.y * 10 + v.z * 100, 321.0f);
  root.findAttribute("s")->toVector(v);
  EXPECT_EQ(v.x + v.y + v.z, 15.0f);
  root.findAttribute("b")->toVector(v);  // five items: unchanged
  EXPECT_EQ(v.x, 5.0f);
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
  EXPECT_EQ(y->root(), &document);
  EXPECT_EQ(written(document, true),
            "a 1;\r\nx{\r\n\tb 2,3;\r\n\ty{\r\n\t\ton true;\r\n\t\tn -12,7;\r\n\t\tempty;\r\n\t\tt \x83\x2C,,,z;\r\n"
            "\t}\r\n}\r\n");
  EXPECT_EQ(y->findAttribute("t")->itemCount(), 4);  // a two-byte character is never split

  document.clear();
  EXPECT_EQ(written(document, true), "");
  Game::String out;
  document.toString(out, false);
  EXPECT_GE(out.capacity(), 0x40000);
}

TEST(NmlNodeTest, RemovableNodesOrLinesGo) {
  const char* text = "#removable;a{#removable;k 1;}b{c{#removable;}d{}}e{f 1;}";
  NmlNode omitted;
  ASSERT_TRUE(omitted.parse(text, true));
  omitted.removeRemovable("#removable", true);
  EXPECT_EQ(written(omitted, false), "#removable;b{d{}}e{f 1;}");
  NmlNode added;
  ASSERT_TRUE(added.parse(text, true));
  added.removeRemovable("#removable", false);
  EXPECT_EQ(written(added, false), "a{k 1;}b{c{}d{}}e{f 1;}");

  // A node unlinked by the removal is pooled; reusing it starts it empty.
  NmlNode* reused = omitted.addChild("n");
  EXPECT_EQ(reused->childCount() + reused->attributeCount(), 0);
  EXPECT_EQ(written(omitted, false), "#removable;b{d{}}e{f 1;}n{}");
}

}  // namespace
