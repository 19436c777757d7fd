#pragma once

namespace Game {

class AbilityData;
class StateTable;

// The state and art tables as stat blocks and art lists look them up by name.
// The databases implement it and are the instance while they exist.
class RecordTables {
 public:
  // Null outside the databases' life.
  static const RecordTables* instance();

  virtual const StateTable& states() const = 0;
  // Stops with a data error when there is no art of that name.
  virtual const AbilityData& findAbility(const char* name) const = 0;

 protected:
  RecordTables() = default;
  ~RecordTables() = default;
  static void setInstance(const RecordTables* tables);
};

}  // namespace Game
