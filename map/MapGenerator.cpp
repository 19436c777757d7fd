#include "map/MapGenerator.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "core/math/DistanceGrid.h"
#include "core/random/RandomGenerator.h"
#include "core/random/WeightedTable.h"
#include "core/file/DataError.h"

namespace Game {

using Engine::i32;

namespace {

// The split chance shrinks a fifth at every level down.
constexpr float kSplitDecay = 0.8f;
// What entering an open cell costs the fill that tells walls from separators.
constexpr float kOpenCost = 65536.f;
// The fill's budget is the floor's cells: while they are no more than an open
// cell costs, the fill never crosses one, so rock that open cells enclose
// stays a separator.
constexpr i32 kMaxCells = 65536;
// Cells per object try.
constexpr i32 kCellsPerObjectTry = 64;
constexpr i32 kTurns = 4;

}  // namespace

MapGenerator::MapGenerator(MapGeneratorConfig config, RandomGenerator& random)
    : mConfig(std::move(config)), mRandom(random) {
  applySize();
  for (i32 tries = 0; tries < kAttempts; ++tries) {
    if (attempt()) {
      return;
    }
    ++mFailedAttempts;
  }
  DataError::Scope scope(mConfig.file.c_str());
  scope.setRecord("random", "", 0);
  const std::string problem = "0 && \"mapGenerator failed\": no free cell for every event in " +
                              std::to_string(mFailedAttempts) + " attempts";
  DataError::badRecord(__FILE__, __LINE__, problem.c_str());
}

void MapGenerator::applySize() {
  // Up to √2 times wider or taller, never smaller, and never past kMaxCells.
  const float r = mRandom.getSignedFloat(std::sqrt(2.f) - 1.f);
  mWidth = mConfig.width;
  mHeight = mConfig.height;
  // A configured floor is at most 256 by 256 cells, so the cap never takes
  // the widened side below its configured size.
  if (r < 0.f) {
    mWidth = std::min(static_cast<i32>(static_cast<float>(mWidth) * (1.f - r)), kMaxCells / mHeight);
  } else {
    mHeight = std::min(static_cast<i32>(static_cast<float>(mHeight) * (1.f + r)), kMaxCells / mWidth);
  }
}

void MapGenerator::reset() {
  mCells.assign(static_cast<std::size_t>(mWidth) * static_cast<std::size_t>(mHeight), Cell{});
  mNodes.clear();
  mLeaves.clear();
  mRooms.clear();
  mCandidates.clear();
  mSolids.clear();
  mPassages.clear();
}

bool MapGenerator::attempt() {
  reset();
  const i32 root = makeNode(-1, Rect{0, 0, mWidth, mHeight});
  split(root, true, mConfig.splitProbability);
  collectLeaves(root, mLeaves);
  for (i32 leaf : mLeaves) {
    mRooms.push_back(mNodes[static_cast<std::size_t>(leaf)].room);
  }
  layPassages(root);
  paintRooms();
  listCandidates();
  mSolids = shuffledCells(true);
  mPassages = shuffledCells(false);
  assignSpecs();
  placeObjects();
  if (!placeEvent(mConfig.startPosition) || !placeEvent(mConfig.stairsEvent)) {
    return false;
  }
  for (i32 event : mConfig.events) {
    if (!placeEvent(event)) {
      return false;
    }
  }
  return true;
}

i32 MapGenerator::makeNode(i32 parent, const Rect& area) {
  Node node;
  node.parent = parent;
  node.area = area;
  // A room with at least one cell around it inside the area.
  const i32 min = mConfig.roomMin;
  node.room.w = min + mRandom.getInt(area.w - 1 - min);
  node.room.h = min + mRandom.getInt(area.h - 1 - min);
  node.room.x = area.x + 1 + mRandom.getInt(area.w - 1 - node.room.w);
  node.room.y = area.y + 1 + mRandom.getInt(area.h - 1 - node.room.h);
  mNodes.push_back(node);
  return static_cast<i32>(mNodes.size()) - 1;
}

void MapGenerator::split(i32 index, bool acrossX, float probability) {
  const Rect area = mNodes[static_cast<std::size_t>(index)].area;
  const i32 start = acrossX ? area.x : area.y;
  const i32 extent = acrossX ? area.w : area.h;
  const i32 side = mConfig.roomMin + 2;
  if (extent <= mConfig.roomMax + 2 && !(probability > mRandom.getFloat(1.f))) {
    return;
  }
  if (extent < 2 * side + 1) {
    return;
  }
  const i32 offset = mRandom.getInt(extent - 2 * side) + side;
  Rect first = area;
  Rect second = area;
  if (acrossX) {
    first.w = offset;
    second.x = start + offset + 1;
    second.w = extent - offset - 1;
  } else {
    first.h = offset;
    second.y = start + offset + 1;
    second.h = extent - offset - 1;
  }
  const i32 a = makeNode(index, first);
  const i32 b = makeNode(index, second);
  Node& node = mNodes[static_cast<std::size_t>(index)];
  node.children[0] = a;
  node.children[1] = b;
  node.divider = start + offset;
  node.vertical = acrossX;
  split(a, !acrossX, probability * kSplitDecay);
  split(b, !acrossX, probability * kSplitDecay);
}

void MapGenerator::collectLeaves(i32 index, std::vector<i32>& leaves) const {
  const Node& node = mNodes[static_cast<std::size_t>(index)];
  if (node.divider < 0) {
    leaves.push_back(index);
    return;
  }
  collectLeaves(node.children[0], leaves);
  collectLeaves(node.children[1], leaves);
}

std::vector<i32> MapGenerator::leavesBeside(i32 subtree, const Node& divided, bool before) const {
  std::vector<i32> all;
  collectLeaves(subtree, all);
  std::vector<i32> beside;
  for (i32 leaf : all) {
    const Rect& area = mNodes[static_cast<std::size_t>(leaf)].area;
    const i32 start = divided.vertical ? area.x : area.y;
    const i32 end = start + (divided.vertical ? area.w : area.h);
    if ((before && end == divided.divider) || (!before && start == divided.divider + 1)) {
      beside.push_back(leaf);
    }
  }
  return beside;
}

void MapGenerator::layPassages(i32 index) {
  const Node node = mNodes[static_cast<std::size_t>(index)];
  if (node.divider < 0) {
    return;
  }
  std::vector<i32> leaves = leavesBeside(node.children[0], node, true);
  const std::vector<i32> others = leavesBeside(node.children[1], node, false);
  const i32 a = leaves[static_cast<std::size_t>(mRandom.getInt(static_cast<i32>(leaves.size())))];
  const i32 b = others[static_cast<std::size_t>(mRandom.getInt(static_cast<i32>(others.size())))];
  join(a, b, node);
  leaves.insert(leaves.end(), others.begin(), others.end());
  const i32 n = static_cast<i32>(leaves.size());
  if (n > 1) {
    // Half the leaves counted whole: an odd leaf adds no passage.
    const i32 extra = static_cast<i32>((mRandom.getSignedFloat(1.f) + mConfig.passageNumber) *
                                       static_cast<float>(n / 2));
    if (extra > 0) {
      const RandomPermutation order(mRandom, n);
      for (i32 i = 0; i < extra; ++i) {
        join(leaves[static_cast<std::size_t>(order.at((2 * i) % n))],
             leaves[static_cast<std::size_t>(order.at((2 * i + 1) % n))], node);
      }
    }
  }
  layPassages(node.children[0]);
  layPassages(node.children[1]);
}

void MapGenerator::join(i32 leafA, i32 leafB, const Node& divided) {
  i32 px[2];
  i32 py[2];
  const i32 leaves[2] = {leafA, leafB};
  for (i32 i = 0; i < 2; ++i) {
    const Rect& room = mNodes[static_cast<std::size_t>(leaves[i])].room;
    px[i] = room.x + mRandom.getInt(room.w);
    py[i] = room.y + mRandom.getInt(room.h);
  }
  const i32 c = divided.divider;
  if (divided.vertical) {
    markPassage(px[0], py[0], c, py[0]);
    markPassage(px[1], py[1], c, py[1]);
    markPassage(c, py[0], c, py[1]);
  } else {
    markPassage(px[0], py[0], px[0], c);
    markPassage(px[1], py[1], px[1], c);
    markPassage(px[0], c, px[1], c);
  }
}

void MapGenerator::markPassage(i32 x0, i32 y0, i32 x1, i32 y1) {
  for (i32 x = std::min(x0, x1); x <= std::max(x0, x1); ++x) {
    for (i32 y = std::min(y0, y1); y <= std::max(y0, y1); ++y) {
      cell(x, y).kind = kPassage;
    }
  }
}

void MapGenerator::paintRooms() {
  for (const Rect& room : mRooms) {
    for (i32 dx = 0; dx < room.w; ++dx) {
      for (i32 dy = 0; dy < room.h; ++dy) {
        const bool edge = dx == 0 || dy == 0 || dx == room.w - 1 || dy == room.h - 1;
        cell(room.x + dx, room.y + dy).kind = edge ? kRoomSide : kRoom;
      }
    }
  }
}

void MapGenerator::listCandidates() {
  std::vector<std::vector<i32>> orders;
  orders.reserve(mRooms.size());
  for (const Rect& room : mRooms) {
    const RandomPermutation order(mRandom, room.w * room.h);
    orders.emplace_back();
    for (i32 k = 0; k < order.count(); ++k) {
      orders.back().push_back(order.at(k));
    }
  }
  const i32 roomCount = static_cast<i32>(mRooms.size());
  std::vector<i32> taken(mRooms.size(), 0);
  std::size_t total = 0;
  for (const Rect& room : mRooms) {
    total += static_cast<std::size_t>(room.w * room.h);
  }
  while (mCandidates.size() < total) {
    const RandomPermutation pass(mRandom, roomCount);
    for (i32 i = 0; i < roomCount; ++i) {
      const std::size_t r = static_cast<std::size_t>(pass.at(i));
      const Rect& room = mRooms[r];
      if (taken[r] == room.w * room.h) {
        continue;
      }
      const i32 k = orders[r][static_cast<std::size_t>(taken[r]++)];
      mCandidates.push_back(static_cast<i32>(index(room.x + k % room.w, room.y + k / room.w)));
    }
  }
}

std::vector<i32> MapGenerator::shuffledCells(bool solid) {
  std::vector<i32> cells;
  for (i32 i = 0; i < static_cast<i32>(mCells.size()); ++i) {
    const i32 kind = mCells[static_cast<std::size_t>(i)].kind;
    if (solid ? kind == kSolid : kind == kPassage) {
      cells.push_back(i);
    }
  }
  mRandom.shuffle(cells.data(), static_cast<i32>(cells.size()));
  return cells;
}

void MapGenerator::assignSpecs() {
  DistanceGrid fill;
  fill.setSize(mWidth, mHeight);
  for (i32 x = 0; x < mWidth; ++x) {
    for (i32 y = 0; y < mHeight; ++y) {
      fill.set(x, y, cell(x, y).kind == kSolid ? 1.f : kOpenCost);
    }
  }
  fill.fill(0, 0, static_cast<float>(mWidth * mHeight));
  for (i32 x = 0; x < mWidth; ++x) {
    for (i32 y = 0; y < mHeight; ++y) {
      Cell& c = cell(x, y);
      switch (c.kind) {
        case kRoom: c.spec = mConfig.room; break;
        case kRoomSide: c.spec = mConfig.roomSide; break;
        case kPassage: c.spec = mConfig.passage; break;
        default: c.spec = fill.reach(x, y) >= 1.f ? mConfig.wall : mConfig.separator; break;
      }
    }
  }
}

void MapGenerator::applySpec(Cell& target, const GeneratorCellSpec& spec) {
  if (spec.hasChip) {
    target.spec.hasChip = true;
    target.spec.chip = spec.chip;
    target.spec.height = spec.height;
  }
  target.spec.object = spec.object;
}

void MapGenerator::placeObjects() {
  const i32 tries = mWidth * mHeight / kCellsPerObjectTry;
  for (const GeneratorCellSpec& entry : mConfig.objects) {
    for (i32 t = 0; t < tries; ++t) {
      i32 x = 0;
      i32 y = 0;
      if (!pickFreeCell(kNearPassage | kNearSolid | kInside, kNearPassage, true, &x, &y)) {
        break;
      }
      applySpec(cell(x, y), entry);
      cell(x, y).rotation = mRandom.getInt(kTurns);
    }
  }
  std::size_t next = 0;
  for (const GeneratorCellSpec& entry : mConfig.objectsOnWall) {
    for (i32 t = 0; t < tries; ++t) {
      while (next < mSolids.size() && mCells[static_cast<std::size_t>(mSolids[next])].used) {
        ++next;
      }
      if (next == mSolids.size()) {
        return;
      }
      Cell& wall = mCells[static_cast<std::size_t>(mSolids[next])];
      wall.used = true;
      applySpec(wall, entry);
      wall.rotation = mRandom.getInt(kTurns);
    }
  }
}

bool MapGenerator::placeEvent(i32 eventId) {
  i32 x = 0;
  i32 y = 0;
  if (pickFreeCell(kNearPassage | kNearSolid | kInside, kNearPassage, false, &x, &y)) {
    cell(x, y).eventId = eventId;
    return true;
  }
  for (i32 passage : mPassages) {
    Cell& c = mCells[static_cast<std::size_t>(passage)];
    if (!c.used) {
      c.used = true;
      c.eventId = eventId;
      return true;
    }
  }
  return false;
}

i32 MapGenerator::neighbourhood(i32 x, i32 y) const {
  if (!isOpen(x, y)) {
    return 0;
  }
  static constexpr i32 kSteps[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
  i32 code = 0;
  for (const auto& step : kSteps) {
    const i32 nx = x + step[0];
    const i32 ny = y + step[1];
    if (!isInside(nx, ny)) {
      continue;
    }
    const i32 kind = cell(nx, ny).kind;
    code |= kind == kPassage ? kNearPassage : kind == kSolid ? kNearSolid : 0;
  }
  return code == 0 ? kInside : code;
}

bool MapGenerator::pickFreeCell(i32 mask, i32 forbidden, bool clearAround, i32* x, i32* y) {
  for (i32 candidate : mCandidates) {
    const i32 cx = candidate / mHeight;
    const i32 cy = candidate % mHeight;
    const i32 code = neighbourhood(cx, cy);
    if (cell(cx, cy).used || (code & mask) == 0 || (code & forbidden) != 0) {
      continue;
    }
    bool clear = true;
    for (i32 dx = -1; clearAround && dx <= 1; ++dx) {
      for (i32 dy = -1; dy <= 1; ++dy) {
        clear = clear && !(isInside(cx + dx, cy + dy) && cell(cx + dx, cy + dy).used);
      }
    }
    if (clear) {
      cell(cx, cy).used = true;
      *x = cx;
      *y = cy;
      return true;
    }
  }
  return false;
}

bool MapGenerator::findEvent(i32 eventId, i32* x, i32* y) const {
  for (i32 cx = 0; cx < mWidth; ++cx) {
    for (i32 cy = 0; cy < mHeight; ++cy) {
      if (cell(cx, cy).eventId == eventId) {
        *x = cx;
        *y = cy;
        return true;
      }
    }
  }
  return false;
}

}  // namespace Game
