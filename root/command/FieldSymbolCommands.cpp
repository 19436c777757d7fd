#include "root/command/FieldSymbolCommands.h"

#include <algorithm>
#include <cstdio>

#include "field/FieldScene.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlNode.h"
#include "records/Database.h"
#include "running/script/command/CommandReading.h"
#include "root/command/RunningScenes.h"

namespace Game::ScriptStuff {

using Engine::i32;

namespace {

constexpr float kQuarterTurn = 90.f;
constexpr i32 kMoveParameters = 4;

std::string text(const NmlNode& element, const char* key) { return optionalText(element, key); }

// A chest without a name is called by its position in two digits, as in the
// floors' list.
std::string twoDigits(i32 position) {
  char name[16];
  std::snprintf(name, sizeof name, "%02d", static_cast<int>(position));
  return name;
}

// The named symbol of the open field; null without either.
Field::Symbol* findSymbol(GameData& game, const char* keyword, const std::string& name) {
  FieldScene* field = runningField(game, keyword);
  return field ? field->findSymbol(name.c_str()) : nullptr;
}

}  // namespace

CreateSymbol::CreateSymbol(const NmlNode& element)
    : mName(text(element, "name")),
      mChara(element.findAttribute("type") ? text(element, "type") : mName),
      mEvent(optionalInt(element, "position", 0)),
      mAngle(static_cast<float>(optionalInt(element, "angle", 0)) * kQuarterTurn) {}

i32 CreateSymbol::execute(GameData& game) {
  if (FieldScene* field = runningField(game, "createSymbol")) {
    field->addSymbolAtEvent(mName.c_str(), mChara.c_str(), mEvent, mAngle);
  }
  return kNext;
}

DestroySymbol::DestroySymbol(const NmlNode& element) : mName(text(element, "name")) {}

i32 DestroySymbol::execute(GameData& game) {
  if (FieldScene* field = runningField(game, "destroySymbol")) {
    field->removeSymbolsNamed(mName.c_str());
  }
  return kNext;
}

MoveSymbol::MoveSymbol(const NmlNode& element) : mName(text(element, "name")) {
  for (i32 i = 0; i < element.countChildren("command"); ++i) {
    const NmlNode& child = *element.findChild("command", i);
    Step step;
    step.motion = text(child, "name");
    step.time = optionalInt(child, "time", 0);
    step.repeat = optionalInt(child, "number", 1);
    if (const NmlAttribute* parameters = child.findAttribute("parameter")) {
      for (i32 p = 0; p < std::min(parameters->itemCount(), kMoveParameters); ++p) {
        step.parameters[p] = parameters->toInt(p);
      }
    }
    mSteps.push_back(step);
  }
}

i32 MoveSymbol::execute(GameData& game) {
  Field::Symbol* symbol = findSymbol(game, "move", mName);
  for (const Step& step : mSteps) {
    for (i32 n = 0; symbol && n < step.repeat; ++n) {
      const i32* p = step.parameters;
      symbol->move(step.motion.c_str(), step.time, p[0], p[1], p[2], p[3]);
    }
  }
  return kNext;
}

// The record of a fixed chest of the floor list, read from the element.
CreateContainer::CreateContainer(const NmlNode& element) {
  mContainer.position = requiredLine(element, "position").toInt(0);
  mContainer.name = element.findAttribute("name") ? text(element, "name") : twoDigits(mContainer.position);
  mContainer.money = optionalInt(element, "money", 0);
  mContainer.tool = text(element, "tool");
  mContainer.expression = text(element, "expression");
}

i32 CreateContainer::execute(GameData& game) {
  if (FieldScene* field = runningField(game, "createContainer")) {
    field->placeFixedContainer(mContainer);
  }
  return kNext;
}

CreateDoor::CreateDoor(const NmlNode& element)
    : mKey(text(element, "key")),
      mEvent(optionalInt(element, "position", 0)),
      mDirection(optionalInt(element, "angle", 0)),
      mLarge(element.findAttribute("big") != nullptr) {}

i32 CreateDoor::execute(GameData& game) {
  if (FieldScene* field = runningField(game, "createDoor")) {
    field->placeDoor(mEvent, mDirection, mLarge, mKey.c_str());
  }
  return kNext;
}

OpenSymbol::OpenSymbol(const NmlNode& element) : mName(text(element, "name")) {}

i32 OpenSymbol::execute(GameData& game) {
  FieldScene* field = runningField(game, "openSymbol");
  Field::Symbol* symbol = field ? field->findSymbol(mName.c_str()) : nullptr;
  if (!symbol) {
    return kNext;
  }
  bool remove = false;
  if (!symbol->touch(remove)) {
    return kStay;
  }
  if (remove) {
    field->removeSymbolsNamed(mName.c_str());
  }
  return kNext;
}

TargetSymbol::TargetSymbol(const NmlNode& element) : mName(text(element, "name")) {}

i32 TargetSymbol::execute(GameData& game) {
  if (FieldScene* field = runningField(game, "targetSymbol")) {
    field->setFollowed(field->findSymbol(mName.c_str()));
  }
  return kNext;
}

ChangeSymbol::ChangeSymbol(const NmlNode& element) : mName(text(element, "name")), mChara(text(element, "type")) {}

i32 ChangeSymbol::execute(GameData& game) {
  if (Field::Symbol* symbol = findSymbol(game, "changeSymbol", mName)) {
    SymbolCharaData* chara = mChara.empty() ? nullptr : Database::instance()->symbolChara(mChara.c_str());
    symbol->changeChara(chara, FieldScene::kStandMotion);
  }
  return kNext;
}

AimSymbol::AimSymbol(const NmlNode& element) : mName(text(element, "name")), mTarget(text(element, "target")) {}

i32 AimSymbol::execute(GameData& game) {
  FieldScene* field = runningField(game, "aimSymbol");
  Field::Symbol* symbol = field ? field->findSymbol(mName.c_str()) : nullptr;
  const Field::Symbol* target = field ? field->findSymbol(mTarget.c_str()) : nullptr;
  if (symbol && target) {
    symbol->aimAt(*target);
  }
  return kNext;
}

RotateSymbol::RotateSymbol(const NmlNode& element)
    : mName(text(element, "name")), mAngle(optionalFloat(element, "value", 0.f)) {}

i32 RotateSymbol::execute(GameData& game) {
  if (Field::Symbol* symbol = findSymbol(game, "rotateSymbol", mName)) {
    symbol->setAngle(mAngle);
  }
  return kNext;
}

}  // namespace Game::ScriptStuff
