#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "data/Party.h"
#include "tests/core/game/GameFixture.h"

namespace {

using Game::Party;
using Game::PartyMembers;
using Game::PlayerGhost;
using Cell = std::pair<int, int>;

class PartyTest : public GameTestSupport::GameTest {
 protected:
  const Game::ShellData& kessa() { return *database().findShell("Kessa"); }
  const Game::ShellData& mio() { return *database().findShell("灯りのミオ"); }

  // Loose characters for the member table, which does not own them.
  PlayerGhost& ghost(int i) {
    while (static_cast<int>(mGhosts.size()) <= i) {
      mGhosts.push_back(std::make_unique<PlayerGhost>());
      mGhosts.back()->setUp(kessa(), 0);
    }
    return *mGhosts[static_cast<std::size_t>(i)];
  }
  // A member table of the first n loose characters.
  PartyMembers table(int n) {
    PartyMembers out;
    for (int i = 0; i < n; ++i) {
      EXPECT_TRUE(out.add(ghost(i))) << i;
    }
    return out;
  }
  static std::vector<Cell> cells(const PartyMembers& members) {
    std::vector<Cell> out;
    for (int i = 0; i < members.count(); ++i) {
      out.emplace_back(members.at(i).row, members.at(i).column);
    }
    return out;
  }

 private:
  std::vector<std::unique_ptr<PlayerGhost>> mGhosts;
};

TEST_F(PartyTest, ArrangingSettlesSharedAndStrayCells) {
  PartyMembers three = table(3);
  three.at(0) = {&ghost(0), 1, 3};
  three.at(1) = {&ghost(1), 1, 3};
  three.at(2) = {&ghost(2), 7, -2};
  three.arrange();
  EXPECT_EQ(cells(three), (std::vector<Cell>{{1, 3}, {0, 0}, {0, 1}}));
}

TEST_F(PartyTest, ARemovedMemberIsNoLongerActive) {
  Party party;
  party.recruit(mio());
  EXPECT_TRUE(party.isActiveMember("灯りのミオ"));
  party.members().removeNamed("灯りのミオ");
  EXPECT_FALSE(party.isActiveMember("灯りのミオ"));
}

}  // namespace
