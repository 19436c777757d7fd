#pragma once

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "core/random/RandomGenerator.h"
#include "fuzz/SampleFile.h"
#include "core/file/nml/NmlDocument.h"
#include "core/file/nml/NmlNode.h"
#include "records/Database.h"
#include "records/ability/AbilityList.h"
#include "records/constance/Constance.h"

namespace DatabaseTestSupport {

// A file of the build's copy of the sample data (Shift-JIS); empty when the
// copy lacks it.
using FuzzSupport::sampleFile;

// The eight battle files as texts, the samples unless replaced.
struct BattleTexts {
  std::array<std::string, Game::Database::kBattleFileCount> texts;

  static BattleTexts samples() {
    BattleTexts out;
    for (int i = 0; i < Game::Database::kBattleFileCount; ++i) {
      out.texts[static_cast<std::size_t>(i)] = sampleFile(Game::Database::battleFilePath(i));
    }
    return out;
  }
  static BattleTexts empty() { return BattleTexts{}; }
  BattleTexts& with(int file, std::string text) {
    texts[static_cast<std::size_t>(file)] = std::move(text);
    return *this;
  }
};

// The list's entries as "name:level", one blank between.
inline std::string artsOf(const Game::AbilityList& list) {
  std::string out;
  for (Engine::i32 i = 0; i < list.count(); ++i) {
    out += std::string(i ? " " : "") + list.at(i).name() + ":" + std::to_string(list.at(i).level());
  }
  return out;
}

// Parses a text as one record file; the root lives until the next parse.
class ParsedText {
 protected:
  const Game::NmlNode& parse(const char* text) {
    mRoot = std::make_unique<Game::NmlNode>();
    EXPECT_TRUE(mRoot->parse(text, true)) << text;
    return *mRoot;
  }

 private:
  std::unique_ptr<Game::NmlNode> mRoot;
};

// The singletons the tables read through, and a database to load into.
class DatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Game::Constance::create();
    Game::Database::create();
    Game::RandomGenerator::create();
    Game::RandomGenerator::instance()->setSeed(2024);
  }
  void TearDown() override {
    Game::RandomGenerator::destroy();
    Game::Database::destroy();
    Game::Constance::destroy();
  }

  Game::Database& database() { return *Game::Database::instance(); }

  // Parses the texts as their files and loads every table from them.
  void load(const BattleTexts& files) {
    std::array<const Game::NmlNode*, Game::Database::kBattleFileCount> roots{};
    for (int i = 0; i < Game::Database::kBattleFileCount; ++i) {
      auto& document = mDocuments[static_cast<std::size_t>(i)];
      document = std::make_unique<Game::NmlDocument>();
      document->loadFromText(Game::Database::battleFilePath(i), files.texts[static_cast<std::size_t>(i)].c_str());
      roots[static_cast<std::size_t>(i)] = document.get();
    }
    database().load(roots);
  }
  void loadSamples() {
    const BattleTexts samples = BattleTexts::samples();
    for (const std::string& text : samples.texts) {
      ASSERT_FALSE(text.empty()) << "the build's copy of the battle files";
    }
    load(samples);
  }

 private:
  std::array<std::unique_ptr<Game::NmlDocument>, Game::Database::kBattleFileCount> mDocuments;
};

}  // namespace DatabaseTestSupport
