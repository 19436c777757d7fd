#include <array>
#include <cstring>

#include "core/file/nml/NmlNode.h"
#include "running/script/command/Command.h"
#include "running/script/command/FlowCommands.h"
#include "running/script/command/ItemCommands.h"
#include "running/script/command/MenuCommands.h"
#include "running/script/command/RecordCommands.h"
#include "running/script/command/SceneCommands.h"
#include "running/script/command/ScreenCommands.h"
#include "running/script/command/TalkCommands.h"
#include "running/script/command/VariableCommands.h"

namespace Game::ScriptStuff {

using Engine::i32;

namespace {

using Maker = Command* (*)(const NmlNode& element, GameData& game, i32 index);

template <class T>
Command* make(const NmlNode&, GameData&, i32) {
  return new T();
}
template <class T>
Command* makeFrom(const NmlNode& element, GameData&, i32) {
  return new T(element);
}
template <class T>
Command* makeWithGame(const NmlNode& element, GameData& game, i32) {
  return new T(element, game);
}
const SceneCommandMaker* gSceneMaker = nullptr;

Command* scene(const NmlNode& element, GameData& game, i32 index) {
  return gSceneMaker ? gSceneMaker->make(element, game, index) : nullptr;
}

struct Keyword {
  const char* name;
  Maker maker;
};

// In the order the names are tested.
constexpr std::array<Keyword, kKeywordCount> kKeywords = {{
    {"end", make<End>},
    {"break", make<Break>},
    {"if", makeWithGame<If>},
    {"run", makeFrom<Run>},
    {"let", makeFrom<Let>},
    {"increase", makeFrom<Increase>},
    {"createInteger", makeFrom<CreateInteger>},
    {"destroyInteger", makeFrom<DestroyInteger>},
    {"flagOn", makeFrom<FlagOn>},
    {"flagOff", makeFrom<FlagOff>},
    {"reset", make<Reset>},
    {"talk", makeFrom<Talk>},
    {"closeTalk", make<CloseTalk>},
    {"confirm", makeFrom<Confirm>},
    {"dialog", makeFrom<Dialog>},
    {"numberDialog", makeFrom<NumberDialog>},
    {"changeBGM", makeFrom<ChangeBGM>},
    {"sleep", makeFrom<Sleep>},
    {"waitKey", makeFrom<WaitKey>},
    {"getTool", makeFrom<GetTool>},
    {"increaseTool", makeFrom<IncreaseTool>},
    {"expendTool", makeFrom<ExpendTool>},
    {"expendCurrentItem", make<ExpendCurrentItem>},
    {"log", makeFrom<Log>},
    {"message", makeFrom<Message>},
    {"fadeIn", make<FadeIn>},
    {"fadeOut", make<FadeOut>},
    {"intermission", scene},
    {"closeIntermission", scene},
    {"sceneAddContainer", makeFrom<SceneAddContainer>},
    {"sceneAddModel", makeFrom<SceneAddModel>},
    {"sceneDestroyModel", makeFrom<SceneDestroyModel>},
    {"progress", makeFrom<Progress>},
    {"createSymbol", scene},
    {"destroySymbol", scene},
    {"move", scene},
    {"createContainer", scene},
    {"createDoor", scene},
    {"openSymbol", scene},
    {"addGhost", scene},
    {"createGhost", scene},
    {"removeGhost", scene},
    {"removeGhostMenu", scene},
    {"organizeParty", scene},
    {"continuePenalty", scene},
    {"battle", scene},
    {"createEnemy", scene},
    {"createRace", scene},
    {"over", scene},
    {"careUnit", scene},
    {"turnEnd", scene},
    {"changeMap", scene},
    {"recover", scene},
    {"shop", scene},
    {"changeScene", scene},
    {"setRecordFloor", makeFrom<SetRecordFloor>},
    {"openScene", makeFrom<OpenScene>},
    {"fixSceneLevel", make<FixSceneLevel>},
    {"nextFloor", make<NextFloor>},
    {"completeFloorMap", scene},
    {"vanishEnemySymbol", scene},
    {"freezeEnemySymbol", scene},
    {"seekContainer", scene},
    {"targetSymbol", scene},
    {"setAngle", scene},
    {"setVerticalAngle", scene},
    {"fixAngle", scene},
    {"changeSymbol", scene},
    {"aimSymbol", scene},
    {"rotateSymbol", scene},
    {"lastEscape", scene},
    {"saveDialog", make<SaveDialog>},
    {"setState", scene},
    {"recall", scene},
}};

}  // namespace

void SceneCommandMaker::install(const SceneCommandMaker* maker) { gSceneMaker = maker; }

const char* keyword(i32 index) {
  return index >= 0 && index < kKeywordCount ? kKeywords[static_cast<std::size_t>(index)].name : "";
}

Command* createCommand(const NmlNode& element, GameData& game) {
  for (i32 i = 0; i < kKeywordCount; ++i) {
    const Keyword& entry = kKeywords[static_cast<std::size_t>(i)];
    if (std::strcmp(element.name(), entry.name) == 0) {
      return entry.maker(element, game, i);
    }
  }
  return nullptr;
}

}  // namespace Game::ScriptStuff
