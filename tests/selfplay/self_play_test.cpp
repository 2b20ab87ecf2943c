// Thousands of rounds of self-play through the engine and the computer
// players: every card legal, every round's points complete, every game ended.
#include <gtest/gtest.h>

#include <set>

#include "self_play.h"

namespace varnok {
namespace {

TEST(SelfPlay, AThousandGamesRunToTheirEndWithinTheRules) {
  selfplay::SelfPlay play;
  play.SetSeed(20261210);
  int rounds = 0;
  std::set<int> declarers;
  for (int game = 1; game <= 1000; ++game) {
    play.NewGame();
    bool over = false;
    for (int round = 1; !over; ++round) {
      ASSERT_LT(round, 200) << "game " << game << " never ends";
      const selfplay::RoundRecord r = play.PlayRound();
      ++rounds;
      SCOPED_TRACE(selfplay::ToJson(r));
      ASSERT_EQ(r.tricks.size(), 8u);
      std::set<int> cards;
      for (const auto& t : r.tricks)
        for (int c : t.cards) cards.insert(c);
      ASSERT_EQ(cards.size(), 24u);
      ASSERT_EQ(r.card_points[0] + r.card_points[1] + r.card_points[2], 120);
      int marriages = 0;
      for (const auto& t : r.tricks) marriages += t.marriage;
      ASSERT_EQ(r.round_points[0] + r.round_points[1] + r.round_points[2], 120 + marriages);
      ASSERT_GE(r.bid, 60);
      ASSERT_EQ(r.bid % 5, 0);
      ASSERT_GE(r.order, r.bid);
      for (int m : r.max_bid) {
        ASSERT_GE(m, 65);
        ASSERT_EQ(m % 5, 0);
      }
      declarers.insert(r.declarer);
      over = r.game_over;
    }
    const PerSeat<int> counts = GeneralCount(play.State().Scores);
    ASSERT_EQ(counts[1] + counts[2] + counts[3], 0);
    ASSERT_EQ(play.State().Phase, phGameOver);
  }
  EXPECT_EQ(play.FaultyRequests(), 0) << "an illegal card reached PlayCard";
  EXPECT_EQ(declarers, (std::set<int>{1, 2, 3}));
  RecordProperty("rounds", rounds);
}

TEST(SelfPlay, ASeedReplaysTheSameRoundsAndAGivenDeckTheSameRound) {
  auto first_rounds = [](std::uint64_t seed) {
    selfplay::SelfPlay play;
    play.SetSeed(seed);
    play.NewGame();
    std::vector<std::string> out;
    for (int i = 0; i < 5; ++i) out.push_back(selfplay::ToJson(play.PlayRound()));
    return out;
  };
  const auto a = first_rounds(7);
  EXPECT_EQ(a, first_rounds(7));
  EXPECT_NE(a, first_rounds(8));

  // Replaying round 1 from its deck gives the same round.
  selfplay::SelfPlay seeded;
  seeded.SetSeed(7);
  seeded.NewGame();
  const selfplay::RoundRecord r = seeded.PlayRound();
  selfplay::SelfPlay given;
  const selfplay::RoundRecord again = given.PlayGivenRound(r.deck, r.first_bidder, {501, 501, 501});
  EXPECT_EQ(selfplay::ToJson(again), selfplay::ToJson(r));
}

}  // namespace
}  // namespace varnok
