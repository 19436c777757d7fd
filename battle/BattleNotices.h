#pragma once

#include <deque>

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "core/string/String.h"

namespace Game {

class Battle;
class Unit;
class UnitEntry;

// Lines units show together once defeated units have left: gathered, then
// shown all at once when started, each over its unit (where the unit last
// stood when it has left), those of one unit stacked, and held for a while.
class BattleNoticeList {
 public:
  static constexpr Engine::i32 kShowFrames = 61;

  struct Notice {
    // Null once the entry has left the battle.
    UnitEntry* entry = nullptr;
    String text;
    // The ghost's level when the notice was added.
    Engine::i32 level = 0;
    // The front point and side of the entry's last unit, once it has left.
    Engine::Math::Vector3 point;
    Engine::i32 side = 0;
  };

  void add(UnitEntry& entry, const char* text);
  // An entry that leaves the battle leaves its notices with its last unit's
  // front point and side, before the entry is erased.
  void leave(const UnitEntry& entry, const Unit& last);
  void start() { mRunning = true; }
  // One frame; true when idle.
  bool update(Battle& battle);

  bool isRunning() const { return mRunning; }
  Engine::i32 count() const { return static_cast<Engine::i32>(mNotices.size()); }
  Engine::i32 frame() const { return mFrame; }

 private:
  std::deque<Notice> mNotices;
  bool mRunning = false;
  Engine::i32 mFrame = 0;
};

// A line that drifts in from one side of the screen, stays, and drifts out;
// or a line over a unit, which stands centred over the world point the unit's
// numbers pop up from, so that it moves on the screen as they do; a row
// above it for each later line over the same point.
class FloatingText {
 public:
  static constexpr Engine::i32 kLifetime = 256;
  static constexpr Engine::i32 kDirections = 4;
  static constexpr Engine::i32 kDriftFrames = 30;
  static constexpr Engine::u32 kEnemyColour = 0xFFFF8888;
  static constexpr Engine::u32 kPartyColour = 0xFF00FFFF;
  static constexpr float kStartX = 0.f;
  static constexpr float kStartY = 252.f;

  // direction 0 and 1 drift along y, 2 and 3 along x; odd ones from the
  // positive side.
  FloatingText(const char* text, Engine::i32 side, Engine::i32 direction);
  FloatingText(const char* text, Engine::i32 side, const Engine::Math::Vector3& anchor, Engine::i32 row = 0);

  // One frame: counts, then draws; true once its lifetime is over.
  bool step();
  // The drift at a frame: squared distance from the still middle part.
  static float offset(Engine::i32 frame, Engine::i32 lifetime);
  // Where the text stands at its current frame.
  void position(float& x, float& y) const;

  const char* text() const { return mText.c_str() ? mText.c_str() : ""; }
  Engine::u32 colour() const { return mColour; }
  Engine::i32 frame() const { return mFrame; }
  Engine::i32 direction() const { return mDirection; }

 private:
  void standOverAnchor(float& x, float& y) const;

  String mText;
  Engine::u32 mColour;
  Engine::i32 mFrame = 0;
  Engine::i32 mLifetime = kLifetime;
  Engine::i32 mDirection = 0;
  bool mAnchored = false;
  Engine::Math::Vector3 mAnchor;
  Engine::i32 mRow = 0;
  Engine::i32 mAnchoredWidth = 0;  // measured once: the line never changes
  Engine::i32 mAnchoredHeight = 0;
};

// A unit named to the player: its line floats in while the camera rests on
// it.
class UnitAnnouncement {
 public:
  static constexpr Engine::i32 kLastFrame = 120;

  UnitAnnouncement(Unit& unit, const char* text) : mUnit(unit), mText(text ? text : "") {}
  // One frame; true once done.
  bool update(Battle& battle);
  Engine::i32 frame() const { return mFrame; }

 private:
  Unit& mUnit;
  String mText;
  Engine::i32 mFrame = 0;
};

}  // namespace Game
