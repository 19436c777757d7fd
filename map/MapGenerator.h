#pragma once

#include <string>
#include <vector>

#include "Engine/Base/Types.h"
#include "map/FloorCellSpec.h"
#include "map/MapGeneratorConfig.h"

namespace Game {

class Article;
class RandomGenerator;
class RenderState;

// A generated floor: the grid is split again and again into rectangles, each
// last one holding a room; L-shaped passages cross every dividing line; the
// rest is wall (reached from the grid's corner) or separator (shut in).
// Objects, the start, the stairs and the events then go on free cells.
// Every draw comes from the generator given, in a fixed order, so one seed
// and one configuration always give the same floor: saves rebuild floors from
// their seed.
//
// The draws, in order: the size jitter; then per attempt the partition (a
// node's room when it is made; a node's split draw before its size test;
// both children made before the first is split), the passages (pre-order),
// each room's cell order (rooms in pre-order of their leaves) and a fresh
// order of the rooms every pass, the solid and the passage lists' shuffles,
// the objects and the events.
class MapGenerator {
 public:
  enum Kind : Engine::i32 { kSolid = 0, kRoom = 1, kRoomSide = 2, kPassage = 3 };
  // Neighbourhood bits: beside a passage, beside solid rock, neither.
  static constexpr Engine::i32 kNearPassage = 4;
  static constexpr Engine::i32 kNearSolid = 2;
  static constexpr Engine::i32 kInside = 1;
  static constexpr Engine::i32 kAttempts = 10;

  struct Cell {
    Engine::i32 kind = kSolid;
    bool used = false;
    GeneratorCellSpec spec;
    Engine::i32 eventId = -1;
    Engine::i32 rotation = 0;
  };

  struct Rect {
    Engine::i32 x = 0;
    Engine::i32 y = 0;
    Engine::i32 w = 0;
    Engine::i32 h = 0;
    bool contains(Engine::i32 px, Engine::i32 py) const { return px >= x && px < x + w && py >= y && py < y + h; }
  };

  struct Node {
    Engine::i32 parent = -1;
    Rect area;
    Engine::i32 children[2] = {-1, -1};
    // The dividing line: x = divider when vertical, else y = divider; −1
    // for a leaf.
    Engine::i32 divider = -1;
    bool vertical = false;
    Rect room;
  };

  // Lays the floor out; ten failed attempts stop the program naming the
  // floor file.
  MapGenerator(MapGeneratorConfig config, RandomGenerator& random);

  const MapGeneratorConfig& config() const { return mConfig; }
  Engine::i32 width() const { return mWidth; }
  Engine::i32 height() const { return mHeight; }
  // Attempts that failed before the floor was laid out.
  Engine::i32 failedAttempts() const { return mFailedAttempts; }
  Cell& cell(Engine::i32 x, Engine::i32 y) { return mCells[index(x, y)]; }
  const Cell& cell(Engine::i32 x, Engine::i32 y) const { return mCells[index(x, y)]; }
  bool isInside(Engine::i32 x, Engine::i32 y) const { return x >= 0 && y >= 0 && x < mWidth && y < mHeight; }
  bool isOpen(Engine::i32 x, Engine::i32 y) const { return isInside(x, y) && cell(x, y).kind != kSolid; }
  const std::vector<Node>& nodes() const { return mNodes; }
  // The leaves' rooms in pre-order.
  const std::vector<Rect>& rooms() const { return mRooms; }
  // Room cells in the order the picker walks them (x × height + y).
  const std::vector<Engine::i32>& candidates() const { return mCandidates; }

  // Each cell's height, chip, object, rotation and event as the floor's
  // cell specs, named after the floor file.
  FloorSpecGrid specGrid() const;

  // 0 for solid rock; otherwise kNearPassage and kNearSolid by the four
  // neighbours, kInside when neither.
  Engine::i32 neighbourhood(Engine::i32 x, Engine::i32 y) const;
  // The first room cell in candidate order that is free, whose neighbourhood
  // shares a bit with mask and none with forbidden, and, with
  // clearAround, has no used cell in the 3 × 3 square about it; marked
  // used. False when none is left.
  bool pickFreeCell(Engine::i32 mask, Engine::i32 forbidden, bool clearAround, Engine::i32* x, Engine::i32* y);
  // The cell of the first event (x outer, y inner); false when none.
  bool findEvent(Engine::i32 eventId, Engine::i32* x, Engine::i32* y) const;

