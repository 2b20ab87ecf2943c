// The strong computer decides from its seat's view alone: re-dealing the
// cards it cannot see never changes its bid, its plan or its card; and the
// deals it draws agree with everything the seat has seen.
#include "strong_players.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <random>

#include <gtest/gtest.h>

#include "computer_players.h"
#include "engine.h"
#include "strong_sampler.h"
#include "strong_seat.h"

#include <condition_variable>
#include <mutex>

namespace varnok::ai {
namespace {

// A table of three classic computer seats, stepped until a condition holds.
struct Table {
  GameState s;
  Presenter ui;
  ComputerSeats classic;
  ComputerController seat3{&classic};
  Engine engine{s, ui};

  explicit Table(std::uint64_t seed) {
    engine.SetComputerPlayers(&classic);
    engine.SetSeatController(3, &seat3);
    engine.SetShuffleSeed(seed);
    EXPECT_TRUE(engine.Apply(Move::NewGame()));
  }

  bool RunUntil(const std::function<bool(const GameState&)>& stop) {
    for (int i = 0; i < 400; ++i) {
      if (stop(s)) return true;
      const int p = s.Phase;
      if (p == phNextRound || p == phGameOver) return false;
      if ((p >= phBid1 && p <= phBid3 && s.BidState == 2) || (p >= phPlay1 && p <= phPlay3)) engine.Tick();
      else if (p == phGive) engine.Apply(Move::Give(0, 0));
      else engine.PressNext();
    }
    return false;
  }
};

StrongOptions Fixed() {
  StrongOptions o;
  o.budget_ms = 1000000;
  o.max_samples = 12;
  o.simulate_contract = true;
  return o;
}

// Deals the cards of `seats`' hands (and, with `widow`, the widow) out
// again at random among the same places.
GameState Redeal(const GameState& s, const std::vector<int>& seats, bool widow, std::mt19937& rng) {
  GameState t = s;
  std::vector<TCard> cards;
  for (int seat : seats)
    for (int i = 1; i <= s.HandCount[seat]; ++i) cards.push_back(s.Hands[seat][i]);
  if (widow)
    for (int w = 1; w <= 3; ++w) cards.push_back(s.Widow[static_cast<std::size_t>(w)]);
  std::shuffle(cards.begin(), cards.end(), rng);
  std::size_t next = 0;
  for (int seat : seats) {
    t.Hands[seat] = EmptyCardList();
    t.HandOrder[seat] = EmptyCompanions();
    t.HandPoints[seat] = EmptyCompanions();
    for (int i = 1; i <= s.HandCount[seat]; ++i, ++next) {
      t.Hands[seat][i] = cards[next];
      t.HandOrder[seat][i] = static_cast<std::uint8_t>(RankOrder(cards[next].rank));
      t.HandPoints[seat][i] = static_cast<std::uint8_t>(RankPoints(cards[next].rank));
    }
    SortHand(t.Hands[seat], t.HandOrder[seat], t.HandPoints[seat], t.Trump);
  }
  if (widow)
    for (int w = 1; w <= 3; ++w, ++next) {
      t.Widow[static_cast<std::size_t>(w)] = cards[next];
      t.Deck[21 + w] = cards[next];
    }
  return t;
}

std::vector<int> Others(int seat) { return {NextSeat(seat), NextSeat(NextSeat(seat))}; }

struct CardCase {
  std::uint64_t seed;
  int trick;
  int trick_pos;
};

class StrongHiddenCardsTest : public ::testing::TestWithParam<CardCase> {};

TEST_P(StrongHiddenCardsTest, CardIsTheSameWhateverTheHiddenCards) {
  const CardCase c = GetParam();
  Table table(c.seed);
  ASSERT_TRUE(table.RunUntil([&](const GameState& s) {
    return s.Phase >= phPlay1 && s.Phase <= phPlay3 && s.TrickNo == c.trick && s.TrickPos == c.trick_pos;
  }));
  const int seat = table.s.Phase - 10;
  LeveledSeats players(Fixed());
  players.SetLevel(seat, ComputerLevel::Strong);
  const int choice = players.ChooseCard(seat, table.s);
  ASSERT_GE(choice, 1);
  ASSERT_TRUE(table.engine.CardPlayable(seat, choice));
  std::mt19937 rng(static_cast<unsigned>(c.seed));
  int changed = 0;
  for (int k = 0; k < 4; ++k) {
    const GameState other = Redeal(table.s, Others(seat), false, rng);
    changed += other.Hands != table.s.Hands ? 1 : 0;
    EXPECT_EQ(players.ChooseCard(seat, other), choice) << "re-deal " << k;
  }
  EXPECT_GT(changed, 0);
}

INSTANTIATE_TEST_SUITE_P(Positions, StrongHiddenCardsTest,
                         ::testing::Values(CardCase{11, 1, 2}, CardCase{12, 2, 1}, CardCase{13, 3, 3},
                                           CardCase{14, 4, 2}, CardCase{15, 5, 1}, CardCase{16, 6, 3}));

TEST(StrongPlayersTest, PlanAndBidAreTheSameWhateverTheHiddenCards) {
  for (std::uint64_t seed : {21u, 22u, 23u}) {
    Table table(seed);
    // The bid limit, before the widow is seen: the other hands and the widow are hidden.
    LeveledSeats players(Fixed());
    for (int seat = 1; seat <= 3; ++seat) players.SetLevel(seat, ComputerLevel::Strong);
    std::mt19937 rng(static_cast<unsigned>(seed));
    for (int seat = 1; seat <= 3; ++seat) {
      const int limit = players.MaxBid(seat, table.s);
      EXPECT_GE(limit, 60);
      EXPECT_LE(limit, 180);
      EXPECT_EQ(limit % 5, 0);
      EXPECT_EQ(players.MaxBid(seat, Redeal(table.s, Others(seat), true, rng)), limit) << "seed " << seed;
    }
    // The declarer's plan with ten cards: the defenders' hands are hidden.
    ASSERT_TRUE(table.RunUntil([](const GameState& s) { return s.Phase == phGive; }));
    const int d = table.s.Declarer;
    const DeclarerPlan plan = players.PlanDeclarer(d, table.s);
    EXPECT_TRUE(GiftIsValid(table.s.Hands[d], plan.give1, plan.give2));
    EXPECT_GE(SuitIndex(plan.trump), 0);
    EXPECT_GE(plan.estimate, table.s.CurrentBid);
    EXPECT_LE(plan.estimate, 180);
    const DeclarerPlan again = players.PlanDeclarer(d, Redeal(table.s, Others(d), false, rng));
    EXPECT_EQ(again.give1, plan.give1);
    EXPECT_EQ(again.give2, plan.give2);
    EXPECT_EQ(again.trump, plan.trump);
    EXPECT_EQ(again.estimate, plan.estimate);
  }
}

// Every drawn deal keeps the hand sizes, the cards known to be in a hand,
// and the suits a seat has shown it lacks; the real deal keeps them too.
TEST(StrongSamplerTest, DrawnDealsAgreeWithWhatTheSeatKnows) {
  int checked = 0;
  for (std::uint64_t seed = 31; seed < 37; ++seed) {
    Table table(seed);
    ASSERT_TRUE(table.RunUntil([](const GameState& s) { return s.Phase >= phPlay1 && s.Phase <= phPlay3 && s.TrickNo == 5; }));
    const int seat = table.s.Phase - 10;
    const SeatInference inf = InferFromView(SeatView(table.s, seat), seat);
    ASSERT_TRUE(inf.valid);
    std::array<CardSet, 3> real{};
    for (int s = 1; s <= 3; ++s)
      for (int i = 1; i <= kHandRange; ++i) real[static_cast<std::size_t>(s - 1)] |= CardBitOf(table.s.Hands[s][i]);
    std::mt19937_64 rng(seed);
    for (int k = 0; k < 50; ++k) {
      SolverPosition p;
      EXPECT_TRUE(DrawHands(inf, rng, p));
      EXPECT_EQ(p.hands[0] | p.hands[1] | p.hands[2], real[0] | real[1] | real[2]);
      for (int s = 0; s < 3; ++s) {
        const std::size_t i = static_cast<std::size_t>(s);
        EXPECT_EQ(std::popcount(p.hands[i]), table.s.HandCount[s + 1]);
        EXPECT_EQ(p.hands[i] & inf.known[i], inf.known[i]);
        EXPECT_EQ(inf.known[i] & ~real[i], 0u) << "a known card that is not there";
        for (int suit = 0; suit < 4; ++suit) {
          if (!((inf.voids[i] >> suit) & 1u)) continue;
          EXPECT_EQ(SuitRanks(p.hands[i], suit), 0u);
          EXPECT_EQ(SuitRanks(real[i], suit), 0u) << "a void that is not one";
        }
      }
      EXPECT_EQ(p.hands[static_cast<std::size_t>(seat - 1)], real[static_cast<std::size_t>(seat - 1)]);
      ++checked;
    }
  }
  EXPECT_EQ(checked, 300);
}

// The table never waits for the strong seat: the tick that asks for its
// card returns at once with nothing played; once the worker is done, the
// next tick plays the card the strong player chooses from the seat's view.
TEST(StrongSeatTest, CardIsWorkedOutOffTheTableThread) {
  Table table(41);
  ASSERT_TRUE(table.RunUntil([](const GameState& s) { return s.Phase == phPlay1 && s.TrickNo == 2; }));
  StrongOptions options = Fixed();
  options.simulate_contract = false;
  StrongSeatController strong(table.classic, options);
  std::mutex mutex;
  std::condition_variable cv;
  bool ready = false;
  strong.SetReady([&] {
    std::lock_guard lock(mutex);
    ready = true;
    cv.notify_all();
  });
  table.engine.SetSeatController(1, &strong);
  const GameState before = table.s;
  StrongPlayer direct(options);
  const int expected = direct.ChooseCard(SeatView(before, 1), 1, table.classic.Knowledge().Seat(1));

  table.engine.Tick();
  EXPECT_EQ(table.s.Phase, phPlay1) << "the tick waited for the card";
  EXPECT_EQ(table.s.HandCount[1], before.HandCount[1]);
  {
    std::unique_lock lock(mutex);
    ASSERT_TRUE(cv.wait_for(lock, std::chrono::seconds(30), [&] { return ready; }));
  }
  table.engine.Tick();
  EXPECT_EQ(table.s.Phase, phPlay2);
  EXPECT_EQ(table.s.Stol[1], before.Hands[1][expected]);
  // Seat 1's bids and plan stay the classic ones.
  EXPECT_EQ(strong.Players(), &table.classic);
}

}  // namespace
}  // namespace varnok::ai
