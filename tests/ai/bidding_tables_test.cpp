// The bid tables, checked by the ranks each row stands for: the rows below
// name holdings by their cards, so a row typed under the wrong pattern number
// shows up here.
#include <gtest/gtest.h>

#include <bit>
#include <set>
#include <sstream>
#include <string>

#include "bid_tables.h"
#include "cards.h"

namespace varnok::ai {
namespace {

// Rank mask (bit 0 = nine ... bit 5 = ace) of a text such as "A 10 K".
unsigned MaskOf(const std::string& ranks) {
  std::istringstream in(ranks);
  unsigned mask = 0;
  for (std::string rank; in >> rank;) {
    const TCard card = CardFromName(rank + "h");
    EXPECT_TRUE(card.IsReal()) << rank;
    mask |= 1u << (RankOrder(card.rank) - 1);
  }
  return mask;
}

struct TrumpRow {
  const char* ranks;
  int trump_value;
};

// In order of preference.
constexpr TrumpRow kExpectedTrumpRows[] = {
    {"A 10 K Q J 9", 160}, {"A 10 K Q J", 160}, {"A 10 K Q 9", 160}, {"A K Q J 9", 160}, {"A 10 K Q", 160},
    {"10 K Q J 9", 138},   {"A K Q J", 136},    {"A K Q 9", 136},    {"10 K Q J", 135},  {"10 K Q 9", 135},
    {"K Q J 9", 114},      {"A 10 K J 9", 120}, {"A 10 Q J 9", 120}, {"A 10 K J", 120},  {"A 10 K 9", 120},
    {"A 10 Q J", 120},     {"A 10 Q 9", 120},   {"A 10 J 9", 120},   {"A K J 9", 99},    {"A Q J 9", 99},
    {"10 K J 9", 94},      {"10 Q J 9", 81},    {"A K Q", 136},      {"10 K Q", 135},    {"K Q J", 112},
    {"K Q 9", 110},        {"A 10 K", 120},     {"A 10 Q", 102},     {"A 10 J", 103},    {"A 10 9", 105},
    {"A K J", 79},         {"A K 9", 81},       {"A Q J", 79},       {"A Q 9", 81},      {"A J 9", 82},
    {"10 K J", 78},        {"10 K 9", 78},      {"10 Q J", 70},      {"10 Q 9", 69},     {"10 J 9", 68},
    {"K J 9", 0},          {"Q J 9", 0},
};

TEST(BidTables, TrumpPreferenceRowsNameTheirHoldings) {
  static_assert(std::size(kExpectedTrumpRows) == kTrumpPreferenceRows);
  for (int p = 0; p < kTrumpPreferenceRows; ++p) {
    const TrumpRow& expected = kExpectedTrumpRows[p];
    const TrumpPreferenceRow& row = TrumpPreference[static_cast<std::size_t>(p)];
    EXPECT_EQ(row.pattern, HoldingPatternOfMask(MaskOf(expected.ranks))) << "priority " << p + 1;
    EXPECT_EQ(row.trump_value, expected.trump_value) << "priority " << p + 1;
  }
}

TEST(BidTables, TrumpPreferenceHoldsEveryLongHoldingOnceLongestFirst) {
  std::set<unsigned> seen;
  bool three_seen = false;
  for (const TrumpPreferenceRow& row : TrumpPreference) {
    const unsigned mask = RankMaskOfPattern(row.pattern);
    const int length = std::popcount(mask);
    EXPECT_GE(length, 3) << "pattern " << row.pattern;
    EXPECT_TRUE(seen.insert(mask).second) << "pattern " << row.pattern << " twice";
    // Every four-card or longer holding comes before every three-card one.
    if (length == 3) three_seen = true;
    EXPECT_FALSE(three_seen && length > 3) << "pattern " << row.pattern;
  }
  int long_holdings = 0;
  for (unsigned mask = 0; mask < 64; ++mask)
    if (std::popcount(mask) >= 3) ++long_holdings;
  EXPECT_EQ(static_cast<int>(seen.size()), long_holdings);
}

struct SideRow {
  const char* ranks;
  int value;
};

constexpr SideRow kExpectedSideValues[] = {
    {"A 10 K Q J 9", 160}, {"10 K Q J 9", 138}, {"A K Q J 9", 160}, {"A 10 Q J 9", 120}, {"A 10 K J 9", 120},
    {"A 10 K Q 9", 160},   {"A 10 K Q J", 168}, {"K Q J 9", -26},   {"A Q J 9", -21},    {"A 10 J 9", 0},
    {"A 10 K 9", 0},       {"A 10 K Q", 20},    {"10 Q J 9", -39},  {"10 K J 9", -26},   {"10 K Q 9", -5},
    {"10 K Q J", -5},      {"A K J 9", -21},    {"A K Q 9", -4},    {"A K Q J", -4},     {"A 10 Q 9", 0},
    {"A 10 Q J", 0},       {"A 10 K J", 0},     {"A 10 K", 0},      {"A 10 Q", -18},     {"A 10 J", -17},
    {"A 10 9", -15},       {"A K Q", -4},       {"A K J", -41},     {"A K 9", -39},      {"A Q J", -41},
    {"A Q 9", -39},        {"A J 9", -38},      {"10 K Q", -5},     {"10 K J", -42},     {"10 K 9", -42},
    {"10 Q J", -50},       {"10 Q 9", -51},     {"10 J 9", -52},    {"K Q J", -28},      {"K Q 9", -30},
    {"K J 9", -52},        {"Q J 9", -52},      {"A 9", -21},       {"A J", -23},        {"A Q", -24},
    {"A K", -25},          {"A 10", 0},         {"10 K", -32},      {"10 Q", -44},       {"10 J", -44},
    {"10 9", -44},         {"K Q", -30},        {"K J", -49},       {"K 9", -47},        {"Q J", -48},
    {"Q 9", -46},          {"J 9", -43},        {"A", 0},           {"10", -32},         {"K", -26},
    {"Q", -25},            {"J", -24},          {"9", -22},         {"", 0},
};

TEST(BidTables, SideValuesBelongToTheirHoldings) {
  static_assert(std::size(kExpectedSideValues) == 64);
  std::set<int> patterns;
  for (const SideRow& expected : kExpectedSideValues) {
    const int pattern = HoldingPatternOfMask(MaskOf(expected.ranks));
    patterns.insert(pattern);
    EXPECT_EQ(SideValue[static_cast<std::size_t>(pattern)], expected.value) << "ranks \"" << expected.ranks << "\"";
  }
  EXPECT_EQ(patterns.size(), 64u);
}

}  // namespace
}  // namespace varnok::ai
