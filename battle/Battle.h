#pragma once

#include <array>
#include <deque>
#include <memory>
#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "battle/BattleNotices.h"
#include "battle/BattlePhase.h"
#include "battle/BattleRecords.h"
#include "battle/BattleSide.h"
#include "battle/BattleTrigger.h"
#include "battle/DefeatAnimator.h"
#include "battle/SynchroGroups.h"
#include "battle/UnitEntry.h"
#include "running/game/SubScene.h"
#include "core/sound/SoundEffectList.h"
#include "core/string/String.h"
#include "records/ability/Ability.h"
#include "live/unit/BattleServices.h"
#include "effect/Stage.h"
#include "map/SceneModelSet.h"
#include "presentation/motion/Tween.h"
#include "presentation/render/Color.h"
#include "presentation/scene/SceneNodePool.h"
#include "presentation/widget/ListMenu.h"

namespace Game {

class EnemyData;
class EnemyGhost;
class GameData;
class Ghost;
class RaceData;

namespace Effect {
class Cast;
}

// How a battle came about and what it leads to; its creators fill it.
struct BattleSettings {
  // How the encounter began: the party or the enemies may strike first.
  enum Kind : Engine::i32 { kEven = 0, kForestall = 1, kForestalled = 2, kBackAttack = 3 };
  // What a game over leads to.
  enum DefeatMode : Engine::i32 { kNoPenalty = 0, kEscape = 1, kGameOver = 2 };

  // The scene under "src/picture/scene/"; null for the current site's.
  const char* sceneName = nullptr;
  BattleTriggers triggers;
  Engine::i32 kind = kEven;
  // The level enemies of a race are spawned at.
  float level = 0.f;
  const char* bgm = "通常戦闘";
  bool escapeAllowed = true;
  Engine::i32 defeatMode = kEscape;
  std::shared_ptr<const BattleDialogue> dialogue;
  // A script's battle reports no rank to the game's progress.
  bool fromScript = false;
};

// One fight: the units of both sides, a first-in first-out queue of phases
// that make up the turns, the pauses and the opening that interrupt them,
// the battle's events and script that run between every two phases, and
// everything the fight draws. The game scene updates it once a frame until
// it reports the end. Victory and defeat are decided by the battle script,
// not by the battle.
class Battle final : public BattleSubScene, public BattleServices {
 public:
  static constexpr Engine::i32 kMaxUnits = 15;
  static constexpr Engine::i32 kMaxPartyUnits = 5;
  static constexpr Engine::i32 kDimFrames = 30;
  static constexpr const char* kScriptFile = "src/data/script/battle.txt";
  static constexpr const char* kSoundFile = "src/sound/戦闘.txt";
  static constexpr const char* kWorldState = "世界";

  // The battle's set-up: the party's fighters on their cells, the opening
  // pending, the scene loaded and brightening; the game counts the battle.
  // Enemies are added by the caller afterwards.
  Battle(GameData& game, const BattleSettings& settings);
  ~Battle() override;
  Battle(const Battle&) = delete;
  Battle& operator=(const Battle&) = delete;

  // One frame; true only once the end phase has finished.
  bool update() override;

  // The queue.
  void pushTurnStart();
  void pushTurnEnd();
  // The turn's commands, then the cast.
  void pushCommand();
  void pushCast();
  // A pause of that many frames before anything else runs.
  void pushWait(Engine::i32 frames);
  void appendPhase(std::unique_ptr<BattleStuff::Phase> phase);
  void appendInterrupt(std::unique_ptr<BattleStuff::Phase> phase);
  // How a battle can end.
  enum Result : Engine::i32 { kWin = 0, kGameOver = 1, kBreak = 2, kEscape = 3 };
  // Decides the battle: its end phase runs from the next frame on, the game
  // learns the result and, for a battle no script started, its rank. A
  // battle is decided once; later calls, and a result not listed, change
  // nothing.
  void finish(Engine::i32 result);
  // The battle is decided with that end phase; as finish, once.
  void startOver(std::unique_ptr<BattleStuff::Over> over);
  bool isDecided() const { return static_cast<bool>(mOver); }
  // The running cast told to end the turn before its next actor; null
  // while no cast runs.
  BattleStuff::Phase* abortCast();

