// Opening a floor: its file, its map (tile map or generated), its symbols,
// scripts, links, tables and scene models.
#include <string>

#include "running/game/GameData.h"
#include "field/Container.h"
#include "field/EncounterTransition.h"
#include "field/FieldEffect.h"
#include "field/FieldScene.h"
#include "core/file/DataError.h"
#include "core/file/FileReader.h"
#include "core/file/nml/NmlDocument.h"
#include "map/MapGenerator.h"
#include "presentation/scene/SceneRenderer.h"
#include "records/Database.h"
#include "records/constance/Keywords.h"
#include "records/database/MapSiteData.h"

namespace Game {

using Engine::i32;

namespace {

// The largest seed drawn for a generated floor, plus one.
constexpr i32 kSeedRange = 0x70ffffff;
constexpr const char* kSiteVariable = "site";
// A floor's camera pitch offset, degrees: beyond a quarter turn either way
// the view would turn over.
constexpr float kMaxFloorAngle = 90.f;

const NmlNode* optionalFloorChild(const NmlNode& node, const char* name) {
  return node.countChildren(name) > 0 ? node.findChild(name) : nullptr;
}

std::string floorPath(const MapSiteData* site, const char* floorName) {
  return std::string(FieldScene::kFloorFolder) + (site ? site->folder() : "") + "/" + floorName;
}

// The floor's own file, which its data errors name.
std::string floorFile(const MapSiteData* site, const std::string& floorName) {
  return floorPath(site, floorName.c_str()) + ".txt";
}

// The floor's camera pitch offset; 0 without one.
float readFloorAngle(const NmlNode& root, const std::string& file) {
  const NmlAttribute* angle = root.findAttribute("angle");
  const float degrees = angle ? angle->toFloat(0) : 0.f;
  if (degrees < -kMaxFloorAngle || degrees > kMaxFloorAngle) {
    DataError::Scope scope(file.c_str());
    scope.setRecord(nullptr, nullptr, angle->line());
    DataError::badRecord(__FILE__, __LINE__, "\"angle\" must be from -90 to 90");
  }
  return degrees;
}

// The floor's save kind; 0 without one. An unknown word stops naming the file.
i32 readFloorSaveKind(const NmlNode& root, const std::string& file) {
  const NmlAttribute* save = root.findAttribute("save");
  if (!save) {
    return 0;
  }
  DataError::Scope scope(file.c_str());
  scope.setRecord(nullptr, nullptr, save->line());
  return Keyword::saveKind(save->item(0));
}

// The floor file; a missing one is a data error naming site and floor.
void readFloorFile(NmlDocument& document, const MapSiteData* site, const char* floorName) {
  const std::string path = floorPath(site, floorName) + ".txt";
  FileReader reader;
  reader.open(path.c_str(), true, false, true);
  if (reader.size() <= 0) {
    DataError::Scope scope(path.c_str());
    DataError::badRecord(
        __FILE__, __LINE__,
        (std::string("the floor \"") + floorName + "\" of the site \"" + (site ? site->name() : "") + "\" is missing")
            .c_str());
  }
  document.loadFromText(path.c_str(), reader.data());
}

}  // namespace

void FieldScene::changeScene(const MapSiteData* site) {
  SceneChangeRequest request;
  request.site = site;
  if (site) {
    request.floor = site->startFile();
    request.entryEvent = site->startPosition();
  }
  if (mSite && site) {
    postSceneChange(request);
    return;
  }
  changeSceneNow(request);
}

void FieldScene::changeSceneNow(const SceneChangeRequest& request) {
  if (!request.site) {
    clearFloor();
    mSite = nullptr;
    return;
  }
  applySceneChange(request.site, request.floor.c_str(), request.entryEvent);
  if (mGame.variables().hasString(kSiteVariable)) {
    mGame.variables().setString(kSiteVariable, request.site->name());
  }
  if (SceneRenderer* renderer = SceneRenderer::instance()) {
    renderer->camera().reset();
  }
}

// A special floor is applied once: one that is itself generated with a
// special floor of its own would otherwise never end.
void FieldScene::applySceneChange(const MapSiteData* site, const char* floorName, i32 entryEvent) {
  loadFloor(site, floorName, false);
  placePlayer(entryEvent);
  if (!mGenerator) {
    return;
  }
  if (const SpecialFloor* special = mGenerator->findSpecialFloor(mGame.variables().getInteger("floor"))) {
    const SpecialFloor target = *special;
    loadFloor(site, target.file.c_str(), false);
    placePlayer(target.startPosition);
  }
}

void FieldScene::clearFloor() {
  mTouchQueue.clear();
  mPlayer = nullptr;
  mFollowed = nullptr;
  mTransition.reset();
  mRemoved.clear();
  mSymbols.clear();
  mNodes.releaseAll();
  mStartScript.reset();
  mFloorScript.reset();
  mEncounter.reset();
  mMap.reset();
  mGenerator.reset();
  mMapped.clear();
  mContacts.clear();
  mFloorModels.clear();
  mFloorLinks = MapLinkEntry(nullptr, "");
  mSiteLinks = nullptr;
  mFloorAngle = 0.f;
  mFloorSave = 0;
  mFixedAngle = false;
  mEffect.reset();
  mFrame = 0;
}

void FieldScene::enterSite(const MapSiteData* site) {
  mCommonModels.clear();
  if (site && *site->scene()) {
    mCommonModels.load((std::string(kSceneFolder) + site->scene() + ".txt").c_str());
  }
  mAngleLevel = kInitialAngleLevel;
  mSite = site;
  if (site && site->floorNumber() > 0) {
    mEffect = std::make_unique<Field::Telop>(site->name());
    mEffect->spawn(*this, Engine::Math::Vector3(0.f, 0.f, 0.f));
  }
}

void FieldScene::loadFloor(const MapSiteData* site, const char* floorName, bool restoring) {
  clearFloor();
  if (site != mSite) {
    enterSite(site);
  }
  mFloorName = floorName ? floorName : "";
  NmlDocument document;
  readFloorFile(document, site, mFloorName.c_str());
  if (const NmlNode* random = optionalFloorChild(document, "random")) {
    buildGenerated(*random, restoring);
  } else {
    const NmlAttribute* fmf = document.findAttribute("fmf");
    mMap.buildFromFmf(floorPath(site, fmf ? fmf->item(0) : mFloorName.c_str()).c_str());
    sizeValueGrid(false);
  }
  readFloorKeys(document);
  if (!restoring) {
    startFloor(document);
  }
}

void FieldScene::buildGenerated(const NmlNode& random, bool restoring) {
  if (!restoring) {
    mGame.mapSeed() = RandomGenerator::instance()->getInt(kSeedRange);
  }
  mFloorRandom.setSeed(mGame.mapSeed());
  const std::string file = floorFile(mSite, mFloorName);
  mGenerator = std::make_unique<MapGenerator>(
      MapGeneratorConfig::read(random, mMap.pictures(), Database::instance(), file.c_str()), mFloorRandom);
  mMap.buildFromGenerator(*mGenerator);
  mMapped.assign(static_cast<std::size_t>(mMap.width()) * static_cast<std::size_t>(mMap.height()), 0);
  if (!restoring) {
    placeTreasure();
    placeEnemies();
  }
  sizeValueGrid(true);
}

void FieldScene::sizeValueGrid(bool generated) {
  mValues.setSize(mMap.width(), mMap.height());
  for (i32 x = 0; x < mMap.width(); ++x) {
    for (i32 y = 0; y < mMap.height(); ++y) {
      const bool open = !generated || mGenerator->isOpen(x, y);
      mValues.set(x, y, static_cast<float>(open ? kOpenCost : kRockCost));
    }
  }
  // Nothing is reached until the player stands somewhere.
  mValues.fill(-1, -1, 0.f);
}

void FieldScene::readFloorKeys(const NmlNode& root) {
  if (const NmlNode* encounter = optionalFloorChild(root, "encounter")) {
    mEncounter = std::make_unique<EncounterTable>();
    mEncounter->load(*encounter);
  }
  if (const NmlNode* script = optionalFloorChild(root, "script")) {
    mFloorScript = std::make_unique<Script>();
    mFloorScript->load(*script, mGame, floorFile(mSite, mFloorName).c_str());
  }
  mFloorLinks = MapLinkEntry(mSite, mFloorName);
  for (i32 i = 0; i < root.countAttributes("link"); ++i) {
    mFloorLinks.addFloorLink(*root.findAttribute("link", i));
  }
  mSiteLinks = Database::instance()->maps().links.find(mSite, mFloorName.c_str());
  for (i32 i = 0; i < root.countAttributes("scene"); ++i) {
    mFloorModels.push_back(std::make_unique<SceneModelSet>());
    mFloorModels.back()->load((std::string(kSceneFolder) + root.findAttribute("scene", i)->item(0) + ".txt").c_str());
  }
  const std::string file = floorFile(mSite, mFloorName);
  mFloorAngle = readFloorAngle(root, file);
  mFloorSave = readFloorSaveKind(root, file);
  mCameraPitch = static_cast<float>(static_cast<i32>(kBasePitch + (mSite ? mSite->angle() : 0.f) + mFloorAngle));
}

void FieldScene::startFloor(const NmlNode& root) {
  if (const NmlNode* start = optionalFloorChild(root, "start")) {
    mStartScript = std::make_unique<Script>();
    mStartScript->load(*start, mGame, floorFile(mSite, mFloorName).c_str());
  }
  if (!mSiteLinks) {
    return;
  }
  for (const MapContainerData& container : mSiteLinks->containers()) {
    placeFixedContainer(container);
  }
}

}  // namespace Game
