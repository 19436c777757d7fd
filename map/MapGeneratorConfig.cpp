#include "map/MapGeneratorConfig.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "core/file/DataError.h"
#include "core/file/nml/NmlNode.h"
#include "records/Database.h"
#include "records/database/MapPictureSet.h"
#include "records/database/MapReading.h"

namespace Game {

using Engine::i32;

namespace {

constexpr float kPercent = 100.f;
// The widest side a generated floor is given (the size jitter widens it up to
// √2 times, to no more than 65,536 cells): room for many rooms, and a grid, a partition and passages whose
// work stays small.
constexpr i32 kMaxSide = 256;
// Heights of generated cells, in height units either way.
constexpr i32 kMaxHeight = 1000;
// Extra passages: the random term ±1 plus this, per pair of leaves; more would
// only lay the same passages again.
constexpr float kMinPassageNumber = -1.f;
constexpr float kMaxPassageNumber = 4.f;
// A treasure entry's weight: far beyond any sum that could lose a smaller one.
constexpr float kMaxWeight = 1e6f;

// Stops the program naming the floor file, its "random" node and the key.
[[noreturn]] void fault(const NmlNode& node, const char* file, const std::string& problem) {
  DataError::Scope scope(file);
  scope.setRecord("random", "", node.line());
  DataError::badRecord(__FILE__, __LINE__, problem.c_str());
}

// An integer key of the node, stopped on unless it lies in [low, high].
i32 integerWithin(const NmlNode& node, const char* key, i32 low, i32 high, const char* file) {
  const i32 value = MapReading::integer(node, key);
  if (value < low || value > high) {
    fault(node, file, "\"" + std::string(key) + "\" must be from " + std::to_string(low) + " to " +
                          std::to_string(high) + ", not " + std::to_string(value));
  }
  return value;
}

std::string numberText(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

// A number key of the node, stopped on unless it lies in [low, high].
float numberWithin(const NmlNode& node, const char* key, float low, float high, const char* file) {
  const float value = MapReading::number(node, key);
  if (value < low || value > high) {
    fault(node, file, "\"" + std::string(key) + "\" must be from " + numberText(low) + " to " + numberText(high) +
                          ", not " + numberText(value));
  }
  return value;
}

[[noreturn]] void unknown(const NmlNode& node, const char* file, const char* what, const char* name) {
  DataError::Scope scope(file);
  scope.setRecord("random", "", node.line());
  DataError::unknownName(__FILE__, __LINE__, what, name);
}

GeneratorCellSpec readSpec(const NmlNode& node, const MapPictureSet& pictures, const char* file) {
  GeneratorCellSpec spec;
  if (const NmlAttribute* chip = node.findAttribute("chip")) {
    spec.hasChip = true;
    if (std::strcmp(chip->toString(0), "none") != 0) {
      spec.chip = pictures.findChip(chip->toString(0));
      if (!spec.chip) {
        unknown(node, file, "chip", chip->toString(0));
      }
    }
    spec.height = integerWithin(node, "height", -kMaxHeight, kMaxHeight, file);
  }
  if (const NmlAttribute* object = node.findAttribute("object")) {
    spec.object = pictures.findObject(object->toString(0));
    if (!spec.object) {
      unknown(node, file, "object", object->toString(0));
    }
  }
  return spec;
}

// The spec of the child of that name; the fallback when there is none.
GeneratorCellSpec specOr(const NmlNode& node, const char* name, const GeneratorCellSpec& fallback,
                         const MapPictureSet& pictures, const char* file) {
  return node.countChildren(name) > 0 ? readSpec(*node.findChild(name), pictures, file) : fallback;
}

std::vector<GeneratorCellSpec> specList(const NmlNode& node, const char* name, const MapPictureSet& pictures,
                                        const char* file) {
  std::vector<GeneratorCellSpec> specs;
  for (i32 i = 0; i < node.countChildren(name); ++i) {
    specs.push_back(readSpec(*node.findChild(name, i), pictures, file));
  }
  return specs;
}

void readSize(MapGeneratorConfig& config, const NmlNode& node, const char* file) {
  const NmlAttribute* size = node.findAttribute("size");
  if (!size || size->itemCount() < 2) {
    fault(node, file, "\"size\" needs a width and a height");
  }
  config.width = size->toInt(0);
  config.height = size->toInt(1);
  if (config.width > kMaxSide || config.height > kMaxSide) {
    fault(node, file, "\"size\" must be at most " + std::to_string(kMaxSide) + " each way");
  }
  config.roomMin = integerWithin(node, "roomMin", 1, kMaxSide, file);
  config.roomMax = integerWithin(node, "roomMax", 0, kMaxSide, file);
  // A side of roomMin + 2 holds the smallest room with a cell around it.
  if (config.width < config.roomMin + 2 || config.height < config.roomMin + 2) {
    fault(node, file, "\"size\" must be at least roomMin + 2 each way");
  }
}

void readStairs(MapGeneratorConfig& config, const NmlNode& node, const MapPictureSet& pictures,
                const char* file) {
  const NmlAttribute* stairs = node.findAttribute("階段");
  const char* word = stairs ? stairs->toString(0) : "";
  if (std::strcmp(word, "上") == 0) {
    config.stairsDirection = MapGeneratorConfig::kStairsUp;
  } else if (std::strcmp(word, "下") == 0) {
    config.stairsDirection = MapGeneratorConfig::kStairsDown;
  } else {
    fault(node, file, std::string("\"階段\" must begin with 上 or 下, not \"") + word + "\"");
  }
  config.stairsEvent = stairs->toInt(1);
  const char* objectName = config.stairsDirection == MapGeneratorConfig::kStairsUp ? "階段上り" : "階段下り";
  config.stairsObject = pictures.findObject(objectName);
  if (!config.stairsObject) {
    unknown(node, file, "object", objectName);
  }
}

void readEvents(MapGeneratorConfig& config, const NmlNode& node, const char* file) {
  config.startPosition = MapReading::required(node, "startPosition", file).toInt(0);
  for (i32 line = 0; line < node.countAttributes("event"); ++line) {
    const NmlAttribute* events = node.findAttribute("event", line);
    for (i32 i = 0; i < events->itemCount(); ++i) {
      config.events.push_back(events->toInt(i));
    }
  }
}

void readSpecialFloors(MapGeneratorConfig& config, const NmlNode& node) {
  for (i32 i = 0; i < node.countChildren("specialFloor"); ++i) {
    const NmlNode& entry = *node.findChild("specialFloor", i);
    config.specialFloors.push_back(
        {MapReading::integer(entry, "number"), MapReading::text(entry, "file"), MapReading::integer(entry, "startPosition")});
  }
}

void readTreasures(MapGeneratorConfig& config, const NmlNode& node, const Database* database, const char* file) {
  for (i32 i = 0; i < node.countChildren("treasure"); ++i) {
    const NmlNode& entry = *node.findChild("treasure", i);
    TreasureEntry treasure;
    if (const NmlAttribute* tool = entry.findAttribute("tool")) {
      treasure.tool = database ? database->findTool(tool->toString(0)) : nullptr;
      if (!treasure.tool) {
        unknown(entry, file, "tool", tool->toString(0));
      }
    }
    if (const NmlAttribute* expression = entry.findAttribute("expression")) {
      treasure.expression.parse(expression->toString(0));
    }
    treasure.probability = numberWithin(entry, "probability", 0.f, kMaxWeight, file);
    treasure.depth = MapReading::number(entry, "floor") / kPercent;
    config.treasures.push_back(std::move(treasure));
  }
  config.treasureFrequency = numberWithin(node, "treasureFrequency", 0.f, kPercent, file) / kPercent;
}

void readEnemies(MapGeneratorConfig& config, const NmlNode& node, const Database* database, const char* file) {
  if (node.countChildren("enemy") == 0) {
    return;
  }
  const NmlNode& enemy = *node.findChild("enemy");
  if (const NmlAttribute* races = enemy.findAttribute("race"); races && database) {
    DataError::Scope scope(file);
    scope.setRecord("enemy", "", enemy.line());
    for (i32 i = 0; i < races->itemCount(); ++i) {
      config.races.push_back(&database->findRace(races->toString(i)));
    }
  }
  if (const NmlAttribute* rank = enemy.findAttribute("rank")) {
    config.rankTop = rank->toFloat(0) / kPercent;
    config.rankBottom = rank->toFloat(1) / kPercent;
  }
  config.enemyFrequency = numberWithin(enemy, "frequency", 0.f, kPercent, file) / kPercent;
}

}  // namespace

MapGeneratorConfig MapGeneratorConfig::read(const NmlNode& node, const MapPictureSet& pictures,
                                            const Database* database, const char* file) {
  MapGeneratorConfig config;
  config.file = file;
  readSize(config, node, file);
  config.splitProbability = MapReading::number(node, "separatorProbability") / kPercent;
  config.passageNumber = numberWithin(node, "passageNumber", kMinPassageNumber, kMaxPassageNumber, file);
  config.room = specOr(node, "room", GeneratorCellSpec{}, pictures, file);
  config.roomSide = specOr(node, "roomSide", config.room, pictures, file);
  config.passage = specOr(node, "passage", config.roomSide, pictures, file);
  config.wall = specOr(node, "wall", GeneratorCellSpec{}, pictures, file);
  config.separator = specOr(node, "separator", config.wall, pictures, file);
  config.objects = specList(node, "object", pictures, file);
  config.objectsOnWall = specList(node, "objectOnWall", pictures, file);
  readEvents(config, node, file);
  readStairs(config, node, pictures, file);
  readSpecialFloors(config, node);
  readTreasures(config, node, database, file);
  readEnemies(config, node, database, file);
  return config;
}

}  // namespace Game
