#pragma once

#include <string>

#include "running/script/command/Command.h"

namespace Game {

class MapSiteData;

namespace ScriptStuff {

// The commands that act on the open floor as a whole: changes of floor and
// site, the automap, the enemies, the chests and the camera's angles.
// Without a field they do nothing.

// Leaves for the floor "file" at event "position", of the site "site" or
// the field's own.
class ChangeMap final : public Command {
 public:
  explicit ChangeMap(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  const MapSiteData* mSite;
  std::string mFloor;
  Engine::i32 mEvent;
};

// Leaves for the site "name"; without one, for the continue scene.
class ChangeSceneCommand final : public Command {
 public:
  explicit ChangeSceneCommand(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  const MapSiteData* mSite;
};

// One of the floor-wide acts that take no attributes.
class FloorCommand final : public Command {
 public:
  enum Act : Engine::i32 { kCompleteMap, kVanishEnemies, kFreezeEnemies, kSeekContainers };
  explicit FloorCommand(Act act) : mAct(act) {}
  Engine::i32 execute(GameData& game) override;

 private:
  Act mAct;
};

// What "setAngle", "setVerticalAngle" and "fixAngle" set from "value": the
// camera's angle level, the floor's term of its pitch, and whether the
// player may not turn it.
class AngleCommand final : public Command {
 public:
  enum Target : Engine::i32 { kLevel, kPitch, kFixed };
  AngleCommand(const NmlNode& element, Target target);
  Engine::i32 execute(GameData& game) override;

 private:
  Target mTarget;
  Engine::i32 mValue;
};

}  // namespace ScriptStuff
}  // namespace Game
