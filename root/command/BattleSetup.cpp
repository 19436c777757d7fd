#include "root/command/BattleSetup.h"

#include <cstring>
#include <memory>

#include "battle/Battle.h"
#include "running/game/GameData.h"
#include "running/game/SubScene.h"
#include "core/file/DataError.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlDocument.h"
#include "core/file/nml/NmlNode.h"
#include "presentation/picture/FaceSet.h"
#include "records/Database.h"
#include "records/database/EnemyData.h"
#include "running/script/Script.h"
#include "running/script/command/CommandReading.h"

namespace Game::ScriptStuff {

using Engine::i32;

namespace {

constexpr const char* kLinesFile = "src/data/せりふ.txt";
constexpr float kPercent = 100.f;

struct Word {
  const char* word;
  i32 value;
};
constexpr Word kEncounters[] = {{"even", 0}, {"forestall", 1}, {"forestalled", 2}, {"backAttacked", 3}};
constexpr Word kPenalties[] = {{"none", 0}, {"escape", 1}, {"gameOver", 2}};
constexpr i32 kUnknownPenalty = 2;

std::shared_ptr<BattleTrigger> record(const NmlNode& script, GameData& game, bool repeat) {
  auto trigger = std::make_shared<BattleTrigger>();
  trigger->script.load(script, game, loadingSource());
  trigger->repeat = repeat;
  return trigger;
}

// The face of the first enemy "start" creates that has one among the faces
// of conversations.
const char* bossFace(const NmlNode& start) {
  const Database* database = Database::instance();
  const FaceSet* faces = FaceSet::instance();
  for (i32 i = 0; database && faces && i < start.childCount(); ++i) {
    const NmlNode& command = *start.child(i);
    if (std::strcmp(command.name(), "createEnemy") != 0) {
      continue;
    }
    const EnemyData* enemy = database->findEnemy(optionalText(command, "name"));
    if (enemy && faces->find(enemy->face())) {
      return enemy->face();
    }
  }
  return nullptr;
}

}  // namespace

i32 BattleCommand::encounterKind(const char* word) {
  for (const Word& entry : kEncounters) {
    if (std::strcmp(word, entry.word) == 0) {
      return entry.value;
    }
  }
  DataError::wrongWord(__FILE__, __LINE__, "WRONG ENCOUNTER", "encounter", word);
}

i32 BattleCommand::penaltyKind(const char* word) {
  for (const Word& entry : kPenalties) {
    if (std::strcmp(word, entry.word) == 0) {
      return entry.value;
    }
  }
  return kUnknownPenalty;
}

BattleCommand::BattleCommand(const NmlNode& element, GameData& game)
    : mScene(optionalText(element, "scene")), mBgm(optionalText(element, "BGM")) {
  if (mBgm.length() == 0) {
    mBgm.assign("通常戦闘");
  }
  const char* encounter = optionalText(element, "encounter");
  mKind = *encounter ? encounterKind(encounter) : BattleSettings::kEven;
  const char* penalty = optionalText(element, "penalty");
  mPenalty = *penalty ? penaltyKind(penalty) : BattleSettings::kEscape;
  mEscape = optionalBool(element, "escape", true);
  mRankBonus = requiredLine(element, "rank").toFloat(0) / kPercent;
  readRecords(element, game);
}

BattleCommand::~BattleCommand() = default;

void BattleCommand::readRecords(const NmlNode& element, GameData& game) {
  if (element.countChildren("start") == 0) {
    DataError::badRecord(__FILE__, __LINE__, "battle: no \"start\" child");
  }
  const NmlNode* start = element.findChild("start");
  mTriggers.push_back(record(*start, game, false));
  mTriggers.back()->condition.setConstant(1);
  for (i32 i = 0; i < element.countChildren("event"); ++i) {
    const NmlNode& event = *element.findChild("event", i);
    mTriggers.push_back(record(event, game, false));
    mTriggers.back()->condition.parse(firstKey(event));
  }
  if (element.countChildren("script") > 0) {
    mTriggers.push_back(record(*element.findChild("script"), game, true));
    mTriggers.back()->condition.setConstant(1);
  }
  readDialogue(*start);
}

void BattleCommand::readDialogue(const NmlNode& start) {
  const char* face = bossFace(start);
  if (!face) {
    return;
  }
  mDialogue = std::make_shared<BattleDialogue>();
  mDialogue->face.assign(face);
  NmlDocument lines;
  lines.load(kLinesFile);
  if (lines.countChildren(face) == 0) {
    return;
  }
  const NmlNode& boss = *lines.findChild(face);
  if (boss.countChildren("begin") > 0) {
    mDialogue->opening.load(*boss.findChild("begin"));
  }
  if (boss.countChildren("end") > 0) {
    mDialogue->closing.load(*boss.findChild("end"));
  }
}

i32 BattleCommand::execute(GameData& game) {
  switch (mStep) {
    case kOpening:
      say(game, true);
      mStep = kStart;
      return kStay;
    case kStart:
      startBattle(game);
      mStep = kClosing;
      return kStay;
    case kClosing:
      say(game, false);
      mStep = kDone;
      return kStay;
    default:
      mStep = kOpening;
      return kYield;
  }
}

// Without a boss there are no lines: the window stays idle and the driver
// goes on at once.
void BattleCommand::say(GameData& game, bool opening) const {
  if (mDialogue) {
    game.messageWindow().open(opening ? mDialogue->opening : mDialogue->closing);
  }
}

void BattleCommand::startBattle(GameData& game) {
  BattleSettings settings;
  settings.sceneName = mScene.length() == 0 ? nullptr : mScene.c_str();
  settings.triggers = mTriggers;
  settings.kind = mKind;
  settings.level = game.currentLevel() + mRankBonus;
  settings.bgm = mBgm.c_str();
  settings.escapeAllowed = mEscape;
  settings.defeatMode = mPenalty;
  settings.dialogue = mDialogue;
  settings.fromScript = true;
  auto battle = std::make_unique<Battle>(game, settings);
  if (FieldSubScene* field = game.field()) {
    field->startEncounterTransition(std::move(battle));
  } else {
    game.setBattle(battle.release());
  }
}

}  // namespace Game::ScriptStuff
