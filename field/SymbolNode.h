#pragma once

#include <memory>

namespace Game {

class NmlNode;

namespace Field {

class Symbol;
class SymbolField;

// A symbol as a map's definition or a save describes it: "name", "position",
// "angle", "symbol" (chara), "model" (idle motion), its parameter's child,
// "command" and "move". A chara the database lacks leaves the symbol
// without picture.
std::unique_ptr<Symbol> readSymbol(SymbolField& field, const NmlNode& node);

}  // namespace Field
}  // namespace Game