  // Queues the scripts of the events whose time has come, then the battle
  // script; nothing while scripts are still queued.
  void queueDueEvents();
  // Synchro groups, the units' derived values and both sides anew.
  void refresh();
  // Each unit without life gets its revival and change of form; units the
  // battle made that are still down leave for the defeat animator (a form
  // beneath takes their place), fallen party units stay. Then the notices
  // show.
  void removeDefeated();

  // The enemy at the battle's enemy level, with the rank and scale, on the
  // cell (or the nearest free one), appearing; null when the battle holds
  // kMaxUnits already.
  Unit* addEnemy(const EnemyData& enemy, Engine::i32 row, Engine::i32 column, float scale, Engine::i32 rank);
  // A group of a race (or of a race its ring puts beside it) at the battle's
  // level + levelOffset: a leader with the scale and rank and, withFollowers,
  // followers; centred when no enemy lives yet. The leader, or null when
  // the battle was full.
  Unit* spawnRace(const RaceData& race, float levelOffset, Engine::i32 rank, bool withFollowers, float scale);

  // Lookups over the unit list, the first match or null.
  Unit* findUnitByName(const char* name) const;
  Unit* findUnitByGhost(const Ghost& ghost) const;
  Unit* unitAt(Engine::i32 side, Engine::i32 row, Engine::i32 column) const;
  UnitEntry* entryOf(const Unit& unit) const;
  Engine::i32 countLiving(Engine::i32 side) const;
  static Engine::i32 otherSide(Engine::i32 side) { return 1 - side; }
  static void unitCellPosition(Engine::Math::Vector3& out, Engine::i32 side, Engine::i32 row, Engine::i32 column);

  // The screen.
  void flash(Engine::u32 argb, Engine::i32 frames);
  void flashBlack();
  void flashWhite();
  void dimOut() { mDim.setTarget(0.f); }
  void dimIn() { mDim.setTarget(1.f); }
  void toggleScreenEffect() { mScreenEffect = !mScreenEffect; }
  // The camera's default view of the field of battle.
  void resetCamera();
  // The kind of music a battle's setting names: 0 the ordinary battle music
  // for "default", 1 a boss's for any other name.
  enum MusicKind : Engine::i32 { kOrdinaryMusic = 0, kBossMusic = 1 };
  static Engine::i32 musicKindFromName(const char* name);
  // A sound of the battle's list ("src/sound/戦闘.txt", read on the first).
  void playBattleSound(const char* key, Engine::i32 delay);
  const SoundEffectList& battleSounds() const { return mSounds; }

  // What effects ask of the battle.
  Effect::Stage& stage() { return mStage; }

  // BattleSubScene.
  Engine::i32 turn() const override { return mTurn; }
  const char* phaseName() const override;
  Engine::i32 livingCount(Engine::i32 side) const override { return countLiving(side); }
  bool hasLastSpells() const override { return mLastArt.isValid(); }
  const Unit* findUnit(const char* name) const override { return findUnitByName(name); }

  // BattleServices.
  const Ability* lastSpell() const override { return mLastArt.isValid() ? &mLastArt : nullptr; }
  Engine::i32 unitCount() const override { return static_cast<Engine::i32>(mUnits.size()); }
  Unit* unitAt(Engine::i32 i) const override;
  Engine::i32 energy(Engine::i32 side) const override { return this->side(side).pool(); }
  void setEnergy(Engine::i32 side, Engine::i32 energy) override { this->side(side).setPool(energy); }
  Engine::i32 guardMode(Engine::i32 side) const override { return this->side(side).guardMode(); }
  void setGuardMode(Engine::i32 side, Engine::i32 mode) override { this->side(side).setGuardMode(mode); }
  bool isTimeStopped() const override;
  void addFormationParameters(const Unit& unit, Parameters& parameters) const override;
  void addSynchroBonus(const Unit& unit, AbilityList& abilities, Parameters& parameters, AttackBlock& attack,
                       DefenseBlock& defense) const override;
  bool isStacked(Engine::i32 side, Engine::i32 row, Engine::i32 column) const override;
  void collectReachable(const Unit& user, const Ability& ability, std::vector<Unit*>& out) const override;
  void gainItem(const ToolData& item) override;
  void pushMessage(const char* text) override;
  void describeResistances(const Unit& unit) override;
  SceneNodePool* scenePool() override { return &mNodes; }
  void unitShown(Unit& unit, UnitPose pose) override;
  void centerCamera(const Unit& unit) override;

