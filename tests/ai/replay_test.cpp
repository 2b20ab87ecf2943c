// A whole game against the computer replayed from its move log alone: the
// move listener hears every step (the computer seats', the local player's
// bids, gift choice, dialogs' answers and cards), and those steps, applied
// to a fresh engine with no computer players and the same deals, rebuild
// the whole table.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "computer_players.h"
#include "recorder.h"

namespace varnok {
namespace {

DeckOrder OrderOf(const TCardList& deck) {
  DeckOrder order{};
  for (int j = 1; j <= 24; ++j) order[static_cast<std::size_t>(j - 1)] = CardIndex(deck[j]);
  return order;
}

int Count(const std::vector<Move>& moves, Move::Kind kind) {
  return static_cast<int>(std::count_if(moves.begin(), moves.end(), [&](const Move& m) { return m.kind == kind; }));
}

// The trump the local declarer names: the suit it holds most of.
std::uint8_t LongestSuit(const GameState& s) {
  std::uint8_t best = kSpades;
  int most = -1;
  for (std::uint8_t suit : {kSpades, kClubs, kDiamonds, kHearts}) {
    int count = 0;
    for (int i = 1; i <= s.HandCount[3]; ++i) count += s.Hands[3][i].suit == suit ? 1 : 0;
    if (count > most) {
      most = count;
      best = suit;
    }
  }
  return best;
}

// One step of seat 3 as the window takes it (clicks, buttons and the dialogs'
// answers), or the timer for the computer seats.
void Step(Engine& engine, const GameState& s, std::mt19937& rng) {
  if (s.BidState == 1) {
    engine.PressNext();
  } else if (s.Phase == phBid3 && s.InBidding[3]) {
    // Seat 3 bids up to a limit drawn for the round, and opens with 60 when it must.
    const int limit = 60 + 5 * static_cast<int>(rng() % 9);
    if (s.CurrentBid == kOpeningBidBase || s.CurrentBid + kBidStep <= limit) engine.PressNext();
    else engine.PressPass();
  } else if (s.Phase == phGive && s.Declarer == 3) {
    // Picks two cards, changes its mind about the first, picks another.
    engine.ClickCard(1);
    engine.ClickCard(3);
    engine.ClickCard(1);
    engine.ClickCard(2);
  } else if (engine.LocalQuestion() == Engine::Question::Trump) {
    engine.Apply(Move::Trump(LongestSuit(s)));
  } else if (engine.LocalQuestion() == Engine::Question::Order) {
    engine.Apply(Move::Order(std::min(s.Zakaz + 5 * static_cast<int>(rng() % 3), kMaxOrder)));
  } else if (s.Phase == phPlay3) {
    for (int slot = 1; slot <= s.HandCount[3]; ++slot) {
      if (engine.CardPlayable(3, slot)) {
        engine.ClickCard(slot);
        break;
      }
    }
  } else if (s.Phase == phBid1 || s.Phase == phBid2 || s.Phase == phPlay1 || s.Phase == phPlay2 ||
             s.Phase == phRoundOver) {
    engine.Tick();
  } else {
    engine.PressNext();
  }
}

TEST(ReplayedGame, AGameAgainstTheComputerIsRebuiltFromItsMoves) {
  for (const std::uint64_t seed : {11u, 2026u}) {
    SCOPED_TRACE(seed);
    GameState s;
    testing::RecordingPresenter ui;
    Engine engine(s, ui);
    ai::ComputerSeats computer;
    engine.SetComputerPlayers(&computer);
    engine.SetShuffleSeed(seed);
    std::vector<Move> moves;
    std::vector<DeckOrder> decks;
    engine.SetMoveListener([&](const Move& m) {
      moves.push_back(m);
      if (m.kind == Move::Kind::NewGame || m.kind == Move::Kind::NextRound) decks.push_back(OrderOf(s.Deck));
    });
    std::mt19937 rng(static_cast<unsigned>(seed));
    engine.Apply(Move::NewGame());
    for (int step = 0; step < 20000 && !s.GameOver; ++step) Step(engine, s, rng);
    ASSERT_TRUE(s.GameOver);
    EXPECT_EQ(engine.FaultyRequests(), 0);
    // The log holds the local player's gift choice, its change of mind included.
    EXPECT_GT(Count(moves, Move::Kind::Pick), 0);
    EXPECT_EQ(Count(moves, Move::Kind::Unpick), Count(moves, Move::Kind::Pick) / 3);
    EXPECT_EQ(Count(moves, Move::Kind::Card), 24 * s.RoundNo);

    // A fresh engine with no players of any kind: only the steps, in their text form.
    GameState state;
    testing::RecordingPresenter quiet;
    Engine replay(state, quiet);
    std::size_t deal = 0;
    for (const Move& m : moves) {
      const std::optional<Move> parsed = ParseMove(ToText(m));
      ASSERT_TRUE(parsed.has_value()) << ToText(m);
      if (m.kind == Move::Kind::NewGame || m.kind == Move::Kind::NextRound) replay.SetNextDeck(decks[deal++]);
      ASSERT_TRUE(replay.Apply(*parsed)) << ToText(m);
    }
    state.MaxBid = s.MaxBid;  // the computer seats' limits are their own thought, never a step
    EXPECT_TRUE(state == s);
    EXPECT_EQ(state.Scores, s.Scores);
    EXPECT_EQ(replay.FaultyRequests(), 0);
  }
}

}  // namespace
}  // namespace varnok
