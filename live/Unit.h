#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "core/string/String.h"
#include "records/ability/AbilityList.h"
#include "live/article/Article.h"
#include "records/stats/AmountSpec.h"
#include "records/stats/AttackBlock.h"
#include "records/stats/DefenseBlock.h"
#include "records/stats/Parameters.h"
#include "live/unit/Life.h"
#include "live/unit/StateSet.h"
#include "live/unit/UnitMessages.h"

namespace Game {

class Article;
class BattleServices;
class Ghost;
class Model;
class SceneNode;
class StateData;
class UnitPictureData;
enum class UnitPose : Engine::i32;

// One action a unit means to take this turn.
struct PlannedAction {
  // The art to execute.
  Ability art;
  Place target;
  // The plan's own copy of the item used (the bag's entries move); empty
  // for none.
  Article item;
  Engine::i32 flags = 0;
  // The art as the player chose it: "投げる道具" for a thrown item, else the
  // art to execute.
  Ability chosen;
};

// What a unit's reactions read of an action aimed at it: who struck with
// which art, and the unit's own result.
struct StrikeReport {
  Unit* attacker = nullptr;
  const Ability* art = nullptr;
  // The action's attack with the attacker's flags; the art's when null.
  const AttackBlock* attack = nullptr;
  bool hit = false;
  Engine::i32 damage = 0;
};

// An art a unit answers with, and where it aims.
struct Reaction {
  Unit* actor = nullptr;
  Ability art;
  Place aim;
};

// A ghost taking part in a battle: the blocks derived from the ghost, its
// equipment and its states, its life (HP for the battle, the ghost's own
// LP), its plan, its side and cell. Built without a battle it only derives
// the ghost's maxima and clamps its LP and AP to them.
class Unit {
 public:
  // Planning refused: fear made the unit falter.
  static constexpr Engine::i32 kPlanRefused = 1;
  static constexpr Engine::i32 kRows = 3;
  static constexpr Engine::i32 kColumns = 5;

  // battleGhost: the ghost was made for this battle and belongs to it.
  explicit Unit(Ghost& ghost, BattleServices* battle = nullptr, bool battleGhost = false);
  // Gives the scene node back to its pool.
  ~Unit();
  Unit(const Unit&) = delete;
  Unit& operator=(const Unit&) = delete;

  // HP full, counters and plan cleared, every state and boost cleared.
  void resetForBattle();
  // Derives the blocks anew from the ghost, its equipment and the states.
  void recompute();
  // Status values within their floors; life, LP and AP within the maxima.
  void clamp();

  Ghost& ghost() { return mGhost; }
  const Ghost& ghost() const { return mGhost; }
  BattleServices* battle() const { return mBattle; }
  bool isBattleGhost() const { return mBattleGhost; }
  Life& life() { return mLife; }
  const Life& life() const { return mLife; }
  StateSet& states() { return mStates; }
  const StateSet& states() const { return mStates; }
  const Parameters& parameters() const { return mParameters; }
  const StatusBlock& status() const { return mStatus; }
  const AttackBlock& attack() const { return mAttack; }
  const DefenseBlock& defense() const { return mDefense; }
  const AbilityList& abilities() const { return mAbilities; }
  UnitStuff::MessageManager& messages() { return mMessages; }
  Engine::i32 side() const { return mSide; }
  Engine::i32 row() const { return mRow; }
  Engine::i32 column() const { return mColumn; }
  Place place() const { return Place{mSide, mRow, mColumn}; }
  bool isPlaced() const { return isValidCell(mRow, mColumn); }
  static bool isValidCell(Engine::i32 row, Engine::i32 column) {
    return row >= 0 && row < kRows && column >= 0 && column < kColumns;
  }
  Engine::i32 weaponSlot() const { return mWeaponSlot; }
  void setWeaponSlot(Engine::i32 slot) { mWeaponSlot = slot; }
  Engine::i32 turnCount() const { return mTurnCount; }
  Engine::i32 charge() const { return mCharge; }
  void setCharge(Engine::i32 charge) { mCharge = charge; }
  Engine::i32 turnMark() const { return mTurnMark; }
  void setTurnMark(Engine::i32 mark) { mTurnMark = mark; }
  const String& extraName() const { return mName; }
  void setExtraName(const char* name) { mName.assign(name); }

