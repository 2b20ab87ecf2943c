// The card player's fixed tables against the engine's numbering of holding
// patterns, and the order's set threshold.
#include <gtest/gtest.h>

#include "cards.h"
#include "play_common.h"
#include "play_tables.h"

namespace varnok::ai {
namespace {

TEST(CardPlayTables, BeatRowsNameTheRanksOfTheirPattern) {
  ASSERT_EQ(BeatRows().size(), 63u);
  for (const BeatRow& row : BeatRows()) {
    EXPECT_EQ(row.cards, RankMaskOfPattern(row.pattern)) << "pattern " << int{row.pattern};
    EXPECT_NE(row.cards & RankBit(row.play), 0u) << "pattern " << int{row.pattern};
  }
}

TEST(CardPlayTables, DiscardRulesNameTheRanksOfTheirPattern) {
  for (const DiscardRule& rule : DiscardRules())
    EXPECT_EQ(rule.cards, RankMaskOfPattern(rule.pattern)) << "pass " << int{rule.pass} << " pattern "
                                                           << int{rule.pattern};
}

TEST(CardPlayTables, FollowRowsWithAPatternPlayAHeldCard) {
  for (const FollowRow& row : FollowRows()) {
    if (row.pattern == 0 || row.play == kPlayLowest || row.play == kPlayHighest) continue;
    EXPECT_NE(RankMaskOfPattern(row.pattern) & RankBit(row.play), 0u) << "pattern " << int{row.pattern};
  }
}

struct BeatCase {
  int pattern;
  bool ace_played;
  int rank;
};

TEST(CardPlayTables, BeatChoiceOfTheTenRowsDependsOnThePlayedAce) {
  const BeatCase cases[] = {
      {49, false, kOrder10}, {49, true, kOrderQ},  {50, false, kOrder10}, {50, true, kOrderJ},
      {51, false, kOrder10}, {51, true, kOrder9},  {48, true, kOrder10},  {18, false, kOrder9},
      {3, false, kOrderJ},   {26, true, kOrder9},  {47, false, kOrderA},  {64, false, 0},
  };
  for (const BeatCase& c : cases)
    EXPECT_EQ(BeatChoiceRank(c.pattern, c.ace_played), c.rank) << "pattern " << c.pattern << " ace " << c.ace_played;
}

struct EstimateCase {
  int zakaz;
  bool twenty;
  bool forty;
  int expect_twenty;
  int expect_forty;
  int threshold;
};

TEST(CardPlayTables, DeclarerMarriageEstimateAndSetThreshold) {
  const EstimateCase cases[] = {
      {100, false, false, 0, 0, 20},     // 120 - 100
      {105, false, false, 0, 0, 15},
      {110, false, false, 0, 40, 50},    // forty expected from 110
      {155, false, false, 20, 40, 25},   // and twenty from 155
      {150, false, false, 0, 40, 10},
      {100, true, false, 20, 0, 40},     // announced twenty, low order: no forty
      {140, true, false, 20, 0, 0},
      {145, true, false, 20, 40, 35},    // above 140 the forty stays
      {100, false, true, 0, 40, 60},
      {100, true, true, 20, 40, 80},
      {200, false, false, 20, 40, -20},  // a computer's order is not capped
  };
  for (const EstimateCase& c : cases) {
    const MarriageEstimate e = DeclMarriageEstimate(c.zakaz, c.twenty, c.forty);
    EXPECT_EQ(e.twenty, c.expect_twenty) << c.zakaz << " " << c.twenty << c.forty;
    EXPECT_EQ(e.forty, c.expect_forty) << c.zakaz << " " << c.twenty << c.forty;
    EXPECT_EQ(SetThreshold(c.zakaz, c.twenty, c.forty), c.threshold) << c.zakaz << " " << c.twenty << c.forty;
  }
}

}  // namespace
}  // namespace varnok::ai
