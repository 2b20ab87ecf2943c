// The duplicate match: every game in three seatings, each level's general
// counts, contracts and the same hands declared by both levels.
#include "match.h"

#include <gtest/gtest.h>

namespace varnok::selfplay {
namespace {

MatchOptions SmallMatch() {
  MatchOptions o;
  o.levels = {ai::ComputerLevel::Strong, ai::ComputerLevel::Classic, ai::ComputerLevel::Classic};
  o.seed = 99;
  o.games = 2;
  o.strong.max_samples = 4;
  o.strong.budget_ms = 1000000;
  return o;
}

TEST(MatchTest, EverySeatingIsPlayedAndTheCountsBalance) {
  const MatchSummary s = PlayMatch(SmallMatch());
  ASSERT_EQ(s.levels.size(), 2u);
  const LevelSummary& classic = s.levels[0].name == "classic" ? s.levels[0] : s.levels[1];
  const LevelSummary& strong = s.levels[0].name == "strong" ? s.levels[0] : s.levels[1];
  EXPECT_EQ(strong.seat_games, 2 * 3);
  EXPECT_EQ(classic.seat_games, 2 * 6);
  // The three general counts of a game add up to 0, so one strong seat
  // balances two classic ones in every seating.
  EXPECT_NEAR(strong.mean, -2 * classic.mean, 1e-6);
  EXPECT_EQ(strong.declared + classic.declared, s.rounds);
  EXPECT_LE(strong.made, strong.declared);
  EXPECT_GE(s.rounds, s.deals);
  EXPECT_GT(s.deals, 0);
  EXPECT_NEAR(s.difference, strong.mean - classic.mean, 1e-6);
  EXPECT_LE(s.same_hand_made_strong, s.same_hand_declared);
  // A fixed seed and a fixed number of drawn deals give the same match again.
  const MatchSummary again = PlayMatch(SmallMatch());
  EXPECT_EQ(FormatSummary(again), FormatSummary(s));
}

TEST(MatchTest, LevelNamesAreParsed) {
  ai::ComputerLevel level{};
  EXPECT_TRUE(ParseLevel("strong", level));
  EXPECT_EQ(level, ai::ComputerLevel::Strong);
  EXPECT_TRUE(ParseLevel("classic", level));
  EXPECT_EQ(level, ai::ComputerLevel::Classic);
  EXPECT_FALSE(ParseLevel("Strong ", level));
}

}  // namespace
}  // namespace varnok::selfplay
