// The hand layout: cards side by side with a small gap and centred when they
// fit, evenly overlapping from edge to edge when they do not, a raised card
// lifted out of the layer, and the card under the mouse (the topmost visible
// part wins).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>

#include "hand_layout.h"
#include "layout.h"

static void PrintTo(const QRect& r, std::ostream* out) {
  *out << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ")";
}

namespace varnok {
namespace {

const QSize kCard(71, 96);
const QSize kBottomHand(460, 96);  // seat 3 in the small window
const QSize kTopHand(290, 96);     // seats 1 and 2

TEST(HandLayout, CardsThatFitKeepASmallGapAndAreCentred) {
  ASSERT_EQ(HandGap(kCard), 5);
  struct Case {
    int count;
    int slot;
    int left;
  };
  // 5 cards: 5 * 71 + 4 * 5 = 375 wide, (460 - 375) / 2 = 42 from the left.
  // 6 cards: 451 wide, 4 from the left.
  const Case cases[] = {{5, 1, 42}, {5, 2, 118}, {5, 5, 346}, {6, 1, 4}, {6, 6, 384}, {1, 1, 194}, {3, 2, 194}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.count << " cards, slot " << c.slot);
    EXPECT_EQ(HandCardRect(c.count, c.slot, kBottomHand, kCard), QRect(c.left, 0, 71, 96));
  }
}

TEST(HandLayout, CardsThatDoNotFitOverlapEvenlyFromEdgeToEdge) {
  struct Case {
    QSize layer;
    int count;
    int slot;
    int left;
  };
  const Case cases[] = {
      {kBottomHand, 7, 1, 0},   {kBottomHand, 7, 2, 65},  {kBottomHand, 7, 7, 389},  // step 389 / 6
      {kBottomHand, 8, 2, 56},  {kBottomHand, 8, 3, 111}, {kBottomHand, 8, 8, 389},  // step 389 / 7
      {kBottomHand, 10, 2, 43}, {kBottomHand, 10, 10, 389},                          // step 389 / 9
      {kTopHand, 8, 2, 31},     {kTopHand, 8, 8, 219},    {kTopHand, 10, 10, 219},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.layer.width() << " wide, " << c.count << " cards, slot " << c.slot);
    EXPECT_EQ(HandCardRect(c.count, c.slot, c.layer, kCard).left(), c.left);
  }
}

TEST(HandLayout, EverySizeAndCountStaysInsideTheLayerWithEvenSteps) {
  for (int mode : {kSmallWindow, kAverageWindow1, kAverageWindow2, kLargeWindow}) {
    const LayoutState layout = LayoutForMode(mode);
    for (bool full : {true, false}) {
      const CardSize size = CardSizeFor(layout, full);
      const QSize card(size.CardW, size.CardH);
      for (Layer hand : {Layer::ImageCards1, Layer::ImageCards3}) {
        const QSize layer = PlaceLayer(layout, hand, size.CardH).size();
        for (int count = 1; count <= 10; ++count) {
          SCOPED_TRACE(::testing::Message() << "mode " << mode << " card " << card.width() << " layer "
                                            << layer.width() << " count " << count);
          const QRect first = HandCardRect(count, 1, layer, card);
          const QRect last = HandCardRect(count, count, layer, card);
          EXPECT_GE(first.left(), 0);
          EXPECT_LE(last.right(), layer.width() - 1);
          // Centred: the space left over is shared within a pixel.
          EXPECT_LE(std::abs(first.left() - (layer.width() - 1 - last.right())), 1);
          for (int slot = 2; slot <= count; ++slot) {
            const int step = HandCardRect(count, slot, layer, card).left() -
                             HandCardRect(count, slot - 1, layer, card).left();
            const int first_step = count > 1 ? HandCardRect(count, 2, layer, card).left() - first.left() : 0;
            EXPECT_LE(std::abs(step - first_step), 1) << "slot " << slot;
            EXPECT_GT(step, 0);
          }
          // The middle of each card's visible strip finds that card.
          for (int slot = 1; slot <= count; ++slot) {
            const QRect r = HandCardRect(count, slot, layer, card);
            const int visible_right =
                slot < count ? std::min(r.right(), HandCardRect(count, slot + 1, layer, card).left() - 1) : r.right();
            const QPoint p((r.left() + visible_right) / 2, card.height() / 2);
            EXPECT_EQ(HandSlotAt(count, p, layer, card), slot);
          }
        }
      }
    }
  }
}

TEST(HandLayout, TheCardUnderThePoint) {
  struct Case {
    int count;
    QPoint p;
    int slot;
  };
  const Case cases[] = {
      {8, {0, 50}, 1},    {8, {55, 50}, 1},  {8, {56, 50}, 2},   {8, {110, 0}, 2},  {8, {111, 95}, 3},
      {8, {459, 50}, 8},  {8, {389, 50}, 8}, {8, {388, 50}, 7},  // the last card shows whole
      {5, {30, 50}, 0},   {5, {42, 50}, 1},  {5, {115, 50}, 0},  // before the row; in a gap
      {5, {430, 50}, 0},  {8, {-1, 50}, 0},  {8, {460, 50}, 0},  {8, {100, -1}, 0}, {8, {100, 96}, 0},
      {0, {100, 50}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.count << " cards at " << c.p.x() << ", " << c.p.y());
    EXPECT_EQ(HandSlotAt(c.count, c.p, kBottomHand, kCard), c.slot);
  }
}

TEST(HandLayout, ARaisedCardIsLiftedAndTheTableShowsBelowIt) {
  ASSERT_EQ(HandRaiseOffset(kCard), 16);
  EXPECT_EQ(HandCardRect(8, 3, kBottomHand, kCard, true), QRect(111, -16, 71, 96));
  const RaisedCards raised{3, 0};
  struct Case {
    QPoint p;
    int slot;
  };
  const Case cases[] = {
      {{160, 10}, 3},  // the lifted card
      {{160, 85}, 0},  // the strip of table below it, beside the card under it
      {{115, 85}, 2},  // below it, where the card before shows
      {{170, 85}, 4},  // the next card lies over it
      {{120, 10}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.p.x() << ", " << c.p.y());
    EXPECT_EQ(HandSlotAt(8, c.p, kBottomHand, kCard, raised), c.slot);
  }
  // Two raised cards, and the second one of a row that fits.
  EXPECT_EQ(HandSlotAt(5, QPoint(150, 90), kBottomHand, kCard, RaisedCards{2, 4}), 0);
  EXPECT_EQ(HandSlotAt(5, QPoint(150, 70), kBottomHand, kCard, RaisedCards{2, 4}), 2);
  EXPECT_EQ(HandSlotAt(5, QPoint(300, 70), kBottomHand, kCard, RaisedCards{2, 4}), 4);
}

TEST(HandLayout, SlotsOutsideTheHandHaveNoRectangle) {
  EXPECT_TRUE(HandCardRect(0, 1, kBottomHand, kCard).isNull());
  EXPECT_TRUE(HandCardRect(8, 0, kBottomHand, kCard).isNull());
  EXPECT_TRUE(HandCardRect(8, 9, kBottomHand, kCard).isNull());
  EXPECT_TRUE(HandCardRect(3, 1, kBottomHand, QSize()).isNull());
}

}  // namespace
}  // namespace varnok
