#include "core/sound/BGM.h"

#include <string>

#include "Engine/Base/Assert.h"
#include "Engine/Base/DebugStream.h"
#include "core/config/Config.h"
#include "core/sound/OggBGM.h"
#include "core/file/nml/NmlDocument.h"

namespace Game {

using Engine::i32;

namespace {

constexpr double kDefaultCrossFade = 0.01;
constexpr double kDefaultVolume = 1.0;

BGM* gInstance = nullptr;

const NmlAttribute& requiredLine(const NmlNode& node, const char* key, const char* fileName) {
  const NmlAttribute* line = node.findAttribute(key);
  if (!line) {
    const std::string message = std::string("tune \"") + node.name() + "\" has no \"" + key + "\" line.";
    Engine::halt(fileName, 0, message.c_str());
  }
  return *line;
}

double optionalNumber(const NmlNode& node, const char* key, double fallback) {
  const NmlAttribute* line = node.findAttribute(key);
  return line ? line->toFloat(0) : fallback;
}

void setMusicVolume(i32 volume) {
  if (gInstance) {
    gInstance->setVolume(volume);
  }
}

}  // namespace

BGM::BGM(const NmlNode& table, const char* fileName) : mTunes(static_cast<std::size_t>(table.childCount())) {
  for (i32 i = 0; i < table.childCount(); ++i) {
    const NmlNode& node = *table.child(i);
    Tune& tune = mTunes[static_cast<std::size_t>(i)];
    tune.mName.assign(node.name());
    tune.mFile.assign("bgm/");
    tune.mFile.append(requiredLine(node, "file", fileName).item(0));
    tune.mFile.append(".ogg");
    tune.mLoop = requiredLine(node, "loop", fileName).toFloat(0);
    tune.mCrossFade = optionalNumber(node, "crossFade", kDefaultCrossFade);
    tune.mVolume = optionalNumber(node, "volume", kDefaultVolume);
  }
}

void BGM::create() {
  if (gInstance) {
    return;
  }
  NmlDocument table;
  table.load(kTableFile);
  if (Config::instance().setting(Config::kBgm).value() != 0) {
    gInstance = new OggBGM(table, kTableFile);
  } else {
    gInstance = new DummyBGM(table, kTableFile);
  }
  Config::targets().setMusicVolume = setMusicVolume;
}

void BGM::destroy() {
  Config::targets().setMusicVolume = nullptr;
  delete gInstance;
  gInstance = nullptr;
}

BGM* BGM::instance() { return gInstance; }

const BGM::Tune* BGM::findTune(const char* name) const {
  for (const Tune& tune : mTunes) {
    if (tune.mName == name) {
      return &tune;
    }
  }
  return nullptr;
}

void BGM::play(const char* name) {
  const Tune* found = findTune(name);
  if (!found) {
    bool reported = false;
    for (const String& seen : mReportedNames) {
      reported = reported || seen == name;
    }
    if (!reported) {
      mReportedNames.emplace_back(name);
      Engine::cout << "BGM : no tune named " << name << " in " << kTableFile << Engine::endl;
    }
  }
  play(found, false);
}

void BGM::playIndex(i32 i) { play(&tune(i), true); }

const BGM::Tune& BGM::tune(i32 i) const {
  ENGINE_ASSERT(i >= 0 && i < tuneCount() && "BGM::tune : index out of range.");
  return mTunes[static_cast<std::size_t>(i)];
}

}  // namespace Game
