#include "field/MoveCommand.h"

#include <cstring>
#include <limits>

namespace Game::Field {

using Engine::i32;

namespace {

constexpr const char* kKeywords[MoveCommand::kCodeCount] = {"delete", "wait", "vanish", "random", "move",
                                                            "go",     "hop",  "jump",   "advance", "chase"};

}  // namespace

i32 MoveCommand::codeOf(const char* keyword) {
  for (i32 code = 0; keyword && code < kCodeCount; ++code) {
    if (std::strcmp(keyword, kKeywords[code]) == 0) {
      return code;
    }
  }
  return kDelete;
}

const char* MoveCommand::keywordOf(i32 code) {
  return code >= 0 && code < kCodeCount ? kKeywords[code] : kKeywords[kDelete];
}

float MoveController::fraction() const {
  if (total <= 0 || progress >= total) {
    return 1.f;
  }
  return progress <= 0 ? 0.f : static_cast<float>(progress) / static_cast<float>(total);
}

void MoveController::start(i32 fromCellX, i32 fromCellY, i32 toCellX, i32 toCellY, i32 frames, bool isHop) {
  fromX = fromCellX;
  fromY = fromCellY;
  toX = toCellX;
  toY = toCellY;
  progress = 0;
  // A step takes a frame at least: with none the arrival would pass unseen.
  total = frames > 0 ? frames : 1;
  hop = isHop;
}

void MoveController::addWait(i32 frames) {
  if (frames <= 0) {
    return;
  }
  const i32 room = std::numeric_limits<i32>::max() - (wait > 0 ? wait : 0);
  wait = (wait > 0 ? wait : 0) + (frames < room ? frames : room);
}

void MoveController::tick() {
  if (wait > 0) {
    --wait;
  } else if (progress < std::numeric_limits<i32>::max()) {
    ++progress;
  }
}

}  // namespace Game::Field
