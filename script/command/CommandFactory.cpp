#include <array>
#include <cstring>

#include "file/nml/NmlNode.h"
#include "script/command/Command.h"
#include "script/scene/CampCommands.h"
#include "script/command/FlowCommands.h"
#include "script/command/ItemCommands.h"
#include "script/command/MenuCommands.h"
#include "script/scene/PartyCommands.h"
#include "script/scene/PendingCommands.h"
#include "script/command/RecordCommands.h"
#include "script/command/SceneCommands.h"
#include "script/command/ScreenCommands.h"
#include "script/command/TalkCommands.h"
#include "script/command/VariableCommands.h"

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
Command* pending(const NmlNode& element, GameData&, i32 index) { return new NotYetAvailable(element, index); }

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
    {"intermission", make<IntermissionCommand>},
    {"closeIntermission", make<CloseIntermission>},
    {"sceneAddContainer", makeFrom<SceneAddContainer>},
    {"sceneAddModel", makeFrom<SceneAddModel>},
    {"sceneDestroyModel", makeFrom<SceneDestroyModel>},
    {"progress", makeFrom<Progress>},
    {"createSymbol", pending},
    {"destroySymbol", pending},
    {"move", pending},
    {"createContainer", pending},
    {"createDoor", pending},
    {"openSymbol", pending},
    {"addGhost", makeFrom<AddGhost>},
    {"createGhost", makeFrom<CreateGhost>},
    {"removeGhost", makeFrom<RemoveGhost>},
    {"removeGhostMenu", make<RemoveGhostMenu>},
    {"organizeParty", makeFrom<OrganizeParty>},
    {"continuePenalty", make<ContinuePenalty>},
    {"battle", pending},
    {"createEnemy", pending},
    {"createRace", pending},
    {"over", pending},
    {"careUnit", pending},
    {"turnEnd", pending},
    {"changeMap", pending},
    {"recover", makeFrom<Recover>},
    {"shop", makeFrom<ShopCommand>},
    {"changeScene", pending},
    {"setRecordFloor", makeFrom<SetRecordFloor>},
    {"openScene", makeFrom<OpenScene>},
    {"fixSceneLevel", make<FixSceneLevel>},
    {"nextFloor", make<NextFloor>},
    {"completeFloorMap", pending},
    {"vanishEnemySymbol", pending},
    {"freezeEnemySymbol", pending},
    {"seekContainer", pending},
    {"targetSymbol", pending},
    {"setAngle", pending},
    {"setVerticalAngle", pending},
    {"fixAngle", pending},
    {"changeSymbol", pending},
    {"aimSymbol", pending},
    {"rotateSymbol", pending},
    {"lastEscape", pending},
    {"saveDialog", make<SaveDialog>},
    {"setState", pending},
    {"recall", pending},
}};

}  // namespace

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
