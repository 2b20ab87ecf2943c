#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "cards.h"
#include "recorder.h"

namespace varnok {
namespace {

using testing::Names;

// A list filled from card names at slots 1..n; the rest "##" with 99 companions.
struct Listed {
  TCardList cards = EmptyCardList();
  TByteList order = EmptyCompanions();
  TByteList points = EmptyCompanions();
  explicit Listed(const std::string& names) {
    std::istringstream in(names);
    std::string name;
    for (int n = 1; in >> name; ++n) {
      cards[n] = CardFromName(name);
      order[n] = cards[n].IsReal() ? static_cast<std::uint8_t>(RankOrder(cards[n].rank)) : kEmptyCompanion;
      points[n] = cards[n].IsReal() ? static_cast<std::uint8_t>(RankPoints(cards[n].rank)) : kEmptyCompanion;
    }
  }
};

TEST(CardCodes, LettersAreTheCodePage1251Bytes) {
  struct Row {
    const char* name;
    std::uint8_t rank, suit;
    int order, points, index;
  };
  const Row rows[] = {
      {"9h", 0x39, 0xF7, 1, 0, 1},   {"Jh", 0xC2, 0xF7, 2, 2, 2},   {"Qd", 0xC4, 0xE1, 3, 3, 9},
      {"Kc", 0xCA, 0xEA, 4, 4, 16},  {"10c", 0x31, 0xEA, 5, 10, 17}, {"As", 0xD2, 0xEF, 6, 11, 24},
  };
  for (const Row& r : rows) {
    const TCard c = CardFromName(r.name);
    EXPECT_EQ(c.len, 2) << r.name;
    EXPECT_EQ(c.rank, r.rank) << r.name;
    EXPECT_EQ(c.suit, r.suit) << r.name;
    EXPECT_EQ(RankOrder(c.rank), r.order) << r.name;
    EXPECT_EQ(RankPoints(c.rank), r.points) << r.name;
    EXPECT_EQ(CardIndex(c), r.index) << r.name;
    EXPECT_EQ(c.Bytes(), std::string({static_cast<char>(r.rank), static_cast<char>(r.suit)})) << r.name;
  }
  const TCard empty = TCard::Empty();
  EXPECT_EQ(empty.Bytes(), "##");
  EXPECT_EQ(CardIndex(empty), 0);
  EXPECT_EQ(CardIndex(TCard{0, kNoSuit, kNoSuit}), 0);
  EXPECT_EQ(CardIndex(TCard::Make('X', kHearts)), 0);
}

TEST(CardCodes, OrdinalsCoverTheDeckOnceAndPointsSumTo120) {
  std::set<std::string> seen;
  int points = 0;
  for (int i = 1; i <= 24; ++i) {
    const TCard c = CardOfIndex(i);
    ASSERT_TRUE(c.IsReal());
    EXPECT_EQ(CardIndex(c), i);
    seen.insert(c.Bytes());
    points += RankPoints(c.rank);
  }
  EXPECT_EQ(seen.size(), 24u);
  EXPECT_EQ(points, 120);
  EXPECT_TRUE(CardOfIndex(0).IsEmpty());
  EXPECT_TRUE(CardOfIndex(25).IsEmpty());
}

TEST(CardHelpers, EachHelperScansItsOwnRange) {
  // Slot 5 and slot 11 and slot 24 and slot 25 hold cards at the edges of the ranges.
  TCardList list = EmptyCardList();
  list[1] = CardFromName("9h");
  list[5] = CardFromName("As");
  list[10] = CardFromName("Kd");
  list[11] = CardFromName("Qc");
  list[24] = CardFromName("Jc");
  list[25] = CardFromName("10c");

  EXPECT_TRUE(HasCard(CardFromName("Kd"), list));
  EXPECT_FALSE(HasCard(CardFromName("Qc"), list));  // slot 11 is outside a hand
  EXPECT_TRUE(HasCard24(CardFromName("Jc"), list));
  EXPECT_FALSE(HasCard24(CardFromName("10c"), list));
  EXPECT_TRUE(HasCard4(CardFromName("9h"), list));
  EXPECT_FALSE(HasCard4(CardFromName("As"), list));

  EXPECT_EQ(CountSuit(list, kClubs), 0);
  EXPECT_EQ(CountSuit24(list, kClubs), 2);
  EXPECT_FALSE(HasSuit(list, kClubs));
  EXPECT_EQ(MaxOrderOf(list, kClubs), 0);
  EXPECT_EQ(HoldingPattern(list, kClubs), HoldingPatternOfMask(0b110));  // J and Q, not the ten at slot 25
}

TEST(CardHelpers, CardPos24ReturnsTheLastOfTwoEqualSlots) {
  TCardList list = EmptyCardList();
  list[3] = CardFromName("Qh");
  list[17] = CardFromName("Qh");
  EXPECT_EQ(CardPos24(CardFromName("Qh"), list), 17);
  EXPECT_EQ(CardPos24(CardFromName("Kh"), list), 0);
}

TEST(CardHelpers, LowestAndHighestFollowRankThenSlot) {
  const Listed hand("Ks 9s 10h Ad 9h As Qc");
  EXPECT_EQ(LowestCard(hand.cards), 2);   // first nine, whatever its suit
  EXPECT_EQ(HighestCard(hand.cards), 4);  // first ace
  EXPECT_EQ(LowestOf(hand.cards, kSpades), 2);
  EXPECT_EQ(HighestOf(hand.cards, kSpades), 6);
  EXPECT_EQ(HighestOf(hand.cards, kHearts), 3);  // the ten outranks the nine
  EXPECT_EQ(LowestOf(hand.cards, kHearts), 5);
  EXPECT_EQ(LowestOf(hand.cards, kDiamonds), 4);
  EXPECT_EQ(LowestOf(Listed("Ks 10s").cards, kSpades), 1);  // the king is below the ten
  EXPECT_EQ(HighestOf(Listed("Ks 10s").cards, kSpades), 2);
  EXPECT_EQ(LowestOf(hand.cards, kNoSuit), 0);  // "##" slots have no rank, so they never count
  EXPECT_EQ(HighestOf(Listed("Jh").cards, kClubs), 0);
  EXPECT_EQ(MaxOrderOf(hand.cards, kSpades), 6);
  EXPECT_EQ(MaxOrderOf(hand.cards, kClubs), 3);
  EXPECT_EQ(LowestCard(EmptyCardList()), 0);
}

TEST(CardHelpers, TopPointsAndMarriage) {
  struct Row {
    const char* hand;
    int top;
  };
  for (const Row& r : {Row{"9h Ad", 11}, Row{"Kc 10h", 10}, Row{"Kc Qc", 4}, Row{"Qs 9h", 3}, Row{"Jd", 2},
                       Row{"9d 9s", 0}, Row{"", 0}}) {
    EXPECT_EQ(TopPoints(Listed(r.hand).cards), r.top) << r.hand;
  }
  const Listed hand("Kh 9c Qh Kd Qc");
  EXPECT_TRUE(HasMarriage(hand.cards, kHearts));
  EXPECT_FALSE(HasMarriage(hand.cards, kDiamonds));
  EXPECT_FALSE(HasMarriage(hand.cards, kClubs));
  // An empty slot counts as suit '#', which is why callers never ask for it.
  EXPECT_TRUE(HasSuit(hand.cards, kNoSuit));
}

TEST(CardHelpers, MaxOrderOf4ReadsFourTableSlots) {
  TCardList table = EmptyCardList();
  table[1] = CardFromName("Kh");
  table[4] = CardFromName("10h");
  table[5] = CardFromName("Ah");
  EXPECT_EQ(MaxOrderOf4(table, kHearts), 5);
  EXPECT_EQ(MaxOrderOf4(table, kSpades), 0);
}

TEST(HoldingPatterns, NumbersFollowTheFixedTable) {
  struct Row {
    const char* hearts;
    int pattern;
  };
  const Row rows[] = {
      {"9h Jh Qh Kh 10h Ah", 1}, {"9h Jh Qh Kh 10h", 2}, {"9h Jh Qh Kh Ah", 3}, {"10h Jh Qh Kh Ah", 7},
      {"9h Jh Qh Kh", 8},        {"10h Kh Ah", 23},       {"Qh Kh Ah", 27},       {"10h Qh Kh", 33},
      {"Jh Qh Kh", 39},          {"9h Ah", 43},           {"10h Ah", 47},         {"10h 9h", 51},
      {"Qh Kh", 52},             {"9h Jh", 57},           {"Ah", 58},             {"10h", 59},
      {"9h", 63},                {"Ks", 64},
  };
  for (const Row& r : rows) EXPECT_EQ(HoldingPattern(Listed(r.hearts).cards, kHearts), r.pattern) << r.hearts;

  std::set<unsigned> masks;
  for (int p = 1; p <= 64; ++p) {
    masks.insert(RankMaskOfPattern(p));
    EXPECT_EQ(HoldingPatternOfMask(RankMaskOfPattern(p)), p);
  }
  EXPECT_EQ(masks.size(), 64u);
}

TEST(SortHand, SuitOrderDependsOnTrumpAndTrumpIsLast) {
  struct Row {
    const char* trump;
    const char* sorted;
  };
  const Row rows[] = {
      {"#", "Jh Kh Ah 9c Kc 10d Ad 9s Qs 10s"},
      {"h", "9c Kc 10d Ad 9s Qs 10s Jh Kh Ah"},
      {"d", "9c Kc Jh Kh Ah 9s Qs 10s 10d Ad"},
      {"c", "Jh Kh Ah 9s Qs 10s 10d Ad 9c Kc"},
      {"s", "Jh Kh Ah 9c Kc 10d Ad 9s Qs 10s"},
  };
  for (const Row& r : rows) {
    Listed hand("Ah 9s Kc 10d Jh Qs 9c Ad Kh 10s");
    EXPECT_EQ(SortHand(hand.cards, hand.order, hand.points, SuitFromName(r.trump)), 10);
    EXPECT_EQ(Names(hand.cards, 10), r.sorted) << "trump " << r.trump;
    for (int i = 1; i <= 10; ++i) {
      EXPECT_EQ(hand.order[i], RankOrder(hand.cards[i].rank));
      EXPECT_EQ(hand.points[i], RankPoints(hand.cards[i].rank));
    }
  }
}

TEST(SortHand, CompactsEmptySlotsAndClearsTheTail) {
  Listed hand("9h Jh Qd Kc 10s As Ac 9d");
  hand.cards[4] = TCard::Empty();
  hand.order[4] = kEmptyCompanion;
  hand.points[4] = kEmptyCompanion;
  EXPECT_EQ(SortHand(hand.cards, hand.order, hand.points, kNoSuit), 7);
  EXPECT_EQ(Names(hand.cards, 10), "9h Jh Ac 9d Qd 10s As ## ## ##");
  for (int i = 8; i <= 10; ++i) {
    EXPECT_EQ(hand.order[i], kEmptyCompanion);
    EXPECT_EQ(hand.points[i], kEmptyCompanion);
  }
}

TEST(SortHand, UsesTheRankCompanionNotTheLetter) {
  // A card whose companion disagrees with its letter is placed by the companion.
  Listed hand("Ah 9h");
  hand.order[1] = 1;
  hand.order[2] = 6;
  SortHand(hand.cards, hand.order, hand.points, kNoSuit);
  EXPECT_EQ(Names(hand.cards, 2), "Ah 9h");
}

}  // namespace
}  // namespace varnok
