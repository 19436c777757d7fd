#include <algorithm>
#include <string>

#include "records/ability/Ability.h"
#include "records/stats/AttackBlock.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/ui/UiDraw.h"
#include "records/constance/Constance.h"

namespace Game {

using Engine::i32;

namespace {

constexpr Engine::u32 kTextColor = 0xFFC0C0C0;
constexpr Engine::u32 kFrameColor = 0xFFFFFFFF;
constexpr i32 kHelpFont = 0;
constexpr i32 kHelpColumns = 40;
constexpr i32 kWholeSideAreas[] = {8, 9};

void appendLine(String& out, const char* text) {
  if (out.length() > 0) {
    out.append("\n");
  }
  out.append(text);
}

void appendCost(String& out, const char* label, i32 value) {
  if (value == 0) {
    return;
  }
  String line(label);
  line.append(" ");
  line.appendInt(value);
  appendLine(out, line.c_str());
}

// The attack's attributes by name, as its flag block orders them: the
// ability flags, then the damage types; empty for an attack without any.
void appendAttributes(String& out, const AttackBlock& attack) {
  const Constance* constants = Constance::instance();
  if (!constants) {
    return;
  }
  String line;
  auto add = [&line](const char* name) {
    if (line.length() > 0) {
      line.append(" ");
    }
    line.append(name);
  };
  for (i32 i = 0; i < ElementFlags::kCount; ++i) {
    if (attack.elements().isSet(i)) {
      add(constants->abilityFlagName(i));
    }
  }
  for (i32 i = 0; i < TypeFlags::kCount; ++i) {
    if (attack.types().isSet(i)) {
      add(constants->attributeName(i));
    }
  }
  if (line.length() > 0) {
    line.wrapLines(kHelpColumns);
    appendLine(out, line.c_str());
  }
}

}  // namespace

void Ability::shortCaption(String& out, i32 n) const {
  String full;
  caption(full);
  // Room for the "..." that marks a cut.
  out.reserve(full.length() + 4);
  out.assign(full.c_str());
  out.ellipsize(n);
}

void Ability::helpText(String& out) const {
  out.assign("");
  if (!mArt) {
    return;
  }
  if (mLevel > 1) {
    String line("Level ");
    line.appendInt(mLevel);
    appendLine(out, line.c_str());
  }
  String wrapped(help());
  wrapped.wrapLines(kHelpColumns);
  appendLine(out, wrapped.c_str());
  appendAttributes(out, attack());
  if (area() == kWholeSideAreas[0] || area() == kWholeSideAreas[1]) {
    appendLine(out, "全体");
  } else if (area() != 0) {
    appendLine(out, "範囲");
  }
  appendCost(out, "溜め", charge());
  appendCost(out, "反動", recoil());
  appendCost(out, "消費呪力", energy());
  appendCost(out, "消費AP", cost());
}

void Ability::drawHelp(float x, float y, i32) const {
  SceneRenderer* renderer = SceneRenderer::instance();
  if (!renderer || !mArt) {
    return;
  }
  String text;
  helpText(text);
  TextWriter& writer = renderer->textWriter();
  writer.setFont(kHelpFont);
  writer.setColor(kTextColor);
  writer.setPosition(static_cast<i32>(x), static_cast<i32>(y));
  // One print per line: the writer steps down a line after each.
  std::string lines(text.c_str() ? text.c_str() : "");
  std::size_t start = 0;
  while (start <= lines.size()) {
    const std::size_t end = std::min(lines.find('\n', start), lines.size());
    writer.print(lines.substr(start, end - start).c_str());
    start = end + 1;
  }
  UiDraw::drawTextFrame(kFrameColor);
}

}  // namespace Game
