#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class TextGrid;
class Unit;

// The panels that show a unit's numbers beside the menus.
namespace UnitPanels {

// The font of a name in the battle's status panel: the panel's font 1 while
// the name fits its ten columns, the small font 0 for a longer one.
Engine::i32 statusNameFont(const char* name);

// The equipment screen's summary of the unit's fighting values (weapon,
// defence, magic defence) under a frame of the width; (x, y) is its top-left.
void drawEquipmentStatus(const Unit& unit, float x, float y, float width);

// The status screen's detail panels as one table under a row of headers,
// in labelled columns: the parameters with their state boosts (signed,
// blank when none), the status values, the type defences under "防御" and
// the element factors that differ from normal, as truncated percents.
inline constexpr Engine::i32 kDetailRows = 13;
inline constexpr Engine::i32 kDetailColumns = 9;
void fillDetailTable(TextGrid& grid, const Unit& unit);
// The table in font 0 with its top-left corner at (x, y), framed.
void drawDetailPanels(const Unit& unit, float x, float y);

}  // namespace UnitPanels
}  // namespace Game
