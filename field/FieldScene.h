#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "running/game/SubScene.h"
#include "core/math/DistanceGrid.h"
#include "core/random/RandomGenerator.h"
#include "field/Symbol.h"
#include "field/SymbolField.h"
#include "map/Map.h"
#include "map/SceneModelSet.h"
#include "presentation/scene/SceneNodePool.h"
#include "records/database/EncounterTable.h"
#include "records/database/MapLinkData.h"
#include "running/script/Script.h"

namespace Game {

class Article;
class MapGenerator;
class MapSiteData;
class RaceData;

namespace Field {
class Effect;
class EncounterTransition;
}

// Where a change of floor leads: a floor of a site, entered at an event.
struct SceneChangeRequest {
  const MapSiteData* site = nullptr;
  std::string floor;
  Engine::i32 entryEvent = 0;
};

// The dungeon field: the open floor of a map site with its map (drawn from a
// tile map or generated from the saved seed), the symbols standing on it, its
// scripts, links, encounter table, scene models and automap, and the field's
// node of a save. Each frame it draws the floor, runs its scripts and the
// player's control, hands bumped symbols their touch, moves the symbols, and
// fades between floors and into battles (FieldFrame.cpp).
class FieldScene : public FieldSubScene, public Field::SymbolField {
 public:
  static constexpr Engine::i32 kInitialAngleLevel = 6;
  static constexpr const char* kFloorFolder = "src/data/map/";
  static constexpr const char* kSceneFolder = "src/picture/scene/";
  static constexpr const char* kCommonScript = "src/data/map/common.txt";
  static constexpr const char* kPlayerName = "player";
  static constexpr const char* kPlayerChara = "Kessa";
  static constexpr const char* kStandMotion = "stand";
  static constexpr const char* kContainerChara = "宝箱";
  static constexpr const char* kDoorChara = "扉";
  static constexpr const char* kLargeDoorChara = "扉大";
  // Random containers are named so in saves; the spelling stays.
  static constexpr const char* kRandomContainerPrefix = "ranodomTreasure_";
  static constexpr const char* kEnemyPrefix = "enemy_";
  // Value-grid costs: an open cell, and rock no walk crosses.
  static constexpr Engine::i32 kOpenCost = 1;
  static constexpr Engine::i32 kRockCost = 0x10000;
  // The player's cell starts the value grid's fill with this budget.
  static constexpr float kValueStart = 256.f;
  // The camera looks down this many degrees plus the site's and floor's.
  static constexpr float kBasePitch = 37.f;

  explicit FieldScene(GameData& game);
  ~FieldScene() override;

  // FieldSubScene.
  // One frame; the field never ends itself (false): it leaves through the
  // game's other scenes.
  bool update() override;
  // Back from a battle or a load: the screen fades in, the camera starts
  // over and the game's tune plays again.
  void resume() override;
  // With a floor open the change waits for the field's fade; without one
  // it happens at once, at the site's start.
  void changeScene(const MapSiteData* site) override;
  // After the fade the game opens the continue scene.
  void requestContinueScene() override;
  void save(NmlNode& node) const override;
  void load(const NmlNode& node) override;
  const MapSiteData* currentSite() const override { return mSite; }
  // The generator's level on a generated floor, else the game's.
  float level() const override;
  const char* siteName() const override;
  std::string playerCell() const override;
  bool hasFloorEvent(const char* first, const char* second) const override;
  bool hasSymbol(const char* name) const override { return findSymbol(name) != nullptr; }
  bool isSymbolOnCell(const char* name, Engine::i32 eventId, bool entering) const override;
  // The battle (a Battle) comes after the field's way into it.
  void startEncounterTransition(std::unique_ptr<BattleSubScene> battle) override;

  // Floors.
  void loadFloor(const MapSiteData* site, const char* floorName, bool restoring);
  void applySceneChange(const MapSiteData* site, const char* floorName, Engine::i32 entryEvent);
  // The change itself, with the site recorded in the game ("site") and the
  // camera set back.
  void changeSceneNow(const SceneChangeRequest& request);

  // Placement: every symbol stands on its cell's centre with the motion
  // "stand". Those placed at an event are null when no cell bears it.
  Field::Symbol& addSymbol(const char* name, const char* chara, Engine::i32 x, Engine::i32 y, float angle);
  Field::Symbol* addSymbolAtEvent(const char* name, const char* chara, Engine::i32 eventId, float angle);
  // The player, followed by the camera; on the first passable cell when no
  // cell bears the event.
  Field::Symbol* placePlayer(Engine::i32 eventId);
  Field::Symbol& placeEnemy(const RaceData& race, Engine::i32 x, Engine::i32 y);
  Field::Symbol* placeDoor(Engine::i32 eventId, Engine::i32 direction, bool large, const char* key);
  Field::Symbol& placeRandomContainer(Engine::i32 x, Engine::i32 y, const Article& article, Engine::i32 money,
                                      Engine::i32 lockLevel);
  Field::Symbol* placeFixedContainer(const MapContainerData& container);