  // What expressions ask of a unit.
  Engine::i32 hp() const { return mLife.hp(); }
  Engine::i32 lp() const { return mLife.lp(); }
  Engine::i32 maxHp() const { return mParameters[Parameters::kHp]; }
  Engine::i32 maxLp() const { return mParameters[Parameters::kLp]; }
  bool isAlive() const { return mLife.isAlive(); }
  bool myTurn() const { return mMyTurn; }
  void setMyTurn(bool myTurn) { mMyTurn = myTurn; }
  Engine::i32 level() const;
  Engine::i32 previousTurnDamage() const { return mLife.previousTurnDamage(); }
  Engine::i32 stateLevel(const char* name) const { return mStates.levelOf(name); }
  void setStateLevel(const char* name, Engine::i32 level) { mStates.setLevelOf(name, level); }
  bool holds(const char* state) const { return mStates.holds(state); }
  bool holdsGoodState() const { return mStates.holdsHarmful(false); }
  bool holdsBadState() const { return mStates.holdsHarmful(true); }
  // Whether the defence keeps the named state off.
  bool resists(const char* state) const;
  // Current boost of a parameter (index into the parameter table).
  Engine::i32 boost(Engine::i32 parameter) const {
    return parameter >= 0 && parameter < Parameters::kCount ? mStates.boosts()[parameter] : 0;
  }
  void setBoost(Engine::i32 parameter, Engine::i32 value) {
    if (parameter >= 0 && parameter < Parameters::kCount) {
      mStates.boosts()[parameter] = value;
    }
  }
  // Guard mode of the unit's side (0 none, 1 sidestep, 2 barrier).
  Engine::i32 sideFieldMode() const;
  Engine::i32 hold() const { return mHold; }
  void setHold(Engine::i32 hold) { mHold = hold; }
  // The ghost's name or the extra name.
  bool hasName(const char* name) const;

  // Factors the states give.
  float magicBarrierFactor() const { return (100.f - static_cast<float>(stateLevel("マジックバリア"))) / 100.f; }
  float chargeUpFactor() const { return (static_cast<float>(stateLevel("チャージアップ")) + 100.f) / 100.f; }
  float guardFactor() const { return holds("防御") ? 0.5f : 1.f; }
  Engine::i32 worldLevel() const { return stateLevel("世界"); }
  bool isOverdosed() const { return stateLevel("薬漬け") > 2; }
  // (HP + LP) over their maxima; 0 when both maxima are 0.
  float getLifeRatio() const;
  float getLpRatio() const;
  bool isInDanger() const { return getLifeRatio() < 0.25f; }

  // The battle's status window of a party unit, top-left at (x, y): name,
  // life gauge, HP, LP and AP (UnitPanels.cpp).
  void drawStatusPanel(float x, float y) const;
  // The two-bar gauge from (x, y) rightward and down: LP's share of the
  // width by the maxima, then HP's.
  void drawLifeGauge(float x, float y, float width, float height) const;

  // Placement: the world position of the unit's cell.
  void getHomePosition(Engine::Math::Vector3& out) const;
  static void cellPosition(Engine::Math::Vector3& out, Engine::i32 side, Engine::i32 row, Engine::i32 column);