  // The treasure entries whose expression is absent or true.
  std::vector<const TreasureEntry*> treasureEntries() const;
  // An entry's level on a site of siteFloors floors.
  static float entryLevel(float depth, Engine::i32 siteFloors);
  // An entry's weight on floor n.
  static float treasureWeight(const TreasureEntry& entry, Engine::i32 floor, Engine::i32 siteFloors);
  // The two factors of a container's article from an entry on floor n: uses,
  // then condition. Draws twice.
  void contentFactors(const TreasureEntry& entry, Engine::i32 floor, Engine::i32 siteFloors, float* uses,
                      float* condition);
  // The article of a container from an entry (empty for a money entry).
  Article makeContents(const TreasureEntry& entry, Engine::i32 floor, Engine::i32 siteFloors);
  const std::vector<const RaceData*>& enemyEntries() const { return mConfig.races; }
  // Null when no special floor replaces that floor number.
  const SpecialFloor* findSpecialFloor(Engine::i32 number) const;
  // Between the two "rank" values by the depth of floor n.
  float floorLevel(Engine::i32 floor, Engine::i32 siteFloors) const;

  // Marks the whole room about (x, y), if any, and the square of side
  // 2 × radius − 1 centred on it. mapped holds width × height flags.
  void reveal(std::vector<Engine::u8>& mapped, Engine::i32 x, Engine::i32 y, Engine::i32 radius) const;
  // The mapped open cells as squares of kAutomapCell units about the centre
  // cell, turned by angle degrees about the vertical axis; the two marked
  // cells highlighted.
  static constexpr float kAutomapCell = 12.f;
  // The interface's "cell" picture is this many units square; it is scaled
  // to kAutomapCell.
  static constexpr float kCellPictureSide = 8.f;
  struct AutomapSquare {
    float x = 0.f;
    float y = 0.f;
    Engine::u32 argb = 0;
  };
  // What drawAutomap draws, unturned, in the order drawn.
  std::vector<AutomapSquare> automapSquares(const std::vector<Engine::u8>& mapped, Engine::i32 markAX,
                                            Engine::i32 markAY, Engine::i32 markBX, Engine::i32 markBY,
                                            float centreX, float centreY) const;
  static constexpr Engine::u32 kAutomapColor = 0x40FFFFFF;
  static constexpr Engine::u32 kAutomapMarkColor = 0x80FF0000;
  void drawAutomap(const RenderState& base, const std::vector<Engine::u8>& mapped, Engine::i32 markAX,
                   Engine::i32 markAY, Engine::i32 markBX, Engine::i32 markBY, float centreX, float centreY,
                   float angle) const;

 private:
  std::size_t index(Engine::i32 x, Engine::i32 y) const {
    return static_cast<std::size_t>(x) * static_cast<std::size_t>(mHeight) + static_cast<std::size_t>(y);
  }
  void applySize();
  bool attempt();
  void reset();
  Engine::i32 makeNode(Engine::i32 parent, const Rect& area);
  void split(Engine::i32 node, bool acrossX, float probability);
  void collectLeaves(Engine::i32 node, std::vector<Engine::i32>& leaves) const;
  void layPassages(Engine::i32 node);
  std::vector<Engine::i32> leavesBeside(Engine::i32 subtree, const Node& divided, bool before) const;
  void join(Engine::i32 leafA, Engine::i32 leafB, const Node& divided);
  void markPassage(Engine::i32 x0, Engine::i32 y0, Engine::i32 x1, Engine::i32 y1);
  void paintRooms();
  void listCandidates();
  std::vector<Engine::i32> shuffledCells(bool solid);
  void assignSpecs();
  void placeObjects();
  bool placeEvent(Engine::i32 eventId);
  void applySpec(Cell& cell, const GeneratorCellSpec& spec);

  MapGeneratorConfig mConfig;
  RandomGenerator& mRandom;
  Engine::i32 mWidth = 0;
  Engine::i32 mHeight = 0;
  Engine::i32 mFailedAttempts = 0;
  std::vector<Cell> mCells;
  std::vector<Node> mNodes;
  std::vector<Engine::i32> mLeaves;
  std::vector<Rect> mRooms;
  std::vector<Engine::i32> mCandidates;
  std::vector<Engine::i32> mSolids;
  std::vector<Engine::i32> mPassages;
};

}  // namespace Game
