#pragma once

#include "core/string/String.h"
#include "running/script/command/Command.h"

namespace Game::ScriptStuff {

// A resource set for the scene's models, read from path under name.
class SceneAddContainer final : public Command {
 public:
  explicit SceneAddContainer(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  String mName;
  String mPath;
};

// A timed model from a set added before: "container" and "model" lines, or
// one "model" line of two items (container, model).
class SceneAddModel final : public Command {
 public:
  explicit SceneAddModel(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

  const String& container() const { return mContainer; }
  const String& model() const { return mModel; }
  float limit() const { return mLimit; }

 private:
  String mName;
  String mContainer;
  String mModel;
  float mLimit;
};

class SceneDestroyModel final : public Command {
 public:
  explicit SceneDestroyModel(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;

 private:
  String mName;
};

}  // namespace Game::ScriptStuff
