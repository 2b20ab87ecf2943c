// The exact solver against a plain exhaustive search that plays every legal
// card through the engine itself (its legality, trick winner and marriages),
// on hand-made endings and on random positions of up to four tricks.
#include "solver.h"

#include <algorithm>
#include <random>

#include <gtest/gtest.h>

#include "card_play_fixture.h"
#include "engine.h"

namespace varnok::ai {
namespace {

using testing::Cards;
using testing::SetOf;

// A round in play with the given hands (seats 1..3), trump and declarer;
// `table` holds the cards already led to the current trick by `leader` and
// the seats after it.
GameState PlayState(const std::array<std::vector<TCard>, 3>& hands, std::uint8_t trump, int declarer, int leader,
                    const std::vector<TCard>& table, int declarer_points) {
  GameState s;
  s.InGame = true;
  s.Trump = trump;
  s.Declarer = static_cast<std::uint8_t>(declarer);
  s.Leader = s.PrevLeader = s.LastTrickLeader = static_cast<std::uint8_t>(leader);
  for (int seat = 1; seat <= 3; ++seat) {
    const auto& cards = hands[static_cast<std::size_t>(seat - 1)];
    for (std::size_t i = 0; i < cards.size(); ++i) {
      const int slot = static_cast<int>(i) + 1;
      s.Hands[seat][slot] = cards[i];
      s.HandOrder[seat][slot] = static_cast<std::uint8_t>(RankOrder(cards[i].rank));
      s.HandPoints[seat][slot] = static_cast<std::uint8_t>(RankPoints(cards[i].rank));
    }
    s.HandCount[seat] = static_cast<std::uint8_t>(SortHand(s.Hands[seat], s.HandOrder[seat], s.HandPoints[seat], trump));
  }
  for (std::size_t i = 0; i < table.size(); ++i) {
    const int slot = static_cast<int>(i) + 1;
    s.Stol[slot] = table[i];
    s.StolOrder[slot] = static_cast<std::uint8_t>(RankOrder(table[i].rank));
    s.StolPoints[slot] = static_cast<std::uint8_t>(RankPoints(table[i].rank));
  }
  s.LedSuit = table.empty() ? kNoSuit : table[0].suit;
  s.TrickPos = static_cast<std::uint8_t>(table.size() + 1);
  int to_move = leader;
  for (std::size_t i = 0; i < table.size(); ++i) to_move = NextSeat(to_move);
  s.Phase = static_cast<std::uint8_t>(10 + to_move);
  s.RoundPoints[declarer] = declarer_points;
  return s;
}

Presenter g_quiet;

GameState After(const GameState& s, const Move& move) {
  GameState next = s;
  Engine engine(next, g_quiet);
  EXPECT_TRUE(engine.Apply(move)) << ToText(move);
  return next;
}

// Every legal card of every seat, the declarer maximising his points and
// the defenders minimising them.
int Exhaustive(const GameState& s) {
  if (s.Phase == phRoundOver) return s.RoundPoints[s.Declarer];
  if (s.Phase == phTrickFull) return Exhaustive(After(s, Move::Collect()));
  const int seat = s.Phase - 10;
  const bool maxing = seat == s.Declarer;
  GameState probe = s;
  Engine engine(probe, g_quiet);
  int best = maxing ? -1 : 100000;
  for (int slot = 1; slot <= 8; ++slot) {
    if (!engine.CardPlayable(seat, slot)) continue;
    const int v = Exhaustive(After(s, Move::Card(seat, slot)));
    best = maxing ? std::max(best, v) : std::min(best, v);
  }
  return best;
}

// The exhaustive value of each legal card of the seat to move, by card bit.
std::vector<CardValue> ExhaustiveCards(const GameState& s) {
  std::vector<CardValue> out;
  const int seat = s.Phase - 10;
  GameState probe = s;
  Engine engine(probe, g_quiet);
  for (int slot = 1; slot <= 8; ++slot) {
    if (!engine.CardPlayable(seat, slot)) continue;
    out.push_back(CardValue{CardIndex(s.Hands[seat][slot]) - 1, Exhaustive(After(s, Move::Card(seat, slot)))});
  }
  std::sort(out.begin(), out.end(), [](const CardValue& a, const CardValue& b) { return a.card < b.card; });
  return out;
}

struct Ending {
  const char* name;
  std::array<const char*, 3> hands;
  char trump;
  int declarer;
  int leader;
  const char* table;
  int points_before;
  int value;  // worked out by hand
};

// Hand-made endings whose values are worked out by hand.
const Ending kEndings[] = {
    // The declarer leads the king of trumps with its queen: forty, then both tricks.
    {"forty_then_both_tricks", {"Kh Qh", "9s Js", "Qs Ks"}, 'h', 1, 1, "", 0, 40 + 16},
    // A plain marriage is twenty (the king, which takes more); seat 2 ruffs
    // the queen led next, and seat 3 keeps its ace for that trick.
    {"twenty_then_ruffed", {"Kc Qc", "9h Jc", "Ad 10d"}, 'h', 1, 1, "", 30, 30 + 20 + 4 + 2 + 10},
    // A defender's marriage is not the declarer's: seat 2 leads K/Q of spades
    // and takes both tricks; the declarer gets nothing.
    {"defender_marriage_not_counted", {"9c Jc", "Ks Qs", "9d Jd"}, 'h', 1, 2, "", 12, 12},
    // The declarer (seat 3) must follow with the nine under the defenders'
    // ace and ten and must ruff the clubs: it takes only the clubs trick;
    // the same from the middle of the first trick.
    {"mid_trick_follow", {"As Jc", "10s Qc", "9s Ah"}, 'h', 3, 1, "", 0, 2 + 3 + 11},
    {"mid_trick_table", {"Jc", "Qc", "9s Ah"}, 'h', 3, 1, "As 10s", 0, 2 + 3 + 11},
    // Must ruff when void: the declarer ruffs the ace with the nine of trumps.
    {"ruff_when_void", {"9h Kd", "Ac 9d", "10c Jd"}, 'h', 1, 2, "", 0, 11 + 10 + 0 + 4 + 0 + 2},
};

class SolverEndingTest : public ::testing::TestWithParam<Ending> {};

TEST_P(SolverEndingTest, ValueMatchesHandWorkAndExhaustiveSearch) {
  const Ending& e = GetParam();
  std::array<std::vector<TCard>, 3> hands;
  for (int i = 0; i < 3; ++i) hands[static_cast<std::size_t>(i)] = Cards(e.hands[static_cast<std::size_t>(i)]);
  const GameState s = PlayState(hands, testing::Suit(e.trump), e.declarer, e.leader, Cards(e.table), e.points_before);
  Solver solver(12);
  const SolveResult r = solver.Solve(PositionOf(s));
  EXPECT_EQ(r.value, e.value);
  EXPECT_EQ(r.value, Exhaustive(s));
  EXPECT_EQ(solver.Value(PositionOf(s)), e.value);
  EXPECT_TRUE(solver.Reaches(PositionOf(s), e.value));
  EXPECT_FALSE(solver.Reaches(PositionOf(s), e.value + 1));
}

INSTANTIATE_TEST_SUITE_P(Endings, SolverEndingTest, ::testing::ValuesIn(kEndings),
                         [](const auto& info) { return std::string(info.param.name); });

// A random position: `tricks` cards to each seat from a shuffled deck (one
// fewer for the seats that have already played to the current trick).
GameState RandomPosition(std::mt19937& rng, int tricks) {
  std::vector<int> deck(24);
  for (int i = 0; i < 24; ++i) deck[static_cast<std::size_t>(i)] = i + 1;
  std::shuffle(deck.begin(), deck.end(), rng);
  const int declarer = static_cast<int>(rng() % 3) + 1;
  const int leader = static_cast<int>(rng() % 3) + 1;
  const int on_table = static_cast<int>(rng() % 3);
  const std::uint8_t trump = kSuits[rng() % 4];
  std::array<std::vector<TCard>, 3> hands;
  std::size_t next = 0;
  std::vector<TCard> table;
  int seat = leader;
  for (int i = 0; i < 3; ++i) {
    const int n = tricks - (i < on_table ? 1 : 0);
    for (int k = 0; k < n; ++k) hands[static_cast<std::size_t>(seat - 1)].push_back(CardOfIndex(deck[next++]));
    seat = NextSeat(seat);
  }
  // The cards on the table must have been legal: the second follows the
  // first when it can (drawn from the rest of the deck, so any card is fine
  // for the solver; the engine only checks the cards still to come).
  for (int i = 0; i < on_table; ++i) table.push_back(CardOfIndex(deck[next++]));
  return PlayState(hands, trump, declarer, leader, table, static_cast<int>(rng() % 40));
}

TEST(SolverTest, AgreesWithExhaustiveSearchOnRandomPositionsOfUpToFourTricks) {
  std::mt19937 rng(20261211);
  Solver solver(14);  // small, so that entries are replaced too
  int compared = 0;
  for (int round = 0; round < 400; ++round) {
    const int tricks = 1 + round % 4;
    const GameState s = RandomPosition(rng, tricks);
    const SolveResult r = solver.Solve(PositionOf(s));
    const std::vector<CardValue> expected = ExhaustiveCards(s);
    ASSERT_EQ(r.cards.size(), expected.size()) << "position " << round;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(r.cards[i].card, expected[i].card) << "position " << round;
      EXPECT_EQ(r.cards[i].value, expected[i].value) << "position " << round << " card " << expected[i].card;
    }
    EXPECT_EQ(r.value, Exhaustive(s)) << "position " << round;
    EXPECT_EQ(solver.Value(PositionOf(s)), r.value) << "position " << round;
    ++compared;
  }
  EXPECT_EQ(compared, 400);
}

TEST(SolverTest, LegalCardsFollowTheRules) {
  SolverPosition p;
  p.hands = {SetOf("Ah 9c Jd"), SetOf("Kc 9s"), SetOf("10s Qd")};
  p.trump = 3;  // spades
  p.leader = 0;
  p.trick_count = 1;
  p.trick[0] = CardIndex(CardFromName("Ad")) - 1;
  // Seat 2 has no diamonds but a trump: only the trump.
  EXPECT_EQ(LegalCards(p), SetOf("9s"));
  p.hands[1] = SetOf("Kc Jh");
  EXPECT_EQ(LegalCards(p), SetOf("Kc Jh"));
  p.hands[1] = SetOf("Kc Jh 9d");
  EXPECT_EQ(LegalCards(p), SetOf("9d"));
}

}  // namespace
}  // namespace varnok::ai
