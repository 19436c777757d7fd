#pragma once

#include <memory>
#include <string>

#include "core/random/RandomGenerator.h"
#include "core/file/nml/NmlDocument.h"
#include "map/MapGenerator.h"
#include "presentation/resource/ResourceTestSupport.h"
#include "records/Database.h"
#include "records/database/MapPictureSet.h"

namespace MapGeneratorSupport {

// Chips and objects by name over picture files on the fake file system.
class GeneratorTest : public ResourceTestSupport::ResourceTest {
 protected:
  static constexpr const char* kFile = "src/data/map/test/b2.txt";

  void SetUp() override {
    ResourceTest::SetUp();
    fs().put("src/picture/map/chip/f.txt", "model{name main;}");
    fs().put("src/picture/map/wall/w.txt", "model{name main;}");
    fs().put("src/picture/map/object/o.txt", "model{name main;}");
    Game::NmlDocument tiles;
    tiles.loadFromText("list.txt",
                       "wall{name 石壁;file w;}chip{name 床;file f;wall 石壁;}chip{name 縁;file f;}"
                       "chip{name 道;file f;}chip{name 壁;file f;}chip{name 仕切;file f;}chip{name 柱床;file f;}");
    pictures.readTiles(tiles, "map/list.txt");
    Game::NmlDocument objects;
    objects.loadFromText("list.txt",
                         "object{file o;name 柱;}object{file o;name 松明;}object{file o;name 階段上り;}"
                         "object{file o;name 階段下り;}");
    pictures.readObjects(objects, "object/list.txt");
  }

  Game::MapGeneratorConfig config(const std::string& text) {
    Game::NmlDocument node;
    node.loadFromText("b2.txt", text.c_str());
    return Game::MapGeneratorConfig::read(node, pictures, Game::Database::instance(), kFile);
  }

  std::unique_ptr<Game::MapGenerator> generate(const std::string& text, Engine::i32 seed) {
    random.setSeed(seed);
    return std::make_unique<Game::MapGenerator>(config(text), random);
  }

  // One character a cell, rows from y = 0: '#' wall, '%' separator, '.' room,
  // ',' room edge, '=' passage, 'o' an object on open ground, 'w' one on
  // rock, a digit for an event.
  std::string picture(const Game::MapGenerator& floor) const {
    std::string out;
    for (Engine::i32 y = 0; y < floor.height(); ++y) {
      for (Engine::i32 x = 0; x < floor.width(); ++x) {
        out += symbol(floor, x, y);
      }
      out += '\n';
    }
    return out;
  }

  char symbol(const Game::MapGenerator& floor, Engine::i32 x, Engine::i32 y) const {
    const Game::MapGenerator::Cell& cell = floor.cell(x, y);
    if (cell.eventId >= 0) {
      return static_cast<char>('0' + cell.eventId % 10);
    }
    if (cell.spec.object) {
      return cell.kind == Game::MapGenerator::kSolid ? 'w' : 'o';
    }
    switch (cell.kind) {
      case Game::MapGenerator::kRoom: return '.';
      case Game::MapGenerator::kRoomSide: return ',';
      case Game::MapGenerator::kPassage: return '=';
      default: return cell.spec.chip == pictures.findChip("壁") ? '#' : '%';
    }
  }

  Game::MapPictureSet pictures;
  Game::RandomGenerator random{1};
};

// The three floors pinned by their pictures.
inline const char* const kTiny =
    "size 9,9;roomMin 2;roomMax 4;separatorProbability 100;passageNumber 1;room{chip 床;}roomSide{chip 縁;}"
    "passage{chip 道;}wall{chip 壁;height 4;}separator{chip 仕切;height 4;}object{object 柱;}"
    "objectOnWall{object 松明;}event 3;startPosition 1;階段 下,2;";
inline const char* const kSample =
    "size 20,16;roomMin 3;roomMax 7;separatorProbability 90;passageNumber 1/2;room{chip 床;}"
    "roomSide{chip 縁;}passage{chip 道;}wall{chip 壁;height 4;}separator{chip 仕切;height 4;}"
    "object{chip 柱床;object 柱;}objectOnWall{object 松明;}event 3,4;event 5;startPosition 1;階段 下,2;";

}  // namespace MapGeneratorSupport
