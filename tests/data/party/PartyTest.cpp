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

TEST_F(PartyTest, ASeventhMemberIsRefusedAndTheSixthDoesNotFight) {
  PartyMembers six = table(6);
  EXPECT_FALSE(six.add(ghost(6)));
  EXPECT_EQ(six.count(), 6);
  EXPECT_EQ(six.battleCount(), 5);
  EXPECT_EQ(cells(six), (std::vector<Cell>{{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {-1, -1}}));
}

TEST_F(PartyTest, RemovingAMemberMovesTheNextUpAndKeepsCells) {
  PartyMembers three = table(3);
  three.removeAt(1);
  EXPECT_EQ(cells(three), (std::vector<Cell>{{0, 0}, {0, 2}}));
  // A new member takes the first cell nobody holds.
  three.add(ghost(3));
  EXPECT_EQ(cells(three), (std::vector<Cell>{{0, 0}, {0, 2}, {0, 1}}));
  EXPECT_EQ(three.findAtCell(0, 2), &ghost(2));
  EXPECT_FALSE(three.findAtCell(2, 4));
}

TEST_F(PartyTest, ArrangingSettlesSharedAndStrayCells) {
  PartyMembers three = table(3);
  three.at(0) = {&ghost(0), 1, 3};
  three.at(1) = {&ghost(1), 1, 3};
  three.at(2) = {&ghost(2), 7, -2};
  three.arrange();
  EXPECT_EQ(cells(three), (std::vector<Cell>{{1, 3}, {0, 0}, {0, 1}}));
}

TEST_F(PartyTest, RecruitsStartAtTheLeadsExperience) {
  Party party;
  party.recruit(kessa())->ghost->gainExperience(nullptr, 5000, 0);
  EXPECT_EQ(party.recruit(mio())->ghost->experience(), 5000);
  // The same shell again is the same character, already travelling.
  EXPECT_FALSE(party.recruit(mio()));
  EXPECT_TRUE(party.isActiveMember("灯りのミオ"));
  party.members().removeNamed("灯りのミオ");
  EXPECT_FALSE(party.isActiveMember("灯りのミオ"));
}

TEST_F(PartyTest, EquipmentIsCountedAndTakenFromMembers) {
  Party party;
  party.recruit(kessa());
  party.addGhost(mio());
  const Game::ToolData* sword = database().findTool("鉄の剣");
  const Game::ToolData* knife = database().findTool("投げナイフ");
  EXPECT_EQ(party.countEquipped(sword), 1);
  EXPECT_EQ(party.countEquipped(knife), 0);
  EXPECT_EQ(party.countEquippedAll(knife), 1);
  EXPECT_TRUE(party.unequipItem(sword));
  EXPECT_FALSE(party.unequipItem(sword));
  EXPECT_FALSE(party.unequipItem(nullptr));
}

}  // namespace
