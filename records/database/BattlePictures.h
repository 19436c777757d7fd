#pragma once

#include <array>
#include <deque>
#include <memory>

#include "Engine/Base/Types.h"
#include "records/database/PictureList.h"

namespace Game {

class Model;
class NmlDocument;
class NmlNode;
class SoundEffectList;
class StateData;

// The pictures and sounds of battle: the icon lists, one picture set per
// state that shows on units, the common hit animations and the two sound
// lists. Every file is read on its first use.
class BattlePictures {
 public:
  enum List : Engine::i32 { kStatus, kCaution, kDestroy, kLink, kListCount };
  static constexpr Engine::i32 kStateSetCount = 22;
  static constexpr Engine::i32 kCommonAnimationCount = 5;
  static constexpr const char* kSoundFile = "src/sound/list.txt";
  static constexpr const char* kBattleSoundFile = "src/sound/戦闘.txt";

  BattlePictures();
  ~BattlePictures();
  BattlePictures(const BattlePictures&) = delete;
  BattlePictures& operator=(const BattlePictures&) = delete;

  PictureList& list(List which) { return mLists[static_cast<std::size_t>(which)]; }
  // The picture set of the state of that name ("毒", "睡眠"...); null for a
  // state that has none.
  PictureList* stateSet(const char* name);
  PictureList& stateSetAt(Engine::i32 i) { return mStateSets[static_cast<std::size_t>(i)]; }
  // "hit", "hitparticle", "土煙", "炎", "ヒットフラッシュ"; null for others.
  PictureList* commonAnimation(const char* name);
  PictureList& commonAnimationAt(Engine::i32 i) { return mCommonAnimations[static_cast<std::size_t>(i)]; }

  // Which icon of the status list a state shows: a status-up state its
  // parameter - 5, a status-down state its parameter + 2; -1 (no icon) for
  // any other state and for a status-up state of a parameter below the
  // fifth (HP, LP, AP), which has no icon of its own.
  static Engine::i32 statusIconIndex(const StateData& state);
  // The state's icon model: from the status list by index, or, for "スタン"
  // and "呪力破壊", the caution list's model of that name; null for none.
  Model* stateIcon(const StateData& state);

  // The effect-sound list as the effect factory reads it: the root's
  // "folder" line, then a node per effect name.
  const NmlNode& effectSounds();
  SoundEffectList& battleSounds();

  // Lets every picture and sound list go; the next use reads them again.
  void release();

 private:
  std::array<PictureList, kListCount> mLists;
  std::deque<PictureList> mStateSets;
  std::deque<PictureList> mCommonAnimations;
  std::unique_ptr<NmlDocument> mEffectSounds;
  std::unique_ptr<SoundEffectList> mBattleSounds;
};

}  // namespace Game
