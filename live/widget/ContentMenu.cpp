#include "live/widget/ContentMenu.h"

#include "live/party/PartyMembers.h"
#include "live/unit/PlayerGhost.h"
#include "live/widget/GhostWidget.h"

namespace Game {

void ContentMenu::draw(bool withCursor) {
  mList.draw(withCursor);
  mFlag = false;
}

void GhostMenu::build(const PartyMembers& members) {
  ListMenu& menu = list();
  menu.clear();
  menu.clearChosen();
  for (Engine::i32 i = 0; i < members.count(); ++i) {
    auto* row = new Widget::Ghost(*members.at(i).ghost);
    row->id = i;
    menu.addEntry(row, true);
  }
}

}  // namespace Game
