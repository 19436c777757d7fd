#include <gtest/gtest.h>

#include "data/Party.h"
#include "tests/core/game/GameFixture.h"

namespace {

using PartyTest = GameTestSupport::GameTest;

TEST_F(PartyTest, ARemovedMemberIsNoLongerActive) {
  Game::Party party;
  party.recruit(*database().findShell("灯りのミオ"));
  EXPECT_TRUE(party.isActiveMember("灯りのミオ"));
  party.members().removeNamed("灯りのミオ");
  EXPECT_FALSE(party.isActiveMember("灯りのミオ"));
}

}  // namespace