  // Field::SymbolField.
  const Map& map() const override { return mMap; }
  bool mayEnter(const Field::Symbol& symbol, Engine::i32 x, Engine::i32 y, bool hop) const override;
  Field::Symbol* symbolAt(Engine::i32 x, Engine::i32 y, const Field::Symbol* except) override;
  void reportContact(Field::Symbol& mover, Field::Symbol& other) override;
  Engine::i32 valueAt(Engine::i32 x, Engine::i32 y) const override;
  Field::Symbol* player() override { return mPlayer; }
  void say(const char* face, const char* text) override;
  void startEncounter(std::unique_ptr<Battle> battle) override;
  GameData& game() override { return mGame; }
  const FieldAbilities& fieldAbilities() const override;
  RandomGenerator& random() override { return *RandomGenerator::instance(); }
  SceneNodePool* nodes() override { return &mNodes; }
  const char* floorName() const override { return mFloorName.c_str(); }
  float floorLevel() const override { return level(); }
  const EncounterTable& encounterTable() const override;

  // The floor as the frame and tests see it.
  GameData& game() const { return mGame; }
  Map& floorMap() { return mMap; }
  const MapGenerator* generator() const { return mGenerator.get(); }
  const std::vector<std::unique_ptr<Field::Symbol>>& symbols() const { return mSymbols; }
  Field::Symbol* findSymbol(const char* name) const;
  Field::Symbol* followed() const { return mFollowed; }
  const std::vector<Engine::u8>& mappedCells() const { return mMapped; }
  std::vector<Engine::u8>& mappedCells() { return mMapped; }
  const std::vector<std::pair<std::string, std::string>>& contacts() const { return mContacts; }
  const std::vector<Field::Symbol*>& touchQueue() const { return mTouchQueue; }
  const MapLinkEntry& floorLinks() const { return mFloorLinks; }
  const MapLinkEntry* siteLinks() const { return mSiteLinks; }
  const Script* startScript() const { return mStartScript.get(); }
  const Script* floorScript() const { return mFloorScript.get(); }
  const Script& commonScript() const { return mCommonScript; }
  const SceneModelSet& commonModels() const { return mCommonModels; }
  const std::vector<std::unique_ptr<SceneModelSet>>& floorModels() const { return mFloorModels; }
  bool hasOwnEncounterTable() const { return mEncounter != nullptr; }
  const Field::Effect* effect() const { return mEffect.get(); }
  float floorAngle() const { return mFloorAngle; }
  // 0 invalid, 1 memory, 2 file: the floor's "save", else the site's.
  Engine::i32 saveMode() const override;
  float cameraPitch() const { return mCameraPitch; }
  Engine::i32 angleLevel() const { return mAngleLevel; }
  bool isAngleFixed() const { return mFixedAngle; }
  void setAngleFixed(bool fixed) { mFixedAngle = fixed; }
  const DistanceGrid& valueGrid() const { return mValues; }
  // Fills the value grid from the player's cell (empty without a player).
  void refreshValueGrid();
  Engine::i32 resumes() const { return mResumes; }
  Engine::i32 continueRequests() const { return mContinueRequests; }

  // What event scripts ask of the open floor (field/FieldScriptHooks.cpp).
  // Enemies this near the player (on the ground plane) freeze, or vanish.
  static constexpr float kFreezeRadius = 8.f * Map::kCellSize;
  static constexpr float kVanishRadius = 4.f * Map::kCellSize;
  static constexpr Engine::i32 kFreezeFrames = 16;
  // Takes every symbol of that name off the floor, out of the touch queue
  // and from the camera (which then follows the player).
  void removeSymbolsNamed(const char* name);
  // Every cell of the automap counts as mapped.
  void completeFloorMap();
  // Counts the floor's chests and says how many there are.
  Engine::i32 seekContainers();
  // Ice at the player: the enemies near them drop their plans and stand.
  void freezeEnemies();
  // An explosion at the player: the enemies near them are gone.
  void vanishEnemies();
  // The camera follows this symbol; null for the player.
  void setFollowed(Field::Symbol* symbol) { mFollowed = symbol; }
  void setAngleLevel(Engine::i32 level) { mAngleLevel = level; }
  // The floor's own term of the camera's pitch, kept until the next floor.
  void setFloorAngle(float angle);
  // --- The frame (FieldFrame.cpp) ---
  // A floor change fades out over this many frames, then settles a frame.
  static constexpr Engine::i32 kChangeFrames = 32;
  // The camera looks at the followed symbol raised by this much, from a
  // heading of angle level x 30 + 45 degrees, at this zoom.
  static constexpr float kLookHeight = 32.f;
  static constexpr float kAngleStep = 30.f;
  static constexpr float kHeadingBase = 45.f;
  static constexpr float kFieldZoom = 1.5f;
  // A step takes this many frames; twice as many while the slow key is held.
  static constexpr Engine::i32 kStepFrames = 11;
  // The camera turns every this many frames while its key is held.
  static constexpr Engine::i32 kTurnRepeat = 4;
  // Logical keys of the field.
  static constexpr Engine::i32 kCampKey = 4;
  static constexpr Engine::i32 kSlowKey = 6;
  static constexpr Engine::i32 kTurnLeftKey = 10;
  static constexpr Engine::i32 kTurnRightKey = 11;
  // Held, it keeps the automap away.
  static constexpr Engine::i32 kMapKey = 5;
  // Makes the camp menu with a save mode; the game's root sets it.
  using CampMaker = SubScene* (*)(GameData& game, Engine::i32 saveMode);
  static void setCampMaker(CampMaker maker);

