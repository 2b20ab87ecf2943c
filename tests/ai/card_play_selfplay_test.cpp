// Whole rounds played by the card player at all three seats, with the
// knowledge kept as the engine's notifications would keep it: every card
// chosen must be a card of the hand that the rules of play allow.
#include <algorithm>
#include <array>
#include <numeric>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "card_play.h"
#include "knowledge.h"

namespace varnok::ai {
namespace {

void PutInHand(GameState& s, int seat, int slot, TCard card) {
  s.Hands[static_cast<std::size_t>(seat)][slot] = card;
  s.HandOrder[static_cast<std::size_t>(seat)][slot] = static_cast<std::uint8_t>(RankOrder(card.rank));
  s.HandPoints[static_cast<std::size_t>(seat)][slot] = static_cast<std::uint8_t>(RankPoints(card.rank));
}

void TakeFromHand(GameState& s, int seat, int slot) {
  s.Hands[static_cast<std::size_t>(seat)][slot] = TCard::Empty();
  s.HandOrder[static_cast<std::size_t>(seat)][slot] = kEmptyCompanion;
  s.HandPoints[static_cast<std::size_t>(seat)][slot] = kEmptyCompanion;
}

void Sort(GameState& s, int seat) {
  const auto i = static_cast<std::size_t>(seat);
  s.HandCount[i] = static_cast<std::uint8_t>(SortHand(s.Hands[i], s.HandOrder[i], s.HandPoints[i], s.Trump));
}

// Why `slot` may not be played now, or "" when it may.
std::string Fault(const GameState& s, int seat, int slot) {
  if (slot < 1 || slot > 8) return "slot " + std::to_string(slot);
  const TCardList& hand = s.Hands[static_cast<std::size_t>(seat)];
  const TCard card = hand[slot];
  if (!card.IsReal()) return "empty slot " + std::to_string(slot);
  if (s.TrickPos == 1 || card.suit == s.LedSuit) return "";
  if (HasSuit(hand, s.LedSuit)) return CardName(card) + " does not follow suit";
  if (card.suit != s.Trump && HasSuit(hand, s.Trump)) return CardName(card) + " does not trump";
  return "";
}

class SelfPlay {
 public:
  explicit SelfPlay(std::uint32_t seed) : rng_(seed) {}

  void Deal() {
    s_ = GameState{};
    know_.Reset();
    std::array<int, 24> deck{};
    std::iota(deck.begin(), deck.end(), 1);
    std::shuffle(deck.begin(), deck.end(), rng_);
    auto dealt = [&](int k) { return CardOfIndex(deck[static_cast<std::size_t>(k)]); };
    for (int seat = 1; seat <= 3; ++seat)
      for (int i = 1; i <= 7; ++i) PutInHand(s_, seat, i, dealt((seat - 1) * 7 + i - 1));
    for (int w = 1; w <= 3; ++w) s_.Widow[static_cast<std::size_t>(w)] = dealt(20 + w);

    const int d = Pick(1, 3);
    s_.Declarer = static_cast<std::uint8_t>(d);
    for (int w = 1; w <= 3; ++w) PutInHand(s_, d, 7 + w, s_.Widow[static_cast<std::size_t>(w)]);
    know_.WidowTaken(s_);

    // Two random cards go to the next two seats, into their slot 8.
    const int g1 = Pick(1, 10);
    int g2 = Pick(1, 9);
    if (g2 >= g1) ++g2;
    const int r1 = NextSeat(d);
    const int r2 = NextSeat(r1);
    s_.GivenCards[1] = s_.Hands[static_cast<std::size_t>(d)][g1];
    s_.GivenCards[2] = s_.Hands[static_cast<std::size_t>(d)][g2];
    PutInHand(s_, r1, 8, s_.GivenCards[1]);
    PutInHand(s_, r2, 8, s_.GivenCards[2]);
    TakeFromHand(s_, d, g1);
    TakeFromHand(s_, d, g2);
    know_.CardsGiven(s_);

    s_.Trump = kSuits[static_cast<std::size_t>(Pick(0, 3))];
    s_.Zakaz = 60 + 5 * Pick(0, 28);  // up to 200: a computer's order is not capped
    for (int seat = 1; seat <= 3; ++seat) Sort(s_, seat);
    s_.Leader = static_cast<std::uint8_t>(d);
  }

  // Plays the eight tricks; returns the first fault found, or "".
  std::string PlayRound() {
    for (int trick = 1; trick <= 8; ++trick) {
      int seat = s_.Leader;
      for (int pos = 1; pos <= 3; ++pos, seat = NextSeat(seat)) {
        s_.TrickPos = static_cast<std::uint8_t>(pos);
        const SeatKnowledge know = seat <= 2 ? know_.Seat(seat) : SeatKnowledge{};
        const int slot = ChooseCard(s_, seat, know);
        if (std::string fault = Fault(s_, seat, slot); !fault.empty())
          return "seat " + std::to_string(seat) + " trick " + std::to_string(trick) + " pos " + std::to_string(pos) +
                 ": " + fault;
        Play(seat, slot, pos);
      }
      know_.TrickDecided(s_);
      Collect();
    }
    return "";
  }

 private:
  int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

  void Play(int seat, int slot, int pos) {
    const auto i = static_cast<std::size_t>(seat);
    const TCard card = s_.Hands[i][slot];
    s_.Stol[pos] = card;
    s_.StolOrder[pos] = s_.HandOrder[i][slot];
    s_.StolPoints[pos] = s_.HandPoints[i][slot];
    if (pos == 1) {
      s_.LedSuit = card.suit;
      const bool announces = (card.rank == kRankK || card.rank == kRankQ) && HasMarriage(s_.Hands[i], card.suit);
      if (announces && seat == s_.Declarer) (card.suit == s_.Trump ? s_.DeclForty : s_.DeclTwenty) = true;
    }
    TakeFromHand(s_, seat, slot);
    Sort(s_, seat);
  }

  void Collect() {
    int best = 0;
    for (std::uint8_t suit : {s_.Trump, s_.LedSuit}) {
      for (int p = 1; p <= 3; ++p)
        if (s_.Stol[p].suit == suit && (best == 0 || s_.StolOrder[p] > s_.StolOrder[best])) best = p;
      if (best) break;
    }
    int winner = s_.Leader;
    for (int p = 1; p < best; ++p) winner = NextSeat(winner);
    s_.CardPoints[static_cast<std::size_t>(winner)] += s_.StolPoints[1] + s_.StolPoints[2] + s_.StolPoints[3];
    for (int p = 1; p <= 3; ++p) {
      s_.PlayedCards[s_.PlayedCount++] = s_.Stol[p];
      s_.Stol[p] = TCard::Empty();
      s_.StolOrder[p] = kEmptyCompanion;
      s_.StolPoints[p] = kEmptyCompanion;
    }
    s_.LedSuit = kNoSuit;
    s_.Leader = static_cast<std::uint8_t>(winner);
  }

  std::mt19937 rng_;
  GameState s_;
  RoundKnowledge know_;
};

TEST(CardPlaySelfPlay, EveryChosenCardIsLegal) {
  SelfPlay play(20240601u);
  for (int round = 0; round < 3000; ++round) {
    play.Deal();
    const std::string fault = play.PlayRound();
    ASSERT_EQ(fault, "") << "round " << round;
  }
}

}  // namespace
}  // namespace varnok::ai
