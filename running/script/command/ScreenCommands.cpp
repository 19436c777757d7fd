#include "running/script/command/ScreenCommands.h"

#include "running/game/GameData.h"
#include "running/game/GameFlow.h"
#include "core/input/KeyInput.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlNode.h"
#include "presentation/scene/SceneRenderer.h"
#include "running/script/command/CommandReading.h"

namespace Game::ScriptStuff {

using Engine::i32;

namespace {

constexpr i32 kFadeClear = 0;
constexpr i32 kFadeBlack = 255;

void setFadeTarget(i32 level) {
  if (SceneRenderer* renderer = SceneRenderer::instance()) {
    renderer->setFadeTarget(level);
  }
}

}  // namespace

ChangeBGM::ChangeBGM(const NmlNode& element) : mName(optionalText(element, "name")) {}

i32 ChangeBGM::execute(GameData& game) {
  game.changeBGM(mName.c_str());
  return kNext;
}

Sleep::Sleep(const NmlNode& element) : mValue(requiredLine(element, "value").toInt(0)) {}

i32 Sleep::execute(GameData&) {
  if (++mCounter < mValue) {
    return kStay;
  }
  mCounter = 0;
  return kNext;
}

WaitKey::WaitKey(const NmlNode& element) {
  for (i32 i = 0; const NmlAttribute* line = element.findAttribute("key", i); ++i) {
    mKeys.push_back(line->toInt(0));
  }
}

i32 WaitKey::execute(GameData&) {
  for (const i32 key : mKeys) {
    // A number that names no logical key never goes down.
    if (key >= 0 && key < KeyInput::kKeyCount && KeyInput::isTriggered(key)) {
      return kNext;
    }
  }
  return kStay;
}

i32 FadeIn::execute(GameData&) {
  setFadeTarget(kFadeClear);
  return kNext;
}

i32 FadeOut::execute(GameData&) {
  setFadeTarget(kFadeBlack);
  return kNext;
}

i32 Reset::execute(GameData&) {
  if (GameFlow* flow = GameFlow::instance()) {
    flow->returnToTitle();
  }
  return kStay;
}

Log::Log(const NmlNode& element) : mText(firstKey(element)) {}

i32 Log::execute(GameData& game) {
  game.setHeadline(mText.c_str());
  return kNext;
}

Message::Message(const NmlNode& element) : mText(firstKey(element)) {}

i32 Message::execute(GameData& game) {
  game.pushMessage(mText.c_str());
  return kYield;
}

}  // namespace Game::ScriptStuff
