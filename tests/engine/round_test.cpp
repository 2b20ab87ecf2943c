// Whole rounds driven the way the window drives them: the timer tick, the
// "next" and "pass" buttons and clicks on the bottom hand, with the computer
// seats' choices scripted.
#include <gtest/gtest.h>

#include <set>

#include "table_fixture.h"

namespace varnok {
namespace {

using testing::DeckFromNames;
using testing::ScriptedTable;

// Seat 1 gets hearts A 10 K Q, spades A 10 and the nine of clubs; seat 2 the
// jack of hearts and all diamonds; seat 3 the clubs but the nine, the nine of
// hearts and the king of spades; the widow holds the queen, jack and nine of spades.
constexpr const char* kDeck =
    "Ah 10h Kh Qh As 10s 9c "
    "Jh Ad 10d Kd Qd Jd 9d "
    "Ac 10c Kc Qc Jc 9h Ks "
    "Qs Js 9s";

struct Trick {
  int leader;
  const char* cards;  // in play order
  int winner;
  int marriage;  // MarriageNow after the lead
};

// Seat 1 declares hearts at 80 after the bidding 60, 65, (pass), 70, (pass).
class ComputerDeclarerRound : public ::testing::Test {
 protected:
  ScriptedTable t;
  std::vector<int> phases;

  // Records the phase, and checks that the inputs which must do nothing in
  // it really change nothing.
  void Record() {
    phases.push_back(t.s.Phase);
    static const std::set<int> kIdleTicks = {3, 4, 5, 6, 7, 8, 9, 13, 14, 20, 21};
    static const std::set<int> kIdlePresses = {1, 2, 11, 12, 13, 15, 21};
    const GameState before = t.s;
    if (kIdleTicks.count(t.s.Phase)) t.engine.Tick();
    EXPECT_EQ(before, t.s) << "a tick changed phase " << int{before.Phase};
    if (kIdlePresses.count(t.s.Phase) && t.s.BidState == 2) t.PressNext();
    EXPECT_EQ(before, t.s) << "a press changed phase " << int{before.Phase};
  }
  void Tick() {
    t.engine.Tick();
    Record();
  }
  void Next() {
    t.PressNext();
    Record();
  }
  void PassButton() {
    t.engine.PressPass();
    Record();
  }

  void DealAndBid() {
    t.engine.SetNextDeck(DeckFromNames(kDeck));
    t.engine.SetProfile(7, 1234);
    t.NewGame();
    Record();
    t.ai.max_bid = {{1, 70}, {2, 65}};
    Next();        // To Begin
    Tick();        // seat 1: 60
    Tick();        // seat 2: 65
    PassButton();  // seat 3 passes
    Tick();        // seat 1: 70
    Tick();        // seat 2 passes: bidding over
  }

  void DeclareAndStart() {
    t.ai.plans[1] = {"9s", "Js", kHearts, 80};
    Next();  // open the widow
    Next();  // take it
    Next();  // give two cards
    Next();  // show them, order
    Next();  // the declarer leads
  }