  // The scene node (UnitNode.cpp). Its origin is the unit's centre, half the
  // unit's size above its feet; the unit faces along the node's local x axis
  // and its local -z axis points down to the feet (the front point).
  //
  // Null without the battle's pool, once released, or once its pool slot
  // went to another node.
  SceneNode* node() const;
  // A fresh node of the appearance's stand motion in the battle's pool; a
  // missing picture or motion gives a node without a model and a debug line.
  void createSceneNode();
  void releaseSceneNode();
  // The node plays on to the end of its lifetime without the unit.
  void forgetSceneNode() {
    mNode = nullptr;
    mNodeId = 0;
  }
  // Its node on the cell (a fresh one for kAppear), facing the other side's
  // centre, in the pose's motion; then the battle's own part.
  void show(UnitPose pose);
  // The picture the ghost's appearance names; null when the list lacks it.
  UnitPictureData* picture() const;
  // The world position of the node: the unit's centre. Without a node, where
  // a node at the unit's cell would stand.
  void getPosition(Engine::Math::Vector3& out) const;
  void faceToward(const Engine::Math::Vector3& point);
  // Half the unit's size along a local direction of the node.
  void pointAlong(Engine::Math::Vector3& out, const Engine::Math::Vector3& direction) const;
  void getFrontPoint(Engine::Math::Vector3& out) const;
  void getRightVector(Engine::Math::Vector3& out) const;
  // Front point - position + home position.
  void getApproachOffset(Engine::Math::Vector3& out) const;
  // Moves the node so that the front point lies on the point.
  void placeFrontAt(const Engine::Math::Vector3& point);
  // 256 x the picture's scale (256 without a picture); scale = size / 256.
  float getSize() const;
  float getScale() const;
  // A node in the battle's pool playing the model at the unit's centre, turned
  // like the unit's node and at the unit's scale; null without a pool.
  SceneNode* createNode(Model* model) const;
  // The appearance's "stand" (kept when already playing), "down" ("stand"
  // without one), "appear".
  void playStand();
  void playDown();
  void playAppear();
  // The appearance's motion of that name from the time; false without it.
  bool playNamedMotion(const char* name, float time);
  void centerCamera() const;

  // How the unit's defeat shows: ordinary, as a boss, or (any other value)
  // not at all.
  static constexpr Engine::i32 kOrdinaryDefeat = 0;
  static constexpr Engine::i32 kBossDefeat = 1;
  Engine::i32 defeatStyle() const { return mDefeatStyle; }
  void setDefeatStyle(Engine::i32 style) { mDefeatStyle = style; }

  // States.
  // Applies a state or an effect by its record; a harmful one may be
  // resisted. A record outside the database's state table is a data error.
  void applyState(const StateData& state, Engine::i32 amount, bool checkResist);
  // The same by state name; a name the table lacks is a data error.
  void applyState(const char* name, Engine::i32 amount, bool checkResist);
  void addState(const StateData& state, Engine::i32 amount);
  // The turn is over: plan, state timers, life, counters.
  void endTurn();
  void tickStates();
  // What poison takes and regeneration gives at the end of a turn.
  Engine::i32 poisonDamage() const;
  Engine::i32 regeneration() const;
  // The abilities that put states on the unit as the cast phase begins.
  void autoAbilities();
  // Life gone: revival, change of form, then nothing planned.
  void onDefeated();
  // The delayed number of LP recovery, or the state's picture.
  void queueStateMessage(const StateData& state, Engine::i32 amount);

