#include "root/command/SceneCommandFactory.h"

#include <array>
#include <cstring>

#include "core/file/nml/NmlNode.h"
#include "root/command/BattleCommands.h"
#include "root/command/BattleSetup.h"
#include "root/command/BattleUnitCommands.h"
#include "root/command/CampCommands.h"
#include "root/command/FieldSymbolCommands.h"
#include "root/command/FieldViewCommands.h"
#include "root/command/PartyCommands.h"

namespace Game::ScriptStuff {

using Engine::i32;

namespace {

using Maker = Command* (*)(const NmlNode& element, GameData& game);

template <class T>
Command* make(const NmlNode&, GameData&) {
  return new T();
}
template <class T>
Command* makeFrom(const NmlNode& element, GameData&) {
  return new T(element);
}
template <FloorCommand::Act act>
Command* floorAct(const NmlNode&, GameData&) {
  return new FloorCommand(act);
}
template <AngleCommand::Target target>
Command* angle(const NmlNode& element, GameData&) {
  return new AngleCommand(element, target);
}
template <class T>
Command* makeWithGame(const NmlNode& element, GameData& game) {
  return new T(element, game);
}

struct SceneKeyword {
  const char* name;
  Maker maker;
};

constexpr std::array<SceneKeyword, 38> kBuilt = {{
    {"intermission", make<IntermissionCommand>},
    {"closeIntermission", make<CloseIntermission>},
    {"shop", makeFrom<ShopCommand>},
    {"addGhost", makeFrom<AddGhost>},
    {"createGhost", makeFrom<CreateGhost>},
    {"removeGhost", makeFrom<RemoveGhost>},
    {"removeGhostMenu", make<RemoveGhostMenu>},
    {"organizeParty", makeFrom<OrganizeParty>},
    {"continuePenalty", make<ContinuePenalty>},
    {"recover", makeFrom<Recover>},
    {"over", makeFrom<OverCommand>},
    {"battle", makeWithGame<BattleCommand>},
    {"createEnemy", makeFrom<CreateEnemy>},
    {"createRace", makeFrom<CreateRace>},
    {"careUnit", makeFrom<CareUnit>},
    {"setState", makeFrom<SetState>},
    {"recall", make<Recall>},
    {"lastEscape", make<LastEscape>},
    {"turnEnd", make<TurnEndCommand>},
    {"createSymbol", makeFrom<CreateSymbol>},
    {"destroySymbol", makeFrom<DestroySymbol>},
    {"move", makeFrom<MoveSymbol>},
    {"createContainer", makeFrom<CreateContainer>},
    {"createDoor", makeFrom<CreateDoor>},
    {"openSymbol", makeFrom<OpenSymbol>},
    {"changeMap", makeFrom<ChangeMap>},
    {"changeScene", makeFrom<ChangeSceneCommand>},
    {"completeFloorMap", floorAct<FloorCommand::kCompleteMap>},
    {"vanishEnemySymbol", floorAct<FloorCommand::kVanishEnemies>},
    {"freezeEnemySymbol", floorAct<FloorCommand::kFreezeEnemies>},
    {"seekContainer", floorAct<FloorCommand::kSeekContainers>},
    {"targetSymbol", makeFrom<TargetSymbol>},
    {"setAngle", angle<AngleCommand::kLevel>},
    {"setVerticalAngle", angle<AngleCommand::kPitch>},
    {"fixAngle", angle<AngleCommand::kFixed>},
    {"changeSymbol", makeFrom<ChangeSymbol>},
    {"aimSymbol", makeFrom<AimSymbol>},
    {"rotateSymbol", makeFrom<RotateSymbol>},
}};

}  // namespace

Command* SceneCommandFactory::make(const NmlNode& element, GameData& game, i32) const {
  for (const SceneKeyword& entry : kBuilt) {
    if (std::strcmp(element.name(), entry.name) == 0) {
      return entry.maker(element, game);
    }
  }
  return nullptr;
}

const SceneCommandFactory& SceneCommandFactory::instance() {
  static const SceneCommandFactory sFactory;
  return sFactory;
}

}  // namespace Game::ScriptStuff
