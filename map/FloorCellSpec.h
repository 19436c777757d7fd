#pragma once

#include <string>
#include <vector>

#include "Engine/Base/Types.h"

namespace Game {

struct ChipPicture;
struct MapObjectPicture;

// What a floor cell is made of before it is built: read from a tile map or
// made by the floor generator.
struct FloorCellSpec {
  // Slope codes: below kFlat a ramp, kDiagonal.. a diagonal ramp.
  static constexpr Engine::i32 kFlat = 255;
  static constexpr Engine::i32 kSmooth = 256;
  static constexpr Engine::i32 kPit = 257;
  static constexpr Engine::i32 kDiagonal = 512;
  static constexpr Engine::i32 kDiagonalEnd = 767;
  // Light kinds: none, one that adds light, one that takes it away.
  static constexpr Engine::i32 kNoLight = 0;
  static constexpr Engine::i32 kAddingLight = 1;
  static constexpr Engine::i32 kSubtractingLight = 2;

  // Null: solid rock.
  const ChipPicture* chip = nullptr;
  // Height units.
  Engine::i32 height = 0;
  Engine::i32 slope = kFlat;
  bool smooth = false;
  bool pit = false;
  bool chipPresent = true;
  // Negative for none.
  Engine::i32 eventId = -1;
  // Null for none; rotation in quarter turns.
  const MapObjectPicture* object = nullptr;
  Engine::i32 rotation = 0;
  Engine::i32 lightKind = kNoLight;
  float lightRadius = 0.f;
  float lightParameter = 0.f;
};

// A grid of cell specs, indexed (x, y); name is the floor's, for messages.
struct FloorSpecGrid {
  std::string name;
  Engine::i32 width = 0;
  Engine::i32 height = 0;
  std::vector<FloorCellSpec> cells;

  void resize(Engine::i32 w, Engine::i32 h);
  FloorCellSpec& at(Engine::i32 x, Engine::i32 y) { return cells[index(x, y)]; }
  const FloorCellSpec& at(Engine::i32 x, Engine::i32 y) const { return cells[index(x, y)]; }
  // The first spec (x outer, y inner) carrying eventId; a grid without one
  // stops the program naming the floor and the event.
  FloorCellSpec& specOfEvent(Engine::i32 eventId);

 private:
  std::size_t index(Engine::i32 x, Engine::i32 y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
  }
};

}  // namespace Game
