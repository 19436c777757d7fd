#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Input/Joystick.h"
#include "core/string/String.h"

namespace Game {

// The game's logical keys: the keyboard and the first joystick folded into 24
// keys, each with a pressed state and a held-frame count, sampled once per
// logic step. The game never reads the devices any other way.
namespace KeyInput {

inline constexpr Engine::i32 kKeyCount = 24;

// Logical keys with a fixed meaning.
inline constexpr Engine::i32 kUp = 0;
inline constexpr Engine::i32 kRight = 1;
inline constexpr Engine::i32 kDown = 2;
inline constexpr Engine::i32 kLeft = 3;
inline constexpr Engine::i32 kFastForward = 8;
inline constexpr Engine::i32 kScreenshot = 9;
inline constexpr Engine::i32 kQuit = 14;
inline constexpr Engine::i32 kReturnToTitle = 23;

// A joystick binding of "no button".
inline constexpr Engine::i32 kNoButton = -1;
// A count at or above this is too old for latestDirection.
inline constexpr Engine::i32 kLatestDirectionLimit = 1024;
// isRepeated fires on the first frame, then from this count on.
inline constexpr Engine::i32 kRepeatDelay = 32;

// Where a scripted run's keys come from instead of the devices.
class KeySource {
 public:
  virtual ~KeySource() = default;
  // The keys held during this step: bit n is logical key n.
  virtual Engine::u32 nextKeys() = 0;
};
// Null: the keyboard and joystick again.
void setKeySource(KeySource* source);

// Every key back to its default keyboard key and joystick button, let go and
// never pressed: the keys as a program starts with them.
void setDefaultBindings();
// Takes the framework's first joystick, if any; call once the input manager
// has sampled a frame.
void initJoystick();
// The joystick in use; null when there is none.
Engine::Input::Joystick joystick();

// Once per logic step, after the input manager's update.
void updateJoystick();

bool isPressed(Engine::i32 key);
// Pressed on this step and not on the one before.
bool isTriggered(Engine::i32 key);
// The held count while pressed, the negative count of steps since release
// after it, 0 otherwise.
Engine::i32 heldFrames(Engine::i32 key);
// Pressed, on its first step or on steps 32, 32 + rate, 32 + 2 rate, ...
bool isRepeated(Engine::i32 key, Engine::i32 rate);
// The most recently pressed direction key (0 to 3) or -1.
Engine::i32 latestDirection();
// Releases keys 4 to 23 and forgets their counts; the directions stay.
void clearButtons();
// The first of joystick buttons 0 to 9 held now, or -1 (also when the pad is
// off or unreadable).
Engine::i32 pollJoystickButton();

// "space", a single character, "control", or "" for the key's keyboard key.
String keyName(Engine::i32 key);

Engine::i32 keyboardCode(Engine::i32 key);
Engine::i32 joystickButton(Engine::i32 key);
// A button outside -1 (none) to 131 is ignored: the binding stays.
void setJoystickButton(Engine::i32 key, Engine::i32 button);
bool isValidJoystickButton(Engine::i32 button);

}  // namespace KeyInput
}  // namespace Game
