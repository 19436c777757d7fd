#pragma once

#include "running/script/command/Command.h"

namespace Game {

class MapSiteData;

namespace ScriptStuff {

// "progress" += value, kept within 0..10000.
class Progress final : public Command {
 public:
  explicit Progress(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  Engine::i32 mValue;
};

// The deepest floor reached at the field's site rises to "floor" + offset;
// it never falls. Nothing without a site on the field.
class SetRecordFloor final : public Command {
 public:
  explicit SetRecordFloor(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  Engine::i32 mOffset;
};

// The named site appears among the destinations.
class OpenScene final : public Command {
 public:
  explicit OpenScene(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  const MapSiteData* mSite;
};

// The field's site keeps the present progress as its level.
class FixSceneLevel final : public Command {
 public:
  Engine::i32 execute(GameData& game) override;
};

// One floor deeper: "floor" and "totalFloorCount" + 1.
class NextFloor final : public Command {
 public:
  Engine::i32 execute(GameData& game) override;
};

}  // namespace ScriptStuff
}  // namespace Game
