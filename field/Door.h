#pragma once

#include <memory>
#include <string>

#include "field/Symbol.h"

namespace Game::Field {

// A door that opens, and goes, for the party holding its key.
class Door final : public SymbolParameter {
 public:
  // The key every party holds.
  static constexpr const char* kSystemKey = "システムキー";

  explicit Door(std::string key) : mKey(std::move(key)) {}
  // The "key" of a "door" node.
  static std::unique_ptr<Door> read(const NmlNode& node);

  void save(NmlNode& node) const override;
  bool touch(bool& remove, Symbol& symbol) override;
  bool isEnemy() const override { return false; }
  bool isContainer() const override { return false; }
  void step(Symbol&) override {}

  const std::string& key() const { return mKey; }

 private:
  std::string mKey;
};

}  // namespace Game::Field
