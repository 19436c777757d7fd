#include "menu/PartyOrganizer.h"

#include "tests/menu/MenuFixture.h"

namespace {

using Engine::i32;
using Game::PartyOrganizer;
using Platform::Key;
using Shells = std::vector<const Game::ShellData*>;
// Past the ring's opening, or the question's input delay.
constexpr int kWait = 70;

class PartyOrganizerTest : public MenuTestSupport::MenuTest {
 protected:
  void TearDown() override {
    mOrganizer.reset();
    MenuTest::TearDown();
  }
  // Kessa (0) and ミオ (1, shown as 灯りのミオ).
  PartyOrganizer& open(i32 count) {
    mCandidates = {shell("Kessa"), shell("灯りのミオ")};
    mOrganizer = std::make_unique<PartyOrganizer>(mCandidates, count);
    return *mOrganizer;
  }
  i32 tap(Key key) { return press(*mOrganizer, key, kWait); }
  // Decides the candidate at that ring position.
  i32 choose(i32 position) {
    while (mOrganizer->ring().selectedItem() != position) tap(Key::Right);
    return tap(kDecide);
  }
  float brightness(i32 id) { return mOrganizer->ring().findItem(id)->state.colors.ambient.x; }

  Shells mCandidates;
  std::unique_ptr<PartyOrganizer> mOrganizer;
};

TEST_F(PartyOrganizerTest, ACountOfNoneDecidesAtOnceChoosingTogglesAndKeyFourAsks) {
  EXPECT_EQ(open(0).update(), PartyOrganizer::kDecided);
  EXPECT_EQ(open(5).count(), 2);
  // Choosing a chosen one takes it out; key 4 asks before the list is full.
  open(2);
  choose(1);
  step({});
  mOrganizer->update();
  EXPECT_EQ(std::tuple(mOrganizer->chosen(), brightness(1), brightness(0)), std::tuple(Shells{mCandidates[1]}, 1.f, .5f));
  choose(1);
  EXPECT_EQ(std::pair(mOrganizer->chosen(), mOrganizer->isAsking()), std::pair(Shells{}, false));
  choose(0);
  EXPECT_FALSE(mOrganizer->isAsking());
  tap(Key::C);
  EXPECT_TRUE(mOrganizer->isAsking());
  EXPECT_EQ(tap(kDecide), PartyOrganizer::kDecided);
  EXPECT_EQ(mOrganizer->chosen(), Shells{mCandidates[0]});
}

// A full list asks; no closes the question; a new choice swaps the last and
// asks again. Cancel drops the last chosen, then leaves with 2.
TEST_F(PartyOrganizerTest, AFullListSwapsTheLastAndAsksAgainAndCancelStepsBack) {
  open(1);
  choose(0);
  EXPECT_TRUE(mOrganizer->isAsking());
  tap(Key::Down);  // いいえ
  EXPECT_EQ(tap(kDecide), PartyOrganizer::kRunning);
  EXPECT_FALSE(mOrganizer->isAsking());
  choose(1);
  EXPECT_EQ(std::pair(mOrganizer->chosen(), mOrganizer->isAsking()), std::pair(Shells{mCandidates[1]}, true));
  tap(Key::Down);
  tap(kDecide);
  EXPECT_EQ(tap(kCancel), PartyOrganizer::kRunning);
  EXPECT_EQ(mOrganizer->chosen(), Shells{});
  EXPECT_EQ(tap(kCancel), PartyOrganizer::kCancelled);
  open(1);
  choose(1);
  EXPECT_EQ(tap(kDecide), PartyOrganizer::kDecided);  // はい
}

}  // namespace
