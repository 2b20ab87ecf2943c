// The bid limit over all 680 widows, checked against a plain evaluation that
// follows the rules card by card: pattern look-ups by set comparison on the
// card list, the trump rows scanned in order, every gift pair tried in order,
// and the widow cards taken from a shuffled deck position by position.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "bid_tables.h"
#include "bidding.h"

namespace varnok::ai {
namespace {

struct PlainEvaluation {
  std::uint8_t trump = kNoSuit;
  int give1 = 0;
  int give2 = 0;
  int value = 0;
};

PlainEvaluation PlainEvaluate(const TCardList& hand, int floor) {
  PlainEvaluation result;
  int trump_value = 0;
  for (int p = 0; p < kTrumpPreferenceRows && result.trump == kNoSuit; ++p) {
    for (std::uint8_t suit : {kHearts, kDiamonds, kClubs, kSpades}) {
      if (HoldingPattern(hand, suit) == TrumpPreference[static_cast<std::size_t>(p)].pattern) {
        result.trump = suit;
        trump_value = TrumpPreference[static_cast<std::size_t>(p)].trump_value;
        break;
      }
    }
  }
  std::vector<int> side;  // slots of c1..cN
  for (int slot = 1; slot <= 10; ++slot)
    if (hand[slot].suit != result.trump) side.push_back(slot);
  int best = -200;
  for (int b = static_cast<int>(side.size()) - 1; b >= 1; --b) {
    for (int a = b - 1; a >= 0; --a) {
      TCardList kept = hand;
      kept[side[static_cast<std::size_t>(a)]] = TCard::Empty();
      kept[side[static_cast<std::size_t>(b)]] = TCard::Empty();
      int sum = 0;
      for (std::uint8_t suit : {kHearts, kDiamonds, kClubs, kSpades})
        if (suit != result.trump) sum += SideValue[static_cast<std::size_t>(HoldingPattern(kept, suit))];
      if (sum > best) {
        best = sum;
        result.give1 = side[static_cast<std::size_t>(a)];
        result.give2 = side[static_cast<std::size_t>(b)];
      }
    }
  }
  result.value = std::max(floor, trump_value + best);
  return result;
}

std::array<TCard, 24> ShuffledDeck(std::mt19937& rng) {
  std::array<TCard, 24> deck;
  for (int i = 0; i < 24; ++i) deck[static_cast<std::size_t>(i)] = CardOfIndex(i + 1);
  std::shuffle(deck.begin(), deck.end(), rng);
  return deck;
}

struct PlainLimit {
  long sum = 0;
  int count = 0;
  int average = 0;
  int max_bid = 0;
};

// Every triple of deck positions i < j < k whose cards the seat does not
// hold goes into hand slots 8..10.
PlainLimit PlainMaxBid(TCardList hand, const std::array<TCard, 24>& deck) {
  PlainLimit limit;
  for (int i = 0; i < 24; ++i)
    for (int j = i + 1; j < 24; ++j)
      for (int k = j + 1; k < 24; ++k) {
        const TCard a = deck[static_cast<std::size_t>(i)];
        const TCard b = deck[static_cast<std::size_t>(j)];
        const TCard c = deck[static_cast<std::size_t>(k)];
        if (HasCard(a, hand) || HasCard(b, hand) || HasCard(c, hand)) continue;
        hand[8] = a;
        hand[9] = b;
        hand[10] = c;
        limit.sum += PlainEvaluate(hand, 60).value;
        ++limit.count;
        hand[8] = hand[9] = hand[10] = TCard::Empty();
      }
  // The default floating-point rounding mode takes halves to the even neighbour.
  limit.average = static_cast<int>(std::nearbyint(static_cast<double>(limit.sum) / limit.count));
  limit.max_bid = 5 * static_cast<int>(std::floor(limit.average / 5.0)) + 5;
  return limit;
}

TCardList SevenOf(const std::vector<std::string>& names) {
  TCardList hand = EmptyCardList();
  for (std::size_t i = 0; i < names.size(); ++i) hand[static_cast<int>(i) + 1] = CardFromName(names[i]);
  return hand;
}

TCardList RandomSeven(std::mt19937& rng) {
  std::array<TCard, 24> deck = ShuffledDeck(rng);
  TCardList hand = EmptyCardList();
  for (int i = 0; i < 7; ++i) hand[i + 1] = deck[static_cast<std::size_t>(i)];
  return hand;
}

struct KnownHand {
  const char* what;
  std::vector<std::string> cards;
  long sum;
  int average;
  int max_bid;
};

class MaxBidKnownHands : public ::testing::TestWithParam<KnownHand> {};

TEST_P(MaxBidKnownHands, MatchesThePlainCountOverEveryWidow) {
  const KnownHand& h = GetParam();
  const TCardList hand = SevenOf(h.cards);
  std::mt19937 rng(7);
  const PlainLimit plain = PlainMaxBid(hand, ShuffledDeck(rng));
  const MaxBidEstimate fast = ComputeMaxBid(hand);
  EXPECT_EQ(plain.count, 680);
  EXPECT_EQ(fast.count, 680);
  EXPECT_EQ(fast.sum, plain.sum);
  EXPECT_EQ(fast.average, plain.average);
  EXPECT_EQ(fast.max_bid, plain.max_bid);
  EXPECT_EQ(plain.sum, h.sum);
  EXPECT_EQ(plain.average, h.average);
  EXPECT_EQ(plain.max_bid, h.max_bid);
}

INSTANTIATE_TEST_SUITE_P(
    Hands, MaxBidKnownHands,
    ::testing::Values(
        // The sum is 84.5 widows' worth: the even 84 gives 85, not 90.
        KnownHand{"half_rounds_down_to_even", {"9h", "Jh", "Qh", "Ah", "Qd", "Jc", "Ac"}, 57460, 84, 85},
        // 69.5 rounds up to the even 70, which gives 75, not 70.
        KnownHand{"half_rounds_up_to_even", {"9h", "Jd", "Qd", "Kc", "Ac", "Js", "As"}, 47260, 70, 75},
        // A 10 K Q J of hearts is worth 160 as trump with every widow; only
        // the side cards move the average.
        KnownHand{"five_top_hearts", {"Jh", "Qh", "Kh", "10h", "Ah", "9c", "9s"}, 79421, 117, 120},
        KnownHand{"weak_hand", {"9h", "Jh", "9d", "Jd", "9c", "Qc", "9s"}, 41102, 60, 65}),
    [](const ::testing::TestParamInfo<KnownHand>& info) { return std::string(info.param.what); });

TEST(MaxBid, TenCardEvaluationMatchesThePlainOneOnRandomHands) {
  std::mt19937 rng(2024);
  for (int round = 0; round < 3000; ++round) {
    const std::array<TCard, 24> deck = ShuffledDeck(rng);
    TCardList hand = EmptyCardList();
    for (int i = 0; i < 10; ++i) hand[i + 1] = deck[static_cast<std::size_t>(i)];
    const int floor = round % 2 == 0 ? 60 : 100;
    const PlainEvaluation plain = PlainEvaluate(hand, floor);
    const HandEvaluation e = EvaluateHand(hand, floor);
    ASSERT_EQ(e.trump, plain.trump) << round;
    ASSERT_EQ(e.give1, plain.give1) << round;
    ASSERT_EQ(e.give2, plain.give2) << round;
    ASSERT_EQ(e.value, plain.value) << round;
  }
}

TEST(MaxBid, MatchesThePlainCountOnRandomHands) {
  std::mt19937 rng(99);
  for (int round = 0; round < 25; ++round) {
    const TCardList hand = RandomSeven(rng);
    const PlainLimit plain = PlainMaxBid(hand, ShuffledDeck(rng));
    const MaxBidEstimate fast = ComputeMaxBid(hand);
    ASSERT_EQ(fast.sum, plain.sum) << round;
    ASSERT_EQ(fast.max_bid, plain.max_bid) << round;
  }
}

TEST(MaxBid, IsAMultipleOfFiveFromSixtyFiveUp) {
  std::mt19937 rng(5);
  for (int round = 0; round < 2000; ++round) {
    const MaxBidEstimate e = ComputeMaxBid(RandomSeven(rng));
    ASSERT_EQ(e.count, 680);
    ASSERT_GE(e.average, 60);
    ASSERT_GE(e.max_bid, 65);
    ASSERT_EQ(e.max_bid % 5, 0);
    ASSERT_GT(e.max_bid, e.average);
    ASSERT_LE(e.max_bid, e.average + 5);
  }
}

TEST(MaxBid, DependsOnlyOnTheSevenCardsNotOnTheirSlots) {
  const TCardList sorted = SevenOf({"9h", "Jd", "Qd", "Kc", "Ac", "Js", "As"});
  const TCardList mixed = SevenOf({"As", "Kc", "9h", "Js", "Qd", "Ac", "Jd"});
  const MaxBidEstimate a = ComputeMaxBid(sorted);
  const MaxBidEstimate b = ComputeMaxBid(mixed);
  EXPECT_EQ(a.sum, b.sum);
  EXPECT_EQ(a.max_bid, b.max_bid);
}

TEST(MaxBid, AdvancesTheProgressFortyStepsInOrder) {
  std::vector<int> steps;
  ComputeMaxBid(SevenOf({"9h", "Jh", "Qh", "Ah", "Qd", "Jc", "Ac"}), [&](int step) { steps.push_back(step); });
  std::vector<int> expected(kProgressStepsPerSeat);
  for (int i = 0; i < kProgressStepsPerSeat; ++i) expected[static_cast<std::size_t>(i)] = i + 1;
  EXPECT_EQ(steps, expected);
}

}  // namespace
}  // namespace varnok::ai
