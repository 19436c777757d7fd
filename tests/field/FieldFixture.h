#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "field/MoveCommand.h"
#include "field/Symbol.h"
#include "core/file/nml/NmlDocument.h"
#include "core/file/nml/NmlNode.h"
#include "records/database/SymbolCharaData.h"
#include "tests/field/FakeSymbolField.h"
#include "tests/running/script/ScriptFixture.h"

namespace FieldTestSupport {

// A game over the sample databases and a 5 x 5 floor of the fake field.
class FieldTest : public ScriptTestSupport::ScriptTest {
 protected:
  void SetUp() override {
    ScriptTest::SetUp();
    fs().put("src/picture/symbol/c.txt", "model{ name stand; }");
    field = std::make_unique<FakeSymbolField>(game(), 5, 5);
  }
  void TearDown() override {
    symbols.clear();
    field.reset();
    ScriptTest::TearDown();
  }

  // A chara of the test's own, from the keys of a "symbol" entry.
  Game::SymbolCharaData* chara(const char* keys) {
    Game::NmlDocument document;
    document.loadFromText("chara.txt", (std::string("symbol{ name c; file c; ") + keys + " }").c_str());
    charas.push_back(std::make_unique<Game::SymbolCharaData>(
        Game::SymbolCharaData::read(*document.findChild("symbol"), "chara.txt", nullptr)));
    return charas.back().get();
  }
  // A symbol standing on the field (found there by others).
  Game::Field::Symbol& place(const char* name, Engine::i32 x, Engine::i32 y, Game::SymbolCharaData* look = nullptr,
                             float angle = 0.f) {
    symbols.push_back(std::make_unique<Game::Field::Symbol>(*field, name, look, "stand", x, y, angle));
    field->add(*symbols.back());
    return *symbols.back();
  }
  // n frames of the symbol; how many of them ended on an arrival.
  int run(Game::Field::Symbol& symbol, int n) {
    int arrivals = 0;
    for (int i = 0; i < n; ++i) {
      symbol.update();
      arrivals += symbol.hasArrived();
    }
    return arrivals;
  }
  // The symbol's queue, "keyword time" a command.
  static std::vector<std::string> keywords(const Game::Field::Symbol& symbol) {
    std::vector<std::string> out;
    for (const Game::Field::MoveCommand& command : symbol.commands()) {
      out.push_back(Game::Field::MoveCommand::keywordOf(command.code) + std::string(" ") + std::to_string(command.time));
    }
    return out;
  }

  MapTestSupport::BuildQueue buildQueue;
  std::unique_ptr<FakeSymbolField> field;
  std::vector<std::unique_ptr<Game::SymbolCharaData>> charas;
  std::vector<std::unique_ptr<Game::Field::Symbol>> symbols;
};

}  // namespace FieldTestSupport
