#include "field/SymbolNode.h"

#include <gtest/gtest.h>

#include <string>

#include "core/string/String.h"
#include "field/Container.h"
#include "field/Door.h"
#include "field/Enemy.h"
#include "core/file/nml/NmlDocument.h"
#include "records/Database.h"
#include "tests/field/FieldFixture.h"

namespace {

using FieldTestSupport::FieldTest;
using Game::Field::Symbol;

std::string written(const Symbol& symbol) {
  Game::NmlDocument document;
  symbol.save(*document.addChild("symbol"));
  Game::String text;
  document.toString(text, false);
  return text.c_str();
}

class SymbolNodeTest : public FieldTest {
 protected:
  std::unique_ptr<Symbol> readBack(const Symbol& symbol) {
    Game::NmlDocument document;
    document.loadFromText("save.txt", written(symbol).c_str());
    return Game::Field::readSymbol(*field, *document.findChild("symbol"));
  }
};

TEST_F(SymbolNodeTest, ASymbolReadBackWritesTheSameNode) {
  Symbol& s = place("walker", 1, 2, Game::Database::instance()->symbolChara("Kessa"), 37.9f);
  s.move("wait", 2);
  s.move("hop", 6, 1, 0, 0, 4);
  s.move("delete", 0);
  s.update();
  s.update();
  s.update();
  ASSERT_TRUE(s.isMoving());
  const std::unique_ptr<Symbol> copy = readBack(s);
  EXPECT_EQ(written(*copy), written(s));
  // The hop turned it toward +x.
  EXPECT_EQ(std::tuple(copy->name(), copy->x(), copy->y(), copy->angle(), copy->cursor(), copy->chara(),
                       copy->idleMotion()),
            std::tuple("walker", s.x(), s.y(), 0.f, 2, s.chara(), "stand"));
  EXPECT_EQ(std::tuple(copy->controller().hop, copy->controller().progress, copy->controller().total),
            std::tuple(true, 1, 6));
}

TEST_F(SymbolNodeTest, TheAngleIsWrittenInWholeDegreesAndEachParameterIsReadBack) {
  Symbol& s = place("s", 1, 1, nullptr, 37.9f);
  EXPECT_NE(written(s).find("angle 37;"), std::string::npos) << written(s);
  Symbol& huge = place("h", 1, 1, nullptr, 1e20f);
  EXPECT_NE(written(huge).find("angle 0;"), std::string::npos) << written(huge);
  Symbol& back = place("b", 1, 1, nullptr, -90.5f);
  EXPECT_EQ(readBack(back)->angle(), -90.f);
  // Each parameter is read back.
  Symbol& enemy = place("e", 1, 1);
  enemy.setParameter(std::make_unique<Game::Field::Enemy>(Game::Database::instance()->findRace("不死"), 1));
  Symbol& door = place("d", 1, 1);
  door.setParameter(std::make_unique<Game::Field::Door>("古びた鍵"));
  Symbol& chest = place("c", 1, 1);
  chest.setParameter(std::make_unique<Game::Field::Container>(
      Game::Article::fromItem(Game::Database::instance()->findTool("薬草")), 120, true, 2));
  Symbol& plainChest = place("p", 1, 1);
  plainChest.setParameter(std::make_unique<Game::Field::Container>(Game::Article(), 0, false, 0));
  for (Symbol* each : {&enemy, &door, &chest, &plainChest}) {
    EXPECT_EQ(written(*readBack(*each)), written(*each)) << each->name();
  }
  const auto e = readBack(enemy);
  ASSERT_TRUE(e->isEnemy());
  EXPECT_EQ(static_cast<Game::Field::Enemy*>(e->parameter())->pattern(), 1);
  const auto c = readBack(chest);
  const auto& contents = static_cast<Game::Field::Container&>(*c->parameter());
  EXPECT_EQ(std::tuple(contents.money(), contents.isUnique(), contents.lockLevel(), contents.article().isEmpty()),
            std::tuple(120, true, 2, false));
  EXPECT_EQ(written(plainChest).find("unique"), std::string::npos);
  EXPECT_EQ(static_cast<Game::Field::Door&>(*readBack(door)->parameter()).key(), "古びた鍵");
}

// A map definition needs no queue or step; a chest of one may leave out every key.
TEST_F(SymbolNodeTest, AMapDefinitionNeedsNoQueueStepOrChestKeys) {
  Game::NmlDocument document;
  document.loadFromText("map.txt", "symbol{ name 像; position 3,1; symbol 無い; model stand; }"
                                   "symbol{ name c; position 1,1; container{ } }");
  const auto s = Game::Field::readSymbol(*field, *document.child(0));
  EXPECT_EQ(std::tuple(s->x(), s->y(), s->chara(), s->isMoving(), s->hasCommands(), s->parameter()),
            std::tuple(3, 1, nullptr, false, false, nullptr));
  const auto chest = Game::Field::readSymbol(*field, *document.child(1));
  ASSERT_TRUE(chest->isContainer());
  const auto& contents = static_cast<Game::Field::Container&>(*chest->parameter());
  EXPECT_EQ(std::tuple(contents.article().isEmpty(), contents.money(), contents.isUnique(), contents.lockLevel()),
            std::tuple(true, 0, false, 0));
}

TEST_F(SymbolNodeTest, ADamagedQueueCannotRunOffItsEnds) {
  Game::NmlDocument document;
  document.loadFromText("save.txt",
                        "symbol{ name s; position 1,1; command{ command fly,3; command move,2,1,0; position 99; } "
                        "move{ count 5; time 3; wait -2; } }");
  const auto s = Game::Field::readSymbol(*field, *document.findChild("symbol"));
  s->update();
  EXPECT_EQ(s->commands().size(), 1u) << "the cursor went back to the front; the unknown keyword deleted itself";
  s->update();
  EXPECT_EQ(std::tuple(s->x(), s->y()), std::tuple(2, 1));
}

}  // namespace
