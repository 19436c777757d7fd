#pragma once

#include "Engine/Base/Types.h"

namespace Game::Field {

// One entry of a symbol's move queue.
struct MoveCommand {
  enum Code : Engine::i32 {
    kDelete = 0,
    kWait = 1,
    kVanish = 2,
    kRandom = 3,
    kMove = 4,
    kGo = 5,
    kHop = 6,
    kJump = 7,
    kAdvance = 8,
    kChase = 9,
    kCodeCount = 10
  };

  Engine::i32 code = kDelete;
  // Frames the step (or the wait) takes.
  Engine::i32 time = 0;
  Engine::i32 parameters[4] = {0, 0, 0, 0};

  // The code of a keyword; an unknown keyword reads as "delete".
  static Engine::i32 codeOf(const char* keyword);
  // "delete" for a code out of range.
  static const char* keywordOf(Engine::i32 code);
};

// Where a symbol's step stands: from and to cells, frames gone and frames in
// all, and frames left to wait. At rest nothing is pending: progress is past
// total, so an arrival (progress reaching total) is seen on one frame only.
struct MoveController {
  static constexpr Engine::i32 kRestProgress = 16;
  static constexpr Engine::i32 kRestTotal = 8;

  Engine::i32 toX = 0;
  Engine::i32 toY = 0;
  Engine::i32 fromX = 0;
  Engine::i32 fromY = 0;
  Engine::i32 progress = kRestProgress;
  Engine::i32 total = kRestTotal;
  Engine::i32 wait = 0;
  bool hop = false;

  bool isMoving() const { return wait > 0 || progress < total; }
  bool hasArrived() const { return wait <= 0 && progress == total; }
  // Share of the step done, 0 … 1.
  float fraction() const;
  void start(Engine::i32 fromCellX, Engine::i32 fromCellY, Engine::i32 toCellX, Engine::i32 toCellY, Engine::i32 frames,
             bool isHop);
  void addWait(Engine::i32 frames);
  // One frame: the wait runs down first, then the step.
  void tick();
};

}  // namespace Game::Field
