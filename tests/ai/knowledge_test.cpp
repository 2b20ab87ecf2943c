// The computer seats' memory of the declarer's hand.
#include "knowledge.h"

#include <string>

#include <gtest/gtest.h>

#include "card_play_fixture.h"

namespace varnok::ai {
namespace {

using testing::Cards;
using testing::SetOf;
using testing::Suit;

std::string Letters(const SeatKnowledge& k) {
  std::string out;
  for (std::uint8_t s : k.RuffedSuits) out += s == kNoSuit ? "#" : SuitName(s);
  return out;
}

GameState WithWidow(int declarer, std::string_view widow) {
  GameState s;
  s.Declarer = static_cast<std::uint8_t>(declarer);
  const auto cards = Cards(widow);
  for (std::size_t i = 0; i < 3; ++i) s.Widow[i + 1] = cards[i];
  return s;
}

void SetHand(GameState& s, int seat, std::string_view names) {
  s.Hands[static_cast<std::size_t>(seat)] = EmptyCardList();
  int i = 0;
  for (TCard c : Cards(names)) s.Hands[static_cast<std::size_t>(seat)][++i] = c;
}

TEST(KnowledgeWidow, EveryComputerSeatButTheDeclarerLearnsTheWidow) {
  struct Case {
    int declarer;
    CardSet seat1, seat2;
  };
  const CardSet widow = SetOf("Ah 9c Qs");
  for (const Case& c : {Case{3, widow, widow}, Case{1, 0, widow}, Case{2, widow, 0}}) {
    RoundKnowledge k;
    k.WidowTaken(WithWidow(c.declarer, "Ah 9c Qs"));
    EXPECT_EQ(k.Seat(1).KnownDeclCards, c.seat1) << "declarer " << c.declarer;
    EXPECT_EQ(k.Seat(2).KnownDeclCards, c.seat2) << "declarer " << c.declarer;
    EXPECT_EQ(Letters(k.Seat(1)), "###");
    EXPECT_EQ(Letters(k.Seat(2)), "###");
  }
}

TEST(KnowledgeGift, GivenCardsLeaveTheInsideSetAndJoinTheOutsideSet) {
  GameState s = WithWidow(3, "Ah 9c Qs");
  RoundKnowledge k;
  k.WidowTaken(s);
  // The declarer gives the 9c (a widow card) to seat 1 and the Kd to seat 2;
  // each lies in slot 8 of its receiver.
  s.GivenCards[1] = CardFromName("9c");
  s.GivenCards[2] = CardFromName("Kd");
  SetHand(s, 1, "9h Jh 10d Jc Qc 10s As 9c");
  SetHand(s, 2, "Kh 9d Jd Ad Kc 9s Js Kd");
  k.CardsGiven(s);

  EXPECT_EQ(k.Seat(1).KnownDeclCards, SetOf("Ah Qs"));
  EXPECT_EQ(k.Seat(2).KnownDeclCards, SetOf("Ah Qs"));
  EXPECT_EQ(k.Seat(1).KnownNotDeclCards, SetOf("9h Jh 10d Jc Qc 10s As 9c Kd"));
  EXPECT_EQ(k.Seat(2).KnownNotDeclCards, SetOf("Kh 9d Jd Ad Kc 9s Js Kd 9c"));
}

TEST(KnowledgeGift, TheDeclaringComputerSeatLearnsNothing) {
  GameState s = WithWidow(1, "Ah 9c Qs");
  RoundKnowledge k;
  k.WidowTaken(s);
  s.GivenCards[1] = CardFromName("Ah");
  s.GivenCards[2] = CardFromName("Kd");
  SetHand(s, 1, "9h Jh 10d Jc Qc 10s As 9c");
  SetHand(s, 2, "Kh 9d Jd Ad Kc 9s Js Ah");
  k.CardsGiven(s);
  EXPECT_EQ(k.Seat(1), SeatKnowledge{});
  EXPECT_EQ(k.Seat(2).KnownDeclCards, SetOf("9c Qs"));
  EXPECT_EQ(k.Seat(2).KnownNotDeclCards, SetOf("Kh 9d Jd Ad Kc 9s Js Ah Kd"));
}

TEST(KnowledgeSeats, EveryNonDeclarerSeatLearnsTheWidowAndNoOtherNumber) {
  RoundKnowledge k;
  k.WidowTaken(WithWidow(2, "Ah 9c Qs"));
  EXPECT_EQ(k.Seat(1).KnownDeclCards, SetOf("Ah 9c Qs"));
  EXPECT_EQ(k.Seat(3).KnownDeclCards, SetOf("Ah 9c Qs"));  // seat 3 when the computer plays it
  EXPECT_EQ(k.Seat(2).KnownDeclCards, CardSet{0});
  EXPECT_EQ(k.Seat(0), SeatKnowledge{});
  EXPECT_EQ(k.Seat(4), SeatKnowledge{});
}

TEST(KnowledgeReset, ANewDealForgetsEverything) {
  GameState s = WithWidow(3, "Ah 9c Qs");
  RoundKnowledge k;
  k.WidowTaken(s);
  k.Reset();
  EXPECT_EQ(k.Seat(1), SeatKnowledge{});
  EXPECT_EQ(k.Seat(2), SeatKnowledge{});
}

struct RuffCase {
  const char* name;
  int declarer;
  int leader;
  const char* trick;   // the three table cards in play order
  const char* before;  // both seats' strings before the trick
  const char* after;
};

void PrintTo(const RuffCase& c, std::ostream* os) { *os << c.name; }

class KnowledgeRuff : public ::testing::TestWithParam<RuffCase> {};

TEST_P(KnowledgeRuff, NotesSuitsTheDeclarerTrumped) {
  const RuffCase& c = GetParam();
  RoundKnowledge k;
  GameState s = WithWidow(c.declarer, "Ah 9c Qs");
  k.WidowTaken(s);
  s.Trump = kSpades;
  s.Leader = static_cast<std::uint8_t>(c.leader);
  const auto cards = Cards(c.trick);
  for (int i = 1; i <= 3; ++i) s.Stol[i] = cards[static_cast<std::size_t>(i - 1)];
  s.LedSuit = s.Stol[1].suit;
  // Earlier tricks: put the "before" suits in by tricks of the same shape.
  for (char letter : std::string(c.before)) {
    if (letter == '#') continue;
    GameState earlier = s;
    earlier.Leader = static_cast<std::uint8_t>(c.declarer % 3 + 1);  // a defender leads
    const std::uint8_t suit = Suit(letter);
    for (int i = 1; i <= 3; ++i) earlier.Stol[i] = TCard::Make(kRankByOrder[static_cast<std::size_t>(i)], suit);
    const int decl_slot = (c.declarer - earlier.Leader + 3) % 3 + 1;
    earlier.Stol[decl_slot] = CardFromName("Ks");
    earlier.LedSuit = earlier.Stol[1].suit;
    k.TrickDecided(earlier);
  }
  ASSERT_EQ(Letters(k.Seat(1)), c.before);
  k.TrickDecided(s);
  EXPECT_EQ(Letters(k.Seat(1)), c.after);
  EXPECT_EQ(Letters(k.Seat(2)), c.after);
}

// Trump is spades throughout.
INSTANTIATE_TEST_SUITE_P(
    Tricks, KnowledgeRuff,
    ::testing::Values(
        RuffCase{"declarer_second_trumps", 3, 2, "Ah 9s Kh", "###", "h##"},
        RuffCase{"declarer_third_trumps", 3, 1, "Kd Qd Js", "###", "d##"},
        RuffCase{"declarer_led_and_trumped_nothing", 3, 3, "Ah 9h Kh", "###", "###"},
        RuffCase{"declarer_led_a_trump", 3, 3, "9s Ah Ks", "###", "###"},
        RuffCase{"trumps_led_by_a_defender", 3, 1, "9s Ks As", "###", "###"},
        RuffCase{"declarer_discards_a_side_card", 3, 1, "Ah Kh 9c", "###", "###"},
        RuffCase{"declarer_follows_suit", 2, 1, "Ah Kh 9s", "###", "###"},
        RuffCase{"partner_trumps_not_the_declarer", 2, 3, "Ac 9s Kc", "###", "###"},
        RuffCase{"second_suit_goes_to_next_place", 1, 2, "Qc 9c As", "h##", "hc#"},
        RuffCase{"known_suit_is_not_written_twice", 1, 3, "Jh Qs 10h", "dh#", "dh#"},
        RuffCase{"third_place", 3, 1, "Jd Qd As", "hc#", "hcd"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace varnok::ai
