#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "records/ability/Ability.h"
#include "presentation/widget/ListMenu.h"

namespace Game {

class AbilityList;
class Unit;

// A list of arts: each row the art's caption cut to 9 characters and padded
// to 22 columns, with the energy and AP costs in the cost mode. The panel
// keeps a copy of every ability it was given, in order; row ids index them.
// Also the battle's command list.
class ArtsPanel {
 public:
  enum Mode : Engine::i32 { kPlain = 0, kWithCosts = 1, kWithTarget = 2 };
  static constexpr Engine::i32 kCommandId = 1024;
  static constexpr Engine::i32 kCaptionCharacters = 9;
  static constexpr Engine::i32 kCaptionColumns = 22;
  static constexpr Engine::i32 kVisibleRows = 8;

  ArtsPanel() { reset(); }

  // No unit, not active, no abilities, an empty list whose side keys do
  // nothing.
  void reset();
  // Copies the ability; false (and no row) when its art is hidden.
  bool addArt(const Ability& ability, Engine::u32 argb);
  void addItem(const char* text, Engine::i32 id, Engine::u32 argb);
  // One row per ability, greyed when the unit cannot use it; "no ability"
  // when no row was added.
  void fill(const AbilityList& abilities);
  void build(const AbilityList& abilities, const Unit* unit, Mode mode, Engine::i32 cursorId);
  // Small font, every row, costs without a unit.
  void buildWithCosts(const AbilityList& abilities);
  // "コマンド", then defend (or do nothing), then flee when shown.
  void buildCommands(bool canAct, bool defend, bool fleeShown, bool fleeAllowed);

  // The row text of an ability in the panel's mode.
  void rowText(String& out, const Ability& ability) const;

  void selection(Engine::i32& first, Engine::i32& second) const;
  bool hasArtSelected() const;
  // Needs hasArtSelected.
  const Ability& selectedAbility() const;
  Engine::i32 selectedId() const { return mList.selectedId(0); }

  // ListMenu results; marks the panel active until the next draw.
  Engine::i32 update();
  // The cursor only while active; the help of the chosen art beside it.
  void draw();
  void placeCentered(float x, float y) { mList.placeCentered(x, y); }

  ListMenu& list() { return mList; }
  const ListMenu& list() const { return mList; }
  Engine::i32 abilityCount() const { return static_cast<Engine::i32>(mAbilities.size()); }
  const Ability& ability(Engine::i32 i) const { return mAbilities[static_cast<std::size_t>(i)]; }
  bool isActive() const { return mActive; }

 private:
  std::vector<Ability> mAbilities;
  ListMenu mList;
  const Unit* mUnit = nullptr;
  Engine::i32 mMode = kPlain;
  bool mActive = false;
  Engine::i32 mFont = 1;
  bool mLimitRows = true;
};

}  // namespace Game
