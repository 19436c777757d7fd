#pragma once

#include <vector>

#include "Engine/Base/Types.h"

namespace Game {

class MapGenerator;

// What the field's display over the floor shows this frame.
struct FieldOverlayView {
  Engine::i32 floorNumber = 0;
  Engine::i32 frame = 0;
  // The camera's, in degrees.
  float pitch = 0.f;
  float yaw = 0.f;
  // The player holds the map away (key 5).
  bool mapHeld = false;
  // Null on a hand-made floor.
  const MapGenerator* generator = nullptr;
  const std::vector<Engine::u8>* mappedCells = nullptr;
  bool hasPlayer = false;
  // Cells of the automap: the player's (set with hasPlayer), the stairs'
  // (−1 when the floor has none).
  Engine::i32 playerX{};
  Engine::i32 playerY{};
  Engine::i32 stairsX = -1;
  Engine::i32 stairsY = -1;
};

// The floor number in the top-left corner, the compass in the top-right
// one and the automap over the middle of the screen, on the interface
// space. Nothing draws without the pictures that make it.
class FieldOverlay {
 public:
  static constexpr float kNumberX = -320.f;
  static constexpr float kNumberY = 240.f;
  static constexpr Engine::i32 kNumberFont = 2;
  static constexpr Engine::u32 kNumberColor = 0xFFC0C0C0;
  static constexpr Engine::u32 kNumberFrameColor = 0xFFFFFFFF;
  static constexpr const char* kFloorSuffix = "階";
  static constexpr float kCompassX = 320.f;
  static constexpr float kCompassY = 240.f;

  void draw(const FieldOverlayView& view) const;

 private:
  void drawFloorNumber(Engine::i32 floorNumber) const;
  void drawCompass(const FieldOverlayView& view) const;
  void drawAutomap(const FieldOverlayView& view) const;
};

}  // namespace Game
