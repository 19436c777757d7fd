#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "LayerRules.h"

namespace {

using Layers::Finding;
namespace fs = std::filesystem;

constexpr const char* kLayers =
    "# bottom\n"
    "core/string core/math   # one layer of two folders\n"
    "core\n"
    "presentation\n"
    "menu\n";

// A small project tree in a temporary folder, written file by file.
class LayerTreeTest : public testing::Test {
 protected:
  void SetUp() override {
    mRoot = fs::temp_directory_path() / ("layers_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                         "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(mRoot);
    write("layers.txt", kLayers);
    write("core/string/String.h", "#pragma once\n#include \"core/math/Vector.h\"\n");
    write("core/math/Vector.h", "#pragma once\n#include \"core/string/String.h\"\n");
    write("core/game/Game.cpp", "#include \"core/string/String.h\"\n#include <vector>\n#include \"Engine/Base/Types.h\"\n");
    write("presentation/Widget.cpp", "#include \"core/game/Game.h\"\n");
    write("menu/Title.cpp", "  #  include \"presentation/Widget.h\"\n");
  }
  void TearDown() override { fs::remove_all(mRoot); }

  void write(const std::string& path, const std::string& text) {
    fs::create_directories((mRoot / path).parent_path());
    std::ofstream(mRoot / path) << text;
  }
  std::vector<Finding> check() { return Layers::checkProject(mRoot, "layers.txt"); }
  // Where the findings are, as "file:line" each.
  std::string foundAt() {
    std::string at;
    for (const Finding& finding : check()) {
      at += (at.empty() ? "" : " ") + finding.file + ":" + std::to_string(finding.line);
    }
    return at;
  }

  fs::path mRoot;
};

TEST_F(LayerTreeTest, IncludesOfTheSameLayerAndBelowPassAndOnlyIncludeLinesOfSourcesCount) {
  write("core/game/notes.txt", "#include \"menu/Title.h\"\n");
  write("core/game/Text.cpp", "const char* s = \"*\";\n*include \"menu/Title.h\"\n// #include \"menu/Title.h\"\n");
  EXPECT_TRUE(check().empty());
}

TEST_F(LayerTreeTest, AnIncludeWithoutABlankBeforeItsNameCounts) {
  write("core/game/Tight.cpp", "#include\"menu/Title.h\"\n");
  EXPECT_EQ(foundAt(), "core/game/Tight.cpp:1");
}

TEST_F(LayerTreeTest, AnIncludeFromCoreUpToMenuIsNamedWithFileAndLine) {
  write("core/game/Game.cpp", "#include \"core/string/String.h\"\n\n#include \"menu/Title.h\"\n");
  EXPECT_EQ(foundAt(), "core/game/Game.cpp:3");
  EXPECT_NE(check().at(0).message.find("menu/Title.h"), std::string::npos) << check().at(0).message;
}

TEST_F(LayerTreeTest, TheDeepestListedFolderGivesTheLayer) {
  // core/string lies below core: core may include it, not the other way.
  write("core/string/Format.cpp", "#include \"core/game/Game.h\"\n");
  EXPECT_EQ(foundAt(), "core/string/Format.cpp:1");
}

TEST_F(LayerTreeTest, AListedExceptionAllowsItsIncludeAndAStaleOneIsReported) {
  write("core/game/Game.cpp", "#include \"menu/Title.h\"\n");
  write("layers.txt", std::string(kLayers) + "except core/game/Game.cpp menu/Title.h  # why\n" +
                          "except core/game/Game.cpp menu/Gone.h\n");
  EXPECT_EQ(foundAt(), "layers.txt:7");
  EXPECT_NE(check().at(0).message.find("menu/Gone.h"), std::string::npos);
}

TEST_F(LayerTreeTest, AFileOutsideEveryListedFolderAndAFolderListedTwiceAreFaults) {
  write("stray/Loose.cpp", "");
  write("layers.txt", std::string(kLayers) + "stray/inner\n");
  EXPECT_EQ(foundAt(), "stray/Loose.cpp:0");
  write("layers.txt", std::string(kLayers) + "core\n");
  EXPECT_EQ(foundAt(), "layers.txt:6");
}

TEST(LayerRulesTest, ATopFolderHoldsOneRunOfLayers) {
  Layers::LayerRules rules;
  std::vector<Finding> findings;
  rules.parse("a/x b\na/y\n\nc\nb/z  # b came before c\nd a/w\n", "layers.txt", findings);
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_EQ(findings[0].line, 5);
  EXPECT_NE(findings[0].message.find("top folder b "), std::string::npos) << findings[0].message;
  EXPECT_EQ(findings[1].line, 6);
  EXPECT_NE(findings[1].message.find("top folder a "), std::string::npos) << findings[1].message;
}

TEST(LayerRulesTest, FoldersOnALineShareALayerAndLaterLinesLieAbove) {
  Layers::LayerRules rules;
  std::vector<Finding> findings;
  rules.parse(kLayers, "layers.txt", findings);
  ASSERT_TRUE(findings.empty());
  EXPECT_EQ(rules.layerOf("core/string/String.h"), 0);
  EXPECT_EQ(rules.layerOf("core/math/Vector.h"), 0);
  EXPECT_EQ(rules.layerOf("core/game/Game.h"), 1);
  EXPECT_EQ(rules.layerOf("menu/sub/Title.h"), 3);
  EXPECT_EQ(rules.layerOf("menus/Title.h"), -1);
  EXPECT_EQ(rules.layerOf("core"), -1);
  Layers::LayerRules slashed;
  slashed.parse("u/\nv\n", "slashed.txt", findings);
  EXPECT_EQ(slashed.layerOf("u/Loose.h"), 0);
  EXPECT_EQ(rules.topFolders(), (std::vector<std::string>{"core", "presentation", "menu"}));
}

}  // namespace
