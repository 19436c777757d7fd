#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class Unit;

// The panels that show a unit's numbers beside the menus.
namespace UnitPanels {

// The equipment screen's summary of the unit's fighting values (weapon,
// defence, magic defence) under a frame of the width; (x, y) is its top-left.
void drawEquipmentStatus(const Unit& unit, float x, float y, float width);

}  // namespace UnitPanels
}  // namespace Game
