#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/variable/VariableTable.h"
#include "core/file/nml/NmlDocument.h"

namespace {

using Game::NmlDocument;
using Game::String;
using Game::VariableTable;

constexpr const char* kDeclarations =
    "int top;\n"
    "str title;\n"
    "func double,top*2;\n"
    "class{ name town; inheritable; int visits; str mayor;\n"
    "  class{ name gate; protected; int opened; func pick,max(1,2); }\n"
    "}\n"
    "class{ int plain; }\n"
    "other{ int ignored; }\n";

// Declarations read from text, with the function lines collected.
class VariableTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VariableTable::setFunctionHooks({[this](const char* name, const char* text) {
                                       mFunctions.emplace_back(name, text);
                                     },
                                     [](std::vector<String>& lines) { lines.emplace_back("-func---------------------"); }});
    declare(kDeclarations);
  }
  void TearDown() override { VariableTable::setFunctionHooks({}); }

  void declare(const char* text) {
    NmlDocument document;
    document.loadFromText("head.txt", text);
    mTable.declareFrom(document, "head.txt");
  }

  VariableTable mTable;
  std::vector<std::pair<std::string, std::string>> mFunctions;
};

TEST_F(VariableTableTest, ClassesPrefixTheirNamesAndPassTheirMarksDown) {
  struct Case {
    const char* name;
    bool inheritable;
    bool isProtected;
  };
  for (const Case& c : {Case{"top", false, false}, Case{"town.visits", true, false},
                        Case{"town.gate.opened", true, true}, Case{"plain", false, false}}) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(mTable.hasInteger(c.name));
    EXPECT_EQ(mTable.isInheritable(c.name), c.inheritable);
    EXPECT_EQ(mTable.isProtected(c.name), c.isProtected);
  }
  EXPECT_FALSE(mTable.hasInteger("ignored"));
  EXPECT_FALSE(mTable.hasInteger("visits"));
  EXPECT_TRUE(mTable.hasString("town.mayor"));
  EXPECT_STREQ(mTable.string("title"), "");
}

// An expression holding commas was split by the reader: it reaches the
// function table whole.
TEST_F(VariableTableTest, FunctionLinesGoToTheHookWithTheirWholeExpression) {
  ASSERT_EQ(mFunctions.size(), 2u);
  EXPECT_EQ(mFunctions[0], std::make_pair(std::string("double"), std::string("top*2")));
  EXPECT_EQ(mFunctions[1], std::make_pair(std::string("town.gate.pick"), std::string("max(1,2)")));
}

TEST_F(VariableTableTest, ValuesFlagsAndTheFirstOfTwoNames) {
  mTable.integer("top") = 5;
  EXPECT_EQ(mTable.getInteger("top"), 5);
  mTable.createInteger("top", false, false);
  EXPECT_EQ(mTable.getInteger("top"), 5);
  mTable.destroyInteger("top");
  EXPECT_EQ(mTable.getInteger("top"), 0);
  mTable.destroyInteger("top");
  EXPECT_FALSE(mTable.hasInteger("top"));

  mTable.flagOn("a");
  mTable.flagOn("b");
  mTable.flagOn("a");
  EXPECT_EQ(mTable.flagCount(), 2);
  mTable.flagOff("a");
  mTable.flagOff("missing");
  EXPECT_FALSE(mTable.isFlagOn("a"));
  EXPECT_TRUE(mTable.isFlagOn("b"));
}

// Code reading an undeclared variable, and a declaration without a name,
// halt naming the variable, or the file and the class.
TEST_F(VariableTableTest, UndeclaredAndNamelessVariablesHalt) {
  EXPECT_DEATH(mTable.integer("nowhere"), "integer variable \"nowhere\" is not declared");
  EXPECT_DEATH(mTable.string("nameless"), "string variable \"nameless\" is not declared");
  EXPECT_DEATH(declare("class{ name town; int; }"), "head.txt : a \"int\" line in \"town.\" declares no name");
}

// Strings are cut at their first comma by the save form; a saved variable
// that is not declared is created.
TEST_F(VariableTableTest, TheSaveFormRoundTrips) {
  mTable.integer("town.visits") = -7;
  mTable.setString("title", "a,b");
  mTable.setString("town.mayor", "名前 {x};//y");
  mTable.flagOn("seen.door");
  mTable.flagOn("旗");
  NmlDocument saved;
  mTable.write(saved);
  saved.findChild("integer")->addInt("extra", 3);
  saved.findChild("string")->addAttribute("note", "hi");

  String text;
  saved.toString(text, false);
  NmlDocument reread;
  ASSERT_TRUE(reread.parse(text.c_str(), false));
  declare(kDeclarations);
  mTable.readValues(reread);
  EXPECT_EQ(std::vector<int>({mTable.getInteger("town.visits"), mTable.getInteger("extra"), mTable.isInheritable("extra"),
                              mTable.isFlagOn("seen.door"), mTable.isFlagOn("旗")}),
            std::vector<int>({-7, 3, 0, 1, 1}));
  EXPECT_EQ(std::vector<std::string>({mTable.string("title"), mTable.string("town.mayor"), mTable.string("note")}),
            std::vector<std::string>({"a", "名前 {x};//y", "hi"}));
}

TEST_F(VariableTableTest, ANewCycleKeepsOnlyInheritableIntegers) {
  mTable.integer("town.visits") = 4;
  mTable.integer("plain") = 9;
  mTable.setString("title", "t");
  mTable.flagOn("f");
  mTable.resetForNewCycle();
  EXPECT_EQ(mTable.getInteger("town.visits"), 4);
  EXPECT_EQ(mTable.getInteger("plain"), 0);
  EXPECT_STREQ(mTable.string("title"), "");
  EXPECT_EQ(mTable.flagCount(), 0);
}

TEST_F(VariableTableTest, TheDumpListsEveryKindAndTogglesInheritable) {
  mTable.integer("town.gate.opened") = 2;
  mTable.flagOn("f");
  std::vector<VariableTable::DumpRow> rows;
  mTable.buildDump(rows);
  std::vector<std::string> texts;
  for (const auto& row : rows) {
    texts.emplace_back(row.text.c_str());
  }
  const std::string pad(32 - std::string("town.gate.opened").size(), ' ');
  const std::vector<std::string> expected = {
      "-str----------------------",
      "title" + std::string(27, ' '),
      "town.mayor" + std::string(22, ' '),
      "-int----------------------",
      "top" + std::string(29, ' ') + "0",
      "town.visits" + std::string(21, ' ') + "0 inheritable",
      "town.gate.opened" + pad + "2 inheritable protected",
      "plain" + std::string(27, ' ') + "0",
      "-func---------------------",
      "-bool---------------------",
      "f"};
  EXPECT_EQ(texts, expected);
  EXPECT_EQ(rows[4].id, 1);
  EXPECT_EQ(rows[7].id, 4);
  EXPECT_TRUE(mTable.toggleInheritable(rows[7].id));
  EXPECT_TRUE(mTable.isInheritable("plain"));
  EXPECT_FALSE(mTable.toggleInheritable(0));
  EXPECT_FALSE(mTable.toggleInheritable(5));
}

}  // namespace
