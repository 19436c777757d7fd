#include "field/SymbolNode.h"

#include <cmath>
#include <string>

#include "field/Container.h"
#include "field/Door.h"
#include "field/Enemy.h"
#include "field/Symbol.h"
#include "core/file/nml/NmlNode.h"
#include "records/Database.h"
#include "records/database/SymbolCharaData.h"

namespace Game::Field {

using Engine::i32;

namespace {

// The first child of that name; null when there is none.
const NmlNode* optionalSymbolChild(const NmlNode& node, const char* name) {
  return node.countChildren(name) > 0 ? node.findChild(name) : nullptr;
}

const char* text(const NmlNode& node, const char* key) {
  const NmlAttribute* line = node.findAttribute(key);
  return line ? line->item(0) : "";
}

i32 integer(const NmlNode& node, const char* key, i32 item = 0) {
  const NmlAttribute* line = node.findAttribute(key);
  return line ? line->toInt(item) : 0;
}

void addPair(NmlNode& node, const char* key, i32 a, i32 b) {
  NmlAttribute& line = *node.addAttribute(key);
  line.addInt(a);
  line.addInt(b);
}

// Whole degrees; an angle no int holds is 0.
i32 wholeDegrees(float angle) {
  const double degrees = std::trunc(static_cast<double>(angle));
  return degrees >= INT32_MIN && degrees <= INT32_MAX ? static_cast<i32>(degrees) : 0;
}

std::unique_ptr<SymbolParameter> readParameter(const NmlNode& node) {
  if (const NmlNode* child = optionalSymbolChild(node, "container")) {
    return Container::read(*child);
  }
  if (const NmlNode* child = optionalSymbolChild(node, "door")) {
    return Door::read(*child);
  }
  if (const NmlNode* child = optionalSymbolChild(node, "enemy")) {
    return Enemy::read(*child);
  }
  return nullptr;
}

}  // namespace

void Symbol::save(NmlNode& node) const {
  node.addAttribute("name", mName.c_str());
  addPair(node, "position", mX, mY);
  node.addInt("angle", wholeDegrees(mAngle));
  node.addAttribute("symbol", mChara ? mChara->name() : "");
  node.addAttribute("model", mIdleMotion.c_str());
  if (mParameter) {
    mParameter->save(node);
  }
  NmlNode& queue = *node.addChild("command");
  for (const MoveCommand& command : mCommands) {
    NmlAttribute& line = *queue.addAttribute("command");
    line.addItem(MoveCommand::keywordOf(command.code));
    line.addInt(command.time);
    for (i32 p : command.parameters) {
      line.addInt(p);
    }
  }
  queue.addInt("position", mCursor);
  NmlNode& move = *node.addChild("move");
  addPair(move, "goal", mMove.toX, mMove.toY);
  addPair(move, "start", mMove.fromX, mMove.fromY);
  move.addInt("count", mMove.progress);
  move.addInt("time", mMove.total);
  move.addInt("wait", mMove.wait);
  move.addBool("jump", mMove.hop);
}

void Symbol::restore(const NmlNode& node) {
  clearCommands();
  if (const NmlNode* queue = optionalSymbolChild(node, "command")) {
    for (const NmlAttribute& line : queue->attributesKeyed("command")) {
      move(line.item(0), line.toInt(1), line.toInt(2), line.toInt(3), line.toInt(4), line.toInt(5));
    }
    mCursor = integer(*queue, "position");
  }
  if (const NmlNode* move = optionalSymbolChild(node, "move")) {
    mMove.toX = integer(*move, "goal", 0);
    mMove.toY = integer(*move, "goal", 1);
    mMove.fromX = integer(*move, "start", 0);
    mMove.fromY = integer(*move, "start", 1);
    mMove.progress = integer(*move, "count");
    mMove.total = integer(*move, "time");
    mMove.wait = integer(*move, "wait");
    const NmlAttribute* jump = move->findAttribute("jump");
    mMove.hop = jump && jump->toBool(0);
  }
}

std::unique_ptr<Symbol> readSymbol(SymbolField& field, const NmlNode& node) {
  const char* charaName = text(node, "symbol");
  SymbolCharaData* chara = *charaName ? Database::instance()->symbolChara(charaName) : nullptr;
  const NmlAttribute* angle = node.findAttribute("angle");
  auto symbol = std::make_unique<Symbol>(field, text(node, "name"), chara, text(node, "model"),
                                         integer(node, "position", 0), integer(node, "position", 1),
                                         angle ? angle->toFloat(0) : 0.f);
  symbol->setParameter(readParameter(node));
  symbol->restore(node);
  return symbol;
}

}  // namespace Game::Field
