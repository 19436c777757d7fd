#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class MessageWindow;

// The lines the lead speaks on the field and between outings, each shown
// at once in place of what the window showed.
namespace FieldTalk {

constexpr const char* kSpeakerFace = "Kessa";
constexpr Engine::i32 kSpeakerSide = 1;
constexpr const char* kLetsGo = "れっつごー！";
constexpr const char* kWhereToStart = "どこからはじめる？";
constexpr const char* kWhereToGo = "どこに行こうかしら？";

void say(MessageWindow& window, const char* line);
inline void letsGo(MessageWindow& window) { say(window, kLetsGo); }
inline void whereToStart(MessageWindow& window) { say(window, kWhereToStart); }
inline void whereToGo(MessageWindow& window) { say(window, kWhereToGo); }

}  // namespace FieldTalk
}  // namespace Game
