// The computer players as the engine uses them: what a seat may see, the
// progress of the bid estimates, and a round against the window's seat 3.
#include <gtest/gtest.h>

#include "computer_players.h"
#include "recorder.h"

namespace varnok {
namespace {

using testing::DeckFromNames;

constexpr const char* kDeck =
    "Ah 10h Kh Qh As 10s 9c "
    "Jh Ad 10d Kd Qd Jd 9d "
    "Ac 10c Kc Qc Jc 9h Ks "
    "Qs Js 9s";

TEST(SeatView, HidesWhatTheSeatCannotKnow) {
  GameState s;
  testing::RecordingPresenter ui;
  Engine engine(s, ui);
  engine.SetNextDeck(DeckFromNames(kDeck));
  engine.Apply(Move::NewGame());
  GameState view = ai::SeatView(s, 2);
  EXPECT_EQ(view.Hands[2], s.Hands[2]);
  EXPECT_EQ(view.Hands[1], EmptyCardList());
  EXPECT_EQ(view.Hands[3], EmptyCardList());
  for (int j = 1; j <= 24; ++j) EXPECT_TRUE(view.Deck[j].IsEmpty()) << j;  // the widow is still face down
  EXPECT_TRUE(view.Widow[1].IsEmpty());
  EXPECT_EQ(view.Scores, s.Scores);

  s.Phase = phWidowOpen;  // once turned up, everyone has seen the widow
  view = ai::SeatView(s, 1);
  EXPECT_EQ(testing::Names(view.Deck, 24).substr(21 * 3), "Qs Js 9s");
  EXPECT_EQ(view.Widow[2], CardFromName("Js"));
  EXPECT_TRUE(view.Deck[21].IsEmpty());
}

TEST(ComputerSeats, BidEstimatesRunOneProgressCounterAndCaption) {
  GameState s;
  testing::RecordingPresenter ui;
  Engine engine(s, ui);
  ai::ComputerSeats computer;
  std::vector<int> progress;
  std::string caption;
  computer.SetProgress([&](int p) { progress.push_back(p); });
  computer.SetCaption([&](const std::string& c) { caption = c; });
  engine.SetComputerPlayers(&computer);
  engine.SetNextDeck(DeckFromNames(kDeck));
  engine.Apply(Move::NewGame());
  engine.PressNext();  // To Begin: both limits are worked out
  ASSERT_EQ(progress.size(), 80u);
  for (int i = 0; i < 80; ++i) EXPECT_EQ(progress[static_cast<std::size_t>(i)], i + 1);
  EXPECT_GE(s.MaxBid[1], 65);
  EXPECT_GE(s.MaxBid[2], 65);
  EXPECT_NE(caption.find("Say1+5=6"), std::string::npos) << caption;
  EXPECT_NE(caption.find("Say1+5=7"), std::string::npos) << caption;
  EXPECT_NE(caption.find("ZayNew=" + std::to_string(s.MaxBid[2])), std::string::npos) << caption;
  EXPECT_TRUE(ui.Saw("enable 7 off"));

  // The next deal starts the counter and the caption again.
  progress.clear();
  s.Phase = phNextRound;  // the rest of this round is skipped
  engine.Apply(Move::NextRound());
  engine.PressNext();
  EXPECT_EQ(progress.front(), 1);
  EXPECT_EQ(progress.back(), 80);
  EXPECT_EQ(caption.find("Say1+5=6"), caption.rfind("Say1+5=6"));
}

TEST(ComputerSeats, PlayWholeGamesAgainstAPassingSeat3) {
  // Seat 3 as the window would play it, by the simplest legal clicks: it
  // passes whenever it may and plays its first playable card. The computer
  // seats must carry every round to its end by the timer and the buttons.
  GameState s;
  testing::RecordingPresenter ui;
  Engine engine(s, ui);
  ai::ComputerSeats computer;
  engine.SetComputerPlayers(&computer);
  testing::ScriptedHuman human;  // answers the trump and order dialogs as seat 3's declarer
  engine.SetShuffleSeed(99);
  for (int game = 0; game < 20; ++game) {
    engine.Apply(Move::NewGame());
    for (int step = 0; step < 20000 && !s.GameOver; ++step) {
      if (s.BidState == 1) {
        engine.PressNext();  // To Begin
      } else if (s.Phase == phBid3) {
        if (ui.buttons[8].enabled) engine.PressPass();
        else engine.PressNext();  // seat 3 opens: it must bid 60
      } else if (s.Phase == phGive && s.Declarer == 3) {
        engine.ClickCard(1);
        engine.ClickCard(2);
      } else if (s.Phase == phPlay3) {
        for (int slot = 1; slot <= 8; ++slot)
          if (!engine.IsIllegalHumanCard(slot) && s.Hands[3][slot].IsReal()) {
            engine.ClickCard(slot);
            break;
          }
      } else if (s.Phase == phBid1 || s.Phase == phBid2 || s.Phase == phPlay1 || s.Phase == phPlay2 ||
                 s.Phase == phRoundOver) {
        engine.Tick();
      } else {
        engine.PressNext();
        human.Answer(engine);
      }
    }
    ASSERT_TRUE(s.GameOver) << "game " << game;
  }
  EXPECT_EQ(engine.FaultyRequests(), 0);
}

}  // namespace
}  // namespace varnok
