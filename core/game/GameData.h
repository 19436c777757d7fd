#pragma once

#include "core/container/AutoPtr.h"
#include "core/playtime/PlayTime.h"
#include "data/Party.h"

namespace Game {

class Battle;
class FieldScene;
class Intermission;
class NmlNode;
class ShopScene;

// One running game: its play time, its party and the sub-scenes it owns, of
// which it runs one a frame.
class GameData {
 public:
  // A new game, its field at the opening site.
  GameData();
  // A game read from a saved tree (the memory save's or a save file's root).
  explicit GameData(const NmlNode& root);
  ~GameData();
  GameData(const GameData&) = delete;
  GameData& operator=(const GameData&) = delete;

  // The save body: "system" (play time), "party", "field".
  void write(NmlNode& root) const;
  void read(const NmlNode& root);

  // One frame of the game scene: the first of battle, camp menu, shop and
  // field that exists runs.
  void update();

  PlayTime& playTime() { return mPlayTime; }
  Party& party() { return mParty; }

  // Setting a sub-scene deletes the one it replaces; null removes it.
  Battle* battle() const { return mBattle.get(); }
  void setBattle(Battle* battle);
  Intermission* intermission() const { return mIntermission.get(); }
  void setIntermission(Intermission* intermission);
  FieldScene* field() const { return mField.get(); }
  void setField(FieldScene* field);
  ShopScene* shop() const { return mShop.get(); }
  void setShop(ShopScene* shop);

 private:
  void deleteSubScenes();
  void updateBattle();
  void updateIntermission();
  void updateShop();
  void updateField();

  PlayTime mPlayTime;
  Party mParty;
  AutoPtr<Battle> mBattle;
  AutoPtr<Intermission> mIntermission;
  AutoPtr<FieldScene> mField;
  AutoPtr<ShopScene> mShop;
};

}  // namespace Game
