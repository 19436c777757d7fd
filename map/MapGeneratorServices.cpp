// What the generated floor offers the floor loader and the automap.
#include <algorithm>
#include <cmath>

#include "core/random/RandomGenerator.h"
#include "live/article/Article.h"
#include "map/MapGenerator.h"
#include "presentation/picture/GuiPictures.h"
#include "presentation/resource/Batch.h"
#include "presentation/render/RenderState.h"
#include "presentation/render/Transform.h"

namespace Game {

using Engine::i32;

namespace {

// A treasure loses a quarter of its weight per floor away from its level.
constexpr float kWeightDecayPerFloor = 0.75f;
// Below its level, a treasure comes with fewer uses and in worse condition.
constexpr float kUsesLossPerFloor = 0.17f;
constexpr float kConditionLossPerFloor = 0.1f;
constexpr float kLeastCondition = 0.1f;
// The article's factors: [0.5, 1) of the uses, [0.7, 1) of the condition.
constexpr float kUsesSpread = 0.5f;
constexpr float kConditionSpread = 0.3f;

}  // namespace

std::vector<const TreasureEntry*> MapGenerator::treasureEntries() const {
  std::vector<const TreasureEntry*> entries;
  for (const TreasureEntry& entry : mConfig.treasures) {
    if (entry.expression.isEmpty() || entry.expression.evaluate() != 0) {
      entries.push_back(&entry);
    }
  }
  return entries;
}

float MapGenerator::entryLevel(float depth, i32 siteFloors) {
  return static_cast<float>(siteFloors - 1) * depth + 1.f;
}

float MapGenerator::treasureWeight(const TreasureEntry& entry, i32 floor, i32 siteFloors) {
  const float distance = std::fabs(entryLevel(entry.depth, siteFloors) - static_cast<float>(floor));
  return entry.probability * std::pow(kWeightDecayPerFloor, distance);
}

void MapGenerator::contentFactors(const TreasureEntry& entry, i32 floor, i32 siteFloors, float* uses,
                                  float* condition) {
  const float below = static_cast<float>(floor) - entryLevel(entry.depth, siteFloors);
  float a = 1.f;
  float b = 1.f;
  if (below < 0.f) {
    a = std::max(0.f, 1.f + kUsesLossPerFloor * below);
    b = std::max(kLeastCondition, 1.f + kConditionLossPerFloor * below);
  }
  *uses = a * (mRandom.getFloat(kUsesSpread) + (1.f - kUsesSpread));
  *condition = b * (mRandom.getFloat(kConditionSpread) + (1.f - kConditionSpread));
}

Article MapGenerator::makeContents(const TreasureEntry& entry, i32 floor, i32 siteFloors) {
  Article article;
  if (entry.tool) {
    float uses = 1.f;
    float condition = 1.f;
    contentFactors(entry, floor, siteFloors, &uses, &condition);
    article.set(entry.tool, uses, condition);
  }
  return article;
}

const SpecialFloor* MapGenerator::findSpecialFloor(i32 number) const {
  for (const SpecialFloor& special : mConfig.specialFloors) {
    if (special.number == number) {
      return &special;
    }
  }
  return nullptr;
}

float MapGenerator::floorLevel(i32 floor, i32 siteFloors) const {
  const float t = siteFloors > 0 ? static_cast<float>(floor) / static_cast<float>(siteFloors) : 0.f;
  return (1.f - t) * mConfig.rankTop + t * mConfig.rankBottom;
}

void MapGenerator::reveal(std::vector<Engine::u8>& mapped, i32 x, i32 y, i32 radius) const {
  mapped.resize(static_cast<std::size_t>(mWidth) * static_cast<std::size_t>(mHeight), 0);
  for (const Rect& room : mRooms) {
    if (!room.contains(x, y)) {
      continue;
    }
    for (i32 rx = room.x; rx < room.x + room.w; ++rx) {
      for (i32 ry = room.y; ry < room.y + room.h; ++ry) {
        mapped[index(rx, ry)] = 1;
      }
    }
  }
  for (i32 cx = x - radius + 1; cx <= x + radius - 1; ++cx) {
    for (i32 cy = y - radius + 1; cy <= y + radius - 1; ++cy) {
      if (isInside(cx, cy)) {
        mapped[index(cx, cy)] = 1;
      }
    }
  }
}

std::vector<MapGenerator::AutomapSquare> MapGenerator::automapSquares(const std::vector<Engine::u8>& mapped,
                                                                      i32 markAX, i32 markAY, i32 markBX,
                                                                      i32 markBY, float centreX,
                                                                      float centreY) const {
  std::vector<AutomapSquare> squares;
  if (mapped.size() < mCells.size()) {
    return squares;
  }
  for (i32 x = 0; x < mWidth; ++x) {
    for (i32 y = 0; y < mHeight; ++y) {
      if (!mapped[index(x, y)] || !isOpen(x, y)) {
        continue;
      }
      const bool marked = (x == markAX && y == markAY) || (x == markBX && y == markBY);
      squares.push_back({(static_cast<float>(x) - centreX) * kAutomapCell,
                         (static_cast<float>(y) - centreY) * kAutomapCell,
                         marked ? kAutomapMarkColor : kAutomapColor});
    }
  }
  return squares;
}

void MapGenerator::drawAutomap(const RenderState& base, const std::vector<Engine::u8>& mapped, i32 markAX,
                               i32 markAY, i32 markBX, i32 markBY, float centreX, float centreY,
                               float angle) const {
  GuiPictures* pictures = GuiPictures::instance();
  const Batch* square = pictures ? pictures->compassBatch("cell") : nullptr;
  if (!square) {
    return;
  }
  // The map's vertical axis is the screen's depth: a turn in its plane.
  RenderState turned = base;
  Transform turn;
  turn.rotation.set(0.f, 0.f, angle);
  turned.applyTransform(turn);
  const float scale = kAutomapCell / kCellPictureSide;
  for (const AutomapSquare& cell : automapSquares(mapped, markAX, markAY, markBX, markBY, centreX, centreY)) {
    RenderState state = turned;
    Transform place;
    place.position.set(cell.x, cell.y, 0.f);
    place.scale.set(scale, scale, 1.f);
    state.applyTransform(place);
    state.setColorPacked(cell.argb);
    square->draw(state);
  }
}

}  // namespace Game
