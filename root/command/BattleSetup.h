#pragma once

#include <memory>

#include "battle/BattleTrigger.h"
#include "core/string/String.h"
#include "running/script/command/Command.h"

namespace Game::ScriptStuff {

// Sets a scripted battle up and runs it in four steps over several frames:
// the boss's opening lines; the battle, handed to the field's way into it or
// installed at once without a field; after it, the boss's closing lines;
// then the script goes on. The battle shares the command's event records,
// so they outlive a command reloaded or deleted while it runs.
class BattleCommand final : public Command {
 public:
  enum Step : Engine::i32 { kOpening = 0, kStart = 1, kClosing = 2, kDone = 3 };

  BattleCommand(const NmlNode& element, GameData& game);
  ~BattleCommand() override;
  Engine::i32 execute(GameData& game) override;

  // "even" 0, "forestall" 1, "forestalled" 2, "backAttacked" 3; any other
  // word stops the load as a data error.
  static Engine::i32 encounterKind(const char* word);
  // "none" 0, "escape" 1, "gameOver" and any other word 2.
  static Engine::i32 penaltyKind(const char* word);

  const BattleTriggers& triggers() const { return mTriggers; }
  Engine::i32 kind() const { return mKind; }
  Engine::i32 penalty() const { return mPenalty; }
  float rankBonus() const { return mRankBonus; }
  bool escapeAllowed() const { return mEscape; }
  // The boss's face and lines; null when no enemy of "start" has a face.
  const BattleDialogue* dialogue() const { return mDialogue.get(); }
  Engine::i32 step() const { return mStep; }

 private:
  void readRecords(const NmlNode& element, GameData& game);
  void readDialogue(const NmlNode& start);
  void startBattle(GameData& game);
  void say(GameData& game, bool opening) const;

  BattleTriggers mTriggers;
  String mScene;
  String mBgm;
  Engine::i32 mKind = 0;
  bool mEscape = true;
  Engine::i32 mPenalty = 1;
  float mRankBonus = 0.f;
  std::shared_ptr<BattleDialogue> mDialogue;
  Engine::i32 mStep = kOpening;
};

}  // namespace Game::ScriptStuff
