// Steps of a round as values: their text form, refusal of steps that do not
// fit the table, and a whole round replayed from its steps alone.
#include <gtest/gtest.h>

#include "table_fixture.h"

namespace varnok {
namespace {

using testing::DeckFromNames;
using testing::ScriptedTable;

TEST(MoveText, EveryKindRoundTrips) {
  const Move moves[] = {
      Move::Begin(),     Move::Bid(2),         Move::Pass(3),          Move::OpenWidow(),
      Move::TakeWidow(), Move::Give(4, 9),     Move::Give(1, 10, kClubs), Move::ShowGiven(),
      Move::Trump(kDiamonds), Move::Order(135), Move::StartPlay(),       Move::Card(1, 8),
      Move::Collect(),   Move::Score(),        Move::NextRound(),      Move::NewGame(),
      Move::Pick(7),     Move::Unpick(10),
  };
  for (const Move& m : moves) {
    const std::string text = ToText(m);
    const auto back = ParseMove(text);
    ASSERT_TRUE(back.has_value()) << text;
    EXPECT_EQ(*back, m) << text;
  }
  EXPECT_EQ(ToText(Move::Card(3, 5)), "card 3 5");
  EXPECT_EQ(ToText(Move::Give(2, 7, kSpades)), "give 2 7 s");
  EXPECT_EQ(ToText(Move::Trump(kHearts)), "trump h");
  EXPECT_EQ(ToText(Move::Pick(4)), "pick 4");
  EXPECT_EQ(ToText(Move::Unpick(4)), "unpick 4");
  EXPECT_EQ(ParseMove("  bid   1 \r\n"), Move::Bid(1));
}

TEST(MoveText, MalformedLinesAreRejected) {
  for (const char* line : {"", "bid", "bid x", "bid 1 2", "card 3", "trump q", "trump #", "give 1", "give 1 2 z",
                           "order 1e3", "dance", "collect now", "card 3 5x", "pick", "pick 1 2", "unpick x"}) {
    EXPECT_FALSE(ParseMove(line).has_value()) << line;
  }
}

constexpr const char* kDeck =
    "Ah 10h Kh Qh As 10s 9c "
    "Jh Ad 10d Kd Qd Jd 9d "
    "Ac 10c Kc Qc Jc 9h Ks "
    "Qs Js 9s";

TEST(ApplyMove, StepsThatDoNotFitTheTableChangeNothing) {
  ScriptedTable t;
  t.engine.SetNextDeck(DeckFromNames(kDeck));
  t.NewGame();
  t.ai.max_bid = {{1, 70}, {2, 65}};
  const Move wrong_before_begin[] = {Move::Bid(1), Move::Pass(1), Move::OpenWidow(), Move::Card(1, 1),
                                     Move::Collect(), Move::Score(), Move::NextRound()};
  for (const Move& m : wrong_before_begin) {
    const GameState before = t.s;
    EXPECT_FALSE(t.engine.Apply(m)) << ToText(m);
    EXPECT_EQ(before, t.s) << ToText(m);
  }
  ASSERT_TRUE(t.engine.Apply(Move::Begin()));
  const Move wrong_in_bidding[] = {
      Move::Bid(2),   // not seat 2's turn
      Move::Bid(7),   // no such seat
      Move::Bid(0),   Move::Pass(-1),
      Move::Pass(1),  // the opening bid cannot be passed
      Move::Card(1, 1), Move::Give(1, 2), Move::Trump(kHearts), Move::Order(100), Move::Begin(),
  };
  for (const Move& m : wrong_in_bidding) {
    const GameState before = t.s;
    EXPECT_FALSE(t.engine.Apply(m)) << ToText(m);
    EXPECT_EQ(before, t.s) << ToText(m);
  }
  // Seat 1 bids; seat 2 passes; seat 3 passes: seat 1 declares.
  ASSERT_TRUE(t.engine.Apply(Move::Bid(1)));
  ASSERT_TRUE(t.engine.Apply(Move::Pass(2)));
  ASSERT_TRUE(t.engine.Apply(Move::Pass(3)));
  ASSERT_TRUE(t.engine.Apply(Move::OpenWidow()));
  ASSERT_TRUE(t.engine.Apply(Move::TakeWidow()));
  const Move bad_gifts[] = {Move::Give(3, 3, kHearts), Move::Give(0, 2, kHearts), Move::Give(1, 11, kHearts),
                            Move::Give(1, 2, 'x')};
  for (const Move& m : bad_gifts) {
    const GameState before = t.s;
    EXPECT_FALSE(t.engine.Apply(m)) << ToText(m);
    EXPECT_EQ(before, t.s) << ToText(m);
  }
  ASSERT_TRUE(t.engine.Apply(Move::Give(t.Slot(1, "9s"), t.Slot(1, "Js"), kHearts)));
  EXPECT_FALSE(t.engine.Apply(Move::Order(80)));  // the given cards are not shown yet
  ASSERT_TRUE(t.engine.Apply(Move::ShowGiven()));
  EXPECT_FALSE(t.engine.Apply(Move::Order(55)));   // below the bid
  EXPECT_FALSE(t.engine.Apply(Move::Order(500)));  // more than all the points there are
  ASSERT_TRUE(t.engine.Apply(Move::Order(60)));
  EXPECT_EQ(t.s.Phase, phOrdered);
  EXPECT_EQ(t.s.Trump, kHearts);
}

TEST(ApplyMove, ARoundReplaysFromItsStepsAlone) {
  // The original: computer seats on the timer with scripted choices.
  ScriptedTable original;
  std::vector<Move> log;
  original.engine.SetNextDeck(DeckFromNames(kDeck));
  original.NewGame();
  original.engine.SetMoveListener([&](const Move& m) { log.push_back(m); });
  original.ai.max_bid = {{1, 70}, {2, 65}};
  original.ai.plans[1] = {"9s", "Js", kHearts, 80};
  original.ai.cards[1] = {"Kh", "9c", "Qh", "As", "10s", "Qs", "10h", "Ah"};
  original.ai.cards[2] = {"Jh", "9d", "Jd", "9s", "Qd", "Kd", "10d", "Ad"};
  std::deque<std::string> mine = {"9h", "Ac", "Kc", "Js", "Ks", "Jc", "Qc", "10c"};
  original.engine.PressNext();
  original.engine.Tick();
  original.engine.Tick();
  original.engine.PressPass();
  original.engine.Tick();
  original.engine.Tick();
  for (int i = 0; i < 5; ++i) original.engine.PressNext();
  for (int guard = 0; guard < 100 && original.s.Phase != phNextRound; ++guard) {
    if (original.s.Phase == phPlay3) {
      original.engine.ClickCard(original.Slot(3, mine.front()));
      mine.pop_front();
    } else if (original.s.Phase == phTrickFull) {
      original.engine.PressNext();
    } else {
      original.engine.Tick();
    }
  }
  ASSERT_EQ(original.s.Phase, phNextRound);
  ASSERT_GT(log.size(), 30u);

  // The replay: no computer players at all, every step from the log.
  GameState state;
  testing::RecordingPresenter ui;
  Engine replay(state, ui);
  replay.SetPlayerName("Anna");
  replay.SetNextDeck(DeckFromNames(kDeck));
  replay.Apply(Move::NewGame());
  for (const Move& m : log) {
    const auto parsed = ParseMove(ToText(m));
    ASSERT_TRUE(parsed.has_value()) << ToText(m);
    ASSERT_TRUE(replay.Apply(*parsed)) << ToText(m);
  }
  state.MaxBid = original.s.MaxBid;  // the only thing the replay never learns
  EXPECT_EQ(state, original.s);
  EXPECT_EQ(ToText(log.front()), "begin");
  EXPECT_EQ(ToText(log.back()), "score");
}

}  // namespace
}  // namespace varnok
