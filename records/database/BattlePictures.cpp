#include "records/database/BattlePictures.h"

#include <string>
#include <string_view>

#include "core/sound/SoundEffectList.h"
#include "core/file/nml/NmlDocument.h"
#include "presentation/model/Model.h"
#include "presentation/resource/ResourceSet.h"
#include "records/table/StateData.h"

namespace Game {

using Engine::i32;

namespace {

constexpr const char* kBattleDirectory = "src/picture/battle/";
constexpr const char* kCommonDirectory = "src/picture/animation/common/";

constexpr const char* kStateSetNames[BattlePictures::kStateSetCount] = {
    "状態異常", "チャージ", "ElementalCrystalRing", "麻痺", "暗闇", "毒", "発狂", "呪い",
    "反動", "CrimsonFocus", "FloatingBellSplash", "睡眠", "封印", "マジックバリア", "集中", "チャージアップ",
    "幸運", "ディレイ", "恐怖", "技", "術", "スペル"};
constexpr const char* kCommonAnimationNames[BattlePictures::kCommonAnimationCount] = {
    "hit", "hitparticle", "土煙", "炎", "ヒットフラッシュ"};
constexpr const char* kCautionIconStates[] = {"スタン", "呪力破壊"};

// Status-up icons start at the sixth parameter; status-down icons follow
// them, two places on.
constexpr i32 kUpIconOffset = -5;
constexpr i32 kDownIconOffset = 2;

std::string pathIn(const char* directory, const char* name) { return std::string(directory) + name + ".txt"; }

template <std::size_t N>
PictureList* findByStem(std::deque<PictureList>& lists, const char* const (&names)[N], const char* name) {
  if (!name) {
    return nullptr;
  }
  for (std::size_t i = 0; i < N; ++i) {
    if (std::string_view(names[i]) == name) {
      return &lists[i];
    }
  }
  return nullptr;
}

std::unique_ptr<SoundEffectList> loadedSounds(const char* file) {
  auto list = std::make_unique<SoundEffectList>();
  list->load(file);
  return list;
}

}  // namespace

BattlePictures::BattlePictures()
    : mLists{PictureList(pathIn(kBattleDirectory, "status")), PictureList(pathIn(kBattleDirectory, "caution")),
             PictureList(pathIn(kBattleDirectory, "destroy")), PictureList(pathIn(kBattleDirectory, "連携"))} {
  for (const char* name : kStateSetNames) {
    mStateSets.emplace_back(pathIn(kBattleDirectory, name));
  }
  for (const char* name : kCommonAnimationNames) {
    mCommonAnimations.emplace_back(pathIn(kCommonDirectory, name));
  }
}

BattlePictures::~BattlePictures() = default;

PictureList* BattlePictures::stateSet(const char* name) { return findByStem(mStateSets, kStateSetNames, name); }

PictureList* BattlePictures::commonAnimation(const char* name) {
  return findByStem(mCommonAnimations, kCommonAnimationNames, name);
}

i32 BattlePictures::statusIconIndex(const StateData& state) {
  i32 index = -1;
  if (state.type() == StateData::kStatusUp) {
    index = state.parameter() + kUpIconOffset;
  } else if (state.type() == StateData::kStatusDown) {
    index = state.parameter() + kDownIconOffset;
  }
  return index >= 0 ? index : -1;
}

Model* BattlePictures::stateIcon(const StateData& state) {
  const i32 index = statusIconIndex(state);
  if (index >= 0) {
    return list(kStatus).set().getModel(index);
  }
  for (const char* name : kCautionIconStates) {
    if (state.is(name)) {
      return list(kCaution).find(name);
    }
  }
  return nullptr;
}

const NmlNode& BattlePictures::effectSounds() {
  if (!mEffectSounds) {
    mEffectSounds = std::make_unique<NmlDocument>();
    mEffectSounds->load(kSoundFile);
  }
  return *mEffectSounds;
}

SoundEffectList& BattlePictures::battleSounds() {
  if (!mBattleSounds) {
    mBattleSounds = loadedSounds(kBattleSoundFile);
  }
  return *mBattleSounds;
}

void BattlePictures::release() {
  for (PictureList& list : mLists) {
    list.release();
  }
  for (PictureList& set : mStateSets) {
    set.release();
  }
  for (PictureList& set : mCommonAnimations) {
    set.release();
  }
  mEffectSounds.reset();
  mBattleSounds.reset();
}

}  // namespace Game
