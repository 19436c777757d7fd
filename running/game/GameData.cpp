#include "running/game/GameData.h"

#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlNode.h"
#include "presentation/ui/UiDraw.h"
#include "records/Database.h"

namespace Game {

namespace {

constexpr const char* kOpeningSite = "オープニング";
// What every party member gets back when the shop closes.
constexpr Engine::i32 kShopLp = 9999;
constexpr Engine::i32 kShopAp = 99;

GameData::FieldMaker gMakeField = nullptr;
GameData::ContinueMaker gMakeContinue = nullptr;

Database& database() { return *Database::instance(); }

const NmlNode* optionalChild(const NmlNode& node, const char* name) {
  return node.countChildren(name) > 0 ? node.findChild(name) : nullptr;
}

}  // namespace

GameData::GameData() {
  mVariables.loadDeclarations();
  startAtOpening();
  mParty.collectFieldAbilities();
}

GameData::GameData(const NmlNode& root) { read(root); }

// The sub-scenes go first: they may still refer to the party.
GameData::~GameData() { deleteSubScenes(); }

void GameData::deleteSubScenes() {
  mBattle.reset();
  mIntermission.reset();
  mField.reset();
  mShop.reset();
}

void GameData::setBattle(BattleSubScene* battle) { mBattle = battle; }
void GameData::setIntermission(SubScene* intermission) { mIntermission = intermission; }
void GameData::setField(FieldSubScene* field) { mField = field; }
void GameData::setShop(SubScene* shop) { mShop = shop; }

void GameData::setFieldMaker(FieldMaker maker) { gMakeField = maker; }
void GameData::setContinueMaker(ContinueMaker maker) { gMakeContinue = maker; }

void GameData::openContinueScene() {
  if (gMakeContinue) {
    setShop(gMakeContinue(*this));
  }
}

void GameData::addLog(const char* text) {
  if (text && text[0] != '\0') {
    mLog.emplace_back(text);
  }
}

void GameData::pushMessage(const char* text) { ListMenu::pushMessage(mMessages, text); }

// The frame that closes the last message is still the message's: the press
// that closed it must not also act on the screen the message stood over.
bool GameData::updateMessages() {
  mNotice.post(mMessages);
  if (mMessages.isEmpty()) {
    return true;
  }
  MenuStack::update(mMessages);
  return false;
}

void GameData::startAtOpening() {
  setField(gMakeField ? gMakeField(*this) : nullptr);
  if (mField.isValid()) {
    mField->changeScene(database().findSite(kOpeningSite));
  }
}

// The restart after the game was cleared: inheritable integers, the play
// time and the roster (with its master experience) stay.
void GameData::startNewCycle() {
  mParty.startNewCycle();
  mBag.clear();
  mLog.clear();
  mVariables.resetForNewCycle();
  addClearCount();
  startAtOpening();
}

void GameData::write(NmlNode& root) const {
  NmlNode& system = *root.addChild("system");
  mPlayTime.write(system, "count");
  // Split at commas like any line: only the first piece comes back.
  system.addAttribute("headline", headline());
  mVariables.write(*root.addChild("flag"));
  NmlNode& log = *root.addChild("log");
  for (const String& entry : mLog) {
    log.addAttribute(entry.c_str());
  }
  mParty.save(*root.addChild("party"));
  mBag.save(*root.addChild("bag"));
  NmlNode& field = *root.addChild("field");
  if (mField.isValid()) {
    mField->save(field);
  }
}

void GameData::read(const NmlNode& root) {
  deleteSubScenes();
  mPlayTime.set(0);
  mHeadline.assign("");
  if (const NmlNode* system = optionalChild(root, "system")) {
    if (const NmlAttribute* count = system->findAttribute("count")) {
      mPlayTime.read(*count);
    }
    if (const NmlAttribute* headline = system->findAttribute("headline")) {
      mHeadline.assign(headline->item(0));
    }
  }
  mVariables.loadDeclarations();
  if (const NmlNode* flag = optionalChild(root, "flag")) {
    mVariables.readValues(*flag);
  }
  readParts(root);
  if (mVariables.getInteger("clear") == 0) {
    setField(gMakeField ? gMakeField(*this) : nullptr);
    if (mField.isValid()) {
      if (const NmlNode* field = optionalChild(root, "field")) {
        mField->load(*field);
      }
      mField->resume();
    }
  } else {
    startNewCycle();
  }
  mParty.collectFieldAbilities();
}

void GameData::readParts(const NmlNode& root) {
  if (const NmlNode* party = optionalChild(root, "party")) {
    mParty.load(*party);
  }
  mBag.clear();
  if (const NmlNode* bag = optionalChild(root, "bag")) {
    mBag.load(*bag);
  }
  mLog.clear();
  if (const NmlNode* log = optionalChild(root, "log")) {
    for (NmlNode::AttributeList::Iterator it(log->attributes()); !it.isEnd(); it.next()) {
      addLog(it.value()->key());
    }
  }
}

void GameData::update() {
  mPlayTime.tick();
  if (mBattle.isValid()) {
    updateBattle();
  } else if (mIntermission.isValid()) {
    updateIntermission();
  } else if (mShop.isValid()) {
    updateShop();
  } else if (mField.isValid()) {
    updateField();
  }
}

// The field under a battle resumes at once but runs from the next frame.
void GameData::updateBattle() {
  if (!mBattle->update()) {
    return;
  }
  mBattle.reset();
  if (mField.isValid()) {
    mField->resume();
  }
  database().releaseBattlePictures();
  mParty.collectFieldAbilities();
}

void GameData::updateIntermission() {
  UiDraw::drawWall();
  if (!mIntermission->update()) {
    return;
  }
  mIntermission.reset();
  mParty.collectFieldAbilities();
}

void GameData::updateShop() {
  if (mField.isValid()) {
    mField.reset();
    database().releaseSymbolCharacters();
    database().releaseMapPictures();
  }
  if (!mShop->update()) {
    return;
  }
  mShop.reset();
  mParty.collectFieldAbilities();
  mParty.addLpAll(kShopLp);
  mParty.addApAll(kShopAp);
}

void GameData::updateField() {
  if (!mField->update()) {
    return;
  }
  mField.reset();
  mParty.collectFieldAbilities();
}

}  // namespace Game
