#include "field/FieldTalk.h"

#include "presentation/widget/MessageWindow.h"

namespace Game::FieldTalk {

void say(MessageWindow& window, const char* line) {
  window.clear();
  window.addLine(kSpeakerSide, kSpeakerFace, line);
}

}  // namespace Game::FieldTalk
