// Card flights over a recording window: what is repainted, where the card
// ends, how long the flight waits, and what the window shows afterwards.
#include <gtest/gtest.h>

#include "card_pictures.h"
#include "fake_window.h"
#include "loader.h"
#include "sprite.h"

namespace varnok {
namespace {

using testing::FakeWindow;
using testing::PatternPicture;
using testing::WaitRecorder;

constexpr QSize kWindow(760, 500);
constexpr QSize kNormalCard(71, 96);

class FlightTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { SetProgramFolder(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR)); }
  static void TearDownTestSuite() { SetProgramFolder(QString()); }
  void SetUp() override { SetFlightStepCounter(0); }

  CardPictures normal_{0, 0, 1, kNormalCard, false, 3};
  FakeWindow window_{PatternPicture(kWindow)};
  WaitRecorder waits_;
};

// True when the window shows what it showed before everywhere outside `keep`.
bool UnchangedOutside(const FakeWindow& window, const QRect& keep) {
  for (int y = 0; y < window.screen.height(); ++y)
    for (int x = 0; x < window.screen.width(); ++x)
      if (!keep.contains(x, y) && window.screen.pixel(x, y) != window.before.pixel(x, y)) return false;
  return true;
}

QRgb Opaque(QRgb pixel) { return pixel | 0xFF000000u; }

TEST_F(FlightTest, OneCardRepaintsOnlyAroundItselfAndEndsAtItsDestination) {
  const std::string code = CardFromName("Qs").Bytes();
  FlyCard(window_, normal_, 10, 20, 110, 50, false, code, 1);

  const std::vector<QPoint> path = FlightPath({10, 20}, {110, 50});
  ASSERT_EQ(window_.rects.size(), 100u);
  QPoint previous(10, 20);
  for (std::size_t i = 0; i < path.size(); ++i) {
    EXPECT_EQ(window_.rects[i], StepUpdateRect(QRect(previous, kNormalCard))) << i;
    EXPECT_NE(window_.rects[i], QRect(QPoint(0, 0), kWindow));
    previous = path[i];
  }
  EXPECT_EQ(waits_.total, 200);
  EXPECT_EQ(window_.begins, 1);
  EXPECT_EQ(window_.ends, 1);
  EXPECT_TRUE(window_.flying_at_every_show);
  EXPECT_FALSE(CardFlying());

  // The card stands at its destination and nothing is left along its way.
  const QRect card(110, 50, 71, 96);
  EXPECT_TRUE(UnchangedOutside(window_, card));
  const QImage face = normal_.FacePicture(CardFromName("Qs"));
  EXPECT_EQ(window_.screen.pixel(card.topLeft() + QPoint(1 + 30, 1 + 40)), Opaque(face.pixel(30, 40)));
  EXPECT_EQ(window_.screen.pixel(card.topLeft() + QPoint(5, 0)), qRgb(0, 0, 0));  // the frame
  for (const QPoint& corner : RoundedCornerPixels(kNormalCard))
    EXPECT_EQ(window_.screen.pixel(card.topLeft() + corner), window_.before.pixel(card.topLeft() + corner));
}

TEST_F(FlightTest, SpeedsSetTheWaitsAndTheFastestLeavesOutTheFirstStep) {
  struct Case {
    int speed;
    int waits;
    std::size_t repaints;
  };
  const Case cases[] = {{1, 200, 100}, {2, 100, 100}, {3, 50, 100}, {4, 33, 100}, {5, 0, 100}, {6, 0, 99}};
  for (const Case& c : cases) {
    FakeWindow window(PatternPicture(kWindow));
    WaitRecorder waits;
    SetFlightStepCounter(0);
    FlyCard(window, normal_, 10, 20, 110, 50, false, "00", c.speed);
    EXPECT_EQ(waits.total, c.waits) << "speed " << c.speed;
    EXPECT_EQ(window.rects.size(), c.repaints) << "speed " << c.speed;
    EXPECT_EQ(FlightStepCounter(), 100) << "speed " << c.speed;
    // The first repaint is around the start, which also covers a two-pixel step.
    ASSERT_FALSE(window.rects.empty());
    EXPECT_EQ(window.rects.front(), StepUpdateRect(QRect(QPoint(10, 20), kNormalCard)));
    EXPECT_TRUE(UnchangedOutside(window, QRect(110, 50, 71, 96))) << "speed " << c.speed;
  }
}

TEST_F(FlightTest, StepCounterOfSpeedThreeRunsOnAcrossFlights) {
  FlyCard(window_, normal_, 0, 0, 3, 0, false, "##", 3);  // counts 1..3: a wait at 2
  EXPECT_EQ(waits_.total, 1);
  FlyCard(window_, normal_, 3, 0, 6, 0, false, "##", 3);  // counts 4..6: waits at 4 and 6
  EXPECT_EQ(waits_.total, 3);
  EXPECT_EQ(FlightStepCounter(), 6);
}

