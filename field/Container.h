#pragma once

#include <memory>
#include <string>

#include "Engine/Base/Types.h"
#include "live/article/Article.h"
#include "field/Symbol.h"

namespace Game {

class ListMenu;
class VariableTable;

namespace Field {

// A treasure chest: an article, money or both, perhaps locked. The party
// opens a lock its picking reaches; else it chooses a magic key, force or
// leaving it.
class Container final : public SymbolParameter {
 public:
  // The choices of a lock the party cannot pick, by item id.
  enum Choice : Engine::i32 { kMagicKey = 0, kBreak = 1, kGiveUp = 2 };
  // Forcing a chest breaks what is in it too this often in 100.
  static constexpr Engine::i32 kBreakChance = 91;
  static constexpr const char* kMagicKeyName = "魔法鍵";
  static constexpr const char* kSmile = "Kessa笑";
  static constexpr const char* kCry = "Kessa泣";
  static constexpr const char* kPlain = "Kessa";

  Container(const Article& article, Engine::i32 money, bool unique, Engine::i32 lockLevel);
  ~Container() override;
  // "article" (child), "money", "unique" and "lockLevel" of a "container" node.
  static std::unique_ptr<Container> read(const NmlNode& node);

  // The flag of the floor's fixed chest of that entry once opened for good;
  // the chest's symbol bears the same name, and opening it sets the flag of
  // that name.
  static std::string openedFlag(const char* floorName, const char* entryName);
  // The chest's flag is on, or the one games saved before set (the symbol's
  // name after the floor's prefix again).
  static bool wasOpened(const VariableTable& variables, const char* floorName, const char* entryName);

  void save(NmlNode& node) const override;
  // False while the lock's choice is still open.
  bool touch(bool& remove, Symbol& symbol) override;
  bool isEnemy() const override { return false; }
  bool isContainer() const override { return true; }
  void step(Symbol&) override {}

  // The lock's menu is answered with the choice of that id.
  bool choose(Engine::i32 choice, bool& remove, Symbol& symbol);

  const Article& article() const { return mArticle; }
  Engine::i32 money() const { return mMoney; }
  bool isUnique() const { return mUnique; }
  Engine::i32 lockLevel() const { return mLockLevel; }
  ListMenu* menu() const { return mMenu.get(); }

 private:
  void openMenu(Symbol& symbol);
  // The contents go to the party.
  void open(bool& remove, Symbol& symbol);
  void sayMoney(SymbolField& field, Engine::i32 partyMoney) const;

  Article mArticle;
  Engine::i32 mMoney;
  bool mUnique;
  Engine::i32 mLockLevel;
  std::unique_ptr<ListMenu> mMenu;
};

}  // namespace Field
}  // namespace Game
