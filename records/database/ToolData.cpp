#include "records/database/ToolData.h"

#include <algorithm>

#include "core/file/nml/NmlNode.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/scene/TextWriter.h"
#include "records/constance/Keywords.h"
#include "core/file/DataError.h"
#include "records/table/RecordReading.h"

namespace Game {

using Engine::i32;

ToolData::ToolData(const char* name, const char* fullName) : mName(name), mFullName(fullName) {}

void ToolData::read(const NmlNode& node, const StateTable& states) {
  *this = ToolData{};
  mName.assign(RecordReading::required(node, "name").toString(0));
  mFullName.assign(mName.c_str());
  RecordReading::readText(node, "fullName", mFullName);
  RecordReading::readText(node, "help", mHelp);
  RecordReading::readText(node, "script", mScript);
  mIcon.assign(RecordReading::required(node, "icon").toString(0));
  mPrice = RecordReading::required(node, "price").toInt(0);
  if (const NmlAttribute* energy = node.findAttribute("energy")) {
    setEnergy(energy->toInt(0));
  }
  if (node.countChildren("equip") > 0) {
    mPerformance.read(*node.findChild("equip"));
  }
  if (node.countChildren("status") > 0) {
    mStatus.read(*node.findChild("status"));
  }
  if (node.countChildren("attack") > 0) {
    mAttack.read(*node.findChild("attack"));
    RecordReading::checkStates(mAttack, states);
  }
  if (node.countChildren("defense") > 0) {
    mDefense.read(*node.findChild("defense"), states);
  }
  for (i32 i = 0; const NmlAttribute* slot = node.findAttribute("slot", i); ++i) {
    for (i32 k = 0; k < slot->itemCount(); ++k) {
      mSlotMask |= Keyword::slotBit(slot->item(k));
    }
  }
  if (const NmlAttribute* line = node.findAttribute("artsSystem")) {
    mArtsSystem.read(*line);
  }
  for (i32 i = 0; const NmlAttribute* shell = node.findAttribute("shell", i); ++i) {
    mShells.emplace_back(shell->toString(0));
  }
}

void ToolData::scriptPath(String& out) const {
  out.assign("src/data/tool/");
  out.append(script());
  out.append(".txt");
}

void ToolData::readArts(const NmlNode& node) {
  mArts.load(node);
  mPassiveArts.clear();
  for (i32 i = 0; i < node.countChildren("passiveArts"); ++i) {
    Ability passive;
    passive.load(*node.findChild("passiveArts", i));
    mPassiveArts.add(passive);
  }
  mThrowArt.clear();
  if (node.countChildren("throw") > 0) {
    Ability thrown;
    thrown.load(*node.findChild("throw"));
    mThrowArt.add(thrown);
  }
}

void ToolData::drawSpec(TextWriter& writer, float x, float y, i32 uses, float scale) const {
  constexpr Engine::u32 kGrey = 0xFFC0C0C0;
  constexpr Engine::u32 kWorn = 0xFFFF8080;
  constexpr Engine::u32 kLabel = 0xFFFFFF80;
  const auto label = [&writer](const char* text) {
    writer.setColor(kLabel);
    writer.continueLine();
    writer.print(text);
    writer.setColor(kGrey);
  };
  writer.setFont(1);
  writer.setColor(mHasDurability && uses < 2 ? kWorn : kGrey);
  writer.setPosition(static_cast<i32>(x), static_cast<i32>(y));
  writer.print(fullName());
  const Performance performance = scaledStatus(scale);
  if (performance.weapon != 0) {
    label("武器性能 ");
    writer.printNumber(performance.weapon);
  }
  if (performance.defense != 0 || performance.magicDefense != 0) {
    label("物理防御 ");
    writer.continueLine();
    writer.printNumber(performance.defense, 2);
    label(" 魔法防御 ");
    writer.printNumber(performance.magicDefense, 2);
  }
  if (mHasDurability) {
    label("耐久度 ");
    writer.printNumber(uses);
  }
  writer.setFont(0);
  writer.setColor(kGrey);
  writer.print(help());
}

void ToolData::drawSpec(float x, float y, i32 uses, float scale) const {
  if (SceneRenderer* renderer = SceneRenderer::instance()) {
    drawSpec(renderer->textWriter(), x, y, uses, scale);
  }
}

i32 ToolData::sellValue() const { return mPrice >= 1 ? std::max(mPrice / 4, 1) : mPrice / 4; }

void ToolData::setEnergy(i32 energy) {
  mEnergy = energy;
  mHasDurability = true;
}

bool ToolData::isUsableBy(const char* shellName) const {
  if (mShells.empty()) {
    return true;
  }
  for (const String& shell : mShells) {
    if (shell.equals(shellName)) {
      return true;
    }
  }
  return false;
}

}  // namespace Game
