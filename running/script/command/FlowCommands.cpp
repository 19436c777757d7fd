#include "running/script/command/FlowCommands.h"

#include "Engine/Base/DebugStream.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlNode.h"
#include "running/script/command/CommandReading.h"

namespace Game::ScriptStuff {

using Engine::i32;

If::If(const NmlNode& element, GameData& game) {
  const i32 lines = element.attributeCount();
  if (lines == 1) {
    Branch& branch = addBranch();
    const NmlAttribute* expression = element.findAttribute("expression");
    branch.condition.parse(expression ? expression->item(0) : element.attribute(0)->key());
    branch.script.load(element, game);
  } else if (lines == 0) {
    for (i32 i = 0; i < element.childCount(); ++i) {
      const NmlNode& child = *element.child(i);
      Branch& branch = addBranch();
      if (String(child.name()) == "else") {
        branch.condition.setConstant(1);
      } else {
        branch.condition.parse(child.name());
      }
      branch.script.load(child, game);
    }
  }
}

If::Branch& If::addBranch() {
  mBranches.push_back(std::make_unique<Branch>());
  return *mBranches.back();
}

i32 If::execute(GameData& game) {
  if (mActive < 0) {
    for (i32 i = 0; i < branchCount() && mActive < 0; ++i) {
      if (mBranches[static_cast<std::size_t>(i)]->condition.evaluate() != 0) {
        mActive = i;
      }
    }
    if (mActive < 0) {
      return kNext;
    }
  }
  Script& script = mBranches[static_cast<std::size_t>(mActive)]->script;
  const i32 result = script.stepChecked(game);
  if (script.isIdle()) {
    mActive = -1;
  }
  return result;
}

void If::drawWaiting(GameData& game) {
  if (mActive >= 0) {
    mBranches[static_cast<std::size_t>(mActive)]->script.drawWaiting(game);
  }
}

namespace {

// The runs being stepped now, one inside another; scripts run on the main
// thread only.
i32 gRunDepth = 0;

class RunDepth {
 public:
  RunDepth() { ++gRunDepth; }
  ~RunDepth() { --gRunDepth; }
  RunDepth(const RunDepth&) = delete;
  RunDepth& operator=(const RunDepth&) = delete;
};

const char* textOf(const String& text) { return text.c_str() ? text.c_str() : ""; }

}  // namespace

Run::Run(const NmlNode& element) : mPath(optionalText(element, "path")), mSource(loadingSource()) {}

i32 Run::execute(GameData& game) {
  if (gRunDepth >= kMaxDepth) {
    Engine::cout << "run : " << textOf(mPath) << " in " << textOf(mSource) << " would be the run " << (kMaxDepth + 1)
                 << " deep (a script that runs itself?); the scripts end here" << Engine::endl;
    return kEnd;
  }
  const RunDepth depth;
  if (!mScript) {
    mScript = std::make_unique<Script>();
    mScript->loadFromPath(textOf(mPath), game);
  }
  return mScript->stepChecked(game);
}

void Run::drawWaiting(GameData& game) {
  if (mScript) {
    mScript->drawWaiting(game);
  }
}

}  // namespace Game::ScriptStuff