  GameData& game() const { return mGame; }
  Engine::i32 frame() const { return mFrame; }
  Engine::i32 kind() const { return mKind; }
  void setKind(Engine::i32 kind) { mKind = kind; }
  void addTurn() { ++mTurn; }
  float level() const { return mLevel; }
  float enemyLevel() const { return mEnemyLevel; }
  const char* bgm() const { return mBgm.c_str() ? mBgm.c_str() : ""; }
  bool isEscapeAllowed() const { return mEscapeAllowed; }
  Engine::i32 defeatMode() const { return mDefeatMode; }
  bool reportsRank() const { return mReportRank; }
  const BattleDialogue* dialogue() const { return mDialogue.get(); }
  BattleSide& side(Engine::i32 side) { return mSides[static_cast<std::size_t>(side & 1)]; }
  const BattleSide& side(Engine::i32 side) const { return mSides[static_cast<std::size_t>(side & 1)]; }
  const SynchroGroups& synchroGroups() const { return mSynchro; }
  UnitEntry& entry(Engine::i32 i) const { return *mUnits[static_cast<std::size_t>(i)]; }
  BattleRankTracker& rankTracker() { return mRankTracker; }
  BattleSpoils& spoils() { return mSpoils; }
  PartyRecord& partyRecord() { return mPartyRecord; }
  // Where the cast phase keeps the effects of the last cast, so that their
  // scene stays until the next cast ends.
  std::vector<std::unique_ptr<Effect::Cast>>& finishedEffects() { return mFinishedEffects; }
  // The art of the last cast that finished with one; invalid before.
  void setLastArt(const Ability& art) { mLastArt = art; }
  float dim() const { return mDim.value(); }
  float dimTarget() const { return mDim.target(); }
  Engine::u32 flashColour() const { return mFlashColour; }
  Engine::i32 flashFrames() const { return mFlashFrames; }
  bool isScreenEffectOn() const { return mScreenEffect; }
  SceneModelSet& sceneModels() { return mSceneModels; }
  const String& caption() const { return mCaption; }
  Engine::i32 captionSide() const { return mCaptionSide; }
  bool isCaptionShown() const { return mCaptionFrames > 0; }
  void showCaption(const char* text, Engine::i32 side);
  // A floating line in the side's colour.
  void announce(const char* text, Engine::i32 side);
  // A line over a unit's front point in its side's colour, raised by row lines.
  void announceAt(const Engine::Math::Vector3& point, Engine::i32 side, const char* text, Engine::i32 row);
  // The unit named to the player before anything else goes on.
  void addAnnouncement(Unit& unit, const char* text);
  BattleNoticeList& notices() { return mNotices; }
  DefeatAnimator& defeats() { return mDefeats; }
  const std::vector<std::unique_ptr<FloatingText>>& floatingTexts() const { return mFloatingTexts; }
  Engine::i32 announcementCount() const { return static_cast<Engine::i32>(mAnnouncements.size()); }
  BattleStuff::Over* over() const { return mOver.get(); }

  Engine::i32 phaseCount() const { return static_cast<Engine::i32>(mPhases.size()); }
  BattleStuff::Phase* runningPhase() const { return mPhases.empty() ? nullptr : mPhases.front().get(); }
  Engine::i32 interruptCount() const { return static_cast<Engine::i32>(mInterrupts.size()); }
  Engine::i32 queuedScriptCount() const { return static_cast<Engine::i32>(mEventQueue.size()); }
  const std::vector<std::shared_ptr<BattleTrigger>>& triggers() const { return mTriggers; }

 private:
  // What effects ask: the battle's pool, screen, sounds and camera.
  class EffectStage final : public Effect::Stage {
   public:
    explicit EffectStage(Battle& battle) : mBattle(battle) {}
    SceneNodePool& scenePool() override { return mBattle.mNodes; }
    void flashWhite() override { mBattle.flashWhite(); }
    void flashBlack() override { mBattle.flashBlack(); }
    void flash(Engine::u32 argb, Engine::i32 frames) override { mBattle.flash(argb, frames); }
    void toggleScreenEffect() override { mBattle.toggleScreenEffect(); }
    void setDimTarget(float target) override { mBattle.mDim.setTarget(target); }
    void showCaption(const char* text, Engine::i32 side) override { mBattle.showCaption(text, side); }
    void playBattleSound(const char* key, Engine::i32 delay) override { mBattle.playBattleSound(key, delay); }
    void setCameraZoom(float zoom) override;
    void setCameraHeading(float degrees) override;
    void setCameraPitch(float degrees) override;
    void setCameraDistance(float factor) override;
    void setCameraShake(float z) override;
    void setAspectScale(float scale) override;
    void project(Engine::Math::Vector3& out, const Engine::Math::Vector3& worldPoint) const override;

