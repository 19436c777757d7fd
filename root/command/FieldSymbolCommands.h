#pragma once

#include <string>
#include <vector>

#include "records/database/MapLinkData.h"
#include "running/script/command/Command.h"

namespace Game {

namespace ScriptStuff {

// The commands that place, take away, move and turn the symbols of the open
// field. Each finds its symbols when it runs; a symbol that is not there is
// left alone, and without a field nothing happens.

// A figure of the chara type ("type", else the name) on the cell bearing
// event "position", turned "angle" quarter turns.
class CreateSymbol final : public Command {
 public:
  explicit CreateSymbol(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  std::string mName;
  std::string mChara;
  Engine::i32 mEvent;
  float mAngle;
};

// Every symbol of the name leaves the floor.
class DestroySymbol final : public Command {
 public:
  explicit DestroySymbol(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  std::string mName;
};

// Queues the "command" children on the named symbol in order, each "number"
// times; parameters past four are ignored, missing ones are 0.
class MoveSymbol final : public Command {
 public:
  explicit MoveSymbol(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;


 private:
  struct Step {
    std::string motion;
    Engine::i32 time = 0;
    Engine::i32 parameters[4] = {0, 0, 0, 0};
    Engine::i32 repeat = 1;
  };

  std::string mName;
  std::vector<Step> mSteps;
};

// A fixed chest, unless its condition is false or it was opened for good.
class CreateContainer final : public Command {
 public:
  explicit CreateContainer(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  MapContainerData mContainer;
};

// A door on the cell bearing event "position", opened by the tool "key".
class CreateDoor final : public Command {
 public:
  explicit CreateDoor(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  std::string mKey;
  Engine::i32 mEvent;
  Engine::i32 mDirection;
  bool mLarge;
};

// Touches the named symbol as the player would; stays while the touch is
// not done (a chest's lock menu), and every symbol of the name goes when
// the touch takes it away.
class OpenSymbol final : public Command {
 public:
  explicit OpenSymbol(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  std::string mName;
};

// The camera follows the named symbol; the player when there is none.
class TargetSymbol final : public Command {
 public:
  explicit TargetSymbol(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  std::string mName;
};

// The named symbol takes the chara type "type", standing.
class ChangeSymbol final : public Command {
 public:
  explicit ChangeSymbol(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  std::string mName;
  std::string mChara;
};

// The named symbol turns toward the "target" symbol.
class AimSymbol final : public Command {
 public:
  explicit AimSymbol(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  std::string mName;
  std::string mTarget;
};

// The named symbol faces "value" degrees.
class RotateSymbol final : public Command {
 public:
  explicit RotateSymbol(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  std::string mName;
  float mAngle;
};

}  // namespace ScriptStuff
}  // namespace Game
