#include "live/unit/UnitMessages.h"

namespace Game::UnitStuff {

using Engine::i32;
using Engine::u32;
using Engine::u8;

namespace {

Message damage(i32 value, u32 color, u8 flag, float scale) {
  Message message;
  message.value = value;
  message.color = color;
  message.flag = flag;
  message.scale = scale;
  return message;
}

}  // namespace

void MessageManager::queueDamage(i32 value, u32 color, u8 flag, float scale) {
  if (value != 0) {
    mImmediate.push_back(damage(value, color, flag, scale));
  }
}

void MessageManager::queueDelayedDamage(i32 value, u32 color, u8 flag, float scale) {
  if (value != 0) {
    mDelayed.push_back(damage(value, color, flag, scale));
  }
}

void MessageManager::queueState(i32 state, i32 count) {
  Message message;
  message.kind = Message::Kind::kState;
  message.state = state;
  message.count = count;
  mDelayed.push_back(message);
}

void MessageManager::update(MessageView& view) {
  if (mWait > 0) {
    --mWait;
  }
  while (!mImmediate.empty()) {
    view.show(mImmediate.front());
    mImmediate.pop_front();
    mWait = kWait;
  }
  if (mWait > 0 || mDelayed.empty()) {
    return;
  }
  view.show(mDelayed.front());
  mDelayed.pop_front();
  mWait = kWait;
}

}  // namespace Game::UnitStuff
