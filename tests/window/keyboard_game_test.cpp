// A whole game against the computer played at the table with key presses
// only: N and P for the two table buttons, a card's place number or the
// arrow keys for the cursor, Enter to play or choose the card under it (and
// to press "next" when no card is wanted). The cursor's frame stands round
// the card it names; a card that may not be played changes nothing. (The
// game's dialogs are answered by the driver's pilot.)
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>

#include "main_window.h"
#include "table_canvas.h"
#include "table_presenter.h"
#include "window_driver.h"
#include "zub_cards_button.h"

namespace varnok {
namespace {

using namespace varnok::testing;

bool Usable(const QPushButton* b) { return b->isVisible() && b->isEnabled(); }

struct KeyPlayer {
  int rounds = 0, declared = 0, cards = 0, refused = 0, last_round = 0;
  int tried_trick = -1;

  void Key(MainWindow& w, Qt::Key key) { QTest::keyClick(w.Canvas(), key); }

  // Moves the cursor to `slot` with Home and the right arrow.
  void CursorTo(MainWindow& w, int slot) {
    Key(w, Qt::Key_Home);
    for (int i = 1; i < slot; ++i) Key(w, Qt::Key_Right);
    EXPECT_EQ(w.KeyCursorSlot(), slot);
  }

  bool Step(MainWindow& w) {
    const GameState& s = w.State();
    if (!s.InGame || w.Busy()) return false;
    if (s.RoundNo != last_round) {
      last_round = s.RoundNo;
      ++rounds;
    }
    if (s.GameOver && Usable(w.Button8())) {
      Key(w, Qt::Key_P);
      return true;
    }
    if (s.Phase == phBid3 && s.BidState == 2 && s.InBidding[3] && Usable(w.Button7())) {
      Key(w, s.CurrentBid < 95 || !Usable(w.Button8()) ? Qt::Key_N : Qt::Key_P);
      return true;
    }
    if (s.Phase == phGive && s.Declarer == 3 && s.HandCount[3] == 10 && s.GiveIdx1 == 0) {
      Key(w, Qt::Key_2);
      Key(w, Qt::Key_Enter);
      EXPECT_EQ(s.GiveIdx1, 2);
      CursorTo(w, 5);
      Key(w, Qt::Key_Return);
      EXPECT_EQ(s.Phase, phGiveChosen);
      ++declared;
      Key(w, Qt::Key_N);
      return true;
    }
    if (s.Phase == phPlay3 && s.HandCount[3] > 0) {
      int legal = 0, illegal = 0;
      for (int slot = 1; slot <= s.HandCount[3]; ++slot) {
        if (w.GameEngine().IsIllegalHumanCard(slot)) illegal = illegal ? illegal : slot;
        else legal = legal ? legal : slot;
      }
      const int trick = s.RoundNo * 10 + s.TrickNo;
      if (illegal != 0 && tried_trick != trick) {
        tried_trick = trick;
        const GameState before = s;
        Key(w, illegal == 10 ? Qt::Key_0 : static_cast<Qt::Key>(Qt::Key_0 + illegal));
        Key(w, Qt::Key_Space);
        EXPECT_TRUE(s == before) << "a card that may not be played changed the game";
        ++refused;
        return true;
      }
      EXPECT_NE(legal, 0);
      CursorTo(w, legal);
      // The frame stands round the card the cursor names.
      const QRect card = w.Presenter().HandCardInWindow(3, s.HandCount[3], legal);
      EXPECT_TRUE(w.KeyCursor()->isVisible());
      EXPECT_TRUE(w.KeyCursor()->geometry().contains(card)) << "frame round the card " << legal;
      const int count = s.HandCount[3];
      Key(w, Qt::Key_Return);
      EXPECT_EQ(s.HandCount[3], count - 1);
      ++cards;
      return true;
    }
    if (Usable(w.Button7())) {
      Key(w, Qt::Key_Return);
      return true;
    }
    return false;
  }
};

TEST(KeyboardGame, AWholeGameIsPlayedAtTheTableWithKeyPressesOnly) {
  EnsureApplication();
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  WriteOptions(folder.path(), 3, false);
  WriteClubFiles(folder.path());
  MainWindow window(TestWindowOptions(folder.path()));
  StartWindow(window);
  DialogPilot pilot;
  QTest::keyClick(window.Canvas(), Qt::Key_Space);  // any key leaves the title
  ASSERT_FALSE(window.TitleShown());
  QTest::mouseClick(MenuButton(window, "Button6"), Qt::LeftButton);  // "New Player"
  ASSERT_TRUE(window.State().InGame);
  KeyPlayer player;
  bool back_on_menu = false;
  for (int guard = 0; guard < 400000 && !back_on_menu; ++guard) {
    back_on_menu = window.MenuShown() && !window.State().InGame;
    if (!back_on_menu && !player.Step(window)) QTest::qWait(1);
  }
  ASSERT_TRUE(back_on_menu) << "rounds " << player.rounds << " cards " << player.cards;
  EXPECT_TRUE(window.State().GameOver);
  EXPECT_GE(player.rounds, 2);
  EXPECT_GT(player.cards, 8);
  EXPECT_GT(player.refused, 0);
  EXPECT_EQ(pilot.trumps, player.declared);
  EXPECT_FALSE(window.KeyCursor()->isVisible());
  window.close();
}

}  // namespace
}  // namespace varnok