TEST_F(FlightTest, FlightToItsOwnStartDrawsOnce) {
  FlyCard(window_, normal_, 200, 100, 200, 100, false, "00", 1);
  ASSERT_EQ(window_.rects.size(), 1u);
  EXPECT_EQ(window_.rects[0], QRect(198, 98, 75, 100));
  EXPECT_EQ(waits_.total, 2);

  FakeWindow erased(PatternPicture(kWindow));
  FlyCard(erased, normal_, 200, 100, 200, 100, true, "00", 5);
  ASSERT_EQ(erased.rects.size(), 2u);
  EXPECT_EQ(erased.rects[1], EraseUpdateRect(QRect(200, 100, 71, 96)));
  EXPECT_EQ(erased.screen, erased.before);
}

TEST_F(FlightTest, ErasedAtTheEndTheWindowShowsTheBackgroundAgain) {
  FlyCard(window_, normal_, 600, 300, 500, 380, true, CardFromName("Ah").Bytes(), 5);
  ASSERT_EQ(window_.rects.size(), 101u);
  EXPECT_EQ(window_.rects.back(), QRect(498, 378, 73, 98));
  EXPECT_EQ(window_.last_buffer, window_.before);
  EXPECT_EQ(window_.screen, window_.before);
}

TEST_F(FlightTest, CardsAtTheWindowEdgeAreClippedToTheWindow) {
  FlyCard(window_, normal_, 740, 480, 700, 470, false, "00", 5);
  const QRect client(QPoint(0, 0), kWindow);
  for (const QRect& rect : window_.rects) EXPECT_TRUE(client.contains(rect));
  EXPECT_TRUE(UnchangedOutside(window_, QRect(700, 470, 71, 96)));
}

TEST_F(FlightTest, BackAndBlankCodesFly) {
  const QRect card(300, 200, 71, 96);
  FlyCard(window_, normal_, 250, 150, card.left(), card.top(), false, "00", 5);
  const QImage back = normal_.BackPicture();
  for (const QPoint& p : {QPoint(10, 10), QPoint(34, 47), QPoint(60, 90)})
    EXPECT_EQ(window_.screen.pixel(card.topLeft() + QPoint(1, 1) + p), Opaque(back.pixel(p))) << p.x();

  for (const char* blank : {"##", "No", "--"}) {
    FakeWindow window(PatternPicture(kWindow));
    FlyCard(window, normal_, 250, 150, card.left(), card.top(), false, blank, 5);
    EXPECT_EQ(window.screen.pixel(card.topLeft() + QPoint(35, 48)), qRgb(255, 255, 255)) << blank;
    EXPECT_EQ(window.screen.pixel(card.topLeft() + QPoint(35, 0)), qRgb(0, 0, 0)) << blank;
  }
}

TEST_F(FlightTest, NarrowLargeCardsUseTheKeyColourAndRepaintAroundTheirSize) {
  CardPictures large(28, 1, 2, QSize(126, 198), false, 2);
  ASSERT_FALSE(large.FellBack());
  FakeWindow window(PatternPicture(QSize(1520, 1000)));
  FlyCard(window, large, 100, 100, 140, 110, false, CardFromName("Kd").Bytes(), 5);
  ASSERT_EQ(window.rects.size(), 40u);
  for (const QRect& rect : window.rects) EXPECT_EQ(rect.size(), QSize(130, 202));
  const QRect card(140, 110, 126, 198);
  EXPECT_TRUE(UnchangedOutside(window, card));
  // The rounded corners of the large picture show the table.
  EXPECT_EQ(window.screen.pixel(card.topLeft()), window.before.pixel(card.topLeft()));
  EXPECT_EQ(window.screen.pixel(card.bottomRight()), window.before.pixel(card.bottomRight()));
  EXPECT_NE(window.screen.pixel(card.center()), window.before.pixel(card.center()));
}

