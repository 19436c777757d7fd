#pragma once

#include <string>
#include <vector>

#include "Engine/Base/Types.h"
#include "records/expression/Expression.h"

namespace Game {

class Database;
class MapPictureSet;
class NmlNode;
class RaceData;
class ToolData;
struct ChipPicture;
struct MapObjectPicture;

// What a generated cell is made of. Applied to a cell, the chip and height
// change only when the spec names a chip ("none" names no chip: solid rock);
// the object always changes.
struct GeneratorCellSpec {
  bool hasChip = false;
  const ChipPicture* chip = nullptr;
  Engine::i32 height = 0;
  const MapObjectPicture* object = nullptr;
};

// A fixed floor that takes the place of a generated one.
struct SpecialFloor {
  Engine::i32 number = 0;
  std::string file;
  Engine::i32 startPosition = 0;
};

// A kind of treasure a generated floor may hold.
struct TreasureEntry {
  // Null: the container holds money.
  const ToolData* tool = nullptr;
  // Empty: always offered.
  Expression expression;
  float probability = 0.f;
  // The depth of the dungeon the entry belongs to, 0 at the top, 1 at the
  // bottom.
  float depth = 0.f;
};

// The "random" node of a floor file, checked: every name found, every size
// one a room fits in. Faults stop the program naming the floor file.
struct MapGeneratorConfig {
  // Stairs that lead up (direction 0) or down (1).
  static constexpr Engine::i32 kStairsUp = 0;
  static constexpr Engine::i32 kStairsDown = 1;

  // races come from the database; without one the enemy list stays empty.
  static MapGeneratorConfig read(const NmlNode& node, const MapPictureSet& pictures, const Database* database,
                                 const char* file);

  std::string file;
  Engine::i32 width = 0;
  Engine::i32 height = 0;
  Engine::i32 roomMin = 0;
  Engine::i32 roomMax = 0;
  float splitProbability = 0.f;
  float passageNumber = 0.f;
  GeneratorCellSpec room;
  GeneratorCellSpec roomSide;
  GeneratorCellSpec passage;
  GeneratorCellSpec wall;
  GeneratorCellSpec separator;
  std::vector<GeneratorCellSpec> objects;
  std::vector<GeneratorCellSpec> objectsOnWall;
  std::vector<Engine::i32> events;
  Engine::i32 startPosition = 0;
  Engine::i32 stairsDirection = kStairsUp;
  Engine::i32 stairsEvent = 0;
  // "階段上り" or "階段下り", by the stairs' direction.
  const MapObjectPicture* stairsObject = nullptr;
  std::vector<SpecialFloor> specialFloors;
  std::vector<TreasureEntry> treasures;
  float treasureFrequency = 0.f;
  std::vector<const RaceData*> races;
  // The floor level at the top and at the bottom of the dungeon.
  float rankTop = 0.f;
  float rankBottom = 0.f;
  // Random enemies per cell.
  float enemyFrequency = 0.f;
};

}  // namespace Game
