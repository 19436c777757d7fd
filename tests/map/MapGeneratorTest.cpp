#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "map/MapGenerator.h"
#include "map/MapGeneratorGolden.h"
#include "map/MapGeneratorSupport.h"

namespace Game {
namespace {

using Engine::i32;
using MapGeneratorSupport::kSample;
using MapGeneratorSupport::kTiny;

using MapGeneratorTest = MapGeneratorSupport::GeneratorTest;

TEST_F(MapGeneratorTest, SeededFloorsMatchTheirPictures) {
  EXPECT_EQ("\n" + picture(*generate(kTiny, 1)), MapGeneratorGolden::kTinyGolden);
  EXPECT_EQ("\n" + picture(*generate(kSample, 2)), MapGeneratorGolden::kSampleGolden);
}

// Seed 1 jitters 256 by 256 to 344 high, seed 2 wider; the floor keeps to
// 65,536 cells, 256 by 256, so the fill that finds walls never crosses open
// ground: rock is wall exactly where the corner reaches it through rock alone.
TEST_F(MapGeneratorTest, AJitteredFloorKeepsTo65536CellsAndEnclosedRockStaysSeparator) {
  const char* text = "size 256,256;roomMin 3;roomMax 8;separatorProbability 100;wall{chip 壁;}separator{chip 仕切;}"
                     "startPosition 1;階段 上,2;";
  auto floor = generate(text, 1);
  ASSERT_EQ(std::tuple(generate(text, 2)->width(), floor->width(), floor->height()), std::tuple(256, 256, 256));
  const auto solid = [&floor](i32 at) { return floor->cell(at / 256, at % 256).kind == MapGenerator::kSolid; };
  std::vector<bool> outer(65536, false);
  for (bool grew = true; grew;) {
    grew = false;
    for (i32 at = 0; at < 65536; ++at) {
      const bool beside = at == 0 || (at >= 256 && outer[at - 256]) || (at < 65280 && outer[at + 256]) ||
                          (at % 256 > 0 && outer[at - 1]) || (at % 256 < 255 && outer[at + 1]);
      if (!outer[at] && beside && solid(at)) outer[at] = grew = true;
    }
  }
  i32 wrong = 0, enclosed = 0;
  for (i32 at = 0; at < 65536; ++at) {
    wrong += solid(at) && outer[at] != (symbol(*floor, at / 256, at % 256) == '#');
    enclosed += solid(at) && !outer[at];
  }
  EXPECT_EQ(std::pair(wrong, enclosed > 0), std::pair(0, true));
}

// The jitter widens (a negative draw) or heights; each of these seeds keeps
// the width, so the root's extent across x is the configured one. A node of
// twice the smallest side (roomMin + 2) does not split.
TEST_F(MapGeneratorTest, NodesSplitAtTheSmallestSideAndUpToRoomMaxOnlyByTheDraw) {
  const std::pair<i32, i32> cases[] = {{2, 9}, {3, 11}};
  for (const auto& [roomMin, width] : cases) {
    const std::string text = "size " + std::to_string(width) + ",9;roomMin " + std::to_string(roomMin) +
                             ";roomMax 20;separatorProbability 100;startPosition 1;階段 上,2;";
    i32 kept = 0;
    for (i32 seed = 1; seed <= 40; ++seed) {
      auto floor = generate(text, seed);
      if (floor->width() != width) {
        continue;
      }
      ++kept;
      const MapGenerator::Node& root = floor->nodes().front();
      ASSERT_TRUE(root.vertical);
      ASSERT_EQ(root.divider, roomMin + 2);
      const MapGenerator::Rect left = floor->nodes()[static_cast<std::size_t>(root.children[0])].area;
      const MapGenerator::Rect right = floor->nodes()[static_cast<std::size_t>(root.children[1])].area;
      EXPECT_EQ(std::tuple(left.x, left.w, right.x, right.w), std::tuple(0, roomMin + 2, roomMin + 3, roomMin + 2));
    }
    EXPECT_GT(kept, 5);
  }
  for (i32 seed = 1; seed <= 40; ++seed) {
    auto floor = generate("size 8,7;roomMin 2;roomMax 1;separatorProbability 100;startPosition 1;階段 上,2;", seed);
    if (floor->width() == 8) {
      EXPECT_EQ(floor->nodes().front().divider, -1);
    }
  }
  // Up to roomMax + 2 a node splits only by the draw, which 0 never passes;
  // one more and it splits whatever the draw.
  i32 kept = 0;
  for (i32 seed = 1; seed <= 40; ++seed) {
    auto whole = generate("size 11,8;roomMin 2;roomMax 9;separatorProbability 0;startPosition 1;階段 上,2;", seed);
    auto split = generate("size 11,8;roomMin 2;roomMax 8;separatorProbability 0;startPosition 1;階段 上,2;", seed);
    if (whole->width() != 11) {
      continue;
    }
    ++kept;
    EXPECT_EQ(std::tuple(whole->nodes().size(), whole->rooms().size(), split->nodes().front().vertical),
              std::tuple(1u, 1u, true));
    EXPECT_NE(split->nodes().front().divider, -1);
  }
  EXPECT_GT(kept, 5);
  for (i32 seed = 1; seed <= 40; ++seed) {
    EXPECT_EQ(generate("size 16,16;roomMin 3;roomMax 40;separatorProbability 0;startPosition 1;階段 上,2;", seed)
                  ->rooms()
                  .size(),
              1u);
  }
}

// Each kind of open cell takes its own spec, rock its height 4; a pillar
// names its own chip. (Torches on rock keep the rock's chip: checked with
// the properties.)
TEST_F(MapGeneratorTest, CellsTakeTheSpecOfTheirKindAndEventsBeyondTheRoomsGoOnPassages) {
  auto floor = generate(kSample, 2);
  const ChipPicture* expected[] = {nullptr, pictures.findChip("床"), pictures.findChip("縁"), pictures.findChip("道")};
  i32 pillars = 0;
  for (i32 x = 0; x < floor->width(); ++x) {
    for (i32 y = 0; y < floor->height(); ++y) {
      const MapGenerator::Cell& cell = floor->cell(x, y);
      if (cell.spec.object == pictures.findObject("柱")) {
        EXPECT_EQ(cell.spec.chip, pictures.findChip("柱床")) << x << "," << y;
        ++pillars;
      } else if (cell.kind == MapGenerator::kSolid) {
        EXPECT_EQ(cell.spec.height, 4) << x << "," << y;
      } else {
        EXPECT_EQ(std::pair(cell.spec.chip, cell.spec.height), std::pair(expected[cell.kind], 0)) << x << "," << y;
      }
    }
  }
  EXPECT_GT(pillars, 0);
  // Events the rooms' free cells cannot hold go on passage cells, one each.
  std::string events = "event 3";
  for (i32 i = 4; i < 26; ++i) {
    events += "," + std::to_string(i);
  }
  i32 onPassage = 0;
  for (i32 seed = 1; seed <= 20; ++seed) {
    auto generated = generate("size 14,9;roomMin 2;roomMax 3;separatorProbability 100;startPosition 1;階段 上,2;" +
                              events + ";",
                          seed);
    std::set<std::pair<i32, i32>> places;
    for (i32 event = 1; event < 26; ++event) {
      i32 x = -1;
      i32 y = -1;
      ASSERT_TRUE(generated->findEvent(event, &x, &y));
      ASSERT_NE(generated->cell(x, y).kind, MapGenerator::kSolid);
      places.insert({x, y});
      onPassage += generated->cell(x, y).kind == MapGenerator::kPassage;
    }
    EXPECT_EQ(places.size(), 25u);
  }
  EXPECT_GT(onPassage, 0);
}

TEST_F(MapGeneratorTest, SpecsFollowTheirFallbacksAndTheRestIsRead) {
  auto plain = config("size 9,9;roomMin 2;room{chip 床;height 3;}wall{chip 壁;}startPosition 1;階段 上,2;");
  const ChipPicture* floorChip = pictures.findChip("床");
  EXPECT_EQ(std::tuple(plain.room.chip, plain.room.height, plain.roomSide.chip, plain.passage.chip,
                       plain.separator.chip, plain.stairsObject),
            std::tuple(floorChip, 3, floorChip, floorChip, pictures.findChip("壁"), pictures.findObject("階段上り")));
  auto own = config("size 9,9;roomMin 2;room{chip 床;}roomSide{chip 縁;}separator{chip none;object 柱;}"
                    "startPosition 1;階段 下,2;");
  EXPECT_EQ(std::tuple(own.passage.chip, own.separator.hasChip, own.separator.chip, own.separator.object,
                       own.wall.hasChip),
            std::tuple(pictures.findChip("縁"), true, nullptr, pictures.findObject("柱"), false));
  EXPECT_EQ(std::tuple(own.stairsDirection, own.stairsObject, own.stairsEvent),
            std::tuple(MapGeneratorConfig::kStairsDown, pictures.findObject("階段下り"), 2));
  // Size, room bounds, split and passage odds, events and the start are read
  // for the golden floors too; here what those floors leave out.
  Database::create();
  const ToolData* herb = Database::instance()->addTool("薬草", "薬草");
  auto read = config(
      "size 30,20;roomMin 4;startPosition 4;階段 上,9;treasure{tool 薬草;probability 10;floor 50;expression 1;}"
      "treasure{probability 4;}treasureFrequency 30;enemy{frequency 2;}");
  Database::destroy();
  ASSERT_EQ(read.treasures.size(), 2u);
  EXPECT_EQ(std::tuple(read.treasures[0].tool, read.treasures[0].depth, read.treasures[0].probability,
                       read.treasures[1].tool),
            std::tuple(herb, 0.5f, 10.f, nullptr));
  EXPECT_FLOAT_EQ(read.treasureFrequency, 0.3f);
  EXPECT_FLOAT_EQ(read.enemyFrequency, 0.02f);
}

TEST_F(MapGeneratorTest, FaultsOfTheNodeNameTheFloorFile) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::pair<const char*, const char*> cases[] = {
      {"roomMin 2;startPosition 1;階段 上,2;", "b2.txt.*\"size\" needs a width and a height"},
      {"size 9;roomMin 2;startPosition 1;階段 上,2;", "b2.txt.*\"size\" needs a width and a height"},
      {"size 9,9;roomMin 0;startPosition 1;階段 上,2;", "b2.txt.*\"roomMin\" must be from 1 to 256, not 0"},
      // Counts, sizes and heights the generator can work with, no more.
      {"size 9,9;roomMin 2147483647;startPosition 1;", "b2.txt.*\"roomMin\" must be from 1 to 256, not 2147483647"},
      {"size 9,9;roomMin 2;roomMax 2147483647;", "b2.txt.*\"roomMax\" must be from 0 to 256, not 2147483647"},
      {"size 9,9;roomMin 2;roomMax -1;", "b2.txt.*\"roomMax\" must be from 0 to 256, not -1"},
      {"size 9,257;roomMin 2;", "b2.txt.*\"size\" must be at most 256 each way"},
      {"size 9,9;roomMin 2;passageNumber /;", "b2.txt line 1: \"passageNumber\" item 1 \"/\" is not a finite number"},
      {"size 9,9;roomMin 2;passageNumber 5;", "b2.txt.*\"passageNumber\" must be from -1 to 4, not 5"},
      {"size 9,9;roomMin 2;passageNumber -2;", "b2.txt.*\"passageNumber\" must be from -1 to 4, not -2"},
      {"size 9,9;roomMin 2;room{chip none;height 1001;}", "b2.txt.*\"height\" must be from -1000 to 1000, not 1001"},
      {"size 9,9;roomMin 2;wall{chip none;height -1001;}", "b2.txt.*\"height\" must be from -1000 to 1000"},
      {"size 9,9;roomMin 2;startPosition 1;階段 上,2;treasureFrequency 101;", "b2.txt.*\"treasureFrequency\" must be from 0 to 100"},
      {"size 9,9;roomMin 2;startPosition 1;階段 上,2;treasureFrequency -1;", "b2.txt.*\"treasureFrequency\" must be from 0 to 100"},
      {"size 9,9;roomMin 2;startPosition 1;階段 上,2;treasure{probability -1;}", "b2.txt.*\"probability\" must be from 0 to 1e\\+06"},
      {"size 9,9;roomMin 2;startPosition 1;階段 上,2;treasure{probability 1000001;}", "b2.txt.*\"probability\" must be from 0 to 1e\\+06"},
      {"size 9,9;roomMin 2;startPosition 1;階段 上,2;enemy{frequency 101;}", "b2.txt.*\"frequency\" must be from 0 to 100"},
      {"size 9,9;roomMin 2;startPosition 1;階段 上,2;enemy{frequency -1;}", "b2.txt.*\"frequency\" must be from 0 to 100"},
      {"size 5,9;roomMin 4;startPosition 1;階段 上,2;", "b2.txt.*\"size\" must be at least roomMin"},
      {"size 9,5;roomMin 4;startPosition 1;階段 上,2;", "b2.txt.*\"size\" must be at least roomMin"},
      {"size 9,9;roomMin 2;startPosition 1;階段 横,2;", "b2.txt.*must begin with"},
      {"size 9,9;roomMin 2;startPosition 1;", "b2.txt.*must begin with"},
      {"size 9,9;roomMin 2;room{chip 無い;}startPosition 1;階段 上,2;", "b2.txt.*unknown chip \"無い\""},
      {"size 9,9;roomMin 2;object{object 無い;}startPosition 1;階段 上,2;", "b2.txt.*unknown object"},
      {"size 9,9;roomMin 2;階段 上,2;", "b2.txt.*startPosition"},
      {"size 9,9;roomMin 2;startPosition 1;階段 上,2;treasure{tool 無い;}", "b2.txt.*unknown tool"},
      {"size 9,9;roomMin 2;startPosition 1;階段 上,2;enemy{race 無い;}", "b2.txt.*unknown race"},
  };
  Database::create();
  for (const auto& [text, message] : cases) {
    EXPECT_DEATH(config(text), message) << text;
  }
  Database::destroy();
  // Every bound itself is in range.
  for (const char* bounds : {"size 256,3;roomMin 1;roomMax 256;passageNumber 4;treasureFrequency 100;"
                             "room{chip none;height 1000;}treasure{probability 1000000;}enemy{frequency 100;}",
                             "size 3,256;roomMin 1;roomMax 0;passageNumber -1;room{chip none;height -1000;}"}) {
    const MapGeneratorConfig read = config(std::string(bounds) + "startPosition 1;階段 上,2;");
    EXPECT_EQ(read.roomMin, 1) << bounds;
  }
  // Ten attempts with no room for every event stop naming the floor.
  std::string events = "event 3";
  for (i32 i = 4; i < 200; ++i) {
    events += "," + std::to_string(i);
  }
  EXPECT_DEATH(generate("size 9,9;roomMin 2;startPosition 1;階段 上,2;" + events + ";", 1),
               "b2.txt, random: 0 && \"mapGenerator failed\".*in 10 attempts");
}

TEST_F(MapGeneratorTest, RevealMarksTheRoomAndASquareAndTheAutomapShowsThem) {
  auto floor = generate(kSample, 2);
  const MapGenerator::Rect room = floor->rooms().front();
  std::vector<Engine::u8> mapped;
  floor->reveal(mapped, room.x + 1, room.y + 1, 1);
  EXPECT_EQ(std::tuple(std::count(mapped.begin(), mapped.end(), 1), mapped.size()),
            std::tuple(room.w * room.h, static_cast<std::size_t>(floor->width() * floor->height())));
  // On rock at the corner: the square of side 2r − 1 inside the grid.
  const std::pair<i32, i32> cases[] = {{1, 1}, {2, 4}, {3, 9}};
  for (const auto& [radius, cells] : cases) {
    std::vector<Engine::u8> corner;
    floor->reveal(corner, 0, 0, radius);
    EXPECT_EQ(std::tuple(std::count(corner.begin(), corner.end(), 1), corner[0]), std::tuple(cells, 1)) << radius;
  }
  std::vector<Engine::u8> middle;
  floor->reveal(middle, 0, 8, 2);
  // Column 0 and 1, rows 7 to 9: x × height + y.
  for (i32 x = 0; x < 2; ++x) {
    for (i32 y = 7; y <= 9; ++y) {
      EXPECT_TRUE(middle[static_cast<std::size_t>(x * floor->height() + y)]) << x << "," << y;
    }
  }
  EXPECT_FALSE(middle[static_cast<std::size_t>(2 * floor->height() + 8)]);
  EXPECT_FALSE(middle[static_cast<std::size_t>(0 * floor->height() + 10)]);
  // Mapped open cells only, 12 units a cell from the centre; the two marked
  // cells red.
  std::vector<Engine::u8> seen(static_cast<std::size_t>(floor->width() * floor->height()), 0);
  const auto at = [&](i32 x, i32 y) -> Engine::u8& {
    return seen[static_cast<std::size_t>(x * floor->height() + y)];
  };
  at(0, 0) = 1;    // rock
  at(10, 2) = 1;   // room
  at(7, 3) = 1;    // passage, seen second
  at(14, 3) = 1;   // room edge, seen first
  const auto squares = floor->automapSquares(seen, 14, 3, 7, 3, 10.f, 2.5f);
  ASSERT_EQ(squares.size(), 3u);
  const std::tuple<float, float, Engine::u32> expected[] = {
      {-36.f, 6.f, 0x80FF0000u}, {0.f, -6.f, 0x40FFFFFFu}, {48.f, 6.f, 0x80FF0000u}};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(std::tuple(squares[i].x, squares[i].y, squares[i].argb), expected[i]) << i;
  }
  EXPECT_EQ(floor->automapSquares(seen, 14, 3, 14, 3, 10.f, 2.5f)[0].argb, 0x40FFFFFFu);
  EXPECT_TRUE(floor->automapSquares({}, 0, 0, 0, 0, 0.f, 0.f).empty());
}

}  // namespace
}  // namespace Game
