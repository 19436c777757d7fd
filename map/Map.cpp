#include "map/Map.h"

namespace Game {

void Map::buildFromFmf(const char*) {}

void Map::drawTransformed(const RenderState&, float) const {}

}  // namespace Game
