#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "NmlTestSupport.h"
#include "file/nml/NmlNode.h"

namespace {

using Game::NmlNode;
using NmlTestSupport::dump;
using NmlTestSupport::written;

void expectRoundTrip(const NmlNode& tree, const std::string& label) {
  for (bool pretty : {true, false}) {
    NmlNode copy;
    ASSERT_TRUE(copy.parse(written(tree, pretty).c_str(), false)) << label;
    EXPECT_EQ(dump(copy), dump(tree)) << label << (pretty ? " (pretty)" : " (compact)");
  }
}

TEST(NmlRoundTripTest, ValuesThatWouldBreakTheDocumentReadBackUnchanged) {
  NmlNode tree;
  const char* nasty[] = {";",    "{",   "}",     "a,b",  " lead", "//x", "a\tb\r\nc", "\xFF",  "\x82",
                         "x\x82", "tail ", "k ey", "/",   "a//b", "\x83\x7B", "\x83\x7D}", " ",   "\xFF;"};
  for (const char* value : nasty) {
    tree.addAttribute("k")->addItem(value);
    tree.addAttribute("k")->addItem("first");
    tree.findAttribute("k", tree.countAttributes("k") - 1)->addItem(value);
    tree.addAttribute(value)->addItem("v");
    tree.addAttribute(value);
    tree.addChild(value)->addAttribute(value, "1");
  }
  expectRoundTrip(tree, "nasty values");
  // The escape is one 0xFF before the byte.
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

// Every sample data file (the build's Shift-JIS copy of game/) parses strictly
// and survives a write and a read in both forms.
TEST(NmlRoundTripTest, SampleDataFiles) {
  int files = 0;
  std::error_code noDirectory;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(MARROWDEEP_GAME_DIR, noDirectory)) {
    if (entry.is_regular_file() && entry.path().extension() == ".txt") {
      std::ifstream in(entry.path(), std::ios::binary | std::ios::ate);
      std::string text(static_cast<std::size_t>(in.tellg()), '\0');
      in.seekg(0).read(text.data(), static_cast<std::streamsize>(text.size()));
      NmlNode tree;
      ASSERT_TRUE(tree.parse(text.c_str(), false)) << entry.path();
      expectRoundTrip(tree, entry.path());
      ++files;
    }
  }
  if (files == 0) {
    GTEST_SKIP() << "no sample data files in " << MARROWDEEP_GAME_DIR;
  }
}

}  // namespace
