#pragma once

#include <array>
#include <memory>
#include <vector>

#include "Engine/Base/Types.h"
#include "core/container/OwnedList.h"
#include "records/ability/Ability.h"
#include "live/article/Article.h"
#include "records/stats/AmountSpec.h"
#include "live/widget/ArtsPanel.h"
#include "live/widget/ItemMenu.h"
#include "presentation/widget/ListMenu.h"

namespace Game {

class AbilityList;
class Battle;
class Unit;

namespace BattleStuff {
class Command;
}

// The list of units an art can be aimed at: a row per unit of the battle,
// the candidates (units on the cells the art reaches) selectable unless they
// hide behind ステルス while others do not.
class TargetMenu {
 public:
  static constexpr Engine::u32 kRowColour = 0xFFC0C0C0;
  static constexpr Engine::u32 kGreyColour = 0xFF080808;
  static constexpr float kX = -320.f;
  static constexpr float kY = 240.f;
  static constexpr const char* kStealth = "ステルス";

  TargetMenu(Battle& battle, Unit& actor, const Ability& art);

  // The list's result; 2 at once without a candidate. Marks the art's area
  // around the candidate under the cursor and highlights who stands in it.
  Engine::i32 update(Engine::i32 pendingCost);
  // The candidate under the cursor; null without one.
  Unit* highlighted() const;

  const std::vector<Unit*>& candidates() const { return mCandidates; }
  ListMenu& list() { return mList; }
  const ListMenu& list() const { return mList; }
  Engine::i32 area() const { return mArea; }

 private:
  void addRows(bool stealthGreyed);
  void showArea(const Unit& target, Engine::i32 pendingCost);

  Battle& mBattle;
  Unit& mActor;
  ListMenu mList;
  std::vector<Unit*> mCandidates;
  Engine::i32 mArea = 0;
  Engine::i32 mFrame = 0;
};

// One party unit's command for the turn: the main list ("コマンド", guard or
// do nothing, escape), the nine panels of arts by equipment slot, the item
// menu of thrown items and the target menu. Warnings stop it until the
// player reads them.
class CommandMenu {
 public:
  static constexpr Engine::i32 kPanels = 9;
  // Panels of the weapon slots, shown while a weapon is held even without
  // arts.
  static constexpr Engine::i32 kWeaponPanels = 3;
  // Panels whose arts use the slot's equipment.
  static constexpr Engine::i32 kEquipmentPanels = 8;
  static constexpr Engine::i32 kPanelKeyRate = 4;
  static constexpr Engine::i32 kNextPanelKey = 1;
  static constexpr Engine::i32 kPreviousPanelKey = 3;
  static constexpr float kListX = -320.f;
  static constexpr float kListY = 140.f;
  static constexpr float kLowerX = -320.f;
  static constexpr float kLowerY = 240.f;
  static constexpr const char* kCommandRow = "コマンド";
  static constexpr const char* kGuardSkill = "身を守る技能";
  static constexpr const char* kEscapeSkill = "逃げる技能";
  static constexpr const char* kEscapeArt = "逃げる";
  static constexpr const char* kThrowArt = "投げる道具";
  static constexpr const char* kUnpayableWarning = "呪力不足！　このままでは発動しません！";
  static constexpr const char* kPartyCostWarning = "呪力不足！　パーティ全体での消費が大きすぎます！";
  static constexpr const char* kBreakAlarm = "アラームメッセージ！ 戦闘後、装備が壊れます！";
  static constexpr const char* kBrokenAlarm = "壊れた装備！ 性能が落ちています！";

  CommandMenu(BattleStuff::Command& phase, Battle& battle, Unit& unit);
  ~CommandMenu();
  CommandMenu(const CommandMenu&) = delete;
  CommandMenu& operator=(const CommandMenu&) = delete;

  // 0 running, 1 decided, 2 cancelled (back to the previous member).
  Engine::i32 update();
  // Target and item menus closed, no target.
  void reset();
  // Its list drawn once: the menu taking over shows from this frame, so
  // that its input delay starts now.
  void showList();
  // The energy the chosen art takes; 0 while a target is being chosen or
  // nothing is chosen.
  Engine::i32 pendingCost() const;
  // The decided command onto the unit's plan.
  void plan() const;
  // Chooses an art: "投げる道具" opens the item menu, any other art the
  // target menu. False, and nothing happens, for an art the unit cannot use
  // (paying aside) and for a passive.
  bool choose(const Ability& art);

  Unit& unit() const { return mUnit; }
  // False for a number outside the nine.
  bool hasPanel(Engine::i32 i) const {
    return i >= 0 && i < kPanels && mPanelShown[static_cast<std::size_t>(i)];
  }
  ArtsPanel& panel(Engine::i32 i) { return mPanels[static_cast<std::size_t>(i)]; }
  Engine::i32 panelIndex() const { return mPanelIndex; }
  bool isPanelMode() const { return mPanelMode; }
  ArtsPanel& mainList() { return mMain; }
  const Ability& art() const { return mArt; }
  const Ability& chosenArt() const { return mChosen; }
  const Article& item() const { return mItem; }
  // The slot the art was chosen with; −1 off the equipment panels.
  Engine::i32 weaponSlot() const { return mWeaponSlot; }
  const Place& target() const { return mTarget; }
  TargetMenu* targetMenu() const { return mTargetMenu.get(); }
  ItemMenu* itemMenu() const { return mItemMenu.get(); }
  Engine::i32 warningCount() const { return mWarnings.count(); }
  const ListMenu* warning(Engine::i32 i) const { return mWarnings.at(i); }

 private:
  void collectArts(AbilityList& out, Engine::i32 slot) const;
  void buildPanels();
  void buildMainList();
  Engine::i32 updateTargetMenu();
  void showScene();
  void updateItemMenu();
  void updatePanelMode();
  Engine::i32 updateMainList();
  void turnPanel(Engine::i32 step);
  void openTargetMenu();
  void warnAfterChoice(const Ability& art);
  void drawEquipment() const;

  BattleStuff::Command& mPhase;
  Battle& mBattle;
  Unit& mUnit;
  ArtsPanel mMain;
  std::array<ArtsPanel, kPanels> mPanels;
  std::array<bool, kPanels> mPanelShown{};
  Engine::i32 mPanelIndex = 0;
  bool mPanelMode = false;
  Engine::i32 mFrame = 0;
  Ability mArt;
  Ability mChosen;
  Engine::i32 mWeaponSlot = -1;
  Place mTarget{-1, -1, -1};
  Article mItem;
  std::unique_ptr<TargetMenu> mTargetMenu;
  std::unique_ptr<ItemMenu> mItemMenu;
  OwnedList<ListMenu> mWarnings;
};

}  // namespace Game
