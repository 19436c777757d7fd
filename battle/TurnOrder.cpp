#include "battle/TurnOrder.h"

#include "core/container/Array2D.h"
#include "core/container/IndexSorter.h"
#include "live/Unit.h"
#include "live/unit/BattleServices.h"

namespace Game {

using Engine::i32;
using Engine::u32;

void orderActions(const BattleServices& battle, std::vector<Unit*>& out) {
  out.clear();
  for (i32 i = 0; i < battle.unitCount(); ++i) {
    if (Unit* unit = battle.unitAt(i)) {
      out.push_back(unit);
    }
  }
  Array2D<float> keys(static_cast<i32>(out.size()));
  for (u32 i = 0; i < keys.size(); ++i) {
    keys.at(i) = out[i]->orderKey();
  }
  IndexSorter<float> sorter;
  sorter.buildFromArray(keys);
  const std::vector<Unit*> units = out;
  for (u32 i = 0; i < sorter.size(); ++i) {
    out[i] = units[sorter.indexAt(i)];
  }
}

}  // namespace Game
