#pragma once

#include <memory>
#include <vector>

#include "core/string/String.h"
#include "running/script/Script.h"
#include "running/script/command/Command.h"
#include "records/expression/Expression.h"

namespace Game::ScriptStuff {

class End final : public Command {
 public:
  Engine::i32 execute(GameData&) override { return kEnd; }
};

class Break final : public Command {
 public:
  Engine::i32 execute(GameData&) override { return kBreak; }
};

// Conditional branches. One attribute line: one branch, its condition the
// "expression" line or else the line's key, its commands the children. No
// attribute line: every child is a branch named by its condition ("else"
// always holds). More lines: no branch. A chosen branch stays active until
// its script is idle again, so a waiting branch resumes where it was.
class If final : public Command {
 public:
  If(const NmlNode& element, GameData& game);
  Engine::i32 execute(GameData& game) override;
  void drawWaiting(GameData& game) override;

  Engine::i32 branchCount() const { return static_cast<Engine::i32>(mBranches.size()); }
  // -1 when no branch is active.
  Engine::i32 activeBranch() const { return mActive; }
  const Script& branchScript(Engine::i32 i) const { return mBranches[static_cast<std::size_t>(i)]->script; }

 private:
  struct Branch {
    Expression condition;
    Script script;
  };
  Branch& addBranch();

  std::vector<std::unique_ptr<Branch>> mBranches;
  Engine::i32 mActive = -1;
};

// Runs the script file at path, loaded on first use and kept.
class Run final : public Command {
 public:
  // Runs stepped inside one another up to this depth (the outermost is 1);
  // one more, as a script that runs itself makes, ends every enclosing
  // script with a message instead of exhausting the stack.
  static constexpr Engine::i32 kMaxDepth = 32;

  explicit Run(const NmlNode& element);
  Engine::i32 execute(GameData& game) override;
  void drawWaiting(GameData& game) override;

  const Script* script() const { return mScript.get(); }

 private:
  String mPath;
  String mSource;  // the file holding this command
  std::unique_ptr<Script> mScript;
};

}  // namespace Game::ScriptStuff
