// The declarer's gift choice through the real window: the two chosen cards
// rise with a light frame, and once "To distribute cards" has given them
// away no card of the hand stays raised (the mark belongs to the chosen
// cards, not to their places in the hand).
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>

#include "hand_layout.h"
#include "main_window.h"
#include "table_canvas.h"
#include "table_presenter.h"
#include "window_driver.h"
#include "zub_cards_button.h"

namespace varnok {
namespace {

using namespace varnok::testing;

// Pixels of the chosen-card frame in seat 3's hand row.
int FramePixels(MainWindow& w) {
  const QRect hand = w.Canvas()->LayerRect(Layer::ImageCards3);
  const QImage shot = w.Canvas()->Screen().copy(hand).convertToFormat(QImage::Format_RGB32);
  int count = 0;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x)
      if (shot.pixel(x, y) == qRgb(255, 215, 64)) ++count;
  return count;
}

QPoint CardCentre(MainWindow& w, int slot) {
  const QRect r = w.Presenter().HandCardInWindow(3, w.State().HandCount[3], slot);
  return QPoint(r.left() + 4, r.center().y() + 10);
}

TEST(GiftChoice, NoCardStaysRaisedOnceTheGiftIsGiven) {
  EnsureApplication();
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  WriteOptions(folder.path(), 1, false);
  WriteClubFiles(folder.path());
  MainWindow window(TestWindowOptions(folder.path()));
  StartWindow(window);
  DialogPilot pilot;
  QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
  QTest::mouseClick(MenuButton(window, "Button6"), Qt::LeftButton);
  ASSERT_TRUE(window.State().InGame);

  // The player bids whatever it costs until he is the declarer choosing his gift.
  const GameState& s = window.State();
  PlayerRobot robot;
  int guard = 0;
  for (; guard < 200000 && s.InGame; ++guard) {
    if (s.Phase == phGive && s.Declarer == 3 && s.HandCount[3] == 10) break;
    if (s.Phase == phBid3 && s.BidState == 2 && s.InBidding[3] && window.Button7()->isVisible() &&
        window.Button7()->isEnabled()) {
      QTest::mouseClick(window.Button7(), Qt::LeftButton);
      continue;
    }
    if (!robot.Step(window)) QTest::qWait(1);
  }
  ASSERT_TRUE(s.InGame && s.Phase == phGive && s.Declarer == 3) << "the player never became the declarer";
  EXPECT_EQ(FramePixels(window), 0);

  const TCard first = s.Hands[3][2];
  const TCard second = s.Hands[3][5];
  QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, CardCentre(window, 2));
  QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, CardCentre(window, 5));
  ASSERT_EQ(s.Phase, phGiveChosen);
  EXPECT_GT(FramePixels(window), 0) << "the chosen cards are not marked";

  QTest::mouseClick(window.Button7(), Qt::LeftButton);  // "To distribute cards"
  ASSERT_EQ(s.Phase, phGiven);
  EXPECT_EQ(s.HandCount[3], 8);
  for (int slot = 1; slot <= 8; ++slot) {
    EXPECT_FALSE(s.Hands[3][slot] == first);
    EXPECT_FALSE(s.Hands[3][slot] == second);
  }
  EXPECT_EQ(FramePixels(window), 0) << "cards now at the chosen places are still drawn raised";
  window.close();
}

}  // namespace
}  // namespace varnok
