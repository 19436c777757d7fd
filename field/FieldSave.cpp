// The field's node of a save: the floor open, the camera, the symbols and,
// on a generated floor, the automap.
#include <string>

#include "Engine/Base/DebugStream.h"
#include "field/CameraAngle.h"
#include "field/FieldScene.h"
#include "field/SymbolNode.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlNode.h"
#include "records/Database.h"
#include "records/database/MapSiteData.h"

namespace Game {

using Engine::i32;

namespace {

const NmlNode* optionalChild(const NmlNode& node, const char* name) {
  return node.countChildren(name) > 0 ? node.findChild(name) : nullptr;
}

const char* text(const NmlNode& node, const char* key) {
  const NmlAttribute* line = node.findAttribute(key);
  return line ? line->item(0) : "";
}

}  // namespace

// Without a floor (saved from the continue scene) the node stays empty.
void FieldScene::save(NmlNode& node) const {
  if (!mSite) {
    return;
  }
  NmlNode& event = *node.addChild("event");
  for (const auto& [first, second] : mContacts) {
    NmlAttribute& line = *event.addAttribute("collision");
    line.addItem(first.c_str());
    line.addItem(second.c_str());
  }
  NmlNode& symbols = *node.addChild("symbol");
  for (const auto& symbol : mSymbols) {
    symbol->save(*symbols.addChild("symbol"));
  }
  node.addInt("angle", mAngleLevel);
  node.addBool("fixAngle", mFixedAngle);
  node.addAttribute("file", mFloorName.c_str());
  node.addAttribute("site", mSite->name());
  if (mGenerator) {
    writeMappedCells(*node.addChild("mappedCell"));
  }
}

void FieldScene::writeMappedCells(NmlNode& node) const {
  for (i32 y = 0; y < mMap.height(); ++y) {
    std::string row;
    for (i32 x = 0; x < mMap.width(); ++x) {
      const std::size_t i = static_cast<std::size_t>(x) * static_cast<std::size_t>(mMap.height()) +
                            static_cast<std::size_t>(y);
      row += i < mMapped.size() && mMapped[i] ? '1' : '0';
    }
    node.addAttribute("v", row.c_str());
  }
}

// A node without a site, or naming a site or floor no longer there, opens
// the continue scene instead of a floor.
void FieldScene::load(const NmlNode& node) {
  const MapSiteData* site = Database::instance()->findSite(text(node, "site"));
  if (!site || !node.findAttribute("file")) {
    if (node.findAttribute("site")) {
      Engine::cout << "field: the saved site \"" << text(node, "site") << "\" is unknown" << Engine::endl;
    }
    clearFloor();
    mSite = nullptr;
    requestContinueScene();
    return;
  }
  loadFloor(site, text(node, "file"), true);
  const NmlAttribute* angle = node.findAttribute("angle");
  mAngleLevel = angle ? CameraAngle::bounded(angle->toInt(0)) : kInitialAngleLevel;
  const NmlAttribute* fixed = node.findAttribute("fixAngle");
  mFixedAngle = fixed && fixed->toBool(0);
  if (const NmlNode* symbols = optionalChild(node, "symbol")) {
    for (const NmlNode& saved : symbols->childrenNamed("symbol")) {
      Field::Symbol& symbol = adopt(Field::readSymbol(*this, saved));
      if (symbol.name() == kPlayerName) {
        mPlayer = mFollowed = &symbol;
      }
    }
  }
  if (const NmlNode* mapped = optionalChild(node, "mappedCell")) {
    readMappedCells(*mapped);
  }
  returnLostPlayer();
}

// A row longer or shorter than the map marks the cells it covers.
void FieldScene::readMappedCells(const NmlNode& node) {
  if (!mGenerator) {
    return;
  }
  i32 y = 0;
  for (const NmlAttribute& line : node.attributesKeyed("v")) {
    if (y >= mMap.height()) {
      break;
    }
    const std::string row = line.item(0);
    for (i32 x = 0; x < mMap.width() && x < static_cast<i32>(row.size()); ++x) {
      mMapped[static_cast<std::size_t>(x) * static_cast<std::size_t>(mMap.height()) + static_cast<std::size_t>(y)] =
          row[static_cast<std::size_t>(x)] == '1';
    }
    ++y;
  }
}

}  // namespace Game
