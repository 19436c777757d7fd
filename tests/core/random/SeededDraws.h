#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "core/random/RandomGenerator.h"

// Seeds chosen by what the game's generator draws first after them, so that
// a rule decided by a draw is tested on both sides of its threshold.
namespace RandomTestSupport {

inline Game::RandomGenerator& random() { return *Game::RandomGenerator::instance(); }

// The first percent draw (0..99) after the seed; the generator is seeded
// again, so the code under test draws the same.
inline Engine::i32 firstPercentDraw(Engine::i32 seed) {
  random().setSeed(seed);
  const Engine::i32 draw = random().getInt(100);
  random().setSeed(seed);
  return draw;
}

// The first draw in [0, 1) after the seed, seeded again likewise.
inline float firstFloatDraw(Engine::i32 seed) {
  random().setSeed(seed);
  const float draw = random().getFloat(1.f);
  random().setSeed(seed);
  return draw;
}

// A seed whose first percent draw is each of the values, in order.
inline std::vector<Engine::i32> seedsDrawing(std::initializer_list<Engine::i32> draws) {
  std::vector<Engine::i32> seeds;
  for (Engine::i32 want : draws) {
    for (Engine::i32 seed = 1; seed < 100000; ++seed) {
      if (firstPercentDraw(seed) == want) {
        seeds.push_back(seed);
        break;
      }
    }
  }
  EXPECT_EQ(seeds.size(), draws.size());
  return seeds;
}

}  // namespace RandomTestSupport