  // Plays the eight tricks: computer seats on the timer, seat 3 by clicks.
  void PlayTricks(const std::vector<Trick>& tricks) {
    t.ai.cards[1] = {"Kh", "9c", "Qh", "As", "10s", "Qs", "10h", "Ah"};
    t.ai.cards[2] = {"Jh", "9d", "Jd", "9s", "Qd", "Kd", "10d", "Ad"};
    std::deque<std::string> mine = {"9h", "Ac", "Kc", "Js", "Ks", "Jc", "Qc", "10c"};
    for (const Trick& trick : tricks) {
      SCOPED_TRACE(trick.cards);
      EXPECT_EQ(t.s.Phase, 10 + trick.leader);
      for (int n = 0; n < 3; ++n) {
        if (t.s.Phase == phPlay3) {
          ASSERT_TRUE(t.engine.ClickCard(t.Slot(3, mine.front())));
          mine.pop_front();
          Record();
        } else {
          Tick();
        }
        if (n == 0) {
          EXPECT_EQ(t.s.MarriageNow, trick.marriage);
        }
      }
      ASSERT_EQ(t.s.Phase, phTrickFull);
      EXPECT_EQ(testing::Names(t.s.Stol, 3), trick.cards);
      EXPECT_EQ(t.s.Leader, trick.winner);
      EXPECT_TRUE(t.ui.buttons[7].enabled);
      Next();  // collect
    }
  }
};

const std::vector<Trick> kTricks = {
    {1, "Kh Jh 9h", 1, 2},   // forty: king of trumps led while holding the queen
    {1, "9c 9d Ac", 3, 0},   //
    {3, "Kc Qh Jd", 1, 1},   // twenty by a defender; seat 1 must trump
    {1, "As 9s Js", 1, 0},   //
    {1, "10s Qd Ks", 1, 0},  // the ten beats the king
    {1, "Qs Kd Jc", 1, 0},   //
    {1, "10h 10d Qc", 1, 0},
    {1, "Ah Ad 10c", 1, 0},
};

TEST_F(ComputerDeclarerRound, DealSetsUpTheFirstRound) {
  t.engine.SetNextDeck(DeckFromNames(kDeck));
  t.engine.SetProfile(7, 1234);
  t.NewGame();
  const GameState& s = t.s;
  EXPECT_TRUE(s.InGame);
  EXPECT_EQ(s.RoundNo, 1);
  EXPECT_EQ(s.Phase, phBid1);
  EXPECT_EQ(s.Leader, 1);
  EXPECT_EQ(s.BidState, 1);
  EXPECT_EQ(s.CurrentBid, 55);
  EXPECT_EQ(s.KonNo, 7);
  EXPECT_EQ(s.ProfileScore, 1234);
  EXPECT_EQ(t.Hand(1), "Qh Kh 10h Ah 9c 10s As");  // sorted: hearts, clubs, diamonds, spades
  EXPECT_EQ(t.Hand(3), "9h Jc Qc Kc 10c Ac Ks");
  EXPECT_EQ(testing::Names(s.Hands[3], 10), "9h Jc Qc Kc 10c Ac Ks ## ## ##");
  EXPECT_EQ(testing::Names(s.Deck, 24).substr(testing::Names(s.Deck, 21).size()), " Qs Js 9s");
  for (int seat = 1; seat <= 3; ++seat) {
    EXPECT_EQ(s.Scores[seat], 501);
    EXPECT_EQ(s.HandCount[seat], 7);
    EXPECT_EQ(t.ui.last_panel[seat], (PanelUpdate{seat == 1, true, PanelField::Keep(), PanelField::Of(501),
                                                  PanelField::Of(0)}));
  }
  EXPECT_EQ(s.Names[1], "PC");
  EXPECT_EQ(s.Names[3], "Anna");
  EXPECT_EQ(t.ui.buttons[7].caption, "G8");
  EXPECT_TRUE(t.ui.buttons[7].enabled);
  EXPECT_EQ(t.ui.buttons[8].caption, "G11");
  EXPECT_FALSE(t.ui.buttons[8].enabled);
  EXPECT_EQ(t.ui.timer_ms, 200);
  EXPECT_FALSE(t.ui.timer_running);
  EXPECT_TRUE(t.ui.Saw("hint 7/25"));
  EXPECT_TRUE(t.ui.Saw("sound WTasoKo"));
  EXPECT_TRUE(t.ui.Saw("hand 1 down"));
  EXPECT_TRUE(t.ui.Saw("hand 3 up"));

  // Nothing moves until "To Begin": the timer is stopped.
  const GameState before = s;
  t.engine.Tick();
  EXPECT_EQ(before, s);
}

TEST_F(ComputerDeclarerRound, BiddingFollowsTheLimitsAndTheButtons) {
  DealAndBid();
  EXPECT_EQ(phases, (std::vector<int>{1, 1, 2, 3, 1, 2, 4}));
  EXPECT_EQ(t.s.CurrentBid, 70);
  EXPECT_EQ(t.s.MaxBid[1], 70);
  EXPECT_EQ(t.s.MaxBid[2], 65);
  EXPECT_FALSE(t.s.InBidding[2]);
  EXPECT_FALSE(t.s.InBidding[3]);
  EXPECT_EQ(t.ui.buttons[7].caption, "G27");
  EXPECT_TRUE(t.ui.buttons[7].enabled);
  EXPECT_FALSE(t.ui.buttons[8].enabled);
  EXPECT_EQ(t.ui.last_panel[1], (PanelUpdate{true, false, PanelField::Of(70), PanelField::Keep(), PanelField::Of(0)}));
  EXPECT_EQ(t.ui.last_panel[2], (PanelUpdate{false, false, PanelField::Keep(), PanelField::Keep(), PanelField::Of(0)}));
  const std::vector<std::string> bubbles = {"bubble 1 announce G26+60", "bubble 2 announce G26+65",
                                            "bubble 3 pass G11", "bubble 1 announce G26+70", "bubble 2 pass G11"};
  for (const auto& b : bubbles) EXPECT_TRUE(t.ui.Saw(b)) << b;
  EXPECT_EQ(t.ui.CountSounds("WDiPlay"), 3u);
  EXPECT_EQ(t.ui.CountSounds("WDiPass"), 2u);
}

TEST_F(ComputerDeclarerRound, ButtonsOfferTheNextBidToSeat3AndLockAfterItsPass) {
  t.engine.SetNextDeck(DeckFromNames(kDeck));
  t.NewGame();
  t.ai.max_bid = {{1, 70}, {2, 65}};
  t.PressNext();
  EXPECT_EQ(t.ui.buttons[7].caption, "G26+...");
  EXPECT_FALSE(t.ui.buttons[7].enabled);
  EXPECT_TRUE(t.ui.timer_running);
  t.engine.Tick();
  t.engine.Tick();
  EXPECT_EQ(t.s.Phase, phBid3);
  EXPECT_EQ(t.ui.buttons[7].caption, "G26+70");
  EXPECT_TRUE(t.ui.buttons[7].enabled);
  EXPECT_TRUE(t.ui.buttons[8].enabled);
  t.engine.PressPass();
  // Seats 1 and 2 are still in: the turn goes to seat 1 and both buttons lock.
  EXPECT_EQ(t.s.Phase, phBid1);
  EXPECT_FALSE(t.ui.buttons[7].enabled);
  EXPECT_FALSE(t.ui.buttons[8].enabled);
  // Presses in a computer's bidding phase change nothing.
  const GameState before = t.s;
  t.PressNext();
  t.engine.PressPass();
  EXPECT_EQ(before, t.s);
}

TEST(ComputerBidding, LimitsAboveTheHighestOrderStopAtIt) {
  ScriptedTable t;
  t.engine.SetNextDeck(DeckFromNames(kDeck));
  t.NewGame();
  t.ai.max_bid = {{1, 200}, {2, 200}};
  t.PressNext();  // To Begin
  // Seat 3 passes; seats 1 and 2 raise each other up to the highest order, and no further.
  for (int guard = 0; guard < 100 && t.s.Phase != phBidDone; ++guard) {
    if (t.s.Phase == phBid3) t.engine.PressPass();
    else t.engine.Tick();
  }
  EXPECT_EQ(t.s.Phase, phBidDone);
  EXPECT_EQ(t.s.CurrentBid, kMaxOrder);
}

TEST_F(ComputerDeclarerRound, WidowGiftAndOrderOfAComputerDeclarer) {
  DealAndBid();
  phases.clear();
  DeclareAndStart();
  EXPECT_EQ(phases, (std::vector<int>{5, 6, 8, 9, 11}));
  const GameState& s = t.s;
  EXPECT_EQ(s.Declarer, 1);
  EXPECT_EQ(s.Trump, kHearts);
  EXPECT_EQ(s.Zakaz, 80);
  EXPECT_EQ(s.GivenCards[1], CardFromName("9s"));
  EXPECT_EQ(s.GivenCards[2], CardFromName("Js"));
  // Sorted under the new trump, hearts last.
  EXPECT_EQ(t.Hand(1), "9c Qs 10s As Qh Kh 10h Ah");
  EXPECT_EQ(t.Hand(2), "9d Jd Qd Kd 10d Ad 9s Jh");
  EXPECT_EQ(t.Hand(3), "Jc Qc Kc 10c Ac Js Ks 9h");
  for (int seat = 1; seat <= 3; ++seat) {
    EXPECT_EQ(s.HandCount[seat], 8);
    EXPECT_EQ(s.SavedHands[seat], s.Hands[seat]);
  }
  EXPECT_EQ(s.Leader, 1);
  EXPECT_EQ(s.PrevLeader, 1);
  EXPECT_EQ(s.LastTrickLeader, 1);
  EXPECT_EQ(t.ui.CountSounds("WPrik_1") + t.ui.CountSounds("WPrik_2") + t.ui.CountSounds("WPrik_3"), 3u);
  EXPECT_EQ(t.ui.CountSounds("WHodsDo"), 2u);
  EXPECT_TRUE(t.ui.Saw("sound WPlMore"));  // ordered 80 on a bid of 70
  EXPECT_TRUE(t.ui.Saw("bubble 1 announce G26+80"));
  EXPECT_TRUE(t.ui.Saw("give 1 1->2"));
  EXPECT_TRUE(t.ui.Saw("give 2 1->3"));
  EXPECT_EQ(t.ui.last_panel[1], (PanelUpdate{true, false, PanelField::Of(80), PanelField::Of(501), PanelField::Of(0)}));
  EXPECT_EQ(t.ai.notes, (std::vector<std::string>{"dealt", "widow", "given"}));
  EXPECT_EQ(t.human.trump_asked, 0);
  EXPECT_FALSE(t.ui.buttons[7].enabled);
}

TEST_F(ComputerDeclarerRound, TricksMarriagesAndPlayedCards) {
  DealAndBid();
  DeclareAndStart();
  PlayTricks(kTricks);
  const GameState& s = t.s;
  EXPECT_EQ(s.Phase, phRoundOver);
  EXPECT_EQ(t.ui.timer_ms, 300);
  for (int seat = 1; seat <= 3; ++seat) EXPECT_EQ(s.HandCount[seat], 0);
  EXPECT_EQ(s.PlayedCount, 25);
  EXPECT_EQ(testing::Names(s.PlayedCards, 24),
            "Kh Jh 9h 9c 9d Ac Kc Qh Jd As 9s Js 10s Qd Ks Qs Kd Jc 10h 10d Qc Ah Ad 10c");
  EXPECT_EQ(s.CardPoints[1] + s.CardPoints[2] + s.CardPoints[3], 120);
  EXPECT_EQ(s.CardPoints[1], 109);
  EXPECT_EQ(s.CardPoints[3], 11);
  EXPECT_EQ(s.RoundPoints[1], 149);  // with the forty
  EXPECT_EQ(s.RoundPoints[2], 0);
  EXPECT_EQ(s.RoundPoints[3], 31);  // with the twenty
  EXPECT_TRUE(s.DeclForty);
  EXPECT_FALSE(s.DeclTwenty);
  EXPECT_EQ(s.TrickNo, 9);
  EXPECT_TRUE(t.ui.Saw("bubble 1 announce G29"));
  EXPECT_TRUE(t.ui.Saw("bubble 3 announce G28"));
  EXPECT_EQ(t.ui.CountSounds("WSays40"), 1u);
  EXPECT_EQ(t.ui.CountSounds("WSays20"), 1u);
  EXPECT_EQ(t.ui.CountSounds("WHodsDo"), 2u + 22u);  // two gifts, 22 cards without a marriage
  EXPECT_TRUE(t.ui.Saw("collect 1->3"));  // the trick led by seat 1 goes to seat 3
  EXPECT_TRUE(t.ui.Saw("collect 3->1"));
  EXPECT_EQ(t.engine.FaultyRequests(), 0);
  EXPECT_EQ(t.Diagnostic(), "");
  // The table waits for the timer: a press does nothing in phase 15.
  const GameState before = s;
  t.PressNext();
  EXPECT_EQ(before, s);
}

struct ScoringCase {
  bool keep_after_100;
  bool show_cards;
  int seat3_start;
  PerSeat<int> scores;
  int phase;
};

class ScoredRound : public ComputerDeclarerRound, public ::testing::WithParamInterface<ScoringCase> {};

TEST_P(ScoredRound, ScoresTheRoundAndGoesOnOrEnds) {
  const ScoringCase& c = GetParam();
  t.engine.SetOptions(EngineOptions{false, c.keep_after_100, c.show_cards});
  DealAndBid();
  t.s.Scores[3] = c.seat3_start;
  DeclareAndStart();
  PlayTricks(kTricks);
  t.engine.Tick();  // the timer scores the round
  const GameState& s = t.s;
  EXPECT_EQ(s.Scores, c.scores);
  EXPECT_EQ(s.Phase, c.phase);
  EXPECT_EQ(t.ui.CountSounds("WKoGutX"), 1u);  // the declarer made 80, all scores still above 0
  if (c.phase == phNextRound) {
    EXPECT_EQ(t.ui.last_panel[1].ordered, PanelField::Of(80));
    EXPECT_FALSE(s.GameOver);
    EXPECT_EQ(t.ui.buttons[7].caption, "G12");
    EXPECT_TRUE(t.ui.buttons[7].enabled);
    EXPECT_EQ(t.ui.last_panel[3], (PanelUpdate{false, false, PanelField::Keep(), PanelField::Of(c.scores[3]),
                                               PanelField::Of(31)}));
    if (c.show_cards) {
      for (int seat = 1; seat <= 3; ++seat) {
        EXPECT_EQ(s.Hands[seat], s.SavedHands[seat]);
        EXPECT_EQ(s.HandCount[seat], 8);
      }
      EXPECT_TRUE(t.ui.Saw("hand 1 up"));
    } else {
      EXPECT_EQ(s.HandCount[1], 0);
    }
    // "Next Round" stops the timer and deals round 2, opened by seat 2; scores stay.
    t.PressNext();
    EXPECT_EQ(s.RoundNo, 2);
    EXPECT_EQ(s.Phase, phBid2);
    EXPECT_EQ(s.Scores, c.scores);
    EXPECT_FALSE(t.ui.timer_running);
    EXPECT_EQ(s.PlayedCount, 1);
    EXPECT_EQ(s.Trump, kNoSuit);
  } else {
    EXPECT_TRUE(s.GameOver);
    const PerSeat<int> counts = t.engine.GeneralCount();
    EXPECT_EQ(counts, (PerSeat<int>{0, -341, -581, 922}));
    EXPECT_EQ(s.HumanResult, 922);
    EXPECT_EQ(s.ProfileScoreAfter, 1234 + 922);
    EXPECT_EQ(t.ui.CountSounds("WKoGood"), 1u);
    EXPECT_EQ(t.ui.score_windows, 1);
    EXPECT_EQ(t.ui.buttons[8].caption, "M21");
    EXPECT_TRUE(t.ui.buttons[8].enabled);
    PanelUpdate last{false, false, PanelField::Blank(), PanelField::Of(0), PanelField::Of(922)};
    last.final_counts = true;
    EXPECT_EQ(t.ui.last_panel[3], last);
    // Nothing but "Exit to menu" moves a finished game.
    const GameState before = s;
    t.engine.Tick();
    t.PressNext();
    EXPECT_EQ(before, s);
    t.engine.PressPass();
    EXPECT_FALSE(s.InGame);
    EXPECT_TRUE(t.ui.Saw("left finished"));
    EXPECT_EQ(t.ui.timer_ms, 20);
    EXPECT_TRUE(t.ui.timer_running);
  }
}

INSTANTIATE_TEST_SUITE_P(
    KeepAfter100, ScoredRound,
    ::testing::Values(
        // Seat 3 at 100 takes 31: down to 69 without the option, kept at 100 with it.
        ScoringCase{false, false, 100, {0, 421, 501, 69}, phNextRound},
        ScoringCase{true, true, 100, {0, 421, 501, 100}, phNextRound},
        // Seat 3 at 31 takes 31: exactly 0 ends the game; with the option it stays at 31.
        ScoringCase{false, false, 31, {0, 421, 501, 0}, phGameOver},
        ScoringCase{true, false, 31, {0, 421, 501, 31}, phNextRound}));

}  // namespace
}  // namespace varnok
