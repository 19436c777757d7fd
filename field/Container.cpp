#include "field/Container.h"

#include <cstdint>
#include <string>

#include "running/game/GameData.h"
#include "core/random/RandomGenerator.h"
#include "core/variable/VariableTable.h"
#include "live/Bag.h"
#include "live/party/FieldAbilities.h"
#include "live/unit/Ghost.h"
#include "field/SymbolField.h"
#include "core/file/nml/NmlNode.h"
#include "presentation/widget/ListMenu.h"
#include "records/Database.h"
#include "records/database/ToolData.h"

namespace Game::Field {

using Engine::i32;

namespace {

// The first child of that name; null when there is none.
const NmlNode* optionalChild(const NmlNode& node, const char* name) {
  return node.countChildren(name) > 0 ? node.findChild(name) : nullptr;
}

constexpr Engine::u32 kChoiceColour = 0xFFC0C0C0;
constexpr i32 kChoiceFont = 0;

}  // namespace

Container::Container(const Article& article, i32 money, bool unique, i32 lockLevel)
    : mArticle(article), mMoney(money), mUnique(unique), mLockLevel(lockLevel) {}

Container::~Container() = default;

std::unique_ptr<Container> Container::read(const NmlNode& node) {
  Article article;
  if (const NmlNode* child = optionalChild(node, "article")) {
    article.load(*child);
  }
  const NmlAttribute* money = node.findAttribute("money");
  const NmlAttribute* lock = node.findAttribute("lockLevel");
  return std::make_unique<Container>(article, money ? money->toInt(0) : 0, node.findAttribute("unique") != nullptr,
                                     lock ? lock->toInt(0) : 0);
}

std::string Container::openedFlag(const char* floorName, const char* entryName) {
  return std::string("Container_") + floorName + "_" + entryName;
}

bool Container::wasOpened(const VariableTable& variables, const char* floorName, const char* entryName) {
  const std::string flag = openedFlag(floorName, entryName);
  return variables.isFlagOn(flag.c_str()) || variables.isFlagOn(openedFlag(floorName, flag.c_str()).c_str());
}

void Container::save(NmlNode& node) const {
  NmlNode& container = *node.addChild("container");
  mArticle.save(*container.addChild("article"));
  container.addInt("money", mMoney);
  if (mUnique) {
    container.addBool("unique", true);
  }
  container.addInt("lockLevel", mLockLevel);
}

bool Container::touch(bool& remove, Symbol& symbol) {
  if (mMenu) {
    const i32 result = mMenu->update();
    mMenu->draw(true);
    if (result == ListMenu::kNothing) {
      return false;
    }
    const i32 choice = result == ListMenu::kDecided ? mMenu->selectedId(0) : kGiveUp;
    mMenu.reset();
    return choose(choice, remove, symbol);
  }
  SymbolField& field = symbol.field();
  if (mLockLevel > 0) {
    if (mLockLevel > field.fieldAbilities().lockpicking) {
      field.say(nullptr, ("鍵がかかっている Level " + std::to_string(mLockLevel)).c_str());
      openMenu(symbol);
      return false;
    }
    field.say(nullptr, "鍵を開けた！");
  }
  open(remove, symbol);
  return true;
}

bool Container::choose(i32 choice, bool& remove, Symbol& symbol) {
  SymbolField& field = symbol.field();
  switch (choice) {
    case kMagicKey:
      field.game().expendTool(Database::instance()->findTool(kMagicKeyName));
      field.say(nullptr, "鍵を開けた！");
      open(remove, symbol);
      return true;
    case kBreak:
      field.say(nullptr, "宝箱を破壊した！");
      if (field.random().getInt(100) < kBreakChance) {
        field.say(kCry, "中身まで壊れた！");
        remove = true;
        return true;
      }
      open(remove, symbol);
      return true;
    default:
      return true;
  }
}

void Container::openMenu(Symbol& symbol) {
  mMenu = std::make_unique<ListMenu>();
  mMenu->setTitle("どうする？", kChoiceFont, kChoiceColour);
  const ToolData* key = Database::instance()->findTool(kMagicKeyName);
  const i32 keys = key ? symbol.field().game().bag().countItem(key) : 0;
  if (keys > 0) {
    mMenu->addItem(("魔法鍵 残り" + std::to_string(keys)).c_str(), kMagicKey, kChoiceColour, kChoiceFont);
  }
  mMenu->addItem("ぶっこわす", kBreak, kChoiceColour, kChoiceFont);
  mMenu->addItem("あきらめる", kGiveUp, kChoiceColour, kChoiceFont);
}

void Container::open(bool& remove, Symbol& symbol) {
  remove = true;
  SymbolField& field = symbol.field();
  GameData& game = field.game();
  if (mArticle.isEmpty() && mMoney == 0) {
    field.say(kCry, "からっぽ！");
  } else {
    if (!mArticle.isEmpty()) {
      field.say(kSmile, (std::string("これは……　") + mArticle.item()->displayName() + "ね！").c_str());
      game.bag().add(mArticle, 1);
    }
    if (mMoney != 0) {
      sayMoney(field, game.money());
      game.money() = saturatingAdd(game.money(), mMoney);
    }
  }
  if (mUnique) {
    game.variables().flagOn(symbol.name().c_str());
  }
}

void Container::sayMoney(SymbolField& field, i32 partyMoney) const {
  const std::string amount = std::to_string(mMoney);
  if (partyMoney / 10 > mMoney) {
    field.say(kCry, ("たったの" + amount + "円ね").c_str());
  } else if (mMoney <= 2 * static_cast<std::int64_t>(partyMoney) + 500) {
    field.say(kPlain, (amount + "円ね").c_str());
  } else {
    field.say(kSmile, ("すごい！　" + amount + "円もある！").c_str());
  }
}

}  // namespace Game::Field
