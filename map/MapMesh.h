#pragma once

#include <memory>
#include <vector>

#include "Engine/Base/Types.h"
#include "presentation/model/MeshBuilder.h"

namespace Game {

class Map;
struct ChipPicture;
struct WallPicture;

// The geometry of one chip's or wall's group of a floor, before lighting and
// upload: pieces of at most 65,536 vertices each, as 16-bit indices reach,
// each reserving just what its faces take.
namespace MapMesh {

using Pieces = std::vector<std::unique_ptr<MeshBuilder>>;

// The fan of a cylinder chip.
inline constexpr Engine::i32 kCylinderSides = 8;

// The top faces of every cell of the chip (the cells learn where theirs
// are); none when no cell has it.
Pieces chipGroup(Map& map, const ChipPicture& chip, Engine::i32 maxVertices);
// The side faces of every cell whose chip stands the wall; none when no
// cell has one.
Pieces wallGroup(const Map& map, const WallPicture& wall, Engine::i32 maxVertices);

}  // namespace MapMesh

}  // namespace Game
