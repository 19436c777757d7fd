#include "script/scene/SceneCommandFactory.h"

#include <array>
#include <cstring>

#include "file/nml/NmlNode.h"
#include "script/scene/BattleCommands.h"
#include "script/scene/BattleSetup.h"
#include "script/scene/BattleUnitCommands.h"
#include "script/scene/CampCommands.h"
#include "script/scene/PartyCommands.h"
#include "script/scene/PendingCommands.h"

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
template <class T>
Command* makeWithGame(const NmlNode& element, GameData& game) {
  return new T(element, game);
}

struct SceneKeyword {
  const char* name;
  Maker maker;
};

constexpr std::array<SceneKeyword, 19> kBuilt = {{
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
}};

}  // namespace

Command* SceneCommandFactory::make(const NmlNode& element, GameData& game, i32 keywordIndex) const {
  for (const SceneKeyword& entry : kBuilt) {
    if (std::strcmp(element.name(), entry.name) == 0) {
      return entry.maker(element, game);
    }
  }
  return new NotYetAvailable(element, keywordIndex);
}

const SceneCommandFactory& SceneCommandFactory::instance() {
  static const SceneCommandFactory sFactory;
  return sFactory;
}

}  // namespace Game::ScriptStuff
