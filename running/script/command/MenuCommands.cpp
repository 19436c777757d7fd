#include "running/script/command/MenuCommands.h"

#include <algorithm>

#include "running/game/GameData.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlNode.h"
#include "presentation/widget/ListMenu.h"
#include "presentation/widget/NumberInput.h"
#include "running/script/Script.h"
#include "running/script/command/CommandReading.h"
#include "running/script/command/VariableCommands.h"

namespace Game::ScriptStuff {

using Engine::i32;

namespace {

constexpr Engine::u32 kItemColor = 0xFFC0C0C0;
constexpr i32 kItemFont = 2;
constexpr i32 kYes = 1;
constexpr i32 kNo = 2;

void setAnswer(GameData& game, i32 value, const char* command, const char* source) {
  integerForScript(game.variables(), "answer", command, source) = value;
}

}  // namespace

Confirm::Confirm(const NmlNode& element) : mCaption(optionalText(element, "caption")), mSource(loadingSource()) {}

Confirm::~Confirm() = default;

i32 Confirm::execute(GameData& game) {
  if (!mMenu) {
    mMenu = std::make_unique<ListMenu>();
    mMenu->setupYesNo(mCaption.c_str(), nullptr, nullptr, false);
  }
  mMenu->drawDefault();
  const i32 result = mMenu->updateYesNo();
  if (result != kYes && result != kNo) {
    return kStay;
  }
  setAnswer(game, result == kYes ? 0 : 1, "confirm", mSource.c_str());
  mMenu.reset();
  return kYield;
}

Dialog::Dialog(const NmlNode& element) : mSource(loadingSource()) {
  for (i32 i = 0; const NmlAttribute* line = element.findAttribute("line", i); ++i) {
    Entry entry;
    entry.id = line->toInt(0);
    entry.text.assign(line->item(1));
    if (line->itemCount() > 2) {
      entry.condition = std::make_unique<Expression>();
      entry.condition->parse(line->item(2));
    }
    mEntries.push_back(std::move(entry));
  }
}

Dialog::~Dialog() = default;

void Dialog::open() {
  mMenu = std::make_unique<ListMenu>();
  for (const Entry& entry : mEntries) {
    if (!entry.condition || entry.condition->evaluate() != 0) {
      mMenu->addItem(entry.text.c_str(), entry.id, kItemColor, kItemFont);
    }
  }
  mMenu->setPosition(0.f, 0.f);
}

i32 Dialog::execute(GameData& game) {
  if (!mMenu) {
    open();
  }
  mMenu->drawDefault();
  if (mMenu->update() != ListMenu::kDecided) {
    return kStay;
  }
  setAnswer(game, mMenu->selectedId(0), "dialog", mSource.c_str());
  mMenu.reset();
  return kYield;
}

NumberDialog::NumberDialog(const NmlNode& element) : mSource(loadingSource()) {
  parseRequired(mMin, element, "min");
  parseRequired(mMax, element, "max");
  parseRequired(mValue, element, "value");
}

NumberDialog::~NumberDialog() = default;

i32 NumberDialog::execute(GameData& game) {
  if (!mInput) {
    const i32 min = mMin.evaluate();
    // A range given upside down holds its minimum alone.
    const i32 max = std::max(min, mMax.evaluate());
    mInput = std::make_unique<NumberInput>(std::clamp(mValue.evaluate(), min, max), min, max);
  }
  const i32 result = mInput->update();
  mInput->draw();
  if (result != 1) {
    return kStay;
  }
  setAnswer(game, mInput->value(), "numberDialog", mSource.c_str());
  mInput.reset();
  return kNext;
}

}  // namespace Game::ScriptStuff