   private:
    Battle& mBattle;
  };

  void addPartyUnits();
  void loadScene(const char* sceneName);
  void present();
  void drawScreenEffect();
  void drawCaption();
  bool runQueuedScript();
  void runPhase();
  void drawFloatingTexts();
  void removeEntry(Engine::i32 index);
  Unit& addUnit(Ghost& ghost, bool battleGhost);

  GameData& mGame;
  EffectStage mStage{*this};
  SceneModelSet mSceneModels;
  std::deque<std::unique_ptr<BattleStuff::Phase>> mPhases;
  std::deque<std::unique_ptr<BattleStuff::Phase>> mInterrupts;
  std::unique_ptr<BattleStuff::Over> mOver;
  std::array<BattleSide, 2> mSides{BattleSide(0), BattleSide(1)};
  // The pool and the ghosts outlive the units that stand on them.
  SceneNodePool mNodes{SceneNodePool::kSceneCapacity};
  std::vector<std::unique_ptr<EnemyGhost>> mEnemyGhosts;
  std::vector<std::unique_ptr<UnitEntry>> mUnits;
  // Defeated units keep their nodes until their fall is over.
  DefeatAnimator mDefeats{*this};
  BattleNoticeList mNotices;
  std::vector<std::unique_ptr<FloatingText>> mFloatingTexts;
  std::deque<std::unique_ptr<UnitAnnouncement>> mAnnouncements;
  // Effects hold nodes and units: they go first.
  std::vector<std::unique_ptr<Effect::Cast>> mFinishedEffects;
  SynchroGroups mSynchro;
  PartyRecord mPartyRecord;
  BattleSpoils mSpoils;
  BattleRankTracker mRankTracker;
  Engine::u32 mFlashColour = 0;
  Engine::i32 mFlashFrames = 0;
  bool mScreenEffect = false;
  Engine::i32 mFrame = 0;
  std::vector<std::shared_ptr<BattleTrigger>> mTriggers;
  Script mBattleScript;
  // A queued event keeps its record alive: the slot it fired from is
  // emptied at once.
  struct QueuedScript {
    std::shared_ptr<BattleTrigger> owner;
    Script* script = nullptr;
  };
  std::deque<QueuedScript> mEventQueue;
  Tween mDim;
  float mLevel = 0.f;
  float mEnemyLevel = 0.f;
  String mBgm;
  Ability mLastArt;
  Engine::i32 mTurn = 0;
  bool mReportRank = true;
  std::shared_ptr<const BattleDialogue> mDialogue;
  bool mEscapeAllowed = true;
  Engine::i32 mKind = BattleSettings::kEven;
  Engine::i32 mDefeatMode = BattleSettings::kEscape;
  SoundEffectList mSounds;
  bool mSoundsLoaded = false;
  String mCaption;
  Engine::i32 mCaptionSide = 0;
  Engine::i32 mCaptionFrames = 0;

  // The command screen (BattleCommandScreen.cpp).
 public:
  // The living party units' status windows in a row, the commanded one
  // raised, and the party's energy gauge with the pending cost.
  void lineUpParty(const Unit* current, Engine::i32 pendingCost);
  // Every placed status window where it was last placed.
  void drawStatusWindows() const;
  // The active synchro groups' panel, for this frame.
  void showSynchroPanel();
  const ListMenu& synchroPanel() const { return mSynchroPanel; }
  // The unit shows lit up on the next frame.
  void highlight(const Unit& unit);
  bool isHighlighted(const Unit& unit) const;

 private:
  void rebuildSynchroPanel();
  void drawHighlights();
  ListMenu mSynchroPanel;
  std::vector<const Unit*> mHighlighted;
  std::vector<const Unit*> mShownHighlights;
};

}  // namespace Game
