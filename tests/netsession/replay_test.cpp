// A network game replayed from its steps: every copy's move listener hears
// every step of the game (its own player's, its gift choice and dialogs'
// answers included, the other copies' records, the computer seat's), and those steps, applied to a fresh engine with the
// deals the copy held, rebuild that copy's whole table.
#include <gtest/gtest.h>

#include <algorithm>

#include "copies.h"

namespace varnok::netsession::testing {
namespace {

DeckOrder OrderOf(const TCardList& deck) {
  DeckOrder order{};
  for (int j = 1; j <= 24; ++j) order[static_cast<std::size_t>(j - 1)] = CardIndex(deck[j]);
  return order;
}

int Count(const std::vector<Move>& moves, Move::Kind kind) {
  return static_cast<int>(std::count_if(moves.begin(), moves.end(), [&](const Move& m) { return m.kind == kind; }));
}

class ReplayedGames : public ::testing::TestWithParam<int> {};

TEST_P(ReplayedGames, EveryCopysLoggedStepsRebuildItsTable) {
  Table table(GetParam());
  ASSERT_TRUE(table.Start());
  ASSERT_TRUE(table.Play(0)) << table.Dump();
  int picks = 0;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const Copy& c = table[i];
    ASSERT_EQ(c.s.Phase, phGameOver) << i;
    const int rounds = c.s.RoundNo;
    EXPECT_GE(rounds, 3) << i;  // a game from 501 takes rounds
    // The listener heard every card and every round, whichever copy or seat took them.
    EXPECT_EQ(Count(c.moves, Move::Kind::Card), 24 * rounds) << i;
    EXPECT_EQ(Count(c.moves, Move::Kind::Score), rounds) << i;
    EXPECT_EQ(Count(c.moves, Move::Kind::NewGame) + Count(c.moves, Move::Kind::NextRound), rounds) << i;
    ASSERT_EQ(c.decks.size(), static_cast<std::size_t>(rounds)) << i;
    // The local declarer's choice of the two cards to give is a step of its own.
    picks += Count(c.moves, Move::Kind::Pick);

    // A fresh engine at the same seat, with no players of any kind: only the steps.
    GameState state;
    state.Names = c.s.Names;
    ButtonsPresenter ui;
    Engine replay(state, ui);
    replay.SetMode(c.engine.Mode());
    replay.SetOptions(c.engine.Options());
    std::size_t deal = 0;
    for (const Move& m : c.moves) {
      const auto parsed = ParseMove(ToText(m));
      ASSERT_TRUE(parsed.has_value()) << ToText(m);
      if (m.kind == Move::Kind::NewGame || m.kind == Move::Kind::NextRound) {
        // The deal itself is no step: the dealer shuffled it, the others received it.
        const net::DealData& d = c.decks[deal++];
        if (c.session.IsServer()) {
          replay.SetNextDeck(OrderOf(d.deck));
        } else {
          const auto record = net::BuildDeal(d.deck, d.order, d.points, d.keep_after_100);
          ASSERT_TRUE(record.has_value());
          ASSERT_TRUE(net::ApplyDeal(*record, state, net::DealSeating{c.session.NetPos(), false}).ok());
        }
      }
      ASSERT_TRUE(replay.Apply(*parsed)) << "copy " << i << ": " << ToText(m);
    }
    state.MaxBid = c.s.MaxBid;  // the computer seat's limit is its own thought, never a step
    EXPECT_TRUE(state == c.s) << "copy " << i << " round " << rounds;
    EXPECT_EQ(state.Scores, c.s.Scores) << i;
    EXPECT_EQ(replay.FaultyRequests(), 0) << i;
  }
  EXPECT_GT(picks, 0) << "no copy's player chose a gift";
}

INSTANTIATE_TEST_SUITE_P(Copies, ReplayedGames, ::testing::Values(3, 2),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return info.param == 3 ? std::string("ThreePeople") : std::string("TwoPeopleAndComputer");
                         });

}  // namespace
}  // namespace varnok::netsession::testing
