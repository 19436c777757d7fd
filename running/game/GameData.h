#pragma once

#include <vector>

#include "core/container/AutoPtr.h"
#include "core/container/OwnedList.h"
#include "running/game/AcquisitionNotice.h"
#include "running/game/SubScene.h"
#include "core/variable/VariableTable.h"
#include "core/playtime/PlayTime.h"
#include "core/string/String.h"
#include "live/Bag.h"
#include "live/Party.h"
#include "map/SceneModelSet.h"
#include "presentation/widget/ListMenu.h"
#include "presentation/widget/MessageWindow.h"

namespace Game {

class MapSiteData;
class NmlNode;
class ToolData;

// One running game: its play time, headline, variables, party, bag and log,
// the sub-scenes it owns (of which it runs one a frame) and the messages
// waiting to be shown. The statistics are integer variables declared in
// "src/data/map/head.txt", reached through the accessors below.
class GameData {
 public:
  // Flags of statisticsLines, in the order the lines come.
  enum StatisticsFlag : Engine::i32 {
    kMoney = 1,
    kBattleCount = 2,
    kWinCount = 4,
    kLoseCount = 64,
    kInvadeCount = 32,
    kTotalFloorCount = 16,
    kClearCount = 8,
  };

  // A new game, its field at the opening site.
  // Makes a game's field scene; the game's root sets it (without one a game
  // has no field).
  using FieldMaker = FieldSubScene* (*)(GameData& game);
  static void setFieldMaker(FieldMaker maker);
  // Makes the screen between outings that the shop slot holds; the game's
  // root sets it.
  using ContinueMaker = SubScene* (*)(GameData& game);
  static void setContinueMaker(ContinueMaker maker);

  GameData();
  // A game read from a saved tree (the memory save's or a save file's root);
  // a save file's tree is checked before (SaveCheck).
  explicit GameData(const NmlNode& root);
  ~GameData();
  GameData(const GameData&) = delete;
  GameData& operator=(const GameData&) = delete;

  // The save body: "system", "flag", "log", "party", "bag", "field".
  void write(NmlNode& root) const;
  // A part missing from the tree reads as new. A game whose "clear" is set
  // starts its next cycle at the opening site.
  void read(const NmlNode& root);

  // One frame of the game scene: the first of battle, camp menu, shop and
  // field that exists runs.
  void update();

  PlayTime& playTime() { return mPlayTime; }
  const PlayTime& playTime() const { return mPlayTime; }
  VariableTable& variables() { return mVariables; }
  const VariableTable& variables() const { return mVariables; }
  Party& party() { return mParty; }
  const Party& party() const { return mParty; }
  Bag& bag() { return mBag; }
  const Bag& bag() const { return mBag; }

  // The line the save list shows for this game.
  const char* headline() const { return mHeadline.c_str() ? mHeadline.c_str() : ""; }
  void setHeadline(const char* text) { mHeadline.assign(text); }
  // An empty entry is not kept: the save form could not hold it.
  void addLog(const char* text);
  const std::vector<String>& log() const { return mLog; }

  // Message windows waiting to be shown, oldest first: one line of text
  // each, or the acquisition notice's list.
  void pushMessage(const char* text);
  OwnedList<ListMenu>& messages() { return mMessages; }
  AcquisitionNotice& notice() { return mNotice; }
  // The conversation window the scenes and their scripts share.
  MessageWindow& messageWindow() { return mMessageWindow; }
  // The models event scripts show over the scene while they run.
  SceneModelSet& sceneModels() { return mSceneModels; }
  // Once a frame while the scene shows messages: posts what the notice
  // holds, then draws and steps the first window; true only when none was
  // showing this frame.
  bool updateMessages();
  // Messages wait, or the notice holds gains that will make one.
  bool hasMessages() const { return !mMessages.isEmpty() || !mNotice.isEmpty(); }

  // Setting a sub-scene deletes the one it replaces; null removes it.
  // The sub-scenes, each owned and null when absent; setting one deletes the
  // one before.
  BattleSubScene* battle() const { return mBattle.get(); }
  void setBattle(BattleSubScene* battle);
  SubScene* intermission() const { return mIntermission.get(); }
  void setIntermission(SubScene* intermission);
  FieldSubScene* field() const { return mField.get(); }
  void setField(FieldSubScene* field);
  SubScene* shop() const { return mShop.get(); }
  void setShop(SubScene* shop);
  // The continue scene into the shop slot (nothing without a maker).
  void openContinueScene();

