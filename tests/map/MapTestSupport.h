#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "core/map/MapBuildQueue.h"
#include "map/FloorCellSpec.h"
#include "map/Map.h"
#include "records/database/MapPictureSet.h"

namespace MapTestSupport {

using Bytes = std::vector<std::uint8_t>;

// A ".fmf" file of width x height cells and six layers given in file order
// (chip, slope, height, object, event, light), each row by row as stored.
inline Bytes fmf(std::uint32_t width, std::uint32_t height, int bits, const std::vector<std::vector<int>>& layers) {
  Bytes out = {'F', 'M', 'F', '_', 0, 0, 0, 0};
  auto put = [&](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
      out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
  };
  put(width, 4);
  put(height, 4);
  out.insert(out.end(), {32, 32, static_cast<std::uint8_t>(layers.size()), static_cast<std::uint8_t>(bits)});
  for (const std::vector<int>& layer : layers) {
    for (int value : layer) {
      put(static_cast<std::uint32_t>(value), bits / 8);
    }
  }
  return out;
}

// The floor-build queue that built maps join, for as long as it lives.
struct BuildQueue {
  BuildQueue() { Game::MapBuildQueue::create(); }
  ~BuildQueue() { Game::MapBuildQueue::destroy(); }
  BuildQueue(const BuildQueue&) = delete;
  BuildQueue& operator=(const BuildQueue&) = delete;
};

// Chips and walls made in the test, not read from a list.
struct Pictures {
  Game::WallPicture& wall(Engine::i32 bottom) {
    walls.emplace_back();
    walls.back().bottom = bottom;
    return walls.back();
  }
  Game::ChipPicture& chip(const Game::WallPicture* on = nullptr) {
    chips.emplace_back();
    chips.back().wall = on;
    return chips.back();
  }
  std::deque<Game::WallPicture> walls;
  std::deque<Game::ChipPicture> chips;
};

// A grid of width x height specs, every cell of chip (may be null) at height 0.
inline Game::FloorSpecGrid grid(int width, int height, const Game::ChipPicture* chip) {
  Game::FloorSpecGrid specs;
  specs.name = "test.fmf";
  specs.resize(width, height);
  for (Game::FloorCellSpec& spec : specs.cells) {
    spec.chip = chip;
  }
  return specs;
}

}  // namespace MapTestSupport
