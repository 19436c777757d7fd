#include "menu/PartyOrganizer.h"

#include <string>

#include "resource/database/ShellData.h"
#include "tests/menu/MenuFixture.h"

namespace {

using Engine::i32;
using Game::PartyOrganizer;
using Game::ShellData;
using Platform::Key;

class PartyOrganizerTest : public MenuTestSupport::MenuTest {
 protected:
  void TearDown() override {
    mOrganizer.reset();
    MenuTest::TearDown();
  }
  // Kessa and ミオ (shown as 灯りのミオ); the ring opens at once.
  PartyOrganizer& open(i32 count) {
    mCandidates = {shell("Kessa"), shell("灯りのミオ")};
    mOrganizer = std::make_unique<PartyOrganizer>(mCandidates, count);
    return *mOrganizer;
  }
  i32 frame(std::initializer_list<Key> held = {}) {
    step(held);
    return mOrganizer->update();
  }
  // A press after the ring's opening (or the question's delay); the
  // organiser's answer on the press.
  i32 tap(Key key) {
    for (int i = 0; i < 70; ++i) frame();
    return frame({key});
  }
  // Decides the candidate at that ring position.
  i32 choose(i32 position) {
    while (mOrganizer->ring().selectedItem() != position) tap(Key::Right);
    return tap(kDecide);
  }
  std::vector<const ShellData*> chosen() { return mOrganizer->chosen(); }

  std::vector<const ShellData*> mCandidates;
  std::unique_ptr<PartyOrganizer> mOrganizer;
};

TEST_F(PartyOrganizerTest, ACountOfNoneDecidesAtOnceAndTheCountIsAtMostTheCandidates) {
  EXPECT_EQ(open(0).update(), PartyOrganizer::kDecided);
  EXPECT_EQ(open(5).count(), 2);
}

TEST_F(PartyOrganizerTest, ChoosingAChosenCandidateTakesItOut) {
  open(2);
  choose(1);
  EXPECT_EQ(chosen(), (std::vector<const ShellData*>{mCandidates[1]}));
  frame();
  EXPECT_EQ(mOrganizer->ring().findItem(1)->state.colors.ambient.x, 1.f);
  EXPECT_EQ(mOrganizer->ring().findItem(0)->state.colors.ambient.x, 0.5f);
  choose(1);
  EXPECT_TRUE(chosen().empty());
  EXPECT_FALSE(mOrganizer->isAsking());
}

TEST_F(PartyOrganizerTest, AFullListSwapsTheLastAndAsksAgain) {
  open(1);
  choose(0);
  EXPECT_TRUE(mOrganizer->isAsking());
  tap(Key::Down);  // いいえ
  EXPECT_EQ(tap(kDecide), PartyOrganizer::kRunning);
  EXPECT_FALSE(mOrganizer->isAsking());
  choose(1);
  EXPECT_EQ(chosen(), (std::vector<const ShellData*>{mCandidates[1]}));
  EXPECT_TRUE(mOrganizer->isAsking());
  EXPECT_EQ(tap(kDecide), PartyOrganizer::kDecided);  // はい
}

TEST_F(PartyOrganizerTest, CancelDropsTheLastChosenThenLeaves) {
  open(2);
  choose(0);
  choose(1);
  tap(Key::Down);
  tap(kDecide);  // not yet
  EXPECT_EQ(tap(kCancel), PartyOrganizer::kRunning);
  EXPECT_EQ(chosen(), (std::vector<const ShellData*>{mCandidates[0]}));
  EXPECT_EQ(tap(kCancel), PartyOrganizer::kRunning);
  EXPECT_EQ(tap(kCancel), PartyOrganizer::kCancelled);
}

TEST_F(PartyOrganizerTest, KeyFourAsksBeforeTheListIsFull) {
  open(2);
  choose(0);
  EXPECT_FALSE(mOrganizer->isAsking());
  tap(Key::C);
  EXPECT_TRUE(mOrganizer->isAsking());
  EXPECT_EQ(tap(kDecide), PartyOrganizer::kDecided);
  EXPECT_EQ(chosen(), (std::vector<const ShellData*>{mCandidates[0]}));
}

}  // namespace
