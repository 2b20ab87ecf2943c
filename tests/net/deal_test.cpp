// Deal records: the layout, round trips over many shuffled decks, who holds
// which cards on every copy, and deals that must be refused.
#include <gtest/gtest.h>

#include <set>

#include "deal_record.h"
#include "shuffle.h"

namespace varnok::net {
namespace {

DealData ShuffledDeal(std::uint64_t seed, bool keep_after_100) {
  DeckShuffler shuffler;
  shuffler.SetSeed(seed);
  DeckOrder order{};
  const auto values = shuffler.DrawValues();
  for (std::size_t j = 0; j < 24; ++j) order[j] = CardIndex(CardOfDrawnValue(values[j]));
  DealData deal;
  EXPECT_TRUE(FillDeck(order, deal.deck, deal.order, deal.points));
  deal.keep_after_100 = keep_after_100;
  return deal;
}

std::string Built(const DealData& deal, bool tournament = false) {
  const auto record = BuildDeal(deal.deck, deal.order, deal.points, deal.keep_after_100, tournament);
  EXPECT_TRUE(record.has_value());
  return record.value_or("");
}

TEST(DealRecordTest, LayoutCharacterByCharacter) {
  const DealData deal = ShuffledDeal(7, true);
  const std::string record = Built(deal);
  ASSERT_EQ(record.size(), kDealLength);
  EXPECT_EQ(record[0], 'b');
  for (int j = 1; j <= 24; ++j) {
    // Card j at positions 2j and 2j+1, its rank order at 49+j, its points at 72+2j and 73+2j (from 1).
    EXPECT_EQ(static_cast<std::uint8_t>(record[static_cast<std::size_t>(2 * j - 1)]), deal.deck[j].rank);
    EXPECT_EQ(static_cast<std::uint8_t>(record[static_cast<std::size_t>(2 * j)]), deal.deck[j].suit);
    EXPECT_EQ(record[static_cast<std::size_t>(48 + j)], '0' + deal.order[j]);
    EXPECT_EQ(record.substr(static_cast<std::size_t>(71 + 2 * j), 2),
              std::string(1, static_cast<char>('0' + deal.points[j] / 10)) + static_cast<char>('0' + deal.points[j] % 10));
  }
  EXPECT_EQ(record[121], '\xC8');
  EXPECT_EQ(Built(ShuffledDeal(7, false))[121], '\xCB');
  EXPECT_EQ(Built(deal, true), record.substr(0, kTourDealLength));
}

TEST(DealRecordTest, RoundTripsOverManyDeals) {
  for (std::uint64_t seed = 1; seed <= 300; ++seed) {
    const bool keep = seed % 2 == 0;
    const DealData deal = ShuffledDeal(seed, keep);
    const auto parsed = ParseDeal(Built(deal));
    ASSERT_TRUE(parsed.ok()) << seed;
    EXPECT_EQ(*parsed.value, deal) << seed;
    const auto tour = ParseDeal(Built(deal, true));
    ASSERT_TRUE(tour.ok()) << seed;
    EXPECT_EQ(tour.value->deck, deal.deck);
    EXPECT_FALSE(tour.value->keep_after_100);
  }
}

TEST(DealRecordTest, EveryCopyHoldsTheRightCards) {
  struct Case {
    int own;
    bool tournament;
    int first[4];  // first deck card of relative seats 1, 2, 3
  };
  const Case cases[] = {
      {1, false, {0, 1, 8, 15}},  {2, false, {0, 8, 15, 1}}, {3, false, {0, 15, 1, 8}},
      {1, true, {0, 8, 15, 1}},   {2, true, {0, 15, 1, 8}},  {3, true, {0, 1, 8, 15}},
  };
  for (std::uint64_t seed = 100; seed < 140; ++seed) {
    const DealData deal = ShuffledDeal(seed, true);
    for (const Case& c : cases) {
      GameState s;
      const auto applied = ApplyDeal(Built(deal, c.tournament), s, DealSeating{c.own, c.tournament});
      ASSERT_TRUE(applied.ok());
      EXPECT_EQ(*applied.value, !c.tournament);
      EXPECT_EQ(s.Deck, deal.deck);
      std::set<int> seen;
      for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(s.HandCount[r], 7);
        for (int i = 1; i <= 7; ++i) {
          const int j = c.first[r] + i - 1;
          EXPECT_EQ(s.Hands[r][i], deal.deck[j]) << "own " << c.own << " seat " << r;
          EXPECT_EQ(s.HandOrder[r][i], deal.order[j]);
          EXPECT_EQ(s.HandPoints[r][i], deal.points[j]);
          seen.insert(CardIndex(s.Hands[r][i]));
        }
        EXPECT_TRUE(s.Hands[r][8].IsEmpty());
        EXPECT_EQ(s.HandOrder[r][8], kEmptyCompanion);
      }
      for (int w = 1; w <= 3; ++w) {
        EXPECT_EQ(s.Widow[static_cast<std::size_t>(w)], deal.deck[21 + w]);
        seen.insert(CardIndex(s.Widow[static_cast<std::size_t>(w)]));
      }
      EXPECT_EQ(seen.size(), 24u);
    }
  }
}

TEST(DealRecordTest, BrokenDealsAreRefusedAndChangeNothing) {
  const std::string good = Built(ShuffledDeal(42, false));
  auto with = [&](std::size_t at, std::string text) {
    std::string r = good;
    r.replace(at, text.size(), text);
    return r;
  };
  // Card 2 made a copy of card 1 (with its companions): card 1 twice, another card missing.
  std::string twice = with(3, good.substr(1, 2));
  twice[50] = good[49];
  twice.replace(75, 2, good.substr(73, 2));

  struct Case {
    const char* name;
    std::string record;
    NetError error;
  };
  const Case cases[] = {
      {"head", "x" + good.substr(1), NetError::WrongKind},
      {"short", good.substr(0, 100), NetError::WrongLength},
      {"long", good + "h", NetError::WrongLength},
      {"tournament length on the local network", good.substr(0, kTourDealLength), NetError::WrongLength},
      {"rank letter", with(1, "X"), NetError::BadCard},
      {"suit letter", with(2, "#"), NetError::BadCard},
      {"empty card", with(1, "##"), NetError::BadCard},
      {"duplicate", twice, NetError::DuplicateCard},
      {"rank order", with(49, good[49] == '1' ? "2" : "1"), NetError::BadCompanion},
      {"rank order digit", with(49, "x"), NetError::BadNumber},
      {"points", with(73, good.substr(73, 2) == "11" ? "10" : "11"), NetError::BadCompanion},
      {"points digits", with(73, "-1"), NetError::BadNumber},
      {"option letter", with(121, "Y"), NetError::BadRuleOption},
  };
  for (const Case& c : cases) {
    GameState s;
    s.Names[1] = "kept";
    const GameState before = s;
    const auto applied = ApplyDeal(c.record, s, DealSeating{2, false});
    EXPECT_FALSE(applied.ok()) << c.name;
    EXPECT_EQ(applied.error, c.error) << c.name;
    EXPECT_EQ(s, before) << c.name;
  }
  GameState s;
  EXPECT_EQ(ApplyDeal(good, s, DealSeating{4, false}).error, NetError::BadSeat);
}

TEST(DealRecordTest, ABrokenDeckIsNeverSent) {
  DealData deal = ShuffledDeal(5, false);
  DealData twice = deal;
  twice.deck[2] = twice.deck[1];
  twice.order[2] = twice.order[1];
  twice.points[2] = twice.points[1];
  EXPECT_FALSE(BuildDeal(twice.deck, twice.order, twice.points, false));
  DealData wrong_points = deal;
  wrong_points.points[3] = 99;
  EXPECT_FALSE(BuildDeal(wrong_points.deck, wrong_points.order, wrong_points.points, false));
  GameState empty;
  EXPECT_FALSE(BuildDeal(empty, false));
}

}  // namespace
}  // namespace varnok::net