  // Turns.
  // The action-order key, drawn once per turn.
  float orderKey() const;
  Engine::i32 actionCount(const Ability& art) const;
  // Plans the art once per action it gets; kPlanRefused when fear refuses.
  Engine::i32 planAction(Engine::i32 weaponSlot, const Ability& art, const Place& target,
                         const Article* item = nullptr, Engine::i32 flags = 0);
  // The same with the art as chosen beside the art to execute.
  Engine::i32 planAction(Engine::i32 weaponSlot, const Ability& art, const Ability& chosen, const Place& target,
                         const Article* item, Engine::i32 flags = 0);
  // Whether the player (party) or its action tree (enemies) gives the unit
  // a command this turn: it can act and has nothing planned (a charging
  // unit keeps its plan).
  bool takesCommands() const { return mSide == 0 && canAct() && mPlan.empty(); }
  bool decides() const { return mSide != 0 && canAct() && mPlan.empty(); }
  // The row of the command panel the player chose last in this battle.
  Engine::i32 lastCommandRow() const { return mLastCommandRow; }
  void setLastCommandRow(Engine::i32 row) { mLastCommandRow = row; }
  const std::vector<PlannedAction>& plan() const { return mPlan; }
  void clearPlan() { mPlan.clear(); }
  // The first command done, or aimed anew.
  void dropFirstCommand() {
    if (!mPlan.empty()) mPlan.erase(mPlan.begin());
  }
  void retargetFirstCommand(const Place& target) {
    if (!mPlan.empty()) mPlan.front().target = target;
  }
  bool hasPlan() const { return !mPlan.empty(); }
  // Energy cost and AP tier, both free for spells under the crystal ring.
  Engine::i32 energyCost(const Ability& art) const;
  Engine::i32 apTier(const Ability& art) const;
  bool canPay(const Ability& art, bool checkEnergy) const;
  bool canAct() const;
  bool canUse(const Ability& art, bool checkEnergy) const;
  // The weapon in use wears, unless careful handling spares it.
  void wearEquipment();
  // 1 − 0.9^L of the named ability (エース, 切り込み).
  float abilityFactor(const char* name) const;

  // Reactions to an action aimed at the unit, appended to out in order.
  void collectReactions(const StrikeReport& strike, std::vector<Reaction>& out);
  // The arts that follow an action of the unit.
  void followUps(const Ability& done, std::vector<Ability>& out) const;

  // Stands on the cell as it is, taken or not (a new form in the old one's
  // place).
  void setCell(Engine::i32 row, Engine::i32 column) {
    mRow = row;
    mColumn = column;
  }
  // Placement at the nearest free cell of the side around (row, column).
  void placeAt(Engine::i32 row, Engine::i32 column);
  // Where an automatic action aims; false when nothing can be aimed at.
  bool chooseTargetPlace(const Ability& art, Place& out) const;

 private:
  void playMotion(Model* model, bool keep);
  Engine::i32 applyStateRules(Engine::i32 weapon);
  bool applyEffect(const StateData& state, Engine::i32 amount);
  void tickBoosts();
  void steal();
  void analyse();
  bool reactionFires(const Ability& art, const StrikeReport& strike);
  void addReaction(const Ability& art, const StrikeReport& strike, std::vector<Reaction>& out);
  bool addReactionNamed(const char* name, const StrikeReport& strike, std::vector<Reaction>& out);
  bool isCellTaken(Engine::i32 row, Engine::i32 column) const;

  StatusBlock mStatus;
  Parameters mParameters;
  AttackBlock mAttack;
  DefenseBlock mDefense;
  AbilityList mAbilities;
  Engine::i32 mTurnCount = 0;
  UnitStuff::MessageManager mMessages;
  std::vector<PlannedAction> mPlan;
  Life mLife;
  Engine::i32 mSide = 0;
  Engine::i32 mRow = -1;
  Engine::i32 mColumn = -1;
  bool mBattleGhost = false;
  Engine::i32 mDefeatStyle = kOrdinaryDefeat;
  StateSet mStates;
  Engine::i32 mWeaponSlot = -1;
  Engine::i32 mCharge = 0;
  Engine::i32 mHold = 0;
  Engine::i32 mTurnMark = 0;
  bool mMyTurn = false;
  Engine::i32 mLastCommandRow = 0;
  Ghost& mGhost;
  SceneNode* mNode = nullptr;
  // The node's id when taken: a slot reused by another node no longer matches.
  Engine::u32 mNodeId = 0;
  BattleServices* mBattle = nullptr;
  String mName;
};

}  // namespace Game
