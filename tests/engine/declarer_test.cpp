// Seat 3 as declarer: the opening bid, choosing the gift on the hand, and
// the trump and order dialogs.
#include <gtest/gtest.h>

#include "table_fixture.h"

namespace varnok {
namespace {

using testing::DeckFromNames;
using testing::ScriptedTable;

constexpr const char* kDeck =
    "Ah 10h Kh Qh As 10s 9c "
    "Jh Ad 10d Kd Qd Jd 9d "
    "Ac 10c Kc Qc Jc 9h Ks "
    "Qs Js 9s";

// Deals round 3, which seat 3 opens, and bids 60, 65, (pass), 70, (pass).
void BidToSeat3(ScriptedTable& t) {
  t.NewGame();
  t.s.RoundNo = 2;
  t.engine.SetNextDeck(DeckFromNames(kDeck));
  t.NextDeal();
  ASSERT_EQ(t.s.Phase, phBid3);
  t.ai.max_bid = {{1, 65}, {2, 65}};

  t.PressNext();  // To Begin
  EXPECT_EQ(t.ui.buttons[7].caption, "G26+60");
  EXPECT_TRUE(t.ui.buttons[7].enabled);
  EXPECT_FALSE(t.ui.buttons[8].enabled);
  const GameState before = t.s;
  t.engine.PressPass();  // the opening bid cannot be passed
  EXPECT_EQ(before, t.s);

  t.PressNext();  // seat 3: 60
  EXPECT_EQ(t.s.Phase, phBid1);
  EXPECT_FALSE(t.ui.buttons[7].enabled);
  t.engine.Tick();  // seat 1: 65 (below its limit of 65)
  EXPECT_EQ(t.s.CurrentBid, 65);
  t.engine.Tick();  // seat 2 passes at its limit
  EXPECT_EQ(t.s.Phase, phBid3);
  EXPECT_EQ(t.ui.buttons[7].caption, "G26+70");
  EXPECT_TRUE(t.ui.buttons[8].enabled);
  t.PressNext();  // seat 3: 70
  t.engine.Tick();       // seat 1 passes
  ASSERT_EQ(t.s.Phase, phBidDone);
  EXPECT_EQ(t.s.CurrentBid, 70);
}

class Seat3Declares : public ::testing::TestWithParam<int> {};

TEST_P(Seat3Declares, ChoosesTheGiftTrumpAndOrder) {
  const int order = GetParam();
  ScriptedTable t;
  BidToSeat3(t);
  t.PressNext();  // open
  t.PressNext();  // take
  ASSERT_EQ(t.s.Phase, phGive);
  EXPECT_EQ(t.s.Declarer, 3);
  EXPECT_EQ(t.Hand(3), "9h Jc Qc Kc 10c Ac 9s Js Qs Ks");
  EXPECT_EQ(t.ui.buttons[7].caption, "G30");
  EXPECT_FALSE(t.ui.buttons[7].enabled);

  // Choose the nine and jack of spades, drop the nine again, choose the nine of hearts.
  EXPECT_TRUE(t.engine.ClickCard(t.Slot(3, "9s")));
  EXPECT_TRUE(t.engine.ClickCard(t.Slot(3, "Js")));
  EXPECT_EQ(t.s.Phase, phGiveChosen);
  EXPECT_TRUE(t.ui.buttons[7].enabled);
  EXPECT_FALSE(t.engine.ClickCard(t.Slot(3, "Ac")));  // not a chosen card
  EXPECT_TRUE(t.engine.ClickCard(t.Slot(3, "9s")));
  EXPECT_EQ(t.s.Phase, phGive);
  EXPECT_EQ(t.s.GiveIdx1, t.Slot(3, "Js"));
  EXPECT_EQ(t.s.GiveIdx2, 0);
  EXPECT_FALSE(t.ui.buttons[7].enabled);
  t.PressNext();  // nothing: only one card chosen
  EXPECT_EQ(t.s.Phase, phGive);
  EXPECT_TRUE(t.engine.ClickCard(t.Slot(3, "9h")));
  ASSERT_EQ(t.s.Phase, phGiveChosen);

  t.PressNext();  // give
  ASSERT_EQ(t.s.Phase, phGiven);
  EXPECT_EQ(t.s.GivenCards[1], CardFromName("Js"));  // to seat 1, the seat after seat 3
  EXPECT_EQ(t.s.GivenCards[2], CardFromName("9h"));
  EXPECT_EQ(t.s.Hands[1][8], CardFromName("Js"));
  EXPECT_EQ(t.s.Hands[2][8], CardFromName("9h"));
  EXPECT_EQ(t.Hand(3), "Jc Qc Kc 10c Ac 9s Qs Ks");
  EXPECT_EQ(t.s.Zakaz, 70);
  EXPECT_EQ(t.ui.buttons[7].caption, "'Ok'");

  t.human.trump = kClubs;
  t.human.order = order;
  t.PressNext();  // show, trump dialog, order dialog
  ASSERT_EQ(t.s.Phase, phOrdered);
  EXPECT_EQ(t.human.trump_asked, 1);
  EXPECT_EQ(t.human.order_asked, 1);
  EXPECT_EQ(t.s.Trump, kClubs);
  EXPECT_EQ(t.s.Zakaz, order ? order : 70);
  EXPECT_TRUE(t.ui.Saw(order > 70 ? "sound WPlMore" : "sound WDing_1"));
  EXPECT_EQ(t.Hand(3), "9s Qs Ks Jc Qc Kc 10c Ac");  // hearts, spades, diamonds, clubs
  EXPECT_EQ(t.Hand(1), "Qh Kh 10h Ah Js 10s As 9c");
  EXPECT_EQ(t.s.SavedHands[3], t.s.Hands[3]);

  t.PressNext();
  ASSERT_EQ(t.s.Phase, phPlay3);  // the declarer leads
  EXPECT_TRUE(t.engine.ClickCard(t.Slot(3, "Kc")));
  EXPECT_EQ(t.s.RoundPoints[3], 40);  // king of trumps with its queen
  EXPECT_TRUE(t.s.DeclForty);
  EXPECT_EQ(t.s.Phase, phPlay1);
}

INSTANTIATE_TEST_SUITE_P(Orders, Seat3Declares, ::testing::Values(0, 95));

}  // namespace
}  // namespace varnok