TEST_F(FlightTest, SeveralCardsRepaintTheirBoundingBoxAndArriveTogether) {
  const std::vector<QPoint> from = {{100, 50}, {400, 60}, {250, 300}};
  const std::vector<QPoint> to = {{250, 150}, {250, 150}, {250, 150}};
  const std::vector<std::string> codes = {CardFromName("9h").Bytes(), CardFromName("Jc").Bytes(),
                                          CardFromName("10s").Bytes()};
  FlyCards(window_, normal_, from, to, codes, 2);

  std::vector<std::vector<QPoint>> paths;
  std::size_t steps = 0;
  for (std::size_t i = 0; i < from.size(); ++i) {
    paths.push_back(FlightPath(from[i], to[i]));
    steps = std::max(steps, paths.back().size());
  }
  ASSERT_EQ(window_.rects.size(), steps);
  EXPECT_EQ(waits_.total, static_cast<int>(steps));
  for (std::size_t s = 0; s < steps; ++s) {
    for (std::size_t i = 0; i < from.size(); ++i) {
      const QPoint before = s == 0 ? from[i] : paths[i][std::min(s - 1, paths[i].size() - 1)];
      const QPoint after = paths[i][std::min(s, paths[i].size() - 1)];
      EXPECT_TRUE(window_.rects[s].contains(QRect(before, kNormalCard))) << s << " " << i;
      EXPECT_TRUE(window_.rects[s].contains(QRect(after, kNormalCard))) << s << " " << i;
    }
  }
  // All three lie on the same place; the last one is on top.
  EXPECT_TRUE(UnchangedOutside(window_, QRect(to[0], kNormalCard)));
  const QImage ten = normal_.FacePicture(CardFromName("10s"));
  EXPECT_EQ(window_.screen.pixel(to[0] + QPoint(1 + 20, 1 + 30)), Opaque(ten.pixel(20, 30)));
  EXPECT_FALSE(CardFlying());
}

TEST_F(FlightTest, AtMostTwelveCardsFlyAndErasedCardsLeaveNothing) {
  std::vector<QPoint> from, to;
  std::vector<std::string> codes;
  for (int i = 0; i < 13; ++i) {
    from.push_back(QPoint(20 + 40 * i, 20));
    to.push_back(QPoint(20 + 40 * i, 60));
    codes.push_back("00");
  }
  from.back() = QPoint(650, 380);  // the thirteenth would fly in the corner
  to.back() = QPoint(600, 390);
  FakeWindow window(PatternPicture(kWindow));
  FlyCards(window, normal_, from, to, codes, 5);
  EXPECT_TRUE(UnchangedOutside(window, QRect(0, 0, 760, 160)));

  FakeWindow erased(PatternPicture(kWindow));
  FlyCards(erased, normal_, from, to, codes, 5, true);
  EXPECT_EQ(erased.screen, erased.before);
}

TEST_F(FlightTest, TurningCardNarrowsBendsAndEndsFaceUp) {
  const QRect place(300, 200, 71, 96);
  const QImage back = normal_.Back();
  const QImage face = normal_.Face(CardFromName("Qh"));

  class FrameWindow : public FakeWindow {
   public:
    using FakeWindow::FakeWindow;
    void ShowRect(const QRect& rect) override {
      FakeWindow::ShowRect(rect);
      frames.push_back(screen.copy());
    }
    std::vector<QImage> frames;
  } window(PatternPicture(kWindow));
  TurnCard(window, place, back, face, 1.0, 1);

  const std::size_t drawn = TurnEdges(71, 5).size();
  ASSERT_EQ(window.rects.size(), drawn + 1);
  const QRect area = place.adjusted(0, -11, 0, 11);  // g = 36, bend 11 in the middle
  for (const QRect& rect : window.rects) EXPECT_EQ(rect, area);
  EXPECT_EQ(waits_.total, static_cast<int>(drawn) * TurnFrameWaitMs(1));
  EXPECT_TRUE(window.flying_at_every_show);

  // First step: edge at 66, the card spans columns 5..65 and its middle
  // column reaches above the place; its outer columns are the table.
  const QImage& first = window.frames.front();
  EXPECT_EQ(first.pixel(place.left() + 2, place.top() + 40), window.before.pixel(place.left() + 2, place.top() + 40));
  EXPECT_NE(first.pixel(place.left() + 35, place.top() - 5), window.before.pixel(place.left() + 35, place.top() - 5));
  EXPECT_EQ(first.pixel(place.left() + 35, place.top() - 12),
            window.before.pixel(place.left() + 35, place.top() - 12));

  // The end: the face lies flat at the place.
  EXPECT_TRUE(UnchangedOutside(window, place));
  EXPECT_EQ(window.screen.pixel(place.topLeft() + QPoint(30, 40)), Opaque(face.pixel(30, 40)));
  EXPECT_EQ(window.screen.pixel(place.topLeft()), window.before.pixel(place.topLeft()));
}

TEST_F(FlightTest, EmptyWindowOrPlaceFliesNothing) {
  FakeWindow empty{QImage()};
  FlyCard(empty, normal_, 0, 0, 50, 50, true, "00", 1);
  FlyCards(empty, normal_, std::vector<QPoint>{QPoint(0, 0)}, std::vector<QPoint>{QPoint(5, 5)},
           std::vector<std::string>{"00"}, 1);
  TurnCard(window_, QRect(), normal_.Back(), normal_.Back(), 1.0, 1);
  EXPECT_TRUE(empty.rects.empty());
  EXPECT_TRUE(window_.rects.empty());
  EXPECT_EQ(empty.begins + window_.begins, 0);
  EXPECT_EQ(waits_.total, 0);
}

}  // namespace
}  // namespace varnok
