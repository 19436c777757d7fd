#pragma once

#include <memory>

#include "live/widget/ItemMenu.h"
#include "menu/Intermission.h"
#include "presentation/widget/ListMenu.h"

namespace Game {

class Script;

namespace IntermissionStuff {

// The bag's items for use: an item with a use script asks first, then its
// script "src/data/tool/<name>.txt" runs with "currentItem" holding the
// item's id; the screen finishes when the script ends.
class Tool final : public Phase {
 public:
  static constexpr const char* kCurrentItem = "currentItem";
  static constexpr float kListX = -320.f;
  static constexpr float kListY = 240.f;

  explicit Tool(Intermission& camp);
  // The variable goes with a script cut short (the camp closed under it).
  ~Tool() override;
  Engine::i32 update(GameData& game) override;

  ItemMenu& items() { return mItems; }
  const ListMenu* confirmation() const { return mConfirm.get(); }
  bool isRunning() const { return static_cast<bool>(mScript); }

 private:
  // True once cancelled.
  bool updateItems();
  void updateConfirmation(GameData& game);
  void start(GameData& game);
  void finish();
  // The list stays in sight, without input, while the item's script and
  // the messages it leaves stand over it.
  void drawBeneath();

  GameData& mGame;
  ItemMenu mItems;
  std::unique_ptr<ListMenu> mConfirm;
  std::unique_ptr<Script> mScript;
  // The script has ended.
  bool mFinished = false;
};

}  // namespace IntermissionStuff
}  // namespace Game