  // Statistics.
  static constexpr Engine::i32 kMaxProgress = 10000;
  void addProgress(Engine::i32 n);
  // After a won battle: the less d falls below 0, the smaller the gain.
  void addBattleProgress(Engine::i32 d);
  void addTotalFloorCount() { increment("totalFloorCount"); }
  Engine::i32 totalFloorCount() const { return value("totalFloorCount"); }
  void addInvadeCount() { increment("invadeCount"); }
  Engine::i32 invadeCount() const { return value("invadeCount"); }
  void addClearCount() { increment("clearCount"); }
  Engine::i32 clearCount() const { return value("clearCount"); }
  void addEscapeCount() { increment("escapeCount"); }
  void addLoseCount() { increment("loseCount"); }
  Engine::i32 loseCount() const { return value("loseCount"); }
  void addWinCount() { increment("winCount"); }
  Engine::i32 winCount() const { return value("winCount"); }
  void addBattleCount() { increment("battleCount"); }
  Engine::i32 battleCount() const { return value("battleCount"); }
  void resetEncounter() { integer("encounter") = 0; }
  void addEncounter() { increment("encounter"); }
  Engine::i32 encounter() const { return value("encounter"); }
  void requestLoseEvent() { integer("requestLoseEvent") = 1; }
  // Whether a lose event was requested; the request is taken.
  bool takeLoseEventRequest();
  Engine::i32& floor() { return integer("floor"); }
  Engine::i32& stealth() { return integer("stealth"); }
  Engine::i32& mapSeed() { return integer("mapSeed"); }
  // -1 after a game over, 0 after a break or an escape.
  Engine::i32& battleResult() { return integer("battleResult"); }
  Engine::i32& answer() { return integer("answer"); }
  Engine::i32& money() { return integer("money"); }
  // Uses up one of the item whose id is "currentItem" from the bag.
  void expendCurrentItem();

  // Items: the bag's count plus what the members have equipped (or, in
  // the roster, every character).
  Engine::i32 countItem(const ToolData* item) const;
  Engine::i32 countTool(const ToolData* item) const;
  Engine::i32 countToolInRoster(const ToolData* item) const;
  // One from the bag, else from the members; false when none was found.
  bool expendTool(const ToolData* item);

  // Plays the tune and, when no battle runs, keeps its name in "BGM".
  void changeBGM(const char* name);
  void setBGMName(const char* name) { mVariables.setString("BGM", name); }
  const char* bgmName() const { return mVariables.string("BGM"); }

  // Records held as variables named after the site or the item.
  void recordFloorReached(const MapSiteData& site, Engine::i32 delta);
  Engine::i32 floorReached(const MapSiteData& site) const;
  Engine::i32 clampedFloorReached(const MapSiteData& site) const;
  // The site the field shows keeps the present progress as its level.
  void fixSceneLevel();
  void openScene(const MapSiteData& site);
  bool isSceneOpen(const MapSiteData& site) const;
  bool isOnSale(const ToolData& item) const;
  // One more material of the item; it may come on sale (with a message).
  void addMaterial(const ToolData& item);
  // The chance that the m-th material brings an item on sale: m² / (m² + 400).
  static float materialChance(Engine::i32 m);

  // Level estimates.
  float averageFloorReached() const;
  float currentLevel() const;
  float progressLevel() const;
  float encounterLevel() const;

  // The record lines of the camp menu and the shop, one per flag set: the
  // label and the value eight wide; the clear count only when not 0.
  void statisticsLines(Engine::i32 flags, std::vector<String>& lines) const;
  // The same lines written at (x, y) in a frame; the frame's size comes
  // back (either output may be null).
  void drawStatistics(float x, float y, Engine::i32 flags, float* outWidth, float* outHeight) const;

 private:
  Engine::i32& integer(const char* name) { return mVariables.integer(name); }
  Engine::i32 value(const char* name) const { return mVariables.getInteger(name); }
  // Counts stop at the largest integer: a loaded value may be anything.
  void increment(const char* name);
  Engine::i32 siteInteger(const MapSiteData& site, const char* suffix) const;
  Engine::i32& siteInteger(const MapSiteData& site, const char* suffix);
  void startAtOpening();
  void startNewCycle();
  void readParts(const NmlNode& root);
  void deleteSubScenes();
  void updateBattle();
  void updateIntermission();
  void updateShop();
  void updateField();

  PlayTime mPlayTime;
  String mHeadline;
  VariableTable mVariables;
  Party mParty;
  Bag mBag;
  std::vector<String> mLog;
  MessageWindow mMessageWindow;
  SceneModelSet mSceneModels;
  AcquisitionNotice mNotice{*this};
  OwnedList<ListMenu> mMessages;
  AutoPtr<BattleSubScene> mBattle;
  AutoPtr<SubScene> mIntermission;
  AutoPtr<FieldSubScene> mField;
  AutoPtr<SubScene> mShop;
};

}  // namespace Game
