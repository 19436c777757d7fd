// The effect's state, tick, modules and sounds.

#include "effect/Cast.h"

#include "Engine/Base/DebugStream.h"
#include "live/Unit.h"
#include "records/ability/Ability.h"
#include "effect/ActionRecord.h"
#include "effect/Stage.h"
#include "effect/StartingEffect.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlNode.h"

namespace Game::Effect {

using Engine::i32;

namespace {

// The lead-in's view of the caster.
constexpr float kLeadInYaw = 10.f;
constexpr float kLeadInPitch = 15.f;

// The folder the list's root names with its "folder" line; null for none.
const char* soundFolder(const NmlNode* soundList) {
  const NmlAttribute* line = soundList ? soundList->findAttribute("folder") : nullptr;
  return line && line->itemCount() > 0 ? line->item(0) : nullptr;
}

// The entry of that key in the set; -1 when it holds none.
i32 indexOf(const SoundEffectList& sounds, const char* key) {
  for (i32 i = 0; i < sounds.count(); ++i) {
    if (sounds.at(i)->name() == key) {
      return i;
    }
  }
  return -1;
}

}  // namespace

Cast::Cast() = default;

Cast::~Cast() = default;

std::unique_ptr<Cast> Cast::createForAction(ActionRecord& action, const NmlNode* soundList) {
  std::unique_ptr<Cast> effect = create(action.ability().effectName(), soundList);
  if (effect) {
    effect->bind(action);
  }
  return effect;
}

void Cast::bind(ActionRecord& action) {
  mAction = &action;
  mCaster = &action.actor();
  mBattle = &action.stage();
}

void Cast::setLeadInCamera() {
  setCameraYawBySide(kLeadInYaw);
  setCameraPitch(kLeadInPitch);
}

i32 Cast::tick() {
  if (mFrame == 0 && mAction && mCaster) {
    const char* caption = mAction->caption();
    if (caption && *caption) {
      stage().showCaption(caption, mCaster->side());
    }
  }
  if (mState < kFinished) {
    update();
  }
  ++mFrame;
  const i32 modules = mModules.tick();
  return mState == kFinished && modules < Module::Module::kRunning ? kApplied : mState;
}

void Cast::applyResult() {
  if (mAction) {
    mAction->showResults();
  }
  if (mState < kApplied) {
    mState = kApplied;
  }
}

Module::Module* Cast::addModule(std::unique_ptr<Module::Module> module) { return mModules.add(std::move(module)); }

Stage& Cast::stage() const { return *mBattle; }

void Cast::reportMissing(const char* what, const char* name) const {
  if (mBattle) {
    mBattle->lookupFailed(what, name);
  } else {
    Engine::cout << "Effect: no " << what << " \"" << (name ? name : "") << "\"" << Engine::endl;
  }
}

void Cast::loadSounds(const NmlNode* soundList, const char* name) {
  if (!soundList || !name || soundList->countChildren(name) == 0) {
    return;
  }
  mSounds.readNode(*soundList->findChild(name), soundFolder(soundList));
}

void Cast::addSound(const char* key, const char* file) {
  mSounds.add(key, file, soundFolder(effectSoundList()));
}

bool Cast::reportSound(const char* key, i32 index, i32 delay) {
  if (mBattle) {
    mBattle->soundPlayed(key, index, delay);
  }
  if (index < 0) {
    reportMissing("sound", key);
    return false;
  }
  return true;
}

void Cast::playSound(const char* key, i32 delay) {
  if (reportSound(key, indexOf(mSounds, key), delay)) {
    mSounds.play(key, delay);
  }
}

void Cast::startSound(const char* key, i32 delay) {
  if (reportSound(key, indexOf(mSounds, key), delay)) {
    mSounds.start(key, delay);
  }
}

void Cast::playSoundAt(i32 index, i32 delay) {
  const bool held = index >= 0 && index < mSounds.count();
  const char* key = held ? mSounds.at(index)->name().c_str() : "(index)";
  if (reportSound(key, held ? index : -1, delay)) {
    mSounds.playAt(index, delay);
  }
}

}  // namespace Game::Effect
