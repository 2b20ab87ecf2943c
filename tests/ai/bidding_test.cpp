// The evaluation of a ten-card hand, the bid limit's arithmetic and the
// declarer's plan, on hands worked out by hand.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <string>

#include "bidding.h"

namespace varnok::ai {
namespace {

// A hand with the named cards in slots 1.., the rest "##".
template <typename Names>
TCardList HandOf(const Names& names) {
  TCardList hand = EmptyCardList();
  int slot = 1;
  for (const char* name : names) hand[slot++] = CardFromName(name);
  return hand;
}

struct EvaluateCase {
  const char* what;
  std::array<const char*, 10> hand;  // in slot order
  int floor;
  const char* trump;
  int give1, give2;
  int trump_value, side_sum, value;
};

class EvaluateHandTest : public ::testing::TestWithParam<EvaluateCase> {};

TEST_P(EvaluateHandTest, ChoosesTrumpGiftAndValue) {
  const EvaluateCase& c = GetParam();
  const HandEvaluation e = EvaluateHand(HandOf(c.hand), c.floor);
  EXPECT_EQ(SuitName(e.trump), c.trump);
  EXPECT_EQ(e.give1, c.give1);
  EXPECT_EQ(e.give2, c.give2);
  EXPECT_EQ(e.trump_value, c.trump_value);
  EXPECT_EQ(e.side_sum, c.side_sum);
  EXPECT_EQ(e.value, c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Hands, EvaluateHandTest,
    ::testing::Values(
        // A 10 K Q J of hearts: 160. Side 9J / 9J / 9 of clubs, diamonds,
        // spades. Four gifts keep -65; the first tried is (Jd, 9s).
        EvaluateCase{"five hearts, four equal gifts",
                     {{"Jh", "Qh", "Kh", "10h", "Ah", "9c", "Jc", "9d", "Jd", "9s"}}, 60, "h", 9, 10, 160, -65, 95},
        // A K Q in hearts and in diamonds: hearts is trump. Giving both
        // spades or both clubs keeps -47; the spades come first.
        EvaluateCase{"equal holdings, hearts first",
                     {{"Qh", "Kh", "Ah", "9c", "Jc", "Qd", "Kd", "Ad", "9s", "Js"}}, 60, "h", 9, 10, 136, -47, 89},
        // The same with diamonds and clubs: diamonds comes first in the
        // suit order although the clubs lie further left in the hand.
        EvaluateCase{"equal holdings, diamonds before clubs",
                     {{"9h", "Jh", "Qc", "Kc", "Ac", "Qd", "Kd", "Ad", "9s", "Js"}}, 60, "d", 9, 10, 136, -47, 89},
        // K Q J 9 (row 11, 114) is preferred to A 10 K J 9 (row 12, 120).
        // Keeping A 10 K J, A 10 K 9 or A 10 J 9 of diamonds is worth 0;
        // the first of those gifts tried is (9c, Kd).
        EvaluateCase{"four cards preferred to five, gift order",
                     {{"9h", "Jh", "Qh", "Kh", "9c", "9d", "Jd", "Kd", "10d", "Ad"}}, 60, "h", 5, 8, 114, 0, 114},
        // 10 Q J 9 (row 22, 81) is trump before A K Q (row 23, 136). Giving
        // (Jc, 9d) or (9c, Jc) keeps -26; (Jc, 9d) is tried first.
        EvaluateCase{"four small cards preferred to three high",
                     {{"9h", "Jh", "Qh", "10h", "9c", "Jc", "9d", "Qs", "Ks", "As"}}, 60, "h", 6, 7, 81, -26, 60},
        // Six hearts; side Ac Ad 9s As. (9s, As) keeps 0 and comes first;
        // (Ad, 9s) and (Ac, 9s) tie with it later.
        EvaluateCase{"six trumps, first of three equal gifts",
                     {{"9h", "Jh", "Qh", "Kh", "10h", "Ah", "Ac", "Ad", "9s", "As"}}, 60, "h", 9, 10, 160, 0, 160},
        // A 10 K Q in hearts and spades: hearts trump, 160, and the kept
        // A 10 K Q of spades adds 20: the highest value there is.
        EvaluateCase{"highest value", {{"Qh", "Kh", "10h", "Ah", "9c", "9d", "Qs", "Ks", "10s", "As"}}, 60, "h", 5, 6,
                     160, 20, 180},
        // K J 9 of hearts has trump value 0 (diamonds K J 9 is the same row,
        // hearts wins); the best gift keeps -95 and the floor decides.
        EvaluateCase{"floor of a widow", {{"9h", "Jh", "Kh", "9c", "Jc", "Qc", "9d", "Jd", "Kd", "9s"}}, 60, "h", 9, 10, 0,
                     -95, 60},
        EvaluateCase{"floor of a bid", {{"9h", "Jh", "Kh", "9c", "Jc", "Qc", "9d", "Jd", "Kd", "9s"}}, 120, "h", 9, 10,
                     0, -95, 120},
        // Value below the floor only by a little: 95 against a bid of 100.
        EvaluateCase{"winning bid above the value",
                     {{"Jh", "Qh", "Kh", "10h", "Ah", "9c", "Jc", "9d", "Jd", "9s"}}, 100, "h", 9, 10, 160, -65, 100},
        // The first hand in another slot order: side cards 9s Jd 9d Jc 9c.
        // Now (Jc, 9c) is the first of the four gifts that keep -65.
        EvaluateCase{"unsorted hand", {{"9s", "Jd", "Ah", "9d", "Jc", "10h", "Kh", "9c", "Qh", "Jh"}}, 60, "h", 5, 8, 160,
                     -65, 95},
        // Six spades among the side cards Jh Qd Kc 9h: giving Qd and Kc
        // keeps J 9 of hearts, -43.
        EvaluateCase{"trumps between side cards", {{"9s", "Jh", "Js", "Qs", "Qd", "Ks", "10s", "Kc", "As", "9h"}}, 60,
                     "s", 5, 8, 160, -43, 117}),
    [](const ::testing::TestParamInfo<EvaluateCase>& info) {
      std::string name = info.param.what;
      for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

struct RoundCase {
  long sum;
  long count;
  int rounded;
};

class BidAverageRounding : public ::testing::TestWithParam<RoundCase> {};

TEST_P(BidAverageRounding, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfToEven(GetParam().sum, GetParam().count), GetParam().rounded);
}

INSTANTIATE_TEST_SUITE_P(Averages, BidAverageRounding,
                         ::testing::Values(RoundCase{68000, 680, 100}, RoundCase{68339, 680, 100},
                                           RoundCase{68340, 680, 100},   // 100.5
                                           RoundCase{68341, 680, 101}, RoundCase{69020, 680, 102},  // 101.5
                                           RoundCase{67660, 680, 100},  // 99.5
                                           RoundCase{40800, 680, 60}, RoundCase{5, 2, 2}, RoundCase{7, 2, 4},
                                           RoundCase{1, 3, 0}, RoundCase{2, 3, 1}));

struct LimitCase {
  int average;
  int max_bid;
};

class BidLimitOfAverage : public ::testing::TestWithParam<LimitCase> {};

TEST_P(BidLimitOfAverage, IsTheNextMultipleOfFiveAboveTheRoundedDownAverage) {
  EXPECT_EQ(MaxBidOfAverage(GetParam().average), GetParam().max_bid);
}

INSTANTIATE_TEST_SUITE_P(Averages, BidLimitOfAverage,
                         ::testing::Values(LimitCase{60, 65}, LimitCase{64, 65}, LimitCase{65, 70},
                                           LimitCase{99, 100}, LimitCase{100, 105}, LimitCase{102, 105},
                                           LimitCase{104, 105}, LimitCase{105, 110}, LimitCase{180, 185}));

TEST(BidCaption, ShowsSeatPlusFiveCountAverageAndLimit) {
  const MaxBidEstimate e{105, 680, 68340, 100};
  EXPECT_EQ(MaxBidCaption(1, e), "  Say1+5=6; l=680; Zay=100; ZayNew=105");
  EXPECT_EQ(MaxBidCaption(2, e), "  Say1+5=7; l=680; Zay=100; ZayNew=105");
}

// A declarer's hand as the engine holds it after taking the widow: sorted
// while no trump is chosen.
GameState DeclarerState(int seat, const std::array<const char*, 10>& cards, int current_bid) {
  GameState s;
  s.Hands[static_cast<std::size_t>(seat)] = HandOf(cards);
  TByteList order = EmptyCompanions();
  TByteList points = EmptyCompanions();
  for (int slot = 1; slot <= 10; ++slot) {
    const TCard card = s.Hands[static_cast<std::size_t>(seat)][slot];
    order[slot] = static_cast<std::uint8_t>(RankOrder(card.rank));
    points[slot] = static_cast<std::uint8_t>(RankPoints(card.rank));
  }
  s.HandCount[static_cast<std::size_t>(seat)] =
      static_cast<std::uint8_t>(SortHand(s.Hands[static_cast<std::size_t>(seat)], order, points, kNoSuit));
  s.HandOrder[static_cast<std::size_t>(seat)] = order;
  s.HandPoints[static_cast<std::size_t>(seat)] = points;
  s.CurrentBid = current_bid;
  return s;
}

TEST(BidDeclarerPlan, OrdersTheWinningBidWhenTheHandIsWorthLess) {
  // Sorted: Jh Qh Kh 10h Ah 9c Jc 9d Jd 9s; worth 95.
  const GameState s = DeclarerState(2, {{"9s", "Jd", "Ah", "9d", "Jc", "10h", "Kh", "9c", "Qh", "Jh"}}, 100);
  const DeclarerPlan plan = PlanDeclarer(s, 2);
  EXPECT_EQ(plan.trump, kHearts);
  EXPECT_EQ(plan.give1, 9);
  EXPECT_EQ(plan.give2, 10);
  EXPECT_EQ(CardName(s.Hands[2][plan.give1]), "Jd");
  EXPECT_EQ(CardName(s.Hands[2][plan.give2]), "9s");
  EXPECT_EQ(plan.estimate, 100);
}

TEST(BidDeclarerPlan, OrdersItsValueUnroundedWhenAboveTheBid) {
  // K Q J 9 of hearts trump, 114, and A 10 K J of diamonds kept, 0.
  const GameState s = DeclarerState(1, {{"Ad", "9h", "Kd", "Jh", "9c", "Qh", "10d", "Kh", "Jd", "9d"}}, 100);
  const DeclarerPlan plan = PlanDeclarer(s, 1);
  EXPECT_EQ(plan.trump, kHearts);
  EXPECT_EQ(CardName(s.Hands[1][plan.give1]), "9c");
  EXPECT_EQ(CardName(s.Hands[1][plan.give2]), "Kd");
  EXPECT_EQ(plan.estimate, 114);
}

}  // namespace
}  // namespace varnok::ai
