#pragma once

#include <memory>
#include <span>

#include "Engine/Base/Types.h"

namespace Game::Effect {

class Cast;

// One name of the effect factory and the class it builds.
struct FactoryRow {
  const char* name;
  const char* className;
  // The file an Eye row's Holder loads; the variant of a ShockLight row.
  const char* holderFile;
  Engine::i32 variant;
  std::unique_ptr<Cast> (*make)(const FactoryRow& row);
};

// Every name the factory knows, in the order it tests them ("none" is
// tested before all of them and gives no effect).
std::span<const FactoryRow> factoryRows();
// The row of that name (byte for byte); null for "none", the empty name and
// every name no row holds.
const FactoryRow* findFactoryRow(const char* name);

}  // namespace Game::Effect
