#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "core/string/String.h"

namespace Game {

class NmlNode;

// The background music: the tunes of "bgm/bgm.txt" and one player of them.
// The "BGM" setting chooses the streaming player or a silent one.
class BGM {
 public:
  struct Tune {
    String mName;
    String mFile;              // "bgm/" + file + ".ogg"
    double mLoop = 0.0;        // seconds: where playback resumes at the end
    double mCrossFade = 0.01;  // seconds blended across the loop
    double mVolume = 1.0;      // a factor on the music volume
  };

  static constexpr const char* kTableFile = "bgm/bgm.txt";

  // Reads the table and starts the player the settings ask for; hooks the
  // settings' music volume to it.
  static void create();
  static void destroy();
  // Null outside create and destroy.
  static BGM* instance();

  virtual ~BGM() = default;
  BGM(const BGM&) = delete;
  BGM& operator=(const BGM&) = delete;

  // 0 to 100.
  virtual void setVolume(Engine::i32 volume) = 0;
  // Seconds played of the current tune, 0 when there is none.
  virtual double playbackTime() = 0;
  // Switches to the tune, null for silence; nearEnd starts 5 s before its end.
  virtual void play(const Tune* tune, bool nearEnd) = 0;

  // The first tune of that name, or null.
  const Tune* findTune(const char* name) const;
  // A name not in the table fades the music out (and is reported once).
  void play(const char* name);
  void stop() { play(nullptr, false); }
  // Plays tune i from near its end, to hear its loop.
  void playIndex(Engine::i32 i);
  Engine::i32 tuneCount() const { return static_cast<Engine::i32>(mTunes.size()); }
  const Tune& tune(Engine::i32 i) const;

 protected:
  // The table is the root of "bgm/bgm.txt": one child node a tune.
  BGM(const NmlNode& table, const char* fileName);

 private:
  std::vector<Tune> mTunes;
  std::vector<String> mReportedNames;
};

// The player used when music is off.
class DummyBGM : public BGM {
 public:
  DummyBGM(const NmlNode& table, const char* fileName) : BGM(table, fileName) {}
  using BGM::play;
  void setVolume(Engine::i32) override {}
  double playbackTime() override { return 0.0; }
  void play(const Tune*, bool) override {}
};

}  // namespace Game
