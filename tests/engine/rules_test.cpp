// Rules that stand alone: the order dialog's stepping, the first bidder,
// scoring and general counts, the shuffle and the deal.
#include <gtest/gtest.h>

#include <set>

#include "table_fixture.h"

namespace varnok {
namespace {

using testing::ScriptedTable;

TEST(OrderDialog, StepsWrapBetweenTheBidAnd180) {
  struct Row {
    OrderButton button;
    int value, minimum, expected;
  };
  const Row rows[] = {
      {OrderButton::Up10, 175, 100, 180}, {OrderButton::Up10, 170, 100, 180}, {OrderButton::Up10, 169, 100, 179},
      {OrderButton::Up10, 180, 100, 100}, {OrderButton::Up1, 180, 100, 100},  {OrderButton::Up1, 179, 100, 180},
      {OrderButton::Up5, 175, 100, 180},  {OrderButton::Up5, 176, 100, 180},  {OrderButton::Up5, 180, 65, 65},
      {OrderButton::Down5, 103, 100, 100}, {OrderButton::Down5, 100, 100, 180}, {OrderButton::Down5, 110, 100, 105},
      {OrderButton::Down1, 100, 100, 180}, {OrderButton::Down1, 101, 100, 100}, {OrderButton::Down10, 109, 100, 100},
      {OrderButton::Down10, 100, 100, 180}, {OrderButton::Down10, 180, 100, 170},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(OrderDialogStep(r.button, r.value, r.minimum), r.expected)
        << static_cast<int>(r.button) << " from " << r.value << " (min " << r.minimum << ")";
  }
  // Every button keeps the value inside minimum..180 from anywhere inside it.
  for (int v = 60; v <= 180; ++v)
    for (OrderButton b : {OrderButton::Up1, OrderButton::Up5, OrderButton::Up10, OrderButton::Down1,
                          OrderButton::Down5, OrderButton::Down10}) {
      const int next = OrderDialogStep(b, v, 60);
      EXPECT_GE(next, 60);
      EXPECT_LE(next, 180);
    }
}

TEST(FirstBidder, RotatesWithTheRoundInEachCopysSeats) {
  struct Row {
    TableMode mode;
    std::array<int, 3> by_remainder;  // round mod 3 = 1, 2, 0
  };
  TableMode computer;
  TableMode server;
  server.NetGame = true;
  server.NetPos = 1;
  TableMode client2 = server;
  client2.NetPos = 2;
  TableMode client3 = server;
  client3.NetPos = 3;
  TableMode tour3;
  tour3.TourGame = true;
  tour3.TourPos = 3;
  const Row rows[] = {
      {computer, {1, 2, 3}}, {server, {1, 2, 3}}, {client2, {3, 1, 2}}, {client3, {2, 3, 1}}, {tour3, {2, 3, 1}},
  };
  for (const Row& r : rows) {
    for (int round = 1; round <= 9; ++round) {
      const int expected = r.by_remainder[static_cast<std::size_t>(round % 3 == 0 ? 2 : round % 3 - 1)];
      EXPECT_EQ(FirstBidder(round, r.mode), expected) << "round " << round << " position " << r.mode.NetPos;
    }
  }
}

TEST(FirstBidder, SuccessiveDealsOpenWithSeats1To3InTurn) {
  ScriptedTable t;
  t.NewGame();
  std::vector<int> phases = {t.s.Phase};
  for (int i = 0; i < 3; ++i) {
    t.NextDeal();
    phases.push_back(t.s.Phase);
  }
  EXPECT_EQ(phases, (std::vector<int>{1, 2, 3, 1}));
  EXPECT_EQ(t.s.RoundNo, 4);
  t.NewGame();
  EXPECT_EQ(t.s.RoundNo, 1);
}

TEST(NetworkDeal, OnlyTheOpeningCopyMayBegin) {
  struct Row {
    int pos;
    bool three_humans;
    int round;
    bool enabled;
  };
  const Row rows[] = {
      {1, true, 1, false},  // the server's seat 1 opens: another copy begins
      {1, true, 3, true},   // the server itself opens
      {1, false, 2, true},  // two people: the server begins for the computer seat 2
      {2, true, 1, true},   // round 1 on client 2 is its own seat 3
      {3, true, 1, false},
  };
  for (const Row& r : rows) {
    ScriptedTable t;
    TableMode mode;
    mode.NetGame = true;
    mode.NetPos = r.pos;
    mode.NetThreeHumans = r.three_humans;
    t.engine.SetMode(mode);
    t.s.RoundNo = static_cast<std::uint8_t>(r.round - 1);
    t.NextDeal();
    EXPECT_EQ(t.ui.buttons[7].enabled, r.enabled) << "pos " << r.pos << " round " << r.round;
    // A tick never plays in a network game: the other seats' moves come as records.
    const GameState before = t.s;
    t.engine.Tick();
    EXPECT_EQ(before, t.s);
  }
}

struct ScoreCase {
  const char* name;
  int zakaz;
  PerSeat<int> round_points;
  PerSeat<int> start;
  bool keep_after_100;
  PerSeat<int> expected;
  int phase;
  std::vector<std::string> sounds;
};

TEST(ScoreRound, DeclarerByOrderDefendersByPoints) {
  const ScoreCase cases[] = {
      {"made exactly", 100, {0, 100, 10, 10}, {0, 501, 501, 501}, false, {0, 401, 491, 491}, phNextRound,
       {"WKoGutX"}},
      {"made with a forty", 120, {0, 125, 20, 15}, {0, 501, 501, 501}, false, {0, 381, 481, 486}, phNextRound,
       {"WKoGutX"}},
      {"lost by one", 100, {0, 99, 21, 0}, {0, 501, 501, 501}, false, {0, 601, 480, 501}, phNextRound,
       {"WKoBadX"}},
      {"kept at 100", 80, {0, 90, 30, 0}, {0, 501, 100, 101}, true, {0, 421, 100, 101}, phNextRound,
       {"WKoGutX"}},
      {"101 is written off", 80, {0, 60, 30, 30}, {0, 501, 100, 101}, true, {0, 581, 100, 71}, phNextRound,
       {"WKoBadX"}},
      {"without the option", 80, {0, 60, 30, 30}, {0, 501, 100, 101}, false, {0, 581, 70, 71}, phNextRound,
       {"WKoBadX"}},
      {"a defender falls below 1", 80, {0, 80, 40, 0}, {0, 501, 15, 300}, false, {0, 421, -25, 300}, phGameOver,
       {"WKoGutX", "WKoBads"}},  // seat 3: 421 - 25 - 2 * 300 < 0
      {"the declarer reaches 0", 100, {0, 100, 0, 0}, {0, 100, 200, 250}, false, {0, 0, 200, 250}, phGameOver,
       {"WKoBads"}},
  };
  for (const ScoreCase& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedTable t;
    t.engine.SetOptions(EngineOptions{false, c.keep_after_100, false});
    t.s.InGame = true;
    t.s.Phase = phRoundOver;
    t.s.Declarer = 1;
    t.s.Zakaz = c.zakaz;
    t.s.RoundPoints = c.round_points;
    t.s.Scores = c.start;
    ASSERT_TRUE(t.engine.Apply(Move::Score()));
    EXPECT_EQ(t.s.Scores, c.expected);
    EXPECT_EQ(t.s.Phase, c.phase);
    EXPECT_EQ(t.ui.sounds, c.sounds);
    EXPECT_EQ(t.s.GameOver, c.phase == phGameOver);
  }
}

TEST(GeneralCount, OthersMinusTwiceOwnAndSumsToZero) {
  EXPECT_EQ(GeneralCount(PerSeat<int>{0, 0, 200, 250}), (PerSeat<int>{0, 450, -150, -300}));
  EXPECT_EQ(GeneralCount(PerSeat<int>{0, 501, 501, 501}), (PerSeat<int>{0, 0, 0, 0}));
  const PerSeat<int> c = GeneralCount(PerSeat<int>{0, -25, 313, 7});
  EXPECT_EQ(c[1] + c[2] + c[3], 0);
}

TEST(Shuffle, DrawnValuesMapToCardsByRankGroupAndSuit) {
  struct Row {
    int v;
    const char* card;
  };
  for (const Row& r : {Row{1, "9h"}, Row{4, "9s"}, Row{5, "10h"}, Row{10, "Jd"}, Row{15, "Qc"}, Row{20, "Ks"},
                       Row{21, "Ah"}, Row{24, "As"}}) {
    EXPECT_EQ(CardOfDrawnValue(r.v), CardFromName(r.card)) << r.v;
  }
}

TEST(Shuffle, ASeedReplaysTheDealsAndEveryCardIsDealtOnce) {
  auto deal_seq = [](std::uint64_t seed) {
    ScriptedTable t;
    t.engine.SetShuffleSeed(seed);
    std::vector<std::string> decks;
    t.NewGame();
    for (int round = 0; round < 5; ++round) {
      std::set<int> seen;
      for (int seat = 1; seat <= 3; ++seat) {
        EXPECT_EQ(t.s.HandCount[seat], 7);
        for (int i = 1; i <= 7; ++i) seen.insert(CardIndex(t.s.Hands[seat][i]));
        for (int i = 8; i <= 10; ++i) EXPECT_TRUE(t.s.Hands[seat][i].IsEmpty());
      }
      for (int w = 1; w <= 3; ++w) {
        seen.insert(CardIndex(t.s.Widow[static_cast<std::size_t>(w)]));
        EXPECT_EQ(t.s.Widow[static_cast<std::size_t>(w)], t.s.Deck[21 + w]);
      }
      EXPECT_EQ(seen.size(), 24u);
      EXPECT_EQ(seen.count(0), 0u);
      decks.push_back(testing::Names(t.s.Deck, 24));
      t.NextDeal();
    }
    return decks;
  };
  const auto a = deal_seq(42);
  EXPECT_EQ(a, deal_seq(42));
  EXPECT_NE(a, deal_seq(43));
  EXPECT_NE(a[0], a[1]);
}

TEST(Shuffle, AGivenDeckIsUsedOnceAndABadOneIsIgnored) {
  ScriptedTable t;
  DeckOrder order{};
  for (int i = 0; i < 24; ++i) order[static_cast<std::size_t>(i)] = 24 - i;
  t.engine.SetNextDeck(order);
  t.NewGame();
  EXPECT_EQ(CardIndex(t.s.Deck[1]), 24);
  EXPECT_EQ(CardIndex(t.s.Deck[24]), 1);
  EXPECT_EQ(t.s.DeckPoints[1], 11);
  EXPECT_EQ(t.s.DeckOrder[24], 1);

  order[5] = order[6];  // a card twice: not a deck
  t.engine.SetNextDeck(order);
  t.NextDeal();
  std::set<int> seen;
  for (int j = 1; j <= 24; ++j) seen.insert(CardIndex(t.s.Deck[j]));
  EXPECT_EQ(seen.size(), 24u);
}

}  // namespace
}  // namespace varnok
