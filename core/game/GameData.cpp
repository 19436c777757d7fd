#include "core/game/GameData.h"

#include "battle/Battle.h"
#include "field/FieldScene.h"
#include "file/nml/NmlAttribute.h"
#include "file/nml/NmlNode.h"
#include "menu/Intermission.h"
#include "menu/ShopScene.h"
#include "presentation/ui/UiDraw.h"
#include "resource/Database.h"

namespace Game {

namespace {

constexpr const char* kOpeningSite = "オープニング";
// What every party member gets back when the shop closes.
constexpr Engine::i32 kShopLp = 9999;
constexpr Engine::i32 kShopAp = 99;

Database& database() { return *Database::instance(); }

}  // namespace

GameData::GameData() {
  setField(new FieldScene(*this));
  mField->changeScene(database().findSite(kOpeningSite));
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

void GameData::setBattle(Battle* battle) { mBattle = battle; }
void GameData::setIntermission(Intermission* intermission) { mIntermission = intermission; }
void GameData::setField(FieldScene* field) { mField = field; }
void GameData::setShop(ShopScene* shop) { mShop = shop; }

void GameData::write(NmlNode& root) const {
  mPlayTime.write(*root.addChild("system"), "count");
  mParty.save(*root.addChild("party"));
  NmlNode& field = *root.addChild("field");
  if (mField.isValid()) {
    mField->save(field);
  }
}

// A saved tree lacking a part reads that part as new.
void GameData::read(const NmlNode& root) {
  deleteSubScenes();
  mPlayTime.set(0);
  if (const NmlNode* system = root.countChildren("system") ? root.findChild("system") : nullptr) {
    if (const NmlAttribute* count = system->findAttribute("count")) {
      mPlayTime.read(*count);
    }
  }
  if (root.countChildren("party")) {
    mParty.load(*root.findChild("party"));
  }
  setField(new FieldScene(*this));
  if (root.countChildren("field")) {
    mField->load(*root.findChild("field"));
  }
  mField->resume();
  mParty.collectFieldAbilities();
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