  // Moves the player by the keys, rolls encounters, turns the camera and
  // opens the camp menu (part of update).
  void controlPlayer();
  // A change to a floor, faded out first (an empty floor name opens the
  // continue scene).
  void postSceneChange(const SceneChangeRequest& request);
  bool isChangingScene() const { return mChangePending || mChangeSettling; }
  const Field::EncounterTransition* transition() const { return mTransition.get(); }
  // Takes the symbol off the floor; it is deleted at the end of the frame.
  void removeSymbol(Field::Symbol& symbol);
  Engine::i32 frameCounter() const { return mFrame; }
  Engine::i32 updates() const { return mUpdates; }
  bool isScriptBusy() const { return mScriptBusy; }

 private:
  void drawFloor();
  // One frame of a posted floor change; true while it holds the field.
  bool runSceneChange();
  void aimCamera();
  // Scripts, touches, links and control; false when the symbols stay still.
  bool runScriptsAndControl();
  bool runFloorScripts();
  // The first symbol of the touch queue; false when a touch ran.
  bool runTouch();
  // The player's cell's link, if any, taken; false when there is none.
  bool followLink();
  void moveSymbols();
  void stepPlayer();
  void turnCamera();
  // The compass, the floor number and the automap (FieldOverlay).
  void drawOverlay();

  void clearFloor();
  void enterSite(const MapSiteData* site);
  void buildGenerated(const NmlNode& random, bool restoring);
  void placeTreasure();
  void placeEnemies();
  void sizeValueGrid(bool generated);
  void readFloorKeys(const NmlNode& root);
  void startFloor(const NmlNode& root);
  Field::Symbol& adopt(std::unique_ptr<Field::Symbol> symbol);
  bool occupies(const Field::Symbol& symbol, Engine::i32 x, Engine::i32 y) const;
  // A cell for the player when no cell bears the entry event.
  const Map::Cell* firstPassableCell() const;
  // Where the party enters the open floor: the generator's start on a
  // generated floor, else the site's; the first open cell when no cell bears
  // it; null on a floor without one.
  const Map::Cell* startCell() const;
  // A restored player off the floor's cells, or none at all, could never take
  // a step: the party stands at the floor's start again, or, on a floor
  // without one, goes to the continue scene.
  void returnLostPlayer();
  void writeMappedCells(NmlNode& node) const;
  void readMappedCells(const NmlNode& node);

  GameData& mGame;
  SceneModelSet mCommonModels;
  std::vector<std::unique_ptr<SceneModelSet>> mFloorModels;
  float mFloorAngle = 0.f;
  Engine::i32 mFloorSave = 0;
  MapLinkEntry mFloorLinks{nullptr, ""};
  const MapLinkEntry* mSiteLinks = nullptr;
  std::unique_ptr<EncounterTable> mEncounter;
  Script mCommonScript;
  std::unique_ptr<Script> mStartScript;
  std::unique_ptr<Script> mFloorScript;
  std::vector<Field::Symbol*> mTouchQueue;
  std::unique_ptr<Field::Effect> mEffect;
  SceneNodePool mNodes{SceneNodePool::kSceneCapacity};
  Field::Symbol* mPlayer = nullptr;
  Field::Symbol* mFollowed = nullptr;
  Map mMap;
  float mCameraPitch = kBasePitch;
  DistanceGrid mValues;
  // The generator draws from its own source, seeded from "mapSeed".
  RandomGenerator mFloorRandom;
  std::unique_ptr<MapGenerator> mGenerator;
  std::vector<Engine::u8> mMapped;
  const MapSiteData* mSite = nullptr;
  std::string mFloorName;
  std::vector<std::pair<std::string, std::string>> mContacts;
  std::vector<std::unique_ptr<Field::Symbol>> mSymbols;
  Engine::i32 mAngleLevel = kInitialAngleLevel;
  bool mFixedAngle = false;
  Engine::i32 mResumes = 0;
  Engine::i32 mContinueRequests = 0;

  // --- The frame's state (FieldFrame.cpp) ---
  std::unique_ptr<Field::EncounterTransition> mTransition;
  std::vector<std::unique_ptr<Field::Symbol>> mRemoved;
  SceneChangeRequest mChange;
  Engine::i32 mChangeFrame = 0;
  bool mChangePending = false;
  bool mChangeSettling = false;
  bool mScriptBusy = false;
  Engine::i32 mFrame = 0;
  Engine::i32 mUpdates = 0;
};

}  // namespace Game
