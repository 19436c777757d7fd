#pragma once

#include <deque>

#include "Engine/Base/Types.h"

namespace Game::UnitStuff {

// A number or a state picture waiting to pop up over a unit.
struct Message {
  enum class Kind : Engine::i32 { kDamage, kState };
  Kind kind = Kind::kDamage;
  // Damage: value, packed ARGB colour, flag and scale.
  Engine::i32 value = 0;
  Engine::u32 color = 0xFFFFFFFF;
  Engine::u8 flag = 0;
  float scale = 1.f;
  // State: the state's index and how many pictures stack up.
  Engine::i32 state = -1;
  Engine::i32 count = 1;
};

// Where the messages are drawn: over the unit's front point in the battle
// scene.
class MessageView {
 public:
  virtual ~MessageView() = default;
  virtual void show(const Message& message) = 0;
};

// A unit's pending messages. Immediate ones all show at once and hold back
// the delayed ones, which show one every kWait frames.
class MessageManager {
 public:
  static constexpr Engine::i32 kWait = 70;

  // Zero values are never queued.
  void queueDamage(Engine::i32 value, Engine::u32 color, Engine::u8 flag = 0, float scale = 1.f);
  void queueDelayedDamage(Engine::i32 value, Engine::u32 color, Engine::u8 flag = 0, float scale = 1.f);
  void queueState(Engine::i32 state, Engine::i32 count);

  // One frame.
  void update(MessageView& view);

  bool isEmpty() const { return mImmediate.empty() && mDelayed.empty(); }
  Engine::i32 wait() const { return mWait; }

 private:
  std::deque<Message> mImmediate;
  std::deque<Message> mDelayed;
  Engine::i32 mWait = 0;
};

}  // namespace Game::UnitStuff
