#pragma once

#include "Engine/Base/Types.h"
#include "presentation/widget/ListMenu.h"

namespace Game {

class PartyMembers;

// A list menu that screens fill by hand (the camp menu's top list) or with
// the party's rows, forwarding the calls each frame needs to its list.
class ContentMenu {
 public:
  ContentMenu() = default;
  virtual ~ContentMenu() = default;
  ContentMenu(const ContentMenu&) = delete;
  ContentMenu& operator=(const ContentMenu&) = delete;

  ListMenu& list() { return mList; }
  const ListMenu& list() const { return mList; }

  void setPosition(float x, float y) { mList.setPosition(x, y); }
  void placeCentered(float x, float y) { mList.placeCentered(x, y); }
  Engine::i32 selectedId(Engine::i32 i) const { return mList.selectedId(i); }
  // ListMenu::kNothing, kDecided or kCancelled.
  Engine::i32 update() { return mList.update(); }
  // Draws the list and lowers the flag.
  void draw(bool withCursor);

  // Raised by its owner between draws (a redraw request).
  bool flag() const { return mFlag; }
  void setFlag(bool flag) { mFlag = flag; }

 private:
  ListMenu mList;
  bool mFlag = false;
};

// The party as rows of status sheets, one selectable row per member with
// the member's index as its id.
class GhostMenu : public ContentMenu {
 public:
  // Clears the rows and the marked choices, then one row per member.
  void build(const PartyMembers& members);
  // How many members one decision picks.
  void setMaxChoices(Engine::i32 n) { list().setMaxChoices(n); }
};

}  // namespace Game
