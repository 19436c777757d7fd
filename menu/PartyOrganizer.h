#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "core/container/AutoPtr.h"
#include "presentation/widget/RingMenu.h"

namespace Game {

class ListMenu;
class ShellData;

// The party organisation screen: a ring of the candidates' models (the
// chosen ones bright) and a panel of those chosen so far. Deciding a
// candidate chooses it or takes it out; once the list is full (or on key
// 4) it asks "おっけー？".
class PartyOrganizer {
 public:
  static constexpr Engine::i32 kRunning = 0;
  static constexpr Engine::i32 kDecided = 1;
  static constexpr Engine::i32 kCancelled = 2;
  static constexpr Engine::i32 kConfirmKey = 4;
  static constexpr const char* kTitle = "パーティ編成";
  static constexpr const char* kQuestion = "おっけー？";
  static constexpr float kChosenBrightness = 1.f;
  static constexpr float kOtherBrightness = 0.5f;

  // The number to choose is at most the number of candidates.
  PartyOrganizer(const std::vector<const ShellData*>& candidates, Engine::i32 count);
  ~PartyOrganizer();
  PartyOrganizer(const PartyOrganizer&) = delete;
  PartyOrganizer& operator=(const PartyOrganizer&) = delete;

  // One frame: kRunning, kDecided or kCancelled.
  Engine::i32 update();

  const std::vector<const ShellData*>& candidates() const { return mCandidates; }
  Engine::i32 count() const { return mCount; }
  // In the order chosen.
  const std::vector<const ShellData*>& chosen() const { return mChosen; }
  bool isAsking() const { return mConfirmation.isValid(); }
  const RingMenu& ring() const { return mRing; }

 private:
  void addRingItems();
  void drawRing();
  void drawPanel() const;
  Engine::i32 updateConfirmation();
  Engine::i32 updateRing();
  void toggle(const ShellData* candidate);
  void ask();
  bool isFull() const { return static_cast<Engine::i32>(mChosen.size()) >= mCount; }

  std::vector<const ShellData*> mCandidates;
  Engine::i32 mCount;
  std::vector<const ShellData*> mChosen;
  AutoPtr<ListMenu> mConfirmation;
  RingMenu mRing{30.f, 240.f};
  Engine::i32 mFrame = 0;
};

}  // namespace Game
